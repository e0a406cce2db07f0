#include "rtl/FreeNotifier.h"

// The hidden component that takes part in free notification on the holder's behalf.
class TFreeNotifier::TLink : public TComponent {
 public:
  explicit TLink(TFreeProc onFree) : TComponent(nullptr), FOnFree(std::move(onFree)) {}

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && FOnFree) FOnFree(AComponent);
  }

 private:
  TFreeProc FOnFree;
};

TFreeNotifier::TFreeNotifier(TFreeProc OnFree) : FLink(std::make_unique<TLink>(std::move(OnFree))) {}

TFreeNotifier::~TFreeNotifier() = default;

void TFreeNotifier::Watch(TComponent* AComponent) {
  if (AComponent) AComponent->FreeNotification(FLink.get());
}

void TFreeNotifier::Unwatch(TComponent* AComponent) {
  if (AComponent) AComponent->RemoveFreeNotification(FLink.get());
}
