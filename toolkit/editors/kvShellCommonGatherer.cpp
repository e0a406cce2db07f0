// The information gatherer: one worker thread completing queued items' second stage.

#include <algorithm>
#include <chrono>

#include "toolkit/editors/kvShellCommon.h"

namespace {

// The live gatherers, so that the unit's end can stop their workers.
std::mutex& GathererListMutex() {
  static std::mutex mutex;
  return mutex;
}

std::vector<TkvShellItemsInfoGatherer*>& GathererList() {
  static std::vector<TkvShellItemsInfoGatherer*> list;
  return list;
}

// The worker looks at its queue again at least this often.
constexpr auto kPollInterval = std::chrono::milliseconds(10);

}  // namespace

TAVREN_CLASS_IMPL(TkvShellItemsInfoGatherer)

TkvShellItemsInfoGatherer::TkvShellItemsInfoGatherer(TWinControl* AOwner) : FOwner(AOwner) {
  FWorkerThread = std::thread([this] { WorkerLoop(); });
  std::lock_guard lock(GathererListMutex());
  GathererList().push_back(this);
}

TkvShellItemsInfoGatherer::~TkvShellItemsInfoGatherer() {
  {
    std::lock_guard lock(GathererListMutex());
    auto& list = GathererList();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  StopWorker();
}

void TkvShellItemsInfoGatherer::WorkerLoop() {
  std::unique_lock lock(FMutex);
  while (!FQuit) {
    if (FPaused) {
      // The acknowledgement names the pause it answers, so an older one never counts.
      FIdleGeneration = FPauseGeneration;
      FIdleSeen.notify_all();
      // A resume followed at once by a new pause must be answered too, not slept through.
      FWake.wait(lock, [&] { return !FPaused || FQuit || FPauseGeneration != FIdleGeneration; });
      continue;
    }
    if (FQueue.empty()) {
      FWake.wait_for(lock, kPollInterval, [&] { return FPaused || FQuit || !FQueue.empty(); });
      continue;
    }
    const TkvFetchRequest request = FQueue.front();
    FQueue.pop_front();
    lock.unlock();
    RunRequest(request);
    lock.lock();
  }
}

void TkvShellItemsInfoGatherer::RunRequest(const TkvFetchRequest& Request) {
  TkvCustomItemProducer* producer = Request.RequestProducer;
  producer->BeginRead();
  bool inside = false;
  try {
    inside = Request.ItemIndex >= 0 && Request.ItemIndex < producer->ItemCount();
    if (inside) {
      TkvShellItemInfo* item = producer->Item(Request.ItemIndex);
      item->Fetch(producer->GetFolderIntf(), producer->GetFolderIdList());
      producer->ItemFetched(item);
      item->SetFetched(true);
    }
  } catch (...) {
    // A shell failure leaves the item as it was; the worker goes on with the next request.
  }
  producer->EndRead();
  if (inside) producer->NotifyItemFetched(Request);
}

void TkvShellItemsInfoGatherer::PauseWorker() {
  if (FPauseCount++ > 0) return;
  std::unique_lock lock(FMutex);
  if (!FWorkerThread.joinable()) return;
  FPaused = true;
  const uint64_t generation = ++FPauseGeneration;
  FWake.notify_all();
  FIdleSeen.wait(lock, [&] { return FIdleGeneration >= generation || FQuit; });
}

void TkvShellItemsInfoGatherer::ResumeWorker() {
  if (FPauseCount == 0) return;
  if (--FPauseCount > 0) return;
  std::lock_guard lock(FMutex);
  FPaused = false;
  FWake.notify_all();
}

void TkvShellItemsInfoGatherer::Enqueue(TkvCustomItemProducer* Producer, Integer Index, bool Priority) {
  PauseWorker();
  {
    std::lock_guard lock(FMutex);
    auto found = std::find_if(FQueue.begin(), FQueue.end(), [&](const TkvFetchRequest& r) {
      return r.ItemIndex == Index && r.RequestProducer == Producer;
    });
    if (found == FQueue.end()) {
      if (Priority)
        FQueue.push_front({Index, Producer, 1});
      else
        FQueue.push_back({Index, Producer, 0});
    } else if (Priority) {
      // Moved to the front, keeping the mark it was queued with.
      const TkvFetchRequest request = *found;
      FQueue.erase(found);
      FQueue.push_front(request);
    }
  }
  ResumeWorker();
}

void TkvShellItemsInfoGatherer::CancelRequests(TkvCustomItemProducer* Producer) {
  if (FClearingQueue) return;
  FClearingQueue = true;
  PauseWorker();
  {
    std::lock_guard lock(FMutex);
    if (!Producer)
      FQueue.clear();
    else
      FQueue.erase(std::remove_if(FQueue.begin(), FQueue.end(),
                                  [&](const TkvFetchRequest& r) { return r.RequestProducer == Producer; }),
                   FQueue.end());
  }
  FClearingQueue = false;
  ResumeWorker();
}

void TkvShellItemsInfoGatherer::StopWorker() {
  {
    std::lock_guard lock(FMutex);
    FQuit = true;
    FWake.notify_all();
    FIdleSeen.notify_all();
  }
  if (FWorkerThread.joinable()) FWorkerThread.join();
}

std::vector<TkvFetchRequest> TkvShellItemsInfoGatherer::QueuedRequests() {
  std::lock_guard lock(FMutex);
  return std::vector<TkvFetchRequest>(FQueue.begin(), FQueue.end());
}

void StopAllGatherers() {
  std::vector<TkvShellItemsInfoGatherer*> live;
  {
    std::lock_guard lock(GathererListMutex());
    live = GathererList();
  }
  for (TkvShellItemsInfoGatherer* gatherer : live) gatherer->StopWorker();
}

void kvShellCommonEnd() { StopAllGatherers(); }
