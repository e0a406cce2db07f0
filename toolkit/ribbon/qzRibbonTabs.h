#pragma once
// The ribbon's content and persistent parts: tabs holding groups (each group names a toolbar of
// the ribbon's bar manager), the fonts, the application button and the quick access toolbar's
// settings. Every change calls back into the ribbon.

#include <memory>

#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarNavigation.h"
#include "toolkit/foundation/kvClasses.h"

class TqzBarApplicationMenu;
class TqzCustomRibbon;
class TqzRibbonTab;
class TqzRibbonGroupsDockControl;

// A failure the ribbon reports to the caller.
class EqzRibbonException : public Exception {
 public:
  using Exception::Exception;
};

// ---- Groups ----------------------------------------------------------------------------------

class TqzRibbonTabGroup : public TCollectionItem {
  TAVREN_CLASS(TqzRibbonTabGroup, TCollectionItem)
 public:
  explicit TqzRibbonTabGroup(TCollection* Collection);
  ~TqzRibbonTabGroup() override;
  void Assign(TPersistent* Source) override;

  TqzRibbonTab* GetTab() const;
  TqzCustomRibbon* GetRibbon() const;
  // Binds the toolbar named in the form; nothing when the name names no bar.
  void ResolveLoadedToolbar();

  bool GetCanCollapse() const { return FCanCollapse; }
  void SetCanCollapse(bool Value);
  TqzBar* GetToolBar() const;
  // Docks the toolbar into the tab's groups dock control, unless the active tab of the ribbon
  // already shows it.
  virtual void DockToolbar(TqzBar* AToolbar);
  // nil deletes the group. Refuses the quick access toolbar and a toolbar another group of the
  // same tab holds (EqzRibbonException); a toolbar of another manager is ignored.
  void SetToolBar(TqzBar* Value);

 protected:
  void DefineProperties(TFiler* Filer) override;

 private:
  bool CanUseToolbar(TqzBar* AToolbar) const;
  void CheckToolbar(TqzBar* AToolbar);
  void ReleaseToolbar();
  bool StoresToolbarName(TFiler* Filer) const;

  bool FCanCollapse = true;
  TqzBar* FToolbar = nullptr;
  String FLoadedToolbarName;
  bool FHasLoadedToolbarName = false;
};

class TqzRibbonTabGroups : public TCollection {
  TAVREN_CLASS(TqzRibbonTabGroups, TCollection)
 public:
  explicit TqzRibbonTabGroups(TqzRibbonTab* ATab);
  ~TqzRibbonTabGroups() override;
  TqzRibbonTab* GetTab() const noexcept { return FTab; }
  TqzRibbonTabGroup* GetGroup(Integer Index) const { return static_cast<TqzRibbonTabGroup*>(GetItems(Index)); }
  TqzRibbonTabGroup* AddGroup() { return static_cast<TqzRibbonTabGroup*>(Add()); }
  TPersistent* GetOwner() override;

 protected:
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;
  void Update(TCollectionItem* Item) override;

 private:
  TqzRibbonTab* FTab;
};

// ---- Tabs ------------------------------------------------------------------------------------

class TqzRibbonTab : public TkvComponentCollectionItem {
  TAVREN_CLASS(TqzRibbonTab, TkvComponentCollectionItem)
 public:
  explicit TqzRibbonTab(TComponent* AOwner);
  ~TqzRibbonTab() override;
  void Assign(TPersistent* Source) override;
  String GetDisplayName() override;
  // A tab streams inside its ribbon, also while it is read before it has joined it.
  bool HasParent() override { return true; }

  // Shows the tab and scrolls its header into view.
  virtual void Activate();
  // Hides the tab's groups.
  virtual void Deactivate();
  virtual TRect GetGroupsDockBounds();
  virtual TClassOf<TqzRibbonTabGroup> GetGroupClass();
  // The groups dock control fits the groups again (after their windows measured anew).
  virtual void RefreshGroups();

  void SetRibbon(TqzCustomRibbon* ARibbon);
  TqzRibbonGroupsDockControl* GetDockControl() const noexcept { return FDockControl.get(); }
  // The dock control takes the manager and every group docks its toolbar there.
  void SetBarManager(TqzBarManager* AManager);
  // Every group's toolbar docked elsewhere moves into this tab's dock control.
  void DockGroupToolbars();
  // Shows the dock control while the tab's groups are shown in the ribbon and puts it to its bounds.
  void UpdateGroupsLayout();
  // The group windows that exist take the ribbon's group font again.
  void RefreshBarFonts();
  // The tab's keyboard-navigation node, made on first request.
  TqzBarAccessibilityHelper* GetAccessibilityHelper();
  // Keyboard navigation has the tab selected.
  bool IsSelectedByKeyboard();
  TqzCustomRibbon* GetRibbon() const noexcept { return FRibbon; }
  // The index the tab had in its collection, kept while it is destroyed.
  Integer GetSavedIndex() const noexcept { return FSavedIndex; }
  bool IsDestroying() const { return GetComponentState().Contains(csDestroying); }
  bool IsLoading() const { return GetComponentState().Contains(csLoading); }

  bool GetActive() const;
  void SetActive(bool Value);
  String GetCaption() const { return FCaption; }
  void SetCaption(const String& Value);
  TqzRibbonTabGroups* GetGroups() const { return FGroups.get(); }
  void SetGroups(TqzRibbonTabGroups* Value) { FGroups->Assign(Value); }
  String GetKeyTip() const { return FKeyTip; }
  void SetKeyTip(const String& Value) { FKeyTip = Value; }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  Integer GetVisibleIndex() const;

 protected:
  TkvComponentCollection* GetCollectionFromParent(TComponent* AParentComponent) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 public:
  // A caption that equals the old name follows the new one.
  void SetName(const String& Value) override;

 private:
  String FCaption;
  String FKeyTip;
  TqzCustomRibbon* FRibbon = nullptr;
  std::unique_ptr<TqzRibbonTabGroups> FGroups;
  std::unique_ptr<TqzRibbonGroupsDockControl> FDockControl;
  bool FVisible = true;
  Integer FSavedIndex = -1;
  TqzBarHelperRef FAccessibilityHelper;
};

class TqzRibbonTabCollection : public TkvComponentCollection {
  TAVREN_CLASS(TqzRibbonTabCollection, TkvComponentCollection)
 public:
  explicit TqzRibbonTabCollection(TqzCustomRibbon* ARibbon);
  ~TqzRibbonTabCollection() override;
  TqzCustomRibbon* GetRibbon() const noexcept { return FRibbon; }
  TqzRibbonTab* GetTab(Integer Index) const { return static_cast<TqzRibbonTab*>(ItemAt(Index)); }
  Integer GetCount() const { return ItemCount(); }
  TqzRibbonTab* Add() { return static_cast<TqzRibbonTab*>(AppendItem()); }

 protected:
  void ItemNotification(TkvComponentCollectionItem* AItem, TkvCollectionAction AAction) override;
  void SetItemName(TkvComponentCollectionItem* AItem) override;
  void ReportChange(TkvComponentCollectionItem* AItem, TkvCollectionAction AAction) override;

 private:
  TqzCustomRibbon* FRibbon;
};

// ---- Fonts -----------------------------------------------------------------------------------

enum TqzRibbonAssignedFont { afTabHeader, afGroup, afGroupHeader };
TAVREN_ENUM_INFO(TqzRibbonAssignedFont, afTabHeader, afGroup, afGroupHeader);
using TqzRibbonAssignedFonts = TSet<TqzRibbonAssignedFont, 3>;

class TqzRibbonFonts : public TPersistent {
  TAVREN_CLASS(TqzRibbonFonts, TPersistent)
 public:
  explicit TqzRibbonFonts(TqzCustomRibbon* ARibbon);
  ~TqzRibbonFonts() override;
  void Assign(TPersistent* Source) override;

  // Each getter fills and answers the one scratch font.
  virtual TFont* GetFormCaptionFont(bool AIsActive);
  virtual TFont* GetGroupFont();
  virtual TFont* GetGroupHeaderFont();
  virtual TFont* GetTabHeaderFont(Integer AState);
  // The fonts not assigned by the user follow the ribbon's and the bar manager's font.
  void UpdateFonts();

  TqzRibbonAssignedFonts GetAssignedFonts() const { return FAssignedFonts; }
  void SetAssignedFonts(TqzRibbonAssignedFonts Value);
  TColor GetDocumentNameColor() const { return FDocumentNameColor; }
  void SetDocumentNameColor(TColor Value);
  TFont* GetGroup() const { return FFonts[afGroup].get(); }
  void SetGroup(TFont* Value) { FFonts[afGroup]->Assign(Value); }
  TFont* GetGroupHeader() const { return FFonts[afGroupHeader].get(); }
  void SetGroupHeader(TFont* Value) { FFonts[afGroupHeader]->Assign(Value); }
  TFont* GetTabHeader() const { return FFonts[afTabHeader].get(); }
  void SetTabHeader(TFont* Value) { FFonts[afTabHeader]->Assign(Value); }

 protected:
  TPersistent* GetOwner() override;

 private:
  bool IsGroupStored() const { return FAssignedFonts.Contains(afGroup); }
  bool IsGroupHeaderStored() const { return FAssignedFonts.Contains(afGroupHeader); }
  bool IsTabHeaderStored() const { return FAssignedFonts.Contains(afTabHeader); }
  void FontChanged(TObject* Sender);
  void ApplyUserChange(TqzRibbonAssignedFont AFont);
  void FontsChanged();
  TColor SchemeColor(Integer APart, Integer AState) const;

  TqzCustomRibbon* FRibbon;
  TqzRibbonAssignedFonts FAssignedFonts;
  TColor FDocumentNameColor = clDefault;
  std::unique_ptr<TFont> FCaptionFont;
  std::unique_ptr<TFont> FScratchFont;
  std::unique_ptr<TFont> FFonts[3];
  bool FInternalChange = false;
};

// ---- Application button ----------------------------------------------------------------------

class TqzRibbonApplicationButton : public TPersistent {
  TAVREN_CLASS(TqzRibbonApplicationButton, TPersistent)
 public:
  explicit TqzRibbonApplicationButton(TqzCustomRibbon* ARibbon);
  ~TqzRibbonApplicationButton() override;
  void Assign(TPersistent* Source) override;

  TBitmap* GetGlyph() const { return FGlyph.get(); }
  // A glyph of fewer than 32 bits per pixel gets its transparent colour cleared.
  void SetGlyph(TBitmap* Value);
  String GetKeyTip() const { return FKeyTip; }
  void SetKeyTip(const String& Value) { FKeyTip = Value; }
  TqzBarApplicationMenu* GetMenu() const { return FMenu; }
  void SetMenu(TqzBarApplicationMenu* Value);
  TqzBarScreenTip* GetScreenTip() const { return FScreenTip; }
  void SetScreenTip(TqzBarScreenTip* Value);
  bool GetStretchGlyph() const { return FStretchGlyph; }
  void SetStretchGlyph(bool Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);

 protected:
  TPersistent* GetOwner() override;

 private:
  friend class TqzCustomRibbon;
  void GlyphChanged(TObject* Sender);
  void Changed();
  // Drops the menu or screen tip that is going.
  void Forget(TComponent* AComponent);

  TqzCustomRibbon* FRibbon;
  std::unique_ptr<TBitmap> FGlyph;
  String FKeyTip;
  TqzBarApplicationMenu* FMenu = nullptr;
  TqzBarScreenTip* FScreenTip = nullptr;
  bool FStretchGlyph = true;
  bool FVisible = true;
};

// ---- Quick access toolbar settings -----------------------------------------------------------

// The ribbon's commands a context menu offers; rpmiItems keeps the menu's own entries.
enum TqzRibbonPopupMenuItem { rpmiItems, rpmiMoreCommands, rpmiQATPosition, rpmiQATAddRemoveItem, rpmiMinimizeRibbon };
TAVREN_ENUM_INFO(TqzRibbonPopupMenuItem, rpmiItems, rpmiMoreCommands, rpmiQATPosition, rpmiQATAddRemoveItem,
                 rpmiMinimizeRibbon);
using TqzRibbonPopupMenuItems = TSet<TqzRibbonPopupMenuItem, 5>;

enum TqzQuickAccessToolbarPosition { qtpAboveRibbon, qtpBelowRibbon };
TAVREN_ENUM_INFO(TqzQuickAccessToolbarPosition, qtpAboveRibbon, qtpBelowRibbon);

class TqzRibbonQuickAccessDockControl;

// Which toolbar of the bar manager the ribbon shows as its quick access toolbar, and where. The
// toolbar docks in the site this object owns (made on first use through CreateDockControl).
class TqzRibbonQuickAccessToolbar : public TPersistent {
  TAVREN_CLASS(TqzRibbonQuickAccessToolbar, TPersistent)
 public:
  explicit TqzRibbonQuickAccessToolbar(TqzCustomRibbon* ARibbon);
  ~TqzRibbonQuickAccessToolbar() override;
  void Assign(TPersistent* Source) override;

  TqzRibbonQuickAccessDockControl* GetDockControl();
  // The site has its window and the toolbar is visible: the site repaints its bars.
  virtual void UpdateBars();
  // The ribbon's commands the toolbar's menus offer: all but adding or removing a command.
  virtual TqzRibbonPopupMenuItems ContextMenuItems();
  // Whether the link, or the link it was copied from, is one of the toolbar's.
  bool ContainsLink(TqzBarItemLink* ALink);
  // Every tab group holding the toolbar lets go of it (and is deleted with it).
  void RemoveFromTabGroups(TqzBar* AToolbar);
  // Whether a group button of the toolbar shows the group's toolbar AToolbar.
  bool HasGroupButton(TqzBar* AToolbar);
  // A group's toolbar changed: the group button showing it lets go of it (ADetach: the group
  // replaced or dropped it) or repaints.
  void GroupToolbarChanged(TqzBar* AToolbar, bool ADetach);
  // The ribbon lays itself out again with its drawing held, then the form redraws whole; nothing
  // while the ribbon is destroyed.
  void RelayoutRibbon();

  TqzQuickAccessToolbarPosition GetPosition() const { return FPosition; }
  void SetPosition(TqzQuickAccessToolbarPosition Value);
  TqzBar* GetToolbar() const { return FToolbar; }
  // The old toolbar floats again; the new one leaves the tab groups using it and docks here.
  void SetToolbar(TqzBar* Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);

 protected:
  virtual TqzRibbonQuickAccessDockControl* CreateDockControl();
  TPersistent* GetOwner() override;

 private:
  friend class TqzCustomRibbon;
  // The group buttons among the toolbar's links go, from the last to the first.
  static void FreeGroupButtons(TqzBar* AToolbar);

  TqzCustomRibbon* FRibbon;
  std::unique_ptr<TqzRibbonQuickAccessDockControl> FDockControl;
  TqzQuickAccessToolbarPosition FPosition = qtpAboveRibbon;
  TqzBar* FToolbar = nullptr;
  bool FVisible = true;
};
