// TWinControl's painting: the window paints itself (what its windowless children do not cover),
// then its windowless children in z-order, each through a DC moved to its origin and clipped to
// it. DoubleBuffered paints all of that into a memory bitmap first.

#include "vcl/Controls.h"
#include "vcl/DockTree.h"

namespace {
// Moves the DC's origin by (dx, dy) in logical units, so that the child draws at its own (0, 0).
void MoveWindowOrg(HDC dc, Integer dx, Integer dy) {
  POINT origin;
  GetWindowOrgEx(dc, &origin);
  SetWindowOrgEx(dc, origin.X - dx, origin.Y - dy, nullptr);
}
}  // namespace

void TWinControl::WMPaint(TMessage& Message) {
  if (!FDoubleBuffered || Message.WParam != 0) {
    if (!FControlState.Contains(csCustomPaint) && GetControlCount() == 0 && !FDockManager)
      DefaultHandler(Message);
    else
      PaintHandler(Message);
    return;
  }
  TRect client = GetClientRect();
  // A 32-bit buffer as the window's own surface is (the screen DC here is a plain memory DC).
  HBITMAP bitmap = CreateBitmap(std::max(client.Right, 1), std::max(client.Bottom, 1), 1, 32, nullptr);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(FHandle, &paint);
  // WParam = LParam tells the eraser that this is the buffer, which it must fill.
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), reinterpret_cast<LPARAM>(memory));
  Message.WParam = reinterpret_cast<WPARAM>(memory);
  WMPaint(Message);
  Message.WParam = 0;
  BitBlt(dc, 0, 0, client.Right, client.Bottom, memory, 0, 0, SRCCOPY);
  EndPaint(FHandle, &paint);
  SelectObject(memory, oldBitmap);
  DeleteDC(memory);
  DeleteObject(bitmap);
}

void TWinControl::PaintHandler(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  PAINTSTRUCT paint;
  if (!dc) dc = BeginPaint(FHandle, &paint);
  if (FControls.empty()) {
    PaintWindow(dc);
  } else {
    // Opaque windowless children cover their part: the window does not paint under them.
    int saved = SaveDC(dc);
    int clip = SIMPLEREGION;
    for (TControl* control : FControls) {
      if (control->GetVisible() && control->GetControlStyle().Contains(csOpaque)) {
        clip = ExcludeClipRect(dc, control->GetLeft(), control->GetTop(), control->GetLeft() + control->GetWidth(),
                               control->GetTop() + control->GetHeight());
        if (clip == NULLREGION) break;
      }
    }
    if (clip != NULLREGION) PaintWindow(dc);
    RestoreDC(dc, saved);
  }
  PaintControls(dc, nullptr);
  if (FDockManager) FDockManager->PaintSite(dc);
  if (Message.WParam == 0) EndPaint(FHandle, &paint);
}

void TWinControl::PaintWindow(HDC DC) {
  TMessage message{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
  DefaultHandler(message);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
  auto start = First ? std::find(FControls.begin(), FControls.end(), First) : FControls.begin();
  if (start == FControls.end()) start = FControls.begin();
  // A copy: painting must not see the list change under it.
  std::vector<TControl*> controls(start, FControls.end());
  for (TControl* control : controls) {
    RECT bounds = control->GetBoundsRect();
    if (!control->GetVisible() || !RectVisible(DC, &bounds)) continue;
    if (FControlState.Contains(csPaintCopy)) control->FControlState.Include(csPaintCopy);
    int saved = SaveDC(DC);
    MoveWindowOrg(DC, control->GetLeft(), control->GetTop());
    IntersectClipRect(DC, 0, 0, control->GetWidth(), control->GetHeight());
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    RestoreDC(DC, saved);
    control->FControlState.Exclude(csPaintCopy);
  }
  for (TWinControl* child : FWinControls) {
    if (!child->FCtl3D || !child->FControlStyle.Contains(csFramed) || !child->GetVisible()) continue;
    TRect outer{child->GetLeft() - 1, child->GetTop() - 1, child->GetLeft() + child->GetWidth(),
                child->GetTop() + child->GetHeight()};
    FrameRect(DC, &outer, GetSysColorBrush(COLOR_BTNSHADOW));
    TRect inner{child->GetLeft(), child->GetTop(), child->GetLeft() + child->GetWidth() + 1,
                child->GetTop() + child->GetHeight() + 1};
    FrameRect(DC, &inner, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
  }
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
  if (!FDoubleBuffered || Message.WParam == static_cast<WPARAM>(Message.LParam)) {
    TRect client = GetClientRect();
    FillRect(reinterpret_cast<HDC>(Message.WParam), &client, FBrush->GetHandle());
  }
  Message.Result = 1;
}

void TWinControl::PaintTo(HDC DC, Integer X, Integer Y) {
  FControlState.Include(csPaintCopy);
  int saved = SaveDC(DC);
  MoveWindowOrg(DC, X, Y);
  IntersectClipRect(DC, 0, 0, FWidth, FHeight);
  UINT edge = 0, flags = 0;
  if (GetWindowLong(GetHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
    edge = EDGE_SUNKEN;
    flags = BF_RECT | BF_ADJUST;
  } else if (GetWindowLong(GetHandle(), GWL_STYLE) & WS_BORDER) {
    edge = BDR_OUTER;
    flags = BF_RECT | BF_ADJUST | BF_MONO;
  }
  if (flags) {
    RECT rect{0, 0, FWidth, FHeight};
    DrawEdge(DC, &rect, edge, flags);
    MoveWindowOrg(DC, rect.Left, rect.Top);
    IntersectClipRect(DC, 0, 0, rect.Width(), rect.Height());
  }
  // Sent as to a buffer, so that a double-buffered control fills its background here too.
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
  Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
  for (TWinControl* child : FWinControls)
    if (child->GetVisible()) child->PaintTo(DC, child->GetLeft(), child->GetTop());
  RestoreDC(DC, saved);
  FControlState.Exclude(csPaintCopy);
}
