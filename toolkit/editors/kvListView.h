#pragma once
// The toolkit's list view: a styled container hosting a platform list view that fills its client
// area. The container gives it borders, look-and-feel, painter-drawn scroll bars and styles; the
// inner list view does the list work, hands its input to the container and paints its column
// header through the look-and-feel painter (hot, pressed and disabled sections, column images).
//
// Sources: kvListViewInner.cpp (the inner list view and its header), kvListView.cpp (container).

#include <memory>

#include "toolkit/editors/kvContainer.h"
#include "toolkit/editors/kvHeader.h"
#include "toolkit/editors/kvInnerControlRelay.h"
#include "vcl/ComCtrls.h"

class TkvCustomListView;

// The container's own copy of the icon views' options; each change calls that field's callback.
class TkvIconOptions : public TPersistent {
  TAVREN_CLASS(TkvIconOptions, TPersistent)
 public:
  TkvIconOptions() = default;
  TIconArrangement GetArrangement() const { return FArrangement; }
  void SetArrangement(TIconArrangement Value);
  bool GetAutoArrange() const { return FAutoArrange; }
  void SetAutoArrange(bool Value);
  bool GetWrapText() const { return FWrapText; }
  void SetWrapText(bool Value);

  TNotifyEvent OnArrangementChanged;
  TNotifyEvent OnAutoArrangeChanged;
  TNotifyEvent OnWrapTextChanged;

 private:
  TIconArrangement FArrangement = TIconArrangement::iaTop;
  bool FAutoArrange = false;
  bool FWrapText = true;
};

class TkvCustomInnerListView : public TkvInnerControlRelay<TListView> {
  TAVREN_CLASS(TkvCustomInnerListView, TkvInnerControlRelay<TListView>)
  TAVREN_MESSAGES()
  friend class TkvCustomListView;

 public:
  explicit TkvCustomInnerListView(TComponent* AOwner);
  ~TkvCustomInnerListView() override;

  // Virtual operations, in the order descendants know them.
  virtual void DoCancelEdit();
  virtual void InvalidateHeader();
  virtual void PaintHeader();

  void DeleteSelected() override;

  TkvCustomListView* GetContainer() const { return FContainer; }
  void SetContainer(TkvCustomListView* Value) { FContainer = Value; }
  TkvListViewHeader* GetHeader() const { return FHeader.get(); }
  TkvCanvas* GetKvCanvas() const { return FKvCanvas.get(); }

 protected:
  void WndProc(TMessage& Message) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Loaded() override;
  bool CanEdit(TListItem* Item) override;
  TkvContainer* RelayTarget() const override;
  void DragDrop(TObject* Source, Integer X, Integer Y) override;
  void DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) override;

  void WMLButtonDown(TMessage& Message);
  void WMNCCalcSize(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);
  void WMParentNotify(TMessage& Message);
  void CMHintShow(TMessage& Message);
  void CNNotify(TMessage& Message);
  void HeaderItemInfo(TMessage& Message);

 private:
  bool IsDestroying() const { return GetComponentState().Contains(csDestroying); }
  bool ScrollStateChanged();

  struct TScrollState {
    Integer Values[10] = {};
    bool operator==(const TScrollState&) const = default;
  };
  TScrollState FLastScrollState;
  std::unique_ptr<TkvCanvas> FKvCanvas;
  std::unique_ptr<TkvListViewHeader> FHeader;
  String FSavedHint;
  TListItem* FLastHintItem = nullptr;
  TkvCustomListView* FContainer = nullptr;
};
using TkvCustomInnerListViewClass = TClassOf<TkvCustomInnerListView>;

class TkvCustomListView : public TkvContainer {
  TAVREN_CLASS(TkvCustomListView, TkvContainer)
  friend class TkvCustomInnerListView;

 public:
  explicit TkvCustomListView(TComponent* AOwner) : TkvCustomListView(AOwner, TkvCustomInnerListView::ClassInfo()) {}
  ~TkvCustomListView() override;

  // Virtual operations, in the order descendants know them.
  virtual TkvCustomInnerListViewClass GetInnerListViewClass() { return TkvCustomInnerListView::ClassInfo(); }
  virtual void SetViewStyle(TViewStyle Value);

  TkvCustomInnerListView* GetInnerListView() const { return FInnerListView; }
  TListItems* GetItems() const { return FInnerListView->GetItems(); }
  void SetItems(TListItems* Value) { FInnerListView->SetItems(Value); }
  void Clear() { FInnerListView->GetItems()->Clear(); }
  TListItem* GetItemAt(Integer X, Integer Y) { return FInnerListView->GetItemAt(X, Y); }
  TListColumn* Column(Integer Index) { return FInnerListView->GetColumns()->GetItems(Index); }
  TListItem* GetSelected() { return FInnerListView->GetSelected(); }
  void SetSelected(TListItem* Value) { FInnerListView->SetSelected(Value); }
  Integer GetItemIndex() { return FInnerListView->GetItemIndex(); }
  void SetItemIndex(Integer Value) { FInnerListView->SetItemIndex(Value); }
  bool GetGridLines() const { return FInnerListView->GetGridLines(); }
  void SetGridLines(bool Value) { FInnerListView->SetGridLines(Value); }

  // Forwarded to the inner list view.
  Integer GetAllocBy() const { return FInnerListView->GetAllocBy(); }
  void SetAllocBy(Integer Value) { FInnerListView->SetAllocBy(Value); }
  bool GetCheckboxes() const { return FInnerListView->GetCheckboxes(); }
  void SetCheckboxes(bool Value) { FInnerListView->SetCheckboxes(Value); }
  bool GetColumnClick() const { return FInnerListView->GetColumnClick(); }
  void SetColumnClick(bool Value) { FInnerListView->SetColumnClick(Value); }
  TListColumns* GetColumns() const { return FInnerListView->GetColumns(); }
  void SetColumns(TListColumns* Value) { FInnerListView->SetColumns(Value); }
  bool GetHideSelection() const { return FInnerListView->GetHideSelection(); }
  void SetHideSelection(bool Value) { FInnerListView->SetHideSelection(Value); }
  bool GetHotTrack() const { return FInnerListView->GetHotTrack(); }
  void SetHotTrack(bool Value) { FInnerListView->SetHotTrack(Value); }
  Integer GetHoverTime() const { return FInnerListView->GetHoverTime(); }
  void SetHoverTime(Integer Value) { FInnerListView->SetHoverTime(Value); }
  TkvIconOptions* GetIconOptions() const { return FIconOptions.get(); }
  void SetIconOptions(TkvIconOptions* Value);
  TCustomImageList* GetLargeImages() const { return FInnerListView->GetLargeImages(); }
  void SetLargeImages(TCustomImageList* Value) { FInnerListView->SetLargeImages(Value); }
  bool GetMultiSelect() const { return FInnerListView->GetMultiSelect(); }
  void SetMultiSelect(bool Value) { FInnerListView->SetMultiSelect(Value); }
  bool GetOwnerData() const { return FInnerListView->GetOwnerData(); }
  void SetOwnerData(bool Value) { FInnerListView->SetOwnerData(Value); }
  bool GetOwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool Value);
  bool GetReadOnly() const { return FInnerListView->GetReadOnly(); }
  void SetReadOnly(bool Value);
  bool GetRowSelect() const { return FInnerListView->GetRowSelect(); }
  void SetRowSelect(bool Value) { FInnerListView->SetRowSelect(Value); }
  bool GetShowColumnHeaders() const { return FInnerListView->GetShowColumnHeaders(); }
  void SetShowColumnHeaders(bool Value) { FInnerListView->SetShowColumnHeaders(Value); }
  bool GetShowWorkAreas() const { return FInnerListView->GetShowWorkAreas(); }
  void SetShowWorkAreas(bool Value) { FInnerListView->SetShowWorkAreas(Value); }
  TCustomImageList* GetSmallImages() const { return FInnerListView->GetSmallImages(); }
  void SetSmallImages(TCustomImageList* Value) { FInnerListView->SetSmallImages(Value); }
  TSortType GetSortType() const { return FInnerListView->GetSortType(); }
  void SetSortType(TSortType Value) { FInnerListView->SetSortType(Value); }
  TCustomImageList* GetStateImages() const { return FInnerListView->GetStateImages(); }
  void SetStateImages(TCustomImageList* Value) { FInnerListView->SetStateImages(Value); }
  TViewStyle GetViewStyle() const { return FInnerListView->GetViewStyle(); }

#define KV_FORWARD_EVENT(Name, Type) \
  Type GetOn##Name() const { return FInnerListView->GetOn##Name(); } \
  void SetOn##Name(Type Value) { FInnerListView->SetOn##Name(Value); }
  KV_FORWARD_EVENT(AdvancedCustomDraw, TLVAdvancedCustomDrawEvent)
  KV_FORWARD_EVENT(AdvancedCustomDrawItem, TLVAdvancedCustomDrawItemEvent)
  KV_FORWARD_EVENT(AdvancedCustomDrawSubItem, TLVAdvancedCustomDrawSubItemEvent)
  KV_FORWARD_EVENT(Change, TLVChangeEvent)
  KV_FORWARD_EVENT(Changing, TLVChangingEvent)
  KV_FORWARD_EVENT(ColumnClick, TLVColumnClickEvent)
  KV_FORWARD_EVENT(ColumnDragged, TNotifyEvent)
  KV_FORWARD_EVENT(ColumnRightClick, TLVColumnRClickEvent)
  KV_FORWARD_EVENT(Compare, TLVCompareEvent)
  KV_FORWARD_EVENT(CreateItemClass, TLVCreateItemClassEvent)
  KV_FORWARD_EVENT(CustomDraw, TLVCustomDrawEvent)
  KV_FORWARD_EVENT(CustomDrawItem, TLVCustomDrawItemEvent)
  KV_FORWARD_EVENT(CustomDrawSubItem, TLVCustomDrawSubItemEvent)
  KV_FORWARD_EVENT(Data, TLVOwnerDataEvent)
  KV_FORWARD_EVENT(DataFind, TLVOwnerDataFindEvent)
  KV_FORWARD_EVENT(DataHint, TLVOwnerDataHintEvent)
  KV_FORWARD_EVENT(DataStateChange, TLVOwnerDataStateChangeEvent)
  KV_FORWARD_EVENT(Deletion, TLVDeletedEvent)
  KV_FORWARD_EVENT(DrawItem, TLVDrawItemEvent)
  KV_FORWARD_EVENT(Edited, TLVEditedEvent)
  KV_FORWARD_EVENT(Editing, TLVEditingEvent)
  KV_FORWARD_EVENT(GetImageIndex, TLVNotifyEvent)
  KV_FORWARD_EVENT(GetSubItemImage, TLVSubItemImageEvent)
  KV_FORWARD_EVENT(InfoTip, TLVInfoTipEvent)
  KV_FORWARD_EVENT(Insert, TLVDeletedEvent)
  KV_FORWARD_EVENT(SelectItem, TLVSelectItemEvent)
#undef KV_FORWARD_EVENT

  TNotifyEvent GetOnCancelEdit() const { return FOnCancelEdit; }
  void SetOnCancelEdit(TNotifyEvent Value) { FOnCancelEdit = Value; }

  bool UsesScrollBars() override { return true; }
  bool IsReadOnlyLook() override { return GetReadOnly(); }
  void ScrollContent(TScrollBarKind Kind, TScrollCode ScrollCode, Integer& Position) override;

 protected:
  // Descendants name their inner list view's class here: a constructor cannot ask its own virtuals.
  TkvCustomListView(TComponent* AOwner, TkvCustomInnerListViewClass InnerClass);
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DoExit() override;
  void ChangeScale(Integer M, Integer D) override;
  void NotifyFontListeners() override;
  void LookAndFeelUpdated(TkvLookAndFeel* Sender, TkvLookAndFeelValues ChangedValues) override;

 private:
  void ApplyIconOptions();
  void ArrangementChanged(TObject*);
  void AutoArrangeChanged(TObject*);
  void WrapTextChanged(TObject*);

  TkvCustomInnerListView* FInnerListView = nullptr;
  std::unique_ptr<TkvIconOptions> FIconOptions;
  bool FOwnerDraw = false;
  TNotifyEvent FOnCancelEdit;
};

class TkvListView : public TkvCustomListView {
  TAVREN_CLASS(TkvListView, TkvCustomListView)
 public:
  using TkvCustomListView::TkvCustomListView;
};

// Registers the unit's classes for form reading.
void kvListViewStart();
void kvListViewEnd();
