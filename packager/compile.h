// The compile of a script into a program: everything that goes into the copied player
// stub, built in memory first (resources to remove and to write, marker values), then
// written through a ResourceWriter.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/script_state.h"
#include "packager/compile_files.h"
#include "packager/resource_store.h"
#include "packager/version_block.h"

namespace zorbel {

// Result codes below 0.
constexpr int kCompileNoOutputOrSteps = -1;
constexpr int kCompileTinyStubMissing = -2;
constexpr int kCompileTinyOutputNotDeleted = -3;
constexpr int kCompileTinyCopyFailed = -4;
constexpr int kCompileStubMissing = -5;
constexpr int kCompileOutputNotReplaced = -6;
constexpr int kCompileCopyFailed = -7;
constexpr int kCompileUpdateFailed = -8;
constexpr int kCompileTextsFailed = -9;
constexpr int kCompileStepsFailed = -10;
constexpr int kCompileFileUnreadable = -11;
constexpr int kCompileNoMarkers = -12;
constexpr int kCompileBadIcon = -13;

constexpr uint16_t kFirstEmbeddedId = 106;

struct CompileSettings {
    std::string output;  // the ".exe" name
    std::string icon;    // empty: keep the stub's icon
    VersionTexts version;
    bool include = false;
    std::string exclude = "EXE DLL";
    bool delete_unpacked = false;
    bool self_delete = false;
    std::string extract_to;
    std::string package;  // full paths, each followed by ";"
    int max = 0;
};

struct CompileOutput {
    std::vector<MemoryResources::Key> removals;
    MemoryResources writes;
    uint32_t package_id = 0;
    uint32_t delete_flags = 0;
    int embedded = 0;  // referenced and additional files
};

struct CompileReport {
    std::vector<std::string> messages;   // what the editor shows in boxes
    std::vector<std::string> log_lines;  // lines for the run log, each ending "\r\n"
};

// The words of `Compile_Exclude`: "*", "," and ";" dropped, "." as a blank, at most 32.
std::vector<std::string> exclude_words(const std::string& setting);

// Sets each step's embedded-file id and kind in `script` (a copy of the editor's)
// and adds the files as resources 106 onwards; returns the next free id.
uint16_t embed_referenced_files(ScriptState* script, const CompileSettings& settings, CompileFiles& files,
                                CompileOutput* output, CompileReport* report);

// Builds the whole compile in memory. `stub` reads the player stub's own resources
// (version block, icon group). Returns 0 or a negative code (with its message).
int plan_compile(ScriptState script, const CompileSettings& settings, CompileFiles& files, ResourceReader& stub,
                 CompileOutput* output, CompileReport* report);

// Removes and writes what `output` holds. 0, or -9 (texts), -10 (steps), -8 (other).
int write_compile(const CompileOutput& output, ResourceWriter& writer);

// The text of the message-only variant: one normal "Display Message" or "Display
// Error" step (others skipped or breakpoints), at most 250 characters, no "%", and a
// text that expansion leaves as it is. False when the script needs the player.
bool message_only_text(const ScriptState& script, const std::function<std::string(const std::string&)>& expand,
                       std::string* text);

// The editor's report of a finished compile of `size` bytes, or of a failure.
std::string compile_result_text(const std::string& output, int code, long long size);

}  // namespace zorbel
