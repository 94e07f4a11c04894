// The expansion environment of the real desktop.
#pragma once
#include "engine/expansion_environment.h"

namespace zorbel {

class DesktopExpansionEnvironment : public ExpansionEnvironment {
public:
    // Random numbers start from `seed` (the program seeds them from the tick count).
    explicit DesktopExpansionEnvironment(uint32_t seed) : random_(seed) {}

    std::vector<std::pair<std::string, std::string>> environment_variables() override;
    bool set_environment_variable(const std::string& name, const std::string* value, std::string* error) override;
    bool clipboard_text(std::string* out) override;
    bool set_clipboard_text(const std::string& text) override;
    std::string system_folder() override;
    std::string windows_folder() override;
    std::string current_folder() override;
    VersionInfo version() override;
    uint32_t tick_count() override;
    ScreenPoint mouse_position() override;
    ScreenPoint screen_size() override;
    LocalTime local_time() override;
    int random15() override { return random_.next(); }

private:
    Random15 random_;
};

}  // namespace zorbel
