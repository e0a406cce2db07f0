// The ribbon's commands in context menus and in the quick access toolbar's customize menu:
// "more commands", the toolbar's position and minimizing the ribbon.

#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/ribbon/qzRibbonStrs.h"

namespace {

enum TContextCommand : intptr_t { ccMoreCommands = 1, ccQuickAccessPosition = 2, ccMinimize = 4 };

}  // namespace

void TqzCustomRibbon::AddContextItems(TqzBarItemLinks* ALinks, TqzRibbonPopupMenuItems AItems) {
  // The commands of the last menu go with it.
  FInternalComponents->Clear();
  if (!AItems.Contains(rpmiItems)) ALinks->Clear();
  TqzBarDesignController* controller = DesignControllerInstance();
  const TNotifyEvent click = MakeEvent<&TqzCustomRibbon::ContextItemClick>(this);
  auto add = [&](intptr_t ATag, Integer ACaption, bool ABeginGroup) {
    TqzBarItemLink* link = controller->AddMenuCommand(ALinks, TqzBarButton::ClassInfo(), ABeginGroup, ATag, click,
                                                      ResourceStringText(ACaption));
    FInternalComponents->Add(link->GetItem());
    return static_cast<TqzBarButton*>(link->GetItem());
  };
  bool beginGroup = ALinks->GetCount() > 0;
  if (AItems.Contains(rpmiMoreCommands)) {
    add(ccMoreCommands, sqzRibbonMoreCommands, beginGroup);
    beginGroup = false;
  }
  if (AItems.Contains(rpmiQATPosition))
    add(ccQuickAccessPosition,
        FQuickAccessToolbar->GetPosition() == qtpAboveRibbon ? sqzRibbonQuickAccessBelow : sqzRibbonQuickAccessAbove,
        beginGroup);
  if (AItems.Contains(rpmiMinimizeRibbon)) {
    TqzBarButton* minimize = add(ccMinimize, sqzRibbonMinimize, true);
    if (!FShowTabGroups) {
      minimize->SetButtonStyle(bsChecked);
      minimize->SetDown(true);
    }
    minimize->SetEnabled(VisibleTabCount() > 0);
  }
}

void TqzCustomRibbon::ContextItemClick(TObject* Sender) {
  auto* item = dynamic_cast<TqzBarItem*>(Sender);
  if (!item) return;
  switch (item->GetTag()) {
    case ccMoreCommands:
      DoMoreCommandsExecute();
      break;
    case ccQuickAccessPosition:
      FQuickAccessToolbar->SetPosition(FQuickAccessToolbar->GetPosition() == qtpAboveRibbon ? qtpBelowRibbon
                                                                                            : qtpAboveRibbon);
      break;
    case ccMinimize:
      SetShowTabGroups(!FShowTabGroups);
      break;
    default:
      break;
  }
}
