// The run log's file, kept open between lines so that a line costs one write: each
// line is written through at once (nothing waits in a buffer of the program, so a
// killed program loses nothing), and a file that was deleted or moved since the last
// line is made anew at the next one. Others may read, write, move and delete the
// file while it is open; the run log closes it between ticks. (Under Wine a file
// deleted while it is open goes only when it is closed, at the end of the tick; the
// tick's later lines go with it.)
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zorbel {

class RunLogFile {
public:
    RunLogFile() = default;
    ~RunLogFile() { close(); }
    RunLogFile(const RunLogFile&) = delete;
    RunLogFile& operator=(const RunLogFile&) = delete;

    // Appends `text` to the file at `path`, opening it (and creating it and its
    // missing folders) when it is not open on that path or no longer there.
    // False when the file cannot be opened or written.
    bool append(const std::string& path, std::string_view text);
    void close();
    bool is_open() const { return handle_ != 0; }

private:
    bool open(const std::string& path);
    // The path still names a file (it was not deleted or moved away).
    static bool still_there(const std::string& path);

    intptr_t handle_ = 0;
    std::string path_;
};

}  // namespace zorbel
