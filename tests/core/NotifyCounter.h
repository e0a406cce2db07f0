#pragma once
// An observer that counts the notifications it gets; not reference counted, it lives on the stack.

#include "core/Observer.h"

class TNotifyCounter : public TObject, public IObserver {
 public:
  Integer Count = 0;
  void Update() override { ++Count; }
  HRESULT QueryInterface(const TInterfaceId&, void** Obj) override {
    *Obj = nullptr;
    return E_NOINTERFACE;
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }
};
