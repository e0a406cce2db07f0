// The ribbon control: creation and its checks, companions, tabs and the active tab, colour
// scheme, update batching, the hidden and minimized states and the bar manager link.

#include "toolkit/ribbon/qzRibbon.h"

#include <utility>

#include "rtl/ColorIdents.h"
#include "rtl/SysUtils.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/foundation/qzGDIPlusAPI.h"
#include "toolkit/ribbon/qzRibbonForm.h"
#include "toolkit/ribbon/qzRibbonNavigation.h"
#include "toolkit/ribbon/qzRibbonQuickAccess.h"
#include "toolkit/ribbon/qzRibbonStrs.h"
#include "toolkit/ribbon/qzRibbonTabGroupsPopup.h"
#include "gdi/SysMetrics.h"
#include "user/Painting.h"
#include "user/VirtualKeys.h"
#include "vcl/Forms.h"

TAVREN_CLASS_IMPL(TqzCustomRibbon)

TAVREN_CLASS_IMPL_PUBLISHED(TqzRibbon,
    PROPERTY(ApplicationButton),
    PROPERTY(BarManager),
    PROPERTY(ColorSchemeName),
    PROPERTY(DocumentName),
    PROPERTY(Fonts),
    PROPERTY(HelpButtonScreenTip),
    PROPERTY(PopupMenuItems).Default(TqzRibbonPopupMenuItems{rpmiItems, rpmiMoreCommands, rpmiQATPosition,
                                                             rpmiQATAddRemoveItem, rpmiMinimizeRibbon}),
    PROPERTY(QuickAccessToolbar),
    PROPERTY(ShowTabGroups).Default(true),
    PROPERTY(ShowTabHeaders).Default(true),
    PROPERTY(SupportNonClientDrawing).Default(false),
    PROPERTY(Tabs),
    PROPERTY(TabOrder).Default(-1),
    PROPERTY(TabStop).Default(true),
    PROPERTY(Enabled).Default(true),
    PROPERTY(DragCursor),
    PROPERTY(DragKind),
    PROPERTY(DragMode),
    PROPERTY(OnApplicationMenuClick),
    PROPERTY(OnHelpButtonClick),
    PROPERTY(OnHideMinimizedByClick),
    PROPERTY(OnMoreCommandsExecute),
    PROPERTY(OnTabChanged),
    PROPERTY(OnTabChanging),
    PROPERTY(OnTabGroupCollapsed),
    PROPERTY(OnTabGroupExpanded),
    PROPERTY(OnClick),
    PROPERTY(OnContextPopup),
    PROPERTY(OnDblClick),
    PROPERTY(OnDragDrop),
    PROPERTY(OnDragOver),
    PROPERTY(OnEndDock),
    PROPERTY(OnEndDrag),
    PROPERTY(OnEnter),
    PROPERTY(OnExit),
    PROPERTY(OnKeyDown),
    PROPERTY(OnKeyPress),
    PROPERTY(OnKeyUp),
    PROPERTY(OnMouseDown),
    PROPERTY_AS(OnMouseEnter, GetOnKvMouseEnter, SetOnKvMouseEnter),
    PROPERTY_AS(OnMouseLeave, GetOnKvMouseLeave, SetOnKvMouseLeave),
    PROPERTY(OnMouseMove),
    PROPERTY(OnMouseUp),
    PROPERTY(OnMouseWheel),
    PROPERTY(OnMouseWheelDown),
    PROPERTY(OnMouseWheelUp),
    PROPERTY(OnResize),
    PROPERTY(OnStartDock),
    PROPERTY(OnStartDrag))

TAVREN_MESSAGE_TABLE(TqzCustomRibbon, MESSAGE_HANDLER(WM_GETOBJECT, WMGetObject),
                     MESSAGE_HANDLER(QZM_RIBBON_SELECTFIRSTINMENU, QZMRibbonMenuMessage),
                     MESSAGE_HANDLER(QZM_RIBBON_MENUKEYTIPS, QZMRibbonMenuMessage))

// ---- Creation --------------------------------------------------------------------------------

TComponent* TqzCustomRibbon::CheckedOwner(TComponent* AOwner, TClass AClass) {
  const String name = AClass->Name;
  if (!GdiPlusReady()) throw Exception(Format(ResourceStringText(sqzRibbonGdiPlusRequired), name));
  if (!AOwner && Application()) AOwner = Application()->GetMainForm();
  if (!dynamic_cast<TCustomForm*>(AOwner)) throw Exception(Format(ResourceStringText(sqzRibbonOwnerMustBeForm), name));
  for (Integer i = 0; i < AOwner->GetComponentCount(); ++i)
    if (AOwner->GetComponents(i)->InheritsFrom(AClass))
      throw Exception(Format(ResourceStringText(sqzRibbonOnlyOneOnForm), name));
  return AOwner;
}

// The checks run before the control itself is built, so a refused ribbon leaves nothing behind.
TqzCustomRibbon::TqzCustomRibbon(TComponent* AOwner, TClass AClass) : TkvControl(CheckedOwner(AOwner, AClass)) {
  SetDoubleBuffered(true);
  FPainter.reset(CreatePainter());
  FViewInfo.reset(CreateViewInfo());
  FGroupsSite = new TqzRibbonGroupsDockControlSite(this);
  FGroupsSite->SetParent(this);
  FGroupsPainter.reset(CreateGroupsPainter());
  FFonts = std::make_unique<TqzRibbonFonts>(this);
  FTabs = std::make_unique<TqzRibbonTabCollection>(this);
  SetAlign(alTop);
  FApplicationButton.reset(CreateApplicationButton());
  FQuickAccessToolbar.reset(CreateQuickAccessToolbar());
  FController.reset(CreateController());
  FInternalComponents = std::make_unique<TComponentList>();
  FFader = std::make_unique<TqzFader>();
  FPopupMenuItems = TqzRibbonPopupMenuItems{rpmiItems, rpmiMoreCommands, rpmiQATPosition, rpmiQATAddRemoveItem,
                                            rpmiMinimizeRibbon};
  FSchemeListeners = std::make_unique<TkvEventHandlerCollection>();
  FDesignerNotificationsSuppressed = true;
  SelectFirstRibbonSkin();
  if (IsDesignTime()) {
    TqzBarManager* manager = FindBarManagerOfComponent(GetOwner());
    if (!manager && BarManagerList()->GetCount() > 0) manager = static_cast<TqzBarManager*>(BarManagerList()->GetItems(0));
    SetBarManager(manager);
    FTabs->Add();
  }
  FDesignerNotificationsSuppressed = false;
}

void TqzCustomRibbon::BeforeDestruction() {
  // A shown groups popup holds the groups site: it gives it back as it closes.
  if (FTabGroupsPopup) {
    FTabGroupsPopup->Dismiss();
    delete std::exchange(FTabGroupsPopup, nullptr);
  }
  // The tabs own their groups dock controls: they leave the groups site before it goes.
  for (Integer i = 0; i < FTabs->GetCount(); ++i) FTabs->GetTab(i)->SetRibbon(nullptr);
  // So does the quick access toolbar's site, which its settings own.
  if (FQuickAccessToolbar->FDockControl) FQuickAccessToolbar->FDockControl->SetParent(nullptr);
  inherited::BeforeDestruction();
  FGroupsSite = nullptr;
}

TqzCustomRibbon::~TqzCustomRibbon() {
  // Running fades end on their final look while the group windows still stand; the windows that
  // go after find no fader.
  FFader.reset();
  ReleaseAccessibilityHelper(FAccessibilityHelper);
  ReleaseAccessibilityHelper(FTabRowAccessibilityHelper);
  ReleaseAccessibilityHelper(FApplicationButtonAccessibilityHelper);
  FController.reset();
  FSchemeListeners.reset();
  SetBarManager(nullptr);
  if (TqzRibbonForm* form = RibbonForm()) form->SetCaptionHelper(nullptr);
  FFormCaptionHelper.reset();
  FApplicationButton.reset();
  FQuickAccessToolbar.reset();
  FTabs.reset();
  FActiveTab = nullptr;
  FViewInfo.reset();
  FGroupsPainter.reset();
  FPainter.reset();
  FFonts.reset();
}

TqzRibbonApplicationButton* TqzCustomRibbon::CreateApplicationButton() { return new TqzRibbonApplicationButton(this); }
TqzRibbonController* TqzCustomRibbon::CreateController() { return new TqzRibbonController(this); }
TqzRibbonFormCaptionHelper* TqzCustomRibbon::CreateFormCaptionHelper() { return new TqzRibbonFormCaptionHelper(this); }
TqzRibbonPainter* TqzCustomRibbon::CreatePainter() { return new TqzRibbonPainter(this); }
TqzRibbonQuickAccessToolbar* TqzCustomRibbon::CreateQuickAccessToolbar() { return new TqzRibbonQuickAccessToolbar(this); }
TqzRibbonBarPainter* TqzCustomRibbon::CreateGroupsPainter() { return new TqzRibbonBarPainter(this); }
TqzRibbonViewInfo* TqzCustomRibbon::CreateViewInfo() { return new TqzRibbonViewInfo(this); }
TClassOf<TqzRibbonTab> TqzCustomRibbon::GetTabClass() { return TqzRibbonTab::ClassInfo(); }

void TqzCustomRibbon::SelectFirstRibbonSkin() {
  TqzBarSkinManager* manager = BarSkinManagerInstance();
  for (Integer i = 0; i < manager->GetSkinCount(); ++i)
    if (auto* skin = dynamic_cast<TqzCustomRibbonSkin*>(manager->GetSkin(i))) {
      FColorScheme = skin;
      return;
    }
}

// ---- Placement -------------------------------------------------------------------------------

void TqzCustomRibbon::SetParent(TWinControl* AParent) {
  TWinControl* parent = AParent;
  if (parent) {
    TCustomForm* form = ::GetParentForm(parent);
    if (!form) throw Exception(Format(ResourceStringText(sqzRibbonParentMustBeForm), ClassName()));
    parent = form;
  }
  inherited::SetParent(parent);
  SetTop(0);
  if (FSupportNonClientDrawing && !IsLoading()) AttachToForm();
}

bool TqzCustomRibbon::CanResize(Integer& NewWidth, Integer& NewHeight) {
  if (FViewInfo && FViewInfo->HasCalculated()) NewHeight = FViewInfo->GetCalculatedHeight();
  return inherited::CanResize(NewWidth, NewHeight);
}

void TqzCustomRibbon::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TqzCustomRibbon::AfterResize() {
  inherited::AfterResize();
  Changed();
}

// ---- Updates ---------------------------------------------------------------------------------

void TqzCustomRibbon::EndUpdate() {
  if (--FLockCount != 0) return;
  Changed();
  if (!IsBeingDestroyed() && HandleAllocated()) RedrawWindow(GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

bool TqzCustomRibbon::IsLocked() {
  return FLockCount > 0 || !HandleAllocated() || IsLoading() || IsBeingDestroyed();
}

void TqzCustomRibbon::Changed() {
  if (IsLocked()) return;
  FController->DropHintElement();
  UpdateFormCaptionHeight();
  if (FFormCaptionHelper) FFormCaptionHelper->CalculateLayout();
  FViewInfo->Calculate(GetClientRect());
  Invalidate();
}

TqzBarAccessibilityHelper* TqzCustomRibbon::GetAccessibilityHelper() {
  if (!FAccessibilityHelper) FAccessibilityHelper = BarHelperRef(new TqzRibbonAccessibilityHelper(this));
  return FAccessibilityHelper->BarHelperObject();
}

TqzBarAccessibilityHelper* TqzCustomRibbon::GetTabRowAccessibilityHelper() {
  if (!FTabRowAccessibilityHelper)
    FTabRowAccessibilityHelper = BarHelperRef(new TqzRibbonTabCollectionAccessibilityHelper(this));
  return FTabRowAccessibilityHelper->BarHelperObject();
}

bool TqzCustomRibbon::IsApplicationButtonSelectedByKeyboard() {
  return FApplicationButtonAccessibilityHelper && FApplicationButtonAccessibilityHelper->IsCurrentSelection();
}

TqzBarAccessibilityHelper* TqzCustomRibbon::GetApplicationButtonAccessibilityHelper() {
  if (!FApplicationButtonAccessibilityHelper)
    FApplicationButtonAccessibilityHelper = BarHelperRef(new TqzRibbonApplicationButtonAccessibilityHelper(this));
  return FApplicationButtonAccessibilityHelper->BarHelperObject();
}

void TqzCustomRibbon::RefreshBarFonts() {
  for (Integer i = 0; i < FTabs->GetCount(); ++i) FTabs->GetTab(i)->RefreshBarFonts();
}

void TqzCustomRibbon::RefreshAll() {
  if (IsBeingDestroyed() || !HandleAllocated() || !IsWindowVisible(GetHandle())) return;
  FQuickAccessToolbar->UpdateBars();
  RedrawWindow(GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  FGroupsSite->Invalidate();
  Invalidate();
}

void TqzCustomRibbon::SetRedraw(bool ARedraw) {
  if (!HandleAllocated()) return;
  // A window whose redrawing is off no longer counts as visible: switching it back on must not
  // depend on that.
  if (!IsWindowVisible(GetHandle()) && !(ARedraw && FRedrawSwitchedOff)) return;
  FRedrawSwitchedOff = !ARedraw;
  SendMessage(GetHandle(), WM_SETREDRAW, ARedraw ? 1 : 0, 0);
  if (ARedraw) RefreshAll();
}

void TqzCustomRibbon::FullRedraw() {
  if (HandleAllocated() && IsWindowVisible(GetHandle()))
    RedrawWindow(GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TqzCustomRibbon::NotifyDesignerModified() {
  if (!FDesignerNotificationsSuppressed) inherited::NotifyDesignerModified();
}

// ---- Colour scheme ---------------------------------------------------------------------------

String TqzCustomRibbon::GetColorSchemeName() const { return FColorScheme ? FColorScheme->SchemeName() : String(); }

void TqzCustomRibbon::SetColorSchemeName(const String& Value) {
  auto* scheme = dynamic_cast<TqzCustomRibbonSkin*>(BarSkinManagerInstance()->FindSkin(Value));
  if (!scheme || scheme == FColorScheme) return;
  FColorScheme = scheme;
  SchemeChanged();
  NotifyDesignerModified();
}

void TqzCustomRibbon::LookAndFeelUpdated(TkvLookAndFeel* Sender, TkvLookAndFeelValues ChangedValues) {
  inherited::LookAndFeelUpdated(Sender, ChangedValues);
  SchemeChanged();
}

void TqzCustomRibbon::SchemeChanged() {
  TCustomForm* form = ::GetParentForm(this);
  const bool redrawOff = form && form->HandleAllocated() && IsWindowVisible(form->GetHandle());
  if (redrawOff) SendMessage(form->GetHandle(), WM_SETREDRAW, 0, 0);
  // The form takes its redrawing back whatever step fails, or it would stay frozen.
  try {
    FFonts->UpdateFonts();
    if (IsBarManagerValid()) {
      FBarManager->BeginUpdate();
      try {
        for (TCustomqzBarControl* control : BarControlsOfManager(FBarManager)) control->CalcMetrics();
      } catch (...) {
        FBarManager->EndUpdate();
        throw;
      }
      FBarManager->EndUpdate();
    }
    Changed();
    FSchemeListeners->FireAll(this, nullptr);
  } catch (...) {
    if (redrawOff) RedrawForm();
    throw;
  }
  if (redrawOff) RedrawForm();
}

void TqzCustomRibbon::RedrawForm() {
  TCustomForm* form = ::GetParentForm(this);
  if (!form || !form->HandleAllocated()) return;
  SendMessage(form->GetHandle(), WM_SETREDRAW, 1, 0);
  RedrawWindow(form->GetHandle(), nullptr, nullptr,
               RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_ERASENOW | RDW_UPDATENOW);
}

// ---- Bar manager -----------------------------------------------------------------------------

bool TqzCustomRibbon::IsBarManagerValid() const { return FBarManager && !FBarManager->IsDestroying(); }

bool TqzCustomRibbon::IsQuickAccessToolbarValid() const {
  return FQuickAccessToolbar->GetVisible() && FQuickAccessToolbar->GetToolbar();
}

void TqzCustomRibbon::AttachManagerHandlers(bool AAttach) {
  struct Pair {
    TkvEventHandlerCollection* handlers;
    TkvEventHandler handler;
  };
  const Pair pairs[] = {
      {FBarManager->MDIStateChangedHandlers(), MakeEvent<&TqzCustomRibbon::MDIStateChangedHandler>(this)},
      {FBarManager->SystemFontChangedHandlers(), MakeEvent<&TqzCustomRibbon::SystemFontChangedHandler>(this)},
      {FBarManager->IniFileReadHandlers(), MakeEvent<&TqzCustomRibbon::IniFileRead>(this)},
      {FBarManager->IniFileWriteHandlers(), MakeEvent<&TqzCustomRibbon::IniFileWrite>(this)}};
  for (const Pair& pair : pairs) {
    if (AAttach)
      pair.handlers->AttachHandler(pair.handler);
    else
      pair.handlers->DetachHandler(pair.handler);
  }
}

void TqzCustomRibbon::SetBarManager(TqzBarManager* Value) {
  if (Value == FBarManager) return;
  TqzBarManager* old = nullptr;
  if (IsBarManagerValid()) {
    AttachManagerHandlers(false);
    FBarManager->RemoveFreeNotification(this);
    // A manager left behind keeps its bars still until the ribbon has let go of them.
    if (!Value) {
      old = FBarManager;
      old->BeginUpdate();
    }
  }
  FBarManager = Value;
  if (IsBarManagerValid()) {
    AttachManagerHandlers(true);
    FBarManager->FreeNotification(this);
    FFonts->UpdateFonts();
  }
  for (Integer i = 0; i < FTabs->GetCount(); ++i) FTabs->GetTab(i)->SetBarManager(IsBarManagerValid() ? FBarManager : nullptr);
  if (FQuickAccessToolbar->FDockControl)
    FQuickAccessToolbar->FDockControl->SetBarManager(IsBarManagerValid() ? FBarManager : nullptr);
  if (old) old->EndUpdate();
  Changed();
}

// The platform has no MDI windows: a document name never comes from a child window here.
void TqzCustomRibbon::MDIStateChangedHandler(TComponent*, void*) {}

void TqzCustomRibbon::MDIStateChanged() {}

void TqzCustomRibbon::SystemFontChangedHandler(TComponent*, void*) {
  BeginUpdate();
  try {
    FFonts->UpdateFonts();
    if (FActiveTab) FActiveTab->RefreshBarFonts();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TqzCustomRibbon::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FBarManager) {
    AttachManagerHandlers(false);
    FBarManager = nullptr;
    if (!IsBeingDestroyed()) Changed();
    return;
  }
  if (IsBeingDestroyed()) return;
  if (AComponent == FHelpButtonScreenTip) FHelpButtonScreenTip = nullptr;
  if (FApplicationButton) FApplicationButton->Forget(AComponent);
  if (FQuickAccessToolbar && AComponent == FQuickAccessToolbar->GetToolbar()) FQuickAccessToolbar->SetToolbar(nullptr);
}

void TqzCustomRibbon::SetHelpButtonScreenTip(TqzBarScreenTip* Value) {
  if (Value == FHelpButtonScreenTip) return;
  if (FHelpButtonScreenTip) FHelpButtonScreenTip->RemoveFreeNotification(this);
  FHelpButtonScreenTip = Value;
  if (Value) Value->FreeNotification(this);
}

// ---- Properties ------------------------------------------------------------------------------

void TqzCustomRibbon::SetDocumentName(const String& Value) {
  if (Value == FDocumentName) return;
  FDocumentName = Value;
  Changed();
}

void TqzCustomRibbon::SetPopupMenuItems(TqzRibbonPopupMenuItems Value) {
  if (Value == FPopupMenuItems) return;
  FPopupMenuItems = Value;
  Changed();
}

void TqzCustomRibbon::SetOnHelpButtonClick(TqzRibbonEvent Value) {
  FOnHelpButtonClick = Value;
  Changed();
}

void TqzCustomRibbon::SetShowTabGroups(bool Value) {
  if (Value == FShowTabGroups) return;
  if (Value) CloseTabGroupsPopup();
  FShowTabGroups = Value;
  Changed();
}

void TqzCustomRibbon::SetShowTabHeaders(bool Value) {
  if (Value == FShowTabHeaders) return;
  FShowTabHeaders = Value;
  Changed();
  RedrawControl(this, true, true);
}

// The helper lives while the ribbon may draw its form's caption; it takes the caption over only
// on a form that gives its frame to the ribbon.
void TqzCustomRibbon::SetSupportNonClientDrawing(bool Value) {
  if (Value == FSupportNonClientDrawing) return;
  FSupportNonClientDrawing = Value;
  TqzRibbonForm* form = RibbonForm();
  if (form && !Value) form->SetCaptionHelper(nullptr);
  if (Value)
    FFormCaptionHelper.reset(CreateFormCaptionHelper());
  else
    FFormCaptionHelper.reset();
  AttachToForm();
}

TqzRibbonForm* TqzCustomRibbon::RibbonForm() { return dynamic_cast<TqzRibbonForm*>(GetOwner()); }

void TqzCustomRibbon::AttachToForm() {
  TqzRibbonForm* form = RibbonForm();
  if (!form) return;
  form->SetCaptionHelper(FFormCaptionHelper.get());
  Changed();
  if (form->HandleAllocated()) RedrawWindow(form->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

// The caption strip is as high as the system's caption with room around it, or as the caption
// font needs.
void TqzCustomRibbon::UpdateFormCaptionHeight() {
  TqzRibbonForm* form = RibbonForm();
  if (!FSupportNonClientDrawing || !form || !FFormCaptionHelper) {
    FFormCaptionHeight = 0;
    return;
  }
  const bool glass = UsesGlassFrame(FFormCaptionHelper->GetFrameInfo());
  Integer height;
  if (glass)
    height = (form->HandleAllocated() ? GetFormFrameInsets(form->GetHandle()).Top : 0) + GetSystemMetrics(SM_CYCAPTION);
  else
    height = std::max(GetSystemMetrics(SM_CYCAPTION) - 1, GetSystemMetrics(SM_CYSIZE)) + 6;
  for (bool active : {true, false})
    height = std::max(height, 2 * std::abs(FFonts->GetFormCaptionFont(active)->GetHeight()));
  if (FViewInfo->IsQuickAccessToolbarInCaption(false) && IsBarManagerValid())
    height = std::max(height, GroupRowHeight() + 9);
  FFormCaptionHeight = height;
  // Over the composition frame the caption strip is glass: the frame reaches down over it.
  if (glass) form->ExtendGlassFrame(height);
}

bool TqzCustomRibbon::AreTabGroupsShown() { return !FHidden && (FShowTabGroups || IsTabGroupsPopupShown()); }

bool TqzCustomRibbon::IsTabGroupsPopupShown() { return FTabGroupsPopup && IsVisiblePopup(FTabGroupsPopup); }

void TqzCustomRibbon::ShowTabGroupsPopup(TqzRibbonGroupsPopupEntry AEntry) {
  if (FShowTabGroups) return;
  if (!FTabGroupsPopup) FTabGroupsPopup = new TqzRibbonTabGroupsPopupWindow(this);
  FTabGroupsPopup->SetKeyboardEntry(AEntry);
  FTabGroupsPopup->SetOwnerBounds(GetBoundsRect());
  FTabGroupsPopup->SetOwnerParent(GetParent());
  Invalidate();
  FTabGroupsPopup->Present(nullptr);
}

void TqzCustomRibbon::CloseTabGroupsPopup() {
  if (IsTabGroupsPopupShown()) FTabGroupsPopup->ClosePopup();
}

void TqzCustomRibbon::SetHotObject(TObject* AObject) {
  if (AObject == FHotObject) return;
  FHotObject = AObject;
  if (HandleAllocated()) {
    TRect r = FViewInfo->TabsAreaBounds();
    InvalidateRect(GetHandle(), &r, false);
  }
}

void TqzCustomRibbon::SetApplicationButtonState(Byte AState) {
  if (AState == FApplicationButtonState) return;
  FApplicationButtonState = AState;
  if (HandleAllocated()) {
    TRect r = FViewInfo->GetApplicationButtonRect();
    InvalidateRect(GetHandle(), &r, false);
  }
}

// ---- Hidden and minimized states -------------------------------------------------------------

void TqzCustomRibbon::CheckHiddenState() {
  if (FViewInfo->ShouldBeHidden() == FHidden) return;
  TCustomForm* form = ::GetParentForm(this);
  Changed();
  if (FHidden && form && form->HandleAllocated()) {
    form->Invalidate();
    HDC dc = GetDC(form->GetHandle());
    SendMessage(form->GetHandle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ReleaseDC(form->GetHandle(), dc);
  }
}

void TqzCustomRibbon::FormKeyDown(Word& Key, TShiftState Shift) {
  if (IsBeingDestroyed() || !HandleAllocated()) return;
  FController->HideHint();
  if (Key == VK_F1 && Shift.Contains(ssCtrl)) {
    SetShowTabGroups(!FShowTabGroups);
    Key = 0;
  }
}

// ---- Tabs ------------------------------------------------------------------------------------

Integer TqzCustomRibbon::VisibleTabCount() const {
  Integer count = 0;
  for (Integer i = 0; i < FTabs->GetCount(); ++i)
    if (FTabs->GetTab(i)->GetVisible()) ++count;
  return count;
}

TqzRibbonTab* TqzCustomRibbon::VisibleTab(Integer Index) const {
  for (Integer i = 0; i < FTabs->GetCount(); ++i) {
    TqzRibbonTab* tab = FTabs->GetTab(i);
    if (tab->GetVisible() && Index-- == 0) return tab;
  }
  return nullptr;
}

TqzRibbonTab* TqzCustomRibbon::GetTabAtPoint(Integer X, Integer Y) { return FViewInfo->GetTabAtPoint(X, Y); }

TqzRibbonTab* TqzCustomRibbon::NeighbourTab(Integer AIndex) const {
  const Integer count = FTabs->GetCount();
  for (Integer i = std::max(AIndex, 0); i < count; ++i)
    if (FTabs->GetTab(i)->GetVisible()) return FTabs->GetTab(i);
  for (Integer i = std::min(AIndex, count) - 1; i >= 0; --i)
    if (FTabs->GetTab(i)->GetVisible()) return FTabs->GetTab(i);
  return nullptr;
}

void TqzCustomRibbon::ActivateNeighbourOf(Integer AIndex, bool ADestroying) {
  TqzRibbonTab* neighbour = NeighbourTab(AIndex);
  const bool suppressed = FDesignerNotificationsSuppressed;
  if (ADestroying) FDesignerNotificationsSuppressed = true;
  // The tab that goes is no longer active, whether a neighbour takes over or not.
  FActiveTab = nullptr;
  try {
    SetActiveTab(neighbour);
  } catch (...) {
    FDesignerNotificationsSuppressed = suppressed;
    throw;
  }
  FDesignerNotificationsSuppressed = suppressed;
}

void TqzCustomRibbon::TabAdded(TqzRibbonTab* ATab) {
  ATab->SetRibbon(this);
  if (!FActiveTab) SetActiveTab(ATab);
  Changed();
}

void TqzCustomRibbon::TabRemoved(TqzRibbonTab* ATab) {
  ATab->SetRibbon(nullptr);
  if (ATab == FActiveTab) {
    const bool destroying = ATab->IsDestroying();
    ActivateNeighbourOf(destroying ? ATab->GetSavedIndex() : 0, destroying);
  }
  Changed();
}

void TqzCustomRibbon::TabVisibleChanged(TqzRibbonTab* ATab) {
  if (ATab == FActiveTab && !ATab->GetVisible()) ActivateNeighbourOf(FTabs->IndexOfItem(ATab), false);
  Changed();
}

void TqzCustomRibbon::SetActiveTab(TqzRibbonTab* Value) {
  if (Value == FActiveTab || IsBeingDestroyed()) return;
  // An open bar window (a group's popup, a menu) belongs to the tab that goes.
  if (!IsDesignTime() && IsBarManagerValid()) HideActiveBarControl();
  if (!IsDesignTime() && !DoTabChanging(Value)) return;
  TqzRibbonTab* old = FActiveTab;
  FActiveTab = Value;
  const bool siteRedraw = FGroupsSite->HandleAllocated();
  if (siteRedraw) SendMessage(FGroupsSite->GetHandle(), WM_SETREDRAW, 0, 0);
  auto finish = [&] {
    Changed();
    if (siteRedraw) {
      SendMessage(FGroupsSite->GetHandle(), WM_SETREDRAW, 1, 0);
      RedrawControl(FGroupsSite, true, true);
    }
  };
  try {
    if (old) old->Deactivate();
    if (Value) Value->Activate();
    Changed();
    DoTabChanged();
  } catch (...) {
    finish();
    throw;
  }
  finish();
  NotifyDesignerModified();
}

void TqzCustomRibbon::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  for (Integer i = 0; i < FTabs->GetCount(); ++i)
    if (FTabs->GetTab(i)->GetOwner() == Root) Proc(FTabs->GetTab(i));
}

void TqzCustomRibbon::ReadState(TReader* Reader) {
  // Only the stored tabs exist after loading.
  if (!FTabsClearedForReading) {
    FTabsClearedForReading = true;
    FTabs->FreeAllItems();
  }
  inherited::ReadState(Reader);
}

void TqzCustomRibbon::SetName(const String& Value) {
  inherited::SetName(Value);
  if (IsDesignTime() && !FTabsClearedForReading && FTabs->GetCount() > 0) {
    TqzRibbonTab* tab = FTabs->GetTab(0);
    tab->SetName(UniqueItemName(GetOwner(), this, tab, "TqzRibbon", "Tab"));
    tab->SetCaption(tab->GetName());
  }
}

void TqzCustomRibbon::Loaded() {
  BeginUpdate();
  try {
    inherited::Loaded();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

// ---- Events ----------------------------------------------------------------------------------

void TqzCustomRibbon::DoHelpButtonClick() { FOnHelpButtonClick(this); }

bool TqzCustomRibbon::DoHideMinimizedByClick(HWND AWnd, TShiftState AShift, const TPoint& APos) {
  bool allow = true;
  FOnHideMinimizedByClick(this, AWnd, AShift, APos, allow);
  return allow;
}

bool TqzCustomRibbon::DoTabChanging(TqzRibbonTab* ANewTab) {
  bool allow = true;
  FOnTabChanging(this, ANewTab, allow);
  return allow;
}

void TqzCustomRibbon::DoTabChanged() { FOnTabChanged(this); }

void TqzCustomRibbon::DoTabGroupCollapsed(TqzRibbonTab* ATab, TqzRibbonTabGroup* AGroup) {
  FOnTabGroupCollapsed(this, ATab, AGroup);
}

void TqzCustomRibbon::DoTabGroupExpanded(TqzRibbonTab* ATab, TqzRibbonTabGroup* AGroup) {
  FOnTabGroupExpanded(this, ATab, AGroup);
}

void TqzCustomRibbon::DoMoreCommandsExecute() {
  if (FOnMoreCommandsExecute)
    FOnMoreCommandsExecute(this);
  else if (IsBarManagerValid())
    FBarManager->SetIsCustomizing(true);
}

void TqzCustomRibbon::WMGetObject(TMessage& Message) { DefaultHandler(Message); }

// ---- Layout storage --------------------------------------------------------------------------

String TqzCustomRibbon::IniSection(const String& ABaseSection) {
  String name = GetName();
  for (TComponent* owner = GetOwner(); owner && !owner->GetName().empty(); owner = owner->GetOwner())
    name = owner->GetName() + "_" + name;
  return ABaseSection + name;
}

void TqzCustomRibbon::ReadLayout(TCustomIniFile* AIniFile, const String& ABaseSection) {
  const String section = IniSection(ABaseSection);
  if (!AIniFile->SectionExists(section)) return;
  const Integer position = AIniFile->ReadInteger(section, "QuickAccessToolbarPosition", qtpAboveRibbon);
  if (position == qtpAboveRibbon || position == qtpBelowRibbon)
    FQuickAccessToolbar->SetPosition(static_cast<TqzQuickAccessToolbarPosition>(position));
  SetShowTabGroups(AIniFile->ReadBool(section, "ShowTabGroups", true));
}

void TqzCustomRibbon::WriteLayout(TCustomIniFile* AIniFile, const String& ABaseSection) {
  const String section = IniSection(ABaseSection);
  AIniFile->WriteInteger(section, "QuickAccessToolbarPosition", FQuickAccessToolbar->GetPosition());
  AIniFile->WriteBool(section, "ShowTabGroups", FShowTabGroups);
}

void TqzCustomRibbon::IniFileRead(TComponent*, void* AData) {
  auto* data = static_cast<TqzBarIniFileEventData*>(AData);
  ReadLayout(data->IniFile, data->BaseSection);
}

void TqzCustomRibbon::IniFileWrite(TComponent*, void* AData) {
  auto* data = static_cast<TqzBarIniFileEventData*>(AData);
  WriteLayout(data->IniFile, data->BaseSection);
}
