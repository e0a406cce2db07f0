#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "rtl/SyncObjs.h"

namespace {

TEST(MultiReadLock, ReadsNestWritesNestAndAReaderIsPromoted) {
  TMultiReadExclusiveWriteSynchronizer lock;
  lock.BeginRead();
  lock.BeginRead();
  EXPECT_TRUE(lock.BeginWrite());  // the only reader becomes the writer
  lock.BeginRead();                // and may read inside its write
  lock.BeginWrite();
  lock.EndWrite();
  lock.EndRead();
  lock.EndWrite();
  lock.EndRead();
  lock.EndRead();
  lock.EndRead();  // one end too many releases nothing
  // Free again: another thread writes at once.
  std::thread other([&] {
    lock.BeginWrite();
    lock.EndWrite();
  });
  other.join();
}

TEST(MultiReadLock, WritersExcludeReadersAndEachOther) {
  TMultiReadExclusiveWriteSynchronizer lock;
  int shared = 0;  // plain on purpose: the lock alone must keep it consistent
  std::atomic<int> readersInside{0};
  std::atomic<bool> overlap{false};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 2000; ++i) {
        if ((i + t) % 3 == 0) {
          lock.BeginWrite();
          if (readersInside.load() != 0) overlap = true;
          ++shared;
          lock.EndWrite();
        } else {
          lock.BeginRead();
          ++readersInside;
          [[maybe_unused]] volatile int seen = shared;
          --readersInside;
          lock.EndRead();
        }
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_FALSE(overlap);
  int writes = 0;
  for (int t = 0; t < 4; ++t)
    for (int i = 0; i < 2000; ++i) writes += (i + t) % 3 == 0;
  EXPECT_EQ(shared, writes);
}

}  // namespace
