// The System family's desktop actions: the clipboard, the display mode, the screen
// saver and the session (logoff, restart, shutdown).
#pragma once
#include "engine/run_context.h"

namespace zorbel {

int set_clipboard_text(RunContext& context, Step& step);
int paste_clipboard(RunContext& context, Step& step);
int clear_clipboard(RunContext& context, Step& step);
int video_display_mode(RunContext& context, Step& step);
int screen_saver_step(RunContext& context, Step& step);
int logoff_step(RunContext& context, Step& step);
int restart_step(RunContext& context, Step& step);
int shutdown_step(RunContext& context, Step& step);

}  // namespace zorbel
