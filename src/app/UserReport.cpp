#include "app/UserReport.h"

#include <cstdio>

namespace {
IUserReport* fallbackReport()
{
    static StderrUserReport fallback;
    return &fallback;
}
IUserReport*& slot()
{
    static IUserReport* current = fallbackReport();
    return current;
}
} // namespace

IUserReport& UserReport() { return *slot(); }
void SetUserReport(IUserReport* report) { slot() = report ? report : fallbackReport(); }

void StderrUserReport::Message(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    std::fprintf(stderr, "%s\n", t.toUtf8().constData());
    std::fflush(stderr);
}

bool StderrUserReport::Question(const QString& text)
{
    Message(text);
    return answer_;
}

ScopedUserReport::ScopedUserReport(IUserReport* report) : previous_(&UserReport()) { SetUserReport(report); }
ScopedUserReport::~ScopedUserReport() { SetUserReport(previous_); }
