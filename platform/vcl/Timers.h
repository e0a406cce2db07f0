#pragma once
// TTimer: OnTimer every Interval milliseconds while Enabled, on the window manager's clock (so in
// modal loops too, and on a test's fake clock). Changing Enabled, Interval or OnTimer starts the
// interval again.

#include "rtl/Component.h"
#include "rtl/Events.h"
#include "vcl/ControlsMessages.h"

class TTimer : public TComponent {
  TAVREN_CLASS(TTimer, TComponent)
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  Cardinal GetInterval() const { return FInterval; }
  void SetInterval(Cardinal Value);
  TNotifyEvent GetOnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent Value);

 protected:
  virtual void Timer() { FOnTimer(this); }

 private:
  void UpdateTimer();
  void WndProc(TMessage& Message);

  HWND FWindowHandle = nullptr;
  Cardinal FInterval = 1000;
  bool FEnabled = true;
  TNotifyEvent FOnTimer;
};
