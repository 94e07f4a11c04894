// What the editor knows about the open script beside its steps: the modified
// counter (edits minus undos since the last save or load), the "changed since
// saved" flag, the needs-re-save flag of older formats, and whether the last load
// stopped early. Desktop-free.
#pragma once
#include <cstdint>
#include <string>

namespace zorbel {

class DocumentState {
public:
    // An undo snapshot was taken before a change.
    void pushed() { ++modified_, changed_ = true; }
    // A change without a snapshot (a pane writing back into its step, a step added
    // to an empty script).
    void changed() { changed_ = true; }
    // An undo restored a snapshot; `stack_empty` when it was the last one.
    void undone(bool stack_empty) {
        --modified_;
        if (stack_empty) modified_ = 0;
        changed_ = true;
    }
    // Saved to `path`: everything on disk matches.
    void saved() { modified_ = 0, changed_ = false, needs_resave_ = false, stopped_early_ = false; }
    // The script was replaced wholesale (loaded, emptied, built from a sample).
    void replaced(bool needs_resave, bool stopped_early) {
        modified_ = 0, changed_ = false, needs_resave_ = needs_resave, stopped_early_ = stopped_early;
    }
    void clear_resave() { needs_resave_ = false; }

    // Whether closing the script loses something: the counter or the flag.
    bool dirty() const { return modified_ != 0 || changed_; }
    int32_t modified() const { return modified_; }
    bool needs_resave() const { return needs_resave_; }
    // The script shown is shorter than its file: the first save to that same file
    // must ask before replacing it.
    bool stopped_early() const { return stopped_early_; }

    // The main window's title for the script at `path` ("" when untitled).
    std::string title(const std::string& path) const;

private:
    int32_t modified_ = 0;
    bool changed_ = false;
    bool needs_resave_ = false;
    bool stopped_early_ = false;
};

// The file name without its folder.
std::string file_name_of(const std::string& path);

}  // namespace zorbel
