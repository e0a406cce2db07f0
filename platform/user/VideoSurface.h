#pragma once
// Video shown in a window without the window painting it. An engine thread hands over decoded
// frames; the user-interface thread scales the latest one into the window's client area when it
// presents the window's surface (and again whenever the window's own painting covered it). The
// engine thread only copies the frame under a lock and wakes the window's loop. A window
// destroyed while frames are on their way simply drops them.

#include "rtl/WinTypes.h"

// Any thread. pixels: 32-bit B, G, R, x rows, top-down, stride bytes apart. The frame is copied.
// FALSE for a window that is gone or a frame that makes no sense.
BOOL VideoSurfaceShowFrame(HWND window, const void* pixels, int width, int height, int stride);
// Any thread: the window stops showing video (its own painting shows again after a repaint).
void VideoSurfaceClear(HWND window);

// For the window manager (user-interface thread): draws the frames due into the top-level
// surfaces before they are presented.
void ComposeVideoSurfaces();
void VideoSurfaceEnd();
