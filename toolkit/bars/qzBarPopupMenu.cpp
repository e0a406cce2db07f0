// Popup menus: the manager they use, opening the menu window at a point with its own message loop,
// and closing.

#include "toolkit/bars/qzBarPopupMenu.h"

#include "toolkit/bars/qzBarStrs.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "vcl/Controls.h"

TAVREN_CLASS_IMPL(TqzBarCustomPopupMenu)
TAVREN_CLASS_IMPL_PUBLISHED(TqzBarPopupMenu,
    PROPERTY(BackgroundBitmap),
    PROPERTY(BarManager),
    PROPERTY(BarSize).Default(0),
    PROPERTY(Font).Stored<&TqzBarCustomPopupMenu::IsFontStored>(),
    PROPERTY(ItemLinks),
    PROPERTY(ItemOptions),
    PROPERTY(UseOwnFont),
    PROPERTY(UseRecentItems).Default(false),
    PROPERTY(OnCloseUp),
    PROPERTY(OnPaintBar),
    PROPERTY(OnPopup))

namespace {

TqzBarManager* ManagerForPopup(TComponent* AOwner) {
  if (TqzBarManager* manager = FindBarManagerOfComponent(AOwner)) return manager;
  TqzBarManagerList* list = BarManagerList();
  TqzBarManager* first = list && list->GetCount() > 0 ? list->GetManager(0) : nullptr;
  if (!first) throw Exception(ResourceStringText(sqzBarNoBarManagers));
  return first;
}

}  // namespace

TqzBarSubMenuControlItemLinks* TqzBarCustomPopupMenu::NewItemLinks(TqzBarManager* AManager,
                                                                    TqzBarCustomPopupMenu* AMenu) {
  return new TqzBarSubMenuControlItemLinks(AManager, AMenu);
}

TqzBarCustomPopupMenu::TqzBarCustomPopupMenu(TComponent* AOwner, TItemLinksMaker AMakeLinks)
    : TqzBarComponent(AOwner), FBackgroundBitmap(std::make_unique<TBitmap>()) {
  TqzBarManager* manager = ManagerForPopup(AOwner);
  SetBarManager(manager);
  FEditFont = std::make_unique<TFont>();
  FFont = std::make_unique<TFont>();
  FFont->Assign(manager->GetFont());
  FFont->SetOnChange(MakeEvent<&TqzBarCustomPopupMenu::OwnFontChanged>(this));
  FItemLinks.reset(AMakeLinks(manager, this));
  FItemLinks->SetUseRecentItems(false);
}

TqzBarCustomPopupMenu::~TqzBarCustomPopupMenu() {
  if (TqzBarSubMenuControl* menu = GetMenuControl()) {
    menu->SetOnCloseUp(TNotifyEvent());
    menu->Dismiss();
  }
  if (TqzBarManager* manager = GetBarManager()) manager->RemovePopupMenu(this);
  FItemLinks.reset();
  FFont.reset();
  FEditFont.reset();
  FBackgroundBitmap.reset();
}

HRESULT TqzBarCustomPopupMenu::QueryInterface(const TInterfaceId& IID, void** Obj) {
  return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
}

void TqzBarCustomPopupMenu::SetBarManager(TqzBarManager* Value) {
  if (!Value || Value == GetBarManager()) return;
  if (TqzBarManager* previous = GetBarManager()) previous->RemovePopupMenu(this);
  TqzBarComponent::SetBarManager(Value);
  if (FItemLinks) FItemLinks->SetBarManager(Value);
  Value->AddPopupMenu(this);
}

void TqzBarCustomPopupMenu::Loaded() {
  inherited::Loaded();
  DesignController()->LockModified();
  try {
    FItemLinks->ResolveLoadedItems();
  } catch (...) {
    DesignController()->UnlockModified();
    throw;
  }
  DesignController()->UnlockModified();
}

// ---- Fonts ---------------------------------------------------------------------------------

void TqzBarCustomPopupMenu::SetUseOwnFont(bool Value) {
  if (FUseOwnFont == Value) return;
  FUseOwnFont = Value;
  ManagerFontChanged();
}

void TqzBarCustomPopupMenu::OwnFontChanged(TObject*) {
  if (!FInternalFontChange) FUseOwnFont = true;
  if (FUseOwnFont) FEditFont->Assign(FFont.get());
}

// A menu with a font of its own refreshes its edit font; the others take the manager's font.
void TqzBarCustomPopupMenu::ManagerFontChanged() {
  FInternalFontChange = true;
  try {
    if (FUseOwnFont)
      OwnFontChanged(nullptr);
    else
      FFont->Assign(GetBarManager()->GetFont());
  } catch (...) {
    FInternalFontChange = false;
    throw;
  }
  FInternalFontChange = false;
}

// ---- Links and keys ------------------------------------------------------------------------

bool TqzBarCustomPopupMenu::CanContainItem(TqzBarItem* AItem, String& AMessage) {
  return AItem->CanBePlacedOn(1, nullptr, AMessage);
}

bool TqzBarCustomPopupMenu::IsShortCut(TMessage& Message) {
  Word code = static_cast<Word>(Message.WParam & 0xFF);
  if (code == 0) return false;
  TShortCut shortcut = code;
  if (GetKeyState(VK_SHIFT) < 0) shortcut |= 0x2000;
  if (GetKeyState(VK_CONTROL) < 0) shortcut |= 0x4000;
  if (Message.LParam & (1 << 29)) shortcut |= 0x8000;
  return FItemLinks->ExecuteShortCut(shortcut);
}

// ---- Opening -------------------------------------------------------------------------------

TqzBarSubMenuControl* TqzBarCustomPopupMenu::GetMenuControl() const {
  return FItemLinks ? dynamic_cast<TqzBarSubMenuControl*>(FItemLinks->GetBarControl()) : nullptr;
}

TClassOf<TqzBarSubMenuControl> TqzBarCustomPopupMenu::GetMenuControlClass() { return TqzBarSubMenuControl::ClassInfo(); }

TqzBarSubMenuControl* TqzBarCustomPopupMenu::CreateMenuControl() {
  auto* menu = static_cast<TqzBarSubMenuControl*>(GetMenuControlClass()->Factory(GetBarManager()));
  menu->SetItemLinks(FItemLinks.get());
  return menu;
}

void TqzBarCustomPopupMenu::WindowPoppedUp(TObject*) { FOnPopup(this); }

void TqzBarCustomPopupMenu::WindowClosedUp(TObject* Sender) {
  FPopupVisible = false;
  // A control that opened the menu as its drop-down shows closed again.
  if (auto* menu = dynamic_cast<TqzBarSubMenuControl*>(Sender))
    if (TqzBarItemControl* opener = menu->GetOpenerControl()) {
      menu->SetOpenerControl(nullptr);
      opener->DropDownClosed();
    }
  FOnCloseUp(this);
}

void TqzBarCustomPopupMenu::RestoreOpeningDefaults() {
  FUseOwnMessageLoop = true;
  FOwnerControl = nullptr;
  FOwnerBounds = nullptr;
  FOwnerWidth = FOwnerHeight = 0;
  FShowAnimation = true;
}

void TqzBarCustomPopupMenu::PopupForOwner(Integer X, Integer Y, Integer AOwnerWidth, Integer AOwnerHeight,
                                          bool AShowAnimation, const TRect* AOwnerBounds, bool AUseOwnMessageLoop,
                                          TWinControl* AOwnerControl) {
  FOwnerWidth = AOwnerWidth;
  FOwnerHeight = AOwnerHeight;
  FShowAnimation = AShowAnimation;
  FOwnerBounds = AOwnerBounds;
  FUseOwnMessageLoop = AUseOwnMessageLoop;
  FOwnerControl = AOwnerControl;
  try {
    PopupAt(X, Y);
  } catch (...) {
    RestoreOpeningDefaults();
    throw;
  }
  RestoreOpeningDefaults();
}

void TqzBarCustomPopupMenu::PopupAtCursor() {
  TPoint p = CursorPosOrInvalid();
  PopupAt(p.X, p.Y);
}

void TqzBarCustomPopupMenu::PopupAt(Integer X, Integer Y) {
  if (GetMenuControl() || FPopupVisible) return;
  // An open editor or drop-down of the active form closes first.
  CancelModeOfActiveForm();
  TqzBarManager* manager = GetBarManager();
  if (!manager->GetIsCustomizing() && !manager->IsDesigning()) {
    if (HWND capture = GetCapture()) {
      SendMessage(capture, CM_CANCELMODE, 0, 0);
      ReleaseCapture();
    }
  }
  TqzBarSubMenuControl* menu = CreateMenuControl();
  menu->SetOpenerExtents(FOwnerWidth, FOwnerHeight);
  menu->SetOwnerBounds(FOwnerBounds ? *FOwnerBounds : TRect(), FOwnerControl);
  TWinControl* owner = FOwnerControl ? FOwnerControl : dynamic_cast<TWinControl*>(GetOwner());
  if (owner) menu->SetOwnerWindowHandle(owner->GetHandle());
  menu->SetOnCloseUp(MakeEvent<&TqzBarCustomPopupMenu::WindowClosedUp>(this));
  menu->SetOnPopup(MakeEvent<&TqzBarCustomPopupMenu::WindowPoppedUp>(this));
  menu->SetAnimateOnShow(FShowAnimation);
  FPopupVisible = true;
  TkvObjectLink* self = LinkToObject(this);
  try {
    menu->Popup(TPoint(X, Y));
  } catch (...) {
    if (IsBarControlLive(menu)) menu->CloseOnce();
    if (self->Ref) FPopupVisible = false;
    ReleaseObjectLink(self);
    throw;
  }
  if (FUseOwnMessageLoop) {
    MSG msg;
    while (self->Ref && FPopupVisible) {
      if (!GetMessage(&msg, nullptr, 0, 0)) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      if (!self->Ref || !FPopupVisible) {
        PostMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
        break;
      }
      // Commands sent while the menu is open would run behind it: they are dropped.
      if (msg.message == WM_COMMAND) continue;
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  ReleaseObjectLink(self);
}
