// Finding the window under a point: the walk the mouse routing and WindowFromPoint share. It
// allocates nothing, so that a mouse move over a form of hundreds of controls stays cheap.

#include "user/WindowInternals.h"
#include "user/WindowPos.h"

namespace {

bool PointInRect(const RECT& r, POINT p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

// p in the parent's client coordinates.
bool WindowContains(const Window* w, POINT p) {
  if (!PointInRect(w->windowRect, p)) return false;
  return !w->windowRegion || w->windowRegion->Contains(p.X - w->windowRect.Left, p.Y - w->windowRect.Top);
}

// The deepest window at p (w's parent's client coordinates) below and including w, or null when
// every window there answered HTTRANSPARENT.
Window* HitInWindow(Window* w, POINT p, POINT screen, LRESULT* hit) {
  POINT local{p.X - w->clientRect.Left, p.Y - w->clientRect.Top};
  if (w->Enabled() && !(w->style & WS_MINIMIZE) && PointInRect(w->clientRect, p)) {
    for (Window* c = w->firstChild; c; c = c->next) {
      if (!c->Visible() || !c->Enabled() || !WindowContains(c, local)) continue;
      if (Window* found = HitInWindow(c, local, screen, hit)) return found;
    }
  }
  if (!w->Enabled()) {
    *hit = HTERROR;
    return w;
  }
  if (WindowOfCurrentThread(w)) {
    *hit = SendInternalMessage(w, WM_NCHITTEST, 0,
                         MAKELPARAM(static_cast<WORD>(screen.X), static_cast<WORD>(screen.Y)));
    if (w->destroyed) return nullptr;
    if (*hit == HTTRANSPARENT) return nullptr;
  } else {
    *hit = HTCLIENT;
  }
  return w;
}

bool SkippedByFlags(const Window* c, UINT flags) {
  return ((flags & CWP_SKIPINVISIBLE) && !c->Visible()) || ((flags & CWP_SKIPDISABLED) && !c->Enabled()) ||
         ((flags & CWP_SKIPTRANSPARENT) && (c->exStyle & WS_EX_TRANSPARENT));
}

}  // namespace

Window* HitTestWindow(POINT screen, LRESULT* hitCode) {
  LRESULT hit = HTNOWHERE;
  for (Window* t = Desktop()->firstChild; t; t = t->next) {
    if (!t->Visible()) continue;
    // A layered window that is also transparent lets the mouse through to what is below.
    if ((t->exStyle & (WS_EX_LAYERED | WS_EX_TRANSPARENT)) == (WS_EX_LAYERED | WS_EX_TRANSPARENT)) continue;
    if (!WindowContains(t, screen)) continue;
    if (Window* found = HitInWindow(t, screen, screen, &hit)) {
      if (hitCode) *hitCode = hit;
      return found;
    }
  }
  if (hitCode) *hitCode = HTNOWHERE;
  return nullptr;
}

HWND WindowFromPoint(POINT point) {
  Window* w = HitTestWindow(point, nullptr);
  return w ? w->handle : nullptr;
}

HWND ChildWindowFromPointEx(HWND parentHandle, POINT point, UINT flags) {
  Window* parent = WindowFromHandle(parentHandle);
  if (!parent) return nullptr;
  if (!PointInRect(Rect(0, 0, parent->clientRect.Width(), parent->clientRect.Height()), point)) return nullptr;
  for (Window* c = parent->firstChild; c; c = c->next) {
    if (!SkippedByFlags(c, flags) && WindowContains(c, point)) return c->handle;
  }
  return parentHandle;
}

HWND ChildWindowFromPoint(HWND parent, POINT point) { return ChildWindowFromPointEx(parent, point, CWP_ALL); }

HWND RealChildWindowFromPoint(HWND parentHandle, POINT point) {
  Window* parent = WindowFromHandle(parentHandle);
  if (!parent) return nullptr;
  POINT origin = ClientOrigin(parent);
  POINT screen{point.X + origin.X, point.Y + origin.Y};
  for (Window* c = parent->firstChild; c; c = c->next) {
    if (!c->Visible() || !WindowContains(c, point)) continue;
    if (WindowOfCurrentThread(c) &&
        SendInternalMessage(c, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(screen.X), static_cast<WORD>(screen.Y))) ==
            HTTRANSPARENT) {
      continue;
    }
    return c->handle;
  }
  return parentHandle;
}
