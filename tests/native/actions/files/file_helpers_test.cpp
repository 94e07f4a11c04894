#include "actions/files/file_helpers.h"

#include <gtest/gtest.h>

#include "tests/native/actions/files/file_test_folder.h"
#include "tests/native/support/fake_files.h"

namespace zorbel {
namespace {

TEST(FilePaths, RootsSeparatorsAndFolders) {
    struct Case {
        const char* path;
        bool root;
        const char* trimmed;
        const char* folder;
    } cases[] = {
        {"C:\\", true, "C:\\", "C:\\"},        {"C:", true, "C:", ""},
        {"C:\\\\", true, "C:\\", "C:\\"},      {"\\", true, "\\", "\\"},
        {"/", true, "/", "/"},                 {"C:\\a\\b\\", false, "C:\\a\\b", "C:\\a\\b"},
        {"C:\\a", false, "C:\\a", "C:\\"},     {"a\\b", false, "a\\b", "a"},
        {"name", false, "name", ""},           {"", false, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(is_root_path(c.path), c.root);
        EXPECT_EQ(without_trailing_separator(c.path), c.trimmed);
        EXPECT_EQ(folder_part(c.path), c.folder);
    }
}

TEST(FilePaths, SameOrInside) {
    EXPECT_TRUE(same_or_inside("C:\\Data", "c:\\data\\"));
    EXPECT_TRUE(same_or_inside("C:\\Data\\Sub\\x", "C:\\DATA"));
    EXPECT_FALSE(same_or_inside("C:\\Database", "C:\\Data"));
    EXPECT_FALSE(same_or_inside("C:\\Other", "C:\\Data"));
    EXPECT_FALSE(same_or_inside("", "C:\\Data"));
}

struct HelperRig {
    std::vector<std::string> calls;
    FakeFileSystem files{calls};
    FileTestFolder folder;
};

TEST(CreateFolderTree, MakesMissingParentsAndAcceptsATrailingSeparator) {
    HelperRig rig;
    EXPECT_TRUE(create_folder_tree(rig.files, rig.folder.at("t\\a\\b\\")));
    EXPECT_TRUE(rig.folder.is_folder("t\\a\\b"));
    EXPECT_TRUE(create_folder_tree(rig.files, rig.folder.at("t\\a\\b")));  // exists already
    rig.folder.put("file.txt", "x");
    EXPECT_FALSE(create_folder_tree(rig.files, rig.folder.at("file.txt")));
    EXPECT_FALSE(create_folder_tree(rig.files, rig.folder.at("file.txt\\sub")));
    EXPECT_FALSE(create_folder_tree(rig.files, ""));
}

// A missing parent that cannot be named fails instead of recursing.
TEST(CreateFolderTree, NoParentLeftFails) {
    HelperRig rig;
    rig.files.states["orphan"] = files::PathState::kParentMissing;
    rig.files.states["Q:\\"] = files::PathState::kParentMissing;
    rig.files.states["Q:\\x"] = files::PathState::kParentMissing;
    EXPECT_FALSE(create_folder_tree(rig.files, "orphan"));
    EXPECT_FALSE(create_folder_tree(rig.files, "Q:\\x"));
    EXPECT_TRUE(rig.calls.empty());
}

TEST(DeleteMatchingFiles, PatternsFoldersAndRoots) {
    HelperRig rig;
    rig.folder.put("d\\a.tmp", "1");
    rig.folder.put("d\\b.TMP", "2");
    rig.folder.put("d\\keep.txt", "3");
    rig.folder.put("d\\sub\\c.tmp", "4");
    EXPECT_EQ(delete_matching_files(rig.files, rig.folder.at("d\\*.tmp")), 2);
    EXPECT_TRUE(rig.folder.is_file("d\\keep.txt"));
    EXPECT_TRUE(rig.folder.is_file("d\\sub\\c.tmp"));
    EXPECT_EQ(delete_matching_files(rig.files, rig.folder.at("d\\*.none")), 0);
    EXPECT_EQ(delete_matching_files(rig.files, rig.folder.at("d\\")), 1);  // every file, no subfolder
    EXPECT_TRUE(rig.folder.is_file("d\\sub\\c.tmp"));
    EXPECT_FALSE(rig.folder.is_file("d\\keep.txt"));
}

TEST(DeleteMatchingFiles, RootsAndEmptyNamesDeleteNothing) {
    for (const char* pattern : {"", "C:\\", "C:", "C:\\*.*", "\\", "/", "/*"}) {
        SCOPED_TRACE(pattern);
        HelperRig rig;
        EXPECT_EQ(delete_matching_files(rig.files, pattern), 0);
        EXPECT_TRUE(rig.calls.empty());
    }
}

TEST(FolderTrees, CopyAndRemove) {
    HelperRig rig;
    rig.folder.put("src\\a.txt", "A");
    rig.folder.put("src\\deep\\b.txt", "B");
    EXPECT_TRUE(copy_folder_tree(rig.files, rig.folder.at("src\\"), rig.folder.at("new\\dst")));
    EXPECT_EQ(rig.folder.content("new\\dst\\a.txt"), "A");
    EXPECT_EQ(rig.folder.content("new\\dst\\deep\\b.txt"), "B");
    EXPECT_FALSE(copy_folder_tree(rig.files, rig.folder.at("src"), rig.folder.at("src\\inner")));
    EXPECT_FALSE(rig.folder.is_folder("src\\inner"));
    EXPECT_FALSE(copy_folder_tree(rig.files, rig.folder.at("missing"), rig.folder.at("x")));

    EXPECT_FALSE(remove_folder_tree(rig.files, rig.folder.at("src"), false));
    EXPECT_TRUE(rig.folder.is_folder("src"));
    EXPECT_TRUE(remove_folder_tree(rig.files, rig.folder.at("src\\"), true));
    EXPECT_FALSE(rig.folder.is_folder("src"));
    EXPECT_FALSE(remove_folder_tree(rig.files, rig.folder.at("missing"), true));
}

TEST(FolderTrees, RootsAreNeverRemoved) {
    for (const char* folder : {"", "C:\\", "C:", "/", "\\"}) {
        SCOPED_TRACE(folder);
        HelperRig rig;
        EXPECT_FALSE(remove_folder_tree(rig.files, folder, true));
        EXPECT_TRUE(rig.calls.empty());
    }
}

TEST(WriteFileAt, MakesParentsNeverTruncatesAndAppends) {
    HelperRig rig;
    const std::string path = rig.folder.at("w\\x\\f.txt");
    EXPECT_EQ(write_file_at(rig.files, path, -1, "hello world"), files::WriteOutcome::kOk);
    EXPECT_EQ(write_file_at(rig.files, path, 0, "HELLO"), files::WriteOutcome::kOk);
    EXPECT_TRUE(append_text_to_file(rig.files, path, "!"));
    EXPECT_TRUE(append_text_to_file(rig.files, path, ""));
    EXPECT_EQ(rig.folder.content("w\\x\\f.txt"), "HELLO world!");
    EXPECT_EQ(file_size_by_name(rig.files, path), 12);
    EXPECT_EQ(file_size_by_name(rig.files, rig.folder.at("none")), 0);
}

TEST(SetFileSize, TruncatesExtendsAndReportsAMissingFile) {
    HelperRig rig;
    rig.folder.put("s.bin", "123456");
    EXPECT_TRUE(set_file_size(rig.files, rig.folder.at("s.bin"), 3));
    EXPECT_EQ(rig.folder.content("s.bin"), "123");
    EXPECT_TRUE(set_file_size(rig.files, rig.folder.at("s.bin"), 5));
    EXPECT_EQ(rig.folder.content("s.bin"), std::string("123\0\0", 5));
    EXPECT_FALSE(set_file_size(rig.files, rig.folder.at("missing.bin"), 5));
    EXPECT_FALSE(rig.folder.is_file("missing.bin"));
}

}  // namespace
}  // namespace zorbel
