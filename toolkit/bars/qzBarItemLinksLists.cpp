// A link collection: which links show now, recent use, keys and selection.

#include <algorithm>
#include <climits>

#include "rtl/Math.h"
#include "user/Rects.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarToolbars.h"

TAVREN_CLASS_IMPL(TqzBarItemLinks)
TAVREN_CLASS_IMPL(TqzBarControlItemLinks)
TAVREN_CLASS_IMPL(TqzBarSubMenuControlItemLinks)

TqzBarItemLinks::TqzBarItemLinks(TqzBarManager* ABarManager, IqzBarLinksOwner* AOwner)
    : TCollection(TqzBarItemLink::ClassInfo()),
      FBarManager(ABarManager),
      FOwner(AOwner),
      FItemOptions(std::make_unique<TqzBarItemOptions>(this)) {}

TqzBarItemLinks::~TqzBarItemLinks() {
  // The links go while the collection is still whole: their destructors use its lists.
  BeginUpdate();
  while (GetCount() > 0) delete GetLink(GetCount() - 1);
}

TComponent* TqzBarItemLinks::GetOwnerComponent() const { return FOwner ? FOwner->GetOwnerComponent() : nullptr; }

void TqzBarItemLinks::Assign(TPersistent* Source) {
  FAssigning = true;
  try {
    inherited::Assign(Source);
  } catch (...) {
    FAssigning = false;
    for (Integer i = 0; i < GetCount(); ++i) GetLink(i)->SetVisible(GetLink(i)->GetLoadedVisible());
    throw;
  }
  FAssigning = false;
  for (Integer i = 0; i < GetCount(); ++i) GetLink(i)->SetVisible(GetLink(i)->GetLoadedVisible());
}

void TqzBarItemLinks::Update(TCollectionItem* Item) {
  if (!Item) RebuildLinkLists();
  TComponent* owner = GetOwnerComponent();
  if (owner && owner->GetComponentState().Contains(csDestroying)) return;
  inherited::Update(Item);
  if (!FInternal) ReportModified();
  if (Item) {
    if (FBarManager && !FBarManager->IsLoading())
      FBarManager->GetOnItemLinkChange()(FBarManager, static_cast<TqzBarItemLink*>(Item));
    return;
  }
  if (FBarControl && FBarControl->GetEnabled()) FBarControl->Rebuild();
  FOnChange(this);
}

bool TqzBarItemLinks::IsMenuLinks() { return !dynamic_cast<TqzBar*>(GetOwnerComponent()); }

void TqzBarItemLinks::ReportModified() {
  if (FBarManager) FBarManager->DesignerModified();
}

bool TqzBarItemLinks::AcceptsItem(TqzBarItem* AItem, String& AMessage) {
  AMessage.clear();
  return !FOwner || FOwner->CanContainItem(AItem, AMessage);
}

// ---- Lists ---------------------------------------------------------------------------------

Integer TqzBarItemLinks::IndexOf(TqzBarItemLink* ALink) const {
  return ALink && ALink->GetCollection() == this ? ALink->GetIndex() : -1;
}

Integer TqzBarItemLinks::IndexOfItemName(const String& AName) const {
  for (Integer i = 0; i < GetCount(); ++i)
    if (TqzBarItem* item = GetLink(i)->GetItem(); item && item->GetName() == AName) return i;
  return -1;
}

bool TqzBarItemLinks::HasItemControl(TqzBarItemControl* AControl) const {
  for (Integer i = 0; i < GetCount(); ++i)
    if (AControl && GetLink(i)->GetControl() == AControl) return true;
  return false;
}

void TqzBarItemLinks::ClearItemRects() {
  for (Integer i = 0; i < GetCount(); ++i) GetLink(i)->FItemRect = TRect();
}

void TqzBarItemLinks::RebuildLinkLists() {
  FItemVisibleLinks.clear();
  FFullMenuLinks.clear();
  FVisibleLinks.clear();
  bool designing = FBarManager && FBarManager->IsDesigning();
  for (Integer i = 0; i < GetCount(); ++i) {
    TqzBarItemLink* link = GetLink(i);
    TqzBarItem* item = link->GetItem();
    if (!item) continue;
    if (designing) {
      FItemVisibleLinks.push_back(link);
      FFullMenuLinks.push_back(link);
      FVisibleLinks.push_back(link);
      continue;
    }
    if (!item->IsAvailable()) continue;
    FItemVisibleLinks.push_back(link);
    if (!link->GetVisible()) continue;
    FFullMenuLinks.push_back(link);
    if (FRecentLimit == -1) FVisibleLinks.push_back(link);
  }
  if (!designing && FRecentLimit > 0) {
    for (TqzBarItemLink* link : FRecentLinks) {
      if (static_cast<Integer>(FVisibleLinks.size()) >= FRecentLimit) break;
      if (link->GetFullMenuIndex() >= 0) FVisibleLinks.push_back(link);
    }
    std::sort(FVisibleLinks.begin(), FVisibleLinks.end(), [](TqzBarItemLink* A, TqzBarItemLink* B) {
      return A->GetFullMenuIndex() < B->GetFullMenuIndex();
    });
  }
  if (FBarManager && FBarManager->IsCustomizingOrDesigning()) return;
  if (GetUpdateCount() == 0) CleanSeparators();
}

void TqzBarItemLinks::CleanSeparators() {
  auto isSeparator = [](TqzBarItemLink* ALink) { return dynamic_cast<TqzBarSeparator*>(ALink->GetItem()) != nullptr; };
  for (Integer i = GetVisibleLinkCount() - 1; i >= 0; --i) {
    TqzBarItemLink* link = FVisibleLinks[i];
    if (!isSeparator(link)) continue;
    bool nextIsSeparator = i + 1 >= GetVisibleLinkCount() || isSeparator(FVisibleLinks[i + 1]);
    if (!nextIsSeparator) continue;
    FVisibleLinks.erase(FVisibleLinks.begin() + i);
    std::erase(FFullMenuLinks, link);
  }
}

// ---- Adding and moving ---------------------------------------------------------------------

TqzBarItemLink* TqzBarItemLinks::AddLink() { return static_cast<TqzBarItemLink*>(Add()); }

TqzBarItemLink* TqzBarItemLinks::AddLinkForItem(TqzBarItem* AItem) {
  BeginUpdate();
  TqzBarItemLink* link = nullptr;
  try {
    link = AddLink();
    link->SetItem(AItem);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return link;
}

TqzBarItemLink* TqzBarItemLinks::AddNewItemOfClass(TClassOf<TqzBarItem> AItemClass, TqzBarManager* AManager) {
  TqzBarItemLink* link = AddLink();
  TqzBarItem* item = nullptr;
  try {
    item = AManager->AddItem(AItemClass);
    link->SetItem(item);
  } catch (...) {
    delete item;
    throw;
  }
  return link;
}

TqzBarItemLink* TqzBarItemLinks::InsertLink(Integer Index) { return static_cast<TqzBarItemLink*>(Insert(Index)); }

void TqzBarItemLinks::MoveLink(Integer AFromIndex, Integer AToIndex) {
  BeginUpdate();
  try {
    if (AFromIndex >= 0 && AFromIndex < GetCount() && AToIndex >= 0 && AToIndex < GetCount() &&
        AFromIndex != AToIndex)
      GetLink(AFromIndex)->SetIndex(AToIndex);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

// ---- Options -------------------------------------------------------------------------------

Variant TqzBarItemLinks::DefaultItemOption(TqzBarItemOptionValue AOption) {
  switch (AOption) {
    case ioShowDescriptions: return Variant(false);
    case ioShowShortCuts: return Variant(true);
    case ioSize: break;
  }
  return Variant(static_cast<Integer>(misNormal));
}

Variant TqzBarItemLinks::ResolveItemOption(TqzBarItemOptionValue AOption, TqzBarItemLinks* ATarget) {
  TqzBarItemLinks* parent = GetParentLinks();
  if (FItemOptions->IsValueStored(AOption) || !parent) return FItemOptions->GetValue(AOption);
  return parent->ResolveItemOption(AOption, ATarget);
}

TqzBarItemLinks* TqzBarItemLinks::GetParentLinks() const {
  TCustomqzBarControl* opener = FBarControl ? FBarControl->GetOpenerBar() : nullptr;
  return opener ? opener->GetItemLinks() : nullptr;
}

// ---- Recent items --------------------------------------------------------------------------

bool TqzBarItemLinks::UsesRecentItems() const {
  return FBarManager && FBarManager->SupportsRecentItems() && FUseRecentItems;
}

void TqzBarItemLinks::RecentMove(TqzBarItemLink* ALink, Integer AIndex) {
  auto it = std::find(FRecentLinks.begin(), FRecentLinks.end(), ALink);
  if (it == FRecentLinks.end()) return;
  FRecentLinks.erase(it);
  AIndex = std::clamp<Integer>(AIndex, 0, static_cast<Integer>(FRecentLinks.size()));
  FRecentLinks.insert(FRecentLinks.begin() + AIndex, ALink);
  RebuildLinkLists();
}

void TqzBarItemLinks::RecentRemove(TqzBarItemLink* ALink) { std::erase(FRecentLinks, ALink); }

Integer TqzBarItemLinks::CalcRecentLinkCount() const {
  if (!UsesRecentItems()) return -1;
  Integer minCount = INT_MAX;
  Integer maxCount = 0;
  for (TqzBarItemLink* link : FFullMenuLinks) {
    minCount = std::min(minCount, link->GetUseCount());
    maxCount = std::max(maxCount, link->GetUseCount());
  }
  Integer fullCount = GetFullMenuLinkCount();
  // Nothing to cut: the whole (empty) list shows.
  if (fullCount == 0) return -1;
  Integer cut = minCount + MulDiv(maxCount - minCount, 100 - FBarManager->GetMostRecentItemsPercents(), 100);
  Integer result = 0;
  for (Integer i = std::min(fullCount, GetRecentLinkCount()) - 1; i >= 0; --i) {
    TqzBarItemLink* link = FRecentLinks[i];
    if (link->GetUseCount() >= cut && link->GetCollection() == this) {
      result = i + 1;
      break;
    }
  }
  return result == fullCount ? -1 : result;
}

void TqzBarItemLinks::SetRecentLinkLimit(Integer ALimit) {
  FPrevRecentLimit = FRecentLimit;
  FRecentLimit = UsesRecentItems() ? ALimit : -1;
  RebuildLinkLists();
}

void TqzBarItemLinks::RestoreRecentLinkLimit() {
  FRecentLimit = FPrevRecentLimit;
  RebuildLinkLists();
}

void TqzBarItemLinks::ApplyLoadedUseData(bool AApplyVisible) {
  for (Integer i = GetCount() - 1; i >= 0; --i)
    if (GetLink(i)->GetItem()) GetLink(i)->ResetUseFromFlag();
  if (AApplyVisible)
    for (Integer i = 0; i < GetCount(); ++i) GetLink(i)->SetVisible(GetLink(i)->GetLoadedVisible());
  for (Integer position = 0; position < GetCount(); ++position) {
    for (Integer i = 0; i < GetCount(); ++i) {
      TqzBarItemLink* link = GetLink(i);
      if (link->GetLoadedRecentIndex() != position) continue;
      link->SetUseCount(link->GetLoadedUseCount());
      RecentMove(link, position);
      link->SetLoadedRecentIndex(-1);
      break;
    }
  }
  if (FBarControl) FBarControl->CreateControls();
}

void TqzBarItemLinks::CompactRecentList() {
  std::stable_partition(FRecentLinks.begin(), FRecentLinks.end(),
                        [](TqzBarItemLink* ALink) { return ALink->GetFullMenuIndex() >= 0; });
}

void TqzBarItemLinks::ResolveLoadedItems() {
  for (Integer i = 0; i < GetCount(); ++i) {
    // A link whose item its owner refuses stays without item, as one whose item is gone.
    try {
      GetLink(i)->ResolveLoadedItemName();
    } catch (const Exception&) {
    }
  }
  ApplyLoadedUseData(true);
}

// ---- Keys and selection --------------------------------------------------------------------

void TqzBarItemLinks::UpdateActions() {
  for (Integer i = 0; i < GetCount(); ++i)
    if (TqzBarItem* item = GetLink(i)->GetItem(); item && item->GetActionLink()) item->GetActionLink()->Update();
}

bool TqzBarItemLinks::ExecuteShortCut(TShortCut AShortCut) {
  if (AShortCut == 0) return false;
  UpdateActions();
  // A click may change the lists: walk a copy.
  std::vector<TqzBarItemLink*> links = FItemVisibleLinks;
  for (TqzBarItemLink* link : links)
    if (link->GetItem()->ProcessShortCut(AShortCut)) return true;
  return false;
}

TqzBarItemLink* TqzBarItemLinks::FindLinkByAccelKey(Word AKey, TShiftState AShift, TqzBarItemLink* AStartLink) {
  AShift.Exclude(ssAlt);
  return FindAccelLink(AKey, AShift, AStartLink);
}

Integer TqzBarItemLinks::GetFittingLinkCount() const {
  if (const_cast<TqzBarItemLinks*>(this)->IsMenuLinks()) return GetVisibleLinkCount();
  // A toolbar shows the links its window has laid out, up to the first one that got no place.
  Integer count = 0;
  while (count < GetVisibleLinkCount() && !IsRectEmpty(&FVisibleLinks[count]->GetItemRect())) ++count;
  return count;
}

bool TqzBarItemLinks::IsSelectable(TqzBarItemLink* ALink) const { return ALink->GetControl() != nullptr; }

TqzBarItemLink* TqzBarItemLinks::FirstSelectableLink() {
  Integer count = GetFittingLinkCount();
  for (Integer i = 0; i < count; ++i)
    if (IsSelectable(FVisibleLinks[i])) return FVisibleLinks[i];
  return nullptr;
}

TqzBarItemLink* TqzBarItemLinks::LastSelectableLink() {
  for (Integer i = GetFittingLinkCount() - 1; i >= 0; --i)
    if (IsSelectable(FVisibleLinks[i])) return FVisibleLinks[i];
  return nullptr;
}

TqzBarItemLink* TqzBarItemLinks::WalkSelectable(TqzBarItemLink* ALink, bool AAnyLink, Integer AStep) {
  Integer count = GetFittingLinkCount();
  if (count == 0) return nullptr;
  Integer start = ALink->GetVisibleIndex();
  // A start outside the fitting links walks them once from the end the step comes from.
  if (start < 0 || start >= count) start = AStep > 0 ? -1 : count;
  for (Integer k = 1; k <= count; ++k) {
    Integer i = ((start + AStep * k) % count + count) % count;
    TqzBarItemLink* link = FVisibleLinks[i];
    if (link == ALink) return nullptr;
    if (AAnyLink || IsSelectable(link)) return link;
  }
  return nullptr;
}

TqzBarItemLink* TqzBarItemLinks::NextSelectableLink(TqzBarItemLink* ALink, bool AAnyLink) {
  return ALink ? WalkSelectable(ALink, AAnyLink, 1) : FirstSelectableLink();
}

TqzBarItemLink* TqzBarItemLinks::PrevSelectableLink(TqzBarItemLink* ALink, bool AAnyLink) {
  return ALink ? WalkSelectable(ALink, AAnyLink, -1) : LastSelectableLink();
}

TqzBarItemLink* TqzBarControlItemLinks::FindAccelLink(Word AKey, TShiftState AShift, TqzBarItemLink* AStartLink) {
  // Only a toolbar on screen answers its accelerators.
  if (!GetBarControl()) return nullptr;
  TqzBarItemLink* first = nullptr;
  TqzBarItemLink* link = AStartLink;
  while (true) {
    link = NextSelectableLink(link, false);
    if (!link || link == first) return nullptr;
    if (!first) first = link;
    if (link->GetItem()->AccelUsableFor(link) && link->MatchesAccel(AKey, AShift)) return link;
  }
}

TqzBarItemLink* TqzBarSubMenuControlItemLinks::FindAccelLink(Word AKey, TShiftState AShift,
                                                             TqzBarItemLink* AStartLink) {
  Integer count = GetFullMenuLinkCount();
  if (count == 0) return nullptr;
  // The start link is tried last; without one the walk starts at the first link.
  Integer start = AStartLink ? AStartLink->GetFullMenuIndex() : -1;
  if (start < 0) start = count - 1;
  for (Integer k = 1; k <= count; ++k) {
    TqzBarItemLink* link = GetFullMenuLink((start + k) % count);
    if (link->GetItem()->AccelUsableFor(link) && link->MatchesAccel(AKey, AShift)) return link;
  }
  return nullptr;
}
