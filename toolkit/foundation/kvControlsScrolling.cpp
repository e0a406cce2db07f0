// The scroll bars and size grip a TkvControl owns and lays out itself, the settling of the two
// bars' mutual dependence, wheel scrolling by lines and middle-button automatic scrolling.

#include <algorithm>
#include <cstdlib>

#include "gdi/SysMetrics.h"
#include "rtl/Resources.h"
#include "toolkit/foundation/kvControls.h"
#include "user/Timers.h"
#include "user/VirtualKeys.h"

TAVREN_CLASS_IMPL(TkvControlScrollBar)
TAVREN_CLASS_IMPL(TkvSizeGrip)

// ---- TkvControlScrollBar -------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TkvControlScrollBar, MESSAGE_HANDLER(CM_DESIGNHITTEST, CMDesignHitTest))

TkvControlScrollBar::TkvControlScrollBar(TComponent* AOwner) : TkvScrollBar(AOwner) {
  SetVisible(false);
  SetColor(clBtnFace);
  FControlStyle.Exclude(csFramed);
  FControlStyle.Include(csNoDesignVisible);
  SetTabStop(false);
}

void TkvControlScrollBar::ApplyData() {
  if (Data.Visible) {
    // The bar refuses a page beyond its Max; a range that small has nothing to page through.
    Integer page = Data.Max < Data.PageSize ? std::max(Data.Max, 0) : Data.PageSize;
    SetRangeAndPosition(Data.Min, Data.Max, Data.Position, page, true);
    SetSmallChange(Data.SmallChange);
    SetLargeChange(Data.LargeChange);
  }
  SetEnabled(Data.Enabled);
  if (GetVisible() != Data.Visible) SetVisible(Data.Visible);
}

void TkvControlScrollBar::FocusOwnerOnClick() {
  auto* owner = dynamic_cast<TWinControl*>(GetParent());
  if (!owner) return;
  if (auto* control = dynamic_cast<TkvControl*>(owner)) {
    if (control->FocusOnScrollBarClick(this)) control->SetFocus();
  } else if (owner->CanFocus()) {
    owner->SetFocus();
  }
}

void TkvControlScrollBar::WndProc(TMessage& Message) {
  if (Message.Msg == WM_LBUTTONDOWN) {
    TWeakRef<TkvControlScrollBar> self(this);
    FocusOwnerOnClick();
    if (!self) return;
  }
  inherited::WndProc(Message);
}

// ---- TkvSizeGrip ---------------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TkvSizeGrip, MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd))

TkvSizeGrip::TkvSizeGrip(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clBtnFace);
  FControlStyle.Include(csNoDesignVisible);
  FLookAndFeel = std::make_unique<TkvLookAndFeel>(this);
  FLookAndFeel->SetOnChanged(MakeEvent<&TkvSizeGrip::LookAndFeelChanged>(this));
  SetVisible(false);
}

TkvSizeGrip::~TkvSizeGrip() = default;

void TkvSizeGrip::LookAndFeelChanged(TkvLookAndFeel*, TkvLookAndFeelValues) { Invalidate(); }

void TkvSizeGrip::Paint() {
  TkvCustomLookAndFeelPainterClass painter = FLookAndFeel->ActivePainter();
  GetCanvas()->GetBrush()->SetColor(painter ? painter->DefaultColor32() : clBtnFace);
  GetCanvas()->FillRect(GetClientRect());
}

// ---- Creating and placing the bars ---------------------------------------------------------

void TkvControl::CreateScrollBars() {
  if (!UsesScrollBars() || FSizeGrip) return;
  FHScrollBar = new TkvControlScrollBar(nullptr);
  FHScrollBar->SetKind(sbHorizontal);
  FVScrollBar = new TkvControlScrollBar(nullptr);
  FVScrollBar->SetKind(sbVertical);
  for (TkvControlScrollBar* bar : {FHScrollBar, FVScrollBar}) {
    bar->SetOnScroll(MakeEvent<&TkvControl::ScrollBarScroll>(this));
    bar->GetLookAndFeel()->AttachToMaster(FLookAndFeel.get());
    bar->SetControlStyle(bar->GetControlStyle() + TControlStyle{csReplicatable});
  }
  FSizeGrip = new TkvSizeGrip(nullptr);
  FSizeGrip->GetLookAndFeel()->AttachToMaster(FLookAndFeel.get());
  FSizeGrip->SetControlStyle(FSizeGrip->GetControlStyle() + TControlStyle{csReplicatable});
  if (TkvSettingsController* controller = SettingsControllerInstance()) controller->AddControl(this);
}

void TkvControl::DestroyScrollBars() {
  if (!FSizeGrip) return;
  if (TkvSettingsController* controller = SettingsControllerInstance()) controller->RemoveControl(this);
  delete FSizeGrip;
  FSizeGrip = nullptr;
  delete FVScrollBar;
  FVScrollBar = nullptr;
  delete FHScrollBar;
  FHScrollBar = nullptr;
}

void TkvControl::RecreateScrollBars() {
  if (!UsesScrollBars()) {
    DestroyScrollBars();
    return;
  }
  CreateScrollBars();
}

void TkvControl::AdoptScrollBars() {
  if (!UsesScrollBars() || !FSizeGrip) return;
  FHScrollBar->SetParent(this);
  FVScrollBar->SetParent(this);
  FSizeGrip->SetParent(this);
}

bool TkvControl::IsOwnScrollControl(TControl* Control) {
  return Control && (Control == FHScrollBar || Control == FVScrollBar || Control == FSizeGrip);
}

void TkvControl::ScrollBarScroll(TObject* Sender, TScrollCode ScrollCode, Integer& ScrollPos) {
  ScrollContent(static_cast<TkvControlScrollBar*>(Sender)->GetKind(), ScrollCode, ScrollPos);
}

bool TkvControl::HorzScrollBarShown() {
  if (!UsesScrollBars() || !FHScrollBar) return false;
  return FCalculatingScrollBarsParams ? FHScrollBar->Data.Visible : FHScrollBar->IsShown();
}

bool TkvControl::VertScrollBarShown() {
  if (!UsesScrollBars() || !FVScrollBar) return false;
  return FCalculatingScrollBarsParams ? FVScrollBar->Data.Visible : FVScrollBar->IsShown();
}

TRect TkvControl::HorzScrollBarBounds() {
  TRect client = ClientArea();
  return TRect(client.Left, client.Bottom, client.Right, client.Bottom + FHScrollBar->GetHeight());
}

TRect TkvControl::VertScrollBarBounds() {
  TRect client = ClientArea();
  return TRect(client.Right, client.Top, client.Right + FVScrollBar->GetWidth(), client.Bottom);
}

TRect TkvControl::SizeGripBounds() {
  return TRect(FVScrollBar->GetLeft(), FHScrollBar->GetTop(), FVScrollBar->GetLeft() + FVScrollBar->GetWidth(),
               FHScrollBar->GetTop() + FHScrollBar->GetHeight());
}

void TkvControl::PlaceScrollBars() {
  if (!FSizeGrip) return;
  if (HorzScrollBarShown()) FHScrollBar->SetBoundsRect(HorzScrollBarBounds());
  if (VertScrollBarShown()) FVScrollBar->SetBoundsRect(VertScrollBarBounds());
  if (FSizeGrip->GetVisible()) FSizeGrip->SetBoundsRect(SizeGripBounds());
}

void TkvControl::RaiseScrollBars() {
  if (!FSizeGrip) return;
  FHScrollBar->BringToFront();
  FVScrollBar->BringToFront();
  FSizeGrip->BringToFront();
}

void TkvControl::RefreshScrollBarStates() {
  if (!FSizeGrip) return;
  for (TControl* control : std::initializer_list<TControl*>{FHScrollBar, FVScrollBar, FSizeGrip})
    if (control->GetVisible()) control->Invalidate();
}

// ---- Scroll parameters and the settling of the two bars ------------------------------------

void TkvControl::StoreScrollBarParams(TScrollBarKind Kind, Integer AMin, Integer AMax, Integer ASmallChange,
                                      Integer APageSize, Integer APosition, bool AllowShow, bool AllowHide) {
  if (!FSizeGrip) return;
  TkvScrollBarData& data = Kind == sbHorizontal ? FHScrollBar->Data : FVScrollBar->Data;
  bool kindWanted = Kind == sbHorizontal ? (FScrollBars == ssHorizontal || FScrollBars == ssBoth)
                                         : (FScrollBars == ssVertical || FScrollBars == ssBoth);
  data.AllowShow = AllowShow && kindWanted;
  data.AllowHide = AllowHide;
  if (!data.AllowShow) {
    data.Visible = false;
    return;
  }
  // 64-bit: Max - Min + 1 overflows for ranges near the integer limits.
  if (AMin > AMax || APageSize >= int64_t(AMax) - AMin + 1 || APosition < AMin) {
    if (AllowHide) {
      data.Visible = false;
    } else {
      data.Visible = true;
      data.Enabled = false;
    }
    return;
  }
  data.Min = AMin;
  data.Max = AMax;
  data.Position = APosition;
  data.PageSize = APageSize;
  data.SmallChange = static_cast<SmallInt>(ASmallChange);
  data.LargeChange = static_cast<SmallInt>(APageSize);
  data.Enabled = true;
  data.Visible = true;
}

void TkvControl::EndScrollBarsUpdate() {
  if (FScrollBarLockCount > 0 && --FScrollBarLockCount == 0 && FUpdateScrollBarsNeeded) {
    FUpdateScrollBarsNeeded = false;
    RefreshScrollBars();
  }
}

void TkvControl::CalculateScrollBarsParams() {
  FCalculatingScrollBarsParams = true;
  FHScrollBar->Data.Visible = false;
  FVScrollBar->Data.Visible = false;
  // Showing one bar shrinks the other's page: repeat until the visibility settles. Two bars have
  // four states, so more rounds than that mean the descendant's answers cycle.
  for (int round = 0; round < 4; ++round) {
    bool hVisible = FHScrollBar->Data.Visible, vVisible = FVScrollBar->Data.Visible;
    ComputeScrollBarParams();
    if (hVisible == FHScrollBar->Data.Visible && vVisible == FVScrollBar->Data.Visible) break;
  }
  FCalculatingScrollBarsParams = false;
}

void TkvControl::CheckAutoHide() {
  TkvScrollBarData& h = FHScrollBar->Data;
  TkvScrollBarData& v = FVScrollBar->Data;
  if (!(h.Visible && h.Enabled && h.AllowHide && v.Visible && v.Enabled && v.AllowHide)) return;
  if (!AutoHidesScrollBar(sbHorizontal) || !AutoHidesScrollBar(sbVertical)) return;
  Integer hThickness = FHScrollBar->GetHeight(), vThickness = FVScrollBar->GetWidth();
  if (vThickness + int64_t(h.PageSize) < int64_t(h.Max) - h.Min + 1) return;
  if (hThickness + int64_t(v.PageSize) < int64_t(v.Max) - v.Min + 1) return;
  TkvScrollBarData hCopy = h, vCopy = v;
  StoreScrollBarParams(sbHorizontal, hCopy.Min, hCopy.Max, hCopy.SmallChange, hCopy.PageSize + vThickness,
                       hCopy.Position, hCopy.AllowShow, true);
  StoreScrollBarParams(sbVertical, vCopy.Min, vCopy.Max, vCopy.SmallChange, vCopy.PageSize + hThickness,
                       vCopy.Position, vCopy.AllowShow, true);
}

void TkvControl::ApplyScrollBarsData() {
  FHScrollBar->ApplyData();
  FVScrollBar->ApplyData();
}

void TkvControl::RefreshScrollBars() {
  if (!UsesScrollBars() || !FSizeGrip) return;
  if (FScrollBarLockCount > 0) {
    FUpdateScrollBarsNeeded = true;
    return;
  }
  bool outermost = !FUpdatingScrollBars;
  if (outermost) {
    FInitialHScrollBarVisible = FHScrollBar->IsShown();
    FInitialVScrollBarVisible = FVScrollBar->IsShown();
  }
  bool wasUpdating = FUpdatingScrollBars;
  FUpdatingScrollBars = true;
  bool hBefore = FHScrollBar->IsShown(), vBefore = FVScrollBar->IsShown();
  try {
    if (!FInitialSettingOfScrollBarsParams) {
      CalculateScrollBarsParams();
      CheckAutoHide();
      if (!outermost && FHScrollBar->Data.Visible == FInitialHScrollBarVisible &&
          FVScrollBar->Data.Visible == FInitialVScrollBarVisible) {
        // Back where the outermost refresh began: showing one bar hides the other and so on. Stop
        // here with each bar that changed shown, but disabled.
        FInitialSettingOfScrollBarsParams = true;
        for (TkvControlScrollBar* bar : {FHScrollBar, FVScrollBar}) {
          bool initial = bar == FHScrollBar ? FInitialHScrollBarVisible : FInitialVScrollBarVisible;
          if (bar->IsShown() != initial) {
            bar->Data.Visible = true;
            bar->Data.Enabled = false;
            bar->ApplyData();
          }
        }
      } else {
        ApplyScrollBarsData();
      }
    }
    if (FHScrollBar->IsShown() != hBefore || FVScrollBar->IsShown() != vBefore) {
      AfterResize();
    } else {
      FSizeGrip->SetVisible(FHScrollBar->IsShown() && FVScrollBar->IsShown());
      PlaceScrollBars();
      if (KeepsScrollBarsOnTop()) RaiseScrollBars();
    }
  } catch (...) {
    FUpdatingScrollBars = wasUpdating;
    if (outermost) FInitialSettingOfScrollBarsParams = false;
    throw;
  }
  FUpdatingScrollBars = wasUpdating;
  if (outermost) FInitialSettingOfScrollBarsParams = false;
}

void TkvControl::WMNCCalcSize(TMessage& Message) {
  InheritedMessage(Message);
  if (HandleAllocated()) PostMessage(GetHandle(), KVM_SCROLLBARMETRICS, 0, 0);
}

void TkvControl::KVMScrollBarMetrics(TMessage&) {
  if (!UsesScrollBars() || !FSizeGrip) return;
  Integer height = GetSystemMetrics(SM_CYHSCROLL), width = GetSystemMetrics(SM_CXVSCROLL);
  if (FHScrollBar->GetHeight() == height && FVScrollBar->GetWidth() == width) return;
  FHScrollBar->SetHeight(height);
  FVScrollBar->SetWidth(width);
  AfterResize();
}

// ---- Wheel and line scrolling --------------------------------------------------------------

bool TkvControl::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
  TWeakRef<TkvControl> self(this);
  bool handled = inherited::DoMouseWheel(Shift, WheelDelta, MousePos);
  if (handled || !self) return handled;
  Integer kind = WheelScrollKind();
  if (kind == 0) return false;
  TkvDirection direction = kind == 1 ? (WheelDelta > 0 ? dirLeft : dirRight) : (WheelDelta > 0 ? dirUp : dirDown);
  Integer lines = Mouse() ? Mouse()->GetWheelScrollLines() : 3;
  for (Integer i = 0; i < lines && self; ++i) ScrollLine(direction);
  return true;
}

void TkvControl::ScrollLine(TkvDirection Direction) {
  if (Direction == dirNone) return;
  if (!UsesScrollBars() && !ScrollsWithoutBars(Direction)) return;
  TScrollBarKind kind = Direction == dirLeft || Direction == dirRight ? sbHorizontal : sbVertical;
  TScrollCode code = Direction == dirLeft || Direction == dirUp ? scLineUp : scLineDown;
  TkvControlScrollBar* bar = kind == sbHorizontal ? FHScrollBar : FVScrollBar;
  Integer position = bar ? bar->GetPosition() : 0;
  TWeakRef<TkvControl> self(this);
  ScrollContent(kind, code, position);
  if (self) Update();
}

// ---- Middle-button automatic scrolling -----------------------------------------------------

namespace {

constexpr UINT kAutoScrollTick = 20;
constexpr Integer kMaxAutoScrollSpeed = 12;

struct AutoScrollState {
  TPoint Start;
  Integer AnchorSize = 0;
  bool HorzShown = false;
  bool VertShown = false;
  TkvDirection Direction = dirNone;
  Integer Speed = 1;
  bool LeftNeutralZone = false;
};

TCursor NeutralCursor(const AutoScrollState& S) {
  if (S.HorzShown && S.VertShown) return crkvFullScroll;
  return S.HorzShown ? crkvHorScroll : crkvVerScroll;
}

TCursor DirectionCursor(const AutoScrollState& S) {
  switch (S.Direction) {
    case dirLeft:
      return crkvLeftScroll;
    case dirRight:
      return crkvRightScroll;
    case dirUp:
      return crkvUpScroll;
    case dirDown:
      return crkvDownScroll;
    default:
      return NeutralCursor(S);
  }
}

void UpdateDirection(AutoScrollState& S, const TPoint& P) {
  TRect neutral(S.Start.X - S.AnchorSize / 2, S.Start.Y - S.AnchorSize / 2, S.Start.X + S.AnchorSize / 2,
                S.Start.Y + S.AnchorSize / 2);
  if (!S.HorzShown) neutral.Left = -0x3FFFFFFF, neutral.Right = 0x3FFFFFFF;
  if (!S.VertShown) neutral.Top = -0x3FFFFFFF, neutral.Bottom = 0x3FFFFFFF;
  if (P.X >= neutral.Left && P.X < neutral.Right && P.Y >= neutral.Top && P.Y < neutral.Bottom) {
    S.Direction = dirNone;
    S.Speed = 0;
    return;
  }
  S.LeftNeutralZone = true;
  Integer h = P.X - S.Start.X, v = P.Y - S.Start.Y;
  Integer distance;
  if (!S.HorzShown || (S.VertShown && std::abs(v) >= std::abs(h))) {
    S.Direction = v < 0 ? dirUp : dirDown;
    distance = std::abs(v);
  } else {
    S.Direction = h < 0 ? dirLeft : dirRight;
    distance = std::abs(h);
  }
  S.Speed = std::clamp((distance - S.AnchorSize / 2) / 5 + 1, 1, kMaxAutoScrollSpeed);
}

const char* AnchorBitmapName(const AutoScrollState& S) {
  if (S.HorzShown && S.VertShown) return "KV_FULLSCROLLBITMAP";
  return S.HorzShown ? "KV_HORSCROLLBITMAP" : "KV_VERSCROLLBITMAP";
}

// The anchor: a round top-most window showing the bitmap, centred on the start point.
HWND CreateAnchorWindow(HWND Owner, const AutoScrollState& S, HBITMAP Bitmap, const BITMAP& Info) {
  HWND anchor = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP,
                               S.Start.X - Info.bmWidth / 2, S.Start.Y - Info.bmHeight / 2, Info.bmWidth,
                               Info.bmHeight, Owner, nullptr, HInstance, nullptr);
  if (!anchor) return nullptr;
  SetWindowRgn(anchor, CreateEllipticRgn(0, 0, Info.bmWidth + 1, Info.bmHeight + 1), FALSE);
  ShowWindow(anchor, SW_SHOWNOACTIVATE);
  if (Bitmap) {
    HDC dc = GetDC(anchor);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, Bitmap);
    BitBlt(dc, 0, 0, Info.bmWidth, Info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    HRGN outline = CreateEllipticRgn(0, 0, Info.bmWidth + 1, Info.bmHeight + 1);
    FrameRgn(dc, outline, GetSysColorBrush(COLOR_WINDOWTEXT), 1, 1);
    DeleteObject(outline);
    ReleaseDC(anchor, dc);
  }
  return anchor;
}

}  // namespace

void TkvControl::AfterMouseButtonDown(TMouseButton Button, Integer X, Integer Y) {
  if (Button == mbMiddle) {
    AutoScroll();
    return;
  }
  if (GetDragMode() == dmAutomatic && Button == mbLeft && GetMouseCapture() &&
      (!IsDesignTime() || AllowsDesignDragAt(X, Y, TShiftState{ssLeft})) && MayStartDrag(X, Y)) {
    TWeakRef<TkvControl> self(this);
    Integer detected = DragDetectLoop(GetHandle());
    if (self && detected == 1) BeginDrag(true, -1);
  }
}

void TkvControl::AutoScroll() {
  AutoScrollState state;
  state.HorzShown = HorzScrollBarShown();
  state.VertShown = VertScrollBarShown();
  if (!state.HorzShown && !state.VertShown) return;
  TWeakRef<TkvControl> self(this);
  FAutoScrolling = true;
  state.Start = CursorPosOrInvalid();
  HBITMAP bitmap = LoadBitmap(HInstance, AnchorBitmapName(state));
  BITMAP info{};
  if (bitmap) GetObject(bitmap, sizeof(info), &info);
  if (!bitmap) info.bmWidth = info.bmHeight = 28;
  HWND anchor = CreateAnchorWindow(GetHandle(), state, bitmap, info);
  state.AnchorSize = info.bmWidth;
  Integer ticks = 0;
  HCURSOR savedCursor = ::GetCursor();
  ::SetCursor(Screen()->GetCursors(NeutralCursor(state)));
  UINT_PTR timer = SetTimer(nullptr, 0, kAutoScrollTick, nullptr);
  HWND handle = GetHandle();
  SetCapture(handle);
  TPoint lastPoint = state.Start;
  MSG msg;
  // The control may go inside a dispatched message: every round asks whether it still lives.
  while (self && GetCapture() == handle) {
    BOOL got = GetMessage(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_PAINT && msg.hwnd == anchor) {
      ValidateRect(anchor, nullptr);
      continue;
    }
    if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_ESCAPE) {
      DispatchMessage(&msg);
      break;
    }
    if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == timer) {
      ++ticks;
      if (state.Direction != dirNone && ticks % (kMaxAutoScrollSpeed + 1 - state.Speed) == 0) ScrollLine(state.Direction);
      continue;
    }
    if (msg.message == WM_MOUSEMOVE) {
      TPoint p = MessagePoint(msg.lParam);
      ::ClientToScreen(msg.hwnd, &p);
      if (p == lastPoint) continue;
      lastPoint = p;
      UpdateDirection(state, p);
      ::SetCursor(Screen()->GetCursors(DirectionCursor(state)));
      continue;
    }
    if ((msg.message >= WM_LBUTTONDOWN && msg.message <= WM_RBUTTONDBLCLK) || msg.message == WM_MBUTTONDOWN ||
        msg.message == WM_MBUTTONDBLCLK || msg.message == WM_MOUSEWHEEL)
      break;
    if (msg.message == WM_MBUTTONUP) {
      if (state.LeftNeutralZone) {
        DispatchMessage(&msg);
        break;
      }
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  if (GetCapture() == handle) ReleaseCapture();
  KillTimer(nullptr, timer);
  if (anchor) DestroyWindow(anchor);
  if (bitmap) DeleteObject(bitmap);
  ::SetCursor(savedCursor);
  if (self) FAutoScrolling = false;
}
