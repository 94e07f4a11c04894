// The testbed's drawn surface: the picture panel with its pattern, the colour spot and the
// click area, at the client positions given in testbed_ids.h.
#pragma once
#include <windows.h>

namespace zorbel::testbed {

// Paints everything that is not a control onto the main window's client area.
void paint_surface(HDC dc);

}  // namespace zorbel::testbed
