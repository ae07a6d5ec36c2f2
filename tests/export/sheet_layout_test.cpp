#include "export/sheet_layout.h"

#include <gtest/gtest.h>

#include <climits>

namespace sp {
namespace {

// 30 frames exported one by one on a 256 × 256 canvas, the most common case.
SheetLayout thirtyFrames(int division) {
    return SheetLayout(1, 30, 1, 256, 256, division);
}

int countMarks(const std::vector<SheetCell>& cells, SheetMark mark) {
    int n = 0;
    for (const SheetCell& cell : cells) n += cell.mark == mark ? 1 : 0;
    return n;
}

TEST(SheetLayoutOpening, CellsColumnsAndRowsFollowTheRangeAndDivision) {
    SheetLayout one = thirtyFrames(1);
    EXPECT_EQ(one.sheetCellCount(), 30);
    EXPECT_EQ(one.sheetColumns(), 5.0f);
    EXPECT_EQ(one.sheetRows(), 6.0f);
    EXPECT_EQ(one.sliderMaximum(), 30);
    EXPECT_EQ(one.divisionArrowMaximum(), 30);
    EXPECT_TRUE(one.valid());

    SheetLayout three = thirtyFrames(3);
    EXPECT_EQ(three.cellsPerSheet(), 10);
    EXPECT_EQ(three.sliderMaximum(), 10);
    EXPECT_EQ(three.sheetColumns(), 5.0f);
    EXPECT_EQ(three.sheetRows(), 2.0f);
    EXPECT_EQ(three.renderIniValues(), (SheetLayout::RenderIniValues{5, 2, 3}));
}

TEST(SheetLayoutOpening, StepAndStartShrinkTheCellCount) {
    // 1 … 30 every third frame: 10 cells, 3 columns, and 10 / 3 rounds to 3 rows,
    // one short, so a fourth row is added.
    SheetLayout stepped(1, 30, 3, 64, 64, 1);
    EXPECT_EQ(stepped.sheetCellCount(), 10);
    EXPECT_EQ(stepped.sheetColumns(), 3.0f);
    EXPECT_EQ(stepped.sheetRows(), 4.0f);

    EXPECT_EQ(SheetLayout(2, 30, 2, 64, 64, 1).sheetCellCount(), 14);
    EXPECT_EQ(SheetLayout(5, 5, 1, 64, 64, 1).sheetCellCount(), 1);
}

TEST(SheetLayoutOpening, ColumnsAreLimitedByTheRememberedDivision) {
    // 30 cells open at 5 columns; with 10 sheets only 3 cells remain per sheet.
    SheetLayout layout = thirtyFrames(10);
    EXPECT_EQ(layout.sheetColumns(), 3.0f);
    EXPECT_EQ(layout.sliderMaximum(), 3);
    EXPECT_EQ(layout.sheetRows(), 1.0f);
}

TEST(SheetLayoutRows, AlwaysEnoughButNeverASpareRow) {
    for (int cells = 1; cells <= 120; ++cells) {
        for (int division = 1; division <= 4; ++division) {
            SheetLayout layout(1, cells, 1, 32, 32, division);
            const int n = layout.cellsPerSheet();
            if (n < 1) {
                EXPECT_FALSE(layout.valid()) << cells << " / " << division;
                continue;
            }
            for (int columns = 1; columns <= n; ++columns) {
                layout.trackThumb(columns);
                const int rows = static_cast<int>(layout.sheetRows());
                ASSERT_GE(rows * columns, n) << cells << " cells, " << columns << " columns";
                ASSERT_LT((rows - 1) * columns, n) << cells << " cells, " << columns << " columns";
            }
        }
    }
}

TEST(SheetLayoutDivision, TextIsReadLikeAtoiAndNeverBelowOne) {
    SheetLayout layout = thirtyFrames(3);
    layout.editDivisionText("0");
    EXPECT_EQ(layout.sheetDivision(), 1);
    EXPECT_EQ(layout.sliderMaximum(), 30);

    layout.editDivisionText(" 6x");
    EXPECT_EQ(layout.sheetDivision(), 6);
    EXPECT_EQ(layout.sliderMaximum(), 5);

    for (const char* text : {"", "-4", "abc", "+0", "x5"}) {
        layout.editDivisionText(text);
        EXPECT_EQ(layout.sheetDivision(), 1) << '"' << text << '"';
    }

    // Only the first 16 characters of the field count.
    layout.editDivisionText("00000000000000005");
    EXPECT_EQ(layout.sheetDivision(), 1);
    layout.editDivisionText("0000000000000005");
    EXPECT_EQ(layout.sheetDivision(), 5);

    EXPECT_EQ(SheetLayout::readDivisionText("99999999999999"), INT_MAX);
    EXPECT_EQ(SheetLayout::readDivisionText("-99999999999999"), INT_MIN);
}

TEST(SheetLayoutDivision, ColumnsShrinkWithTheDivisionAndDoNotGrowBack) {
    SheetLayout layout = thirtyFrames(1);
    layout.editDivisionText("10");
    EXPECT_EQ(layout.sheetColumns(), 3.0f);
    layout.editDivisionText("1");
    EXPECT_EQ(layout.sheetColumns(), 3.0f);
    EXPECT_EQ(layout.sliderMaximum(), 30);
    EXPECT_EQ(layout.sheetRows(), 10.0f);
}

TEST(SheetLayoutSlider, PagingStopsAtOneAndAtTheCellsOfOneSheet) {
    SheetLayout layout = thirtyFrames(3);
    layout.pageLeft(3);
    EXPECT_EQ(layout.sheetColumns(), 2.0f);
    layout.pageLeft(3);
    EXPECT_EQ(layout.sheetColumns(), 1.0f);
    layout.pageLeft(3);
    EXPECT_EQ(layout.sheetColumns(), 1.0f);
    EXPECT_EQ(layout.sheetRows(), 10.0f);

    layout.pageRight(6);
    EXPECT_EQ(layout.sheetColumns(), 7.0f);
    layout.pageRight(6);
    EXPECT_EQ(layout.sheetColumns(), 10.0f);
    EXPECT_EQ(layout.sheetRows(), 1.0f);

    layout.trackThumb(4);
    EXPECT_EQ(layout.sheetColumns(), 4.0f);
    EXPECT_EQ(layout.sliderPosition(), 4);
    EXPECT_EQ(layout.sheetRows(), 3.0f);
}

TEST(SheetLayoutDrawing, CellsFitTheLongerSideIntoTheGrid) {
    // 200 × 100 frames, 4 across and 3 down: the sheet is wider than tall.
    SheetLayout wide(1, 12, 1, 200, 100, 1);
    wide.trackThumb(4);
    ASSERT_EQ(wide.sheetRows(), 3.0f);
    EXPECT_FLOAT_EQ(wide.cellWidth(), 40.0f);
    EXPECT_FLOAT_EQ(wide.cellHeight(), 20.0f);

    // The same frames standing up: the grid is taller than wide.
    SheetLayout tall(1, 12, 1, 100, 200, 1);
    tall.trackThumb(3);
    ASSERT_EQ(tall.sheetRows(), 4.0f);
    EXPECT_FLOAT_EQ(tall.cellHeight(), 40.0f);
    EXPECT_FLOAT_EQ(tall.cellWidth(), 20.0f);
}

TEST(SheetLayoutDrawing, GridIsCentredAndNeighboursShareBorders) {
    SheetLayout layout(1, 12, 1, 200, 100, 1);
    layout.trackThumb(4);
    const std::vector<SheetCell> cells = layout.cells();
    ASSERT_EQ(cells.size(), 12u);
    // Column by column, each column top to bottom.
    EXPECT_EQ(cells[0].rect, (SheetRect{40, 70, 82, 92}));
    EXPECT_EQ(cells[1].rect, (SheetRect{40, 90, 82, 112}));
    EXPECT_EQ(cells[3].rect, (SheetRect{80, 70, 122, 92}));
    EXPECT_EQ(cells[11].rect, (SheetRect{160, 110, 202, 132}));
    EXPECT_EQ(cells[1].index, 4);  // row 1, column 0, counted row by row
    EXPECT_EQ(layout.gridBounds(), (SheetRect{40, 70, 202, 132}));

    // A third of a 160-pixel grid: the positions round, the far edges overlap.
    SheetLayout thirds = thirtyFrames(1);
    const std::vector<SheetCell> square = thirds.cells();
    ASSERT_EQ(square.size(), 30u);
    EXPECT_EQ(square[0].rect, (SheetRect{53, 20, 82, 49}));
    EXPECT_EQ(square[6].rect.left, 80);
    EXPECT_EQ(square[1].rect.top, 47);
}

TEST(SheetLayoutDrawing, EmptyCellsAreCrossedWithOneSheet) {
    EXPECT_EQ(countMarks(thirtyFrames(1).cells(), SheetMark::None), 30);

    // 10 cells on 3 × 4: the last two cells are left empty.
    SheetLayout layout(1, 10, 1, 64, 64, 1);
    const std::vector<SheetCell> cells = layout.cells();
    ASSERT_EQ(cells.size(), 12u);
    for (const SheetCell& cell : cells)
        EXPECT_EQ(cell.mark, cell.index >= 10 ? SheetMark::Cross : SheetMark::None) << cell.index;
}

TEST(SheetLayoutDrawing, SeveralSheetsMarkCellsPastTheRemainder) {
    // 30 cells on 3 sheets of 5 × 2: 30 mod 10 = 0, so only the first cell is plain.
    const std::vector<SheetCell> cells = thirtyFrames(3).cells();
    ASSERT_EQ(cells.size(), 10u);
    for (const SheetCell& cell : cells)
        EXPECT_EQ(cell.mark, cell.index == 0 ? SheetMark::None : SheetMark::Diagonal) << cell.index;

    // 30 cells on 4 sheets of 7 (3 × 3 grid): 30 mod 9 = 3, cells 0 … 3 plain.
    SheetLayout four = thirtyFrames(4);
    ASSERT_EQ(four.sheetColumns(), 5.0f);
    four.trackThumb(3);
    EXPECT_EQ(countMarks(four.cells(), SheetMark::None), 4);
    EXPECT_EQ(countMarks(four.cells(), SheetMark::Diagonal), 5);
    EXPECT_EQ(countMarks(four.cells(), SheetMark::Cross), 0);
}

TEST(SheetLayoutCaptions, SizesInPixelsAndCellsWithTheScreenWarning) {
    // 256 × 256, 10 across, 1 down.
    SheetLayout layout(1, 10, 1, 256, 256, 1);
    layout.trackThumb(10);
    ASSERT_EQ(layout.sheetRows(), 1.0f);

    const SheetCaption width = layout.widthCaption(1920);
    EXPECT_EQ(width.text, "2560pixel");
    EXPECT_TRUE(width.red);
    EXPECT_TRUE(layout.widthCaption(2559).red);
    EXPECT_FALSE(layout.widthCaption(2560).red);

    const SheetCaption height = layout.heightCaption(1080);
    EXPECT_EQ(height.text, "256pixel");
    EXPECT_FALSE(height.red);
    EXPECT_TRUE(layout.heightCaption(255).red);

    EXPECT_EQ(layout.rowsCaption().text, "1マス");
    EXPECT_EQ(layout.columnsCaption().text, "10マス");
    EXPECT_EQ(layout.renderIniValues(), (SheetLayout::RenderIniValues{10, 1, 1}));

    // The captions stand around the grid: height to the right, width below,
    // rows to the left, columns above.
    const SheetRect g = layout.gridBounds();
    EXPECT_EQ(height.box.left, g.right + 5);
    EXPECT_EQ(width.box.top, g.bottom + 5);
    EXPECT_EQ(layout.rowsCaption().box.right, g.left - 5);
    EXPECT_EQ(layout.columnsCaption().box.bottom, g.top - 5);
}

TEST(SheetLayoutEmpty, FewerFramesThanSheetsCannotBeLaidOut) {
    // Two frames on three sheets: no cells per sheet.
    SheetLayout layout(1, 2, 1, 256, 256, 3);
    EXPECT_EQ(layout.cellsPerSheet(), 0);
    EXPECT_FALSE(layout.valid());
    EXPECT_EQ(layout.sheetRows(), 0.0f);
    EXPECT_EQ(layout.cellWidth(), 0.0f);
    EXPECT_EQ(layout.cellHeight(), 0.0f);
    EXPECT_TRUE(layout.cells().empty());
    EXPECT_EQ(layout.sheetPixelHeight(), 0);
    layout.pageLeft(1);
    layout.pageRight(1);
    layout.trackThumb(1);
    EXPECT_FALSE(layout.valid());
    (void)layout.heightCaption(1080);
    (void)layout.rowsCaption();

    // Back to one sheet: the layout recovers with at least one column.
    layout.editDivisionText("1");
    EXPECT_TRUE(layout.valid());
    EXPECT_EQ(layout.sheetColumns(), 1.0f);
    EXPECT_EQ(layout.sheetRows(), 2.0f);
}

TEST(SheetLayoutEmpty, BrokenRangesGiveNoCells) {
    for (const SheetLayout& layout :
         {SheetLayout(1, 30, 0, 256, 256, 1), SheetLayout(1, 30, -2, 256, 256, 1),
          SheetLayout(10, 5, 1, 256, 256, 1), SheetLayout(1, 30, 1, 0, 256, 1)}) {
        EXPECT_FALSE(layout.valid());
        EXPECT_TRUE(layout.cells().empty());
        EXPECT_GE(layout.sheetCellCount(), 0);
    }
}

}  // namespace
}  // namespace sp

namespace sp {
namespace {

TEST(SheetLayoutOptions, TheSizesCountPaddingEdgesAndPowersOfTwoAndWarnBeyondTheLimit) {
    SheetLayout layout = thirtyFrames(1);  // 5 × 6 cells of 256
    EXPECT_EQ(layout.sheetPixelWidth(), 1280);
    EXPECT_FALSE(layout.widthCaption(INT_MAX).red);
    exchange::SheetOptions o;
    o.padding = 2;
    o.extrude = 1;
    layout.setSheetOptions(o);
    EXPECT_EQ(layout.sheetPixelWidth(), 2 + 5 * (256 + 2 + 2));
    EXPECT_EQ(layout.sheetPixelHeight(), 2 + 6 * (256 + 2 + 2));
    EXPECT_EQ(layout.widthCaption(INT_MAX).text, "1302pixel");
    o.powerOfTwo = true;
    layout.setSheetOptions(o);
    EXPECT_EQ(layout.sheetPixelWidth(), 2048);
    // Beyond the size limit the sizes turn red even on a screen large enough.
    o.maxSize = 1024;
    layout.setSheetOptions(o);
    EXPECT_TRUE(layout.widthCaption(INT_MAX).red);
    EXPECT_TRUE(layout.heightCaption(INT_MAX).red);
    layout.trackThumb(3);  // 3 × 10: 1024 wide fits, 4096 high does not
    EXPECT_FALSE(layout.widthCaption(INT_MAX).red);
    EXPECT_TRUE(layout.heightCaption(INT_MAX).red);
}

// Trimming is known only once the frames exist: the readout says it is the sheet
// before trimming, and for packed frames that the layout is not the one shown.
TEST(SheetLayoutOptions, TrimmedSheetsSayTheirSizesAreBeforeTrimming) {
    SheetLayout layout = thirtyFrames(1);
    EXPECT_EQ(layout.sizeNote(), nullptr);
    exchange::SheetOptions o;
    layout.setSheetOptions(o);
    EXPECT_EQ(layout.sizeNote(), nullptr);
    o.trim = exchange::Trim::Shared;
    layout.setSheetOptions(o);
    EXPECT_STREQ(layout.sizeNote(), kSheetSizeBeforeSharedTrimText);
    o.trim = exchange::Trim::Each;
    layout.setSheetOptions(o);
    EXPECT_STREQ(layout.sizeNote(), kSheetSizeBeforeEachTrimText);
    // The sizes themselves stay those of the untrimmed grid.
    EXPECT_EQ(layout.sheetPixelWidth(), 1280);
}

}  // namespace
}  // namespace sp
