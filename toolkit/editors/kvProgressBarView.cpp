// The progress bar's layout: its rectangles from the position, the peak held, the moving block,
// and the animation that moves it.

#include <algorithm>
#include <climits>
#include <cmath>

#include "rtl/SysUtils.h"
#include "user/Rects.h"
#include "toolkit/editors/kvProgressBar.h"
#include "toolkit/foundation/qzThemeManager.h"

namespace {

constexpr Integer kAnimationInterval = 30;
constexpr Integer kHalfBlock = 25;

// Pixels of Extent that Share covers, truncated toward zero.
Integer PixelsOf(Integer Extent, double Share) { return static_cast<Integer>(std::trunc(Extent * Share)); }

}  // namespace

TAVREN_CLASS_IMPL(TkvCustomProgressBarViewInfo)
TAVREN_CLASS_IMPL(TkvCustomProgressBarViewData)

TClassOf<TkvCustomEditViewData> TkvCustomProgressBarProperties::GetViewDataClass() {
  return TkvCustomProgressBarViewData::ClassInfo();
}

TClassOf<TkvCustomEditViewInfo> TkvCustomProgressBarProperties::GetViewInfoClass() {
  return TkvCustomProgressBarViewInfo::ClassInfo();
}

TClass TkvCustomProgressBarProperties::GetEditorClass() { return TkvProgressBar::ClassInfo(); }

// ---- View data ------------------------------------------------------------------------------

void TkvCustomProgressBarViewData::EditValueToDisplayText(const Variant& Value, String& Text) {
  Text = Properties->EditValueToDisplayText(Value, true);
}

void TkvCustomProgressBarViewData::LoadDisplayValue(TkvCanvas*, const Variant& Value,
                                                    TkvCustomEditViewInfo* ViewInfo) {
  auto* info = static_cast<TkvCustomProgressBarViewInfo*>(ViewInfo);
  info->Position = BarProperties()->ClampViewPosition(TkvCustomProgressBarProperties::DisplayNumber(Value));
}

void TkvCustomProgressBarViewData::AssignToViewInfo(TkvCustomProgressBarViewInfo* ViewInfo) {
  TkvCustomProgressBarProperties* p = BarProperties();
  ViewInfo->SetAnimationPath(p->GetAnimationPath());
  ViewInfo->SetMarquee(p->GetMarquee());
  ViewInfo->SetOrientation(p->GetOrientation());
  ViewInfo->SetBarStyle(p->GetBarStyle());
  ViewInfo->SetAnimationSpeed(p->GetAnimationSpeed());
  ViewInfo->AnimationRestartDelay = p->GetAnimationRestartDelay();
  ViewInfo->BarBevelOuter = p->GetBarBevelOuter();
  ViewInfo->BeginColor = ColorToRGB(p->GetBeginColor());
  ViewInfo->EndColor = ColorToRGB(p->GetEndColor());
  ViewInfo->BarBorderWidth = p->GetBorderWidth();
  ViewInfo->OverloadBeginColor = ColorToRGB(p->GetOverloadBeginColor());
  ViewInfo->OverloadEndColor = ColorToRGB(p->GetOverloadEndColor());
  ViewInfo->OverloadValue = p->GetOverloadValue();
  ViewInfo->PeakColor = ColorToRGB(p->GetPeakColor());
  ViewInfo->PeakSize = p->GetPeakSize();
  ViewInfo->ShowOverload = p->GetShowOverload();
  ViewInfo->ShowPeak = p->GetShowPeak();
  ViewInfo->ShowText = p->GetShowText();
  ViewInfo->ShowTextStyle = p->GetShowTextStyle();
  ViewInfo->SolidTextColor = p->GetSolidTextColor();
  ViewInfo->BarOwnText = p->GetText();
  ViewInfo->TextOrientation = p->GetTextOrientation();
  ViewInfo->Min = p->GetMinValue();
  ViewInfo->Max = p->GetMaxValue();
}

void TkvCustomProgressBarViewData::ComputeViewInfo(TkvCanvas* Canvas, const TRect& ABounds, const TPoint& P,
                                                   Integer Button, TShiftState Shift, TkvCustomEditViewInfo* ViewInfo,
                                                   bool IsMouseEvent) {
  TkvCustomEditViewData::ComputeViewInfo(Canvas, ABounds, P, Button, Shift, ViewInfo, IsMouseEvent);
  auto* info = static_cast<TkvCustomProgressBarViewInfo*>(ViewInfo);
  info->TextRect = info->ClientRect;
  info->TextFlags = TextFlags();
  if (ABounds.Right == kvMeasuringBounds.Right || ABounds.Bottom == kvMeasuringBounds.Bottom) return;
  AssignToViewInfo(info);
  if (!Inplace) info->Transparent = Edit && Edit->GetTransparent();
  if (ShowsSample()) info->Position = 30;
  ComputeLayout(info, false);
  info->Text = info->BarText();
}

void TkvCustomProgressBarViewData::ComputeLayout(TkvCustomProgressBarViewInfo* Info, bool Full) {
  TkvCustomProgressBarProperties* p = BarProperties();
  const bool horizontal = Info->GetOrientation() == kvorHorizontal;
  const bool marquee = Info->GetMarquee();
  const Integer border = Info->BarBorderWidth;
  // The peak held: the Properties keep the highest position reached.
  Info->PeakPosition = std::max(Info->Position, std::min(Info->Max, std::max(Info->Min, p->GetPeakValue())));
  p->RaisePeakValue(Info->PeakPosition);

  const bool native = Info->NativeStyle && ObtainTheme(totProgress) != nullptr;
  Info->NativeStyle = native;
  TRect area, fill;
  if (native) {
    area = Info->Bounds;
    if (Inplace)
      fill = RectInflated(area, -(border + 2), -(border + 2));
    else if (IsAnimationStyle(Info->GetBarStyle()))
      fill = RectInflated(area, -(border + 1), -(border + 1));
    else
      fill = TRect(area.Left + border + 3, area.Top + border + 3, area.Right - border - 2, area.Bottom - border - 2);
  } else {
    area = Inplace ? Info->Bounds : Info->BorderRect;
    fill = RectInflated(Info->BorderRect, -border, -border);
  }
  Info->FillArea = fill;

  // The geometry never leaves the fill area, whatever the position (an empty range, a bar
  // still loading); the text keeps the value itself.
  const double range = Info->Range();
  auto share = [&](double Value) { return std::clamp((Value - Info->Min) / range, 0.0, 1.0); };
  const double filled = marquee ? 1.0 : share(Info->Position);
  TRect bar = fill;
  if (!marquee) {
    if (horizontal)
      bar.Right = fill.Left + PixelsOf(fill.Width(), filled);
    else
      bar.Top = fill.Bottom - PixelsOf(fill.Height(), filled);
  }

  TRect overload;
  Info->OverloadShown = !marquee && Info->ShowOverload && !native && Info->Position >= Info->OverloadValue;
  if (Info->OverloadShown) {
    overload = bar;
    const double level = share(Info->OverloadValue);
    if (horizontal) {
      overload.Left = fill.Left + PixelsOf(fill.Width(), level);
      overload.Right = std::min(overload.Right, fill.Right);
      bar.Right = overload.Left;
    } else {
      overload.Top = fill.Bottom - PixelsOf(fill.Height(), filled);
      overload.Bottom = std::max(fill.Bottom - PixelsOf(fill.Height(), level), fill.Top);
      bar.Top = overload.Bottom;
    }
    // LEDs end on a whole cell: the boundary moves back with the bar's end.
    const Integer led = Info->LEDSize();
    if (IsLEDStyle(Info->GetBarStyle()) && led > 0) {
      if (horizontal) {
        Integer cut = bar.Width() % led;
        bar.Right -= cut;
        overload.Left -= cut;
      } else {
        Integer cut = bar.Height() % led;
        bar.Top += cut;
        overload.Bottom += cut;
      }
    }
  }

  TRect peak;
  Info->PeakShown = Info->ShowPeak && !marquee;
  if (Info->PeakShown) {
    const double level = share(Info->PeakPosition);
    if (horizontal) {
      Integer left = std::min(fill.Left + PixelsOf(fill.Width(), level), fill.Right - Info->PeakSize);
      peak = TRect(left, fill.Top, left + Info->PeakSize, fill.Bottom);
    } else {
      Integer bottom = std::max(fill.Bottom - PixelsOf(fill.Height(), level), fill.Top + Info->PeakSize);
      peak = TRect(fill.Left, bottom - Info->PeakSize, fill.Right, bottom);
    }
  }

  // The foreground picture, drawn once over the background colour when it is transparent.
  if (p->HasForegroundImage() && (p->GetForegroundImageChanged() || !Info->ForegroundImage)) {
    TBitmap* source = p->GetForegroundImage();
    auto copy = std::make_unique<TBitmap>();
    if (p->GetTransparentImage()) {
      copy->SetSize(source->GetWidth(), source->GetHeight());
      copy->GetCanvas()->GetBrush()->SetColor(Info->BackgroundColor);
      copy->GetCanvas()->FillRect(TRect(0, 0, source->GetWidth(), source->GetHeight()));
      source->SetTransparent(true);
      copy->GetCanvas()->Draw(0, 0, source);
    } else {
      copy->Assign(source);
    }
    Info->ForegroundImage = std::move(copy);
    p->SetForegroundImageChanged(false);
  } else if (!p->HasForegroundImage()) {
    Info->ForegroundImage.reset();
  }

  const Integer half = Info->BlockLength() / 2;
  Info->BlockRect = horizontal ? TRect(bar.Left - half, bar.Top, bar.Left + half, bar.Bottom)
                               : TRect(bar.Left, Info->Bounds.Top - half, bar.Right, Info->Bounds.Top + half);

  const bool differs = bar != Info->BarRect || area != Info->BarArea ||
                       (Info->OverloadShown && overload != Info->OverloadRect) ||
                       (Info->PeakShown && peak != Info->PeakRect);
  if (!p->GetPositionChanged() || Full || differs) {
    Info->AreaChanged = Info->AreaChanged || area != Info->BarArea;
    Info->BarArea = area;
    Info->BarRect = bar;
    Info->OverloadRect = overload;
    Info->PeakRect = peak;
    Info->RectanglesChanged = true;
  } else {
    Info->RectanglesChanged = false;
  }
  p->SetPositionChanged(false);
}

void TkvCustomProgressBarViewData::GetEditContentSize(TkvCanvas* Canvas, const Variant& Value,
                                                      const TkvEditSizeRequest& Request, TSize& Size) {
  TkvCustomEditViewData::GetEditContentSize(Canvas, Value, Request, Size);
  Canvas->AssignFont(GetEditStyle()->GetEffectiveFont());
  Integer barWidth = 0;
  if (Edit) barWidth = static_cast<TkvCustomProgressBarViewInfo*>(Edit->GetEditViewInfo())->BarRect.Width();
  if (!Inplace && !NativeStyle) barWidth += 4;
  Size.cx += barWidth + 3;
  Size.cy += Canvas->TextHeightOf("Zg");
}

// ---- View info: values and copies -------------------------------------------------------------

TkvCustomProgressBarViewInfo::TkvCustomProgressBarViewInfo() = default;

TkvCustomProgressBarViewInfo::~TkvCustomProgressBarViewInfo() = default;

void TkvCustomProgressBarViewInfo::CopyFrom(TkvContainerViewInfo* Other) {
  if (auto* other = dynamic_cast<TkvCustomProgressBarViewInfo*>(Other)) {
    Position = other->Position;
    PeakPosition = other->PeakPosition;
    Min = other->Min;
    Max = other->Max;
    BarArea = other->BarArea;
    BarRect = other->BarRect;
    OverloadRect = other->OverloadRect;
    PeakRect = other->PeakRect;
    OverloadShown = other->OverloadShown;
    PeakShown = other->PeakShown;
  }
  TkvCustomTextEditViewInfo::CopyFrom(Other);
}

void TkvCustomProgressBarViewInfo::MoveBy(Integer DX, Integer DY) {
  TkvCustomTextEditViewInfo::MoveBy(DX, DY);
  for (TRect* r : {&BarArea, &FillArea, &BarRect, &OverloadRect, &PeakRect, &BlockRect}) OffsetRect(r, DX, DY);
}

bool TkvCustomProgressBarViewInfo::RepaintDifference(TWinControl* Control, const TRect& Inner,
                                                     TkvCustomEditViewInfo* Older) {
  bool changed = TkvCustomEditViewInfo::RepaintDifference(Control, Inner, Older);
  auto* older = dynamic_cast<TkvCustomProgressBarViewInfo*>(Older);
  if (!older || !Control->HandleAllocated()) return changed;
  if (older->Text != Text || older->BarRect != BarRect || older->OverloadRect != OverloadRect ||
      older->PeakRect != PeakRect || older->BarArea != BarArea || older->OverloadShown != OverloadShown ||
      older->PeakShown != PeakShown) {
    InvalidateRect(Control->GetHandle(), &Bounds, false);
    changed = true;
  }
  return changed;
}

double TkvCustomProgressBarViewInfo::RelativePosition() const {
  if (FMarquee) return 1;
  return std::clamp((Position - Min) / Range(), 0.0, 1.0);
}

Integer TkvCustomProgressBarViewInfo::Percent() const {
  return static_cast<Integer>(std::min(100.0, std::nearbyint(100 * (Position - Min) / Range())));
}

String TkvCustomProgressBarViewInfo::BarText() const {
  if (!ShowText) return String();
  if (FMarquee) return BarOwnText;
  switch (ShowTextStyle) {
    case kvtsPercent:
      return IntToStr(Percent()) + " %";
    case kvtsPosition:
      return FloatToStr(Position);
    case kvtsText:
      break;
  }
  return BarOwnText;
}

Integer TkvCustomProgressBarViewInfo::LEDSize() const {
  const bool horizontal = FOrientation == kvorHorizontal;
  Integer size = horizontal ? BarRect.Height() * 2 / 3 + 2 : BarRect.Width() * 2 / 3 + 2;
  if (FBarStyle == kvbsBitmapLEDs && ForegroundImage) {
    Integer image = horizontal ? ForegroundImage->GetWidth() : ForegroundImage->GetHeight();
    if (image > 0 && image < size) size = image;
  }
  return size;
}

// ---- Animation --------------------------------------------------------------------------------

void TkvCustomProgressBarViewInfo::SetAnimationPath(TkvProgressBarAnimationPath Value) {
  if (FAnimationPath == Value) return;
  FAnimationPath = Value;
  RestartAnimation();
}

void TkvCustomProgressBarViewInfo::SetMarquee(bool Value) {
  if (FMarquee == Value) return;
  FMarquee = Value;
  RestartAnimation();
}

void TkvCustomProgressBarViewInfo::SetOrientation(TkvProgressBarOrientation Value) {
  if (FOrientation == Value) return;
  FOrientation = Value;
  RestartAnimation();
}

void TkvCustomProgressBarViewInfo::SetBarStyle(TkvProgressBarBarStyle Value) {
  if (FBarStyle == Value) return;
  FBarStyle = Value;
  RestartAnimation();
}

void TkvCustomProgressBarViewInfo::SetAnimationSpeed(Byte Value) {
  if (FAnimationSpeed == Value) return;
  FAnimationSpeed = Value;
  // A running timer keeps its 30 ms: the speed is the step.
  if (Value == 0)
    FAnimationTimer.reset();
  else if (!FAnimationTimer)
    RestartAnimation();
}

bool TkvCustomProgressBarViewInfo::AnimationShouldRun() {
  return (IsAnimationStyle(FBarStyle) || FMarquee) && FAnimationSpeed > 0 && !Designing && !Inplace && Edit;
}

void TkvCustomProgressBarViewInfo::RestartAnimation() {
  FAnimationTimer.reset();
  FRestartDelayTimer.reset();
  if (!AnimationShouldRun()) return;
  ResetOffset();
  FAnimationTimer = std::make_unique<TkvTimer>(nullptr);
  FAnimationTimer->SetInterval(kAnimationInterval);
  FAnimationTimer->SetOnTimer(MakeEvent<&TkvCustomProgressBarViewInfo::AnimationTick>(this));
}

Integer TkvCustomProgressBarViewInfo::StartEdge() const {
  if (FOrientation == kvorHorizontal) return 0;
  return Bounds.Height() - PixelsOf(Bounds.Height(), RelativePosition());
}

Integer TkvCustomProgressBarViewInfo::EndEdge() const {
  if (FOrientation == kvorHorizontal) return PixelsOf(Bounds.Width(), RelativePosition());
  return Bounds.Height();
}

void TkvCustomProgressBarViewInfo::ResetOffset() {
  Integer offset = FAnimationPath == kvapCycle ? -kHalfBlock : kHalfBlock;
  if (FOrientation == kvorHorizontal) {
    FAnimationDirection = 1;
    FAnimationOffset = offset + StartEdge();
  } else {
    FAnimationDirection = -1;
    FAnimationOffset = -offset + EndEdge();
  }
}

void TkvCustomProgressBarViewInfo::BeginRestartDelay() {
  if (AnimationRestartDelay == 0) return;
  if (!FRestartDelayTimer) {
    FRestartDelayTimer = std::make_unique<TkvTimer>(nullptr);
    FRestartDelayTimer->SetOnTimer(MakeEvent<&TkvCustomProgressBarViewInfo::RestartDelayTick>(this));
  }
  FRestartDelayTimer->SetInterval(AnimationRestartDelay);
  FRestartDelayTimer->SetEnabled(true);
}

void TkvCustomProgressBarViewInfo::AdvanceAnimation() {
  if (RestartDelayRunning()) return;
  FAnimationOffset += 2 * FAnimationSpeed * FAnimationDirection;
  const Integer start = StartEdge(), end = EndEdge();
  if (FAnimationPath == kvapCycle) {
    if (FAnimationOffset >= start - kHalfBlock && FAnimationOffset <= end + kHalfBlock) return;
    ResetOffset();
    BeginRestartDelay();
    return;
  }
  const bool forward = FAnimationDirection > 0;
  if ((forward && FAnimationOffset > end - kHalfBlock) || (!forward && FAnimationOffset < start + kHalfBlock)) {
    FAnimationDirection = -FAnimationDirection;
    FAnimationOffset += FAnimationDirection;
    BeginRestartDelay();
  }
}

void TkvCustomProgressBarViewInfo::AnimationTick(TObject*) {
  if (!AnimationShouldRun()) {
    // Freed after the tick has unwound: the timer is still on the stack.
    FAnimationTimer->SetEnabled(false);
    return;
  }
  AdvanceAnimation();
  RepaintControl();
}

void TkvCustomProgressBarViewInfo::RestartDelayTick(TObject*) { FRestartDelayTimer->SetEnabled(false); }

void TkvCustomProgressBarViewInfo::RepaintControl() {
  RectanglesChanged = true;
  if (Edit && Edit->HandleAllocated()) InvalidateRect(Edit->GetHandle(), &Bounds, false);
}
