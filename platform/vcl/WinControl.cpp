// TWinControl: its children, z-order, bounds, and the notifications it hands down to them.

#include <algorithm>

#include "rtl/Reader.h"
#include "rtl/SysUtils.h"
#include "vcl/Controls.h"
#include "vcl/DockTree.h"
#include "vcl/Forms.h"

TAVREN_MESSAGE_TABLE(TWinControl,
    MESSAGE_HANDLER(WM_PAINT, WMPaint),
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd),
    MESSAGE_HANDLER(WM_COMMAND, WMCommand),
    MESSAGE_HANDLER(WM_NOTIFY, WMNotify),
    MESSAGE_HANDLER(WM_DRAWITEM, WMDrawItem),
    MESSAGE_HANDLER(WM_MEASUREITEM, WMMeasureItem),
    MESSAGE_HANDLER(WM_DELETEITEM, WMDeleteItem),
    MESSAGE_HANDLER(WM_COMPAREITEM, WMCompareItem),
    MESSAGE_HANDLER(WM_HSCROLL, WMHScroll),
    MESSAGE_HANDLER(WM_VSCROLL, WMVScroll),
    MESSAGE_HANDLER(WM_CHARTOITEM, WMCharToItem),
    MESSAGE_HANDLER(WM_VKEYTOITEM, WMVKeyToItem),
    MESSAGE_HANDLER(WM_SIZE, WMSize),
    MESSAGE_HANDLER(WM_MOVE, WMMove),
    MESSAGE_HANDLER(WM_WINDOWPOSCHANGED, WMWindowPosChanged),
    MESSAGE_HANDLER(WM_KEYDOWN, WMKeyDown),
    MESSAGE_HANDLER(WM_SYSKEYDOWN, WMSysKeyDown),
    MESSAGE_HANDLER(WM_KEYUP, WMKeyUp),
    MESSAGE_HANDLER(WM_SYSKEYUP, WMSysKeyUp),
    MESSAGE_HANDLER(WM_CHAR, WMChar),
    MESSAGE_HANDLER(WM_SETCURSOR, WMSetCursor),
    MESSAGE_HANDLER(WM_NCDESTROY, WMNCDestroy),
    MESSAGE_HANDLER(WM_CONTEXTMENU, WMContextMenu),
    MESSAGE_HANDLER(CN_KEYDOWN, CNKeyDown),
    MESSAGE_HANDLER(CN_SYSKEYDOWN, CNKeyDown),
    MESSAGE_HANDLER(CN_KEYUP, CNKeyUp),
    MESSAGE_HANDLER(CN_SYSKEYUP, CNKeyUp),
    MESSAGE_HANDLER(CN_CHAR, CNChar),
    MESSAGE_HANDLER(CN_SYSCHAR, CNChar),
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged),
    MESSAGE_HANDLER(CM_VISIBLECHANGED, CMVisibleChanged),
    MESSAGE_HANDLER(CM_SHOWINGCHANGED, CMShowingChanged),
    MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged),
    MESSAGE_HANDLER(CM_COLORCHANGED, CMColorChanged),
    MESSAGE_HANDLER(CM_CTL3DCHANGED, CMCtl3DChanged),
    MESSAGE_HANDLER(CM_PARENTCTL3DCHANGED, CMParentCtl3DChanged),
    MESSAGE_HANDLER(CM_SHOWHINTCHANGED, CMShowHintChanged),
    MESSAGE_HANDLER(CM_SYSCOLORCHANGE, CMSysColorChange),
    MESSAGE_HANDLER(CM_DIALOGKEY, CMDialogKey),
    MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar),
    MESSAGE_HANDLER(CM_CHILDKEY, CMChildKey),
    MESSAGE_HANDLER(CM_ENTER, CMEnter),
    MESSAGE_HANDLER(CM_EXIT, CMExit),
    MESSAGE_HANDLER(CM_FOCUSCHANGED, CMFocusChanged),
    MESSAGE_HANDLER(CM_CONTROLLISTCHANGE, CMControlListChange),
    MESSAGE_HANDLER(CM_DOCKCLIENT, CMDockClient),
    MESSAGE_HANDLER(CM_UNDOCKCLIENT, CMUnDockClient),
    MESSAGE_HANDLER(CM_RECREATEWND, CMRecreateWnd),
    MESSAGE_HANDLER(CM_INVALIDATE, CMInvalidate),
    MESSAGE_HANDLER(CM_BIDIMODECHANGED, CMBiDiModeChanged))

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner), FBrush(std::make_unique<TBrush>()) {
  FBrush->SetColor(FColor);
}

void TWinControl::BeforeDestruction() {
  inherited::BeforeDestruction();  // leaves the parent, which destroys the window
  if (FHandle) DestroyWindowHandle();
  // Children go with their parent, whoever owns them; each leaves its owner as it goes.
  while (GetControlCount() > 0) {
    TControl* child = GetControls(GetControlCount() - 1);
    Remove(child);
    delete child;
  }
}

// ---- Children -----------------------------------------------------------------------------------

TControl* TWinControl::GetControls(Integer Index) const {
  size_t n = FControls.size();
  if (Index < 0 || static_cast<size_t>(Index) >= n + FWinControls.size())
    throw EListError(Format("List index out of bounds (%d)", Index));
  size_t i = static_cast<size_t>(Index);
  return i < n ? FControls[i] : FWinControls[i - n];
}

void TWinControl::Insert(TControl* AControl) {
  if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
    FWinControls.push_back(win);
    FTabList.push_back(win);
  } else {
    FControls.push_back(AControl);
  }
  AControl->FParent = this;
}

void TWinControl::Remove(TControl* AControl) {
  if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
    std::erase(FTabList, win);
    std::erase(FWinControls, win);
  } else {
    std::erase(FControls, AControl);
  }
  AControl->FParent = nullptr;
}

void TWinControl::InsertControl(TControl* AControl) {
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), TRUE);
  Insert(AControl);
  if (!AControl->GetComponentState().Contains(csReading)) {
    AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
    AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    AControl->Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
    if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
      win->Perform(CM_PARENTCTL3DCHANGED, 0, 0);
      win->UpdateControlState();
    } else if (HandleAllocated()) {
      AControl->Invalidate();
    }
    AlignControl(AControl);
  }
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), TRUE);
}

void TWinControl::RemoveControl(TControl* AControl) {
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), FALSE);
  if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
    if (TCustomForm* form = GetParentForm()) form->DefocusControl(win, true);
    win->DestroyHandle();
  } else if (HandleAllocated() && AControl->GetVisible()) {
    TRect rect = AControl->GetBoundsRect();
    InvalidateRect(FHandle, &rect, TRUE);
  }
  Remove(AControl);
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), FALSE);
  if (!GetComponentState().Contains(csDestroying)) Realign();
}

bool TWinControl::ContainsControl(TControl* Control) {
  for (; Control; Control = Control->GetParent())
    if (Control == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls) {
  auto hits = [&](TControl* c) {
    if (!c->GetVisible() || !(c->GetEnabled() || AllowDisabled)) return false;
    TPoint p{Pos.X - c->GetLeft(), Pos.Y - c->GetTop()};
    if (p.X < 0 || p.Y < 0 || p.X >= c->GetWidth() || p.Y >= c->GetHeight()) return false;
    return c->Perform(CM_HITTEST, 0, PointToLParam(p)) != 0;
  };
  // Top of the z-order first: windows lie above windowless controls.
  if (AllowWinControls)
    for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
      if (hits(*it)) return *it;
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
    if (hits(*it)) return *it;
  return nullptr;
}

TControl* TWinControl::FindChildControl(const String& ControlName) {
  TComponent* owner = GetOwner();
  TControl* found = owner ? dynamic_cast<TControl*>(owner->FindComponent(ControlName)) : nullptr;
  return found && found->GetParent() == this ? found : nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
  // A child that answers ends the broadcast (a default button taking Enter).
  for (Integer i = 0; i < GetControlCount(); ++i) {
    TControl* child = GetControls(i);
    child->GetWindowProc()(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT Msg) {
  // A copy: a child may leave or join while it is told.
  std::vector<TControl*> children;
  for (Integer i = 0; i < GetControlCount(); ++i) children.push_back(GetControls(i));
  for (TControl* child : children) child->Perform(Msg, 0, 0);
}

// ---- Z-order ------------------------------------------------------------------------------------

void TWinControl::SetZOrderOfChild(TControl* Control, bool TopMost) {
  if (auto* win = dynamic_cast<TWinControl*>(Control)) {
    auto it = std::find(FWinControls.begin(), FWinControls.end(), win);
    if (it == FWinControls.end()) return;
    FWinControls.erase(it);
    if (TopMost)
      FWinControls.push_back(win);
    else
      FWinControls.insert(FWinControls.begin(), win);
    if (win->HandleAllocated())
      SetWindowPos(win->FHandle, TopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else {
    auto it = std::find(FControls.begin(), FControls.end(), Control);
    if (it == FControls.end()) return;
    FControls.erase(it);
    if (TopMost)
      FControls.push_back(Control);
    else
      FControls.insert(FControls.begin(), Control);
    Control->Invalidate();
  }
  Realign();
}

void TWinControl::SetChildOrder(TComponent* Child, Integer Order) {
  auto* control = dynamic_cast<TControl*>(Child);
  if (!control || control->GetParent() != this) return;
  if (auto* win = dynamic_cast<TWinControl*>(control)) {
    std::erase(FWinControls, win);
    size_t at = std::min(static_cast<size_t>(std::max(Order, 0)), FWinControls.size());
    FWinControls.insert(FWinControls.begin() + static_cast<std::ptrdiff_t>(at), win);
  } else {
    std::erase(FControls, control);
    size_t at = std::min(static_cast<size_t>(std::max(Order, 0)), FControls.size());
    FControls.insert(FControls.begin() + static_cast<std::ptrdiff_t>(at), control);
  }
}

void TWinControl::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  for (Integer i = 0; i < GetControlCount(); ++i) {
    TControl* control = GetControls(i);
    if (control->GetOwner() == Root) Proc(control);
  }
}

// ---- Bounds -------------------------------------------------------------------------------------

void TWinControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  CheckNewSize(AWidth, AHeight);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  if (!CanResize(AWidth, AHeight)) return;
  bool resized = AWidth != FWidth || AHeight != FHeight;
  if (HandleAllocated() && !IsIconic(FHandle)) {
    SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    // Without a window no WM_SIZE comes to realign the children and tell OnResize.
    if (resized) {
      Realign();
      if (!GetComponentState().Contains(csLoading)) Resize();
    }
  }
  UpdateAnchorRules();
  RequestAlign();
}

void TWinControl::UpdateBoundsRect(const TRect& R) {
  UpdateAnchorRules();
  FLeft = R.Left;
  FTop = R.Top;
  FWidth = R.Width();
  FHeight = R.Height();
}

// The rectangle the window manager reports; FLeft... follow the window, not the other way round.
void TWinControl::UpdateBounds() {
  RECT rect;
  GetWindowRect(FHandle, &rect);
  HWND parent = ::GetParent(FHandle);
  if ((GetWindowLong(FHandle, GWL_STYLE) & WS_CHILD) && parent) {
    POINT points[2] = {rect.TopLeft(), rect.BottomRight()};
    MapWindowPoints(nullptr, parent, points, 2);
    rect = {points[0].X, points[0].Y, points[1].X, points[1].Y};
  }
  if (rect.Left != FLeft || rect.Top != FTop || rect.Width() != FWidth || rect.Height() != FHeight) UpdateBoundsRect(rect);
}

namespace {
// Set while a control asks its creation parameters only for their styles: no parent window is
// made for that.
Integer gMeasuringFrame = 0;
}  // namespace

TRect TWinControl::GetClientRect() {
  if (HandleAllocated()) {
    RECT rect;
    ::GetClientRect(FHandle, &rect);
    return rect;
  }
  return ClientRectFromStyles();
}

// The client area the window's frame will leave, for a control without a window (or a minimized
// one).
TRect TWinControl::ClientRectFromStyles() {
  TCreateParams params;
  ++gMeasuringFrame;
  try {
    CreateParams(params);
  } catch (...) {
    --gMeasuringFrame;
    throw;
  }
  --gMeasuringFrame;
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, params.Style, FALSE, params.ExStyle);
  return {0, 0, std::max(0, FWidth - frame.Width()), std::max(0, FHeight - frame.Height())};
}

bool TWinControl::MeasuringFrame() { return gMeasuringFrame > 0; }

TPoint TWinControl::GetClientOrigin() {
  POINT origin{0, 0};
  ::ClientToScreen(GetHandle(), &origin);
  return origin;
}

// ---- Painting requests --------------------------------------------------------------------------

void TWinControl::Invalidate() { Perform(CM_INVALIDATE, 0, 0); }

void TWinControl::CMInvalidate(TMessage& Message) {
  if (!HandleAllocated()) return;
  if (FParent) FParent->Perform(CM_INVALIDATE, 1, 0);
  if (Message.WParam == 0) {
    InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
  }
}

void TWinControl::Update() {
  if (HandleAllocated()) UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

// ---- Notifications handed down ------------------------------------------------------------------

void TWinControl::CMEnabledChanged(TMessage&) {
  if (!GetEnabled() && FParent)
    if (TCustomForm* form = GetParentForm()) form->DefocusControl(this, false);
  if (HandleAllocated()) EnableWindow(FHandle, GetEnabled());
}

void TWinControl::CMVisibleChanged(TMessage&) {
  if (!FVisible && FParent)
    if (TCustomForm* form = GetParentForm()) form->DefocusControl(this, false);
  UpdateControlState();
}

void TWinControl::CMFontChanged(TMessage& Message) {
  TControl::CMFontChanged(Message);
  if (HandleAllocated()) Perform(WM_SETFONT, reinterpret_cast<WPARAM>(FFont->GetHandle()), 0);
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessage& Message) {
  TControl::CMColorChanged(Message);
  FBrush->SetColor(FColor);
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::SetCtl3D(bool Value) {
  if (FCtl3D == Value) return;
  FCtl3D = Value;
  FParentCtl3D = false;
  Perform(CM_CTL3DCHANGED, 0, 0);
}

void TWinControl::SetParentCtl3D(bool Value) {
  if (FParentCtl3D == Value) return;
  FParentCtl3D = Value;
  if (FParent && !GetComponentState().Contains(csReading)) Perform(CM_PARENTCTL3DCHANGED, 0, 0);
}

void TWinControl::CMCtl3DChanged(TMessage&) { NotifyControls(CM_PARENTCTL3DCHANGED); }

void TWinControl::CMParentCtl3DChanged(TMessage&) {
  if (!FParentCtl3D || !FParent) return;
  bool value = FParent->GetCtl3D();
  if (value == FCtl3D) return;
  FCtl3D = value;
  Perform(CM_CTL3DCHANGED, 0, 0);
  FParentCtl3D = true;
}

void TWinControl::SetParentBackground(bool Value) {
  if (GetParentBackground() == Value) return;
  if (Value)
    FControlStyle.Include(csParentBackground);
  else
    FControlStyle.Exclude(csParentBackground);
  Invalidate();
}

void TWinControl::SetBorderWidth(TBorderWidth Value) {
  Value = std::max(Value, 0);
  if (FBorderWidth == Value) return;
  FBorderWidth = Value;
  Perform(CM_BORDERCHANGED, 0, 0);
  Realign();
  Invalidate();
}

void TWinControl::CMShowHintChanged(TMessage&) { NotifyControls(CM_PARENTSHOWHINTCHANGED); }

void TWinControl::CMSysColorChange(TMessage&) {
  // The brush may hold a system colour: it is made again from the new table.
  FBrush->SetColor(FColor);
  NotifyControls(CM_SYSCOLORCHANGE);
}

void TWinControl::CMControlListChange(TMessage& Message) {
  if (!Message.LParam) ForgetDockClient(reinterpret_cast<TControl*>(Message.WParam));
  if (FParent) FParent->Perform(CM_CONTROLLISTCHANGE, Message.WParam, Message.LParam);
}

void TWinControl::CMBiDiModeChanged(TMessage& Message) {
  TControl::CMBiDiModeChanged(Message);
  NotifyControls(CM_PARENTBIDIMODECHANGED);
}

void TWinControl::ReadState(TReader* Reader) {
  DisableAlign();
  try {
    inherited::ReadState(Reader);
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
}

void TWinControl::Loaded() {
  inherited::Loaded();
  if (HandleAllocated()) UpdateBounds();
  if (FParentCtl3D && FParent) Perform(CM_PARENTCTL3DCHANGED, 0, 0);
  FixupTabList();
  UpdateControlState();
  Realign();
}
