#pragma once
// The framework's common controls unit: the list view (report view over the SysListView32
// class), the tree view (SysTreeView32) and the header control (SysHeader32).
//
// A list view keeps its items as TListItem objects and its columns as a collection; the window
// holds their texts and states while it exists and is filled from them when it is made. With
// OwnerData the list view holds no items: it has a count, and OnData fills a passing TListItem
// for each row the window asks about. A tree view keeps its nodes itself (TTreeNodes): they
// exist before the window and outlive it, and the window shows them while it exists, each window
// item carrying its TTreeNode.

#include <memory>
#include <vector>

#include "controls/ListView.h"
#include "controls/TreeView.h"
#include "rtl/Collection.h"
#include "rtl/StringList.h"
#include "vcl/Controls.h"
#include "vcl/ImgList.h"
#include "vcl/ComCtrlsPages.h"
#include "vcl/StdCtrls.h"

class TCustomListView;
class TListItem;
class TListItems;
class TListColumn;
class TCustomTreeView;
class TStream;
class TTreeNode;
class TTreeNodes;
class TCustomHeaderControl;
class THeaderSection;

// ---- List view ----------------------------------------------------------------------------------

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
TAVREN_ENUM_INFO(TViewStyle, vsIcon, vsSmallIcon, vsList, vsReport);
enum TItemChange { ctText, ctImage, ctState };
enum TDisplayCode { drBounds, drIcon, drLabel, drSelectBounds };
enum TItemStateItem { isNone, isCut, isDropHilited, isFocused, isSelected, isActivating };
using TItemStates = TSet<TItemStateItem, 8>;
enum TCustomDrawStateItem { cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot,
                            cdsMarked, cdsIndeterminate };
using TCustomDrawState = TSet<TCustomDrawStateItem, 16>;

using TLVChangeEvent = TEvent<void(TObject* Sender, TListItem* Item, TItemChange Change)>;
using TLVChangingEvent = TEvent<void(TObject* Sender, TListItem* Item, TItemChange Change, bool& AllowChange)>;
using TLVSelectItemEvent = TEvent<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVColumnClickEvent = TEvent<void(TObject* Sender, TListColumn* Column)>;
using TLVEditingEvent = TEvent<void(TObject* Sender, TListItem* Item, bool& AllowEdit)>;
using TLVEditedEvent = TEvent<void(TObject* Sender, TListItem* Item, String& S)>;
using TLVInfoTipEvent = TEvent<void(TObject* Sender, TListItem* Item, String& InfoTip)>;
using TLVOwnerDataEvent = TEvent<void(TObject* Sender, TListItem* Item)>;
using TLVDeletedEvent = TEvent<void(TObject* Sender, TListItem* Item)>;
using TLVCustomDrawItemEvent =
    TEvent<void(TCustomListView* Sender, TListItem* Item, TCustomDrawState State, bool& DefaultDraw)>;
enum TSortType { stNone, stData, stText, stBoth };
TAVREN_ENUM_INFO(TSortType, stNone, stData, stText, stBoth);
// Scoped: the bars' item alignment owns the plain name iaLeft. Streams as "iaTop" and "iaLeft".
enum class TIconArrangement { iaTop, iaLeft };
template <>
struct TTypeInfoOf<TIconArrangement> {
  static constexpr TTypeInfo Info{tkEnumeration, "TIconArrangement", 0, 1, "iaTop, iaLeft"};
};
enum TCustomDrawStage { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };
enum TItemFind { ifData, ifPartialString, ifExactString, ifNearest };
enum TSearchDirection { sdLeft, sdRight, sdAbove, sdBelow, sdAll };
using TLVCompareEvent = TEvent<void(TObject* Sender, TListItem* Item1, TListItem* Item2, Integer Data, Integer& Compare)>;
using TLVColumnRClickEvent = TEvent<void(TObject* Sender, TListColumn* Column, TPoint Point)>;
using TLVCustomDrawEvent = TEvent<void(TCustomListView* Sender, const TRect& ARect, bool& DefaultDraw)>;
using TLVCustomDrawSubItemEvent = TEvent<void(TCustomListView* Sender, TListItem* Item, Integer SubItem,
                                              TCustomDrawState State, bool& DefaultDraw)>;
using TLVAdvancedCustomDrawEvent =
    TEvent<void(TCustomListView* Sender, const TRect& ARect, TCustomDrawStage Stage, bool& DefaultDraw)>;
using TLVAdvancedCustomDrawItemEvent = TEvent<void(TCustomListView* Sender, TListItem* Item, TCustomDrawState State,
                                                   TCustomDrawStage Stage, bool& DefaultDraw)>;
using TLVAdvancedCustomDrawSubItemEvent =
    TEvent<void(TCustomListView* Sender, TListItem* Item, Integer SubItem, TCustomDrawState State,
                TCustomDrawStage Stage, bool& DefaultDraw)>;
using TLVOwnerDataFindEvent =
    TEvent<void(TObject* Sender, TItemFind Find, const String& FindString, const TPoint& FindPosition, void* FindData,
                Integer StartIndex, TSearchDirection Direction, bool Wrap, Integer& Index)>;
using TLVOwnerDataHintEvent = TEvent<void(TObject* Sender, Integer StartIndex, Integer EndIndex)>;
using TLVOwnerDataStateChangeEvent = TEvent<void(TObject* Sender, Integer StartIndex, Integer EndIndex,
                                                 TItemStates OldState, TItemStates NewState)>;
using TLVDrawItemEvent = TEvent<void(TCustomListView* Sender, TListItem* Item, TRect Rect, TOwnerDrawState State)>;
using TLVNotifyEvent = TEvent<void(TObject* Sender, TListItem* Item)>;
using TLVSubItemImageEvent = TEvent<void(TObject* Sender, TListItem* Item, Integer SubItem, Integer& ImageIndex)>;
using TListItemClass = TClassOf<TListItem>;
using TLVCreateItemClassEvent = TEvent<void(TCustomListView* Sender, TListItemClass& ItemClass)>;

// The icon views' arrangement, kept by the list view and applied as window styles.
class TIconOptions : public TPersistent {
  TAVREN_CLASS(TIconOptions, TPersistent)
 public:
  explicit TIconOptions(TCustomListView* AOwner) : FListView(AOwner) {}
  void Assign(TPersistent* Source) override;
  TIconArrangement GetArrangement() const { return FArrangement; }
  void SetArrangement(TIconArrangement Value);
  bool GetAutoArrange() const { return FAutoArrange; }
  void SetAutoArrange(bool Value);
  bool GetWrapText() const { return FWrapText; }
  void SetWrapText(bool Value);

 private:
  TCustomListView* FListView;
  TIconArrangement FArrangement = TIconArrangement::iaTop;
  bool FAutoArrange = false;
  bool FWrapText = true;
};

class TListColumn : public TCollectionItem {
  TAVREN_CLASS(TListColumn, TCollectionItem)
 public:
  explicit TListColumn(TCollection* Collection);
  void Assign(TPersistent* Source) override;
  String GetDisplayName() override;

  String GetCaption() const { return FCaption; }
  void SetCaption(const String& Value);
  Integer GetWidth();
  void SetWidth(Integer Value);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // The column's image in the small-image list; -1 for none.
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);

 private:
  friend class TCustomListView;
  String FCaption;
  Integer FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
  Integer FImageIndex = -1;
};

class TListColumns : public TOwnedCollection {
  TAVREN_CLASS(TListColumns, TOwnedCollection)
 public:
  explicit TListColumns(TCustomListView* AOwner);
  TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
  TListColumn* GetItems(Integer Index) const { return static_cast<TListColumn*>(TCollection::GetItems(Index)); }
  TCustomListView* GetOwner() const { return FListView; }

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TCustomListView* FListView;
};

class TListItem : public TPersistent {
  TAVREN_CLASS(TListItem, TPersistent)
 public:
  using TCreateArg = TListItems*;
  explicit TListItem(TListItems* AOwner);
  ~TListItem() override;
  void Assign(TPersistent* Source) override;

  void Delete();
  void MakeVisible(bool PartialOK);
  // The item's rectangle in the list view's client coordinates.
  TRect DisplayRect(TDisplayCode Code);

  String GetCaption() const { return FCaption; }
  void SetCaption(const String& Value);
  TStrings* GetSubItems() const { return FSubItems.get(); }
  void SetSubItems(TStrings* Value) { FSubItems->Assign(Value); }
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  void* GetData() const { return FData; }
  void SetData(void* Value) { FData = Value; }
  bool GetSelected() { return GetState(LVIS_SELECTED); }
  void SetSelected(bool Value) { SetState(LVIS_SELECTED, Value); }
  bool GetFocused() { return GetState(LVIS_FOCUSED); }
  void SetFocused(bool Value) { SetState(LVIS_FOCUSED, Value); }
  bool GetCut() { return GetState(LVIS_CUT); }
  void SetCut(bool Value) { SetState(LVIS_CUT, Value); }
  bool GetDropTarget() { return GetState(LVIS_DROPHILITED); }
  void SetDropTarget(bool Value) { SetState(LVIS_DROPHILITED, Value); }
  // The check box of a list view with Checkboxes: the second state image.
  bool GetChecked();
  void SetChecked(bool Value);
  // The item's row; -1 once it left its list.
  Integer GetIndex() const;
  TListItems* GetOwner() const { return FOwner; }
  TCustomListView* GetListView() const;

 private:
  friend class TListItems;
  friend class TCustomListView;
  bool GetState(UINT State);
  void SetState(UINT State, bool Value);
  void SubItemsChanged(TObject* Sender);
  TListItems* FOwner;
  String FCaption;
  std::unique_ptr<TStringList> FSubItems;
  Integer FImageIndex = -1;
  void* FData = nullptr;
  UINT FStates = 0;       // selection, focus and check while there is no window
  Integer FIndex = -1;    // for an owner-data item: the row it stands for
};

class TListItems : public TPersistent {
  TAVREN_CLASS(TListItems, TPersistent)
 public:
  explicit TListItems(TCustomListView* AOwner);
  ~TListItems() override;

  TListItem* Add() { return Insert(GetCount()); }
  TListItem* Insert(Integer Index);
  void Delete(Integer Index);
  void Clear();
  void BeginUpdate();
  void EndUpdate();
  // With OwnerData the count is set, not grown by adding.
  Integer GetCount() const;
  void SetCount(Integer Value);
  // With OwnerData, a passing item that OnData filled for the row.
  TListItem* GetItem(Integer Index);
  TCustomListView* GetOwner() const { return FOwner; }
  Integer IndexOf(const TListItem* Item) const;

 private:
  friend class TListItem;
  friend class TCustomListView;
  TCustomListView* FOwner;
  std::vector<std::unique_ptr<TListItem>> FItems;
  std::unique_ptr<TListItem> FTempItem;  // the owner-data row in hand
  Integer FOwnerDataCount = 0;
  Integer FUpdateCount = 0;
  bool FClearing = false;
};

class TCustomListView : public TWinControl {
  TAVREN_CLASS(TCustomListView, TWinControl)
  TAVREN_MESSAGES()
 public:
  explicit TCustomListView(TComponent* AOwner);
  ~TCustomListView() override;

  // The item at a client point (in any column with RowSelect, else on its label); nullptr where none is.
  TListItem* GetItemAt(Integer X, Integer Y);
  TListItem* GetSelected();
  void SetSelected(TListItem* Value);
  TListItem* GetItemFocused();
  void SetItemFocused(TListItem* Value);
  Integer GetSelCount();
  void ClearSelection();
  TListItem* GetTopItem();
  Integer GetVisibleRowCount();
  void Scroll(Integer DX, Integer DY);
  bool IsEditing();
  // Sorts the items by caption (through OnCompare when assigned).
  bool AlphaSort();
  bool CustomSort(TLVCompareEvent Compare, Integer Data);
  // Deletes the selected items (none while the list is read-only is the caller's choice).
  virtual void DeleteSelected();

  TListColumns* GetColumns() const { return FColumns.get(); }
  void SetColumns(TListColumns* Value) { FColumns->Assign(Value); }
  TListItems* GetItems() const { return FItems.get(); }
  void SetItems(TListItems* Value) { FItems->Assign(Value); }
  TViewStyle GetViewStyle() const { return FViewStyle; }
  void SetViewStyle(TViewStyle Value);
  bool GetGridLines() const { return FGridLines; }
  void SetGridLines(bool Value);
  bool GetRowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool GetMultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool GetOwnerData() const { return FOwnerData; }
  void SetOwnerData(bool Value);
  bool GetShowColumnHeaders() const { return FShowColumnHeaders; }
  void SetShowColumnHeaders(bool Value);
  bool GetColumnClick() const { return FColumnClick; }
  void SetColumnClick(bool Value);
  TCustomImageList* GetSmallImages() const { return FSmallImages; }
  void SetSmallImages(TCustomImageList* Value);
  TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  Integer GetAllocBy() const { return FAllocBy; }
  void SetAllocBy(Integer Value);
  bool GetCheckboxes() const { return FCheckboxes; }
  void SetCheckboxes(bool Value);
  bool GetHotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value);
  Integer GetHoverTime();
  void SetHoverTime(Integer Value);
  TIconOptions* GetIconOptions() const { return FIconOptions.get(); }
  void SetIconOptions(TIconOptions* Value) { FIconOptions->Assign(Value); }
  Integer GetItemIndex();
  void SetItemIndex(Integer Value);
  TCustomImageList* GetLargeImages() const { return FLargeImages; }
  void SetLargeImages(TCustomImageList* Value);
  TCustomImageList* GetStateImages() const { return FStateImages; }
  void SetStateImages(TCustomImageList* Value);
  bool GetOwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool Value);
  bool GetShowWorkAreas() const { return FShowWorkAreas; }
  void SetShowWorkAreas(bool Value) { FShowWorkAreas = Value; }
  TSortType GetSortType() const { return FSortType; }
  void SetSortType(TSortType Value);

  TLVChangeEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TLVChangeEvent Value) { FOnChange = Value; }
  TLVChangingEvent GetOnChanging() const { return FOnChanging; }
  void SetOnChanging(TLVChangingEvent Value) { FOnChanging = Value; }
  TLVSelectItemEvent GetOnSelectItem() const { return FOnSelectItem; }
  void SetOnSelectItem(TLVSelectItemEvent Value) { FOnSelectItem = Value; }
  TLVColumnClickEvent GetOnColumnClick() const { return FOnColumnClick; }
  void SetOnColumnClick(TLVColumnClickEvent Value) { FOnColumnClick = Value; }
  TLVEditingEvent GetOnEditing() const { return FOnEditing; }
  void SetOnEditing(TLVEditingEvent Value) { FOnEditing = Value; }
  TLVEditedEvent GetOnEdited() const { return FOnEdited; }
  void SetOnEdited(TLVEditedEvent Value) { FOnEdited = Value; }
  TLVInfoTipEvent GetOnInfoTip() const { return FOnInfoTip; }
  void SetOnInfoTip(TLVInfoTipEvent Value) { FOnInfoTip = Value; }
  TLVOwnerDataEvent GetOnData() const { return FOnData; }
  void SetOnData(TLVOwnerDataEvent Value) { FOnData = Value; }
  TLVDeletedEvent GetOnDeletion() const { return FOnDeletion; }
  void SetOnDeletion(TLVDeletedEvent Value) { FOnDeletion = Value; }
  TLVCustomDrawItemEvent GetOnCustomDrawItem() const { return FOnCustomDrawItem; }
  void SetOnCustomDrawItem(TLVCustomDrawItemEvent Value) { FOnCustomDrawItem = Value; }
  TLVAdvancedCustomDrawEvent GetOnAdvancedCustomDraw() const { return FOnAdvancedCustomDraw; }
  void SetOnAdvancedCustomDraw(TLVAdvancedCustomDrawEvent Value) { FOnAdvancedCustomDraw = Value; }
  TLVAdvancedCustomDrawItemEvent GetOnAdvancedCustomDrawItem() const { return FOnAdvancedCustomDrawItem; }
  void SetOnAdvancedCustomDrawItem(TLVAdvancedCustomDrawItemEvent Value) { FOnAdvancedCustomDrawItem = Value; }
  TLVAdvancedCustomDrawSubItemEvent GetOnAdvancedCustomDrawSubItem() const { return FOnAdvancedCustomDrawSubItem; }
  void SetOnAdvancedCustomDrawSubItem(TLVAdvancedCustomDrawSubItemEvent Value) { FOnAdvancedCustomDrawSubItem = Value; }
  TNotifyEvent GetOnColumnDragged() const { return FOnColumnDragged; }
  void SetOnColumnDragged(TNotifyEvent Value) { FOnColumnDragged = Value; }
  TLVColumnRClickEvent GetOnColumnRightClick() const { return FOnColumnRightClick; }
  void SetOnColumnRightClick(TLVColumnRClickEvent Value) { FOnColumnRightClick = Value; }
  TLVCompareEvent GetOnCompare() const { return FOnCompare; }
  void SetOnCompare(TLVCompareEvent Value) { FOnCompare = Value; }
  TLVCreateItemClassEvent GetOnCreateItemClass() const { return FOnCreateItemClass; }
  void SetOnCreateItemClass(TLVCreateItemClassEvent Value) { FOnCreateItemClass = Value; }
  TLVCustomDrawEvent GetOnCustomDraw() const { return FOnCustomDraw; }
  void SetOnCustomDraw(TLVCustomDrawEvent Value) { FOnCustomDraw = Value; }
  TLVCustomDrawSubItemEvent GetOnCustomDrawSubItem() const { return FOnCustomDrawSubItem; }
  void SetOnCustomDrawSubItem(TLVCustomDrawSubItemEvent Value) { FOnCustomDrawSubItem = Value; }
  TLVOwnerDataFindEvent GetOnDataFind() const { return FOnDataFind; }
  void SetOnDataFind(TLVOwnerDataFindEvent Value) { FOnDataFind = Value; }
  TLVOwnerDataHintEvent GetOnDataHint() const { return FOnDataHint; }
  void SetOnDataHint(TLVOwnerDataHintEvent Value) { FOnDataHint = Value; }
  TLVOwnerDataStateChangeEvent GetOnDataStateChange() const { return FOnDataStateChange; }
  void SetOnDataStateChange(TLVOwnerDataStateChangeEvent Value) { FOnDataStateChange = Value; }
  TLVDrawItemEvent GetOnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(TLVDrawItemEvent Value) { FOnDrawItem = Value; }
  TLVNotifyEvent GetOnGetImageIndex() const { return FOnGetImageIndex; }
  void SetOnGetImageIndex(TLVNotifyEvent Value) { FOnGetImageIndex = Value; }
  TLVSubItemImageEvent GetOnGetSubItemImage() const { return FOnGetSubItemImage; }
  void SetOnGetSubItemImage(TLVSubItemImageEvent Value) { FOnGetSubItemImage = Value; }
  TLVDeletedEvent GetOnInsert() const { return FOnInsert; }
  void SetOnInsert(TLVDeletedEvent Value) { FOnInsert = Value; }
  TCanvas* GetCanvas() const { return FCanvas.get(); }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual void OwnerDataFetch(TListItem* Item) { FOnData(this, Item); }
  // Label editing: whether it may start, whether a change may happen, and applying an edited text.
  virtual bool CanEdit(TListItem* Item);
  virtual bool CanChange(TListItem* Item, TItemChange Change);
  virtual void Edit(const LVITEM& Item);
  void CNNotify(TMessage& Message);
  void CNDrawItem(TMessage& Message);

 private:
  friend class TListItem;
  friend class TListItems;
  friend class TListColumns;
  friend class TListColumn;
  HWND Window() const { return HandleAllocated() ? FHandle : nullptr; }
  void UpdateColumns();
  void UpdateColumn(Integer Index);
  void InsertItemWindow(TListItem* Item, Integer Index);
  void UpdateItemWindow(TListItem* Item);
  void UpdateExtendedStyle();
  void UpdateStyle(DWORD Flag, bool On);
  // The item a notification names: the object for ordinary rows, the fetched one for owner data.
  TListItem* ItemOf(int Index);
  void FillDispInfo(NMLVDISPINFO* Info);
  LRESULT CustomDrawNotify(NMLVCUSTOMDRAW* Draw);
  friend class TIconOptions;
  void UpdateIconStyles();
  void SortItems(const TLVCompareEvent& Compare, Integer Data);

  std::unique_ptr<TListColumns> FColumns;
  std::unique_ptr<TListItems> FItems;
  std::unique_ptr<TCanvas> FCanvas;
  TViewStyle FViewStyle = vsIcon;
  bool FGridLines = false;
  bool FRowSelect = false;
  bool FReadOnly = false;
  bool FHideSelection = true;
  bool FMultiSelect = false;
  bool FOwnerData = false;
  bool FShowColumnHeaders = true;
  bool FColumnClick = true;
  TCustomImageList* FSmallImages = nullptr;
  TCustomImageList* FLargeImages = nullptr;
  TCustomImageList* FStateImages = nullptr;
  std::unique_ptr<TIconOptions> FIconOptions;
  TFormBorderStyle FBorderStyle = bsSingle;
  Integer FAllocBy = 0;
  bool FCheckboxes = false;
  bool FHotTrack = false;
  Integer FHoverTime = -1;
  bool FOwnerDraw = false;
  bool FShowWorkAreas = false;
  TSortType FSortType = stNone;
  String FDispText;  // text handed to the window for the row it asked about
  TLVChangeEvent FOnChange;
  TLVChangingEvent FOnChanging;
  TLVSelectItemEvent FOnSelectItem;
  TLVColumnClickEvent FOnColumnClick;
  TLVEditingEvent FOnEditing;
  TLVEditedEvent FOnEdited;
  TLVInfoTipEvent FOnInfoTip;
  TLVOwnerDataEvent FOnData;
  TLVDeletedEvent FOnDeletion;
  TLVCustomDrawItemEvent FOnCustomDrawItem;
  TLVAdvancedCustomDrawEvent FOnAdvancedCustomDraw;
  TLVAdvancedCustomDrawItemEvent FOnAdvancedCustomDrawItem;
  TLVAdvancedCustomDrawSubItemEvent FOnAdvancedCustomDrawSubItem;
  TNotifyEvent FOnColumnDragged;
  TLVColumnRClickEvent FOnColumnRightClick;
  TLVCompareEvent FOnCompare;
  TLVCreateItemClassEvent FOnCreateItemClass;
  TLVCustomDrawEvent FOnCustomDraw;
  TLVCustomDrawSubItemEvent FOnCustomDrawSubItem;
  TLVOwnerDataFindEvent FOnDataFind;
  TLVOwnerDataHintEvent FOnDataHint;
  TLVOwnerDataStateChangeEvent FOnDataStateChange;
  TLVDrawItemEvent FOnDrawItem;
  TLVNotifyEvent FOnGetImageIndex;
  TLVSubItemImageEvent FOnGetSubItemImage;
  TLVDeletedEvent FOnInsert;
};

class TListView : public TCustomListView {
  TAVREN_CLASS(TListView, TCustomListView)
 public:
  using TCustomListView::TCustomListView;
};

// ---- Tree view ----------------------------------------------------------------------------------

using TTVChangedEvent = TEvent<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = TEvent<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVExpandingEvent = TEvent<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent = TEvent<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;
using TTVExpandedEvent = TEvent<void(TObject* Sender, TTreeNode* Node)>;
using TTVEditingEvent = TEvent<void(TObject* Sender, TTreeNode* Node, bool& AllowEdit)>;
using TTVEditedEvent = TEvent<void(TObject* Sender, TTreeNode* Node, String& S)>;
// Compare below 0 puts Node1 first.
using TTVCompareEvent =
    TEvent<void(TObject* Sender, TTreeNode* Node1, TTreeNode* Node2, Integer Data, Integer& Compare)>;

class TTreeNode : public TPersistent {
  TAVREN_CLASS(TTreeNode, TPersistent)
 public:
  explicit TTreeNode(TTreeNodes* AOwner);
  ~TTreeNode() override;
  // Text, data, images and states of the source node; not its children.
  void Assign(TPersistent* Source) override;

  void Delete();
  void DeleteChildren();
  void Expand(bool Recurse);
  void Collapse(bool Recurse);
  void MakeVisible();
  // Puts the children in the order the tree's OnCompare (else their texts) gives.
  void AlphaSort(bool ARecurse = false);
  TRect DisplayRect(bool TextOnly);
  TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front(); }
  TTreeNode* GetLastChild() const { return FChildren.empty() ? nullptr : FChildren.back(); }
  // The next node in the whole tree, depth first (nullptr after the last).
  TTreeNode* GetNext();
  TTreeNode* getNextSibling();
  TTreeNode* getPrevSibling();
  TTreeNode* GetNextSibling() { return getNextSibling(); }
  TTreeNode* GetPrevSibling() { return getPrevSibling(); }
  bool HasAsParent(TTreeNode* Value);

  String GetText() const { return FText; }
  void SetText(const String& Value);
  void* GetData() const { return FData; }
  void SetData(void* Value);
  // An expand button before the node has children (children on demand); always with children.
  bool GetHasChildren();
  void SetHasChildren(bool Value);
  bool GetExpanded();
  void SetExpanded(bool Value);
  bool GetSelected();
  void SetSelected(bool Value);
  bool GetFocused() { return GetSelected(); }
  // Shown ghosted, as cut to the clipboard.
  bool GetCut() { return StateBits(TVIS_CUT) != 0; }
  void SetCut(bool Value) { SetState(TVIS_CUT, Value ? TVIS_CUT : 0); }
  bool GetDropTarget() { return StateBits(TVIS_DROPHILITED) != 0; }
  void SetDropTarget(bool Value) { SetState(TVIS_DROPHILITED, Value ? TVIS_DROPHILITED : 0); }
  // The overlay image drawn over the node's image (1 based in the image list's overlays); -1 none.
  Integer GetOverlayIndex();
  void SetOverlayIndex(Integer Value);
  // The image of the tree's StateImages drawn left of the node's image; -1 none. Image 0 of the
  // state list is never drawn: the window keeps 0 for "no state image".
  Integer GetStateIndex();
  void SetStateIndex(Integer Value);
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  Integer GetSelectedIndex() const { return FSelectedIndex; }
  void SetSelectedIndex(Integer Value);
  TTreeNode* GetParent() const { return FParent; }
  Integer GetCount() const { return static_cast<Integer>(FChildren.size()); }
  TTreeNode* GetItem(Integer Index);
  Integer GetIndex();
  Integer GetLevel();
  Integer GetAbsoluteIndex();
  // The node's item in the tree's window; nullptr while the tree has no window.
  HTREEITEM GetItemId() const { return FItemId; }
  TTreeNodes* GetOwner() const { return FOwner; }
  TCustomTreeView* GetTreeView() const;

 private:
  friend class TTreeNodes;
  friend class TCustomTreeView;
  HWND Window() const;
  void UpdateItem(UINT Mask);
  // The state bits of Mask: the window's while it shows the node, else those kept here.
  UINT StateBits(UINT Mask);
  void SetState(UINT Mask, UINT Value);
  // The list the node stands in: its parent's children or the root nodes.
  std::vector<TTreeNode*>& Siblings() const;
  TTreeNodes* FOwner;
  TTreeNode* FParent = nullptr;
  std::vector<TTreeNode*> FChildren;
  HTREEITEM FItemId = nullptr;
  String FText;
  void* FData = nullptr;
  Integer FImageIndex = -1;
  Integer FSelectedIndex = -1;
  // TVIS_ bits as the window last had them: expanded, state and overlay images, cut, drop target.
  UINT FState = 0;
  bool FHasChildren = false;
};

class TTreeNodes : public TPersistent {
  TAVREN_CLASS(TTreeNodes, TPersistent)
 public:
  explicit TTreeNodes(TCustomTreeView* AOwner);
  ~TTreeNodes() override;
  // The whole tree of the source nodes in place of these.
  void Assign(TPersistent* Source) override;

  // Add puts the node after the last sibling of Sibling; AddChild as the last child of Parent
  // (nil: a root node); AddFirst and AddChildFirst as the first. In a tree sorted by text the
  // node takes its place among its siblings instead.
  TTreeNode* Add(TTreeNode* Sibling, const String& S);
  TTreeNode* AddObject(TTreeNode* Sibling, const String& S, void* Ptr);
  TTreeNode* AddFirst(TTreeNode* Sibling, const String& S);
  TTreeNode* AddChild(TTreeNode* Parent, const String& S);
  TTreeNode* AddChildObject(TTreeNode* Parent, const String& S, void* Ptr);
  TTreeNode* AddChildFirst(TTreeNode* Parent, const String& S);
  TTreeNode* Insert(TTreeNode* Sibling, const String& S);
  // The node and those below it leave the tree (OnDeletion for each, deepest first) and are freed.
  void Delete(TTreeNode* Node);
  void Clear();
  void BeginUpdate();
  void EndUpdate();
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front(); }
  Integer GetCount() const { return FCount; }
  // Depth first over the whole tree.
  TTreeNode* GetItem(Integer Index);
  TTreeNode* GetNode(HTREEITEM ItemId);
  TCustomTreeView* GetOwner() const { return FOwner; }
  // Puts the root nodes, and with ARecurse all children, in order.
  void AlphaSort(bool ARecurse = false);

 protected:
  // The nodes go into forms as the binary property "Data".
  void DefineProperties(TFiler* Filer) override;

 private:
  friend class TTreeNode;
  friend class TCustomTreeView;
  TTreeNode* InsertNode(TTreeNode* Parent, Integer Index, const String& S, void* Ptr);
  void DeleteNode(TTreeNode* Node);
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);
  // Gives the node and everything below it items in the window.
  void AddItems(TTreeNode* Node);
  // Sorts the children of Parent (the roots for nil) and puts the window's items in that order.
  void SortChildren(TTreeNode* Parent, bool ARecurse);
  // A node whose text (or data) changed moves to its place among sorted siblings.
  void Resort(TTreeNode* Node, bool ATextChanged);
  TCustomTreeView* FOwner;
  std::vector<TTreeNode*> FRoots;
  Integer FCount = 0;
  Integer FUpdateCount = 0;
};

class TCustomTreeView : public TWinControl {
  TAVREN_CLASS(TCustomTreeView, TWinControl)
  TAVREN_MESSAGES()
 public:
  explicit TCustomTreeView(TComponent* AOwner);
  ~TCustomTreeView() override;

  TTreeNode* GetNodeAt(Integer X, Integer Y);
  void FullExpand();
  void FullCollapse();
  bool IsEditing();

  TTreeNodes* GetItems() const { return FTreeNodes.get(); }
  void SetItems(TTreeNodes* Value) { FTreeNodes->Assign(Value); }
  // Puts the root nodes, and with ARecurse all children, in order.
  void AlphaSort(bool ARecurse = true) { FTreeNodes->AlphaSort(ARecurse); }
  // The order OnCompare gives, else by text ignoring case.
  Integer CompareNodes(TTreeNode* Node1, TTreeNode* Node2);
  // A sorting kind other than stNone sorts the whole tree at once.
  TSortType GetSortType() const { return FSortType; }
  void SetSortType(TSortType Value);
  TTVCompareEvent GetOnCompare() const { return FOnCompare; }
  void SetOnCompare(TTVCompareEvent Value) { FOnCompare = Value; }
  // Without a window: the node the window will select when it is made.
  TTreeNode* GetSelected();
  void SetSelected(TTreeNode* Value);
  TTreeNode* GetTopItem();
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TCustomImageList* GetStateImages() const { return FStateImages; }
  void SetStateImages(TCustomImageList* Value);
  bool GetShowLines() const { return FShowLines; }
  void SetShowLines(bool Value) { SetStyleFlag(FShowLines, Value); }
  bool GetShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool Value) { SetStyleFlag(FShowButtons, Value); }
  bool GetShowRoot() const { return FShowRoot; }
  void SetShowRoot(bool Value) { SetStyleFlag(FShowRoot, Value); }
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { SetStyleFlag(FReadOnly, Value); }
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value) { SetStyleFlag(FHideSelection, Value); }
  bool GetRowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value) { SetStyleFlag(FRowSelect, Value); }
  bool GetHotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value) { SetStyleFlag(FHotTrack, Value); }
  // One branch open at a time: selecting a node expands it and collapses the others.
  bool GetAutoExpand() const { return FAutoExpand; }
  void SetAutoExpand(bool Value) { SetStyleFlag(FAutoExpand, Value); }
  bool GetRightClickSelect() const { return FRightClickSelect; }
  void SetRightClickSelect(bool Value) { FRightClickSelect = Value; }
  // Milliseconds between a selection by mouse or keyboard and OnChange; a selection moving on
  // meanwhile (arrow keys held) reports only where it stops. 0: at once.
  Integer GetChangeDelay() const { return FChangeDelay; }
  void SetChangeDelay(Integer Value) { FChangeDelay = Value < 0 ? 0 : Value; }
  Integer GetIndent();
  void SetIndent(Integer Value);
  TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);

  TTVExpandingEvent GetOnExpanding() const { return FOnExpanding; }
  void SetOnExpanding(TTVExpandingEvent Value) { FOnExpanding = Value; }
  TTVExpandedEvent GetOnExpanded() const { return FOnExpanded; }
  void SetOnExpanded(TTVExpandedEvent Value) { FOnExpanded = Value; }
  TTVCollapsingEvent GetOnCollapsing() const { return FOnCollapsing; }
  void SetOnCollapsing(TTVCollapsingEvent Value) { FOnCollapsing = Value; }
  TTVExpandedEvent GetOnCollapsed() const { return FOnCollapsed; }
  void SetOnCollapsed(TTVExpandedEvent Value) { FOnCollapsed = Value; }
  TTVChangingEvent GetOnChanging() const { return FOnChanging; }
  void SetOnChanging(TTVChangingEvent Value) { FOnChanging = Value; }
  TTVChangedEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TTVChangedEvent Value) { FOnChange = Value; }
  TTVEditingEvent GetOnEditing() const { return FOnEditing; }
  void SetOnEditing(TTVEditingEvent Value) { FOnEditing = Value; }
  TTVEditedEvent GetOnEdited() const { return FOnEdited; }
  void SetOnEdited(TTVEditedEvent Value) { FOnEdited = Value; }
  TTVExpandedEvent GetOnDeletion() const { return FOnDeletion; }
  void SetOnDeletion(TTVExpandedEvent Value) { FOnDeletion = Value; }
  // Asked each time a node is drawn: the handler may set the node's ImageIndex (SelectedIndex,
  // for the selected node) to what it should show now, e.g. an open folder for an expanded node.
  TTVExpandedEvent GetOnGetImageIndex() const { return FOnGetImageIndex; }
  void SetOnGetImageIndex(TTVExpandedEvent Value) { FOnGetImageIndex = Value; }
  TTVExpandedEvent GetOnGetSelectedIndex() const { return FOnGetSelectedIndex; }
  void SetOnGetSelectedIndex(TTVExpandedEvent Value) { FOnGetSelectedIndex = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual bool CanExpand(TTreeNode* Node);
  virtual bool CanCollapse(TTreeNode* Node);
  virtual void Expand(TTreeNode* Node) { FOnExpanded(this, Node); }
  virtual void Collapse(TTreeNode* Node) { FOnCollapsed(this, Node); }
  virtual bool CanChange(TTreeNode* Node);
  virtual void Change(TTreeNode* Node) { FOnChange(this, Node); }
  // A node leaving the tree, before it is freed.
  virtual void Delete(TTreeNode* Node) { FOnDeletion(this, Node); }
  // The node is about to be drawn; its ImageIndex (SelectedIndex) is then what shows.
  virtual void GetImageIndex(TTreeNode* Node) { FOnGetImageIndex(this, Node); }
  virtual void GetSelectedIndex(TTreeNode* Node) { FOnGetSelectedIndex(this, Node); }
  // Label editing: whether it may start; applying an edited text.
  virtual bool CanEdit(TTreeNode* Node);
  virtual void Edit(const TVITEM& Item);
  void CNNotify(TMessage& Message);
  void WMTimer(TMessage& Message);

 private:
  friend class TTreeNode;
  friend class TTreeNodes;
  DWORD TreeStyles() const;
  // The node going: no longer the selection kept without a window.
  void NodeDeleted(TTreeNode* Node);
  void SetStyleFlag(bool& Field, bool Value);
  std::unique_ptr<TTreeNodes> FTreeNodes;
  TCustomImageList* FImages = nullptr;
  TCustomImageList* FStateImages = nullptr;
  bool FShowLines = true;
  bool FShowButtons = true;
  bool FShowRoot = true;
  bool FReadOnly = false;
  bool FHideSelection = true;
  bool FRowSelect = false;
  bool FHotTrack = false;
  bool FAutoExpand = false;
  bool FRightClickSelect = false;
  Integer FChangeDelay = 0;
  bool FChangePending = false;
  Integer FIndent = 19;
  TFormBorderStyle FBorderStyle = bsSingle;
  TSortType FSortType = stNone;
  // The selection while there is no window.
  TTreeNode* FSelectedNode = nullptr;
  // Set while the window is filled from the nodes: what it reports then is no change of the user's.
  bool FFillingWindow = false;
  TTVCompareEvent FOnCompare;
  TTVExpandingEvent FOnExpanding;
  TTVExpandedEvent FOnExpanded;
  TTVCollapsingEvent FOnCollapsing;
  TTVExpandedEvent FOnCollapsed;
  TTVChangingEvent FOnChanging;
  TTVChangedEvent FOnChange;
  TTVEditingEvent FOnEditing;
  TTVEditedEvent FOnEdited;
  TTVExpandedEvent FOnDeletion;
  TTVExpandedEvent FOnGetImageIndex;
  TTVExpandedEvent FOnGetSelectedIndex;
};

class TTreeView : public TCustomTreeView {
  TAVREN_CLASS(TTreeView, TCustomTreeView)
 public:
  using TCustomTreeView::TCustomTreeView;
};

// ---- Header control -----------------------------------------------------------------------------

enum THeaderSectionStyle { hsText, hsOwnerDraw };
TAVREN_ENUM_INFO(THeaderSectionStyle, hsText, hsOwnerDraw);

using TSectionNotifyEvent = TEvent<void(TCustomHeaderControl* HeaderControl, THeaderSection* Section)>;
using TDrawSectionEvent =
    TEvent<void(TCustomHeaderControl* HeaderControl, THeaderSection* Section, const TRect& Rect, bool Pressed)>;

class THeaderSection : public TCollectionItem {
  TAVREN_CLASS(THeaderSection, TCollectionItem)
 public:
  explicit THeaderSection(TCollection* Collection);
  void Assign(TPersistent* Source) override;
  String GetDisplayName() override { return FText; }

  String GetText() const { return FText; }
  void SetText(const String& Value);
  Integer GetWidth() const { return FWidth; }
  void SetWidth(Integer Value);
  Integer GetMinWidth() const { return FMinWidth; }
  void SetMinWidth(Integer Value);
  Integer GetMaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(Integer Value);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  THeaderSectionStyle GetStyle() const { return FStyle; }
  void SetStyle(THeaderSectionStyle Value);
  bool GetAllowClick() const { return FAllowClick; }
  void SetAllowClick(bool Value) { FAllowClick = Value; }
  // The section's left edge and right edge in the header's client area.
  Integer GetLeft();
  Integer GetRight() { return GetLeft() + FWidth; }

 private:
  friend class TCustomHeaderControl;
  String FText;
  Integer FWidth = 50;
  Integer FMinWidth = 0;
  Integer FMaxWidth = 10000;
  TAlignment FAlignment = taLeftJustify;
  THeaderSectionStyle FStyle = hsText;
  bool FAllowClick = true;
};

class THeaderSections : public TOwnedCollection {
  TAVREN_CLASS(THeaderSections, TOwnedCollection)
 public:
  explicit THeaderSections(TCustomHeaderControl* AOwner);
  THeaderSection* Add() { return static_cast<THeaderSection*>(TCollection::Add()); }
  THeaderSection* GetItems(Integer Index) const { return static_cast<THeaderSection*>(TCollection::GetItems(Index)); }

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TCustomHeaderControl* FHeaderControl;
};

class TCustomHeaderControl : public TWinControl {
  TAVREN_CLASS(TCustomHeaderControl, TWinControl)
  TAVREN_MESSAGES()
 public:
  explicit TCustomHeaderControl(TComponent* AOwner);
  ~TCustomHeaderControl() override;

  THeaderSections* GetSections() const { return FSections.get(); }
  void SetSections(THeaderSections* Value) { FSections->Assign(Value); }
  bool GetHotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value);
  TCanvas* GetCanvas() const { return FCanvas.get(); }
  TSectionNotifyEvent GetOnSectionClick() const { return FOnSectionClick; }
  void SetOnSectionClick(TSectionNotifyEvent Value) { FOnSectionClick = Value; }
  TSectionNotifyEvent GetOnSectionResize() const { return FOnSectionResize; }
  void SetOnSectionResize(TSectionNotifyEvent Value) { FOnSectionResize = Value; }
  TDrawSectionEvent GetOnDrawSection() const { return FOnDrawSection; }
  void SetOnDrawSection(TDrawSectionEvent Value) { FOnDrawSection = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void SectionClick(THeaderSection* Section) { FOnSectionClick(this, Section); }
  virtual void SectionResize(THeaderSection* Section) { FOnSectionResize(this, Section); }
  virtual void DrawSection(THeaderSection* Section, const TRect& Rect, bool Pressed);
  void CNNotify(TMessage& Message);
  void CNDrawItem(TMessage& Message);

 private:
  friend class THeaderSections;
  void UpdateSections();
  std::unique_ptr<THeaderSections> FSections;
  std::unique_ptr<TCanvas> FCanvas;
  bool FHotTrack = false;
  TSectionNotifyEvent FOnSectionClick;
  TSectionNotifyEvent FOnSectionResize;
  TDrawSectionEvent FOnDrawSection;
};

class THeaderControl : public TCustomHeaderControl {
  TAVREN_CLASS(THeaderControl, TCustomHeaderControl)
 public:
  using TCustomHeaderControl::TCustomHeaderControl;
};

// Registers the unit's classes for form reading.
void ComCtrlsStart();
