// The image combo: entries with an image each, in the list, the editor and a "Select item" dialog.

#include <memory>

#include "rtl/Filer.h"
#include "rtl/Math.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarExtItemsCombos.h"
#include "toolkit/bars/qzBarStrs.h"
#include "toolkit/foundation/kvClasses.h"
#include "toolkit/foundation/kvGraphics.h"
#include "vcl/DialogForm.h"
#include "vcl/StdCtrls.h"

TAVREN_CLASS_IMPL_PUBLISHED(TqzBarImageCombo,
    PROPERTY(Images),
    PROPERTY(Items),
    PROPERTY(ItemIndex),
    PROPERTY(Sorted).Default(false),
    PROPERTY(ShowEditor).Default(false),
    PROPERTY(ShowText).Default(true))
TAVREN_CLASS_IMPL(TqzBarImageComboControl)

namespace {

// An entry's image index travels with the entry as its object, one up so that none reads -1.
TObject* ImageIndexObject(Integer AIndex) { return reinterpret_cast<TObject*>(static_cast<intptr_t>(AIndex + 1)); }

// The modal list of the combo's entries; the responder knows it as "SelectItemDialog" and its list
// as ItemList.
class TImageComboDialog : public TDialogForm {
  TAVREN_CLASS(TImageComboDialog, TDialogForm)
 public:
  explicit TImageComboDialog(TqzBarImageCombo* ACombo);
  TListBox* List = nullptr;

 private:
  void DrawItem(TWinControl*, Integer AIndex, TRect R, TOwnerDrawState AState);
  void MeasureItem(TWinControl*, Integer AIndex, Integer& AHeight);
  void ListDblClick(TObject*) { SetModalResult(mrOk); }
  // Runs the combo's drawing or measuring with its entries going to the canvas.
  template <class F>
  void OnCanvas(TCanvas* ACanvas, F AWork);

  TqzBarImageCombo* FCombo;
  // The list measures its rows while its window is being made, before it can be drawn on.
  TBitmap FMeasure;
};

TAVREN_CLASS_IMPL(TImageComboDialog)

TImageComboDialog::TImageComboDialog(TqzBarImageCombo* ACombo)
    : TDialogForm("SelectItemDialog", ResourceStringText(sqzBarSelectItem), 0, 0), FCombo(ACombo) {
  if (TqzBarManager* manager = ACombo->GetBarManager()) GetFont()->Assign(manager->GetFont());
  FMeasure.SetSize(1, 1);
  TCanvas* canvas = FMeasure.GetCanvas();
  canvas->SetFont(GetFont());
  Integer bw = 12 * canvas->TextWidth("0");
  Integer bh = MulDiv(canvas->TextHeight("0"), 5, 3);
  Integer g = bh / 4;

  List = AddControl<TListBox>("ItemList", g, g, 100, 100);
  List->SetStyle(lbOwnerDrawVariable);
  List->SetOnDrawItem(MakeEvent<&TImageComboDialog::DrawItem>(this));
  List->SetOnMeasureItem(MakeEvent<&TImageComboDialog::MeasureItem>(this));
  List->SetOnDblClick(MakeEvent<&TImageComboDialog::ListDblClick>(this));
  List->GetItems()->Assign(ACombo->GetItems());
  Integer rows = std::min(ACombo->GetItems()->GetCount(), ACombo->GetDropDownCount());
  Integer rowHeight = 0;
  if (rows > 0) OnCanvas(canvas, [&] { rowHeight = FCombo->MeasureItemHeight(0); });
  Integer listWidth = 0;
  OnCanvas(canvas, [&] { listWidth = FCombo->GetDropDownListWidth() - 4; });
  // The frame of the list is what its bounds add to its client area.
  Integer frameWidth = List->GetWidth() - List->GetClientWidth();
  Integer frameHeight = List->GetHeight() - List->GetClientHeight();
  List->SetBounds(g, g, listWidth + frameWidth, std::max(rowHeight * rows + frameHeight, g + 2 * bh));
  List->SetItemIndex(ACombo->GetItemIndex());

  SetClientWidth(List->GetWidth() + bw + 3 * g);
  SetClientHeight(List->GetHeight() + 2 * g);
  GetOkButton()->SetCaption(ResourceStringText(sqzBarOK));
  GetOkButton()->SetBounds(GetClientWidth() - g - bw, g, bw, bh);
  GetCancelButton()->SetCaption(ResourceStringText(sqzBarCancel));
  GetCancelButton()->SetBounds(GetClientWidth() - g - bw, g + bh + g, bw, bh);
  SetActiveControl(List);
}

template <class F>
void TImageComboDialog::OnCanvas(TCanvas* ACanvas, F AWork) {
  FCombo->SetPaintCanvas(ACanvas);
  try {
    AWork();
  } catch (...) {
    FCombo->SetPaintCanvas(nullptr);
    throw;
  }
  FCombo->SetPaintCanvas(nullptr);
}

void TImageComboDialog::DrawItem(TWinControl*, Integer AIndex, TRect R, TOwnerDrawState AState) {
  TqzBarManager* manager = FCombo->GetBarManager();
  if (!manager) return;
  // The list draws the focus rectangle itself.
  AState.Exclude(odFocused);
  OnCanvas(List->GetCanvas(), [&] { FCombo->PaintListItem(manager->GetDefaultPainter(), AIndex, AState, R); });
}

void TImageComboDialog::MeasureItem(TWinControl*, Integer AIndex, Integer& AHeight) {
  OnCanvas(FMeasure.GetCanvas(), [&] { AHeight = FCombo->MeasureItemHeight(AIndex); });
}

}  // namespace

// ---- Item ----------------------------------------------------------------------------------------

TqzBarImageCombo::TqzBarImageCombo(TComponent* AOwner)
    : TqzBarCustomCombo(AOwner), FImageChangeLink(std::make_unique<TChangeLink>()) {
  FImageChangeLink->SetOnChange(MakeEvent<&TqzBarImageCombo::ImageListChange>(this));
  SetShowEditor(false);
  LoadBarItemGlyph(this, "QZBARIMAGECOMBO");
}

TqzBarImageCombo::~TqzBarImageCombo() { SetImageListField(nullptr, FImages, FImageChangeLink.get(), this); }

Integer TqzBarImageCombo::GetImageIndexes(Integer AIndex) const {
  if (AIndex < 0 || AIndex >= GetItems()->GetCount()) return -1;
  return static_cast<Integer>(reinterpret_cast<intptr_t>(GetItems()->GetObjects(AIndex))) - 1;
}

void TqzBarImageCombo::SetImageIndexes(Integer AIndex, Integer Value) {
  if (AIndex < 0 || AIndex >= GetItems()->GetCount()) return;
  GetItems()->SetObjects(AIndex, ImageIndexObject(Value));
  if (AIndex == GetItemIndex()) RepaintControls();
}

void TqzBarImageCombo::SetImages(TCustomImageList* Value) {
  SetImageListField(Value, FImages, FImageChangeLink.get(), this);
}

void TqzBarImageCombo::ImageListChange(TObject*) {
  if (!IsLoading()) ImagesChanged();
}

void TqzBarImageCombo::ImagesChanged() {
  for (Integer i = 0; i < GetLinkCount(); ++i)
    if (auto* control = dynamic_cast<TqzBarImageComboControl*>(GetLink(i)->GetControl())) control->RebuildBar();
}

void TqzBarImageCombo::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
}

void TqzBarImageCombo::SetShowText(bool Value) {
  if (FShowText == Value) return;
  FShowText = Value;
  RepaintControls();
}

void TqzBarImageCombo::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty(
      "ImageIndexes", [this](TReader* R) { ReadImageIndexes(R); }, [this](TWriter* W) { WriteImageIndexes(W); },
      true);
}

void TqzBarImageCombo::ReadImageIndexes(TReader* Reader) {
  Reader->ReadListBegin();
  Integer index = 0;
  while (!Reader->EndOfList()) {
    Integer value = Reader->ReadInteger();
    // Values beyond the entries are read and dropped.
    if (index < GetItems()->GetCount()) GetItems()->SetObjects(index, ImageIndexObject(value));
    ++index;
  }
  Reader->ReadListEnd();
}

void TqzBarImageCombo::WriteImageIndexes(TWriter* Writer) {
  Writer->WriteListBegin();
  for (Integer i = 0; i < GetItems()->GetCount(); ++i) Writer->WriteInteger(GetImageIndexes(i));
  Writer->WriteListEnd();
}

void TqzBarImageCombo::PaintListItem(TqzBarPainter* APainter, Integer AIndex, TOwnerDrawState AState, const TRect& R) {
  if (GetOnDrawItem() || !FImages) {
    inherited::PaintListItem(APainter, AIndex, AState, R);
    return;
  }
  TCanvas* canvas = ListItemCanvas(AState);
  canvas->FillRect(R);
  Integer width = FImages->GetWidth();
  Integer height = FImages->GetHeight();
  TRect box;
  box.Top = R.Top + (R.Height() - height) / 2;
  box.Bottom = box.Top + height;
  box.Left = FShowText ? R.Left + 1 : R.Left + (R.Width() - width) / 2;
  box.Right = box.Left + width;
  Integer image = GetImageIndexes(AIndex);
  if (AIndex >= 0 && image >= 0 && image < FImages->GetCount()) {
    FImages->Draw(canvas, box.Left, box.Top, image);
  } else {
    // Without an image the text takes the place, except in the editor while it edits.
    TqzBarItemLink* link = GetActiveLink();
    auto* control = link ? dynamic_cast<TqzBarWinControl*>(link->GetControl()) : nullptr;
    if (!(AIndex == -1 && control && control->GetInPlaceActive())) box.Right = box.Left;
  }
  if (FShowText) {
    String text = AIndex == -1 ? GetText() : ItemText(AIndex);
    canvas->TextOut(box.Right + 2, R.Top + (R.Height() - canvas->TextHeight(text)) / 2, text);
  }
  if (AState.Contains(odFocused)) canvas->DrawFocusRect(R);
}

Integer TqzBarImageCombo::MeasureItemHeight(Integer AIndex) {
  Integer height = inherited::MeasureItemHeight(AIndex);
  if (GetOnMeasureItem() || !FImages) return height;
  return std::max(height, FImages->GetHeight() + 2);
}

Integer TqzBarImageCombo::MeasureItemWidth(Integer AIndex) {
  Integer width = inherited::MeasureItemWidth(AIndex);
  if (!FImages) return width;
  return (FShowText ? width : 0) + FImages->GetWidth() + 2;
}

void TqzBarImageCombo::FireClick() {
  inherited::FireClick();
  if (GetOnClick() || GetReadOnly()) return;
  RunDialog();
}

void TqzBarImageCombo::RunDialog() {
  auto dialog = std::make_unique<TImageComboDialog>(this);
  if (dialog->ShowModal() == mrOk) SetItemIndex(dialog->List->GetItemIndex());
}

// ---- Control -------------------------------------------------------------------------------------

Integer TqzBarImageComboControl::GetHeight() {
  Integer height = inherited::GetHeight();
  TqzBarImageCombo* combo = GetImageCombo();
  if (combo && combo->GetImages() && GetPaintType() != qzPaintRotated)
    height = std::max(height, combo->GetImages()->GetHeight() + 6);
  return height;
}

void TqzBarImageComboControl::RebuildBar() { RequestBarRebuild(); }
