// The container unit's routines, the framework-access class, buffered painting and the unit's
// start and end.

#include "gdi/Regions.h"
#include "rtl/ClassRegistry.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvContainer.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "toolkit/foundation/qzUxTheme.h"
#include "user/Caret.h"
#include "user/Painting.h"

bool PopupGuardSwitch = false;
bool ScrollBarInfoAvailable = false;

Integer BorderWidthOf(TkvContainerBorderStyle BorderStyle) {
  static const Integer kWidths[] = {0, 1, 2, 2, 2, 1, 1};
  return kWidths[BorderStyle];
}

TRect LocalBoundsOf(TControl* Control) { return TRect(0, 0, Control->GetWidth(), Control->GetHeight()); }

void PaintShadowStrips(TkvCanvas* Canvas, const TRect& R) {
  const TRect strips[] = {TRect(R.Left + 3, R.Bottom, R.Right, R.Bottom + 3),
                          TRect(R.Right, R.Top + 3, R.Right + 3, R.Bottom + 3)};
  for (const TRect& strip : strips) {
    Canvas->FillWithColor(strip, clBtnShadow);
    Canvas->ClipOutRect(strip);
  }
}

void GrowRectOnEdges(TRect& R, Integer Width, TkvBorders Edges) {
  if (Edges.Contains(bLeft)) R.Left -= Width;
  if (Edges.Contains(bTop)) R.Top -= Width;
  if (Edges.Contains(bRight)) R.Right += Width;
  if (Edges.Contains(bBottom)) R.Bottom += Width;
}

void ShrinkRectOffEdges(TRect& R, Integer Width, TkvBorders Edges) {
  if (!Edges.Contains(bLeft)) R.Left += Width;
  if (!Edges.Contains(bTop)) R.Top += Width;
  if (!Edges.Contains(bRight)) R.Right -= Width;
  if (!Edges.Contains(bBottom)) R.Bottom -= Width;
}

namespace {

bool IsEmptyRect(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

// The four bands of R around Inner: left, top, right, bottom.
void BandsOutside(const TRect& R, const TRect& Inner, TRect Bands[4]) {
  Bands[0] = TRect(R.Left, R.Top, Inner.Left, R.Bottom);
  Bands[1] = TRect(Inner.Left, R.Top, Inner.Right, Inner.Top);
  Bands[2] = TRect(Inner.Right, R.Top, R.Right, R.Bottom);
  Bands[3] = TRect(Inner.Left, Inner.Bottom, Inner.Right, R.Bottom);
}

}  // namespace

void FillRectOutside(TkvCanvas* Canvas, const TRect& R, const TRect& Inner, TColor Color) {
  if (IsEmptyRect(R) || R == Inner) return;
  if (IsEmptyRect(Inner)) {
    Canvas->FillWithColor(R, Color);
    return;
  }
  TRect bands[4];
  BandsOutside(R, Inner, bands);
  for (const TRect& band : bands) {
    if (!IsEmptyRect(band)) Canvas->FillWithColor(band, Color);
  }
}

void InvalidateRectOutside(HWND Window, const TRect& R, const TRect& Inner, bool Erase) {
  if (IsEmptyRect(Inner)) {
    RECT r = R;
    InvalidateRect(Window, &r, Erase);
    return;
  }
  TRect bands[4];
  BandsOutside(R, Inner, bands);
  for (const TRect& band : bands) {
    if (IsEmptyRect(band)) continue;
    RECT r = band;
    InvalidateRect(Window, &r, Erase);
  }
}

void InvalidateWindowRect(TWinControl* Control, const TRect& R, bool Erase) {
  if (!Control->HandleAllocated()) return;
  RECT r = R;
  InvalidateRect(Control->GetHandle(), &r, Erase);
}

HWND TopLevelAncestorWindow(HWND Window) {
  for (HWND w = Window; w; w = GetParent(w)) {
    if (!(GetWindowLong(w, GWL_STYLE) & WS_CHILD)) return w;
  }
  return nullptr;
}

bool TextsEqual(const String& A, const String& B, bool CaseSensitive) {
  return CaseSensitive ? AnsiCompareStr(A, B) == 0 : AnsiCompareText(A, B) == 0;
}

void QueryCursorPos(TPoint& P) {
  POINT p;
  GetCursorPos(&p);
  P = p;
}

TShiftState CurrentShiftState() {
  return KeyboardStateToShiftState();
}

Integer MapMouseButton(TMouseButton Button) {
  switch (Button) {
    case mbLeft: return 1;
    case mbRight: return 2;
    case mbMiddle: return 3;
  }
  return 0;
}

void CopyFont(TFont* Dest, TFont* Source) { Dest->Assign(Source); }

TkvContainer* ContainerOfControl(TControl* Control) {
  if (auto* container = dynamic_cast<TkvContainer*>(Control)) return container;
  if (auto* inner = dynamic_cast<IkvContainerInnerControl*>(Control)) return inner->HostContainer();
  return nullptr;
}

bool QueryScrollBarInfo(HWND Window, LONG Object, SCROLLBARINFO& Info) {
  Info.cbSize = sizeof(SCROLLBARINFO);
  return GetScrollBarInfo(Window, Object, &Info) != FALSE;
}

bool NativeThemeOpen(bool NativeStyle, Integer ThemeKind) {
  return NativeStyle && ObtainTheme(static_cast<TqzThemedObjectType>(ThemeKind)) != nullptr;
}

void SizeGripScreenRect(TWinControl* InnerControl, TRect& R) {
  R = TRect();
  TkvContainer* container = ContainerOfControl(InnerControl);
  if (!container || !InnerControl->HandleAllocated()) return;
  TkvControlScrollBar* horz = container->GetHScrollBar();
  TkvControlScrollBar* vert = container->GetVScrollBar();
  if (!horz || !vert || !horz->GetVisible() || !vert->GetVisible()) return;
  TPoint corner = container->ClientToScreen(TPoint(vert->GetLeft(), horz->GetTop()));
  RECT window;
  GetWindowRect(InnerControl->GetHandle(), &window);
  R = Bounds(corner.X - window.Left, corner.Y - window.Top, vert->GetWidth(), horz->GetHeight());
}

void DisableWindowInto(std::vector<HWND>& List, HWND Window) {
  if (!IsWindowEnabled(Window)) return;
  EnableWindow(Window, FALSE);
  List.push_back(Window);
}

void ReenableWindows(const std::vector<HWND>* List) {
  if (!List) return;
  for (HWND window : *List) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
}

bool DrainMessages(HWND Window, UINT First, UINT Last, bool All) {
  bool removed = false;
  MSG msg;
  while (PeekMessage(&msg, Window, First, Last, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    removed = true;
    if (!All) break;
  }
  return removed;
}

bool IsDescendantWindow(TWinControl* Control, HWND Window) {
  if (!Control || !Window || !Control->HandleAllocated() || Window == Control->GetHandle()) return false;
  if (IsChild(Control->GetHandle(), Window)) return true;
  return BelongsToPopupsOf(Control, Window);
}

bool OwnsWindow(TWinControl* Control, HWND Window, bool WithDescendants) {
  if (!Control) return false;
  if (Control->HandleAllocated() && Window == Control->GetHandle()) return true;
  return WithDescendants && IsDescendantWindow(Control, Window);
}

bool IsOwnWindow(TWinControl* Control, HWND Window) { return OwnsWindow(Control, Window, false); }

bool IsChildOfControlWindow(TWinControl* Control, HWND Window) {
  return Control->HandleAllocated() && IsChild(Control->GetHandle(), Window);
}

bool IsWindowShown(TWinControl* Control) { return Control->HandleAllocated() && IsWindowVisible(Control->GetHandle()); }

HRGN BuildContainerRegion(HWND, const TRect& R, bool Skip, bool WithShadow, const TRect& Exclude) {
  if (Skip) return nullptr;
  HRGN region = CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom);
  if (WithShadow) {
    HRGN shadow = CreateRectRgn(R.Left + 3, R.Top + 3, R.Right + 3, R.Bottom + 3);
    CombineRgn(region, region, shadow, RGN_OR);
    DeleteObject(shadow);
  }
  if (!IsEmptyRect(Exclude)) {
    HRGN cut = CreateRectRgn(Exclude.Left, Exclude.Top, Exclude.Right, Exclude.Bottom);
    CombineRgn(region, region, cut, RGN_DIFF);
    DeleteObject(cut);
  }
  return region;
}

void SetWindowRegionIfChanged(HWND Window, const TRect& R, bool Skip, bool WithShadow, const TRect& Exclude) {
  HRGN region = BuildContainerRegion(Window, R, Skip, WithShadow, Exclude);
  HRGN current = CreateRectRgn(0, 0, 0, 0);
  int kind = GetWindowRgn(Window, current);
  bool hasCurrent = kind != ERROR && kind != NULLREGION;
  bool differs = region ? !hasCurrent || !EqualRgn(region, current) : hasCurrent;
  DeleteObject(current);
  if ((region || hasCurrent) && differs) {
    SetWindowRgn(Window, region, TRUE);  // the window owns the region now
  } else if (region) {
    DeleteObject(region);
  }
}

void ApplyInnerControlRegion(TWinControl* Control, const TkvInnerControlClip& Clip) {
  if (!Control->HandleAllocated()) return;
  HRGN region = nullptr;
  if (!Clip.FullyVisible) {
    const TRect& r = Clip.VisibleRect;
    region = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
  }
  SetWindowRgn(Control->GetHandle(), region, TRUE);
}

void PaintBufferedInto(HDC DC, const TRect& R, HWND Window) {
  RECT rect = R;
  HDC paintDC = nullptr;
  HPAINTBUFFER buffer = UxBeginBufferedPaint(DC, &rect, 2, nullptr, &paintDC);
  if (buffer && paintDC) {
    SendMessage(Window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paintDC), 0);
    SendMessage(Window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(paintDC), PRF_CLIENT);
    UxBufferedPaintSetAlpha(buffer, &rect, 255);
  }
  HideCaret(Window);
  if (buffer) UxEndBufferedPaint(buffer, TRUE);
  ShowCaret(Window);
}

void PaintBufferedWindow(HWND Window) {
  RECT client;
  GetClientRect(Window, &client);
  HDC dc = GetDC(Window);
  PaintBufferedInto(dc, client, Window);
  ReleaseDC(Window, dc);
}

void PaintBufferedOnPaint(HWND Window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Window, &paint);
  PaintBufferedInto(dc, paint.rcPaint, Window);
  EndPaint(Window, &paint);
}

bool BelongsToPopupsOf(TWinControl* Control, HWND Window) {
  for (Integer i = 0; i < Control->GetControlCount(); ++i) {
    auto* child = dynamic_cast<TWinControl*>(Control->GetControls(i));
    if (!child) continue;
    if (child->HandleAllocated() && Window == child->GetHandle()) return true;
    if (BelongsToPopupsOf(child, Window)) return true;
    if (IsChildOfControlWindow(child, Window)) return true;
  }
  auto shownHolds = [&](TkvCustomPopupWindow* popup) {
    return (popup->HandleAllocated() && Window == popup->GetHandle()) || BelongsToPopupsOf(popup, Window);
  };
  if (dynamic_cast<TkvCustomPopupWindow*>(Control)) {
    for (Integer i = 0; i < VisiblePopupCount(); ++i) {
      TkvCustomPopupWindow* popup = VisiblePopup(i);
      TControl* owner = popup->GetOwnerControl();
      if (popup != Control && owner && GetParentForm(owner) == Control && shownHolds(popup)) return true;
    }
  }
  for (Integer i = 0; i < VisiblePopupCount(); ++i) {
    TkvCustomPopupWindow* popup = VisiblePopup(i);
    if (popup != Control && popup->GetOwnerControl() == Control && shownHolds(popup)) return true;
  }
  return false;
}

// ---- _TkvContainerAccess -------------------------------------------------------------------

namespace {

// Reaches the framework's protected handlers: a member pointer named through a descendant.
struct TControlAccess : TWinControl {
  using P = TControlAccess;
  static void CallDragCanceled(TControl* C) { (C->*&P::DragCanceled)(); }
  static void CallBeginAutoDrag(TControl* C) { (C->*&P::BeginAutoDrag)(); }
  static void CallClick(TControl* C) { (C->*&P::Click)(); }
  static void CallDblClick(TControl* C) { (C->*&P::DblClick)(); }
  static bool CallDoMouseWheel(TControl* C, TShiftState S, Integer D, TPoint M) { return (C->*&P::DoMouseWheel)(S, D, M); }
  static void CallDragOver(TControl* C, TObject* S, Integer X, Integer Y, TDragState St, bool& A) {
    (C->*&P::DragOver)(S, X, Y, St, A);
  }
  static void CallKeyDown(TWinControl* C, Word& K, TShiftState S) { (C->*&P::KeyDown)(K, S); }
  static void CallKeyPress(TWinControl* C, Char& K) { (C->*&P::KeyPress)(K); }
  static void CallKeyUp(TWinControl* C, Word& K, TShiftState S) { (C->*&P::KeyUp)(K, S); }
  static void CallMouseMove(TControl* C, TShiftState S, Integer X, Integer Y) { (C->*&P::MouseMove)(S, X, Y); }
  static void CallMouseUp(TControl* C, TMouseButton B, TShiftState S, Integer X, Integer Y) {
    (C->*&P::MouseUp)(B, S, X, Y);
  }
};

}  // namespace

void _TkvContainerAccess::BeginAutoDrag(TControl* Control) { TControlAccess::CallBeginAutoDrag(Control); }
void _TkvContainerAccess::Click(TControl* Control) { TControlAccess::CallClick(Control); }
void _TkvContainerAccess::DblClick(TControl* Control) { TControlAccess::CallDblClick(Control); }
void _TkvContainerAccess::DragCanceled(TControl* Control) { TControlAccess::CallDragCanceled(Control); }
bool _TkvContainerAccess::DoMouseWheel(TControl* Control, TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
  return TControlAccess::CallDoMouseWheel(Control, Shift, WheelDelta, MousePos);
}
void _TkvContainerAccess::DragOver(TControl* Control, TObject* Source, Integer X, Integer Y, TDragState State,
                                   bool& Accept) {
  TControlAccess::CallDragOver(Control, Source, X, Y, State, Accept);
}
void _TkvContainerAccess::KeyDown(TWinControl* Control, Word& Key, TShiftState Shift) {
  TControlAccess::CallKeyDown(Control, Key, Shift);
}
void _TkvContainerAccess::KeyPress(TWinControl* Control, Char& Key) { TControlAccess::CallKeyPress(Control, Key); }
void _TkvContainerAccess::KeyUp(TWinControl* Control, Word& Key, TShiftState Shift) {
  TControlAccess::CallKeyUp(Control, Key, Shift);
}
void _TkvContainerAccess::MouseMove(TControl* Control, TShiftState Shift, Integer X, Integer Y) {
  TControlAccess::CallMouseMove(Control, Shift, X, Y);
}
void _TkvContainerAccess::MouseUp(TControl* Control, TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TControlAccess::CallMouseUp(Control, Button, Shift, X, Y);
}

// ---- Unit start and end --------------------------------------------------------------------

void kvContainerStart() {
  // GetScrollBarInfo is part of this platform's user layer, always bound.
  ScrollBarInfoAvailable = true;
  GroupDescendentsWith(TkvStyleController::ClassInfo(), TControl::ClassInfo());
  RegisterClass(TkvStyleController::ClassInfo());
  InstallPopupHooks();
}

void kvContainerEnd() {
  RemovePopupHooks();
  UnRegisterClass(TkvStyleController::ClassInfo());
  ScrollBarInfoAvailable = false;
}
