// TTimer on a hidden window of its own: WM_TIMER calls OnTimer, and an exception from the handler
// goes to the application like any other.

#include "vcl/Timers.h"

#include "rtl/TypInfo.h"
#include "user/User.h"
#include "vcl/AllocateHWnd.h"
#include "vcl/Forms.h"

TAVREN_CLASS_IMPL_PUBLISHED(TTimer,
    PROPERTY(Enabled).Default(true),
    PROPERTY(Interval).Default(1000),
    PROPERTY(OnTimer))

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  FWindowHandle = AllocateHWnd(MakeEvent<&TTimer::WndProc>(this));
}

TTimer::~TTimer() {
  FEnabled = false;
  if (FWindowHandle) {
    KillTimer(FWindowHandle, 1);
    DeallocateHWnd(FWindowHandle);
  }
}

void TTimer::UpdateTimer() {
  KillTimer(FWindowHandle, 1);
  if (FInterval != 0 && FEnabled && FOnTimer.Assigned())
    if (!SetTimer(FWindowHandle, 1, FInterval, nullptr)) throw EOutOfResources("Not enough timers available");
}

void TTimer::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(Cardinal Value) {
  if (FInterval == Value) return;
  FInterval = Value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = Value;
  UpdateTimer();
}

void TTimer::WndProc(TMessage& Message) {
  if (Message.Msg == WM_TIMER) {
    try {
      Timer();
    } catch (...) {
      if (!Application()) throw;
      Application()->HandleException(this);
    }
    return;
  }
  Message.Result = DefWindowProc(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
}
