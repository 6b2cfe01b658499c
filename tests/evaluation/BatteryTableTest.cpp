// The battery table on the offscreen platform: edits reach the core grid, rows are added
// and removed from the keyboard, the title column stays put, and a loaded test fits the
// widths that the test report copies.
#include "app/ProgramState.h"
#include "evaluation/MeasurementTable.h"
#include "evaluation/ShowTest.h"
#include "evaluation/ui/BatteryTable.h"
#include "presentation/TestReport.h"
#include "support/LocaleScope.h"
#include "support/RecordBuilder.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class BatteryTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        state.BatteryGrid = TTextGrid(4, 3);
        state.BatteryGrid.SetCell(0, 1, QStringLiteral("Vnitřní odpor"));
        state.BatteryGrid.SetCell(0, 2, QStringLiteral("Teplota"));
        state.BatteryGrid.SetCell(0, 3, QStringLiteral("Poznámka"));
        table = std::make_unique<TBatteryTable>(state);
        table->resize(600, 130);
        table->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(table.get()));
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(table->Cells(), Qt::Key(key), modifiers);
    }
    QString Title(int gridRow) const { return state.BatteryGrid.Cell(0, gridRow); }

    LocaleScope cs{"cs_CZ"};
    TProgramState state;
    std::unique_ptr<TBatteryTable> table;
};

TEST_F(BatteryTableTest, EditsReachTheGridAndRowsComeAndGoFromTheKeyboard)
{
    QTableView* cells = table->Cells();
    EXPECT_EQ(table->Titles()->model()->data(table->Titles()->model()->index(0, 0)).toString(), Title(1));
    EXPECT_EQ(table->Titles()->columnWidth(0), TBatteryTable::TitleColumnWidth);
    EXPECT_EQ(cells->rowHeight(0), TBatteryTable::RowHeight);

    table->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(table.get()));
    cells->setFocus();
    cells->setCurrentIndex(cells->model()->index(1, 2));
    QTest::keyClick(cells, Qt::Key_3); // typing opens the cell's editor
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, cells);
    QTest::keyClicks(editor, QStringLiteral(",5"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor commits after the key
    EXPECT_EQ(state.BatteryGrid.Cell(2, 2), QStringLiteral("3,5"));

    // Insert: a new row before the current one, titles below move down.
    Key(Qt::Key_Insert);
    ASSERT_EQ(state.BatteryGrid.RowCount(), 5);
    EXPECT_EQ(Title(2), QString());
    EXPECT_EQ(Title(3), QStringLiteral("Teplota"));
    EXPECT_EQ(state.BatteryGrid.Cell(2, 3), QStringLiteral("3,5"));

    // Ctrl+Delete removes the current row; Delete only empties the selected cells.
    cells->setCurrentIndex(cells->model()->index(0, 2));
    Key(Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(state.BatteryGrid.RowCount(), 4);
    EXPECT_EQ(Title(1), QString());
    EXPECT_EQ(Title(2), QStringLiteral("Teplota"));
    cells->setCurrentIndex(cells->model()->index(1, 2));
    Key(Qt::Key_Delete);
    EXPECT_EQ(state.BatteryGrid.Cell(2, 2), QString());
    EXPECT_EQ(Title(2), QStringLiteral("Teplota"));

    // The last data row stays, emptied.
    for (int i = 0; i < 5; ++i)
        Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(state.BatteryGrid.RowCount(), 2);
    EXPECT_EQ(Title(1), QString());
}

TEST_F(BatteryTableTest, LoadedTestGetsItsHeadersAndFittedWidthsTitlesStayInPlace)
{
    auto record = MakeRecord({3, 4, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}, 5);
    TakeOverRecord(state.Record(), *record);
    state.Settings.AutBat = true;
    state.Settings.AutNap = true;
    ShowTest(state);
    FillMeasurementTable(state);

    QTableView* cells = table->Cells();
    EXPECT_EQ(cells->model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Bat. 3"));
    EXPECT_EQ(cells->model()->data(cells->model()->index(0, 4)).toString(), QStringLiteral("Bat8"));
    EXPECT_EQ(cells->model()->data(cells->model()->index(1, 1)).toString(), QStringLiteral("12,50"));
    EXPECT_EQ(cells->model()->data(cells->model()->index(1, 1), Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignRight | Qt::AlignVCenter));

    // Widths fitted to content, the title column included, and kept for the report.
    const int titleWidth = table->Titles()->columnWidth(0);
    EXPECT_GE(titleWidth, table->Titles()->fontMetrics().horizontalAdvance(QStringLiteral("Počáteční napětí")));
    ASSERT_EQ(state.BatteryGridColWidths.size(), 13u);
    EXPECT_EQ(state.BatteryGridColWidths[0], titleWidth);
    EXPECT_EQ(state.BatteryGridColWidths[1], cells->columnWidth(1));
    EXPECT_TRUE(cells->isColumnHidden(0));
    EXPECT_TRUE(table->Titles()->isColumnHidden(1));

    // A later change of the grid (emptying before a download) keeps the widths.
    ClearBatteryCells(state);
    EXPECT_EQ(table->Titles()->columnWidth(0), titleWidth);
    EXPECT_EQ(cells->model()->data(cells->model()->index(0, 4)).toString(), QString());
    EXPECT_EQ(Title(1), QStringLiteral("Čísla baterií"));

    // The battery columns scroll under the fixed title column.
    const QPoint titlesAt = table->Titles()->pos();
    cells->horizontalScrollBar()->setValue(cells->horizontalScrollBar()->maximum());
    EXPECT_GT(cells->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(table->Titles()->pos(), titlesAt);

    // A user-resized column is what the report gets.
    cells->setColumnWidth(5, 90);
    EXPECT_EQ(state.BatteryGridColWidths[5], 90);

    // The report's rows follow the screen's: each the row's height less 6 below the last.
    const TTestReportContent report = PrepareTestReport(state);
    double tops[2] = {};
    for (const TReportLabel& label : report.Labels)
        for (int r : {0, 1})
            if (label.Text == Title(r + 1))
                tops[r] = label.Box.top();
    EXPECT_EQ(tops[1] - tops[0], cells->rowHeight(0) - 6);
}

TEST_F(BatteryTableTest, RowsScrollTogether)
{
    state.BatteryGrid.SetRowCount(30);
    emit state.BatteryGridChanged();
    QCoreApplication::processEvents();
    ASSERT_GT(table->Cells()->verticalScrollBar()->maximum(), 10);
    table->Cells()->verticalScrollBar()->setValue(10);
    EXPECT_EQ(table->Titles()->verticalScrollBar()->value(), 10);
    table->Titles()->verticalScrollBar()->setValue(4);
    EXPECT_EQ(table->Cells()->verticalScrollBar()->value(), 4);
}

} // namespace
