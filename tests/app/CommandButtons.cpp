#include "CommandButtons.h"

#include <gtest/gtest.h>

#include "toolkit/bars/qzBarControl.h"

POINT CommandButtonPoint(TComponent* AOwner, const char* AName) {
  auto* item = dynamic_cast<TqzBarItem*>(AOwner->FindComponent(AName));
  TqzBarItemLink* link = item ? item->GetLink(0) : nullptr;
  TCustomqzBarControl* window = link ? link->GetBarControl() : nullptr;
  if (!window || !window->HandleAllocated() || !IsWindowVisible(window->GetHandle())) {
    ADD_FAILURE() << AName << " is on no shown toolbar";
    return {0, 0};
  }
  const TRect r = link->GetItemRect();
  const TPoint p = window->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
  return {p.X, p.Y};
}
