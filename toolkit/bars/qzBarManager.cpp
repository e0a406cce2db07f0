// The bar manager and the list of live managers.

#include "rtl/ColorIdents.h"
#include "rtl/Math.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarDockControl.h"
#include "toolkit/bars/qzBarDragInfo.h"
#include "toolkit/bars/qzBarHooks.h"
#include "toolkit/bars/qzBarPainter.h"
#include "toolkit/bars/qzBarPopupMenu.h"
#include "toolkit/bars/qzBarPopupMenuLinks.h"
#include "toolkit/bars/qzBarStrs.h"
#include "toolkit/foundation/kvClasses.h"
#include "toolkit/foundation/qzThemeManager.h"

TqzBarFormMappingHook BarFormMappingHook = nullptr;

TAVREN_CLASS_IMPL(TqzBarManagerList)

TqzBarManager* TqzBarManagerList::GetManager(Integer Index) const {
  return static_cast<TqzBarManager*>(GetObject(Index));
}

TAVREN_CLASS_IMPL_PUBLISHED(TqzBarManager,
    PROPERTY(AllowCallFromAnotherForm).Default(false),
    PROPERTY(AllowReset).Default(true),
    PROPERTY(AlwaysMerge).Default(false),
    PROPERTY(AlwaysSaveText).Default(false),
    PROPERTY(AutoDockColor).Default(true),
    PROPERTY(ButtonArrowWidth).Default(11),
    PROPERTY(AutoAlignBars).Default(false),
    PROPERTY(AutoHideEmptyBars).Default(false),
    PROPERTY(Backgrounds),
    PROPERTY(CanCustomize).Default(true),
    PROPERTY(Categories),
    PROPERTY(Font),
    PROPERTY(DockColor).Idents(ColorIdentMap).Stored<&TqzBarManager::IsDockColorStored>(),
    PROPERTY(FlatCloseButton).Default(false),
    PROPERTY(HelpButtonGlyph),
    PROPERTY(HelpContext).Default(0),
    PROPERTY(HideFloatingBarsWhenInactive).Default(true),
    PROPERTY(ImageOptions),
    PROPERTY(DisabledImages).Stored(false),
    PROPERTY(DisabledLargeImages).Stored(false),
    PROPERTY(HotImages).Stored(false),
    PROPERTY(Images).Stored(false),
    PROPERTY(ImageListBkColor).Stored(false),
    PROPERTY(LargeImages).Stored(false),
    PROPERTY(LargeIcons).Stored(false),
    PROPERTY(MakeDisabledImagesFaded).Stored(false),
    PROPERTY(StretchGlyphs).Stored(false),
    PROPERTY(UseLargeImagesForLargeIcons).Stored(false),
    PROPERTY(IniFileName),
    PROPERTY(LargeButtonArrowWidth).Default(13),
    PROPERTY(LookAndFeel),
    PROPERTY(MenuAnimations).Default(maNone),
    PROPERTY(MenusShowRecentItemsFirst).Default(true),
    PROPERTY(MostRecentItemsPercents).Default(95),
    PROPERTY(NotDocking),
    PROPERTY(PopupMenuLinks),
    PROPERTY(RegistryPath),
    PROPERTY(ShowCloseButton).Default(false),
    PROPERTY(ShowFullMenusAfterDelay).Default(true),
    PROPERTY(ShowHelpButton).Default(false),
    PROPERTY(Scaled).Default(true),
    PROPERTY(ShowHint).Default(true),
    PROPERTY(ShowHintForDisabledItems).Default(true),
    PROPERTY(ShowShortCutInHint).Default(false),
    PROPERTY(StoreInIniFile).Default(false),
    PROPERTY(StoreInRegistry).Default(false),
    PROPERTY(Style).Default(bmsEnhanced),
    PROPERTY(SunkenBorder).Default(false),
    PROPERTY(UseF10ForMenu).Default(true),
    PROPERTY(UseFullReset).Default(false),
    PROPERTY(UseSystemFont),
    PROPERTY(WaitForDockingTime).Default(21),
    PROPERTY(OnBarAdd),
    PROPERTY(OnBarAfterReset),
    PROPERTY(OnBarBeforeReset),
    PROPERTY(OnBarClose),
    PROPERTY(OnBarDelete),
    PROPERTY(OnBarDockingStyleChange),
    PROPERTY(OnBarVisibleChange),
    PROPERTY(OnMenuMerge),
    PROPERTY(OnMerge),
    PROPERTY(OnCloseButtonClick),
    PROPERTY(OnHelpButtonClick),
    PROPERTY(OnHideCustomizingForm),
    PROPERTY(OnShowCustomizingForm),
    PROPERTY(OnShowCustomizingPopup),
    PROPERTY(OnShowToolbarsPopup),
    PROPERTY(OnClickItem),
    PROPERTY(OnItemLinkAdd),
    PROPERTY(OnItemLinkChange),
    PROPERTY(OnItemLinkDelete),
    PROPERTY(OnMergeItemLink))

// ---- Construction --------------------------------------------------------------------------

TComponent* TqzBarManager::CheckedOwner(TComponent* AOwner) {
  if (!AOwner && Application()) AOwner = Application()->GetMainForm();
  if (!dynamic_cast<TWinControl*>(AOwner)) throw Exception(ResourceStringText(sqzBarManagerBadOwner));
  if (FindBarManagerOfComponent(AOwner)) throw Exception(ResourceStringText(sqzBarManagerMoreThanOne));
  return AOwner;
}

TqzBarManager::TqzBarManager(TComponent* AOwner) : TComponent(CheckedOwner(AOwner)) {
  RegisterBarManager(this);
  FGroups = std::make_unique<TqzBarComponentList>();
  FItems = std::make_unique<TqzBarComponentList>();
  FLookAndFeel = std::make_unique<TkvLookAndFeel>(this);
  FCategories = std::make_unique<TqzBarManagerCategories>(this);
  if (!IsLoading()) FCategories->Add(ResourceStringText(sqzBarDefaultCategoryName));
  FBars = std::make_unique<TqzBars>(this);
  FHelpButtonGlyph = std::make_unique<TBitmap>();
  UpdateRecentUseThreshold();
  FBackgrounds = std::make_unique<TqzBarBackgrounds>(this);
  FPopupMenuLinks = std::make_unique<TqzBarPopupMenuLinks>(this);
  FImageOptions = std::make_unique<TqzBarImageOptions>(this);
  FImageOptions->SetOnLargeIconsChanged(MakeEvent<&TqzBarManager::ImageOptionsLargeIconsChanged>(this));
  CreateColors();
  for (auto& handlers : FHandlers) handlers = std::make_unique<TkvEventHandlerCollection>();
  FCaptionFont = std::make_unique<TFont>();
  FEditFont = std::make_unique<TFont>();
  FFont = std::make_unique<TFont>();
  FFont->SetOnChange(MakeEvent<&TqzBarManager::FontChanged>(this));
  // As if the system had announced new non-client metrics.
  SystemFontChanged();
  if (!IsDesigning()) FSavedState = std::make_unique<TMemIniFile>("");
}

TqzBarManager::~TqzBarManager() {
  ForgetManagerHints(this);
  FHintObject = nullptr;
  ReleaseObjectLink(FFocusedBarLink);
  // The last manager takes the hooks and the hint window with it.
  UnregisterBarManager(this);
  FreeColors();
  // The popup menus left go first (each leaves the list as it goes), and no link keeps a hook.
  while (!FPopupMenus.empty()) delete FPopupMenus.back();
  FPopupMenuLinks.reset();
  FBars.reset();
  // The placed dock sites outlive the manager: they forget it while it is still whole.
  while (!FPublishedDockSites.empty()) FPublishedDockSites.back()->SetBarManager(nullptr);
  // The groups go with the manager.
  while (FGroups->GetCount() > 0) delete GetGroup(FGroups->GetCount() - 1);
  // So do the items, whoever owns them.
  while (FItems->GetCount() > 0) delete GetItem(FItems->GetCount() - 1);
  // The rest it owns (the internal items of its menus) goes while the manager is still whole:
  // they call it as they go.
  DestroyComponents();
  FFont->SetOnChange(TNotifyEvent());
  FImageOptions.reset();
  FLookAndFeel.reset();
}

void TqzBarManager::ImageOptionsLargeIconsChanged(TObject*) {
  FImageOptions->UpdateGlyphSize();
  DesignerModified();
}

TWinControl* TqzBarManager::GetOwnerControl() { return static_cast<TWinControl*>(GetOwner()); }

TqzBarManager* TqzBarManager::GetParentWindowManager() {
  TWinControl* owner = GetOwnerControl();
  if (!owner || !owner->HandleAllocated()) return nullptr;
  for (TWinControl* control = FindParentWinControlOfChild(owner->GetHandle()); control;
       control = FindParentWinControlOfChild(control->GetHandle()))
    if (TqzBarManager* manager = FindBarManagerOfComponent(control); manager && manager != this) return manager;
  return nullptr;
}

void TqzBarManager::SetPopupMenuLinks(TqzBarPopupMenuLinks* Value) { FPopupMenuLinks->Assign(Value); }

void TqzBarManager::AddPopupMenu(TqzBarCustomPopupMenu* AMenu) {
  if (std::find(FPopupMenus.begin(), FPopupMenus.end(), AMenu) == FPopupMenus.end()) FPopupMenus.push_back(AMenu);
}

void TqzBarManager::RemovePopupMenu(TqzBarCustomPopupMenu* AMenu) { std::erase(FPopupMenus, AMenu); }

// ---- Groups and children ------------------------------------------------------------------

TqzBarGroup* TqzBarManager::AddGroup() {
  auto* group = new TqzBarGroup(GetOwner());
  RegisterGroup(group);
  return group;
}

void TqzBarManager::RegisterGroup(TqzBarGroup* AGroup) {
  if (FGroups->IndexOf(AGroup) < 0) FGroups->Add(AGroup);
  AGroup->SetBarManager(this);
}

void TqzBarManager::MoveGroup(TqzBarGroup* AGroup, Integer ANewIndex) {
  Integer index = FGroups->IndexOf(AGroup);
  if (index < 0 || ANewIndex < 0 || ANewIndex >= FGroups->GetCount()) return;
  FGroups->Move(index, ANewIndex);
  DesignerModified();
}

void TqzBarManager::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  for (Integer i = 0; i < FBars->GetCount(); ++i)
    if (FBars->GetBar(i)->GetOwner() == Root) Proc(FBars->GetBar(i));
  // Items of category -1 are the manager's own and never stream.
  for (Integer i = 0; i < GetItemCount(); ++i)
    if (GetItem(i)->GetOwner() == Root && GetItem(i)->GetCategory() >= 0) Proc(GetItem(i));
  for (Integer i = 0; i < GetGroupCount(); ++i)
    if (GetGroup(i)->GetOwner() == Root) Proc(GetGroup(i));
}

void TqzBarManager::SetChildOrder(TComponent* Child, Integer Order) {
  if (auto* bar = dynamic_cast<TqzBar*>(Child)) {
    bar->SetIndex(Order);
    return;
  }
  if (auto* item = dynamic_cast<TqzBarItem*>(Child)) {
    MoveItem(IndexOfItem(item), Order - FBars->GetCount());
    return;
  }
  if (auto* group = dynamic_cast<TqzBarGroup*>(Child)) MoveGroup(group, Order - FBars->GetCount() - GetItemCount());
}

// ---- Colours ------------------------------------------------------------------------------

namespace {

TColor MapChannels(TColor AColor, Integer (*AChannel)(Integer)) {
  COLORREF rgb = ColorToRGB(AColor);
  return static_cast<TColor>(RGB(AChannel(GetRValue(rgb)), AChannel(GetGValue(rgb)), AChannel(GetBValue(rgb))));
}

}  // namespace

void TqzBarManager::CreateColors() {
  FFlatColors[fcBorder] = MapChannels(clBtnShadow, [](Integer c) { return MulDiv(c, 8, 10); });
  FFlatColors[fcFace] = MapChannels(clBtnFace, [](Integer c) { return c + MulDiv(255 - c, 16, 100); });
  FFlatColors[fcPressed] = SystemLightColor(11, 9, 73);
  FFlatColors[fcPressedHot] = SystemLightColor(14, 44, 40);
  FFlatColors[fcHot] = SystemLightColor(-2, 30, 72);
  for (Integer i = 0; i < fcCount; ++i) {
    FFlatColors[i] = NearestScreenColor(FFlatColors[i]);
    FFlatBrushes[i] = CreateSolidBrush(ColorToRGB(FFlatColors[i]));
  }
  if (ThemeAvailableFor(totToolBar)) FThemedToolbarBrush = CreateSolidBrush(ColorToRGB(ToolbarThemeColor()));
  Office11ColorsAddRef();
}

void TqzBarManager::FreeColors() {
  for (HBRUSH& brush : FFlatBrushes) FreeGDIHandle(brush);
  FreeGDIHandle(FThemedToolbarBrush);
  Office11ColorsRelease();
}

void TqzBarManager::RefreshColors() {
  FreeColors();
  CreateColors();
}

TColor TqzBarManager::GetDockColor() {
  if (!FAutoDockColor) return FDockColor;
  auto* owner = dynamic_cast<TControl*>(GetOwner());
  return owner ? owner->GetColor() : FDockColor;
}

void TqzBarManager::SetDockColor(TColor Value) {
  FAutoDockColor = false;
  FDockColor = Value;
  UpdateDockColors();
}

void TqzBarManager::SetAutoDockColor(bool Value) {
  FAutoDockColor = Value;
  UpdateDockColors();
}

// ---- Fonts --------------------------------------------------------------------------------

namespace {

LOGFONT SystemMenuFont() {
  NONCLIENTMETRICS metrics;
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfo(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
  return metrics.lfMenuFont;
}

}  // namespace

void TqzBarManager::SetScaled(bool Value) {
  if (FScaled == Value) return;
  FScaled = Value;
  if (FScaled && !FUseSystemFont) ApplySystemFont();
}

void TqzBarManager::SetUseSystemFont(bool Value) {
  if (FUseSystemFont == Value) return;
  FUseSystemFont = Value;
  if (FUseSystemFont) ApplySystemFont();
}

void TqzBarManager::SystemFontChanged() { ApplySystemFont(); }

void TqzBarManager::ApplySystemFont() {
  LOGFONT menuFont = SystemMenuFont();
  FInternalFontChange = true;
  try {
    if (FUseSystemFont)
      FFont->SetHandle(CreateFontIndirect(&menuFont));
    else if (FScaled)
      FFont->SetHeight(menuFont.lfHeight);
  } catch (...) {
    FInternalFontChange = false;
    throw;
  }
  FInternalFontChange = false;
}

void TqzBarManager::FontChanged(TObject*) {
  if (!FInternalFontChange) FUseSystemFont = false;
  if (FScaled) {
    // The height follows the system menu font; the handler stays away meanwhile.
    TNotifyEvent handler = FFont->GetOnChange();
    FFont->SetOnChange(TNotifyEvent());
    FFont->SetHeight(SystemMenuFont().lfHeight);
    FFont->SetOnChange(handler);
  }
  FEditFont->Assign(FFont.get());
  FCaptionFont->SetHandle(CreateSmallCaptionFont(FFont.get(), false));
  SystemFontChangedHandlers()->FireAll(this, nullptr);
  if (FBars)
    for (Integer i = 0; i < FBars->GetCount(); ++i) FBars->GetBar(i)->ManagerFontChanged();
  for (TqzBarCustomPopupMenu* menu : FPopupMenus) menu->ManagerFontChanged();
}

// ---- Update lock and designer --------------------------------------------------------------

void TqzBarManager::BeginUpdate() { ++FLockUpdate; }

void TqzBarManager::EndUpdate(bool) {
  if (FLockUpdate == 0 || --FLockUpdate > 0 || IsDestroying()) return;
  // The outermost end: the bars marked meanwhile have been recalculated.
  for (Integer i = 0; i < FBars->GetCount(); ++i) FBars->GetBar(i)->ClearRecalcMark();
}

void TqzBarManager::DesignerModified() {
  if (IsLoading() || IsDestroying()) return;
  if (FDesignerModifiedLock > 0) {
    FDesignerModifiedDue = true;
    return;
  }
  FModified = true;
}

void TqzBarManager::LockDesignerModified(bool ALock, bool ANotify) {
  if (ALock) {
    if (FDesignerModifiedLock++ == 0) FDesignerModifiedDue = false;
    return;
  }
  if (FDesignerModifiedLock == 0) return;
  if (--FDesignerModifiedLock == 0 && ANotify && FDesignerModifiedDue) DesignerModified();
}

void TqzBarManager::OptionChanged() { DesignerModified(); }

// ---- Painting style ------------------------------------------------------------------------

TqzBarManagerStyle TqzBarManager::GetEffectiveStyle() const {
  if (FStyle != bmsUseLookAndFeel) return FStyle;
  if (FLookAndFeel->GetNativeStyle() && ThemeAvailableFor(totToolBar)) return bmsXP;
  switch (FLookAndFeel->GetKind()) {
    case lfStandard: return bmsStandard;
    case lfUltraFlat: return bmsFlat;
    case lfOffice11: return bmsOffice11;
    default: return bmsEnhanced;
  }
}

Integer TqzBarManager::GetPainterKind() const {
  const bool themes = ThemeAvailableFor(totToolBar);
  if (FStyle == bmsXP) return themes ? 3 : 1;
  if (FStyle != bmsUseLookAndFeel) return static_cast<Integer>(FStyle);
  if (FLookAndFeel->GetNativeStyle() && themes) return 3;
  if (FLookAndFeel->GetSkinPainter()) return 5;
  switch (FLookAndFeel->GetKind()) {
    case lfStandard: return 0;
    case lfUltraFlat: return 2;
    case lfOffice11: return 4;
    default: return 1;
  }
}

// ---- Property setters ----------------------------------------------------------------------

void TqzBarManager::SetButtonArrowWidth(Integer Value) {
  if (Value >= 2) FButtonArrowWidth = Value;
}

void TqzBarManager::SetLargeButtonArrowWidth(Integer Value) {
  if (Value >= 2) FLargeButtonArrowWidth = Value;
}

void TqzBarManager::SetWaitForDockingTime(Integer Value) {
  if (Value >= 0) FWaitForDockingTime = Value;
}

void TqzBarManager::SetMenuAnimations(TqzBarMenuAnimations Value) {
  if (FMenuAnimations == Value) return;
  FMenuAnimations = Value;
  OptionChanged();
}

void TqzBarManager::SetMenusShowRecentItemsFirst(bool Value) {
  if (FMenusShowRecentItemsFirst == Value) return;
  FMenusShowRecentItemsFirst = Value;
  OptionChanged();
}

void TqzBarManager::SetShowFullMenusAfterDelay(bool Value) {
  if (FShowFullMenusAfterDelay == Value) return;
  FShowFullMenusAfterDelay = Value;
  OptionChanged();
}

void TqzBarManager::SetShowHint(bool Value) {
  if (FShowHint == Value) return;
  FShowHint = Value;
  OptionChanged();
}

void TqzBarManager::SetShowShortCutInHint(bool Value) {
  if (FShowShortCutInHint == Value) return;
  FShowShortCutInHint = Value;
  OptionChanged();
}

void TqzBarManager::SetMostRecentItemsPercents(Byte Value) {
  FMostRecentItemsPercents = std::min<Byte>(Value, 100);
  UpdateRecentUseThreshold();
}

void TqzBarManager::UpdateRecentUseThreshold() {
  if (FMostRecentItemsPercents >= 100) {
    FRecentUseThreshold = 0;
    return;
  }
  // The smallest use count whose share outside the percentage is at least one whole use.
  Integer n = 1;
  while (n * (100 - FMostRecentItemsPercents) / 100 <= 0) ++n;
  FRecentUseThreshold = n;
}

// ---- Lookups of managers -------------------------------------------------------------------

TqzBarManager* FindBarManagerOfComponent(TComponent* AComponent) {
  if (auto* manager = dynamic_cast<TqzBarManager*>(AComponent)) return manager;
  auto* form = dynamic_cast<TCustomForm*>(AComponent);
  if (form && !form->GetParent() && BarFormMappingHook) AComponent = BarFormMappingHook(form);
  TqzBarManagerList* list = BarManagerList();
  if (!list || !AComponent) return nullptr;
  for (Integer i = 0; i < list->GetCount(); ++i) {
    TqzBarManager* manager = list->GetManager(i);
    if (manager->GetOwner() == AComponent) return manager;
  }
  return nullptr;
}

TqzBarManager* BarManagerOfWindow(HWND AWnd) { return FindBarManagerOfComponent(FindControl(AWnd)); }

TqzBarManager* ManagerServingComponent(TComponent* AComponent) {
  TWinControl* control = OwnerWinControlOf(AComponent);
  if (!control || !control->HandleAllocated()) return nullptr;
  while (control) {
    if (TqzBarManager* manager = FindBarManagerOfComponent(control)) return manager;
    control = FindParentWinControlOfChild(control->GetHandle());
  }
  return nullptr;
}

TCustomForm* FormOfBarManager(TqzBarManager* AManager, Integer AFormKind) {
  return AManager ? FormAboveControl(AManager->GetOwnerControl(), AFormKind) : nullptr;
}

bool IsManagerOwnerWindow(TqzBarManager* AManager, HWND AWnd) {
  if (!AManager || !AManager->GetOwnerControl()->HandleAllocated()) return false;
  for (HWND w = AManager->GetOwnerControl()->GetHandle(); w; w = GetParent(w)) {
    if (w == AWnd) return true;
    if (!(GetWindowLongPtr(w, GWL_STYLE) & WS_CHILD)) break;
  }
  return false;
}

bool ManagerOwnsControl(TqzBarManager* AManager, TControl* AControl) {
  return AManager && IsControlInside(AManager->GetOwnerControl(), AControl);
}

bool TqzBarManager::IsOtherManagerActive() const {
  TqzBarManagerList* list = BarManagerList();
  for (Integer i = 0; list && i < list->GetCount(); ++i)
    if (list->GetManager(i)->GetIsCustomizing()) return list->GetManager(i) != this;
  return false;
}
