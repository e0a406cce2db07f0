// The producer of one tree node: its folder's items, reported to the tree with the node.

#include <algorithm>

#include "toolkit/editors/kvShellControls.h"
#include "vcl/Forms.h"

TAVREN_CLASS_IMPL(TkvShellTreeItemProducer)

TkvShellTreeItemProducer::TkvShellTreeItemProducer(TkvCustomInnerShellTreeView* ATree)
    : TkvCustomItemProducer(ATree), FTree(ATree) {
  FTree->GetProducers()->Add(this);
}

TkvShellTreeItemProducer::~TkvShellTreeItemProducer() {
  OnDestroying(this);
  ClearItems();
  FTree->GetProducers()->Remove(this);
}

bool TkvShellTreeItemProducer::WantsBackgroundFetch() { return !FTree->GetNavigating(); }

bool TkvShellTreeItemProducer::CanAddFolder(TkvShellFolder* Folder) {
  bool canAdd = true;
  FTree->GetOnAddFolder()(FTree, Folder, canAdd);
  return canAdd;
}

DWORD TkvShellTreeItemProducer::GetEnumFlags() { return FTree->GetOptions()->GetEnumFlags(); }

TkvShellItemsInfoGatherer* TkvShellTreeItemProducer::GetGatherer() { return FTree->GetGatherer(); }

bool TkvShellTreeItemProducer::ShowsInfoTips() { return FTree->GetShowInfoTips(); }

void TkvShellTreeItemProducer::InitItem(TkvShellItemInfo* Item) {
  // Tree nodes show their real button at once: each item is complete before it is shown.
  Item->Fetch(GetFolderIntf(), GetFolderIdList());
  ItemFetched(Item);
}

void TkvShellTreeItemProducer::ItemFetched(TkvShellItemInfo* Item) {
  // Removable media are not read for a button: the drive may be slow or empty.
  if (!Item->OnRemovableMedia) Item->MayHaveChildren = HasChildItems(GetFolderIntf(), Item->GetFullIdList(), GetEnumFlags());
}

void TkvShellTreeItemProducer::NotifyItemCount(Integer Count) {
  if (Node) SendToOwner(KVSM_ITEMS_ENUMERATED, static_cast<WPARAM>(Count), reinterpret_cast<LPARAM>(Node));
}

void TkvShellTreeItemProducer::NotifyItemFetched(const TkvFetchRequest& Request) {
  if (GetOwnerControl()->HandleAllocated())
    PostMessage(GetOwnerControl()->GetHandle(), KVSM_ITEM_FETCHED, static_cast<WPARAM>(Request.ItemIndex),
                reinterpret_cast<LPARAM>(Node));
}

void TkvShellTreeItemProducer::NotifyItemRemoved(Integer Index) {
  SendToOwner(KVSM_ITEM_REMOVED, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(Node));
}

void TkvShellTreeItemProducer::NotifyItemAdded(Integer Index) {
  SendToOwner(KVSM_ITEM_ADDED, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(Node));
}

bool TkvShellTreeItemProducer::RefreshItems() {
  if (!GetFolderIntf()) return false;
  const TCursor cursor = FTree->GetCursor();
  FTree->SetCursor(crHourGlass);
  std::vector<std::unique_ptr<TkvShellItemInfo>> fresh;
  if (!EnumerateInto(fresh)) {
    FTree->SetCursor(cursor);
    return false;
  }
  SortItems(fresh, false);
  IShellFolder* folder = GetFolderIntf();
  auto sameId = [&](TkvShellItemInfo* a, TkvShellItemInfo* b) {
    return (folder->CompareIDs(0, a->GetItemIdList(), b->GetItemIdList()) & 0xFFFF) == 0;
  };
  // The worker stands still first: it must not wait for this write lock while the nodes that go
  // withdraw their own requests.
  GetGatherer()->PauseWorker();
  BeginWrite();
  try {
    for (size_t i = 0; i < FItemList.size();) {
      auto match = std::find_if(fresh.begin(), fresh.end(),
                                [&](const auto& candidate) { return candidate && sameId(candidate.get(), FItemList[i].get()); });
      if (match != fresh.end()) {
        FItemList[i] = std::move(*match);
        fresh.erase(match);
        ++i;
      } else {
        NotifyItemRemoved(static_cast<Integer>(i));
        FItemList.erase(FItemList.begin() + static_cast<std::ptrdiff_t>(i));
      }
    }
    for (auto& item : fresh) {
      if (!CanAddFolder(item->GetFolderObject())) continue;
      item->Fetch(folder, GetFolderIdList());
      FItemList.push_back(std::move(item));
      NotifyItemAdded(ItemCount() - 1);
    }
  } catch (...) {
    EndWrite();
    GetGatherer()->ResumeWorker();
    FTree->SetCursor(cursor);
    throw;
  }
  EndWrite();
  GetGatherer()->ResumeWorker();
  FTree->SetCursor(cursor);
  return true;
}
