// The scroll-bar model, the window-bar driver and the drawn vertical bar.

#include <algorithm>
#include <memory>

#include "controls/ScrollBars.h"
#include "gdi/Gdi.h"
#include "rtl/Math.h"
#include "toolkit/inspector/JyScrollControl.h"
#include "toolkit/inspector/JyThemesSupport.h"
#include "user/Rects.h"
#include "user/User.h"

TAVREN_CLASS_IMPL(TJyCustomScrollBar)
TAVREN_CLASS_IMPL(TJyScrollBar)
TAVREN_CLASS_IMPL(TJyVertScrollBar)

// ---- The model ----------------------------------------------------------------------------------

TJyCustomScrollBar::TJyCustomScrollBar(TJyCustomScrollControl* Owner, TCanvas* Canvas)
    : FCanvas(Canvas), FOwner(Owner) {}

void TJyCustomScrollBar::SetKind(Integer K) {
  FKind = K;
  FBar = K == 0 ? SB_HORZ : SB_VERT;
}

void TJyCustomScrollBar::SetMax(Integer V) {
  FMax = std::max(V, 0);
  if (FMax == 0) FPosition = 0;
  SetVisible(FMax > 0 || !FAutoHide);
  Update();
}

void TJyCustomScrollBar::SetPageSize(Integer V) {
  if (V == FPageSize) return;
  FPageSize = std::max(V, 8);
  Update();
}

void TJyCustomScrollBar::SetPosition(Integer V) {
  FOldPosition = FPosition;
  FPosition = std::max(std::clamp(V, FMin, std::max(FMin, FMax)), 0);
  Update();
  if (FMax == 0 || FUpdateCount > 0 || FManualScroll) return;
  if (FKind == 1)
    FOwner->ScrollContent(this, 0, FOwner->GetVertScrollDelta(FOldPosition, FPosition));
  else
    FOwner->ScrollContent(this, FOwner->GetHorzScrollDelta(FOldPosition, FPosition), 0);
}

void TJyCustomScrollBar::SendScroll(WPARAM Code) {
  if (FMax < 1) return;
  SendMessage(FOwner->GetHandle(), FKind == 1 ? WM_VSCROLL : WM_HSCROLL, Code, 0);
}

void TJyCustomScrollBar::LineDown() { SendScroll(SB_LINEDOWN); }
void TJyCustomScrollBar::LineUp() { SendScroll(SB_LINEUP); }
void TJyCustomScrollBar::PageDown() { SendScroll(SB_PAGEDOWN); }
void TJyCustomScrollBar::PageUp() { SendScroll(SB_PAGEUP); }

// ---- The window's bar ---------------------------------------------------------------------------

void TJyScrollBar::SetVisible(bool V) {
  inherited::SetVisible(V);
  if (FOwner->HandleAllocated()) ShowScrollBar(FOwner->GetHandle(), FBar, V);
}

void TJyScrollBar::Update() {
  if (!FOwner->HandleAllocated() || FBar < 0) return;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  if (!FAutoHide) info.fMask |= SIF_DISABLENOSCROLL;
  info.nMin = FMin;
  info.nMax = FMax;
  info.nPage = static_cast<UINT>(std::max(FPageSize, 0));
  info.nPos = FPosition;
  SetScrollInfo(FOwner->GetHandle(), FBar, &info, TRUE);
}

// ---- The drawn vertical bar ---------------------------------------------------------------------

TJyVertScrollBar::TJyVertScrollBar(TJyCustomScrollControl* Owner, TCanvas* Canvas)
    : TJyCustomScrollBar(Owner, Canvas) {
  FPageSize = 8;
}

void TJyVertScrollBar::Update() {
  if (FOwner->HandleAllocated()) FOwner->Invalidate();
}

Integer TJyVertScrollBar::ButtonSize() { return GetSystemMetrics(SM_CXVSCROLL); }

TRect TJyVertScrollBar::GetBarRect() { return Rect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }

TRect TJyVertScrollBar::GetLocalRect() { return Rect(0, 0, FWidth, FHeight); }

void TJyVertScrollBar::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
}

TRect TJyVertScrollBar::UpArrowRect() {
  const TRect r = GetBarRect();
  return Rect(r.Left, r.Top, r.Right, r.Top + ButtonSize());
}

TRect TJyVertScrollBar::DownArrowRect() {
  const TRect r = GetBarRect();
  return Rect(r.Left, r.Bottom - ButtonSize(), r.Right, r.Bottom);
}

TRect TJyVertScrollBar::ThumbRect() {
  if (FMax <= 0) return TRect{};
  const TRect r = GetBarRect();
  const Integer top =
      ButtonSize() + 2 + static_cast<Integer>(Round(double(FPosition) * (TrackLength() - FPageSize) / FMax));
  return Rect(r.Left, top, r.Right, top + FPageSize);
}

TRect TJyVertScrollBar::PageUpRect() {
  const TRect r = GetBarRect(), up = UpArrowRect(), thumb = ThumbRect();
  return Rect(r.Left, up.Bottom, r.Right, thumb.Top);
}

TRect TJyVertScrollBar::PageDownRect() {
  const TRect r = GetBarRect(), down = DownArrowRect(), thumb = ThumbRect();
  return Rect(r.Left, thumb.Bottom, r.Right, down.Top);
}

void TJyVertScrollBar::SetState(Integer& State, Integer Bit, bool On, const TRect& Part) {
  const Integer next = On ? (State | Bit) : (State & ~Bit);
  if (next == State) return;
  State = next;
  if (FOwner->HandleAllocated()) InvalidateRect(FOwner->GetHandle(), &Part, FALSE);
}

void TJyVertScrollBar::MouseMove(TShiftState, Integer X, Integer Y) {
  const TPoint p{X, Y};
  const TRect up = UpArrowRect(), down = DownArrowRect(), thumb = ThumbRect();
  SetState(FUpState, kPartHot, PtInRect(&up, p), up);
  SetState(FDownState, kPartHot, PtInRect(&down, p), down);
  SetState(FThumbState, kPartHot, PtInRect(&thumb, p), thumb);
  if (!(FThumbState & kPartPressed) || FMax <= 0) return;
  // A bar no taller than its two arrows has no track to drag along.
  const double step = double(TrackLength()) / FMax;
  if (step <= 0) return;
  SetPosition(static_cast<Integer>(Round((Y - ButtonSize() - 2) / step)));
}

void TJyVertScrollBar::Paint() {
  const TRect r = GetBarRect();
  const Integer b = ButtonSize();
  if (FMax < 1) {
    DrawTrack(r, false);
  } else {
    const TRect thumb = ThumbRect();
    DrawTrack(Rect(r.Left, r.Top + b, r.Right, thumb.Top), false);
    DrawThumb();
    DrawTrack(Rect(r.Left, thumb.Bottom, r.Right, r.Bottom - b), false);
  }
  DrawArrow(UpArrowRect(), 0);
  DrawArrow(DownArrowRect(), 1);
}

namespace {

Integer PartState(Integer State, bool Enabled) {
  if (!Enabled) return 4;
  if (State & kPartPressed) return 3;
  if (State & kPartHot) return 2;
  return 1;
}

}  // namespace

void TJyVertScrollBar::DrawTrack(const TRect& Rect, bool Dark) {
  if (Rect.Height() <= 0) return;
  if (IsThemed()) {
    DrawThemed(FOwner->GetHandle(), FCanvas->GetHandle(), Rect, u"scrollbar", 6, 1);
    return;
  }
  if (Dark) {
    FCanvas->GetBrush()->SetColor(cl3DDkShadow);
  } else {
    if (!FTrackPattern) {
      // Every other pixel light, as the system draws scroll-bar tracks.
      FTrackPattern = std::make_unique<TBitmap>();
      FTrackPattern->SetPixelFormat(pf24bit);
      FTrackPattern->SetSize(8, 8);
      for (Integer y = 0; y < 8; ++y)
        for (Integer x = 0; x < 8; ++x)
          FTrackPattern->GetCanvas()->SetPixel(x, y, ((x + y) & 1) ? clScrollBar : clBtnHighlight);
    }
    FCanvas->GetBrush()->SetBitmap(FTrackPattern.get());
  }
  FCanvas->FillRect(Rect);
  FCanvas->GetBrush()->SetBitmap(nullptr);
}

void TJyVertScrollBar::DrawArrow(const TRect& Rect, Integer Which) {
  const Integer state = Which == 0 ? FUpState : FDownState;
  if (IsThemed()) {
    DrawThemed(FOwner->GetHandle(), FCanvas->GetHandle(), Rect, u"scrollbar", 1,
               PartState(state, true) + (Which == 0 ? 0 : 4));
    return;
  }
  UINT flags = (Which == 0 ? DFCS_SCROLLUP : DFCS_SCROLLDOWN) | DFCS_ADJUSTRECT;
  if (state & kPartPressed) flags |= DFCS_FLAT;
  if (!FEnabled) flags |= DFCS_INACTIVE;
  TRect r = Rect;
  DrawFrameControl(FCanvas->GetHandle(), &r, DFC_SCROLL, flags);
}

void TJyVertScrollBar::DrawThumb() {
  TRect r = ThumbRect();
  if (IsThemed()) {
    DrawThemed(FOwner->GetHandle(), FCanvas->GetHandle(), r, u"scrollbar", 3, PartState(FThumbState, true));
    if (r.Height() > 16) DrawThemed(FOwner->GetHandle(), FCanvas->GetHandle(), r, u"scrollbar", 9, 2);
    return;
  }
  FCanvas->GetBrush()->SetColor(clBtnFace);
  FCanvas->FillRect(r);
  DrawEdge(FCanvas->GetHandle(), &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
}
