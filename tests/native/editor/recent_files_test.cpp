#include <gtest/gtest.h>

#include <algorithm>

#include "editor/model/recent_files.h"
#include "editor/model/samples.h"
#include "engine/settings_store_memory.h"

namespace zorbel {
namespace {

TEST(RecentFiles, NewestFirstWithoutDuplicates) {
    MemorySettingsStore store;
    for (int i = 1; i <= 10; ++i) add_recent_file(store, "C:\\f" + std::to_string(i) + ".zbx");
    std::vector<std::string> list = recent_files(store);
    EXPECT_EQ("C:\\f10.zbx", list[0]);
    EXPECT_EQ("C:\\f2.zbx", list[8]);  // f1 dropped out
    add_recent_file(store, "c:\\F5.ZBX");
    list = recent_files(store);
    EXPECT_EQ("c:\\F5.ZBX", list[0]);
    EXPECT_EQ("C:\\f10.zbx", list[1]);
    EXPECT_EQ(1, std::count_if(list.begin(), list.end(), [](const std::string& s) { return s == "C:\\f5.zbx"; }) +
                     std::count_if(list.begin(), list.end(), [](const std::string& s) { return s == "c:\\F5.ZBX"; }));
    remove_recent_file_entry(store, "C:\\f10.zbx");
    list = recent_files(store);
    EXPECT_EQ("C:\\f9.zbx", list[1]);
    EXPECT_EQ("", list[8]);
    EXPECT_EQ("C:\\a.zbx\tCtrl+3", recent_file_item("C:\\a.zbx", 3));
}

TEST(Samples, BuiltInSamples) {
    ScriptState script;
    ASSERT_TRUE(build_sample("Typing in Notepad", &script));
    ASSERT_EQ(22, script.step_count());
    EXPECT_EQ("1.5", std::string(script.steps[7].timeout));
    EXPECT_EQ("120", std::string(script.steps[14].value[1]));
    EXPECT_EQ("Ignore/Continue", std::string(script.steps[5].onfail));
    EXPECT_NE(0u, script.steps[4].family);
    ASSERT_TRUE(build_sample("hello world", &script));
    EXPECT_EQ(1, script.step_count());
    EXPECT_EQ("A simple user message", script.steps[0].comment);
    EXPECT_FALSE(build_sample("Other", &script));
}

}  // namespace
}  // namespace zorbel
