#include "editor/model/pane_layout.h"

#include <cctype>

#include "core/text_rules.h"

namespace zorbel {

const char kCommentTip[] =
    "COMMENT:  Allows you to enter a description of the step.\r\nThe Comment text will not be executed by "
    "Zorbel.\r\nAny text may be entered, and there is no limit to the amount.";
const char kOnFailureTip[] = "ON FAILURE:  Determines what will happen if an error occurs while running the command";
const char kScreenImageTip[] =
    "SAVE SCREEN IMAGE:  Takes a snapshot bitmap of screen which will be saved as \"[LogFile] [date] [time].BMP\"";
const char kLogTip[] =
    "LOG:  This option appends a log file entry containing the failure, even if the log settings are turned off";
const char kSystemVariablesTip[] =
    "SYSTEM VARIABLES:  Provides text formatting for common entries.\nThe selection is entered into the last data "
    "field that was clicked.";
const char kUndoChangesTip[] = "UNDO CHANGES:  Resets the data for the current step to its original state";

namespace {

// Captions of a pane's first fields for one action, '|'-separated in field order:
// "-" hides the field, any other text (empty too) is its caption.
struct Captions {
    const char* action;
    const char* captions;
};

const Captions kInternet[] = {
    {"Start Browser", "Browser:|-|-|-|-|-|-|-"},
    {"Start Email", "Email:|-|-|-|-|-|-|-"},
    {"Open a Web Page", "Web Address:|-|-|-|-|-|-|-"},
    {"Save Web Page Text", "Web Address:|-|-|-|-|-|-|Save to File:"},
    {"Save Web Page HTML", "Web Address:|-|-|-|-|-|-|Save to File:"},
    {"Download", "Web Address:|-|-|-|-|-|Save Result to File:|"},
    {"HTTP Post", "Post String:|-|-|-|-|-|Save Result to File:|"},
    {"Check Email: POP3", "POP3 Server:|Login:|Which Email:|-|-|Password:|Save Result to File:|"},
    {"Delete Email: POP3", "POP3 Server:|Login:|Which Email:|-|-|Password:|-|-"},
    {"Send Email: SMTP", "Message:|SMTP Server:|Subject:|From:|To:|-|-|-"},
    {"Send Email: MAPI", "Message:|Send To:|Subject:|-|-|-|-|-"},
    {"Send Email: \"mailto\"", "Message:|Send To:|Subject:|-|-|-|-|-"},
    {"FTP Download", "Server/Dir/File:|Login:|-|-|-|Password:|Save Result to File:|"},
    {"FTP Upload", "Server/Dir/File:|Login:|-|-|-|Password:|-|Send Local File:"},
    {"FTP Delete File", "Server/Dir/File:|Login:|-|-|-|Password:|-|-"},
    {"FTP Create Folder", "Server/Dir/File:|Login:|-|-|-|Password:|-|-"},
    {"FTP Delete Folder", "Server/Dir/File:|Login:|-|-|-|Password:|-|-"},
    {"Ping IP Address", "Hostname / IP:|Timeout:|-|-|-|-|-|-"},
};

// Loops / Flow: text, timeout, value1, value2.
const Captions kLoops[] = {
    {"Start 'For' Loop", "-|Loop Count:|-|-"},
    {"Start 'While' Loop", "Expression:|-|-|-"},
    {"Start Files Loop", "Files:|-|-|-"},
    {"Start File Line Loop", "File Name:|-|-|-"},
    {"Start Windows Loop", "-|-|-|-"},
    {"Start Dataset Loop", "-|-|-|-"},
    {"Break out of Loop", "-|-|-|-"},
    {"NEXT LOOP", "-|-|-|-"},
    {"Label", "Label Name:|-|-|-"},
    {"Goto Label", "Goto Label:|-|-|-"},
    {"Exit Run", "-|Return Code:|-|-"},
    {"Exit Zorbel", "-|-|-|-"},
};

// IF: text, value1, value2, value3.
const Captions kIf[] = {
    {"IF Expression", "Expression:|-|-|-"},
    {"IF File Exists", "File Name:|-|-|-"},
    {"IF Folder Exists", "Folder Name:|-|-|-"},
    {"IF Window Exists", "Window Title:|-|-|-"},
    {"IF Control Exists", "Control:|-|-|-"},
    {"IF Control Is Checked", "Control:|-|-|-"},
    {"IF Caps Lock is On", "-|-|-|-"},
    {"IF Pixel is Visible", "-|Color:|-|-"},
    {"IF Image is Visible", "Image File:|-|-|-"},
    {"IF Masked Image is Visible", "Image File:|-|-|-"},
    {"IF Clipboard Equals", "Text:|-|-|-"},
    {"ELSE", "-|-|-|-"},
    {"END IF", "-|-|-|-"},
};

// System: text, value1, value2, value3, timeout.
const Captions kSystem[] = {
    {"Comment", "-|-|-|-|-"},
    {"Create/Set Variable", "Value:|-|-|-|-"},
    {"Increment Variable", "-|-|-|-|-"},
    {"Decrement Variable", "-|-|-|-|-"},
    {"Encrypt Variable", "Key:|-|-|-|-"},
    {"Decrypt Variable", "Key:|-|-|-|-"},
    {"Set Environment Variable", "Value:|Name:|-|-|-"},
    {"Set Run Speed", "-|-|-|-|Speed:"},
    {"Set Run Repeats", "-|-|-|-|Repeats:"},
    {"Write to Log", "Log Text:|-|-|-|-"},
    {"Set Clipboard Text", "Text:|-|-|-|-"},
    {"Paste Clipboard", "-|-|-|-|-"},
    {"Clear Clipboard", "-|-|-|-|-"},
    {"Screen Image Capture", "Bitmap File:|-|-|-|-"},
    {"Window Image Capture", "Bitmap File:|-|-|-|-"},
    {"Video Display Mode", "Mode:|-|-|-|-"},
    {"Disable Screen Saver", "-|-|-|-|-"},
    {"Enable Screen Saver", "-|-|-|-|-"},
    {"Read Registry", "-|Registry Path:|-|-|-"},
    {"Write Registry", "Data:|Registry Path:|-|-|-"},
    {"Copy Registry", "Destination:|Source:|-|-|-"},
    {"Delete Registry", "-|Registry Path:|-|-|-"},
    {"Logoff", "-|-|-|-|-"},
    {"Restart", "-|-|-|-|-"},
    {"Shutdown", "-|-|-|-|-"},
};

// Files/Folders: value1, value2, Start of File, Append, value3, End of File, text.
const Captions kFiles[] = {
    {"Read File", "File Name:|Start Position:|Start of File|-|Stop Position:|End of File|-"},
    {"Read File Line", "File Name:|Line Number:|-|-|-|-|-"},
    {"Count File Lines", "File Name:|-|-|-|-|-|-"},
    {"Write/Create File", "File Name:|Start Position:|Start of File|Append|-|-|Data to Write:"},
    {"Copy File", "File Name:|-|-|-|-|-|Copy to File:"},
    {"Move/Rename File", "File Name:|-|-|-|-|-|New Name:"},
    {"Delete File", "File Name:|-|-|-|-|-|-"},
    {"Change File Size", "File Name:|New Size:|-|-|-|-|-"},
    {"Create Folder", "Folder Name:|-|-|-|-|-|-"},
    {"Copy Folder", "Folder Name:|-|-|-|-|-|Copy to Folder:"},
    {"Move/Rename Folder", "Folder Name:|-|-|-|-|-|New Folder:"},
    {"Delete Folder", "Folder Name:|-|-|-|-|-|-"},
    {"Set Current Directory", "Folder Name:|-|-|-|-|-|-"},
    {"Set File Association", "EXE Program:|Extension:|-|-|-|-|Description:"},
    {"Map Drive", "Shared Folder:|-|-|-|-|-|New Drive:"},
    {"Map Drive Prompt", "-|-|-|-|-|-|-"},
};

// Wait: text, value1, timeout, Any Key.
const Captions kWait[] = {
    {"Delay", "-|-|&Delay:|-"},
    {"Freeze", "-|-|&Delay:|-"},
    {"Wait for Keypress", "Key:|-|Ma&x Wait:|Any Key"},
    {"Wait for Pixel", "-|Color:|Ma&x Wait:|-"},
    {"Wait for Image to Appear", "Image File:|-|Ma&x Wait:|-"},
    {"Wait for Masked Image", "Image File:|-|Ma&x Wait:|-"},
    {"Wait for Window to Appear", "Window Title:|-|Ma&x Wait:|-"},
    {"Wait for Window to Disappear", "Window Title:|-|Ma&x Wait:|-"},
    {"Wait for File", "File Name:|-|Ma&x Wait:|-"},
};

template <size_t N>
void apply_captions(const Captions (&rows)[N], const Step& step, std::vector<FieldLook>& looks) {
    for (const Captions& row : rows) {
        if (!equals_ignore_case(field_text(step.action), row.action)) continue;
        std::string_view rest = row.captions;
        for (FieldLook& look : looks) {
            const size_t bar = rest.find('|');
            const std::string_view caption = rest.substr(0, bar);
            if (caption == "-") look.visible = false;
            else look.label = std::string(caption);
            if (bar == std::string_view::npos) break;
            rest.remove_prefix(bar + 1);
        }
        return;
    }
}

int index_of(const PaneSpec& pane, StepField field, FieldKind kind, const char* label = nullptr) {
    for (size_t i = 0; i < pane.fields.size(); ++i) {
        const FieldSpec& spec = pane.fields[i];
        if (spec.field == field && spec.kind == kind && (!label || std::string(spec.label) == label))
            return static_cast<int>(i);
    }
    return -1;
}

void disable(std::vector<FieldLook>& looks, int index) {
    if (index >= 0) looks[static_cast<size_t>(index)].enabled = false;
}

// The result options (the radios on bits 20 and 21 and the variable field).
void disable_result(const PaneSpec& pane, std::vector<FieldLook>& looks) {
    for (size_t i = 0; i < pane.fields.size(); ++i) {
        const FieldSpec& spec = pane.fields[i];
        if (spec.field == StepField::kVariable || (spec.kind == FieldKind::kRadio && (spec.mask & kOptionResultToVariable)))
            looks[i].enabled = false;
    }
}

bool checked(const Step& step, const PaneSpec& pane, int index) {
    return index >= 0 && load_field(step, pane.fields[static_cast<size_t>(index)]) == "1";
}

}  // namespace

std::vector<FieldLook> pane_looks(const Step& step) {
    const PaneSpec& pane = pane_spec(static_cast<int32_t>(step.family));
    std::vector<FieldLook> looks;
    for (const FieldSpec& spec : pane.fields) looks.push_back({spec.label, true, true});
    const std::string_view action = field_text(step.action);
    switch (pane.code) {
        case 1: {
            if (contains_ignore_case(action, "Document")) looks[0].label = "Document:";
            else if (contains_ignore_case(action, "Service")) looks[0].label = "Service:";
            looks[6].visible = equals_ignore_case(action, "Service Startup Type");
            const bool waits = (step.options & 2) != 0;
            const int forever = index_of(pane, StepField::kTimeout, FieldKind::kTextCheck);
            if (!waits || checked(step, pane, forever)) disable(looks, 3);
            if (!waits) {
                disable(looks, forever);
                disable_result(pane, looks);
            }
            if (equals_ignore_case(action, "Kill Process"))
                for (int i = 1; i <= 5; ++i) disable(looks, i);
            break;
        }
        case 2: {
            const bool style = equals_ignore_case(action, "Set Window Style");
            const bool resize = equals_ignore_case(action, "Resize");
            looks[6].visible = style;
            looks[8].visible = looks[9].visible = resize || equals_ignore_case(action, "Move Window");
            if (resize) looks[8].label = "Width:", looks[9].label = "Height:";
            break;
        }
        case 3:
            if (equals_ignore_case(action, "Block Input") || equals_ignore_case(action, "Unblock Input"))
                disable(looks, 0), disable(looks, 2);
            break;
        case 5:
            if (contains_ignore_case(action, "Image")) looks[0].label = "Image File:";
            break;
        case 6:
            apply_captions(kWait, step, looks);
            if (checked(step, pane, 3)) disable(looks, 0);
            break;
        case 7:
            if (equals_ignore_case(action, "Display Image")) looks[0].label = "Image File:";
            if (checked(step, pane, 2)) disable(looks, 1);
            if (equals_ignore_case(action, "Display Message")) disable_result(pane, looks);
            break;
        case 9: apply_captions(kFiles, step, looks); break;
        case 10: apply_captions(kInternet, step, looks); break;
        case 11:
            if (checked(step, pane, 5)) disable(looks, 4);
            break;
        case 12: apply_captions(kLoops, step, looks); break;
        case 13: apply_captions(kIf, step, looks); break;
        case 14: apply_captions(kSystem, step, looks); break;
    }
    return looks;
}

std::string field_tip(const FieldSpec& spec, const std::string& label) {
    switch (spec.field) {
        case StepField::kComment: return kCommentTip;
        case StepField::kOnfailMode: return kOnFailureTip;
        case StepField::kOnfailImage: return kScreenImageTip;
        case StepField::kOnfailLog: return kLogTip;
        default: break;
    }
    std::string name;
    for (char c : label)
        if (c != '&' && c != ':') name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    name = trim_spaces(name);
    if (name.empty()) name = spec.field == StepField::kVariable ? "VARIABLE" : "FILE";
    const char* what = "";
    switch (spec.field) {
        case StepField::kText: what = "The step's main text; %variables and CALC( ) are expanded when it runs."; break;
        case StepField::kTimeout: what = "A time in seconds (or the count the caption names); may hold %variables."; break;
        case StepField::kValue: what = "A parameter of the step; may hold %variables."; break;
        case StepField::kVariable: what = "The variable that receives the step's result."; break;
        case StepField::kOnfailLabel: what = "The label to jump to, the variable to increment or the number of retries."; break;
        case StepField::kAction:
            what = "There are various methods to type text in Windows. Choose the one that works with the target program.";
            break;
        default: what = "Changes how the step runs."; break;
    }
    return name + ":  " + what;
}

}  // namespace zorbel
