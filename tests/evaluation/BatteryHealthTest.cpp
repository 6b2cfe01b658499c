// Each battery's own result, the weak ones, and the acceptance of the string's capacity.
#include "app/ExePath.h"
#include "app/ProgramState.h"
#include "config/ConfigFile.h"
#include "evaluation/BatteryHealth.h"
#include "evaluation/CapacityEvaluation.h"
#include "files/TestTextFile.h"
#include "presentation/TestReport.h"
#include "support/LocaleScope.h"
#include "support/QtPrinting.h"
#include "evaluation/SyntheticString.h"

#include <QFile>
#include <cmath>
#include <QTemporaryDir>
#include <gtest/gtest.h>


TEST(BatteryHealth, SyntheticStringGivesTheWeakBatteriesWithHandComputedFigures)
{
    TProgramState s;
    LoadSyntheticString(s);
    const THealthOutcome outcome = LoadedTestHealth(s);
    ASSERT_TRUE(outcome.Health) << outcome.Problem.toStdString();
    const TStringHealth& h = *outcome.Health;
    EXPECT_DOUBLE_EQ(h.BatteryEndVoltage, 10.5);
    EXPECT_DOUBLE_EQ(h.StringPct, 110.0); // 6600 s of a 100-minute reference
    ASSERT_EQ(h.Batteries.size(), size_t(Batteries));
    // 33 measured batteries at 100 … 104, then 70 and 80: the median of measured figures is 102
    EXPECT_DOUBLE_EQ(h.Median, 102.0);
    EXPECT_FLOAT_EQ(float(h.LastMedian), 10.2f);

    // Battery 7 ends at 8,5 V, more than 5 % below the last median; while it fell to its end
    // voltage the others stood at 11,0 V, less than 5 % above it.
    std::vector<int> weak;
    for (const TBatteryHealth& b : h.Batteries)
        if (b.Weak)
            weak.push_back(b.Number);
    EXPECT_EQ(weak, (std::vector<int>{7}));

    const TBatteryHealth& b7 = h.Batteries[6];
    EXPECT_TRUE(b7.Reached);
    EXPECT_EQ(b7.SecondsToEnd, 4200);
    EXPECT_DOUBLE_EQ(b7.CapacityPct, 70.0);
    EXPECT_FLOAT_EQ(float(b7.VoltageAtEnd), 8.5f);
    EXPECT_TRUE(b7.LowVoltage);
    EXPECT_FALSE(b7.EndedEarly);
    EXPECT_TRUE(b7.BelowThreshold);
    EXPECT_DOUBLE_EQ(h.Batteries[30].CapacityPct, 80.0);
    EXPECT_EQ(h.Batteries[30].SecondsToEnd, 4800);
    EXPECT_FALSE(h.Batteries[30].BelowThreshold); // 80,0 at an 80 % threshold
    // 10.5 V is at the end voltage: reached at minute 100 + 19 % 5
    EXPECT_EQ(h.Batteries[19].SecondsToEnd, 104 * 60);
    EXPECT_DOUBLE_EQ(h.Batteries[19].CapacityPct, 104.0);

    const TBatteryHealth& never = h.Batteries[NeverReached - 1];
    EXPECT_FALSE(never.Reached);
    EXPECT_TRUE(std::isnan(never.CapacityPct));
    EXPECT_DOUBLE_EQ(never.CapacityAtLeast, 110.0);
    EXPECT_FLOAT_EQ(float(never.VoltageAtEnd), 10.6f);
    EXPECT_FALSE(never.Weak);

    const std::vector<int> order = WeakestFirst(h);
    EXPECT_EQ(h.Batteries[size_t(order[0])].Number, 7);
    EXPECT_EQ(h.Batteries[size_t(order[1])].Number, 1); // lowest last voltage, battery order among equals
    EXPECT_EQ(h.Batteries[size_t(order.back())].Number, NeverReached);

    // A share of 20 % leaves battery 7 alone: 8,5 V is above 80 % of 10,2 V.
    SetDeviation(s, 20);
    int weakCount = 0;
    const THealthOutcome wider = LoadedTestHealth(s);
    for (const TBatteryHealth& b : wider.Health->Batteries)
        weakCount += b.Weak ? 1 : 0;
    EXPECT_EQ(weakCount, 0);

    // Without a duration there is no reference, so no battery figures either.
    s.Texts.Gtypzk.clear();
    EXPECT_FALSE(LoadedTestHealth(s).Health);
}

TEST(BatteryHealth, AcceptanceJudgesTheStringAndLeavesFilesAndReportAsBeforeWhenOff)
{
    LocaleScope cs("cs_CZ");
    QTemporaryDir dir;
    TProgramState s;
    LoadSyntheticString(s);
    EvaluateCapacity(s);
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    SaveTestTextFile(s, path);
    const QByteArray before = TestTextFileBytes(s);
    const TTestReportContent reportBefore = PrepareTestReport(s);
    EXPECT_TRUE(s.Texts.Hhodnoceni.isEmpty());

    SetAcceptance(s, true, 80); // the string holds 110 %
    EXPECT_EQ(s.Texts.Hhodnoceni, AcceptedText);
    EXPECT_EQ(TestTextFileBytes(s), before); // the judgement never enters the text file
    TKkapacitaChange(s, 1);     // shown in Ah, still judged by the percentage
    EXPECT_EQ(s.Texts.Hhodnoceni, AcceptedText);
    SetAcceptance(s, true, 110); // at the threshold passes
    EXPECT_EQ(s.Texts.Hhodnoceni, AcceptedText);
    SetAcceptance(s, true, 111);
    EXPECT_EQ(s.Texts.Hhodnoceni, RejectedText);
    const TTestReportContent judged = PrepareTestReport(s);
    auto labelWith = [](const TTestReportContent& c, const QString& text) -> const TReportLabel* {
        for (const TReportLabel& l : c.Labels)
            if (l.Text == text)
                return &l;
        return nullptr;
    };
    const TReportLabel* verdict = labelWith(judged, RejectedText);
    ASSERT_NE(verdict, nullptr);
    const TReportLabel* capacity2 = nullptr;
    for (const TReportLabel& l : judged.Labels)
        if (l.Text == QStringLiteral("Kapacita:"))
            capacity2 = &l;
    const TReportLabel* note = labelWith(judged, QStringLiteral("Poznámka:"));
    ASSERT_TRUE(capacity2 && note);
    EXPECT_GT(verdict->Box.top(), capacity2->Box.top());
    EXPECT_LT(verdict->Box.bottom(), note->Box.top() + 1);

    TKkapacitaChange(s, 0);
    SetAcceptance(s, false, 111);
    EXPECT_TRUE(s.Texts.Hhodnoceni.isEmpty());
    SaveTestTextFile(s, path);
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), before);
    const TTestReportContent reportAfter = PrepareTestReport(s);
    ASSERT_EQ(reportAfter.Labels.size(), reportBefore.Labels.size());
    for (size_t i = 0; i < reportAfter.Labels.size(); ++i) {
        EXPECT_EQ(reportAfter.Labels[i].Text, reportBefore.Labels[i].Text);
        EXPECT_EQ(reportAfter.Labels[i].Box, reportBefore.Labels[i].Box);
    }
}

TEST(BatteryHealth, SettingsKeysAreWrittenOnlyOnceUsedAndReadBack)
{
    LocaleScope cs("cs_CZ");
    QTemporaryDir dir;
    TIniFile ini(dir.filePath(QStringLiteral("v.ini")));
    TSettingsValues settings;
    SaveSettingsValues(ini, settings);
    EXPECT_FALSE(ini.SectionExists(SectionHealth));

    settings.Health = {7.5, true, 75};
    SaveSettingsValues(ini, settings);
    TSettingsValues read;
    ReadSettingsValues(ini, read);
    EXPECT_DOUBLE_EQ(read.Health.Deviation, 7.5);
    EXPECT_TRUE(read.Health.Acceptance);
    EXPECT_DOUBLE_EQ(read.Health.AcceptanceThreshold, 75);

    // back at the defaults the keys follow, so the option stays off
    SaveSettingsValues(ini, TSettingsValues{});
    ReadSettingsValues(ini, read);
    EXPECT_FALSE(read.Health.Acceptance);
    ini.WriteString(SectionHealth, QStringLiteral("Odchylka"), QStringLiteral("250"));
    ini.WriteString(SectionHealth, QStringLiteral("Podil_slabe"), QStringLiteral("70")); // the old key is not read
    ReadSettingsValues(ini, read);
    EXPECT_DOUBLE_EQ(read.Health.Deviation, 5);
}
