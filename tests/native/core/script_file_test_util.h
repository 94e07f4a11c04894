// Helpers shared by the script file tests: temp folders, whole-file reads and
// a rich script that uses every field the file format knows.
#pragma once
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "core/action_catalogue.h"
#include "core/script_state.h"
#include "core/text_rules.h"

namespace zorbel::testing_util {

// A fresh folder under the system temp folder, removed with everything in it at the end.
class TempFolder {
public:
    explicit TempFolder(const std::string& tag) {
        static int counter = 0;
        std::error_code ec;
        path_ = std::filesystem::temp_directory_path(ec) /
                ("zorbel_" + tag + "_" + std::to_string(counter++) + "_" + std::to_string(unique_number()));
        std::filesystem::remove_all(path_, ec);
        std::filesystem::create_directories(path_, ec);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::all, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The path of `name` inside the folder, with the platform's separator.
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string path() const { return path_.string(); }

private:
    static long long unique_number() {
        // Distinct per run, so test processes started side by side do not share folders.
        return static_cast<long long>(std::chrono::steady_clock::now().time_since_epoch().count() % 1000000007);
    }
    std::filesystem::path path_;
};

inline std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void write_file(const std::string& path, const std::string& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
}

// A step for `action` as the editor makes it: family and icon from the catalogue.
inline Step make_step(const char* action) {
    Step step;
    copy_to_field(step.action, action);
    if (const CatalogueEntry* e = find_action(action)) {
        step.family = e->family;
        step.icon = e->icon;
    }
    copy_to_field(step.onfail, "Display Error and Stop");
    return step;
}

// A script with every field set somewhere, entities, escapes, "&" in an action
// name, text holding "&lt;", and two recordings.
inline ScriptState rich_script() {
    ScriptState s;
    Step start = make_step("Start");
    start.text = "NOTEPAD.EXE \"C:\\My Files\\a&b.txt\"";
    start.comment = "Opens <the> file & waits";
    start.options = 0x100003;
    copy_to_field(start.timeout, "%delay");
    copy_to_field(start.variable, "%result");
    for (int n = 0; n < kValueCount; ++n)
        copy_to_field(start.value[n], format("v%d <&> 'quoted' \"double\" &lt; &amp; &#038;", n + 1));
    s.steps.push_back(start);

    Step date = make_step("Control Panel: Time & Date");
    date.text = "&lt;";
    date.status = 1;
    date.indents = 2;
    copy_to_field(date.onfail, "Continue");
    s.steps.push_back(date);

    Step click = make_step("Left Button Click");
    click.options = 0x30;  // already in the moved-up bits
    copy_to_field(click.onfail, "Goto Label");
    copy_to_field(click.onfail_label, "Retry Here");
    click.onfail_image = 1;
    click.onfail_log = 2;
    click.status = -1;
    click.indents = -3;
    copy_to_field(click.timeout, "12");
    s.steps.push_back(click);

    Step rec = make_step("Recording");
    copy_to_field(rec.value[0], "3");
    copy_to_field(rec.value[1], "0");
    s.recordings[0] = {{512, 100, 3, 12345, 0}, {513, 0, 0, 0, 0}, {0x100, 65, 30, 99999999, 0}};
    s.steps.push_back(rec);

    Step text = make_step("Text + System Keys");
    text.text = "line one\r\nline two\ttabbed {enter} </text> <step> ]]> &unknown; & done";
    text.comment = std::string("multi\nline comment with \x01 and \xE9\xFF bytes");
    copy_to_field(text.onfail, "display error and stop");  // differs by case: written
    s.steps.push_back(text);

    Step rec2 = make_step("Recording");
    copy_to_field(rec2.value[0], "1");
    copy_to_field(rec2.value[1], "1");
    s.recordings[1] = {{0x201, 640, 480, 3000000000u, 0}};  // taken after 34 days of uptime
    s.recording_count = 2;
    s.steps.push_back(rec2);

    Step unknown = make_step("Some Old Action");
    copy_to_field(unknown.onfail, "Display Error and Stop");
    unknown.onfail_image = 1;  // flags alone are enough to write the element
    s.steps.push_back(unknown);
    return s;
}

}  // namespace zorbel::testing_util
