// What the common controls publish for the form reader and writer, and their registration.

#include "rtl/ClassRegistry.h"
#include "rtl/ColorIdents.h"
#include "vcl/ComCtrls.h"

TAVREN_CLASS_IMPL_PUBLISHED(TListColumn,
    PROPERTY(Alignment).Default(taLeftJustify),
    PROPERTY(Caption),
    PROPERTY(Width).Default(50))
TAVREN_CLASS_IMPL(TListColumns)
TAVREN_CLASS_IMPL(TListItem)
TAVREN_CLASS_IMPL(TListItems)

TAVREN_CLASS_IMPL_PUBLISHED(TCustomListView,
    PROPERTY(BorderStyle).Default(bsSingle),
    PROPERTY(Color).Idents(ColorIdentMap).Stored<&TCustomListView::IsColorStored>().Default(clWindow),
    PROPERTY(ColumnClick).Default(true),
    PROPERTY(Columns),
    PROPERTY(GridLines).Default(false),
    PROPERTY(HideSelection).Default(true),
    PROPERTY(MultiSelect).Default(false),
    PROPERTY(OwnerData).Default(false),
    PROPERTY(ReadOnly).Default(false),
    PROPERTY(RowSelect).Default(false),
    PROPERTY(ShowColumnHeaders).Default(true),
    PROPERTY(SmallImages),
    PROPERTY(TabStop).Default(true),
    PROPERTY(ViewStyle).Default(vsIcon),
    PROPERTY(OnChange),
    PROPERTY(OnChanging),
    PROPERTY(OnColumnClick),
    PROPERTY(OnCustomDrawItem),
    PROPERTY(OnData),
    PROPERTY(OnDeletion),
    PROPERTY(OnEdited),
    PROPERTY(OnEditing),
    PROPERTY(OnInfoTip),
    PROPERTY(OnSelectItem))
TAVREN_CLASS_IMPL(TListView)

TAVREN_CLASS_IMPL(TTreeNode)
TAVREN_CLASS_IMPL(TTreeNodes)

TAVREN_CLASS_IMPL_PUBLISHED(TCustomTreeView,
    PROPERTY(BorderStyle).Default(bsSingle),
    PROPERTY(Color).Idents(ColorIdentMap).Stored<&TCustomTreeView::IsColorStored>().Default(clWindow),
    PROPERTY(HideSelection).Default(true),
    PROPERTY(HotTrack).Default(false),
    PROPERTY(Images),
    PROPERTY(Indent).Default(19),
    PROPERTY(ReadOnly).Default(false),
    PROPERTY(RowSelect).Default(false),
    PROPERTY(ShowButtons).Default(true),
    PROPERTY(ShowLines).Default(true),
    PROPERTY(ShowRoot).Default(true),
    PROPERTY(TabStop).Default(true),
    PROPERTY(OnChange),
    PROPERTY(OnChanging),
    PROPERTY(OnCollapsed),
    PROPERTY(OnCollapsing),
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

void ComCtrlsStart() {
  RegisterClasses({TListView::ClassInfo(), TTreeView::ClassInfo(), THeaderControl::ClassInfo()});
}
