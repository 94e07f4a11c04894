#include <gtest/gtest.h>

#include "editor/model/grid_rows.h"
#include "editor_test_util.h"

namespace zorbel {
namespace {

TEST(GridRows, CellTexts) {
    GridLook look;
    GridLook all = look;
    all.indent_all_columns = true;
    const std::string eighteen(18, ' ');
    auto step_with = [](const char* action, auto change) {
        Step s = make_step(action);
        change(s);
        return s;
    };
    struct Case {
        const char* name;
        Step step;
        const GridLook* look;
        int column;
        std::string expected;
    } cases[] = {
        {"indents 3 before the action", step_with("Delay", [](Step& s) { s.indents = 3; }), &look, kColumnAction,
         eighteen + "Delay"},
        {"indents not before the number", step_with("Delay", [](Step& s) { s.indents = 3; }), &look, kColumnStep, "4"},
        {"indents before every column", step_with("Delay", [](Step& s) { s.indents = 3; }), &all, kColumnStep,
         eighteen + "4"},
        {"quantity with all columns",
         step_with("Delay", [](Step& s) { s.indents = 1, copy_to_field(s.timeout, "5"); }), &all, kColumnQty,
         "      5"},
        {"line breaks are blanks", step_with("Start", [](Step& s) { s.text = "a\r\nb\tc"; }), &look, kColumnText,
         "a  b c"},
        {"300 characters show 255", step_with("Start", [](Step& s) { s.text = std::string(300, 'x'); }), &look,
         kColumnText, std::string(255, 'x')},
        {"mouse point",
         step_with("Left Button Click", [](Step& s) { copy_to_field(s.value[0], "70"), copy_to_field(s.value[1], "120"); }),
         &look, kColumnText, "(70, 120)"},
        {"mouse x only", step_with("Left Button Click", [](Step& s) { copy_to_field(s.value[0], "70"); }), &look,
         kColumnText, "70"},
        {"Create/ shows the variable",
         step_with("Create/Modify Variable", [](Step& s) { s.text = "5"; copy_to_field(s.variable, "%x"); }), &look,
         kColumnText, "%x = 5"},
        {"a question shows only its text",
         step_with("Ask Yes/No Question", [](Step& s) { s.text = "Go?"; copy_to_field(s.variable, "%response"); }),
         &look, kColumnText, "Go?"},
        {"variable when no text",
         step_with("Ask Yes/No Question", [](Step& s) { copy_to_field(s.variable, "%response"); }), &look,
         kColumnText, "%response"},
        {"files show value1",
         step_with("Copy Folder", [](Step& s) { s.text = "C:\\a"; copy_to_field(s.value[0], "C:\\b"); }), &look,
         kColumnText, "C:\\b"},
        {"recordings show their events",
         step_with("Play Recording", [](Step& s) { s.family = kFamilyRecording; copy_to_field(s.value[0], "12"); }),
         &look, kColumnText, "12 Events"},
        {"comment", step_with("Delay", [](Step& s) { s.comment = "note"; }), &look, kColumnComment, "note"},
        {"further columns", make_step("Delay"), &look, 7, "???"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, cell_text(c.step, 3, c.column, *c.look));
    }
}

TEST(GridRows, ColoursAndImages) {
    GridLook look;
    look.grid_style = 1;
    Step comment = make_step("comment");
    comment.status = kStatusSkip;
    Step skip = make_step("Delay");
    skip.status = kStatusSkip;
    Step brk = make_step("Delay");
    brk.status = kStatusBreakpoint;
    Step plain = make_step("Delay");
    EXPECT_EQ(RowKind::kComment, row_colours(comment, 0, look, 0, 0xFFFFFF).kind);
    EXPECT_EQ(0xC0FFFFu, row_colours(comment, 0, look, 0, 0xFFFFFF).fill);
    EXPECT_EQ(0x808080u, row_colours(skip, 0, look, 0, 0xFFFFFF).text);
    EXPECT_EQ(0x463A96u, row_colours(brk, 0, look, 0, 0xFFFFFF).fill);
    EXPECT_EQ(0xFFF0F0u, row_colours(plain, 1, look, 0, 0xFFFFFF).fill);
    EXPECT_EQ(0xFFFFFFu, row_colours(plain, 2, look, 0, 0xFFFFFF).fill);
    look.grid_style = 2;
    EXPECT_FALSE(row_colours(plain, 1, look, 0, 0xFFFFFF).has_colours);
    EXPECT_EQ(237, row_image(skip));
    EXPECT_EQ(238, row_image(brk));
    plain.icon = 900;
    EXPECT_EQ(511, row_image(plain));
    comment.comment = "a\r\nb";
    comment.indents = 1;
    EXPECT_EQ("      a  b", comment_row_text(comment, GridLook{}));
    EXPECT_EQ(std::string(31, ' '), indent_unit(40));
}

}  // namespace
}  // namespace zorbel
