// Without a desktop: nothing starts, nothing is found.
#include "actions/programs/process_desktop.h"

namespace zorbel {

namespace {

class NoProcessDesktop : public ProcessDesktop {
public:
    bool create_process(const std::string&, const std::string&, bool, StartedProcess*) override { return false; }
    void wait_for_input_idle(const StartedProcess&, uint32_t) override {}
    void hide_process_window(const StartedProcess&) override {}
    ExitWait wait_for_exit(const StartedProcess&, uint32_t, uint32_t*) override { return ExitWait::kFailed; }
    void close(const StartedProcess&) override {}
    std::string find_executable(const std::string&, const std::string&) override { return std::string(); }
    intptr_t shell_open(intptr_t, const std::string&, bool) override { return 2; }
    intptr_t foreground_window() override { return 0; }
    void hide_window(intptr_t) override {}
    void bring_to_front(intptr_t) override {}
    KillResult kill_first(const std::string&, std::string*) override { return KillResult::kNotFound; }
    bool service(ServiceCall, const std::string&, uint32_t, std::string* error) override {
        *error = "The service control manager is not available";
        return false;
    }
    std::string search_path(const std::string&) override { return std::string(); }
    std::string own_program() override { return std::string(); }
    bool compiled_program() override { return false; }
};

}  // namespace

ProcessDesktop& system_process_desktop() {
    static NoProcessDesktop desktop;
    return desktop;
}

}  // namespace zorbel
