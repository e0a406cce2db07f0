// The design controller's internal items, toolbars list and selection, and the run-time
// selection controller.

#include "toolkit/bars/qzBarDesignController.h"

#include "toolkit/bars/qzBarApplicationMenuControl.h"
#include "toolkit/bars/qzBarCustPopup.h"
#include "toolkit/bars/qzBarStrs.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "user/Input.h"
#include "vcl/Forms.h"

TAVREN_CLASS_IMPL(TqzBarRunTimeSelectionController)
TAVREN_CLASS_IMPL(TqzBarDesignController)

// ---- Run-time selection ------------------------------------------------------------------------

TqzBarRunTimeSelectionController::TqzBarRunTimeSelectionController() : FSelection(std::make_unique<TqzComponentList>()) {
  FSelection->SetOnNotify(MakeEvent<&TqzBarRunTimeSelectionController::SelectionNotify>(this));
  FSelection->SetOnComponentListChanged(MakeEvent<&TqzBarRunTimeSelectionController::SelectionChanged>(this));
}

TqzBarRunTimeSelectionController::~TqzBarRunTimeSelectionController() {
  FSelection->SetOnNotify(TqzComponentListNotifyEvent());
  FSelection->SetOnComponentListChanged(TqzComponentListChangeEvent());
}

HRESULT TqzBarRunTimeSelectionController::QueryInterface(const TInterfaceId& IID, void** Obj) {
  return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
}

void TqzBarRunTimeSelectionController::GetSelection(TList* AList) {
  for (Integer i = 0; i < FSelection->GetCount(); ++i) AList->Add(FSelection->GetItems(i));
}

bool TqzBarRunTimeSelectionController::HoldsSelectedComponent(TPersistent* AObject) {
  auto* component = dynamic_cast<TComponent*>(AObject);
  return component && FSelection->IndexOf(component) >= 0;
}

void TqzBarRunTimeSelectionController::SelectDesignComponent(TPersistent* AObject, Integer AOperation) {
  if (AOperation == 0 || AOperation == 2) SelectExclusively(dynamic_cast<TComponent*>(AObject));
}

void TqzBarRunTimeSelectionController::SetSelection(TList* AList) {
  FSelection->BeginUpdate();
  try {
    for (Integer i = 0; i < AList->GetCount(); ++i)
      SelectExclusively(dynamic_cast<TComponent*>(static_cast<TObject*>(AList->GetItems(i))));
  } catch (...) {
    FSelection->EndUpdate();
    throw;
  }
  FSelection->EndUpdate();
}

void TqzBarRunTimeSelectionController::SelectExclusively(TComponent* AComponent) {
  if (AComponent && FSelection->IndexOf(AComponent) >= 0) return;
  bool isBar = dynamic_cast<TqzBar*>(AComponent) != nullptr;
  for (Integer i = FSelection->GetCount() - 1; i >= 0; --i)
    if ((dynamic_cast<TqzBar*>(FSelection->GetItems(i)) != nullptr) == isBar) FSelection->Delete(i);
  if (AComponent) FSelection->Add(AComponent);
}

void TqzBarRunTimeSelectionController::SelectionNotify(TObject*, TObject* AObject, TListNotification) {
  // The object shows its new state.
  if (auto* selectable = dynamic_cast<IqzBarSelectableItem*>(AObject)) selectable->RepaintSelection();
}

void TqzBarRunTimeSelectionController::SelectionChanged(TObject*, TComponent* AComponent, Integer AAction) {
  FOnSelectionChanged(this, AComponent, AAction);
}

// ---- Design controller -------------------------------------------------------------------------

namespace {

std::unique_ptr<TqzBarDesignController> gDesignController;

}  // namespace

TqzBarDesignController* DesignControllerInstance() {
  if (!gDesignController) gDesignController = std::make_unique<TqzBarDesignController>();
  return gDesignController.get();
}

TqzBarDesignController* ExistingDesignController() { return gDesignController.get(); }

void FreeDesignController() { gDesignController.reset(); }

TqzBarDesignController::TqzBarDesignController()
    : FNotifier([this](TComponent* AComponent) { FreeNotified(AComponent); }) {
  RegisterDesignHelper(TqzBarControl::ClassInfo(), TqzBarControlDesignHelper::ClassInfo());
  RegisterDesignHelper(TqzBarSubMenuControl::ClassInfo(), TqzBarSubMenuControlDesignHelper::ClassInfo());
  RegisterDesignHelper(TqzBarApplicationMenuControl::ClassInfo(), TCustomqzBarControlDesignHelper::ClassInfo());
}

TqzBarMovingScope::TqzBarMovingScope() : FPrevious(DesignControllerInstance()->IsMoving()) {
  DesignControllerInstance()->SetMoving(true);
}

TqzBarMovingScope::~TqzBarMovingScope() {
  if (TqzBarDesignController* controller = ExistingDesignController()) controller->SetMoving(FPrevious);
}

TqzBarDesignController::~TqzBarDesignController() {
  // Open menus of the controller's own show its internal items: they go first.
  if (TqzBarCustomizingPopup* popup = FCustomizingPopup.Get()) popup->Dismiss();
  if (TqzBarToolbarsPopup* popup = FToolbarsPopup.Get()) popup->Dismiss();
  ClearInternalItems();
}

// ---- Internal items ----------------------------------------------------------------------------

TqzBarItemLink* TqzBarDesignController::AddMenuCommand(TqzBarItemLinks* ALinks, TClassOf<TqzBarItem> AItemClass,
                                                       bool ABeginGroup, intptr_t ATag, TNotifyEvent AOnClick,
                                                       const String& ACaption) {
  TqzBarItemLink* link = ALinks->AddNewItemOfClass(AItemClass, ALinks->GetBarManager());
  TqzBarItem* item = link->GetItem();
  AddInternalItem(item);
  item->SetCaption(ACaption);
  item->SetOnClick(AOnClick);
  item->SetTag(ATag);
  link->SetBeginGroup(ABeginGroup);
  return link;
}

void TqzBarDesignController::AddInternalItem(TqzBarItem* AItem) {
  FInternalItems.Add(AItem);
  if (TqzBarManager* manager = AItem->BarManager()) manager->UnregisterItem(AItem);
}

void TqzBarDesignController::ClearInternalItems() { FInternalItems.Clear(); }

void TqzBarDesignController::AddCustomizeCommand(TqzBarItemLinks* ALinks, TClassOf<TqzBarItem> AItemClass,
                                                 bool ABeginGroup) {
  TqzBarManager* manager = ALinks->GetBarManager();
  if (!manager || !manager->GetCanCustomize()) return;
  TqzBarItemLink* link = AddMenuCommand(ALinks, AItemClass, ABeginGroup, 0,
                                        MakeEvent<&TqzBarDesignController::CustomizeClick>(this),
                                        ResourceStringText(sqzBarCustomizeCommand));
  // One customizing form at a time: it is open exactly while a manager customizes.
  bool anyCustomizing = false;
  TqzBarManagerList* managers = BarManagerList();
  for (Integer i = 0; managers && i < managers->GetCount(); ++i)
    anyCustomizing = anyCustomizing || managers->GetManager(i)->GetIsCustomizing();
  link->GetItem()->SetEnabled(!anyCustomizing);
}

void TqzBarDesignController::FreeLinkItems(TqzBarItemLinks* ALinks) {
  while (ALinks->GetCount() > 0) {
    TqzBarItemLink* link = ALinks->GetLink(0);
    // A link without an item goes by itself; waiting for an item to take it would never end.
    if (TqzBarItem* item = link->GetItem())
      delete item;
    else
      delete link;
  }
}

void TqzBarDesignController::FillToolbarsList(TqzBarItemLinks* ALinks) {
  FreeLinkItems(ALinks);
  TqzBarManager* manager = ALinks->GetBarManager();
  if (!manager) return;
  TqzBars* bars = manager->GetBars();
  for (Integer i = 0; i < bars->GetCount(); ++i) {
    TqzBar* bar = bars->GetBar(i);
    if (!bar->CanBeClosed() || bar->GetHidden() || bar->GetMergeData()->MergedWith) continue;
    TqzBarItemLink* link =
        AddMenuCommand(ALinks, TqzBarButton::ClassInfo(), false, reinterpret_cast<intptr_t>(bar),
                       MakeEvent<&TqzBarDesignController::ToolbarEntryClick>(this), bar->GetCaption());
    auto* button = static_cast<TqzBarButton*>(link->GetItem());
    button->SetButtonStyle(bsChecked);
    button->SetDown(bar->GetVisible());
  }
  AddCustomizeCommand(ALinks, TqzBarButton::ClassInfo(), true);
}

void TqzBarDesignController::ToolbarEntryClick(TObject* Sender) {
  auto* item = static_cast<TqzBarItem*>(Sender);
  TqzBarManager* manager = item->BarManager();
  if (!manager) return;
  // The entry names its bar by address: only a bar the manager still has is touched.
  TqzBars* bars = manager->GetBars();
  for (Integer i = 0; i < bars->GetCount(); ++i) {
    TqzBar* bar = bars->GetBar(i);
    if (reinterpret_cast<intptr_t>(bar) == item->GetTag()) {
      bar->SetVisible(!bar->GetVisible());
      return;
    }
  }
}

void TqzBarDesignController::CustomizeClick(TObject* Sender) {
  if (TqzBarManager* manager = static_cast<TqzBarItem*>(Sender)->BarManager()) manager->SetIsCustomizing(true);
}

// ---- Selection ---------------------------------------------------------------------------------

void TqzBarDesignController::SetLastSelectedItem(IqzBarSelectableItem* Value) {
  if (FLastSelectedItem == Value) return;
  IqzBarSelectableItem* old = FLastSelectedItem;
  if (old)
    if (auto* component = dynamic_cast<TComponent*>(old->GetInstance())) FNotifier.Unwatch(component);
  FLastSelectedItem = Value;
  if (Value)
    if (auto* component = dynamic_cast<TComponent*>(Value->GetInstance())) FNotifier.Watch(component);
  if (old) old->RepaintSelection();
  if (Value) Value->RepaintSelection();
}

void TqzBarDesignController::ForgetLastSelected(IqzBarSelectableItem* AItem) {
  if (AItem && AItem == FLastSelectedItem) FLastSelectedItem = nullptr;
}

void TqzBarDesignController::FreeNotified(TComponent* AComponent) {
  if (FLastSelectedItem && FLastSelectedItem->GetInstance() == AComponent) FLastSelectedItem = nullptr;
}

void TqzBarDesignController::ChangeSelection(IqzBarSelectableItem* AObject, Integer AOperation) {
  if (!AObject) return;
  AObject->SelectInDesigner(AOperation);
  if (AOperation == 1)
    CheckLastSelection();
  else
    SetLastSelectedItem(AObject);
}

void TqzBarDesignController::CheckLastSelection() {
  if (FLastSelectedItem && (!FLastSelectedItem->IsSelectedInDesigner() || !Application()->GetActive()))
    SetLastSelectedItem(nullptr);
}

void TqzBarDesignController::SelectObject(TqzBarManager* AManager, TPersistent* AObject, Integer AOperation) {
  if (auto* selectable = dynamic_cast<IqzBarSelectableItem*>(AObject))
    ChangeSelection(selectable, AOperation);
  else if (AManager)
    AManager->SelectComponent(AObject, AOperation);
}

bool TqzBarDesignController::SelectionIsComplex(TqzBarManager* AManager) const {
  TList selected;
  AManager->CollectSelectedObjects(&selected);
  for (Integer i = 0; i < selected.GetCount(); ++i)
    if (auto* object = dynamic_cast<IqzBarSelectableItem*>(static_cast<TObject*>(selected.GetItems(i))))
      if (object->IsShownInSeveralPlaces() != 0) return true;
  return false;
}

TqzBarManager* TqzBarDesignController::FindSelectionManager() const {
  if (FLastSelectedItem)
    if (TqzBarManager* manager = FLastSelectedItem->GetBarManager()) return manager;
  TqzBarManagerList* managers = BarManagerList();
  for (Integer i = 0; managers && i < managers->GetCount(); ++i) {
    TqzBarManager* manager = managers->GetManager(i);
    TList selected;
    manager->CollectSelectedObjects(&selected);
    for (Integer k = 0; k < selected.GetCount(); ++k)
      if (dynamic_cast<IqzBarSelectableItem*>(static_cast<TObject*>(selected.GetItems(k)))) return manager;
  }
  return nullptr;
}

bool TqzBarDesignController::FocusIsInOwnerWindow(TqzBarManager* AManager) {
  TWinControl* owner = AManager->GetOwnerControl();
  if (!owner || !owner->HandleAllocated()) return false;
  HWND target = owner->GetHandle();
  for (HWND wnd = GetFocus(); wnd; wnd = ::GetParent(wnd)) {
    if (wnd == target) return true;
    if (!(GetWindowLong(wnd, GWL_STYLE) & WS_CHILD)) break;
  }
  return false;
}

bool TqzBarDesignController::DeleteSelection(bool, bool AFocusTest) {
  TqzBarManager* manager = FindSelectionManager();
  if (!manager || (AFocusTest && !FocusIsInOwnerWindow(manager))) return false;
  TqzBarItemLink* link = manager->GetSelectedLink();
  if (!link) return false;
  delete link;
  return true;
}

bool TqzBarDesignController::SelectParentOfSelection() {
  TqzBarManager* manager = FindSelectionManager();
  if (!manager || !FocusIsInOwnerWindow(manager)) return false;
  TList selected;
  manager->CollectSelectedObjects(&selected);
  if (selected.GetCount() == 0) return false;
  auto* last = dynamic_cast<IqzBarSelectableItem*>(static_cast<TObject*>(selected.GetItems(selected.GetCount() - 1)));
  return last && last->SelectDesignParent();
}
