#include "app/ProgramState.h"
#include "evaluation/MeasurementTable.h"
#include "support/LocaleScope.h"
#include "support/RecordBuilder.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(MeasurementTable, CellsFormattedOnDemand)
{
    for (const char* locale : {"cs_CZ", "en_US"}) {
        LocaleScope scope(locale);
        const QString sep = DecimalSeparator();
        auto r = MakeRecord({12, 3}, 2);
        r->Rows[0].CurrentA = 10.04f;
        r->Rows[0].CurrentB = 0.02f;
        EXPECT_EQ(MeasurementCellText(*r, 0, 0), QStringLiteral("#"));
        EXPECT_EQ(MeasurementCellText(*r, 1, 0), QStringLiteral("Čas[s]"));
        EXPECT_EQ(MeasurementCellText(*r, 5, 0), QStringLiteral("Bat. 12"));
        EXPECT_EQ(MeasurementCellText(*r, 0, 1), QStringLiteral("1"));
        EXPECT_EQ(MeasurementCellText(*r, 1, 2), QStringLiteral("10"));
        EXPECT_EQ(MeasurementCellText(*r, 2, 1), QString(QStringLiteral("10.1")).replace(u'.', sep));
        EXPECT_EQ(MeasurementCellText(*r, 3, 1), QString(QStringLiteral("24.0")).replace(u'.', sep));
        EXPECT_EQ(MeasurementCellText(*r, 4, 1), QString(QStringLiteral("20.0")).replace(u'.', sep));
        EXPECT_EQ(MeasurementCellText(*r, 6, 2), QString(QStringLiteral("12.39")).replace(u'.', sep));
        EXPECT_EQ(MeasurementCellText(*r, 7, 1), QString());
    }
}

TEST(MeasurementTable, FillFollowsEachLoad)
{
    LocaleScope en("en_US");
    TProgramState s;
    TMeasurementTableModel model(s);
    QSignalSpy graph(&s, &TProgramState::GraphRebuildRequested);
    auto r3 = MakeRecord({1, 2, 3}, 100);
    r3->Rows[99].ElapsedSeconds = 3600;
    TakeOverRecord(s.Record(), *r3);
    FillMeasurementTable(s);
    EXPECT_EQ(MeasurementColCount(s.Record()), 8);
    EXPECT_EQ(model.columnCount(), 8);
    EXPECT_EQ(model.rowCount(), 100);
    EXPECT_EQ(model.headerData(7, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Bat. 3"));
    EXPECT_EQ(s.Texts.Hdelka_testu, QStringLiteral(" 60.0min  "));
    EXPECT_EQ(s.BatteryGrid.ColCount(), 4);
    EXPECT_EQ(graph.count(), 1);

    auto r1 = MakeRecord({5}, 0);
    TakeOverRecord(s.Record(), *r1);
    FillMeasurementTable(s);
    EXPECT_EQ(model.columnCount(), 6);
    EXPECT_EQ(model.rowCount(), 1); // one empty data row
    EXPECT_EQ(model.data(model.index(0, 1), Qt::DisplayRole).toString(), QString());
    EXPECT_EQ(s.Texts.Hdelka_testu, QStringLiteral("  0.0min  "));
    EXPECT_EQ(s.BatteryGrid.ColCount(), 2);
}

TEST(MeasurementTable, GraphRebuiltEvenWhenTheDurationIsBad)
{
    TProgramState s;
    auto r = MakeRecord({1}, 3);
    TakeOverRecord(s.Record(), *r);
    s.Texts.Gtypzk = QStringLiteral("abc");
    s.Texts.Hvproud = QStringLiteral("x");
    QSignalSpy graph(&s, &TProgramState::GraphRebuildRequested);
    EXPECT_ANY_THROW(FillMeasurementTable(s));
    EXPECT_EQ(graph.count(), 1);
}
