// One header section painted by the look-and-feel painter.

#include "toolkit/editors/kvHeader.h"

#include "controls/Header.h"
#include "toolkit/foundation/kvGeometry.h"
#include "user/User.h"

namespace {

// Where the image goes, and how the text area and alignment change around it.
void PlaceListHeaderImage(TkvCanvas* Canvas, TCustomImageList* Images, THeaderItemInfo& Info, TRect& TextArea,
                          TRect& ImageRect) {
  const Integer textWidth = Canvas->TextWidthOf(Info.Text);
  const Integer w = Images->GetWidth();
  ImageRect = TextArea;
  switch (Info.Alignment) {
    case taLeftJustify:
      ImageRect.Left = TextArea.Left;
      TextArea.Left = ImageRect.Left + w + 2;
      break;
    case taRightJustify:
      ImageRect.Left = TextArea.Right - textWidth - w - 2;
      if (ImageRect.Left < TextArea.Left) {
        ImageRect.Left = TextArea.Left;
        TextArea.Left += w + 2;
        Info.Alignment = taLeftJustify;
      }
      break;
    case taCenter:
      ImageRect.Left = TextArea.Left + (TextArea.Width() - w - 2 - textWidth) / 2;
      if (ImageRect.Left < TextArea.Left) {
        ImageRect.Left = TextArea.Left;
        Info.Alignment = taLeftJustify;
      }
      TextArea.Left += w + 2;
      break;
  }
  ImageRect.Right = ImageRect.Left + w;
}

}  // namespace

void PaintListHeaderItem(HWND Header, Integer Index, TkvCanvas* Canvas, TCustomImageList* Images,
                         TkvLookAndFeel* LookAndFeel) {
  const Integer count = static_cast<Integer>(SendMessage(Header, HDM_GETITEMCOUNT, 0, 0));
  RECT window;
  GetWindowRect(Header, &window);
  const TRect whole(0, 0, window.Right - window.Left, window.Bottom - window.Top);
  if (count == 0) {
    Canvas->FillTiled(whole, nullptr, false);
    return;
  }
  THeaderItemInfo info;
  SendMessage(Header, HeaderItemInfoRequest, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&info));
  TkvCustomLookAndFeelPainterClass painter = LookAndFeel->ActivePainter();
  if (Index == count)
    info.Rect.Right = whole.Right + 10;
  else if (!LookAndFeel->GetNativeStyle() && LookAndFeel->GetKind() == lfUltraFlat)
    info.Rect.Right += 1;
  const TRect content = painter->HeaderSectionContentBounds(info.Rect, kvbsNormal);
  TRect textArea = RectInflated(content, -4, 0);
  if (info.SortOrder != 0) textArea.Right -= 11;
  const bool withImage = Images && info.ImageIndex >= 0;
  TRect imageRect;
  if (withImage) PlaceListHeaderImage(Canvas, Images, info, textArea, imageRect);

  const TColor brushColor = Canvas->CurrentBrush()->GetColor();
  TkvRegion* savedClip = Canvas->CopyClipRegion();
  try {
    Canvas->ClipToRect(info.Rect);
    painter->PaintHeaderSection(Canvas, info.Rect, textArea, TkvBorders{bRight}, kvAllBorders, info.State,
                                info.Alignment, vaCenter, false, true, info.Text, Canvas->CurrentFont(),
                                Canvas->CurrentFont()->GetColor(), brushColor);
    Canvas->ClipToRect(content);
    if (withImage)
      Canvas->DrawImageListItem(Images, imageRect.Left,
                                imageRect.Top + (imageRect.Bottom - imageRect.Top - Images->GetHeight()) / 2,
                                info.ImageIndex, true);
    if (info.SortOrder != 0) {
      const TColor penColor = Canvas->CurrentPen()->GetColor();
      painter->PaintSortMark(Canvas, TRect(info.Rect.Right - 11, info.Rect.Top, info.Rect.Right - 4, info.Rect.Bottom),
                             info.SortOrder == 1);
      Canvas->CurrentPen()->SetColor(penColor);
    }
  } catch (...) {
    Canvas->ApplyClipRegion(savedClip, roSet, true);
    Canvas->SetBrushColor(brushColor);
    throw;
  }
  Canvas->ApplyClipRegion(savedClip, roSet, true);
  Canvas->SetBrushColor(brushColor);
}
