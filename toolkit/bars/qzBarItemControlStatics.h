#pragma once
// The base of label-like item controls: not clickable, selectable only while customizing, drawn
// by the painter's static-item look.

#include "toolkit/bars/qzBarItemControl.h"
#include "toolkit/bars/qzBarPainter.h"
#include "vcl/Controls.h"

class TqzBarStaticLikeControlDrawParams : public TqzBarItemControlDrawParams {
  TAVREN_CLASS(TqzBarStaticLikeControlDrawParams, TqzBarItemControlDrawParams)
 public:
  using TqzBarItemControlDrawParams::TqzBarItemControlDrawParams;
  // Filled by the kinds that have them; a plain label keeps the defaults.
  TAlignment Alignment = taLeftJustify;
  bool DrawsBorder = false;
  TRect BorderWidths;
  TqzBarStaticBorderStyle BorderStyle = sbsNone;
};

// A progress item's values for the painter's progress bar.
class TqzBarProgressControlDrawParams : public TqzBarStaticLikeControlDrawParams {
  TAVREN_CLASS(TqzBarProgressControlDrawParams, TqzBarStaticLikeControlDrawParams)
 public:
  using TqzBarStaticLikeControlDrawParams::TqzBarStaticLikeControlDrawParams;
  Integer Position = 0;
  Integer Min = 0;
  Integer Max = 100;
  bool Smooth = false;
};

class TqzBarCustomStaticControl : public TqzBarItemControl {
  TAVREN_CLASS(TqzBarCustomStaticControl, TqzBarItemControl)
 public:
  using TqzBarItemControl::TqzBarItemControl;
  TqzBarStaticLikeControlDrawParams* StaticParams() const {
    return static_cast<TqzBarStaticLikeControlDrawParams*>(GetDrawParams());
  }

  bool ClickFiresItem() override { return false; }
  bool CanSelect() override;
  Byte GetContentKind() override;
  TClassOf<TqzBarItemControlDrawParams> DrawParamsClass() override;
  void DrawInRect(const TRect& R, Byte AState) override;

  // The content inside the frame, called back by the painter's static frame.
  virtual void DrawStaticPart(const TRect&) {}
};

// A separator item: in a menu, with its caption shown, a bold heading between two lines (the
// menu's first link has no line above it); elsewhere the separator line of its window.
class TqzBarSeparatorControl : public TqzBarCustomStaticControl {
  TAVREN_CLASS(TqzBarSeparatorControl, TqzBarCustomStaticControl)
 public:
  using TqzBarCustomStaticControl::TqzBarCustomStaticControl;

  Byte GetContentKind() override;
  Integer GetMenuItemSize() override;
  void DrawInRect(const TRect& R, Byte AState) override;
  // The caption is bold; the item's style font is not used.
  void SelectItemFont(TFont* AFont, TkvStyle* AStyle, TqzSavedItemFont& ASaved) override;
  void GetTextMargins(Byte AKind, TRect& AMargins) override;
  Integer GlyphPartWidth() override { return 0; }
  // A heading is its lines (one for the menu's first link) over the caption; a plain separator
  // the window's separator size.
  Integer MenuHeight() override;
  Integer MinimumWidth() override;
  Integer GetThicknessInBar() override { return GetSizeBase(); }
  Integer GetLengthInBar() override;
};
