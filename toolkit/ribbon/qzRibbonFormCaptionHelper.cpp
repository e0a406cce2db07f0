// The form caption helper: the caption's layout, hit test, border-icon presses and painting.

#include "toolkit/ribbon/qzRibbonFormCaptionHelper.h"

#include <algorithm>

#include "gdi/DeviceContexts.h"
#include "gdi/Regions.h"
#include "gdi/SysMetrics.h"
#include "toolkit/foundation/kvDWMApi.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "user/Cursors.h"
#include "user/Input.h"
#include "user/Painting.h"
#include "user/PopupMenus.h"
#include "user/Rects.h"
#include "user/WindowPos.h"
#include "user/WindowTree.h"

TAVREN_CLASS_IMPL(TqzRibbonFormCaptionHelper)

namespace {

constexpr TBorderIcon kLayoutOrder[] = {biSystemMenu, biHelp, biMaximize, biMinimize};

TqzRibbonFormCaptionHelper::TIconId IconIdOf(TBorderIcon AIcon) {
  switch (AIcon) {
    case biSystemMenu: return TqzRibbonFormCaptionHelper::iiClose;
    case biMinimize: return TqzRibbonFormCaptionHelper::iiMinimize;
    case biMaximize: return TqzRibbonFormCaptionHelper::iiMaximize;
    default: return TqzRibbonFormCaptionHelper::iiHelp;
  }
}

// Right and bottom edges excluded, as everywhere here.
bool Holds(const TRect& R, const TPoint& P) { return PtInRect(&R, P) != 0; }

bool HasFixedFrame(const TqzFormFrameInfo& AInfo) {
  return AInfo.FormBorderStyle == bsSingle || AInfo.FormBorderStyle == bsDialog ||
         AInfo.FormBorderStyle == bsToolWindow || AInfo.FormStyle == fsMDIChild;
}

TPoint SignedPoint(LPARAM LParam) {
  return TPoint(static_cast<short>(LOWORD(LParam)), static_cast<short>(HIWORD(LParam)));
}

// A DC without a clip region counts as clipped to the whole plane.
HRGN CurrentClipOf(HDC DC) {
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  if (GetClipRgn(DC, clip) != 1) {
    DeleteObject(clip);
    clip = CreateRectRgn(0, 0, 30000, 30000);
  }
  return clip;
}

TPoint DCOrigin(HDC DC) {
  POINT viewport, window;
  GetViewportOrgEx(DC, &viewport);
  GetWindowOrgEx(DC, &window);
  return TPoint(viewport.X - window.X, viewport.Y - window.Y);
}

}  // namespace

bool UsesGlassFrame(const TqzFormFrameInfo& AInfo) {
  if (AInfo.NoGlassFrame || AInfo.FormStyle == fsMDIChild || !AInfo.Wnd || !DwmCompositionEnabled()) return false;
  HWND parent = GetParent(AInfo.Wnd);
  if (!parent) return true;
  return AInfo.FormBorderStyle == bsDialog && Application() && parent == Application()->GetHandle();
}

TRect GetFormFrameInsets(HWND AWnd) {
  if (!AWnd || IsIconic(AWnd)) return TRect{};
  WINDOWPOS position{};
  position.hwnd = AWnd;
  position.flags = 0x71F;
  NCCALCSIZE_PARAMS params{};
  params.rgrc[0] = TRect{0, 0, 500, 500};
  params.lppos = &position;
  DefWindowProc(AWnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
  const TRect c = params.rgrc[0];
  return TRect{c.Left, c.Top - GetSystemMetrics(SM_CYCAPTION), 500 - c.Right, 500 - c.Bottom};
}

// ---- Life ------------------------------------------------------------------------------------

TqzRibbonFormCaptionHelper::TqzRibbonFormCaptionHelper(TqzCustomRibbon* ARibbon)
    : FRibbon(ARibbon), FPainter(dynamic_cast<IqzRibbonFormNonClientPainter*>(ARibbon)),
      FCaptionBitmap(std::make_unique<TkvBitmap>(0, 0)) {
  FSavedWndProc = FRibbon->GetWindowProc();
  FRibbon->SetWindowProc(MakeEvent<&TqzRibbonFormCaptionHelper::RibbonWndProc>(this));
}

TqzRibbonFormCaptionHelper::~TqzRibbonFormCaptionHelper() {
  FMouseLeaveTimer.reset();
  FRibbon->SetWindowProc(FSavedWndProc);
  DeleteRegions();
}

bool TqzRibbonFormCaptionHelper::IsRibbonReady() {
  return FRibbon->HandleAllocated() && !FRibbon->GetComponentState().Contains(csLoading);
}

// ---- What the ribbon answers -----------------------------------------------------------------

HRGN TqzRibbonFormCaptionHelper::ApplicationButtonRegion() {
  if (!HasFormWindow() || IsMinimized() || !FPainter) return nullptr;
  return FPainter->GetApplicationButtonRegion();
}

String TqzRibbonFormCaptionHelper::FormCaptionText() { return FPainter ? FPainter->GetFormCaptionText() : String(); }

TRect TqzRibbonFormCaptionHelper::FormBorderWidths() { return FPainter ? FPainter->GetBorderWidths() : TRect{}; }

Integer TqzRibbonFormCaptionHelper::FormCaptionHeight() {
  if (HasFormWindow() && IsMinimized()) return FFrameInfo.WindowRect.Height();
  return FPainter ? FPainter->GetFormCaptionHeight() : 0;
}

// ---- Layout ----------------------------------------------------------------------------------

TRect TqzRibbonFormCaptionHelper::CaptionWindowRect() {
  TRect r;
  if (!HasFormWindow()) {
    r = FRibbon->GetClientRect();
  } else {
    r = FFrameInfo.WindowRect;
    if (IsMaximized()) {
      const TRect insets = GetFormFrameInsets(FFrameInfo.Wnd);
      r.Left += insets.Left;
      r.Top += insets.Top;
      r.Right -= insets.Right;
    }
  }
  r.Bottom = r.Top + FormCaptionHeight();
  return r;
}

HRGN TqzRibbonFormCaptionHelper::CreateCaptionRegion() {
  if (!HasFormWindow()) return nullptr;
  const TRect& w = FFrameInfo.WindowRect;
  return CreateRectRgn(w.Left, w.Top, w.Right, w.Top + FormCaptionHeight());
}

TRect TqzRibbonFormCaptionHelper::FormClientArea() {
  if (!HasFormWindow()) return FRibbon->GetClientRect();
  if (IsMinimized()) {
    TRect r = FFrameInfo.WindowRect;
    r.Right -= FormBorderWidths().Left;
    return r;
  }
  TRect r;
  if (!GetClientRect(FFrameInfo.Wnd, &r)) r = TRect{};
  return r;
}

void TqzRibbonFormCaptionHelper::DeleteRegions() {
  for (HRGN* region : {&FCaptionRegion, &FCaptionClientRegion, &FCaptionHitRegion}) {
    if (*region) DeleteObject(*region);
    *region = nullptr;
  }
}

void TqzRibbonFormCaptionHelper::CalculateRegions() {
  DeleteRegions();
  FCaptionRegion = CreateCaptionRegion();
  const Integer height = FormCaptionHeight();
  const TRect borders = FormBorderWidths();
  if (FCaptionRegion) {
    FCaptionClientRegion = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(FCaptionClientRegion, FCaptionRegion, nullptr, RGN_COPY);
    TRect window;
    if (HasFormWindow() && !IsMaximized() && GetWindowRect(FFrameInfo.Wnd, &window)) {
      const Integer width = window.Width();
      for (const TRect& side : {TRect{0, 0, borders.Left, height}, TRect{width - borders.Right, 0, width, height}}) {
        HRGN cut = CreateRectRgnIndirect(&side);
        CombineRgn(FCaptionClientRegion, FCaptionClientRegion, cut, RGN_DIFF);
        DeleteObject(cut);
      }
      OffsetRgn(FCaptionClientRegion, -borders.Left, -borders.Top);
    }
  }
  if (FCaptionClientRegion) {
    FCaptionHitRegion = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(FCaptionHitRegion, FCaptionClientRegion, nullptr, RGN_COPY);
    if (HRGN button = ApplicationButtonRegion()) {
      CombineRgn(FCaptionHitRegion, FCaptionHitRegion, button, RGN_DIFF);
      DeleteObject(button);
    }
  }
  if (HasFormWindow() && IsMinimized()) {
    FCaptionBounds = FFrameInfo.WindowRect;
  } else if (HasFormWindow()) {
    TRect client;
    if (!GetClientRect(FFrameInfo.Wnd, &client)) client = TRect{};
    FCaptionBounds = TRect{client.Left - borders.Left, client.Top - borders.Top, client.Right + borders.Right, 0};
  } else {
    FCaptionBounds = FRibbon->GetClientRect();
  }
  FCaptionBounds.Bottom = FCaptionBounds.Top + height;
  FCaptionBitmap->SetSize(std::max(FCaptionBounds.Width(), 0), std::max(height, 0));
}

void TqzRibbonFormCaptionHelper::CalculateBorderIconRects() {
  if (UsesGlassFrame(FFrameInfo)) {
    if (HasFormWindow()) {
      TRect bounds;
      if (DwmGetWindowAttribute(FFrameInfo.Wnd, DWMWA_CAPTION_BUTTON_BOUNDS, &bounds, sizeof(bounds)) == S_OK)
        FBorderIconsArea = bounds;
    }
    return;
  }
  const bool small = !HasFormWindow() || FFrameInfo.FormBorderStyle == bsToolWindow ||
                     FFrameInfo.FormBorderStyle == bsSizeToolWin;
  const Integer bw = GetSystemMetrics(small ? SM_CXSMSIZE : SM_CXSIZE);
  const Integer bh = GetSystemMetrics(small ? SM_CYSMSIZE : SM_CYSIZE);
  const Integer d = FormCaptionHeight() - bh;
  const Integer e = d / 2;
  TRect slot;
  slot.Top = d - e;
  slot.Bottom = slot.Top + bh - (HasFormWindow() && IsMinimized() ? 1 : 0);
  slot.Right = FormClientArea().Right;
  slot.Left = slot.Right - bw;
  FBorderIconsArea = slot;
  for (TBorderIcon icon : kLayoutOrder) {
    if (!FBorderIcons.Contains(icon)) {
      FBorderIconRects[icon] = TRect{};
      continue;
    }
    FBorderIconRects[icon] = slot;
    FBorderIconsArea.Left = slot.Left;
    OffsetRect(&slot, -bw, 0);
  }
}

void TqzRibbonFormCaptionHelper::CalculateSystemIconRects() {
  FSystemIconRect = FFormIconRect = TRect{};
  if (!HasFormWindow() || !(GetWindowLong(FFrameInfo.Wnd, GWL_STYLE) & WS_SYSMENU)) return;
  if (FFrameInfo.FormBorderStyle != bsSingle && FFrameInfo.FormBorderStyle != bsSizeable) return;
  const Integer top = GetFormFrameInsets(FFrameInfo.Wnd).Top;
  if (UsesGlassFrame(FFrameInfo)) {
    const Integer caption = GetSystemMetrics(SM_CYCAPTION);
    if (caption < 24) return;
    const Integer side = (caption - 3) & ~1;
    FSystemIconRect = FFormIconRect = TRect{0, top, side, top + side};
    return;
  }
  FSystemIconRect = TRect{0, top, GetSystemMetrics(SM_CYSIZE) + 2, FormCaptionHeight() - 2};
  const Integer icon = GetSystemMetrics(SM_CYSMICON);
  FFormIconRect = TRect{0, top, icon, top + icon};
  OffsetRect(&FFormIconRect, 0, (FSystemIconRect.Height() - icon) / 2);
  if (IsMinimized()) OffsetRect(&FFormIconRect, 4, 2);
}

void TqzRibbonFormCaptionHelper::CalculateCaptionTextRect() {
  TRect r = FormClientArea();
  r.Top += 1;
  r.Left = FFormIconRect.Right;
  r.Bottom = FormCaptionHeight();
  if (!FBorderIcons.Empty()) r.Right = FBorderIconsArea.Left;
  FCaptionTextRect = r;
}

void TqzRibbonFormCaptionHelper::CalculateLayout() {
  CalculateRegions();
  CalculateBorderIconRects();
  CalculateSystemIconRects();
  CalculateCaptionTextRect();
}

void TqzRibbonFormCaptionHelper::SetFrameInfo(const TqzFormFrameInfo& AInfo) {
  if (AInfo == FFrameInfo) return;
  FFrameInfo = AInfo;
  if (FFrameInfo.Wnd) CalculateLayout();
}

void TqzRibbonFormCaptionHelper::SetBorderIcons(TBorderIcons AIcons) {
  FBorderIcons = AIcons;
  FHotIcon = FPressedIcon = iiNone;
  CalculateLayout();
}

void TqzRibbonFormCaptionHelper::RibbonRecreated() {
  CalculateLayout();
  if (FPainter) FPainter->CheckHiddenState();
}

// ---- Window procedure and hit tests ----------------------------------------------------------

void TqzRibbonFormCaptionHelper::RibbonWndProc(TMessage& Message) {
  if (FRibbon->IsDesignTime()) {
    FSavedWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_SIZE:
      CalculateLayout();
      FSavedWndProc(Message);
      break;
    case WM_PAINT:
      FClientDrawing = true;
      try {
        FSavedWndProc(Message);
      } catch (...) {
        FClientDrawing = false;
        throw;
      }
      FClientDrawing = false;
      break;
    case WM_ERASEBKGND:
      Message.Result = 1;
      break;
    case WM_SHOWWINDOW:
      FHotIcon = FPressedIcon = iiNone;
      if (LOWORD(Message.WParam) != 0) CalculateLayout();
      FSavedWndProc(Message);
      break;
    case WM_NCHITTEST: {
      const TPoint p = FRibbon->ScreenToClient(SignedPoint(Message.LParam));
      if (FCaptionHitRegion && !GetCapture() && PtInRegion(FCaptionHitRegion, p.X, p.Y))
        Message.Result = HTTRANSPARENT;
      else
        FSavedWndProc(Message);
      break;
    }
    default:
      FSavedWndProc(Message);
  }
}

TPoint TqzRibbonFormCaptionHelper::ScreenToRibbon(const TPoint& P) { return FRibbon->ScreenToClient(P); }

TqzRibbonFormCaptionHelper::TIconId TqzRibbonFormCaptionHelper::BorderIconAt(const TPoint& P) {
  for (TBorderIcon icon : kLayoutOrder)
    if (FBorderIcons.Contains(icon) && Holds(FBorderIconRects[icon], P)) return IconIdOf(icon);
  return iiNone;
}

void TqzRibbonFormCaptionHelper::SetHotIcon(TIconId AIcon) {
  if (AIcon == FHotIcon) return;
  FHotIcon = AIcon;
  RepaintBorderIcons();
}

void TqzRibbonFormCaptionHelper::NCHitTest(TMessage& Message) {
  Message.Result = HTCAPTION;
  const TPoint p = ScreenToRibbon(SignedPoint(Message.LParam));
  if (Holds(FBorderIconsArea, p)) {
    StartMouseLeaveTimer();
    for (TBorderIcon icon : {biSystemMenu, biMinimize, biMaximize, biHelp})
      if (FBorderIcons.Contains(icon) && Holds(FBorderIconRects[icon], p)) {
        SetHotIcon(IconIdOf(icon));
        Message.Result = HTNOWHERE;
        break;
      }
    return;
  }
  if (Holds(FSystemIconRect, p)) Message.Result = HTSYSMENU;
  SetHotIcon(iiNone);
}

void TqzRibbonFormCaptionHelper::StartMouseLeaveTimer() {
  if (FMouseLeaveTimer) return;
  FMouseLeaveTimer = std::make_unique<TTimer>(nullptr);
  FMouseLeaveTimer->SetInterval(20);
  FMouseLeaveTimer->SetOnTimer(MakeEvent<&TqzRibbonFormCaptionHelper::MouseLeaveTimerTick>(this));
  FMouseLeaveTimer->SetEnabled(true);
}

void TqzRibbonFormCaptionHelper::MouseLeaveTimerTick(TObject*) {
  if (!HasFormWindow() || !IsRibbonReady()) {
    FMouseLeaveTimer.reset();
    return;
  }
  POINT cursor;
  GetCursorPos(&cursor);
  POINT client = cursor;
  ScreenToClient(FFrameInfo.Wnd, &client);
  bool left = !Holds(FBorderIconsArea, client);
  if (!left) {
    if (IsMinimized())
      left = WindowFromPoint(cursor) != FFrameInfo.Wnd;
    else
      left = RealChildWindowFromPoint(FFrameInfo.Wnd, client) != FRibbon->GetHandle();
  }
  if (!left) return;
  FHotIcon = iiNone;
  FMouseLeaveTimer.reset();
  RepaintBorderIcons();
}

// ---- Presses ---------------------------------------------------------------------------------

bool TqzRibbonFormCaptionHelper::CaptionMouseDown(const TPoint& P, TMouseButton Button) {
  if (!IsRibbonReady() || Button != mbLeft || UsesGlassFrame(FFrameInfo)) return false;
  const TPoint p = ScreenToRibbon(P);
  if (!Holds(FBorderIconsArea, p)) return false;
  FPressedIcon = BorderIconAt(p);
  RepaintBorderIcons();
  if (HasFormWindow()) {
    SetCapture(FFrameInfo.Wnd);
    FCaptured = true;
  }
  return true;
}

bool TqzRibbonFormCaptionHelper::CaptionMouseUp(const TPoint& P, TMouseButton Button) {
  if (!IsRibbonReady()) return false;
  const TPoint p = ScreenToRibbon(P);
  if (Button == mbRight) return ShowSystemMenu(P, p);
  if (Button != mbLeft) return false;
  bool handled = false;
  if (!UsesGlassFrame(FFrameInfo) && Holds(FBorderIconsArea, p) && FPressedIcon != iiNone) {
    if (BorderIconAt(p) == FPressedIcon && HasFormWindow()) {
      WPARAM command = 0;
      switch (FPressedIcon) {
        case iiClose: command = SC_CLOSE; break;
        case iiMinimize: command = IsMinimized() ? SC_RESTORE : SC_MINIMIZE; break;
        case iiMaximize: command = IsMaximized() ? SC_RESTORE : SC_MAXIMIZE; break;
        default: command = SC_CONTEXTHELP; break;
      }
      PostMessage(FFrameInfo.Wnd, WM_SYSCOMMAND, command, 0);
    }
    FPressedIcon = iiNone;
    RepaintBorderIcons();
    handled = true;
  }
  // Only a capture the helper took is released, and only once: a later release must not end
  // someone else's capture.
  if (FCaptured && HasFormWindow() && GetCapture() == FFrameInfo.Wnd) {
    FCaptured = false;
    ReleaseCapture();
  }
  return handled;
}

bool TqzRibbonFormCaptionHelper::ShowSystemMenu(const TPoint& AScreenPoint, const TPoint& ARibbonPoint) {
  if (Holds(FBorderIconsArea, ARibbonPoint) || !HasFormWindow()) return false;
  const UINT command = static_cast<UINT>(TrackPopupMenu(GetSystemMenu(FFrameInfo.Wnd, FALSE), TPM_RETURNCMD,
                                                        AScreenPoint.X, AScreenPoint.Y, 0, FFrameInfo.Wnd, nullptr));
  // A dismissed menu chose nothing: the form gets no command.
  if (command != 0) PostMessage(FFrameInfo.Wnd, WM_SYSCOMMAND, command, 0);
  return true;
}

bool TqzRibbonFormCaptionHelper::IsCaptionPoint(Integer X, Integer Y) {
  if (!FCaptionRegion || !IsRibbonReady()) return false;
  if (IsMinimized()) return true;
  const TPoint p = ScreenToRibbon(TPoint(X, Y));
  return FCaptionHitRegion && PtInRegion(FCaptionHitRegion, p.X, p.Y);
}

HRGN TqzRibbonFormCaptionHelper::CreateWindowRegion() {
  auto* form = dynamic_cast<TCustomForm*>(FRibbon->GetOwner());
  TRect r;
  if (!form || !form->HandleAllocated() || !GetWindowRect(form->GetHandle(), &r)) return nullptr;
  const Integer w = r.Width();
  const Integer h = r.Height();
  if (!HasFixedFrame(FFrameInfo)) return CreateRoundRectRgn(0, 0, w + 1, h + 1, 9, 9);
  HRGN region = CreateRoundRectRgn(0, 0, w + 1, 18, 9, 9);
  HRGN body = CreateRectRgn(0, 9, w + 1, h + 1);
  CombineRgn(region, region, body, RGN_OR);
  DeleteObject(body);
  return region;
}

// ---- Painting --------------------------------------------------------------------------------

void TqzRibbonFormCaptionHelper::DrawBorderIcons(TCanvas* ACanvas) {
  if (UsesGlassFrame(FFrameInfo) || !FPainter) return;
  for (TBorderIcon icon : {biSystemMenu, biMinimize, biMaximize, biHelp}) {
    if (!FBorderIcons.Contains(icon)) continue;
    const TIconId id = IconIdOf(icon);
    Integer kind;
    switch (icon) {
      case biSystemMenu: kind = 3; break;
      case biMinimize: kind = IsMinimized() ? 2 : 0; break;
      case biMaximize: kind = IsMaximized() ? 2 : 1; break;
      default: kind = 4; break;
    }
    Integer state;
    if (FFrameInfo.IsActive)
      state = FPressedIcon == iiNone ? (FHotIcon == id ? 1 : 0) : (FPressedIcon == id && FHotIcon == id ? 2 : 0);
    else
      state = FHotIcon == id ? 4 : 3;
    FPainter->DrawNonClientBorderIcon(ACanvas, FBorderIconRects[icon], kind, state);
  }
}

void TqzRibbonFormCaptionHelper::PaintThroughBitmap(TCanvas* ACanvas) {
  if (!FPainter) return;
  HDC dc = ACanvas->GetHandle();
  const int saved = SaveDC(dc);
  TCanvas* bitmapCanvas = FCaptionBitmap->GetCanvas();
  FCaptionBitmap->GetkvCanvas()->FillWithColor(TRect{0, 0, FCaptionBitmap->GetWidth(), FCaptionBitmap->GetHeight()}, 0);
  FPainter->DrawNonClientCaption(bitmapCanvas, FCaptionBounds, FFrameInfo);
  DrawBorderIcons(bitmapCanvas);
  if (!IsMinimized() && FCaptionClientRegion) {
    HRGN clip = CurrentClipOf(dc);
    HRGN caption = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(caption, FCaptionClientRegion, nullptr, RGN_COPY);
    const TPoint origin = DCOrigin(dc);
    OffsetRgn(caption, origin.X, origin.Y);
    CombineRgn(clip, clip, caption, RGN_AND);
    SelectClipRgn(dc, clip);
    DeleteObject(caption);
    DeleteObject(clip);
  }
  BitBlt(dc, 0, 0, FRibbon->GetWidth(), FRibbon->GetHeight(), bitmapCanvas->GetHandle(), 0, 0, SRCCOPY);
  RestoreDC(dc, saved);
}

void TqzRibbonFormCaptionHelper::ExcludeCaptionFromClip(HDC DC) {
  if (!FCaptionClientRegion) return;
  HRGN clip = CurrentClipOf(DC);
  HRGN caption = CreateRectRgn(0, 0, 0, 0);
  CombineRgn(caption, FCaptionClientRegion, nullptr, RGN_COPY);
  const TPoint origin = DCOrigin(DC);
  OffsetRgn(caption, origin.X, origin.Y);
  CombineRgn(clip, clip, caption, RGN_DIFF);
  SelectClipRgn(DC, clip);
  DeleteObject(caption);
  DeleteObject(clip);
}

void TqzRibbonFormCaptionHelper::PaintCaption(TCanvas* ACanvas) {
  if (!IsRibbonReady() || !FPainter) return;
  if (FClientDrawing || UsesGlassFrame(FFrameInfo)) {
    TCanvas* canvas = FRibbon->GetCanvas();
    HDC dc = canvas->GetHandle();
    const int saved = SaveDC(dc);
    if (FCaptionClientRegion) SelectClipRgn(dc, FCaptionClientRegion);
    FPainter->DrawNonClientCaption(canvas, FCaptionBounds, FFrameInfo);
    DrawBorderIcons(canvas);
    RestoreDC(dc, saved);
    ExcludeCaptionFromClip(dc);
  } else if (IsMinimized()) {
    if (ACanvas) PaintThroughBitmap(ACanvas);
  } else {
    TCanvas* canvas = FRibbon->CanvasOrScreen()->GetCanvas();
    PaintThroughBitmap(canvas);
    ExcludeCaptionFromClip(canvas->GetHandle());
  }
}

void TqzRibbonFormCaptionHelper::DrawCaptionArea(TCanvas* ACanvas) {
  if (ACanvas)
    PaintThroughBitmap(ACanvas);
  else
    PaintCaption(nullptr);
}

void TqzRibbonFormCaptionHelper::RepaintBorderIcons() {
  if (!IsRibbonReady() || UsesGlassFrame(FFrameInfo)) return;
  const TRect& area = FBorderIconsArea;
  if (IsMinimized() && HasFormWindow()) {
    HDC dc = GetDCEx(FFrameInfo.Wnd, nullptr, 0x200013);
    const int saved = SaveDC(dc);
    const TPoint origin = DCOrigin(dc);
    IntersectClipRect(dc, area.Left + origin.X, area.Top + origin.Y, area.Right + origin.X, area.Bottom + origin.Y);
    TCanvas canvas;
    canvas.SetHandle(dc);
    PaintThroughBitmap(&canvas);
    canvas.SetHandle(nullptr);
    RestoreDC(dc, saved);
    ReleaseDC(FFrameInfo.Wnd, dc);
    return;
  }
  TCanvas* canvas = FRibbon->CanvasOrScreen()->GetCanvas();
  canvas->Lock();
  HDC dc = canvas->GetHandle();
  const int saved = SaveDC(dc);
  const TPoint origin = DCOrigin(dc);
  IntersectClipRect(dc, area.Left + origin.X, area.Top + origin.Y, area.Right + origin.X, area.Bottom + origin.Y);
  PaintThroughBitmap(canvas);
  RestoreDC(dc, saved);
  canvas->Unlock();
}
