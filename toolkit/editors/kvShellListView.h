#pragma once
// The shell list view's unit: the styled container that hosts the shell list view of
// kvShellControls; turning a folder typed as text into an absolute ID list under a control's root
// (absolute paths, names relative to the root, the two namespace prefixes, display names matched
// ignoring case), and the table of special folders whose display names can be typed as paths.
//
// Sources: kvShellListViewControl.cpp (the container), kvShellListViewPaths.cpp (path resolution
// and the table).

#include <array>

#include "toolkit/editors/kvContainer.h"
#include "toolkit/editors/kvHeader.h"
#include "toolkit/editors/kvInnerControlRelay.h"
#include "toolkit/editors/kvShellCommon.h"
#include "toolkit/editors/kvShellControls.h"

// Filter flags built from a control's options.
constexpr Byte kvsfNonFolders = 1;
constexpr Byte kvsfFolders = 2;
constexpr Byte kvsfHidden = 4;

DWORD EnumFlagsFromFilter(Byte Filter);
bool PassesFilter(Byte Filter, DWORD Attributes);

// Kinds of a typed path.
constexpr Integer kvpkAbsolute = 0;       // "/…" (a leading backslash counts as a slash)
constexpr Integer kvpkRelative = 1;       // a name below the root
constexpr Integer kvpkNetwork = 2;        // "\\\\…"
constexpr Integer kvpkNamespace = 3;      // "::{…"
constexpr Integer kvpkFromDesktop = 4;    // "::{DB56C6B1-4234-4109-B4F2-EF8F6CF19FF6}…"
constexpr Integer kvpkFromRoot = 5;       // "::{E0BEE4C6-FEC1-4D9E-AF61-9DD67E77E266}…"
constexpr Integer kvpkUnusable = 6;       // empty, or a drive letter: there are no drives here

// May drop a trailing separator from Path.
Integer ClassifyPath(String& Path);
// The child of Folder that Name names: parsed, else the first child whose display name equals it
// ignoring case; nil when none passes the filter.
LPITEMIDLIST FindChildByName(IShellFolder* Folder, const String& Name, Byte Filter);
// Full: the file-system path, else the names from the desktop joined with "/"; otherwise the
// item's own display name.
String BuildDisplayPath(LPCITEMIDLIST List, bool Full);
// A new absolute list for the text, or nil; an empty text names the root itself. With
// RestrictToRoot a folder outside the root answers nil.
LPITEMIDLIST ParsePath(const String& Path, TkvCustomShellRoot* Root, Byte Filter, bool RestrictToRoot);

struct TkvShellSpecialFolderInfoTableItem {
  DWORD FolderAttributes = 0;  // SFGAO_FOLDER and SFGAO_HIDDEN only
  LPITEMIDLIST FolderIdList = nullptr;
  String FolderName;
  String UpperPath;
  String UpperName;
};
// One entry per special-folder number 0 to 34; an entry without a list has no folder here.
const std::array<TkvShellSpecialFolderInfoTableItem, 35>& SpecialFolderTable();

// ---- Container --------------------------------------------------------------------------------

class TkvCustomShellListView;

using TkvShellAddFolderEvent = TkvAddFolderEvent;

class TkvInnerShellListView : public TkvInnerControlRelay<TkvCustomInnerShellListView> {
  TAVREN_CLASS(TkvInnerShellListView, TkvInnerControlRelay<TkvCustomInnerShellListView>)
  TAVREN_MESSAGES()
  friend class TkvCustomShellListView;

 public:
  explicit TkvInnerShellListView(TComponent* AOwner);
  ~TkvInnerShellListView() override;
  // Shows the folder, then scrolls back to the origin.
  void BrowseTo(LPCITEMIDLIST List) override;
  TkvCustomShellListView* GetContainer() const { return FContainer; }
  // The column header, painted with the container's look.
  TkvListViewHeader* GetHeader() const { return FHeader.get(); }

 protected:
  void WndProc(TMessage& Message) override;
  void CreateWnd() override;
  TkvContainer* RelayTarget() const override;
  void WMNCPaint(TMessage& Message);
  void WMParentNotify(TMessage& Message);
  void HeaderItemInfo(TMessage& Message);

 private:
  TkvCustomShellListView* FContainer = nullptr;
  std::unique_ptr<TkvCanvas> FKvCanvas;
  std::unique_ptr<TkvListViewHeader> FHeader;
};

class TkvCustomShellListView : public TkvContainer {
  TAVREN_CLASS(TkvCustomShellListView, TkvContainer)
  friend class TkvInnerShellListView;

 public:
  explicit TkvCustomShellListView(TComponent* AOwner);
  ~TkvCustomShellListView() override;

  // Virtual operations, in the order descendants know them.
  // Fires OnRootChanged, then brings the scroll bars up to date (also when the handler fails).
  virtual void RootChanged(TObject* Sender, TkvCustomShellRoot* Root);

  TkvInnerShellListView* GetInnerListView() const { return FInnerList; }
  TkvShellListViewOptions* GetOptions() const { return FInnerList->GetOptions(); }
  TkvShellListRoot* GetRoot() const { return FInnerList->GetRoot(); }
  TViewStyle GetViewStyle() const { return FInnerList->GetShellViewStyle(); }
  void SetViewStyle(TViewStyle Value);

  TkvShellAddFolderEvent GetOnAddFolder() const { return FOnAddFolder; }
  void SetOnAddFolder(TkvShellAddFolderEvent Value) { FOnAddFolder = Value; }
  TkvBeforeNavigationEvent GetOnBeforeNavigation() const { return FOnBeforeNavigation; }
  void SetOnBeforeNavigation(TkvBeforeNavigationEvent Value) { FOnBeforeNavigation = Value; }
  TNotifyEvent GetOnRootChanged() const { return FOnRootChanged; }
  void SetOnRootChanged(TNotifyEvent Value) { FOnRootChanged = Value; }
  TkvShellCompareEvent GetOnCompare() const { return FOnCompare; }
  void SetOnCompare(TkvShellCompareEvent Value) { FOnCompare = Value; }
  TkvShellChangeEvent GetOnShellChange() const { return FOnShellChange; }
  void SetOnShellChange(TkvShellChangeEvent Value) { FOnShellChange = Value; }

  bool UsesScrollBars() override { return true; }
  void ScrollContent(TScrollBarKind Kind, TScrollCode ScrollCode, Integer& Position) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void RelayAddFolder(TObject*, TkvShellFolder* Folder, bool& CanAdd) { FOnAddFolder(this, Folder, CanAdd); }
  void RelayBeforeNavigation(TObject*, LPCITEMIDLIST Target, const String& Path) {
    FOnBeforeNavigation(this, Target, Path);
  }
  void RelayCompare(TObject*, TkvShellFolder* First, TkvShellFolder* Second, Integer& Order) {
    FOnCompare(this, First, Second, Order);
  }
  void RelayShellChange(TObject*, Cardinal Event, LPCITEMIDLIST First, LPCITEMIDLIST Second) {
    FOnShellChange(this, Event, First, Second);
  }

  TkvInnerShellListView* FInnerList = nullptr;
  TkvShellAddFolderEvent FOnAddFolder;
  TkvBeforeNavigationEvent FOnBeforeNavigation;
  TNotifyEvent FOnRootChanged;
  TkvShellCompareEvent FOnCompare;
  TkvShellChangeEvent FOnShellChange;
};

void kvShellListViewStart();
void kvShellListViewEnd();
