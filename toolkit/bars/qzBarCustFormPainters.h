#pragma once
// The painters of the customizing form's commands list: each command is drawn as it would look
// in a menu of the manager's style (a glyph cell and the caption for buttons and sub-items, the
// caption and a framed edit box for edits and combos). One painter per look, used through its
// one instance; the form picks it from the manager's painter.

#include "toolkit/bars/qzBar.h"
#include "vcl/Graphics.h"

class TqzBarCustomizingFormPainter {
 public:
  virtual ~TqzBarCustomizingFormPainter() = default;

  // Operations in slot order. Rectangles passed by reference come back as the operation says.
  // The caption without accelerator markers in a cell as wide as the text; R.Left moves past it.
  virtual void DrawEditCaption(TCanvas* C, TRect& R, bool ASelected, TqzBarItem* AItem);
  // Two frames round the edit box; R shrinks by both.
  virtual void DrawEditFrame(TCanvas* C, TRect& R, bool ASelected, TqzBarItem* AItem);
  virtual void DrawEditBox(TCanvas* C, const TRect& R, bool ASelected, bool ADropButton, TqzBarItem* AItem);
  // The text 2 pixels in, then a 4-pixel gap; R.Right becomes the end of the gap.
  virtual void DrawCaptionCell(TCanvas* C, TRect& R, bool ASelected, TqzBarItem* AItem, const String& AText);
  virtual void DrawEditContent(TCanvas* C, const TRect& R, bool ASelected, TqzBarItem* AItem);
  virtual void DrawSubMenuArrow(TCanvas* C, Integer X, Integer Y, bool ASelected);
  virtual TColor BackgroundColor(bool ASelected, TqzBarItem* AItem);
  virtual void DrawButtonRow(TCanvas* C, const TRect& R, bool ASelected, const String& ACaption, TqzBarItem* AItem);
  virtual void DrawDropButton(TCanvas* C, const TRect& R, bool ASelected, TqzBarItem* AItem);
  virtual void DrawEditRow(TCanvas* C, const TRect& R, bool ASelected, bool ACombo, TqzBarItem* AItem);
  virtual void DrawFocusRect(TCanvas* C, const TRect& R, TqzBarItem* AItem);
  virtual TColor TextColor(bool ASelected);
  virtual TColor ListBackgroundColor();
  virtual Integer DropButtonWidth();

  // A row of the commands list: edits and combos as edit rows, everything else as button rows.
  void DrawItemRow(TCanvas* C, const TRect& R, bool ASelected, TqzBarItem* AItem);

 protected:
  static bool HasGlyph(TqzBarItem* AItem);
  static void DrawGlyphCentred(TCanvas* C, const TRect& ACell, TqzBarItem* AItem);
  static bool IsDropDownButton(TqzBarItem* AItem);
  // Sub-items open menus; a container shown as one entry does not.
  static bool ShowsSubMenuArrow(TqzBarItem* AItem);
  static bool ShowsAsOneEntry(TqzBarItem* AItem);
};

class TqzBarCustomizingFormStandardPainter : public TqzBarCustomizingFormPainter {
 public:
  void DrawFocusRect(TCanvas* C, const TRect& R, TqzBarItem* AItem) override;
};

class TqzBarCustomizingFormFlatPainter : public TqzBarCustomizingFormPainter {
 public:
  TColor BackgroundColor(bool ASelected, TqzBarItem* AItem) override;
  TColor TextColor(bool ASelected) override;
  void DrawFocusRect(TCanvas*, const TRect&, TqzBarItem*) override {}
  void DrawEditFrame(TCanvas* C, TRect& R, bool ASelected, TqzBarItem* AItem) override;
  void DrawCaptionCell(TCanvas* C, TRect& R, bool ASelected, TqzBarItem* AItem, const String& AText) override;
  void DrawDropButton(TCanvas* C, const TRect& R, bool ASelected, TqzBarItem* AItem) override;
  void DrawButtonRow(TCanvas* C, const TRect& R, bool ASelected, const String& ACaption, TqzBarItem* AItem) override;

 protected:
  // The frame of a selected part.
  virtual void FrameSelected(TCanvas* C, const TRect& R);
  // The square at the left of an unselected row.
  virtual void FillGlyphSquare(TCanvas* C, const TRect& R);
};

class TqzBarCustomizingFormOffice11Painter : public TqzBarCustomizingFormFlatPainter {
 public:
  TColor BackgroundColor(bool ASelected, TqzBarItem* AItem) override;
  TColor TextColor(bool ASelected) override;
  TColor ListBackgroundColor() override;

 protected:
  void FrameSelected(TCanvas* C, const TRect& R) override;
  void FillGlyphSquare(TCanvas* C, const TRect& R) override;
};

class TqzBarCustomizingFormXPPainter : public TqzBarCustomizingFormPainter {
 public:
  void DrawFocusRect(TCanvas* C, const TRect& R, TqzBarItem* AItem) override;
  Integer DropButtonWidth() override { return 13; }
};

// The painter of the manager's look: by the class of its default painter.
TqzBarCustomizingFormPainter* CustomizingFormPainterFor(TqzBarManager* AManager);
