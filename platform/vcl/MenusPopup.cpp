// The popup menu window and its loop. Each open level (the menu, then each open sub-menu) is a
// top-level popup window that never takes activation; the first level holds the mouse capture.
// The loop reads the thread's messages itself: keys drive the deepest level, mouse messages go
// to the level under the pointer, a click outside dismisses the menu, and everything else is
// dispatched as usual (painting, timers, other windows).

#include <algorithm>
#include <memory>

#include "gdi/SysMetrics.h"
#include "user/User.h"
#include "vcl/Menus.h"

namespace {

constexpr char kMenuClass[] = "#32768";
constexpr Integer kFrame = 3;
constexpr UINT_PTR kHoverTimer = 1;

struct MenuLevel {
  TMenuItem* parent = nullptr;
  std::vector<TMenuItem*> items;  // the visible ones
  std::vector<TRect> rects;       // client coordinates
  HWND window = nullptr;
  Integer selected = -1;
};

bool HasVisibleItems(const TMenuItem* item) {
  for (Integer i = 0; i < item->GetCount(); ++i)
    if (item->GetItem(i)->GetVisible()) return true;
  return false;
}

TOwnerDrawState StateOf(const TMenuItem* item, bool selected) {
  TOwnerDrawState state;
  if (selected) state.Include(odSelected);
  if (!item->GetEnabled()) state += TOwnerDrawState{odDisabled, odGrayed};
  if (item->GetChecked()) state.Include(odChecked);
  if (item->GetDefault()) state.Include(odDefault);
  return state;
}

class MenuTracker {
 public:
  MenuTracker();
  ~MenuTracker();
  TMenuItem* Run(TMenuItem* root, TPoint where, TPopupAlignment alignment);
  void Paint(HWND window, HDC dc);
  void Cancel() { FDone = true; }

 private:
  MenuLevel* LevelOf(HWND window);
  // The level's place in the stack; FLevels.size() when the window is no level of this menu.
  size_t IndexOfLevel(HWND window) const;
  bool OpenLevel(TMenuItem* parent, TPoint where, TPopupAlignment alignment, const RECT* beside);
  void CloseFrom(size_t level);
  void Select(size_t level, Integer index);
  void OpenSelected(size_t level, bool selectFirst);
  void Choose(TMenuItem* item);
  void Step(int direction);
  void KeyDown(WPARAM key);
  void Character(Char ch);
  void Mouse(const MSG& msg);
  // The level and item under a screen point; false when the point is on no level.
  bool HitTest(POINT screen, size_t& level, Integer& index);

  std::vector<std::unique_ptr<MenuLevel>> FLevels;
  TFont FFont;
  bool FDone = false;
  TMenuItem* FChosen = nullptr;
  bool FPressedInMenu = false;
  bool FHovered = false;
  UINT FHoverDelay = 400;
};

MenuTracker* gTracker = nullptr;

LRESULT MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      if (gTracker) gTracker->Paint(window, dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_CANCELMODE:
      if (gTracker) gTracker->Cancel();
      return 0;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

MenuTracker::MenuTracker() {
  NONCLIENTMETRICS metrics;
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    FFont.SetHandle(CreateFontIndirect(&metrics.lfMenuFont));
  FFont.SetColor(clMenuText);
  SystemParametersInfo(SPI_GETMENUSHOWDELAY, 0, &FHoverDelay, 0);
}

MenuTracker::~MenuTracker() { CloseFrom(0); }

size_t MenuTracker::IndexOfLevel(HWND window) const {
  for (size_t i = 0; i < FLevels.size(); ++i)
    if (FLevels[i]->window == window) return i;
  return FLevels.size();
}

MenuLevel* MenuTracker::LevelOf(HWND window) {
  const size_t i = IndexOfLevel(window);
  return i < FLevels.size() ? FLevels[i].get() : nullptr;
}

bool MenuTracker::OpenLevel(TMenuItem* parent, TPoint where, TPopupAlignment alignment, const RECT* beside) {
  auto level = std::make_unique<MenuLevel>();
  level->parent = parent;
  TBitmap scratch;
  TCanvas* canvas = scratch.GetCanvas();
  canvas->GetFont()->Assign(&FFont);
  Integer width = 0, height = 0;
  for (Integer i = 0; i < parent->GetCount(); ++i) {
    TMenuItem* item = parent->GetItem(i);
    if (!item->GetVisible()) continue;
    Integer w = 0, h = 0;
    item->MeasureItem(canvas, w, h);
    level->items.push_back(item);
    level->rects.push_back(Rect(kFrame, kFrame + height, 0, kFrame + height + h));
    width = std::max(width, w);
    height += h;
  }
  if (level->items.empty()) return false;
  width += 2 * kFrame;
  height += 2 * kFrame;
  for (TRect& r : level->rects) r.Right = width - kFrame;

  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  Integer x = where.X, y = where.Y;
  if (beside) {
    // Beside the parent item, overlapping the parent's frame; to its left when the right is full.
    x = beside->Right - kFrame;
    if (x + width > work.Right) x = beside->Left - width + kFrame;
    y = where.Y - kFrame;
  } else if (alignment == paRight) {
    x -= width;
  } else if (alignment == paCenter) {
    x -= width / 2;
  }
  if (!beside && x + width > work.Right) x -= width;
  if (y + height > work.Bottom) y = beside ? work.Bottom - height : y - height;
  x = std::max<Integer>(x, work.Left);
  y = std::max<Integer>(y, work.Top);

  level->window = CreateWindowEx(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kMenuClass, "", WS_POPUP, x, y,
                                 width, height, nullptr, nullptr, nullptr, nullptr);
  if (!level->window) return false;
  HWND window = level->window;
  FLevels.push_back(std::move(level));
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  return true;
}

void MenuTracker::CloseFrom(size_t level) {
  while (FLevels.size() > level) {
    HWND window = FLevels.back()->window;
    FLevels.pop_back();
    KillTimer(window, kHoverTimer);
    DestroyWindow(window);
  }
}

void MenuTracker::Paint(HWND window, HDC dc) {
  MenuLevel* level = LevelOf(window);
  if (!level) return;
  RECT client;
  GetClientRect(window, &client);
  TCanvas canvas;
  canvas.SetHandle(dc);
  canvas.GetFont()->Assign(&FFont);
  canvas.GetBrush()->SetColor(clMenu);
  canvas.FillRect(client);
  DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
  for (size_t i = 0; i < level->items.size(); ++i) {
    TMenuItem* item = level->items[i];
    const bool selected = static_cast<Integer>(i) == level->selected && !item->IsLine();
    SaveDC(dc);
    IntersectClipRect(dc, level->rects[i].Left, level->rects[i].Top, level->rects[i].Right, level->rects[i].Bottom);
    item->AdvancedDrawItem(&canvas, level->rects[i], StateOf(item, selected));
    canvas.Refresh();
    RestoreDC(dc, -1);
  }
  canvas.SetHandle(nullptr);
}

void MenuTracker::Select(size_t level, Integer index) {
  MenuLevel& l = *FLevels[level];
  if (l.selected == index) return;
  l.selected = index;
  InvalidateRect(l.window, nullptr, FALSE);
  UpdateWindow(l.window);
}

void MenuTracker::OpenSelected(size_t level, bool selectFirst) {
  MenuLevel& l = *FLevels[level];
  if (l.selected < 0) return;
  TMenuItem* item = l.items[static_cast<size_t>(l.selected)];
  if (!HasVisibleItems(item)) return;
  if (FLevels.size() > level + 1) {
    if (FLevels[level + 1]->parent == item) {
      if (selectFirst && FLevels[level + 1]->selected < 0) {
        CloseFrom(level + 2);
        Step(1);
      }
      return;
    }
    CloseFrom(level + 1);
  }
  RECT parentRect;
  GetWindowRect(l.window, &parentRect);
  const TRect& itemRect = l.rects[static_cast<size_t>(l.selected)];
  if (OpenLevel(item, Point(parentRect.Right, parentRect.Top + itemRect.Top), paLeft, &parentRect) && selectFirst)
    Step(1);
}

void MenuTracker::Choose(TMenuItem* item) {
  if (!item->GetEnabled() || item->IsLine() || HasVisibleItems(item)) return;
  FChosen = item;
  FDone = true;
}

// Moves the deepest level's selection to the next item that is not a separator, wrapping.
void MenuTracker::Step(int direction) {
  MenuLevel& l = *FLevels.back();
  const Integer count = static_cast<Integer>(l.items.size());
  Integer index = l.selected < 0 ? (direction > 0 ? -1 : count) : l.selected;
  for (Integer tries = 0; tries < count; ++tries) {
    index = (index + direction + count) % count;
    if (!l.items[static_cast<size_t>(index)]->IsLine()) {
      Select(FLevels.size() - 1, index);
      return;
    }
  }
}

void MenuTracker::KeyDown(WPARAM key) {
  const size_t deepest = FLevels.size() - 1;
  MenuLevel& l = *FLevels.back();
  switch (key) {
    case VK_DOWN: Step(1); break;
    case VK_UP: Step(-1); break;
    case VK_RIGHT: OpenSelected(deepest, true); break;
    case VK_LEFT:
      if (deepest > 0) CloseFrom(deepest);
      break;
    case VK_ESCAPE:
      if (deepest > 0)
        CloseFrom(deepest);
      else
        FDone = true;
      break;
    case VK_RETURN:
      if (l.selected >= 0) {
        TMenuItem* item = l.items[static_cast<size_t>(l.selected)];
        if (HasVisibleItems(item))
          OpenSelected(deepest, true);
        else
          Choose(item);
      }
      break;
    case VK_MENU:
    case VK_F10: FDone = true; break;
    default: break;
  }
}

void MenuTracker::Character(Char ch) {
  const size_t deepest = FLevels.size() - 1;
  MenuLevel& l = *FLevels.back();
  const Char wanted = static_cast<Char>(std::toupper(static_cast<unsigned char>(ch)));
  std::vector<Integer> matches;
  for (size_t i = 0; i < l.items.size(); ++i)
    if (GetHotkey(l.items[i]->GetCaption()) == wanted) matches.push_back(static_cast<Integer>(i));
  if (matches.empty()) return;
  if (matches.size() > 1) {
    // Several items share the mnemonic: each press moves to the next of them.
    auto next = std::upper_bound(matches.begin(), matches.end(), l.selected);
    Select(deepest, next == matches.end() ? matches.front() : *next);
    return;
  }
  Select(deepest, matches.front());
  TMenuItem* item = l.items[static_cast<size_t>(matches.front())];
  if (HasVisibleItems(item))
    OpenSelected(deepest, true);
  else
    Choose(item);
}

bool MenuTracker::HitTest(POINT screen, size_t& level, Integer& index) {
  for (size_t i = FLevels.size(); i-- > 0;) {
    RECT r;
    GetWindowRect(FLevels[i]->window, &r);
    if (screen.X < r.Left || screen.X >= r.Right || screen.Y < r.Top || screen.Y >= r.Bottom) continue;
    level = i;
    index = -1;
    const POINT local{screen.X - r.Left, screen.Y - r.Top};
    for (size_t k = 0; k < FLevels[i]->rects.size(); ++k) {
      const TRect& item = FLevels[i]->rects[k];
      if (local.X >= item.Left && local.X < item.Right && local.Y >= item.Top && local.Y < item.Bottom)
        index = static_cast<Integer>(k);
    }
    return true;
  }
  return false;
}

void MenuTracker::Mouse(const MSG& msg) {
  size_t level = 0;
  Integer index = -1;
  const bool inside = HitTest(msg.pt, level, index);
  TMenuItem* item = inside && index >= 0 ? FLevels[level]->items[static_cast<size_t>(index)] : nullptr;
  switch (msg.message) {
    case WM_MOUSEMOVE:
      if (!item || item->IsLine()) {
        // Off the items: the deepest level lets go of its selection unless it opened a sub-menu.
        if (FLevels.size() == 1 || (inside && level + 1 == FLevels.size())) Select(FLevels.size() - 1, -1);
        return;
      }
      FHovered = true;
      if (FLevels[level]->selected == index) return;
      if (FLevels.size() > level + 1) CloseFrom(level + 1);
      Select(level, index);
      if (HasVisibleItems(item)) SetTimer(FLevels[level]->window, kHoverTimer, FHoverDelay, nullptr);
      return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (!inside) {
        FDone = true;
        return;
      }
      FPressedInMenu = true;
      if (item && !item->IsLine()) {
        Select(level, index);
        OpenSelected(level, false);
      }
      return;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      // The release of the click that opened the menu chooses nothing unless the pointer went
      // over an item first.
      if (item && (FPressedInMenu || FHovered)) Choose(item);
      return;
    default: return;
  }
}

TMenuItem* MenuTracker::Run(TMenuItem* root, TPoint where, TPopupAlignment alignment) {
  if (!OpenLevel(root, where, alignment, nullptr)) return nullptr;
  HWND captureWindow = FLevels.front()->window;
  SetCapture(captureWindow);
  MSG msg;
  while (!FDone) {
    if (!GetMessage(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the loops around this one end too
      break;
    }
    switch (msg.message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        TranslateMessage(&msg);
        KeyDown(msg.wParam);
        continue;
      case WM_CHAR:
      case WM_SYSCHAR:
        if (msg.wParam >= 0x20 && msg.wParam < 0x80) Character(static_cast<Char>(msg.wParam));
        continue;
      case WM_KEYUP:
      case WM_SYSKEYUP: continue;
      default: break;
    }
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
      Mouse(msg);
      continue;
    }
    if (msg.message == WM_TIMER && msg.wParam == kHoverTimer) {
      const size_t level = IndexOfLevel(msg.hwnd);
      if (level < FLevels.size()) {
        KillTimer(msg.hwnd, kHoverTimer);
        OpenSelected(level, false);
        continue;
      }
    }
    DispatchMessage(&msg);
    if (!FDone && GetCapture() != captureWindow) FDone = true;  // someone else took the mouse
  }
  if (GetCapture() == captureWindow) ReleaseCapture();
  CloseFrom(0);
  return FChosen;
}

}  // namespace

TMenuItem* TrackPopupMenuItems(TMenuItem* Root, TPoint Where, TPopupAlignment Alignment) {
  if (!Root) return nullptr;
  MenuTracker tracker;
  MenuTracker* outer = gTracker;
  gTracker = &tracker;
  TMenuItem* chosen = nullptr;
  try {
    chosen = tracker.Run(Root, Where, Alignment);
  } catch (...) {
    gTracker = outer;
    throw;
  }
  gTracker = outer;
  return chosen;
}

void RegisterPopupMenuClass() {
  WNDCLASS windowClass;
  windowClass.style = CS_SAVEBITS | CS_DROPSHADOW;
  windowClass.lpfnWndProc = &MenuWindowProc;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kMenuClass;
  RegisterClass(&windowClass);
}

void UnregisterPopupMenuClass() { UnregisterClass(kMenuClass, nullptr); }
