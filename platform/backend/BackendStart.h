#pragma once
// Choosing the display backend at start: SDL2 when a display is there (DISPLAY or WAYLAND_DISPLAY
// set and SDL's video starts), the headless backend otherwise. TAVREN_BACKEND=headless or
// TAVREN_BACKEND=sdl forces one (sdl falls back to headless, with a message, when it cannot start).

class HeadlessBackend;

enum class BackendKind { Headless, Sdl };

// Installs the backend (SetDisplayBackend); call after UserStart.
BackendKind BackendStart();
// Uninstalls and frees it; call before UserEnd.
void BackendEnd();
// The headless backend when it is the one in use, else null.
HeadlessBackend* CurrentHeadlessBackend();
