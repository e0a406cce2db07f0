#pragma once
// What the painter tests share: a button item shown in a bar window, its control ready to draw.

#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarItemControlButtons.h"

// Adds a button of AStyle to AMenu's links, shows them in AWindow and answers the button's control
// with its draw parameters filled and aimed at ACanvas (when given).
inline TqzBarButtonControl* AddButtonControl(TComponent* AOwner, TqzBarSubItem* AMenu, TCustomqzBarControl* AWindow,
                                             const char* ACaption, TqzBarButtonStyle AStyle = bsDefault,
                                             TkvCanvas* ACanvas = nullptr) {
  auto* item = new TqzBarButton(AOwner);
  item->SetCaption(ACaption);
  item->SetButtonStyle(AStyle);
  TqzBarItemLinks* links = AMenu->GetItemLinks();
  links->AddLinkForItem(item);
  AWindow->SetItemLinks(links);
  AWindow->Refresh(true);
  auto* control = dynamic_cast<TqzBarButtonControl*>(links->GetVisibleLink(links->GetVisibleLinkCount() - 1)->GetControl());
  control->FillDrawParams(true);
  if (ACanvas) control->GetDrawParams()->TargetCanvas = ACanvas;
  return control;
}
