#include "export/sheet_layout.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "project/file_commands.h"

namespace sp {
namespace {

std::string pixelCount(int value) {
    return std::to_string(value) + "pixel";
}

std::string cellCount(int value) {
    return formatMessage(kCellCountText, {std::to_string(value)});
}

}  // namespace

SheetLayout::SheetLayout(int exportStart, int exportEnd, int exportStep, int frameWidth,
                         int frameHeight, int division)
    : m_frameWidth(static_cast<float>(frameWidth)), m_frameHeight(static_cast<float>(frameHeight)) {
    // A step below 1 or a reversed range gives no cells rather than a division by
    // zero or a negative count; the export refuses such settings before this.
    if (exportStep >= 1) {
        const int64_t span =
            static_cast<int64_t>(exportEnd) - static_cast<int64_t>(exportStart) + 1;
        const int64_t cells = span / exportStep;
        m_cellCount = static_cast<int>(std::clamp<int64_t>(cells, 0, INT_MAX));
    }
    m_columns = static_cast<float>(static_cast<int>(std::sqrt(static_cast<float>(m_cellCount))));
    setDivision(division);
}

float SheetLayout::sheetRows() const {
    const int n = cellsPerSheet();
    if (n < 1 || m_columns < 1.0f) return 0.0f;
    float rows = static_cast<float>(static_cast<int>(static_cast<float>(n) / m_columns + 0.5));
    if (static_cast<float>(n) > rows * m_columns) rows += 1.0f;
    return rows;
}

bool SheetLayout::valid() const {
    return cellsPerSheet() >= 1 && m_columns >= 1.0f && m_frameWidth >= 1.0f &&
           m_frameHeight >= 1.0f;
}

int SheetLayout::readDivisionText(std::string_view text) {
    std::size_t i = 0;
    auto isBlank = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<int64_t>(INT_MAX) + 1) value = static_cast<int64_t>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

void SheetLayout::editDivisionText(std::string_view text) {
    setDivision(readDivisionText(text.substr(0, std::min(text.size(), kDivisionTextLength))));
}

void SheetLayout::setDivision(int division) {
    m_division = division < 1 ? 1 : division;
    const int perSheet = cellsPerSheet();
    if (m_columns > static_cast<float>(perSheet)) m_columns = static_cast<float>(perSheet);
    // A division that once left no cells has brought the columns down to 0; the
    // slider cannot stand below 1, so neither do the columns once cells return.
    if (perSheet >= 1 && m_columns < 1.0f) m_columns = 1.0f;
}

void SheetLayout::pageLeft(int pageSize) {
    if (cellsPerSheet() < 1) return;
    m_columns = std::clamp(m_columns - static_cast<float>(pageSize), 1.0f,
                           static_cast<float>(cellsPerSheet()));
}

void SheetLayout::pageRight(int pageSize) {
    if (cellsPerSheet() < 1) return;
    m_columns = std::clamp(m_columns + static_cast<float>(pageSize), 1.0f,
                           static_cast<float>(cellsPerSheet()));
}

void SheetLayout::trackThumb(int position) {
    if (cellsPerSheet() < 1) return;
    m_columns = static_cast<float>(std::clamp(position, 1, cellsPerSheet()));
}

float SheetLayout::cellWidth() const {
    if (!valid()) return 0.0f;
    const float rows = sheetRows();
    if (m_frameWidth * m_columns > rows * m_frameHeight) return kGridSide / m_columns;
    const float height = kGridSide / rows;
    return height / (m_frameHeight / m_frameWidth);
}

float SheetLayout::cellHeight() const {
    if (!valid()) return 0.0f;
    const float rows = sheetRows();
    if (m_frameWidth * m_columns > rows * m_frameHeight) {
        const float width = kGridSide / m_columns;
        return width / (m_frameWidth / m_frameHeight);
    }
    return kGridSide / rows;
}

std::vector<SheetCell> SheetLayout::cells() const {
    std::vector<SheetCell> result;
    if (!valid()) return result;
    const float rows = sheetRows();
    const float cw = cellWidth();
    const float ch = cellHeight();
    // The marks follow the float arithmetic of the drawing, index row by row.
    const int cellsOnSheets = static_cast<int>(rows * m_columns);
    const int remainder = m_cellCount % cellsOnSheets;
    for (int c = 0; static_cast<float>(c) < m_columns; ++c) {
        for (int r = 0; static_cast<float>(r) < rows; ++r) {
            SheetCell cell;
            cell.column = c;
            cell.row = r;
            const int x =
                static_cast<int>(static_cast<double>(static_cast<float>(c) * cw + kGridCentreX) -
                                 static_cast<double>(cw * m_columns) * 0.5 + 0.5);
            const int y =
                static_cast<int>(static_cast<double>(static_cast<float>(r) * ch + kGridCentreY) -
                                 static_cast<double>(ch * rows) * 0.5 + 0.5);
            // The +2 makes neighbouring outlines overlap, so they share one line.
            cell.rect.left = static_cast<int>(static_cast<double>(x) + 0.5);
            cell.rect.top = static_cast<int>(static_cast<double>(y) + 0.5);
            cell.rect.right =
                static_cast<int>(static_cast<double>(static_cast<float>(x) + cw + 2.0f) + 0.5);
            cell.rect.bottom =
                static_cast<int>(static_cast<double>(static_cast<float>(y) + ch + 2.0f) + 0.5);
            const float index = static_cast<float>(r) * m_columns + static_cast<float>(c);
            cell.index = static_cast<int>(index);
            if (m_division == 1) {
                if (index > static_cast<float>(m_cellCount - 1)) cell.mark = SheetMark::Cross;
            } else if (index > static_cast<float>(remainder)) {
                cell.mark = SheetMark::Diagonal;
            }
            result.push_back(cell);
        }
    }
    return result;
}

SheetRect SheetLayout::gridBounds() const {
    const std::vector<SheetCell> all = cells();
    if (all.empty()) return {};
    SheetRect bounds{all.front().rect.left, all.front().rect.top, INT_MIN, INT_MIN};
    for (const SheetCell& cell : all) {
        bounds.right = std::max(bounds.right, cell.rect.right);
        bounds.bottom = std::max(bounds.bottom, cell.rect.bottom);
    }
    return bounds;
}

namespace {

// One side of the sheet: the cells with their edges and padding, rounded up to
// a power of two when asked.
int spacedSide(int cells, int frameSide, const exchange::SheetOptions& o) {
    long long side = o.padding + cells * exchange::cellStride(frameSide, o);
    if (o.powerOfTwo) {
        long long p = 1;
        while (p < side) p *= 2;
        side = p;
    }
    return static_cast<int>(std::min<long long>(side, INT_MAX));
}

}  // namespace

int SheetLayout::sheetPixelWidth() const {
    if (m_options)
        return spacedSide(static_cast<int>(m_columns), static_cast<int>(m_frameWidth), *m_options);
    return static_cast<int>(m_frameWidth * m_columns);
}

int SheetLayout::sheetPixelHeight() const {
    if (m_options)
        return spacedSide(static_cast<int>(sheetRows()), static_cast<int>(m_frameHeight),
                          *m_options);
    return static_cast<int>(sheetRows() * m_frameHeight);
}

const char* SheetLayout::sizeNote() const {
    if (!m_options) return nullptr;
    switch (m_options->trim) {
        case exchange::Trim::Shared:
            return kSheetSizeBeforeSharedTrimText;
        case exchange::Trim::Each:
            return kSheetSizeBeforeEachTrimText;
        case exchange::Trim::None:
            break;
    }
    return nullptr;
}

bool SheetLayout::beyondLimit(int side) const {
    return m_options && side > exchange::usableSheetSide(*m_options);
}

SheetCaption SheetLayout::heightCaption(int screenHeight) const {
    const SheetRect g = gridBounds();
    return {pixelCount(sheetPixelHeight()),
            {g.right + 5, g.top - 50, g.right + 100, g.bottom + 50},
            sheetRows() * m_frameHeight > static_cast<float>(screenHeight) ||
                beyondLimit(sheetPixelHeight())};
}

SheetCaption SheetLayout::widthCaption(int screenWidth) const {
    const SheetRect g = gridBounds();
    return {pixelCount(sheetPixelWidth()),
            {g.left - 200, g.bottom + 5, g.right + 200, g.bottom + 50},
            m_frameWidth * m_columns > static_cast<float>(screenWidth) ||
                beyondLimit(sheetPixelWidth())};
}

SheetCaption SheetLayout::rowsCaption() const {
    const SheetRect g = gridBounds();
    return {cellCount(static_cast<int>(sheetRows())),
            {g.left - 100, g.top - 50, g.left - 5, g.bottom + 50},
            false};
}

SheetCaption SheetLayout::columnsCaption() const {
    const SheetRect g = gridBounds();
    return {cellCount(static_cast<int>(m_columns)),
            {g.left - 200, g.top - 100, g.right + 200, g.top - 5},
            false};
}

SheetLayout::RenderIniValues SheetLayout::renderIniValues() const {
    return {static_cast<int>(m_columns), static_cast<int>(sheetRows()), m_division};
}

}  // namespace sp
