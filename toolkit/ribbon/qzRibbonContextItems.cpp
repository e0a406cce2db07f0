// The ribbon's commands in context menus and in the quick access toolbar's customize menu:
// adding a command to or removing it from the quick access toolbar, "more commands", the
// toolbar's position and minimizing the ribbon; and the context menus of the ribbon's bar windows.

#include <algorithm>

#include "rtl/SysUtils.h"
#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/ribbon/qzRibbonQuickAccessGroupButton.h"
#include "toolkit/ribbon/qzRibbonStrs.h"
#include "user/Input.h"
#include "user/Rects.h"

namespace {

enum TContextCommand : intptr_t {
  ccMoreCommands = 1,
  ccQuickAccessPosition = 2,
  ccQuickAccessAddRemove = 3,
  ccMinimize = 4
};

// Whether the toolbar has a link of the item.
bool HoldsItem(TqzBar* AToolbar, TqzBarItem* AItem) {
  TqzBarItemLinks* links = AToolbar->GetItemLinks();
  for (Integer i = 0; i < links->GetCount(); ++i)
    if (links->GetLink(i)->GetItem() == AItem) return true;
  return false;
}

// The group's toolbar of a group window or of a group's popup; nil for other windows.
TqzBar* GroupToolbarOf(TCustomqzBarControl* AWindow) {
  auto* group = dynamic_cast<TqzRibbonGroupBarControl*>(AWindow);
  if (!group) return nullptr;
  return group->OwnsBar() ? group->GetSourceBar() : group->GetBar();
}

}  // namespace

void TqzCustomRibbon::AddContextItems(TqzBarItemLinks* ALinks, TqzRibbonPopupMenuItems AItems,
                                      TCustomqzBarControl* AWindow) {
  // The commands of the last menu go with it.
  FInternalComponents->Clear();
  FContextBarControl = AWindow;
  if (!AItems.Contains(rpmiItems)) ALinks->Clear();
  TqzBarDesignController* controller = DesignControllerInstance();
  const TNotifyEvent click = MakeEvent<&TqzCustomRibbon::ContextItemClick>(this);
  auto add = [&](intptr_t ATag, const String& ACaption, bool ABeginGroup) {
    TqzBarItemLink* link = controller->AddMenuCommand(ALinks, TqzBarButton::ClassInfo(), ABeginGroup, ATag, click, ACaption);
    FInternalComponents->Add(link->GetItem());
    return static_cast<TqzBarButton*>(link->GetItem());
  };
  if (AItems.Contains(rpmiQATAddRemoveItem)) {
    TqzBar* group = GroupToolbarOf(AWindow);
    if (TqzBarItemLink* link = controller->GetCustomizingLink()) {
      if (FQuickAccessToolbar->ContainsLink(link)) {
        add(ccQuickAccessAddRemove, ResourceStringText(sqzRibbonQuickAccessRemove), false);
      } else {
        const String caption = link->GetItem() ? link->GetItem()->GetCaption() : String();
        TqzBarButton* command =
            add(ccQuickAccessAddRemove,
                caption.empty() ? ResourceStringText(sqzRibbonQuickAccessAdd)
                                : Format(ResourceStringText(sqzRibbonQuickAccessAddItem), caption),
                false);
        command->SetEnabled(IsQuickAccessToolbarValid() && !HoldsItem(FQuickAccessToolbar->GetToolbar(), link->GetItem()));
      }
    } else if (group) {
      // The whole group, as one button.
      add(ccQuickAccessAddRemove, ResourceStringText(sqzRibbonQuickAccessAdd), false)
          ->SetEnabled(!FQuickAccessToolbar->HasGroupButton(group));
    }
  }
  bool beginGroup = ALinks->GetCount() > 0;
  if (AItems.Contains(rpmiMoreCommands)) {
    add(ccMoreCommands, ResourceStringText(sqzRibbonMoreCommands), beginGroup);
    beginGroup = false;
  }
  if (AItems.Contains(rpmiQATPosition))
    add(ccQuickAccessPosition,
        ResourceStringText(FQuickAccessToolbar->GetPosition() == qtpAboveRibbon ? sqzRibbonQuickAccessBelow
                                                                                : sqzRibbonQuickAccessAbove),
        beginGroup);
  if (AItems.Contains(rpmiMinimizeRibbon)) {
    TqzBarButton* minimize = add(ccMinimize, ResourceStringText(sqzRibbonMinimize), true);
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
  TWeakRef<TCustomqzBarControl> window = FContextBarControl;
  if (auto* ribbonWindow = dynamic_cast<TqzRibbonCustomBarControl*>(window.Get())) {
    ribbonWindow->RunContextCommand(item);
    return;
  }
  ExecuteContextCommand(item, nullptr);
  if (TCustomqzBarControl* menu = window.Get()) menu->CloseOnce();
}

void TqzCustomRibbon::ExecuteContextCommand(TqzBarItem* AItem, TqzRibbonCustomBarControl* AWindow) {
  switch (AItem->GetTag()) {
    case ccMoreCommands:
      DoMoreCommandsExecute();
      break;
    case ccQuickAccessPosition:
      FQuickAccessToolbar->SetPosition(FQuickAccessToolbar->GetPosition() == qtpAboveRibbon ? qtpBelowRibbon
                                                                                            : qtpAboveRibbon);
      break;
    case ccQuickAccessAddRemove: {
      TqzBarDesignController* controller = DesignControllerInstance();
      TqzBarItemLink* link = controller->GetCustomizingLink();
      TqzBar* toolbar = FQuickAccessToolbar->GetToolbar();
      if (!toolbar) break;
      if (!link) {
        if (TqzBar* group = GroupToolbarOf(AWindow)) AddGroupButton(group);
        break;
      }
      if (!FQuickAccessToolbar->ContainsLink(link)) {
        toolbar->GetItemLinks()->AddLinkForItem(link->GetItem());
        break;
      }
      if (dynamic_cast<TqzRibbonQuickAccessGroupButton*>(link->GetItem())) {
        controller->FreeCustomizingLinkItem();
        break;
      }
      // A link copied into the toolbar's popup stands for the toolbar's own; the popup goes
      // first, its copies with it.
      TqzBarItemLink* own = link->GetSourceLink();
      TqzBarControl* window = toolbar->GetBarControl();
      if (window && window->GetQuickPopup()) window->ChangeMarkState(0);
      delete own;
      break;
    }
    case ccMinimize:
      SetShowTabGroups(!FShowTabGroups);
      break;
    default:
      break;
  }
}

void TqzCustomRibbon::AddGroupButton(TqzBar* AGroup) {
  TqzBar* toolbar = FQuickAccessToolbar->GetToolbar();
  if (!toolbar || !IsBarManagerValid()) return;
  auto* button = static_cast<TqzRibbonQuickAccessGroupButton*>(
      toolbar->GetItemLinks()->AddNewItemOfClass(TqzRibbonQuickAccessGroupButton::ClassInfo(), FBarManager)->GetItem());
  TStrings* categories = FBarManager->GetCategories();
  if (categories->GetCount() > 0) button->SetCategory(std::max<Integer>(categories->IndexOf("Default"), 0));
  button->SetToolbar(AGroup);
}

void TqzCustomRibbon::ShowCustomizePopup() {
  if (!IsBarManagerValid()) return;
  TqzRibbonPopupMenuItems items = FPopupMenuItems;
  items.Exclude(rpmiItems);
  items.Exclude(rpmiQATAddRemoveItem);
  DesignControllerInstance()->ShowCustomizingPopup(FBarManager, FGroupsPainter.get(), nullptr, nullptr,
                                                   [this, items](TqzBarItemLinks* ALinks) { AddContextItems(ALinks, items); });
}

// ---- Bar windows -----------------------------------------------------------------------------

bool TqzRibbonCustomBarControl::IsMouseOverCaption() {
  TqzCustomRibbon* ribbon = Ribbon();
  if (!ribbon || !HandleAllocated()) return false;
  RECT window;
  ::GetWindowRect(GetHandle(), &window);
  TRect strip(window.Left, window.Top, window.Right, window.Bottom);
  strip.Top += ribbon->GetCaptionRect(TRect(0, 0, strip.Width(), strip.Height()), qzSkinPartToolbar).Top;
  POINT cursor;
  GetCursorPos(&cursor);
  return PtInRect(&strip, cursor) != 0;
}

void TqzRibbonCustomBarControl::RunContextCommand(TqzBarItem* AItem) {
  TqzCustomRibbon* ribbon = Ribbon();
  if (!ribbon) return;
  TWeakRef<TqzRibbonCustomBarControl> self(this);
  ribbon->ExecuteContextCommand(AItem, this);
  if (TqzRibbonCustomBarControl* window = self.Get()) window->RepaintAll();
}

TqzRibbonPopupMenuItems TqzRibbonCustomBarControl::ContextMenuItems() {
  TqzCustomRibbon* ribbon = Ribbon();
  if (!ribbon) return TqzRibbonPopupMenuItems();
  TqzRibbonPopupMenuItems items = ribbon->GetPopupMenuItems();
  items.Exclude(rpmiItems);
  if (!ribbon->IsQuickAccessToolbarValid()) items.Exclude(rpmiQATAddRemoveItem);
  return items;
}

void TqzRibbonCustomBarControl::ShowContextPopup(TqzBarItemControl* AControl) {
  if (IsCustomizing()) {
    inherited::ShowContextPopup(AControl);
    return;
  }
  TqzCustomRibbon* ribbon = Ribbon();
  if (!ribbon || (!AControl && !IsMouseOverCaption())) return;
  const TqzRibbonPopupMenuItems items = ContextMenuItems();
  DesignControllerInstance()->ShowCustomizingPopup(
      GetControlBarManager(), ribbon->GetGroupsPainter(), AControl ? AControl->GetLink() : nullptr, this,
      [this, ribbon, items](TqzBarItemLinks* ALinks) { ribbon->AddContextItems(ALinks, items, this); });
}
