#pragma once
// The design controller: the one object that serves every bar manager while its bars are
// customized. It keeps the last selected bar object, owns the internal items its own menus are
// made of (the toolbars list, the customizing entries) and answers the selection questions of the
// bar windows. While the customizing form is open, a run-time selection controller is the
// manager's designer, so selection works without a form designer.

#include <functional>
#include <memory>

#include "rtl/ComponentList.h"
#include "rtl/FreeNotifier.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/foundation/kvClasses.h"
#include "toolkit/foundation/kvControls.h"

class TCustomqzBarControl;
class TqzBarCustomizingPopup;
class TqzBarPainter;
class TqzBarToolbarsPopup;

// The link actions of the link context menu, as bit numbers of an action set (a selectable
// object's EditOperations).
constexpr Integer qzLinkActionReset = 0;
constexpr Integer qzLinkActionDeleteLink = 3;
constexpr Integer qzLinkActionRename = 4;
constexpr Integer qzLinkActionPaintStyle = 5;
constexpr Integer qzLinkActionBeginGroup = 9;

// What the link context menu of a kind of bar window leaves out. Helpers are registered with the
// design controller per bar-window class; the most derived registered class of a window answers.
class TCustomqzBarControlDesignHelper : public TObject {
  TAVREN_CLASS(TCustomqzBarControlDesignHelper, TObject)
 public:
  // The actions (bits) the context menu does not offer: paint styles, position, view levels,
  // button group, most recently used.
  virtual Integer GetDesignActions() { return 0x9E0; }
  Integer FilterDesignActions(Integer AActions) { return AActions & ~GetDesignActions(); }
};

// Toolbars offer the paint styles.
class TqzBarControlDesignHelper : public TCustomqzBarControlDesignHelper {
  TAVREN_CLASS(TqzBarControlDesignHelper, TCustomqzBarControlDesignHelper)
 public:
  Integer GetDesignActions() override { return 0x9C0; }
};

// Menus offer most recently used.
class TqzBarSubMenuControlDesignHelper : public TCustomqzBarControlDesignHelper {
  TAVREN_CLASS(TqzBarSubMenuControlDesignHelper, TCustomqzBarControlDesignHelper)
 public:
  Integer GetDesignActions() override { return 0x1E0; }
};

// Fills the links of a menu the design controller builds.
using TqzBarPopupFillProc = std::function<void(TqzBarItemLinks* ALinks)>;

// The selection of one manager while it is customized at run time: at most one bar and one
// item, each selected exclusively within its family.
class TqzBarRunTimeSelectionController : public TObject, public virtual IqzBarDesigner {
  TAVREN_CLASS(TqzBarRunTimeSelectionController, TObject)
 public:
  TqzBarRunTimeSelectionController();
  ~TqzBarRunTimeSelectionController() override;
  // Owned by whoever made it, never through the interface.
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override;
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }

  bool CanDeleteComponent(TComponent*) override { return true; }
  void GetSelection(TList* AList) override;
  bool QuerySelectionState(TPersistent* AObject) override { return HoldsSelectedComponent(AObject); }
  bool HoldsSelectedComponent(TPersistent* AObject) override;
  // Operations 0 and 2 select exclusively; the others are ignored.
  void SelectDesignComponent(TPersistent* AObject, Integer AOperation) override;
  void SetSelection(TList* AList) override;

  TqzComponentList* GetSelectionList() const noexcept { return FSelection.get(); }
  // Every change of the selection (Sender, the component or nil for the whole list, the change).
  TqzComponentListChangeEvent GetOnSelectionChanged() const { return FOnSelectionChanged; }
  void SetOnSelectionChanged(TqzComponentListChangeEvent Value) { FOnSelectionChanged = Value; }

 private:
  // Nothing when already selected; otherwise the selected components of its family (bars, or
  // every other component) leave and the object comes in.
  void SelectExclusively(TComponent* AComponent);
  void SelectionNotify(TObject* Sender, TObject* AObject, TListNotification AAction);
  void SelectionChanged(TObject* Sender, TComponent* AComponent, Integer AAction);

  std::unique_ptr<TqzComponentList> FSelection;
  TqzComponentListChangeEvent FOnSelectionChanged;
};

class TqzBarDesignController : public TkvDesignController {
  TAVREN_CLASS(TqzBarDesignController, TkvDesignController)
 public:
  TqzBarDesignController();
  ~TqzBarDesignController() override;

  // ---- Internal items: entries of the controller's own menus, kept out of the managers' lists.
  // A link for a new item of the class appended to the links, the item made internal.
  TqzBarItemLink* AddMenuCommand(TqzBarItemLinks* ALinks, TClassOf<TqzBarItem> AItemClass, bool ABeginGroup,
                                 intptr_t ATag, TNotifyEvent AOnClick, const String& ACaption);
  // Takes the item out of its manager's item list and keeps it until ClearInternalItems.
  void AddInternalItem(TqzBarItem* AItem);
  void ClearInternalItems();
  Integer GetInternalItemCount() const { return FInternalItems.GetCount(); }
  // "&Customize..." switching the links' manager to customizing, when the manager allows it;
  // enabled while no manager is being customized.
  void AddCustomizeCommand(TqzBarItemLinks* ALinks, TClassOf<TqzBarItem> AItemClass, bool ABeginGroup);
  // Frees every link with its item (an item takes all its links along).
  static void FreeLinkItems(TqzBarItemLinks* ALinks);
  // One checked entry per toolbar the user may close (not hidden, not merged into another), its
  // click showing or hiding the bar, then the customize entry.
  void FillToolbarsList(TqzBarItemLinks* ALinks);

  // ---- Menus of its own.
  // Builds and shows the customizing popup at the cursor for the link of the bar window (both
  // may be nil); the fill procedure gives it its entries. Nothing shows without entries.
  void ShowCustomizingPopup(TqzBarManager* AManager, TqzBarPainter* APainter, TqzBarItemLink* ALink,
                            TCustomqzBarControl* ABarControl, const TqzBarPopupFillProc& AFill);
  // The context menu of a link while customizing: the actions the selected object supports and
  // the window's kind offers.
  void ShowLinkContextMenu(TCustomqzBarControl* ABarControl, TqzBarItemLink* ALink);
  // The list of the manager's toolbars at the cursor; nothing without entries.
  void ShowToolbarsPopup(TqzBarManager* AManager, TqzBarPainter* APainter);
  TqzBarCustomizingPopup* GetCustomizingPopup() const;
  TqzBarToolbarsPopup* GetToolbarsPopup() const;
  bool HasCustomizingPopup() const { return GetCustomizingPopup() != nullptr; }
  // Keeps the customizing popup, and the bar windows its link lies in, above a window that is
  // about to take the focus (on), and puts them back into the ordinary band afterwards (off).
  void SetCustomizingPopupTopmost(bool AOn);

  // ---- Customizing link: the link the last customizing popup was built for, its bar window
  // (while the popup is open) and that window's links.
  TqzBarItemLink* GetCustomizingLink() const { return FCustomizingLink.Get(); }
  TCustomqzBarControl* GetCustomizingBarControl() const;
  TqzBarItemLinks* GetCustomizingLinks() const;
  // Frees the customizing link, or its item with all its links; nothing without one.
  void FreeCustomizingLink();
  void FreeCustomizingLinkItem();

  // ---- Design helpers.
  void RegisterDesignHelper(TClass ABarControlClass, TClass AHelperClass);
  void UnregisterDesignHelper(TClass ABarControlClass, TClass AHelperClass);
  // The actions the bar window's helper lets through.
  Integer FilterDesignActions(TCustomqzBarControl* ABarControl, Integer AActions);

  // ---- Moving state: a loop moves a toolbar, a torn-off menu or a dragged link with the mouse;
  // the bars' keyboard hook leaves every key to that loop.
  bool IsMoving() const noexcept { return FMoving; }
  void SetMoving(bool Value) { FMoving = Value; }

  // ---- Selection.
  IqzBarSelectableItem* GetLastSelectedItem() const noexcept { return FLastSelectedItem; }
  void SetLastSelectedItem(IqzBarSelectableItem* Value);
  // An object going away stops being the last selected one.
  void ForgetLastSelected(IqzBarSelectableItem* AItem);
  bool IsLastSelectedObject(IqzBarSelectableItem* AItem) const { return AItem && AItem == FLastSelectedItem; }
  // The object selects itself with the operation (0 exclusive, 1 toggle, 2 add); 0 and 2 make
  // it the last selected item, 1 drops the last selected item when no longer selected.
  void ChangeSelection(IqzBarSelectableItem* AObject, Integer AOperation);
  // The same for any persistent object: those that are no bar objects go to the manager.
  void SelectObject(TqzBarManager* AManager, TPersistent* AObject, Integer AOperation);

  // Del: frees the manager's selected link; true when one went. With the focus test only while
  // the keyboard focus is in the manager's owner window or one of the windows it lies in.
  bool DeleteSelection(bool AWithItems, bool AFocusTest);
  // Esc: the last selected object selects its parent; its answer.
  bool SelectParentOfSelection();
  // The last selected object stays only while it is selected and the application is active.
  void CheckLastSelection();
  // One of the manager's selected objects is shown in several places (an item with more links).
  bool SelectionIsComplex(TqzBarManager* AManager) const;
  // Whether a selected object is drawn as the selection that commands work on (a solid frame)
  // rather than as one more selected object (a dotted frame): the last one selected.
  bool WantsDefaultSelection(IqzBarSelectableItem* AObject) const { return IsLastSelectedObject(AObject); }

 private:
  // The manager whose selection Del and Esc work on: the last selected item's, else the first
  // live manager with a selected bar object.
  TqzBarManager* FindSelectionManager() const;
  static bool FocusIsInOwnerWindow(TqzBarManager* AManager);
  void ToolbarEntryClick(TObject* Sender);
  void CustomizeClick(TObject* Sender);
  // A last selected component that goes is forgotten.
  void FreeNotified(TComponent* AComponent);
  // The link context menu's entries and their clicks.
  void FillLinkContextMenu(TCustomqzBarControl* ABarControl, TqzBarItemLink* ALink, TqzBarItemLinks* ALinks);
  void AddPaintStyleEntries(TqzBarItemLinks* ALinks, TqzBarItemLink* ALink);
  void ResetLinkClick(TObject* Sender);
  void DeleteLinkClick(TObject* Sender);
  void RenameLinkChange(TObject* Sender);
  void PaintStyleClick(TObject* Sender);
  void BeginGroupClick(TObject* Sender);
  // Every selected object of the customizing link's manager hears which action happened.
  void NotifySelectedObjects(Integer AAction);
  void CustomizingPopupClosedUp(TObject* Sender);

  TkvRegisteredClassList FDesignHelpers;
  TComponentList FInternalItems{true};
  TWeakRef<TqzBarCustomizingPopup> FCustomizingPopup;
  TWeakRef<TqzBarToolbarsPopup> FToolbarsPopup;
  TWeakRef<TqzBarItemLink> FCustomizingLink;
  TWeakRef<TCustomqzBarControl> FCustomizingBarControl;
  bool FMoving = false;
  IqzBarSelectableItem* FLastSelectedItem = nullptr;
  TFreeNotifier FNotifier;
};

// Sets the design controller's moving state for the life of a loop that moves something with
// the mouse, and puts the previous state back.
class TqzBarMovingScope {
 public:
  TqzBarMovingScope();
  ~TqzBarMovingScope();
  TqzBarMovingScope(const TqzBarMovingScope&) = delete;
  TqzBarMovingScope& operator=(const TqzBarMovingScope&) = delete;

 private:
  bool FPrevious;
};

// The one controller, made on first use and freed at the bar unit's end.
TqzBarDesignController* DesignControllerInstance();
// The same without making it: nullptr before the first use and after the unit's end.
TqzBarDesignController* ExistingDesignController();
void FreeDesignController();
