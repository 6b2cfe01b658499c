#include "model/TextGrid.h"

#include <gtest/gtest.h>

// A list that grows by one row per file found: 100000 rows, a column added on the way and
// a row inserted and deleted, every cell where it was put. Growing used to move every cell
// for each row added, which made this take hours.
TEST(TextGrid, GrowsRowByRowToAHundredThousandRowsKeepingEveryCell)
{
    constexpr int Rows = 100000;
    TTextGrid grid(1, 7);
    for (int r = 1; r <= Rows; ++r) {
        grid.SetCell(0, r, QString::number(r));
        grid.SetCell(6, r, QStringLiteral("x"));
        if (r == Rows / 2)
            grid.SetCell(8, r, QStringLiteral("wide"));
    }
    ASSERT_EQ(grid.RowCount(), Rows + 1);
    ASSERT_EQ(grid.ColCount(), 9);
    grid.InsertRow(10);
    grid.DeleteRow(10);
    for (int r = 1; r <= Rows; r += 997)
        ASSERT_EQ(grid.Cell(0, r), QString::number(r)) << r;
    EXPECT_EQ(grid.Cell(8, Rows / 2), QStringLiteral("wide"));
    EXPECT_EQ(grid.Cell(8, Rows / 2 + 1), QString());
    EXPECT_EQ(grid.Cell(6, Rows), QStringLiteral("x"));
    grid.SetRowCount(3);
    EXPECT_EQ(grid.Cell(0, 2), QStringLiteral("2"));
    EXPECT_EQ(grid.Cell(0, 3), QString());
}
