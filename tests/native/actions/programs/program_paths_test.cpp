#include "actions/programs/program_paths.h"

#include <gtest/gtest.h>

#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

constexpr const char* kScript = "C:\\Scripts\\s.zbx";

struct PathRig : RunRig {
    PathRig() {
        desktop.files.current = "C:\\Cur";
        write_setting(store, SettingsRoot::kLocalMachine, "C:\\AppDir;C:\\Other", 0, nullptr,
                      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\tool.exe\\Path");
        desktop.processes.searchable["tool.exe"] = "C:\\Searched\\tool.exe";
    }
    int resolve(const std::string& name, std::string* out) {
        ProgramLookup lookup = program_lookup(context);
        return resolve_program_path(lookup, name, kScript, out);
    }
};

struct ResolveCase {
    const char* name;
    std::vector<std::string> present;
    std::string expected;
};

TEST(ResolveProgramPath, SearchOrder) {
    const ResolveCase cases[] = {
        {"App Paths before the current folder", {"C:\\AppDir\\tool.exe", "C:\\Cur\\tool.exe"}, "C:\\AppDir\\tool.exe"},
        {"current folder before the script's", {"C:\\Cur\\tool.exe", "C:\\Scripts\\tool.exe"}, "C:\\Cur\\tool.exe"},
        {"script's folder before the program's", {"C:\\Scripts\\tool.exe", "C:\\Zorbel\\tool.exe"},
         "C:\\Scripts\\tool.exe"},
        {"program's folder before Windows", {"C:\\Zorbel\\tool.exe", "C:\\WINDOWS\\tool.exe"}, "C:\\Zorbel\\tool.exe"},
        {"Windows before system", {"C:\\WINDOWS\\tool.exe", "C:\\WINDOWS\\system32\\tool.exe"}, "C:\\WINDOWS\\tool.exe"},
        {"system before the root", {"C:\\WINDOWS\\system32\\tool.exe", "C:\\tool.exe"},
         "C:\\WINDOWS\\system32\\tool.exe"},
        {"the root before the system's search", {"C:\\tool.exe", "C:\\Searched\\tool.exe"}, "C:\\tool.exe"},
        {"the system's search last", {"C:\\Searched\\tool.exe"}, "C:\\Searched\\tool.exe"},
    };
    for (const ResolveCase& c : cases) {
        SCOPED_TRACE(c.name);
        PathRig rig;
        rig.desktop.files.present.insert(c.present.begin(), c.present.end());
        std::string out;
        EXPECT_EQ(rig.resolve("tool.exe", &out), 1);
        EXPECT_EQ(out, c.expected);
    }
}

TEST(ResolveProgramPath, NamesAsTheyStand) {
    PathRig rig;
    std::string out;
    rig.desktop.files.present.insert("D:\\x\\tool.exe");
    EXPECT_EQ(rig.resolve("D:\\x\\tool.exe", &out), 1);
    EXPECT_EQ(out, "D:\\x\\tool.exe");
    EXPECT_EQ(rig.resolve("missing.exe -a", &out), 0);
    EXPECT_EQ(out, "missing.exe -a");
    const std::string long_name(300, 'n');
    EXPECT_EQ(rig.resolve(long_name, &out), 1);
    EXPECT_EQ(out, long_name);
}

// An empty name would otherwise find the current folder itself ("C:\Cur\").
TEST(ResolveProgramPath, EmptyOrBlankNameFindsNothing) {
    for (const char* name : {"", "   "}) {
        SCOPED_TRACE(name);
        PathRig rig;
        rig.desktop.files.present = {"C:\\Cur\\", "C:\\Cur\\   ", "C:\\WINDOWS\\", "C:\\"};
        std::string out = "stale";
        EXPECT_EQ(rig.resolve(name, &out), 0);
        EXPECT_EQ(out, name);
    }
}

TEST(ResolveProgramPath, CandidatesOf260CharactersOrMoreAreSkipped) {
    PathRig rig;
    rig.desktop.files.current = "C:\\" + std::string(250, 'c');
    const std::string too_long = rig.desktop.files.current + "\\tool.exe";
    rig.desktop.files.present = {too_long, "C:\\tool.exe"};
    std::string out;
    EXPECT_EQ(rig.resolve("tool.exe", &out), 1);
    EXPECT_EQ(out, "C:\\tool.exe");
}

TEST(ResolveProgramPath, ChangingActionsLookOnlyNearby) {
    PathRig rig;
    rig.desktop.files.present = {"C:\\WINDOWS\\Temp", "C:\\Zorbel\\Temp", "C:\\Scripts\\data.txt"};
    ProgramLookup lookup = program_lookup(rig.context);
    std::string out;
    EXPECT_EQ(resolve_for_change(lookup, "Temp", kScript, &out), 0);
    EXPECT_EQ(out, "Temp");
    EXPECT_EQ(resolve_for_change(lookup, "data.txt", kScript, &out), 1);
    EXPECT_EQ(out, "C:\\Scripts\\data.txt");
    EXPECT_EQ(resolve_for_change(lookup, "", kScript, &out), 0);
}

TEST(FindAssociatedLauncher, CleansTheRegistryCommand) {
    struct Case {
        const char* command;
        const char* launcher;
    } cases[] = {
        {"%SystemRoot%\\system32\\notepad.exe %1", "C:\\WINDOWS\\system32\\notepad.exe"},
        {"\"C:\\Program Files\\Ed\\ed.exe\" \"%1\"", "C:\\Program Files\\Ed\\ed.exe"},
        {"\"%ProgramFiles%\\Ed\\ed.exe\" /o \"%1\" %*", "C:\\Program Files\\Ed\\ed.exe /o"},
        {"%NoSuchName%\\ed.exe %1", ""},
        {"ed.exe   ", "ed.exe"},
    };
    FakeEnvironment environment;
    environment.variables = {{"SYSTEMROOT", "C:\\WINDOWS"}, {"ProgramFiles", "C:\\Program Files"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        EXPECT_EQ(launcher_from_command(&environment, c.command), c.launcher);
    }
}

TEST(FindAssociatedLauncher, ExtensionMailAndFallback) {
    RunRig rig;
    ProgramLookup lookup = program_lookup(rig.context);
    std::string out = "stale";
    EXPECT_EQ(find_associated_launcher(lookup, ".zq", "", &out), 0);
    EXPECT_EQ(out, "");
    write_setting(rig.store, SettingsRoot::kClassesRoot, "zqfile", 0, nullptr, ".zq\\");
    rig.desktop.processes.launchers["C:\\a.zq"] = "C:\\found.exe";
    EXPECT_EQ(find_associated_launcher(lookup, ".zq", "C:\\a.zq", &out), 1);
    EXPECT_EQ(out, "C:\\found.exe");
    EXPECT_EQ(rig.desktop.calls.back(), "find executable [C:\\a.zq] in [C:\\]");
    write_setting(rig.store, SettingsRoot::kClassesRoot, "C:\\zq.exe \"%1\"", 0, nullptr, "zqfile\\shell\\open\\command\\");
    EXPECT_EQ(find_associated_launcher(lookup, ".zq", "", &out), 1);
    EXPECT_EQ(out, "C:\\zq.exe");
    write_setting(rig.store, SettingsRoot::kLocalMachine, "Mailer", 0, nullptr, "SOFTWARE\\Clients\\Mail\\");
    write_setting(rig.store, SettingsRoot::kLocalMachine, "\"C:\\mail.exe\" /m \"%1\"", 0, nullptr,
                  "SOFTWARE\\Clients\\Mail\\Mailer\\shell\\open\\command\\");
    EXPECT_EQ(find_associated_launcher(lookup, "MAIL", "", &out), 1);
    EXPECT_EQ(out, "C:\\mail.exe /m");
}

}  // namespace
}  // namespace zorbel
