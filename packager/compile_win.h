// The compile on real files: copies the player stub beside the output under a
// temporary name, writes its resources and markers, and only then replaces the output.
#pragma once
#include <functional>
#include <string>

#include "core/script_state.h"
#include "packager/compile.h"

namespace zorbel {

struct CompileJob {
    CompileSettings settings;
    std::string editor_path;  // the stubs lie beside it: ".exe" -> ".LIB" and "Tiny.LIB"
    std::function<std::string(const std::string&)> expand;
};

// Compiles `script`; returns the number of files embedded or a negative code, with
// messages and log lines in `report`. On failure the previous output is untouched.
int compile_script(const ScriptState& script, const CompileJob& job, CompileReport* report);

// The stubs' paths for an editor at `editor_path`.
std::string player_stub_path(const std::string& editor_path);
std::string tiny_stub_path(const std::string& editor_path);

}  // namespace zorbel
