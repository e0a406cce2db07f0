#pragma once
// The extra item kinds of the bars and their controls: the large button (a big glyph with its
// caption beside or under it, a hot glyph, small and large image indexes kept in step) and the
// unit's start and end, which register the kinds with the item-class registry.

#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarItemControlButtons.h"

// ---- Large button -------------------------------------------------------------------------------

class TqzBarLargeButton : public TqzBarButton {
  TAVREN_CLASS(TqzBarLargeButton, TqzBarButton)
 public:
  explicit TqzBarLargeButton(TComponent* AOwner);
  ~TqzBarLargeButton() override;

  Integer EditOperations() override { return TqzBarButton::EditOperations() & ~0x20; }
  bool AccelUsableFor(TqzBarItemLink* ALink) override;
  bool HasHotImage() override { return FHotImageIndex >= 0; }
  bool HasImage() override { return GetLargeImageIndex() >= 0; }
  Integer ReadImageIndex() override { return GetLargeImageIndex(); }
  void WriteImageIndex(Integer Value) override { SetLargeImageIndex(Value); }
  void SetImageIndex(Integer Value) override;
  void LargeGlyphChanged(TObject* Sender) override;
  void SetWidth(Integer Value) override;

  bool GetAutoGrayScale() const { return FAutoGrayScale; }
  void SetAutoGrayScale(bool Value);
  Integer GetHeight() const { return FHeight; }
  // Negative heights are ignored.
  void SetHeight(Integer Value);
  TBitmap* GetHotGlyph() const { return FHotGlyph.get(); }
  void SetHotGlyph(TBitmap* Value) { FHotGlyph->Assign(Value); }
  Integer GetHotImageIndex() const { return FHotImageIndex; }
  void SetHotImageIndex(Integer Value);
  bool GetSyncImageIndex() const { return FSyncImageIndex; }
  void SetSyncImageIndex(bool Value);

 protected:
  void Loaded() override;
  // The small index is stored as "ImageIndex" only while it does not follow the large one.
  void DefineProperties(TFiler* Filer) override;

 private:
  // ImageIndex := LargeImageIndex while the two are kept in step.
  void SyncFromLargeImageIndex();

  std::unique_ptr<TBitmap> FHotGlyph;
  bool FAutoGrayScale = true;
  Integer FHeight = 0;
  Integer FHotImageIndex = -1;
  bool FSyncImageIndex = true;
  bool FSynchronizing = false;
  // Set while the form is read: an image index or the sync flag came from the stream.
  bool FImageIndexRead = false;
  bool FSyncImageIndexRead = false;
};

class TqzBarLargeButtonControl : public TqzBarButtonControl {
  TAVREN_CLASS(TqzBarLargeButtonControl, TqzBarButtonControl)
 public:
  using TqzBarButtonControl::TqzBarButtonControl;
  TqzBarLargeButton* GetLargeButton() const { return static_cast<TqzBarLargeButton*>(GetItem()); }

  void HotGlyphChanged() override { LargeGlyphChanged(); }
  void LargeGlyphChanged() override;
  TqzBarItemViewLevels GetPossibleViewLevels() override;
  Byte GetContentKind() override;
  Byte GetDefaultViewSize() override;
  bool DrawsGlyphGray() override;
  bool GetImageSource(Byte ASize, Integer AFlags, Integer& AIndex, TCustomImageList*& AList,
                      TBitmap*& AGlyph) override;
  Integer GetThicknessInBar() override;
  Integer GetLengthInBar() override;
  bool IsInVerticalBar() override;
  Integer GetDropArrowWidth() override;
  void AdjustPaintStyle(TqzBarPaintStyle& AStyle) override { AStyle = psCaption; }

 private:
  bool HotSource(Integer& AIndex, TCustomImageList*& AList, TBitmap*& AGlyph);
  bool LargeSource(Integer& AIndex, TCustomImageList*& AList, TBitmap*& AGlyph);
};

// ---- Unit start and end -------------------------------------------------------------------------

// Registers the kinds with their controls (a counter makes repeated calls harmless).
void qzBarExtItemsStart();
void qzBarExtItemsEnd();
