#pragma once
// The label editor kind: a display-only text editor whose text can be turned by any angle, drawn
// raised, lowered or outlined, given an extruded or shadowed depth and filled with a picture.
//  - the text and geometry routines the label and the progress bar share;
//  - TkvCustomLabelProperties / TkvLabelProperties, TkvLabelEditStyle;
//  - TkvCustomLabelViewData / TkvCustomLabelViewInfo: the label's layout and its painting
//    through a kept off-screen picture;
//  - TkvCustomLabel / TkvLabel: the editor;
//  - the unit's start and end.
//
// Sources: kvLabelRoutines.cpp, kvLabelProperties.cpp, kvLabelView.cpp, kvLabelPaint.cpp,
// kvLabelControl.cpp.

#include <climits>
#include <memory>

#include "toolkit/editors/kvTextEdit.h"
#include "vcl/Graphics.h"

// ---- Text and geometry routines ----------------------------------------------------------------

void ExtendRectBy(TRect& R, Integer Left, Integer Top, Integer Right, Integer Bottom);
Integer RectWidthClamped(const TRect& R);
Integer RectHeightClamped(const TRect& R);
// PlatformMode: DrawText flags (DT_...); otherwise the toolkit's canvas text flags (ktf...).
Integer BuildTextFlags(Integer BaseFlags, TAlignment Horz, TkvEditVertAlignment Vert, bool EndEllipsis, bool WordWrap,
                       Integer TabWidth, bool PlatformMode, bool ShowAccel);
// Assigns Font to the canvas, turned by Angle degrees when it is a TrueType face; answers whether
// it is one.
bool SetCanvasAngle(TCanvas* Canvas, TFont* Font, Integer Angle);

// ---- Properties --------------------------------------------------------------------------------

enum TkvLabelEffect { kvleNormal, kvleFun, kvleExtrude, kvleCool };
TAVREN_ENUM_INFO(TkvLabelEffect, kvleNormal, kvleFun, kvleExtrude, kvleCool);
enum TkvLabelStyle { kvlsNormal, kvlsRaised, kvlsLowered, kvlsOutLine };
TAVREN_ENUM_INFO(TkvLabelStyle, kvlsNormal, kvlsRaised, kvlsLowered, kvlsOutLine);
enum TkvLabelOrientation {
  kvoLeft, kvoRight, kvoTop, kvoBottom, kvoLeftTop, kvoLeftBottom, kvoRightTop, kvoRightBottom
};
TAVREN_ENUM_INFO(TkvLabelOrientation, kvoLeft, kvoRight, kvoTop, kvoBottom, kvoLeftTop, kvoLeftBottom, kvoRightTop,
                 kvoRightBottom);

class TkvCustomLabelProperties : public TkvCustomEditProperties {
  TAVREN_CLASS(TkvCustomLabelProperties, TkvCustomEditProperties)
 public:
  explicit TkvCustomLabelProperties(TPersistent* AOwner);
  ~TkvCustomLabelProperties() override;
  void Assign(TPersistent* Source) override;

  TClassOf<TkvCustomEditViewData> GetViewDataClass() override;
  bool CanCompareEditValues() override { return true; }
  TClass GetEditorClass() override;
  TkvCustomEditStyleClass GetStyleClass() override;
  TClassOf<TkvCustomEditViewInfo> GetViewInfoClass() override;
  String EditValueToDisplayText(const Variant& EditValue, bool FullText) override;
  Integer GetSupportedFeatures() override { return 1418; }
  void MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool EditorFocused) override;

  // Virtual operations, in the order descendants know them.
  // The pixels the depth effect reaches out, across and down.
  virtual TPoint GetEffectOffsets();

  Integer GetAngle() const { return FAngle; }
  void SetAngle(Integer Value) { Store(FAngle, Value); }
  Word GetDepth() const { return FDepth; }
  void SetDepth(Word Value) { Store(FDepth, Value); }
  // Made on first read; its changes are the Properties' changes.
  TBitmap* GetGlyph();
  // None frees the picture, anything else is copied; both count as a change.
  void SetGlyph(TBitmap* Value);
  bool HasGlyph() const { return FGlyph && !FGlyph->GetEmpty(); }
  TkvLabelEffect GetLabelEffect() const { return FLabelEffect; }
  void SetLabelEffect(TkvLabelEffect Value) { Store(FLabelEffect, Value); }
  TkvLabelStyle GetLabelStyle() const { return FLabelStyle; }
  void SetLabelStyle(TkvLabelStyle Value) { Store(FLabelStyle, Value); }
  TkvLabelOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TkvLabelOrientation Value) { Store(FOrientation, Value); }
  Integer GetPenWidth() const { return FPenWidth; }
  void SetPenWidth(Integer Value) { Store(FPenWidth, Value); }
  TColor GetShadowedColor() const { return FShadowedColor; }
  void SetShadowedColor(TColor Value) { Store(FShadowedColor, Value); }
  bool GetShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value) { Store(FShowAccelChar, Value); }
  bool GetShowEndEllipsis() const { return FShowEndEllipsis; }
  void SetShowEndEllipsis(bool Value) { Store(FShowEndEllipsis, Value); }
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value) { Store(FWordWrap, Value); }

 private:
  void GlyphChanged(TObject*) { NotifyChanged(); }

  TkvLabelEffect FLabelEffect = kvleNormal;
  TkvLabelStyle FLabelStyle = kvlsNormal;
  TkvLabelOrientation FOrientation = kvoRightBottom;
  Word FDepth = 0;
  TColor FShadowedColor = clGrayText;
  bool FShowAccelChar = true;
  bool FShowEndEllipsis = false;
  Integer FAngle = 0;
  Integer FPenWidth = 1;
  bool FWordWrap = false;
  std::unique_ptr<TBitmap> FGlyph;
};

class TkvLabelProperties : public TkvCustomLabelProperties {
  TAVREN_CLASS(TkvLabelProperties, TkvCustomLabelProperties)
 public:
  using TkvCustomLabelProperties::TkvCustomLabelProperties;
};

// The label's style: no border and no hot tracking unless asked.
class TkvLabelEditStyle : public TkvEditStyle {
  TAVREN_CLASS(TkvLabelEditStyle, TkvEditStyle)
 public:
  using TkvEditStyle::TkvEditStyle;
  TkvContainerBorderStyle FallbackBorderStyle() override;
  bool FallbackHotTrack() override { return false; }
};

// ---- View ----------------------------------------------------------------------------------------

class TkvCustomLabelViewInfo : public TkvCustomTextEditViewInfo {
  TAVREN_CLASS(TkvCustomLabelViewInfo, TkvCustomTextEditViewInfo)
 public:
  TkvCustomLabelViewInfo();
  ~TkvCustomLabelViewInfo() override;
  void CopyFrom(TkvContainerViewInfo* Other) override;
  void MoveBy(Integer DX, Integer DY) override;
  void AssignBackgroundColor(TColor Color) override;
  void PaintContent(TkvCanvas* Canvas) override;
  bool RepaintDifference(TWinControl* Control, const TRect& Inner, TkvCustomEditViewInfo* Older) override;

  // Virtual operations, in the order descendants know them.
  // Draws the text into Canvas: B the area to fill, T the text rectangle, L the label rectangle.
  virtual void PaintLabelContent(TkvCanvas* Canvas, const TRect& B, const TRect& T, const TRect& L, bool Copy);

  // s: what the raised and lowered styles add (1 below 12 points, else 2).
  Integer StyleOffset() const;

  std::unique_ptr<TkvEditAlignment> Alignment;
  Integer Angle = 0;
  Integer Depth = 0;
  TPoint EffectOffsets;
  std::unique_ptr<TBitmap> Buffer;
  TBitmap* Glyph = nullptr;
  TPoint LastPaintPosition{INT_MAX, INT_MAX};
  bool Redraw = true;
  TkvLabelEffect LabelEffect = kvleNormal;
  TkvLabelStyle LabelStyle = kvlsNormal;
  TRect LabelRect;
  TkvLabelOrientation Orientation = kvoRightBottom;
  Integer PenWidth = 1;
  TColor ShadowedColor = clGrayText;
  bool WordWrap = false;
  TRect InplaceOffsets;
  TRect FocusRect;
  TPoint ControlPosition;
  bool ShowAccelChar = true;
  bool ShowEndEllipsis = false;
  // Times the text was drawn into the buffer (a kept picture is only copied).
  Integer TextDrawCount = 0;

 private:
  // The text at P, unrotated through DrawText in T, turned through ExtTextOut.
  void DrawTextAt(TCanvas* Canvas, const TPoint& P, const TRect& T, bool Rotated);
  // The text's pixels, as a mask (white on black) of the canvas's size.
  std::unique_ptr<TkvBitmap> TextMask(TCanvas* Canvas, const TPoint& P, const TRect& T, bool Rotated, const TRect& B);
  void StrokeTextOutline(TCanvas* Canvas, const TPoint& P, const TRect& T, bool Rotated, const TRect& B);
};

class TkvCustomLabelViewData : public TkvCustomEditViewData {
  TAVREN_CLASS(TkvCustomLabelViewData, TkvCustomEditViewData)
 public:
  using TkvCustomEditViewData::TkvCustomEditViewData;
  void ComputeViewInfo(TkvCanvas* Canvas, const TRect& Bounds, const TPoint& P, Integer Button, TShiftState Shift,
                       TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) override;
  void EditValueToDisplayText(const Variant& Value, String& Text) override;
  void LoadDisplayValue(TkvCanvas* Canvas, const Variant& Value, TkvCustomEditViewInfo* ViewInfo) override;
  void GetEditContentSize(TkvCanvas* Canvas, const Variant& Value, const TkvEditSizeRequest& Request,
                          TSize& Size) override;
  TkvEditBorderStyle GetBorderStyle() override;

  // Virtual operations, in the order descendants know them.
  virtual Cardinal TextFlags();

  TkvCustomLabelProperties* LabelProperties() { return static_cast<TkvCustomLabelProperties*>(Properties); }
};

// ---- Editor ----------------------------------------------------------------------------------------

class TkvCustomLabel : public TkvCustomEdit {
  TAVREN_CLASS(TkvCustomLabel, TkvCustomEdit)
  TAVREN_MESSAGES()
 public:
  explicit TkvCustomLabel(TComponent* AOwner) : TkvCustomLabel(AOwner, false, TkvCustomLabelProperties::ClassInfo()) {}

  bool CanFocus() override;
  void UpdateDisplayFromEditValue() override;
  bool WantsFocusOnClick() override;
  // A wrapped label keeps its width; right-justified text keeps its right edge.
  bool AutoWidthAllowed() override;
  bool GrowsLeftOnAutoSize() override;
  // A label that sizes its width measures its text at any width.
  void GetSizeRequest(TkvEditSizeRequest& Request) override;

  TkvCustomLabelProperties* LabelProperties() {
    return static_cast<TkvCustomLabelProperties*>(GetEffectiveProperties());
  }
  TkvCustomLabelViewInfo* LabelViewInfo() { return static_cast<TkvCustomLabelViewInfo*>(GetEditViewInfo()); }
  TWinControl* GetFocusControl() const { return FFocusControl; }
  // The label itself is refused.
  void SetFocusControl(TWinControl* Value);

 protected:
  TkvCustomLabel(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass);
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CMTextChanged(TMessage& Message);
  void CMDialogChar(TMessage& Message);

 private:
  TWinControl* FFocusControl = nullptr;
  bool FSettingFromText = false;
};

class TkvLabel : public TkvCustomLabel {
  TAVREN_CLASS(TkvLabel, TkvCustomLabel)
 public:
  explicit TkvLabel(TComponent* AOwner) : TkvCustomLabel(AOwner, false, TkvLabelProperties::ClassInfo()) {}
  TkvLabel(TComponent* AOwner, bool AInplace) : TkvCustomLabel(AOwner, AInplace, TkvLabelProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvLabelProperties::ClassInfo(); }
  TkvLabelProperties* GetLabelProperties() const { return static_cast<TkvLabelProperties*>(GetProperties()); }
  void SetLabelProperties(TkvLabelProperties* Value) { SetProperties(Value); }
};

// After kvTextEditStart: registers the label's Properties and the text editor's filter helper.
void kvLabelStart();
void kvLabelEnd();
