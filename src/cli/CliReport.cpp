#include "cli/CliReport.h"

#include "model/Errors.h"

void TCliReport::Message(const QString& text)
{
    StderrUserReport::Message(text);
    if (!IsNoticeMessage(text))
        failed_ = true;
}

bool IsNoticeMessage(const QString& text)
{
    return text.startsWith(QStringLiteral("Příliš mnoho měření("));
}

bool CliReportFailed()
{
    const auto* report = dynamic_cast<const TCliReport*>(&UserReport());
    return report && report->Failed();
}

void CliWarning(const QString& text)
{
    if (auto* report = dynamic_cast<TCliReport*>(&UserReport()))
        report->Warning(text);
}

void Require(bool ok, const QString& why)
{
    if (ok)
        return;
    if (CliReportFailed())
        throw TReportedFailure{};
    throw VybitorError(why);
}
