// The application menu's model: the extra pane with its entries and header, the bottom buttons
// that follow the user's buttons, the item-option defaults of its links, and the menu itself.

#include "toolkit/bars/qzBarApplicationMenu.h"

#include "toolkit/bars/qzBarApplicationMenuControl.h"

TAVREN_CLASS_IMPL(TqzBarExtraPaneItems)
TAVREN_CLASS_IMPL_PUBLISHED(TqzBarApplicationMenuExtraPane,
    PROPERTY(WidthRatio).Stored<&TqzBarApplicationMenuExtraPane::IsWidthRatioStored>(),
    PROPERTY(Size).Default(0),
    PROPERTY(Items),
    PROPERTY(Header).Stored<&TqzBarApplicationMenuExtraPane::IsHeaderStored>(),
    PROPERTY(OnItemClick),
    PROPERTY(OnGetItemDisplayText))
TAVREN_CLASS_IMPL_PUBLISHED(TqzBarApplicationMenuButton,
    PROPERTY(Item),
    PROPERTY(Width).Default(0))
TAVREN_CLASS_IMPL(TqzBarApplicationMenuButtons)
TAVREN_CLASS_IMPL(TqzBarApplicationMenuItemLinks)
TAVREN_CLASS_IMPL(TqzBarApplicationMenuButtonItemLinks)
TAVREN_CLASS_IMPL(TqzBarCustomApplicationMenu)

namespace {

constexpr const char* kDefaultHeader = "Recent Documents";

TqzBarSubMenuControlItemLinks* NewApplicationMenuLinks(TqzBarManager* AManager, TqzBarCustomPopupMenu* AMenu) {
  return new TqzBarApplicationMenuItemLinks(AManager, AMenu);
}

}  // namespace

// ---- Extra pane --------------------------------------------------------------------------------

TqzBarApplicationMenuExtraPane::TqzBarApplicationMenuExtraPane(TqzBarCustomApplicationMenu* AMenu)
    : FMenu(AMenu), FItems(std::make_unique<TqzBarExtraPaneItems>(AMenu)) {
  TqzBarManager* manager = AMenu->GetBarManager();
  FListItem = new TqzBarExtraPaneListItem(manager);
  // The pane's list is no command of the program: the manager's item lists do not show it.
  manager->UnregisterItem(FListItem);
  FListItem->FreeNotification(AMenu);
  FListItem->SetCaption(kDefaultHeader);
  FListItem->SetOnClick(MakeEvent<&TqzBarApplicationMenuExtraPane::ListItemClick>(this));
  FListItem->SetOnGetDisplayText(MakeEvent<&TqzBarApplicationMenuExtraPane::ListItemDisplayText>(this));
}

TqzBarApplicationMenuExtraPane::~TqzBarApplicationMenuExtraPane() { delete FListItem; }

TPersistent* TqzBarApplicationMenuExtraPane::GetOwner() { return FMenu; }

void TqzBarApplicationMenuExtraPane::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzBarApplicationMenuExtraPane*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  FWidthRatio = source->FWidthRatio;
  FSize = source->FSize;
  FItems->Assign(source->FItems.get());
  SetHeader(source->GetHeader());
  FOnItemClick = source->FOnItemClick;
}

String TqzBarApplicationMenuExtraPane::GetHeader() const { return FListItem ? FListItem->GetCaption() : String(); }

void TqzBarApplicationMenuExtraPane::SetHeader(const String& Value) {
  if (FListItem) FListItem->SetCaption(Value);
}

bool TqzBarApplicationMenuExtraPane::IsHeaderStored() const { return GetHeader() != kDefaultHeader; }

void TqzBarApplicationMenuExtraPane::FillListItem() {
  if (!FListItem) return;
  TStrings* strings = FListItem->GetItems();
  strings->BeginUpdate();
  try {
    strings->Clear();
    for (Integer i = 0; i < FItems->GetCount(); ++i) strings->AddObject(FItems->GetItem(i)->GetText(), FItems->GetItem(i));
  } catch (...) {
    strings->EndUpdate();
    throw;
  }
  strings->EndUpdate();
}

void TqzBarApplicationMenuExtraPane::ListItemClick(TObject*) { FOnItemClick(FMenu, FListItem->GetItemIndex()); }

void TqzBarApplicationMenuExtraPane::ListItemDisplayText(TObject*, Integer AIndex, String& ADisplayText) {
  FOnGetItemDisplayText(FMenu, AIndex, ADisplayText);
}

// ---- Bottom buttons ------------------------------------------------------------------------------

TqzBarApplicationMenuButton::TqzBarApplicationMenuButton(TCollection* Collection)
    : TCollectionItem(Collection), FWatched(std::make_unique<TqzBarComponentList>()) {
  TqzBarCustomApplicationMenu* menu = Menu();
  TqzBarManager* manager = menu ? menu->GetBarManager() : nullptr;
  if (manager) {
    FInternalItem = new TqzBarApplicationMenuButtonItem(manager);
    manager->UnregisterItem(FInternalItem);
    FInternalItem->FreeNotification(menu);
    FInternalItem->SetVisible(ivNever);
    FInternalItem->SetOnClick(MakeEvent<&TqzBarApplicationMenuButton::InternalClick>(this));
  }
  FWatched->SetOnComponentListChanged(MakeEvent<&TqzBarApplicationMenuButton::WatchedChanged>(this));
}

TqzBarApplicationMenuButton::~TqzBarApplicationMenuButton() {
  FWatched->SetOnComponentListChanged(TqzComponentListChangeEvent());
  FWatched.reset();
  delete FInternalItem;
}

TqzBarCustomApplicationMenu* TqzBarApplicationMenuButton::Menu() const {
  return GetCollection() ? dynamic_cast<TqzBarCustomApplicationMenu*>(GetCollection()->GetOwner()) : nullptr;
}

void TqzBarApplicationMenuButton::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzBarApplicationMenuButton*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  SetWidth(source->GetWidth());
  SetItem(source->GetItem());
}

Integer TqzBarApplicationMenuButton::GetWidth() const { return FInternalItem ? FInternalItem->GetWidth() : 0; }

void TqzBarApplicationMenuButton::SetWidth(Integer Value) {
  if (FInternalItem) FInternalItem->SetWidth(Value);
}

void TqzBarApplicationMenuButton::SetItem(TqzBarButton* Value) {
  if (FItem == Value) return;
  FWatched->BeginUpdate();
  try {
    if (FItem) FWatched->Remove(FItem);
    if (Value) FWatched->Add(Value);
    FItem = Value;
  } catch (...) {
    FWatched->EndUpdate();
    throw;
  }
  FWatched->EndUpdate();
}

void TqzBarApplicationMenuButton::WatchedChanged(TObject*, TComponent*, Integer AAction) {
  if (AAction == qzclaExtracted) {
    SetItem(nullptr);
    return;
  }
  CopyButtonState();
}

void TqzBarApplicationMenuButton::CopyButtonState() {
  if (!FInternalItem) return;
  TqzBarItem* target = FInternalItem;
  if (FItem) {
    target->SetCaption(FItem->GetCaption());
    target->SetEnabled(FItem->GetEnabled());
    target->SetGlyph(FItem->GetGlyph());
    target->SetHint(FItem->GetHint());
    target->SetImageIndex(FItem->GetImageIndex());
    target->SetScreenTip(FItem->GetScreenTip());
    target->SetVisible(FItem->GetVisible());
  } else {
    target->SetCaption(String());
    target->SetEnabled(true);
    TBitmap none;
    target->SetGlyph(&none);
    target->SetHint(String());
    target->SetImageIndex(-1);
    target->SetScreenTip(nullptr);
    target->SetVisible(ivNever);
  }
}

void TqzBarApplicationMenuButton::InternalClick(TObject*) {
  if (FItem) FItem->GetOnClick()(FItem);
}

// ---- Links of the menu ---------------------------------------------------------------------------

Variant TqzBarApplicationMenuItemLinks::DefaultItemOption(TqzBarItemOptionValue AOption) {
  switch (AOption) {
    case ioShowDescriptions: return Variant(true);
    case ioShowShortCuts: return Variant(false);
    case ioSize: break;
  }
  return Variant(static_cast<Integer>(misLarge));
}

Variant TqzBarApplicationMenuItemLinks::ResolveItemOption(TqzBarItemOptionValue AOption, TqzBarItemLinks* ATarget) {
  TqzBarItemLinks* parent = GetParentLinks();
  if (GetItemOptions()->IsValueStored(AOption)) return GetItemOptions()->GetValue(AOption);
  if (parent) return parent->ResolveItemOption(AOption, ATarget);
  // The menu's own items show their captions only; the menus opened from them describe theirs.
  if (AOption == ioShowDescriptions) return Variant(ATarget != this);
  return DefaultItemOption(AOption);
}

// ---- The menu ------------------------------------------------------------------------------------

TqzBarCustomApplicationMenu::TqzBarCustomApplicationMenu(TComponent* AOwner)
    : TqzBarCustomPopupMenu(AOwner, &NewApplicationMenuLinks) {
  FExtraPane = std::make_unique<TqzBarApplicationMenuExtraPane>(this);
  FButtons = std::make_unique<TqzBarApplicationMenuButtons>(this);
}

TqzBarCustomApplicationMenu::~TqzBarCustomApplicationMenu() {
  // An open window shows the buttons and the pane: it goes before them.
  if (TqzBarSubMenuControl* menu = GetMenuControl()) {
    menu->SetOnCloseUp(TNotifyEvent());
    menu->Dismiss();
  }
  FButtons.reset();
  FExtraPane.reset();
}

TClassOf<TqzBarSubMenuControl> TqzBarCustomApplicationMenu::GetMenuControlClass() {
  return TqzBarApplicationMenuControl::ClassInfo();
}

TqzBarSubMenuControl* TqzBarCustomApplicationMenu::CreateMenuControl() {
  TqzBarSubMenuControl* menu = inherited::CreateMenuControl();
  return FMenuControlHook ? FMenuControlHook(menu) : menu;
}

bool TqzBarCustomApplicationMenu::TryShortCut(TShortCut AShortCut) { return GetItemLinks()->ExecuteShortCut(AShortCut); }

void TqzBarCustomApplicationMenu::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (FExtraPane && AComponent == FExtraPane->GetListItem()) FExtraPane->ListItemGone();
  for (Integer i = 0; FButtons && i < FButtons->GetCount(); ++i)
    if (AComponent == FButtons->GetItem(i)->GetInternalItem()) FButtons->GetItem(i)->InternalItemGone();
}
