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
