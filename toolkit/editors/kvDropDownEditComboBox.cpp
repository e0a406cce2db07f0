// The combo box: its settings, its edit area drawn by the item handler, and the editor that
// shows its lookup items in the popup's list.

#include <algorithm>

#include "rtl/SysUtils.h"
#include "toolkit/editors/kvDropDownEdit.h"
#include "toolkit/editors/kvVariants.h"
#include "user/Input.h"
#include "user/Rects.h"

TAVREN_CLASS_IMPL(TkvCustomComboBoxProperties)
TAVREN_CLASS_IMPL(TkvCustomComboBoxViewInfo)
TAVREN_CLASS_IMPL(TkvCustomComboBoxViewData)
TAVREN_CLASS_IMPL(TkvCustomComboBoxInnerEdit)
TAVREN_CLASS_IMPL(TkvCustomComboBox)
TAVREN_CLASS_IMPL(TkvFilterDropDownEditHelper)
TAVREN_CLASS_IMPL(TkvFilterComboBoxHelper)

TAVREN_MESSAGE_TABLE(TkvCustomComboBoxInnerEdit, MESSAGE_HANDLER(WM_LBUTTONUP, WMLButtonUp))
TAVREN_MESSAGE_TABLE(TkvCustomComboBox, MESSAGE_HANDLER(WM_LBUTTONUP, WMLButtonUp))

// ---- Properties ------------------------------------------------------------------------------

void TkvCustomComboBoxProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomComboBoxProperties*>(Source);
  if (!source) return TkvCustomDropDownEditProperties::Assign(Source);
  LockChanges();
  try {
    TkvCustomDropDownEditProperties::Assign(Source);
    SetDropDownListStyle(source->FDropDownListStyle);
    SetDropDownRows(source->FDropDownRows);
    SetItemHeight(source->FItemHeight);
    FRevertable = source->FRevertable;
    FOnDrawItem = source->FOnDrawItem;
    FOnMeasureItem = source->FOnMeasureItem;
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

TClassOf<TkvCustomEditViewData> TkvCustomComboBoxProperties::GetViewDataClass() {
  return TkvCustomComboBoxViewData::ClassInfo();
}

TClass TkvCustomComboBoxProperties::GetEditorClass() { return TkvComboBox::ClassInfo(); }

TClassOf<TkvCustomEditViewInfo> TkvCustomComboBoxProperties::GetViewInfoClass() {
  return TkvCustomComboBoxViewInfo::ClassInfo();
}

Byte TkvCustomComboBoxProperties::EditingStyleCode() {
  switch (FDropDownListStyle) {
    case lsEditFixedList: return kvEditingListText;
    case lsFixedList: return kvEditingStrictList;
    default: return kvEditingFreeText;
  }
}

TClassOf<TkvCustomTextEditLookupData> TkvCustomComboBoxProperties::LookupDataClass() {
  return TkvComboBoxLookupData::ClassInfo();
}

TClassOf<TkvCustomEditPopupWindow> TkvCustomComboBoxProperties::PopupWindowClass() {
  return TkvComboBoxPopupWindow::ClassInfo();
}

void TkvCustomComboBoxProperties::SetDropDownRows(Integer Value) {
  if (Value > 0) Store(FDropDownRows, Value);
}

// ---- Edit area -------------------------------------------------------------------------------

void TkvCustomComboBoxViewInfo::CopyFrom(TkvContainerViewInfo* Other) {
  if (auto* other = dynamic_cast<TkvCustomComboBoxViewInfo*>(Other)) {
    ItemIndex = other->ItemIndex;
    ComboProperties = other->ComboProperties;
  }
  TkvCustomTextEditViewInfo::CopyFrom(Other);
  UpdateOwnerDrawing();
}

void TkvCustomComboBoxViewInfo::UpdateOwnerDrawing() {
  if (ItemIndex != -1)
    OnDrawText = MakeEvent<&TkvCustomComboBoxViewInfo::DrawEditItem>(this);
  else
    OnDrawText = {};
}

void TkvCustomComboBoxViewInfo::DrawEditItem(TkvCustomTextEditViewInfo*, TkvCanvas* Canvas, const TRect& R) {
  TOwnerDrawState state{odComboBoxEdit};
  if (Focused) state = TOwnerDrawState{odSelected, odFocused, odComboBoxEdit};
  TCanvas* canvas = Canvas->GetCanvas();
  if (SelectionBarShown) {
    Canvas->SetBrushColor(clHighlight);
    canvas->GetFont()->Assign(Font);
    canvas->GetFont()->SetColor(clHighlightText);
  } else {
    Canvas->SetBrushColor(BackgroundColor);
    canvas->GetFont()->Assign(Font);
    canvas->GetFont()->SetColor(TextColor);
  }
  if (auto* combo = dynamic_cast<TkvCustomComboBox*>(Edit)) {
    combo->DoDrawItem(Canvas, ItemIndex, R, state);
  } else if (ComboProperties) {
    ComboProperties->GetOnDrawItem()(nullptr, Canvas, ItemIndex, R, state);
  }
}

namespace {

TkvCustomComboBoxProperties* ComboPropertiesOf(TkvCustomEditProperties* Properties) {
  return static_cast<TkvCustomComboBoxProperties*>(Properties);
}

}  // namespace

void TkvCustomComboBoxViewData::ComputeViewInfo(TkvCanvas* Canvas, const TRect& Bounds, const TPoint& P,
                                                Integer Button, TShiftState Shift, TkvCustomEditViewInfo* ViewInfo,
                                                bool IsMouseEvent) {
  TkvCustomDropDownEditViewData::ComputeViewInfo(Canvas, Bounds, P, Button, Shift, ViewInfo, IsMouseEvent);
  auto* info = static_cast<TkvCustomComboBoxViewInfo*>(ViewInfo);
  TkvCustomComboBoxProperties* properties = ComboPropertiesOf(Properties);
  info->ComboProperties = properties;
  auto* combo = dynamic_cast<TkvCustomComboBox*>(Edit);
  info->ItemIndex = properties->GetDropDownListStyle() == lsFixedList && combo && combo->HasDrawItemHandler()
                        ? combo->GetItemIndex()
                        : -1;
  info->UpdateOwnerDrawing();
}

void TkvCustomComboBoxViewData::LoadDisplayValue(TkvCanvas* Canvas, const Variant& Value,
                                                 TkvCustomEditViewInfo* ViewInfo) {
  TkvCustomDropDownEditViewData::LoadDisplayValue(Canvas, Value, ViewInfo);
  auto* info = static_cast<TkvCustomComboBoxViewInfo*>(ViewInfo);
  TkvCustomComboBoxProperties* properties = ComboPropertiesOf(Properties);
  info->ComboProperties = properties;
  info->ItemIndex = properties->GetDropDownListStyle() == lsFixedList && properties->GetOnDrawItem()
                        ? properties->GetItems()->IndexOf(info->Text)
                        : -1;
  info->UpdateOwnerDrawing();
}

// ---- Inner edit ------------------------------------------------------------------------------

void TkvCustomComboBoxInnerEdit::WMLButtonUp(TMessage& Message) {
  // Clicks come from choosing items, not from the mouse.
  if (TkvCustomEdit* owner = GetOwnerEdit()) owner->SetControlState(owner->GetControlState() - TControlState{csClicked});
  InheritedMessage(Message);
}

// ---- Editor ----------------------------------------------------------------------------------

TkvCustomComboBox::TkvCustomComboBox(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass)
    : TkvCustomDropDownEdit(AOwner, AInplace, APropertiesClass, TkvCustomComboBoxInnerEdit::ClassInfo()) {
  // OnClick comes from choosing items, not from mouse clicks.
  SetControlStyle(GetControlStyle() - TControlStyle{csClickEvents});
}

void TkvCustomComboBox::WMLButtonUp(TMessage& Message) {
  SetControlState(GetControlState() - TControlState{csClicked});
  InheritedMessage(Message);
}

bool TkvCustomComboBox::CanOpenPopup() {
  IkvTextEditLookupData* lookup = GetLookupDataIntf();
  return !lookup || !lookup->HasNoItems();
}

void TkvCustomComboBox::MeasurePopupContent(Integer& Width, Integer& Height) {
  TkvCustomEditPopupWindow* popup = GetPopupWindow();
  TkvComboBoxLookupData* lookup = GetComboLookupData();
  Width = Height = 0;
  if (!popup || !lookup) return;
  TkvCustomComboBoxProperties* properties = ComboProperties();
  const TSize room = popup->MaxContentSize();
  Integer available = room.cx;
  if (!properties->GetDropDownSizeable() && !properties->GetDropDownAutoWidth()) {
    TRect margins;
    popup->GetEditViewInfo()->BorderMargins(margins);
    const Integer width = properties->GetDropDownWidth() < 1 ? PopupOwnerBounds().Width() : properties->GetDropDownWidth();
    available = std::min(width - margins.Left - margins.Right, room.cx);
  }
  const TSize size = lookup->MeasureList(room.cy, available);
  Width = size.cx;
  Height = size.cy;
}

bool TkvCustomComboBox::PopupListResizable(TSize& ContentSize, const TSize& MaxContentSize) {
  TkvComboBoxLookupData* lookup = GetComboLookupData();
  return lookup && lookup->ResizeList(ContentSize, MaxContentSize.cy, MaxContentSize.cx);
}

void TkvCustomComboBox::ConfigurePopupWindow() {
  TkvCustomDropDownEdit::ConfigurePopupWindow();
  // A sizeable list gets the band with the size grip.
  GetPopupWindow()->SetSysPanelStyle(ComboProperties()->GetDropDownSizeable());
}

void TkvCustomComboBox::DisplayPopup() {
  TWeakRef<TkvCustomComboBox> self(this);
  TkvCustomDropDownEdit::DisplayPopup();
  if (!self) return;
  if (TkvComboBoxLookupData* lookup = GetComboLookupData(); lookup && lookup->GetList()) lookup->GetList()->Invalidate();
}

void TkvCustomComboBox::AfterPopupShow(TObject* Sender) {
  TWeakRef<TkvCustomComboBox> self(this);
  TkvCustomDropDownEdit::AfterPopupShow(Sender);
  if (!self) return;
  TkvComboBoxLookupData* lookup = GetComboLookupData();
  TWinControl* list = lookup ? lookup->ListControl() : nullptr;
  if (list && list->HandleAllocated() && lookup->PointOverList(Mouse()->GetCursorPos())) FPopupMouseMoveLocked = true;
}

void TkvCustomComboBox::HandleKeyDown(Word& Key, TShiftState Shift) {
  // Keys move the highlight: the row under a resting pointer keeps out of it.
  if (IsPopupOpen()) FPopupMouseMoveLocked = true;
  TkvCustomDropDownEdit::HandleKeyDown(Key, Shift);
}

bool TkvCustomComboBox::ShouldSyncLookup() {
  TkvComboBoxLookupData* lookup = GetComboLookupData();
  if (!lookup || lookup->GetTextChangeLock()) return false;
  if (IsPopupOpen()) return true;
  const Byte style = TextProperties()->EditingStyleCode();
  const bool searches = style == kvEditingListText || style == kvEditingStrictList ||
                        (style == kvEditingFreeText && TextProperties()->GetIncrementalSearch());
  if (HasShowMessageQueued() && !searches) return true;
  if (style != kvEditingFreeText) return true;
  if (!Focused()) return false;
  return !AnsiSameText(InnerText(), lookup->KeyText(lookup->GetCurrentKey()));
}

void TkvCustomComboBox::HandleInnerEditChange() {
  TkvComboBoxLookupData* lookup = GetComboLookupData();
  TWeakRef<TkvCustomComboBox> self(this);
  const Variant before = lookup ? lookup->GetCurrentKey() : Variant();
  LockChangeEvents(true);
  LockClick(true);
  try {
    TkvCustomDropDownEdit::HandleInnerEditChange();
    if (self && lookup && ShouldSyncLookup()) lookup->EditorTextChanged();
  } catch (...) {
    if (self) {
      LockClick(false);
      LockChangeEvents(false);
    }
    throw;
  }
  if (!self) return;
  LockClick(false);
  LockChangeEvents(false);
  if (self && lookup && !VarEqualsLoose(before, lookup->GetCurrentKey())) NotifyUserChange();
}

void TkvCustomComboBox::SyncLookupText() {
  if (TkvComboBoxLookupData* lookup = GetComboLookupData(); lookup && UsesLookup()) lookup->EditorTextChanged();
}

void TkvCustomComboBox::BeginInplaceEdit(TkvCustomEditData*& Data) {
  TWeakRef<TkvCustomComboBox> self(this);
  TkvCustomDropDownEdit::BeginInplaceEdit(Data);
  if (self) SyncLookupText();
}

void TkvCustomComboBox::DoExit() {
  TkvCustomTextEditProperties* properties = TextProperties();
  if (properties->GetAutoSelect() && properties->GetHideSelection() && !Focused()) SelectRange(0, 0);
  TkvCustomDropDownEdit::DoExit();
}

void TkvCustomComboBox::DblClick() {
  TWeakRef<TkvCustomComboBox> self(this);
  TkvCustomDropDownEdit::DblClick();
  if (!self || IsPopupOpen() || !ComboProperties()->GetRevertable()) return;
  TkvComboBoxLookupData* lookup = GetComboLookupData();
  if (!lookup || lookup->HasNoItems()) return;
  const Variant before = lookup->GetCurrentKey();
  LockChangeEvents(true);
  try {
    lookup->Step(lsNext, true);
    if (self && !VarEqualsLoose(before, lookup->GetCurrentKey()) && CanPostValue() &&
        GetEffectiveProperties()->GetImmediatePost() && RunValidation(true) && self)
      CommitEditValue(false);
  } catch (...) {
    if (self) LockChangeEvents(false);
    throw;
  }
  if (self) LockChangeEvents(false);
}

void TkvCustomComboBox::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TWeakRef<TkvCustomComboBox> self(this);
  TkvCustomDropDownEdit::MouseMove(Shift, X, Y);
  if (!self || !IsPopupOpen() || !HandleAllocated() || GetCapture() != GetHandle()) return;
  TkvComboBoxLookupData* lookup = GetComboLookupData();
  TWinControl* list = lookup ? lookup->ListControl() : nullptr;
  if (!list || !list->HandleAllocated()) return;
  // A press on the combo dragged into the list hands the mouse to the list.
  const TPoint screen = ClientToScreen(TPoint(X, Y));
  if (!lookup->PointOverList(screen)) return;
  const TPoint p = list->ScreenToClient(screen);
  SendMessage(list->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.X, p.Y));
}

void TkvCustomComboBox::DoDrawItem(TkvCanvas* ACanvas, Integer AIndex, const TRect& ARect, TOwnerDrawState AState) {
  TWeakRef<TkvCustomComboBox> self(this);
  static_cast<TkvCustomComboBoxProperties*>(GetProperties())->GetOnDrawItem()(this, ACanvas, AIndex, ARect, AState);
  if (self && GetRepositoryItem()) ComboProperties()->GetOnDrawItem()(this, ACanvas, AIndex, ARect, AState);
}

void TkvCustomComboBox::DoMeasureItem(Integer AIndex, TkvCanvas* ACanvas, Integer& AHeight) {
  TWeakRef<TkvCustomComboBox> self(this);
  static_cast<TkvCustomComboBoxProperties*>(GetProperties())->GetOnMeasureItem()(this, AIndex, ACanvas, AHeight);
  if (self && GetRepositoryItem()) ComboProperties()->GetOnMeasureItem()(this, AIndex, ACanvas, AHeight);
}

bool TkvCustomComboBox::HasDrawItemHandler() {
  return static_cast<bool>(static_cast<TkvCustomComboBoxProperties*>(GetProperties())->GetOnDrawItem()) ||
         (GetRepositoryItem() && static_cast<bool>(ComboProperties()->GetOnDrawItem()));
}

bool TkvCustomComboBox::HasMeasureItemHandler() {
  return static_cast<bool>(static_cast<TkvCustomComboBoxProperties*>(GetProperties())->GetOnMeasureItem()) ||
         (GetRepositoryItem() && static_cast<bool>(ComboProperties()->GetOnMeasureItem()));
}

// ---- Filter rows -----------------------------------------------------------------------------

void TkvFilterComboBoxHelper::InitFilterProperties(TkvCustomEditProperties* Properties,
                                                   TkvCustomEditProperties* Source, bool KeepButtons) {
  TkvFilterDropDownEditHelper::InitFilterProperties(Properties, Source, KeepButtons);
  auto* combo = dynamic_cast<TkvCustomComboBoxProperties*>(Properties);
  if (!combo) return;
  combo->SetButtonGlyph(nullptr);
  combo->SetDropDownRows(8);
  combo->SetDropDownListStyle(lsEditList);
  combo->SetImmediateDropDown(false);
  combo->SetPopupAlignment(taLeftJustify);
  combo->SetRevertable(false);
}
