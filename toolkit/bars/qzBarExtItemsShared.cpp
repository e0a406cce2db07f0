// What the extra items share: the colour and font dialogs, the font-kind marks and the loading of
// an item's glyph from the bitmap resources.

#include <memory>

#include "rtl/Resources.h"
#include "toolkit/bars/qzBarExtItemsCombos.h"
#include "vcl/Dialogs.h"

namespace {

std::unique_ptr<TColorDialog> gColorDialog;
std::unique_ptr<TFontDialog> gFontDialog;
std::unique_ptr<TBitmap> gFontKindBitmaps[2];
Integer gFirstWeekDay = 0;

// The bitmap resource, or an empty bitmap when the program carries none of that name.
std::unique_ptr<TBitmap> ResourceBitmap(const char* AName) {
  auto bitmap = std::make_unique<TBitmap>();
  if (FindResource(HInstance, AName, RT_BITMAP)) bitmap->LoadFromResourceName(HInstance, AName);
  return bitmap;
}

}  // namespace

TColorDialog* BarColorDialog() {
  if (!gColorDialog) gColorDialog = std::make_unique<TColorDialog>(nullptr);
  return gColorDialog.get();
}

TFontDialog* BarFontDialog() {
  if (!gFontDialog) gFontDialog = std::make_unique<TFontDialog>(nullptr);
  return gFontDialog.get();
}

TBitmap* BarFontKindBitmap(bool ATrueType) { return gFontKindBitmaps[ATrueType ? 0 : 1].get(); }

void LoadBarFontKindBitmaps() {
  gFontKindBitmaps[0] = ResourceBitmap("QZBARTRUETYPEFONT");
  gFontKindBitmaps[1] = ResourceBitmap("QZBARNONTRUETYPEFONT");
  for (auto& bitmap : gFontKindBitmaps) bitmap->SetTransparent(true);
}

Integer BarFirstWeekDay() { return gFirstWeekDay; }

void SetBarFirstWeekDay(Integer ADay) { gFirstWeekDay = ADay >= 0 && ADay <= 6 ? ADay : 0; }

void FreeBarExtItemsShared() {
  gFontDialog.reset();
  gColorDialog.reset();
  for (auto& bitmap : gFontKindBitmaps) bitmap.reset();
}

void LoadBarItemGlyph(TqzBarItem* AItem, const char* AResourceName) {
  AItem->GetGlyph()->Assign(ResourceBitmap(AResourceName).get());
}
