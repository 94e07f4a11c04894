#include <gtest/gtest.h>

#include <cstring>

#include "engine/command_line.h"

namespace zorbel {
namespace {

using Vars = std::vector<std::pair<std::string, std::string>>;

TEST(CommandLine, SwitchesSetTheirFlags) {
    struct Row {
        const char* line;
        int flags;
    } rows[] = {
        {"/r", kStartHidden | kStartOpenFile | kStartRunScript | kStartExitAfterRun},
        {"-R", kStartHidden | kStartOpenFile | kStartRunScript | kStartExitAfterRun},
        {"/e", kStartOpenFile},
        {"-v", kStartOpenFile | kStartRunScript},
        {"", 0},
        {"/g", 0},
    };
    for (const Row& r : rows) EXPECT_EQ(r.flags, parse_command_line(r.line).flags) << r.line;
}

TEST(CommandLine, LoggingAndSplashSwitches) {
    EXPECT_EQ(1, parse_command_line("/L x.zbx").log);
    EXPECT_EQ(0, parse_command_line("-f x.zbx").log);
    EXPECT_EQ(-1, parse_command_line("x.zbx").log);
    EXPECT_TRUE(parse_command_line("/G").suppress_splash);
    EXPECT_TRUE(parse_command_line("/?").show_help);
    EXPECT_TRUE(parse_command_line("-help").show_help);
}

TEST(CommandLine, UnattendedSwitchStartsAWordOutsideQuotes) {
    struct Row {
        const char* line;
        bool unattended;
        int flags;
        const char* file;
    } rows[] = {
        {"/u /r a.zbx", true, kStartHidden | kStartOpenFile | kStartRunScript | kStartExitAfterRun, "a.zbx"},
        {"-U a.zbx", true, kStartOpenFile, "a.zbx"},
        {"C:\\my-u\\a.zbx", false, kStartOpenFile, "C:\\my-u\\a.zbx"},
        {"\"C:\\x /u\\a.zbx\"", false, kStartOpenFile, "C:\\x /u\\a.zbx"},
        {"x=/u", false, kStartVariablesSet, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.line);
        CommandLine c = parse_command_line(r.line);
        EXPECT_EQ(r.unattended, c.unattended);
        EXPECT_EQ(r.flags, c.flags);
        EXPECT_EQ(r.file, c.file);
    }
    EXPECT_NE(nullptr, std::strstr(kCommandLineHelp, "\t/u\tUnattended: report boxes in the log, never wait\n"));
    EXPECT_NE(nullptr, std::strstr(kCommandLineHelp, "\t/compile\tCompile file to .exe and exit\n"));
}

TEST(CommandLine, SpeedTakesOneToTenElseFive) {
    struct Row {
        const char* line;
        int speed;
        const char* file;
    } rows[] = {
        {"/s9 a.zbx", 9, "a.zbx"},   {"/s 9 a.zbx", 9, "a.zbx"}, {"-S10", 10, ""},
        {"/s99", 10, ""},            {"/s0", 5, ""},             {"/s-3", 5, ""},
        {"/s a.zbx", 5, "a.zbx"},    {"/r /s3 \"C:\\x y\\s.zbx\"", 3, "C:\\x y\\s.zbx"},
    };
    for (const Row& r : rows) {
        CommandLine c = parse_command_line(r.line);
        EXPECT_EQ(r.speed, c.speed) << r.line;
        EXPECT_EQ(r.file, c.file) << r.line;
    }
    EXPECT_EQ(0, parse_command_line("a.zbx").speed);
}

TEST(CommandLine, AssignmentsSetUserVariables) {
    CommandLine c = parse_command_line("%x=1 name=\"two words\" other='single quoted' url=a/b /r s.zbx");
    EXPECT_EQ((Vars{{"x", "1"}, {"name", "two words"}, {"other", "single quoted"}, {"url", "a"}}), c.variables);
    EXPECT_TRUE(c.flags & kStartVariablesSet);
    EXPECT_EQ("s.zbx", c.file);
}

TEST(CommandLine, FileNameIsTheRestWithoutQuotes) {
    struct Row {
        const char* line;
        const char* file;
    } rows[] = {
        {"C:\\scripts\\a.zbx", "C:\\scripts\\a.zbx"},
        {"/r \"C:\\my scripts\\a.zbx\"", "C:\\my scripts\\a.zbx"},
        {"  \"C:\\a.zbx\"  /e", "C:\\a.zbx"},
        {"%", ""},
        {"/r", ""},
    };
    for (const Row& r : rows) EXPECT_EQ(r.file, parse_command_line(r.line).file) << r.line;
    EXPECT_TRUE(parse_command_line("a.zbx").flags & kStartOpenFile);
}

// A path with "-f" inside it used to switch logging off and lose part of its name.
TEST(CommandLine, SwitchLettersInsideAPathAreNotSwitches) {
    CommandLine c = parse_command_line("/r C:\\my-files\\report.zbx");
    EXPECT_EQ(-1, c.log);
    EXPECT_EQ("C:\\my-files\\report.zbx", c.file);
    c = parse_command_line("\"C:\\x /r y\\-s.zbx\"");
    EXPECT_EQ(0, c.flags & kStartRunScript);
    EXPECT_EQ(0, c.speed);
    EXPECT_EQ("C:\\x /r y\\-s.zbx", c.file);
}

// A path with "=" in it used to become a variable assignment.
TEST(CommandLine, EqualsInsideAPathIsNotAnAssignment) {
    CommandLine c = parse_command_line("/r C:\\data\\a=b.zbx");
    EXPECT_TRUE(c.variables.empty());
    EXPECT_EQ(0, c.flags & kStartVariablesSet);
    EXPECT_EQ("C:\\data\\a=b.zbx", c.file);
    c = parse_command_line("\"C:\\data\\a=b.zbx\"");
    EXPECT_TRUE(c.variables.empty());
    EXPECT_EQ("C:\\data\\a=b.zbx", c.file);
}

TEST(CommandLine, HelpTextListsEverySwitch) {
    std::string help = kCommandLineHelp;
    for (const char* s : {"\t/e\tEdit file\n", "\t/r\tRun file\n", "\t/v\tRun file in Zorbel\n",
                          "\t/L\tTurn logging on\n", "\t/f\tTurn logging off\n", "\t/s\tSet run speed (1-10)\n",
                          "\t/g\tSuppress startup banner\n", "\t%x=1\tSet user variable\n",
                          "\t/?\tShow this help message\n"})
        EXPECT_NE(std::string::npos, help.find(s)) << s;
    EXPECT_EQ(0u, help.find("Zorbel Startup (Command Line) Options:\n\n"));
}

}  // namespace
}  // namespace zorbel
