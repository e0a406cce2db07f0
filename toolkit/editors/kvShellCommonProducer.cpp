// Producers: a folder enumerated into a sorted item list behind a multi-reader lock.

#include <algorithm>

#include "rtl/SysUtils.h"
#include "rtl/WideText.h"

#include "toolkit/editors/kvShellCommon.h"
#include "vcl/Forms.h"

namespace {

// The next item of an enumeration, or nil at its end or on a failure. An enumerator that refuses
// the request is asked once more.
LPITEMIDLIST NextEnumerated(IEnumIDList* Items) {
  LPITEMIDLIST id = nullptr;
  ULONG fetched = 0;
  HRESULT result = Items->Next(1, &id, &fetched);
  if (result == E_INVALIDARG) result = Items->Next(1, &id, &fetched);
  if (result == S_OK && fetched == 1 && id) return id;
  if (id) ILFree(id);
  return nullptr;
}

}  // namespace

TAVREN_CLASS_IMPL(TkvCustomItemProducer)

TkvCustomItemProducer::TkvCustomItemProducer(TWinControl* AOwnerControl)
    : FColumns(std::make_unique<TkvShellDetails>()),
      FListLock(std::make_unique<TMultiReadExclusiveWriteSynchronizer>()),
      FOwnerControl(AOwnerControl) {}

TkvCustomItemProducer::~TkvCustomItemProducer() {
  // Descendants run ClearItems in their own destructors, while GetGatherer still answers; here
  // only the memory goes.
  FreeIdList(FFolderIdList);
}

void TkvCustomItemProducer::SendToOwner(UINT Message, WPARAM WParam, LPARAM LParam) {
  if (FOwnerControl && FOwnerControl->HandleAllocated()) SendMessage(FOwnerControl->GetHandle(), Message, WParam, LParam);
}

void TkvCustomItemProducer::ClearItems() {
  // Requests first: the worker may hold an item of this list until it is paused.
  CancelFetches();
  BeginWrite();
  FItemList.clear();
  EndWrite();
  FFolderIntf = nullptr;
  FreeIdList(FFolderIdList);
  FFolderIdList = nullptr;
}

void TkvCustomItemProducer::ProcessItems(IShellFolder* Folder, LPCITEMIDLIST AbsoluteIdList, Integer PrefetchCount) {
  FreeIdList(FFolderIdList);
  FFolderIntf = Folder;
  FFolderIdList = CopyIdList(AbsoluteIdList);
  LoadDetails(Folder, PrefetchCount);
  EnumerateItems(PrefetchCount);
  if (WantsBackgroundFetch()) FetchAll();
}

void TkvCustomItemProducer::LoadDetails(IShellFolder* Folder, Integer CharWidth) {
  ULONG attributes = 0;
  LPCITEMIDLIST list = FFolderIdList;
  TInterfacePtr<IShellFolder> desktop = GetDesktopFolder();
  if (!list || desktop->GetAttributesOf(1, &list, &attributes) != S_OK) attributes = 0;
  FColumns->LoadColumns(CharWidth, Folder, (attributes & SFGAO_FILESYSTEM) != 0);
}

void TkvCustomItemProducer::NotifyItemCount(Integer Count) {
  SendToOwner(KVSM_ITEMS_ENUMERATED, static_cast<WPARAM>(Count), 0);
}

void TkvCustomItemProducer::NotifyItemRemoved(Integer Index) {
  SendToOwner(KVSM_ITEM_REMOVED, static_cast<WPARAM>(Index), 0);
}

void TkvCustomItemProducer::NotifyItemAdded(Integer Index) {
  SendToOwner(KVSM_ITEM_ADDED, static_cast<WPARAM>(Index), 0);
}

void TkvCustomItemProducer::SortItems(std::vector<std::unique_ptr<TkvShellItemInfo>>& Items, bool WithUserOrder) {
  IShellFolder* folder = FFolderIntf.Get();
  std::stable_sort(Items.begin(), Items.end(), [&](const auto& a, const auto& b) {
    Integer order = 0;
    if (WithUserOrder && CompareItems(a->GetFolderObject(), b->GetFolderObject(), order)) return order < 0;
    if (a->IsContainer != b->IsContainer) return a->IsContainer;
    if (!folder) return false;
    const HRESULT result = folder->CompareIDs(0, a->GetItemIdList(), b->GetItemIdList());
    return static_cast<int16_t>(result & 0xFFFF) < 0;
  });
}

void TkvCustomItemProducer::EnumerateItems(Integer PrefetchCount) {
  IEnumIDList* raw = nullptr;
  if (!FFolderIntf || FFolderIntf->EnumObjects(nullptr, GetEnumFlags(), &raw) != S_OK || !raw) {
    NotifyItemCount(0);
    return;
  }
  auto items = TInterfacePtr<IEnumIDList>::Attach(raw);
  BeginWrite();
  const TCursor cursor = Screen()->GetCursor();
  Screen()->SetCursor(crHourGlass);
  Integer count = 0;
  try {
    while (LPITEMIDLIST id = NextEnumerated(items.Get())) {
      auto item = std::make_unique<TkvShellItemInfo>(this, id, FFolderIdList, FFolderIntf.Get());
      ILFree(id);
      if (item->DisplayName.empty() || !CanAddFolder(item->GetFolderObject())) continue;
      if (PrefetchCount > 0) {
        item->Fetch(FFolderIntf.Get(), FFolderIdList);
        --PrefetchCount;
      } else {
        InitItem(item.get());
      }
      FItemList.push_back(std::move(item));
    }
    SortItems(FItemList, true);
    count = ItemCount();
  } catch (...) {
    EndWrite();
    Screen()->SetCursor(cursor);
    throw;
  }
  EndWrite();
  Screen()->SetCursor(cursor);
  NotifyItemCount(count);
}

void TkvCustomItemProducer::SetFolderIdList(LPCITEMIDLIST List) {
  LPITEMIDLIST copy = CopyIdList(List);
  FreeIdList(FFolderIdList);
  FFolderIdList = copy;
}

bool TkvCustomItemProducer::EnumerateInto(std::vector<std::unique_ptr<TkvShellItemInfo>>& Items) {
  IEnumIDList* raw = nullptr;
  if (!FFolderIntf || FFolderIntf->EnumObjects(nullptr, GetEnumFlags(), &raw) != S_OK || !raw) return false;
  auto items = TInterfacePtr<IEnumIDList>::Attach(raw);
  while (LPITEMIDLIST id = NextEnumerated(items.Get())) {
    auto item = std::make_unique<TkvShellItemInfo>(this, id, FFolderIdList, FFolderIntf.Get());
    ILFree(id);
    if (!item->DisplayName.empty()) Items.push_back(std::move(item));
  }
  return true;
}

void TkvCustomItemProducer::FetchAll() {
  TkvShellItemsInfoGatherer* gatherer = GetGatherer();
  if (!gatherer) return;
  gatherer->PauseWorker();
  try {
    BeginRead();
    std::vector<Integer> unfetched;
    for (Integer i = 0; i < ItemCount(); ++i)
      if (!Item(i)->GetFetched()) unfetched.push_back(i);
    EndRead();
    for (Integer index : unfetched) RequestFetch(index, false);
  } catch (...) {
    gatherer->ResumeWorker();
    throw;
  }
  gatherer->ResumeWorker();
}

Integer TkvCustomItemProducer::IndexOfId(LPCITEMIDLIST ItemId) {
  if (!FFolderIntf) return -1;
  BeginRead();
  Integer found = -1;
  for (Integer i = 0; i < ItemCount() && found < 0; ++i)
    if ((FFolderIntf->CompareIDs(0, Item(i)->GetItemIdList(), ItemId) & 0xFFFF) == 0) found = i;
  EndRead();
  return found;
}

void TkvCustomItemProducer::RequestFetch(Integer Index, bool Priority) {
  if (TkvShellItemsInfoGatherer* gatherer = GetGatherer()) gatherer->Enqueue(this, Index, Priority);
}

void TkvCustomItemProducer::GetInfoTip(HWND Window, Integer Index, Integer BufferSize, char* Buffer) {
  if (!Buffer || BufferSize <= 0) return;
  if (!ShowsInfoTips()) {
    Buffer[0] = 0;
    return;
  }
  if (!FFolderIntf) return;
  String text;
  bool found = false;
  BeginRead();
  if (Index >= 0 && Index < ItemCount()) {
    LPCITEMIDLIST id = Item(Index)->GetItemIdList();
    void* object = nullptr;
    if (FFolderIntf->GetUIObjectOf(Window, 1, &id, IQueryInfo::IID, nullptr, &object) == S_OK && object) {
      auto info = TInterfacePtr<IQueryInfo>::Attach(static_cast<IQueryInfo*>(object));
      WideChar* tip = nullptr;
      if (info->GetInfoTip(0, &tip) == S_OK && tip) {
        text = UTF8Encode(WideString(tip));
        GetShellAllocator()->Free(tip);
        found = true;
      }
    }
  }
  EndRead();
  if (!found) return;
  // Room for the terminator, and no character cut in two.
  StrPLCopy(Buffer, text, static_cast<Cardinal>(BufferSize - 1));
}

void TkvCustomItemProducer::CancelFetches() {
  if (TkvShellItemsInfoGatherer* gatherer = GetGatherer()) gatherer->CancelRequests(this);
}
