// What the inspector and its items publish for the form reader and writer, and their registration.

#include "rtl/ClassRegistry.h"
#include "rtl/ColorIdents.h"
#include "toolkit/inspector/JyInspector.h"

TAVREN_CLASS_IMPL(TItemHintWindow)
TAVREN_MESSAGE_TABLE(TItemHintWindow, MESSAGE_HANDLER(WM_NCHITTEST, WMNCHitTest))
TAVREN_CLASS_IMPL(TJyCustomInspector)

TAVREN_CLASS_IMPL_PUBLISHED(TJyInspector,
    PROPERTY(Associate),
    PROPERTY(BorderStyle).Default(bsSingle),
    PROPERTY(ButtonsStyle).Default(btAuto),
    PROPERTY(CategoriesColor).Idents(ColorIdentMap).Default(clBtnFace),
    PROPERTY(CollapseGlyph),
    PROPERTY(Color).Idents(ColorIdentMap).Default(clWindow),
    PROPERTY(GridColor).Idents(ColorIdentMap).Default(clBtnFace),
    PROPERTY(EnableVisualStyles).Default(false),
    PROPERTY(ExpandGlyph),
    PROPERTY(HideTopLevel).Default(false),
    PROPERTY(Images),
    PROPERTY(ItemsArrange).Default(taCatagory),
    PROPERTY(MarginColor).Idents(ColorIdentMap).Default(clBtnFace),
    PROPERTY(Options),
    PROPERTY(RowHeight).Default(16),
    PROPERTY(ParentColor).Default(false),
    PROPERTY(SelectionColor).Idents(ColorIdentMap).Default(clHighlight),
    PROPERTY(SplitterPosition).Default(100),
    PROPERTY(Style).Default(psDefault),
    PROPERTY(SuffixWidth).Default(60),
    PROPERTY(TabStop).Default(false),
    PROPERTY(OnChange),
    PROPERTY(OnEdit),
    PROPERTY(OnExecute),
    PROPERTY(OnExpand),
    PROPERTY(OnSelectItem),
    PROPERTY(OnSuffixEdit),
    PROPERTY(OnToolbarClick),
    PROPERTY(OnVerticalScroll))

TAVREN_CLASS_IMPL_PUBLISHED(TJyPropertyItem,
    PROPERTY(Caption),
    PROPERTY(Color).Idents(ColorIdentMap).Default(clWindow),
    PROPERTY(DefaultValue),
    PROPERTY(EmptyValue),
    PROPERTY(Enabled).Default(true),
    PROPERTY(Expanded).Default(true),
    PROPERTY(ExpandLock).Default(false),
    PROPERTY(Font).Stored<&TJyPropertyItem::IsFontStored>(),
    PROPERTY(HelpContext).Default(0),
    PROPERTY(Hint),
    PROPERTY(ImageIndex).Default(-1),
    PROPERTY(MapProperty),
    PROPERTY(MapXML),
    PROPERTY(Options),
    PROPERTY(ReadOnly).Default(false),
    PROPERTY(ShowHint).Default(false),
    PROPERTY(ShowPreview).Default(false),
    PROPERTY(ShowSuffix).Default(false),
    PROPERTY(Suffixes),
    PROPERTY(SuffixStyle).Default(ssDropDown),
    PROPERTY(SuffixValue),
    PROPERTY(TagString),
    PROPERTY(Value),
    PROPERTY(ValueFont).Stored<&TJyPropertyItem::IsValueFontStored>(),
    PROPERTY(Visible).Default(true))

TAVREN_CLASS_IMPL(TJyCustomTextualItem)
TAVREN_CLASS_IMPL_PUBLISHED(TJyTextItem, PROPERTY_AS(PasswordChar, GetPasswordText, SetPasswordText))
TAVREN_CLASS_IMPL_PUBLISHED(TJyPopupItem, PROPERTY(OnCloseUp), PROPERTY(OnSelect))
TAVREN_CLASS_IMPL_PUBLISHED(TJyComboBoxItem,
    PROPERTY(DisplayMode).Default(dmDefault),
    PROPERTY(DropDownCount).Default(8),
    PROPERTY(ItemIndex).Default(-1),
    PROPERTY(Lines),
    PROPERTY(Style).Default(cbDropDown))

TAVREN_CLASS_IMPL_PUBLISHED(TJyToolbarItemButton,
    PROPERTY(AutoCheck).Default(true),
    PROPERTY(Checked).Default(false),
    PROPERTY(Divider).Default(false),
    PROPERTY(Glyph),
    PROPERTY(Text))
TAVREN_CLASS_IMPL(TJyToolbarItemButtons)
TAVREN_CLASS_IMPL_PUBLISHED(TJyToolbarItem,
    PROPERTY(Alignment).Default(baLeftJustify),
    PROPERTY(AllowAllUp).Default(false),
    PROPERTY(Buttons),
    PROPERTY(ButtonWidth).Default(17),
    PROPERTY(Grouped).Default(false),
    PROPERTY(DrawBackground).Default(false),
    PROPERTY(ShowText).Default(false),
    PROPERTY(OnToolButtonClick))

TAVREN_CLASS_IMPL(TJyPropertyItems)

void JyInspectorStart() {
  RegisterClasses({TJyInspector::ClassInfo(), TJyTextItem::ClassInfo(), TJyPopupItem::ClassInfo(),
                   TJyComboBoxItem::ClassInfo(), TJyToolbarItem::ClassInfo()});
}
