// The font-name combo: the installed families with their kind, and the font dialog.

#include "gdi/Fonts.h"
#include "toolkit/bars/qzBarExtItemsCombos.h"
#include "user/Painting.h"
#include "vcl/Dialogs.h"

TAVREN_CLASS_IMPL_PUBLISHED(TqzBarFontNameCombo,
    PROPERTY(DropDownCount).Default(12),
    PROPERTY(ShowEditor).Default(false),
    PROPERTY(Width).Default(160))

namespace {

int AddFontFamily(const LOGFONT* AFont, const TEXTMETRIC*, DWORD AFontType, LPARAM AData) {
  auto* items = reinterpret_cast<TStringList*>(AData);
  Integer index;
  // The list is sorted: a family reported again (another character set) is there already.
  if (!items->Find(AFont->lfFaceName, index))
    items->AddObject(AFont->lfFaceName, reinterpret_cast<TObject*>(static_cast<intptr_t>(
                                            (AFontType & TRUETYPE_FONTTYPE) != 0 ? 1 : 0)));
  return 1;
}

}  // namespace

TqzBarFontNameCombo::TqzBarFontNameCombo(TComponent* AOwner) : TqzBarCustomCombo(AOwner) {
  SetDropDownCount(12);
  SetShowEditor(false);
  SetSorted(true);
  SetWidth(160);
  LoadBarItemGlyph(this, "QZBARFONTNAMECOMBO");
  FillFontList();
}

void TqzBarFontNameCombo::FillFontList() {
  HDC DC = GetDC(nullptr);
  LOGFONT filter;
  filter.lfCharSet = DEFAULT_CHARSET;
  try {
    EnumFontFamiliesExA(DC, &filter, AddFontFamily, reinterpret_cast<LPARAM>(GetItems()), 0);
  } catch (...) {
    ReleaseDC(nullptr, DC);
    throw;
  }
  ReleaseDC(nullptr, DC);
}

bool TqzBarFontNameCombo::IsTrueType(Integer AIndex) {
  return AIndex >= 0 && AIndex < GetItems()->GetCount() && GetItems()->GetObjects(AIndex) != nullptr;
}

void TqzBarFontNameCombo::SetText(const String& Value) {
  String text = Value;
  if (GetActiveLink()) {
    Integer index = GetItems()->IndexOf(Value);
    if (index < 0 && !Value.empty()) return;
    if (index >= 0) text = GetItems()->GetStrings(index);
  }
  inherited::SetText(text);
}

void TqzBarFontNameCombo::FireClick() {
  inherited::FireClick();
  if (GetOnClick() || GetReadOnly()) return;
  TFontDialog* dialog = BarFontDialog();
  dialog->GetFont()->SetName(GetText());
  if (dialog->Execute()) SetText(dialog->GetFont()->GetName());
}

void TqzBarFontNameCombo::PaintListItem(TqzBarPainter* APainter, Integer AIndex, TOwnerDrawState AState,
                                        const TRect& R) {
  if (GetOnDrawItem() || AIndex == -1) {
    inherited::PaintListItem(APainter, AIndex, AState, R);
    return;
  }
  TCanvas* canvas = ListItemCanvas(AState);
  canvas->FillRect(R);
  Integer left = R.Left;
  if (TBitmap* mark = BarFontKindBitmap(IsTrueType(AIndex))) {
    canvas->Draw(left, R.Top + (R.Height() - mark->GetHeight()) / 2, mark);
    left += mark->GetWidth();
  }
  String text = ItemText(AIndex);
  canvas->TextOut(left + 2, R.Top + (R.Height() - canvas->TextHeight(text)) / 2, text);
  if (AState.Contains(odFocused)) canvas->DrawFocusRect(R);
}

Integer TqzBarFontNameCombo::MeasureItemWidth(Integer AIndex) {
  TBitmap* mark = BarFontKindBitmap(true);
  return inherited::MeasureItemWidth(AIndex) + (mark ? mark->GetWidth() : 0) + 1;
}
