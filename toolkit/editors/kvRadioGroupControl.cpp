// The radio group and the buttons it is made of: value and buttons kept together, the after-load
// step, focus and tab order.

#include "controls/Button.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvRadioGroup.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "user/VirtualKeys.h"
#include "user/MessageNumbers.h"
#include "vcl/ControlsMessages.h"
#include "vcl/Forms.h"

TAVREN_CLASS_IMPL(TkvCustomRadioGroupButton)
TAVREN_CLASS_IMPL(TkvCustomRadioGroup)
TAVREN_CLASS_IMPL_PUBLISHED(
    TkvRadioGroup, PROPERTY(Align).Default(alNone), PROPERTY(Anchors), PROPERTY(Caption), PROPERTY(Ctl3D),
    PROPERTY(ParentCtl3D).Default(true), PROPERTY_AS(Properties, GetRadioGroupProperties, SetRadioGroupProperties),
    PROPERTY(ItemIndex).Stored<&TkvCustomRadioGroup::IsItemIndexStored>(), PROPERTY(Alignment).Default(alTopLeft),
    PROPERTY(ParentBackground).Default(true), PROPERTY(Transparent).Default(false),
    PROPERTY_AS(Style, GetEditStyle, SetEditStyle), PROPERTY_AS(StyleDisabled, GetEditStyleDisabled, SetEditStyleDisabled),
    PROPERTY_AS(StyleFocused, GetEditStyleFocused, SetEditStyleFocused),
    PROPERTY_AS(StyleHot, GetEditStyleHot, SetEditStyleHot), PROPERTY(OnEditing))

TAVREN_MESSAGE_TABLE(TkvCustomRadioGroupButton, MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode),
                     MESSAGE_HANDLER(WM_SETFOCUS, WMSetFocus), MESSAGE_HANDLER(WM_KILLFOCUS, WMKillFocus),
                     MESSAGE_HANDLER(CN_COMMAND, CNCommand))

// ---- Button -----------------------------------------------------------------------------------

TkvCustomRadioGroupButton::TkvCustomRadioGroupButton(TComponent* AOwner)
    : TkvRadioButton(AOwner), FGroup(static_cast<TkvCustomRadioGroup*>(AOwner)) {
  FGroup->AddButtonControl(this);
  GetLookAndFeel()->AttachToMaster(FGroup->GetStyle()->GetLookAndFeel());
}

TkvCustomRadioGroupButton::~TkvCustomRadioGroupButton() { FGroup->RemoveButtonControl(this); }

HDC TkvCustomRadioGroupButton::CanvasHandle() {
  TCanvas* canvas = KvCanvas()->GetCanvas();
  return canvas->HandleAllocated() ? canvas->GetHandle() : nullptr;
}

bool TkvCustomRadioGroupButton::CanFocus() { return FGroup->CanFocusNow(); }

bool TkvCustomRadioGroupButton::ExecuteAction(TBasicAction* Action) {
  return TkvRadioButton::ExecuteAction(Action) || FGroup->GetDataBinding()->ExecuteAction(Action);
}

bool TkvCustomRadioGroupButton::UpdateAction(TBasicAction* Action) {
  return TkvRadioButton::UpdateAction(Action) || FGroup->GetDataBinding()->UpdateAction(Action);
}

void TkvCustomRadioGroupButton::WndProc(TMessage& Message) {
  if (FGroup->PreviewInnerMessage(Message)) return;
  if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && FGroup->GetDragMode() == dmAutomatic &&
      !GetComponentState().Contains(csDesigning)) {
    FGroup->BeginDrag(false);
    return;
  }
  if (Message.Msg != WM_LBUTTONDOWN) return TkvRadioButton::WndProc(Message);
  FMousePress = true;
  try {
    TkvRadioButton::WndProc(Message);
  } catch (...) {
    FMousePress = false;
    throw;
  }
  FMousePress = false;
}

void TkvCustomRadioGroupButton::DefaultHandler(TMessage& Message) {
  if (!FGroup->PreviewInnerMessage(Message)) TkvRadioButton::DefaultHandler(Message);
}

void TkvCustomRadioGroupButton::Click() {
  TkvRadioButton::Click();
  if (!FGroup->IsLoadingReadingOrUpdating()) FGroup->Click();
}

void TkvCustomRadioGroupButton::DoEnter() {
  TRadioButton::DoEnter();
  FGroup->RefreshViewInfo(false);
  if (GetChecked() || FGroup->IsInplace() || FMousePress || !FGroup->RequestEdit()) return;
  SetChecked(true);
}

void TkvCustomRadioGroupButton::DoExit() {
  TRadioButton::DoExit();
  FGroup->RefreshViewInfo(false);
}

void TkvCustomRadioGroupButton::KeyPress(Char& Key) {
  TkvRadioButton::KeyPress(Key);
  if ((Key == '\b' || Key == ' ') && !FGroup->ModificationAllowed()) Key = 0;
}

void TkvCustomRadioGroupButton::WMGetDlgCode(TMessage& Message) {
  InheritedMessage(Message);
  if (!FGroup->IsInplace()) return;
  if (!(GetKeyState(VK_CONTROL) & 0x8000)) Message.Result |= DLGC_WANTTAB;
  Message.Result |= DLGC_WANTARROWS;
}

void TkvCustomRadioGroupButton::WMSetFocus(TMessage& Message) {
  InheritedMessage(Message);
  if (!GetComponentState().Contains(csDestroying) && reinterpret_cast<HWND>(Message.WParam) != FGroup->GetHandle())
    FGroup->FireFocusChanged();
}

void TkvCustomRadioGroupButton::WMKillFocus(TMessage& Message) {
  InheritedMessage(Message);
  if (!GetComponentState().Contains(csDestroying) && reinterpret_cast<HWND>(Message.WParam) != FGroup->GetHandle())
    FGroup->FireFocusChanged();
}

void TkvCustomRadioGroupButton::CNCommand(TMessage& Message) {
  if (FInCommand) return;
  const Integer code = HIWORD(Message.WParam);
  if (code != BN_CLICKED && code != BN_DOUBLECLICKED) return InheritedMessage(Message);
  FInCommand = true;
  try {
    if (GetChecked() || (FGroup->ModificationAllowed() && FGroup->RequestEdit())) InheritedMessage(Message);
  } catch (Exception& E) {
    FInCommand = false;
    Application()->HandleException(this);
    return;
  }
  FInCommand = false;
}

void TkvCustomRadioGroupButton::SetChecked(bool Value) {
  if (GetChecked() == Value) return;
  const bool disabled = std::exchange(FClicksDisabled, true);
  try {
    TkvRadioButton::SetChecked(Value);
  } catch (...) {
    FClicksDisabled = disabled;
    throw;
  }
  FClicksDisabled = disabled;
  if (Value && !FInGuardedSet) FGroup->ButtonChecked(this);
}

void TkvCustomRadioGroupButton::GuardedSetChecked(bool Value) {
  if (FInGuardedSet) return;
  FInGuardedSet = true;
  try {
    SetChecked(Value);
  } catch (...) {
    FInGuardedSet = false;
    throw;
  }
  FInGuardedSet = false;
}

bool TkvCustomRadioGroupButton::IsInGroupInplace() { return FGroup->IsInplace(); }
bool TkvCustomRadioGroupButton::NeedsParentBackground() { return FGroup->NeedsParentBackground(); }

bool TkvCustomRadioGroupButton::IsNative() {
  return NativeThemeOpen(FGroup->GetStyle()->GetLookAndFeel()->GetNativeStyle(), totButton);
}

bool TkvCustomRadioGroupButton::IsTransparent() { return FGroup->GetTransparent() && !FGroup->IsInplace(); }

bool TkvCustomRadioGroupButton::BackgroundBorrowed() {
  return TkvRadioButton::BackgroundBorrowed() || (FGroup->IsInplace() && FGroup->GetEditViewInfo()->HasCustomBackground());
}

void TkvCustomRadioGroupButton::PaintBackground() {
  TkvCustomEditViewInfo* info = FGroup->GetEditViewInfo();
  if (!(FGroup->IsInplace() && info->HasCustomBackground())) return TkvRadioButton::PaintBackground();
  info->DrawBackgroundByEventAt(KvCanvas(), TPoint(GetLeft(), GetTop()));
}

void TkvCustomRadioGroupButton::Draw(bool FocusOnly) {
  TkvCustomLookAndFeelPainterClass skin = GetLookAndFeel()->GetSkinPainter();
  if (!skin) return TkvRadioButton::Draw(FocusOnly);
  TkvBitmap image(GetWidth(), GetHeight());
  TkvCanvas* canvas = image.GetkvCanvas();
  FGroup->SetCopyingBackground(true);
  try {
    CopyParentImage(this, canvas, image.ImageRect(), false);
  } catch (...) {
    FGroup->SetCopyingBackground(false);
    throw;
  }
  FGroup->SetCopyingBackground(false);
  const bool native = IsNative();
  PaintGlyph(canvas, skin, clNone, native);
  PaintCaption(canvas, native);
  KvCanvas()->DrawGraphic(0, 0, &image);
}

// ---- Group ------------------------------------------------------------------------------------

TkvCustomRadioGroup::TkvCustomRadioGroup(TComponent* AOwner, bool AInplace,
                                         TkvCustomEditPropertiesClass APropertiesClass)
    : TkvCustomButtonGroup(AOwner, AInplace, APropertiesClass) {
  TControlStyle style{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csReplicatable};
  if (GetControlStyle().Contains(csParentBackground)) style.Include(csParentBackground);
  SetControlStyle(style);
  SetBounds(GetLeft(), GetTop(), 185, 105);
}

bool TkvCustomRadioGroup::IsLoadingReadingOrUpdating() {
  const TComponentState state = GetComponentState();
  return state.Contains(csLoading) || state.Contains(csReading) || state.Contains(csUpdating);
}

void TkvCustomRadioGroup::Loaded() {
  TkvCustomButtonGroup::Loaded();
  ApplyLoadedState();
}

void TkvCustomRadioGroup::Updated() {
  TkvCustomButtonGroup::Updated();
  ApplyLoadedState();
}

void TkvCustomRadioGroup::ApplyLoadedState() {
  LockChangeEvents(true);
  LockClick(true);
  try {
    if (!IsDataStorageBound()) SetEditValue(RadioProperties()->GetDefaultValue());
    SetItemIndex(FStoredIndex);
  } catch (...) {
    LockClick(false);
    LockChangeEvents(false, false);
    throw;
  }
  LockClick(false);
  LockChangeEvents(false, false);
  UpdateButtons();
}

void TkvCustomRadioGroup::SetDragMode(TDragMode Value) {
  TkvCustomButtonGroup::SetDragMode(Value);
  for (Integer i = 0; i < ButtonControlCount(); ++i) ButtonControl(i)->SetDragMode(Value);
}

void TkvCustomRadioGroup::SetDragKind(TDragKind Value) {
  TkvCustomButtonGroup::SetDragKind(Value);
  for (Integer i = 0; i < ButtonControlCount(); ++i) ButtonControl(i)->SetDragKind(Value);
}

void TkvCustomRadioGroup::SetFocus() {
  const Integer checked = CheckedIndex();
  if (checked >= 0 && RadioButton(checked)->CanFocus()) return RadioButton(checked)->SetFocus();
  TkvCustomButtonGroup::SetFocus();
}

void TkvCustomRadioGroup::SetParentBackground(bool Value) {
  TkvCustomButtonGroup::SetParentBackground(Value);
  for (Integer i = 0; i < ButtonControlCount(); ++i) ButtonControl(i)->SetParentBackground(Value);
}

bool TkvCustomRadioGroup::IsOwnScrollControl(TControl* Control) {
  return TkvCustomButtonGroup::IsOwnScrollControl(Control) ||
         IndexOfButton(dynamic_cast<TWinControl*>(Control)) >= 0;
}

bool TkvCustomRadioGroup::IsFocusedNow() {
  for (Integer i = 0; i < ButtonControlCount(); ++i)
    if (ButtonControl(i)->Focused()) return false;
  return Focused();
}

Integer TkvCustomRadioGroup::IndexOfButton(TWinControl* Button) {
  for (Integer i = 0; i < ButtonControlCount(); ++i)
    if (ButtonControl(i) == Button) return i;
  return -1;
}

Integer TkvCustomRadioGroup::CheckedIndex() {
  for (Integer i = 0; i < ButtonControlCount(); ++i)
    if (RadioButton(i)->GetChecked()) return i;
  return -1;
}

void TkvCustomRadioGroup::StoreEditValue(const Variant& Value) { SetEditValueAndButtons(Value, false); }

bool TkvCustomRadioGroup::IsPaintCopy() { return !FCopyingBackground && TkvCustomButtonGroup::IsPaintCopy(); }

void TkvCustomRadioGroup::BeginInplaceEdit(TkvCustomEditData*& Data) {
  TkvCustomButtonGroup::BeginInplaceEdit(Data);
  if (ButtonControlCount() == 0) return;
  TkvCustomRadioGroupButton* button = RadioButton(std::max(CheckedIndex(), 0));
  if (button->CanFocus()) button->SetFocus();
}

Variant TkvCustomRadioGroup::PrepareEditValue(Integer Index) {
  TkvCustomRadioGroupProperties* properties = RadioProperties();
  if (Index < 0 || Index >= properties->ItemCount()) return properties->GetDefaultValue();
  TkvRadioGroupItem* item = properties->GetRadioItems()->GetRadioItem(Index);
  return VarIsNull(item->GetValue()) ? Variant(item->GetCaption()) : item->GetValue();
}

Integer TkvCustomRadioGroup::GetItemIndex() {
  if (IsLoadingReadingOrUpdating() || GetComponentState().Contains(csDesigning)) return FStoredIndex;
  return CheckedIndex();
}

void TkvCustomRadioGroup::SetItemIndex(Integer Value) {
  if (!IsLoadingReadingOrUpdating()) {
    Value = std::clamp(Value, -1, ButtonControlCount() - 1);
    SetEditValueAndButtons(PrepareEditValue(Value), false);
  }
  if (IsLoadingReadingOrUpdating() || GetComponentState().Contains(csDesigning)) FStoredIndex = Value;
}

void TkvCustomRadioGroup::SetEditValueAndButtons(const Variant& Value, bool Forced) {
  {
    TkvChangeEventsLock lock(this);
    TkvCustomButtonGroup::StoreEditValue(Value);
    const Integer index = RadioProperties()->IndexOfValue(Value);
    if (Forced || index != CheckedIndex()) {
      ButtonsFollow(index, Forced);
      NotifyUserChange();
      RaiseChange();
    } else if (!FUserChange) {
      SetModifiedFlag(false);
    }
  }
  RefreshViewInfo(false);
}

void TkvCustomRadioGroup::FocusButton(Integer Index) {
  if (Index < 0 || Index >= ButtonControlCount() || !Focused()) return;
  if (HandleAllocated() && GetFocus() == GetHandle()) return;
  if (RadioButton(Index)->CanFocus()) RadioButton(Index)->SetFocus();
}

void TkvCustomRadioGroup::ButtonsFollow(Integer Index, bool Forced) {
  if (Forced) return FocusButton(Index);
  if (Index < 0) {
    const Integer checked = CheckedIndex();
    if (checked >= 0) RadioButton(checked)->GuardedSetChecked(false);
  } else if (Index < ButtonControlCount()) {
    RadioButton(Index)->GuardedSetChecked(true);
    FocusButton(Index);
  }
  if (IsLoadingReadingOrUpdating() || GetComponentState().Contains(csDesigning)) FStoredIndex = Index;
}

void TkvCustomRadioGroup::ButtonChecked(TkvCustomRadioGroupButton* Button) {
  TkvChangeEventsLock lock(this);
  FUserChange = Focused();
  try {
    if (!IsLoadingReadingOrUpdating()) SetEditValueAndButtons(PrepareEditValue(IndexOfButton(Button)), true);
  } catch (...) {
    FUserChange = false;
    throw;
  }
  FUserChange = false;
  // An immediate post comes before the change events the check raised.
  if (Focused() && GetEffectiveProperties()->GetImmediatePost() && CanPostValue() && RunValidation(true))
    CommitEditValue(false);
}

void TkvCustomRadioGroup::PlaceButtons() {
  TkvCustomButtonGroup::PlaceButtons();
  TkvButtonGroupViewInfo* info = ButtonGroupViewInfo();
  for (Integer i = 0; i < ButtonControlCount() && i < info->ButtonCount(); ++i)
    RadioButton(i)->SetPlace(info->Button(i)->Column, info->Button(i)->Row);
}

HDC TkvCustomRadioGroup::ButtonCanvasHandle(Integer Index) { return RadioButton(Index)->CanvasHandle(); }

TWinControl* TkvCustomRadioGroup::CreateButtonControl() { return new TkvCustomRadioGroupButton(this); }

void TkvCustomRadioGroup::SyncButtonStyles() {
  TkvCustomButtonGroup::SyncButtonStyles();
  TkvButtonGroupViewInfo* info = ButtonGroupViewInfo();
  if (info->ButtonCount() == 0) return;
  const TkvLookAndFeelKind kind = KindOfButtonStyle(info->Button(0)->ButtonStyle);
  const TColor disabled = GetStyleDisabled()->GetEffectiveFont()->GetColor();
  for (Integer i = 0; i < ButtonControlCount(); ++i) {
    TkvCustomRadioGroupButton* button = RadioButton(i);
    button->GetLookAndFeel()->SetKind(kind);
    if (!button->GetEnabled()) button->GetFont()->SetColor(disabled);
    button->SetTransparent(GetTransparent());
  }
}

void TkvCustomRadioGroup::UpdateButtons() {
  const Integer remembered = GetItemIndex();
  TkvCustomButtonGroup::UpdateButtons();
  TkvCustomRadioGroupProperties* properties = RadioProperties();
  if (!IsLoadingReadingOrUpdating() && remembered != CheckedIndex()) SetItemIndex(remembered);
  TkvRadioGroupItems* items = properties->GetRadioItems();
  for (Integer i = 0; i < ButtonControlCount() && i < items->GetCount(); ++i) {
    RadioButton(i)->SetCaption(items->GetRadioItem(i)->GetCaption());
    RadioButton(i)->SetWordWrap(properties->GetWordWrap());
  }
}

void TkvCustomRadioGroup::GetTabOrderList(std::vector<TWinControl*>& List) {
  TkvCustomButtonGroup::GetTabOrderList(List);
  std::erase(List, static_cast<TWinControl*>(this));
  for (Integer i = 0; i < ButtonControlCount(); ++i) std::erase(List, ButtonControl(i));
  if (!(GetTabStop() || Focused()) || GetItemIndex() == -1) return;
  for (Integer i = 0; i < ButtonControlCount(); ++i)
    if (ButtonControl(i)->GetEnabled()) List.push_back(ButtonControl(i));
}

void TkvCustomRadioGroup::Resize() {
  TkvCustomButtonGroup::Resize();
  if (GetComponentState().Contains(csDesigning) && NeedsParentBackground() && HandleAllocated())
    InvalidateRect(GetHandle(), nullptr, TRUE);
}
