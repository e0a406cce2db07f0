#include "ScreenPoints.h"

#include <gtest/gtest.h>

#include "toolkit/bars/qzBarControl.h"

POINT ToScreen(TControl* AControl, Integer X, Integer Y) {
  const TPoint p = AControl->ClientToScreen(TPoint(X, Y));
  return {p.X, p.Y};
}

POINT CommandButtonPoint(TComponent* AOwner, const char* AName) {
  auto* item = dynamic_cast<TqzBarItem*>(AOwner->FindComponent(AName));
  TqzBarItemLink* link = item ? item->GetLink(0) : nullptr;
  TCustomqzBarControl* window = link ? link->GetBarControl() : nullptr;
  if (!window || !window->HandleAllocated() || !IsWindowVisible(window->GetHandle())) {
    ADD_FAILURE() << AName << " is on no shown toolbar";
    return {0, 0};
  }
  const TRect r = link->GetItemRect();
  return ToScreen(window, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

POINT ControlPoint(TControl* AControl) { return ToScreen(AControl, AControl->GetWidth() / 2, AControl->GetHeight() / 2); }
