// The list view container: forwarded properties, icon options and container scrolling.

#include "toolkit/editors/kvListView.h"

#include "rtl/ClassRegistry.h"
#include "vcl/ControlsMessages.h"

// ---- Icon options --------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TkvIconOptions,
    PROPERTY(Arrangement).Default(static_cast<Integer>(TIconArrangement::iaTop)),
    PROPERTY(AutoArrange).Default(false),
    PROPERTY(WrapText).Default(true))

void TkvIconOptions::SetArrangement(TIconArrangement Value) {
  if (FArrangement == Value) return;
  FArrangement = Value;
  OnArrangementChanged(this);
}

void TkvIconOptions::SetAutoArrange(bool Value) {
  if (FAutoArrange == Value) return;
  FAutoArrange = Value;
  OnAutoArrangeChanged(this);
}

void TkvIconOptions::SetWrapText(bool Value) {
  if (FWrapText == Value) return;
  FWrapText = Value;
  OnWrapTextChanged(this);
}

// ---- Container -----------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TkvCustomListView)

TAVREN_CLASS_IMPL_PUBLISHED(TkvListView,
    PROPERTY(Align).Default(alNone),
    PROPERTY(AllocBy).Default(0),
    PROPERTY(Anchors),
    PROPERTY(BiDiMode),
    PROPERTY(Checkboxes).Default(false),
    PROPERTY(ColumnClick).Default(true),
    PROPERTY(Columns),
    PROPERTY(Constraints),
    PROPERTY(DragCursor).Default(-12),
    PROPERTY(DragKind).Default(dkDrag),
    PROPERTY(DragMode).Default(dmManual),
    PROPERTY(Enabled).Default(true),
    PROPERTY(GridLines).Default(false),
    PROPERTY(HideSelection).Default(true),
    PROPERTY(HotTrack).Default(false),
    PROPERTY(HoverTime).Default(-1),
    PROPERTY(IconOptions),
    PROPERTY(ItemIndex).Default(-1).Stored(false),
    PROPERTY(Items).Stored(false),
    PROPERTY(LargeImages),
    PROPERTY(MultiSelect).Default(false),
    PROPERTY(OwnerData).Default(false),
    PROPERTY(OwnerDraw).Default(false),
    PROPERTY(ParentColor).Default(false),
    PROPERTY(ParentFont).Default(true),
    PROPERTY(ParentShowHint).Default(true),
    PROPERTY_AS(PopupMenu, GetKvPopupMenu, SetKvPopupMenu),
    PROPERTY(ReadOnly).Default(false),
    PROPERTY(RowSelect).Default(false),
    PROPERTY(ShowColumnHeaders).Default(true),
    PROPERTY(ShowHint),
    PROPERTY(ShowWorkAreas).Default(false),
    PROPERTY(SmallImages),
    PROPERTY(SortType).Default(stNone),
    PROPERTY(StateImages),
    PROPERTY(Style),
    PROPERTY(StyleDisabled),
    PROPERTY(StyleFocused),
    PROPERTY(StyleHot),
    PROPERTY(TabOrder).Default(-1),
    PROPERTY(TabStop).Default(true),
    PROPERTY(ViewStyle).Default(vsIcon),
    PROPERTY(Visible).Default(true),
    PROPERTY(OnAdvancedCustomDraw),
    PROPERTY(OnAdvancedCustomDrawItem),
    PROPERTY(OnAdvancedCustomDrawSubItem),
    PROPERTY(OnCancelEdit),
    PROPERTY(OnChange),
    PROPERTY(OnChanging),
    PROPERTY(OnClick),
    PROPERTY(OnColumnClick),
    PROPERTY(OnColumnDragged),
    PROPERTY(OnColumnRightClick),
    PROPERTY(OnCompare),
    PROPERTY(OnContextPopup),
    PROPERTY(OnCreateItemClass),
    PROPERTY(OnCustomDraw),
    PROPERTY(OnCustomDrawItem),
    PROPERTY(OnCustomDrawSubItem),
    PROPERTY(OnData),
    PROPERTY(OnDataFind),
    PROPERTY(OnDataHint),
    PROPERTY(OnDataStateChange),
    PROPERTY(OnDblClick),
    PROPERTY(OnDeletion),
    PROPERTY(OnDragDrop),
    PROPERTY(OnDragOver),
    PROPERTY(OnDrawItem),
    PROPERTY(OnEdited),
    PROPERTY(OnEditing),
    PROPERTY(OnEndDock),
    PROPERTY(OnEndDrag),
    PROPERTY(OnEnter),
    PROPERTY(OnExit),
    PROPERTY(OnGetImageIndex),
    PROPERTY(OnGetSubItemImage),
    PROPERTY(OnInfoTip),
    PROPERTY(OnInsert),
    PROPERTY(OnKeyDown),
    PROPERTY(OnKeyPress),
    PROPERTY(OnKeyUp),
    PROPERTY(OnMouseDown),
    PROPERTY(OnMouseMove),
    PROPERTY(OnMouseUp),
    PROPERTY(OnSelectItem),
    PROPERTY(OnStartDock),
    PROPERTY(OnStartDrag))

TkvCustomListView::TkvCustomListView(TComponent* AOwner, TkvCustomInnerListViewClass InnerClass)
    : TkvContainer(AOwner) {
  FIconOptions = std::make_unique<TkvIconOptions>();
  FIconOptions->OnArrangementChanged = MakeEvent<&TkvCustomListView::ArrangementChanged>(this);
  FIconOptions->OnAutoArrangeChanged = MakeEvent<&TkvCustomListView::AutoArrangeChanged>(this);
  FIconOptions->OnWrapTextChanged = MakeEvent<&TkvCustomListView::WrapTextChanged>(this);
  FInnerListView = InnerClass.Create(this);
  FInnerListView->SetAlign(alClient);
  FInnerListView->SetBorderStyle(bsNone);
  FInnerListView->SetParent(this);
  FInnerListView->SetContainer(this);
  FInnerListView->SetOwnerDraw(false);
  SetInnerControl(FInnerListView);
  SetBounds(GetLeft(), GetTop(), 121, 97);
}

TkvCustomListView::~TkvCustomListView() {
  // The inner list view goes first, while the container it reports to still stands.
  if (FInnerListView) {
    FInnerListView->SetContainer(nullptr);
    delete FInnerListView;
  }
  FIconOptions.reset();
}

void TkvCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
  TkvContainer::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FInnerListView) FInnerListView = nullptr;
}

void TkvCustomListView::ArrangementChanged(TObject*) {
  if (FInnerListView) FInnerListView->GetIconOptions()->SetArrangement(FIconOptions->GetArrangement());
}

void TkvCustomListView::AutoArrangeChanged(TObject*) {
  if (FInnerListView) FInnerListView->GetIconOptions()->SetAutoArrange(FIconOptions->GetAutoArrange());
}

void TkvCustomListView::WrapTextChanged(TObject*) {
  if (FInnerListView) FInnerListView->GetIconOptions()->SetWrapText(FIconOptions->GetWrapText());
}

void TkvCustomListView::SetIconOptions(TkvIconOptions* Value) {
  // The caller keeps its object: only the values are taken.
  FIconOptions->OnArrangementChanged = {};
  FIconOptions->OnAutoArrangeChanged = {};
  FIconOptions->OnWrapTextChanged = {};
  FIconOptions->SetArrangement(Value->GetArrangement());
  FIconOptions->SetAutoArrange(Value->GetAutoArrange());
  FIconOptions->SetWrapText(Value->GetWrapText());
  FIconOptions->OnArrangementChanged = MakeEvent<&TkvCustomListView::ArrangementChanged>(this);
  FIconOptions->OnAutoArrangeChanged = MakeEvent<&TkvCustomListView::AutoArrangeChanged>(this);
  FIconOptions->OnWrapTextChanged = MakeEvent<&TkvCustomListView::WrapTextChanged>(this);
  ApplyIconOptions();
}

void TkvCustomListView::ApplyIconOptions() {
  if (!FInnerListView) return;
  FInnerListView->GetItems()->BeginUpdate();
  try {
    TIconOptions* options = FInnerListView->GetIconOptions();
    options->SetArrangement(FIconOptions->GetArrangement());
    options->SetAutoArrange(FIconOptions->GetAutoArrange());
    options->SetWrapText(FIconOptions->GetWrapText());
  } catch (...) {
    FInnerListView->GetItems()->EndUpdate();
    throw;
  }
  FInnerListView->GetItems()->EndUpdate();
}

void TkvCustomListView::SetViewStyle(TViewStyle Value) {
  FInnerListView->SetViewStyle(Value);
  UpdateInnerScrollBars(false);
}

void TkvCustomListView::SetOwnerDraw(bool Value) {
  FOwnerDraw = Value;
  FInnerListView->SetOwnerDraw(Value);
}

void TkvCustomListView::SetReadOnly(bool Value) {
  if (GetReadOnly() == Value) return;
  FInnerListView->SetReadOnly(Value);
  RefreshViewInfo(false);
}

void TkvCustomListView::Loaded() {
  TkvContainer::Loaded();
  ApplyIconOptions();
  FInnerListView->SetOwnerDraw(FOwnerDraw);
}

void TkvCustomListView::DoExit() {
  if (!IsBeingDestroyed()) TkvContainer::DoExit();
}

void TkvCustomListView::ChangeScale(Integer M, Integer D) {
  TkvContainer::ChangeScale(M, D);
  FInnerListView->ChangeScale(M, D);
}

void TkvCustomListView::NotifyFontListeners() {
  TkvContainer::NotifyFontListeners();
  AlignInnerControl();
}

void TkvCustomListView::LookAndFeelUpdated(TkvLookAndFeel* Sender, TkvLookAndFeelValues ChangedValues) {
  TkvContainer::LookAndFeelUpdated(Sender, ChangedValues);
  if (!IsBeingDestroyed() && !GetComponentState().Contains(csLoading)) FInnerListView->InvalidateHeader();
}

void TkvCustomListView::ScrollContent(TScrollBarKind Kind, TScrollCode ScrollCode, Integer& Position) {
  TkvContainer::ScrollContent(Kind, ScrollCode, Position);
  if (!FInnerListView->HandleAllocated()) return;
  HWND inner = FInnerListView->GetHandle();
  if (Kind == sbHorizontal) {
    if (ScrollCode == scTrack) {
      SendMessage(inner, LVM_SCROLL, static_cast<WPARAM>(Position - GetScrollPos(inner, SB_HORZ)), 0);
    } else {
      FInnerListView->CallDefault(WM_HSCROLL, MAKEWPARAM(static_cast<WORD>(ScrollCode), static_cast<WORD>(Position)),
                                  reinterpret_cast<LPARAM>(GetHScrollBar()->GetHandle()));
      Position = GetScrollPos(inner, SB_HORZ);
    }
  } else if (ScrollCode == scTrack) {
    switch (GetViewStyle()) {
      case vsIcon:
      case vsSmallIcon: {
        POINT origin{};
        SendMessage(inner, LVM_GETORIGIN, 0, reinterpret_cast<LPARAM>(&origin));
        SendMessage(inner, LVM_SCROLL, 0, static_cast<LPARAM>(Position - origin.Y));
        break;
      }
      case vsReport: {
        const Integer top = static_cast<Integer>(SendMessage(inner, LVM_GETTOPINDEX, 0, 0));
        RECT bounds{LVIR_BOUNDS, 0, 0, 0};
        SendMessage(inner, LVM_GETITEMRECT, static_cast<WPARAM>(top), reinterpret_cast<LPARAM>(&bounds));
        // 64 bits: a long list times a row height passes 32.
        const Int64 dy = static_cast<Int64>(Position - top) * (bounds.Bottom - bounds.Top);
        SendMessage(inner, LVM_SCROLL, 0, static_cast<LPARAM>(dy));
        break;
      }
      case vsList: break;
    }
  } else {
    FInnerListView->CallDefault(WM_VSCROLL, MAKEWPARAM(static_cast<WORD>(ScrollCode), static_cast<WORD>(Position)),
                                reinterpret_cast<LPARAM>(GetVScrollBar()->GetHandle()));
    Position = GetScrollPos(inner, SB_VERT);
  }
  UpdateInnerScrollBars(false);
}

void kvListViewStart() {
  RegisterClasses({TkvListView::ClassInfo()});
}

void kvListViewEnd() { UnRegisterClass(TkvListView::ClassInfo()); }
