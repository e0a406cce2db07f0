// Update regions and the paint messages. Invalidation only accumulates; WM_PAINT is made for the
// next window needing it (parents before children, top-level windows in z-order) when a loop
// finds nothing else to do.

#include "user/Painting.h"

#include "gdi/RegionObject.h"
#include "gdi/Regions.h"
#include "user/Caret.h"
#include "user/MessageQueue.h"
#include "user/WindowDC.h"
#include "user/WindowInternals.h"

namespace {

RECT WholeWindow(const Window* w) { return {0, 0, w->windowRect.Width(), w->windowRect.Height()}; }

// The client area in window coordinates.
RECT ClientInWindow(const Window* w) {
  int dx = w->clientRect.Left - w->windowRect.Left;
  int dy = w->clientRect.Top - w->windowRect.Top;
  return Bounds(dx, dy, w->clientRect.Width(), w->clientRect.Height());
}

bool Contains(const RECT& outer, const RECT& inner) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right && inner.Bottom <= outer.Bottom;
}

bool NeedsPaint(const Window* w) { return !w->updateRegion.IsEmpty() || w->internalPaint || w->ncPaintPending; }

// Keeps the queue's count of windows to paint in step with one window's state.
class PaintStateUpdate {
 public:
  explicit PaintStateUpdate(Window* w) : FWindow(w), FBefore(NeedsPaint(w)) {}
  ~PaintStateUpdate() {
    bool after = NeedsPaint(FWindow);
    if (after == FBefore || !FWindow->queue) return;
    FWindow->queue->windowsToPaint += after ? 1 : -1;
    if (after) {
      FWindow->queue->windowsMadeDirty++;
      FWindow->queue->ArrivedHere(QS_PAINT);
    }
  }

 private:
  Window* FWindow;
  bool FBefore;
};

bool ChildrenIncluded(const Window* w, UINT flags) {
  if (flags & RDW_ALLCHILDREN) return true;
  if (flags & RDW_NOCHILDREN) return false;
  return !(w->style & WS_CLIPCHILDREN);
}

void ApplyRedraw(Window* w, const Region* area, UINT flags) {
  if (!IsReallyVisible(w)) return;
  PaintStateUpdate state(w);
  RECT whole = WholeWindow(w);
  Region affected = area ? *area : Region(whole);
  affected.Intersect(whole);
  if (w->windowRegion) affected.Intersect(*w->windowRegion);
  RECT client = ClientInWindow(w);
  if (flags & RDW_INVALIDATE) {
    Region added = affected;
    if (!(flags & RDW_FRAME)) added.Intersect(client);
    if (!added.IsEmpty()) {
      w->updateRegion.Unite(added);
      if (flags & RDW_ERASE) w->erasePending = true;
      // Windows without a frame (most controls) never get here: their client area is all of them.
      if (!Contains(client, added.Bounds())) {
        Region frame = added;
        frame.Subtract(client);
        if (!frame.IsEmpty()) w->ncPaintPending = true;
      }
    }
  }
  if (flags & RDW_INTERNALPAINT) w->internalPaint = true;
  if (flags & RDW_VALIDATE) {
    w->updateRegion.Subtract(affected);
    if (flags & RDW_NOERASE) w->erasePending = false;
    if (flags & RDW_NOFRAME) w->ncPaintPending = false;
    if (w->updateRegion.IsEmpty()) w->erasePending = false;
  }
  if (flags & RDW_NOINTERNALPAINT) w->internalPaint = false;
  if (!ChildrenIncluded(w, flags)) return;
  Region inClient = affected;
  inClient.Intersect(client);
  if (inClient.IsEmpty()) return;
  for (Window* c = w->firstChild; c; c = c->next) {
    if (!c->Visible()) continue;
    // The child's window rectangle in this window's coordinates.
    RECT childRect = c->windowRect;
    int ox = client.Left + childRect.Left;
    int oy = client.Top + childRect.Top;
    if (!inClient.Overlaps(Bounds(ox, oy, childRect.Width(), childRect.Height()))) continue;
    Region childArea = inClient;
    childArea.Translate(-ox, -oy);
    ApplyRedraw(c, &childArea, flags | RDW_FRAME);
  }
}

// The first window at or below w (parents first, children in z-order) that needs painting.
Window* FindWindowToPaint(Window* w) {
  if (!w->Visible()) return nullptr;
  if (NeedsPaint(w)) return w;
  for (Window* c = w->firstChild; c; c = c->next) {
    if (Window* found = FindWindowToPaint(c)) return found;
  }
  return nullptr;
}

// Where the search for the next window to paint can go on from the one found last, instead of
// walking again every clean window before it: possible while no window came to need paint and none
// moved, showed, hid or restacked since. Null when a full search is needed.
Window* ResumePaintSearch(MessageQueue& queue) {
  Window* last = WindowFromHandle(queue.paintFound);
  if (!last || queue.paintFoundDirty != queue.windowsMadeDirty || queue.paintFoundLayout != WindowLayoutStamp() ||
      !IsReallyVisible(last)) {
    return nullptr;
  }
  if (NeedsPaint(last)) return last;
  for (Window* c = last->firstChild; c; c = c->next) {
    if (Window* found = FindWindowToPaint(c)) return found;
  }
  for (Window* w = last; w->parent; w = w->parent) {
    for (Window* s = w->next; s; s = s->next) {
      if (s->parent == Desktop() && s->queue != &queue) continue;
      if (Window* found = FindWindowToPaint(s)) return found;
    }
  }
  return nullptr;
}

// WM_NCPAINT and WM_ERASEBKGND for what is pending, as BeginPaint and the *NOW flags do.
void SendNcPaintAndErase(Window* w, bool erase) {
  WindowGuard guard(w);
  if (w->ncPaintPending) {
    PaintStateUpdate state(w);
    w->ncPaintPending = false;
    w->updateRegion.Intersect(ClientInWindow(w));
    SendInternalMessage(w, WM_NCPAINT, 1, 0);
  }
  if (erase && w->erasePending && !w->destroyed) {
    w->erasePending = false;
    HDC dc = GetDCEx(w->handle, nullptr, DCX_CACHE | DCX_INTERSECTUPDATE | DCX_USESTYLE);
    if (dc) {
      if (!SendInternalMessage(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0)) w->erasePending = true;
      ReleaseDC(w->handle, dc);
    }
  }
}

void UpdateNow(Window* w, UINT flags) {
  if (!w->Visible()) return;
  WindowGuard guard(w);
  if (flags & RDW_UPDATENOW) {
    if (NeedsPaint(w)) {
      if (!w->updateRegion.IsEmpty() || w->internalPaint) {
        SendInternalMessage(w, WM_PAINT, 0, 0);
      } else {
        SendNcPaintAndErase(w, true);
      }
    }
  } else {
    SendNcPaintAndErase(w, true);
  }
  if (w->destroyed || (flags & RDW_NOCHILDREN)) return;
  std::vector<HWND> children;
  for (Window* c = w->firstChild; c; c = c->next) children.push_back(c->handle);
  for (HWND h : children) {
    if (Window* c = WindowFromHandle(h)) UpdateNow(c, flags);
  }
}

Region* RegionOfHandle(HRGN region) { return region ? LookupRegion(region) : nullptr; }

int RegionKind(const Region& region) { return region.Kind(); }

}  // namespace

void InvalidateWindowArea(Window* window, const Region* area, UINT flags) { ApplyRedraw(window, area, flags); }

void InvalidateParentArea(Window* window, const RECT& parentRect) {
  Window* parent = window->parent;
  if (!parent || parent == Desktop()) return;
  RECT client = ClientInWindow(parent);
  Region area(Bounds(client.Left + parentRect.Left, client.Top + parentRect.Top, parentRect.Width(),
                     parentRect.Height()));
  // The parent repaints what shows there now, and the siblings the window covered.
  ApplyRedraw(parent, &area, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void PaintWindowDestroyed(Window* window) {
  if (NeedsPaint(window) && window->queue) window->queue->windowsToPaint--;
  window->updateRegion.SetEmpty();
  window->ncPaintPending = window->erasePending = window->internalPaint = false;
  ForgetWindowDCs(window);
  window->surface.reset();
}

bool TakePaintMessage(MessageQueue& queue, HWND filter, MSG* msg) {
  if (queue.windowsToPaint <= 0) return false;
  Window* w = filter ? nullptr : ResumePaintSearch(queue);
  for (Window* t = Desktop()->firstChild; t && !w; t = t->next) {
    if (t->queue != &queue) continue;
    w = FindWindowToPaint(t);
    if (w && !WindowPassesFilter(w->handle, filter)) w = nullptr;
  }
  if (w) {
    if (!filter) {
      queue.paintFound = w->handle;
      queue.paintFoundDirty = queue.windowsMadeDirty;
      queue.paintFoundLayout = WindowLayoutStamp();
    }
    msg->hwnd = w->handle;
    msg->message = WM_PAINT;
    msg->wParam = 0;
    msg->lParam = 0;
    msg->time = queue.lastMessageTime;
    msg->pt = queue.lastMessagePoint;
    return true;
  }
  return false;
}

BOOL RedrawWindow(HWND window, const RECT* updateRect, HRGN updateRegion, UINT flags) {
  if (!window) {
    std::vector<HWND> all;
    for (Window* t = Desktop()->firstChild; t; t = t->next) all.push_back(t->handle);
    for (HWND h : all) RedrawWindow(h, updateRect, updateRegion, flags | RDW_FRAME);
    return TRUE;
  }
  Window* w = WindowFromHandle(window);
  if (!w) return FALSE;
  RECT client = ClientInWindow(w);
  Region area;
  if (Region* given = RegionOfHandle(updateRegion)) {
    area = *given;
    area.Translate(client.Left, client.Top);
  } else if (updateRect) {
    area.SetRect({updateRect->Left + client.Left, updateRect->Top + client.Top, updateRect->Right + client.Left,
                  updateRect->Bottom + client.Top});
  } else {
    area.SetRect((flags & RDW_FRAME) ? WholeWindow(w) : client);
  }
  if (flags & (RDW_INVALIDATE | RDW_VALIDATE | RDW_INTERNALPAINT | RDW_NOINTERNALPAINT)) ApplyRedraw(w, &area, flags);
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
    UpdateNow(w, flags);
    PresentDirtySurfaces();
  }
  return TRUE;
}

BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase) {
  return RedrawWindow(window, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND window, HRGN region, BOOL erase) {
  return RedrawWindow(window, nullptr, region, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND window, const RECT* rect) { return RedrawWindow(window, rect, nullptr, RDW_VALIDATE); }

BOOL ValidateRgn(HWND window, HRGN region) { return RedrawWindow(window, nullptr, region, RDW_VALIDATE); }

BOOL UpdateWindow(HWND window) {
  return RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// The update region of the client area, in client coordinates.
static Region ClientUpdate(Window* w) {
  RECT client = ClientInWindow(w);
  Region update = w->updateRegion;
  update.Intersect(client);
  update.Translate(-client.Left, -client.Top);
  return update;
}

BOOL GetUpdateRect(HWND window, RECT* rect, BOOL erase) {
  Window* w = WindowFromHandle(window);
  if (!w) return FALSE;
  if (erase) SendNcPaintAndErase(w, true);
  Region update = ClientUpdate(w);
  if (rect) *rect = update.Bounds();
  return !update.IsEmpty();
}

int GetUpdateRgn(HWND window, HRGN region, BOOL erase) {
  Window* w = WindowFromHandle(window);
  Region* out = RegionOfHandle(region);
  if (!w || !out) return ERROR;
  if (erase) SendNcPaintAndErase(w, true);
  *out = ClientUpdate(w);
  return RegionKind(*out);
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
  Window* w = WindowFromHandle(window);
  if (!w || !paint) return nullptr;
  WindowGuard guard(w);
  // The caret comes off before anything is drawn over it, and back on at EndPaint.
  CaretPaintBegins(window);
  SendNcPaintAndErase(w, false);
  if (w->destroyed) return nullptr;
  Region update = ClientUpdate(w);
  bool erase;
  {
    PaintStateUpdate state(w);
    erase = w->erasePending;
    w->erasePending = false;
    w->updateRegion.SetEmpty();
    w->internalPaint = false;
  }
  HDC dc = GetPaintDC(w, update);
  paint->hdc = dc;
  paint->rcPaint = update.Bounds();
  paint->fRestore = FALSE;
  paint->fIncUpdate = FALSE;
  paint->fErase = FALSE;
  if (erase && dc) paint->fErase = !SendInternalMessage(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  return dc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) {
  if (!paint) return FALSE;
  ReleaseDC(window, paint->hdc);
  CaretPaintEnds(window);
  return TRUE;
}

void UpdateAllWindows() {
  MessageQueue& q = CurrentQueue();
  MSG msg;
  while (TakePaintMessage(q, nullptr, &msg)) {
    DispatchMessage(&msg);
    // A window that answers WM_PAINT without validating would be painted for ever here.
    Window* w = WindowFromHandle(msg.hwnd);
    if (w && NeedsPaint(w)) {
      PaintStateUpdate state(w);
      w->updateRegion.SetEmpty();
      w->internalPaint = w->ncPaintPending = w->erasePending = false;
    }
  }
  PresentDirtySurfaces();
}
