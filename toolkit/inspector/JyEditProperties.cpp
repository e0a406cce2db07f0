// What the edit controls publish for the form reader and writer, and their registration.

#include "rtl/ClassRegistry.h"
#include "rtl/ColorIdents.h"
#include "toolkit/inspector/JyEdit.h"

TAVREN_CLASS_IMPL_PUBLISHED(TJyMargins,
    PROPERTY(Bottom).Default(0),
    PROPERTY(Left).Default(0),
    PROPERTY(Right).Default(0),
    PROPERTY(Top).Default(0))

TAVREN_CLASS_IMPL_PUBLISHED(TJyCustomEdit,
    PROPERTY(Alignment).Default(taLeftJustify),
    PROPERTY(AutoSelect).Default(true),
    PROPERTY(AutoSize).Default(true),
    PROPERTY(BorderStyle).Default(bsSingle),
    PROPERTY(Color).Idents(ColorIdentMap).Default(clWindow),
    PROPERTY(Glyph),
    PROPERTY(InnerMargins),
    PROPERTY(ParentColor).Default(false),
    PROPERTY(PreviewBorder).Default(true),
    PROPERTY(ReadOnly).Default(false),
    PROPERTY(ShowPreview).Default(false),
    PROPERTY(TabStop).Default(true),
    PROPERTY(Text),
    PROPERTY(VerticalAlignment),
    PROPERTY(WantTabs),
    PROPERTY(OnChange),
    PROPERTY(OnGlyphClick))

TAVREN_CLASS_IMPL_PUBLISHED(TJyEdit, PROPERTY(OnCustomPreviewDraw))

TAVREN_CLASS_IMPL_PUBLISHED(TJyCustomButtonEdit, PROPERTY(OnButtonClick))

TAVREN_CLASS_IMPL_PUBLISHED(TJyPopupEdit,
    PROPERTY(HideFocus),
    PROPERTY(Style).Default(dsDropDown),
    PROPERTY(OnCloseUp),
    PROPERTY(OnSelect))

TAVREN_CLASS_IMPL_PUBLISHED(TJyComboBox,
    PROPERTY(DisplayMode).Default(dmDefault),
    PROPERTY(DropDownColor).Idents(ColorIdentMap),
    PROPERTY(DropDownCount),
    PROPERTY(HighlightTextColor).Idents(ColorIdentMap),
    PROPERTY(Images),
    PROPERTY(ItemHeight),
    PROPERTY(ItemIndex).Default(-1),
    PROPERTY(Items),
    PROPERTY(SelectionColor).Idents(ColorIdentMap))

TAVREN_CLASS_IMPL(TJyPopupControl)
TAVREN_CLASS_IMPL(TJyPopupList)

void JyEditStart() {
  RegisterClasses({TJyEdit::ClassInfo(), TJyPopupEdit::ClassInfo(), TJyComboBox::ClassInfo()});
}
