// Command identifiers shared by the menu, the accelerators, the toolbar, the run
// engine and the test driver, and the identifiers of the editor's own controls and
// resources. Plain constants: no <windows.h>, so tests of any build can include it.
#pragma once

namespace zorbel {
namespace cmd {

// File
constexpr int kNew = 1036;
constexpr int kOpen = 1053;
constexpr int kClose = 1054;
constexpr int kSave = 1049;
constexpr int kSaveAs = 1051;
constexpr int kProperties = 1157;
constexpr int kRecentFirst = 1002;  // recent file 1; recent file n is 1002 + n - 1
constexpr int kRecentLast = 1010;
constexpr int kExit = 1032;
// Edit
constexpr int kUndo = 1074;
constexpr int kCut = 1070;
constexpr int kCopy = 1071;
constexpr int kPaste = 1072;
constexpr int kDelete = 1073;
constexpr int kSelectAll = 1089;
constexpr int kFind = 1100;
constexpr int kFindNext = 1147;
constexpr int kFindPrevious = 1307;
constexpr int kGoToStep = 1310;
// View
constexpr int kKeepOnTop = 1068;
constexpr int kShowToolbar = 1102;
constexpr int kShowStatusbar = 1106;
constexpr int kShowActions = 1134;
constexpr int kShowProperties = 1153;
constexpr int kShowOutput = 1152;
constexpr int kShowVariables = 1145;
constexpr int kCollapseTree = 1135;
constexpr int kExpandTree = 1136;
constexpr int kResetInterface = 1143;
// Step
constexpr int kNewStep = 1325;
constexpr int kEditStep = 1155;
constexpr int kMoveUp = 1055;
constexpr int kMoveDown = 1056;
constexpr int kIndent = 1123;
constexpr int kUnindent = 1124;
constexpr int kAutoIndent = 1221;
constexpr int kSkip = 1129;
constexpr int kBreakpoint = 1067;
constexpr int kRemoveAllSkips = 1227;
constexpr int kRemoveAllBreakpoints = 1225;
constexpr int kAddComment = 1217;
// Run
constexpr int kRun = 1057;
constexpr int kRunFromHere = 1088;
constexpr int kRunSingleStep = 1087;
constexpr int kPause = 1058;
// Tools
constexpr int kCompile = 1108;
constexpr int kOpenLogfile = 1132;
constexpr int kMainWindows = 1329;
constexpr int kPopupWindows = 1327;
constexpr int kAllWindows = 1120;
constexpr int kOptions = 1066;
// Help
constexpr int kHelp = 1034;
constexpr int kShortcuts = 1156;
constexpr int kStartupOptions = 1181;
constexpr int kLegal = 1114;
constexpr int kCheckUpdates = 1328;
constexpr int kAbout = 1011;
// The record button of the editing panes (a cancelled journal hook sends it).
constexpr int kRecordButton = 1302;
// The recording pane's test playback button.
constexpr int kTestPlaybackButton = 1303;
// The pane command that tells an editing pane to load its step.
constexpr int kPaneLoad = 5025;
// The editing panes' "Undo Changes" button.
constexpr int kPaneUndoChanges = 1231;
// The Actions tree's commands on the selected action.
constexpr int kInsertAction = 5029;
constexpr int kAppendAction = 5030;
constexpr int kCopyActionName = 5031;
constexpr int kActionHelp = 5032;

}  // namespace cmd

namespace res {

constexpr int kIcon = 1000;
constexpr int kAccelerators = 1026;
constexpr int kMenu = 1028;
constexpr int kToolbarBitmap = 1154;
constexpr int kCommandLineHelpString = 1016;

// Timers of the main window.
constexpr int kClockTimer = 1000;
constexpr int kStepTimer = 1001;
constexpr int kBoxTimer = 1002;

// Child controls of the main window (and of the palettes it hosts).
constexpr int kToolbar = 2001;
constexpr int kStatusBar = 2002;
constexpr int kGridHost = 2003;  // the borderless dialog that holds the grid
constexpr int kGrid = 2004;      // the step grid list view
constexpr int kOutputEdit = 2005;
constexpr int kVariablesList = 2006;
constexpr int kPaneHost = 2007;
constexpr int kActionsTree = 2008;
// An editing pane's controls: its undo button, then its fields by their place in the pane's table.
constexpr int kPaneWarning = 2009;
constexpr int kRecordedCount = 2010;  // the recording pane's "%s events recorded"
constexpr int kPaneFieldFirst = 4000;

// The Welcome dialog.
constexpr int kWelcomeDialog = 3000;
constexpr int kWelcomeEmpty = 3001;
constexpr int kWelcomeExisting = 3002;
constexpr int kWelcomeSample = 3003;
constexpr int kWelcomeSampleList = 3004;
constexpr int kWelcomeDaily = 3005;
constexpr int kWelcomeWeekly = 3006;
constexpr int kWelcomeNever = 3007;
constexpr int kWelcomeShowOnStartup = 3008;

// The Find dialog.
constexpr int kFindDialog = 3100;
constexpr int kFindText = 3101;
constexpr int kFindUp = 3102;
constexpr int kFindDown = 3103;

// The Go to Step prompt.
constexpr int kGoToDialog = 3200;
constexpr int kGoToText = 3201;

// The "Currently Running Windows" dialog of the window listings.
constexpr int kRunningWindowsDialog = 3750;
constexpr int kRunningWindowsText = 3751;

}  // namespace res
}  // namespace zorbel
