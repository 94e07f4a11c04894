// TEMPORARY: stands in for the version 4 import until core/legacy_import.cpp exists.
// Delete this file once it does. The definitions are weak, so the real ones win.
#include "core/legacy_import.h"

namespace zorbel {

__attribute__((weak)) int32_t import_version4(ScriptState*, const std::string&, UserInterface*) { return 0; }

__attribute__((weak)) int32_t import_version4_text(ScriptState*, const std::string&, const std::string&,
                                                   UserInterface*) {
    return 0;
}

}  // namespace zorbel
