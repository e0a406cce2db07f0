#pragma once
// Real input and questions to an X server through a connection of its own (one per thread): keys
// and pointer through the XTest extension, windows found by title, their place on the screen,
// and pictures of the screen. Xlib's headers stay out of it: their macros clash with the
// framework's names.

#include <functional>
#include <string>
#include <vector>

#include "rtl/WinTypes.h"

struct _XDisplay;
using XWindow = unsigned long;  // an X window id; 0 for none

// Lets several threads use Xlib, each with its own connection, and keeps X errors from ending
// the process (windows come and go while a script looks at them); call first thing in main.
void EnableXThreads();

class XDriver {
 public:
  explicit XDriver(const std::string& display);
  ~XDriver();
  XDriver(const XDriver&) = delete;
  XDriver& operator=(const XDriver&) = delete;

  bool Connected() const { return FDisplay != nullptr; }

  // Input, sent at once (XTest).
  void MoveTo(POINT p);
  void Button(int button, bool down);
  void Click(POINT p, int button = 1);
  // Presses at `from`, waits for `started` (when given; pressing again when it does not come),
  // moves to `to` in a few steps and releases.
  bool Drag(POINT from, POINT to, const std::function<bool()>& started = nullptr);
  // Presses and releases a key by its X name ("Return", "Escape").
  void Key(const char* name);
  // Types UTF-8 text key by key, with Shift where the keyboard needs it.
  void Type(const std::string& text);
  // Gives the characters of `text` that no key types a spare key code of their own; call before a
  // client reads the keyboard map, so that it sees them.
  void MapKeys(const std::string& text);

  // Polls the X server until `done` holds; false after timeoutMs.
  bool WaitFor(const std::function<bool()>& done, int timeoutMs = 10000);
  // A viewable window with this title (its _NET_WM_NAME or WM_NAME), anywhere in the tree; 0 if none.
  XWindow FindWindow(const std::string& title);
  std::string Title(XWindow window);
  // The window's rectangle on the screen.
  RECT Geometry(XWindow window);
  // Viewable children of the root window (managed frames and unmanaged windows, top last).
  std::vector<XWindow> TopWindows();
  // The windows a window list shows (_NET_CLIENT_LIST of the window manager).
  std::vector<XWindow> ClientList();
  // Whether some client holds the keyboard (a window manager moving or sizing a window does; a
  // click it holds back while it focuses does not).
  bool KeyboardGrabbed();
  // The screen pixel as 0x00RRGGBB.
  uint32_t Pixel(POINT p);
  bool SaveScreenshot(const std::string& fileName);

  // The size limits the window gives the window manager (WM_NORMAL_HINTS); false if it gives none.
  bool SizeLimits(XWindow window, SIZE* minimum, SIZE* maximum);

 private:
  void PressKey(unsigned long keySym);
  _XDisplay* FDisplay = nullptr;
};
