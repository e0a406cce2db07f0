#include "rtl/SyncObjs.h"

TAVREN_CLASS_IMPL(TMultiReadExclusiveWriteSynchronizer)

void TMultiReadExclusiveWriteSynchronizer::BeginRead() {
  const std::thread::id self = std::this_thread::get_id();
  std::unique_lock lock(FMutex);
  // A writer waiting behind readers does not hold back a thread that already reads (it would wait
  // for itself).
  FChanged.wait(lock, [&] { return FWriteDepth == 0 || FWriter == self; });
  ++FReads[self];
  ++FReaderCount;
}

void TMultiReadExclusiveWriteSynchronizer::EndRead() {
  const std::thread::id self = std::this_thread::get_id();
  std::unique_lock lock(FMutex);
  auto it = FReads.find(self);
  if (it == FReads.end()) return;  // an unmatched end releases nothing
  if (--it->second == 0) FReads.erase(it);
  --FReaderCount;
  FChanged.notify_all();
}

bool TMultiReadExclusiveWriteSynchronizer::BeginWrite() {
  const std::thread::id self = std::this_thread::get_id();
  std::unique_lock lock(FMutex);
  if (FWriteDepth > 0 && FWriter == self) {
    ++FWriteDepth;
    return true;
  }
  FChanged.wait(lock, [&] {
    auto own = FReads.find(self);
    const Integer mine = own == FReads.end() ? 0 : own->second;
    return FWriteDepth == 0 && FReaderCount == mine;
  });
  FWriter = self;
  FWriteDepth = 1;
  return true;
}

void TMultiReadExclusiveWriteSynchronizer::EndWrite() {
  std::unique_lock lock(FMutex);
  if (FWriteDepth == 0 || FWriter != std::this_thread::get_id()) return;
  if (--FWriteDepth == 0) {
    FWriter = std::thread::id();
    FChanged.notify_all();
  }
}
