// TkvControl: construction, queries, popup menus, font listeners, the window procedure and the
// mouse, focus, key and context-menu handling; TkvControlChildComponent.

#include <algorithm>

#include "toolkit/foundation/kvControls.h"
#include "toolkit/foundation/kvGeometry.h"
#include "user/VirtualKeys.h"
#include "vcl/Menus.h"

TAVREN_CLASS_IMPL(TkvControl)
TAVREN_CLASS_IMPL(TkvControlChildComponent)

TAVREN_MESSAGE_TABLE(TkvControl, MESSAGE_HANDLER(WM_PAINT, WMPaint), MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd),
                     MESSAGE_HANDLER(WM_SETCURSOR, WMSetCursor), MESSAGE_HANDLER(WM_CONTEXTMENU, WMContextMenu),
                     MESSAGE_HANDLER(WM_CANCELMODE, WMCancelMode), MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode),
                     MESSAGE_HANDLER(WM_NCCALCSIZE, WMNCCalcSize), MESSAGE_HANDLER(CN_KEYDOWN, CNKeyDown),
                     MESSAGE_HANDLER(CN_SYSKEYDOWN, CNSysKeyDown), MESSAGE_HANDLER(CM_COLORCHANGED, CMColorChanged),
                     MESSAGE_HANDLER(CM_CURSORCHANGED, CMCursorChanged),
                     MESSAGE_HANDLER(CM_DESIGNHITTEST, CMDesignHitTest),
                     MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged), MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter),
                     MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave), MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged),
                     MESSAGE_HANDLER(CM_VISIBLECHANGED, CMVisibleChanged),
                     MESSAGE_HANDLER(KVM_SCROLLBARMETRICS, KVMScrollBarMetrics))

namespace {
// Beyond this size a mouse message's 16-bit coordinates cannot hold the point.
constexpr Integer kMaxMessageCoordinate = 0x8000;
}  // namespace

// ---- Construction --------------------------------------------------------------------------

TkvControl::TkvControl(TComponent* AOwner) : TCustomControl(AOwner) {
  if (UsesDragImages()) FControlStyle.Include(csDisplayDragImage);
  FKvCanvas = std::make_unique<TkvCanvas>(GetCanvas());
  FDefaultCursor = GetCursor();
  FLookAndFeel = std::make_unique<TkvLookAndFeel>(this);
  FLookAndFeel->SetOnChanged(MakeEvent<&TkvControl::LookAndFeelChanged>(this));
  CreateScrollBars();
  SetTabStop(AcceptsFocus());
  SetParentBackground(true);
}

TkvControl::~TkvControl() {
  if (Dragging()) EndDrag(false);
  SetKvPopupMenu(nullptr);
  DestroyScrollBars();
  FFontListeners.clear();
  FDragAndDropObject.reset();
  FScreenCanvas.reset();
  FKvCanvas.reset();
  FLookAndFeel.reset();
  InvalidateObjectLinks(this);
}

void TkvControl::BeforeDestruction() {
  if (!GetComponentState().Contains(csDestroying)) Destroying();
  // The bars are children: the framework would free them with the control's other children, and
  // the control must let go of them first.
  DestroyScrollBars();
  inherited::BeforeDestruction();
}

void TkvControl::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
}

void TkvControl::CreateWnd() {
  FCreatingWindow = true;
  try {
    inherited::CreateWnd();
    RecreateScrollBars();
    AdoptScrollBars();
  } catch (...) {
    FCreatingWindow = false;
    throw;
  }
  FCreatingWindow = false;
}

void TkvControl::DestroyWindowHandle() {
  FControlState.Exclude(csClicked);
  inherited::DestroyWindowHandle();
}

// ---- Queries and small operations ----------------------------------------------------------

TkvCanvas* TkvControl::CanvasOrScreen() {
  if (HandleAllocated()) {
    FScreenCanvas.reset();
    return FKvCanvas.get();
  }
  if (!FScreenCanvas) FScreenCanvas = std::make_unique<TkvScreenCanvas>();
  return FScreenCanvas.get();
}

void TkvControl::InvalidateArea(const TRect* R, bool Erase) {
  if (HandleAllocated()) InvalidateRect(GetHandle(), R, Erase);
}

void TkvControl::RedrawAll() {
  if (HandleAllocated()) RedrawWindow(GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_ALLCHILDREN);
}

void TkvControl::SetBorderStyle(Integer Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  AfterResize();
  Invalidate();
}

void TkvControl::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  FScrollBars = Value;
  RefreshScrollBars();
}

void TkvControl::SetKvPopupMenu(TComponent* Value) {
  if (Value && !dynamic_cast<TPopupMenu*>(Value) && !dynamic_cast<IkvPopupMenu*>(Value)) Value = nullptr;
  if (FPopupMenu == Value) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (FPopupMenu) FPopupMenu->FreeNotification(this);
}

void TkvControl::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

TPopupMenu* TkvControl::GetPopupMenuForContext() {
  // The framework's own context handling only knows its popup menus.
  if (auto* menu = dynamic_cast<TPopupMenu*>(FPopupMenu)) return menu;
  return inherited::GetPopupMenuForContext();
}

bool TkvControl::ShortCutByPopupMenus(TMessage& KeyMessage) {
  if (IsDesignTime()) return false;
  for (TWinControl* control = this; control; control = control->GetParent()) {
    auto* kv = dynamic_cast<TkvControl*>(control);
    if (kv && PopupMenuShortCutHandled(kv->FPopupMenu, KeyMessage)) return true;
  }
  return false;
}

bool TkvControl::PopupMenuAt(TComponent* Menu, Integer X, Integer Y) { return ShowPopupMenuAt(this, Menu, X, Y); }

void TkvControl::NotifyDesignerModified() {
  if (!IsDesignTime()) return;
  for (TControl* control = this; control; control = control->GetParent()) {
    TComponentState state = control->GetComponentState();
    if (state.Contains(csLoading) || state.Contains(csReading) || state.Contains(csDestroying)) return;
  }
  NotifyRootDesigner(this);
}

void TkvControl::AddFontListener(IkvFontListener* Listener) {
  FFontListeners.emplace_back(Listener);
}

void TkvControl::RemoveFontListener(IkvFontListener* Listener) {
  auto it = std::find(FFontListeners.begin(), FFontListeners.end(), TInterfacePtr<IkvFontListener>(Listener));
  if (it != FFontListeners.end()) FFontListeners.erase(it);
}

void TkvControl::NotifyFontListeners() {
  // A copy: a listener may remove itself.
  auto listeners = FFontListeners;
  for (auto& listener : listeners) listener->FontChanged(this, GetFont());
  Invalidate();
}

Integer TkvControl::BorderWidth() {
  if (FBorderStyle == 0) return 0;
  TkvCustomLookAndFeelPainterClass painter = LookAndFeelPainter();
  return painter ? painter->FrameWidth() : 1;
}

TRect TkvControl::BoundsArea() {
  if (HandleAllocated()) return GetClientRect();
  return TRect(0, 0, GetWidth(), GetHeight());
}

TRect TkvControl::ClientArea() {
  Integer border = BorderWidth();
  TRect r = RectInflated(BoundsArea(), -border, -border);
  if (HorzScrollBarShown()) r.Bottom -= FHScrollBar->GetHeight();
  if (VertScrollBarShown()) r.Right -= FVScrollBar->GetWidth();
  return r;
}

TkvCustomLookAndFeelPainterClass TkvControl::LookAndFeelPainter() { return GetLookAndFeel()->ActivePainter(); }

void TkvControl::LookAndFeelChanged(TkvLookAndFeel* Sender, TkvLookAndFeelValues ChangedValues) {
  LookAndFeelUpdated(Sender, ChangedValues);
}

bool TkvControl::WantsFocusOnClick() {
  return !IsDesignTime() && FFocusOnClick && AcceptsFocus() && CanFocus();
}

bool TkvControl::CanFocusNow() {
  if (!CanFocus()) return false;
  TCustomForm* form = GetParentForm();
  return !form || (form->CanFocus() && form->GetEnabled() && form->GetVisible());
}

bool TkvControl::WithinDragThreshold(Integer X, Integer Y) {
  return GetDragMode() == dmManual || IsInDragDetectArea(FMouseDownPos, X, Y);
}

void TkvControl::ResetMouseState() {
  FMouseButtonPressed = false;
  SetMouseCaptureObject(nullptr);
}

bool TkvControl::HandlesDesignMouse(Integer, Integer, TShiftState) {
  return FDragAndDropState == ddsInProcess || FMouseButtonPressed;
}

void TkvControl::AddChildComponent(TkvControlChildComponent* Child) { Child->SetControl(this); }

void TkvControl::RemoveChildComponent(TkvControlChildComponent* Child) { Child->SetControl(nullptr); }

void TkvControl::EndMouseOperation() {
  EndDragAndDrop(true);
  SetMouseCaptureObject(nullptr);
}

// ---- Window procedure ----------------------------------------------------------------------

void TkvControl::WndProc(TMessage& Message) {
  // A handler may free the control; nothing of it is touched once the link reads nil.
  TWeakRef<TkvControl> self(this);
  const UINT msg = Message.Msg;
  if ((msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) && !DragObject()) {
    TPoint p = MessagePoint(Message.LParam);
    bool direct = IsDesignTime() ? HandlesDesignMouse(p.X, p.Y, TShiftState{ssLeft}) : GetDragMode() == dmAutomatic;
    if (direct && !ControlAtPos(p, false)) {
      FControlState.Include(csLButtonDown);
      Dispatch(Message);
      if (!self) return;
      FControlState.Exclude(csLButtonDown);
      if (msg == WM_LBUTTONDOWN) AfterMouseButtonDown(mbLeft, p.X, p.Y);
      return;
    }
  }
  if (msg == WM_RBUTTONUP) FRightButtonReleased = true;
  inherited::WndProc(Message);
  if (!self) return;
  if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN) {
    TPoint p = MessagePoint(Message.LParam);
    if (GetWidth() > kMaxMessageCoordinate || GetHeight() > kMaxMessageCoordinate)
      p = ScreenToClient(CursorPosOrInvalid());
    TMouseButton button = msg == WM_LBUTTONDOWN ? mbLeft : msg == WM_RBUTTONDOWN ? mbRight : mbMiddle;
    AfterMouseButtonDown(button, p.X, p.Y);
  }
}

void TkvControl::WMPaint(TMessage& Message) {
  TDragObject* drag = FActiveDragObject;
  if (drag) drag->HideDragImage();
  InheritedMessage(Message);
  if (drag) drag->ShowDragImage();
}

void TkvControl::WMEraseBkgnd(TMessage& Message) {
  if (ErasesBackground())
    InheritedMessage(Message);
  else
    Message.Result = 1;
}

void TkvControl::WMSetCursor(TMessage& Message) {
  if (IsDesignTime() && FDragAndDropState == ddsNone) {
    TPoint p = ScreenToClient(CursorPosOrInvalid());
    if (HandlesDesignMouse(p.X, p.Y, TShiftState{ssLeft})) {
      ::SetCursor(Screen()->GetCursors(CursorAtPoint(p.X, p.Y)));
      Message.Result = 1;
      return;
    }
  }
  InheritedMessage(Message);
}

void TkvControl::CMDesignHitTest(TMessage& Message) {
  InheritedMessage(Message);
  if (Message.Result == 0) {
    TPoint p = MessagePoint(Message.LParam);
    Message.Result = HandlesDesignMouse(p.X, p.Y, KeysToShiftState(static_cast<WORD>(Message.WParam)));
  }
}

void TkvControl::WMContextMenu(TMessage& Message) {
  if (Message.Result != 0) return;
  TPoint p;
  if (!IsDesignTime() && ContextMenuClientPoint(this, Message, p)) {
    bool handled = false;
    DoContextPopup(p, handled);
    if (handled) {
      Message.Result = 1;
      return;
    }
  }
  InheritedMessage(Message);
}

void TkvControl::DoContextPopup(TPoint MousePos, bool& Handled) {
  inherited::DoContextPopup(MousePos, Handled);
  if (Handled) return;
  if (MousePos.X == -1 && MousePos.Y == -1) MousePos = {0, 0};
  TPoint p = ClientToScreen(MousePos);
  Handled = PopupMenuAt(FPopupMenu, p.X, p.Y);
}

void TkvControl::WMCancelMode(TMessage& Message) {
  InheritedMessage(Message);
  EndDragAndDrop(false);
  ResetMouseState();
}

void TkvControl::WMGetDlgCode(TMessage& Message) {
  LRESULT result = 0;
  if (FKeys.Contains(kAll)) result += DLGC_WANTALLKEYS;
  if (FKeys.Contains(kArrows)) result += DLGC_WANTARROWS;
  if (FKeys.Contains(kChars)) result += DLGC_WANTCHARS;
  if (FKeys.Contains(kTab) && !IsCtrlDown()) result += DLGC_WANTTAB;
  Message.Result = result;
}

void TkvControl::CNKeyDown(TMessage& Message) {
  if (ShortCutByPopupMenus(Message)) {
    Message.Result = 1;
    return;
  }
  if (FDragAndDropState == ddsNone) {
    InheritedMessage(Message);
    return;
  }
  if (Message.WParam == VK_ESCAPE) SendMessage(GetHandle(), WM_KEYDOWN, Message.WParam, Message.LParam);
  Message.Result = 1;
}

void TkvControl::CNSysKeyDown(TMessage& Message) {
  if (ShortCutByPopupMenus(Message))
    Message.Result = 1;
  else
    InheritedMessage(Message);
}

void TkvControl::CMColorChanged(TMessage& Message) {
  AfterColorChange();
  InheritedMessage(Message);
}

void TkvControl::CMCursorChanged(TMessage& Message) {
  RememberCursor();
  InheritedMessage(Message);
}

void TkvControl::CMFontChanged(TMessage& Message) {
  InheritedMessage(Message);
  NotifyFontListeners();
}

void TkvControl::CMMouseEnter(TMessage& Message) {
  InheritedMessage(Message);
  auto* control = reinterpret_cast<TControl*>(Message.LParam);
  FireMouseEnter(control ? control : this);
}

void TkvControl::CMMouseLeave(TMessage& Message) {
  InheritedMessage(Message);
  auto* control = reinterpret_cast<TControl*>(Message.LParam);
  FireMouseLeave(control ? control : this);
}

void TkvControl::CMTextChanged(TMessage& Message) {
  DefaultHandler(Message);
  AfterTextChange();
}

void TkvControl::CMVisibleChanged(TMessage& Message) {
  InheritedMessage(Message);
  AfterVisibilityChange();
}

void TkvControl::Resize() {
  inherited::Resize();
  AfterResize();
}

void TkvControl::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE) EndDragAndDrop(false);
  inherited::KeyDown(Key, Shift);
}

void TkvControl::Paint() {
  if (FBorderStyle == 1) {
    if (TkvCustomLookAndFeelPainterClass painter = LookAndFeelPainter())
      painter->PaintFrame(FKvCanvas.get(), BoundsArea());
    FKvCanvas->ClipToRect(ClientArea());
  }
  inherited::Paint();
  RefreshScrollBarStates();
}

// ---- Mouse ---------------------------------------------------------------------------------

void TkvControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TWeakRef<TkvControl> self(this);
  FMouseDownPos = {X, Y};
  if (FocusOnMouseDownAt(X, Y) && !Shift.Contains(ssDouble)) {
    TRect bounds = GetBoundsRect();
    SetFocus();
    if (!self) return;
    TCustomForm* form = GetParentForm();
    if (form && form->GetActiveControl() == this && !Focused()) ::SetFocus(GetHandle());
    if (!Focused()) {
      if (!KeepsCaptureWithoutFocus()) {
        SetMouseCapture(false);
        return;
      }
    }
    TRect now = GetBoundsRect();
    X -= now.Left - bounds.Left;
    Y -= now.Top - bounds.Top;
  }
  if (Button == mbLeft && !Shift.Contains(ssDouble) && CanStartDragAndDrop({X, Y})) {
    FDragAndDropObject.reset(DragAndDropObjectClass().Create(this));
    if (FDragAndDropObject->ImmediateStart())
      BeginDragAndDrop();
    else
      SetDragAndDropState(ddsStarting);
  } else {
    EndDragAndDrop(false);
  }
  if (!self) return;
  MouseDownHook(Button, Shift, X, Y);
  if (!self) return;
  inherited::MouseDown(Button, Shift, X, Y);
  if (!self) return;
  if (GetMouseCapture()) FMouseButtonPressed = true;
}

void TkvControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TWeakRef<TkvControl> self(this);
  // CursorAtPoint's wish is shown without becoming the remembered default.
  TCursor saved = FDefaultCursor;
  SetCursor(CursorAtPoint(X, Y));
  FDefaultCursor = saved;
  inherited::MouseMove(Shift, X, Y);
  if (!self) return;
  if (FDragAndDropState == ddsStarting && !IsInDragDetectArea(FMouseDownPos, X, Y)) {
    BeginDragAndDrop();
  } else if (FDragAndDropState == ddsInProcess) {
    bool accepted = false;
    DragAndDropMove({X, Y}, accepted);
  }
}

void TkvControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TWeakRef<TkvControl> self(this);
  FMouseButtonPressed = false;
  EndMouseOperation();
  if (!self) return;
  inherited::MouseUp(Button, Shift, X, Y);
}

// ---- TkvControlChildComponent --------------------------------------------------------------

TkvControlChildComponent::TkvControlChildComponent(TComponent* AOwner) : TkvComponent(AOwner) { Initialize(); }

TkvControlChildComponent::TkvControlChildComponent(TkvControl* AControl, bool AssignOwner)
    : TkvComponent(AssignOwner && AControl ? AControl->GetOwner() : nullptr) {
  Initialize();
  SetControl(AControl);
}

TkvControlChildComponent::~TkvControlChildComponent() {
  if (FControl) FControl->RemoveChildComponent(this);
}

void TkvControlChildComponent::SetParentComponent(TComponent* Value) {
  if (auto* control = dynamic_cast<TkvControl*>(Value)) control->AddChildComponent(this);
}
