#pragma once
// The multi-reader lock of the framework: many readers or one writer. It is re-entrant: a thread
// may nest reads and writes in any order, and a reader that asks to write is promoted once the
// other readers have left (two readers promoting at once would wait for each other: the caller
// avoids that).

#include <condition_variable>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "rtl/Object.h"

class TMultiReadExclusiveWriteSynchronizer : public TObject {
  TAVREN_CLASS(TMultiReadExclusiveWriteSynchronizer, TObject)
 public:
  TMultiReadExclusiveWriteSynchronizer() = default;

  void BeginRead();
  void EndRead();
  // True: nobody else wrote between this thread's read and its write (always so here, since a
  // promoted reader keeps its read while it waits).
  bool BeginWrite();
  void EndWrite();

 private:
  std::mutex FMutex;
  std::condition_variable FChanged;
  std::thread::id FWriter;
  Integer FWriteDepth = 0;
  Integer FReaderCount = 0;  // reads held, every thread's nesting counted
  std::unordered_map<std::thread::id, Integer> FReads;
};
