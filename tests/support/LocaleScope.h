#pragma once
// Pins the program locale for one test and puts the previous one back.

#include "model/LocaleFormat.h"

class LocaleScope {
public:
    explicit LocaleScope(const char* name) : previous_(ProgramLocale()) { SetProgramLocale(QLocale(QString::fromLatin1(name))); }
    ~LocaleScope() { SetProgramLocale(previous_); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

private:
    QLocale previous_;
};
