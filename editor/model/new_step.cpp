#include "editor/model/new_step.h"

#include "core/action_catalogue.h"
#include "core/text_rules.h"

namespace zorbel {

const char kSampleWebAddress[] = "http://www.example.com/";
const char kSampleMailServer[] = "mail.example.com";
const char kSampleFtpPath[] = "ftp.example.com/username/folder/file.txt";

namespace {

bool is(std::string_view name, std::string_view action) { return equals_ignore_case(name, action); }
bool has(std::string_view name, std::string_view part) { return contains_ignore_case(name, part); }

void set(Step& step, const char* text, const char* timeout = nullptr) {
    if (text) step.text = text;
    if (timeout) copy_to_field(step.timeout, timeout);
}

void mouse_defaults(Step& step, std::string_view name) {
    if (is(name, "Move Instantly") || is(name, "Save Current Position")) return;
    step.options = 16;
    if (is(name, "Move Relative")) step.options = 80;
    else if (is(name, "Move to Control")) step.options = 22;
    else if (is(name, "Move to Window")) step.options = 23;
    else if (is(name, "Left Button Up") || is(name, "Left Button Double-Click") || is(name, "Left Button Click") ||
             is(name, "Right Button Click"))
        step.options = 128;
}

}  // namespace

int32_t new_step_position(int32_t selected, int32_t insert_new_step) {
    const int32_t after = insert_new_step == 1 ? 1 : 0;
    if (selected < 0) return after ? 0 : -1;
    return selected + after;
}

bool make_new_step(std::string_view name, const NewStepSettings& settings, Step* step) {
    const CatalogueEntry* entry = find_action(name);
    if (!entry || entry->is_group) return false;
    Step made;
    copy_to_field(made.action, entry->name);
    made.family = entry->family;
    made.icon = entry->icon;
    copy_to_field(made.onfail, settings.failure_mode.empty() ? "Display Error and Stop" : settings.failure_mode);
    copy_to_field(made.onfail_label, settings.failure_jump);
    apply_new_step_defaults(made, settings);
    *step = std::move(made);
    return true;
}

void apply_new_step_defaults(Step& step, const NewStepSettings& settings) {
    const std::string name(field_text(step.action));
    if (is(name, "Start and Wait for Program to Exit")) {
        copy_to_field(step.action, "Start");
        step.options = 2;
    } else if (has(name, "Start Hidden")) {
        copy_to_field(step.action, "Start");
        step.options = 1;
    } else if (has(name, "Call Script")) {
        step.options = 2;
        step.icon = 4;
    } else if (has(name, "MS-DOS")) {
        set(step, "%sysdir\\CMD.EXE /C dir c:\\*.* /s");
    } else if (is(name, "Control Panel: System")) {
        set(step, "rundll32.exe Shell32.dll Control_RunDLLA sysdm.cpl");
    } else if (is(name, "Control Panel: Display")) {
        set(step, "rundll32.exe Shell32.dll Control_RunDLLA desk.cpl");
    } else if (is(name, "Control Panel: Time & Date")) {
        set(step, "rundll32.exe Shell32.dll Control_RunDLLA timedate.cpl");
    } else if (is(name, "Device Manager")) {
        set(step, "rundll32.exe DevMgr.dll DeviceManager_ExecuteA");
    } else if (is(name, "Get Text") || is(name, "Press Button/Control")) {
        step.options = 14;
    } else if (step.family == kFamilyWindows) {
        step.options = 1;
        set(step, nullptr, "3");
    } else if (step.family == kFamilyKeyboard) {
        step.onfail[0] = '\0';
        if (is(name, "Text + System Keys")) set(step, "Sample {tab} text {enter}");
    } else if (step.family == kFamilyMouse) {
        mouse_defaults(step, name);
    } else if (is(name, "Select Menu Item")) {
        set(step, "&File; &Open");
    } else if (is(name, "Select System Menu")) {
        set(step, "Ma&ximize");
    } else if (is(name, "Input Value")) {
        set(step, "Please enter a value:\r\n(you can change this message)");
    } else if (is(name, "Login Prompt")) {
        set(step, "Please enter your user name and password");
    } else if (is(name, "Choose from a List")) {
        set(step, "Please choose from the list:\r\n(you can change this message);Option #1;Option #2;Option #3");
    } else if (has(name, "Progress Bar")) {
        set(step, "50% Complete");
    } else if (has(name, "Custom Message Box")) {
        copy_to_field(step.action, "Win32 API");
        step.family = kFamilyExternal;
        set(step, "MessageBox( 0, \"message\", \"title\", MB_YESNOCANCEL+MB_ICONQUESTION )");
        step.comment = "Yes=6, No=7, Cancel=2  (see \"Win32 API\" in help file for details)";
    } else if (has(name, "Popup Menu")) {
        set(step, "Choice 1\r\nChoice 2\r\n---\r\nChoice 3");
    } else if (has(name, "Status Popup") || has(name, "Tool Tip Popup") || is(name, "Delay")) {
        set(step, nullptr, "2");
    } else if (is(name, "Wait for Keypress")) {
        set(step, "{Esc}", "3");
    } else if (is(name, "Map Drive")) {
        copy_to_field(step.value[0], "\\\\server\\share");
        set(step, "H:");
    } else if (is(name, "Start Browser")) {
        step.text = settings.browser;
    } else if (is(name, "Start Email")) {
        step.text = settings.mail_program;
    } else if (is(name, "Open a Web Page") || has(name, "Save Web Page") || is(name, "HTTP Post") ||
               is(name, "Download")) {
        set(step, kSampleWebAddress);
    } else if (has(name, "POP3")) {
        set(step, kSampleMailServer);
        copy_to_field(step.value[2], "1");
    } else if (has(name, "FTP ")) {
        set(step, kSampleFtpPath);
    } else if (is(name, "Save SQL Data to File")) {
        step.options = 0x400000;
        copy_to_field(step.value[4], "C:\\data.csv");
    } else if (is(name, "Start Files Loop")) {
        set(step, "C:\\Folder\\*.*");
    } else if (has(name, "Copy Registry")) {
        copy_to_field(step.value[0], "HKEY_CURRENT_USER\\SOFTWARE\\TreeName");
        set(step, "HKEY_CURRENT_USER\\SOFTWARE\\TreeName2");
    } else if (has(name, "Registry")) {
        copy_to_field(step.value[0], "HKEY_CURRENT_USER\\SOFTWARE\\TreeName\\SubKeyName");
    } else if (has(name, "Win32")) {
        set(step, "MessageBox( 0, \"message\", \"title\", MB_OK+MB_ICONINFORMATION )");
    } else if (has(name, "DLL")) {
        set(step, "MyFunction( \"some text\", 1 )");
        copy_to_field(step.value[0], "MyModule.DLL");
    }
}

}  // namespace zorbel
