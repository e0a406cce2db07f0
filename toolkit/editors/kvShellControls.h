#pragma once
// The shell tree view: a platform tree view showing the shell namespace below a root folder, one
// level at a time. Each node carries the producer that enumerates its own folder; the tree's
// gatherer completes the items in the background; F5 (and a shell change) rebuilds the tree
// keeping the expanded folders, the top item and the selection.
//
// Sources: kvShellControlsTree.cpp (the tree), kvShellControlsTreeProducer.cpp (its producers).

#include <memory>
#include <vector>

#include "toolkit/editors/kvShellCommon.h"
#include "vcl/ComCtrls.h"

class TkvCustomInnerShellTreeView;

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

class TkvCustomInnerShellTreeView : public TTreeView {
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
  void Delete(TTreeNode* Node) override;
  bool CanEdit(TTreeNode* Node) override;
  bool CanExpand(TTreeNode* Node) override;
  void Change(TTreeNode* Node) override;
  void Edit(const TVITEM& Item) override;
  void KeyDown(Word& Key, TShiftState Shift) override;

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

 private:
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
  LPITEMIDLIST FSavedSelection = nullptr;
  std::vector<LPITEMIDLIST> FSavedExpanded;
  Integer FSavedTopIndex = -1;
  TkvAddFolderEvent FOnAddFolder;
  TkvShellChangeEvent FOnShellChange;
  TkvRootChangedEvent FOnRootChanged;
};
