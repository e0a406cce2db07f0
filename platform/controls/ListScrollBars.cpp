#include "controls/ListScrollBars.h"

#include <algorithm>

#include "user/User.h"

namespace {

// The request codes of WM_VSCROLL / WM_HSCROLL.
constexpr WORD kLineUp = 0, kLineDown = 1, kPageUp = 2, kPageDown = 3, kThumbPosition = 4,
               kThumbTrack = 5, kTop = 6, kBottom = 7;

}  // namespace

void SetListScrollBar(HWND window, ListBar bar, int count, int page, int position) {
  (void)position;
  const DWORD flag = bar == ListBar::Vertical ? WS_VSCROLL : WS_HSCROLL;
  const DWORD style = static_cast<DWORD>(GetWindowLong(window, GWL_STYLE));
  const bool wanted = count > page && page >= 0;
  if (((style & flag) != 0) == wanted) return;
  SetWindowLong(window, GWL_STYLE, static_cast<LONG>(wanted ? style | flag : style & ~flag));
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

int ScrollRequestPosition(WPARAM request, int position, int line, int page, int count) {
  int wanted = position;
  switch (LOWORD(request)) {
    case kLineUp: wanted -= line; break;
    case kLineDown: wanted += line; break;
    case kPageUp: wanted -= std::max(page, 1); break;
    case kPageDown: wanted += std::max(page, 1); break;
    case kThumbPosition:
    case kThumbTrack: wanted = HIWORD(request); break;
    case kTop: wanted = 0; break;
    case kBottom: wanted = count; break;
    default: break;
  }
  return std::clamp(wanted, 0, std::max(count - page, 0));
}
