#pragma once
// The list combos among the extra item kinds: the colour combo (the sixteen standard colours, an
// optional automatic colour and any other through the colour dialog), the font-name combo (the
// installed families, marked as outline or other fonts, and the font dialog) and the image combo
// (entries with an image each), with their controls.

#include "toolkit/bars/qzBarItemControlCombos.h"
#include "toolkit/bars/qzBarItems.h"
#include "vcl/ImgList.h"

class TColorDialog;
class TFontDialog;

// The dialogs the combos share: made on first use, freed when the extra items unit ends.
TColorDialog* BarColorDialog();
TFontDialog* BarFontDialog();
// The marks of the font-name list: outline fonts and others; loaded by the unit's start.
TBitmap* BarFontKindBitmap(bool ATrueType);
void LoadBarFontKindBitmaps();
// The first day of the week (0 Sunday) the calendars start their weeks with; the unit's start
// reads it from the user's locale.
Integer BarFirstWeekDay();
void SetBarFirstWeekDay(Integer ADay);
void FreeBarExtItemsShared();
// Puts the named bitmap resource into the item's glyph.
void LoadBarItemGlyph(TqzBarItem* AItem, const char* AResourceName);

// ---- Colour combo ----------------------------------------------------------------------------

class TqzBarColorCombo : public TqzBarCustomCombo {
  TAVREN_CLASS(TqzBarColorCombo, TqzBarCustomCombo)
 public:
  explicit TqzBarColorCombo(TComponent* AOwner);

  // The colour an entry stands for; any index outside the list gives Color.
  TColor ColorOfIndex(Integer AIndex) const;
  // The entry of the colour: the automatic one when it is shown and the colour is AutoColor as
  // stored, else the first standard colour of the same RGB; -1 for none.
  Integer IndexOfColor(TColor AColor) const;

  void FireChange() override;
  // With no OnClick and not read-only, the colour dialog picks Color.
  void FireClick() override;
  void PaintListItem(TqzBarPainter* APainter, Integer AIndex, TOwnerDrawState AState, const TRect& R) override;
  Integer MeasureItemHeight(Integer AIndex) override;
  Integer MeasureItemWidth(Integer AIndex) override;
  // The dialog opened from the control's button starts with the entry the editor shows.
  void SetExchangeColor(TColor AColor);

  TColor GetAutoColor() const noexcept { return FAutoColor; }
  void SetAutoColor(TColor Value);
  String GetAutoColorText() const { return FAutoColorText; }
  void SetAutoColorText(const String& Value);
  TColor GetColor() const noexcept { return FColor; }
  void SetColor(TColor Value);
  String GetCustomColorText() const { return FCustomColorText; }
  void SetCustomColorText(const String& Value);
  bool GetShowAutoColor() const noexcept { return FShowAutoColor; }
  void SetShowAutoColor(bool Value);
  bool GetShowCustomColorButton() const noexcept { return FShowCustomColorButton; }
  void SetShowCustomColorButton(bool Value);

 private:
  Integer EntryCount() const { return 16 + (FShowAutoColor ? 1 : 0); }
  bool IsAutoColorTextStored() const;
  bool IsCustomColorTextStored() const;
  bool IsDropDownCountStored() const { return GetDropDownCount() != EntryCount(); }
  // Selects the entry of Color without writing Color back.
  void SelectColorEntry();

  TColor FAutoColor = clWindowText;
  String FAutoColorText;
  TColor FColor = clBlack;
  String FCustomColorText;
  bool FShowAutoColor = false;
  bool FShowCustomColorButton = false;
  bool FSettingColor = false;
  bool FHasExchangeColor = false;
  TColor FExchangeColor = clBlack;
};

class TqzBarColorComboControlDrawParams : public TqzBarEditLikeControlDrawParams {
  TAVREN_CLASS(TqzBarColorComboControlDrawParams, TqzBarEditLikeControlDrawParams)
 public:
  using TqzBarEditLikeControlDrawParams::TqzBarEditLikeControlDrawParams;
  bool ButtonPressed = false;
  bool ShowCustomColorButton = false;
};

// The part index of the colour combo's button that opens the colour dialog.
constexpr Integer qzColorButtonPart = 4;

class TqzBarColorComboControl : public TqzBarComboControl {
  TAVREN_CLASS(TqzBarColorComboControl, TqzBarComboControl)
 public:
  using TqzBarComboControl::TqzBarComboControl;
  TqzBarColorCombo* GetColorCombo() const { return dynamic_cast<TqzBarColorCombo*>(GetItem()); }

  TClassOf<TqzBarItemControlDrawParams> DrawParamsClass() override;
  void FillDrawParams(bool ARefresh) override;
  Integer GetPartCount() override { return inherited::GetPartCount() + 1; }
  void CalcPartRects() override;
  void PaintEditArea() override;
  bool IsDrawnSelected() override { return inherited::IsDrawnSelected() || FButtonPressed; }
  void InnerWndProc(TMessage& Message) override;

 private:
  void SetButtonPressed(bool AValue);
  // The button opens the dialog with the entry the editor shows.
  void ClickButton();

  bool FButtonPressed = false;
};

// ---- Font-name combo ---------------------------------------------------------------------------

class TqzBarFontNameCombo : public TqzBarCustomCombo {
  TAVREN_CLASS(TqzBarFontNameCombo, TqzBarCustomCombo)
 public:
  explicit TqzBarFontNameCombo(TComponent* AOwner);
  // While edited in place, only a face of the list is taken, in the list's spelling.
  void SetText(const String& Value) override;
  // With no OnClick and not read-only, the font dialog picks the face.
  void FireClick() override;
  void PaintListItem(TqzBarPainter* APainter, Integer AIndex, TOwnerDrawState AState, const TRect& R) override;
  Integer MeasureItemWidth(Integer AIndex) override;
  // Whether the entry is an outline font.
  bool IsTrueType(Integer AIndex);

 private:
  void FillFontList();
};

// ---- Image combo -------------------------------------------------------------------------------

class TqzBarImageCombo : public TqzBarCustomCombo {
  TAVREN_CLASS(TqzBarImageCombo, TqzBarCustomCombo)
 public:
  explicit TqzBarImageCombo(TComponent* AOwner);
  ~TqzBarImageCombo() override;

  // An entry's image index; -1 for an entry without one.
  Integer GetImageIndexes(Integer AIndex) const;
  void SetImageIndexes(Integer AIndex, Integer Value);
  // The controls rebuild their bars for the new image size.
  virtual void ImagesChanged();

  // With no OnClick and not read-only, the "Select item" dialog picks the entry.
  void FireClick() override;
  void PaintListItem(TqzBarPainter* APainter, Integer AIndex, TOwnerDrawState AState, const TRect& R) override;
  Integer MeasureItemHeight(Integer AIndex) override;
  Integer MeasureItemWidth(Integer AIndex) override;

  TCustomImageList* GetImages() const noexcept { return FImages; }
  void SetImages(TCustomImageList* Value);
  bool GetShowText() const noexcept { return FShowText; }
  void SetShowText(bool Value);

 protected:
  void DefineProperties(TFiler* Filer) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void ReadImageIndexes(TReader* Reader);
  void WriteImageIndexes(TWriter* Writer);
  void ImageListChange(TObject* Sender);
  void RunDialog();

  TCustomImageList* FImages = nullptr;
  std::unique_ptr<TChangeLink> FImageChangeLink;
  bool FShowText = true;
};

class TqzBarImageComboControl : public TqzBarComboControl {
  TAVREN_CLASS(TqzBarImageComboControl, TqzBarComboControl)
 public:
  using TqzBarComboControl::TqzBarComboControl;
  TqzBarImageCombo* GetImageCombo() const { return dynamic_cast<TqzBarImageCombo*>(GetItem()); }
  Integer GetHeight() override;
  virtual void RebuildBar();
};
