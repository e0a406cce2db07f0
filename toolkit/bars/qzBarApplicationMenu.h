#pragma once
// The application menu: a popup menu with a pane at its right that lists entries such as recently
// used documents under a header, and a row of buttons along its bottom edge. This unit holds the
// model; its window is TqzBarApplicationMenuControl (qzBarApplicationMenuControl.h).

#include <memory>

#include "rtl/Collection.h"
#include "toolkit/bars/qzBarPopupMenu.h"

class TqzBarCustomApplicationMenu;

using TqzBarExtraPaneNotifyEvent = TEvent<void(TObject* Sender, Integer AIndex)>;
using TqzBarExtraPaneGetDisplayTextEvent = TEvent<void(TObject* Sender, Integer AIndex, String& ADisplayText)>;

// The pane's entries. Owner: the application menu.
class TqzBarExtraPaneItems : public TOwnedCollection {
  TAVREN_CLASS(TqzBarExtraPaneItems, TOwnedCollection)
 public:
  explicit TqzBarExtraPaneItems(TPersistent* AOwner) : TOwnedCollection(AOwner, TqzBarExtraPaneItem::ClassInfo()) {}
  TqzBarExtraPaneItem* GetItem(Integer Index) const { return static_cast<TqzBarExtraPaneItem*>(GetItems(Index)); }
};

// The pane at the menu's right: its width, its entries and its header, shown through a list item
// the pane owns.
class TqzBarApplicationMenuExtraPane : public TPersistent {
  TAVREN_CLASS(TqzBarApplicationMenuExtraPane, TPersistent)
 public:
  static constexpr double DefaultWidthRatio = 2.5;

  explicit TqzBarApplicationMenuExtraPane(TqzBarCustomApplicationMenu* AMenu);
  ~TqzBarApplicationMenuExtraPane() override;
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

  TqzBarCustomApplicationMenu* GetMenu() const noexcept { return FMenu; }
  // The list item that shows the header and the entries (nil once its owner freed it).
  TqzBarExtraPaneListItem* GetListItem() const noexcept { return FListItem; }
  // The list item's owner freed it first.
  void ListItemGone() { FListItem = nullptr; }

  double GetWidthRatio() const noexcept { return FWidthRatio; }
  void SetWidthRatio(double Value) { FWidthRatio = Value; }
  bool IsWidthRatioStored() const { return FWidthRatio != DefaultWidthRatio; }
  Integer GetSize() const noexcept { return FSize; }
  void SetSize(Integer Value) { FSize = Value; }
  TqzBarExtraPaneItems* GetItems() const noexcept { return FItems.get(); }
  void SetItems(TqzBarExtraPaneItems* Value) { FItems->Assign(Value); }
  String GetHeader() const;
  void SetHeader(const String& Value);
  bool IsHeaderStored() const;
  TqzBarExtraPaneNotifyEvent GetOnItemClick() const { return FOnItemClick; }
  void SetOnItemClick(TqzBarExtraPaneNotifyEvent Value) { FOnItemClick = Value; }
  TqzBarExtraPaneGetDisplayTextEvent GetOnGetItemDisplayText() const { return FOnGetItemDisplayText; }
  void SetOnGetItemDisplayText(TqzBarExtraPaneGetDisplayTextEvent Value) { FOnGetItemDisplayText = Value; }

  // The list item's strings become the entries' texts, each with its entry as the object.
  void FillListItem();

 private:
  void ListItemClick(TObject* Sender);
  void ListItemDisplayText(TObject* Sender, Integer AIndex, String& ADisplayText);

  TqzBarCustomApplicationMenu* FMenu;
  double FWidthRatio = DefaultWidthRatio;
  Integer FSize = 0;
  std::unique_ptr<TqzBarExtraPaneItems> FItems;
  TqzBarExtraPaneListItem* FListItem = nullptr;
  TqzBarExtraPaneNotifyEvent FOnItemClick;
  TqzBarExtraPaneGetDisplayTextEvent FOnGetItemDisplayText;
};

// A button of the bottom row: an internal item the menu shows, following the user's button.
class TqzBarApplicationMenuButton : public TCollectionItem {
  TAVREN_CLASS(TqzBarApplicationMenuButton, TCollectionItem)
 public:
  explicit TqzBarApplicationMenuButton(TCollection* Collection);
  ~TqzBarApplicationMenuButton() override;
  void Assign(TPersistent* Source) override;

  TqzBarApplicationMenuButtonItem* GetInternalItem() const noexcept { return FInternalItem; }
  // The internal item's owner freed it first.
  void InternalItemGone() { FInternalItem = nullptr; }
  TqzBarButton* GetItem() const noexcept { return FItem; }
  void SetItem(TqzBarButton* Value);
  Integer GetWidth() const;
  void SetWidth(Integer Value);

 private:
  TqzBarCustomApplicationMenu* Menu() const;
  void WatchedChanged(TObject* Sender, TComponent* AComponent, Integer AAction);
  // The internal item takes the user button's caption, state, glyph, hint, images, screen tip and
  // visibility; without a button it is an empty, invisible one.
  void CopyButtonState();
  void InternalClick(TObject* Sender);

  TqzBarApplicationMenuButtonItem* FInternalItem = nullptr;
  TqzBarButton* FItem = nullptr;
  std::unique_ptr<TqzBarComponentList> FWatched;
};

// The bottom buttons. Owner: the application menu.
class TqzBarApplicationMenuButtons : public TOwnedCollection {
  TAVREN_CLASS(TqzBarApplicationMenuButtons, TOwnedCollection)
 public:
  explicit TqzBarApplicationMenuButtons(TPersistent* AOwner)
      : TOwnedCollection(AOwner, TqzBarApplicationMenuButton::ClassInfo()) {}
  TqzBarApplicationMenuButton* GetItem(Integer Index) const {
    return static_cast<TqzBarApplicationMenuButton*>(GetItems(Index));
  }
  TqzBarApplicationMenuButton* AddButton() { return static_cast<TqzBarApplicationMenuButton*>(Add()); }
};

// The menu's own links: large items without shortcuts; descriptions show in the menus opened
// from it, not in its own items, unless options say otherwise.
class TqzBarApplicationMenuItemLinks : public TqzBarSubMenuControlItemLinks {
  TAVREN_CLASS(TqzBarApplicationMenuItemLinks, TqzBarSubMenuControlItemLinks)
 public:
  using TqzBarSubMenuControlItemLinks::TqzBarSubMenuControlItemLinks;
  Variant DefaultItemOption(TqzBarItemOptionValue AOption) override;
  Variant ResolveItemOption(TqzBarItemOptionValue AOption, TqzBarItemLinks* ATarget) override;
};

// The links of the bottom buttons, shown by the menu window.
class TqzBarApplicationMenuButtonItemLinks : public TqzBarSubMenuControlItemLinks {
  TAVREN_CLASS(TqzBarApplicationMenuButtonItemLinks, TqzBarSubMenuControlItemLinks)
 public:
  using TqzBarSubMenuControlItemLinks::TqzBarSubMenuControlItemLinks;
};

// Gets the application menu's window as it is made and answers the window the menu uses.
using TqzBarMenuControlHook = TEvent<TqzBarSubMenuControl*(TqzBarSubMenuControl* AMenuControl)>;

class TqzBarCustomApplicationMenu : public TqzBarCustomPopupMenu {
  TAVREN_CLASS(TqzBarCustomApplicationMenu, TqzBarCustomPopupMenu)
 public:
  explicit TqzBarCustomApplicationMenu(TComponent* AOwner);
  ~TqzBarCustomApplicationMenu() override;

  TqzBarApplicationMenuButtons* GetButtons() const noexcept { return FButtons.get(); }
  void SetButtons(TqzBarApplicationMenuButtons* Value) { FButtons->Assign(Value); }
  TqzBarApplicationMenuExtraPane* GetExtraPane() const noexcept { return FExtraPane.get(); }
  void SetExtraPane(TqzBarApplicationMenuExtraPane* Value) { FExtraPane->Assign(Value); }
  // Groups the pane's events for the form designer; never fired.
  TNotifyEvent GetExtraPaneEvents() const { return FExtraPaneEvents; }
  void SetExtraPaneEvents(TNotifyEvent Value) { FExtraPaneEvents = Value; }

  // The owner that opens the menu (the ribbon) may prepare its window.
  TqzBarMenuControlHook GetMenuControlHook() const { return FMenuControlHook; }
  void SetMenuControlHook(TqzBarMenuControlHook Value) { FMenuControlHook = Value; }

  TClassOf<TqzBarSubMenuControl> GetMenuControlClass() override;
  TqzBarSubMenuControl* CreateMenuControl() override;
  // The items' shortcuts work while the menu is closed.
  bool TryShortCut(TShortCut AShortCut) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  std::unique_ptr<TqzBarApplicationMenuExtraPane> FExtraPane;
  std::unique_ptr<TqzBarApplicationMenuButtons> FButtons;
  TNotifyEvent FExtraPaneEvents;
  TqzBarMenuControlHook FMenuControlHook;
};
