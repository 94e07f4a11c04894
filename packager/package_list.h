// The additional files of a compile: patterns expanded, and the list as the player
// receives it, with the folder common to all entries cut off.
#pragma once
#include <string>
#include <vector>

#include "packager/compile_files.h"

namespace zorbel {

constexpr size_t kMaxPackageListSize = 16776956;

// True when `pattern` ("*" any run, "?" one character) matches `name`, ignoring case.
bool wildcard_match(const std::string& pattern, const std::string& name);

// The entries of `setting` (each followed by ";"), patterns replaced by the files
// they match in their folder and every folder below it ("." and ".." skipped), in
// order. False, with the offending name in `bad_name`, when a file name holds ";".
bool expand_package_entries(const std::string& setting, CompileFiles& files, std::vector<std::string>* out,
                            std::string* bad_name);

// The prefix common to every entry (ignoring case), cut back to its last "\"; empty
// for a single entry or a list without "\".
std::string common_folder_prefix(const std::vector<std::string>& entries);

// The list text: every entry without `prefix`, each followed by ";".
std::string package_list_text(const std::vector<std::string>& entries, const std::string& prefix);

}  // namespace zorbel
