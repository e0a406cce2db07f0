// The non-client area of the classic look: frame widths, hit testing of caption, buttons and
// borders, and the frame painted by WM_NCPAINT. Scroll bar areas are kept free; the scroll bar
// code of the standard controls paints and tracks them through NonClientScrollBars.h.

#include "gdi/Blits.h"
#include "gdi/DeviceContexts.h"
#include "gdi/Drawing.h"
#include "gdi/Edges.h"
#include "gdi/Fonts.h"
#include "gdi/Regions.h"
#include "gdi/SysColors.h"
#include "gdi/SysMetrics.h"
#include "gdi/Text.h"
#include "gdi/TextLayout.h"
#include "user/Focus.h"
#include "user/Input.h"
#include "user/NonClient.h"
#include "user/NonClientScrollBars.h"
#include "user/Painting.h"
#include "user/WindowInternals.h"
#include "user/WindowPos.h"

namespace {

bool HasCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }
bool IsTool(DWORD exStyle) { return (exStyle & WS_EX_TOOLWINDOW) != 0; }

int FrameWidth(DWORD style, DWORD exStyle) {
  if (style & WS_THICKFRAME) return GetSystemMetrics(SM_CXFRAME);
  if ((exStyle & WS_EX_DLGMODALFRAME) || (style & (WS_DLGFRAME | WS_BORDER)) == WS_DLGFRAME || HasCaption(style)) {
    return GetSystemMetrics(SM_CXDLGFRAME);
  }
  if (style & WS_BORDER) return GetSystemMetrics(SM_CXBORDER);
  return 0;
}

int EdgeWidth(DWORD exStyle) {
  if (exStyle & WS_EX_CLIENTEDGE) return GetSystemMetrics(SM_CXEDGE);
  if (exStyle & WS_EX_STATICEDGE) return GetSystemMetrics(SM_CXBORDER);
  return 0;
}

RECT Deflate(RECT r, int left, int top, int right, int bottom) {
  return {r.Left + left, r.Top + top, r.Right - right, r.Bottom - bottom};
}

bool PointIn(const RECT& r, POINT p) { return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom; }

const NonClientScrollBarHandler* gScrollBars = nullptr;

}  // namespace

void SetNonClientScrollBarHandler(const NonClientScrollBarHandler* handler) { gScrollBars = handler; }

BOOL GetNonClientScrollBarRects(HWND handle, RECT* vScroll, RECT* hScroll, RECT* sizeBox) {
  Window* w = WindowFromHandle(handle);
  if (!w) return FALSE;
  NonClientLayout layout = LayoutNonClient(w);
  if (vScroll) *vScroll = layout.vScroll;
  if (hScroll) *hScroll = layout.hScroll;
  if (sizeBox) *sizeBox = layout.sizeBox;
  return TRUE;
}

RECT FrameInsets(DWORD style, DWORD exStyle, bool) {
  int frame = FrameWidth(style, exStyle) + EdgeWidth(exStyle);
  RECT insets{frame, frame, frame, frame};
  if (HasCaption(style)) insets.Top += GetSystemMetrics(IsTool(exStyle) ? SM_CYSMCAPTION : SM_CYCAPTION);
  return insets;
}

NonClientLayout LayoutNonClient(const Window* w) {
  NonClientLayout layout;
  RECT whole{0, 0, w->windowRect.Width(), w->windowRect.Height()};
  layout.window = whole;
  int frame = FrameWidth(w->style, w->exStyle);
  RECT inner = Deflate(whole, frame, frame, frame, frame);
  layout.frame = frame;
  if (HasCaption(w->style)) {
    bool tool = IsTool(w->exStyle);
    int height = GetSystemMetrics(tool ? SM_CYSMCAPTION : SM_CYCAPTION);
    layout.caption = {inner.Left, inner.Top, inner.Right, inner.Top + height - 1};
    inner.Top += height;
    int buttonWidth = GetSystemMetrics(tool ? SM_CXSMSIZE : SM_CXSIZE) - 2;
    int buttonHeight = GetSystemMetrics(tool ? SM_CYSMSIZE : SM_CYSIZE) - 4;
    int top = layout.caption.Top + 2;
    int right = layout.caption.Right - 2;
    if (w->style & WS_SYSMENU) {
      layout.closeButton = {right - buttonWidth, top, right, top + buttonHeight};
      right = layout.closeButton.Left - 2;
      if (!tool && (w->style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) {
        layout.maxButton = {right - buttonWidth, top, right, top + buttonHeight};
        layout.minButton = {layout.maxButton.Left - buttonWidth, top, layout.maxButton.Left, top + buttonHeight};
        right = layout.minButton.Left - 2;
      } else if (w->exStyle & WS_EX_CONTEXTHELP) {
        layout.helpButton = {right - buttonWidth, top, right, top + buttonHeight};
        right = layout.helpButton.Left - 2;
      }
      if (!tool && !(w->exStyle & WS_EX_DLGMODALFRAME)) {
        int icon = GetSystemMetrics(SM_CXSMICON);
        layout.sysMenu = {layout.caption.Left + 2, layout.caption.Top + (layout.caption.Height() - icon) / 2,
                          layout.caption.Left + 2 + icon, layout.caption.Top + (layout.caption.Height() - icon) / 2 + icon};
      }
    }
    layout.title = {layout.sysMenu.Right > 0 ? layout.sysMenu.Right + 2 : layout.caption.Left + 2, layout.caption.Top,
                    right, layout.caption.Bottom};
  }
  int edge = EdgeWidth(w->exStyle);
  layout.edge = edge;
  layout.edgeRect = inner;
  inner = Deflate(inner, edge, edge, edge, edge);
  if (w->style & WS_VSCROLL) {
    int width = GetSystemMetrics(SM_CXVSCROLL);
    if (inner.Right - width >= inner.Left) {
      layout.vScroll = {inner.Right - width, inner.Top, inner.Right, inner.Bottom};
      inner.Right -= width;
    }
  }
  if (w->style & WS_HSCROLL) {
    int height = GetSystemMetrics(SM_CYHSCROLL);
    if (inner.Bottom - height >= inner.Top) {
      layout.hScroll = {inner.Left, inner.Bottom - height, inner.Right, inner.Bottom};
      inner.Bottom -= height;
      if (layout.vScroll.Right > layout.vScroll.Left) {
        layout.vScroll.Bottom = inner.Bottom;
        layout.sizeBox = {layout.vScroll.Left, inner.Bottom, layout.vScroll.Right, layout.hScroll.Bottom};
      }
    }
  }
  if (inner.Right < inner.Left) inner.Right = inner.Left;
  if (inner.Bottom < inner.Top) inner.Bottom = inner.Top;
  layout.client = inner;
  return layout;
}

LRESULT DefNcCalcSize(Window* w, BOOL calcValidRects, LPARAM lParam) {
  RECT* rect = calcValidRects ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
  if (!rect) return 0;
  if (w->style & WS_MINIMIZE) {
    *rect = {rect->Left, rect->Top, rect->Left, rect->Top};
    return 0;
  }
  // The layout works in window coordinates of a window of the new size.
  Window sized;
  sized.style = w->style;
  sized.exStyle = w->exStyle;
  sized.windowRect = *rect;
  NonClientLayout layout = LayoutNonClient(&sized);
  *rect = {rect->Left + layout.client.Left, rect->Top + layout.client.Top, rect->Left + layout.client.Right,
           rect->Top + layout.client.Bottom};
  return 0;
}

LRESULT DefNcHitTest(Window* w, POINT screen) {
  POINT origin = WindowOrigin(w);
  POINT p{screen.X - origin.X, screen.Y - origin.Y};
  NonClientLayout layout = LayoutNonClient(w);
  if (!PointIn(layout.window, p)) return HTNOWHERE;
  if (w->style & WS_MINIMIZE) return HTCAPTION;
  if (PointIn(layout.client, p)) return HTCLIENT;
  if (layout.frame > 0 && !PointIn(Deflate(layout.window, layout.frame, layout.frame, layout.frame, layout.frame), p)) {
    if (!(w->style & WS_THICKFRAME)) return HTBORDER;
    // Corners reach along the edges as far as a caption button is wide.
    int corner = GetSystemMetrics(SM_CXSIZE) + layout.frame;
    bool left = p.X < layout.frame, right = p.X >= layout.window.Right - layout.frame;
    bool top = p.Y < layout.frame, bottom = p.Y >= layout.window.Bottom - layout.frame;
    bool nearLeft = p.X < corner, nearRight = p.X >= layout.window.Right - corner;
    bool nearTop = p.Y < corner, nearBottom = p.Y >= layout.window.Bottom - corner;
    if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
    if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
    if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
    if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
    if (top) return HTTOP;
    return HTBOTTOM;
  }
  if (PointIn(layout.caption, p)) {
    if (PointIn(layout.closeButton, p)) return HTCLOSE;
    if (PointIn(layout.maxButton, p)) return HTMAXBUTTON;
    if (PointIn(layout.minButton, p)) return HTMINBUTTON;
    if (PointIn(layout.helpButton, p)) return HTHELP;
    if (PointIn(layout.sysMenu, p)) return HTSYSMENU;
    return HTCAPTION;
  }
  if (PointIn(layout.vScroll, p)) return HTVSCROLL;
  if (PointIn(layout.hScroll, p)) return HTHSCROLL;
  if (PointIn(layout.sizeBox, p)) return (w->style & WS_THICKFRAME) ? HTBOTTOMRIGHT : HTNOWHERE;
  return layout.frame > 0 || layout.edge > 0 ? HTBORDER : HTNOWHERE;
}

namespace {

void FillSys(HDC dc, const RECT& r, int colour) {
  if (r.Right > r.Left && r.Bottom > r.Top) FillRect(dc, &r, GetSysColorBrush(colour));
}

void FrameBand(HDC dc, RECT r, int width, int colour) {
  for (int i = 0; i < width; ++i) {
    FrameRect(dc, &r, GetSysColorBrush(colour));
    r = Deflate(r, 1, 1, 1, 1);
  }
}

void GradientCaption(HDC dc, const RECT& r, bool active) {
  COLORREF from = GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
  COLORREF to = GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
  TRIVERTEX v[2];
  v[0].x = r.Left;
  v[0].y = r.Top;
  v[0].Red = static_cast<COLOR16>(GetRValue(from) << 8);
  v[0].Green = static_cast<COLOR16>(GetGValue(from) << 8);
  v[0].Blue = static_cast<COLOR16>(GetBValue(from) << 8);
  v[1].x = r.Right;
  v[1].y = r.Bottom;
  v[1].Red = static_cast<COLOR16>(GetRValue(to) << 8);
  v[1].Green = static_cast<COLOR16>(GetGValue(to) << 8);
  v[1].Blue = static_cast<COLOR16>(GetBValue(to) << 8);
  GRADIENT_RECT mesh{0, 1};
  GradientFill(dc, v, 2, &mesh, 1, GRADIENT_FILL_RECT_H);
}

}  // namespace

void DrawNonClient(Window* w, HDC dc, UINT pressedButton) {
  NonClientLayout layout = LayoutNonClient(w);
  bool active = w->ncActive;
  RECT r = layout.window;
  if (w->style & WS_THICKFRAME || layout.frame > 1) {
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    FrameBand(dc, r, layout.frame - 2, (w->style & WS_THICKFRAME) ? (active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER)
                                                                   : COLOR_BTNFACE);
  } else if (layout.frame == 1) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
  }
  if (layout.caption.Right > layout.caption.Left) {
    GradientCaption(dc, layout.caption, active);
    RECT separator{layout.caption.Left, layout.caption.Bottom, layout.caption.Right, layout.caption.Bottom + 1};
    FillSys(dc, separator, COLOR_BTNFACE);
    NONCLIENTMETRICS metrics;
    metrics.cbSize = sizeof metrics;
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT font = CreateFontIndirect(IsTool(w->exStyle) ? &metrics.lfSmCaptionFont : &metrics.lfCaptionFont);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    RECT title = layout.title;
    DrawText(dc, w->text.c_str(), static_cast<int>(w->text.size()), &title,
             DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    DeleteObject(font);
    auto button = [&](RECT b, UINT kind, UINT hit) {
      if (b.Right <= b.Left) return;
      UINT state = kind | (pressedButton == hit ? DFCS_PUSHED : 0);
      DrawFrameControl(dc, &b, DFC_CAPTION, state);
    };
    button(layout.closeButton, DFCS_CAPTIONCLOSE, HTCLOSE);
    // A window with one of the two boxes shows both; the one it lacks is greyed and does nothing.
    const UINT noMax = (w->style & WS_MAXIMIZEBOX) ? 0 : DFCS_INACTIVE;
    const UINT noMin = (w->style & WS_MINIMIZEBOX) ? 0 : DFCS_INACTIVE;
    button(layout.maxButton, ((w->style & WS_MAXIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX) | noMax, HTMAXBUTTON);
    button(layout.minButton, ((w->style & WS_MINIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN) | noMin, HTMINBUTTON);
    button(layout.helpButton, DFCS_CAPTIONHELP, HTHELP);
  }
  if (layout.edge > 0) {
    RECT edge = layout.edgeRect;
    DrawEdge(dc, &edge, (w->exStyle & WS_EX_CLIENTEDGE) ? EDGE_SUNKEN : BDR_SUNKENOUTER, BF_RECT);
  }
  if (gScrollBars && gScrollBars->paint) {
    gScrollBars->paint(w->handle, dc, layout.vScroll, layout.hScroll, layout.sizeBox);
  } else {
    FillSys(dc, layout.vScroll, COLOR_BTNFACE);
    FillSys(dc, layout.hScroll, COLOR_BTNFACE);
    FillSys(dc, layout.sizeBox, COLOR_BTNFACE);
  }
}

void DefNcPaint(Window* w, HRGN) {
  if (!IsReallyVisible(w)) return;
  HDC dc = GetDCEx(w->handle, nullptr, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS);
  if (!dc) return;
  RECT client = LayoutNonClient(w).client;
  ExcludeClipRect(dc, client.Left, client.Top, client.Right, client.Bottom);
  DrawNonClient(w, dc, 0);
  ReleaseDC(w->handle, dc);
}

LRESULT DefNcActivate(Window* w, BOOL active) {
  w->ncActive = active != FALSE;
  if (HasCaption(w->style) || (w->style & WS_THICKFRAME)) DefNcPaint(w, nullptr);
  return TRUE;
}

namespace {

// Pressing a caption button: it shows pressed while the mouse is on it; the command runs when the
// button is released there.
bool TrackCaptionButton(Window* w, LRESULT hit) {
  HWND handle = w->handle;
  SetCapture(handle);
  bool pressed = true;
  auto repaint = [&] {
    if (Window* live = WindowFromHandle(handle)) {
      HDC dc = GetDCEx(handle, nullptr, DCX_WINDOW | DCX_CACHE);
      if (dc) {
        DrawNonClient(live, dc, pressed ? static_cast<UINT>(hit) : 0);
        ReleaseDC(handle, dc);
      }
    }
  };
  repaint();
  MSG msg;
  for (;;) {
    if (!GetMessage(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (GetCapture() != handle || !IsWindow(handle)) return false;
    if (msg.message == WM_LBUTTONUP || msg.message == WM_MOUSEMOVE) {
      Window* live = WindowFromHandle(handle);
      bool over = live && DefNcHitTest(live, msg.pt) == hit;
      if (msg.message == WM_LBUTTONUP) {
        pressed = false;
        ReleaseCapture();
        repaint();
        return over;
      }
      if (over != pressed) {
        pressed = over;
        repaint();
      }
      continue;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) break;
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  pressed = false;
  if (GetCapture() == handle) ReleaseCapture();
  repaint();
  return false;
}

}  // namespace

LRESULT DefNcLButtonDown(Window* w, WPARAM hit, POINT screen) {
  LPARAM where = MAKELPARAM(static_cast<WORD>(screen.X), static_cast<WORD>(screen.Y));
  HWND handle = w->handle;
  switch (static_cast<LRESULT>(hit)) {
    case HTCAPTION:
      SendMessage(handle, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, where);
      break;
    case HTLEFT: case HTRIGHT: case HTTOP: case HTTOPLEFT: case HTTOPRIGHT:
    case HTBOTTOM: case HTBOTTOMLEFT: case HTBOTTOMRIGHT:
      if (w->style & WS_THICKFRAME) SendMessage(handle, WM_SYSCOMMAND, SC_SIZE + (hit - HTLEFT + 1), where);
      break;
    case HTCLOSE:
      if (TrackCaptionButton(w, HTCLOSE)) SendMessage(handle, WM_SYSCOMMAND, SC_CLOSE, where);
      break;
    case HTMINBUTTON:
      if ((w->style & WS_MINIMIZEBOX) && TrackCaptionButton(w, HTMINBUTTON)) SendMessage(handle, WM_SYSCOMMAND, SC_MINIMIZE, where);
      break;
    case HTMAXBUTTON:
      if ((w->style & WS_MAXIMIZEBOX) && TrackCaptionButton(w, HTMAXBUTTON)) {
        SendMessage(handle, WM_SYSCOMMAND, (w->style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE, where);
      }
      break;
    case HTHELP:
      if (TrackCaptionButton(w, HTHELP)) SendMessage(handle, WM_SYSCOMMAND, SC_CONTEXTHELP, where);
      break;
    case HTVSCROLL:
    case HTHSCROLL:
      if (gScrollBars && gScrollBars->press) gScrollBars->press(handle, static_cast<LRESULT>(hit), screen);
      break;
    default:
      break;
  }
  return 0;
}

LRESULT DefSysCommand(Window* w, WPARAM command, LPARAM lParam) {
  HWND handle = w->handle;
  POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (command & 0xFFF0) {
    case SC_CLOSE:
      if (!(w->windowClass && (w->windowClass->style & CS_NOCLOSE))) SendMessage(handle, WM_CLOSE, 0, 0);
      break;
    case SC_MINIMIZE:
      ShowWindow(handle, SW_MINIMIZE);
      break;
    case SC_MAXIMIZE:
      ShowWindow(handle, SW_MAXIMIZE);
      break;
    case SC_RESTORE:
      ShowWindow(handle, SW_RESTORE);
      break;
    case SC_MOVE:
      if (!(w->style & (WS_MAXIMIZE | WS_MINIMIZE))) RunMoveSizeLoop(w, HTCAPTION, at);
      break;
    case SC_SIZE: {
      LRESULT hit = HTLEFT + static_cast<LRESULT>(command & 0x0F) - 1;
      if ((command & 0x0F) && !(w->style & (WS_MAXIMIZE | WS_MINIMIZE))) RunMoveSizeLoop(w, hit, at);
      break;
    }
    default:
      // SC_KEYMENU and SC_MOUSEMENU open a system menu, which this system does not show.
      break;
  }
  return 0;
}
