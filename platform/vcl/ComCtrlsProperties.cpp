// What the common controls publish for the form reader and writer, and their registration.

#include "rtl/ClassRegistry.h"
#include "rtl/ColorIdents.h"
#include "vcl/ComCtrls.h"

TAVREN_CLASS_IMPL_PUBLISHED(TListColumn,
    PROPERTY(Alignment).Default(taLeftJustify),
    PROPERTY(Caption),
    PROPERTY(ImageIndex).Default(-1),
    PROPERTY(Width).Default(50))
TAVREN_CLASS_IMPL(TListColumns)
TAVREN_CLASS_IMPL_PUBLISHED(TIconOptions,
    PROPERTY(Arrangement).Default(static_cast<Integer>(TIconArrangement::iaTop)),
    PROPERTY(AutoArrange).Default(false),
    PROPERTY(WrapText).Default(true))
TAVREN_CLASS_IMPL(TListItem)
TAVREN_CLASS_IMPL(TListItems)

TAVREN_CLASS_IMPL_PUBLISHED(TCustomListView,
    PROPERTY(AllocBy).Default(0),
    PROPERTY(BorderStyle).Default(bsSingle),
    PROPERTY(Checkboxes).Default(false),
    PROPERTY(Color).Idents(ColorIdentMap).Stored<&TCustomListView::IsColorStored>().Default(clWindow),
    PROPERTY(ColumnClick).Default(true),
    PROPERTY(Columns),
    PROPERTY(GridLines).Default(false),
    PROPERTY(HideSelection).Default(true),
    PROPERTY(HotTrack).Default(false),
    PROPERTY(HoverTime).Default(-1),
    PROPERTY(IconOptions),
    PROPERTY(LargeImages),
    PROPERTY(MultiSelect).Default(false),
    PROPERTY(OwnerData).Default(false),
    PROPERTY(OwnerDraw).Default(false),
    PROPERTY(ReadOnly).Default(false),
    PROPERTY(RowSelect).Default(false),
    PROPERTY(ShowColumnHeaders).Default(true),
    PROPERTY(ShowWorkAreas).Default(false),
    PROPERTY(SmallImages),
    PROPERTY(SortType).Default(stNone),
    PROPERTY(StateImages),
    PROPERTY(TabStop).Default(true),
    PROPERTY(ViewStyle).Default(vsIcon),
    PROPERTY(OnAdvancedCustomDraw),
    PROPERTY(OnAdvancedCustomDrawItem),
    PROPERTY(OnAdvancedCustomDrawSubItem),
    PROPERTY(OnChange),
    PROPERTY(OnChanging),
    PROPERTY(OnColumnClick),
    PROPERTY(OnColumnDragged),
    PROPERTY(OnColumnRightClick),
    PROPERTY(OnCompare),
    PROPERTY(OnCreateItemClass),
    PROPERTY(OnCustomDraw),
    PROPERTY(OnCustomDrawItem),
    PROPERTY(OnCustomDrawSubItem),
    PROPERTY(OnData),
    PROPERTY(OnDataFind),
    PROPERTY(OnDataHint),
    PROPERTY(OnDataStateChange),
    PROPERTY(OnDeletion),
    PROPERTY(OnDrawItem),
    PROPERTY(OnEdited),
    PROPERTY(OnEditing),
    PROPERTY(OnGetImageIndex),
    PROPERTY(OnGetSubItemImage),
    PROPERTY(OnInfoTip),
    PROPERTY(OnInsert),
    PROPERTY(OnSelectItem))
TAVREN_CLASS_IMPL(TListView)

TAVREN_CLASS_IMPL(TTreeNode)
TAVREN_CLASS_IMPL(TTreeNodes)

TAVREN_CLASS_IMPL_PUBLISHED(TCustomTreeView,
    PROPERTY(AutoExpand).Default(false),
    PROPERTY(BorderStyle).Default(bsSingle),
    PROPERTY(Color).Idents(ColorIdentMap).Stored<&TCustomTreeView::IsColorStored>().Default(clWindow),
    PROPERTY(HideSelection).Default(true),
    PROPERTY(HotTrack).Default(false),
    PROPERTY(Images),
    PROPERTY(Indent).Default(19),
    PROPERTY(ReadOnly).Default(false),
    PROPERTY(RightClickSelect).Default(false),
    PROPERTY(RowSelect).Default(false),
    PROPERTY(ShowButtons).Default(true),
    PROPERTY(ShowLines).Default(true),
    PROPERTY(ShowRoot).Default(true),
    PROPERTY(SortType).Default(stNone),
    PROPERTY(StateImages),
    PROPERTY(TabStop).Default(true),
    PROPERTY(Items),
    PROPERTY(OnChange),
    PROPERTY(OnChanging),
    PROPERTY(OnCollapsed),
    PROPERTY(OnCollapsing),
    PROPERTY(OnCompare),
    PROPERTY(OnDeletion),
    PROPERTY(OnEdited),
    PROPERTY(OnEditing),
    PROPERTY(OnExpanded),
    PROPERTY(OnExpanding))
TAVREN_CLASS_IMPL(TTreeView)

TAVREN_CLASS_IMPL_PUBLISHED(THeaderSection,
    PROPERTY(Alignment).Default(taLeftJustify),
    PROPERTY(AllowClick).Default(true),
    PROPERTY(MaxWidth).Default(10000),
    PROPERTY(MinWidth).Default(0),
    PROPERTY(Style).Default(hsText),
    PROPERTY(Text),
    PROPERTY(Width).Default(50))
TAVREN_CLASS_IMPL(THeaderSections)

TAVREN_CLASS_IMPL_PUBLISHED(TCustomHeaderControl,
    PROPERTY(Align).Default(alTop),
    PROPERTY(HotTrack).Default(false),
    PROPERTY(Sections),
    PROPERTY(OnDrawSection),
    PROPERTY(OnSectionClick),
    PROPERTY(OnSectionResize))
TAVREN_CLASS_IMPL(THeaderControl)

TAVREN_CLASS_IMPL_PUBLISHED(TTabSheet,
    PROPERTY(Caption),
    PROPERTY(PageControl).Stored(false),
    PROPERTY(TabVisible).Default(true))

TAVREN_CLASS_IMPL_PUBLISHED(TPageControl,
    PROPERTY(ActivePage),
    PROPERTY(OnChange))

void ComCtrlsStart() {
  RegisterClasses({TListView::ClassInfo(), TTreeView::ClassInfo(), THeaderControl::ClassInfo(),
                   TPageControl::ClassInfo(), TTabSheet::ClassInfo()});
}
