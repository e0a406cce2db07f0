// What the standard controls publish for the form reader and writer, and their registration.

#include "rtl/ClassRegistry.h"
#include "rtl/ColorIdents.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "vcl/StdCtrls.h"

void DefineStringsProperty(TStrings* Strings, TFiler* Filer) {
  Filer->DefineProperty(
      "Strings",
      [Strings](TReader* Reader) {
        Strings->BeginUpdate();
        try {
          Strings->Clear();
          Reader->ReadListBegin();
          while (!Reader->EndOfList()) Strings->Add(Reader->ReadString());
          Reader->ReadListEnd();
        } catch (...) {
          Strings->EndUpdate();
          throw;
        }
        Strings->EndUpdate();
      },
      [Strings](TWriter* Writer) {
        Writer->WriteListBegin();
        for (Integer i = 0; i < Strings->GetCount(); ++i) Writer->WriteString(Strings->GetStrings(i));
        Writer->WriteListEnd();
      },
      Strings->GetCount() > 0);
}

void TControlStrings::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  DefineStringsProperty(this, Filer);
}

TAVREN_CLASS_IMPL(TControlStrings)

TAVREN_CLASS_IMPL_PUBLISHED(TCustomLabel,
    PROPERTY(Alignment).Default(taLeftJustify),
    PROPERTY(AutoSize).Default(true),
    PROPERTY(Caption),
    PROPERTY(Color).Idents(ColorIdentMap).Stored<&TCustomLabel::IsColorStored>().Default(clBtnFace),
    PROPERTY(FocusControl),
    PROPERTY(Layout).Default(tlTop),
    PROPERTY(ShowAccelChar).Default(true),
    PROPERTY(Transparent).Default(false),
    PROPERTY(WordWrap).Default(false))
TAVREN_CLASS_IMPL(TLabel)

TAVREN_CLASS_IMPL_PUBLISHED(TCustomEdit,
    PROPERTY(AutoSelect).Default(true),
    PROPERTY(AutoSize).Default(true),
    PROPERTY(BorderStyle).Default(bsSingle),
    PROPERTY(CharCase).Default(ecNormal),
    PROPERTY(Color).Idents(ColorIdentMap).Stored<&TCustomEdit::IsColorStored>().Default(clWindow),
    PROPERTY(HideSelection).Default(true),
    PROPERTY(MaxLength).Default(0),
    PROPERTY(OEMConvert).Default(false),
    PROPERTY(ReadOnly).Default(false),
    PROPERTY(Text),
    PROPERTY(TabStop).Default(true),
    PROPERTY(OnChange))
TAVREN_CLASS_IMPL(TEdit)

TAVREN_CLASS_IMPL_PUBLISHED(TCustomMemo,
    PROPERTY(Alignment).Default(taLeftJustify),
    PROPERTY(AutoSize).Default(false),
    PROPERTY(Lines),
    PROPERTY(ScrollBars).Default(ssNone),
    PROPERTY(WantReturns).Default(true),
    PROPERTY(WantTabs).Default(false),
    PROPERTY(WordWrap).Default(true),
    PROPERTY_AS(Text, GetText, SetText).Stored(false))
TAVREN_CLASS_IMPL(TMemo)

TAVREN_CLASS_IMPL(TButtonControl)

TAVREN_CLASS_IMPL_PUBLISHED(TButton,
    PROPERTY(Cancel).Default(false),
    PROPERTY(Caption),
    PROPERTY(Default).Default(false),
    PROPERTY(ModalResult).Default(0),
    PROPERTY(TabStop).Default(true))

TAVREN_CLASS_IMPL_PUBLISHED(TCustomCheckBox,
    PROPERTY(Alignment).Default(taRightJustify),
    PROPERTY(AllowGrayed).Default(false),
    PROPERTY(Caption),
    PROPERTY(Checked).Stored(false),
    PROPERTY(State).Default(cbUnchecked),
    PROPERTY(TabStop).Default(true))
TAVREN_CLASS_IMPL(TCheckBox)

TAVREN_CLASS_IMPL_PUBLISHED(TRadioButton,
    PROPERTY(Alignment).Default(taRightJustify),
    PROPERTY(Caption),
    PROPERTY(Checked).Default(false),
    PROPERTY(WordWrap).Default(false))

TAVREN_CLASS_IMPL_PUBLISHED(TCustomGroupBox,
    PROPERTY(Caption),
    PROPERTY(Color).Idents(ColorIdentMap).Stored<&TCustomGroupBox::IsColorStored>().Default(clBtnFace))
TAVREN_CLASS_IMPL(TGroupBox)

TAVREN_CLASS_IMPL_PUBLISHED(TCustomListBox,
    PROPERTY(AutoComplete).Default(true),
    PROPERTY(BorderStyle).Default(bsSingle),
    PROPERTY(Color).Idents(ColorIdentMap).Stored<&TCustomListBox::IsColorStored>().Default(clWindow),
    PROPERTY(ExtendedSelect).Default(true),
    PROPERTY(IntegralHeight).Default(false),
    PROPERTY(ItemHeight).Default(16),
    PROPERTY(Items),
    PROPERTY(MultiSelect).Default(false),
    PROPERTY(ScrollWidth).Default(0),
    PROPERTY(Sorted).Default(false),
    PROPERTY(Style).Default(lbStandard),
    PROPERTY(TabStop).Default(true),
    PROPERTY(OnData),
    PROPERTY(OnDataFind),
    PROPERTY(OnDrawItem),
    PROPERTY(OnMeasureItem))
TAVREN_CLASS_IMPL(TListBox)

TAVREN_CLASS_IMPL_PUBLISHED(TCustomComboBox,
    PROPERTY(Color).Idents(ColorIdentMap).Stored<&TCustomComboBox::IsColorStored>().Default(clWindow),
    PROPERTY(DropDownCount).Default(8),
    PROPERTY(ItemHeight).Default(16),
    PROPERTY(Items),
    PROPERTY(ItemIndex).Default(-1),
    PROPERTY(MaxLength).Default(0),
    PROPERTY(Sorted).Default(false),
    PROPERTY(Style).Default(csDropDown),
    PROPERTY(TabStop).Default(true),
    PROPERTY(Text),
    PROPERTY(OnChange),
    PROPERTY(OnCloseUp),
    PROPERTY(OnDropDown),
    PROPERTY(OnSelect))
TAVREN_CLASS_IMPL(TComboBox)

TAVREN_CLASS_IMPL_PUBLISHED(TScrollBar,
    PROPERTY(Kind).Default(sbHorizontal),
    PROPERTY(LargeChange).Default(1),
    PROPERTY(Max).Default(100),
    PROPERTY(Min).Default(0),
    PROPERTY(PageSize).Default(0),
    PROPERTY(Position).Default(0),
    PROPERTY(SmallChange).Default(1),
    PROPERTY(TabStop).Default(true),
    PROPERTY(OnChange),
    PROPERTY(OnScroll))

void StdCtrlsStart() {
  RegisterClasses({TLabel::ClassInfo(), TEdit::ClassInfo(), TMemo::ClassInfo(), TButton::ClassInfo(),
                   TCheckBox::ClassInfo(), TRadioButton::ClassInfo(), TGroupBox::ClassInfo(), TListBox::ClassInfo(),
                   TComboBox::ClassInfo(), TScrollBar::ClassInfo()});
}
