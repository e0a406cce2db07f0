// The process-wide services of the controls unit: the shared message and timer windows, TkvTimer,
// mouse-leave tracking, the settings and design controllers, the toolkit cursors, the platform
// flags, and the window, keyboard, monitor and popup-menu routines.

#include <algorithm>
#include <cstdlib>

#include "gdi/SysMetrics.h"
#include "rtl/FormatSettings.h"
#include "rtl/Resources.h"
#include "toolkit/foundation/kvControls.h"
#include "toolkit/foundation/kvGeometry.h"
#include "user/Cursors.h"
#include "user/Input.h"
#include "user/Monitors.h"
#include "user/SystemInfo.h"
#include "user/Timers.h"
#include "user/VirtualKeys.h"
#include "vcl/AllocateHWnd.h"
#include "vcl/Menus.h"

TAVREN_CLASS_IMPL(TkvMessageWindow)
TAVREN_CLASS_IMPL(TkvTimer)
TAVREN_CLASS_IMPL(TkvSettingsController)
TAVREN_CLASS_IMPL(TkvDesignController)

bool IsWin9xFamily = false;
bool IsWin2KOrLater = false;
bool IsWinXPOrLater = false;
bool IsWinNT4OrLater = false;
bool IsWinVistaOrLater = false;
UINT KVM_SKINFORMMESSAGE = 0;
UINT NonClientChangedMessage = 0;

namespace {

// From unit end on, the shared getters answer nil and the tracking routines do nothing.
bool gFinalizing = false;

class TkvTimerWindow : public TkvMessageWindow {
  TAVREN_CLASS(TkvTimerWindow, TkvMessageWindow)
 protected:
  void HandleMessage(TMessage& Message) override;
};
TAVREN_CLASS_IMPL(TkvTimerWindow)

TkvMessageWindow* gMessageWindow = nullptr;
TkvTimerWindow* gTimerWindow = nullptr;
// The timers whose platform timer is on; a WM_TIMER for any other id is dropped.
std::vector<TkvTimer*>* gActiveTimers = nullptr;
TkvSettingsController* gSettingsController = nullptr;
TkvDesignController* gDesignController = nullptr;

TkvTimerWindow* TimerWindowInstance() {
  if (gFinalizing) return nullptr;
  if (!gTimerWindow) gTimerWindow = new TkvTimerWindow();
  return gTimerWindow;
}

std::vector<TkvTimer*>* ActiveTimers() {
  if (gFinalizing) return nullptr;
  if (!gActiveTimers) gActiveTimers = new std::vector<TkvTimer*>();
  return gActiveTimers;
}

void TkvTimerWindow::HandleMessage(TMessage& Message) {
  if (Message.Msg == WM_TIMER) {
    auto* timer = reinterpret_cast<TkvTimer*>(Message.WParam);
    if (gActiveTimers && std::find(gActiveTimers->begin(), gActiveTimers->end(), timer) != gActiveTimers->end())
      timer->FireTimer();
    return;
  }
  inherited::HandleMessage(Message);
}

// ---- Mouse-leave tracking ------------------------------------------------------------------

class TMouseTrackingTimer : public TkvTimer {
  TAVREN_CLASS(TMouseTrackingTimer, TkvTimer)
 public:
  TMouseTrackingTimer() : TkvTimer(nullptr) {
    SetInterval(10);
    SetOnTimer(MakeEvent<&TMouseTrackingTimer::CheckLeave>(this));
  }
  IkvMouseTrackingCaller* Caller = nullptr;
  TWeakRef<TWinControl> Control;
  TRect Bounds;

 private:
  void CheckLeave(TObject* Sender);
};
TAVREN_CLASS_IMPL(TMouseTrackingTimer)

std::vector<TMouseTrackingTimer*> gTrackingTimers;

TMouseTrackingTimer* FindTrackingTimer(IkvMouseTrackingCaller* Caller) {
  for (TMouseTrackingTimer* timer : gTrackingTimers)
    if (timer->Caller == Caller) return timer;
  return nullptr;
}

void TMouseTrackingTimer::CheckLeave(TObject*) {
  TPoint cursor = CursorPosOrInvalid();
  TWinControl* control = Control.Get();
  bool inside;
  TInterfacePtr<IkvMouseTrackingHitTest> hitTest;
  if (Supports(Caller, hitTest))
    inside = control && control->HandleAllocated() && hitTest->PtInCaller(control->ScreenToClient(cursor));
  else
    inside = RectHoldsPoint(Bounds, cursor);
  if (inside) return;
  IkvMouseTrackingCaller* caller = Caller;
  TWeakRef<TMouseTrackingTimer> self(this);
  if (control && control->HandleAllocated()) {
    TRect client = control->GetClientRect();
    if (!RectHoldsPoint(client, control->ScreenToClient(cursor)))
      control->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(control));
  }
  // The caller may stop the watch itself; this timer is then gone and nothing of it is touched.
  if (self) caller->MouseLeave();
  StopMouseLeaveWatch(caller);
}

// ---- Cursors -------------------------------------------------------------------------------

struct CursorEntry {
  TCursor Id;
  const char* Resource;
};
const CursorEntry kCursors[] = {
    {crkvDragCopy, "KV_DRAGCOPYCURSOR"},     {crkvFullScroll, "KV_FULLSCROLLCURSOR"},
    {crkvHorScroll, "KV_HORSCROLLCURSOR"},   {crkvVerScroll, "KV_VERSCROLLCURSOR"},
    {crkvUpScroll, "KV_UPSCROLLCURSOR"},     {crkvRightScroll, "KV_RIGHTSCROLLCURSOR"},
    {crkvDownScroll, "KV_DOWNSCROLLCURSOR"}, {crkvLeftScroll, "KV_LEFTSCROLLCURSOR"},
    {crkvRemove, "KV_REMOVECURSOR"},         {crkvVertSize, "KV_VERTSIZECURSOR"},
    {crkvHorzSize, "KV_HORZSIZECURSOR"},     {crkvMultiDragCursor, "KV_MULTIDRAGCURSOR"},
    {crkvNoDrop, "KV_NODROPCURSOR"},         {crkvDrag, "KV_DRAGCURSOR"},
    {crkvHandPoint, nullptr},                {crkvColorPicker, "KV_COLORPICKERCURSOR"},
};

void LoadToolkitCursors() {
  if (!Screen()) return;
  for (const CursorEntry& entry : kCursors) {
    HCURSOR cursor = entry.Resource ? LoadCursor(HInstance, entry.Resource) : LoadCursor(nullptr, IDC_HAND);
    // A program linked without the toolkit's cursors keeps the screen's default for those ids.
    if (cursor) Screen()->SetCursors(entry.Id, cursor);
  }
}

void ComputePlatformFlags() {
  OSVERSIONINFO info;
  GetVersionEx(&info);
  constexpr DWORD kWin32s = 0, kWindows = 1, kNT = 2;
  IsWin9xFamily = info.dwPlatformId == kWindows || info.dwPlatformId == kWin32s;
  IsWin2KOrLater = info.dwPlatformId == kNT && info.dwMajorVersion > 4;
  IsWinXPOrLater = info.dwPlatformId == kNT && info.dwMajorVersion > 4 && info.dwMinorVersion > 0;
  IsWinNT4OrLater = info.dwPlatformId == kNT && info.dwMajorVersion > 3;
  IsWinVistaOrLater = info.dwMajorVersion > 5;
}

}  // namespace

// ---- TkvMessageWindow ----------------------------------------------------------------------

TkvMessageWindow::TkvMessageWindow() { FHandle = AllocateHWnd(MakeEvent<&TkvMessageWindow::MainWndProc>(this)); }

TkvMessageWindow::~TkvMessageWindow() { DeallocateHWnd(FHandle); }

void TkvMessageWindow::MainWndProc(TMessage& Message) { HandleMessage(Message); }

void TkvMessageWindow::HandleMessage(TMessage& Message) {
  Message.Result = DefWindowProc(FHandle, Message.Msg, Message.WParam, Message.LParam);
}

TkvMessageWindow* MessageWindowInstance() {
  if (gFinalizing) return nullptr;
  if (!gMessageWindow) gMessageWindow = new TkvMessageWindow();
  return gMessageWindow;
}

// ---- TkvTimer ------------------------------------------------------------------------------

TkvTimer::TkvTimer(TComponent* AOwner) : TComponent(AOwner) {}

TkvTimer::~TkvTimer() {
  Stop();
  if (FDestroyedFlag) *FDestroyedFlag = true;
}

void TkvTimer::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Restart();
}

void TkvTimer::SetInterval(Cardinal Value) {
  if (Value == 0 || Value == FInterval) return;
  FInterval = Value;
  Restart();
}

void TkvTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = Value;
  Restart();
}

void TkvTimer::FireTimer() {
  if (!FOnTimer) return;
  // The handler may free the timer; the flag on this frame tells, so nothing of it is touched.
  bool destroyed = false;
  bool* outer = FDestroyedFlag;
  FDestroyedFlag = &destroyed;
  FOnTimer(this);
  if (destroyed) {
    if (outer) *outer = true;
    return;
  }
  FDestroyedFlag = outer;
}

void TkvTimer::Restart() {
  Stop();
  Start();
}

void TkvTimer::Start() {
  if (!FEnabled || FTimerOn || !FOnTimer) return;
  TkvTimerWindow* window = TimerWindowInstance();
  if (!window) return;
  SetTimerOn(SetTimer(window->GetHandle(), reinterpret_cast<UINT_PTR>(this), FInterval, nullptr) != 0);
}

void TkvTimer::Stop() {
  if (!FTimerOn) return;
  if (gTimerWindow) KillTimer(gTimerWindow->GetHandle(), reinterpret_cast<UINT_PTR>(this));
  SetTimerOn(false);
}

void TkvTimer::SetTimerOn(bool Value) {
  FTimerOn = Value;
  std::vector<TkvTimer*>* active = Value ? ActiveTimers() : gActiveTimers;
  if (!active) return;
  auto it = std::find(active->begin(), active->end(), this);
  if (Value && it == active->end()) active->push_back(this);
  if (!Value && it != active->end()) active->erase(it);
}

// ---- Mouse-leave tracking ------------------------------------------------------------------

void StartMouseLeaveWatch(TWinControl* Control, const TRect& R, IkvMouseTrackingCaller* Caller) {
  if (gFinalizing || !Caller || FindTrackingTimer(Caller)) return;
  auto* timer = new TMouseTrackingTimer();
  timer->Control = Control;
  timer->Bounds = R;
  if (Control) {
    TPoint topLeft = Control->ClientToScreen(R.TopLeft());
    timer->Bounds = TRect(topLeft.X, topLeft.Y, topLeft.X + R.Width(), topLeft.Y + R.Height());
  }
  timer->Caller = Caller;
  gTrackingTimers.push_back(timer);
}

void StopMouseLeaveWatch(IkvMouseTrackingCaller* Caller) {
  auto it = std::find_if(gTrackingTimers.begin(), gTrackingTimers.end(),
                         [Caller](TMouseTrackingTimer* timer) { return timer->Caller == Caller; });
  if (it == gTrackingTimers.end()) return;
  TMouseTrackingTimer* timer = *it;
  gTrackingTimers.erase(it);
  delete timer;
}

bool IsMouseLeaveWatched(IkvMouseTrackingCaller* Caller) {
  return !gFinalizing && FindTrackingTimer(Caller) != nullptr;
}

// ---- Settings controller -------------------------------------------------------------------

TkvSettingsController::~TkvSettingsController() { DeallocateHWnd(FWindow); }

void TkvSettingsController::AddControl(TWinControl* Control) {
  if (std::find(FControls.begin(), FControls.end(), Control) != FControls.end()) return;
  if (FControls.empty()) FWindow = AllocateHWnd(MakeEvent<&TkvSettingsController::MainWndProc>(this));
  FControls.push_back(Control);
}

void TkvSettingsController::RemoveControl(TWinControl* Control) {
  auto it = std::find(FControls.begin(), FControls.end(), Control);
  if (it == FControls.end()) return;
  FControls.erase(it);
  if (FControls.empty()) {
    DeallocateHWnd(FWindow);
    FWindow = nullptr;
  }
}

void TkvSettingsController::MainWndProc(TMessage& Message) {
  try {
    if (Message.Msg == WM_SETTINGCHANGE && Message.WParam == SPI_SETNONCLIENTMETRICS) {
      for (TWinControl* control : FControls)
        if (control->HandleAllocated()) SendNotifyMessage(control->GetHandle(), KVM_SCROLLBARMETRICS, 0, 0);
      Message.Result = 0;
      return;
    }
    Message.Result = DefWindowProc(FWindow, Message.Msg, Message.WParam, Message.LParam);
  } catch (...) {
    if (Application()) Application()->HandleException(this);
  }
}

TkvSettingsController* SettingsControllerInstance() {
  if (gFinalizing) return nullptr;
  if (!gSettingsController) gSettingsController = new TkvSettingsController();
  return gSettingsController;
}

// ---- Design controller ---------------------------------------------------------------------

void TkvDesignController::SignalDesignerModified(TCustomForm* Form) {
  if (IsLocked() || (FState & 1) || !Form) return;
  FState |= 1;
  // No form designer exists in this program: the form has nobody to tell.
  FState &= ~1;
}

TkvDesignController* DesignController() {
  if (gFinalizing) return nullptr;
  if (!gDesignController) gDesignController = new TkvDesignController();
  return gDesignController;
}

void NotifyRootDesigner(TControl*) {
  // Controls are never at design time here (csDesigning is never set), so no designer is told.
}

// ---- Window, keyboard and mouse routines ---------------------------------------------------

bool CanCreateHandle(TWinControl* Control) {
  if (!Control) return false;
  if (Control->HandleAllocated()) return true;
  if (Control->GetComponentState().Contains(csDestroying)) return false;
  if (Control->GetParentWindow()) return true;
  if (Control->GetParent()) return CanCreateHandle(Control->GetParent());
  return (Control->InheritsFrom(TCustomForm::ClassInfo()) || Control->InheritsFrom(TCustomFrame::ClassInfo())) &&
         Application() && Application()->GetHandle();
}

bool HasChildStyle(HWND Window) { return (GetWindowLong(Window, GWL_STYLE) & WS_CHILD) != 0; }

bool IsSelfOrChildWindow(HWND Parent, HWND Window) {
  return Parent && (Parent == Window || IsChild(Parent, Window));
}

bool IsAncestorWindow(HWND Ancestor, HWND Window) {
  if (!Ancestor || !Window) return false;
  for (HWND w = GetParent(Window); w; w = GetParent(w))
    if (w == Ancestor) return true;
  return false;
}

void MapPointBetween(HWND From, HWND To, TPoint& Point) { MapWindowPoints(From, To, &Point, 1); }

void MapRectBetween(HWND From, HWND To, TRect& R) {
  TPoint topLeft = R.TopLeft(), bottomRight = R.BottomRight();
  MapPointBetween(From, To, topLeft);
  MapPointBetween(From, To, bottomRight);
  R = TRect(topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y);
}

TRect NearestMonitorWorkArea(const TPoint& Point) {
  return MonitorWorkArea(MonitorFromPoint(Point, MONITOR_DEFAULTTONEAREST));
}

TRect MonitorWorkArea(HMONITOR Monitor) {
  MONITORINFO info;
  if (Monitor && GetMonitorInfoA(Monitor, &info)) return info.rcWork;
  TRect area;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

TPoint CursorPosOrInvalid() {
  TPoint p;
  if (!GetCursorPos(&p)) return {-1, -1};
  return p;
}

WPARAM CurrentMKFlags() {
  WPARAM flags = 0;
  if (GetAsyncKeyState(VK_LBUTTON) < 0) flags |= MK_LBUTTON;
  if (GetAsyncKeyState(VK_RBUTTON) < 0) flags |= MK_RBUTTON;
  if (GetAsyncKeyState(VK_SHIFT) < 0) flags |= MK_SHIFT;
  if (GetAsyncKeyState(VK_CONTROL) < 0) flags |= MK_CONTROL;
  if (GetAsyncKeyState(VK_MBUTTON) < 0) flags |= MK_MBUTTON;
  return flags;
}

WPARAM ShiftToMKFlags(TShiftState Shift) {
  WPARAM flags = 0;
  if (Shift.Contains(ssShift)) flags |= MK_SHIFT;
  if (Shift.Contains(ssCtrl)) flags |= MK_CONTROL;
  if (Shift.Contains(ssLeft)) flags |= MK_LBUTTON;
  if (Shift.Contains(ssRight)) flags |= MK_RBUTTON;
  if (Shift.Contains(ssMiddle)) flags |= MK_MBUTTON;
  return flags;
}

bool IsCtrlDown() { return GetAsyncKeyState(VK_CONTROL) < 0; }

UINT DoubleClickInterval() { return GetDoubleClickTime(); }

Word KeyCodeAsIs(Word Key) { return Key; }

bool IsInDragDetectArea(const TPoint& DownPoint, Integer X, Integer Y) {
  Integer threshold = Mouse() ? Mouse()->GetDragThreshold() : 5;
  return std::abs(X - DownPoint.X) < threshold && std::abs(Y - DownPoint.Y) < threshold;
}

bool IsNumericEntryChar(Char Ch, Integer Mode) {
  if (Ch == '+' || Ch == '-' || (Ch >= '0' && Ch <= '9')) return true;
  Char separator = FormatSettings.DecimalSeparator;
  if (Mode == 1) return Ch == separator;
  if (Mode == 2) return Ch == separator || Ch == 'e' || Ch == 'E';
  return false;
}

bool IsPrintableKeyChar(Char Ch) { return static_cast<unsigned char>(Ch) >= 32; }

void StripAccelChar(const String& Text, bool MarkTrailing, String& Result) {
  Result.clear();
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] != '&') {
      Result += Text[i];
    } else if (i + 1 < Text.size()) {
      Result += Text[++i];
    } else if (MarkTrailing) {
      Result += '_';
    }
  }
}

bool ComponentIsLoading(TComponent* Component) {
  return Component && Component->GetComponentState().Contains(csLoading);
}

// ---- Popup-menu routines -------------------------------------------------------------------

Integer PopupMenuHeight(TComponent* Menu) {
  auto* popup = dynamic_cast<TPopupMenu*>(Menu);
  if (!popup) return 0;
  TBitmap scratch;
  scratch.SetWidth(1);
  scratch.SetHeight(1);
  TCanvas* canvas = scratch.GetCanvas();
  if (Screen()) canvas->GetFont()->Assign(Screen()->GetMenuFont());
  Integer lineHeight = canvas->TextHeight("Qg") + 4;
  Integer total = 0;
  TMenuItem* items = popup->GetItems();
  for (Integer i = 0; i < items->GetCount(); ++i) {
    TMenuItem* item = items->GetItem(i);
    if (!item->GetVisible()) continue;
    Integer height = lineHeight;
    if (popup->GetOwnerDraw() || popup->GetImages() || item->HasBitmap()) {
      Integer width = 0;
      item->MeasureItem(canvas, width, height);
    }
    total += height;
  }
  return total + 4;
}

bool PopupMenuShortCutHandled(TComponent* Menu, TMessage& KeyMessage) {
  if (!Menu) return false;
  if (auto* custom = dynamic_cast<IkvPopupMenu*>(Menu)) return custom->IsShortCut(KeyMessage);
  if (auto* popup = dynamic_cast<TPopupMenu*>(Menu)) return popup->IsShortCut(KeyMessage);
  return false;
}

bool ShowPopupMenuAt(TControl* Control, TComponent* Menu, Integer X, Integer Y) {
  if (!Menu) return false;
  if (auto* custom = dynamic_cast<IkvPopupMenu*>(Menu)) {
    custom->Popup(X, Y);
    return true;
  }
  if (auto* popup = dynamic_cast<TPopupMenu*>(Menu); popup && popup->GetAutoPopup()) {
    popup->SetPopupComponent(Control);
    popup->Popup(X, Y);
    return true;
  }
  return false;
}

void TkvMouseLeaveMessenger::MouseLeave() { FControl->Perform(CM_MOUSELEAVE, 0, 0); }

void SetPopupMenuReference(TComponent* Holder, TComponent*& Reference, TComponent* Value) {
  if (Value && !dynamic_cast<TPopupMenu*>(Value) && !Supports<IkvPopupMenu>(Value)) Value = nullptr;
  if (Reference == Value) return;
  if (Reference) Reference->RemoveFreeNotification(Holder);
  Reference = Value;
  if (Reference) Reference->FreeNotification(Holder);
}

bool ContextMenuClientPoint(TControl* Control, const TMessage& Message, TPoint& P) {
  P = MessagePoint(Message.LParam);
  if (P.X == -1 && P.Y == -1) return true;
  P = Control->ScreenToClient(P);
  return RectHoldsPoint(Control->GetClientRect(), P);
}

// ---- Drag-detect loop ----------------------------------------------------------------------

Integer DragDetectLoop(HWND Window) {
  TPoint start = CursorPosOrInvalid();
  Integer threshold = Mouse() ? Mouse()->GetDragThreshold() : 5;
  TRect area(start.X - threshold, start.Y - threshold, start.X + threshold, start.Y + threshold);
  SetCapture(Window);
  Integer result = 2;
  MSG msg;
  while (true) {
    if (GetCapture() != Window) break;
    BOOL got = GetMessage(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
    if (msg.hwnd == Window && msg.message == WM_MOUSEMOVE) {
      TPoint p = MessagePoint(msg.lParam);
      ::ClientToScreen(Window, &p);
      if (!RectHoldsPoint(area, p)) {
        result = 1;
        break;
      }
    } else if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP || msg.message == WM_MBUTTONUP) {
      result = 0;
      break;
    } else if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_ESCAPE) {
      break;
    }
  }
  if (IsWindow(Window) && GetCapture() == Window) ReleaseCapture();
  return result;
}

// ---- Unit start and end --------------------------------------------------------------------

void kvControlsStart() {
  gFinalizing = false;
  ComputePlatformFlags();
  LoadToolkitCursors();
  KVM_SKINFORMMESSAGE = RegisterWindowMessage("{AED0FC6F-2878-4CD1-877A-6D8EEDD3431A}");
  NonClientChangedMessage = RegisterWindowMessage("{97BE0090-13CB-4641-ABE5-10E697FB2484}");
}

void kvControlsEnd() {
  gFinalizing = true;
  // A watch still running (the pointer over a hot-tracked control when the program closes) is
  // stopped quietly: raising here would crash the program on its way out.
  while (!gTrackingTimers.empty()) {
    TMouseTrackingTimer* timer = gTrackingTimers.back();
    gTrackingTimers.pop_back();
    delete timer;
  }
  delete gSettingsController;
  gSettingsController = nullptr;
  delete gDesignController;
  gDesignController = nullptr;
  delete gTimerWindow;
  gTimerWindow = nullptr;
  delete gActiveTimers;
  gActiveTimers = nullptr;
  delete gMessageWindow;
  gMessageWindow = nullptr;
}
