// Tabs, their collection and their groups: joining the ribbon, visibility and activation, names
// and captions, and the toolbars the groups name (checked, bound after loading, released).

#include "toolkit/ribbon/qzRibbonTabs.h"

#include "rtl/Filer.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "rtl/SysUtils.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/ribbon/qzRibbonGroupsDock.h"
#include "toolkit/ribbon/qzRibbonGroupsSite.h"
#include "toolkit/ribbon/qzRibbonNavigation.h"
#include "toolkit/ribbon/qzRibbonStrs.h"

TAVREN_CLASS_IMPL_PUBLISHED(TqzRibbonTab,
    PROPERTY(Active).Default(false),
    PROPERTY(Caption),
    PROPERTY(Groups),
    PROPERTY(KeyTip),
    PROPERTY(Visible).Default(true))
TAVREN_CLASS_IMPL(TqzRibbonTabCollection)
TAVREN_CLASS_IMPL_PUBLISHED(TqzRibbonTabGroup,
    PROPERTY(CanCollapse).Default(true),
    PROPERTY(ToolBar).Stored(false))
TAVREN_CLASS_IMPL(TqzRibbonTabGroups)

// ---- Tab -------------------------------------------------------------------------------------

TqzRibbonTab::TqzRibbonTab(TComponent* AOwner)
    : TkvComponentCollectionItem(AOwner),
      FGroups(std::make_unique<TqzRibbonTabGroups>(this)),
      FDockControl(std::make_unique<TqzRibbonGroupsDockControl>(this)) {}

TqzRibbonTab::~TqzRibbonTab() {
  ReleaseAccessibilityHelper(FAccessibilityHelper);
  // The tab leaves the ribbon while it is whole, so the ribbon can still ask it which neighbour
  // takes over.
  FSavedIndex = PositionInCollection();
  TkvComponentCollectionItem::SetCollection(nullptr);
  FGroups.reset();
  FDockControl.reset();
}

TkvComponentCollection* TqzRibbonTab::GetCollectionFromParent(TComponent* AParentComponent) {
  auto* ribbon = dynamic_cast<TqzCustomRibbon*>(AParentComponent);
  return ribbon ? ribbon->GetTabs() : nullptr;
}

String TqzRibbonTab::GetDisplayName() { return Format("%s - '%s'", GetName(), FCaption); }

TClassOf<TqzRibbonTabGroup> TqzRibbonTab::GetGroupClass() { return TqzRibbonTabGroup::ClassInfo(); }

void TqzRibbonTab::SetRibbon(TqzCustomRibbon* ARibbon) {
  if (FRibbon == ARibbon) return;
  FRibbon = ARibbon;
  if (!ARibbon) {
    FDockControl->SetParent(nullptr);
    return;
  }
  FDockControl->SetBarManager(ARibbon->IsBarManagerValid() ? ARibbon->GetBarManager() : nullptr);
  FDockControl->SetParent(ARibbon->GetGroupsSite());
}

void TqzRibbonTab::SetBarManager(TqzBarManager* AManager) {
  FDockControl->SetBarManager(AManager);
  if (!AManager) return;
  for (Integer i = 0; i < FGroups->GetCount(); ++i)
    if (TqzBar* toolbar = FGroups->GetGroup(i)->GetToolBar()) FGroups->GetGroup(i)->DockToolbar(toolbar);
}

void TqzRibbonTab::DockGroupToolbars() {
  for (Integer i = 0; i < FGroups->GetCount(); ++i) {
    TqzBar* toolbar = FGroups->GetGroup(i)->GetToolBar();
    if (toolbar && toolbar->GetDockControl() != FDockControl.get()) FGroups->GetGroup(i)->DockToolbar(toolbar);
  }
}

void TqzRibbonTab::UpdateGroupsLayout() {
  if (!FRibbon || FRibbon->IsLocked()) return;
  if (FindHostPopupWindow(FDockControl.get(), false)) {
    FDockControl->GetViewInfo()->Calculate(FDockControl->GetClientRect());
    FDockControl->PlaceGroups();
    return;
  }
  const bool shown = FVisible && !FRibbon->GetHidden() && FRibbon->GetShowTabGroups() && GetActive();
  FDockControl->SetVisible(shown);
  if (!shown) return;
  const TRect bounds = GetGroupsDockBounds();
  FDockControl->GetViewInfo()->Calculate(bounds);
  FDockControl->SetBoundsRect(bounds);
}

TqzBarAccessibilityHelper* TqzRibbonTab::GetAccessibilityHelper() {
  if (!FAccessibilityHelper) FAccessibilityHelper = BarHelperRef(new TqzRibbonTabAccessibilityHelper(this));
  return FAccessibilityHelper->BarHelperObject();
}

bool TqzRibbonTab::IsSelectedByKeyboard() { return FAccessibilityHelper && FAccessibilityHelper->IsCurrentSelection(); }

void TqzRibbonTab::RefreshBarFonts() {
  for (Integer row = 0; row < FDockControl->GetRowCount(); ++row) {
    TqzDockRow* dockRow = FDockControl->GetRow(row);
    for (Integer col = 0; col < dockRow->GetColCount(); ++col) {
      TqzBarControl* window = dockRow->GetCol(col)->GetBarControl();
      if (window && window->HandleAllocated()) window->ApplyBarFont();
    }
  }
}

void TqzRibbonTab::RefreshGroups() { FDockControl->ArrangeRows(); }

void TqzRibbonTab::Activate() {
  FVisible = true;
  if (!FRibbon) return;
  FRibbon->GetViewInfo()->GetTabsViewInfo()->MakeTabVisible(this);
  if (!FRibbon->GetShowTabGroups()) {
    DockGroupToolbars();
    return;
  }
  UpdateGroupsLayout();
  DockGroupToolbars();
  FDockControl->SetVisible(true);
}

void TqzRibbonTab::Deactivate() {
  if (!IsDestroying()) FDockControl->SetVisible(false);
}

TRect TqzRibbonTab::GetGroupsDockBounds() {
  if (!FRibbon) return TRect{};
  const TRect site = FRibbon->GetGroupsSite()->GetClientRect();
  const TRect margins = FRibbon->GetViewInfo()->GetGroupsDockMargins();
  return TRect{site.Left + margins.Left, site.Top + margins.Top, site.Right - margins.Right,
               site.Bottom - margins.Bottom};
}

bool TqzRibbonTab::GetActive() const { return FRibbon && FRibbon->GetActiveTab() == this; }

void TqzRibbonTab::SetActive(bool Value) {
  if (Value && FRibbon) FRibbon->SetActiveTab(this);
}

void TqzRibbonTab::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  if (FRibbon) FRibbon->Changed();
}

void TqzRibbonTab::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  if (FRibbon) FRibbon->TabVisibleChanged(this);
}

Integer TqzRibbonTab::GetVisibleIndex() const {
  if (!FRibbon || !FVisible) return -1;
  Integer index = 0;
  TqzRibbonTabCollection* tabs = FRibbon->GetTabs();
  for (Integer i = 0; i < tabs->GetCount(); ++i) {
    if (tabs->GetTab(i) == this) return index;
    if (tabs->GetTab(i)->GetVisible()) ++index;
  }
  return -1;
}

void TqzRibbonTab::SetName(const String& Value) {
  const String oldName = GetName();
  inherited::SetName(Value);
  auto* ownerControl = dynamic_cast<TControl*>(GetOwner());
  const bool ownerLoading = ownerControl && ownerControl->GetComponentState().Contains(csLoading);
  if (!IsLoading() && FCaption == oldName && !ownerLoading) SetCaption(Value);
}

void TqzRibbonTab::Loaded() {
  inherited::Loaded();
  for (Integer i = FGroups->GetCount() - 1; i >= 0; --i) FGroups->GetGroup(i)->ResolveLoadedToolbar();
}

void TqzRibbonTab::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove || IsDestroying() || !FGroups || (FRibbon && FRibbon->IsBeingDestroyed())) return;
  for (Integer i = FGroups->GetCount() - 1; i >= 0; --i)
    if (FGroups->GetGroup(i)->GetToolBar() == AComponent) FGroups->GetGroup(i)->SetToolBar(nullptr);
}

void TqzRibbonTab::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzRibbonTab*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  if (FRibbon) FRibbon->BeginUpdate();
  try {
    SetActive(source->GetActive());
    SetCaption(source->GetCaption());
    SetGroups(source->GetGroups());
    SetKeyTip(source->GetKeyTip());
    SetVisible(source->GetVisible());
  } catch (...) {
    if (FRibbon) FRibbon->EndUpdate();
    throw;
  }
  if (FRibbon) FRibbon->EndUpdate();
}

// ---- Tab collection --------------------------------------------------------------------------

TqzRibbonTabCollection::TqzRibbonTabCollection(TqzCustomRibbon* ARibbon)
    : TkvComponentCollection(ARibbon, ARibbon->GetTabClass()), FRibbon(ARibbon) {}

TqzRibbonTabCollection::~TqzRibbonTabCollection() = default;

void TqzRibbonTabCollection::ItemNotification(TkvComponentCollectionItem* AItem, TkvCollectionAction AAction) {
  auto* tab = static_cast<TqzRibbonTab*>(AItem);
  if (AAction == ccnAdded)
    FRibbon->TabAdded(tab);
  else if (AAction == ccnExtracted)
    FRibbon->TabRemoved(tab);
  inherited::ItemNotification(AItem, AAction);
}

void TqzRibbonTabCollection::SetItemName(TkvComponentCollectionItem* AItem) {
  AItem->SetName(UniqueItemName(FRibbon->GetOwner(), FRibbon, AItem, "TqzRibbon", ""));
}

void TqzRibbonTabCollection::ReportChange(TkvComponentCollectionItem* AItem, TkvCollectionAction AAction) {
  inherited::ReportChange(AItem, AAction);
  if (!AItem && !FRibbon->IsLocked()) FRibbon->Changed();
}

// ---- Groups ----------------------------------------------------------------------------------

TqzRibbonTabGroups::TqzRibbonTabGroups(TqzRibbonTab* ATab) : TCollection(ATab->GetGroupClass()), FTab(ATab) {}

// The groups go while the collection is still this class: each releases its toolbar through it.
TqzRibbonTabGroups::~TqzRibbonTabGroups() { Clear(); }

TPersistent* TqzRibbonTabGroups::GetOwner() { return FTab; }

void TqzRibbonTabGroups::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  inherited::Notify(Item, Action);
  if (FTab->GetRibbon()) FTab->GetRibbon()->Changed();
}

void TqzRibbonTabGroups::Update(TCollectionItem* Item) {
  inherited::Update(Item);
  if (FTab->GetRibbon()) FTab->GetRibbon()->Changed();
}

TqzRibbonTabGroup::TqzRibbonTabGroup(TCollection* Collection) : TCollectionItem(Collection) {}

TqzRibbonTabGroup::~TqzRibbonTabGroup() { ReleaseToolbar(); }

TqzRibbonTab* TqzRibbonTabGroup::GetTab() const {
  auto* groups = static_cast<TqzRibbonTabGroups*>(GetCollection());
  return groups ? groups->GetTab() : nullptr;
}

TqzCustomRibbon* TqzRibbonTabGroup::GetRibbon() const {
  TqzRibbonTab* tab = GetTab();
  return tab ? tab->GetRibbon() : nullptr;
}

TqzBar* TqzRibbonTabGroup::GetToolBar() const {
  TqzRibbonTab* tab = GetTab();
  TqzCustomRibbon* ribbon = GetRibbon();
  if (tab && tab->IsLoading() && FHasLoadedToolbarName && ribbon && ribbon->IsBarManagerValid())
    return ribbon->GetBarManager()->FindBarByName(FLoadedToolbarName);
  return FToolbar;
}

bool TqzRibbonTabGroup::CanUseToolbar(TqzBar* AToolbar) const {
  if (!AToolbar) return true;
  TqzCustomRibbon* ribbon = GetRibbon();
  return ribbon && AToolbar->GetBarManager() == ribbon->GetBarManager();
}

void TqzRibbonTabGroup::CheckToolbar(TqzBar* AToolbar) {
  TqzCustomRibbon* ribbon = GetRibbon();
  if (ribbon->GetQuickAccessToolbar()->GetToolbar() == AToolbar)
    throw EqzRibbonException(ResourceStringText(sqzRibbonToolbarIsQuickAccess));
  TqzRibbonTabGroups* groups = GetTab()->GetGroups();
  for (Integer i = 0; i < groups->GetCount(); ++i)
    if (groups->GetGroup(i) != this && groups->GetGroup(i)->FToolbar == AToolbar)
      throw EqzRibbonException(ResourceStringText(sqzRibbonToolbarInTab));
}

void TqzRibbonTabGroup::SetToolBar(TqzBar* Value) {
  if (!CanUseToolbar(Value) || Value == FToolbar) return;
  // A group button on the quick access toolbar no longer shows the group's old toolbar.
  if (TqzCustomRibbon* ribbon = FToolbar ? GetRibbon() : nullptr)
    ribbon->GetQuickAccessToolbar()->GroupToolbarChanged(FToolbar, true);
  ReleaseToolbar();
  if (Value) {
    CheckToolbar(Value);
    FToolbar = Value;
    FToolbar->FreeNotification(GetTab());
    DockToolbar(Value);
  } else {
    // A group exists only with its toolbar.
    delete this;
  }
}

// The toolbar stays shown by another tab of the ribbon that holds it; otherwise it is no longer
// the ribbon's.
void TqzRibbonTabGroup::ReleaseToolbar() {
  if (!FToolbar) return;
  TqzBar* toolbar = FToolbar;
  FToolbar = nullptr;
  TqzRibbonTab* tab = GetTab();
  if (tab) toolbar->RemoveFreeNotification(tab);
  if (toolbar->GetComponentState().Contains(csDestroying)) return;
  if (TqzCustomRibbon* ribbon = GetRibbon()) {
    TqzRibbonTabCollection* tabs = ribbon->GetTabs();
    for (Integer i = 0; i < tabs->GetCount(); ++i) {
      TqzRibbonTabGroups* groups = tabs->GetTab(i)->GetGroups();
      if (tabs->GetTab(i) == tab || !groups) continue;
      for (Integer j = 0; j < groups->GetCount(); ++j)
        if (groups->GetGroup(j)->FToolbar == toolbar) {
          groups->GetGroup(j)->DockToolbar(toolbar);
          return;
        }
    }
  }
  if (toolbar->GetDockControl() != (tab ? tab->GetDockControl() : nullptr)) return;
  UndockBar(toolbar);
}

void TqzRibbonTabGroup::DockToolbar(TqzBar* AToolbar) {
  TqzRibbonTab* tab = GetTab();
  TqzCustomRibbon* ribbon = GetRibbon();
  if (!tab) return;
  TqzRibbonTab* active = ribbon ? ribbon->GetActiveTab() : nullptr;
  if (active != tab && active && AToolbar->GetDockControl() == active->GetDockControl()) return;
  DockBarTo(AToolbar, tab->GetDockControl());
}

void TqzRibbonTabGroup::ResolveLoadedToolbar() {
  if (!FHasLoadedToolbarName) return;
  TqzCustomRibbon* ribbon = GetRibbon();
  TqzBar* toolbar = ribbon && ribbon->IsBarManagerValid() ? ribbon->GetBarManager()->FindBarByName(FLoadedToolbarName)
                                                          : nullptr;
  FHasLoadedToolbarName = false;
  FLoadedToolbarName.clear();
  if (toolbar) SetToolBar(toolbar);
}

void TqzRibbonTabGroup::SetCanCollapse(bool Value) { FCanCollapse = Value; }

void TqzRibbonTabGroup::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzRibbonTabGroup*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  SetCanCollapse(source->GetCanCollapse());
  SetToolBar(source->GetToolBar());
}

bool TqzRibbonTabGroup::StoresToolbarName(TFiler* Filer) const {
  auto* ancestor = dynamic_cast<TqzRibbonTabGroup*>(Filer->GetAncestor());
  if (!ancestor) return FToolbar != nullptr;
  if (!FToolbar || !ancestor->FToolbar) return FToolbar != ancestor->FToolbar;
  return FToolbar->GetName() != ancestor->FToolbar->GetName();
}

void TqzRibbonTabGroup::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty(
      "ToolbarName",
      [this](TReader* Reader) {
        FLoadedToolbarName = Reader->ReadString();
        FHasLoadedToolbarName = true;
      },
      [this](TWriter* Writer) { Writer->WriteString(FToolbar ? FToolbar->GetName() : String()); },
      StoresToolbarName(Filer));
}
