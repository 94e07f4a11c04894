#include <gtest/gtest.h>

#include "tests/native/actions/files/file_test_folder.h"
#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

struct FilesRig : RunRig {
    FileTestFolder folder;

    FilesRig() { desktop.files.current = folder.root; }
    Step& file_step(const char* action, const std::string& name, const std::string& text = "") {
        Step& step = only(action, text);
        copy_to_field(step.value[0], name);
        copy_to_field(step.variable, "%out");
        step.options = kOptionResultToVariable;
        return step;
    }
    bool changed_anything() const {
        for (const std::string& call : desktop.calls)
            if (call.rfind("sleep", 0) != 0) return true;
        return false;
    }
};

// A name that expands to nothing never stands for the current folder.
TEST(FilesFamily, EmptyNamesFailEveryAction) {
    const char* const actions[] = {
        "Read File",       "Read File Line",   "Count File Lines", "Write/Create File",    "Copy File",
        "Move/Rename File", "Delete File",     "Change File Size", "Set File Association", "Set Current Directory",
        "Create Folder",   "Copy Folder",      "Move/Rename Folder", "Delete Folder",
    };
    for (const char* action : actions) {
        for (const char* name : {"", "   ", "%nothing"}) {
            SCOPED_TRACE(std::string(action) + " [" + name + "]");
            FilesRig rig;
            rig.set_variable("nothing", "");
            rig.folder.put("victim.txt", "keep");
            rig.file_step(action, name, "dest");
            EXPECT_EQ(rig.run_step(), kStepFailed);
            EXPECT_EQ(rig.run.error_text, "No file or folder name provided");
            EXPECT_FALSE(rig.changed_anything());
            EXPECT_EQ(rig.folder.content("victim.txt"), "keep");
        }
    }
}

// Bare names of changing actions are never looked for in the system's folders.
TEST(FilesFamily, ChangingActionsDoNotReachSystemFolders) {
    const char* const actions[] = {"Write/Create File", "Delete File", "Change File Size", "Move/Rename File",
                                   "Move/Rename Folder", "Delete Folder"};
    for (const char* action : actions) {
        SCOPED_TRACE(action);
        FilesRig rig;
        rig.desktop.files.writes_refused = true;
        rig.desktop.files.present = {"C:\\WINDOWS\\zbsys.ini", "C:\\WINDOWS\\system32\\zbsys.ini",
                                     "C:\\Zorbel\\zbsys.ini", "C:\\zbsys.ini"};
        rig.file_step(action, "zbsys.ini", "renamed.ini");
        rig.run_step();
        for (const std::string& call : rig.desktop.calls) EXPECT_EQ(call.find("C:\\"), std::string::npos) << call;
    }
}

TEST(FilesFamily, ReadFileRanges) {
    struct Case {
        const char* start;
        const char* stop;
        int expected;
        const char* saved;
    } cases[] = {
        {"0", "0", kStepSucceeded, "0123456789abcdef"},
        {"10", "0", kStepSucceeded, "abcdef"},
        {"-5", "4", kStepSucceeded, "0123"},
        {"3", "400", kStepSucceeded, "3456789abcdef"},  // the stop is clamped to the file
        {"40", "0", kStepSucceeded, ""},
        {"8", "4", kStepFailed, ""},  // a stop before the start
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + ".." + c.stop);
        FilesRig rig;
        rig.folder.put("r.txt", "0123456789abcdef");
        Step& step = rig.file_step("Read File", rig.folder.at("r.txt"));
        copy_to_field(step.value[1], c.start);
        copy_to_field(step.value[2], c.stop);
        EXPECT_EQ(rig.run_step(), c.expected);
        EXPECT_EQ(rig.variable("out"), c.saved);
    }
    FilesRig rig;
    rig.file_step("Read File", rig.folder.at("missing.txt"));
    EXPECT_EQ(rig.run_step(), kStepFailed);
    EXPECT_EQ(rig.run.error_text, "Unable to read '" + rig.folder.at("missing.txt") + "'");
    rig.file_step("Read File Extra", rig.folder.at("missing.txt"));
    EXPECT_EQ(rig.run_step(), kStepFailed);
}

TEST(FilesFamily, LinesReadAndCounted) {
    FilesRig rig;
    rig.folder.put("crlf.txt", "a\r\nb\r\n");
    rig.folder.put("lf.txt", "a\n\nb");
    rig.folder.put("one.txt", "only line");
    struct Case {
        const char* action;
        const char* file;
        const char* line;
        int expected;
        const char* saved;
    } cases[] = {
        {"Count File Lines", "crlf.txt", "", kStepSucceeded, "3"},
        {"Count File Lines", "lf.txt", "", kStepSucceeded, "2"},
        {"Count File Lines", "missing.txt", "", kStepSucceeded, "0"},
        {"Read File Line", "one.txt", "1", kStepSucceeded, "only line"},
        {"Read File Line", "crlf.txt", "2", kStepSucceeded, "b"},
        {"Read File Line", "crlf.txt", "3", kStepSucceeded, ""},
        {"Read File Line", "crlf.txt", "4", kStepFailed, ""},
        {"Read File Line", "crlf.txt", "0", kStepFailed, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.action) + " " + c.file + " " + c.line);
        rig.set_variable("out", "");
        Step& step = rig.file_step(c.action, rig.folder.at(c.file));
        copy_to_field(step.value[1], c.line);
        EXPECT_EQ(rig.run_step(), c.expected);
        EXPECT_EQ(rig.variable("out"), c.saved);
    }
}

TEST(FilesFamily, WriteCopyMoveDeleteAndResize) {
    FilesRig rig;
    Step& write = rig.file_step("Write/Create File", rig.folder.at("new\\w.txt"), "hello");
    copy_to_field(write.value[1], "-1");
    EXPECT_EQ(rig.run_step(), kStepSucceeded);
    rig.file_step("Write/Create File", rig.folder.at("new\\w.txt"), "J");
    EXPECT_EQ(rig.run_step(), kStepSucceeded);
    EXPECT_EQ(rig.folder.content("new\\w.txt"), "Jello");

    rig.file_step("Copy File", rig.folder.at("new\\w.txt"), "copy.txt");  // a bare name stays in the folder
    EXPECT_EQ(rig.run_step(), kStepSucceeded);
    EXPECT_EQ(rig.folder.content("new\\copy.txt"), "Jello");
    rig.file_step("Copy File", rig.folder.at("new\\w.txt"), rig.folder.at("made\\here\\c.txt"));
    EXPECT_EQ(rig.run_step(), kStepSucceeded);
    EXPECT_EQ(rig.folder.content("made\\here\\c.txt"), "Jello");

    rig.file_step("Move/Rename File", rig.folder.at("new\\copy.txt"), "moved.txt");
    EXPECT_EQ(rig.run_step(), kStepSucceeded);
    EXPECT_FALSE(rig.folder.is_file("new\\copy.txt"));
    EXPECT_EQ(rig.folder.content("new\\moved.txt"), "Jello");
    rig.file_step("Move/Rename File", rig.folder.at("new\\absent.txt"), "x.txt");
    EXPECT_EQ(rig.run_step(), kStepFailed);

    Step& resize = rig.file_step("Change File Size", rig.folder.at("new\\moved.txt"));
    copy_to_field(resize.value[1], "2");
    EXPECT_EQ(rig.run_step(), kStepSucceeded);
    EXPECT_EQ(rig.folder.content("new\\moved.txt"), "Je");
    Step& missing = rig.file_step("Change File Size", rig.folder.at("new\\absent.txt"));
    copy_to_field(missing.value[1], "2");
    EXPECT_EQ(rig.run_step(), kStepFailed);

    rig.file_step("Delete File", rig.folder.at("new\\*.txt"));
    EXPECT_EQ(rig.run_step(), kStepSucceeded);
    EXPECT_FALSE(rig.folder.is_file("new\\w.txt"));
    rig.file_step("Delete File", rig.folder.at("new\\*.txt"));
    EXPECT_EQ(rig.run_step(), kStepFailed);
}

TEST(FilesFamily, Folders) {
    FilesRig rig;
    rig.file_step("Create Folder", rig.folder.at("t\\a\\b\\"));
    EXPECT_EQ(rig.run_step(), kStepSucceeded);
    rig.folder.put("t\\a\\b\\f.txt", "F");

    rig.file_step("Copy Folder", rig.folder.at("t"), rig.folder.at("t2"));
    EXPECT_EQ(rig.run_step(), kStepSucceeded);
    EXPECT_EQ(rig.folder.content("t2\\a\\b\\f.txt"), "F");

    rig.file_step("Move/Rename Folder", rig.folder.at("t2"), rig.folder.at("t3"));
    EXPECT_EQ(rig.run_step(), kStepSucceeded);
    EXPECT_FALSE(rig.folder.is_folder("t2"));
    EXPECT_EQ(rig.folder.content("t3\\a\\b\\f.txt"), "F");

    rig.file_step("Delete Folder", rig.folder.at("t3"));
    EXPECT_EQ(rig.run_step(), kStepSucceeded);
    EXPECT_FALSE(rig.folder.is_folder("t3"));

    rig.file_step("Set Current Directory", rig.folder.at("t"));
    EXPECT_EQ(rig.run_step(), kStepSucceeded);
    EXPECT_EQ(rig.desktop.files.current, rig.folder.at("t"));
}

// A move into itself (or onto itself, in another letter case) fails and keeps the source.
TEST(FilesFamily, MoveFolderIntoItselfKeepsTheSource) {
    for (const char* destination : {"t\\inner", "T", "t\\"}) {
        SCOPED_TRACE(destination);
        FilesRig rig;
        rig.folder.put("t\\f.txt", "F");
        rig.file_step("Move/Rename Folder", rig.folder.at("t"), rig.folder.at(destination));
        EXPECT_EQ(rig.run_step(), kStepFailed);
        EXPECT_NE(rig.run.error_text.find("lies inside it"), std::string::npos);
        EXPECT_EQ(rig.folder.content("t\\f.txt"), "F");
        EXPECT_FALSE(rig.changed_anything());
    }
}

TEST(FilesFamily, SetFileAssociationWritesTheTypeAndReportsFailedWrites) {
    FilesRig rig;
    rig.desktop.files.present.insert("C:\\Ed\\ed.exe");
    Step& step = rig.file_step("Set File Association", "C:\\Ed\\ed.exe", "Zed Notes");
    copy_to_field(step.value[1], "zed");
    EXPECT_EQ(rig.run_step(), kStepSucceeded);
    EXPECT_EQ(setting_text(rig.store, ""), "");
    char text[260];
    read_setting(rig.store, SettingsRoot::kClassesRoot, text, sizeof(text), nullptr, ".zed\\");
    EXPECT_STREQ(text, "Zed Notes File");
    read_setting(rig.store, SettingsRoot::kClassesRoot, text, sizeof(text), nullptr, "Zed Notes File\\shell\\Open\\command\\");
    EXPECT_STREQ(text, "\"C:\\Ed\\ed.exe\" \"%1\"");
    read_setting(rig.store, SettingsRoot::kClassesRoot, text, sizeof(text), nullptr, "Zed Notes File\\DefaultIcon\\");
    EXPECT_STREQ(text, "\"C:\\Ed\\ed.exe\",0");
    EXPECT_EQ(rig.desktop.calls.back(), "association changed");

    rig.store.set_read_only(true);
    rig.desktop.calls.clear();
    EXPECT_EQ(rig.run_step(), kStepFailed);
    EXPECT_TRUE(rig.desktop.calls.empty());
}

TEST(FilesFamily, MapDrive) {
    const std::string net = "\"C:\\WINDOWS\\system32\\net.exe\" use \"Z:\" \"\\\\srv\\share\"";
    struct Case {
        const char* name;
        long map_result;
        bool share_found;
        bool net_starts;
        uint32_t net_exit;
        int expected;
        const char* error;
    } cases[] = {
        {"connected", 0, false, false, 0, kStepSucceeded, ""},
        {"share not found", 53, false, false, 0, kStepFailed, "The share name \"\\\\srv\\share\" could not be found"},
        {"net use succeeds", 53, true, true, 0, kStepSucceeded, ""},
        {"net use fails", 53, true, true, 2, kStepFailed, "Unable to map drive 'Z:' to \"\\\\srv\\share\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FilesRig rig;
        rig.desktop.files.map_result = c.map_result;
        if (c.share_found) rig.desktop.files.present.insert("\\\\srv\\share");
        if (c.net_starts) rig.desktop.processes.startable.insert(net);
        rig.desktop.processes.exit_code = c.net_exit;
        rig.file_step("Map Drive", "\\\\srv\\share", "Z:");
        EXPECT_EQ(rig.run_step(), c.expected);
        EXPECT_EQ(rig.run.error_text, c.error);
        EXPECT_EQ(rig.desktop.calls.front(), "map [\\\\srv\\share] as [Z:]");
        if (c.net_starts) {
            EXPECT_EQ(rig.desktop.calls[1].rfind("create [" + net + "] in [", 0), 0u);
            EXPECT_NE(rig.desktop.calls[1].find("] hidden"), std::string::npos);
            EXPECT_NE(std::find(rig.desktop.calls.begin(), rig.desktop.calls.end(), "wait 30500"),
                      rig.desktop.calls.end());
        }
    }
}

TEST(FilesFamily, MapDrivePromptAndUnknownNames) {
    FilesRig rig;
    rig.only("Map Drive Prompt");
    EXPECT_EQ(rig.run_step(), kStepSucceeded);  // cancelled: nothing to report
    rig.file_step("Shred File", "x").family = 9;
    EXPECT_EQ(rig.run_step(), kStepFailed);
    EXPECT_EQ(rig.run.error_text, "");
}

}  // namespace
}  // namespace zorbel
