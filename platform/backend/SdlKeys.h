#pragma once
// SDL's keys as virtual-key codes (internal to the SDL2 backend).

#include <SDL.h>

#include "rtl/WinTypes.h"

// 0 for a key the platform has no code for. Keys are taken by their position (scancode) for
// letters and digits, as the platform's virtual keys follow the US layout's positions.
UINT VirtualKeyOf(const SDL_Keysym& key);
