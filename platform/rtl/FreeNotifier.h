#pragma once
// Free notification for objects that are not components: a TFreeNotifier calls its procedure when
// a component it watches is deleted, before the component's own destructors run. (To only hold a
// link that clears itself, TWeakRef in rtl/Object.h is enough.)

#include <functional>
#include <memory>

#include "rtl/Component.h"

class TFreeNotifier {
 public:
  using TFreeProc = std::function<void(TComponent* AComponent)>;

  explicit TFreeNotifier(TFreeProc OnFree);
  ~TFreeNotifier();
  TFreeNotifier(const TFreeNotifier&) = delete;
  TFreeNotifier& operator=(const TFreeNotifier&) = delete;

  // Watching one component twice is watching it once; nullptr is ignored.
  void Watch(TComponent* AComponent);
  void Unwatch(TComponent* AComponent);

 private:
  class TLink;
  std::unique_ptr<TLink> FLink;
};
