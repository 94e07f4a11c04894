#include "packager/resources_win.h"

namespace zorbel {

namespace {

BOOL CALLBACK first_language(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR found) {
    *reinterpret_cast<WORD*>(found) = language;
    return FALSE;
}

BOOL CALLBACK lowest_id(HMODULE, LPCSTR, LPSTR name, LONG_PTR found) {
    if (IS_INTRESOURCE(name)) {
        WORD* id = reinterpret_cast<WORD*>(found);
        WORD value = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
        if (*id == 0 || value < *id) *id = value;
    }
    return TRUE;
}

}  // namespace

ModuleResources::ModuleResources(const std::string& path)
    : module_(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)), owned_(true) {}

ModuleResources::~ModuleResources() {
    if (owned_ && module_) FreeLibrary(module_);
}

bool ModuleResources::read(uint16_t type, uint16_t id, Bytes* out, uint16_t* language) {
    if (!module_) return false;
    WORD found = 0xFFFF;
    EnumResourceLanguagesA(module_, MAKEINTRESOURCEA(type), MAKEINTRESOURCEA(id), first_language,
                           reinterpret_cast<LONG_PTR>(&found));
    HRSRC resource = found == 0xFFFF ? FindResourceA(module_, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type))
                                     : FindResourceExA(module_, MAKEINTRESOURCEA(type), MAKEINTRESOURCEA(id), found);
    if (!resource) return false;
    HGLOBAL loaded = LoadResource(module_, resource);
    const DWORD size = SizeofResource(module_, resource);
    const uint8_t* data = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    if (!data && size) return false;
    out->assign(data, data + size);
    if (language) *language = found == 0xFFFF ? kLanguageNeutral : found;
    return true;
}

bool ModuleResources::first_id(uint16_t type, uint16_t* id) {
    WORD found = 0;
    if (module_) EnumResourceNamesA(module_, MAKEINTRESOURCEA(type), lowest_id, reinterpret_cast<LONG_PTR>(&found));
    *id = found;
    return found != 0;
}

FileResourceUpdate::FileResourceUpdate(const std::string& path) : handle_(BeginUpdateResourceA(path.c_str(), FALSE)) {}

FileResourceUpdate::~FileResourceUpdate() {
    if (handle_) EndUpdateResourceA(handle_, TRUE);
}

bool FileResourceUpdate::write(uint16_t type, uint16_t id, uint16_t language, const Bytes& bytes) {
    return handle_ && UpdateResourceA(handle_, MAKEINTRESOURCEA(type), MAKEINTRESOURCEA(id), language,
                                      const_cast<uint8_t*>(bytes.data()), static_cast<DWORD>(bytes.size()));
}

bool FileResourceUpdate::remove(uint16_t type, uint16_t id, uint16_t language) {
    return handle_ && UpdateResourceA(handle_, MAKEINTRESOURCEA(type), MAKEINTRESOURCEA(id), language, nullptr, 0);
}

bool FileResourceUpdate::commit() {
    if (!handle_) return false;
    const bool ok = EndUpdateResourceA(handle_, FALSE) != 0;
    handle_ = nullptr;
    return ok;
}

}  // namespace zorbel
