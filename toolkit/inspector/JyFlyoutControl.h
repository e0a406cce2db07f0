#pragma once
// Borderless top-level windows of the inspector controls: the flyout base and the roll-mode mark,
// a small shaped window shown where the middle button went down.

#include "vcl/Controls.h"

class TJyFlyoutControl : public TCustomControl {
  TAVREN_CLASS(TJyFlyoutControl, TCustomControl)
  TAVREN_MESSAGES()
 public:
  explicit TJyFlyoutControl(TComponent* AOwner);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WMEraseBkgnd(TMessage& Message);
};

class TRollShadow : public TJyFlyoutControl {
  TAVREN_CLASS(TRollShadow, TJyFlyoutControl)
 public:
  using TJyFlyoutControl::TJyFlyoutControl;
  // Shows the mark centred on the screen point P.
  void ShowAt(TPoint P);
  TPoint GetLastPoint() const { return FLastPoint; }

 protected:
  virtual void CreateShape();
  void Paint() override;

 private:
  TPoint FLastPoint;
};
