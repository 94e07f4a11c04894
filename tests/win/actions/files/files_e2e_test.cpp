// End to end: zorbel.exe runs file and program steps, and the bundled files demo.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/win/support/zorbel_run.h"

namespace zorbel {
namespace {

using namespace wintest;

class FilesEndToEnd : public ScriptRunFixture {};

TEST_F(FilesEndToEnd, FilesAndProgramsSmoke) {
    TempFolder work;
    // Both paths are free of blanks, so the assignments need no quotes.
    ZorbelRun r = run("files_and_programs.zbx", "work=" + work.path() + " exitprog=" + built_program("zbexitcode.exe"));
    EXPECT_EQ(0u, r.exit_code) << r.log;
    EXPECT_TRUE(r.has("exit code 7\r\n")) << r.log;
    EXPECT_TRUE(r.has("\tNo file or folder name provided\r\n")) << r.log;
    EXPECT_TRUE(r.has("\tUnable to find process 'zb-not-running.exe'\r\n")) << r.log;
    EXPECT_TRUE(r.has("done\r\n")) << r.log;
    EXPECT_EQ(read_file(work / "tree\\a\\b\\f.txt"), "one");
    EXPECT_NE(GetFileAttributesA((work / "copy\\a\\b").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA((work / "copy\\a\\b\\f.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FilesEndToEnd, BundledFilesDemo) {
    std::string demo = "Z:";
    for (char c : std::string(ZORBEL_SOURCE_DIR)) demo += c == '/' ? '\\' : c;
    demo += "\\examples\\files_demo.zbx";
    ZorbelRun r;
    ChildProcess zorbel;
    DeleteFileA(log_file_.c_str());
    set_setting_text("Logfile", log_file_);
    ASSERT_TRUE(start_zorbel(zorbel, "/L /r \"" + demo + "\""));
    r.timed_out = !zorbel.wait_exit(&r.exit_code, 30000);
    zorbel.end();
    r.log = read_file(log_file_);
    ASSERT_FALSE(r.timed_out) << r.log;
    EXPECT_EQ(0u, r.exit_code) << r.log;
    EXPECT_TRUE(r.has("fruit.txt has 3 lines\r\n")) << r.log;
    EXPECT_TRUE(r.has("line 2 of fruit.txt: pears\r\n")) << r.log;
    EXPECT_TRUE(r.has("the backup's copy holds: apples\r\npears\r\nplums\r\n")) << r.log;
    EXPECT_TRUE(r.has("cleaned up C:\\ZorbelFilesDemo\r\n")) << r.log;
    EXPECT_EQ(GetFileAttributesA("C:\\ZorbelFilesDemo"), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace zorbel
