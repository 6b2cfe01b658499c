#include "app/ui/Windows.h"

TWindows& Windows()
{
    static TWindows windows;
    return windows;
}
