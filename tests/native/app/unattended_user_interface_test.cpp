#include <gtest/gtest.h>

#include "app/unattended_user_interface.h"
#include "tests/native/engine/expansion_fakes.h"

namespace zorbel {
namespace {

// Status, title and file list still reach the program's own interface.
class ShownInterface : public SilentUserInterface {
public:
    std::string status;
    void set_status(int, const std::string& text) override { status = text; }
};

// Each kind of box gives one line, in the run log and on standard error, with the
// answer it was given; nothing is shown.
TEST(UnattendedUserInterface, EveryBoxIsOneLineWithItsAnswer) {
    MemorySettingsStore store;
    TempFolder folder;
    const std::string path = folder.file("log.txt");
    write_setting_number(store, "SOFTWARE\\Zorbel\\Log", 1);
    write_setting_text(store, "SOFTWARE\\Zorbel\\Logfile", path);
    RunLog log(store);
    ShownInterface shown;
    std::vector<std::string> standard_error;
    UnattendedUserInterface ui(shown, log, [&](const std::string& line) { standard_error.push_back(line); });

    struct Row {
        const char* what;
        Answer (*show)(UserInterface&);
        Answer answer;
        const char* line;
    } rows[] = {
        {"error box", [](UserInterface& u) { return u.error_box("Unable to load 'x'"), Answer::kYes; }, Answer::kYes,
         "Unattended: \"Error\" box: Unable to load 'x' -> answered OK"},
        {"titled box",
         [](UserInterface& u) { return u.titled_error_box("Load Error", "a\n\nb\tc\r\n"), Answer::kYes; },
         Answer::kYes, "Unattended: \"Load Error\" box: a / b c -> answered OK"},
        {"question", [](UserInterface& u) { return u.ask_yes_no("Load File", "Continue anyway?"); }, Answer::kNo,
         "Unattended: \"Load File\" box: Continue anyway? -> answered No"},
        {"run failure box",
         [](UserInterface& u) { return u.box("Zorbel Run Failure", "\r\nE\r\n\r\nwhy", BoxIcon::kExclamation, false); },
         Answer::kYes, "Unattended: \"Zorbel Run Failure\" box: E / why -> answered OK"},
        {"ask to continue",
         [](UserInterface& u) { return u.box("Zorbel Run Failure", "E\n\nContinue?", BoxIcon::kQuestion, true); },
         Answer::kNo, "Unattended: \"Zorbel Run Failure\" box: E / Continue? -> answered No"},
        {"popup menu",
         [](UserInterface& u) {
             int choice = 7;
             const bool shown_menu = u.popup_menu("one\r\ntwo", &choice);
             return shown_menu && choice == 0 ? Answer::kCancel : Answer::kYes;
         },
         Answer::kCancel, "Unattended: \"Popup Menu\" box: one / two -> answered Cancel (no item chosen)"},
    };
    std::string expected_log;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(row.answer, row.show(ui));
        ASSERT_FALSE(standard_error.empty());
        EXPECT_EQ(row.line, standard_error.back());
        expected_log += std::string(row.line) + "\r\n";
    }
    EXPECT_EQ(6, ui.answered());
    std::string text;
    files::read_all(path, &text);
    EXPECT_EQ(expected_log, text);
    ui.set_status(0, " Running Step #1");
    EXPECT_EQ(" Running Step #1", shown.status);
}

}  // namespace
}  // namespace zorbel
