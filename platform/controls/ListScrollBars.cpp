#include "controls/ListScrollBars.h"

#include <algorithm>

#include "controls/ScrollBars.h"
#include "user/User.h"

void SetListScrollBar(HWND window, ListBar bar, int count, int page, int position, bool keepShown) {
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | (keepShown ? SIF_DISABLENOSCROLL : 0);
  info.nMin = 0;
  info.nMax = std::max(count - 1, 0);
  info.nPage = static_cast<UINT>(std::max(page, 0));
  info.nPos = position;
  SetScrollInfo(window, bar == ListBar::Vertical ? SB_VERT : SB_HORZ, &info, TRUE);
}

int ScrollRequestPosition(HWND window, ListBar bar, WPARAM request, int position, int line, int page, int count) {
  int wanted = position;
  switch (LOWORD(request)) {
    case SB_LINEUP: wanted -= line; break;
    case SB_LINEDOWN: wanted += line; break;
    case SB_PAGEUP: wanted -= std::max(page, 1); break;
    case SB_PAGEDOWN: wanted += std::max(page, 1); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      // The message carries 16 bits; past them only the bar knows the whole position.
      wanted = HIWORD(request);
      SCROLLINFO info;
      info.fMask = SIF_TRACKPOS;
      if (count > 0xFFFF && GetScrollInfo(window, bar == ListBar::Vertical ? SB_VERT : SB_HORZ, &info)) wanted = info.nTrackPos;
      break;
    }
    case SB_TOP: wanted = 0; break;
    case SB_BOTTOM: wanted = count; break;
    default: break;
  }
  return std::clamp(wanted, 0, std::max(count - page, 0));
}
