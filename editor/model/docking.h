// Where the palettes' frames go: the side a dragged frame docks on, the strips the
// docked frames take from the main window's client area (the step grid takes the
// rest), the edge a docked frame is resized by, and the size that resizing gives.
#pragma once
#include <vector>

namespace zorbel {

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const Box& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

enum DockSide : int { kDockNone = 0, kDockLeft = 1, kDockTop = 2, kDockRight = 4, kDockBottom = 8 };

// The band around each edge of the client area that docks a dragged frame, in pixels.
constexpr int kDockBand = 64;
// The smallest frame the user can track, across and along.
constexpr int kMinFrameSize = 29;

// The side a frame dragged with the cursor at (x, y) would dock on, or kDockNone.
// `client` is the main window's client area in screen coordinates; its bottom is
// raised by the status bar's height. Bands are tried top, bottom, left, right.
int docking_side(Box client, int status_height, int x, int y, bool control_held);

// The side a frame docks on for a stored side: 1, 2, 4 and 8 as they are, any other
// value the top.
int docked_side(int stored);

enum class Edge { kLeft, kTop, kRight, kBottom };
// The one edge a docked frame is resized by: the one facing the grid.
Edge inner_edge(int side);

// The docked size a frame's rectangle gives on its side (its width on the left and
// right, its height at the top and bottom).
int docked_size_of(int side, const Box& frame);

// A shown, docked palette as the layout takes it, in creation order.
struct DockRequest {
    int side = kDockTop;
    int size = 0;
};

struct DockLayout {
    std::vector<Box> frames;  // parallel to the requests
    Box grid;
};

// Each request in turn takes a strip of its size along its side of what is left of
// `area` (the client area above the status bar); the grid takes the rest. A size is
// clamped to what is left, and is at least kMinFrameSize when that much is left.
DockLayout lay_out_docked(const Box& area, const std::vector<DockRequest>& requests);

// Where a frame would dock on `side`: the strip of `size` along that side of `area`.
Box docking_outline(const Box& area, int side, int size);

}  // namespace zorbel
