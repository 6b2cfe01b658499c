// The data window with many battery columns: the sample numbers stay in sight.
#include "evaluation/ui/Data.h"

#include "app/ProgramState.h"
#include "evaluation/LoadChain.h"
#include "support/RecordBuilder.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <gtest/gtest.h>

TEST(DataWindow, SampleNumbersStayWhileTheBatteryColumnsScroll)
{
    TProgramState state;
    TakeOverRecord(state.Record(), *MakeStringRecord(108, 500));
    TFdata window(state);
    window.resize(640, 480);
    window.show();
    ShowLoadedTest(state);
    QCoreApplication::processEvents();

    TFrozenColumnView* grid = window.Grid();
    QTableView* frozen = grid->FrozenColumn();
    ASSERT_TRUE(frozen->isVisible());
    EXPECT_EQ(frozen->model()->columnCount(), 5 + 108);
    EXPECT_FALSE(frozen->isColumnHidden(0));
    EXPECT_TRUE(frozen->isColumnHidden(1));
    EXPECT_TRUE(frozen->isColumnHidden(5 + 107)) << "columns of a newly loaded test are hidden too";
    EXPECT_EQ(frozen->width(), grid->columnWidth(0));

    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
    QCoreApplication::processEvents();
    EXPECT_GT(grid->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(frozen->geometry().left(), grid->frameWidth());
    EXPECT_EQ(frozen->verticalScrollBar()->value(), grid->verticalScrollBar()->value());
    // The row at the top of both is the same sample.
    EXPECT_EQ(frozen->rowAt(0), grid->rowAt(0));
    EXPECT_EQ(frozen->model()->index(frozen->rowAt(0), 0).data().toString(), QString::number(grid->rowAt(0) + 1));

    // A selected row is selected in both.
    grid->selectRow(3);
    EXPECT_TRUE(frozen->selectionModel()->isRowSelected(3, {}));
}
