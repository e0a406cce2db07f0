// Toolbars: the bar definitions of a manager, their collection and caption buttons, and the
// manager's toolbar operations.

#include "rtl/ColorIdents.h"
#include "rtl/SysUtils.h"
#include "user/Rects.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarDockControl.h"
#include "toolkit/bars/qzBarStrs.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/foundation/kvClasses.h"

// ---- Caption buttons -----------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TqzBarCaptionButton,
    PROPERTY(Enabled).Default(true),
    PROPERTY(Hint),
    PROPERTY(KeyTip),
    PROPERTY(ScreenTip),
    PROPERTY(OnClick))

TqzBarCaptionButton::TqzBarCaptionButton(TCollection* Collection)
    : TCollectionItem(Collection), FGlyph(std::make_unique<TBitmap>()),
      FFreeNotificator(std::make_unique<TkvFreeNotificator>(nullptr)) {
  FFreeNotificator->SetOnFreeNotification(MakeEvent<&TqzBarCaptionButton::ScreenTipFreed>(this));
}

TqzBarCaptionButton::~TqzBarCaptionButton() { ReleaseAccessibilityHelper(FAccessibilityHelper); }

void TqzBarCaptionButton::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzBarCaptionButton*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  SetEnabled(source->FEnabled);
  FGlyph->Assign(source->FGlyph.get());
  FHint = source->FHint;
  FKeyTip = source->FKeyTip;
  FBounds = source->FBounds;
  FOnClick = source->FOnClick;
}

TqzBarCaptionButtons* TqzBarCaptionButton::GetButtons() const {
  return static_cast<TqzBarCaptionButtons*>(GetCollection());
}

void TqzBarCaptionButton::SetState(Integer Value) {
  if (FState == Value) return;
  FState = Value;
  Changed(false);
}

void TqzBarCaptionButton::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  FState = Value ? 0 : 1;
  Changed(false);
}

void TqzBarCaptionButton::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
  Changed(false);
}

void TqzBarCaptionButton::SetScreenTip(TqzBarScreenTip* Value) {
  if (FScreenTip == Value) return;
  if (FScreenTip) FFreeNotificator->Unwatch(FScreenTip);
  FScreenTip = Value;
  if (FScreenTip) FFreeNotificator->Watch(FScreenTip);
}

void TqzBarCaptionButton::ScreenTipFreed(TComponent* AComponent) {
  if (AComponent == FScreenTip) FScreenTip = nullptr;
}

bool TqzBarCaptionButton::GetHintText(String& AHint) const {
  if (FState != 2) return false;
  AHint = FHint;
  return true;
}

void TqzBarCaptionButton::Click() { FOnClick(this); }

TAVREN_CLASS_IMPL(TqzBarCaptionButtons)

TqzBarCaptionButtons::TqzBarCaptionButtons(TqzBar* ABar)
    : TCollection(TqzBarCaptionButton::ClassInfo()), FBar(ABar) {}

TqzBarCaptionButtons::~TqzBarCaptionButtons() { ReleaseAccessibilityHelper(FAccessibilityHelper); }

TPersistent* TqzBarCaptionButtons::GetOwner() { return FBar; }

void TqzBarCaptionButtons::Update(TCollectionItem* Item) {
  FBar->CaptionButtonsChanged(static_cast<TqzBarCaptionButton*>(Item));
}

Integer TqzBarCaptionButtons::HitTest(const TPoint& P) const {
  for (Integer i = 0; i < GetCount(); ++i)
    if (GetButton(i)->GetEnabled() && PtInRect(&GetButton(i)->GetBounds(), P)) return i;
  return -1;
}

void TqzBarCaptionButtons::UpdateStatesAtPoint(const TPoint& P, bool APressed) {
  for (Integer i = 0; i < GetCount(); ++i) {
    TqzBarCaptionButton* button = GetButton(i);
    if (!button->GetEnabled()) continue;
    if (PtInRect(&button->GetBounds(), P))
      button->SetState(APressed ? 4 : 2);
    else
      button->SetState(button->IsKeyboardSelected() ? 2 : 0);
  }
}

TRect TqzBarCaptionButtons::GetBoundsRect() const {
  TRect result;
  for (Integer i = 0; i < GetCount(); ++i) {
    const TRect& r = GetButton(i)->GetBounds();
    if (IsRectEmpty(&r)) continue;
    if (IsRectEmpty(&result)) {
      result = r;
      continue;
    }
    result = TRect(std::min(result.Left, r.Left), std::min(result.Top, r.Top), std::max(result.Right, r.Right),
                   std::max(result.Bottom, r.Bottom));
  }
  return result;
}

// ---- Toolbar -------------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TqzBar,
    PROPERTY(AllowClose).Default(true),
    PROPERTY(AllowCustomizing).Default(true),
    PROPERTY(AllowQuickCustomizing).Default(true),
    PROPERTY(AllowReset).Default(true),
    PROPERTY(AlphaBlendValue).Default(255),
    PROPERTY(BackgroundBitmap),
    PROPERTY(BorderStyle).Default(bbsSingle),
    PROPERTY(Caption),
    PROPERTY(CaptionButtons),
    PROPERTY(Color).Idents(ColorIdentMap).Default(clDefault),
    PROPERTY(DockControl),
    PROPERTY(DockedDockControl),
    PROPERTY(DockedDockingStyle),
    PROPERTY(DockedLeft),
    PROPERTY(DockedTop),
    PROPERTY(DockingStyle),
    PROPERTY(FloatLeft),
    PROPERTY(FloatTop),
    PROPERTY(FloatClientWidth),
    PROPERTY(FloatClientHeight),
    PROPERTY(Font),
    PROPERTY(Glyph),
    PROPERTY(Hidden).Default(false),
    PROPERTY(IsMainMenu).Default(false),
    PROPERTY(ItemLinks),
    PROPERTY(KeyTip),
    PROPERTY(MultiLine).Default(false),
    PROPERTY(NotDocking),
    PROPERTY(OldName),
    PROPERTY(OneOnRow),
    PROPERTY(RotateWhenVertical).Default(true),
    PROPERTY(Row),
    PROPERTY(ShowMark).Default(true),
    PROPERTY(SizeGrip).Default(true),
    PROPERTY(UseOwnFont),
    PROPERTY(UseRecentItems).Default(true),
    PROPERTY(UseRestSpace).Default(false),
    PROPERTY(Visible),
    PROPERTY(WholeRow))

TqzBar::TqzBar(TComponent* AOwner)
    : TkvComponentCollectionItem(AOwner), FBackgroundBitmap(std::make_unique<TBitmap>()),
      FCaptionButtons(std::make_unique<TqzBarCaptionButtons>(this)), FEditFont(std::make_unique<TFont>()),
      FGlyph(std::make_unique<TBitmap>()), FMergeData(std::make_unique<TqzBarMergeData>()) {
  FFont = std::make_unique<TFont>();
  FFont->SetOnChange(MakeEvent<&TqzBar::FontChanged>(this));
}

TqzBar::~TqzBar() {
  TqzBarManager* manager = GetBarManager();
  if (manager && !manager->IsDestroying()) manager->DoBarDelete(this);
  if (FMergeData->MergedWith) FMergeData->MergedWith->UnMergeBar(this, false);
  if (!FMergeData->MergedBars.empty()) UnMergeBar(nullptr, false);
  // A bar that goes is no longer shown; the events of hiding are left out.
  FVisible = false;
  delete GetBarControl();
  SetRowObject(nullptr);
  if (manager && manager->GetMainMenuBar() == this) manager->SetMainMenuBar(nullptr);
  FItemLinks.reset();
  FFont->SetOnChange(TNotifyEvent());
}

TqzBarItemLinks* TqzBar::GetItemLinks() { return FItemLinks.get(); }

void TqzBar::SetItemLinks(TqzBarItemLinks* Value) {
  if (FItemLinks) FItemLinks->Assign(Value);
}

bool TqzBar::CanContainItem(TqzBarItem* AItem, String& AMessage) { return AItem->CanBePlacedOn(0, this, AMessage); }

bool TqzBar::ExecuteShortCut(TShortCut AShortCut) { return FItemLinks && FItemLinks->ExecuteShortCut(AShortCut); }

TkvComponentCollection* TqzBar::GetCollectionFromParent(TComponent* AParentComponent) {
  auto* manager = dynamic_cast<TqzBarManager*>(AParentComponent);
  return manager ? manager->GetBars() : nullptr;
}

TqzBars* TqzBar::GetManagerBars() const { return static_cast<TqzBars*>(GetCollection()); }

TqzBarManager* TqzBar::GetBarManager() const {
  return GetCollection() ? GetManagerBars()->GetBarManager() : nullptr;
}

HRESULT TqzBar::QueryInterface(const TInterfaceId& IID, void** Obj) {
  return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
}

bool TqzBar::CanDelete() const {
  TqzBarManager* manager = GetBarManager();
  if (!manager) return true;
  bool allowed = manager->IsDesigning() || (!FPredefined && CanBeClosed());
  return allowed && manager->CanDeleteComponent(const_cast<TqzBar*>(this));
}

void TqzBar::DeleteIfAllowed(IqzBarSelectableItem*& ARef, bool) {
  if (!CanDelete()) return;
  ARef = nullptr;
  delete this;
}

void TqzBar::CollectOwner(TList* AList) {
  TPersistent* owner = DesignOwner();
  if (owner && AList->IndexOf(owner) < 0) AList->Add(owner);
}

void TqzBar::GetNextSelectable(IqzBarSelectableItem*& ARef) {
  TqzBars* bars = GetManagerBars();
  ARef = nullptr;
  if (!bars || bars->GetCount() < 2) return;
  ARef = bars->GetBar((PositionInCollection() + 1) % bars->GetCount());
}

TPersistent* TqzBar::DesignOwner() {
  TqzBarManager* manager = GetBarManager();
  return manager ? manager->GetOwner() : nullptr;
}

Integer TqzBar::SelectionStatus() {
  TqzBarManager* manager = GetBarManager();
  return manager ? manager->GetSelectionStatus(this) : 0;
}

void TqzBar::SelectInDesigner(Integer AMode) {
  if (TqzBarManager* manager = GetBarManager()) manager->SelectComponent(this, AMode);
}

void TqzBar::SetParentComponent(TComponent* Value) {
  bool attaching = GetCollectionFromParent(Value) && !GetCollection();
  inherited::SetParentComponent(Value);
  TqzBarManager* manager = GetBarManager();
  if (!attaching || !manager) return;
  FItemLinks = std::make_unique<TqzBarControlItemLinks>(manager, this);
  FItemLinks->SetUseRecentItems(FUseRecentItems);
  FInternalFontChange = true;
  FFont->Assign(manager->GetFont());
  FInternalFontChange = false;
  if (!manager->IsLoading()) {
    manager->DoBarAdd(this);
    Changed();
  }
}

bool TqzBar::IsManagerLoading() const {
  TqzBarManager* manager = GetBarManager();
  return manager && manager->IsLoading() && !manager->IsSettingUpLoadedBars();
}

void TqzBar::Changed() { SignalChanged(false); }

void TqzBar::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzBar*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  SetAllowClose(source->FAllowClose);
  FAllowCustomizing = source->FAllowCustomizing;
  FAllowQuickCustomizing = source->FAllowQuickCustomizing;
  FAllowReset = source->FAllowReset;
  FBorderStyle = source->FBorderStyle;
  SetCaption(source->FCaption);
  FCaptionButtons->Assign(source->FCaptionButtons.get());
  SetDockedDockingStyle(source->FDockedDockingStyle);
  SetDockedLeft(source->FDockedLeft);
  SetDockedTop(source->FDockedTop);
  SetFloatLeft(source->FFloatLeft);
  SetFloatTop(source->FFloatTop);
  SetFloatClientWidth(source->FFloatClientWidth);
  SetFloatClientHeight(source->FFloatClientHeight);
  SetHidden(source->FHidden);
  SetIsMainMenu(source->FIsMainMenu);
  if (FItemLinks && source->FItemLinks) FItemLinks->Assign(source->FItemLinks.get());
  FNotDocking = source->FNotDocking;
  FOldName = source->FOldName;
  FOneOnRow = source->FOneOnRow;
  FRotateWhenVertical = source->FRotateWhenVertical;
  SetRow(source->FRow);
  FShowMark = source->FShowMark;
  FSizeGrip = source->FSizeGrip;
  FWholeRow = source->FWholeRow;
  SetDockedDockControl(source->FDockedDockControl);
  DockTo(source->GetDockingStyle(), source->FDockControl);
  SetUseRecentItems(source->FUseRecentItems);
  FUseRestSpace = source->FUseRestSpace;
  FColor = source->FColor;
  FFont->Assign(source->FFont.get());
  SetUseOwnFont(source->FUseOwnFont);
  SetVisible(source->GetVisible());
}

void TqzBar::SetAllowClose(bool Value) {
  if (FAllowClose == Value) return;
  FAllowClose = Value;
  Changed();
}

void TqzBar::SetCaption(const String& Value) {
  TqzBarManager* manager = GetBarManager();
  if (FCaption == Value) return;
  if (TqzBar* other = manager ? manager->FindBarByCaption(Value) : nullptr)
    if (other != this) return;
  FCaption = Value;
  Changed();
}

void TqzBar::CaptionButtonsChanged(TqzBarCaptionButton*) {}

void TqzBar::SetDockedDockingStyle(TqzBarDockingStyle Value) {
  if (FDockedDockingStyle == Value) return;
  FDockedDockingStyle = Value;
  FHasBeenDocked = true;
  Changed();
}

void TqzBar::SetDockedLeft(Integer Value) {
  FDockedLeft = std::max<Integer>(Value, 0);
  Changed();
  UpdateControlPosition();
}

void TqzBar::SetDockedTop(Integer Value) {
  FDockedTop = std::max<Integer>(Value, 0);
  Changed();
  UpdateControlPosition();
}

void TqzBar::SetFloatLeft(Integer Value) {
  FFloatLeft = Value;
  Changed();
  UpdateControlPosition();
}

void TqzBar::SetFloatTop(Integer Value) {
  FFloatTop = Value;
  Changed();
  UpdateControlPosition();
}

void TqzBar::SetFloatClientWidth(Integer Value) {
  FFloatClientWidth = Value;
  Changed();
  UpdateControlPosition();
}

void TqzBar::SetFloatClientHeight(Integer Value) {
  FFloatClientHeight = Value;
  Changed();
  UpdateControlPosition();
}

void TqzBar::SetHidden(bool Value) {
  if (FHidden == Value) return;
  FHidden = Value;
  Changed();
}

TqzBarDockingStyle TqzBar::GetDockingStyle() const {
  TqzBarManager* manager = GetBarManager();
  if (manager && IsLoadingAsAncestor(const_cast<TqzBar*>(this)) && manager->IsLoading()) return FLoadedDockingStyle;
  return FDockingStyle;
}

void TqzBar::SetDockingStyle(TqzBarDockingStyle Value) {
  if (IsManagerLoading()) {
    FLoadedDockingStyle = Value;
    return;
  }
  if (FDockingStyle == Value) return;
  FDockingStyle = Value;
  if (Value != dsNone) FHasBeenDocked = true;
  if (GetBarControl()) PlaceBarControl();
  if (!FChangingDockingStyle) FireDockingStyleChange();
}

void TqzBar::FireDockingStyleChange() {
  TqzBarManager* manager = GetBarManager();
  if (!manager || manager->IsSettingUpLoadedBars()) return;
  manager->DoBarDockingStyleChange(this);
  SignalChanged(true);
}

void TqzBar::DockTo(TqzBarDockingStyle AStyle, TqzDockControl* ASite) {
  if (ASite && ASite->HasDockingStyle()) ASite = nullptr;
  if (AStyle != dsNone || ASite) FDockedDockControl = ASite;
  if (ASite == FDockControl) {
    SetDockingStyle(AStyle);
    return;
  }
  // The window stays the same (it may be busy in its own handlers): only its place changes.
  FDockControl = ASite;
  TqzBarDockingStyle style = ASite ? ASite->GetDockingStyle() : AStyle;
  bool restyled = style != FDockingStyle;
  FChangingDockingStyle = true;
  try {
    SetDockingStyle(style);
  } catch (...) {
    FChangingDockingStyle = false;
    throw;
  }
  FChangingDockingStyle = false;
  if (!restyled) PlaceBarControl();
  FireDockingStyleChange();
}

bool TqzBar::CanDock() const {
  TqzBarManager* manager = GetBarManager();
  TqzBarDockingStyles refused = FNotDocking;
  if (manager) refused = refused + manager->GetNotDocking();
  for (TqzBarDockingStyle style : {dsNone, dsLeft, dsTop, dsRight, dsBottom})
    if (!refused.Contains(style)) return true;
  return false;
}

void TqzBar::SetRow(Integer Value) {
  Value = std::max<Integer>(Value, 0);
  TqzDockControl* site = FDockRow ? FDockRow->GetDockControl() : nullptr;
  if (site && site->IndexOfRow(FDockRow) == Value) return;
  FRow = Value;
  // Without a row the number waits for the site the bar docks into.
  if (site) MoveToRow(site, Value);
  Changed();
}

Integer TqzBar::GetRow() const {
  TqzDockControl* site = FDockRow ? FDockRow->GetDockControl() : nullptr;
  return site ? site->IndexOfRow(FDockRow) : FRow;
}

void TqzBar::SetIsMainMenu(bool Value) {
  TqzBarManager* manager = GetBarManager();
  if (FIsMainMenu == Value) return;
  if (manager) manager->BeginUpdate();
  try {
    if (Value) {
      if (manager && manager->GetMainMenuBar() && manager->GetMainMenuBar() != this)
        manager->GetMainMenuBar()->SetIsMainMenu(false);
      FIsMainMenu = true;
      if (manager) manager->SetMainMenuBar(this);
      FWholeRow = true;
      FMultiLine = true;
    } else {
      FIsMainMenu = false;
      if (manager && manager->GetMainMenuBar() == this) manager->SetMainMenuBar(nullptr);
      FMultiLine = false;
      FWholeRow = false;
    }
    Changed();
  } catch (...) {
    if (manager) manager->EndUpdate();
    throw;
  }
  if (manager) manager->EndUpdate();
}

void TqzBar::SetMultiLine(bool Value) {
  if (FMultiLine == Value || (!Value && FIsMainMenu)) return;
  FMultiLine = Value;
}

bool TqzBar::GetVisible() const {
  TqzBarManager* manager = GetBarManager();
  if (manager && IsLoadingAsAncestor(const_cast<TqzBar*>(this)) && manager->IsLoading()) return FLoadedVisible;
  return FVisible;
}

void TqzBar::SetVisible(bool Value) {
  TqzBarManager* manager = GetBarManager();
  if (Value && manager && manager->IsDestroying()) return;
  if (IsManagerLoading()) {
    if (Value != FLoadedVisible) FHiddenBecauseEmpty = false;
    FLoadedVisible = Value;
    return;
  }
  if (FVisible == Value) return;
  FHiddenBecauseEmpty = false;
  FVisible = Value;
  if (Value && manager) {
    CreateBarControl();
    PlaceBarControl();
  } else {
    delete GetBarControl();
  }
  Changed();
  if (manager && !manager->IsDestroying()) manager->DoBarVisibleChange(this);
}

void TqzBar::ApplyLoadedValues() {
  FPredefined = true;
  FChangingDockingStyle = true;
  SetDockingStyle(FLoadedDockingStyle);
  FChangingDockingStyle = false;
  SetVisible(FLoadedVisible);
}

void TqzBar::SetUseOwnFont(bool Value) {
  if (FUseOwnFont == Value) return;
  FUseOwnFont = Value;
  if (!FUseOwnFont) ManagerFontChanged();
  UpdateEditFont();
}

void TqzBar::ManagerFontChanged() {
  TqzBarManager* manager = GetBarManager();
  if (FUseOwnFont || !manager) return;
  FInternalFontChange = true;
  FFont->Assign(manager->GetFont());
  FInternalFontChange = false;
  UpdateEditFont();
}

void TqzBar::FontChanged(TObject*) {
  if (!FInternalFontChange) FUseOwnFont = true;
  UpdateEditFont();
}

void TqzBar::UpdateEditFont() {
  TqzBarManager* manager = GetBarManager();
  FEditFont->Assign(FUseOwnFont || !manager ? FFont.get() : manager->GetEditFont());
}

void TqzBar::ResetWithConfirmation() {
  String text = Format(ResourceStringText(sqzBarResetToolbarQuery), FCaption);
  if (ShowAppMessageBox(text, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK) Reset();
}

// ---- Collection ----------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TqzBars)

TqzBars::TqzBars(TqzBarManager* AManager)
    : TkvComponentCollection(AManager, TqzBar::ClassInfo()), FBarManager(AManager) {
  for (TqzBarDockingStyle style : {dsLeft, dsTop, dsRight, dsBottom})
    FDockControls[style] = new TqzDockControl(AManager, style);
}

TqzBars::~TqzBars() {
  KillDockingTimer();
  // The bars' windows go before the sites they sit in.
  for (Integer i = 0; i < GetCount(); ++i) GetBar(i)->FreeBarControl();
  for (TqzDockControl*& site : FDockControls) {
    TqzDockControl* gone = site;
    site = nullptr;
    if (gone) gone->SetBarManager(nullptr);
    delete gone;
  }
  // The bars go while this is still their manager's collection: each asks it for the manager on
  // its way out. Nothing is reported any more.
  BeginUpdate();
  while (ItemCount() > 0) delete ItemAt(ItemCount() - 1);
}

void TqzBars::SetItemName(TkvComponentCollectionItem* AItem) {
  AItem->SetName(FBarManager->MakeUniqueBarName(FBarManager->GetName() + "Bar"));
}

void TqzBars::ReportChange(TkvComponentCollectionItem* AItem, TkvCollectionAction AAction) {
  inherited::ReportChange(AItem, AAction);
  if (AAction == ccnChanged) FBarManager->DesignerModified();
}

// ---- The manager's toolbar operations ------------------------------------------------------

TqzBar* TqzBarManager::FindBarByName(const String& AName) const {
  for (Integer i = 0; i < FBars->GetCount(); ++i)
    if (FBars->GetBar(i)->GetName() == AName) return FBars->GetBar(i);
  return nullptr;
}

TqzBar* TqzBarManager::FindBarByCaption(const String& ACaption) const {
  for (Integer i = 0; i < FBars->GetCount(); ++i)
    if (FBars->GetBar(i)->GetCaption() == ACaption) return FBars->GetBar(i);
  return nullptr;
}

String TqzBarManager::MakeUniqueBarCaption(const String& ABase) const {
  for (Integer n = 1;; ++n)
    if (!FindBarByCaption(ABase + IntToStr(n))) return ABase + IntToStr(n);
}

String TqzBarManager::MakeUniqueBarName(const String& ABase) const {
  TComponent* owner = const_cast<TqzBarManager*>(this)->GetOwner();
  for (Integer n = 1;; ++n) {
    String name = ABase + IntToStr(n);
    // The form holds the bars: a name taken by another of its components would not stream.
    if (!FindBarByName(name) && !(owner && owner->FindComponent(name))) return name;
  }
}

TqzBar* TqzBarManager::CreateToolbar(bool AAsMainMenu) {
  String caption = MakeUniqueBarCaption(ResourceStringText(sqzBarCustomToolbarName));
  TqzBar* bar = nullptr;
  BeginUpdate();
  FBars->BeginUpdate();
  try {
    bar = FBars->AddBar();
    bar->SetCaption(caption);
    TWinControl* owner = GetOwnerControl();
    TRect workArea;
    WorkAreaAtPoint(TPoint(owner->GetLeft(), owner->GetTop()), workArea);
    Integer left = owner->GetLeft() - 50;
    if (left < workArea.Left) left = owner->GetLeft() + owner->GetWidth() + 10;
    Integer top = owner->GetTop();
    if (top < workArea.Top) top = workArea.Top + 10;
    bar->SetFloatLeft(left);
    bar->SetFloatTop(top);
    bar->SetDockingStyle(dsTop);
    if (AAsMainMenu) {
      bar->SetRow(0);
      bar->SetIsMainMenu(true);
      bar->SetVisible(true);
    } else {
      // A row of its own behind the bars docked at the top.
      Integer rows = 0;
      for (Integer i = 0; i < FBars->GetCount(); ++i) {
        TqzBar* other = FBars->GetBar(i);
        if (other != bar && other->GetVisible() && other->GetDockingStyle() == dsTop)
          rows = std::max(rows, other->GetRow() + 1);
      }
      bar->SetRow(rows);
      bar->SetOneOnRow(true);
      bar->SetVisible(true);
      bar->SetOneOnRow(false);
    }
  } catch (...) {
    FBars->EndUpdate();
    EndUpdate();
    throw;
  }
  FBars->EndUpdate();
  EndUpdate();
  return bar;
}

void TqzBarManager::SetAutoHideEmptyBars(bool Value) {
  if (FAutoHideEmptyBars == Value) return;
  FAutoHideEmptyBars = Value;
  if (!Value)
    for (Integer i = 0; i < FBars->GetCount(); ++i) FBars->GetBar(i)->SetHiddenBecauseEmpty(false);
}

void TqzBarManager::ResetToolbar(TqzBar* ABar) { ABar->ResetWithConfirmation(); }

void TqzBar::SetUseRecentItems(bool Value) {
  FUseRecentItems = Value;
  if (FItemLinks) FItemLinks->SetUseRecentItems(Value);
}
