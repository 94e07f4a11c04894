// Unattended, every prompt of a prompt step is one line with its Cancel or time-out
// answer, and nothing is shown.
#include <gtest/gtest.h>

#include "app/unattended_user_interface.h"
#include "tests/native/engine/expansion_fakes.h"

namespace zorbel {
namespace {

DialogPrompt dialog(const char* prompt, const char* value = "") {
    DialogPrompt p;
    p.prompt = prompt;
    p.value = value;
    return p;
}

TEST(UnattendedPrompts, EveryPromptIsOneLineWithItsCancelOrTimeOutAnswer) {
    MemorySettingsStore store;
    RunLog log(store);
    SilentUserInterface shown;
    std::vector<std::string> lines;
    UnattendedUserInterface ui(shown, log, [&](const std::string& line) { lines.push_back(line); });

    struct Row {
        const char* what;
        PromptEnd (*show)(UserInterface&);
        PromptEnd end;
        const char* line;
    } rows[] = {
        {"message", [](UserInterface& u) { return u.message_prompt({"Done", MessagePrompt::kMessage}); },
         PromptEnd::kOk, "\"Zorbel Message\" box: Done -> answered OK"},
        {"question", [](UserInterface& u) { return u.message_prompt({"Go?", MessagePrompt::kQuestion}); },
         PromptEnd::kNo, "\"Zorbel Message\" box: Go? -> answered No"},
        {"input",
         [](UserInterface& u) {
             DialogPrompt p = dialog("Value:", "preset");
             const PromptEnd end = u.input_prompt(p);
             return p.value == "preset" ? end : PromptEnd::kFailed;
         },
         PromptEnd::kCancelled, "\"Input Value\" box: Value: -> answered Cancel"},
        {"login", [](UserInterface& u) { DialogPrompt p = dialog("Who?"); return u.login_prompt(p); }, PromptEnd::kCancelled,
         "\"Login Prompt\" box: Who? -> answered Cancel"},
        {"list",
         [](UserInterface& u) {
             DialogPrompt p = dialog("Pick");
             p.items = {"a"};
             p.chosen = 0;
             const PromptEnd end = u.list_prompt(p);
             return p.chosen == -1 ? end : PromptEnd::kFailed;
         },
         PromptEnd::kCancelled, "\"Choose from a List\" box: Pick -> answered Cancel (no item chosen)"},
        {"file", [](UserInterface& u) { DialogPrompt p = dialog("", "C:\\a.txt"); return u.file_prompt(p); },
         PromptEnd::kCancelled, "\"Choose a File\" box: C:\\a.txt -> answered Cancel"},
        {"folder", [](UserInterface& u) { DialogPrompt p = dialog("", "C:\\"); return u.folder_prompt(p); },
         PromptEnd::kCancelled, "\"Choose a Folder\" box: C:\\ -> answered Cancel"},
        {"popup", [](UserInterface& u) { return u.status_popup({"50%", false, true}), PromptEnd::kOk; }, PromptEnd::kOk,
         "\"Progress Bar Popup\" box: 50% -> answered not shown"},
        {"tool tip", [](UserInterface& u) { return u.tool_tip("Tip", 1000), PromptEnd::kOk; }, PromptEnd::kOk,
         "\"Tool Tip\" box: Tip -> answered not shown"},
        {"image", [](UserInterface& u) { return u.image_window("a.gif", 0) ? PromptEnd::kOk : PromptEnd::kFailed; },
         PromptEnd::kOk, "\"Display Image\" box: a.gif -> answered not shown"},
        {"input box",
         [](UserInterface& u) {
             std::string text = "12";
             return !u.input_box("Go to Step", false, "Step:", &text) && text.empty() ? PromptEnd::kCancelled
                                                                                      : PromptEnd::kFailed;
         },
         PromptEnd::kCancelled, "\"Go to Step\" box: Step: -> answered Cancel"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(row.show(ui), row.end);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), std::string("Unattended: ") + row.line);
    }
    EXPECT_EQ(ui.answered(), 11);
}

}  // namespace
}  // namespace zorbel
