// Drawing a skinned frame: the caption slice composed off-screen with its buttons, icon and text,
// then the borders, each through its element cache.

#include "gdi/Gdi.h"
#include "toolkit/skins/qzSkinsForm.h"
#include "user/User.h"

TAVREN_CLASS_IMPL(TqzSkinFormPainter)

namespace {

bool IsEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

// An element that is one opaque colour: filled directly, neither drawn nor cached.
bool IsFlatColor(TqzSkinElement* Element) {
  if (!Element->IsColorAssigned() || Element->GetAlpha() != 255 || !Element->GetImage()->Empty() ||
      !Element->GetGlyph()->Empty())
    return false;
  for (Integer side = 0; side < 4; ++side)
    if (Element->GetBorders()->Items(side)->GetColor() != clNone) return false;
  return true;
}

// "No colour" for the caption text's shadow.
constexpr TColor kNoShadow = static_cast<TColor>(0x20000000);

}  // namespace

TqzSkinFormPainter::~TqzSkinFormPainter() = default;

void TqzSkinFormPainter::PaintFrame(HWND Window, HDC DC) {
  if (!FInfo->PainterInfo()) return;
  const bool own = DC == nullptr;
  if (own) DC = GetWindowDC(Window);
  if (!DC) return;
  PaintCaption(DC);
  PaintBorders(DC);
  if (!(GetWindowLong(Window, GWL_STYLE) & WS_MINIMIZE)) PaintScrollBars(Window, DC);
  if (own) ReleaseDC(Window, DC);
}

void TqzSkinFormPainter::PaintCaption(HDC DC) {
  const TRect slice = FInfo->Border(1);
  if (IsEmpty(slice)) return;
  TqzSkinLookAndFeelPainterInfo* skin = FInfo->PainterInfo();
  const Integer index = FInfo->FrameIndex();
  const TqzSkinElementState state = FInfo->Active() ? esActive : esActiveDisabled;
  // Made a little wider than needed, so that sizing the window does not make it again each step.
  if (!FCaptionBitmap || FCaptionBitmap->GetWidth() < slice.Width() || FCaptionBitmap->GetHeight() != slice.Height())
    FCaptionBitmap = std::make_unique<TkvBitmap>((slice.Width() + 127) / 128 * 128, slice.Height());
  TkvBitmap& bitmap = *FCaptionBitmap;
  HDC off = bitmap.GetCanvas()->GetHandle();
  const TRect local = Rect(0, 0, slice.Width(), slice.Height());
  if (TqzSkinElement* caption = skin->FormFrame(index, 1)) {
    FCaptionCache.CheckCacheState(caption, local, state, 0);
    FCaptionCache.Draw(off, local);
  }
  for (Integer b = fbHelp; b < kqzSkinFormButtonCount; ++b) {
    if (!FInfo->Buttons().Contains(static_cast<TqzSkinFormButton>(b))) continue;
    TqzSkinElement* element = skin->FormButton(index, b);
    if (!element) element = skin->FormButton(1, b);
    const TRect r = FInfo->ButtonRect(b);
    if (!element || IsEmpty(r)) continue;
    FButtonCaches[b].CheckCacheState(element, Rect(0, 0, r.Width(), r.Height()), FInfo->ButtonState(b), 0);
    FButtonCaches[b].Draw(off, Rect(r.Left - slice.Left, r.Top - slice.Top, r.Right - slice.Left,
                                    r.Bottom - slice.Top));
  }
  const TRect icon = FInfo->ButtonRect(fbIcon);
  if (FInfo->Icon() && !IsEmpty(icon))
    DrawIconEx(off, icon.Left - slice.Left, icon.Top - slice.Top, FInfo->Icon(), icon.Width(), icon.Height(), 0,
               nullptr, DI_NORMAL);
  if (!FInfo->Caption().empty()) {
    TkvCanvas* canvas = bitmap.GetkvCanvas();
    canvas->AssignFont(FInfo->CaptionFont());
    canvas->CurrentBrush()->SetStyle(bsClear);
    const TRect text = FInfo->CaptionTextRect();
    TRect r = Rect(text.Left - slice.Left, text.Top - slice.Top, text.Right - slice.Left, text.Bottom - slice.Top);
    constexpr Integer flags = ktfSingleLine | ktfAlignVCenter | ktfAlignLeft | ktfEndEllipsis;
    if (FInfo->Active() && !FInfo->IsToolWindow() && FInfo->ShadowColor() != kNoShadow) {
      canvas->CurrentFont()->SetColor(FInfo->ShadowColor());
      canvas->PaintText(FInfo->Caption(), r, flags);
      r = Rect(r.Left - 1, r.Top - 1, r.Right - 1, r.Bottom - 1);
    }
    canvas->CurrentFont()->SetColor(FInfo->TextColor());
    canvas->PaintText(FInfo->Caption(), r, flags);
    canvas->CurrentBrush()->SetStyle(bsSolid);
  }
  BitBlt(DC, slice.Left, slice.Top, slice.Width(), slice.Height(), off, 0, 0, SRCCOPY);
}

void TqzSkinFormPainter::PaintBorders(HDC DC) {
  TqzSkinLookAndFeelPainterInfo* skin = FInfo->PainterInfo();
  const Integer index = FInfo->FrameIndex();
  const TqzSkinElementState state = FInfo->Active() ? esActive : esActiveDisabled;
  for (Integer side : {0, 2, 3}) {
    const TRect r = FInfo->Border(side);
    TqzSkinElement* element = skin->FormFrame(index, side);
    if (!element || IsEmpty(r) || !RectVisible(DC, &r)) continue;
    FBorderCaches[side].CheckCacheState(element, Rect(0, 0, r.Width(), r.Height()), state, 0);
    FBorderCaches[side].Draw(DC, r);
  }
}

void TqzSkinFormPainter::PaintBackground(HDC DC, const TRect& R) {
  TqzSkinLookAndFeelPainterInfo* skin = FInfo->PainterInfo();
  TqzSkinElement* content = skin ? skin->Element(seFormFormContent) : nullptr;
  if (!content) return;
  if (IsFlatColor(content)) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(content->GetColor()));
    ::FillRect(DC, &R, brush);
    DeleteObject(brush);
    return;
  }
  FBackgroundCache.CheckCacheState(content, Rect(0, 0, R.Width(), R.Height()), esNormal, 0);
  FBackgroundCache.Draw(DC, R);
}

void TqzSkinFormPainter::PaintScrollBars(HWND Window, HDC DC) {
  TqzSkinLookAndFeelPainterInfo* skin = FInfo->PainterInfo();
  TqzSkinElement* content = skin->Element(seFormFormContent);
  TqzSkinLookAndFeelPainter* painter = nullptr;
  if (TqzSkinWinController* controller = SkinWinControllerOf(Window)) painter = controller->ActivePainter();
  if (!painter) return;
  TCanvas canvas;
  canvas.SetHandle(DC);
  TkvCanvas kv(&canvas);
  for (Integer bar = 0; bar < 2; ++bar) {
    const TRect r = FInfo->ScrollBarRect(bar);
    if (IsEmpty(r)) continue;
    if (content) content->Draw(DC, r, 0, esNormal);
    const TkvButtonState state = FInfo->ScrollBarEnabled(bar) ? kvbsNormal : kvbsDisabled;
    for (Integer part = sbpLineUp; part <= sbpPageDown; ++part) {
      const TRect p = FInfo->ScrollPartRect(bar, part);
      if (!IsEmpty(p)) painter->PaintScrollBarPart(&kv, bar == 0, p, static_cast<TkvScrollBarPart>(part), state);
    }
  }
  const TRect box = FInfo->SizeBoxRect();
  if (!IsEmpty(box)) {
    if (content) content->Draw(DC, box, 0, esNormal);
    painter->PaintSizeGrip(&kv, box, content ? content->GetColor() : clBtnFace);
  }
  canvas.SetHandle(nullptr);
}
