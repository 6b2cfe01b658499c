#include "model/LibraryLocale.h"

#include <clocale>

void UseLocaleFreeLibraryNumbers() { std::setlocale(LC_NUMERIC, "C"); }
