// The User Prompt family on the run rig: what each step asks the user interface, what
// it saves from each answer, what it logs, and the steps that fail.
#include <gtest/gtest.h>

#include "actions/prompts/prompt_text.h"
#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

using Answer = RigUserInterface::PromptAnswer;
using Lines = std::vector<std::string>;

class PromptStepTest : public ::testing::Test {
protected:
    RunRig rig;

    // A one-step script of `action` saving to "%answer" (preset with `preset` unless null).
    Step& step(const char* action, const std::string& text, const char* timeout = "", const char* preset = nullptr) {
        Step& s = rig.only(action, text, timeout);
        copy_to_field(s.variable, "%answer");
        s.options = kOptionResultToVariable;
        if (preset != nullptr) rig.set_variable("answer", preset);
        write_setting_number(rig.store, "SOFTWARE\\Zorbel\\Log", 1);
        return s;
    }
    int run(const Answer& answer) {
        rig.ui.prompt_answers.push_back(answer);
        return rig.run_step();
    }
    std::string answer_variable() { return rig.variable("answer"); }
    bool has_variable(const char* name) {
        std::string ignored;
        return rig.variables.read_unprefixed(name, &ignored);
    }
};

TEST_F(PromptStepTest, MessageBoxesAskTheInterfaceWithTheirKindModalityAndTime) {
    struct Row {
        const char* action;
        uint32_t options;
        const char* timeout;
        const char* prompt;
        Lines log;
    } rows[] = {
        {"Display Message", 0, "2.5", "message|Hi|task|2500", {"\t'2.5' seconds allowed for message to close"}},
        {"Display Warning", 1, "", "warning|Hi|system|0", {}},
        {"Ask Yes/No Question", 0, "0", "question|Hi|task|0",
         {"\t'0' seconds allowed for message to close", "\tSaving 1 byte(s) to variable %answer: \"0\""}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.action);
        Step& s = step(row.action, "Hi", row.timeout);
        s.options |= row.options;
        rig.ui.prompts.clear();
        rig.output.text.clear();
        EXPECT_EQ(rig.run_step(), kStepSucceeded);
        EXPECT_EQ(rig.ui.prompts, Lines{row.prompt});
        EXPECT_EQ(rig.lines(), row.log);
    }
}

// "1" only for Yes: No, a closed box and a time-out give "0"; a box that could not be
// shown fails the step and saves nothing.
TEST_F(PromptStepTest, AskSavesOneOnlyForYesAndFailsWhenNoBoxWasShown) {
    struct Row {
        PromptEnd end;
        int result;
        const char* saved;
        bool timeout_line;
    } rows[] = {
        {PromptEnd::kYes, kStepSucceeded, "1", false},      {PromptEnd::kNo, kStepSucceeded, "0", false},
        {PromptEnd::kCancelled, kStepSucceeded, "0", false}, {PromptEnd::kTimedOut, kStepSucceeded, "0", true},
        {PromptEnd::kFailed, kStepFailed, "unchanged", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.end));
        step("Ask Yes/No Question", "Go on?", "", "unchanged");
        rig.output.text.clear();
        EXPECT_EQ(run({row.end}), row.result);
        EXPECT_EQ(answer_variable(), row.saved);
        EXPECT_EQ(rig.log().find("\tTimeout reached, forcing message closed\r\n") != std::string::npos,
                  row.timeout_line);
    }
    EXPECT_EQ(rig.run.error_text, "Unable to show the question 'Go on?'");
}

TEST_F(PromptStepTest, LongMessageReachesTheBoxCutWithTheNote) {
    step("Display Message", std::string(10000, 'x'));
    rig.run_step();
    ASSERT_EQ(rig.ui.prompts.size(), 1u);
    EXPECT_EQ(rig.ui.prompts[0], "message|" + std::string(8192, 'x') + kTruncationNote + "|task|0");
}

// Input, file and folder prompts show the variable's value and save the answer; a
// cancelled or timed-out one saves its preset back.
TEST_F(PromptStepTest, DialogsSaveTheAnswerOrTheirPreset) {
    struct Row {
        const char* action;
        const char* kind;
        PromptEnd end;
        const char* saved;
    } rows[] = {
        {"Input Value", "input", PromptEnd::kOk, "typed"},       {"Input Value", "input", PromptEnd::kCancelled, "old"},
        {"Input Value", "input", PromptEnd::kTimedOut, "old"},   {"Choose a File", "file", PromptEnd::kOk, "typed"},
        {"Choose a File", "file", PromptEnd::kCancelled, "old"}, {"Choose a Folder", "folder", PromptEnd::kOk, "typed"},
        {"Choose a Folder", "folder", PromptEnd::kTimedOut, "old"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.action) + " " + std::to_string(static_cast<int>(row.end)));
        step(row.action, "Which?", "3", "old");
        rig.ui.prompts.clear();
        EXPECT_EQ(run({row.end, "typed"}), kStepSucceeded);
        EXPECT_EQ(rig.ui.prompts, Lines{std::string(row.kind) + "|Which?|old|3000"});
        EXPECT_EQ(answer_variable(), row.saved);
    }
}

// Without "save to variable" a dialog starts empty and the variable is left alone.
TEST_F(PromptStepTest, DialogWithoutVariableStartsEmpty) {
    Step& s = step("Input Value", "Which?", "", "old");
    s.options = kOptionResultToClipboard;
    EXPECT_EQ(run({PromptEnd::kOk, "typed"}), kStepSucceeded);
    EXPECT_EQ(rig.ui.prompts, Lines{"input|Which?||0"});
    EXPECT_EQ(rig.environment.clipboard, "typed");
    EXPECT_EQ(answer_variable(), "old");
}

// A preset longer than a dialog takes is shown cut; cancelling must not save the cut
// text over the whole value.
TEST_F(PromptStepTest, CancelledPresetTooLongForTheDialogLeavesTheVariableUnchanged) {
    const std::string whole = std::string(kPromptTextLimit, 'p') + "the rest";
    for (const char* action : {"Input Value", "Choose a File", "Choose a Folder"}) {
        for (PromptEnd end : {PromptEnd::kCancelled, PromptEnd::kTimedOut}) {
            SCOPED_TRACE(action);
            step(action, "Which?", "", whole.c_str());
            rig.ui.prompts.clear();
            EXPECT_EQ(run({end}), kStepSucceeded);
            ASSERT_EQ(rig.ui.prompts.size(), 1u);
            EXPECT_NE(rig.ui.prompts[0].find("|" + std::string(kPromptTextLimit, 'p') + "|"), std::string::npos);
            EXPECT_EQ(answer_variable(), whole);
        }
        step(action, "Which?", "", whole.c_str());
        EXPECT_EQ(run({PromptEnd::kOk, "short"}), kStepSucceeded);
        EXPECT_EQ(answer_variable(), "short");
    }
}

TEST_F(PromptStepTest, ListOffersItemsUpToTheFirstEmptyOneAndSavesTheChosenOne) {
    struct Row {
        const char* text;
        Answer answer;
        const char* prompt;
        const char* saved;
    } rows[] = {
        {"Pick one;Red;Green;;Blue", {PromptEnd::kOk, "", "", 1}, "list|Pick one|Red,Green|0", "Green"},
        {"Pick one;Red;Green", {PromptEnd::kOk, "", "", -1}, "list|Pick one|Red,Green|0", ""},
        {"Pick one;Red;Green", {PromptEnd::kCancelled}, "list|Pick one|Red,Green|0", ""},
        {"Pick one;Red;Green", {PromptEnd::kTimedOut}, "list|Pick one|Red,Green|0", ""},
        {"Red and Green", {PromptEnd::kOk, "", "", -1}, "list|Red and Green||0", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        step("Choose from a List", row.text, "", "old");
        rig.ui.prompts.clear();
        EXPECT_EQ(run(row.answer), kStepSucceeded);
        EXPECT_EQ(rig.ui.prompts, Lines{row.prompt});
        EXPECT_EQ(answer_variable(), row.saved);
    }
}

// Items come from a text of up to 8192 characters; the answer is cut to the limit.
TEST_F(PromptStepTest, ChosenListItemIsCutAtTheDialogLimit) {
    const std::string item(300, 'i');
    step("Choose from a List", "Pick;" + item + ";b");
    EXPECT_EQ(run({PromptEnd::kOk, "", "", 0}), kStepSucceeded);
    EXPECT_EQ(answer_variable(), std::string(kPromptTextLimit, 'i'));
}

// "username" and "password" follow the run's variable prefix; "login_*" do not.
TEST_F(PromptStepTest, LoginStoresTheAnswersUnderPrefixedAndPlainNames) {
    write_setting_number(rig.store, "SOFTWARE\\Zorbel\\GlobalVariables", 0);
    const std::string prefix = rig.variables.prefix();
    ASSERT_EQ(prefix, "1234_");
    struct Row {
        const char* login_username;  // null: none stored
        const char* username;
        Answer answer;
        const char* preset;
        const char* user;
        const char* password;
    } rows[] = {
        {"last", "older", {PromptEnd::kOk, "ann", "s3cret"}, "last", "ann", "s3cret"},
        {nullptr, "older", {PromptEnd::kCancelled}, "older", "older", ""},
        {"", "older", {PromptEnd::kTimedOut}, "older", "older", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.preset);
        rig.store.delete_value(SettingsRoot::kCurrentUser, kUserVariablesKey, "login_username");
        if (row.login_username) rig.set_variable("login_username", row.login_username);
        rig.set_variable(prefix + "username", row.username);
        rig.set_variable(prefix + "password", "stale");
        rig.set_variable("login_password", "stale");
        step("Login Prompt", "Who?", "");
        rig.ui.prompts.clear();
        rig.output.text.clear();
        EXPECT_EQ(run(row.answer), kStepSucceeded);
        EXPECT_EQ(rig.ui.prompts, Lines{std::string("login|Who?|") + row.preset + "|0"});
        EXPECT_EQ(rig.variable(prefix + "username"), row.user);
        EXPECT_EQ(rig.variable("login_username"), row.user);
        EXPECT_EQ(rig.variable(prefix + "password"), row.password);
        EXPECT_EQ(rig.variable("login_password"), row.password);
        EXPECT_EQ(rig.lines(), Lines{std::string("\tSaving result to %username and %password: \"") + row.user +
                                     "\", \"" + row.password + "\""});
        EXPECT_FALSE(has_variable("username"));
    }
    EXPECT_EQ(rig.context.expand("%username"), "older");
}

TEST_F(PromptStepTest, PopupsToolTipsAndImagesAreShownWithoutWaiting) {
    struct Row {
        const char* action;
        const char* text;
        uint32_t options;
        const char* timeout;
        const char* prompt;
        const char* warning;
    } rows[] = {
        {"Status Popup", "Copying %d files", 0, "", "popup|Copying %d files|normal|0", nullptr},
        {"Status Popup", "On top", 1, "2", "popup|On top|topmost|2000", nullptr},
        {"Progress Bar Popup", "50% Complete", 0, "", "progress|50% Complete|normal|0", nullptr},
        {"Status Popup", "", 0, "", "close popup", nullptr},
        {"Progress Bar Popup", "", 0, "", "close popup", nullptr},
        {"Tool Tip Popup", "Tip", 0, "", "tool tip|Tip||1000", "\tWarning: No time limit set for tool tip"},
        {"Tool Tip Popup", "Tip", 0, "0.5", "tool tip|Tip||1000", nullptr},
        {"Tool Tip Popup", "Tip", 0, "3", "tool tip|Tip||3000", nullptr},
        {"Display Image", "C:\\a.gif", 0, "4", "image|C:\\a.gif||4000", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.action) + " " + row.text);
        Step& s = step(row.action, row.text, row.timeout);
        s.options |= row.options;
        rig.ui.prompts.clear();
        rig.output.text.clear();
        EXPECT_EQ(rig.run_step(), kStepSucceeded);
        EXPECT_EQ(rig.ui.prompts, Lines{row.prompt});
        EXPECT_EQ(rig.log().find("Warning: No time limit") != std::string::npos, row.warning != nullptr);
        EXPECT_TRUE(rig.desktop.sleeps().empty());
    }
    EXPECT_EQ(setting_text(rig.store, "SOFTWARE\\Zorbel\\SplashBitmap"), "C:\\a.gif");
}

// A program that ends with its run gives the last step's popup its time first.
TEST_F(PromptStepTest, LastPopupOfARunThatEndsTheProgramIsWaitedFor) {
    rig.run.exit_after_run = true;
    step("Status Popup", "Bye", "2");
    rig.run_step();
    EXPECT_EQ(rig.desktop.sleeps(), std::vector<uint32_t>{2000});
    step("Status Popup", "Bye", "10");
    rig.run_step();
    EXPECT_EQ(rig.desktop.sleeps(), std::vector<uint32_t>{2000});
}

// An image that cannot be loaded fails the step once: the time-out is the image's
// close time, not a time to try again.
TEST_F(PromptStepTest, ImageThatCannotBeLoadedFailsTheStepOnce) {
    rig.ui.image_loads = false;
    Step& s = step("Display Image", "C:\\missing.jpg", "5");
    RunRig::on_failure(s, "Ignore/Continue");
    rig.run_script();
    EXPECT_EQ(rig.ui.prompts, Lines{"image|C:\\missing.jpg||5000"});
    EXPECT_NE(rig.log().find("Unable to display image 'C:\\missing.jpg'"), std::string::npos) << rig.log();
    step("Display Image", "");
    EXPECT_EQ(rig.run_step(), kStepFailed);
    EXPECT_EQ(rig.run.error_text, "Unable to display image ''");
}

// After the input and list dialogs the window a window step activated gets the focus back.
TEST_F(PromptStepTest, InputAndListGiveTheFocusBackToTheActivatedWindow) {
    rig.run.current_window = 7;
    rig.run.window_activated = true;
    for (const char* action : {"Input Value", "Choose from a List", "Choose a File", "Login Prompt"}) {
        SCOPED_TRACE(action);
        rig.desktop.windows.calls.clear();
        step(action, "Which?");
        rig.run_step();
        const bool activates = std::string(action) == "Input Value" || std::string(action) == "Choose from a List";
        EXPECT_EQ(rig.desktop.windows.calls, activates ? Lines{"activate 7"} : Lines{});
    }
}

}  // namespace
}  // namespace zorbel
