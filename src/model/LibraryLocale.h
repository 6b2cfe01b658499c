#pragma once
// The C library's locale for the libraries below Qt.

// Puts the C library's LC_NUMERIC back to "C" after the application object took the
// locale from the environment. The program's own texts never use the C library's
// separator (FormatLocale puts the locale's in by itself, QLocale reads the environment),
// so only the libraries below Qt see the change: the workbook writer formats its XML
// numbers and page margins with printf, and a decimal comma there corrupts the workbook.
// Every program calls it right after constructing its application object.
void UseLocaleFreeLibraryNumbers();
