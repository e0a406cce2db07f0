// The image combo's drop-down list: row heights (several lines with MultiLineText), the width
// the items ask for, the rows drawn with their images, and the lookup over the items.

#include <algorithm>

#include "controls/ListBox.h"
#include "gdi/SysMetrics.h"
#include "gdi/Text.h"
#include "toolkit/editors/kvImageComboBox.h"
#include "toolkit/foundation/kvGraphics.h"

TAVREN_CLASS_IMPL(TkvImageComboBoxListBox)
TAVREN_CLASS_IMPL(TkvImageComboBoxLookupData)

// ---- List ------------------------------------------------------------------------------------

TkvImageComboBoxListBox::TkvImageComboBoxListBox(TComponent* AOwner) : TkvCustomComboBoxListBox(AOwner) {
  SetBorderStyle(bsNone);
  SetStyle(lbOwnerDrawVariable);
}

TkvCustomImageComboBoxProperties* TkvImageComboBoxListBox::ImageProperties() {
  auto* combo = dynamic_cast<TkvCustomImageComboBox*>(GetOwnerEdit());
  return combo ? combo->ImageProperties() : nullptr;
}

Integer TkvImageComboBoxListBox::MeasureRow(Integer Index, Integer MeasureWidth) {
  TkvCustomImageComboBoxProperties* properties = ImageProperties();
  if (!properties) return TkvCustomComboBoxListBox::ItemRowHeight(Index);
  TCustomImageList* images = properties->ListImages();
  const Integer available = MeasureWidth - 2 - (images ? images->GetWidth() + 4 : 0);
  const Integer minimum = images ? images->GetHeight() + 2 : 0;
  // Rows are measured before the list has a window: on the screen's canvas in the list's font.
  TkvScreenCanvas* screen = ScreenCanvasInstance();
  TCanvas* canvas = screen->GetCanvas();
  canvas->GetFont()->Assign(GetFont());
  Integer height;
  if (properties->GetMultiLineText() && available > 0) {
    TkvImageComboBoxItems* items = properties->GetImageItems();
    const String text = Index >= 0 && Index < items->GetCount() ? items->GetItem(Index)->GetDescription() : String();
    TRect r{0, 0, available, 0};
    canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
    DrawText(canvas->GetHandle(), text.c_str(), static_cast<int>(text.size()), &r,
             DT_NOPREFIX | DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
    height = std::max(r.Height() + 2, minimum);
  } else {
    height = std::max(TextHeightInFont(GetFont(), "Wg") + 2, minimum);
  }
  if (TkvCustomComboBox* combo = GetCombo(); combo && Index >= 0) combo->DoMeasureItem(Index, screen, height);
  return height;
}

Integer TkvImageComboBoxListBox::ItemRowHeight(Integer Index) {
  TkvCustomImageComboBoxProperties* properties = ImageProperties();
  const bool multiLine = properties && properties->GetMultiLineText();
  return MeasureRow(Index, multiLine ? GetClientWidth() : 0);
}

Integer TkvImageComboBoxListBox::RowsHeightIn(Integer Count, Integer PopupWidth, Integer Limit) {
  TkvCustomImageComboBoxProperties* properties = ImageProperties();
  const bool multiLine = properties && properties->GetMultiLineText();
  Integer width = multiLine ? PopupWidth : 0;
  auto sum = [&] {
    Integer total = 0;
    for (Integer i = 0; i < Count; ++i) total += MeasureRow(i, width);
    return total;
  };
  Integer total = sum();
  const Integer itemCount = properties ? properties->GetImageItems()->GetCount() : 0;
  if (multiLine && (total > Limit || Count < itemCount)) {
    width -= GetSystemMetrics(SM_CXVSCROLL);
    total = sum();
  }
  return total;
}

Integer TkvImageComboBoxListBox::PopupWidth() {
  TkvCustomImageComboBoxProperties* properties = ImageProperties();
  if (!properties) return 0;
  TCustomImageList* images = properties->ListImages();
  TkvImageComboBoxItems* items = properties->GetImageItems();
  Integer widest = 0;
  for (Integer i = 0; i < items->GetCount(); ++i)
    widest = std::max(widest, TextWidthInFont(GetFont(), items->GetItem(i)->GetDescription()));
  Integer width = (images ? images->GetWidth() + 8 : 4) + widest;
  if (properties->GetDropDownRows() < items->GetCount()) width += GetSystemMetrics(SM_CXVSCROLL);
  return width;
}

void TkvImageComboBoxListBox::PrepareForShowing() {
  // The rows keep their own heights and the owner-drawn variable style they were made with.
}

void TkvImageComboBoxListBox::DrawItem(Integer Index, TRect Rect, TOwnerDrawState State) {
  TkvCustomImageComboBoxProperties* properties = ImageProperties();
  if (!properties || GetOnDrawItem() || DrawsItemItself(Index, Rect, State))
    return TkvCustomComboBoxListBox::DrawItem(Index, Rect, State);
  TCanvas* canvas = GetCanvas();
  canvas->FillRect(Rect);
  TkvImageComboBoxItems* items = properties->GetImageItems();
  if (Index < 0 || Index >= items->GetCount()) return;
  TkvImageComboBoxItem* item = items->GetItem(Index);
  const bool rightToLeft = GetBiDiMode() != bdLeftToRight;
  UINT format = properties->GetMultiLineText() ? DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK
                                                : DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;
  if (rightToLeft) format |= DT_RIGHT | DT_RTLREADING;
  TRect text = Rect;
  if (rightToLeft)
    text.Right -= 2;
  else
    text.Left += 2;
  if (TCustomImageList* images = properties->ListImages()) {
    TRect cell = Rect;
    const Integer cellWidth = images->GetWidth() + 4;
    if (properties->GetImageAlign() == TkvImageAlign::iaRight) {
      cell.Left = cell.Right - cellWidth;
      text.Right = std::min(text.Right, cell.Left);
    } else {
      cell.Right = cell.Left + cellWidth;
      text.Left = std::max(text.Left, cell.Right);
    }
    const Integer image = item->GetImageIndex();
    if (image >= 0 && image < images->GetCount())
      images->Draw(canvas, cell.Left + 1, cell.Top + (cell.Height() - images->GetHeight()) / 2, image,
                   GetEnabled());
  }
  if (text.Left >= text.Right || text.Top >= text.Bottom) return;
  const String description = item->GetDescription();
  // The row's font and colour go into the device context before the text is drawn through it.
  canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
  SetBkMode(canvas->GetHandle(), TRANSPARENT);
  DrawText(canvas->GetHandle(), description.c_str(), static_cast<int>(description.size()), &text, format);
}

// ---- Lookup data -----------------------------------------------------------------------------

namespace {

TkvCustomImageComboBoxProperties* ImagePropertiesOf(TkvCustomTextEditProperties* Properties) {
  return dynamic_cast<TkvCustomImageComboBoxProperties*>(Properties);
}

}  // namespace

Integer TkvImageComboBoxLookupData::ItemCount() {
  TkvCustomImageComboBoxProperties* properties = ImagePropertiesOf(GetOwnerProperties());
  return properties ? properties->GetImageItems()->GetCount() : 0;
}

String TkvImageComboBoxLookupData::ItemText(Integer Index) {
  TkvCustomImageComboBoxProperties* properties = ImagePropertiesOf(GetOwnerProperties());
  if (!properties || Index < 0 || Index >= properties->GetImageItems()->GetCount()) return String();
  return properties->GetImageItems()->GetItem(Index)->GetDescription();
}

void TkvImageComboBoxLookupData::PlaceList(const TRect& R) {
  TkvComboBoxLookupData::PlaceList(R);
  TkvCustomImageComboBoxProperties* properties = ImagePropertiesOf(GetOwnerProperties());
  TkvCustomEditListBox* list = GetList();
  if (!properties || !properties->GetMultiLineText() || !list || !list->HandleAllocated()) return;
  auto* imageList = static_cast<TkvImageComboBoxListBox*>(list);
  const Integer count = std::min(ItemCount(), list->GetItems()->GetCount());
  for (Integer i = 0; i < count; ++i)
    list->Perform(LB_SETITEMHEIGHT, i, std::min(imageList->ItemRowHeight(i), 255));
}

void TkvImageComboBoxLookupData::SyncWithEditValue() {
  TkvCustomEdit* edit = GetOwnerEdit();
  TkvCustomImageComboBoxProperties* properties = ImagePropertiesOf(GetOwnerProperties());
  if (!edit || !properties || edit->IsSwitchingEditMode()) return;
  Variant value;
  edit->GetEditValue(value);
  TkvImageComboBoxItem* item = properties->FindItemByValue(value);
  StoreCurrentKey(item ? item->GetIndex() : -1);
}
