#include "model/DataVersion.h"

#include <cstring>

void ApplyDataVersionPower(TTestHeader& header, bool dataVersion101)
{
    if (dataVersion101 && header.PowerMode != 0)
        std::memcpy(&header.DischargeValue, reinterpret_cast<const char*>(&header) + 25, 4);
}
