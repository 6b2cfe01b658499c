// The health rules on the demo archive's real strings: the failing battery is found, the
// batteries of a string that aged evenly are not, and a battery that never reached its end
// voltage only has a lower bound.
#include "app/ProgramState.h"
#include "evaluation/AcceptanceVerdict.h"
#include "evaluation/BatteryHealth.h"
#include "evaluation/CapacityEvaluation.h"
#include "evaluation/CapacityTrend.h"
#include "files/StoredTestFile.h"
#include "files/TestTextFile.h"
#include "model/LocaleFormat.h"
#include "support/LocaleScope.h"
#include "evaluation/SyntheticString.h"

#include <QDate>
#include <cmath>
#include <gtest/gtest.h>

namespace {
const QString Archive = QStringLiteral(VYBITOR_SOURCE_DIR "/samples/archive/");

TStringHealth DemoHealth(const QString& file)
{
    TProgramState s;
    LoadTestTextFile(s, Archive + file);
    const THealthOutcome outcome = LoadedTestHealth(s);
    if (!outcome.Health)
        ADD_FAILURE() << file.toStdString() << ": " << outcome.Problem.toStdString();
    return outcome.Health.value_or(TStringHealth{});
}

const TBatteryHealth& Battery(const TStringHealth& h, int number)
{
    for (const TBatteryHealth& b : h.Batteries)
        if (b.Number == number)
            return b;
    throw std::runtime_error("no such battery");
}

std::vector<int> WeakNumbers(const TStringHealth& h)
{
    std::vector<int> numbers;
    for (const TBatteryHealth& b : h.Batteries)
        if (b.Weak)
            numbers.push_back(b.Number);
    return numbers;
}
} // namespace

TEST(DemoHealth, Plzen2025FindsCell17AndGivesTheOthersOnlyALowerBound)
{
    LocaleScope cs("cs_CZ");
    const TStringHealth h = DemoHealth(QStringLiteral("Plzen-Doubravka/2025/B0203.txt"));
    ASSERT_EQ(h.Batteries.size(), 54u);
    EXPECT_EQ(h.EndReason, 2);
    EXPECT_FALSE(h.EndVoltageImplausible);
    EXPECT_FALSE(h.SumImplausible);
    // 1,80 V a cell: reached at the sample that reads 1,80, not the one after it
    const TBatteryHealth& c17 = Battery(h, 17);
    EXPECT_TRUE(c17.Reached);
    EXPECT_EQ(c17.SecondsToEnd, 459 * 60);
    EXPECT_NEAR(c17.CapacityPct, 76.5, 1e-9); // 459 of 600 min
    EXPECT_TRUE(c17.EndedEarly);
    EXPECT_TRUE(c17.LowVoltage);
    EXPECT_EQ(WeakReasonKeys(c17), (QStringList{QStringLiteral("ended_early"), QStringLiteral("low_voltage")}));
    EXPECT_FLOAT_EQ(float(c17.VoltageAtEnd), 1.70f);
    EXPECT_TRUE(c17.BelowThreshold);
    EXPECT_EQ(WeakNumbers(h), std::vector<int>{17});

    // The last sample came after the end: the string ran 481 of 600 minutes.
    EXPECT_NEAR(h.StringPct, 481.0 / 6, 1e-9);
    const TBatteryHealth& c1 = Battery(h, 1);
    EXPECT_FALSE(c1.Reached);
    EXPECT_TRUE(std::isnan(c1.CapacityPct));
    EXPECT_NEAR(c1.CapacityAtLeast, h.StringPct, 1e-12);
    EXPECT_FALSE(c1.BelowThreshold);
    EXPECT_EQ(CapacityText(c1), QStringLiteral("≥ 80,2"));
    EXPECT_EQ(CapacityText(c17), QStringLiteral("76,5"));
    // only cell 17 is measured, so only it makes the median
    EXPECT_DOUBLE_EQ(h.Median, c17.CapacityPct);

    EXPECT_EQ(h.Batteries[size_t(WeakestFirst(h)[0])].Number, 17);
    EXPECT_EQ(h.EndedBy, 17);
    EXPECT_EQ(EndOfTestText(h), QStringLiteral("Zkoušku ukončila baterie 17; ostatní baterie mají kapacitu nejméně 80,2 %."));
    EXPECT_TRUE(EvenLossText(h).isEmpty());
}

TEST(DemoHealth, EachDemoTestFlagsOnlyTheBatteryThatDeviates)
{
    LocaleScope cs("cs_CZ");
    const TStringHealth jihlava = DemoHealth(QStringLiteral("Jihlava/B0189.txt"));
    EXPECT_EQ(WeakNumbers(jihlava), std::vector<int>{11});
    const TBatteryHealth& b11 = Battery(jihlava, 11);
    EXPECT_TRUE(b11.EndedEarly && b11.LowVoltage);
    EXPECT_EQ(b11.SecondsToEnd, 10110); // 168,5 min

    const TStringHealth plzen2024 = DemoHealth(QStringLiteral("Plzen-Doubravka/2024/B0157.txt"));
    EXPECT_EQ(WeakNumbers(plzen2024), std::vector<int>{17});
    EXPECT_TRUE(Battery(plzen2024, 17).EndedEarly && Battery(plzen2024, 17).LowVoltage);

    // 1,71 V against a last median of 1,81 V, but reached with the others at the end
    const TStringHealth b0134 = DemoHealth(QStringLiteral("B0134.txt"));
    EXPECT_EQ(WeakNumbers(b0134), std::vector<int>{9});
    EXPECT_FALSE(Battery(b0134, 9).EndedEarly);
    EXPECT_TRUE(Battery(b0134, 9).LowVoltage);
    EXPECT_DOUBLE_EQ(b0134.LastMedian, double(1.81f));
    EXPECT_EQ(b0134.EndedBy, 0); // ended on the total voltage

    // Tests ended on the total voltage: many cells touch their end voltage together.
    const TStringHealth b0112 = DemoHealth(QStringLiteral("Plzen-Doubravka/2023/B0112.txt"));
    EXPECT_TRUE(Battery(b0112, 4).Reached); // ends at exactly 1,80 V
    EXPECT_FLOAT_EQ(float(Battery(b0112, 4).VoltageAtEnd), 1.80f);
    EXPECT_TRUE(EvenLossText(b0112).isEmpty()); // 102 % of 80
    // Against a 110 % threshold the string as a whole has lost its capacity, no battery deviates.
    TProgramState s;
    LoadTestTextFile(s, Archive + QStringLiteral("Plzen-Doubravka/2023/B0112.txt"));
    const TStringHealth strict = EvaluateBatteryHealth(s.Record(), 600, THealthSettings{5, true, 110});
    EXPECT_TRUE(strict.StringBelowThreshold);
    EXPECT_EQ(EvenLossText(strict), QStringLiteral("Kapacita řetězce pod prahem, žádná baterie se neodchyluje"));
    for (const QString& file : {QStringLiteral("Plzen-Doubravka/2023/B0112.txt"), QStringLiteral("Brno-Lisen/B0121.txt"),
                                QStringLiteral("B0166.txt"), QStringLiteral("Kolin/B0178.txt")}) {
        const TStringHealth h = DemoHealth(file);
        EXPECT_TRUE(WeakNumbers(h).empty()) << file.toStdString();
        EXPECT_TRUE(EndOfTestText(h).isEmpty()) << file.toStdString();
    }
}

TEST(DemoHealth, ImplausibleEndVoltageAndSumAreToldAndJudgedByTheLastSampleOnly)
{
    LocaleScope cs("cs_CZ");
    TProgramState s;
    LoadStoredTestFile(s, QStringLiteral(VYBITOR_SOURCE_DIR "/samples/tests/A0005.tst"));
    const THealthOutcome outcome = LoadedTestHealth(s);
    ASSERT_TRUE(outcome.Health) << outcome.Problem.toStdString();
    EXPECT_TRUE(outcome.Health->EndVoltageImplausible);
    EXPECT_EQ(EndVoltageImplausibleText(*outcome.Health), QStringLiteral("Konečné napětí baterie 0,10 V neodpovídá napětí baterií"));
    for (const TBatteryHealth& b : outcome.Health->Batteries)
        EXPECT_FALSE(b.EndedEarly);

    // Two batteries not measured: the first sample's voltages fall 5,6 % short of the total.
    TProgramState synthetic;
    LoadSyntheticString(synthetic);
    EXPECT_FALSE(LoadedTestHealth(synthetic).Health->SumImplausible);
    synthetic.Record().Rows[0].Voltages[3] = 0;
    synthetic.Record().Rows[0].Voltages[4] = 0;
    EXPECT_TRUE(LoadedTestHealth(synthetic).Health->SumImplausible);
}

TEST(Acceptance, JudgesTheFigureAsShownAndOnlyACapacityTheTestMeasured)
{
    LocaleScope cs("cs_CZ");
    TProgramState s;
    LoadSyntheticString(s);
    s.Choices.TKtyp = 0;
    s.Texts.Gtypzk = QStringLiteral("250");
    s.Record().RunInfo.EndReason = 3;
    s.Record().Rows[110].ElapsedSeconds = 11994; // 79,96 % of 250 min
    SetAcceptance(s, true, 80);
    EXPECT_EQ(s.Texts.Hkapacita.trimmed(), QStringLiteral("80,0%"));
    EXPECT_EQ(s.Texts.Hhodnoceni, AcceptedText);
    s.Record().Rows[110].ElapsedSeconds = 11985; // 79,9 %
    EvaluateCapacity(s);
    EXPECT_EQ(s.Texts.Hhodnoceni, RejectedText);

    // Stopped by the operator after 3 minutes: nothing measured, nothing judged.
    s.Record().RunInfo.EndReason = 1;
    s.Record().RowCount = 4;
    EvaluateCapacity(s);
    EXPECT_EQ(s.Texts.Hkapacita.trimmed(), QStringLiteral("1,2%"));
    EXPECT_EQ(s.Texts.Hhodnoceni, QStringLiteral("nelze hodnotit (Ukončen obsluhou)"));

    EXPECT_EQ(AcceptanceVerdict(120, 80, 1), TVerdict::Passed); // at the threshold whatever ended it
    EXPECT_EQ(AcceptanceVerdict(50, 80, 2), TVerdict::Failed);
    for (int reason : {0, 4, 5, 9})
        EXPECT_EQ(AcceptanceVerdict(50, 80, reason), TVerdict::NotJudged) << reason;
    EXPECT_EQ(VerdictText(TVerdict::NotJudged, 5), QStringLiteral("nelze hodnotit (Timeout)"));
}

TEST(DemoTrend, PlzenForecastReachesTheThresholdOn9June2025AndOtherSetsAreRefused)
{
    LocaleScope cs("cs_CZ");
    const QStringList plzen{Archive + QStringLiteral("Plzen-Doubravka/2025/B0203.txt"),
                            Archive + QStringLiteral("Plzen-Doubravka/2023/B0112.txt"),
                            Archive + QStringLiteral("Plzen-Doubravka/2024/B0157.txt")};
    const TTrend trend = EvaluateTrend(plzen, {}, TEvaluationChoices{}, {}, THealthSettings{});
    ASSERT_EQ(trend.Tests.size(), 3u);
    EXPECT_EQ(trend.Tests[0].Set.Number, QStringLiteral("110V-BAT1"));
    EXPECT_EQ(trend.Tests[0].Set.Locality, QStringLiteral("Plzeň, Doubravka"));

    // By hand: 16. 5. 2023 102 % (612 of 600 min), 14. 5. 2024 92,5 % (555 min),
    // 20. 5. 2025 80,1667 % (481 min); x = 0, 364, 735 days.
    // mean x = 366,3333, mean y = 91,5556; Sxy = -8027,06, Sxx = 270120,67
    // slope = -0,0297166 %/day, intercept = 102,4417 %; 80 % at x = 755,19 → 9. 6. 2025
    const TTrendForecast& f = trend.Forecast;
    EXPECT_EQ(f.Tests, 3);
    EXPECT_EQ(f.First, QDate(2023, 5, 16));
    EXPECT_NEAR(f.Slope, -0.0297166, 1e-6);
    EXPECT_NEAR(f.Intercept, 102.4417, 1e-4);
    ASSERT_TRUE(f.ThresholdDate);
    EXPECT_EQ(*f.ThresholdDate, QDate(2025, 6, 9));
    // the program's short date, said to be reached once it is past
    EXPECT_EQ(ForecastDateText(*f.ThresholdDate, QDate(2026, 1, 1)), QStringLiteral("dosaženo ") + ShortDateText(QDate(2025, 6, 9)));
    EXPECT_EQ(ForecastDateText(*f.ThresholdDate, QDate(2025, 1, 1)), ShortDateText(QDate(2025, 6, 9)));
    // A test that measured nothing (stopped by the operator) gives no point of the line: one
    // measured test left makes no line.
    std::vector<TTrendTest> stopped = trend.Tests;
    stopped[0].Health.EndReason = 1;
    stopped[1].Health.EndReason = 5;
    EXPECT_EQ(ForecastCapacity(stopped, 80).Tests, 1);
    EXPECT_FALSE(ForecastCapacity(stopped, 80).ThresholdDate);

    // "≥" values are no measurement: cell 17 is the only battery measured in two tests.
    const std::vector<TTrendFaller> fallers = BiggestFallers(trend, 10);
    ASSERT_EQ(fallers.size(), 1u);
    EXPECT_EQ(fallers[0].Battery, 17);
    EXPECT_NEAR(fallers[0].Last, 76.5, 1e-9);
    EXPECT_TRUE(std::isnan(trend.Capacity[0][2]));
    EXPECT_NEAR(trend.AtLeast[0][2], 481.0 / 6, 1e-9);

    // Another set among the files: refused, naming the file that differs.
    const TTrend mixed = EvaluateTrend(plzen + QStringList{Archive + QStringLiteral("Jihlava/B0189.txt")}, {},
                                       TEvaluationChoices{}, {}, THealthSettings{});
    EXPECT_TRUE(mixed.Tests.empty());
    EXPECT_EQ(mixed.OtherSetFiles, QStringList{Archive + QStringLiteral("Jihlava/B0189.txt")});
    EXPECT_TRUE(mixed.Refusal.contains(QStringLiteral("Jihlava/B0189.txt")));
}
