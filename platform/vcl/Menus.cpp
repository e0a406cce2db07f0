#include "vcl/Menus.h"

#include <algorithm>

#include "rtl/SysUtils.h"
#include "user/Input.h"
#include "user/VirtualKeys.h"

// ---- Shortcuts ---------------------------------------------------------------------------------

namespace {

struct KeyName {
  Word Key;
  const char* Name;
};

const KeyName kKeyNames[] = {
    {VK_BACK, "BkSp"}, {VK_TAB, "Tab"},     {VK_ESCAPE, "Esc"},   {VK_RETURN, "Enter"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},  {VK_END, "End"},      {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},   {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},
};

const struct {
  TShortCut Flag;
  const char* Prefix;
} kModifiers[] = {{scShift, "Shift+"}, {scCtrl, "Ctrl+"}, {scAlt, "Alt+"}};

String KeyText(Word Key) {
  if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z')) return String(1, static_cast<char>(Key));
  if (Key >= VK_F1 && Key <= VK_F1 + 23) return "F" + std::to_string(Key - VK_F1 + 1);
  for (const KeyName& k : kKeyNames)
    if (k.Key == Key) return k.Name;
  return {};
}

}  // namespace

TShortCut ShortCut(Word Key, TShiftState Shift) {
  if (Key & 0xFF00) return 0;
  TShortCut result = Key;
  if (Shift.Contains(ssShift)) result |= scShift;
  if (Shift.Contains(ssCtrl)) result |= scCtrl;
  if (Shift.Contains(ssAlt)) result |= scAlt;
  return result;
}

void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift) {
  Key = ShortCut & 0xFF;
  Shift = {};
  if (ShortCut & scShift) Shift.Include(ssShift);
  if (ShortCut & scCtrl) Shift.Include(ssCtrl);
  if (ShortCut & scAlt) Shift.Include(ssAlt);
}

String ShortCutToText(TShortCut ShortCut) {
  String name = KeyText(ShortCut & 0xFF);
  if (name.empty()) return {};
  String result;
  for (const auto& m : kModifiers)
    if (ShortCut & m.Flag) result += m.Prefix;
  return result + name;
}

TShortCut TextToShortCut(const String& Text) {
  TShortCut modifiers = 0;
  size_t start = 0;
  for (bool found = true; found;) {
    found = false;
    for (const auto& m : kModifiers) {
      const size_t length = std::char_traits<char>::length(m.Prefix);
      if (Text.size() - start > length && SameText(Text.substr(start, length), m.Prefix)) {
        modifiers |= m.Flag;
        start += length;
        found = true;
      }
    }
  }
  const String key = Text.substr(start);
  for (Word k = 1; k < 256; ++k) {
    String name = KeyText(k);
    if (!name.empty() && SameText(name, key)) return static_cast<TShortCut>(k | modifiers);
  }
  return 0;
}

Char GetHotkey(const String& Text) {
  for (size_t i = 0; i + 1 < Text.size(); ++i) {
    if (Text[i] != '&') continue;
    if (Text[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<Char>(std::toupper(static_cast<unsigned char>(Text[i + 1])));
  }
  return 0;
}

String StripHotkey(const String& Text) {
  String result;
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '&' && i + 1 < Text.size()) ++i;
    result += Text[i];
  }
  return result;
}

// ---- TMenuItem ---------------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TMenuItem,
    PROPERTY(Bitmap),
    PROPERTY(Caption),
    PROPERTY(Checked).Default(false),
    PROPERTY(SubMenuImages),
    PROPERTY(Default).Default(false),
    PROPERTY(Enabled).Default(true),
    PROPERTY(GroupIndex).Default(0),
    PROPERTY(Hint),
    PROPERTY(ImageIndex).Default(-1),
    PROPERTY(RadioItem).Default(false),
    PROPERTY(ShortCut).Default(0),
    PROPERTY(Visible).Default(true),
    PROPERTY(OnAdvancedDrawItem),
    PROPERTY(OnClick),
    PROPERTY(OnDrawItem),
    PROPERTY(OnMeasureItem))

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  if (FParent) FParent->Remove(this);
  while (!FItems.empty()) delete FItems.back();  // each child takes itself out
}

TBitmap* TMenuItem::GetBitmap() {
  if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
  return FBitmap.get();
}

bool TMenuItem::HasBitmap() const { return FBitmap && !FBitmap->GetEmpty(); }

void TMenuItem::SetSubMenuImages(TCustomImageList* Value) {
  if (FSubMenuImages) FSubMenuImages->RemoveFreeNotification(this);
  FSubMenuImages = Value;
  if (Value) Value->FreeNotification(this);
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FSubMenuImages) FSubMenuImages = nullptr;
}

void TMenuItem::SetChecked(bool Value) {
  FChecked = Value;
  if (!Value || !FRadioItem || !FParent) return;
  for (TMenuItem* sibling : FParent->FItems)
    if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex) sibling->FChecked = false;
}

TMenuItem* TMenuItem::GetItem(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) throw EMenuError("Menu index out of range");
  return FItems[static_cast<size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item) { Insert(GetCount(), Item); }

void TMenuItem::Insert(Integer Index, TMenuItem* Item) {
  if (!Item) return;
  if (Item == this || Item->FMenu) throw EMenuError("Menu inserted twice");
  for (TMenuItem* p = this; p; p = p->FParent)
    if (p == Item) throw EMenuError("Menu inserted twice");
  if (Index < 0 || Index > GetCount()) throw EMenuError("Menu index out of range");
  if (Item->FParent) Item->FParent->Remove(Item);
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
  if (Item->FChecked) Item->SetChecked(true);  // a checked radio item clears its group
}

void TMenuItem::Remove(TMenuItem* Item) {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  Item->FParent = nullptr;
}

void TMenuItem::Delete(Integer Index) { delete GetItem(Index); }

void TMenuItem::Clear() {
  while (!FItems.empty()) delete FItems.back();
}

Integer TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : static_cast<Integer>(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(const String& Caption) const {
  const String wanted = StripHotkey(Caption);
  for (TMenuItem* item : FItems)
    if (SameText(StripHotkey(item->FCaption), wanted)) return item;
  return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->FParent) item = item->FParent;
  return item->FMenu;
}

TCustomImageList* TMenuItem::GetImageList() const {
  for (const TMenuItem* p = FParent; p; p = p->FParent)
    if (p->FSubMenuImages) return p->FSubMenuImages;
  TMenu* menu = GetParentMenu();
  return menu ? menu->GetImages() : nullptr;
}

void TMenuItem::Click() { FOnClick(this); }

TComponent* TMenuItem::GetParentComponent() {
  if (FParent && FParent->FMenu) return FParent->FMenu;
  return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
  if (FParent) FParent->Remove(this);
  if (auto* menu = dynamic_cast<TMenu*>(Value))
    menu->GetItems()->Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(Value))
    item->Add(this);
}

void TMenuItem::GetChildren(const TGetChildProc& Proc, TComponent*) {
  for (TMenuItem* item : std::vector<TMenuItem*>(FItems)) Proc(item);
}

// ---- TMenu -------------------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TMenu,
    PROPERTY(Images),
    PROPERTY(OwnerDraw).Default(false))

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(this)) { FItems->FMenu = this; }

TMenu::~TMenu() {
  FItems->FMenu = nullptr;
  delete FItems;
}

void TMenu::SetImages(TCustomImageList* Value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value) Value->FreeNotification(this);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TMenu::GetChildren(const TGetChildProc& Proc, TComponent* Root) { FItems->GetChildren(Proc, Root); }

namespace {

TMenuItem* FindShortCutIn(const TMenuItem* parent, TShortCut shortCut) {
  for (Integer i = 0; i < parent->GetCount(); ++i) {
    TMenuItem* item = parent->GetItem(i);
    if (!item->GetVisible() || !item->GetEnabled()) continue;
    if (item->GetShortCut() == shortCut && item->GetCount() == 0) return item;
    if (TMenuItem* found = FindShortCutIn(item, shortCut)) return found;
  }
  return nullptr;
}

}  // namespace

TMenuItem* TMenu::FindShortCut(TShortCut ShortCut) const {
  return ShortCut ? FindShortCutIn(FItems, ShortCut) : nullptr;
}

bool TMenu::IsShortCut(TMessage& Message) {
  if (Message.Msg != WM_KEYDOWN && Message.Msg != WM_SYSKEYDOWN) return false;
  TShiftState shift;
  if (GetKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
  if (Message.LParam & 0x20000000) shift.Include(ssAlt);  // the context bit: Alt was down
  TMenuItem* item = FindShortCut(::ShortCut(static_cast<Word>(Message.WParam & 0xFF), shift));
  if (!item) return false;
  item->Click();
  return true;
}

// ---- TPopupMenu --------------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TPopupMenu,
    PROPERTY(Alignment).Default(paLeft),
    PROPERTY(AutoPopup).Default(true),
    PROPERTY(OnPopup))

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

void TPopupMenu::SetPopupComponent(TComponent* Value) {
  if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
  FPopupComponent = Value;
  if (Value) Value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::Popup(Integer X, Integer Y) {
  FPopupPoint = Point(X, Y);
  DoPopup(this);
  // The menu may be freed by the chosen item's handler: nothing of it is touched after Click.
  if (TMenuItem* chosen = TrackPopupMenuItems(GetItems(), FPopupPoint, FAlignment)) chosen->Click();
}
