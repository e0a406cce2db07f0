#pragma once
// The captioned frame that hosts child controls, built as an editor so that it shares the
// editors' styles, looks, skins, shadow and in-place painting, and the button group built on it.
//  - TkvCaptionAlignment: the thirteen caption places, on five painter caption positions;
//  - TkvPanelStyle: the option object that turns the frame into a flat panel with the caption
//    inside;
//  - TkvCustomGroupBoxProperties, TkvGroupBoxViewData, TkvGroupBoxViewInfo, TkvCustomGroupBox:
//    border extent, client margins, caption placement (rotated on the left and right sides, in
//    the non-client area of a skinned box) and painting.
//
// Sources: kvGroupBoxControl.cpp (control, panel style), kvGroupBoxLayout.cpp (view data),
// kvGroupBoxPaint.cpp (view info).

#include <memory>

#include "toolkit/editors/kvTextEdit.h"

enum TkvCaptionAlignment {
  alTopLeft, alTopCenter, alTopRight, alBottomLeft, alBottomCenter, alBottomRight, alLeftTop, alLeftCenter,
  alLeftBottom, alRightTop, alRightCenter, alRightBottom, alCenterCenter
};
TAVREN_ENUM_INFO(TkvCaptionAlignment, alTopLeft, alTopCenter, alTopRight, alBottomLeft, alBottomCenter, alBottomRight,
                 alLeftTop, alLeftCenter, alLeftBottom, alRightTop, alRightCenter, alRightBottom, alCenterCenter);

enum TkvPanelOffice11BackgroundKind { pobkGradient, pobkOffice11Color, pobkStyleColor };
TAVREN_ENUM_INFO(TkvPanelOffice11BackgroundKind, pobkGradient, pobkOffice11Color, pobkStyleColor);

// The painters' caption positions.
constexpr Integer kvcpTop = 0;
constexpr Integer kvcpBottom = 1;
constexpr Integer kvcpLeft = 2;
constexpr Integer kvcpRight = 3;
constexpr Integer kvcpCenter = 4;

// Where an alignment puts the caption: on which side, and along it at the start (0), the middle
// (1) or the end (2), horizontally and vertically.
Integer CaptionPositionOf(TkvCaptionAlignment Alignment);
Integer CaptionHorzPlace(TkvCaptionAlignment Alignment);
Integer CaptionVertPlace(TkvCaptionAlignment Alignment);

class TkvCustomGroupBox;

class TkvPanelStyle : public TPersistent {
  TAVREN_CLASS(TkvPanelStyle, TPersistent)
 public:
  using TCreateArg = TkvCustomGroupBox*;
  explicit TkvPanelStyle(TkvCustomGroupBox* AOwner) : FOwner(AOwner) {}
  void Assign(TPersistent* Source) override;

  bool GetActive() const { return FActive; }
  void SetActive(bool Value);
  Integer GetCaptionIndent() const { return FCaptionIndent; }
  // At least 2.
  void SetCaptionIndent(Integer Value);
  TkvPanelOffice11BackgroundKind GetOfficeBackgroundKind() const { return FOfficeBackgroundKind; }
  void SetOfficeBackgroundKind(TkvPanelOffice11BackgroundKind Value);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

 protected:
  TPersistent* GetOwner() override;

 private:
  TkvCustomGroupBox* FOwner;
  bool FActive = false;
  Integer FCaptionIndent = 2;
  TkvPanelOffice11BackgroundKind FOfficeBackgroundKind = pobkOffice11Color;
  bool FWordWrap = false;
};
using TkvPanelStyleClass = TClassOf<TkvPanelStyle>;

class TkvCustomGroupBoxProperties : public TkvCustomEditProperties {
  TAVREN_CLASS(TkvCustomGroupBoxProperties, TkvCustomEditProperties)
 public:
  using TkvCustomEditProperties::TkvCustomEditProperties;
  TClass GetEditorClass() override;
  TClassOf<TkvCustomEditViewData> GetViewDataClass() override;
  TClassOf<TkvCustomEditViewInfo> GetViewInfoClass() override;
};

// ---- View ------------------------------------------------------------------------------------

class TkvGroupBoxViewInfo : public TkvCustomTextEditViewInfo {
  TAVREN_CLASS(TkvGroupBoxViewInfo, TkvCustomTextEditViewInfo)
 public:
  TkvGroupBoxViewInfo() = default;
  void CopyFrom(TkvContainerViewInfo* Other) override;
  void MoveBy(Integer DX, Integer DY) override;
  void PaintContent(TkvCanvas* Canvas) override;

  // Virtual operations, in the order descendants know them.
  // The buttons a button group draws itself (when it paints a copy or in place); none here.
  virtual void PaintButtons(TkvCanvas*) {}

  // The box behind the view (none for a grid's cell).
  TkvCustomGroupBox* Box();
  // The caption's colour and font on Canvas: the theme's or the skin's text colour where they give one.
  void ApplyCaptionColor(TkvCanvas* Canvas);
  // The caption as step 2 of the painting draws it (also into a skinned box's non-client band).
  void PaintCaption(TkvCanvas* Canvas);

  // Client coordinates: the area the caption takes (with a skin's caption element) and where its
  // text goes.
  TRect CaptionRect;
  TRect CaptionTextRect;

 private:
  void PaintBackground(TkvCanvas* Canvas, bool PanelStyle);
  void PaintPanelBackground(TkvCanvas* Canvas, const TRect& R);
  void PaintFrame(TkvCanvas* Canvas, bool PanelStyle, const TRect& FrameRect);
  TRect WithoutShadow(const TRect& R);
};

class TkvGroupBoxViewData : public TkvCustomEditViewData {
  TAVREN_CLASS(TkvGroupBoxViewData, TkvCustomEditViewData)
 public:
  using TkvCustomEditViewData::TkvCustomEditViewData;
  Byte GetContainerState(const TRect& Bounds, const TPoint& P, Integer Button, TShiftState Shift,
                         bool IsMouseEvent) override;
  void ComputeViewInfo(TkvCanvas* Canvas, const TRect& Bounds, const TPoint& P, Integer Button, TShiftState Shift,
                       TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) override;
  TColor GetBorderColor() override;
  void GetBorderExtent(TRect& R) override;
  // The client margins: where children align.
  void GetClientExtent(TkvCanvas* Canvas, TkvCustomEditViewInfo* ViewInfo, TRect& R) override;
  bool HasShadow() override;
  void InitFromProperties() override;

  TkvCustomGroupBox* Box();
};

// ---- Control ---------------------------------------------------------------------------------

using TkvGroupBoxCustomDrawEvent = TEvent<void(TObject* Sender, bool& Done)>;

class TkvCustomGroupBox : public TkvCustomEdit {
  TAVREN_CLASS(TkvCustomGroupBox, TkvCustomEdit)
  TAVREN_MESSAGES()
 public:
  explicit TkvCustomGroupBox(TComponent* AOwner)
      : TkvCustomGroupBox(AOwner, false, TkvCustomGroupBoxProperties::ClassInfo()) {}
  ~TkvCustomGroupBox() override;
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCustomGroupBoxProperties::ClassInfo(); }

  void AdjustClientRect(TRect& Rect) override;
  bool WantsFocusOnClick() override { return false; }
  void LookAndFeelUpdated(TkvLookAndFeel* Sender, TkvLookAndFeelValues ChangedValues) override;
  bool IsBorderCustomDrawn() override;
  void ApplyStyle(TObject* Style) override;
  bool DefaultParentColor() override { return true; }
  void GetOuterBounds(TRect& R) override;
  bool DrawsShadow() override;
  TkvContainerStyle* SelectStateStyle() override;
  TkvContainerStyleValues GetHiddenStyleValues() override;
  bool HostsChildControls() override { return true; }
  bool AutoSizeAllowed() override { return false; }
  bool NeedsParentBackground() override;

  // New operations, in the order descendants know them.
  virtual TkvPanelStyle* CreatePanelStyle();
  virtual bool HasNonClientCaption();
  virtual bool AllowsNonClientCaption() { return true; }

  // Layout and caption, used by the view data and the view info.
  // Whether the box paints through the editors' theme (its look asks for native style or Office
  // 11, the theme opens and no skin is in force).
  bool DrawsNatively();
  TkvCustomLookAndFeelPainterClass SkinPainter();
  bool IsCaptionRotated();
  Integer CaptionPosition() { return CaptionPositionOf(FAlignment); }
  // Height of "Qq" in CaptionTextFont.
  Integer CaptionLineHeight();
  // The control's text as drawn: a rotated caption loses its accelerator marks.
  String CaptionTextToDraw();
  // Rebuilds CaptionTextFont from the style's font, rotated for the side captions.
  void RebuildCaptionFont();
  // Stores a changed caption text (also a change of letter case) and redraws the non-client band.
  void CheckCaptionText();
  // Lays the caption out into ViewInfo (CaptionRect, CaptionTextRect).
  void LayoutCaption(TkvCanvas* Canvas, TkvGroupBoxViewInfo* ViewInfo, TkvGroupBoxViewData* ViewData);
  // The non-client band thicknesses of a skinned caption (only its caption side is set).
  TRect NonClientCaptionMargins();
  void RedrawNonClientFrame(bool SkinChanged = false);
  // Caption layout changed: font, text, view, non-client frame and children follow.
  void CaptionLayoutChanged();

  TkvCaptionAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TkvCaptionAlignment Value);
  TFont* GetCaptionTextFont() const { return FCaptionTextFont.get(); }
  const String& GetCaptionText() const { return FCaptionText; }
  TkvPanelStyle* GetPanelStyle() const { return FPanelStyle.get(); }
  void SetPanelStyle(TkvPanelStyle* Value) { FPanelStyle->Assign(Value); }
  bool IsFocusingByAccelerator() const { return FFocusingByAccelerator; }
  TkvGroupBoxCustomDrawEvent GetOnCustomDraw() const { return FOnCustomDraw; }
  void SetOnCustomDraw(TkvGroupBoxCustomDrawEvent Value) { FOnCustomDraw = Value; }
  TkvGroupBoxViewInfo* GroupViewInfo() { return static_cast<TkvGroupBoxViewInfo*>(GetEditViewInfo()); }

 protected:
  TkvCustomGroupBox(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass);
  void WndProc(TMessage& Message) override;
  void Paint() override;
  void CMFontChanged(TMessage& Message);
  void CMTextChanged(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMCtl3DChanged(TMessage& Message);

 private:
  void PaintNonClientCaption();
  void LayoutPanelCaption(TkvCanvas* Canvas, TkvGroupBoxViewInfo* ViewInfo);
  void LayoutSkinnedCaption(TkvCanvas* Canvas, TkvGroupBoxViewInfo* ViewInfo);
  void LayoutPlainCaption(TkvCanvas* Canvas, TkvGroupBoxViewInfo* ViewInfo, bool Shadow);

  TkvCaptionAlignment FAlignment = alTopLeft;
  std::unique_ptr<TFont> FCaptionTextFont;
  std::unique_ptr<TkvPanelStyle> FPanelStyle;
  String FCaptionText;
  bool FFocusingByAccelerator = false;
  TkvGroupBoxCustomDrawEvent FOnCustomDraw;
};
