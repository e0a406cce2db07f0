#pragma once
// The framework's menus: menu items in a tree, shortcuts and their texts, and popup menus shown
// in a popup window of our own in the classic look. Popup runs a nested loop that returns once an
// item is chosen or the menu is dismissed, and then fires the chosen item's OnClick; the menu
// never takes activation from the window it pops up over.

#include <vector>

#include "rtl/Component.h"
#include "vcl/ControlsMessages.h"
#include "vcl/Controls.h"
#include "vcl/Graphics.h"
#include "vcl/ImgList.h"

// A key in the low byte and scShift, scCtrl, scAlt in the high one.
using TShortCut = Word;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(Word Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift);
// "Ctrl+S", "Shift+Del", "F5"; empty for keys without a name.
String ShortCutToText(TShortCut ShortCut);
// The reverse, without regard to case; 0 for a text that names no key.
TShortCut TextToShortCut(const String& Text);
// The character after the first single "&" (upper-cased), 0 when there is none.
Char GetHotkey(const String& Text);
// The caption without its "&" markers ("&&" stays one "&").
String StripHotkey(const String& Text);

constexpr const char* cLineCaption = "-";

enum TOwnerDrawStateItem { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight,
                           odInactive, odNoAccel, odNoFocusRect, odComboBoxEdit };
using TOwnerDrawState = TSet<TOwnerDrawStateItem, 16>;

class TMenu;
class TMenuItem;
using TMenuDrawItemEvent = TEvent<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected)>;
using TAdvancedMenuDrawItemEvent = TEvent<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, TOwnerDrawState State)>;
using TMenuMeasureItemEvent = TEvent<void(TObject* Sender, TCanvas* ACanvas, Integer& Width, Integer& Height)>;

TAVREN_DECLARE_EXCEPTION(EMenuError, Exception);

class TMenuItem : public TComponent {
  TAVREN_CLASS(TMenuItem, TComponent)
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  String GetCaption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  TShortCut GetShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value) { FShortCut = Value; }
  bool GetChecked() const { return FChecked; }
  // Checking a radio item unchecks the radio items of its group among its siblings.
  void SetChecked(bool Value);
  bool GetRadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value) { FRadioItem = Value; }
  Byte GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Byte Value) { FGroupIndex = Value; }
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }
  bool GetDefault() const { return FDefault; }
  void SetDefault(bool Value) { FDefault = Value; }
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value) { FImageIndex = Value; }
  String GetHint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  // Made on first use; drawn in the image column, with its bottom-left colour transparent.
  TBitmap* GetBitmap();
  void SetBitmap(TBitmap* Value) { GetBitmap()->Assign(Value); }
  bool HasBitmap() const;
  // Images for the items below this one (instead of the menu's).
  TCustomImageList* GetSubMenuImages() const { return FSubMenuImages; }
  void SetSubMenuImages(TCustomImageList* Value);

  TNotifyEvent GetOnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent Value) { FOnClick = Value; }
  TMenuDrawItemEvent GetOnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(TMenuDrawItemEvent Value) { FOnDrawItem = Value; }
  TAdvancedMenuDrawItemEvent GetOnAdvancedDrawItem() const { return FOnAdvancedDrawItem; }
  void SetOnAdvancedDrawItem(TAdvancedMenuDrawItemEvent Value) { FOnAdvancedDrawItem = Value; }
  TMenuMeasureItemEvent GetOnMeasureItem() const { return FOnMeasureItem; }
  void SetOnMeasureItem(TMenuMeasureItemEvent Value) { FOnMeasureItem = Value; }

  Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  // EMenuError "Menu index out of range".
  TMenuItem* GetItem(Integer Index) const;
  TMenuItem* operator[](Integer Index) const { return GetItem(Index); }
  // The item becomes this one's child (and is taken out of any other menu first).
  void Add(TMenuItem* Item);
  void Insert(Integer Index, TMenuItem* Item);
  // Takes the child out without freeing it.
  void Remove(TMenuItem* Item);
  // Frees the child at Index.
  void Delete(Integer Index);
  // Frees every child.
  void Clear();
  Integer IndexOf(const TMenuItem* Item) const;
  // The child whose caption, without its "&", equals Caption (case-insensitive); nullptr if none.
  TMenuItem* Find(const String& Caption) const;
  TMenuItem* GetParent() const { return FParent; }
  Integer GetMenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
  // The menu the item's tree belongs to, nullptr while the tree hangs in no menu.
  TMenu* GetParentMenu() const;
  // Images for this item: its parent's SubMenuImages, else the menu's Images.
  TCustomImageList* GetImageList() const;
  bool IsLine() const { return FCaption == cLineCaption; }

  // Runs OnClick (checking first nothing: the caller chose an enabled item).
  virtual void Click();
  // Measures the item in the classic layout; OnMeasureItem may change the result when the
  // menu is owner drawn.
  virtual void MeasureItem(TCanvas* ACanvas, Integer& Width, Integer& Height);
  // The classic look, or OnAdvancedDrawItem / OnDrawItem when the menu is owner drawn.
  virtual void AdvancedDrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State);

  bool HasParent() override { return true; }
  TComponent* GetParentComponent() override;
  void SetParentComponent(TComponent* Value) override;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The default drawing of the classic look.
  void DrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State);

 private:
  friend class TMenu;
  String FCaption;
  TShortCut FShortCut = 0;
  bool FChecked = false;
  bool FRadioItem = false;
  Byte FGroupIndex = 0;
  bool FEnabled = true;
  bool FVisible = true;
  bool FDefault = false;
  Integer FImageIndex = -1;
  String FHint;
  std::unique_ptr<TBitmap> FBitmap;
  TCustomImageList* FSubMenuImages = nullptr;
  TNotifyEvent FOnClick;
  TMenuDrawItemEvent FOnDrawItem;
  TAdvancedMenuDrawItemEvent FOnAdvancedDrawItem;
  TMenuMeasureItemEvent FOnMeasureItem;
  std::vector<TMenuItem*> FItems;  // owned
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;          // set on the root item of a menu
};

class TMenu : public TComponent {
  TAVREN_CLASS(TMenu, TComponent)
 public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  TMenuItem* GetItems() const { return FItems; }
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  bool GetOwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool Value) { FOwnerDraw = Value; }

  // A key message (WM_KEYDOWN / WM_SYSKEYDOWN; Shift and Ctrl from the key state, Alt from the
  // message) that is the shortcut of an enabled, visible item runs that item and answers true.
  bool IsShortCut(TMessage& Message);
  // The item with that shortcut anywhere in the menu, nullptr when none.
  TMenuItem* FindShortCut(TShortCut ShortCut) const;

  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TMenuItem* FItems;
  TCustomImageList* FImages = nullptr;
  bool FOwnerDraw = false;
};

enum TPopupAlignment { paLeft, paRight, paCenter };
TAVREN_ENUM_INFO(TPopupAlignment, paLeft, paRight, paCenter);

class TPopupMenu : public TMenu {
  TAVREN_CLASS(TPopupMenu, TMenu)
 public:
  explicit TPopupMenu(TComponent* AOwner);

  TPopupAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
  bool GetAutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  // The component the menu was last shown for (set by context popups).
  TComponent* GetPopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value);
  TPoint GetPopupPoint() const { return FPopupPoint; }
  TNotifyEvent GetOnPopup() const { return FOnPopup; }
  void SetOnPopup(TNotifyEvent Value) { FOnPopup = Value; }

  // Shows the menu at the screen point (per Alignment), runs it until it is dismissed or an item
  // is chosen, and then clicks that item.
  virtual void Popup(Integer X, Integer Y);

 protected:
  virtual void DoPopup(TObject* Sender) { FOnPopup(Sender); }
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TPopupAlignment FAlignment = paLeft;
  bool FAutoPopup = true;
  TComponent* FPopupComponent = nullptr;
  TPoint FPopupPoint;
  TNotifyEvent FOnPopup;
};

// Runs the popup menu window for the visible items under Root at the screen point until it is
// dismissed; answers the chosen item (enabled, without sub-items), nullptr when none was.
TMenuItem* TrackPopupMenuItems(TMenuItem* Root, TPoint Where, TPopupAlignment Alignment);

// Unit start: the popup window class and the controls' context-popup hooks. End: both go.
void MenusStart();
void MenusEnd();
