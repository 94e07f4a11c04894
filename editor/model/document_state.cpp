#include "editor/model/document_state.h"

namespace zorbel {

std::string file_name_of(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string DocumentState::title(const std::string& path) const {
    const std::string mark = dirty() ? "* " : "";
    if (path.empty()) return dirty() ? mark + "(Untitled) - Zorbel" : "Zorbel";
    return mark + file_name_of(path) + " - Zorbel";
}

}  // namespace zorbel
