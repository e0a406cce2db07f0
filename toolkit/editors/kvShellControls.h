#pragma once
// The shell tree view: a platform tree view showing the shell namespace below a root folder, one
// level at a time. Each node carries the producer that enumerates its own folder; the tree's
// gatherer completes the items in the background; F5 (and a shell change) rebuilds the tree
// keeping the expanded folders, the top item and the selection.
// The shell list view: a platform list view in owner-data mode showing one folder's items, with
// detail columns in the report style, navigation, renaming and refresh on shell changes.
//
// Sources: kvShellControlsTree.cpp (the tree), kvShellControlsTreeProducer.cpp (its producers),
// kvShellControlsList.cpp (the list and its producer).

#include <memory>
#include <vector>

#include "toolkit/editors/kvShellCommon.h"
#include "vcl/ComCtrls.h"

class TkvCustomInnerShellTreeView;
class TkvCustomInnerShellListView;

// Set while a list view follows its linked tree, so that the tree is not sent back to where it is.
extern bool ShellSyncInProgress;

class TkvShellTreeViewOptions : public TkvShellOptions {
  TAVREN_CLASS(TkvShellTreeViewOptions, TkvShellOptions)
 public:
  using TkvShellOptions::TkvShellOptions;
};

class TkvShellTreeRoot : public TkvCustomShellRoot {
  TAVREN_CLASS(TkvShellTreeRoot, TkvCustomShellRoot)
 public:
  TkvShellTreeRoot(TkvCustomInnerShellTreeView* ATree, HWND AParentWindow);
  void AfterResolve() override;

 private:
  TkvCustomInnerShellTreeView* FTree;
};

class TkvShellTreeItemProducer : public TkvCustomItemProducer {
  TAVREN_CLASS(TkvShellTreeItemProducer, TkvCustomItemProducer)
 public:
  explicit TkvShellTreeItemProducer(TkvCustomInnerShellTreeView* ATree);
  ~TkvShellTreeItemProducer() override;

  bool WantsBackgroundFetch() override;
  bool CanAddFolder(TkvShellFolder* Folder) override;
  DWORD GetEnumFlags() override;
  TkvShellItemsInfoGatherer* GetGatherer() override;
  bool ShowsInfoTips() override;
  void InitItem(TkvShellItemInfo* Item) override;
  void ItemFetched(TkvShellItemInfo* Item) override;
  void NotifyItemCount(Integer Count) override;
  void NotifyItemFetched(const TkvFetchRequest& Request) override;
  void NotifyItemRemoved(Integer Index) override;
  void NotifyItemAdded(Integer Index) override;

  // The folder enumerated again, merged into the items: kept items stay at their places, gone
  // ones are reported removed, new ones added at the end. False when it cannot be enumerated.
  bool RefreshItems();

  TTreeNode* Node = nullptr;
  TNotifyEvent OnDestroying;

 private:
  TkvCustomInnerShellTreeView* FTree;
};

using TkvAddFolderEvent = TEvent<void(TObject* Sender, TkvShellFolder* Folder, bool& CanAdd)>;
using TkvShellChangeEvent = TEvent<void(TObject* Sender, Cardinal EventCode, LPCITEMIDLIST First, LPCITEMIDLIST Second)>;
using TkvRootChangedEvent = TEvent<void(TObject* Sender, TkvCustomShellRoot* Root)>;

class TkvCustomInnerShellTreeView : public TTreeView, public TkvShellDropSite {
  TAVREN_CLASS(TkvCustomInnerShellTreeView, TTreeView)
  TAVREN_MESSAGES()
 public:
  explicit TkvCustomInnerShellTreeView(TComponent* AOwner);
  ~TkvCustomInnerShellTreeView() override;

  // Virtual operations, in the order descendants know them.
  virtual bool IsLoading() { return GetComponentState().Contains(csLoading); }

  // Loads the root node (nil) or a node: with Child, only its expand button is worked out.
  void LoadNode(TTreeNode* Node, bool Child);
  // The node of a folder, or nil.
  TTreeNode* FindNode(LPCITEMIDLIST List);
  // F5: the whole tree again, keeping what is open and selected.
  void RefreshTree();
  // Follows the shell's changes in the folder of the node (nil: the selected node, else the
  // first) and the folders in it, when the options track changes.
  void RegisterTreeNotify(TTreeNode* Node);
  void StopTracking();
  // Tips of the shell for the nodes (TVS_INFOTIP).
  void SetShowInfoTips(bool Value);
  // The producers of the nodes: locked while walked.
  TThreadList* GetProducers() const { return FProducers.get(); }
  // A new absolute list of the node's folder, or nil.
  LPITEMIDLIST NodeIdList(TTreeNode* Node);
  // The list view that shows the selected folder (set and cleared by the list view's owner).
  TkvCustomInnerShellListView* GetListView() const { return FListView; }
  void SetListView(TkvCustomInnerShellListView* Value);
  // The linked list view shows the node's folder.
  void SyncListView(TTreeNode* Node);

  // Drags the selected node's item out as a shell data object; the root is never dragged.
  void StartTreeDrag();
  TkvDragDropSettings* GetDragDropSettings() const override { return FDragDropSettings.get(); }
  TTreeNode* GetDropHighlightNode() const { return FDropHighlightNode; }
  // The producer whose read lock an open context menu holds, or nil.
  TkvShellTreeItemProducer* GetMenuProducer() const { return FMenuProducer; }

  TkvShellItemsInfoGatherer* GetGatherer() const { return FGatherer.get(); }
  TkvShellTreeRoot* GetRoot() const { return FRoot.get(); }
  TkvShellTreeViewOptions* GetOptions() const { return FOptions.get(); }
  bool GetNavigating() const { return FNavigating; }
  bool GetShowInfoTips() const { return FShowInfoTips; }
  TkvAddFolderEvent GetOnAddFolder() const { return FOnAddFolder; }
  void SetOnAddFolder(TkvAddFolderEvent Value) { FOnAddFolder = Value; }
  TkvShellChangeEvent GetOnShellChange() const { return FOnShellChange; }
  void SetOnShellChange(TkvShellChangeEvent Value) { FOnShellChange = Value; }
  TkvRootChangedEvent GetOnRootChanged() const { return FOnRootChanged; }
  void SetOnRootChanged(TkvRootChangedEvent Value) { FOnRootChanged = Value; }

 protected:
  friend class TkvShellTreeRoot;
  friend class TkvCustomShellTreeView;
  friend class TkvShellTreeItemProducer;
  void Loaded() override;
  void CreateWnd() override;
  void DestroyWnd() override;
  // Drops onto a node go to the shell's own target of its folder or item.
  bool DropHover(const TPoint& ScreenPoint) override;
  void ClearDropHighlight() override { SetDropHighlightNode(nullptr); }
  // The folder dropped into is read again once the drop has returned.
  void Dropped() override;
  void Delete(TTreeNode* Node) override;
  bool CanEdit(TTreeNode* Node) override;
  bool CanExpand(TTreeNode* Node) override;
  void Change(TTreeNode* Node) override;
  void Edit(const TVITEM& Item) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  // The shell's menu for the node under the point (the selected one from the keyboard).
  void DoContextPopup(TPoint MousePos, bool& Handled) override;

  void CreateParams(TCreateParams& Params) override;
  void CNNotify(TMessage& Message);
  void KVSMItemsEnumerated(TMessage& Message);
  void KVSMItemFetched(TMessage& Message);
  void KVSMItemRemoved(TMessage& Message);
  void KVSMItemAdded(TMessage& Message);
  void KVSMOptionsChanged(TMessage& Message);
  void KVSMSelectFolder(TMessage& Message);
  void KVSMRootChanged(TMessage& Message);
  void KVSMTreeShellNotify(TMessage& Message);
  void KVSMReselect(TMessage& Message);
  // Posted after a drop onto a node: its producer's folder is read again.
  void KVSMShellNotify(TMessage& Message);

 private:
  // Without dragging allowed the window does not wait to tell a click from a drag.
  void AllowDragChanged(TObject* Sender);
  // The menu's producer is going: its read lock is released first.
  void MenuProducerGone(TObject* Sender);
  void SetDropHighlightNode(TTreeNode* Node);
  // The producer, when it still fills a node of the tree.
  bool IsLiveProducer(TkvShellTreeItemProducer* Producer);

  static TkvShellTreeItemProducer* ProducerOf(TTreeNode* Node);
  // The live producer that fills Node, or nil when the node went with a rebuild.
  TkvShellTreeItemProducer* LiveProducerOf(TTreeNode* Node);
  void LoadChildren(TkvShellTreeItemProducer* Producer, IShellFolder* Folder, LPCITEMIDLIST List, TTreeNode* Node);
  void ApplyItem(TTreeNode* Node, TkvShellItemInfo* Item);
  void SelectFolder(LPCITEMIDLIST List);
  void SaveState();
  void RestoreState();
  // Empties the tree; the selection moving while nodes go loads nothing.
  void ClearNodes();

  std::unique_ptr<TkvShellItemsInfoGatherer> FGatherer;
  std::unique_ptr<TkvShellTreeRoot> FRoot;
  std::unique_ptr<TkvShellTreeViewOptions> FOptions;
  std::unique_ptr<TThreadList> FProducers;
  bool FNavigating = false;
  bool FRebuilding = false;
  bool FClearing = false;
  bool FRegisteringNotify = false;
  ULONG FChangeRegistration = 0;
  bool FShowInfoTips = false;
  TkvCustomInnerShellListView* FListView = nullptr;
  TkvShellTreeItemProducer* FMenuProducer = nullptr;
  bool FContextMenuOpen = false;
  std::unique_ptr<TkvDragDropSettings> FDragDropSettings;
  TTreeNode* FDropHighlightNode = nullptr;

  LPITEMIDLIST FSavedSelection = nullptr;
  std::vector<LPITEMIDLIST> FSavedExpanded;
  Integer FSavedTopIndex = -1;
  TkvAddFolderEvent FOnAddFolder;
  TkvShellChangeEvent FOnShellChange;
  TkvRootChangedEvent FOnRootChanged;
};

// ---- List view -------------------------------------------------------------------------------

class TkvCustomInnerShellListView;

class TkvShellListViewOptions : public TkvShellOptions {
  TAVREN_CLASS(TkvShellListViewOptions, TkvShellOptions)
 public:
  using TkvShellOptions::TkvShellOptions;
  void Assign(TPersistent* Source) override;
  bool GetAutoNavigate() const { return FAutoNavigate; }
  void SetAutoNavigate(bool Value) { FAutoNavigate = Value; }

 private:
  bool FAutoNavigate = true;
};

class TkvShellListRoot : public TkvCustomShellRoot {
  TAVREN_CLASS(TkvShellListRoot, TkvCustomShellRoot)
 public:
  TkvShellListRoot(TkvCustomInnerShellListView* AList, HWND AParentWindow);
  void AfterResolve() override;

 private:
  TkvCustomInnerShellListView* FList;
};

class TkvShellListViewProducer : public TkvCustomItemProducer {
  TAVREN_CLASS(TkvShellListViewProducer, TkvCustomItemProducer)
 public:
  explicit TkvShellListViewProducer(TkvCustomInnerShellListView* AList);
  ~TkvShellListViewProducer() override;

  bool WantsBackgroundFetch() override { return true; }
  bool CanAddFolder(TkvShellFolder* Folder) override;
  bool CompareItems(TkvShellFolder* First, TkvShellFolder* Second, Integer& Order) override;
  DWORD GetEnumFlags() override;
  TkvShellItemsInfoGatherer* GetGatherer() override;
  bool ShowsInfoTips() override;
  // Columns measured in the list's font, then the list's columns made again.
  void LoadDetails(IShellFolder* Folder, Integer CharWidth) override;
  void NotifyItemFetched(const TkvFetchRequest& Request) override;

 private:
  TkvCustomInnerShellListView* FList;
};

using TkvShellCompareEvent =
    TEvent<void(TObject* Sender, TkvShellFolder* First, TkvShellFolder* Second, Integer& Order)>;
using TkvBeforeNavigationEvent = TEvent<void(TObject* Sender, LPCITEMIDLIST Target, const String& Path)>;

class TkvCustomInnerShellListView : public TCustomListView, public TkvShellDropSite {
  TAVREN_CLASS(TkvCustomInnerShellListView, TCustomListView)
  TAVREN_MESSAGES()
 public:
  explicit TkvCustomInnerShellListView(TComponent* AOwner);
  ~TkvCustomInnerShellListView() override;

  // Virtual operations, in the order descendants know them.
  // Opens a non-folder item as the shell does.
  virtual void ExecuteItem(TkvShellItemInfo* Item);
  // Fires OnCompare; answers whether a handler decided.
  virtual bool CompareHook(TkvShellFolder* First, TkvShellFolder* Second, Integer& Order);
  // Shows the folder the absolute list names (nothing when it is the one shown).
  virtual void BrowseTo(LPCITEMIDLIST List);

  // The folder's items again (when the window exists), then change tracking.
  void Refill();
  void NavigateUp();
  // A folder is entered, anything else opened.
  void OpenItem(Integer Index);
  // F5: refills, selecting again the item that was selected alone.
  void RefreshKeepSelection();
  void TrackChanges();
  void StopTracking();
  // The detail columns, in the report style only.
  void RebuildColumns();
  // The tree that shows the same folder (set and cleared by the tree).
  TkvCustomInnerShellTreeView* GetTreeView() const { return FTreeView; }
  void SetTreeView(TkvCustomInnerShellTreeView* Value) { FTreeView = Value; }
  // The linked tree selects the folder shown.
  void SyncTreeView();
  // Drags the selected items out as a shell data object.
  void StartShellDrag();
  TkvDragDropSettings* GetDragDropSettings() const override { return FDragDropSettings.get(); }
  Integer GetDropHighlight() const { return FDropHighlight; }
  // The process's system image lists (32 and 16 pixels) the view shows its icons from.
  HIMAGELIST GetLargeSystemImages() const { return FLargeSystemImages; }
  HIMAGELIST GetSmallSystemImages() const { return FSmallSystemImages; }
  // Called by the tree: shows the folder the list names, when it is one and not the one shown.
  void FollowFolder(LPCITEMIDLIST List);
  TViewStyle GetShellViewStyle() const { return FShellViewStyle; }
  // The platform's view style too.
  void SetShellViewStyle(TViewStyle Value);

  TkvShellListViewProducer* GetProducer() const { return FProducer.get(); }
  TkvShellItemsInfoGatherer* GetGatherer() const { return FGatherer.get(); }
  TkvShellListViewOptions* GetOptions() const { return FOptions.get(); }
  TkvShellListRoot* GetRoot() const { return FRoot.get(); }
  ULONG GetChangeRegistration() const { return FChangeRegistration; }
  TkvAddFolderEvent GetOnAddFolder() const { return FOnAddFolder; }
  void SetOnAddFolder(TkvAddFolderEvent Value) { FOnAddFolder = Value; }
  TkvBeforeNavigationEvent GetOnBeforeNavigation() const { return FOnBeforeNavigation; }
  void SetOnBeforeNavigation(TkvBeforeNavigationEvent Value) { FOnBeforeNavigation = Value; }
  TkvShellCompareEvent GetOnCompare() const { return FOnCompare; }
  void SetOnCompare(TkvShellCompareEvent Value) { FOnCompare = Value; }
  TkvRootChangedEvent GetOnRootChanged() const { return FOnRootChanged; }
  void SetOnRootChanged(TkvRootChangedEvent Value) { FOnRootChanged = Value; }
  TkvShellChangeEvent GetOnShellChange() const { return FOnShellChange; }
  void SetOnShellChange(TkvShellChangeEvent Value) { FOnShellChange = Value; }

 protected:
  friend class TkvShellListRoot;
  void CreateWnd() override;
  void DestroyWnd() override;
  // Drops into the view go to the shell's own targets: the folder over empty space, a folder
  // item over an item.
  bool DropHover(const TPoint& ScreenPoint) override;
  void ClearDropHighlight() override { SetDropHighlight(-1); }
  void OwnerDataFetch(TListItem* Item) override;
  bool CanEdit(TListItem* Item) override;
  void Edit(const LVITEM& Item) override;
  void DblClick() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  // The shell's menu for the selected items, when the options ask for it.
  void DoContextPopup(TPoint MousePos, bool& Handled) override;

  void KVSMItemsEnumerated(TMessage& Message);
  void KVSMItemFetched(TMessage& Message);
  void KVSMOptionsChanged(TMessage& Message);
  void KVSMShellNotify(TMessage& Message);
  void KVSMRootChanged(TMessage& Message);
  void CNNotify(TMessage& Message);

 private:
  bool IsLoading() { return GetComponentState().Contains(csLoading); }
  void SetDropHighlight(Integer Index);

  std::unique_ptr<TkvDragDropSettings> FDragDropSettings;
  Integer FDropHighlight = -1;
  HIMAGELIST FLargeSystemImages = nullptr;
  HIMAGELIST FSmallSystemImages = nullptr;

  std::unique_ptr<TkvShellListViewProducer> FProducer;
  std::unique_ptr<TkvShellItemsInfoGatherer> FGatherer;
  std::unique_ptr<TkvShellListViewOptions> FOptions;
  std::unique_ptr<TkvShellListRoot> FRoot;
  TViewStyle FShellViewStyle = vsIcon;
  TkvCustomInnerShellTreeView* FTreeView = nullptr;
  ULONG FChangeRegistration = 0;
  LPITEMIDLIST FRegisteredList = nullptr;
  bool FRefreshingOnNotify = false;
  TkvAddFolderEvent FOnAddFolder;
  TkvBeforeNavigationEvent FOnBeforeNavigation;
  TkvShellCompareEvent FOnCompare;
  TkvRootChangedEvent FOnRootChanged;
  TkvShellChangeEvent FOnShellChange;
};
