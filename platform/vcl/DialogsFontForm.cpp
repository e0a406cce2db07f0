// The font dialog's form and its Execute.

#include <memory>

#include "gdi/Fonts.h"
#include "rtl/SysUtils.h"
#include "vcl/DialogForm.h"
#include "vcl/Dialogs.h"

namespace {

int AddFamily(const LOGFONT* font, const TEXTMETRIC*, DWORD, LPARAM data) {
  reinterpret_cast<TStrings*>(data)->Add(font->lfFaceName);
  return 1;
}

class TFontDialogForm : public TDialogForm {
  TAVREN_CLASS(TFontDialogForm, TDialogForm)
 public:
  explicit TFontDialogForm(TFont* AFont);
  // Writes the choice into the font: the family chosen in the list (the font's own when none is),
  // a size typed as a positive number, bold and italic.
  void TakeChoice(TFont* AFont);

 private:
  TListBox* FList;
  TEdit* FSize;
  TCheckBox* FBold;
  TCheckBox* FItalic;
};

TAVREN_CLASS_IMPL(TFontDialogForm)

TFontDialogForm::TFontDialogForm(TFont* AFont) : TDialogForm("FontDialog", "Font", 316, 236) {
  AddLabel("&Font:", 8, 8);
  FList = AddControl<TListBox>("FontList", 8, 24, 210, 204);
  LOGFONT filter;
  filter.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExA(nullptr, &filter, AddFamily, reinterpret_cast<LPARAM>(FList->GetItems()), 0);
  Integer index = FList->GetItems()->IndexOf(AFont->GetName());
  FList->SetItemIndex(index);
  AddLabel("&Size:", 226, 80);
  FSize = AddControl<TEdit>("SizeEdit", 226, 96, 50, 21);
  FSize->SetText(IntToStr(AFont->GetSize()));
  FBold = AddControl<TCheckBox>("BoldCheck", 226, 128, 82, 17);
  FBold->SetCaption("&Bold");
  FBold->SetChecked(AFont->GetStyle().Contains(fsBold));
  FItalic = AddControl<TCheckBox>("ItalicCheck", 226, 150, 82, 17);
  FItalic->SetCaption("&Italic");
  FItalic->SetChecked(AFont->GetStyle().Contains(fsItalic));
  SetActiveControl(FList);
}

void TFontDialogForm::TakeChoice(TFont* AFont) {
  Integer index = FList->GetItemIndex();
  if (index >= 0) AFont->SetName(FList->GetItems()->GetStrings(index));
  Integer size = StrToIntDef(FSize->GetText(), 0);
  if (size > 0) AFont->SetSize(size);
  TFontStyles style = AFont->GetStyle();
  if (FBold->GetChecked()) style.Include(fsBold); else style.Exclude(fsBold);
  if (FItalic->GetChecked()) style.Include(fsItalic); else style.Exclude(fsItalic);
  AFont->SetStyle(style);
}

}  // namespace

bool TFontDialog::Execute() {
  auto form = std::make_unique<TFontDialogForm>(FFont.get());
  DoShow();
  bool confirmed = form->ShowModal() == mrOk;
  DoClose();
  if (confirmed) form->TakeChoice(FFont.get());
  return confirmed;
}
