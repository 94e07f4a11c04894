// The Mouse family (5); its record is kMouseFamily (actions/families.h).
#pragma once
#include <cstdint>

namespace zorbel {

// `options` bits of mouse steps (the low four bits are the window criteria of "Move
// to Control" and "Move to Window").
constexpr uint32_t kMouseCriteriaMask = 0x0F;
constexpr uint32_t kMouseShowMovement = 16;
constexpr uint32_t kMouseRelativeToWindow = 32;
constexpr uint32_t kMouseRelativeToPointer = 64;
constexpr uint32_t kMouseStayInPlace = 128;

// The saved pointer position, in screen pixels from 0 (always these names, without
// the user-variable prefix).
constexpr const char* kSavedPositionX = "SOFTWARE\\Zorbel\\UserVariables\\SavedMousePosition_X";
constexpr const char* kSavedPositionY = "SOFTWARE\\Zorbel\\UserVariables\\SavedMousePosition_Y";

}  // namespace zorbel
