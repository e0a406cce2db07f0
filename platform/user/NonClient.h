#pragma once
// The parts of a window's non-client area, in window coordinates (internal). Empty rectangles
// for parts the window does not have.

#include "user/Window.h"

struct NonClientLayout {
  RECT window;
  int frame = 0;  // width of the border or frame
  int edge = 0;   // width of the client or static edge
  RECT caption;
  RECT title;
  RECT sysMenu;
  RECT closeButton;
  RECT maxButton;
  RECT minButton;
  RECT helpButton;
  RECT edgeRect;
  RECT vScroll;
  RECT hScroll;
  RECT sizeBox;
  RECT client;
};

NonClientLayout LayoutNonClient(const Window* window);
// Paints the frame into a DC whose origin is the window's top-left corner; pressedButton is the
// hit-test code of a caption button shown pressed (0: none).
void DrawNonClient(Window* window, HDC dc, UINT pressedButton);
