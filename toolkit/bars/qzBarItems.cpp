// The item base: manager binding, availability, the automatic hint, clicking and actions.

#include "rtl/Reader.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarStrs.h"

TAVREN_CLASS_IMPL_PUBLISHED(TqzBarItem,
    PROPERTY(Action),
    PROPERTY(Align).Default(iaLeft),
    PROPERTY(Caption).Stored<&TqzBarItem::IsCaptionStored>(),
    PROPERTY(Category),
    PROPERTY(Description),
    PROPERTY(Enabled).Default(true).Stored<&TqzBarItem::IsEnabledStored>(),
    PROPERTY(HelpContext).Default(0).Stored<&TqzBarItem::IsHelpContextStored>(),
    PROPERTY(Hint).Stored<&TqzBarItem::IsHintStored>(),
    PROPERTY(KeyTip),
    PROPERTY(MergeKind).Default(mkAdd),
    PROPERTY(MergeOrder).Default(0),
    PROPERTY(Style),
    PROPERTY(ScreenTip),
    PROPERTY(Visible).Stored<&TqzBarItem::IsVisibleStored>(),
    PROPERTY(OnDestroy))

TqzBarItem::TqzBarItem(TComponent* AOwner, Integer AStyleCount)
    : TqzBarComponent(AOwner),
      FStylesData(std::make_unique<TqzBarItemStylesData>(this, AStyleCount, nullptr)),
      FGlyph(std::make_unique<TBitmap>()),
      FLargeGlyph(std::make_unique<TBitmap>()) {
  TqzBarManager* manager = FindBarManagerOfComponent(AOwner);
  if (!manager && BarManagerList() && BarManagerList()->GetCount() > 0) manager = BarManagerList()->GetManager(0);
  if (manager) manager->RegisterItem(this);
  FGlyph->SetOnChange(MakeEvent<&TqzBarItem::GlyphChanged>(this));
  FLargeGlyph->SetOnChange(MakeEvent<&TqzBarItem::LargeGlyphChanged>(this));
}

TqzBarItem::~TqzBarItem() {
  // A click that freed its own item learns it through its weak link.
  InvalidateObjectLinks(this);
  // Links are gone after BeforeDestruction; an item freed without it drops them here.
  while (!FLinks.empty()) delete FLinks.back();
  FGlyph->SetOnChange(TNotifyEvent());
  FLargeGlyph->SetOnChange(TNotifyEvent());
  FStylesData.reset();
  FActionLink.reset();
}

void TqzBarItem::BeforeDestruction() {
  inherited::BeforeDestruction();
  FOnDestroy(this);
  DeleteLinks();
}

void TqzBarItem::DeleteLinks() {
  TqzBarManager* manager = GetBarManager();
  // Items freed by the manager's own destructor see it already reduced to a component.
  TComponent* managerComponent = manager;
  bool bracket = manager && !managerComponent->GetComponentState().Contains(csDestroying) && !FLinks.empty();
  if (bracket) manager->BeginUpdate();
  try {
    while (!FLinks.empty()) delete FLinks.back();
  } catch (...) {
    if (bracket) manager->EndUpdate();
    throw;
  }
  if (bracket) manager->EndUpdate();
}

TqzBarItemLink* TqzBarItem::GetLink(Integer Index) const {
  return Index >= 0 && Index < GetLinkCount() ? FLinks[Index] : nullptr;
}

// ---- State ---------------------------------------------------------------------------------

bool TqzBarItem::IsAvailable() const {
  TqzBarManager* manager = BarManager();
  bool customizing = manager && manager->IsCustomizingOrDesigning();
  switch (FVisible) {
    case ivAlways: return CanProvideData() || customizing;
    case ivInCustomizing: return customizing;
    case ivNever: break;
  }
  return false;
}

bool TqzBarItem::GetEnabled() {
  TqzBarManager* manager = BarManager();
  // While the user customizes, every command of a category can be looked at and moved.
  if (manager && manager->GetIsCustomizing() && !manager->IsDesigning() && FCategory >= 0) return true;
  return FEnabled;
}

void TqzBarItem::SetEnabled(bool Value) { FEnabled = Value; }

void TqzBarItem::SetVisible(TqzBarItemVisible Value) {
  if (IsLoading()) {
    FLoadedVisible = Value;
    return;
  }
  if (FVisible == Value) return;
  FVisible = Value;
  VisibleChanged();
}

void TqzBarItem::VisibleChanged() {
  TqzBarManager* manager = GetBarManager();
  if (manager && manager->IsDesigning()) return;
  if (manager) manager->BeginUpdate();
  try {
    for (TqzBarItemLink* link : std::vector<TqzBarItemLink*>(FLinks)) {
      if (link->GetLinks()) link->GetLinks()->RebuildLinkLists();
      if (IsAvailable())
        link->RegisterUse(false);
      else
        link->SendToRecentEnd();
    }
  } catch (...) {
    if (manager) manager->EndUpdate();
    NotifyChanged(false);
    throw;
  }
  if (manager) manager->EndUpdate();
  NotifyChanged(false);
}

bool TqzBarItem::ImageExists(TCustomImageList* AList, Integer AIndex) const {
  return AList && AIndex >= 0 && AIndex < AList->GetCount();
}

TCustomImageList* TqzBarItem::GetImages() const { return BarManager() ? BarManager()->GetImages() : nullptr; }

TClass TqzBarItem::ControlClass(bool) {
  TqzBarItemList* list = ItemClassListInstance();
  return list ? list->ControlClassOf(ClassType()) : nullptr;
}

bool TqzBarItem::CanBePlacedOn(Integer, TqzBar*, String& AMessage) {
  AMessage.clear();
  return true;
}

String TqzBarItem::DefaultCaption() const { return ResourceStringText(sqzBarNewItemCaption); }

// ---- Setters and their propagation ---------------------------------------------------------

String TqzBarItem::CaptionForHint(const String& ACaption) {
  String result = ACaption;
  if (size_t amp = result.find('&'); amp != String::npos) result.erase(amp, 1);
  if (size_t dots = result.find("..."); dots != String::npos) result.erase(dots, 3);
  return result;
}

bool TqzBarItem::HintFollowsCaption() const {
  return FHint.substr(0, FHint.find('|')) == CaptionForHint(FCaption);
}

void TqzBarItem::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  bool automaticHint = !FCheckDefaults && !dynamic_cast<TCustomqzBarSubItem*>(this) &&
                       (FHint.empty() || HintFollowsCaption());
  FCaption = Value;
  if (IsLoading()) return;
  if (automaticHint) {
    String hint = CaptionForHint(Value);
    if (size_t bar = FHint.find('|'); bar != String::npos) hint += FHint.substr(bar);
    FHint = hint;
  }
  CaptionChanged();
}

void TqzBarItem::CaptionChanged() { NotifyChanged(false); }

void TqzBarItem::GlyphChanged(TObject*) { NotifyChanged(false); }

void TqzBarItem::ShortCutChanged() { NotifyChanged(false); }

void TqzBarItem::SetImageIndex(Integer Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  GlyphChanged(this);
}

void TqzBarItem::SetLargeImageIndex(Integer Value) {
  if (FLargeImageIndex == Value) return;
  FLargeImageIndex = Value;
  LargeGlyphChanged(this);
}

void TqzBarItem::SetWidth(Integer Value) {
  if (Value >= 0) FWidth = Value;
}

void TqzBarItem::SetPaintStyle(TqzBarPaintStyle Value) { FPaintStyle = Value; }

void TqzBarItem::SetShortCut(TShortCut Value) {
  if (FShortCut == Value) return;
  FShortCut = Value;
  if (!IsLoading()) ShortCutChanged();
}

void TqzBarItem::SetShowCaption(bool Value) {
  if (FShowCaption == Value) return;
  FShowCaption = Value;
  if (!IsLoading()) RebuildBarsOfKinds(qzAllBarKinds);
}

void TqzBarItem::SetGlyphLayout(TqzBarGlyphLayout Value) {
  if (FGlyphLayout == Value) return;
  FGlyphLayout = Value;
  if (!IsLoading()) RebuildBarsOfKinds(qzAllBarKinds);
}

void TqzBarItem::SetAlign(TqzBarItemAlign Value) { FAlign = Value; }

void TqzBarItem::SetDescription(const String& Value) {
  if (FDescription == Value) return;
  FDescription = Value;
  NotifyChanged(false);
}

void TqzBarItem::SetScreenTip(TqzBarScreenTip* Value) {
  if (FScreenTip == Value) return;
  if (FScreenTip) FScreenTip->RemoveFreeNotification(this);
  FScreenTip = Value;
  if (FScreenTip) FScreenTip->FreeNotification(this);
}

void TqzBarItem::SetName(const String& NewName) {
  inherited::SetName(NewName);
  if (!(GetComponentState().Contains(csDesigning) && NewName.empty())) NotifyChanged(false);
}

// ---- Category ------------------------------------------------------------------------------

void TqzBarItem::SetCategory(Integer Value) {
  if (IsLoading()) {
    FCategory = Value;
    return;
  }
  TqzBarManager* manager = GetBarManager();
  if (!manager || Value < 0 || Value >= manager->GetCategories()->GetCount()) return;
  MoveToCategoryEnd(Value);
  FCategory = Value;
  NotifyChanged(true);
}

void TqzBarItem::MoveToCategoryEnd(Integer ACategory) {
  TqzBarManager* manager = GetBarManager();
  if (!manager) return;
  Integer lastOfCategory = -1;
  for (Integer i = 0; i < manager->GetItemCount(); ++i)
    if (manager->GetItem(i)->FCategory == ACategory) lastOfCategory = i;
  Integer own = manager->IndexOfItem(this);
  if (lastOfCategory < 0 || own < 0) return;
  manager->MoveItem(own, lastOfCategory < own ? lastOfCategory + 1 : lastOfCategory);
}

// ---- Clicking ------------------------------------------------------------------------------

void TqzBarItem::Click() {
  if (ShortCutEnabled()) ClickItem();
}

void TqzBarItem::ClickItem() {
  if (!GetEnabled()) return;
  try {
    if (TqzBarManager* manager = GetBarManager()) manager->FireClickItem(this);
    FireClick();
  } catch (const Exception&) {
    if (Application()) Application()->HandleException(this);
  }
}

void TqzBarItem::FireClick() {
  TBasicAction* action = GetAction();
  if (FOnClick && (!action || action->GetOnExecute() != FOnClick)) {
    FOnClick(this);
  } else if (FActionLink && !GetComponentState().Contains(csDesigning)) {
    FActionLink->Execute(this);
  }
}

bool TqzBarItem::ProcessShortCut(TShortCut AShortCut) {
  if (!GetEnabled()) return false;
  if (ShortCutEnabled() && AShortCut == FShortCut) {
    Click();
    return true;
  }
  if (TqzBarItemLinks* links = GetItemLinks()) return links->ExecuteShortCut(AShortCut);
  return false;
}

// ---- Actions -------------------------------------------------------------------------------

TBasicAction* TqzBarItem::GetAction() const { return FActionLink ? FActionLink->GetAction() : nullptr; }

TqzBarItemActionLinkClass TqzBarItem::GetActionLinkClass() { return TqzBarItemActionLink::ClassInfo(); }

void TqzBarItem::SetAction(TBasicAction* Value) {
  if (Value == GetAction()) return;
  if (!Value) {
    FActionLink.reset();
    return;
  }
  bool actionLoading = Value->GetComponentState().Contains(csLoading);
  TqzBarManager* manager = actionLoading ? GetBarManager() : nullptr;
  if (manager) manager->LockDesignerModified(true);
  try {
    if (!FActionLink) FActionLink.reset(GetActionLinkClass().Create(this));
    FActionLink->SetAction(Value);
    FActionLink->SetOnChange(MakeEvent<&TqzBarItem::DoActionChange>(this));
    ActionChange(Value, actionLoading);
    Value->FreeNotification(this);
  } catch (...) {
    if (manager) manager->LockDesignerModified(false);
    throw;
  }
  if (manager) manager->LockDesignerModified(false);
}

void TqzBarItem::DoActionChange(TObject* Sender) {
  if (Sender == GetAction()) ActionChange(Sender, false);
}

void TqzBarItem::ActionChange(TObject* Sender, bool ACheckDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action) return;
  if (!ACheckDefaults || FCaption.empty()) {
    // With defaults checked no automatic hint is made; otherwise the hint follows the caption.
    FCheckDefaults = ACheckDefaults;
    try {
      SetCaption(action->GetCaption());
    } catch (...) {
      FCheckDefaults = false;
      throw;
    }
    FCheckDefaults = false;
  }
  if (auto* button = dynamic_cast<TqzBarButton*>(this); button && (!ACheckDefaults || !button->GetDown()))
    button->SetDown(action->GetChecked());
  if (!ACheckDefaults || GetEnabled()) SetEnabled(action->GetEnabled());
  if (!ACheckDefaults || FHelpContext == 0) FHelpContext = action->GetHelpContext();
  if (!ACheckDefaults || FHint.empty()) FHint = action->GetHint();
  if (!ACheckDefaults || ReadImageIndex() == -1) WriteImageIndex(action->GetImageIndex());
  if (!ACheckDefaults || FShortCut == 0) SetShortCut(action->GetShortCut());
  if (!ACheckDefaults || FVisible == ivAlways) SetVisible(action->GetVisible() ? ivAlways : ivNever);
  if (!ACheckDefaults || !FOnClick) FOnClick = action->GetOnExecute();
}

bool TqzBarItem::IsCaptionStored() { return !FActionLink || !FActionLink->IsCaptionLinked(); }

bool TqzBarItem::IsEnabledStored() { return !FActionLink || !FActionLink->IsEnabledLinked(); }

bool TqzBarItem::IsHelpContextStored() { return !FActionLink || !FActionLink->IsHelpContextLinked(); }

bool TqzBarItem::IsHintStored() { return !FActionLink || !FActionLink->IsHintLinked(); }

bool TqzBarItem::IsImageIndexStored() { return !FActionLink || !FActionLink->IsImageIndexLinked(); }

bool TqzBarItem::IsShortCutStored() { return !FActionLink || !FActionLink->IsShortCutLinked(); }

bool TqzBarItem::IsVisibleStored() { return !FActionLink || !FActionLink->IsVisibleLinked(); }

bool TqzBarItem::IsOnClickStored() { return !FActionLink || !FActionLink->IsOnExecuteLinked(); }

// ---- Copying -------------------------------------------------------------------------------

void TqzBarItem::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzBarItem*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  SetAction(source->GetAction());
  SetAlign(source->FAlign);
  SetCaption(source->FCaption);
  SetCategory(source->FCategory);
  SetDescription(source->FDescription);
  SetEnabled(source->FEnabled);
  FHelpContext = source->FHelpContext;
  FHint = source->FHint;
  FKeyTip = source->FKeyTip;
  FMergeKind = source->FMergeKind;
  FMergeOrder = source->FMergeOrder;
  SetStyle(source->GetStyle());
  SetScreenTip(source->FScreenTip);
  SetVisible(source->FVisible);
  FData = source->FData;
  SetGlyph(source->GetGlyph());
  SetImageIndex(source->FImageIndex);
  SetLargeGlyph(source->GetLargeGlyph());
  SetLargeImageIndex(source->FLargeImageIndex);
  SetShortCut(source->FShortCut);
  FOnClick = source->FOnClick;
}

void TqzBarItem::AssignTo(TPersistent* Dest) {
  auto* action = dynamic_cast<TCustomAction*>(Dest);
  if (!action) {
    inherited::AssignTo(Dest);
    return;
  }
  action->SetCaption(FCaption);
  if (auto* button = dynamic_cast<TqzBarButton*>(this)) action->SetChecked(button->GetDown());
  action->SetEnabled(FEnabled);
  action->SetHelpContext(FHelpContext);
  action->SetHint(FHint);
  action->SetImageIndex(FImageIndex);
  action->SetShortCut(FShortCut);
  if (FVisible != ivInCustomizing) action->SetVisible(FVisible == ivAlways);
  action->SetOnExecute(FOnClick);
}

// ---- Streaming and the manager -------------------------------------------------------------

void TqzBarItem::Loaded() {
  inherited::Loaded();
  // The form's value was kept while the item was read; the manager's Loaded may have come first.
  SetVisible(FLoadedVisible);
  if (TBasicAction* action = GetAction()) ActionChange(action, true);
  FOnItemLoaded(this);
}

void TqzBarItem::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent && AComponent == GetAction()) SetAction(nullptr);
  if (AComponent == FScreenTip) FScreenTip = nullptr;
}

void TqzBarItem::ReadState(TReader* Reader) {
  // Read inside its manager's block: it joins the manager before its own values are read.
  if (auto* manager = dynamic_cast<TqzBarManager*>(Reader->GetParent()); manager && manager != GetBarManager()) {
    manager->RegisterItem(this);
    BarManagerAssigned();
  }
  inherited::ReadState(Reader);
}

TComponent* TqzBarItem::GetParentComponent() { return HasParent() ? GetBarManager() : nullptr; }

void TqzBarItem::SetParentComponent(TComponent* Value) {
  if (IsLoading()) return;
  auto* manager = dynamic_cast<TqzBarManager*>(Value);
  if (!manager) throw EInvalidCast("Invalid class typecast");
  manager->RegisterItem(this);
  BarManagerAssigned();
}

// ---- Design selection ----------------------------------------------------------------------

bool TqzBarItem::CanBeDeleted(bool AWholeItem) {
  if (!FLinks.empty() && !AWholeItem) return true;
  return inherited::CanBeDeleted(AWholeItem);
}

void TqzBarItem::DeleteIfAllowed(IqzBarSelectableItem*& ARef, bool AWholeItem) {
  if (AWholeItem || FLinks.empty()) {
    inherited::DeleteIfAllowed(ARef, AWholeItem);
    return;
  }
  DeleteLinks();
}

void TqzBarItem::GetNextSelectable(IqzBarSelectableItem*& ARef) {
  ARef = nullptr;
  TqzBarItemLink* start = GetLink(0);
  TqzBarItemLinks* links = start ? start->GetLinks() : nullptr;
  if (!links) return;
  for (TqzBarItemLink* link = links->NextSelectableLink(start, true); link && link != start;
       link = links->NextSelectableLink(link, true)) {
    if (link->GetItem() != this) {
      ARef = link->GetItem();
      return;
    }
  }
}

Integer TqzBarItem::EditOperations() { return GetComponentState().Contains(csDesigning) ? 2 : 0x219; }

// ---- Styles --------------------------------------------------------------------------------

TqzBarItem::TStyleValues TqzBarItem::GetEditStyleValues() const {
  return FillStyleValues(StyleCount() > 1 ? GetIndexedStyle(1) : nullptr);
}

TqzBarItem::TStyleValues TqzBarItem::FillStyleValues(TkvStyle* AStyle) const {
  TStyleValues values;
  if (!AStyle) return values;
  TkvStyleValues assigned = AStyle->GetAssignedValues();
  if (assigned.Contains(kvStyles::svBitmap)) values.Bitmap = AStyle->GetBitmap();
  if (assigned.Contains(kvStyles::svColor)) values.Color = AStyle->GetColor();
  if (assigned.Contains(kvStyles::svFont)) values.Font = AStyle->GetFont();
  if (assigned.Contains(kvStyles::svTextColor)) values.TextColor = AStyle->GetTextColor();
  return values;
}
