#include "rtl/Object.h"

#include "rtl/SysUtils.h"

bool TClassRecord::InheritsFrom(TClass Ancestor) const noexcept {
  for (TClass c = this; c; c = c->Parent)
    if (c == Ancestor) return true;
  return false;
}

TObject* TClassRecord::Create(TObject* Arg) const {
  if (!Factory) throw EInvalidOperation(Format("Cannot create an instance of %s", Name));
  TObject* instance = Factory(Arg);
  try {
    instance->AfterConstruction();
  } catch (...) {
    delete instance;
    throw;
  }
  return instance;
}

TClass TObject::ClassInfo() noexcept {
  static const TClassRecord record{"TObject", nullptr, ClassFactoryOf<TObject>(), nullptr};
  return &record;
}

TObject::~TObject() { DetachWeakRefs(); }

String TObject::ClassName() const { return ClassType()->Name; }

TClass TObject::ClassParent() const noexcept { return ClassType()->Parent; }

bool TObject::InheritsFrom(TClass Ancestor) const noexcept {
  return ClassType()->InheritsFrom(Ancestor);
}

bool TObject::ClassNameIs(const String& Name) const { return SameText(ClassType()->Name, Name); }

void TObject::operator delete(TObject* Self, std::destroying_delete_t) {
  // The whole object is still alive here, so BeforeDestruction reaches the most derived override,
  // as the framework's Free does before the destructor chain starts.
  Self->DetachWeakRefs();
  Self->BeforeDestruction();
  void* memory = dynamic_cast<void*>(Self);
  Self->~TObject();
  ::operator delete(memory);
}

TObject::TWeakBlock* TObject::AcquireWeakBlock() const {
  if (!FWeak) FWeak = new TWeakBlock{const_cast<TObject*>(this), 1};
  ++FWeak->Refs;
  return FWeak;
}

void TObject::ReleaseWeakBlock(TWeakBlock* block) noexcept {
  if (block && --block->Refs == 0) delete block;
}

void TObject::DetachWeakRefs() noexcept {
  if (!FWeak) return;
  FWeak->Object = nullptr;
  ReleaseWeakBlock(FWeak);
  FWeak = nullptr;
}
