#include "rtl/Interfaces.h"

TAVREN_CLASS_IMPL(TInterfacedObject)

HRESULT TInterfacedObject::QueryInterface(const TInterfaceId& IID, void** Obj) {
  return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
}

Integer TInterfacedObject::_AddRef() { return ++FRefCount; }

Integer TInterfacedObject::_Release() {
  Integer count = --FRefCount;
  if (count == 0) delete this;
  return count;
}
