#include "gdi/GdiObjects.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

#include "gdi/StockObjects.h"

namespace {

// Handle layout: low 24 bits slot index + kIndexBase, high 8 bits the slot's generation (never 0).
constexpr uintptr_t kIndexBase = 0x1000;
constexpr uintptr_t kIndexMask = 0x00FFFFFF;

}  // namespace

class GdiObjectTable {
 public:
  HGDIOBJ Add(std::unique_ptr<GdiObject> object) {
    std::lock_guard lock(mutex_);
    size_t index;
    if (!free_.empty()) {
      index = free_.back();
      free_.pop_back();
    } else {
      index = slots_.size();
      if (index + kIndexBase > kIndexMask) return nullptr;
      slots_.emplace_back();
    }
    Slot& slot = slots_[index];
    slot.generation = static_cast<uint8_t>(slot.generation % 255 + 1);
    const uintptr_t value = (static_cast<uintptr_t>(slot.generation) << 24) | (index + kIndexBase);
    object->handle_ = reinterpret_cast<HGDIOBJ>(value);
    slot.object = std::move(object);
    return slot.object->handle_;
  }

  GdiObject* Find(HGDIOBJ handle, DWORD type) {
    std::lock_guard lock(mutex_);
    GdiObject* object = FindLocked(handle);
    if (!object || object->deletePending_) return nullptr;
    if (type != 0 && object->type_ != type) return nullptr;
    return object;
  }

  bool Destroy(HGDIOBJ handle) {
    std::unique_ptr<GdiObject> doomed;
    {
      std::lock_guard lock(mutex_);
      GdiObject* object = FindLocked(handle);
      if (!object || object->deletePending_) return false;
      if (object->stock_) return true;
      object->deletePending_ = true;
      if (object->references_.load() > 0) return true;
      doomed = ReleaseLocked(object);
    }
    return true;  // doomed is destroyed outside the lock: a DC's destructor releases its objects
  }

  // The last reference of an object whose deletion was asked for went away.
  void Released(GdiObject* object) {
    std::unique_ptr<GdiObject> doomed;
    std::lock_guard lock(mutex_);
    if (object->deletePending_ && object->references_.load() == 0) doomed = ReleaseLocked(object);
  }

  void Clear() {
    std::vector<std::unique_ptr<GdiObject>> all;
    {
      std::lock_guard lock(mutex_);
      for (Slot& slot : slots_) {
        if (slot.object) all.push_back(std::move(slot.object));
      }
      slots_.clear();
      free_.clear();
    }
    // DCs first: they hold references to the rest.
    for (auto& object : all) {
      if (object->type_ == OBJ_DC || object->type_ == OBJ_MEMDC) object.reset();
    }
    all.clear();
  }

 private:
  struct Slot {
    std::unique_ptr<GdiObject> object;
    uint8_t generation = 0;
  };

  GdiObject* FindLocked(HGDIOBJ handle) {
    const uintptr_t value = reinterpret_cast<uintptr_t>(handle);
    const uintptr_t low = value & kIndexMask;
    if (low < kIndexBase || (value >> 32) != 0) return nullptr;
    const size_t index = low - kIndexBase;
    if (index >= slots_.size()) return nullptr;
    Slot& slot = slots_[index];
    if (!slot.object || slot.generation != ((value >> 24) & 0xFF)) return nullptr;
    return slot.object.get();
  }

  std::unique_ptr<GdiObject> ReleaseLocked(GdiObject* object) {
    const size_t index = (reinterpret_cast<uintptr_t>(object->handle_) & kIndexMask) - kIndexBase;
    free_.push_back(index);
    return std::move(slots_[index].object);
  }

  std::mutex mutex_;
  std::vector<Slot> slots_;
  std::vector<size_t> free_;
};

namespace {

// Never destroyed: objects still alive when the program exits refer to one another, and to the
// table, in no order that static destruction could follow. GdiObjectsEnd frees them in order; a
// program that exits without it leaves them to the system.
GdiObjectTable& Table() {
  static GdiObjectTable& table = *new GdiObjectTable;
  return table;
}

std::array<HGDIOBJ, STOCK_LAST + 1> gStock{};

}  // namespace

int GdiObject::GetObjectRecord(int, void*) const { return 0; }

HGDIOBJ RegisterGdiObject(std::unique_ptr<GdiObject> object) {
  if (!object) return nullptr;
  return Table().Add(std::move(object));
}

GdiObject* LookupGdiObject(HGDIOBJ handle, DWORD type) { return handle ? Table().Find(handle, type) : nullptr; }

bool DestroyGdiObject(HGDIOBJ handle) { return handle && Table().Destroy(handle); }

void MarkStockObject(HGDIOBJ handle) {
  if (GdiObject* object = LookupGdiObject(handle)) object->stock_ = true;
}

void SetStockObject(int index, HGDIOBJ handle) {
  if (index < 0 || index > STOCK_LAST) return;
  MarkStockObject(handle);
  gStock[index] = handle;
}

HGDIOBJ StockObject(int index) { return index >= 0 && index <= STOCK_LAST ? gStock[index] : nullptr; }

GdiObjectRef::GdiObjectRef(GdiObject* object) : object_(object) {
  if (object_) object_->references_.fetch_add(1);
}

GdiObjectRef::~GdiObjectRef() {
  if (object_ && object_->references_.fetch_sub(1) == 1 && object_->deletePending_) Table().Released(object_);
}

void GdiObjectsStart() { CreateStockObjects(); }

void GdiObjectsEnd() {
  gStock.fill(nullptr);
  Table().Clear();
}
