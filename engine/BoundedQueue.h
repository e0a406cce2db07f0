#pragma once
// The queue between two pipeline stages: a producer blocks while it is full, a consumer while it
// is empty. Either side can say it is done: the producer finishes (the consumer drains what is
// left), the consumer abandons (the producer's pushes are refused and it can stop early, and a
// consumer waiting on it wakes up: abandoning is also how a stopping job releases both sides).

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>

template <class T>
class BoundedQueue {
 public:
  explicit BoundedQueue(size_t capacity) : FCapacity(capacity) {}

  // False when the consumer no longer takes items (abandoned or aborted): the item is dropped.
  bool Push(T item) {
    std::unique_lock lock(FLock);
    FNotFull.wait(lock, [&] { return FItems.size() < FCapacity || FAbandoned; });
    if (FAbandoned) return false;
    FItems.push_back(std::move(item));
    FNotEmpty.notify_one();
    return true;
  }

  // False when no item will come any more (finished and drained, or aborted).
  bool Pop(T& item) {
    std::unique_lock lock(FLock);
    FNotEmpty.wait(lock, [&] { return !FItems.empty() || FFinished || FAbandoned; });
    if (FItems.empty() || FAbandoned) return false;
    item = std::move(FItems.front());
    FItems.pop_front();
    // A producer that found the queue full sleeps until it is half empty: waking it for every
    // item would cost a thread switch per frame when it is the faster side.
    if (FItems.size() <= FCapacity / 2) FNotFull.notify_one();
    return true;
  }

  void Finish() {
    std::lock_guard lock(FLock);
    FFinished = true;
    FNotEmpty.notify_all();
  }

  void Abandon() {
    std::lock_guard lock(FLock);
    FAbandoned = true;
    FItems.clear();
    FNotFull.notify_all();
    FNotEmpty.notify_all();
  }

  bool Abandoned() const {
    std::lock_guard lock(FLock);
    return FAbandoned;
  }

 private:
  const size_t FCapacity;
  mutable std::mutex FLock;
  std::condition_variable FNotFull;
  std::condition_variable FNotEmpty;
  std::deque<T> FItems;
  bool FFinished = false;
  bool FAbandoned = false;
};
