// The Windows/Controls family (2): "Activate", "Press Button/Control", "Get Text",
// "Move Window", "Resize", "Maximize", "Minimize/Restore", "Close Window", "Set Window
// Style", "Minimize all Windows", "Close all Windows"; and the window conditions of
// the IF and Wait steps ("IF Window Exists", "IF Control Exists", "IF Control Is
// Checked", "Wait for Window to Appear", "Wait for Window to Disappear"). The family's
// record is kWindowsFamily (actions/families.h).
#pragma once
