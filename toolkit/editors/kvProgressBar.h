#pragma once
// The progress bar editor kind: a display-only editor whose edit value is the position between
// Min and Max.
//  - TkvCustomProgressBarProperties / TkvProgressBarProperties: bar style, colours, overload zone,
//    peak marker, text, marquee and glow animation;
//  - TkvCustomProgressBarViewData / TkvCustomProgressBarViewInfo: the bar's rectangles, computed
//    from the position, and their painting through an off-screen bitmap;
//  - TkvCustomProgressBar / TkvProgressBar: the editor;
//  - TkvFilterProgressBarHelper: a filter row edits a position with a spin edit;
//  - the unit's start and end.
//
// Sources: kvProgressBarProperties.cpp, kvProgressBarView.cpp, kvProgressBarPaint.cpp,
// kvProgressBarControl.cpp.

#include <memory>

#include "toolkit/editors/kvSpinEdit.h"
#include "toolkit/editors/kvTextEdit.h"
#include "vcl/Graphics.h"

enum TkvProgressBarBarStyle {
  kvbsSolid, kvbsLEDs, kvbsGradient, kvbsGradientLEDs, kvbsBitmap, kvbsBitmapLEDs, kvbsAnimation, kvbsAnimationLEDs
};
TAVREN_ENUM_INFO(TkvProgressBarBarStyle, kvbsSolid, kvbsLEDs, kvbsGradient, kvbsGradientLEDs, kvbsBitmap,
                 kvbsBitmapLEDs, kvbsAnimation, kvbsAnimationLEDs);
enum TkvProgressBarOrientation { kvorHorizontal, kvorVertical };
TAVREN_ENUM_INFO(TkvProgressBarOrientation, kvorHorizontal, kvorVertical);
enum TkvProgressBarTextStyle { kvtsPercent, kvtsPosition, kvtsText };
TAVREN_ENUM_INFO(TkvProgressBarTextStyle, kvtsPercent, kvtsPosition, kvtsText);
enum TkvProgressBarBevelOuter { kvbvNone, kvbvLowered, kvbvRaised };
TAVREN_ENUM_INFO(TkvProgressBarBevelOuter, kvbvNone, kvbvLowered, kvbvRaised);
enum TkvProgressBarAnimationPath { kvapCycle, kvapPingPong };
TAVREN_ENUM_INFO(TkvProgressBarAnimationPath, kvapCycle, kvapPingPong);

// The LED styles are the odd ones, the glass-and-glow styles the last two.
inline bool IsLEDStyle(TkvProgressBarBarStyle Style) { return (Style & 1) != 0; }
inline bool IsAnimationStyle(TkvProgressBarBarStyle Style) { return Style >= kvbsAnimation; }

// The assigned flags of Max and Min, published under those names.
class TkvProgressBarPropertiesValues : public TkvCustomEditPropertiesValues {
  TAVREN_CLASS(TkvProgressBarPropertiesValues, TkvCustomEditPropertiesValues)
 public:
  using TkvCustomEditPropertiesValues::TkvCustomEditPropertiesValues;
  // Written only when set while the bound itself is 0 (a 0 is not written with the bound).
  bool IsMaxStored();
  bool IsMinStored();
};

class TkvCustomProgressBarProperties : public TkvCustomEditProperties {
  TAVREN_CLASS(TkvCustomProgressBarProperties, TkvCustomEditProperties)
 public:
  explicit TkvCustomProgressBarProperties(TPersistent* AOwner);
  ~TkvCustomProgressBarProperties() override;
  void Assign(TPersistent* Source) override;

  TkvCustomEditPropertiesValuesClass GetAssignedValuesClass() override;
  // Max: 100 and Min: 0 unless assigned.
  double GetMaxValue() override;
  double GetMinValue() override;
  TClassOf<TkvCustomEditViewData> GetViewDataClass() override;
  bool CanCompareEditValues() override { return true; }
  TClass GetEditorClass() override;
  TClassOf<TkvCustomEditViewInfo> GetViewInfoClass() override;
  String EditValueToDisplayText(const Variant& EditValue, bool FullText) override;
  Integer GetSupportedFeatures() override { return 265; }
  void MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool EditorFocused) override;
  // The view's position kept within [Min, Max] when the range is not empty.
  virtual double ClampViewPosition(double Position);

  // The number an edit value shows: a number as it is, a numeric text converted, else 0.
  static double DisplayNumber(const Variant& EditValue);

  TkvProgressBarAnimationPath GetAnimationPath() const { return FAnimationPath; }
  void SetAnimationPath(TkvProgressBarAnimationPath Value) { Store(FAnimationPath, Value); }
  Cardinal GetAnimationRestartDelay() const { return FAnimationRestartDelay; }
  void SetAnimationRestartDelay(Cardinal Value) { Store(FAnimationRestartDelay, Value); }
  Byte GetAnimationSpeed() const { return FAnimationSpeed; }
  void SetAnimationSpeed(Byte Value) { Store(FAnimationSpeed, std::min<Byte>(Value, 20)); }
  TkvProgressBarBevelOuter GetBarBevelOuter() const { return FBarBevelOuter; }
  void SetBarBevelOuter(TkvProgressBarBevelOuter Value) { Store(FBarBevelOuter, Value); }
  TkvProgressBarBarStyle GetBarStyle() const { return FBarStyle; }
  void SetBarStyle(TkvProgressBarBarStyle Value);
  TColor GetBeginColor() const { return FBeginColor; }
  void SetBeginColor(TColor Value) { Store(FBeginColor, Value); }
  TColor GetEndColor() const { return FEndColor; }
  void SetEndColor(TColor Value) { Store(FEndColor, Value); }
  Word GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(Word Value) { Store(FBorderWidth, Value); }
  // Made on first read; its changes are the Properties' changes.
  TBitmap* GetForegroundImage();
  // None frees the image, anything else is copied; both count as a change.
  void SetForegroundImage(TBitmap* Value);
  bool HasForegroundImage() const { return FForegroundImage && !FForegroundImage->GetEmpty(); }
  bool GetForegroundImageChanged() const { return FForegroundImageChanged; }
  void SetForegroundImageChanged(bool Value) { FForegroundImageChanged = Value; }
  bool GetPositionChanged() const { return FPositionChanged; }
  void SetPositionChanged(bool Value) { FPositionChanged = Value; }
  bool GetMarquee() const { return FMarquee; }
  void SetMarquee(bool Value);
  double GetMax() { return GetMaxValue(); }
  void SetMax(double Value);
  double GetMin() { return GetMinValue(); }
  void SetMin(double Value);
  bool IsMaxStored() { return IsMaxValueStored(); }
  bool IsMinStored() { return IsMinValueStored(); }
  TkvProgressBarOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TkvProgressBarOrientation Value) { Store(FOrientation, Value); }
  double GetOverloadValue() const { return FOverloadValue; }
  void SetOverloadValue(double Value);
  bool IsOverloadValueStored() const { return FOverloadValue != 80; }
  TColor GetOverloadBeginColor() const { return FOverloadBeginColor; }
  void SetOverloadBeginColor(TColor Value) { Store(FOverloadBeginColor, Value); }
  TColor GetOverloadEndColor() const { return FOverloadEndColor; }
  void SetOverloadEndColor(TColor Value) { Store(FOverloadEndColor, Value); }
  double GetPeakValue() const { return FPeakValue; }
  void SetPeakValue(double Value) { Store(FPeakValue, Value); }
  bool IsPeakValueStored() const { return FPeakValue != 0; }
  // The peak the view reached, kept without a change notice (painting raises it).
  void RaisePeakValue(double Value) { FPeakValue = Value; }
  TColor GetPeakColor() const { return FPeakColor; }
  void SetPeakColor(TColor Value) { Store(FPeakColor, Value); }
  Integer GetPeakSize() const { return FPeakSize; }
  void SetPeakSize(Integer Value) { Store(FPeakSize, std::max<Integer>(Value, 1)); }
  bool GetShowOverload() const { return FShowOverload; }
  void SetShowOverload(bool Value) { Store(FShowOverload, Value); }
  bool GetShowPeak() const { return FShowPeak; }
  void SetShowPeak(bool Value) { Store(FShowPeak, Value); }
  bool GetShowText() const { return FShowText; }
  void SetShowText(bool Value) { Store(FShowText, Value); }
  TkvProgressBarTextStyle GetShowTextStyle() const { return FShowTextStyle; }
  // While Marquee is on only the free text is accepted.
  void SetShowTextStyle(TkvProgressBarTextStyle Value);
  bool IsShowTextStyleStored() const { return !FMarquee && FShowTextStyle != kvtsPercent; }
  bool GetSolidTextColor() const { return FSolidTextColor; }
  void SetSolidTextColor(bool Value) { Store(FSolidTextColor, Value); }
  String GetText() const { return FText; }
  // A text of its own makes the bar show it.
  void SetText(const String& Value);
  TkvProgressBarOrientation GetTextOrientation() const { return FTextOrientation; }
  void SetTextOrientation(TkvProgressBarOrientation Value) { Store(FTextOrientation, Value); }
  bool GetTransparentImage() const { return FTransparentImage; }
  void SetTransparentImage(bool Value) { Store(FTransparentImage, Value); }

 private:
  void ForegroundImageChanged(TObject*);

  TkvProgressBarAnimationPath FAnimationPath = kvapCycle;
  Cardinal FAnimationRestartDelay = 0;
  Byte FAnimationSpeed = 10;
  TkvProgressBarBevelOuter FBarBevelOuter = kvbvNone;
  TkvProgressBarBarStyle FBarStyle = kvbsSolid;
  TColor FBeginColor = static_cast<TColor>(0x800000);
  TColor FEndColor = static_cast<TColor>(0xFFFFFF);
  Word FBorderWidth = 0;
  std::unique_ptr<TBitmap> FForegroundImage;
  bool FForegroundImageChanged = false;
  bool FPositionChanged = false;
  bool FMarquee = false;
  TkvProgressBarOrientation FOrientation = kvorHorizontal;
  double FOverloadValue = 80;
  TColor FOverloadBeginColor = static_cast<TColor>(0x8080FF);
  TColor FOverloadEndColor = static_cast<TColor>(0xFF00FF);
  double FPeakValue = 0;
  TColor FPeakColor = static_cast<TColor>(0x0000FF);
  Integer FPeakSize = 2;
  bool FShowOverload = false;
  bool FShowPeak = false;
  bool FShowText = true;
  TkvProgressBarTextStyle FShowTextStyle = kvtsPercent;
  bool FSolidTextColor = false;
  String FText;
  TkvProgressBarOrientation FTextOrientation = kvorHorizontal;
  bool FTransparentImage = true;
};

class TkvProgressBarProperties : public TkvCustomProgressBarProperties {
  TAVREN_CLASS(TkvProgressBarProperties, TkvCustomProgressBarProperties)
 public:
  using TkvCustomProgressBarProperties::TkvCustomProgressBarProperties;
  TkvProgressBarPropertiesValues* GetProgressAssignedValues() {
    return static_cast<TkvProgressBarPropertiesValues*>(GetAssignedValues());
  }
  void SetProgressAssignedValues(TkvProgressBarPropertiesValues* Value) { SetAssignedValues(Value); }
};

class TkvCustomProgressBar;

// What a progress bar paints: the copied settings, the bar's rectangles and the off-screen image.
class TkvCustomProgressBarViewInfo : public TkvCustomTextEditViewInfo {
  TAVREN_CLASS(TkvCustomProgressBarViewInfo, TkvCustomTextEditViewInfo)
 public:
  TkvCustomProgressBarViewInfo();
  ~TkvCustomProgressBarViewInfo() override;
  void CopyFrom(TkvContainerViewInfo* Other) override;
  void MoveBy(Integer DX, Integer DY) override;
  void PaintContent(TkvCanvas* Canvas) override;
  bool RepaintDifference(TWinControl* Control, const TRect& Inner, TkvCustomEditViewInfo* Older) override;

  // Virtual operations, in the order descendants know them.
  virtual Integer BlockLength() { return 50; }
  virtual Integer BlockStep() { return 1; }
  virtual void PaintBar(TkvCanvas* Canvas);

  // Settings that restart the animation when they change.
  void SetAnimationPath(TkvProgressBarAnimationPath Value);
  void SetAnimationSpeed(Byte Value);
  void SetBarStyle(TkvProgressBarBarStyle Value);
  void SetMarquee(bool Value);
  void SetOrientation(TkvProgressBarOrientation Value);
  TkvProgressBarAnimationPath GetAnimationPath() const { return FAnimationPath; }
  Byte GetAnimationSpeed() const { return FAnimationSpeed; }
  TkvProgressBarBarStyle GetBarStyle() const { return FBarStyle; }
  bool GetMarquee() const { return FMarquee; }
  TkvProgressBarOrientation GetOrientation() const { return FOrientation; }

  // The animation runs for the glow styles or a marquee, at a speed, outside grids.
  bool AnimationShouldRun();
  void RestartAnimation();
  // One tick of the moving block.
  void AdvanceAnimation();
  // Timers stop themselves from their own ticks; a stopped one counts as gone.
  bool AnimationRunning() const { return FAnimationTimer && FAnimationTimer->GetEnabled(); }
  bool RestartDelayRunning() const { return FRestartDelayTimer && FRestartDelayTimer->GetEnabled(); }
  Integer AnimationOffset() const { return FAnimationOffset; }
  Integer AnimationDirection() const { return FAnimationDirection; }
  // The share of the range filled, 1 for a marquee.
  double RelativePosition() const;
  double Range() const { return Max - Min == 0 ? 1 : Max - Min; }
  Integer Percent() const;
  // The text the bar shows (empty without ShowText).
  String BarText() const;
  Integer LEDSize() const;
  // m: the frame around the off-screen picture.
  Integer FrameMargin() const { return NativeStyle || Inplace || Painter ? 0 : 2; }

  Cardinal AnimationRestartDelay = 0;
  TkvProgressBarBevelOuter BarBevelOuter = kvbvNone;
  TColor BeginColor = 0;
  TColor EndColor = 0;
  Integer BarBorderWidth = 0;
  bool ShowOverload = false;
  bool ShowPeak = false;
  bool ShowText = true;
  TkvProgressBarTextStyle ShowTextStyle = kvtsPercent;
  bool SolidTextColor = false;
  String BarOwnText;
  TkvProgressBarOrientation TextOrientation = kvorHorizontal;
  TColor OverloadBeginColor = 0;
  TColor OverloadEndColor = 0;
  TColor PeakColor = 0;
  Integer PeakSize = 2;
  double OverloadValue = 80;
  double Min = 0;
  double Max = 100;
  double Position = 0;
  double PeakPosition = 0;
  TRect BarArea;
  TRect FillArea;
  TRect BarRect;
  TRect OverloadRect;
  TRect PeakRect;
  TRect BlockRect;
  bool OverloadShown = false;
  bool PeakShown = false;
  bool RectanglesChanged = true;
  bool AreaChanged = true;
  // The prepared foreground picture (drawn over the background colour when asked).
  std::unique_ptr<TBitmap> ForegroundImage;

 private:
  void PaintText(TkvCanvas* Canvas);
  void PaintSkinned(TkvCanvas* Canvas);
  void PaintClassic(TkvCanvas* Canvas, TkvCanvas* Target);
  void PaintGlow(TkvCanvas* Canvas, const TRect& Filled);
  void PaintBevels(TkvCanvas* Canvas, const TRect& Filled);
  void ClipLEDGaps(TkvCanvas* Canvas, const TRect& R);
  void PaintThemedChunk(HDC DC, HTHEME Theme, bool Horizontal);
  void AnimationTick(TObject*);
  void RestartDelayTick(TObject*);
  void BeginRestartDelay();
  void ResetOffset();
  Integer StartEdge() const;
  Integer EndEdge() const;
  void RepaintControl();

  TkvProgressBarAnimationPath FAnimationPath = kvapCycle;
  Byte FAnimationSpeed = 10;
  TkvProgressBarBarStyle FBarStyle = kvbsSolid;
  bool FMarquee = false;
  TkvProgressBarOrientation FOrientation = kvorHorizontal;
  Integer FAnimationOffset = 0;
  Integer FAnimationDirection = 1;
  std::unique_ptr<TkvTimer> FAnimationTimer;
  std::unique_ptr<TkvTimer> FRestartDelayTimer;
  std::unique_ptr<TkvBitmap> FOffscreen;
  std::unique_ptr<TkvBitmap> FSkinBuffer;
  // One cross-section of the theme's chunk, stretched over the filled bar; kept while its size
  // and the theme stay the same.
  std::unique_ptr<TkvBitmap> FChunkStrip;
  HTHEME FChunkStripTheme = nullptr;
};

class TkvCustomProgressBarViewData : public TkvCustomEditViewData {
  TAVREN_CLASS(TkvCustomProgressBarViewData, TkvCustomEditViewData)
 public:
  using TkvCustomEditViewData::TkvCustomEditViewData;
  void ComputeViewInfo(TkvCanvas* Canvas, const TRect& Bounds, const TPoint& P, Integer Button, TShiftState Shift,
                       TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) override;
  void EditValueToDisplayText(const Variant& Value, String& Text) override;
  void LoadDisplayValue(TkvCanvas* Canvas, const Variant& Value, TkvCustomEditViewInfo* ViewInfo) override;
  void GetEditContentSize(TkvCanvas* Canvas, const Variant& Value, const TkvEditSizeRequest& Request,
                          TSize& Size) override;

  // Virtual operations, in the order descendants know them.
  virtual void AssignToViewInfo(TkvCustomProgressBarViewInfo* ViewInfo);
  virtual Cardinal TextFlags() { return 0; }

  TkvCustomProgressBarProperties* BarProperties() {
    return static_cast<TkvCustomProgressBarProperties*>(Properties);
  }
  // The sample view a chooser shows (the view data's creation flag) shows 30.
  bool ShowsSample() const { return CreationFlag; }

 private:
  void ComputeLayout(TkvCustomProgressBarViewInfo* Info, bool Full);
};

// ---- Editor ---------------------------------------------------------------------------------------

class TkvCustomProgressBar : public TkvCustomEdit {
  TAVREN_CLASS(TkvCustomProgressBar, TkvCustomEdit)
 public:
  explicit TkvCustomProgressBar(TComponent* AOwner)
      : TkvCustomProgressBar(AOwner, false, TkvCustomProgressBarProperties::ClassInfo()) {}

  bool CanFocus() override;
  void UpdateDisplayFromEditValue() override;
  void ApplyPropertiesChange(TObject* Properties) override;
  TkvContainerStyleValues GetHiddenStyleValues() override;

  // Virtual operations, in the order descendants know them.
  // Keeps the stored value within [Min, Max].
  virtual void ClampEditValue();
  virtual void ClampOnPropertiesChange();

  TkvCustomProgressBarProperties* BarProperties() {
    return static_cast<TkvCustomProgressBarProperties*>(GetEffectiveProperties());
  }
  TkvCustomProgressBarViewInfo* BarViewInfo() {
    return static_cast<TkvCustomProgressBarViewInfo*>(GetEditViewInfo());
  }
  double GetPosition() { return BarViewInfo()->Position; }
  void SetPosition(double Value);
  bool IsPositionStored() { return GetPosition() != 0; }

 protected:
  TkvCustomProgressBar(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass);
  // Only a bar in a grid cell takes the focus.
  bool WantsFocusOnClick() override;
};

class TkvProgressBar : public TkvCustomProgressBar {
  TAVREN_CLASS(TkvProgressBar, TkvCustomProgressBar)
 public:
  explicit TkvProgressBar(TComponent* AOwner)
      : TkvCustomProgressBar(AOwner, false, TkvProgressBarProperties::ClassInfo()) {}
  TkvProgressBar(TComponent* AOwner, bool AInplace)
      : TkvCustomProgressBar(AOwner, AInplace, TkvProgressBarProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvProgressBarProperties::ClassInfo(); }
  TkvProgressBarProperties* GetBarProperties() const {
    return static_cast<TkvProgressBarProperties*>(GetProperties());
  }
  void SetBarProperties(TkvProgressBarProperties* Value) { SetProperties(Value); }
};

// The glass look of the glow styles over R in Color (Track: the groove under the bar).
void PaintGlassBar(HDC DC, const TRect& R, TColor Color, bool Horizontal, bool Track);

// A filter row's spin edit for a bar: without spin buttons, between the bar's Min and Max.
class TkvFilterProgressBarHelper : public TkvFilterSpinEditHelper {
  TAVREN_CLASS(TkvFilterProgressBarHelper, TkvFilterSpinEditHelper)
 public:
  void InitFilterProperties(TkvCustomEditProperties* Properties, TkvCustomEditProperties* Source,
                            bool KeepButtons) override;
};

// After kvEditStart and kvSpinEditStart: registers the progress bar's Properties and filter helper.
void kvProgressBarStart();
void kvProgressBarEnd();
