#include "engine/run_controller.h"

#include "core/user_interface.h"
#include "engine/expansion_environment.h"
#include "engine/failure_handling.h"
#include "engine/run_log.h"
#include "engine/settings_store.h"
#include "engine/variables.h"
#include "platform/files.h"

namespace zorbel {

namespace {

// Step texts of this length or more are cut in the step header.
constexpr size_t kHeaderTextLimit = 254;
constexpr size_t kHeaderTextKept = 251;

std::string screen_saver_path() { return "Control Panel\\Desktop\\ScreenSaveActive"; }

}  // namespace

uint32_t speed_delay(int speed) {
    static const uint32_t kDelays[] = {2000, 1000, 500, 350, 200, 100, 50, 25, 10, 1};
    if (speed < 1) speed = 1;
    if (speed > 10) speed = 10;
    return kDelays[speed - 1];
}

std::string elapsed_time_text(uint32_t seconds) {
    if (seconds < 60) return format("%u seconds", seconds);
    if (seconds < 3600) return format("%u:%02u", seconds / 60, seconds % 60);
    return format("%u:%02u:%02u", seconds / 3600, (seconds / 60) % 60, seconds % 60);
}

RunController::RunController(ScriptState& script, RunState& run, RunServices& services, RunHost& host,
                             const FamilyTable& families)
    : context_{script, run, services, host, this, &families} {}

void RunController::set_status(int part, const std::string& text) {
    if (context_.services.ui) context_.services.ui->set_status(part, text);
}

void RunController::call_family_hooks(bool started) {
    const FamilyTable& table = *context_.families;
    for (size_t i = 0; i < table.count; ++i) {
        void (*hook)(RunContext&) = started ? table.families[i]->run_started : table.families[i]->run_stopped;
        if (hook) hook(context_);
    }
    if (!started)
        for (auto& slot : context_.run.family_state) slot.reset();
}

void RunController::announce_step() {
    ScriptState& script = context_.script;
    RunState& run = context_.run;
    if (script.current_step == script.last_announced_step) return;
    run.step_start_time = context_.now();
    Step& step = context_.step();
    const int number = script.current_step + 1;
    if (step.text.empty()) {
        context_.log("[STEP %d]: %s\r\n", number, step.action);
    } else if (step.text.size() >= kHeaderTextLimit) {
        std::string cut = step.text.substr(0, kHeaderTextKept) + "...";
        context_.log("[STEP %d]: %s \"%s\"\r\n", number, step.action, cut.c_str());
    } else {
        context_.log("[STEP %d]: %s \"%s\"\r\n", number, step.action, step.text.c_str());
    }
    set_status(0, format(" Running Step #%d", number));
}

int RunController::run_step() {
    ScriptState& script = context_.script;
    if (script.current_step < 0 || script.current_step >= script.step_count()) {
        context_.run.error_text = "Critical internal error in Run Core!  Discontinuing Execution\r\n";
        return kStepFailed;
    }
    announce_step();
    script.last_announced_step = script.current_step;
    Step& step = context_.step();
    if (prepare_embedded_file && step.embedded_id != 0) prepare_embedded_file(context_, step);
    if (context_.services.run) {
        context_.services.run->current_step = script.current_step;
        context_.services.run->innermost_loop_counter = context_.run.loops.innermost_counter();
        context_.services.run->pass_counter = context_.run.pass_counter;
    }
    return dispatch_step();
}

int RunController::dispatch_step() {
    Step& step = context_.step();
    const ActionFamily* family = context_.families->find(step.family);
    if (!family) return context_.fail("Unknown Command (%d) \"%s\"", static_cast<int>(step.family), step.action);
    if (const ActionRow* row = FamilyTable::match(*family, step.action)) return row->handler(context_, step);
    return family->otherwise ? family->otherwise(context_, step) : kStepSucceeded;
}

void RunController::start_run(int command) {
    ScriptState& script = context_.script;
    RunState& run = context_.run;
    RunHost& host = context_.host;
    SettingsStore& store = *context_.services.store;
    if (script.step_count() == 0) {
        if (context_.services.ui)
            context_.services.ui->box("System Message",
                                      "The file is empty.\n\nPlease add commands before using this feature.",
                                      BoxIcon::kInformation, false);
        return;
    }
    const bool single = command == kCommandRunSingleStep;
    int speed = speed_override > 0 ? speed_override : setting_number(store, "SOFTWARE\\Zorbel\\DefaultSpeed");
    if (speed < 1) speed = 7;
    if (speed > 10) speed = 10;
    run.speed = speed;
    run.highlight_steps = setting_number(store, "SOFTWARE\\Zorbel\\Hilite") != 0;
    int stop_key = setting_number(store, "SOFTWARE\\Zorbel\\StopKey");
    run.stop_key = stop_key > 0 ? stop_key : kDefaultStopKey;

    if (!single) {
        std::string log_file = context_.services.log->file_path();
        if (setting_number(store, "SOFTWARE\\Zorbel\\RestartLog") && !log_file.empty()) {
            context_.services.log->close_file();
            files::remove(log_file);
        }
        LocalTime t = context_.services.environment->local_time();
        const std::string& path = script.script_path;
        context_.log("-----------------------------\r\nStarting Run at %d:%02d:%02d%s%s\r\n", t.hour, t.minute,
                     t.second, path.empty() ? "" : " for ", path.c_str());
    }
    host.enable_editing(false);
    // A run starts without a current window; a run from the first step also forgets
    // which window the last run activated.
    run.current_window = 0;
    if (command == kCommandRun) run.window_activated = false;
    run.ticks_held = false;
    if (setting_number(store, "SOFTWARE\\Zorbel\\DisableScreenSaver")) {
        run.saved_screen_saver = setting_text(store, screen_saver_path(), 16);
        write_setting_text(store, screen_saver_path(), "0");
    }
    run.pass_counter = 0;
    run.loops = LoopStack();
    run.repeats = 1;
    for (int& key : run.held_keys) key = 0;
    script.last_announced_step = -1;
    run.run_start_time = context_.now();
    run.error_text.clear();
    stopped_on_failure = false;
    run.running = true;
    call_family_hooks(true);

    if (single) {
        run.single_step = true;
        int32_t selected = host.selected_step();
        script.current_step = selected >= 0 && selected < script.step_count() ? selected : 0;
        const int32_t before = script.current_step;
        int result = run_step();
        stop_run(true);
        if (result != kStepFailed) {
            set_status(0, format(" Successfully ran step #%d", script.current_step + 1));
            if (script.current_step == before) ++script.current_step;
        } else {
            set_status(0, format(" Step #%d failed", script.current_step + 1));
            run.step_start_time = 0;
            handle_failure(context_);
        }
        if (script.current_step < 0) script.current_step = 0;
        host.select_step(script.current_step);
        run.single_step = false;
        host.enable_editing(true);
        return;
    }

    if (should_reset_user_variables(store, host.other_instance_running(), command_line_variables) &&
        context_.services.variables)
        context_.services.variables->reset(context_.services.palette);
    if (setting_number(store, "SOFTWARE\\Zorbel\\MinimizeStart")) host.minimize_main_window();
    run.loops.depth = 0;
    int32_t selected = host.selected_step();
    script.current_step =
        command == kCommandRunFromHere && selected >= 0 && selected < script.step_count() ? selected : 0;
    run.retry_counter = 0;
    host.set_step_timer(speed_delay(run.speed));
    host.post_tick();
}


RunController::TickEnd RunController::next_tick() {
    // At speed 10 the next tick follows at once; a timer behind it would only be
    // killed by that tick, and setting and killing timers is most of a step's cost.
    if (context_.run.speed >= 10) return TickEnd::kNextAtOnce;
    context_.host.set_step_timer(speed_delay(context_.run.speed));
    return TickEnd::kDone;
}

void RunController::step_tick() {
    RunState& run = context_.run;
    if (run.ticks_held) return;
    context_.host.kill_step_timer();
    RunLog* log = context_.services.log;
    if (run.running) {
        if (log) log->begin_batch();
        const uint32_t slice_start = context_.now();
        for (int steps = 1; tick() == TickEnd::kNextAtOnce; ++steps) {
            if (!run.running || run.ticks_held) break;
            if (!slices || context_.acted || steps >= kSliceStepLimit ||
                context_.now() - slice_start >= kSliceMilliseconds) {
                context_.host.post_tick();
                break;
            }
        }
    }
    // Between ticks the log file is closed, so that others may move or delete it.
    if (log) log->end_batch();
}

RunController::TickEnd RunController::tick() {
    ScriptState& script = context_.script;
    RunState& run = context_.run;
    RunHost& host = context_.host;
    context_.acted = false;
    KeyState* keys = context_.services.desktop ? context_.services.desktop->key_state : nullptr;
    if (script.step_count() == 0 || script.current_step < 0 || (keys && keys->key_down(run.stop_key))) {
        context_.log("Stop key pressed (0x%x), aborting run\r\n", run.stop_key);
        stop_run();
        return TickEnd::kDone;
    }
    while (script.current_step < script.step_count() && context_.step().status == kStatusSkip)
        ++script.current_step;
    if (script.current_step >= script.step_count()) return end_of_pass();
    Step& step = context_.step();
    if (step.status == kStatusBreakpoint) {
        context_.log("Breakpoint at step #%d \"%s\", stopping run\r\n", script.current_step + 1, step.action);
        stop_run();
        return TickEnd::kDone;
    }
    const int32_t last = script.step_count() - 1;
    host.set_progress(script.current_step * 100 / (last > 1 ? last : 1));
    if (run.highlight_steps && host.selected_step() != script.current_step)
        host.select_step(script.current_step);

    int result = run_step();
    if (script.current_step >= 0 && script.current_step < script.step_count()) {
        if (result == kStepArranged) return TickEnd::kDone;
        if (result == kStepFailed) {
            if (handle_failure(context_) == kFailureStopped) {
                stopped_on_failure = true;
                return TickEnd::kDone;
            }
            host.set_step_timer(speed_delay(run.speed));
            return TickEnd::kDone;
        }
        ++script.current_step;
        run.retry_counter = 0;
        return next_tick();
    }
    if (result == kStepArranged || !run.running) return TickEnd::kDone;
    context_.log(" * * * INTERNAL ERROR: Please Notify Quenby Tech Support * * *\r\n");
    stopped_on_failure = true;
    stop_run();
    return TickEnd::kDone;
}

RunController::TickEnd RunController::end_of_pass() {
    RunState& run = context_.run;
    ++run.pass_counter;
    const bool again = run.repeats == -1 || (run.repeats > 1 && run.pass_counter < run.repeats);
    if (!again) {
        stop_run();
        return TickEnd::kDone;
    }
    context_.script.current_step = 0;
    run.retry_counter = 0;
    return next_tick();
}

void RunController::stop_run(bool quiet) {
    ScriptState& script = context_.script;
    RunState& run = context_.run;
    RunHost& host = context_.host;
    SettingsStore& store = *context_.services.store;
    host.kill_step_timer();
    const bool was_running = run.running;
    run.running = false;
    run.ticks_held = false;
    if (!quiet && was_running) {
        uint32_t elapsed = (context_.now() - run.run_start_time) / 1000;
        LocalTime t = context_.services.environment->local_time();
        context_.log("Run Completed at %d:%02d:%02d, (Elapsed Time: %s)\r\n\r\n", t.hour, t.minute, t.second,
                     elapsed_time_text(elapsed).c_str());
    }
    run.repeats = 1;
    run.pass_counter = 0;
    script.last_announced_step = -1;
    // Each family releases what the run opened (hooks, held keys, searches, sessions).
    call_family_hooks(false);
    if (was_running && setting_number(store, "SOFTWARE\\Zorbel\\DisableScreenSaver"))
        write_setting_text(store, screen_saver_path(), run.saved_screen_saver);
    if (run.single_step) return;
    if (run.exit_after_run && was_running) {
        host.close_main_window();
        return;
    }
    host.enable_editing(true);
    if (script.current_step + 1 <= script.step_count())
        set_status(0, format(" Stopped at step #%d", script.current_step + 1));
    else
        set_status(0, " Run Completed");
    if (setting_number(store, "SOFTWARE\\Zorbel\\Hilite")) host.select_step(script.current_step);
    if (setting_number(store, "SOFTWARE\\Zorbel\\ReturnWhenDone")) host.restore_main_window();
}

}  // namespace zorbel
