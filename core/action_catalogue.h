// The action catalogue: 15 family groups in their fixed order, each with its actions.
#pragma once
#include <cstdint>
#include <string_view>

namespace zorbel {

// Family codes (the group numbers of the catalogue).
enum Family : uint32_t {
    kFamilyNone = 0,
    kFamilyRunProgram = 1,
    kFamilyWindows = 2,
    kFamilyKeyboard = 3,
    kFamilyMenu = 4,
    kFamilyMouse = 5,
    kFamilyWait = 6,
    kFamilyUserPrompt = 7,
    kFamilyRecording = 8,
    kFamilyFiles = 9,
    kFamilyInternet = 10,
    kFamilyDatabase = 11,
    kFamilyLoops = 12,
    kFamilyIf = 13,
    kFamilySystem = 14,
    kFamilyExternal = 15,
};

// Group entries answer with 100000 + their number; no executor accepts those.
constexpr uint32_t kGroupIdentifierBase = 100000;

struct CatalogueEntry {
    const char* name;
    uint32_t family;  // 1..15 for actions, 100001..100015 for groups
    int32_t icon;     // index into the editor's action image strip
    bool is_group;
};

// Every entry in catalogue order: each group entry followed by its actions.
// Terminated by an entry with a null name.
const CatalogueEntry* catalogue_entries();
int catalogue_entry_count();

// The first entry whose name equals `name` ignoring case; null when none does.
const CatalogueEntry* find_action(std::string_view name);

// Family code for a name as stored in a step: the entry's code, 0 when absent.
uint32_t family_of_action(std::string_view name);

}  // namespace zorbel
