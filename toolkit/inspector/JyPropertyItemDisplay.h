#pragma once
// The display objects that paint an inspector row: the base display (caption, expand button,
// suffix and value background in the three inspector styles), the text display (value text) and
// the toolbar display (a row of small toggle buttons it also operates). The inspector gives a
// display its rectangle, canvas and colours before every call.

#include "toolkit/inspector/JyPropertyItems.h"
#include "vcl/Controls.h"
#include "vcl/ImgList.h"

enum TPropertiesStyle { psDefault, psOffice2003, psWhidbey };
TAVREN_ENUM_INFO(TPropertiesStyle, psDefault, psOffice2003, psWhidbey);
enum TButtonsStyle { btAuto, btCustom };
TAVREN_ENUM_INFO(TButtonsStyle, btAuto, btCustom);

class TJyItemDisplay : public TObject {
  TAVREN_CLASS(TJyItemDisplay, TObject)
 public:
  using TCreateArg = TJyPropertyItem*;
  explicit TJyItemDisplay(TJyPropertyItem* Item) : FItem(Item) {}

  virtual void PaintBackground();
  virtual void PaintPreview(const TRect& /*Rect*/) {}
  virtual void KeyDown(Word& /*Key*/, TShiftState /*Shift*/) {}
  virtual void MouseDown(TMouseButton /*Button*/, TShiftState /*Shift*/, Integer /*X*/, Integer /*Y*/) {}
  virtual void MouseLeave() {}
  virtual void MouseMove(TShiftState /*Shift*/, Integer /*X*/, Integer /*Y*/) {}
  virtual void MouseUp(TMouseButton /*Button*/, TShiftState /*Shift*/, Integer /*X*/, Integer /*Y*/) {}
  virtual void PaintCaption();
  // Only called for items with children.
  virtual void PaintExpandButton();
  virtual void PaintSuffix();
  virtual void PaintValue();

  TJyPropertyItem* Item() const { return FItem; }

  // What the inspector sets before each call.
  TBiDiMode BiDiMode = bdLeftToRight;
  TCanvas* Canvas = nullptr;
  TColor CategoriesColor = clBtnFace;
  TRect PaintRect;
  TColor GridColor = clBtnFace;
  TCustomImageList* Images = nullptr;
  TColor MarginColor = clBtnFace;
  bool Selected = false;
  TColor SelectionColor = clHighlight;
  TPropertiesStyle Style = psDefault;
  bool VisualStyles = false;
  // Set with the others: the inspector's window (for themed parts), its expand-button style and
  // glyphs.
  HWND Window = nullptr;
  TButtonsStyle ButtonsStyle = btAuto;
  TBitmap* ExpandGlyph = nullptr;
  TBitmap* CollapseGlyph = nullptr;

 protected:
  bool RightToLeft() const { return BiDiMode != bdLeftToRight; }

 private:
  TJyPropertyItem* FItem;
};

class TJyTextItemDisplay : public TJyItemDisplay {
  TAVREN_CLASS(TJyTextItemDisplay, TJyItemDisplay)
 public:
  using TJyItemDisplay::TJyItemDisplay;
  void PaintValue() override;
  virtual void GetTextRect(TRect& Rect);
  virtual void PaintText();
};

class TJyToolbarItem;

class TJyToolbarItemDisplay : public TJyItemDisplay {
  TAVREN_CLASS(TJyToolbarItemDisplay, TJyItemDisplay)
 public:
  using TJyItemDisplay::TJyItemDisplay;
  void PaintBackground() override;
  void PaintValue() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseLeave() override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

  // The button under X (relative to the value area), -1 for none.
  Integer ButtonAt(Integer X);
  TRect ButtonRect(Integer Index);
  Integer GetPressedIndex() const { return FPressedIndex; }
  Integer GetHotIndex() const { return FHotIndex; }

 private:
  TJyToolbarItem* Toolbar() const;
  void PaintButton(Integer Index);
  Integer FPressedIndex = -1;
  Integer FHotIndex = -1;
};

// Frees the expand glyphs the displays loaded.
void JyPropertyItemDisplayEnd();
