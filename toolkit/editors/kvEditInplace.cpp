// The editor control in place and around its inner edit: activation inside a host, creating,
// hooking and placing the inner edit, the view computation and the button state machine, auto
// size, double clicks, painting (also as a copy of a data-aware cell) and button hints.

#include <algorithm>
#include <memory>

#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/editors/kvEdit.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/WindowTree.h"
#include "vcl/ControlsMessages.h"

namespace {

// The window property that leads a hooked inner window back to its editor.
constexpr const char* kHookedEditorProp = "kvEditHookedEditor";

}  // namespace

// ---- Inner edit ----------------------------------------------------------------------------

void TkvCustomEdit::CreateInnerEdit(IkvCustomInnerEdit*& InnerEdit) {
  InnerEdit = nullptr;
  TClassOf<TWinControl> innerClass = GetInnerEditClass();
  if (!innerClass) return;
  std::unique_ptr<TWinControl> control(innerClass.Create(this));
  TInterfacePtr<IkvInnerEditProvider> provider;
  TInterfacePtr<IkvCustomInnerEdit> inner;
  if (Supports(control.get(), provider))
    InnerEdit = provider->ProvidedInnerEdit();
  else if (Supports(control.get(), inner))
    InnerEdit = inner.Get();
  // A control that is no inner edit is not kept.
  if (InnerEdit) control.release();
}

void TkvCustomEdit::SetupInnerEdit() {
  FInnerEdit->SetEditorParent(this);
  if (GetEffectiveProperties()->InnerEditReportsChanges())
    FInnerEdit->SetChangeHandler(MakeEvent<&TkvCustomEdit::InnerEditChanged>(this));
  FInnerEdit->InnerControl()->SetParentShowHint(false);
}

void TkvCustomEdit::PlaceInnerEdit() {
  if (!FInnerEdit) return;
  const TRect& client = GetViewInfo()->ClientRect;
  FInnerEdit->InnerControl()->SetBounds(client.Left, client.Top, client.Width(), client.Height());
  Realign();
}

LRESULT TkvCustomEdit::HookedInnerWindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* edit = static_cast<TkvCustomEdit*>(GetProp(Window, kHookedEditorProp));
  if (!edit) return DefWindowProc(Window, Msg, WParam, LParam);
  TMessage message{Msg, WParam, LParam, 0};
  edit->InnerEditWindowProc(message);
  return message.Result;
}

void TkvCustomEdit::InnerEditWindowProc(TMessage& Message) { PassToInnerWndProc(Message); }

void TkvCustomEdit::HookInnerEdit() {
  if (!FInnerEdit || FInnerEditHooked) return;
  TWinControl* control = FInnerEdit->InnerControl();
  if (!control->HandleAllocated()) return;
  HWND window = control->GetHandle();
  SetProp(window, kHookedEditorProp, this);
  SetSavedInnerWndProc(reinterpret_cast<WNDPROC>(
      SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookedInnerWindowProc))));
  FInnerEditHooked = true;
}

void TkvCustomEdit::UnhookInnerEdit() {
  if (!FInnerEditHooked) return;
  FInnerEditHooked = false;
  WNDPROC saved = GetSavedInnerWndProc();
  SetSavedInnerWndProc(nullptr);
  if (!FInnerEdit || !FInnerEdit->InnerControl()->HandleAllocated()) return;
  HWND window = FInnerEdit->InnerControl()->GetHandle();
  // A window made again meanwhile carries its own procedure already.
  if (GetProp(window, kHookedEditorProp) != this) return;
  SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved));
  RemoveProp(window, kHookedEditorProp);
}

void TkvCustomEdit::FocusInnerControl() {
  if (FInnerEdit) FInnerEdit->SetFocusSafely();
}

void TkvCustomEdit::CreateHandle() {
  TkvContainer::CreateHandle();
  if (FInnerEdit && Focused()) FInnerEdit->SetFocusSafely();
}

// ---- In-place activation -------------------------------------------------------------------

void TkvCustomEdit::BeginInplaceEdit(TkvCustomEditData*& Data) {
  if (!Data && GetEditDataClass()) Data = GetEditDataClass().Create(this);
  FEditData = Data;
  if (FEditData && FEditData->Cleared) {
    InitFromEditData();
    FEditData->Cleared = false;
  }
  SetVisible(true);
  if (HandleAllocated() && CanFocus()) {
    SetFocus();
    if (GetEffectiveProperties()->GetAutoSelect()) SelectWholeText();
  }
  UpdateDisplayFromEditValue();
  SetModifiedFlag(false);
}

void TkvCustomEdit::BeginInplaceEditWithKey(Char Key, TkvCustomEditData*& Data) {
  TWeakRef<TkvCustomEdit> self(this);
  HookInnerEdit();
  try {
    BeginInplaceEdit(Data);
    if (ReplaysActivationChar(Key) && HandleAllocated())
      SendMessage(GetHandle(), WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(Key)), 0);
  } catch (...) {
    if (self) UnhookInnerEdit();
    throw;
  }
  if (self) UnhookInnerEdit();
}

void TkvCustomEdit::BeginInplaceEditByMouse(TShiftState Shift, Integer X, Integer Y, TkvCustomEditData*& Data) {
  TWeakRef<TkvCustomEdit> self(this);
  BeginInplaceEdit(Data);
  if (!self) return;
  if (HandleAllocated()) {
    TPoint p{X, Y};
    if (TWinControl* parent = GetParent()) p = ScreenToClient(parent->ClientToScreen(p));
    const LPARAM at = PointToLParam(p);
    if (Shift.Contains(ssLeft)) {
      SendMessage(GetHandle(), WM_LBUTTONDOWN, ShiftToMKFlags(Shift), at);
      if (!self) return;
      // The press was replayed, not made: a button already up must not leave the capture held.
      if (HandleAllocated() && GetCapture() == GetHandle() && GetAsyncKeyState(VK_LBUTTON) >= 0) ReleaseCapture();
    } else {
      SendMessage(GetHandle(), WM_LBUTTONUP, ShiftToMKFlags(Shift), at);
      if (!self) return;
    }
  }
  FDoubleClickTimer->SetEnabled(true);
}

// ---- View ----------------------------------------------------------------------------------

TkvCustomEditViewData* TkvCustomEdit::MakeViewData() {
  auto* style = static_cast<TkvCustomEditStyle*>(GetActiveStyle());
  TkvCustomEditViewData* data = GetEffectiveProperties()->MakeViewData(style, IsInplace(), false);
  if (IsInplace() && FContentParamsInitialized) {
    data->ContentParams = FContentParams;
    data->PaintOptionsByte = FContentOptions;
  }
  InitViewData(data);
  return data;
}

void TkvCustomEdit::InitViewData(TkvCustomEditViewData* ViewData) {
  ViewData->Edit = InnerEditMissing() ? nullptr : this;
  ViewData->WindowHandle = HandleAllocated() ? GetHandle() : nullptr;
  ViewData->Enabled = GetEnabled();
  ViewData->Focused = FFocused;
  ViewData->Designing = GetComponentState().Contains(csDesigning);
  ViewData->HasHorzScrollBar = GetHScrollBar() && GetHScrollBar()->GetVisible();
  ViewData->HasVertScrollBar = GetVScrollBar() && GetVScrollBar()->GetVisible();
  ViewData->InnerEdit = GetInnerControl();
}

void TkvCustomEdit::RecalcAtCursor() {
  TPoint p = CursorPosOrInvalid();
  if (HandleAllocated()) p = ScreenToClient(p);
  CalculateViewInfoAt(p, 0, CurrentShiftState() * TShiftState{ssShift, ssAlt, ssCtrl}, false);
}

bool TkvCustomEdit::CalculateViewInfoAt(const TPoint& P, Integer Button, TShiftState Shift, bool IsMouseEvent) {
  if (IsBeingDestroyed() || !HandleAllocated()) return false;
  MarkViewInfoCalculated();
  if (FCaptureButtonIndex >= 0 && GetCapture() != GetHandle()) FCaptureButtonIndex = -1;
  TkvCustomEditViewInfo* info = GetEditViewInfo();
  const bool first = info->Bounds == TRect();
  std::unique_ptr<TkvCustomEditViewInfo> older;
  if (IsMouseEvent || !first) {
    older.reset(GetProperties()->GetViewInfoClass().Create());
    older->CopyFrom(info);
  }
  {
    std::unique_ptr<TkvCustomEditViewData> data(MakeViewData());
    data->ComputeViewInfo(GetKvCanvas(), LocalBoundsOf(this), P, Button, Shift, info, IsMouseEvent);
  }
  TRect inner = HasInnerEdit() && InnerEditDisplaysValue() ? GetInnerControl()->GetBoundsRect() : TRect();
  // Only what looks different is painted again: a hot button moving repaints the two buttons.
  const bool changed = info->RepaintDifference(this, inner, older.get());
  if (info->ContainerState.Contains(csHot)) {
    TRect bounds;
    GetMouseTrackingBounds(bounds);
    StartMouseLeaveWatch(this, bounds, TrackingCaller());
  }
  if (IsMouseEvent && !changed) return false;
  TWeakRef<TkvCustomEdit> self(this);
  AlignInnerControl();
  if (!self) return false;
  SyncInnerControlLook();
  FSettingWindowRegion = true;
  try {
    UpdateWindowRegion();
  } catch (...) {
    FSettingWindowRegion = false;
    throw;
  }
  FSettingWindowRegion = false;
  if (IsMouseEvent && older) HandleButtonStateChange(older.get());
  return true;
}

void TkvCustomEdit::HandleButtonStateChange(TkvCustomEditViewInfo* Previous) {
  TkvCustomEditViewInfo* info = GetEditViewInfo();
  const Integer pressed = info->PressedButton, hot = info->HotButton;
  const Integer wasPressed = Previous->PressedButton;
  if (pressed == wasPressed && hot == Previous->HotButton) return;
  TWeakRef<TkvCustomEdit> self(this);
  if (wasPressed != -1) {
    AfterButtonUp(wasPressed);
    // Released over the button it was pressed on: a click.
    if (self && wasPressed == hot) ButtonClick(wasPressed);
  }
  if (self && pressed != -1 && wasPressed == -1) AfterButtonDown(pressed);
}

void TkvCustomEdit::WndProc(TMessage& Message) {
  // Setting the region must not move the client area under the view just computed.
  if (Message.Msg == WM_NCCALCSIZE && FSettingWindowRegion) {
    Message.Result = 0;
    return;
  }
  TkvContainer::WndProc(Message);
}

void TkvCustomEdit::BorderExtension(TRect& Margins) {
  const TkvContainerViewInfo* info = GetViewInfo();
  Margins = TRect(info->BorderRect.Left - info->Bounds.Left, info->BorderRect.Top - info->Bounds.Top,
                  info->Bounds.Right - info->BorderRect.Right, info->Bounds.Bottom - info->BorderRect.Bottom);
}

bool TkvCustomEdit::UsesNativeTheme() {
  return TkvCustomEditViewData::UsesNativeLook(GetStyle()->GetLookAndFeel());
}

// ---- Mouse ---------------------------------------------------------------------------------

Integer TkvCustomEdit::ButtonAtPoint(const TPoint& P) {
  TkvCustomEditViewInfo* info = GetEditViewInfo();
  for (Integer i = 0; i < info->ButtonCount(); ++i) {
    const TRect& b = info->Buttons[i]->Bounds;
    if (P.X >= b.Left && P.X < b.Right && P.Y >= b.Top && P.Y < b.Bottom) return i;
  }
  return -1;
}

void TkvCustomEdit::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TWeakRef<TkvCustomEdit> self(this);
  if (Button == mbLeft && FDoubleClickTimer->GetEnabled()) {
    FDoubleClickTimer->SetEnabled(false);
    // The second click of the double click that activated the editor in place.
    if (ButtonAtPoint(TPoint{X, Y}) < 0) DblClick();
    if (!self) return;
  }
  TkvContainer::MouseDown(Button, Shift, X, Y);
  if (!self || Button != mbLeft || !HandleAllocated() || GetCapture() != GetHandle()) return;
  Integer index = ButtonAtPoint(TPoint{X, Y});
  if (index >= 0 && GetEditViewInfo()->Buttons[index]->State == ebsPressed) FCaptureButtonIndex = index;
}

void TkvCustomEdit::DblClick() {
  TPoint p = CursorPosOrInvalid();
  if (HandleAllocated()) p = ScreenToClient(p);
  if (!HandleAllocated() || ButtonAtPoint(p) < 0) return TkvContainer::DblClick();
  // A double click on a button is a second press of it.
  TWeakRef<TkvCustomEdit> self(this);
  MouseDown(mbLeft, CurrentShiftState() + TShiftState{ssLeft}, p.X, p.Y);
  if (self) Click();
}

// ---- Size ----------------------------------------------------------------------------------

void TkvCustomEdit::GetSizeRequest(TkvEditSizeRequest& Request) {
  Request = TkvEditSizeRequest();
  Request.Width = GetWidth();
}

void TkvCustomEdit::ComputeAutoSize(Integer& NewWidth, Integer& NewHeight) {
  if (!AutoSizeAllowed()) return;
  TkvEditSizeRequest request;
  GetSizeRequest(request);
  TSize size;
  {
    // Measured in the normal style, not the hot or focused one, whose border may be wider: the
    // editor keeps its height under the mouse and in the focus.
    std::unique_ptr<TkvCustomEditViewData> data(MakeViewData());
    data->Edit = nullptr;
    data->SetEditStyle(GetEditStyle());
    data->GetEditSize(ScreenCanvasInstance(), FEditValue, size, request);
    data->Edit = this;
    data->ConstrainEditSize(size);
  }
  const TAlign align = GetAlign();
  if (AutoWidthAllowed() && align != alTop && align != alBottom && align != alClient && align != alCustom)
    NewWidth = size.cx;
  if (align != alLeft && align != alRight && align != alClient && align != alCustom) NewHeight = size.cy;
}

bool TkvCustomEdit::CanResize(Integer& NewWidth, Integer& NewHeight) {
  bool allowed = TkvContainer::CanResize(NewWidth, NewHeight);
  // Measuring needs the editor complete: its window exists only after construction.
  if (allowed && HandleAllocated() && !GetComponentState().Contains(csLoading)) ComputeAutoSize(NewWidth, NewHeight);
  return allowed;
}

void TkvCustomEdit::AlignInnerControl() {
  if (!HandleAllocated() || IsBeingDestroyed()) return;
  Integer width = GetWidth(), height = GetHeight();
  ComputeAutoSize(width, height);
  Integer left = GetLeft();
  if (GrowsLeftOnAutoSize()) left += GetWidth() - width;
  // Setting equal bounds would still realign, and so recompute the view without the mouse.
  if (left != GetLeft() || width != GetWidth() || height != GetHeight()) SetBounds(left, GetTop(), width, height);
  if (FInnerEdit) PlaceInnerEdit();
}

void TkvCustomEdit::SetAutoSize(bool Value) {
  if (Value == TkvContainer::GetAutoSize() || FInplace) return;
  TkvContainer::SetAutoSize(Value);
  if (!Value) return;
  GetHeight();
  AdjustSize();
  RefreshView();
}

Integer TkvCustomEdit::GetHeight() {
  const bool canMake = GetParent() || GetParentWindow();
  if (!HandleAllocated() && !FHandleAllocating && !IsBeingDestroyed() && canMake) {
    FHandleAllocating = true;
    try {
      HandleNeeded();
    } catch (...) {
      FHandleAllocating = false;
      throw;
    }
    FHandleAllocating = false;
  }
  return TkvContainer::GetHeight();
}

void TkvCustomEdit::RequestAlign() {
  TkvContainer::RequestAlign();
  RefreshView();
}

void TkvCustomEdit::CMShowingChanged(TMessage& Message) {
  InheritedMessage(Message);
  if (GetShowing()) AlignInnerControl();
}

// Height and Width are written here: an auto-sized editor's measured size is not stored.
void TkvCustomEdit::DefineProperties(TFiler* Filer) {
  TkvContainer::DefineProperties(Filer);
  auto* ancestor = dynamic_cast<TControl*>(Filer->GetAncestor());
  const bool height = !AutoSizeAllowed() && (!ancestor || ancestor->GetHeight() != GetHeight());
  const bool width = !(AutoSizeAllowed() && AutoWidthAllowed()) && (!ancestor || ancestor->GetWidth() != GetWidth());
  Filer->DefineProperty(
      "Height", [this](TReader* Reader) { SetHeight(static_cast<Integer>(Reader->ReadInteger())); },
      [this](TWriter* Writer) { Writer->WriteInteger(GetHeight()); }, height);
  Filer->DefineProperty(
      "Width", [this](TReader* Reader) { SetWidth(static_cast<Integer>(Reader->ReadInteger())); },
      [this](TWriter* Writer) { Writer->WriteInteger(GetWidth()); }, width);
}

// ---- Painting ------------------------------------------------------------------------------

bool TkvCustomEdit::IsPaintCopy() { return IsDataStorageBound() && GetControlState().Contains(csPaintCopy); }

void TkvCustomEdit::Paint() {
  if (IsPaintCopy()) return PaintCopy();
  TkvContainer::Paint();
}

void TkvCustomEdit::PaintCopy() {
  TkvCanvas* canvas = GetKvCanvas();
  ClipToWindowRegion();
  std::unique_ptr<TkvCustomEditViewInfo> info(GetProperties()->GetViewInfoClass().Create());
  info->Edit = this;
  {
    std::unique_ptr<TkvCustomEditViewData> data(MakeViewData());
    Variant stored;
    FDataBinding->GetStoredValue(stored);
    data->LoadDisplayValue(canvas, stored, info.get());
    data->ComputeViewInfo(canvas, LocalBoundsOf(this), TPoint{-1, -1}, 0, TShiftState{}, info.get(), false);
  }
  info->Draw(canvas);
  canvas->ClipOutRect(LocalBoundsOf(this));
}

// ---- Hints ---------------------------------------------------------------------------------

void TkvCustomEdit::CMHintShow(TMessage& Message) {
  auto* hint = reinterpret_cast<THintInfo*>(Message.LParam);
  TRect area;
  String text;
  if (GetEditViewInfo()->GetHint(hint->CursorPos, area, text) == -2) {
    Message.Result = -1;
    return;
  }
  if (text.empty() && GetShowHint()) text = GetShortHint(GetHint());
  hint->HintStr = text;
  hint->CursorRect = area;
  Message.Result = 0;
}
