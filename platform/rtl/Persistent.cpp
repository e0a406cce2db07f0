#include "rtl/Persistent.h"

#include "rtl/SysUtils.h"

TAVREN_CLASS_IMPL(TPersistent)
TAVREN_CLASS_IMPL(TInterfacedPersistent)

void TPersistent::Assign(TPersistent* Source) {
  if (Source)
    Source->AssignTo(this);
  else
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* Source) {
  String sourceName = Source ? Source->ClassName() : "nil";
  throw EConvertError(Format("Cannot assign a %s to a %s", sourceName, ClassName()));
}

void TPersistent::DefineProperties(TFiler*) {}

TPersistent* TPersistent::GetOwner() { return nullptr; }

String TPersistent::GetNamePath() {
  String result = ClassName();
  if (TPersistent* owner = GetOwner()) {
    String ownerPath = owner->GetNamePath();
    if (!ownerPath.empty()) result = ownerPath + "." + result;
  }
  return result;
}

HRESULT TInterfacedPersistent::QueryInterface(const TInterfaceId& IID, void** Obj) {
  return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
}

Integer TInterfacedPersistent::_AddRef() {
  if (auto* owner = dynamic_cast<IInterface*>(GetOwner())) return owner->_AddRef();
  return -1;
}

Integer TInterfacedPersistent::_Release() {
  if (auto* owner = dynamic_cast<IInterface*>(GetOwner())) return owner->_Release();
  return -1;
}
