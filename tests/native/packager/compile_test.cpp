#include "packager/compile.h"

#include <gtest/gtest.h>

#include "core/action_catalogue.h"
#include "packager/script_payload.h"
#include "packager/stub_image.h"
#include "tests/native/packager/fake_files.h"

namespace zorbel {
namespace {

using test::make_step;

struct CompileRig {
    test::FakeFiles files;
    MemoryResources stub;
    CompileSettings settings;
    ScriptState script;
    CompileOutput output;
    CompileReport report;

    CompileRig() { settings.output = "C:\\out\\run.exe"; }
    int plan() { return plan_compile(script, settings, files, stub, &output, &report); }
    bool has(uint16_t id) {
        Bytes b;
        return output.writes.read(kResourceRcData, id, &b);
    }
    std::string text_of(uint16_t id) {
        Bytes b;
        output.writes.read(kResourceRcData, id, &b);
        return std::string(b.begin(), b.end());
    }
    ScriptState loaded() {
        ScriptState s;
        load_script_payload(output.writes, "x", &s);
        return s;
    }
};

TEST(Compile, NoStepsOrNoOutputIsMinusOne) {
    CompileRig rig;
    EXPECT_EQ(rig.plan(), kCompileNoOutputOrSteps);
    EXPECT_EQ(rig.report.log_lines.at(0), "Error -1: [C:\\out\\run.exe] [] [0] [0]\r\n");
}

TEST(Compile, ReferencedFilesEmbeddedOncePerPath) {
    CompileRig rig;
    rig.settings.include = true;
    rig.files.add("C:\\cfg\\a.ini", "settings");
    rig.files.add("C:\\bin\\tool.exe", "MZ");
    rig.files.add("C:\\w\\flag.txt", "stale");
    rig.script.steps = {make_step("Open File", "C:\\cfg\\a.ini"), make_step("Open File", "c:\\CFG\\A.INI"),
                        make_step("Start", "C:\\bin\\tool.exe"), make_step("Wait for File", "C:\\w\\flag.txt"),
                        make_step("Delete File", "C:\\cfg\\a.ini"), make_step("Run", "x")};
    copy_to_field(rig.script.steps[5].value[0], "C:\\cfg\\a.ini");
    rig.script.steps[1].status = kStatusNormal;
    ASSERT_EQ(rig.plan(), 0);
    ScriptState s = rig.loaded();
    const int32_t ids[] = {106, 106, 0, 0, 0, 107};
    const int32_t kinds[] = {1, 1, 0, 0, 0, 2};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(s.steps[i].embedded_id, ids[i]);
        EXPECT_EQ(s.steps[i].embedded_kind, kinds[i]);
    }
    EXPECT_EQ(rig.text_of(106), "settings");
    EXPECT_EQ(rig.output.embedded, 2);
    EXPECT_EQ(rig.report.log_lines.at(0), "Compile: Action #1 - Embedding external file \"C:\\cfg\\a.ini\"\r\n");
    // The editor's script keeps its own ids.
    EXPECT_EQ(rig.script.steps[0].embedded_id, 0);
}

TEST(Compile, ExcludedTypesFollowTheSetting) {
    for (const char* exclude : {"EXE DLL", "*.exe, *.dll", ""}) {
        SCOPED_TRACE(exclude);
        CompileRig rig;
        rig.settings.include = true;
        rig.settings.exclude = exclude;
        rig.files.add("C:\\bin\\tool.exe", "MZ");
        rig.script.steps = {make_step("Start", "C:\\bin\\tool.exe")};
        ASSERT_EQ(rig.plan(), 0);
        EXPECT_EQ(rig.has(106), std::string(exclude).empty());
    }
    EXPECT_EQ(exclude_words("*.EXE, *.DLL;  .ini"), (std::vector<std::string>{"EXE", "DLL", "ini"}));
}

TEST(Compile, PackageResourcesFollowTheEmbeddedFiles) {
    CompileRig rig;
    rig.settings.include = true;
    rig.files.add("C:\\cfg\\a.ini", "settings");
    rig.files.add("C:\\data\\a.txt", "A");
    rig.files.add("C:\\data\\sub\\b.txt", "");
    rig.settings.package = "C:\\data\\a.txt;C:\\data\\sub\\b.txt;";
    rig.script.steps = {make_step("Open File", "C:\\cfg\\a.ini")};
    ASSERT_EQ(rig.plan(), 0);
    EXPECT_EQ(rig.output.package_id, 107u);
    EXPECT_EQ(rig.text_of(107), "a.txt;sub\\b.txt;");
    EXPECT_EQ(rig.text_of(108), " ");
    EXPECT_EQ(rig.text_of(109), "A");
    EXPECT_FALSE(rig.has(110));  // an empty file gets no resource
    EXPECT_EQ(rig.output.embedded, 3);
    rig.settings.extract_to = "D:\\out";
    ASSERT_EQ(rig.plan(), 0);
    EXPECT_EQ(rig.text_of(108), "D:\\out\\");
}

TEST(Compile, UnreadableAdditionalFileFailsTheCompile) {
    CompileRig rig;
    rig.files.add("C:\\d\\a.txt", "A");
    rig.files.unreadable.insert("C:\\d\\a.txt");
    rig.settings.package = "C:\\d\\a.txt;C:\\d\\missing.txt;";
    rig.script.steps = {make_step("Pause", "1")};
    EXPECT_EQ(rig.plan(), kCompileFileUnreadable);
    EXPECT_EQ(rig.report.messages.at(0), "Unable to embed 'C:\\d\\a.txt'");
}

// The editor's own steps are never changed, however the compile ends.
TEST(Compile, TheEditorsStepsStayAsTheyWereOnFailure) {
    CompileRig rig;
    rig.settings.include = true;
    rig.files.add("C:\\cfg\\a.ini", "x");
    rig.script.recordings[0] = {{0x200, 1, 2, 3, 0}};
    rig.script.recording_count = 1;
    rig.script.steps = {make_step("Open File", "C:\\cfg\\a.ini"), make_step("Record Actions", "", kFamilyRecording)};
    copy_to_field(rig.script.steps[1].value[0], "1");
    rig.settings.package = "C:\\missing.txt;";
    EXPECT_EQ(rig.plan(), kCompileFileUnreadable);
    EXPECT_EQ(rig.script.steps[0].embedded_id, 0);
    EXPECT_EQ(rig.script.steps[1].text, "");
}

TEST(Compile, NoPackageLeavesTheMarkerZeroAndFlagsFromSettings) {
    CompileRig rig;
    rig.settings.delete_unpacked = true;
    rig.settings.self_delete = true;
    rig.script.steps = {make_step("Pause", "1")};
    ASSERT_EQ(rig.plan(), 0);
    EXPECT_EQ(rig.output.package_id, 0u);
    EXPECT_EQ(rig.output.delete_flags, 3u);
}

TEST(Compile, IconReplacesTheStubsGroup) {
    CompileRig rig;
    Bytes old_group(6 + 14, 0);
    put_u16(&old_group, 4, 1);
    put_u16(&old_group, 6 + 12, 9);
    rig.stub.write(kResourceGroupIcon, 1, 1033, old_group);
    rig.stub.write(kResourceIcon, 9, 1033, Bytes(4));
    Bytes file(6 + 16 + 8, 0);
    put_u16(&file, 2, 1);
    put_u16(&file, 4, 1);
    put_u32(&file, 6 + 8, 8);
    put_u32(&file, 6 + 12, 22);
    rig.files.files["C:\\i\\app.ico"] = file;
    rig.settings.icon = "C:\\i\\app.ico";
    rig.script.steps = {make_step("Pause", "1")};
    ASSERT_EQ(rig.plan(), 0);
    EXPECT_EQ(rig.output.removals, (std::vector<MemoryResources::Key>{MemoryResources::Key(kResourceGroupIcon, 1, 1033),
                                                                      MemoryResources::Key(kResourceIcon, 9, 1033)}));
    Bytes image;
    EXPECT_TRUE(rig.output.writes.read(kResourceIcon, 1, &image));
    MemoryResources written;
    ASSERT_EQ(write_compile(rig.output, written), 0);
    EXPECT_EQ(written.items.count(MemoryResources::Key(kResourceGroupIcon, 1, kLanguageNeutral)), 1u);
}

TEST(Compile, BadIconFailsWithItsMessage) {
    CompileRig rig;
    rig.files.add("C:\\i\\bad.ico", std::string("\0\0\1\0\1\0", 6));
    rig.settings.icon = "C:\\i\\bad.ico";
    rig.script.steps = {make_step("Pause", "1")};
    EXPECT_EQ(rig.plan(), kCompileBadIcon);
    EXPECT_NE(rig.report.messages.at(0).find("C:\\i\\bad.ico"), std::string::npos);
}

TEST(Compile, WriteFailuresGiveTheirCodes) {
    CompileRig rig;
    rig.script.steps = {make_step("Pause", "1")};
    ASSERT_EQ(rig.plan(), 0);
    const std::pair<int, int> cases[] = {{105, kCompileTextsFailed}, {104, kCompileStepsFailed}};
    for (auto c : cases) {
        MemoryResources writer;
        writer.fail_writes_of_id = c.first;
        EXPECT_EQ(write_compile(rig.output, writer), c.second);
    }
}

TEST(Compile, MessageOnlyOnlyWhenExpansionChangesNothing) {
    auto expand = [](const std::string& t) {
        std::string out = t;
        size_t at = out.find("{ENTER}");
        if (at != std::string::npos) out.replace(at, 7, "\r");
        if (out.find("CALC(") != std::string::npos) out = "3";
        return out;
    };
    struct Case {
        const char* action;
        std::string text;
        bool tiny;
    } cases[] = {{"Display Message", "Hello there", true},   {"Display Error Message", "Bad", true},
                 {"Display Message", "Press {ENTER}", false}, {"Display Message", "CALC(1+2)", false},
                 {"Display Message", "50%", false},           {"Display Message", std::string(251, 'a'), false},
                 {"Pause", "1", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ScriptState script;
        script.steps = {make_step(c.action, c.text), make_step("Start", "x")};
        script.steps[1].status = kStatusSkip;
        std::string text;
        EXPECT_EQ(message_only_text(script, expand, &text), c.tiny);
    }
}

TEST(Compile, ResultTexts) {
    EXPECT_EQ(compile_result_text("a.exe", 0, 1048576),
              "The file \"a.exe\" was successfully created.\n\nOutput file size: 1024k");
    EXPECT_EQ(compile_result_text("a.exe", 2, 1048577),
              "The file \"a.exe\" was successfully created.\n\n2 files embedded\n\nOutput file size: 1 MB");
    EXPECT_EQ(compile_result_text("a.exe", -12, 0), "Unable to compile \"a.exe\"\n\nError -12");
}

}  // namespace
}  // namespace zorbel
