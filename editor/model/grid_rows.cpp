#include "editor/model/grid_rows.h"

#include <algorithm>

#include "core/action_catalogue.h"
#include "core/text_rules.h"

namespace zorbel {

namespace {

constexpr size_t kCellLimit = 255;
constexpr size_t kCommentRowLimit = 383;
constexpr int32_t kMaxIndentRepeats = 64;

std::string prefix_of(const Step& step, const GridLook& look) {
    std::string prefix;
    const int32_t repeats = std::min(std::max(step.indents, 0), kMaxIndentRepeats);
    for (int32_t i = 0; i < repeats; ++i) prefix += look.indent_unit;
    return prefix;
}

std::string shown(std::string text, size_t limit) {
    if (text.size() > limit) text.resize(limit);
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 32) c = ' ';
    return text;
}

std::string value_part(const Step& step) {
    if (step.family == kFamilyFiles) return std::string(field_text(step.value[0]));
    if (!step.text.empty()) return step.text;
    if (!field_text(step.variable).empty()) return std::string(field_text(step.variable));
    if (step.family == kFamilyRecording) return std::string(field_text(step.value[0])) + " Events";
    const std::string_view x = field_text(step.value[0]), y = field_text(step.value[1]);
    if (!x.empty() && !y.empty()) return "(" + std::string(x) + ", " + std::string(y) + ")";
    return std::string(x);
}

std::string result_part(const Step& step) {
    if (!starts_with_ignore_case(field_text(step.action), "Create/")) return "";
    if (field_text(step.variable).empty() || step.text.empty()) return "";
    return std::string(field_text(step.variable)) + " = ";
}

}  // namespace

std::string indent_unit(int32_t size) { return std::string(static_cast<size_t>(std::clamp(size, 0, 31)), ' '); }

std::string cell_text(const Step& step, int32_t row, int column, const GridLook& look) {
    const std::string prefix = prefix_of(step, look);
    const std::string column_prefix = look.indent_all_columns ? prefix : std::string();
    std::string text;
    switch (column) {
        case kColumnStep: text = column_prefix + std::to_string(row + 1); break;
        case kColumnAction: text = prefix + std::string(field_text(step.action)); break;
        case kColumnText: text = prefix + result_part(step) + value_part(step); break;
        case kColumnQty: text = column_prefix + std::string(field_text(step.timeout)); break;
        case kColumnComment: text = column_prefix + step.comment; break;
        default: text = column_prefix + "???"; break;
    }
    return shown(std::move(text), kCellLimit);
}

RowColours row_colours(const Step& step, int32_t row, const GridLook& look, uint32_t window_text,
                       uint32_t window_fill) {
    RowColours c;
    if (equals_ignore_case(field_text(step.action), "Comment")) {
        c = {RowKind::kComment, true, look.comment_text, look.comment_fill};
    } else if (step.status == kStatusSkip) {
        c = {RowKind::kSkipped, true, look.skip_text, look.skip_fill};
    } else if (step.status == kStatusBreakpoint) {
        c = {RowKind::kBreakpoint, true, look.break_text, look.break_fill};
    } else if (look.grid_style == 1) {
        c = {RowKind::kPlain, true, window_text, row % 2 == 1 ? look.alt_color : window_fill};
    }
    return c;
}

std::string comment_row_text(const Step& step, const GridLook& look) {
    std::string comment = step.comment.substr(0, kCommentRowLimit);
    for (char& c : comment)
        if (c == '\r' || c == '\n') c = ' ';
    return prefix_of(step, look) + comment;
}

int32_t row_image(const Step& step) {
    if (step.status == kStatusSkip) return 237;
    if (step.status == kStatusBreakpoint) return 238;
    return std::clamp(step.icon, 0, 511);
}

}  // namespace zorbel
