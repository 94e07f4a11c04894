#include "engine/run_log_probe_win.h"

#include <windows.h>

namespace zorbel {

RegistryKeyProbe::~RegistryKeyProbe() { release(); }

void RegistryKeyProbe::release() {
    if (key_handle_) RegCloseKey(static_cast<HKEY>(key_handle_));
    if (event_) CloseHandle(static_cast<HANDLE>(event_));
    key_handle_ = nullptr;
    event_ = nullptr;
}

// Arms the notification on a fresh handle of the key (it may have been deleted and
// made again); a change after this call signals the event.
bool RegistryKeyProbe::watch() {
    release();
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_NOTIFY, &key) != ERROR_SUCCESS) return false;
    key_handle_ = key;
    event_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!event_) return false;
    const DWORD filter = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
    if (RegNotifyChangeKeyValue(static_cast<HKEY>(key_handle_), FALSE, filter, static_cast<HANDLE>(event_), TRUE) !=
        ERROR_SUCCESS) {
        release();
        return false;
    }
    return true;
}

bool RegistryKeyProbe::changed() {
    if (event_ && key_handle_ && WaitForSingleObject(static_cast<HANDLE>(event_), 0) == WAIT_TIMEOUT) return false;
    // First call, a change, or no watch yet: watch again before the caller reads, so
    // that a change made while it reads is not missed.
    watch();
    return true;
}

}  // namespace zorbel
