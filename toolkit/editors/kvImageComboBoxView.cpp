// The image combo's edit area: the chosen item's image beside (or, without descriptions, centred
// in place of) its text.

#include <algorithm>
#include <memory>

#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvImageComboBox.h"
#include "toolkit/foundation/kvDWMApi.h"
#include "user/Rects.h"

TAVREN_CLASS_IMPL(TkvImageComboBoxViewInfo)
TAVREN_CLASS_IMPL(TkvImageComboBoxViewData)

// ---- View info -------------------------------------------------------------------------------

void TkvImageComboBoxViewInfo::CopyFrom(TkvContainerViewInfo* Other) {
  if (auto* other = dynamic_cast<TkvImageComboBoxViewInfo*>(Other)) {
    ImageRect = other->ImageRect;
    ShowDescriptions = other->ShowDescriptions;
    ImageAlign = other->ImageAlign;
    ImageIndex = other->ImageIndex;
    Images = other->Images;
  }
  TkvCustomTextEditViewInfo::CopyFrom(Other);
}

void TkvImageComboBoxViewInfo::MoveBy(Integer DX, Integer DY) {
  TkvCustomTextEditViewInfo::MoveBy(DX, DY);
  OffsetRect(&ImageRect, DX, DY);
}

void TkvImageComboBoxViewInfo::PaintContent(TkvCanvas* Canvas) {
  if (!Canvas->AreaVisible(Bounds)) return;
  TkvCustomTextEditViewInfo::PaintContent(Canvas);
  if (!Images || ImageIndex < 0 || ImageIndex >= Images->GetCount()) return;
  TRect clip;
  if (!IntersectRect(&clip, &ImageRect, &BorderRect)) return;
  Canvas->PushClip();
  try {
    Canvas->ClipToRect(clip);
    if (!Transparent && (!DwmCompositionEnabled() || !NativeStyle))
      DrawGlyphOrImage(Canvas, Images, ImageIndex, ImageRect, BackgroundColor, Enabled);
    else
      Images->Draw(Canvas->GetCanvas(), ImageRect.Left, ImageRect.Top, ImageIndex, Enabled);
  } catch (...) {
    Canvas->PopClip();
    throw;
  }
  Canvas->PopClip();
}

// ---- View data -------------------------------------------------------------------------------

TkvImageComboBoxItem* TkvImageComboBoxViewData::EditorItem() {
  auto* combo = dynamic_cast<TkvCustomImageComboBox*>(Edit);
  if (!combo) return nullptr;
  TkvImageComboBoxItems* items = ImageProperties()->GetImageItems();
  if (TkvImageComboBoxLookupData* lookup = combo->ImageLookupData()) {
    const Integer index = lookup->GetCurrentIndex();
    if (index >= 0 && index < items->GetCount()) return items->GetItem(index);
  }
  Variant value;
  combo->GetEditValue(value);
  return ImageProperties()->FindItemByValue(value);
}

void TkvImageComboBoxViewData::ComputeViewInfo(TkvCanvas* Canvas, const TRect& Bounds, const TPoint& P,
                                               Integer Button, TShiftState Shift, TkvCustomEditViewInfo* ViewInfo,
                                               bool IsMouseEvent) {
  TkvCustomDropDownEditViewData::ComputeViewInfo(Canvas, Bounds, P, Button, Shift, ViewInfo, IsMouseEvent);
  auto* info = static_cast<TkvImageComboBoxViewInfo*>(ViewInfo);
  TkvCustomImageComboBoxProperties* properties = ImageProperties();
  info->ImageAlign = properties->GetImageAlign();
  info->Images = properties->GetImages();
  info->ShowDescriptions = properties->GetShowDescriptions();
  if (Edit) {
    String text;
    properties->GetDescriptionAndImage(EditorItem(), false, text, info->ImageIndex);
  }
  TRect textArea = info->ClientRect;
  info->ImageRect = TRect();
  if (TCustomImageList* images = info->Images) {
    TRect cell = info->ClientRect;
    InflateRect(&cell, -2, 0);
    TRect image = cell;
    const Integer width = images->GetWidth(), height = images->GetHeight();
    if (width >= cell.Width()) {
      textArea = TRect(textArea.Left, textArea.Top, textArea.Left, textArea.Bottom);
    } else if (!info->ShowDescriptions) {
      image.Left = cell.Left + (cell.Width() - width) / 2;
      image.Right = image.Left + width;
      // No text shows, so the text area (and the inner edit placed in it) leaves the image free.
      textArea.Left = textArea.Right;
    } else if (info->ImageAlign == TkvImageAlign::iaRight) {
      image.Left = cell.Right - width;
      textArea.Right = image.Left - 2;
    } else {
      image.Right = cell.Left + width;
      textArea.Left = image.Right + 2;
    }
    if (height < cell.Height()) {
      image.Top = cell.Top + (cell.Height() - height) / 2;
      image.Bottom = image.Top + height;
    }
    info->ImageRect = image;
  }
  if (!Inplace) info->ClientRect = textArea;
  info->TextRect = textArea;
  InflateRect(&info->TextRect, -2, -1);
  if (!info->ShowDescriptions) {
    info->Text.clear();
    info->TextOut.Initialized = false;
  }
  if (!Inplace) info->SelectionBarShown = false;
}

void TkvImageComboBoxViewData::LoadDisplayValue(TkvCanvas* Canvas, const Variant& Value,
                                                TkvCustomEditViewInfo* ViewInfo) {
  TkvCustomDropDownEditViewData::LoadDisplayValue(Canvas, Value, ViewInfo);
  auto* info = static_cast<TkvImageComboBoxViewInfo*>(ViewInfo);
  String text;
  ImageProperties()->GetDescriptionAndImage(ImageProperties()->FindItemByValue(Value), false, text, info->ImageIndex);
  info->Text = text;
}

void TkvImageComboBoxViewData::EditValueToDisplayText(const Variant& Value, String& Text) {
  Integer image = -1;
  ImageProperties()->GetDescriptionAndImage(ImageProperties()->FindItemByValue(Value), false, Text, image);
}

void TkvImageComboBoxViewData::SetViewInfoText(const Variant& Value, TkvCustomTextEditViewInfo* ViewInfo) {
  TkvCustomDropDownEditViewData::SetViewInfoText(Value, ViewInfo);
  if (!ImageProperties()->GetShowDescriptions()) {
    ViewInfo->Text.clear();
    ViewInfo->TextOut.Initialized = false;
  }
}

void TkvImageComboBoxViewData::MeasureContent(TkvCanvas* Canvas, const TkvEditSizeRequest& Request, TSize& Minimum,
                                              TkvCustomEditViewInfo*, TSize& NonClient) {
  // The fixed part is measured on the plain layout (borders and buttons): the image's share is
  // added below, not taken from a client area already narrowed by it.
  std::unique_ptr<TkvCustomEditViewInfo> plain(Properties->GetViewInfoClass().Create());
  TkvCustomDropDownEditViewData::ComputeViewInfo(Canvas, kvMeasuringBounds, TPoint{-1, -1}, 0,
                                                 TShiftState{}, plain.get(), false);
  TkvCustomDropDownEditViewData::MeasureContent(Canvas, Request, Minimum, plain.get(), NonClient);
  if (TCustomImageList* images = ImageProperties()->GetImages()) {
    Minimum.cy = std::max(Minimum.cy, images->GetHeight());
    NonClient.cx += images->GetWidth() + 5;
  } else {
    NonClient.cx += 1;
  }
}
