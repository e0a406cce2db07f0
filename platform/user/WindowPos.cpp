#include "user/WindowPos.h"

#include <algorithm>

#include "gdi/SysMetrics.h"
#include "user/Focus.h"
#include "user/Painting.h"
#include "user/WindowInternals.h"

namespace {

// Flags the platform uses inside WM_WINDOWPOSCHANGED to say that the client area did not move or
// change size; DefWindowProc sends WM_MOVE and WM_SIZE by them.
constexpr UINT SWP_NOCLIENTSIZE = 0x0800;
constexpr UINT SWP_NOCLIENTMOVE = 0x1000;

bool IsTopmost(const Window* w) { return (w->exStyle & WS_EX_TOPMOST) != 0; }

// The sibling after which a top-level window of the given band goes when it goes on top.
Window* TopOfBand(Window* parent, Window* window, bool topmost) {
  if (!window->IsTopLevel() || topmost) return nullptr;
  Window* after = nullptr;
  for (Window* s = parent->firstChild; s && IsTopmost(s); s = s->next) {
    if (s != window) after = s;
  }
  return after;
}

void MoveOwnedAbove(Window* owner) {
  std::vector<Window*> owned;
  for (Window* t = owner->parent->firstChild; t; t = t->next) {
    if (t->owner == owner && (IsTopmost(t) || !IsTopmost(owner))) owned.push_back(t);
  }
  // Bottom first, each straight above the owner: they keep their order among themselves.
  for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
    Window* t = *it;
    if (t == owner->prev) continue;
    UnlinkWindow(t);
    LinkWindow(t, owner->parent, owner->prev);
  }
  for (Window* t : owned) MoveOwnedAbove(t);
}

bool ApplyZOrder(Window* w, HWND insertAfter, bool ownerZOrder) {
  Window* parent = w->parent;
  Window* after = nullptr;
  Window* oldPrev = w->prev;
  bool topLevel = w->IsTopLevel();
  if (insertAfter == HWND_TOPMOST) {
    if (topLevel) w->exStyle |= WS_EX_TOPMOST;
    after = TopOfBand(parent, w, IsTopmost(w));
  } else if (insertAfter == HWND_NOTOPMOST) {
    if (!topLevel || !IsTopmost(w)) return false;
    w->exStyle &= ~WS_EX_TOPMOST;
    after = TopOfBand(parent, w, false);
  } else if (insertAfter == HWND_TOP) {
    after = TopOfBand(parent, w, IsTopmost(w));
  } else if (insertAfter == HWND_BOTTOM) {
    if (topLevel) w->exStyle &= ~WS_EX_TOPMOST;
    after = parent->lastChild == w ? w->prev : parent->lastChild;
  } else {
    Window* sibling = WindowFromHandle(insertAfter);
    if (!sibling || sibling->parent != parent || sibling == w) return false;
    after = sibling;
    // A top-level window joins the band of the window it goes below: placed right below a
    // topmost window it is topmost too, below an ordinary one it is ordinary.
    if (topLevel) {
      if (IsTopmost(sibling))
        w->exStyle |= WS_EX_TOPMOST;
      else
        w->exStyle &= ~WS_EX_TOPMOST;
    }
  }
  if (after == w) return false;
  UnlinkWindow(w);
  LinkWindow(w, parent, after);
  if (topLevel && ownerZOrder) MoveOwnedAbove(w);
  return w->prev != oldPrev || topLevel;
}

WPARAM SizeKind(const Window* w) {
  if (w->style & WS_MINIMIZE) return SIZE_MINIMIZED;
  if (w->style & WS_MAXIMIZE) return SIZE_MAXIMIZED;
  return SIZE_RESTORED;
}

RECT MinimizedRect() {
  return Bounds(-32000, -32000, 160, GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME));
}

void SaveNormalRect(Window* w) {
  if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) w->normalRect = w->windowRect;
}

// Minimize, maximize or restore: new style bits and the rectangle that goes with them.
UINT ChangeMinMaxState(Window* w, int command, RECT* rect) {
  SaveNormalRect(w);
  switch (command) {
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
      w->style = (w->style | WS_MINIMIZE) & ~WS_MAXIMIZE;
      *rect = MinimizedRect();
      return SWP_FRAMECHANGED;
    case SW_MAXIMIZE: {
      MINMAXINFO info;
      QueryMinMaxInfo(w, &info);
      w->style = (w->style | WS_MAXIMIZE) & ~WS_MINIMIZE;
      *rect = Bounds(info.ptMaxPosition.X, info.ptMaxPosition.Y, info.ptMaxSize.X, info.ptMaxSize.Y);
      return SWP_FRAMECHANGED;
    }
    default:
      w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
      *rect = w->normalRect;
      return SWP_FRAMECHANGED;
  }
}

}  // namespace

void RecalcClientRect(Window* w) {
  RECT rect = w->windowRect;
  SendInternalMessage(w, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rect));
  if (!w->destroyed) w->clientRect = rect;
}

void QueryMinMaxInfo(Window* w, MINMAXINFO* info) {
  int frameX = GetSystemMetrics((w->style & WS_THICKFRAME) ? SM_CXFRAME : SM_CXDLGFRAME);
  int frameY = GetSystemMetrics((w->style & WS_THICKFRAME) ? SM_CYFRAME : SM_CYDLGFRAME);
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  info->ptReserved = {w->windowRect.Left, w->windowRect.Top};
  info->ptMaxSize = {work.Width() + 2 * frameX, work.Height() + 2 * frameY};
  info->ptMaxPosition = {work.Left - frameX, work.Top - frameY};
  info->ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  info->ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
  SendInternalMessage(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(info));
}

bool SetWindowPosInternal(Window* w, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  if (!w || w == Desktop() || w->destroyed) return false;
  WindowGuard guard(w);
  WINDOWPOS pos{w->handle, insertAfter, x, y, cx, cy, flags};
  if (w->Visible()) pos.flags &= ~SWP_SHOWWINDOW; else pos.flags &= ~SWP_HIDEWINDOW;
  auto normalize = [&] {
    if (pos.flags & SWP_NOMOVE) { pos.x = w->windowRect.Left; pos.y = w->windowRect.Top; }
    if (pos.flags & SWP_NOSIZE) { pos.cx = w->windowRect.Width(); pos.cy = w->windowRect.Height(); }
    pos.cx = std::max(pos.cx, 0);
    pos.cy = std::max(pos.cy, 0);
  };
  normalize();
  if (!(pos.flags & SWP_NOSENDCHANGING)) {
    SendInternalMessage(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (w->destroyed) return false;
    normalize();
  }

  RECT oldWindow = w->windowRect;
  RECT oldClient = w->clientRect;
  RECT newWindow = Bounds(pos.x, pos.y, pos.cx, pos.cy);
  bool moved = newWindow.TopLeft() != oldWindow.TopLeft();
  bool sized = newWindow.Width() != oldWindow.Width() || newWindow.Height() != oldWindow.Height();
  bool wasVisible = IsReallyVisible(w);
  bool zChanged = !(pos.flags & SWP_NOZORDER) &&
                  ApplyZOrder(w, pos.hwndInsertAfter, !(pos.flags & SWP_NOOWNERZORDER));

  w->windowRect = newWindow;
  ChildLayoutChanged(w->parent);
  if (sized || (pos.flags & SWP_FRAMECHANGED)) {
    NCCALCSIZE_PARAMS params;
    params.rgrc[0] = newWindow;
    params.rgrc[1] = oldWindow;
    params.rgrc[2] = oldClient;
    params.lppos = &pos;
    SendInternalMessage(w, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    if (w->destroyed) return false;
    w->clientRect = params.rgrc[0];
  } else if (moved) {
    int dx = newWindow.Left - oldWindow.Left;
    int dy = newWindow.Top - oldWindow.Top;
    w->clientRect = {oldClient.Left + dx, oldClient.Top + dy, oldClient.Right + dx, oldClient.Bottom + dy};
  }
  SaveNormalRect(w);
  bool shown = (pos.flags & SWP_SHOWWINDOW) != 0;
  bool hidden = (pos.flags & SWP_HIDEWINDOW) != 0;
  if (shown) w->style |= WS_VISIBLE;
  if (hidden) w->style &= ~WS_VISIBLE;
  if (shown || hidden) ChildLayoutChanged(w->parent);
  bool nowVisible = IsReallyVisible(w);
  bool frameChanged = (pos.flags & SWP_FRAMECHANGED) != 0;

  if (w->IsTopLevel()) {
    UpdateWindowSurface(w);
    if (shown) NativeWindowShown(w, !(pos.flags & SWP_NOACTIVATE));
    if (hidden) NativeWindowHidden(w);
    if ((moved || sized) && nowVisible) NativeWindowMoved(w);
    if (zChanged) NativeStackingChanged();
    // A new or resized surface has nothing worth keeping: paint it whole.
    if (nowVisible && (shown || sized || (frameChanged && !(pos.flags & SWP_NOREDRAW)))) {
      InvalidateWindowArea(w, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
  } else if (!(pos.flags & SWP_NOREDRAW)) {
    bool changed = moved || sized || shown || hidden || zChanged || frameChanged;
    if (changed && wasVisible && (moved || sized || hidden || zChanged)) InvalidateParentArea(w, oldWindow);
    if (changed && nowVisible) {
      InvalidateWindowArea(w, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
  }

  if (!moved) pos.flags |= SWP_NOMOVE;
  if (!sized) pos.flags |= SWP_NOSIZE;
  if (w->clientRect.TopLeft() == oldClient.TopLeft()) pos.flags |= SWP_NOCLIENTMOVE;
  if (w->clientRect.Width() == oldClient.Width() && w->clientRect.Height() == oldClient.Height()) {
    pos.flags |= SWP_NOCLIENTSIZE;
  }
  pos.x = w->windowRect.Left;
  pos.y = w->windowRect.Top;
  pos.cx = w->windowRect.Width();
  pos.cy = w->windowRect.Height();
  SendInternalMessage(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  if (w->destroyed) return true;

  if (hidden) {
    FocusWindowHidden(w);
  } else if (!(flags & SWP_NOACTIVATE) && nowVisible) {
    // A child window is never the active window, also a child of the desktop.
    if (w->IsTopLevel() && !w->IsChild()) {
      if (!(w->style & WS_MINIMIZE)) ActivateWindow(w, WA_ACTIVE);
    } else if (w->IsChild()) {
      SendInternalMessage(w, WM_CHILDACTIVATE, 0, 0);
    }
  }
  return true;
}

void SendMoveAndSize(Window* w, const WINDOWPOS* pos) {
  if (!(pos->flags & SWP_NOCLIENTMOVE)) {
    SendInternalMessage(w, WM_MOVE, 0,
                  MAKELPARAM(static_cast<WORD>(w->clientRect.Left), static_cast<WORD>(w->clientRect.Top)));
  }
  if (!(pos->flags & SWP_NOCLIENTSIZE)) {
    SendInternalMessage(w, WM_SIZE, SizeKind(w),
                  MAKELPARAM(static_cast<WORD>(w->clientRect.Width()), static_cast<WORD>(w->clientRect.Height())));
  }
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  return SetWindowPosInternal(WindowFromHandle(window), insertAfter, x, y, width, height, flags);
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(window, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND window) {
  return SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL ShowWindow(HWND window, int command) {
  Window* w = WindowFromHandle(window);
  if (!w || w == Desktop()) return FALSE;
  WindowGuard guard(w);
  bool wasVisible = w->Visible();
  bool child = w->IsChild();
  UINT flags = 0;
  RECT rect = w->windowRect;
  bool show = command != SW_HIDE;
  switch (command) {
    case SW_HIDE:
      if (!wasVisible) return FALSE;
      flags = SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
      break;
    case SW_SHOWMINNOACTIVE:
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_FORCEMINIMIZE:
      if (w->style & WS_MINIMIZE) {
        flags = SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER;
      } else {
        flags = SWP_SHOWWINDOW | ChangeMinMaxState(w, command, &rect) | SWP_NOACTIVATE | SWP_NOZORDER;
      }
      break;
    case SW_SHOWMAXIMIZED:
      flags = SWP_SHOWWINDOW | ChangeMinMaxState(w, SW_MAXIMIZE, &rect);
      break;
    case SW_SHOWNA:
      flags = SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE;
      if (child) flags |= SWP_NOZORDER;
      break;
    case SW_SHOW:
      flags = SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE;
      break;
    case SW_SHOWNOACTIVATE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
    case SW_RESTORE:
      if (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) {
        flags = SWP_SHOWWINDOW | ChangeMinMaxState(w, SW_RESTORE, &rect);
      } else {
        flags = SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE;
      }
      if (command == SW_SHOWNOACTIVATE) flags |= SWP_NOACTIVATE;
      break;
    default:
      return wasVisible;
  }
  if (child) flags |= SWP_NOACTIVATE | SWP_NOZORDER;
  if (show != wasVisible) {
    SendInternalMessage(w, WM_SHOWWINDOW, show, 0);
    if (w->destroyed) return wasVisible;
  }
  SetWindowPosInternal(w, HWND_TOP, rect.Left, rect.Top, rect.Width(), rect.Height(), flags);
  bool handsOn = command == SW_MINIMIZE || command == SW_SHOWMINNOACTIVE || command == SW_FORCEMINIMIZE;
  if (!w->destroyed && handsOn && w == WindowFromHandle(GetActiveWindow())) {
    FocusWindowHidden(w);  // minimizing activates the next window
  }
  return wasVisible;
}

BOOL GetWindowRect(HWND window, RECT* rect) {
  Window* w = WindowFromHandle(window);
  if (!w || !rect) return FALSE;
  POINT origin = WindowOrigin(w);
  *rect = Bounds(origin.X, origin.Y, w->windowRect.Width(), w->windowRect.Height());
  return TRUE;
}

BOOL GetClientRect(HWND window, RECT* rect) {
  Window* w = WindowFromHandle(window);
  if (!w || !rect) return FALSE;
  *rect = {0, 0, w->clientRect.Width(), w->clientRect.Height()};
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
  Window* source = from ? WindowFromHandle(from) : Desktop();
  Window* target = to ? WindowFromHandle(to) : Desktop();
  if (!source || !target) return 0;
  POINT a = source == Desktop() ? POINT{} : ClientOrigin(source);
  POINT b = target == Desktop() ? POINT{} : ClientOrigin(target);
  int dx = a.X - b.X;
  int dy = a.Y - b.Y;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].X += dx;
    points[i].Y += dy;
  }
  return static_cast<int>(MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy)));
}

BOOL ClientToScreen(HWND window, POINT* point) {
  Window* w = WindowFromHandle(window);
  if (!w || !point) return FALSE;
  POINT origin = ClientOrigin(w);
  point->X += origin.X;
  point->Y += origin.Y;
  return TRUE;
}

BOOL ScreenToClient(HWND window, POINT* point) {
  Window* w = WindowFromHandle(window);
  if (!w || !point) return FALSE;
  POINT origin = ClientOrigin(w);
  point->X -= origin.X;
  point->Y -= origin.Y;
  return TRUE;
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle) {
  if (!rect) return FALSE;
  bool child = (style & (WS_CHILD | WS_POPUP)) == WS_CHILD;
  if (!child && !(style & WS_POPUP)) style |= WS_CAPTION;
  RECT insets = FrameInsets(style, exStyle, child);
  rect->Left -= insets.Left;
  rect->Top -= insets.Top;
  rect->Right += insets.Right;
  rect->Bottom += insets.Bottom;
  if (menu) rect->Top -= GetSystemMetrics(SM_CYMENU);
  return TRUE;
}

BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL menu) { return AdjustWindowRectEx(rect, style, menu, 0); }
