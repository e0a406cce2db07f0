// A text editor's layout and painting: text rectangle, text flags, selection colours, the size a
// text needs, and the text drawn when no inner edit shows it.

#include <algorithm>

#include "gdi/Drawing.h"
#include "rtl/Variants.h"
#include "user/Rects.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvTextEdit.h"
#include "toolkit/foundation/kvDWMApi.h"

namespace {

constexpr Integer kUnlimited = 0x3FFFFFFF;
constexpr Cardinal kHorzCodes[] = {kvtfLeft, kvtfRight, kvtfCenterX};  // by TAlignment
constexpr Cardinal kVertCodes[] = {kvtfTop, kvtfBottom, kvtfCenterY};  // by TkvEditVertAlignment

bool IsMultiLine(Cardinal Flags) { return !(Flags & kvtfSingleLine) && (Flags & kvtfWordWrap); }

// Flags that lay a text out over rows with word breaks.
Cardinal WordBreakFlags(Cardinal Flags) { return (Flags & ~kvtfSingleLine) | kvtfWordWrap | kvtfWholeRows; }

// Lays Text out in R; answers whether it was laid out whole (MaxRows 0: no limit).
bool LayOut(TkvCanvas* Canvas, const String& Text, const TRect& R, Cardinal Flags, Integer MaxRows,
            TkvTextRows& Rows, Integer& RowCount) {
  TkvTextParams params = MakeTextParamsOnCanvas(Canvas->GetCanvas(), Flags);
  return MakeTextRowsOnCanvas(Canvas->GetCanvas(), Text.data(), static_cast<Integer>(Text.size()), R, params, Rows,
                              RowCount, MaxRows);
}

Integer LineHeight(TkvCanvas* Canvas) { return Canvas->TextHeightOf("Zg"); }

TColor InverseRGB(TColor Color) { return static_cast<TColor>(ColorToRGB(Color) ^ 0xFFFFFF); }

}  // namespace

TAVREN_CLASS_IMPL(TkvCustomTextEditViewInfo)
TAVREN_CLASS_IMPL(TkvCustomTextEditViewData)

TClassOf<TkvCustomEditViewData> TkvCustomTextEditProperties::GetViewDataClass() {
  return TkvCustomTextEditViewData::ClassInfo();
}

TClassOf<TkvCustomEditViewInfo> TkvCustomTextEditProperties::GetViewInfoClass() {
  return TkvCustomTextEditViewInfo::ClassInfo();
}

// ---- Measuring ------------------------------------------------------------------------------

void MeasureEditText(TkvCanvas* Canvas, TkvCustomTextEditViewData* ViewData, const String& Text, TSize& Size,
                     Cardinal Flags, Integer LineCount, const TkvEditSizeRequest& Request, bool WithOffsets) {
  Byte style = ViewData->TextProperties()->EditingStyleCode();
  bool listCorrection = !ViewData->Inplace && (style == kvEditingStrictList || style == kvEditingNoTyping) &&
                        !ViewData->UsesNativeTextLook();
  bool emptyIsNothing = (ViewData->PaintOptionsByte & 1) != 0;
  Integer line = LineHeight(Canvas);
  TkvTextRows rows;
  Integer rowCount = 0;
  if (Request.Width >= 0 && LineCount <= 0) {
    Integer wrap = Request.Width - 3 + (ViewData->Inplace ? 0 : 2) + (listCorrection ? 0 : 1);
    Size = TSize{0, Text.empty() && emptyIsNothing ? 0 : line};
    if (wrap > 0) {
      Size.cx = Request.Width;
      if (!Text.empty()) {
        Cardinal flags = (WordBreakFlags(Flags) | kvtfAnswerRowCount) & ~kvtfVertMask;
        LayOut(Canvas, Text, TRect(0, 0, wrap, kUnlimited), flags, 0, rows, rowCount);
        if (Request.LineCount > 0) rowCount = std::min(rowCount, Request.LineCount);
        Size.cy = rowCount * line;
      }
    }
  } else if (Request.Width >= 0) {
    Size = TSize{Request.Width, LineCount * line};
  } else {
    Integer features = ViewData->Properties->GetSupportedFeatures();
    bool wraps = IsMultiLine(Flags) ||
                 ((Flags & kvtfSingleLine) && (ViewData->PaintOptionsByte & 2) && (features & 2));
    if (wraps) {
      LayOut(Canvas, Text, TRect(0, 0, kUnlimited, kUnlimited), WordBreakFlags(Flags) | kvtfCalcRect, 0, rows,
             rowCount);
      Integer cap = LineCount > 0 ? LineCount : Request.LineCount;
      if (cap > 0) rowCount = std::min(rowCount, cap);
      Size = TSize{MaxRowWidth(rows, rowCount), (LineCount > 0 ? LineCount : 1) * line};
    } else {
      Size = TSize{Text.empty() ? 0 : Canvas->TextWidthOf(Text), line};
    }
    if (listCorrection) ++Size.cx;
    if (WithOffsets) {
      TSize offsets;
      ViewData->GetContentOffsetSize(offsets);
      Size.cx += offsets.cx;
    }
  }
}

// ---- View data ------------------------------------------------------------------------------

void TkvCustomTextEditViewData::InitFromProperties() {
  TkvCustomEditViewData::InitFromProperties();
  FormatsByDataBinding = Properties->UsesProviderDisplayFormat();
}

void TkvCustomTextEditViewData::EditValueToDisplayText(const Variant& Value, String& Text) {
  TkvCustomTextEditProperties* properties = TextProperties();
  if (FormatsByDataBinding) {
    Text = VarToStr(Value);
    properties->ShapeDisplayText(Text);
    return;
  }
  // The Properties shape their display text themselves.
  if (!properties->AcceptsEditValue(Value)) {
    Text = properties->EditValueToDisplayText(Value, IsEditFormatActive());
    return;
  }
  Variant display;
  properties->MakeDisplayValue(Value, display, IsEditFormatActive());
  Text = VarToStr(display);
  properties->ShapeDisplayText(Text);
}

void TkvCustomTextEditViewData::GetEditContentSize(TkvCanvas* Canvas, const Variant& Value,
                                                   const TkvEditSizeRequest& Request, TSize& Size) {
  TkvCustomEditViewData::GetEditContentSize(Canvas, Value, Request, Size);
  String text;
  EditValueToText(Value, text);
  Canvas->AssignFont(GetEditStyle()->GetEffectiveFont());
  TSize measured;
  MeasureEditText(Canvas, this, text, measured, TextFlags(), 0, Request, true);
  TSize offsets;
  GetContentOffsetSize(offsets);
  measured.cy += offsets.cy;
  EnlargeSize(Size, measured);
}

bool TkvCustomTextEditViewData::HasShownInnerEdit() { return Edit && InnerEdit && InnerEdit->GetVisible(); }

Cardinal TkvCustomTextEditViewData::TextFlags() {
  return kHorzCodes[HorzAlignment] | kVertCodes[VertAlignment] | kvtfSingleLine | kvtfNoTopOverhang |
         kvtfNoLeftOverhang;
}

TRect TkvCustomTextEditViewData::TextEditContentOffsets() {
  TRect offsets = ContentParams.Offsets;
  Byte style = TextProperties()->EditingStyleCode();
  if (Inplace || (style != kvEditingStrictList && style != kvEditingNoTyping)) return offsets;
  if (VertAlignment == taTopJustify) {
    ++offsets.Top;
    --offsets.Bottom;
  }
  if (HorzAlignment == taRightJustify)
    ++offsets.Right;
  else
    ++offsets.Left;
  return offsets;
}

void TkvCustomTextEditViewData::ComputeViewInfo(TkvCanvas* Canvas, const TRect& ABounds, const TPoint& P,
                                                Integer Button, TShiftState Shift, TkvCustomEditViewInfo* ViewInfo,
                                                bool IsMouseEvent) {
  TkvCustomEditViewData::ComputeViewInfo(Canvas, ABounds, P, Button, Shift, ViewInfo, IsMouseEvent);
  auto* info = static_cast<TkvCustomTextEditViewInfo*>(ViewInfo);
  info->SelectionBarShown = false;
  info->EditingStyle = TextProperties()->EditingStyleCode();
  info->InnerEditShown = HasShownInnerEdit();
  info->PopupOpen = Edit && Edit->IsPopupOpen();
  info->TextRect = Shrunk(info->ClientRect, ContentOffsets());
  if (!Inplace) {
    Canvas->AssignFont(info->Font);
    Integer line = LineHeight(Canvas);
    // At least one line, never past the client area.
    if (info->TextRect.Height() < line)
      info->TextRect.Bottom = std::min(info->TextRect.Top + line, info->ClientRect.Bottom);
  }
  info->MaxLineCount = MaxLines();
  info->TextOut.Initialized = false;
  CalculateTextFlags(Canvas, info);
}

void TkvCustomTextEditViewData::CalculateTextFlags(TkvCanvas* Canvas, TkvCustomTextEditViewInfo* ViewInfo) {
  Cardinal flags = TextFlags();
  bool check = !TextProperties()->DrawsOwnTextLayout() && (Properties->GetSupportedFeatures() & 2) &&
               (PaintOptionsByte & 2);
  if (check && !ViewInfo->Text.empty()) {
    TRect offsets = TextEditContentOffsets();
    TSize offsetSize;
    GetContentOffsetSize(offsetSize);
    Integer width = ViewInfo->TextRect.Width() + offsets.Left + offsets.Right - offsetSize.cx -
                    InplaceBorderOffsets.Left - InplaceBorderOffsets.Right - (HorzAlignment == taRightJustify ? 1 : 0);
    Canvas->AssignFont(GetEditStyle()->GetEffectiveFont());
    TkvTextRows rows;
    Integer rowCount = 0;
    Cardinal layout = (flags & ~kvtfSingleLine) | kvtfWordWrap | kvtfWholeRows | kvtfAnswerRowCount;
    LayOut(Canvas, ViewInfo->Text, TRect(0, 0, std::max(width, 1), kUnlimited), layout, 0, rows, rowCount);
    if (rowCount > 1) {
      flags = (flags & ~kvtfSingleLine) | kvtfWordWrap | kvtfWholeRows;
      if (rowCount * LineHeight(Canvas) > ViewInfo->TextRect.Height()) flags &= ~kvtfVertMask;
    }
  }
  if (ViewInfo->PaintsDataCopy) flags |= kvtfEndEllipsis;
  ViewInfo->TextFlags = flags;
  ViewInfo->NativeTextLook = UsesNativeTextLook();
}

void TkvCustomTextEditViewData::SetViewInfoText(const Variant& Value, TkvCustomTextEditViewInfo* ViewInfo) {
  ViewInfo->Text = VarToStr(Value);
  TextProperties()->ShapeDisplayText(ViewInfo->Text);
}

void TkvCustomTextEditViewData::FillButtonNativeState(TkvEditButtonViewInfo* Button) {
  TkvCustomEditViewData::FillButtonNativeState(Button);
  constexpr Integer kDisabledState = 4;
  if (TextProperties()->EditingStyleCode() == kvEditingStrictList && !Inplace && DwmCompositionEnabled() &&
      NativeStyle && Button->NativePart != 0 && Button->NativeState != kDisabledState)
    Button->NativeState = 1;
}

void TkvCustomTextEditViewData::GetClientExtent(TkvCanvas* Canvas, TkvCustomEditViewInfo* ViewInfo, TRect& R) {
  TkvCustomEditViewData::GetClientExtent(Canvas, ViewInfo, R);
  if (!Inplace && UsesNativeTextLook() && NativeStyle) ++R.Right;
}

void TkvCustomTextEditViewData::LoadDisplayValue(TkvCanvas*, const Variant& Value, TkvCustomEditViewInfo* ViewInfo) {
  auto* info = static_cast<TkvCustomTextEditViewInfo*>(ViewInfo);
  EditValueToText(Value, info->Text);
  info->TextOut.Initialized = false;
  SelectionData(info);
}

void TkvCustomTextEditViewData::SelectionData(TkvCustomTextEditViewInfo* ViewInfo) {
  ViewInfo->SelStart = SelStart;
  ViewInfo->SelLength = SelLength;
  if (SelLength <= 0) return;
  // System colours and clDefault become RGB before they are inverted.
  if (SelBackgroundColor == clDefault) {
    if (SelTextColor != clDefault) {
      ViewInfo->SelTextColor = SelTextColor;
      ViewInfo->SelBackgroundColor = InverseRGB(SelTextColor);
    } else if (GetEditStyle()->GetColor() == clHighlight) {
      ViewInfo->SelBackgroundColor = clBlack;
      ViewInfo->SelTextColor = clWhite;
    } else {
      ViewInfo->SelBackgroundColor = clHighlight;
      ViewInfo->SelTextColor = clHighlightText;
    }
  } else {
    ViewInfo->SelBackgroundColor = SelBackgroundColor;
    ViewInfo->SelTextColor = SelTextColor != clDefault ? SelTextColor : InverseRGB(SelBackgroundColor);
  }
}

// ---- View info ------------------------------------------------------------------------------

void TkvCustomTextEditViewInfo::CopyFrom(TkvContainerViewInfo* Other) {
  if (auto* other = dynamic_cast<TkvCustomTextEditViewInfo*>(Other)) {
    Text = other->Text;
    SelStart = other->SelStart;
    SelLength = other->SelLength;
  }
  TkvCustomEditViewInfo::CopyFrom(Other);
}

void TkvCustomTextEditViewInfo::MoveBy(Integer DX, Integer DY) {
  TkvCustomEditViewInfo::MoveBy(DX, DY);
  OffsetRect(&TextRect, DX, DY);
  if (!TextOut.Initialized) return;
  OffsetRect(&TextOut.Rect, DX, DY);
  for (TkvTextRow& row : TextOut.Rows) {
    row.X += DX;
    row.Y += DY;
  }
}

void TkvCustomTextEditViewInfo::PaintContent(TkvCanvas* Canvas) {
  bool transparent = IsTransparent();
  DrawEditBackgroundAndButtons(Canvas, this, !SelectionBarShown, 0);
  TRect r = ClientRect;
  if (!Inplace && (!NativeStyle || SelectionBarShown) && !transparent && EditingStyle != kvEditingNoTyping) {
    Canvas->PaintFrame(r, BackgroundColor);
    r = TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  }
  if (OnDrawText) {
    OnDrawText(this, Canvas, r);
  } else {
    if (SelectionBarShown) FillRectColor(Canvas, r, clHighlight);
    if (PaintsDataCopy || !HasInnerEdit || !InnerEditShown) PaintText(Canvas);
  }
  if (!HasInnerEdit && Focused && !Inplace && !PopupOpen && !InnerEditShown) {
    TCanvas* canvas = Canvas->GetCanvas();
    canvas->GetFont()->SetColor(SelectionBarShown ? clHighlightText : clBtnText);
    Canvas->SetBrushColor(SelectionBarShown ? clHighlight : BackgroundColor);
    SetTextColor(canvas->GetHandle(), ColorToRGB(canvas->GetFont()->GetColor()));
    SetBkColor(canvas->GetHandle(), ColorToRGB(SelectionBarShown ? clHighlight : BackgroundColor));
    DrawFocusRect(canvas->GetHandle(), &r);
  }
}

void TkvCustomTextEditViewInfo::PrepareTextOut(TkvCanvas* Canvas) {
  TkvTextOutData& out = TextOut;
  out.Params = MakeTextParamsOnCanvas(Canvas->GetCanvas(), TextFlags);
  out.Rect = TextRect;
  out.Rows.clear();
  bool whole = MakeTextRowsOnCanvas(Canvas->GetCanvas(), Text.data(), static_cast<Integer>(Text.size()), out.Rect,
                                    out.Params, out.Rows, out.RowCount, std::max(MaxLineCount, 0));
  // A cut text shows its end ellipsis only where the flags ask for one on wrapped rows.
  bool cut = MaxLineCount > 0 && !whole;
  out.ForceEndEllipsis = cut && out.Params.EndEllipsis && out.Params.WordWrap && !out.Params.SingleLine;
  PlaceTextRows(Canvas->DCHandle(), out.Rect, out.Params, out.Rows, out.RowCount);
  Integer length = static_cast<Integer>(Text.size());
  out.SelStart = SelStart;
  out.SelLength = SelLength;
  if (out.SelStart < 0 || out.SelStart >= length) out.SelLength = 0;
  out.SelLength = std::clamp(out.SelLength, 0, std::max(0, length - out.SelStart));
  out.SelTextColor = SelTextColor;
  out.SelBackgroundColor = SelBackgroundColor;
  out.RowHeight = out.Params.FullRowHeight;
  out.Initialized = true;
}

void TkvCustomTextEditViewInfo::PaintText(TkvCanvas* Canvas) {
  if (Text.empty()) return;
  Canvas->AssignFont(Font);
  Canvas->GetCanvas()->GetFont()->SetColor(SelectionBarShown ? clHighlightText : TextColor);
  PrepareCanvasFont(Canvas);
  if (!TextOut.Initialized) PrepareTextOut(Canvas);
  TkvTextOutData& out = TextOut;
  SetBkMode(Canvas->DCHandle(), TRANSPARENT);
  DrawTextRowsList(Canvas->DCHandle(), out.Rect, out.Params, out.Rows, out.RowCount, out.SelStart, out.SelLength,
                   out.SelBackgroundColor, out.SelTextColor, out.ForceEndEllipsis);
}

bool TkvCustomTextEditViewInfo::TruncatedTextHint(const TPoint& Point, String& HintText, TRect& HintRect,
                                                  bool& MultiLine, const TRect& HintBounds) {
  TRect area = TextRect;
  if (!IsRectEmpty(&HintBounds)) {
    TRect moved = HintBounds;
    OffsetRect(&moved, -Bounds.Left, -Bounds.Top);
    area = TRect(std::max(moved.Left, ClientRect.Left), std::max(moved.Top, ClientRect.Top),
                 std::min(moved.Right, ClientRect.Right), std::min(moved.Bottom, ClientRect.Bottom));
  }
  TPoint p{Point.X - Bounds.Left, Point.Y - Bounds.Top};
  if (p.X < area.Left || p.X >= area.Right || p.Y < area.Top || p.Y >= area.Bottom) return false;
  bool multi = !(TextFlags & kvtfSingleLine) && (TextFlags & kvtfWordWrap);
  Cardinal flags = (TextFlags & ~kvtfVertMask) | kvtfAnswerRowCount;
  TRect layout = TextRect;
  layout.Bottom = kUnlimited;
  if (!multi) layout.Right = kUnlimited;
  TkvScreenCanvas* screen = ScreenCanvasInstance();
  screen->AssignFont(Font);
  TkvTextRows rows;
  Integer rowCount = 0;
  bool fits = !Text.empty() && LayOut(screen, Text, layout, flags, std::max(MaxLineCount, 0), rows, rowCount);
  if (fits) {
    TkvTextParams params = MakeTextParamsOnCanvas(screen->GetCanvas(), flags);
    PlaceTextRows(screen->DCHandle(), layout, params, rows, rowCount);
    Integer line = LineHeight(screen);
    for (Integer i = 0; i < rowCount && fits; ++i) {
      const TkvTextRow& row = rows[i];
      String rowText(row.Text, static_cast<size_t>(row.Length));
      while (!rowText.empty() && rowText.back() == ' ') rowText.pop_back();
      Integer width = rowText.empty() ? 0 : screen->TextWidthOf(rowText);
      Integer height = rowText.empty() ? line : row.Height;
      if (width > TextRect.Width() || row.X + width > area.Right || row.Y + height > area.Bottom) fits = false;
    }
  }
  if (Text.empty() || fits) return false;
  HintText = Text;
  HintRect = TextRect;
  OffsetRect(&HintRect, Bounds.Left, Bounds.Top);
  MultiLine = multi;
  return true;
}
