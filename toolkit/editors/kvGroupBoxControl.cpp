// The group box control and its panel style: caption font and text, the non-client caption of a
// skinned box, the accelerator and the control's answers to the container.

#include "gdi/Fonts.h"
#include "gdi/LogFont.h"
#include "gdi/Text.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvGroupBox.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "user/Painting.h"
#include "user/WindowPos.h"
#include "vcl/ControlsMessages.h"
#include "vcl/StdCtrls.h"

TAVREN_CLASS_IMPL_PUBLISHED(TkvPanelStyle, PROPERTY(Active).Default(false), PROPERTY(CaptionIndent).Default(2),
                            PROPERTY(OfficeBackgroundKind).Default(pobkOffice11Color),
                            PROPERTY(WordWrap).Default(false))
TAVREN_CLASS_IMPL(TkvCustomGroupBoxProperties)
TAVREN_CLASS_IMPL(TkvCustomGroupBox)

TAVREN_MESSAGE_TABLE(TkvCustomGroupBox, MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged),
                     MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged), MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar),
                     MESSAGE_HANDLER(CM_CTL3DCHANGED, CMCtl3DChanged))

// ---- Caption places ---------------------------------------------------------------------------

Integer CaptionPositionOf(TkvCaptionAlignment Alignment) {
  switch (Alignment) {
    case alTopLeft:
    case alTopCenter:
    case alTopRight: return kvcpTop;
    case alBottomLeft:
    case alBottomCenter:
    case alBottomRight: return kvcpBottom;
    case alLeftTop:
    case alLeftCenter:
    case alLeftBottom: return kvcpLeft;
    case alRightTop:
    case alRightCenter:
    case alRightBottom: return kvcpRight;
    default: return kvcpCenter;
  }
}

Integer CaptionHorzPlace(TkvCaptionAlignment Alignment) {
  switch (Alignment) {
    case alTopCenter:
    case alBottomCenter:
    case alCenterCenter: return 1;
    case alTopRight:
    case alBottomRight:
    case alRightTop:
    case alRightCenter:
    case alRightBottom: return 2;
    default: return 0;
  }
}

Integer CaptionVertPlace(TkvCaptionAlignment Alignment) {
  switch (Alignment) {
    case alLeftCenter:
    case alRightCenter:
    case alCenterCenter: return 1;
    case alBottomLeft:
    case alBottomCenter:
    case alBottomRight:
    case alLeftBottom:
    case alRightBottom: return 2;
    default: return 0;
  }
}

// ---- Panel style ------------------------------------------------------------------------------

void TkvPanelStyle::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvPanelStyle*>(Source);
  if (!source) return TPersistent::Assign(Source);
  SetActive(source->FActive);
  SetCaptionIndent(source->FCaptionIndent);
  SetWordWrap(source->FWordWrap);
  SetOfficeBackgroundKind(source->FOfficeBackgroundKind);
}

TPersistent* TkvPanelStyle::GetOwner() { return FOwner; }

void TkvPanelStyle::SetActive(bool Value) {
  if (FActive == Value) return;
  FActive = Value;
  FOwner->CaptionLayoutChanged();
}

void TkvPanelStyle::SetCaptionIndent(Integer Value) {
  Value = std::max(Value, 2);
  if (FCaptionIndent == Value) return;
  FCaptionIndent = Value;
  if (FActive) FOwner->CaptionLayoutChanged();
}

void TkvPanelStyle::SetOfficeBackgroundKind(TkvPanelOffice11BackgroundKind Value) {
  if (FOfficeBackgroundKind == Value) return;
  FOfficeBackgroundKind = Value;
  if (FActive && FOwner->GetLookAndFeel()->GetKind() == lfOffice11) FOwner->CaptionLayoutChanged();
}

void TkvPanelStyle::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  if (FActive) FOwner->CaptionLayoutChanged();
}

// ---- Properties -------------------------------------------------------------------------------

TClass TkvCustomGroupBoxProperties::GetEditorClass() { return TkvCustomGroupBox::ClassInfo(); }

TClassOf<TkvCustomEditViewData> TkvCustomGroupBoxProperties::GetViewDataClass() {
  return TkvGroupBoxViewData::ClassInfo();
}

TClassOf<TkvCustomEditViewInfo> TkvCustomGroupBoxProperties::GetViewInfoClass() {
  return TkvGroupBoxViewInfo::ClassInfo();
}

// ---- Control ----------------------------------------------------------------------------------

TkvCustomGroupBox::TkvCustomGroupBox(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass)
    : TkvCustomEdit(AOwner, AInplace, APropertiesClass) {
  SetControlStyle(GetControlStyle() + TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents});
  SetBounds(GetLeft(), GetTop(), 185, 105);
  FCaptionTextFont = std::make_unique<TFont>();
  RebuildCaptionFont();
  SetTabStop(false);
  FPanelStyle.reset(CreatePanelStyle());
}

TkvCustomGroupBox::~TkvCustomGroupBox() {
  FCaptionTextFont.reset();
  FPanelStyle.reset();
}

TkvPanelStyle* TkvCustomGroupBox::CreatePanelStyle() { return new TkvPanelStyle(this); }

void TkvCustomGroupBox::SetAlignment(TkvCaptionAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  CaptionLayoutChanged();
}

bool TkvCustomGroupBox::DrawsNatively() {
  TkvLookAndFeel* look = GetLookAndFeel();
  return (look->GetNativeStyle() || look->GetKind() == lfOffice11) && ObtainTheme(totEdit) && !look->GetSkinPainter();
}

TkvCustomLookAndFeelPainterClass TkvCustomGroupBox::SkinPainter() { return GetLookAndFeel()->GetSkinPainter(); }

bool TkvCustomGroupBox::IsCaptionRotated() {
  const Integer position = CaptionPosition();
  return (position == kvcpLeft || position == kvcpRight) && !(FPanelStyle && FPanelStyle->GetActive());
}

bool TkvCustomGroupBox::HasNonClientCaption() {
  if (FPanelStyle && FPanelStyle->GetActive()) return false;
  return AllowsNonClientCaption() && SkinPainter() && !GetText().empty();
}

Integer TkvCustomGroupBox::CaptionLineHeight() {
  TkvScreenCanvas* canvas = ScreenCanvasInstance();
  canvas->AssignFont(FCaptionTextFont.get());
  return canvas->TextHeightOf("Qq");
}

String TkvCustomGroupBox::CaptionTextToDraw() {
  String text = GetText();
  if (!IsCaptionRotated()) return text;
  String stripped;
  StripAccelChar(text, true, stripped);
  return stripped;
}

void TkvCustomGroupBox::RebuildCaptionFont() {
  if (IsInplace() || !FCaptionTextFont) return;
  FCaptionTextFont->Assign(ActiveStyle()->GetEffectiveFont());
  if (!IsCaptionRotated()) return;
  TkvScreenCanvas* canvas = ScreenCanvasInstance();
  canvas->AssignFont(FCaptionTextFont.get());
  TEXTMETRIC metrics{};
  GetTextMetrics(canvas->DCHandle(), &metrics);
  // Only outline fonts turn; every font of this platform is one, so the substitute stays unused.
  if (!(metrics.tmPitchAndFamily & TMPF_TRUETYPE)) FCaptionTextFont->SetName("Arial");
  LOGFONT font{};
  GetObject(FCaptionTextFont->GetHandle(), sizeof(font), &font);
  const LONG escapement = CaptionPosition() == kvcpLeft ? 900 : 2700;
  if (font.lfEscapement == escapement) return;
  font.lfEscapement = escapement;
  font.lfOrientation = escapement;
  font.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  FCaptionTextFont->SetHandle(CreateFontIndirect(&font));
}

void TkvCustomGroupBox::CheckCaptionText() {
  const String text = CaptionTextToDraw();
  if (text == FCaptionText) return;
  FCaptionText = text;
  if (HandleAllocated()) Invalidate();
  RedrawNonClientFrame();
}

void TkvCustomGroupBox::RedrawNonClientFrame(bool SkinChanged) {
  // A skin that went takes its band with it.
  if (!HandleAllocated() || !AllowsNonClientCaption() || !(SkinPainter() || SkinChanged)) return;
  SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  RedrawWindow(GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TkvCustomGroupBox::CaptionLayoutChanged() {
  RebuildCaptionFont();
  CheckCaptionText();
  RefreshViewInfo(false);
  if (HandleAllocated()) {
    // The caption side reaches the control's edge: the window region moves with it.
    UpdateWindowRegion();
    Invalidate();
  }
  RedrawNonClientFrame();
  Realign();
}

TRect TkvCustomGroupBox::NonClientCaptionMargins() {
  TRect margins;
  TkvCustomLookAndFeelPainterClass painter = SkinPainter();
  if (!painter) return margins;
  const Integer position = CaptionPosition();
  TRect widths = painter->GroupBoxFrameWidths(true, position);
  switch (position) {
    case kvcpTop: margins.Top = widths.Top + widths.Bottom; break;
    case kvcpBottom: margins.Bottom = widths.Top + widths.Bottom; break;
    case kvcpLeft: margins.Left = widths.Left + widths.Right; break;
    case kvcpRight: margins.Right = widths.Left + widths.Right; break;
    default: break;
  }
  return margins;
}

// ---- Container answers ------------------------------------------------------------------------

void TkvCustomGroupBox::AdjustClientRect(TRect& Rect) {
  if (GetComponentState().Contains(csDestroying)) return;
  std::unique_ptr<TkvCustomEditViewData> data(MakeViewData());
  data->Bounds = TRect(0, 0, GetWidth(), GetHeight());
  TRect margins;
  data->GetClientExtent(nullptr, GetEditViewInfo(), margins);
  Rect = Shrunk(TRect(0, 0, GetWidth(), GetHeight()), margins);
}

void TkvCustomGroupBox::LookAndFeelUpdated(TkvLookAndFeel* Sender, TkvLookAndFeelValues ChangedValues) {
  TkvCustomEdit::LookAndFeelUpdated(Sender, ChangedValues);
  RedrawNonClientFrame(true);
  Invalidate();
}

bool TkvCustomGroupBox::IsBorderCustomDrawn() {
  return !(FPanelStyle && FPanelStyle->GetActive()) && TkvCustomEdit::IsBorderCustomDrawn();
}

void TkvCustomGroupBox::ApplyStyle(TObject* Style) {
  RebuildCaptionFont();
  TkvCustomEdit::ApplyStyle(Style);
}

void TkvCustomGroupBox::GetOuterBounds(TRect& R) {
  TkvCustomEdit::GetOuterBounds(R);
  switch (CaptionPosition()) {
    case kvcpTop: R.Top = 0; break;
    case kvcpBottom: R.Bottom = GetHeight(); break;
    case kvcpLeft: R.Left = 0; break;
    case kvcpRight: R.Right = GetWidth(); break;
    default: break;
  }
}

bool TkvCustomGroupBox::DrawsShadow() {
  const Integer position = CaptionPosition();
  const bool panel = FPanelStyle && FPanelStyle->GetActive();
  if (!panel && (position == kvcpBottom || position == kvcpRight || position == kvcpCenter)) return false;
  if (DrawsNatively() || SkinPainter()) return false;
  return TkvCustomEdit::DrawsShadow();
}

TkvContainerStyle* TkvCustomGroupBox::SelectStateStyle() {
  return GetEnabled() ? GetStyle() : GetStyleDisabled();
}

TkvContainerStyleValues TkvCustomGroupBox::GetHiddenStyleValues() {
  TkvContainerStyleValues values = TkvCustomEdit::GetHiddenStyleValues();
  values.Include(svHotTrack);
  return values;
}

bool TkvCustomGroupBox::NeedsParentBackground() {
  return DrawsNatively() && GetParentBackground() && !IsInplace() && !GetTransparent();
}

// ---- Messages ---------------------------------------------------------------------------------

void TkvCustomGroupBox::Paint() {
  bool done = false;
  FOnCustomDraw(this, done);
  if (!done) TkvCustomEdit::Paint();
}

void TkvCustomGroupBox::WndProc(TMessage& Message) {
  if (Message.Msg == WM_NCCALCSIZE && HasNonClientCaption()) {
    RECT* rect = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                                : reinterpret_cast<RECT*>(Message.LParam);
    *rect = Shrunk(*rect, NonClientCaptionMargins());
  } else if (Message.Msg == WM_NCPAINT) {
    PaintNonClientCaption();
  }
  TkvCustomEdit::WndProc(Message);
}

void TkvCustomGroupBox::PaintNonClientCaption() {
  if (!AllowsNonClientCaption() || !SkinPainter() || !HandleAllocated()) return;
  TkvGroupBoxViewInfo* info = GroupViewInfo();
  const TRect margins = NonClientCaptionMargins();
  TRect band = info->CaptionRect;
  switch (CaptionPosition()) {
    case kvcpTop: band.Bottom = band.Top + margins.Top; break;
    case kvcpBottom: band.Top = band.Bottom - margins.Bottom; break;
    case kvcpLeft: band.Right = band.Left + margins.Left; break;
    case kvcpRight: band.Left = band.Right - margins.Right; break;
    default: break;
  }
  HDC dc = GetWindowDC(GetHandle());
  if (!dc) return;
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    TkvCanvas kvCanvas(&canvas);
    // Client coordinates land on the window.
    kvCanvas.WriteWindowOrg(TPoint(-margins.Left, -margins.Top));
    kvCanvas.PushClip();
    kvCanvas.ClipToRect(band);
    info->PaintCaption(&kvCanvas);
    kvCanvas.PopClip();
    canvas.SetHandle(nullptr);
  }
  ReleaseDC(GetHandle(), dc);
}

void TkvCustomGroupBox::CMFontChanged(TMessage& Message) {
  InheritedMessage(Message);
  Realign();
}

void TkvCustomGroupBox::CMTextChanged(TMessage& Message) {
  InheritedMessage(Message);
  CheckCaptionText();
  RefreshViewInfo(false);
}

void TkvCustomGroupBox::CMCtl3DChanged(TMessage& Message) {
  InheritedMessage(Message);
  // The 3D frame's lines depend on it.
  Invalidate();
}

void TkvCustomGroupBox::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<Word>(Message.WParam), GetText()) && CanFocusNow()) {
    FFocusingByAccelerator = true;
    try {
      SelectFirst();
    } catch (...) {
      FFocusingByAccelerator = false;
      throw;
    }
    FFocusingByAccelerator = false;
    Message.Result = 1;
    return;
  }
  TkvCustomEdit::CMDialogChar(Message);
}
