// What the step grid shows for a step: the cell texts, the row's colours and the
// row image. Desktop-free; the list view only asks.
#pragma once
#include <cstdint>
#include <string>

#include "core/step_record.h"

namespace zorbel {

enum GridColumn { kColumnStep = 0, kColumnAction, kColumnText, kColumnQty, kColumnComment, kColumnCount };

struct GridLook {
    std::string indent_unit = std::string(6, ' ');  // IndentSize spaces
    bool indent_all_columns = false;
    int32_t grid_style = 2;
    uint32_t alt_color = 0xFFF0F0;
    uint32_t skip_text = 0x808080, skip_fill = 0xF0F0F0;
    uint32_t break_text = 0xFFFFFF, break_fill = 0x463A96;
    uint32_t comment_text = 0x00A000, comment_fill = 0xC0FFFF;
    bool comment_italic = true;
};

// The indent unit: `size` spaces, clamped to 0..31.
std::string indent_unit(int32_t size);

// The text of one cell (at most 255 characters, control characters as blanks).
std::string cell_text(const Step& step, int32_t row, int column, const GridLook& look);

enum class RowKind { kComment, kSkipped, kBreakpoint, kPlain };

struct RowColours {
    RowKind kind = RowKind::kPlain;
    bool has_colours = false;  // false: the list's own colours
    uint32_t text = 0;
    uint32_t fill = 0;
};

// The row's colours; `window_text` and `window_fill` are the system colours.
RowColours row_colours(const Step& step, int32_t row, const GridLook& look, uint32_t window_text,
                       uint32_t window_fill);

// The comment drawn across a comment row: the indent prefix and the comment (at most
// 383 characters), line breaks as blanks.
std::string comment_row_text(const Step& step, const GridLook& look);

// The row image: 237 skipped, 238 breakpoint, else the action's icon clamped to 0..511.
int32_t row_image(const Step& step);

}  // namespace zorbel
