// TScrollBar: the SCROLLBAR window class; it moves its own position on the codes it reports.

#include <algorithm>

#include "controls/ScrollBars.h"
#include "rtl/SysUtils.h"
#include "vcl/StdCtrls.h"

TAVREN_MESSAGE_TABLE(TScrollBar,
    MESSAGE_HANDLER(CN_HSCROLL, CNHScroll),
    MESSAGE_HANDLER(CN_VSCROLL, CNVScroll))

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
  SetTabStop(true);
  FControlStyle = TControlStyle{csFramed, csDoubleClicks, csOpaque};
}

void TScrollBar::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, "SCROLLBAR");
  Params.Style |= FKind == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::CreateWnd() {
  inherited::CreateWnd();
  UpdateWindow();
}

void TScrollBar::UpdateWindow() {
  if (!HandleAllocated()) return;
  SCROLLINFO info;
  info.fMask = SIF_ALL & ~SIF_TRACKPOS;
  info.nMin = FMin;
  info.nMax = FMax;
  info.nPage = static_cast<UINT>(FPageSize);
  info.nPos = FPosition;
  SetScrollInfo(FHandle, SB_CTL, &info, TRUE);
}

void TScrollBar::SetKind(TScrollBarKind Value) {
  if (FKind == Value) return;
  FKind = Value;
  SetBounds(FLeft, FTop, FHeight, FWidth);
  RecreateWnd();
}

void TScrollBar::SetParams(Integer APosition, Integer AMin, Integer AMax) {
  if (AMax < AMin || AMax < FPageSize) throw EInvalidOperation("Scroll bar property out of range");
  // With a page, the last position shows the page's end at Max.
  Integer last = FPageSize > 0 ? std::max(AMin, AMax - FPageSize + 1) : AMax;
  APosition = std::clamp(APosition, AMin, last);
  bool changed = APosition != FPosition;
  FMin = AMin;
  FMax = AMax;
  FPosition = APosition;
  UpdateWindow();
  if (changed && !GetComponentState().Contains(csLoading)) Change();
}

void TScrollBar::SetPageSize(Integer Value) {
  if (Value < 0 || Value > static_cast<Int64>(FMax) - FMin + 1) throw EInvalidOperation("Scroll bar property out of range");
  FPageSize = Value;
  SetParams(FPosition, FMin, FMax);
}

void TScrollBar::DoScroll(TMessage& Message) {
  static constexpr TScrollCode kCodes[] = {scLineUp, scLineDown, scPageUp,  scPageDown, scPosition,
                                           scTrack,  scTop,      scBottom,  scEndScroll};
  WORD code = LOWORD(Message.WParam);
  if (code > SB_ENDSCROLL) return;
  TScrollCode scrollCode = kCodes[code];
  // In 64 bits: a step past either end of a full-range bar must not overflow.
  Int64 position = FPosition;
  switch (scrollCode) {
    case scLineUp: position -= FSmallChange; break;
    case scLineDown: position += FSmallChange; break;
    case scPageUp: position -= FLargeChange; break;
    case scPageDown: position += FLargeChange; break;
    case scPosition:
    case scTrack: {
      // The bar keeps the 32-bit thumb position; the message's word would cut it.
      SCROLLINFO info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(FHandle, SB_CTL, &info);
      position = info.nTrackPos;
      break;
    }
    case scTop: position = FMin; break;
    case scBottom: position = FMax; break;
    case scEndScroll: break;
  }
  Integer last = FPageSize > 0 ? std::max(FMin, FMax - FPageSize + 1) : FMax;
  Integer scrollPos = static_cast<Integer>(std::clamp<Int64>(position, FMin, last));
  Scroll(scrollCode, scrollPos);
  SetPosition(std::clamp(scrollPos, FMin, last));
}

void TScrollBar::CNHScroll(TMessage& Message) { DoScroll(Message); }
void TScrollBar::CNVScroll(TMessage& Message) { DoScroll(Message); }
