#include "editor/model/docking.h"

#include <algorithm>

namespace zorbel {

namespace {

constexpr int kHalfBand = kDockBand / 2;

// A band 64 pixels wide centred on the segment from (x1, y1) to (x2, y2).
Box band(int x1, int y1, int x2, int y2) {
    return {x1 - kHalfBand, y1 - kHalfBand, x2 + kHalfBand, y2 + kHalfBand};
}

int clamped(int size, int room) {
    if (room <= 0) return 0;
    return std::min(std::max(size, std::min(kMinFrameSize, room)), room);
}

// Takes a strip of `size` off `rest` along `side` and returns it.
Box take_strip(Box* rest, int side, int size) {
    Box strip = *rest;
    switch (docked_side(side)) {
        case kDockLeft:
            size = clamped(size, rest->width());
            strip.right = rest->left + size;
            rest->left = strip.right;
            break;
        case kDockRight:
            size = clamped(size, rest->width());
            strip.left = rest->right - size;
            rest->right = strip.left;
            break;
        case kDockBottom:
            size = clamped(size, rest->height());
            strip.top = rest->bottom - size;
            rest->bottom = strip.top;
            break;
        default:
            size = clamped(size, rest->height());
            strip.bottom = rest->top + size;
            rest->top = strip.bottom;
            break;
    }
    return strip;
}

}  // namespace

int docking_side(Box client, int status_height, int x, int y, bool control_held) {
    if (control_held) return kDockNone;
    client.bottom -= status_height;
    if (band(client.left, client.top, client.right, client.top).contains(x, y)) return kDockTop;
    if (band(client.left, client.bottom, client.right, client.bottom).contains(x, y)) return kDockBottom;
    if (band(client.left, client.top, client.left, client.bottom).contains(x, y)) return kDockLeft;
    if (band(client.right, client.top, client.right, client.bottom).contains(x, y)) return kDockRight;
    return kDockNone;
}

int docked_side(int stored) {
    switch (stored) {
        case kDockLeft: case kDockTop: case kDockRight: case kDockBottom: return stored;
    }
    return kDockTop;
}

Edge inner_edge(int side) {
    switch (docked_side(side)) {
        case kDockLeft: return Edge::kRight;
        case kDockRight: return Edge::kLeft;
        case kDockBottom: return Edge::kTop;
    }
    return Edge::kBottom;
}

int docked_size_of(int side, const Box& frame) {
    const int side_now = docked_side(side);
    return side_now == kDockLeft || side_now == kDockRight ? frame.width() : frame.height();
}

DockLayout lay_out_docked(const Box& area, const std::vector<DockRequest>& requests) {
    DockLayout layout;
    Box rest = area;
    for (const DockRequest& r : requests) layout.frames.push_back(take_strip(&rest, r.side, r.size));
    layout.grid = rest;
    return layout;
}

Box docking_outline(const Box& area, int side, int size) {
    Box rest = area;
    return take_strip(&rest, side, size);
}

}  // namespace zorbel
