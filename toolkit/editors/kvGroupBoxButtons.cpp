// The button group: its items, Properties and the control with one child control per item.

#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvGroupBox.h"
#include "user/Painting.h"
#include "user/VirtualKeys.h"
#include "user/MessageNumbers.h"

TAVREN_CLASS_IMPL_PUBLISHED(TkvButtonGroupItem, PROPERTY(Caption), PROPERTY(Enabled).Default(true),
                            PROPERTY(Tag).Stored<&TkvButtonGroupItem::IsTagStored>())
TAVREN_CLASS_IMPL(TkvButtonGroupItems)
TAVREN_CLASS_IMPL(TkvCustomButtonGroupProperties)
TAVREN_CLASS_IMPL(TkvCustomButtonGroup)

TAVREN_MESSAGE_TABLE(TkvCustomButtonGroup, MESSAGE_HANDLER(WM_WINDOWPOSCHANGED, WMWindowPosChanged))

// ---- Items ------------------------------------------------------------------------------------

void TkvButtonGroupItem::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvButtonGroupItem*>(Source);
  if (!source) return TCollectionItem::Assign(Source);
  SetCaption(source->FCaption);
  SetEnabled(source->FEnabled);
  FTag = source->FTag;
}

void TkvButtonGroupItem::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  ReportChange();
}

void TkvButtonGroupItem::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  ReportChange();
}

void TkvButtonGroupItem::ReportChange() {
  if (auto* items = dynamic_cast<TkvButtonGroupItems*>(GetCollection())) items->ReportItemChange(this, -1, bgcChanged);
}

TkvButtonGroupItems::~TkvButtonGroupItems() { FDestroying = true; }

void TkvButtonGroupItems::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  if (Action == cnAdded) FAddedItem = Item;
  if (Action == cnExtracting && !FDestroying) FRemovedIndex = Item->GetIndex();
  TOwnedCollection::Notify(Item, Action);
}

void TkvButtonGroupItems::Update(TCollectionItem* Item) {
  // An addition or a removal is one single change; anything else is a change of the whole.
  if (!Item && FAddedItem) {
    const Integer index = std::exchange(FAddedItem, nullptr)->GetIndex();
    return ReportItemChange(nullptr, index, bgcAdded);
  }
  if (!Item && FRemovedIndex >= 0) return ReportItemChange(nullptr, std::exchange(FRemovedIndex, -1), bgcDeleted);
  if (auto* owner = dynamic_cast<TkvCustomEditProperties*>(GetOwner())) owner->NotifyChanged();
}

void TkvButtonGroupItems::ReportItemChange(TkvButtonGroupItem* Item, Integer Index, TkvButtonGroupChangeKind Kind) {
  auto* owner = dynamic_cast<TkvCustomEditProperties*>(GetOwner());
  if (!owner || FDestroying) return;
  // Locked Properties hear of it as a change of the whole when they are unlocked.
  if (owner->IsChangeLocked()) return owner->NotifyChanged();
  FChangedIndex = Item ? Item->GetIndex() : Index;
  FChangeKind = Kind;
  FChangePending = true;
  try {
    owner->NotifyChanged();
  } catch (...) {
    FChangePending = false;
    throw;
  }
  FChangePending = false;
}

// ---- Properties -------------------------------------------------------------------------------

TkvCustomButtonGroupProperties::~TkvCustomButtonGroupProperties() {
  LockChanges();
  FItems.reset();
  UnlockChanges(false);
}

void TkvCustomButtonGroupProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomButtonGroupProperties*>(Source);
  if (!source) return TkvCustomGroupBoxProperties::Assign(Source);
  LockChanges();
  try {
    TkvCustomGroupBoxProperties::Assign(Source);
    SetColumns(source->FColumns);
    SetItems(source->GetItems());
    SetWordWrap(source->FWordWrap);
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

TClass TkvCustomButtonGroupProperties::GetEditorClass() { return TkvCustomButtonGroup::ClassInfo(); }

TClassOf<TkvCustomEditViewData> TkvCustomButtonGroupProperties::GetViewDataClass() {
  return TkvButtonGroupViewData::ClassInfo();
}

TClassOf<TkvCustomEditViewInfo> TkvCustomButtonGroupProperties::GetViewInfoClass() {
  return TkvButtonGroupViewInfo::ClassInfo();
}

Integer TkvCustomButtonGroupProperties::GetSupportedFeatures() { return ItemCount() > 0 ? 0x5AF : 0x58F; }

TkvCustomEditProperties* TkvCustomButtonGroupProperties::NewOfSameClass() {
  auto* copy = static_cast<TkvCustomButtonGroupProperties*>(TkvCustomGroupBoxProperties::NewOfSameClass());
  for (const char* caption : {"A", "B", "C"})
    static_cast<TkvButtonGroupItem*>(copy->GetItems()->Add())->SetCaption(caption);
  copy->SetColumns(3);
  return copy;
}

TkvButtonGroupItems* TkvCustomButtonGroupProperties::CreateItems() {
  return new TkvButtonGroupItems(this, TkvButtonGroupItem::ClassInfo());
}

TkvButtonGroupItems* TkvCustomButtonGroupProperties::GetItems() {
  if (!FItems) FItems.reset(CreateItems());
  return FItems.get();
}

void TkvCustomButtonGroupProperties::SetColumns(Integer Value) { Store(FColumns, std::max(Value, 1)); }

Integer TkvCustomButtonGroupProperties::EffectiveColumns() {
  const Integer count = ItemCount();
  const Integer columns = std::min(FColumns, count);
  if (count <= 0) return columns;
  const Integer rows = (count + columns - 1) / columns;
  return (count + rows - 1) / rows;
}

Integer TkvCustomButtonGroupProperties::RowTotal() {
  const Integer columns = std::max(EffectiveColumns(), 1);
  return (ItemCount() + columns - 1) / columns;
}

// ---- Control ----------------------------------------------------------------------------------

TkvCustomButtonGroup::TkvCustomButtonGroup(TComponent* AOwner, bool AInplace,
                                           TkvCustomEditPropertiesClass APropertiesClass)
    : TkvCustomGroupBox(AOwner, AInplace, APropertiesClass) {
  SetAutoSize(false);
  SetTabStop(true);
}

TkvCustomButtonGroup::~TkvCustomButtonGroup() {
  while (!FButtons.empty()) delete FButtons.back();
}

void TkvCustomButtonGroup::RemoveButtonControl(TWinControl* Button) {
  auto it = std::find(FButtons.begin(), FButtons.end(), Button);
  if (it != FButtons.end()) FButtons.erase(it);
}

void TkvCustomButtonGroup::ReadState(TReader* Reader) {
  TkvCustomGroupBox::ReadState(Reader);
  UpdateButtons();
  UpdateDisplayFromEditValue();
}

void TkvCustomButtonGroup::CreateHandle() {
  TkvCustomGroupBox::CreateHandle();
  UpdateButtons();
  UpdateDisplayFromEditValue();
}

void TkvCustomButtonGroup::ApplyStyle(TObject* Style) {
  TkvCustomGroupBox::ApplyStyle(Style);
  if (!GetComponentState().Contains(csLoading)) UpdateButtons();
}

bool TkvCustomButtonGroup::CalculateViewInfoAt(const TPoint& P, Integer Button, TShiftState Shift, bool IsMouseEvent) {
  const bool result = TkvCustomGroupBox::CalculateViewInfoAt(P, Button, Shift, IsMouseEvent);
  PlaceButtons();
  return result;
}

void TkvCustomButtonGroup::HandleKeyDown(Word& Key, TShiftState Shift) {
  Integer focused = -1;
  for (Integer i = 0; i < ButtonControlCount() && focused < 0; ++i)
    if (ButtonControl(i)->Focused()) focused = i;
  if (focused < 0) return;
  TkvCustomButtonGroupProperties* properties = GroupProperties();
  const Integer rows = properties->RowTotal();
  const Integer column = focused / rows, row = focused % rows;
  const Integer columnStart = column * rows;
  const Integer rowsInColumn = std::min(rows, properties->ItemCount() - columnStart);
  Integer target = -1;
  switch (Key) {
    case VK_LEFT: target = column > 0 ? focused - rows : -1; break;
    case VK_UP: target = row > 0 ? focused - 1 : -1; break;
    case VK_RIGHT: target = focused + rows < ButtonControlCount() ? focused + rows : -1; break;
    case VK_DOWN: target = row < rowsInColumn - 1 ? focused + 1 : -1; break;
    default: break;
  }
  if (target >= 0 && target < ButtonControlCount()) {
    ButtonControl(target)->SetFocus();
    Key = 0;
  }
  TkvCustomGroupBox::HandleKeyDown(Key, Shift);
}

bool TkvCustomButtonGroup::SkipsButtonPainting(HDC DC) {
  for (Integer i = 0; i < ButtonControlCount(); ++i)
    if (ButtonCanvasHandle(i) == DC) return true;
  return false;
}

void TkvCustomButtonGroup::ApplyPropertiesChange(TObject* Properties) {
  if (!GetComponentState().Contains(csReading) && !GetComponentState().Contains(csLoading)) UpdateButtons();
  TkvCustomGroupBox::ApplyPropertiesChange(Properties);
}

void TkvCustomButtonGroup::BeginInplaceEditByMouse(TShiftState Shift, Integer X, Integer Y,
                                                   TkvCustomEditData*& Data) {
  TkvCustomGroupBox::BeginInplaceEditByMouse(Shift, X, Y, Data);
  const TPoint p = ScreenToClient(GetParent() ? GetParent()->ClientToScreen(TPoint(X, Y)) : TPoint(X, Y));
  TkvButtonGroupViewInfo* info = ButtonGroupViewInfo();
  for (Integer i = 0; i < info->ButtonCount() && i < ButtonControlCount(); ++i) {
    if (!RectHoldsPoint(info->Button(i)->Bounds, p)) continue;
    TWinControl* button = ButtonControl(i);
    WPARAM keys = 0;
    if (Shift.Contains(ssShift)) keys |= MK_SHIFT;
    if (Shift.Contains(ssCtrl)) keys |= MK_CONTROL;
    if (Shift.Contains(ssLeft)) keys |= MK_LBUTTON;
    if (Shift.Contains(ssRight)) keys |= MK_RBUTTON;
    if (Shift.Contains(ssMiddle)) keys |= MK_MBUTTON;
    const LPARAM point = MAKELPARAM(button->GetWidth() / 2, button->GetHeight() / 2);
    button->Perform(Shift.Contains(ssLeft) ? WM_LBUTTONDOWN : WM_LBUTTONUP, keys, point);
    break;
  }
}

bool TkvCustomButtonGroup::Focused() {
  if (TkvCustomGroupBox::Focused()) return true;
  for (TWinControl* button : FButtons)
    if (button->Focused()) return true;
  return false;
}

void TkvCustomButtonGroup::RememberCursor() {
  TkvCustomGroupBox::RememberCursor();
  UpdateButtons();
}

void TkvCustomButtonGroup::AfterEnabledChange() {
  TkvCustomGroupBox::AfterEnabledChange();
  UpdateButtons();
}

void TkvCustomButtonGroup::WMWindowPosChanged(TMessage& Message) {
  InheritedMessage(Message);
  if (!GetComponentState().Contains(csDestroying) && HandleAllocated() && DependsOnParentBackground())
    RedrawWindow(GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TkvCustomButtonGroup::PlaceButtons() {
  TkvButtonGroupViewInfo* info = ButtonGroupViewInfo();
  for (Integer i = 0; i < ButtonControlCount() && i < info->ButtonCount(); ++i) {
    const TRect& r = info->Button(i)->Bounds;
    ButtonControl(i)->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  }
}

void TkvCustomButtonGroup::AttachButtonControl(TWinControl* Button) {
  Button->SetParentShowHint(false);
  Button->SetParent(this);
  Button->SetOnDragDrop(MakeEvent<&TkvCustomButtonGroup::ButtonDragDrop>(this));
  Button->SetOnDragOver(MakeEvent<&TkvCustomButtonGroup::ButtonDragOver>(this));
  Button->SetOnKeyDown(MakeEvent<&TkvCustomButtonGroup::ButtonKeyDown>(this));
  Button->SetOnKeyPress(MakeEvent<&TkvCustomButtonGroup::ButtonKeyPress>(this));
  Button->SetOnKeyUp(MakeEvent<&TkvCustomButtonGroup::ButtonKeyUp>(this));
  Button->SetOnMouseDown(MakeEvent<&TkvCustomButtonGroup::ButtonMouseDown>(this));
  Button->SetOnMouseMove(MakeEvent<&TkvCustomButtonGroup::ButtonMouseMove>(this));
  Button->SetOnMouseUp(MakeEvent<&TkvCustomButtonGroup::ButtonMouseUp>(this));
  Button->SetOnMouseWheel(MakeEvent<&TkvCustomButtonGroup::ButtonMouseWheel>(this));
}

void TkvCustomButtonGroup::ButtonDragDrop(TObject* Sender, TObject* Source, Integer X, Integer Y) {
  auto* button = static_cast<TControl*>(Sender);
  DragDrop(Source, X + button->GetLeft(), Y + button->GetTop());
}

void TkvCustomButtonGroup::ButtonDragOver(TObject* Sender, TObject* Source, Integer X, Integer Y, TDragState State,
                                          bool& Accept) {
  auto* button = static_cast<TControl*>(Sender);
  DragOver(Source, X + button->GetLeft(), Y + button->GetTop(), State, Accept);
}

void TkvCustomButtonGroup::ButtonKeyDown(TObject*, Word& Key, TShiftState Shift) { KeyDown(Key, Shift); }
void TkvCustomButtonGroup::ButtonKeyPress(TObject*, Char& Key) { KeyPress(Key); }
void TkvCustomButtonGroup::ButtonKeyUp(TObject*, Word& Key, TShiftState Shift) { KeyUp(Key, Shift); }

void TkvCustomButtonGroup::ButtonMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X,
                                           Integer Y) {
  auto* button = static_cast<TControl*>(Sender);
  SetInnerMouseDown(true);
  try {
    MouseDown(Button, Shift, X + button->GetLeft(), Y + button->GetTop());
  } catch (...) {
    SetInnerMouseDown(false);
    throw;
  }
  SetInnerMouseDown(false);
}

void TkvCustomButtonGroup::ButtonMouseMove(TObject* Sender, TShiftState Shift, Integer X, Integer Y) {
  auto* button = static_cast<TControl*>(Sender);
  MouseMove(Shift, X + button->GetLeft(), Y + button->GetTop());
}

void TkvCustomButtonGroup::ButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X,
                                         Integer Y) {
  auto* button = static_cast<TControl*>(Sender);
  MouseUp(Button, Shift, X + button->GetLeft(), Y + button->GetTop());
}

void TkvCustomButtonGroup::ButtonMouseWheel(TObject*, TShiftState, Integer, TPoint, bool& Handled) {
  Handled = false;
}

void TkvCustomButtonGroup::SetButtonCount(Integer Count) {
  TkvButtonGroupItems* items = GroupProperties()->GetItems();
  const Integer changed = items->GetChangedIndex();
  // A single change whose index lies outside the controls (they lag behind changes made while the
  // Properties were locked) falls back to the count rule.
  if (items->HasPendingChange() && items->GetChangeKind() != bgcDeleted && items->GetChangeKind() != bgcAdded) return;
  if (items->HasPendingChange() && items->GetChangeKind() == bgcAdded && ButtonControlCount() == Count - 1) {
    AttachButtonControl(CreateButtonControl());
    return;
  }
  if (items->HasPendingChange() && items->GetChangeKind() == bgcDeleted && changed >= 0 &&
      changed < ButtonControlCount() && ButtonControlCount() == Count + 1) {
    delete ButtonControl(changed);
    return;
  }
  if (Count == ButtonControlCount()) return;
  DisableAlign();
  try {
    while (ButtonControlCount() > Count) delete FButtons.back();
    while (ButtonControlCount() < Count) AttachButtonControl(CreateButtonControl());
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
}

void TkvCustomButtonGroup::SyncButtonStyles() {
  TkvContainerStyle* active = ActiveStyle();
  TFont* font = GetStyle()->GetEffectiveFont();
  for (TWinControl* button : FButtons) {
    button->SetColor(active->GetColor());
    button->GetFont()->Assign(font);
    button->GetFont()->SetColor(active->GetEffectiveFont()->GetColor());
  }
}

void TkvCustomButtonGroup::UpdateButtons() {
  TkvButtonGroupItems* items = GroupProperties()->GetItems();
  SetButtonCount(items->GetCount());
  RefreshViewInfo(false);
  for (Integer i = 0; i < ButtonControlCount(); ++i)
    ButtonControl(i)->SetEnabled(GetEnabled() && (i >= items->GetCount() || items->GetItem(i)->GetEnabled()));
  SyncButtonStyles();
  for (TWinControl* button : FButtons) button->SetCursor(GetCursor());
}
