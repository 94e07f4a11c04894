#include "packager/package_list.h"

#include <gtest/gtest.h>

#include "tests/native/packager/fake_files.h"

namespace zorbel {
namespace {

TEST(PackageList, WildcardMatching) {
    struct Case {
        const char* pattern;
        const char* name;
        bool match;
    } cases[] = {{"*.txt", "a.TXT", true}, {"*.txt", "a.txt.bak", false}, {"a?c*", "abcdef", true},
                 {"*", "x", true},         {"?", "", false},              {"*a*b", "xxaxxb", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " " + c.name);
        EXPECT_EQ(wildcard_match(c.pattern, c.name), c.match);
    }
}

TEST(PackageList, PatternsExpandRecursivelyWithoutDotFolders) {
    test::FakeFiles files;
    files.folders = {"C:\\data", "C:\\data\\sub"};
    files.add("C:\\data\\a.txt", "a");
    files.add("C:\\data\\b.log", "b");
    files.add("C:\\data\\sub\\c.txt", "c");
    std::vector<std::string> entries;
    std::string bad;
    ASSERT_TRUE(expand_package_entries("C:\\data\\*.txt;C:\\one.ini;", files, &entries, &bad));
    EXPECT_EQ(entries, (std::vector<std::string>{"C:\\data\\a.txt", "C:\\data\\sub\\c.txt", "C:\\one.ini"}));
}

TEST(PackageList, NamesWithSemicolonsAreRefused) {
    test::FakeFiles files;
    files.folders = {"C:\\d"};
    files.add("C:\\d\\x;y.txt", "a");
    std::vector<std::string> entries;
    std::string bad;
    EXPECT_FALSE(expand_package_entries("C:\\d\\*.txt;", files, &entries, &bad));
    EXPECT_EQ(bad, "C:\\d\\x;y.txt");
}

TEST(PackageList, CommonPrefixIsAWholeFolder) {
    struct Case {
        std::vector<std::string> entries;
        const char* prefix;
        const char* list;
    } cases[] = {
        {{"C:\\data\\a.txt", "C:\\data\\sub\\b.txt"}, "C:\\data\\", "a.txt;sub\\b.txt;"},
        {{"C:\\data\\report1.txt", "c:\\DATA\\report2.txt"}, "C:\\data\\", "report1.txt;report2.txt;"},
        {{"C:\\data\\x.txt"}, "", "C:\\data\\x.txt;"},
        {{"C:\\a\\x.txt", "D:\\a\\x.txt"}, "", "C:\\a\\x.txt;D:\\a\\x.txt;"},
        {{"C:\\ab\\x.txt", "C:\\abc\\y.txt"}, "C:\\", "ab\\x.txt;abc\\y.txt;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        const std::string prefix = common_folder_prefix(c.entries);
        EXPECT_EQ(prefix, c.prefix);
        EXPECT_EQ(package_list_text(c.entries, prefix), c.list);
    }
}

}  // namespace
}  // namespace zorbel
