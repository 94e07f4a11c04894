#include "core/legacy_action_table.h"

#include "core/text_rules.h"

namespace zorbel {

namespace {

constexpr ActionRow on(uint32_t any_of, const char* name) {
    ActionRow r;
    r.any_of = any_of;
    r.name = name;
    return r;
}
constexpr ActionRow on_all(uint32_t all_of, const char* name) {
    ActionRow r;
    r.all_of = all_of;
    r.name = name;
    return r;
}
constexpr ActionRow otherwise(const char* name) { return on(0, name); }

constexpr OptionRule adds(uint32_t any_of, uint32_t options, Touch touch = Touch::kNone) {
    return OptionRule{any_of, options, false, touch};
}
constexpr OptionRule else_adds(uint32_t any_of, uint32_t options) {
    return OptionRule{any_of, options, true, Touch::kNone};
}

// 1: programs.
constexpr ActionRow kPrograms[] = {
    on(1, "Call Script").adding_for(4, 2),
    on(4, "Start and Wait for Program to Exit").setting(2),
    on(8, "MS-DOS Program"),
    otherwise("Start"),
};
constexpr OptionRule kProgramOptions[] = {adds(0x8000, 1)};

// 2: windows. The all-window forms win over the single-window names.
constexpr ActionRow kWindows[] = {
    on_all(32 | 0x1000, "Close all Windows").without_option_rules(),
    on_all(32 | 0x4000, "Minimize all Windows").without_option_rules(),
    on(0x600, "Press Button/Control").if_text(TextTest::kHasButton),
    on(0x600, "Activate"),
    on(0x800, "Maximize"),
    on(0x1000, "Close Window"),
    on(0x4000, "Minimize/Restore"),
};
constexpr OptionRule kWindowOptions[] = {
    adds(4, 2), adds(8, 4), adds(16, 1), adds(64, 7, Touch::kParentTitle), adds(128, 16),
};

// 3: keys.
constexpr ActionRow kKeys[] = {
    on(1, "Buffered Virtual Keys"), on(2, "Simulate Keypress"),      on(4, "Text via Clipboard"),
    on(8, "Direct Window Entry"),   on(0x1000, "Text + System Keys"),
};
constexpr OptionRule kKeyOptions[] = {adds(32, 1)};

// 4: menus.
constexpr ActionRow kMenus[] = {on(1, "Select System Menu"), otherwise("Select Menu Item")};

// 5: system keys.
constexpr ActionRow kSystemKeys[] = {
    on(4, "Text + System Keys").touching(Touch::kKeyDown),
    on(8, "Text + System Keys").touching(Touch::kKeyUp),
    otherwise("Text + System Keys"),
};

// 6: mouse.
constexpr ActionRow kMouse[] = {
    on_all(1 | 128, "Click on Image"),
    on_all(1 | 0x800, "Click on Masked Image"),
    on(1, "Left Button Click"),
    on(2, "Right Button Click"),
    on(0x2000, "Left Button Double-Click"),
    on(0x400, "Left Button Down & Hold").touching(Touch::kButtonDownOrUp),
    on(0x1000, "Move Relative"),
    on(128, "Move to Image"),
    on(0x800, "Move to Masked Image"),
    on(4, "Move"),
    on(0x4000, "Save Current Position"),
    on(0x8000, "Return to Saved Position"),
};
constexpr OptionRule kMouseOptions[] = {adds(32, 32), else_adds(0x1000, 64)};

// 7: waits.
constexpr ActionRow kWaits[] = {
    on(1, "Freeze"),
    on(2, "Block Input").in_family(3),
    on(4, "Unblock Input").in_family(3),
    otherwise("Delay"),
};

// 8: recordings.
constexpr ActionRow kRecordings[] = {otherwise("Recording")};

// 9: files and folders.
constexpr ActionRow kFiles[] = {
    on(1, "Read File"),           on(2, "Write/Create File"),     on(4, "Move/Rename File"),
    on(8, "Delete File"),         on(0x100, "Copy File"),         on(0x800, "Create Folder"),
    on(0x1000, "Copy Folder"),    on(0x2000, "Move/Rename Folder"), on(0x4000, "Delete Folder"),
    on(0x8000, "Map Drive"),
};
constexpr OptionRule kFileOptions[] = {adds(32 | 128, kOptionResultToClipboard), adds(64, kOptionResultToVariable)};

// 10: loops.
constexpr ActionRow kLoops[] = {
    on(2, "NEXT LOOP"),         on(4, "Start 'For' Loop"),         on(8, "Start 'While' Loop"),
    on(16, "Start Files Loop"), on(32, "Start File Line Loop"),
};

// 11: database.
constexpr ActionRow kDatabase[] = {otherwise("Execute SQL Query")};
constexpr OptionRule kDatabaseOptions[] = {adds(4, kOptionResultToVariable), adds(8, kOptionResultToClipboard)};

// 12: prompts.
constexpr ActionRow kPrompts[] = {
    on(1, "Display Message"),
    on(0x300, "Progress Bar Popup").if_text(TextTest::kHasPercent).adding_for(0x200, 1),
    on(0x300, "Status Popup").adding_for(0x200, 1),
    on(0x1000, "Progress Bar Popup"),
    on(2, "Ask Yes/No Question"),
    on(4, "Input Value"),
    on(0x800, "Login Prompt"),
    on(64, "Choose from a List"),
    on(128, "Choose a File"),
    on(0x400, "Choose a Folder"),
};
constexpr OptionRule kPromptOptions[] = {adds(8, kOptionResultToClipboard), else_adds(16, kOptionResultToVariable)};

// 13: conditions.
constexpr ActionRow kConditions[] = {
    on(1 | 2, "IF Window Exists"),
    on(4, kActionNotAvailable),
    on(8, "IF File Exists"),
    on(16, "IF Folder Exists"),
    on(224, "IF Pixel is Visible"),
    on(0x200, "IF Window Exists"),
    on(0x400, "IF Expression"),
    on(0x800 | 0x1000 | 0x2000, "IF Clipboard Equals"),
    on(0x4000, "IF Image is Visible"),
    on(0x8000, "IF Masked Image is Visible"),
};

// 14: system.
constexpr ActionRow kSystem[] = {
    on(1, "Create/Set Variable").touching(Touch::kCalcWrap),
    on(2, "Set Run Repeats"),
    on(4, "Set Run Speed"),
    on(8, "Goto Label").in_family(12).touching(Touch::kGotoLabel),
    on(16, "Exit Run").in_family(12),
    on(32, "Video Display Mode").touching(Touch::kVideoMode),
    on(64, "Logoff"),
    on(128, "Restart"),
    on(0x100, "Shutdown"),
    on(0x200, "Label").in_family(12),
    on(0x400, "Screen Image Capture"),
    on(0x800, "Window Image Capture"),
    on(0x8000, "Comment"),
    on(0x10000, "Read Registry").setting(kOptionResultToVariable).touching(Touch::kValue1FromText),
    on(0x20000, "Write Registry").touching(Touch::kRegistryWrite),
    on(0x40000, "Delete Registry").touching(Touch::kValue1FromText),
};

// 15: internet and mail.
constexpr ActionRow kInternet[] = {
    on(1, "Open a Web Page"),          on(2, "Save Web Page HTML"),     on(4, "Download"),
    on(8, "Save Web Page Text"),       on(16, "Check Email: POP3"),     on(32, "Delete Email: POP3"),
    on(64, "Send Email: SMTP"),        on(128, "Send Email: MAPI"),     on(0x100, "Send Email: \"mailto\""),
    on(0x200, "FTP Download"),         on(0x400, "FTP Upload"),         on(0x800, "FTP Delete File"),
    on(0x1000, "FTP Create Folder"),   on(0x2000, "FTP Delete Folder"), on(0x4000, "Ping IP Address"),
    on(0x8000, "HTTP Post"),
};

// 16: external functions, and the old text functions on a variable.
constexpr ActionRow kExternal[] = {
    on(0x8000, "Win32 API"),
    on(0x4000, "Call DLL Function").touching(Touch::kDllCall),
    on(0x2000, "SendMessage Command"),
    otherwise("Create/Set Variable").in_family(14).touching(Touch::kTextFunction),
};

template <size_t R>
constexpr TypeRule rule(uint32_t family, const ActionRow (&rows)[R], uint32_t base = 0) {
    return TypeRule{family, base, rows, R, nullptr, 0};
}
template <size_t R, size_t O>
constexpr TypeRule rule(uint32_t family, const ActionRow (&rows)[R], const OptionRule (&options)[O],
                        uint32_t base = 0) {
    return TypeRule{family, base, rows, R, options, O};
}

// Indexed by record type - 1.
constexpr TypeRule kTypeRules[] = {
    rule(1, kPrograms, kProgramOptions),
    rule(2, kWindows, kWindowOptions),
    rule(3, kKeys, kKeyOptions),
    rule(4, kMenus),
    rule(3, kSystemKeys),
    rule(5, kMouse, kMouseOptions, 16),
    rule(6, kWaits),
    rule(8, kRecordings),
    rule(9, kFiles, kFileOptions),
    rule(12, kLoops),
    rule(11, kDatabase, kDatabaseOptions),
    rule(7, kPrompts, kPromptOptions),
    rule(13, kConditions),
    rule(14, kSystem),
    rule(10, kInternet),
    rule(15, kExternal),
    TypeRule{0, 0, nullptr, 0, nullptr, 0},  // 17: no action
};
static_assert(sizeof(kTypeRules) / sizeof(kTypeRules[0]) == kLegacyLastType, "one rule per record type");

bool row_applies(const ActionRow& row, const LegacyRecord& record) {
    if (row.any_of != 0 && (record.options & row.any_of) == 0) return false;
    if ((record.options & row.all_of) != row.all_of) return false;
    switch (row.test) {
        case TextTest::kHasButton:
            return contains_ignore_case(record.text, "Button");
        case TextTest::kHasPercent:
            return record.text.find('%') != std::string::npos;
        case TextTest::kNone:
            break;
    }
    return true;
}

}  // namespace

const TypeRule* version4_type_rule(int32_t type) {
    if (type < 1 || type > kLegacyLastType) return nullptr;
    return &kTypeRules[type - 1];
}

ActionChoice choose_version4_action(const LegacyRecord& record, ActionTableState* state) {
    ActionChoice choice;
    const TypeRule* rule = version4_type_rule(record.type);
    if (!rule) return choice;
    choice.family = rule->family;
    choice.options = rule->base_options;

    const ActionRow* chosen = nullptr;
    for (size_t n = 0; n < rule->row_count && !chosen; ++n)
        if (row_applies(rule->rows[n], record)) chosen = &rule->rows[n];
    if (chosen) {
        choice.name = chosen->name;
        if (chosen->family != 0) choice.family = chosen->family;
        choice.options |= chosen->sets;
        if (chosen->if_bit & record.options) choice.options |= chosen->adds;
        choice.touch = chosen->touch;
        if (chosen->touch == Touch::kButtonDownOrUp) {
            if (state->next_button_is_up) choice.name = "Left Button Up";
            state->next_button_is_up = !state->next_button_is_up;
        }
    }

    if (chosen && chosen->no_option_rules) return choice;
    bool previous_applied = false;
    for (size_t n = 0; n < rule->option_rule_count; ++n) {
        const OptionRule& option = rule->option_rules[n];
        if (option.otherwise && previous_applied) {
            previous_applied = false;  // the rule after an "otherwise" pair starts afresh
            continue;
        }
        previous_applied = (record.options & option.any_of) != 0;
        if (!previous_applied) continue;
        choice.options |= option.adds;
        if (option.touch != Touch::kNone) choice.option_touch = option.touch;
    }
    return choice;
}

}  // namespace zorbel
