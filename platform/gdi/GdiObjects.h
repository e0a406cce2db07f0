#pragma once
// The table of graphics objects. Every handle (pen, brush, font, bitmap, region, palette, DC,
// icon) names one GdiObject owned by this table; handles carry a generation, so a stale handle
// finds nothing instead of a newer object. Handle values fit in 32 bits and never fall in the
// small range that system-colour brushes (index + 1) use.
//
// A new kind of object (the text unit's fonts, for example) derives from GdiObject, gives its
// OBJ_* type to the constructor, answers GetObject through GetObjectRecord, and is registered with
// RegisterGdiObject. Selecting it into a DC, deleting it, stock handling and lookup then work as
// for every other object.

#include <atomic>
#include <memory>

#include "gdi/GdiTypes.h"

// Our own type for icons and cursors, which share the table.
constexpr DWORD OBJ_ICONCURSOR = 0x100;

class GdiObject {
 public:
  explicit GdiObject(DWORD type) : type_(type) {}
  virtual ~GdiObject() = default;
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  DWORD Type() const { return type_; }
  HGDIOBJ Handle() const { return handle_; }
  bool IsStock() const { return stock_; }

  // GetObject: copies at most `size` bytes of the object's record into `buffer` and answers the
  // bytes copied; with a null buffer answers the record's size. 0 when the type has no record.
  virtual int GetObjectRecord(int size, void* buffer) const;

 private:
  friend class GdiObjectTable;
  friend class GdiObjectRef;
  friend void MarkStockObject(HGDIOBJ handle);
  DWORD type_;
  HGDIOBJ handle_ = nullptr;
  bool stock_ = false;
  bool deletePending_ = false;
  std::atomic<int> references_{0};
};

// Takes ownership and answers the new handle.
HGDIOBJ RegisterGdiObject(std::unique_ptr<GdiObject> object);
template <class Handle>
Handle RegisterGdiObjectAs(std::unique_ptr<GdiObject> object) {
  return static_cast<Handle>(RegisterGdiObject(std::move(object)));
}

// The live object of a handle; null for a stale handle or one of another type (type 0: any type).
GdiObject* LookupGdiObject(HGDIOBJ handle, DWORD type = 0);
template <class T>
T* LookupGdiObjectAs(HGDIOBJ handle, DWORD type) {
  return static_cast<T*>(LookupGdiObject(handle, type));
}

// DeleteObject's work: false for a stale handle; stock objects stay; an object still selected into
// a DC (or held by a saved DC state) goes when the last of those lets it go.
bool DestroyGdiObject(HGDIOBJ handle);

// Objects the system owns (stock objects, system colour brushes): DeleteObject leaves them.
void MarkStockObject(HGDIOBJ handle);
// GetStockObject's table; the text unit registers its fonts here (SYSTEM_FONT, DEFAULT_GUI_FONT...).
void SetStockObject(int index, HGDIOBJ handle);
HGDIOBJ StockObject(int index);

// A counted reference that keeps a selected object alive after DeleteObject.
class GdiObjectRef {
 public:
  GdiObjectRef() = default;
  explicit GdiObjectRef(GdiObject* object);
  GdiObjectRef(const GdiObjectRef& other) : GdiObjectRef(other.object_) {}
  GdiObjectRef(GdiObjectRef&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
  GdiObjectRef& operator=(GdiObjectRef other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  ~GdiObjectRef();

  GdiObject* get() const { return object_; }
  template <class T>
  T* as() const { return static_cast<T*>(object_); }
  HGDIOBJ Handle() const { return object_ ? object_->Handle() : nullptr; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  GdiObject* object_ = nullptr;
};

// Unit start and end: the stock objects, and at the end every object left.
void GdiObjectsStart();
void GdiObjectsEnd();
