#pragma once
// The tree-view combo: a bar item whose value is the caption of one node of a tree. Its drop-down
// is the tree in a popup window with a size grip and a close button in its frame; a click on the
// item opens a "Select item" dialog with a copy of the tree.

#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarItemControlCombos.h"
#include "toolkit/bars/qzBarItems.h"
#include "vcl/ComCtrls.h"

class TqzBarTreeViewCombo;

using TqzBarCanSelectNodeEvent = TEvent<void(TObject* Sender, TTreeNode* Node, bool& Allow)>;

// The smallest drop-down tree, set or dragged, either way.
constexpr Integer qzTreeDropDownMinSize = 100;

// The combo's tree: its drop-down (a popup that never takes the focus) or the dialog's tree.
class TqzBarTreeView : public TCustomTreeView {
  TAVREN_CLASS(TqzBarTreeView, TCustomTreeView)
 public:
  TqzBarTreeView(TComponent* AOwner, TqzBarTreeViewCombo* ACombo, bool AIsPopup);
  // A drop-down freed with its parent form leaves its item without one.
  ~TqzBarTreeView() override;
  TqzBarTreeViewCombo* GetCombo() const noexcept { return FCombo; }
  bool GetIsPopup() const noexcept { return FIsPopup; }
  // The selected node becomes the item's value when the item lets it: the drop-down closes, the
  // dialog closes with OK.
  void ChooseNode();
  // The popup's frame: 1 pixel round, and the grip band when the item allows resizing.
  TSize FrameSize() const;
  // Screen rectangles of the grip and the close button as last drawn (empty before).
  const TRect& GetGripRect() const noexcept { return FGripRect; }
  const TRect& GetCloseButtonRect() const noexcept { return FCloseButtonRect; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  void Change(TTreeNode* Node) override;
  void Delete(TTreeNode* Node) override;
  void Click() override;
  void DblClick() override;

 private:
  bool Sizable() const;
  // The control of the link the tree drops from (nil while it is not dropped down) and the painter
  // that frames the popup: that control's, else the manager's.
  TqzBarItemControl* DroppedFromControl() const;
  TqzBarPainter* FramePainter() const;
  // A node's label, icon or state icon at the client point.
  bool IsOnNode(const TPoint& P);
  void PaintFrame();
  void SetCloseButtonState(bool AHot, bool ATracking);
  // Non-client hit test: the grip's sizing code, the close button as a border, else the window's.
  bool FrameHitTest(TMessage& Message);
  // The grip drags the edges of its corner; the others stay.
  void SizeTo(const TPoint& AScreenPoint);

  TqzBarTreeViewCombo* FCombo;
  bool FIsPopup;
  TqzGripCorner FGripCorner = gcBottomRight;
  TRect FGripRect;
  TRect FCloseButtonRect;
  bool FCloseButtonHot = false;
  bool FCloseButtonTracking = false;
  // While the grip is dragged: where the press fell (screen) and the window's place then.
  bool FSizing = false;
  TPoint FSizeStart;
  TRect FSizeStartRect;
  // Where the last press or double click fell, client coordinates.
  TPoint FPressPoint;
};

class TqzBarTreeViewCombo : public TCustomqzBarCombo {
  TAVREN_CLASS(TqzBarTreeViewCombo, TCustomqzBarCombo)
 public:
  explicit TqzBarTreeViewCombo(TComponent* AOwner);
  ~TqzBarTreeViewCombo() override;

  // Depth first over the tree, the first node whose caption is the text ignoring case; nil (also
  // without a tree).
  static TTreeNode* FindNode(TCustomTreeView* ATree, const String& AText);
  // The text becomes the selected node's caption (or empty); the same text reports a change.
  virtual void SelectedNodeChanged();
  // True unless OnCanSelectNode refuses the node.
  bool CanSelectNode(TTreeNode* ANode);
  // The drop-down tree; nil once its parent form has freed it.
  TqzBarTreeView* GetTreeView() const noexcept { return FTreeView; }
  TTreeNode* GetSelectedNode() const noexcept { return FSelectedNode; }
  void SetSelectedNode(TTreeNode* Value);
  // The node deleted from the tree is no longer the value's node; the text stays.
  void NodeDeleted(TTreeNode* ANode);
  void TreeViewDestroyed(TqzBarTreeView* ATree);

  // A text set from outside selects the node it names.
  void SetText(const String& Value) override;
  bool KeyGoesToDropDown(Word AKey, TShiftState AShift) override;
  HWND GetDropDownHandle() override;
  void OpenDropDownAt(Integer X, Integer Y) override;
  // The node's state image and image before the text.
  void DrawEditArea(TqzBarItemControl* AControl, TkvCanvas* ACanvas, const TRect& R) override;
  // With no OnClick and not read-only, the "Select item" dialog.
  void FireClick() override;

  bool GetAllowResizing() const noexcept { return FAllowResizing; }
  void SetAllowResizing(bool Value) { FAllowResizing = Value; }
  bool GetChooseByDblClick() const noexcept { return FChooseByDblClick; }
  void SetChooseByDblClick(bool Value) { FChooseByDblClick = Value; }
  Integer GetDropDownHeight() const { return FTreeView->GetHeight(); }
  void SetDropDownHeight(Integer Value) { FTreeView->SetHeight(std::max(Value, qzTreeDropDownMinSize)); }
  Integer GetDropDownWidth() const { return FTreeView->GetWidth(); }
  void SetDropDownWidth(Integer Value) { FTreeView->SetWidth(std::max(Value, qzTreeDropDownMinSize)); }
  bool GetFullExpand() const noexcept { return FFullExpand; }
  void SetFullExpand(bool Value) { FFullExpand = Value; }
  TCustomImageList* GetImages() const { return FTreeView->GetImages(); }
  void SetImages(TCustomImageList* Value);
  TCustomImageList* GetStateImages() const { return FTreeView->GetStateImages(); }
  void SetStateImages(TCustomImageList* Value);
  Integer GetIndent() const { return FTreeView->GetIndent(); }
  void SetIndent(Integer Value) { FTreeView->SetIndent(Value); }
  TTreeNodes* GetItems() const { return FTreeView->GetItems(); }
  void SetItems(TTreeNodes* Value) { FTreeView->SetItems(Value); }
  bool GetShowButtons() const { return FTreeView->GetShowButtons(); }
  void SetShowButtons(bool Value) { FTreeView->SetShowButtons(Value); }
  bool GetShowLines() const { return FTreeView->GetShowLines(); }
  void SetShowLines(bool Value) { FTreeView->SetShowLines(Value); }
  bool GetShowRoot() const { return FTreeView->GetShowRoot(); }
  void SetShowRoot(bool Value) { FTreeView->SetShowRoot(Value); }
  TSortType GetSortType() const { return FTreeView->GetSortType(); }
  void SetSortType(TSortType Value) { FTreeView->SetSortType(Value); }
  bool GetShowImageInEdit() const noexcept { return FShowImageInEdit; }
  void SetShowImageInEdit(bool Value);

  TTVExpandedEvent GetOnExpanded() const { return FTreeView->GetOnExpanded(); }
  void SetOnExpanded(TTVExpandedEvent Value) { FTreeView->SetOnExpanded(Value); }
  TTVExpandingEvent GetOnExpanding() const { return FTreeView->GetOnExpanding(); }
  void SetOnExpanding(TTVExpandingEvent Value) { FTreeView->SetOnExpanding(Value); }
  TTVChangingEvent GetOnChanging() const { return FTreeView->GetOnChanging(); }
  void SetOnChanging(TTVChangingEvent Value) { FTreeView->SetOnChanging(Value); }
  TTVExpandedEvent GetOnCollapsed() const { return FTreeView->GetOnCollapsed(); }
  void SetOnCollapsed(TTVExpandedEvent Value) { FTreeView->SetOnCollapsed(Value); }
  TTVCollapsingEvent GetOnCollapsing() const { return FTreeView->GetOnCollapsing(); }
  void SetOnCollapsing(TTVCollapsingEvent Value) { FTreeView->SetOnCollapsing(Value); }
  TTVCompareEvent GetOnCompare() const { return FTreeView->GetOnCompare(); }
  void SetOnCompare(TTVCompareEvent Value) { FTreeView->SetOnCompare(Value); }
  TTVExpandedEvent GetOnGetImageIndex() const { return FTreeView->GetOnGetImageIndex(); }
  void SetOnGetImageIndex(TTVExpandedEvent Value) { FTreeView->SetOnGetImageIndex(Value); }
  TTVExpandedEvent GetOnGetSelectedIndex() const { return FTreeView->GetOnGetSelectedIndex(); }
  void SetOnGetSelectedIndex(TTVExpandedEvent Value) { FTreeView->SetOnGetSelectedIndex(Value); }
  TTVChangedEvent GetOnTreeViewChange() const { return FTreeView->GetOnChange(); }
  void SetOnTreeViewChange(TTVChangedEvent Value) { FTreeView->SetOnChange(Value); }
  TqzBarCanSelectNodeEvent GetOnCanSelectNode() const { return FOnCanSelectNode; }
  void SetOnCanSelectNode(TqzBarCanSelectNodeEvent Value) { FOnCanSelectNode = Value; }

 protected:
  void Loaded() override;

 private:
  void RunDialog();

  TqzBarTreeView* FTreeView = nullptr;
  TTreeNode* FSelectedNode = nullptr;
  // Set while the selected node writes the text.
  bool FApplyingNode = false;
  bool FAllowResizing = true;
  bool FChooseByDblClick = true;
  bool FFullExpand = false;
  bool FShowImageInEdit = true;
  TqzBarCanSelectNodeEvent FOnCanSelectNode;
};

class TqzBarTreeViewComboControl : public TCustomqzBarComboControl {
  TAVREN_CLASS(TqzBarTreeViewComboControl, TCustomqzBarComboControl)
 public:
  using TCustomqzBarComboControl::TCustomqzBarComboControl;
  TqzBarTreeViewCombo* GetTreeViewCombo() const { return dynamic_cast<TqzBarTreeViewCombo*>(GetItem()); }
  // Room for the node images in a bar that does not turn its items.
  Integer GetHeight() override;
  // The drop-down tree starts at the item's node.
  void SetInPlaceActive(bool AFlag) override;
};
