#include "core/Observer.h"

#include <algorithm>

#include "rtl/SysUtils.h"

TAVREN_CLASS_IMPL(TSubject)

void TSubject::Attach(IObserver* Observer) {
  FObservers.push_back(Observer);
  Notify();
}

void TSubject::Detach(IObserver* Observer) {
  auto it = std::find(FObservers.begin(), FObservers.end(), Observer);
  if (it == FObservers.end()) throw EListError(Format("List index out of bounds (%d)", -1));
  FObservers.erase(it);
}

void TSubject::Notify() {
  const size_t count = FObservers.size();
  // An observer may detach itself (or another) while it is updated: stop at the list's end
  // rather than read past it.
  for (size_t i = 0; i < count && i < FObservers.size(); ++i) FObservers[i]->Update();
}
