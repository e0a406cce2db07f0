#pragma once
// Popup-menu links: a bar popup menu as the context menu of any control of the manager's form,
// whose shortcuts also work while that control (or, with ProcessChildren, a control inside it)
// has the keyboard focus.
//
// The links of one control share one hook of its window procedure (TqzBarContextMenuHook), so
// links come and go in any order without breaking the control's chain of window procedures.

#include <memory>
#include <vector>

#include "rtl/Collection.h"
#include "toolkit/bars/qzBar.h"

class TqzBarPopupMenu;
class TqzBarPopupMenuLink;

using TqzBarPopupMenuLinkActionEvent =
    TEvent<void(TqzBarPopupMenuLink* Sender, Integer& X, Integer& Y, bool ClickedByMouse, bool& AllowPopup)>;

class TqzBarPopupMenuLink : public TCollectionItem {
  TAVREN_CLASS(TqzBarPopupMenuLink, TCollectionItem)
 public:
  explicit TqzBarPopupMenuLink(TCollection* Collection);
  ~TqzBarPopupMenuLink() override;
  void Assign(TPersistent* Source) override;

  TControl* GetControl() const noexcept { return FControl; }
  // A control the manager does not own counts as none.
  void SetControl(TControl* Value);
  TqzBarPopupMenu* GetPopupMenu() const noexcept { return FPopupMenu; }
  void SetPopupMenu(TqzBarPopupMenu* Value);
  bool GetProcessChildren() const noexcept { return FProcessChildren; }
  void SetProcessChildren(bool Value) { FProcessChildren = Value; }
  TqzBarPopupMenuLinkActionEvent GetOnAction() const { return FOnAction; }
  void SetOnAction(TqzBarPopupMenuLinkActionEvent Value) { FOnAction = Value; }
  TWinControl* WinControl() const;

  // Opens the menu at a client point of the control ((-1, -1): asked from the keyboard); answers
  // whether the popup was allowed.
  bool ShowPopupAt(const TPoint& P);
  bool ExecuteShortCut(TShortCut AShortCut);
  // The context-menu request at a client point: the link's share of the control's OnContextPopup.
  void ContextPopup(const TPoint& P, bool& AHandled);

 private:
  TqzBarManager* Manager() const;

  TControl* FControl = nullptr;
  TqzBarPopupMenu* FPopupMenu = nullptr;
  bool FProcessChildren = true;
  TqzBarPopupMenuLinkActionEvent FOnAction;
};

class TqzBarPopupMenuLinks : public TCollection {
  TAVREN_CLASS(TqzBarPopupMenuLinks, TCollection)
 public:
  explicit TqzBarPopupMenuLinks(TqzBarManager* AManager);
  ~TqzBarPopupMenuLinks() override;
  TqzBarManager* GetBarManager() const noexcept { return FBarManager; }
  TqzBarPopupMenuLink* GetLink(Integer Index) const { return static_cast<TqzBarPopupMenuLink*>(GetItems(Index)); }
  TqzBarPopupMenuLink* AddLink() { return static_cast<TqzBarPopupMenuLink*>(Add()); }

  // The links of the control itself, then those with ProcessChildren of a control holding it,
  // then the links of the manager of a window around the manager's form.
  bool ExecuteShortCut(TControl* AControl, TShortCut AShortCut);

  // Links tell the collection which components to watch; a freed one leaves every link.
  void Watch(TComponent* AComponent);

 protected:
  TPersistent* GetOwner() override;

 private:
  void ComponentFreed(TComponent* AComponent);

  TqzBarManager* FBarManager;
  std::unique_ptr<TkvFreeNotificator> FFreeNotificator;
};

// How many controls carry a context-menu hook now (for the tests of the hook's lifetime).
Integer ContextMenuHookCount();
