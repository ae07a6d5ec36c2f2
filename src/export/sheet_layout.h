#pragma once

#include <QtGlobal>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/sheet_options.h"

namespace sp {

// Why no sheet can be laid out: fewer frames than the division asks for.
inline constexpr const char* kSheetDivisionTooLargeText = QT_TRANSLATE_NOOP(
    "Sparkplume", "分割数が書き出すフレーム数より多いため、並べて保存できません。");

// What the sheet's size readout is when the frames are trimmed: the visible bounds of
// each frame are known only once the frames are rendered, so the readout is the
// sheet before trimming.
inline constexpr const char* kSheetSizeBeforeSharedTrimText =
    QT_TRANSLATE_NOOP("Sparkplume", "切り取り前の大きさです（実際はこれ以下）。");
inline constexpr const char* kSheetSizeBeforeEachTrimText = QT_TRANSLATE_NOOP(
    "Sparkplume", "切り取り前の大きさです。詰めた後の並びと大きさは書き出し後に決まります。");

// A rectangle in the layout drawing's pixels; right and bottom are the far edges.
struct SheetRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const SheetRect&) const = default;
};

// How a cell of the drawing is struck out: a cross for a cell that no frame
// fills, a single diagonal for the cells past the remainder when the frames are
// divided over several sheets.
enum class SheetMark { None, Cross, Diagonal };

struct SheetCell {
    int column = 0;
    int row = 0;
    int index = 0;   // row by row
    SheetRect rect;  // outline; neighbouring cells share their borders
    SheetMark mark = SheetMark::None;
};

// The captions of the rows and the columns: "%1マス" with the count. The dialog
// shows them in the interface's language; "1マス" is a text of its own there.
inline constexpr const char* kCellCountText = QT_TRANSLATE_NOOP("Sparkplume", "%1マス");
inline constexpr const char* kOneCellText = QT_TRANSLATE_NOOP("Sparkplume", "1マス");

// One caption of the drawing: its text, the box it is placed in, and whether it
// warns (red) that the sheet is larger than the screen.
struct SheetCaption {
    std::string text;
    SheetRect box;
    bool red = false;
};

// The shape of a sprite sheet as the layout dialog chooses it: the cells across
// (the slider), the division over several sheets, the rows that follow from
// them, and the small drawing of the grid. Holds no widgets; the dialog feeds it
// the user's input and draws what it reports.
class SheetLayout {
  public:
    // The division remembered between exports starts at this value.
    static constexpr int kInitialDivision = 3;
    // The longer side of the drawn grid, and the point it is centred on.
    static constexpr float kGridSide = 160.0f;
    static constexpr float kGridCentreX = 120.0f;
    static constexpr float kGridCentreY = 100.0f;
    // The division text is read from at most this many characters.
    static constexpr std::size_t kDivisionTextLength = 16;

    // Opens the layout for the exported range and the canvas size, with the
    // remembered division (taken through the edit rule, so the columns are
    // already limited by it).
    SheetLayout(int exportStart, int exportEnd, int exportStep, int frameWidth, int frameHeight,
                int division);

    int sheetCellCount() const { return m_cellCount; }
    float sheetColumns() const { return m_columns; }
    int sheetDivision() const { return m_division; }
    // Enough rows for the cells of one sheet; 0 when nothing can be laid out.
    float sheetRows() const;

    // Cells on one sheet: sheetCellCount / sheetDivision.
    int cellsPerSheet() const { return m_cellCount / m_division; }

    // False when no grid can be made (fewer frames than the division, an empty
    // range, a canvas without area): the caller must refuse the layout.
    bool valid() const;

    // The slider: its range and the thumb position.
    int sliderMinimum() const { return 1; }
    int sliderMaximum() const { return cellsPerSheet(); }
    int sliderPosition() const { return static_cast<int>(m_columns); }
    // The arrows of the division field step within 1 … sheetCellCount.
    int divisionArrowMaximum() const { return m_cellCount; }

    // The division field changed: its text is read like atoi, values below 1
    // become 1, and the columns are limited to the cells of one sheet.
    void editDivisionText(std::string_view text);
    void setDivision(int division);

    // Slider moves: a page to the left stops at one column, a page to the right
    // at the cells of one sheet; dragging the thumb takes its position.
    void pageLeft(int pageSize);
    void pageRight(int pageSize);
    void trackThumb(int position);

    // Size of one cell in the drawing (0 when not valid).
    float cellWidth() const;
    float cellHeight() const;

    // The cells column by column, each column top to bottom; empty when not valid.
    std::vector<SheetCell> cells() const;
    // The grid's top-left (first cell) and its largest right and bottom edges.
    SheetRect gridBounds() const;

    // The sheet's options of the run: the sizes then count the padding and the
    // extruded edges, and a side beyond the size limit is shown in red (the sheet
    // program then starts further sheets).
    void setSheetOptions(const exchange::SheetOptions& options) { m_options = options; }

    // What to say under the readout: why the sizes are those before trimming, or
    // nullptr when the sheet is made as shown.
    const char* sizeNote() const;

    // The finished sheet in pixels.
    int sheetPixelWidth() const;
    int sheetPixelHeight() const;

    // The four captions around the grid: height and width of the sheet in
    // pixels (red when larger than the screen), rows and columns in cells.
    SheetCaption heightCaption(int screenHeight) const;
    SheetCaption widthCaption(int screenWidth) const;
    SheetCaption rowsCaption() const;
    SheetCaption columnsCaption() const;

    // The choice as render.ini records it: "x", "y", "sep".
    struct RenderIniValues {
        int x = 0;
        int y = 0;
        int sep = 1;
        bool operator==(const RenderIniValues&) const = default;
    };
    RenderIniValues renderIniValues() const;

    // The division field's text read with atoi semantics: leading blanks, an
    // optional sign, then digits; anything else ends the number (0 when none).
    // Values beyond int saturate.
    static int readDivisionText(std::string_view text);

  private:
    bool beyondLimit(int side) const;

    int m_cellCount = 0;
    float m_columns = 0.0f;
    int m_division = 1;
    float m_frameWidth = 0.0f;
    float m_frameHeight = 0.0f;
    std::optional<exchange::SheetOptions> m_options;
};

}  // namespace sp
