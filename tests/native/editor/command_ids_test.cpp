#include <gtest/gtest.h>

#include "editor/command_ids.h"
#include "editor/editor_resources.h"

namespace zorbel {
namespace {

// The resource script's identifiers and the program's are the same numbers.
TEST(CommandIds, ResourceScriptAgrees) {
    const std::pair<int, int> pairs[] = {
        {IDR_ACCELERATORS, res::kAccelerators}, {IDR_MENU, res::kMenu},
        {IDD_WELCOME, res::kWelcomeDialog},     {IDC_WELCOME_LIST, res::kWelcomeSampleList},
        {IDC_WELCOME_SAMPLE, res::kWelcomeSample}, {IDC_WELCOME_SHOW, res::kWelcomeShowOnStartup},
        {IDD_FIND, res::kFindDialog},           {IDC_FIND_TEXT, res::kFindText},
        {IDC_FIND_UP, res::kFindUp},            {IDD_GOTO, res::kGoToDialog},
        {IDC_GOTO_TEXT, res::kGoToText},        {CMD_RECENT1, cmd::kRecentFirst},
        {CMD_RECENT9, cmd::kRecentLast},        {CMD_NEW, cmd::kNew},
        {CMD_OPEN, cmd::kOpen},                 {CMD_SAVE, cmd::kSave},
        {CMD_RUN, cmd::kRun},                   {CMD_PAUSE, cmd::kPause},
        {CMD_UNDO, cmd::kUndo},                 {CMD_DELETE, cmd::kDelete},
        {CMD_SKIP, cmd::kSkip},                 {CMD_BREAKPOINT, cmd::kBreakpoint},
        {CMD_REMOVESKIPS, cmd::kRemoveAllSkips}, {CMD_REMOVEBREAKS, cmd::kRemoveAllBreakpoints},
        {CMD_ADDCOMMENT, cmd::kAddComment},     {CMD_GOTO, cmd::kGoToStep},
        {CMD_FINDPREV, cmd::kFindPrevious},     {CMD_NEWSTEP, cmd::kNewStep},
        {CMD_ONTOP, cmd::kKeepOnTop},           {CMD_EDITSTEP, cmd::kEditStep},
        {CMD_STARTUPOPTIONS, cmd::kStartupOptions}, {CMD_SHOWVARIABLES, cmd::kShowVariables},
        {CMD_AUTOINDENT, cmd::kAutoIndent},     {CMD_OPENLOGFILE, cmd::kOpenLogfile},
        {CMD_MAINWINDOWS, cmd::kMainWindows},   {CMD_POPUPWINDOWS, cmd::kPopupWindows},
        {CMD_ALLWINDOWS, cmd::kAllWindows},     {IDD_RUNNINGWINDOWS, res::kRunningWindowsDialog},
        {IDC_RUNNINGWINDOWS_TEXT, res::kRunningWindowsText},
    };
    for (const auto& [resource, program] : pairs) EXPECT_EQ(program, resource);
}

}  // namespace
}  // namespace zorbel
