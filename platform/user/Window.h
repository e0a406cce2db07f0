#pragma once
// The window object behind a handle and the handle table. Internal to the window manager: the
// rest of the system knows windows only by HWND.

#include <memory>
#include <mutex>
#include <vector>

#include "gdi/Region.h"
#include "rtl/WinTypes.h"
#include "user/Messages.h"
#include "user/WindowStyles.h"

struct MessageQueue;

struct WindowClass {
  String name;
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int classExtraBytes = 0;
  int windowExtraBytes = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HICON smallIcon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  String menuName;
  std::vector<Byte> extraBytes;
  int windows = 0;  // windows of the class alive: it cannot be unregistered meanwhile
};

// The registered class of a name (case-insensitive) or of an atom written as MAKEINTATOM.
WindowClass* FindWindowClass(const char* nameOrAtom);

struct WindowProperty {
  String name;
  HANDLE value = nullptr;
};

// The pixels of a visible top-level window: the whole window rectangle, 32 bits per pixel.
struct WindowSurface {
  std::vector<uint32_t> pixels;
  int width = 0;
  int height = 0;
  RECT dirty;  // window coordinates, not yet presented
};

struct Window {
  HWND handle = nullptr;
  WindowClass* windowClass = nullptr;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  LONG_PTR id = 0;
  LONG_PTR userData = 0;
  HINSTANCE instance = nullptr;
  std::vector<Byte> extraBytes;
  String text;
  std::vector<WindowProperty> properties;
  HICON bigIcon = nullptr;    // WM_SETICON
  HICON smallIcon = nullptr;
  HMENU systemMenu = nullptr;  // GetSystemMenu, made on first use

  // The tree. Siblings are kept in z-order: firstChild is the top one.
  Window* parent = nullptr;  // the desktop for top-level windows, null for the desktop itself
  Window* owner = nullptr;
  Window* firstChild = nullptr;
  Window* lastChild = nullptr;
  Window* prev = nullptr;  // the sibling above
  Window* next = nullptr;  // the sibling below

  RECT windowRect;  // parent's client coordinates (screen for top-level windows)
  RECT clientRect;  // parent's client coordinates
  RECT normalRect;  // to restore to from minimized or maximized, parent's client coordinates
  std::unique_ptr<Region> windowRegion;  // window coordinates
  // Clipping by siblings (WindowDC.cpp): the visible siblings above whose rectangles meet this
  // window's, valid while overlapsStamp equals the parent's childLayout.
  std::vector<Window*> overlapsAbove;
  uint64_t overlapsStamp = 0;
  uint64_t childLayout = 0;  // changes with every move, show, hide and restacking of a child

  // Painting. The update region is in window coordinates and may cover the frame.
  Region updateRegion;
  bool ncPaintPending = false;
  bool erasePending = false;
  bool internalPaint = false;
  bool redrawOff = false;  // WM_SETREDRAW(FALSE)
  bool ncActive = false;   // the frame is drawn active (WM_NCACTIVATE)
  std::unique_ptr<WindowSurface> surface;  // visible top-level windows only
  BYTE layeredAlpha = 255;
  COLORREF layeredKey = 0xFFFFFFFF;
  DWORD layeredFlags = 0;
  bool perPixelAlpha = false;

  MessageQueue* queue = nullptr;
  DWORD threadId = 0;
  bool nativeCreated = false;
  bool sizeMessagesSent = false;

  // Lifetime: the object outlives its handle while a procedure of it is on the stack.
  int busy = 0;
  bool destroying = false;
  bool destroyed = false;

  bool IsChild() const { return (style & (WS_CHILD | WS_POPUP)) == WS_CHILD; }
  bool IsTopLevel() const;
  bool Visible() const { return (style & WS_VISIBLE) != 0; }
  bool Enabled() const { return (style & WS_DISABLED) == 0; }
};

// The live window of a handle; null for 0, stale handles and handles that never were.
Window* WindowFromHandle(HWND handle);
Window* Desktop();
void SetDesktopWindowObject(Window* desktop);
inline bool Window::IsTopLevel() const { return parent == Desktop(); }

// Gives the window a handle (and the table a reference to it).
HWND AllocateWindowHandle(Window* window);
// The handle stops naming the window; the object is freed once no procedure uses it.
void ReleaseWindowHandle(Window* window);
// For other threads: the queue of the window's thread, looked up under the table's lock, which
// `lock` keeps held for as long as the caller uses the queue. Null for a dead handle.
MessageQueue* QueueOfWindow(HWND handle, std::unique_lock<std::mutex>& lock);

// A window kept alive for the length of a scope, for calls into code that may destroy it.
class WindowGuard {
 public:
  explicit WindowGuard(Window* window) : FWindow(window) { if (FWindow) ++FWindow->busy; }
  ~WindowGuard();
  WindowGuard(const WindowGuard&) = delete;
  WindowGuard& operator=(const WindowGuard&) = delete;

 private:
  Window* FWindow;
};

// Screen position of a window's client origin and window origin.
POINT ClientOrigin(const Window* window);
POINT WindowOrigin(const Window* window);
// The top-level window a window belongs to (itself for top-level windows).
Window* TopLevelOf(Window* window);
// A child of `parent` moved, was shown or hidden, changed place in z-order, came or went: what
// siblings hide of each other is worked out again.
void ChildLayoutChanged(Window* parent);
// Changes with every call of ChildLayoutChanged anywhere.
uint64_t WindowLayoutStamp();
// Whether the window and its ancestors up to the desktop are visible.
bool IsReallyVisible(const Window* window);

// The window's procedure, called with the window kept alive; answers 0 for a dead window. Only
// dispatching and sending call it: dispatched messages stay out of the WH_CALLWNDPROC chain.
LRESULT CallProcedure(Window* window, UINT message, WPARAM wParam, LPARAM lParam);
// A message the window manager sends itself (creation, destruction, positioning, activation,
// focus, capture, hit testing, painting): through the WH_CALLWNDPROC and WH_CALLWNDPROCRET
// chains as SendMessage does, the procedure read after the hooks.
LRESULT SendInternalMessage(Window* window, UINT message, WPARAM wParam, LPARAM lParam);
