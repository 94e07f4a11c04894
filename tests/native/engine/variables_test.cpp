// Variable names, the palette and `save result`; the store side of variables is in
// settings_contract.h.
#include <gtest/gtest.h>

#include "core/step_record.h"
#include "expansion_fakes.h"

namespace zorbel {
namespace {

std::string file_text(const std::string& path) {
    std::string text;
    files::read_all(path, &text);
    return text;
}

TEST(VariableNames, PrefixFollowsGlobalVariables) {
    ExpansionRig rig;
    EXPECT_EQ("", rig.variables.prefix());
    write_setting_number(rig.store, "SOFTWARE\\Zorbel\\GlobalVariables", 0);
    EXPECT_EQ("1234_", rig.variables.prefix());
    Variables negative(rig.store, "", -77);
    EXPECT_EQ("-77_", negative.prefix());
    EXPECT_EQ("count", Variables::bare_name("%count"));
}

TEST(VariableNames, FilePathDropsEveryPercent) {
    MemorySettingsStore store;
    Variables vars(store, "C:%\\Pro%gram", 1);
    std::string path = vars.file_path("%my%var");
    EXPECT_EQ(std::string::npos, path.find('%'));
    EXPECT_NE(std::string::npos, path.find("C:\\Program"));
    EXPECT_EQ("myvar.zorbel_var", path.substr(path.size() - 16));
}

TEST(VariableStore, ValueIsLostWhenTheFileCannotBeWrittenEither) {
    ExpansionRig rig;
    rig.store.set_max_value_size(10);
    Variables nowhere(rig.store, rig.folder.file("no/such/folder"), 1);
    EXPECT_FALSE(nowhere.write("v", std::string(50, 'x')));
}

TEST(VariableStore, ExpanderFollowsTheSpillFile) {
    ExpansionRig rig;
    rig.store.set_max_value_size(100);
    ASSERT_TRUE(rig.variables.write("big", std::string(500, 'b')));
    EXPECT_EQ("[" + std::string(500, 'b') + "]", rig.expand("[%big]"));
}

TEST(VariableStore, ResetAtRunStartNeedsTheSettingAndNoOtherInstance) {
    MemorySettingsStore store;
    EXPECT_FALSE(should_reset_user_variables(store, false, false));
    write_setting_number(store, "SOFTWARE\\Zorbel\\ResetUserVariables", 1);
    EXPECT_TRUE(should_reset_user_variables(store, false, false));
    EXPECT_FALSE(should_reset_user_variables(store, true, false));
    EXPECT_FALSE(should_reset_user_variables(store, false, true));
}

TEST(VariablePalette, RowsCutValuesAndChooseTheIcon) {
    struct Row {
        const char* value;
        bool numeric;
    } rows[] = {{"12", true},   {"1,500.25", true}, {"-3 + 4", true}, {"", false},
                {"12a", false}, {"0x10", false},    {" ", true}};
    for (const Row& r : rows) EXPECT_EQ(r.numeric, is_numeric_value(r.value)) << '"' << r.value << '"';
    VariableRow row = make_variable_row("%v", std::string(300, '7'));
    EXPECT_EQ("%v", row.name);
    EXPECT_EQ(193u, row.value.size());
    EXPECT_TRUE(row.numeric);
}

TEST(VariableSaveResult, FirstSetDestinationOnly) {
    ExpansionRig rig;
    save_result(rig.services, kOptionResultToClipboard | kOptionResultToVariable, "%v", "data", nullptr);
    EXPECT_EQ("data", rig.environment.clipboard);
    EXPECT_FALSE(rig.has_variable("v"));
    EXPECT_EQ("\tSaving 4 byte(s) to clipboard: \"data\"\r\n", rig.output.text);
}

TEST(VariableSaveResult, ToTheVariableWithLogLineAndPaletteRow) {
    ExpansionRig rig;
    std::string data(200, 'd');
    save_result(rig.services, kOptionResultToVariable | kOptionResultToFile, "%v", data, "never");
    EXPECT_EQ(data, rig.variable("v"));
    EXPECT_EQ("\tSaving 200 byte(s) to variable %v: \"" + std::string(129, 'd') + "\"\r\n", rig.output.text);
    ASSERT_EQ(1u, rig.palette.rows.size());
    EXPECT_EQ("%v", rig.palette.rows[0].name);
    EXPECT_EQ(193u, rig.palette.rows[0].value.size());
    EXPECT_FALSE(files::exists("never"));
    // The same name again replaces the row.
    save_result(rig.services, kOptionResultToVariable, "%v", "42", nullptr);
    ASSERT_EQ(1u, rig.palette.rows.size());
    EXPECT_EQ("42", rig.palette.rows[0].value);
    EXPECT_TRUE(rig.palette.rows[0].numeric);
}

TEST(VariableSaveResult, NoVariableNoData) {
    ExpansionRig rig;
    save_result(rig.services, kOptionResultToVariable, "", "x", nullptr);
    save_result(rig.services, kOptionResultToVariable, "%", "x", nullptr);
    EXPECT_EQ("", rig.output.text);
    // No data: the variable is written empty.
    save_result(rig.services, kOptionResultToVariable, "%e", "", nullptr);
    EXPECT_TRUE(rig.has_variable("e"));
    EXPECT_EQ("", rig.variable("e"));
}

TEST(VariableSaveResult, ToAFileWhosePathIsExpanded) {
    ExpansionRig rig;
    rig.set_variable("dir", rig.folder.path());
    std::string file_path = "%dir/out.txt";
    ASSERT_TRUE(write_new_file(rig.folder.file("out.txt"), "old content, longer"));
    save_result(rig.services, kOptionResultToFile, "%v", std::string("a\0b", 3), file_path.c_str());
    EXPECT_EQ(std::string("a\0b", 3), file_text(rig.folder.file("out.txt")));
    save_result(rig.services, 0, "%v", "nothing", file_path.c_str());
    EXPECT_EQ(std::string("a\0b", 3), file_text(rig.folder.file("out.txt")));
}

}  // namespace
}  // namespace zorbel
