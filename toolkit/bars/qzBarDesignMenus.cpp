// The design controller's own menus: the customizing popup with the link context menu, and the
// toolbars popup.

#include "toolkit/bars/qzBarCustPopup.h"
#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/bars/qzBarStrs.h"
#include "user/Input.h"
#include "user/WindowPos.h"

TAVREN_CLASS_IMPL(TCustomqzBarControlDesignHelper)
TAVREN_CLASS_IMPL(TqzBarControlDesignHelper)
TAVREN_CLASS_IMPL(TqzBarSubMenuControlDesignHelper)

namespace {

TPoint CursorPoint() {
  POINT p{};
  GetCursorPos(&p);
  return p;
}

// The paint-style entries in order of their styles; their tags are the styles.
constexpr Integer kPaintStyleTexts[] = {sqzBarDefaultStyleCommand, sqzBarTextOnlyAlwaysCommand,
                                        sqzBarTextOnlyInMenusCommand, sqzBarImageAndTextCommand};
constexpr Integer kPaintStyleGroup = -1000;

}  // namespace

// ---- Design helpers ----------------------------------------------------------------------------

void TqzBarDesignController::RegisterDesignHelper(TClass ABarControlClass, TClass AHelperClass) {
  FDesignHelpers.AddPair(ABarControlClass, AHelperClass);
}

void TqzBarDesignController::UnregisterDesignHelper(TClass ABarControlClass, TClass AHelperClass) {
  FDesignHelpers.RemovePair(ABarControlClass, AHelperClass);
}

Integer TqzBarDesignController::FilterDesignActions(TCustomqzBarControl* ABarControl, Integer AActions) {
  TClassOf<TCustomqzBarControlDesignHelper> helperClass = FDesignHelpers.PairedClassOf(ABarControl->ClassType());
  if (!helperClass) helperClass = TCustomqzBarControlDesignHelper::ClassInfo();
  std::unique_ptr<TCustomqzBarControlDesignHelper> helper(helperClass.Create());
  return helper->FilterDesignActions(AActions);
}

// ---- Customizing popup -------------------------------------------------------------------------

TqzBarCustomizingPopup* TqzBarDesignController::GetCustomizingPopup() const { return FCustomizingPopup.Get(); }

TqzBarToolbarsPopup* TqzBarDesignController::GetToolbarsPopup() const { return FToolbarsPopup.Get(); }

TCustomqzBarControl* TqzBarDesignController::GetCustomizingBarControl() const {
  return FCustomizingBarControl.Get();
}

TqzBarItemLinks* TqzBarDesignController::GetCustomizingLinks() const {
  TqzBarItemLink* link = FCustomizingLink.Get();
  return link ? link->GetLinks() : nullptr;
}

void TqzBarDesignController::ShowCustomizingPopup(TqzBarManager* AManager, TqzBarPainter* APainter,
                                                  TqzBarItemLink* ALink, TCustomqzBarControl* ABarControl,
                                                  const TqzBarPopupFillProc& AFill) {
  // One customizing popup at a time; the entries of the previous one go with their items.
  if (TqzBarCustomizingPopup* previous = FCustomizingPopup.Get()) previous->Dismiss();
  ClearInternalItems();
  FCustomizingBarControl = ABarControl;
  FCustomizingLink = ALink;
  auto* popup = new TqzBarCustomizingPopup(AManager);
  FCustomizingPopup = popup;
  if (ABarControl && ABarControl->HandleAllocated()) popup->SetOwnerWindowHandle(ABarControl->GetHandle());
  popup->SetOwnPainter(APainter);
  popup->SetOnCloseUp(MakeEvent<&TqzBarDesignController::CustomizingPopupClosedUp>(this));
  TqzBarItemLinks* links = popup->GetItemLinks();
  try {
    AFill(links);
  } catch (...) {
    popup->Dismiss();
    throw;
  }
  if (links->GetCount() == 0) {
    popup->Dismiss();
    return;
  }
  if (TCustomqzBarControl* window = FCustomizingBarControl.Get())
    if (TqzBarItemControl* selected = window->GetSelectedControl()) selected->Deactivate(false);
  AManager->GetOnShowCustomizingPopup()(AManager, links);
  if (FCustomizingPopup) popup->Popup(CursorPoint());
}

void TqzBarDesignController::CustomizingPopupClosedUp(TObject*) { FCustomizingBarControl = nullptr; }

void TqzBarDesignController::SetCustomizingPopupTopmost(bool AOn) {
  TqzBarCustomizingPopup* popup = FCustomizingPopup.Get();
  if (!popup || !popup->HandleAllocated()) return;
  constexpr UINT kFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  TqzBarItemLink* link = FCustomizingLink.Get();
  TCustomqzBarControl* window = link && link->GetControl() ? FCustomizingBarControl.Get() : nullptr;
  if (AOn) {
    SetWindowPos(popup->GetHandle(), HWND_TOPMOST, 0, 0, 0, 0, kFlags);
    // Each window of the link's chain goes right below the one before, so the topmost band
    // takes them along in order.
    HWND above = popup->GetHandle();
    for (TCustomqzBarControl* w = window; w; w = w->GetOpenerBar()) {
      if (!w->HandleAllocated()) continue;
      SetWindowPos(w->GetHandle(), above, 0, 0, 0, 0, kFlags);
      above = w->GetHandle();
    }
    return;
  }
  if (window) {
    for (TCustomqzBarControl* w = RootBarControl(window); w; w = w->GetOpenedBar())
      if (w->HandleAllocated()) SetWindowPos(w->GetHandle(), HWND_NOTOPMOST, 0, 0, 0, 0, kFlags);
  }
  SetWindowPos(popup->GetHandle(), HWND_NOTOPMOST, 0, 0, 0, 0, kFlags);
}

void TqzBarDesignController::FreeCustomizingLink() {
  TqzBarItemLink* link = FCustomizingLink.Get();
  FCustomizingLink = nullptr;
  delete link;
}

void TqzBarDesignController::FreeCustomizingLinkItem() {
  TqzBarItemLink* link = FCustomizingLink.Get();
  FCustomizingLink = nullptr;
  if (link) delete link->GetItem();
}

// ---- Link context menu -------------------------------------------------------------------------

void TqzBarDesignController::ShowLinkContextMenu(TCustomqzBarControl* ABarControl, TqzBarItemLink* ALink) {
  ShowCustomizingPopup(ABarControl->GetControlBarManager(), ABarControl->Painter(), ALink, ABarControl,
                       [&](TqzBarItemLinks* ALinks) { FillLinkContextMenu(ABarControl, ALink, ALinks); });
}

void TqzBarDesignController::FillLinkContextMenu(TCustomqzBarControl* ABarControl, TqzBarItemLink* ALink,
                                                 TqzBarItemLinks* ALinks) {
  if (!ALink || !FLastSelectedItem) return;
  Integer actions = FilterDesignActions(ABarControl, FLastSelectedItem->EditOperations());
  auto offered = [actions](Integer AAction) { return (actions & (1 << AAction)) != 0; };
  ALinks->BeginUpdate();
  try {
    if (offered(qzLinkActionReset))
      AddMenuCommand(ALinks, TqzBarButton::ClassInfo(), true, 0,
                     MakeEvent<&TqzBarDesignController::ResetLinkClick>(this),
                     ResourceStringText(sqzBarResetLinkCommand));
    if (offered(qzLinkActionDeleteLink))
      AddMenuCommand(ALinks, TqzBarButton::ClassInfo(), false, 0,
                     MakeEvent<&TqzBarDesignController::DeleteLinkClick>(this),
                     ResourceStringText(sqzBarDeleteCommand));
    if (offered(qzLinkActionRename)) {
      TqzBarItemLink* entry = AddMenuCommand(ALinks, TqzBarEdit::ClassInfo(), true, 0, TNotifyEvent(),
                                             ResourceStringText(sqzBarNameEditCaption));
      auto* edit = static_cast<TqzBarEdit*>(entry->GetItem());
      edit->SetText(ALink->GetCaption());
      edit->SetOnChange(MakeEvent<&TqzBarDesignController::RenameLinkChange>(this));
    }
    if (offered(qzLinkActionPaintStyle)) AddPaintStyleEntries(ALinks, ALink);
    if (offered(qzLinkActionBeginGroup)) {
      TqzBarItemLink* entry = AddMenuCommand(ALinks, TqzBarButton::ClassInfo(), true, 0,
                                             MakeEvent<&TqzBarDesignController::BeginGroupClick>(this),
                                             ResourceStringText(sqzBarBeginGroupCommand));
      auto* button = static_cast<TqzBarButton*>(entry->GetItem());
      button->SetButtonStyle(bsChecked);
      button->SetDown(ALink->GetBeginGroup());
      // The first link of a window has nothing to be set apart from.
      button->SetEnabled(ALink->GetIndex() > 0);
    }
  } catch (...) {
    ALinks->EndUpdate();
    throw;
  }
  ALinks->EndUpdate();
}

void TqzBarDesignController::AddPaintStyleEntries(TqzBarItemLinks* ALinks, TqzBarItemLink* ALink) {
  bool enabled = ALink->GetItem() && ALink->GetItem()->HasPaintStyle();
  for (Integer style = psStandard; style <= psCaptionGlyph; ++style) {
    TqzBarItemLink* entry = AddMenuCommand(ALinks, TqzBarButton::ClassInfo(), style == psStandard, style,
                                           MakeEvent<&TqzBarDesignController::PaintStyleClick>(this),
                                           ResourceStringText(kPaintStyleTexts[style]));
    auto* button = static_cast<TqzBarButton*>(entry->GetItem());
    button->SetButtonStyle(bsChecked);
    button->SetGroupIndex(kPaintStyleGroup);
    button->SetDown(ALink->GetUserPaintStyle() == style);
    button->SetEnabled(enabled);
  }
}

void TqzBarDesignController::NotifySelectedObjects(Integer AAction) {
  TqzBarItemLink* link = FCustomizingLink.Get();
  TqzBarManager* manager = link ? link->GetBarManager() : nullptr;
  if (!manager) return;
  TList selected;
  manager->CollectSelectedObjects(&selected);
  for (Integer i = 0; i < selected.GetCount(); ++i)
    if (auto* object = dynamic_cast<IqzBarSelectableItem*>(static_cast<TObject*>(selected.GetItems(i))))
      object->ApplyCustomizingAction(AAction);
}

void TqzBarDesignController::ResetLinkClick(TObject*) {
  TqzBarItemLink* link = FCustomizingLink.Get();
  if (!link) return;
  link->SetUserDefine(TqzBarUserDefines());
  NotifySelectedObjects(qzLinkActionReset);
}

void TqzBarDesignController::DeleteLinkClick(TObject*) { FreeCustomizingLink(); }

void TqzBarDesignController::RenameLinkChange(TObject* Sender) {
  TqzBarItemLink* link = FCustomizingLink.Get();
  if (!link) return;
  String text = static_cast<TqzBarEdit*>(Sender)->GetText();
  if (text.empty()) {
    if (TqzBarCustomizingPopup* popup = FCustomizingPopup.Get()) popup->CloseOnce();
    ShowAppMessageBox(ResourceStringText(sqzBarBlankCommandName), MB_OK | MB_ICONERROR);
    return;
  }
  // At run time the new name is the link's own; the item and its other links keep theirs.
  link->SetUserCaption(text);
}

void TqzBarDesignController::PaintStyleClick(TObject* Sender) {
  TqzBarItemLink* link = FCustomizingLink.Get();
  if (!link) return;
  link->SetUserPaintStyle(static_cast<TqzBarPaintStyle>(static_cast<TqzBarItem*>(Sender)->GetTag()));
  NotifySelectedObjects(qzLinkActionPaintStyle);
}

void TqzBarDesignController::BeginGroupClick(TObject*) {
  TqzBarItemLink* link = FCustomizingLink.Get();
  if (!link) return;
  link->SetBeginGroup(!link->GetBeginGroup());
  NotifySelectedObjects(qzLinkActionBeginGroup);
}

// ---- Toolbars popup ----------------------------------------------------------------------------

void TqzBarDesignController::ShowToolbarsPopup(TqzBarManager* AManager, TqzBarPainter* APainter) {
  if (TqzBarToolbarsPopup* previous = FToolbarsPopup.Get()) previous->Dismiss();
  ClearInternalItems();
  auto* popup = new TqzBarToolbarsPopup(AManager);
  FToolbarsPopup = popup;
  popup->SetOwnPainter(APainter);
  TqzBarItemLinks* links = popup->GetItemLinks();
  try {
    FillToolbarsList(links);
    AManager->GetOnShowToolbarsPopup()(AManager, links);
  } catch (...) {
    if (FToolbarsPopup) popup->Dismiss();
    throw;
  }
  if (!FToolbarsPopup) return;
  if (links->GetCount() == 0) {
    popup->Dismiss();
    return;
  }
  HideActiveBarControl();
  popup->SetAnimateOnShow(true);
  popup->Popup(CursorPoint());
}
