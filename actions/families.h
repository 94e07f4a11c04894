// Every action family of the programs, as the table the run controller is handed.
// Adding a family: write actions/<name>/<name>_family.cpp with its record (see the
// README), declare the record below and add it to the table in families.cpp.
#pragma once
#include "engine/family.h"
#include "engine/run_context.h"

namespace zorbel {

extern const ActionFamily kRunProgramFamily;  // 1: actions/programs/programs_family.cpp
extern const ActionFamily kWindowsFamily;     // 2: actions/windows/windows_family.cpp
extern const ActionFamily kKeyboardFamily;    // 3: actions/input/keyboard_family.cpp
extern const ActionFamily kMenuFamily;        // 4: actions/menus/menu_family.cpp
extern const ActionFamily kMouseFamily;       // 5: actions/mouse/mouse_family.cpp
extern const ActionFamily kWaitFamily;        // 6: actions/wait/wait_family.cpp
extern const ActionFamily kPromptFamily;      // 7: actions/prompts/prompts_family.cpp
extern const ActionFamily kRecordFamily;      // 8: actions/record/record_family.cpp
extern const ActionFamily kFilesFamily;       // 9: actions/files/files_family.cpp
extern const ActionFamily kInternetFamily;    // 10: actions/internet/internet_family.cpp
extern const ActionFamily kDatabaseFamily;    // 11: actions/database/database_family.cpp
extern const ActionFamily kLoopsFamily;       // 12: actions/flow/loops_family.cpp
extern const ActionFamily kIfFamily;          // 13: actions/flow/if_family.cpp
extern const ActionFamily kSystemFamily;      // 14: actions/system/system_family.cpp
extern const ActionFamily kExternalFamily;    // 15: actions/external/external_family.cpp

// The table of every family, in family-code order.
const FamilyTable& action_families();

// The handler of actions this build cannot run yet: they fail with a clear reason
// rather than pretending to succeed.
int step_not_available(RunContext& context, Step& step);

}  // namespace zorbel
