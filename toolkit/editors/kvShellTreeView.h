#pragma once
// The published shell folder tree: a styled container hosting the shell tree view of
// kvShellControls, with the container's borders, look-and-feel and scroll bars, and the Path
// property that reads and writes the selected folder as a file-system path.

#include <memory>

#include "toolkit/editors/kvContainer.h"
#include "toolkit/editors/kvInnerControlRelay.h"
#include "toolkit/editors/kvShellControls.h"
#include "toolkit/editors/kvShellListView.h"

class TkvCustomShellTreeView;

class TkvInnerShellTreeView : public TkvInnerControlRelay<TkvCustomInnerShellTreeView> {
  TAVREN_CLASS(TkvInnerShellTreeView, TkvInnerControlRelay<TkvCustomInnerShellTreeView>)
  TAVREN_MESSAGES()
  friend class TkvCustomShellTreeView;

 public:
  explicit TkvInnerShellTreeView(TComponent* AOwner);

  bool IsLoading() override;

  TkvCustomShellTreeView* GetContainer() const { return FContainer; }

 protected:
  void WndProc(TMessage& Message) override;
  void CreateWnd() override;
  TkvContainer* RelayTarget() const override;
  void DragDrop(TObject* Source, Integer X, Integer Y) override;
  void DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) override;

  void WMNCPaint(TMessage& Message);

 private:
  TkvCustomShellTreeView* FContainer = nullptr;
};

class TkvCustomShellTreeView : public TkvContainer {
  TAVREN_CLASS(TkvCustomShellTreeView, TkvContainer)
  friend class TkvInnerShellTreeView;

 public:
  explicit TkvCustomShellTreeView(TComponent* AOwner);
  ~TkvCustomShellTreeView() override;

  // Virtual operations, in the order descendants know them.
  virtual void RootChanged(TObject*, TkvCustomShellRoot*) { UpdateInnerScrollBars(false); }

  // A new absolute ID list of the node's folder.
  LPITEMIDLIST GetNodeIdList(TTreeNode* Node);
  Byte GetEffectiveFilter(bool ForceHidden);
  // The selected folder's path; empty for a folder outside the file system.
  String GetPath();
  // Selects the folder the path names below the root; a path that names none changes nothing.
  // Written before the tree has a window, it is kept and applied when the window comes.
  void SetPath(const String& Value);

  TkvInnerShellTreeView* GetInnerTree() const { return FInnerTree; }
  bool GetAutoExpand() const { return FInnerTree->GetAutoExpand(); }
  void SetAutoExpand(bool Value) { FInnerTree->SetAutoExpand(Value); }
  Integer GetChangeDelay() const { return FInnerTree->GetChangeDelay(); }
  void SetChangeDelay(Integer Value) { FInnerTree->SetChangeDelay(Value); }
  TkvDragDropSettings* GetDragDropSettings() const { return FInnerTree->GetDragDropSettings(); }
  // The values are taken; the caller keeps its object.
  void SetDragDropSettings(TkvDragDropSettings* Value) { FInnerTree->GetDragDropSettings()->Assign(Value); }
  bool GetHideSelection() const { return FInnerTree->GetHideSelection(); }
  void SetHideSelection(bool Value) { FInnerTree->SetHideSelection(Value); }
  Integer GetIndent() const { return FInnerTree->GetIndent(); }
  void SetIndent(Integer Value);
  TkvShellTreeViewOptions* GetOptions() const { return FInnerTree->GetOptions(); }
  void SetOptions(TkvShellTreeViewOptions* Value) { FInnerTree->GetOptions()->Assign(Value); }
  bool GetRightClickSelect() const { return FInnerTree->GetRightClickSelect(); }
  void SetRightClickSelect(bool Value) { FInnerTree->SetRightClickSelect(Value); }
  TkvShellTreeRoot* GetRoot() const { return FInnerTree->GetRoot(); }
  // The values are taken; the caller keeps its object.
  void SetRoot(TkvShellTreeRoot* Value) { FInnerTree->GetRoot()->Assign(Value); }
  bool GetShowButtons() const { return FInnerTree->GetShowButtons(); }
  void SetShowButtons(bool Value) { FInnerTree->SetShowButtons(Value); }
  bool GetShowInfoTips() const { return FInnerTree->GetShowInfoTips(); }
  void SetShowInfoTips(bool Value) { FInnerTree->SetShowInfoTips(Value); }
  bool GetShowLines() const { return FInnerTree->GetShowLines(); }
  void SetShowLines(bool Value) { FInnerTree->SetShowLines(Value); }
  bool GetShowRoot() const { return FInnerTree->GetShowRoot(); }
  void SetShowRoot(bool Value) { FInnerTree->SetShowRoot(Value); }
  TCustomImageList* GetStateImages() const { return FInnerTree->GetStateImages(); }
  void SetStateImages(TCustomImageList* Value) { FInnerTree->SetStateImages(Value); }
  // The list view that follows the tree's selection and that the tree follows in turn.
  TkvCustomShellListView* GetShellListView() const { return FShellListView; }
  void SetShellListView(TkvCustomShellListView* Value);
  bool GetTreeHotTrack() const { return FInnerTree->GetHotTrack(); }
  void SetTreeHotTrack(bool Value) { FInnerTree->SetHotTrack(Value); }

  TkvAddFolderEvent GetOnAddFolder() const { return FOnAddFolder; }
  void SetOnAddFolder(TkvAddFolderEvent Value) { FOnAddFolder = Value; }
  TTVChangedEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TTVChangedEvent Value) { FOnChange = Value; }
  TTVChangingEvent GetOnChanging() const { return FOnChanging; }
  void SetOnChanging(TTVChangingEvent Value) { FOnChanging = Value; }
  TTVExpandedEvent GetOnCollapsed() const { return FOnCollapsed; }
  void SetOnCollapsed(TTVExpandedEvent Value) { FOnCollapsed = Value; }
  TTVCollapsingEvent GetOnCollapsing() const { return FOnCollapsing; }
  void SetOnCollapsing(TTVCollapsingEvent Value) { FOnCollapsing = Value; }
  TTVEditedEvent GetOnEdited() const { return FOnEdited; }
  void SetOnEdited(TTVEditedEvent Value) { FOnEdited = Value; }
  TTVEditingEvent GetOnEditing() const { return FOnEditing; }
  void SetOnEditing(TTVEditingEvent Value) { FOnEditing = Value; }
  TTVExpandedEvent GetOnExpanded() const { return FOnExpanded; }
  void SetOnExpanded(TTVExpandedEvent Value) { FOnExpanded = Value; }
  TTVExpandingEvent GetOnExpanding() const { return FOnExpanding; }
  void SetOnExpanding(TTVExpandingEvent Value) { FOnExpanding = Value; }
  TkvShellChangeEvent GetOnShellChange() const { return FOnShellChange; }
  void SetOnShellChange(TkvShellChangeEvent Value) { FOnShellChange = Value; }

  bool UsesScrollBars() override { return true; }
  void ScrollContent(TScrollBarKind Kind, TScrollCode ScrollCode, Integer& Position) override;
  void SetFocus() override;

 protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DoExit() override;

 private:
  // Relays of the inner tree's events, with the container as Sender.
  void RelayAddFolder(TObject*, TkvShellFolder* Folder, bool& CanAdd) { FOnAddFolder(this, Folder, CanAdd); }
  void RelayChange(TObject*, TTreeNode* Node);
  void RelayChanging(TObject*, TTreeNode* Node, bool& Allow) { FOnChanging(this, Node, Allow); }
  void RelayCollapsed(TObject*, TTreeNode* Node);
  void RelayCollapsing(TObject*, TTreeNode* Node, bool& Allow) { FOnCollapsing(this, Node, Allow); }
  void RelayEdited(TObject*, TTreeNode* Node, String& S);
  void RelayEditing(TObject*, TTreeNode* Node, bool& Allow) { FOnEditing(this, Node, Allow); }
  void RelayExpanded(TObject*, TTreeNode* Node);
  void RelayExpanding(TObject*, TTreeNode* Node, bool& Allow) { FOnExpanding(this, Node, Allow); }
  void RelayShellChange(TObject*, Cardinal Event, LPCITEMIDLIST First, LPCITEMIDLIST Second) {
    FOnShellChange(this, Event, First, Second);
  }
  // Runs a relayed event, then updates the scroll bars, also when the handler fails.
  template <class F>
  void RelayThenUpdate(F&& Fire);
  void ApplyPendingPath();

  TkvInnerShellTreeView* FInnerTree = nullptr;
  TkvCustomShellListView* FShellListView = nullptr;
  String FPendingPath;
  bool FPathPending = false;
  TkvAddFolderEvent FOnAddFolder;
  TTVChangedEvent FOnChange;
  TTVChangingEvent FOnChanging;
  TTVExpandedEvent FOnCollapsed;
  TTVCollapsingEvent FOnCollapsing;
  TTVEditedEvent FOnEdited;
  TTVEditingEvent FOnEditing;
  TTVExpandedEvent FOnExpanded;
  TTVExpandingEvent FOnExpanding;
  TkvShellChangeEvent FOnShellChange;
};

class TkvShellTreeView : public TkvCustomShellTreeView {
  TAVREN_CLASS(TkvShellTreeView, TkvCustomShellTreeView)
 public:
  using TkvCustomShellTreeView::TkvCustomShellTreeView;
};

void kvShellTreeViewStart();
void kvShellTreeViewEnd();
