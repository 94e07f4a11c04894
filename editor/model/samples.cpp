#include "editor/model/samples.h"

#include "core/action_catalogue.h"
#include "core/text_rules.h"

namespace zorbel {

namespace {

struct SampleStep {
    const char* action;
    const char* text;
    const char* comment;
    const char* timeout = "";
    const char* onfail = "";
    const char* variable = "";
    const char* x = "";
    const char* y = "";
};

const SampleStep kHelloWorld[] = {
    {"Display Message", "Hello World!\r\n\r\nWelcome to Zorbel.", "A simple user message"},
};

const SampleStep kTypingInNotepad[] = {
    {"Ask Yes/No Question", "This sample will start up Notepad, and type some text.\r\n\r\nDo you want to continue?",
     "See if user wants to run this script", "", "", "%response"},
    {"IF Expression", "%response=0", "Check user's answer (0 = 'No')"},
    {"Exit Run", "", "No, they don't want to run it, so leave now"},
    {"END IF", "", ""},
    {"Start", "NOTEPAD.EXE", "Start up Notepad"},
    {"Activate", "Notepad", "Go to the Notepad window", "5", "Ignore/Continue"},
    {"Simulate Keypress", "Welcome to Zorbel!\r\n", "Type in some text"},
    {"Delay", "", "Pause for a moment", "1.5"},
    {"Simulate Keypress", "This sample will demonstrate some simple automation with Notepad.\r\n\r\n",
     "Type in some text"},
    {"Delay", "", "", "2.5"},
    {"Text + System Keys",
     "You can type with {delay=250}d{delay=250}e{delay=250}l{delay=250}a{delay=250}y{delay=250}s\r\n\r\n",
     "Slow typing (this could also be done more efficiently in a loop)"},
    {"Delay", "", "", "2"},
    {"Simulate Keypress",
     "Today's date is: %dddd, %mmmm %dd, %yyyy\r\n\r\nYou are running \"%winver\"\r\n\r\nLet's select a popup menu "
     "with the mouse, and then the File menu...\r\n\r\n",
     "Example of system variables"},
    {"Delay", "", "", "4"},
    {"Right Button Click", "",
     "Show a right-click popup menu - (70, 120) should be a safe place inside of Notepad", "", "", "", "70", "120"},
    {"Delay", "", "", "3"},
    {"Text + System Keys", "{esc}", "Get rid of the menu"},
    {"Delay", "", "", "1"},
    {"Text + System Keys", "{altdown}f{altup}", "Example of key codes: Alt+F  (for English \"File\" menu)"},
    {"Delay", "", "", "3"},
    {"Text + System Keys",
     "{esc}{esc}{ctrldown}{end}{ctrlup}\r\n\r\nThank you for using Zorbel!\r\nGood luck with your scripts!",
     "Get rid of the menu, go to the end of the document, and type a final message"},
    {"Display Message", "End of script.\r\n\r\nThanks for running the sample!", ""},
};

template <size_t N>
void fill(const SampleStep (&rows)[N], ScriptState* script) {
    script->clear();
    for (const SampleStep& row : rows) {
        Step step;
        copy_to_field(step.action, row.action);
        if (const CatalogueEntry* entry = find_action(row.action)) {
            step.family = entry->family;
            step.icon = entry->icon;
        }
        step.text = row.text;
        step.comment = row.comment;
        copy_to_field(step.timeout, row.timeout);
        copy_to_field(step.onfail, row.onfail);
        copy_to_field(step.variable, row.variable);
        copy_to_field(step.value[0], row.x);
        copy_to_field(step.value[1], row.y);
        script->steps.push_back(std::move(step));
    }
}

}  // namespace

bool build_sample(const char* name, ScriptState* script) {
    if (equals_ignore_case(name, "Hello World")) {
        fill(kHelloWorld, script);
        return true;
    }
    if (equals_ignore_case(name, "Typing in Notepad")) {
        fill(kTypingInNotepad, script);
        return true;
    }
    return false;
}

}  // namespace zorbel
