// The desktop seam: every effect a run has on the machine, and every reading of the
// time, goes through one Desktop reached from the run's services. Each member is a
// small interface of its own, declared beside the family that needs it; the program
// shell assembles the real ones (app/), builds without a desktop get null ones, and
// native tests get one fake that writes every call into one ordered log on one fake
// clock. The process environment, folders, version and local time that text
// expansion reads come through the run's ExpansionEnvironment. New families add their interface here (processes, services, registry,
// network, database, mail, library calls).
#pragma once
#include <cstdint>
#include <string>

namespace zorbel {

// Milliseconds since the system started, and the program's one way to wait.
class Clock {
public:
    virtual ~Clock() = default;
    virtual uint32_t now() = 0;
    // Blocks the program's thread (it does not answer meanwhile).
    virtual void sleep(uint32_t milliseconds) = 0;
};

// The clipboard's text (CF_TEXT).
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The clipboard's text; false (and "") when it holds none or cannot be opened.
    virtual bool text(std::string* out) = 0;
    // Replaces the clipboard's content with `text`; false when it cannot be done.
    virtual bool set_text(const std::string& text) = 0;
    // Empties the clipboard; false when it cannot be done.
    virtual bool clear() { return false; }
};

// The keyboard's state, which the run reads for its stop key.
class KeyState {
public:
    virtual ~KeyState() = default;
    // Whether the key is down now (asynchronous state).
    virtual bool key_down(int virtual_key) = 0;
};

// A capture of the screen (window 0) or a window saved as a bitmap file; the failure
// screenshot uses it.
class ScreenCapture {
public:
    virtual ~ScreenCapture() = default;
    virtual bool capture_to_file(intptr_t window, const std::string& path) = 0;
};

class WindowDesktop;         // actions/windows/window_desktop.h
class KeyboardDesktop;       // actions/input/keyboard_desktop.h
class MouseDesktop;          // actions/mouse/mouse_desktop.h
class ScreenDesktop;         // actions/screen/screen_desktop.h
class NetworkDesktop;        // actions/internet/network_desktop.h
class MailDesktop;           // actions/mail/mail_desktop.h
class DatabaseDesktop;       // actions/database/database_desktop.h
class RegistryDesktop;       // actions/system/registry_desktop.h
class DisplayDesktop;        // actions/system/system_settings_desktop.h
class SessionDesktop;        // actions/system/system_settings_desktop.h
class LibraryDesktop;        // actions/external/library_desktop.h
class ProcessDesktop;        // actions/programs/process_desktop.h
class FileSystem;            // actions/files/file_system.h
class RecorderDesktop;       // actions/record/recorder_desktop.h

struct Desktop {
    Clock* clock = nullptr;
    Clipboard* clipboard = nullptr;
    KeyState* key_state = nullptr;       // the keyboard's state (the keyboard desktop)
    ScreenCapture* capture = nullptr;    // the screen desktop's capture
    WindowDesktop* windows = nullptr;
    KeyboardDesktop* keyboard = nullptr;
    MouseDesktop* pointer = nullptr;
    ScreenDesktop* screen = nullptr;
    NetworkDesktop* network = nullptr;
    MailDesktop* mail = nullptr;
    DatabaseDesktop* database = nullptr;
    RegistryDesktop* registry = nullptr;
    DisplayDesktop* display = nullptr;
    SessionDesktop* session = nullptr;
    LibraryDesktop* libraries = nullptr;
    ProcessDesktop* processes = nullptr;
    FileSystem* files = nullptr;
    RecorderDesktop* recorder = nullptr;  // the record and playback hooks, the keypress watcher
};

}  // namespace zorbel
