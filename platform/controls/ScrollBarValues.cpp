// The values of a scroll bar and the rules that keep them consistent.

#include <algorithm>

#include "controls/ScrollBarState.h"

int ScrollBarValues::MaxPos() const {
  // 64 bits: a range from INT_MIN to INT_MAX does not fit in an int.
  int64_t top = static_cast<int64_t>(max) - std::max(page - 1, 0);
  return static_cast<int>(std::max<int64_t>(top, min));
}

bool ScrollBarValues::CanScroll() const {
  return min < max && static_cast<int64_t>(page) <= static_cast<int64_t>(max) - min;
}

int ScrollBarValues::Apply(const SCROLLINFO& info) {
  if (info.fMask & SIF_RANGE) {
    min = info.nMin;
    max = std::max(info.nMax, info.nMin);
  }
  if (info.fMask & SIF_PAGE) page = static_cast<int>(std::min<UINT>(info.nPage, 0x7FFFFFFF));
  int64_t span = static_cast<int64_t>(max) - min + 1;
  if (page > span) page = static_cast<int>(std::min<int64_t>(span, 0x7FFFFFFF));
  if (info.fMask & SIF_POS) pos = info.nPos;
  pos = std::clamp(pos, min, MaxPos());
  if (!tracking) trackPos = pos;
  return pos;
}

void ScrollBarValues::Fill(SCROLLINFO& info) const {
  if (info.fMask & SIF_RANGE) {
    info.nMin = min;
    info.nMax = max;
  }
  if (info.fMask & SIF_PAGE) info.nPage = static_cast<UINT>(page);
  if (info.fMask & SIF_POS) info.nPos = pos;
  if (info.fMask & SIF_TRACKPOS) info.nTrackPos = tracking ? trackPos : pos;
}
