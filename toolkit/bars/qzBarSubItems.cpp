// Sub-items and the container items that expand their links into the menu showing them.

#include "rtl/FileUtils.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarStrs.h"
#include "toolkit/bars/qzBarToolbars.h"

TAVREN_CLASS_IMPL_PUBLISHED(TCustomqzBarSubItem,
    PROPERTY(BarSize).Default(0),
    PROPERTY(Detachable).Default(false),
    PROPERTY(DetachingBar).Default(-1),
    PROPERTY(Glyph),
    PROPERTY(ImageIndex).Default(-1).Stored<&TqzBarItem::IsImageIndexStored>(),
    PROPERTY(LargeGlyph),
    PROPERTY(LargeImageIndex).Default(-1),
    PROPERTY(ShowCaption).Default(true),
    PROPERTY(OnClick).Stored<&TqzBarItem::IsOnClickStored>(),
    PROPERTY(OnDetaching),
    PROPERTY(OnPaintBar))
TAVREN_CLASS_IMPL_PUBLISHED(TqzBarSubItem,
    PROPERTY(AllowCustomizing).Default(true),
    PROPERTY(ItemLinks),
    PROPERTY(ItemOptions),
    PROPERTY(OnCloseUp),
    PROPERTY(OnPopup))
TAVREN_CLASS_IMPL_PUBLISHED(TCustomqzBarContainerItem,
    PROPERTY(OnGetData))
TAVREN_CLASS_IMPL_PUBLISHED(TqzBarContainerItem,
    PROPERTY(ItemLinks))
TAVREN_CLASS_IMPL_PUBLISHED(TqzBarListItem,
    PROPERTY(DataIndex).Stored(false),
    PROPERTY(ItemIndex).Default(-1),
    PROPERTY(Items),
    PROPERTY(LargeGlyph),
    PROPERTY(LargeImageIndex).Default(-1),
    PROPERTY(ShowCheck).Default(false),
    PROPERTY(ShowNumbers).Default(true))
TAVREN_CLASS_IMPL_PUBLISHED(TqzBarExtraPaneItem,
    PROPERTY(DisplayText),
    PROPERTY(ImageIndex).Default(-1),
    PROPERTY(Text))
TAVREN_CLASS_IMPL(TqzBarExtraPaneListItem)

// ---- Sub-item ------------------------------------------------------------------------------

TCustomqzBarSubItem::TCustomqzBarSubItem(TComponent* AOwner)
    : TqzBarItem(AOwner), FItemLinks(std::make_unique<TqzBarSubMenuControlItemLinks>(GetBarManager(), this)) {
  FShowCaption = true;
}

TCustomqzBarSubItem::~TCustomqzBarSubItem() {
  SetDetachingBar(-1);
  FItemLinks.reset();
}

Integer TCustomqzBarSubItem::GetDetachingBar() const {
  return FDetachingBar ? FDetachingBar->PositionInCollection() : -1;
}

void TCustomqzBarSubItem::SetDetachingBar(Integer Value) {
  TqzBarManager* manager = GetBarManager();
  TqzBars* bars = manager ? manager->GetBars() : nullptr;
  TqzBar* bar = bars && Value >= 0 && Value < bars->GetCount() ? bars->GetBar(Value) : nullptr;
  if (bar == FDetachingBar) return;
  if (FDetachingBar) FDetachingBar->RemoveFreeNotification(this);
  FDetachingBar = bar;
  if (bar) bar->FreeNotification(this);
}

void TCustomqzBarSubItem::BarNotification(Integer AKind, TqzBar* ABar) {
  if (AKind == 1 && ABar == FDetachingBar) SetDetachingBar(-1);
}

void TCustomqzBarSubItem::Notification(TComponent* AComponent, TOperation Operation) {
  TqzBarItem::Notification(AComponent, Operation);
  // A bar freed without telling its items is forgotten all the same.
  if (Operation == opRemove && AComponent == FDetachingBar) FDetachingBar = nullptr;
}

void TCustomqzBarSubItem::BarManagerAssigned() { FItemLinks->SetBarManager(GetBarManager()); }

Integer TCustomqzBarSubItem::EditOperations() {
  Integer result = TqzBarItem::EditOperations();
  if (GetComponentState().Contains(csDesigning)) result |= 0x100;
  return result;
}

bool TCustomqzBarSubItem::CanContainItem(TqzBarItem* AItem, String& AMessage) {
  if (!AItem->CanBePlacedOn(1, nullptr, AMessage)) return false;
  if (TqzBarItemLinks* links = AItem->GetItemLinks(); links && links->ContainsOwner(this)) {
    AMessage = ResourceStringText(sqzBarRecursiveMenus);
    return false;
  }
  return true;
}

void TCustomqzBarSubItem::FirePaintBar(TCanvas* ACanvas, const TRect& R) { FOnPaintBar(this, ACanvas, R); }

void TCustomqzBarSubItem::FireCloseUp() { FOnCloseUp(this); }

void TCustomqzBarSubItem::FireDetaching() { FOnDetaching(this); }

void TCustomqzBarSubItem::FirePopup() { FOnPopup(this); }

String TqzBarSubItem::DefaultCaption() const { return ResourceStringText(sqzBarNewSubItemCaption); }

// ---- Container item ------------------------------------------------------------------------

TCustomqzBarContainerItem::~TCustomqzBarContainerItem() {
  if (FNeedClear) TCustomqzBarContainerItem::ClearItemList();
}

void TCustomqzBarContainerItem::ExpandLinksInto(TqzBarItemLinks*, Integer, TqzBarItemLink*, bool AFirstTime) {
  if (FNeedClear) ClearItemList();
  if (!AFirstTime || !FOnGetData) return;
  FInGetData = true;
  try {
    FOnGetData(this);
  } catch (...) {
    FInGetData = false;
    throw;
  }
  FInGetData = false;
}

void TCustomqzBarContainerItem::RememberExpanded(TqzBarItemLinks* ALinks, TqzBarItemLink* ALink) {
  auto it = std::find_if(FExpansions.begin(), FExpansions.end(),
                         [ALinks](const TExpansion& AExpansion) { return AExpansion.Links == ALinks; });
  if (it == FExpansions.end()) it = FExpansions.insert(FExpansions.end(), TExpansion{ALinks, {}});
  it->LinkIDs.push_back(ALink->GetID());
}

void TCustomqzBarContainerItem::CollapseLinksFrom(TqzBarItemLinks* ALinks, Integer) {
  // Exactly the links this expansion inserted: the data may have changed since (a click on a
  // generated entry may rewrite the list), so recounting it could take out other links.
  auto it = std::find_if(FExpansions.begin(), FExpansions.end(),
                         [ALinks](const TExpansion& AExpansion) { return AExpansion.Links == ALinks; });
  if (it == FExpansions.end()) return;
  std::vector<Integer> ids = std::move(it->LinkIDs);
  FExpansions.erase(it);
  ALinks->BeginUpdate();
  try {
    for (Integer id : ids) delete static_cast<TqzBarItemLink*>(ALinks->FindItemID(id));
  } catch (...) {
    ALinks->EndUpdate();
    throw;
  }
  ALinks->EndUpdate();
}

void TCustomqzBarContainerItem::ClearItemList() { FNeedClear = false; }

void TCustomqzBarContainerItem::ItemsChanged(TObject*) {
  if (!FInGetData) VisibleChanged();
}

TqzBarContainerItem::TqzBarContainerItem(TComponent* AOwner) : TCustomqzBarContainerItem(AOwner) {
  GetItemLinks()->SetOnChange(MakeEvent<&TCustomqzBarContainerItem::ItemsChanged>(this));
}

bool TqzBarContainerItem::HasVisibleLinks() const {
  TqzBarItemLinks* links = const_cast<TqzBarContainerItem*>(this)->GetItemLinks();
  if (links->GetCount() == 0) return false;
  bool anyItem = false;
  for (Integer i = 0; i < links->GetCount(); ++i) {
    TqzBarItem* item = links->GetLink(i)->GetItem();
    if (!item) continue;
    anyItem = true;
    if (item->IsAvailable()) return true;
  }
  return !anyItem;
}

bool TqzBarContainerItem::CanProvideData() const {
  return TCustomqzBarContainerItem::CanProvideData() || HasVisibleLinks();
}

void TqzBarContainerItem::ExpandLinksInto(TqzBarItemLinks* ATargetLinks, Integer AIndex,
                                          TqzBarItemLink* AContainerLink, bool AFirstTime) {
  TCustomqzBarContainerItem::ExpandLinksInto(ATargetLinks, AIndex, AContainerLink, AFirstTime);
  TqzBarItemLinks* own = GetItemLinks();
  if (ATargetLinks == own) return;
  ATargetLinks->BeginUpdate();
  try {
    for (Integer i = 0; i < own->GetFullMenuLinkCount(); ++i) {
      TqzBarItemLink* link = ATargetLinks->InsertLink(AIndex + i);
      RememberExpanded(ATargetLinks, link);
      link->SetSourceLink(AContainerLink);
      link->Assign(own->GetFullMenuLink(i));
      if (i == 0 && ReplacesOwnLink()) link->SetBeginGroup(true);
      if (AContainerLink) link->CopyUseFrom(AContainerLink);
    }
  } catch (...) {
    ATargetLinks->EndUpdate();
    throw;
  }
  ATargetLinks->EndUpdate();
}

// ---- List item -----------------------------------------------------------------------------

namespace {

const String kSeparatorEntry = "-";

}  // namespace

TqzBarListItem::TqzBarListItem(TComponent* AOwner)
    : TCustomqzBarContainerItem(AOwner), FItems(std::make_unique<TqzBarStreamedStrings>()) {
  FItems->SetOnChange(MakeEvent<&TCustomqzBarContainerItem::ItemsChanged>(this));
}

TqzBarListItem::~TqzBarListItem() {
  FItems->SetOnChange(TNotifyEvent());
  FreeGenerated();
}

bool TqzBarListItem::CanProvideData() const {
  return TCustomqzBarContainerItem::CanProvideData() || FItems->GetCount() > 0;
}

Integer TqzBarListItem::GetDataIndex() const {
  if (FItemIndex < 0 || FItemIndex >= FItems->GetCount()) return -1;
  Integer count = 0;
  for (Integer i = 0; i <= FItemIndex; ++i)
    if (FItems->GetStrings(i) != kSeparatorEntry) ++count;
  return count - 1;
}

void TqzBarListItem::SetDataIndex(Integer Value) {
  if (FItems->GetCount() == 0) {
    FItemIndex = -1;
    return;
  }
  Integer count = 0;
  for (Integer i = 0; i < FItems->GetCount(); ++i) {
    if (FItems->GetStrings(i) == kSeparatorEntry) continue;
    if (count++ == Value) {
      FItemIndex = i;
      return;
    }
  }
  FItemIndex = FItems->GetCount();
}

void TqzBarListItem::GenerateButtons() {
  TComponent* owner = GetBarManager() ? GetBarManager()->GetOwner() : GetOwner();
  Integer number = 0;
  for (Integer i = 0; i < FItems->GetCount(); ++i) {
    String entry = FItems->GetStrings(i);
    if (entry == kSeparatorEntry) continue;
    auto* button = new TqzBarButton(owner);
    AddGenerated(button);
    button->SetAction(GetAction());
    if (FShowCheck && i == FItemIndex) {
      button->SetButtonStyle(bsChecked);
      button->SetDown(true);
    }
    String caption;
    if (FShowNumbers) {
      // 1 to 9, then the letters.
      char mark = number < 9 ? static_cast<char>('1' + number) : static_cast<char>('A' + number - 9);
      caption = String("&") + mark + " ";
    }
    ++number;
    button->SetCaption(caption + CaptionOf(i));
    button->SetHint(HintOf(entry));
    button->SetTag(i);
    button->SetOnClick(MakeEvent<&TqzBarListItem::EntryClick>(this));
    button->SetEnabled(GetEnabled());
  }
}

Integer TqzBarListItem::EntryCount() const {
  Integer count = 0;
  for (Integer i = 0; i < FItems->GetCount(); ++i)
    if (FItems->GetStrings(i) != kSeparatorEntry) ++count;
  return count;
}

Integer TqzBarListItem::GeneratedButtonCount() const {
  return static_cast<Integer>(
      std::count_if(FGenerated.begin(), FGenerated.end(), [](TqzBarItem* AItem) { return dynamic_cast<TqzBarButton*>(AItem); }));
}

void TqzBarListItem::ExpandLinksInto(TqzBarItemLinks* ATargetLinks, Integer AIndex, TqzBarItemLink* AContainerLink,
                                     bool AFirstTime) {
  TCustomqzBarContainerItem::ExpandLinksInto(ATargetLinks, AIndex, AContainerLink, AFirstTime);
  // Buttons kept from an earlier expansion are made anew when the entries changed in number.
  if (!FGenerated.empty() && GeneratedButtonCount() != EntryCount()) FreeGenerated();
  if (FGenerated.empty()) GenerateButtons();
  ATargetLinks->BeginUpdate();
  try {
    Integer k = 0;
    bool afterSeparator = false;
    for (Integer i = 0; i < FItems->GetCount(); ++i) {
      if (FItems->GetStrings(i) == kSeparatorEntry) {
        afterSeparator = true;
        continue;
      }
      TqzBarItemLink* link = ATargetLinks->InsertLink(AIndex + k);
      RememberExpanded(ATargetLinks, link);
      link->SetSourceLink(AContainerLink);
      link->SetItem(FGenerated[k]);
      if (k == 0 || afterSeparator) link->SetBeginGroup(true);
      if (AContainerLink) link->CopyUseFrom(AContainerLink);
      afterSeparator = false;
      ++k;
    }
  } catch (...) {
    ATargetLinks->EndUpdate();
    throw;
  }
  ATargetLinks->EndUpdate();
}

void TqzBarListItem::AddGenerated(TqzBarItem* AItem) {
  FGenerated.push_back(AItem);
  AItem->FreeNotification(this);
}

void TqzBarListItem::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomqzBarContainerItem::Notification(AComponent, Operation);
  if (Operation == opRemove) std::erase(FGenerated, AComponent);
}

void TqzBarListItem::FreeGenerated() {
  while (!FGenerated.empty()) {
    TqzBarItem* item = FGenerated.back();
    FGenerated.pop_back();
    delete item;
  }
}

void TqzBarListItem::ClearItemList() {
  if (!FGenerated.empty() && FGenerated.front()->GetLinkCount() == 0) FreeGenerated();
  TCustomqzBarContainerItem::ClearItemList();
}

void TqzBarListItem::EntryClick(TObject* Sender) {
  FItemIndex = static_cast<Integer>(static_cast<TComponent*>(Sender)->GetTag());
  ClickItem();
}

// ---- Extra-pane entries and list item ---------------------------------------------------------

void TqzBarExtraPaneItem::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzBarExtraPaneItem*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  Data = source->Data;
  SetDisplayText(source->FDisplayText);
  FImageIndex = source->FImageIndex;
  SetText(source->FText);
}

void TqzBarExtraPaneItem::SetDisplayText(const String& Value) {
  if (FDisplayText == Value) return;
  FDisplayText = Value;
  Changed(false);
}

void TqzBarExtraPaneItem::SetText(const String& Value) {
  if (FText == Value) return;
  FText = Value;
  Changed(false);
}

bool TqzBarExtraPaneListItem::CanProvideData() const {
  return TqzBarListItem::CanProvideData() || !GetCaption().empty();
}

String TqzBarExtraPaneListItem::CaptionOf(Integer Index) {
  auto* entry = dynamic_cast<TqzBarExtraPaneItem*>(GetItems()->GetObjects(Index));
  if (!entry) return TqzBarListItem::CaptionOf(Index);
  String text = entry->GetDisplayText();
  FOnGetDisplayText(this, Index, text);
  if (text.empty()) text = ChangeFileExt(ExtractFileName(entry->GetText()), "");
  return text;
}

void TqzBarExtraPaneListItem::ExpandLinksInto(TqzBarItemLinks* ATargetLinks, Integer AIndex,
                                              TqzBarItemLink* AContainerLink, bool AFirstTime) {
  TqzBarListItem::ExpandLinksInto(ATargetLinks, AIndex, AContainerLink, AFirstTime);
  bool anyImage = false;
  Integer k = 0;
  for (Integer i = 0; i < GetItems()->GetCount(); ++i) {
    if (GetItems()->GetStrings(i) == kSeparatorEntry) continue;
    auto* entry = dynamic_cast<TqzBarExtraPaneItem*>(GetItems()->GetObjects(i));
    if (entry && entry->GetImageIndex() != -1) {
      FGenerated[k]->SetImageIndex(entry->GetImageIndex());
      anyImage = true;
    }
    ++k;
  }
  for (Integer j = 0; j < k; ++j) FGenerated[j]->SetPaintStyle(anyImage ? psCaptionGlyph : psStandard);
  // One heading for the pane, however often it is expanded.
  TqzBarItem* heading = FGenerated.size() > static_cast<size_t>(k) ? FGenerated[k] : nullptr;
  if (!heading) {
    heading = new TqzBarLabel(GetBarManager() ? GetBarManager()->GetOwner() : GetOwner());
    AddGenerated(heading);
  }
  heading->SetCaption(GetCaption());
  TqzBarItemLink* link = ATargetLinks->InsertLink(AIndex);
  RememberExpanded(ATargetLinks, link);
  link->SetSourceLink(AContainerLink);
  link->SetItem(heading);
  if (AContainerLink) link->CopyUseFrom(AContainerLink);
}
