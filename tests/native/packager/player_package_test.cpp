#include "packager/player_package.h"

#include <gtest/gtest.h>

#include "tests/native/packager/fake_files.h"

namespace zorbel {
namespace {

TEST(PlayerPackage, Destinations) {
    struct Case {
        const char* list;
        const char* folder;
        std::vector<std::string> expected;
    } cases[] = {
        {"C:\\data\\x.txt;", "D:\\out\\", {"D:\\out\\data\\x.txt"}},
        {"C:\\data\\x.txt;", "", {"C:\\data\\x.txt"}},
        {"a.txt;sub\\b.txt;;c.txt;", "D:\\o\\", {"D:\\o\\a.txt", "D:\\o\\sub\\b.txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        std::vector<std::string> out;
        std::string error;
        ASSERT_TRUE(package_destinations(c.list, c.folder, &out, &error));
        EXPECT_EQ(out, c.expected);
    }
}

TEST(PlayerPackage, OverlongPathsFailInsteadOfUnpackingElsewhere) {
    std::vector<std::string> out;
    std::string error;
    EXPECT_FALSE(package_destinations("a.txt;", "C:\\" + std::string(300, 'f') + "\\", &out, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(package_destinations(std::string(250, 'n') + ".txt;", "C:\\folder\\", &out, &error));
}

MemoryResources package(const std::string& list, std::vector<std::string> contents) {
    MemoryResources resources;
    resources.write(kResourceRcData, 110, kLanguageNeutral, bytes_of(list));
    for (size_t i = 0; i < contents.size(); ++i)
        if (!contents[i].empty())
            resources.write(kResourceRcData, static_cast<uint16_t>(112 + i), kLanguageNeutral, bytes_of(contents[i]));
    return resources;
}

// Only what this start created is removed: files that were there stay, a folder that
// was there stays, created folders go deepest first, and relative entries are removed
// where they were written even when the current folder changed since.
TEST(PlayerPackage, RemovalTouchesOnlyWhatThisStartCreated) {
    test::FakeFiles files;
    files.folders = {"D:\\out"};
    files.add("D:\\out\\keep.txt", "mine");
    files.add("D:\\out\\a.txt", "old a");
    MemoryResources resources = package("a.txt;new\\deep\\b.txt;c.txt;", {"A", "B", ""});
    UnpackRecord record;
    std::string error;
    ASSERT_TRUE(unpack_package(resources, 110, "D:\\out\\", files, &record, &error));
    EXPECT_EQ(files.files["D:\\out\\a.txt"], bytes_of("old a"));
    EXPECT_EQ(files.files["D:\\out\\new\\deep\\b.txt"], bytes_of("B"));
    EXPECT_TRUE(files.is_file("D:\\out\\c.txt"));
    EXPECT_EQ(record.folders, (std::vector<std::string>{"D:\\out\\new", "D:\\out\\new\\deep"}));

    std::vector<std::string> log;
    remove_unpacked(record, files, &log);
    EXPECT_TRUE(files.is_file("D:\\out\\a.txt"));
    EXPECT_TRUE(files.is_file("D:\\out\\keep.txt"));
    EXPECT_FALSE(files.is_file("D:\\out\\new\\deep\\b.txt"));
    EXPECT_FALSE(files.is_file("D:\\out\\c.txt"));
    EXPECT_EQ(files.folders, (std::set<std::string>{"D:\\out"}));
    EXPECT_EQ(log.size(), 2u);
}

TEST(PlayerPackage, RelativeEntriesAreRemovedWhereTheyWereWritten) {
    test::FakeFiles files;
    MemoryResources resources = package("x.txt;", {"X"});
    UnpackRecord record;
    std::string error;
    ASSERT_TRUE(unpack_package(resources, 110, "", files, &record, &error));
    files.current = "C:\\elsewhere";
    files.add("C:\\elsewhere\\x.txt", "unrelated");
    std::vector<std::string> log;
    remove_unpacked(record, files, &log);
    EXPECT_FALSE(files.is_file("C:\\work\\x.txt"));
    EXPECT_TRUE(files.is_file("C:\\elsewhere\\x.txt"));
}

TEST(PlayerPackage, RemovalGoesOnPastAFileThatCannotBeDeleted) {
    test::FakeFiles files;
    files.folders = {"D:\\o"};
    MemoryResources resources = package("a;b;", {"1", "2"});
    UnpackRecord record;
    std::string error;
    ASSERT_TRUE(unpack_package(resources, 110, "D:\\o\\", files, &record, &error));
    files.undeletable.insert("D:\\o\\a");
    std::vector<std::string> log;
    remove_unpacked(record, files, &log);
    EXPECT_TRUE(files.is_file("D:\\o\\a"));
    EXPECT_FALSE(files.is_file("D:\\o\\b"));
}

TEST(PlayerPackage, StoredFolder) {
    EXPECT_EQ(stored_unpack_folder(bytes_of(" ")), "");
    EXPECT_EQ(stored_unpack_folder(bytes_of("D:\\x\\")), "D:\\x\\");
}

TEST(PlayerPackage, SelfDeleteQuotesTheWholePath) {
    const std::string path = "C:\\My Tools & more\\run.exe";
    const std::string parameters = self_delete_parameters(path);
    EXPECT_NE(parameters.find("del /f /q \"C:\\My Tools & more\\run.exe\""), std::string::npos);
    EXPECT_EQ(parameters.find(" ping -n 10 "), parameters.rfind(" ping -n "));  // four attempts, then it ends
    const std::string batch = self_delete_batch(path, "C:\\My Tools & more\\selfdel.bat");
    EXPECT_NE(batch.find("del \"C:\\My Tools & more\\run.exe\""), std::string::npos);
    EXPECT_NE(batch.find("if %n% geq 30 goto Done"), std::string::npos);
    for (const char* bad : {"", "C:\\a\"b.exe", "C:\\100%\\x.exe"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(self_delete_parameters(bad), "");
    }
}

}  // namespace
}  // namespace zorbel
