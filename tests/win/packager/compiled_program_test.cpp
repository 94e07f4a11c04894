// Scripts compiled into programs on real files, and those programs run under the
// system: exit codes, logs, unpacked files and their removal, self-deletion, the
// version block and icons read back, and failed compiles keeping the previous file.
#include <gtest/gtest.h>
#include <windows.h>

#include "core/script_file.h"
#include "core/text_rules.h"
#include "packager/compile_win.h"
#include "packager/resources_win.h"
#include "packager/script_payload.h"
#include "packager/stub_image.h"
#include "tests/win/support/child_process.h"
#include "tests/win/support/temp_folder.h"
#include "tests/win/support/zorbel_run.h"

namespace zorbel {
namespace wintest {
namespace {

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string step(const char* action, const std::string& text, const std::string& extra = "") {
    return "<step>\r\n\t<action>" + std::string(action) + "</action>\r\n\t<text>" + text + "</text>\r\n" + extra +
           "</step>\r\n";
}

std::string script_text(const std::string& steps) { return "<?xml version=\"1.0\" ?>\r\n<Zorbel>\r\n" + steps + "</Zorbel>\r\n"; }

class CompiledProgram : public ScriptRunFixture {
protected:
    void SetUp() override {
        ScriptRunFixture::SetUp();
        set_setting_text("Logfile", log_file_);
        set_setting_number("Log", 1);
        for (const char* name : {"Compile_Package", "Compile_ExtractTo", "Compile_Icon", "Compile_Copyright",
                                 "Compile_Description", "Compile_Version"})
            set_setting_text(name, "");
        for (const char* name : {"Compile_Delete", "Compile_SelfDelete", "Compile_Include"}) set_setting_number(name, 0);
    }

    ScriptState load(const std::string& steps) {
        const std::string path = folder_ / "script.zbx";
        EXPECT_TRUE(write_file(path, script_text(steps)));
        ScriptState script;
        SilentUserInterface ui;
        EXPECT_GT(load_script(&script, path, &ui), 0);
        return script;
    }

    int compile(const ScriptState& script, const CompileSettings& settings, const std::string& editor = "") {
        CompileJob job;
        job.settings = settings;
        job.editor_path = editor.empty() ? built_program("zorbel.exe") : editor;
        job.expand = [](const std::string& text) { return text; };
        CompileReport report;
        const int code = compile_script(script, job, &report);
        messages_ = report.messages;
        return code;
    }

    // Runs a compiled program with "/L" and waits for its end.
    DWORD run(const std::string& program, const std::string& arguments = "/L") {
        DeleteFileA(log_file_.c_str());
        ChildProcess child;
        EXPECT_TRUE(child.start("\"" + program + "\" " + arguments));
        DWORD code = 0;
        EXPECT_TRUE(child.wait_exit(&code, 30000));
        return code;
    }

    CompileSettings settings_for(const std::string& output) {
        CompileSettings settings;
        settings.output = output;
        return settings;
    }

    std::vector<std::string> messages_;
};

TEST_F(CompiledProgram, RunsItsScriptAndReturnsTheRunsCode) {
    ScriptState script = load(step("Write to Log", "compiled hello") + step("Exit Run", "", "\t<timeout>7</timeout>\r\n"));
    const std::string exe = folder_ / "hello.exe";
    ASSERT_EQ(compile(script, settings_for(exe)), 0) << (messages_.empty() ? "" : messages_[0]);
    EXPECT_EQ(run(exe), 7u);
    const std::string log = read_file(log_file_);
    EXPECT_NE(log.find("compiled hello"), std::string::npos) << log;
    EXPECT_NE(log.find("for " + exe), std::string::npos) << log;
    // The player ignores a compile switch and a file name: it runs its own script.
    EXPECT_EQ(run(exe, "/L /compile \"" + (folder_ / "other.exe") + "\" \"" + (folder_ / "script.zbx") + "\""), 7u);
    EXPECT_FALSE(exists(folder_ / "other.exe"));
    EXPECT_NE(read_file(log_file_).find("compiled hello"), std::string::npos);
}

TEST_F(CompiledProgram, CommandLineCompileUsesTheScriptsNameAndExitsWithItsCode) {
    const std::string path = folder_ / "cmd script.zbx";
    ASSERT_TRUE(write_file(path, script_text(step("Write to Log", "from the command line"))));
    ChildProcess zorbel;
    ASSERT_TRUE(start_zorbel(zorbel, "/compile \"" + path + "\""));
    DWORD code = 1;
    ASSERT_TRUE(zorbel.wait_exit(&code, 30000));
    EXPECT_EQ(code, 0u);
    const std::string exe = folder_ / "cmd script.exe";
    ASSERT_TRUE(exists(exe)) << read_file(log_file_);
    EXPECT_NE(read_file(log_file_).find("Compile: The file \"" + exe + "\" was successfully created."), std::string::npos)
        << read_file(log_file_);
    EXPECT_EQ(run(exe), 0u);
    EXPECT_NE(read_file(log_file_).find("from the command line"), std::string::npos);

    // With an output name; a script that is missing fails with -1 and writes nothing.
    const std::string named = folder_ / "named.exe";
    ChildProcess second;
    ASSERT_TRUE(start_zorbel(second, "-compile \"" + named + "\" \"" + path + "\""));
    ASSERT_TRUE(second.wait_exit(&code, 30000));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(exists(named));
    ChildProcess third;
    ASSERT_TRUE(start_zorbel(third, "/compile \"" + (folder_ / "none.zbx") + "\""));
    ASSERT_TRUE(third.wait_exit(&code, 30000));
    EXPECT_EQ(static_cast<int>(code), -1);
    EXPECT_FALSE(exists(folder_ / "none.exe"));
}

// Files this start unpacked are removed at exit; a file and a folder that were there
// before stay as they were.
TEST_F(CompiledProgram, UnpacksItsPackageAndRemovesOnlyWhatItCreated) {
    CreateDirectoryA((folder_ / "src").c_str(), nullptr);
    CreateDirectoryA((folder_ / "src\\sub").c_str(), nullptr);
    ASSERT_TRUE(write_file(folder_ / "src\\a.txt", "new a"));
    ASSERT_TRUE(write_file(folder_ / "src\\sub\\b.txt", "new b"));
    CreateDirectoryA((folder_ / "out").c_str(), nullptr);
    ASSERT_TRUE(write_file(folder_ / "out\\a.txt", "old a"));
    ScriptState script = load(step("Write to Log", "unpacked"));
    CompileSettings settings = settings_for(folder_ / "pack.exe");
    settings.package = (folder_ / "src\\a.txt") + ";" + (folder_ / "src\\sub\\b.txt") + ";";
    settings.extract_to = folder_ / "out\\";
    ASSERT_EQ(compile(script, settings), 2);
    EXPECT_EQ(run(settings.output), 0u);
    EXPECT_EQ(read_file(folder_ / "out\\sub\\b.txt"), "new b");
    EXPECT_EQ(read_file(folder_ / "out\\a.txt"), "old a");

    RemoveDirectoryA((folder_ / "out\\sub").c_str());
    DeleteFileA((folder_ / "out\\sub\\b.txt").c_str());
    RemoveDirectoryA((folder_ / "out\\sub").c_str());
    settings.delete_unpacked = true;
    ASSERT_EQ(compile(script, settings), 2);
    EXPECT_EQ(run(settings.output), 0u);
    EXPECT_FALSE(exists(folder_ / "out\\sub\\b.txt"));
    EXPECT_FALSE(exists(folder_ / "out\\sub"));
    EXPECT_EQ(read_file(folder_ / "out\\a.txt"), "old a");
    EXPECT_TRUE(exists(folder_ / "out"));
    EXPECT_NE(read_file(log_file_).find("deleting " + (folder_ / "out\\sub\\b.txt")), std::string::npos)
        << read_file(log_file_);
}

// The whole path is quoted: "My" beside the folder and "more\run.exe" elsewhere stay.
TEST_F(CompiledProgram, SelfDeletesInAFolderWithBlanksAndAmpersand) {
    const std::string folder = folder_ / "My Tools & more";
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(write_file(folder_ / "My", "decoy"));
    ScriptState script = load(step("Write to Log", "about to go"));
    CompileSettings settings = settings_for(folder + "\\run.exe");
    settings.self_delete = true;
    ASSERT_EQ(compile(script, settings), 0);
    EXPECT_EQ(run(settings.output), 0u);
    bool gone = false;
    for (int i = 0; i < 200 && !gone; ++i) {
        gone = !exists(settings.output);
        if (!gone) Sleep(100);
    }
    EXPECT_TRUE(gone);
    EXPECT_EQ(read_file(folder_ / "My"), "decoy");
    EXPECT_FALSE(exists(folder + "\\selfdel.bat"));
}

std::string version_value(const std::string& path, const char* name) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    std::vector<char> block(size + 1);
    if (!size || !GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return "<none>";
    char* value = nullptr;
    UINT length = 0;
    const std::string key = std::string("\\StringFileInfo\\040904b0\\") + name;
    if (!VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) return "<missing>";
    return std::string(value);
}

TEST_F(CompiledProgram, VersionBlockAndIconReadBackThroughTheSystem) {
    // A 16 x 16 icon of one 32-bit image.
    std::string ico("\0\0\1\0\1\0\x10\x10\0\0\1\0\x20\0", 14);
    const uint32_t image_size = 40 + 16 * 16 * 4 + 64;
    ico.append(reinterpret_cast<const char*>(&image_size), 4);
    ico.append("\x16\0\0\0", 4);
    std::string image(image_size, '\0');
    const int32_t header[] = {40, 16, 32};
    memcpy(&image[0], header, sizeof(header));
    image[12] = 1, image[14] = 32;
    ico += image;
    ASSERT_TRUE(write_file(folder_ / "app.ico", ico));

    ScriptState script = load(step("Write to Log", "x"));
    CompileSettings settings = settings_for(folder_ / "versioned.exe");
    settings.version = {"3.7", "(c) The Testers", "Compiled test"};
    settings.icon = folder_ / "app.ico";
    ASSERT_EQ(compile(script, settings), 0) << (messages_.empty() ? "" : messages_[0]);
    EXPECT_EQ(version_value(settings.output, "LegalCopyright"), "(c) The Testers");
    EXPECT_EQ(version_value(settings.output, "FileDescription"), "Compiled test");
    EXPECT_EQ(version_value(settings.output, "Comments"), std::string(80, ' '));
    DWORD handle = 0;
    std::vector<char> block(GetFileVersionInfoSizeA(settings.output.c_str(), &handle));
    ASSERT_TRUE(GetFileVersionInfoA(settings.output.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00030007u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00030007u);

    HMODULE module = LoadLibraryExA(settings.output.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module);
    HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(1), RT_GROUP_ICON);
    HRSRC icon = FindResourceA(module, MAKEINTRESOURCEA(1), RT_ICON);
    EXPECT_TRUE(group);
    ASSERT_TRUE(icon);
    EXPECT_EQ(SizeofResource(module, icon), image_size);
    EXPECT_EQ(SizeofResource(module, group), 20u);
    FreeLibrary(module);
    EXPECT_EQ(run(settings.output), 0u);
}

// A program as the icon source is read as data: its first group and the images it names.
TEST_F(CompiledProgram, IconsCopiedFromAProgram) {
    ScriptState script = load(step("Write to Log", "x"));
    CompileSettings settings = settings_for(folder_ / "iconic.exe");
    settings.icon = built_program("Zorbel.LIB");
    ASSERT_EQ(compile(script, settings), 0) << (messages_.empty() ? "" : messages_[0]);
    ModuleResources source(settings.icon), copy(settings.output);
    Bytes source_group, copy_group, source_image, copy_image;
    ASSERT_TRUE(source.read(kResourceGroupIcon, 1, &source_group));
    ASSERT_TRUE(copy.read(kResourceGroupIcon, 1, &copy_group));
    EXPECT_EQ(copy_group, source_group);
    ASSERT_TRUE(source.read(kResourceIcon, 1, &source_image));
    ASSERT_TRUE(copy.read(kResourceIcon, 1, &copy_image));
    EXPECT_EQ(copy_image, source_image);
    settings.icon = folder_ / "script.zbx";  // no icons at all
    EXPECT_EQ(compile(script, settings), -13);
}

TEST_F(CompiledProgram, BadIconFailsAndKeepsThePreviousProgram) {
    std::string ico("\0\0\1\0\1\0\x10\x10\0\0\1\0\x20\0\xff\xff\0\0\x16\0\0\0", 22);
    ASSERT_TRUE(write_file(folder_ / "bad.ico", ico));
    const std::string exe = folder_ / "kept.exe";
    ASSERT_TRUE(write_file(exe, "previous"));
    ScriptState script = load(step("Write to Log", "x"));
    CompileSettings settings = settings_for(exe);
    settings.icon = folder_ / "bad.ico";
    EXPECT_EQ(compile(script, settings), -13);
    settings.icon.clear();
    settings.package = (folder_ / "missing.txt") + ";";
    EXPECT_EQ(compile(script, settings), -11);
    ASSERT_FALSE(messages_.empty());
    EXPECT_EQ(messages_[0], "Unable to embed '" + (folder_ / "missing.txt") + "'");
    EXPECT_EQ(read_file(exe), "previous");
    EXPECT_FALSE(exists(exe + ".part"));
}

// The built player holds its two marker words once each, adjacent, in its data.
TEST_F(CompiledProgram, BuiltPlayerCarriesItsMarkersOnce) {
    const std::string stub = read_file(built_program("Zorbel.LIB"));
    EXPECT_GE(find_markers(Bytes(stub.begin(), stub.end())), 0);
}

// Stubs beside a stand-in editor: one without markers, and a message-only stub.
TEST_F(CompiledProgram, StubWithoutMarkersFailsAndMessageOnlyProgramHasItsBytes) {
    const std::string editor = folder_ / "zorbel.exe";
    ASSERT_TRUE(CopyFileA(built_program("zbtestbed.exe").c_str(), (folder_ / "zorbel.LIB").c_str(), FALSE));
    ASSERT_TRUE(write_file(folder_ / "zorbelTiny.LIB", std::string(600, 'T')));
    const std::string exe = folder_ / "m.exe";
    ASSERT_TRUE(write_file(exe, "previous"));
    ScriptState plain = load(step("Write to Log", "x"));
    EXPECT_EQ(compile(plain, settings_for(exe), editor), -12);
    EXPECT_EQ(messages_.at(0), "player stub has no markers");
    EXPECT_EQ(read_file(exe), "previous");

    ScriptState message = load(step("Display Message", "Twenty characters!!!"));
    EXPECT_EQ(compile(message, settings_for(exe), editor), 0);
    const std::string com = read_file(folder_ / "m.com");
    ASSERT_EQ(com.size(), 33u);
    EXPECT_EQ(com.substr(10, 21), std::string("Twenty characters!!!\0", 21));
    const std::string tiny = read_file(exe);
    ASSERT_EQ(tiny.size(), 600u);
    EXPECT_EQ(tiny.substr(535, 21), std::string("Twenty characters!!!\0", 21));
}

// A recording travels as text in the program's own resources and comes back into a
// fresh slot with negative coordinates and late tick counts intact.
TEST_F(CompiledProgram, RecordingsTravelInTheProgramsResources) {
    ScriptState script = load(step("Write to Log", "x"));
    script.steps.push_back(script.steps[0]);
    Step& record = script.steps[1];
    copy_to_field(record.action, "Record Actions");
    record.family = 8;
    record.text.clear();
    script.recordings[3] = {{0x200, static_cast<uint32_t>(-40), 300, 3000000000u, 0}};
    script.recording_count = 4;
    copy_to_field(record.value[0], "1");
    copy_to_field(record.value[1], "3");
    const std::string exe = folder_ / "recorded.exe";
    ASSERT_EQ(compile(script, settings_for(exe)), 0);
    ModuleResources resources(exe);
    ASSERT_TRUE(resources.loaded());
    ScriptState loaded;
    ASSERT_TRUE(load_script_payload(resources, exe, &loaded));
    ASSERT_EQ(loaded.step_count(), 2);
    EXPECT_EQ(std::string(field_text(loaded.steps[1].value[1])), "0");
    ASSERT_EQ(loaded.recordings[0].size(), 1u);
    EXPECT_EQ(static_cast<int32_t>(loaded.recordings[0][0].param_first), -40);
    EXPECT_EQ(loaded.recordings[0][0].time, 3000000000u);
}

// The message-only variant is chosen only when expansion leaves the text as it is:
// without its stub (not shipped) the plain text fails with -2, the one with a key
// token compiles as a normal program.
TEST_F(CompiledProgram, CommandLineCompileChoosesTheMessageOnlyVariantByExpansion) {
    struct Case {
        const char* text;
        int code;
    } cases[] = {{"Plain words", -2}, {"Press {ENTER}", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string path = folder_ / "message.zbx";
        ASSERT_TRUE(write_file(path, script_text(step("Display Message", c.text))));
        DeleteFileA((folder_ / "message.exe").c_str());
        ChildProcess zorbel;
        ASSERT_TRUE(start_zorbel(zorbel, "/compile \"" + path + "\""));
        DWORD code = 1;
        ASSERT_TRUE(zorbel.wait_exit(&code, 30000));
        EXPECT_EQ(static_cast<int>(code), c.code) << read_file(log_file_);
        EXPECT_EQ(exists(folder_ / "message.exe"), c.code == 0);
    }
    EXPECT_NE(read_file(log_file_).find("Compile: Unable to find required file for compile:  '"), std::string::npos);
}

}  // namespace
}  // namespace wintest
}  // namespace zorbel
