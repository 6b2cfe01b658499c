// The graph window on the offscreen platform, driven like a user would.

#include "app/ExePath.h"
#include "app/ProgramState.h"
#include "config/IniFile.h"
#include "presentation/ui/Graf.h"
#include "support/RecordBuilder.h"

#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <qcustomplot.h>

namespace {
void Load(TProgramState& state, int batteries, int rows)
{
    std::initializer_list<int> none{};
    auto record = MakeRecord(none, 0);
    record->RunInfo.BatteryCount = uint8_t(batteries);
    record->RowCount = rows;
    for (int r = 0; r < rows; ++r) {
        record->Rows[r].ElapsedSeconds = r * 30;
        record->Rows[r].TotalVoltage = 12.0f * batteries;
        for (int k = 0; k < batteries; ++k)
            record->Rows[r].Voltages[k] = 12.8f - 0.05f * r - 0.01f * k;
    }
    TakeOverRecord(state.Record(), *record);
    emit state.GraphRebuildRequested();
}

QStringList LegendTitles(QCustomPlot* chart)
{
    QStringList titles;
    for (int i = 0; i < chart->legend->itemCount(); ++i)
        if (auto* item = qobject_cast<QCPPlottableLegendItem*>(chart->legend->item(i)))
            titles << item->plottable()->name();
    return titles;
}
} // namespace

TEST(GrafWindow, RebuildsOnLoadWithButtonsAndExtremeCommands)
{
    TProgramState state;
    TFgraf window(state);
    Load(state, 12, 20);
    EXPECT_FALSE(window.TBXItem7->isVisible());
    EXPECT_TRUE(window.TBXItem7->isVisible() == window.TBXItem8->isVisible());
    Load(state, 13, 20);
    EXPECT_TRUE(window.TBXItem7->isVisible());
    EXPECT_TRUE(window.TBXItem8->isVisible());
    auto* first = window.findChild<QToolButton*>("tb00");
    auto* last = window.findChild<QToolButton*>("tb12");
    ASSERT_TRUE(first && last);
    EXPECT_EQ(last->text(), "13");
    EXPECT_TRUE(last->isChecked());
    EXPECT_EQ(window.Chart()->graphCount(), 14);
    EXPECT_FALSE(window.Chart()->graph(13)->visible()); // total voltage off after a load
    EXPECT_FALSE(window.TBXItem5->isChecked());
    EXPECT_DOUBLE_EQ(window.Chart()->graph(0)->data()->at(3)->key, 1.5); // minutes
}

TEST(GrafWindow, LegendKeepsOrderAndFollowsSada)
{
    TProgramState state;
    TFgraf window(state);
    Load(state, 6, 10);
    window.TBXItem2->trigger(); // Multi off
    window.BatteryButton(1)->click();
    EXPECT_EQ(LegendTitles(window.Chart()), QStringList{"Bat2"});
    window.TBXItem2->trigger(); // Multi on
    window.BatteryButton(4)->click();
    EXPECT_EQ(LegendTitles(window.Chart()), (QStringList{"Bat2", "Bat5"}));
    window.TBXItem3->trigger(); // Sada
    EXPECT_EQ(LegendTitles(window.Chart()), (QStringList{"Bat1", "Bat2"}));
    window.TBXItem5->trigger(); // U celkove
    EXPECT_EQ(LegendTitles(window.Chart()), (QStringList{"Bat1", "Bat2", "Napětí"}));
    EXPECT_EQ(window.Chart()->yAxis->range().upper, RoundHalfEven(72.0 + 0.5));
    window.TBXItem1->trigger(); // All
    EXPECT_EQ(LegendTitles(window.Chart()).size(), 7);
}

// The legend's place is picked in the window's choice and kept in its INI section as
// Legenda: 0 inside the plot, 1 beside it, 2 hidden; a value the choice lacks is inside.
TEST(GrafWindow, LegendInsideBesideOrHiddenIsKeptAsLegenda)
{
    QTemporaryDir dir;
    SetExecutablePath(dir.filePath(QStringLiteral("Vybitor5")));
    const QString ini = dir.filePath(QStringLiteral("Vybitor5.ini"));
    auto writeLegenda = [&](const char* value) {
        QFile file(ini);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("[TFgraf]\r\nLegenda=") + value + "\r\n");
    };
    writeLegenda("1");
    {
        TProgramState state;
        TFgraf window(state);
        Load(state, 108, 50);
        window.resize(1000, 650);
        window.show();
        QCoreApplication::processEvents();
        QCustomPlot* chart = window.Chart();
        chart->replot();
        EXPECT_EQ(window.Legenda->currentIndex(), TFgraf::LegendBeside);
        EXPECT_EQ(chart->legend->layout(), chart->plotLayout());
        EXPECT_TRUE(chart->legend->visible());
        EXPECT_GE(chart->legend->outerRect().left(), chart->axisRect()->outerRect().right()) << "beside, not over the curves";
        // 108 entries in columns as tall as the chart: in a taller window the curves keep most
        // of the width, and no entry falls below the chart.
        window.resize(1000, 1000);
        QCoreApplication::processEvents();
        chart->replot();
        if (qEnvironmentVariableIsSet("VYBITOR_SHOTS"))
            window.grab().save(qEnvironmentVariable("VYBITOR_SHOTS") + "/graf-legend-beside.png");
        EXPECT_GT(chart->axisRect()->outerRect().width(), chart->width() * 2 / 3) << chart->legend->columnCount() << " columns";
        EXPECT_LE(chart->legend->outerRect().bottom(), chart->height());

        QTest::keyClick(window.Legenda, Qt::Key_Down);
        EXPECT_EQ(window.Legenda->currentText(), QStringLiteral("Bez legendy"));
        chart->replot();
        EXPECT_FALSE(chart->legend->visible());
        EXPECT_EQ(chart->plotLayout()->columnCount(), 1) << "the plot takes the width back";

        QTest::keyClick(window.Legenda, Qt::Key_Up);
        QTest::keyClick(window.Legenda, Qt::Key_Up);
        chart->replot();
        EXPECT_EQ(chart->legend->layout(), chart->axisRect()->insetLayout());
        EXPECT_TRUE(chart->legend->visible());
        EXPECT_TRUE(chart->axisRect()->rect().contains(chart->legend->outerRect())) << "inside, as before";

        QTest::keyClick(window.Legenda, Qt::Key_End);
        window.close();
    }
    EXPECT_EQ(TIniFile(ini).ReadInteger(QStringLiteral("TFgraf"), QStringLiteral("Legenda"), -1), TFgraf::LegendHidden);

    writeLegenda("7");
    {
        TProgramState state;
        TFgraf window(state);
        window.show();
        EXPECT_EQ(window.Legenda->currentIndex(), TFgraf::LegendInside);
        EXPECT_EQ(window.Chart()->legend->layout(), window.Chart()->axisRect()->insetLayout());
    }
    SetExecutablePath(QString());
}

TEST(GrafWindow, ScreenshotWithManyBatteries)
{
    TProgramState state;
    TFgraf window(state);
    window.resize(1000, 650);
    Load(state, 40, 200);
    window.show();
    QCoreApplication::processEvents();
    const QImage shot = window.grab().toImage();
    EXPECT_EQ(shot.pixelColor(3, shot.height() - 3), QColor(223, 243, 247));
    if (qEnvironmentVariableIsSet("VYBITOR_SHOTS"))
        shot.save(qEnvironmentVariable("VYBITOR_SHOTS") + "/graf.png");
}
