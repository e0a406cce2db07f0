#pragma once
// What the native inner control of a container hands on: clicks, keys, mouse and wheel go to the
// container too, mouse points moved into its coordinates. Tab never reaches either side as a
// character; Enter reaches the container but not the native control. The container hears of the
// control's focus changes and of the mouse leaving it. The message handlers here are listed in
// the message table of each class built on the relay.

#include "toolkit/editors/kvContainer.h"
#include "user/WindowDC.h"
#include "vcl/ControlsMessages.h"

template <class Base>
class TkvInnerControlRelay : public Base, public IkvContainerInnerControl {
 public:
  using Base::Base;

  bool CanFocus() override {
    TkvContainer* container = RelayTarget();
    return container ? container->CanFocus() : Base::CanFocus();
  }
  // Messages the native control would leave to its default handling are the container's first.
  void DefaultHandler(TMessage& Message) override {
    TkvContainer* container = RelayTarget();
    if (container && container->PreviewInnerMessage(Message)) return;
    Base::DefaultHandler(Message);
  }
  // The platform control's own handling of a message.
  LRESULT CallDefault(UINT Message, WPARAM WParam, LPARAM LParam) {
    return CallWindowProc(this->FDefWndProc, this->GetHandle(), Message, WParam, LParam);
  }

  // IkvContainerInnerControl
  TWinControl* InnerControl() override { return this; }
  TkvContainer* HostContainer() override { return RelayTarget(); }
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }

 protected:
  // The container the traffic goes to; nil while the control stands alone.
  virtual TkvContainer* RelayTarget() const = 0;
  virtual void InnerMouseEnter(TControl*) {}
  virtual void InnerMouseLeave(TControl*) {
    if (TkvContainer* container = RelayTarget()) container->RefreshViewInfo(true);
  }

  // The corner between the container's two scroll bars, in the painter's default colour.
  void PaintScrollBarCorner() {
    TkvContainer* container = RelayTarget();
    if (!container || !this->HandleAllocated() || !ScrollBarInfoAvailable) return;
    TRect r;
    SizeGripScreenRect(this, r);
    if (r.Width() <= 0 || r.Height() <= 0) return;
    HDC dc = GetWindowDC(this->GetHandle());
    HBRUSH brush = CreateSolidBrush(ColorToRGB(container->GetLookAndFeel()->ActivePainter()->DefaultColor32()));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    ReleaseDC(this->GetHandle(), dc);
  }

  // The handling of the class the relay is built on.
  void RelayInherited(TMessage& Message) { this->DispatchFrom(Base::MessageTable(), Message); }
  void WMGetDlgCode(TMessage& Message) {
    RelayInherited(Message);
    Message.Result |= DLGC_WANTCHARS;
    if (GetKeyState(VK_CONTROL) >= 0) Message.Result |= DLGC_WANTTAB;
  }
  void WMSetFocus(TMessage& Message) {
    RelayInherited(Message);
    TkvContainer* container = RelayTarget();
    if (!container || container->IsBeingDestroyed() || this->GetComponentState().Contains(csDestroying)) return;
    HWND from = reinterpret_cast<HWND>(Message.WParam);
    if (!(container->HandleAllocated() && from == container->GetHandle())) container->FireFocusChanged();
  }
  void WMKillFocus(TMessage& Message) {
    RelayInherited(Message);
    TkvContainer* container = RelayTarget();
    if (container && !container->IsBeingDestroyed()) container->FireFocusChanged();
  }
  void CMMouseEnter(TMessage& Message) {
    RelayInherited(Message);
    auto* control = reinterpret_cast<TControl*>(Message.LParam);
    InnerMouseEnter(control ? control : this);
  }
  void CMMouseLeave(TMessage& Message) {
    RelayInherited(Message);
    auto* control = reinterpret_cast<TControl*>(Message.LParam);
    InnerMouseLeave(control ? control : this);
  }

  void Click() override {
    Base::Click();
    if (TkvContainer* container = RelayTarget()) container->Click();
  }
  void DblClick() override {
    Base::DblClick();
    if (TkvContainer* container = RelayTarget()) container->DblClick();
  }
  bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override {
    TkvContainer* container = RelayTarget();
    if (container && container->DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    return Base::DoMouseWheel(Shift, WheelDelta, MousePos);
  }
  // The container first; the native control only when the key is still there.
  void KeyDown(Word& Key, TShiftState Shift) override {
    if (TkvContainer* container = RelayTarget()) container->KeyDown(Key, Shift);
    if (Key != 0) Base::KeyDown(Key, Shift);
  }
  void KeyPress(Char& Key) override {
    if (Key == '\t') Key = 0;
    TkvContainer* container = RelayTarget();
    if (container && Key != 0) container->KeyPress(Key);
    if (Key == '\r') Key = 0;
    if (Key != 0) Base::KeyPress(Key);
  }
  void KeyUp(Word& Key, TShiftState Shift) override {
    if (Key == VK_TAB) Key = 0;
    TkvContainer* container = RelayTarget();
    if (container && Key != 0) container->KeyUp(Key, Shift);
    if (Key != 0) Base::KeyUp(Key, Shift);
  }
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override {
    TWeakRef<TControl> self(this);
    Base::MouseDown(Button, Shift, X, Y);
    TkvContainer* container = self ? RelayTarget() : nullptr;
    if (!container) return;
    TWeakRef<TkvContainer> alive(container);
    container->SetInnerMouseDown(true);
    container->MouseDown(Button, Shift, X + this->GetLeft(), Y + this->GetTop());
    if (alive) container->SetInnerMouseDown(false);
  }
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override {
    Base::MouseMove(Shift, X, Y);
    if (TkvContainer* container = RelayTarget()) container->MouseMove(Shift, X + this->GetLeft(), Y + this->GetTop());
  }
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override {
    Base::MouseUp(Button, Shift, X, Y);
    if (TkvContainer* container = RelayTarget())
      container->MouseUp(Button, Shift, X + this->GetLeft(), Y + this->GetTop());
  }
};
