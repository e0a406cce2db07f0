// Painting buttons in the classic look: raised push buttons with a black frame when default and a
// focus rectangle when focused, check boxes and radio buttons with their caption beside the mark,
// etched group boxes, and owner-drawn buttons handed to the parent as WM_DRAWITEM.

#include <algorithm>

#include "controls/Button.h"
#include "controls/ButtonControl.h"
#include "controls/OwnerDraw.h"
#include "gdi/Gdi.h"
#include "user/User.h"

namespace {

constexpr int kMarkSize = 13;  // the classic check box and radio button
constexpr int kMarkGap = 4;

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLong(window, GWL_STYLE)); }

String TextOf(HWND window) {
  int length = GetWindowTextLength(window);
  String text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowText(window, text.data(), length + 1)));
  return text;
}

// Asks the parent for the colours and background brush of the button.
HBRUSH ParentBrush(HWND window, HDC dc, UINT question) {
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  HWND parent = GetParent(window);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessage(parent ? parent : window, question, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
  return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

UINT TextFormat(DWORD style, UINT horizontalDefault) {
  UINT format = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
  switch (style & BS_CENTER) {
    case BS_LEFT: format |= DT_LEFT; break;
    case BS_RIGHT: format |= DT_RIGHT; break;
    case BS_CENTER: format |= DT_CENTER; break;
    default: format |= horizontalDefault; break;
  }
  switch (style & BS_VCENTER) {
    case BS_TOP: format |= DT_TOP; break;
    case BS_BOTTOM: format |= DT_BOTTOM; break;
    default: format |= DT_VCENTER; break;
  }
  return format;
}

// The caption (or image) in the rectangle; answers the rectangle the caption covers.
RECT DrawCaption(HWND window, const ButtonState& state, HDC dc, RECT box, UINT format, bool enabled) {
  if (state.image && (StyleOf(window) & (BS_BITMAP | BS_ICON))) {
    int width = 0, height = 0;
    if (state.imageType == IMAGE_BITMAP) {
      BITMAP info;
      if (GetObject(state.image, sizeof info, &info)) {
        width = info.bmWidth;
        height = info.bmHeight;
      }
    } else {
      width = GetSystemMetrics(SM_CXICON);
      height = GetSystemMetrics(SM_CYICON);
    }
    int x = box.Left + (box.Width() - width) / 2, y = box.Top + (box.Height() - height) / 2;
    if (state.imageType == IMAGE_BITMAP) {
      HDC source = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(source, state.image);
      BitBlt(dc, x, y, width, height, source, 0, 0, SRCCOPY);
      SelectObject(source, old);
      DeleteDC(source);
    } else {
      DrawIconEx(dc, x, y, static_cast<HICON>(state.image), width, height, 0, nullptr, DI_NORMAL);
    }
    return {x, y, x + width, y + height};
  }
  String text = TextOf(window);
  if (text.empty()) return {box.Left, box.Top, box.Left, box.Top};
  SelectObject(dc, state.font ? static_cast<HGDIOBJ>(state.font) : GetStockObject(SYSTEM_FONT));
  SetBkMode(dc, TRANSPARENT);
  // Where the caption goes: measured first, then placed in the box as the format says.
  RECT measured = box;
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &measured, (format & ~(DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT);
  int width = std::min(measured.Width(), box.Width()), height = std::min(measured.Height(), box.Height());
  int x = (format & DT_CENTER) ? box.Left + (box.Width() - width) / 2 : (format & DT_RIGHT) ? box.Right - width : box.Left;
  int y = (format & DT_VCENTER) ? box.Top + (box.Height() - height) / 2 : (format & DT_BOTTOM) ? box.Bottom - height : box.Top;
  RECT placed{x, y, x + width, y + height};
  UINT drawFormat = (format & ~(DT_VCENTER | DT_BOTTOM | DT_RIGHT | DT_CENTER)) | DT_LEFT | DT_TOP;
  if (!enabled) {
    // Disabled captions are embossed: a highlight copy one pixel down and right under grey text.
    RECT shadow{placed.Left + 1, placed.Top + 1, placed.Right + 1, placed.Bottom + 1};
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawText(dc, text.c_str(), static_cast<int>(text.size()), &shadow, drawFormat);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  }
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &placed, drawFormat);
  return placed;
}

void FocusAround(HDC dc, RECT r, const RECT& limit) {
  r = {std::max(r.Left - 1, limit.Left), std::max(r.Top - 1, limit.Top), std::min(r.Right + 1, limit.Right),
       std::min(r.Bottom + 1, limit.Bottom)};
  if (r.Right > r.Left && r.Bottom > r.Top) DrawFocusRect(dc, &r);
}

void PaintPush(HWND window, const ButtonState& state, HDC dc, const RECT& client, bool pushLikeChecked) {
  DWORD style = StyleOf(window);
  bool enabled = IsWindowEnabled(window) != FALSE;
  ParentBrush(window, dc, WM_CTLCOLORBTN);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  RECT r = client;
  if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  }
  bool down = state.pushed || pushLikeChecked;
  UINT frame = DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0) | ((style & BS_FLAT) ? DFCS_FLAT : 0);
  if (pushLikeChecked && !state.pushed) frame |= DFCS_CHECKED;
  RECT face = r;
  DrawFrameControl(dc, &face, DFC_BUTTON, frame);
  RECT box{r.Left + 4, r.Top + 4, r.Right - 4, r.Bottom - 4};
  if (down) box = {box.Left + 1, box.Top + 1, box.Right + 1, box.Bottom + 1};
  DrawCaption(window, state, dc, box, TextFormat(style, DT_CENTER), enabled);
  if (state.focused) {
    RECT focus{r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3};
    DrawFocusRect(dc, &focus);
  }
}

void PaintMark(HWND window, const ButtonState& state, HDC dc, const RECT& client, bool radio) {
  DWORD style = StyleOf(window);
  bool enabled = IsWindowEnabled(window) != FALSE;
  HBRUSH brush = ParentBrush(window, dc, WM_CTLCOLORSTATIC);
  FillRect(dc, &client, brush);
  bool markRight = (style & BS_LEFTTEXT) != 0;
  int top = client.Top + (client.Height() - kMarkSize) / 2;
  if ((style & BS_VCENTER) == BS_TOP) top = client.Top;
  if ((style & BS_VCENTER) == BS_BOTTOM) top = client.Bottom - kMarkSize;
  RECT mark = markRight ? RECT{client.Right - kMarkSize, top, client.Right, top + kMarkSize}
                        : RECT{client.Left, top, client.Left + kMarkSize, top + kMarkSize};
  UINT kind = radio ? DFCS_BUTTONRADIO : (state.check == BST_INDETERMINATE ? DFCS_BUTTON3STATE : DFCS_BUTTONCHECK);
  UINT flags = kind | (state.check != BST_UNCHECKED ? DFCS_CHECKED : 0) | (state.pushed ? DFCS_PUSHED : 0) |
               (enabled ? 0 : DFCS_INACTIVE) | ((style & BS_FLAT) ? DFCS_FLAT : 0);
  DrawFrameControl(dc, &mark, DFC_BUTTON, flags);
  RECT box = markRight ? RECT{client.Left, client.Top, mark.Left - kMarkGap, client.Bottom}
                       : RECT{mark.Right + kMarkGap, client.Top, client.Right, client.Bottom};
  COLORREF text = GetTextColor(dc);
  SetTextColor(dc, text);
  RECT caption = DrawCaption(window, state, dc, box, TextFormat(style, DT_LEFT), enabled);
  if (state.focused && caption.Right > caption.Left) FocusAround(dc, caption, client);
}

void PaintGroup(HWND window, const ButtonState& state, HDC dc, const RECT& client) {
  bool enabled = IsWindowEnabled(window) != FALSE;
  HBRUSH brush = ParentBrush(window, dc, WM_CTLCOLORSTATIC);
  SelectObject(dc, state.font ? static_cast<HGDIOBJ>(state.font) : GetStockObject(SYSTEM_FONT));
  TEXTMETRIC metrics;
  GetTextMetrics(dc, &metrics);
  RECT frame{client.Left, client.Top + metrics.tmHeight / 2, client.Right, client.Bottom};
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  String text = TextOf(window);
  if (text.empty()) return;
  RECT caption{client.Left + 8, client.Top, client.Right - 8, client.Top + metrics.tmHeight};
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &caption, DT_SINGLELINE | DT_LEFT | DT_CALCRECT);
  caption = {caption.Left - 2, caption.Top, std::min(caption.Right + 2, client.Right - 6), caption.Bottom};
  FillRect(dc, &caption, brush);
  RECT box{caption.Left + 2, caption.Top, caption.Right, caption.Bottom};
  DrawCaption(window, state, dc, box, DT_SINGLELINE | DT_LEFT | DT_TOP, enabled);
}

void PaintOwnerDrawn(HWND window, const ButtonState& state, HDC dc, const RECT& client, UINT action) {
  HWND parent = GetParent(window);
  if (!parent) return;
  DRAWITEMSTRUCT item;
  item.CtlType = ODT_BUTTON;
  item.CtlID = static_cast<UINT>(GetWindowLongPtr(window, GWLP_ID));
  item.itemAction = action;
  item.itemState = (state.pushed ? ODS_SELECTED : 0) | (state.focused ? ODS_FOCUS : 0) |
                   (IsWindowEnabled(window) ? 0 : ODS_DISABLED);
  item.hwndItem = window;
  item.hDC = dc;
  item.rcItem = client;
  SendMessage(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

void PaintOwnerDrawnFocus(HWND window, const ButtonState& state) {
  // A hidden button has nothing on the screen to change (its window's DC would be a scratch one).
  if (!IsWindowVisible(window)) return;
  RECT client;
  GetClientRect(window, &client);
  HDC dc = GetDC(window);
  int saved = SaveDC(dc);
  PaintOwnerDrawn(window, state, dc, client, ODA_FOCUS);
  RestoreDC(dc, saved);
  ReleaseDC(window, dc);
}

void PaintButton(HWND window, const ButtonState& state, HDC dc) {
  RECT client;
  GetClientRect(window, &client);
  int saved = SaveDC(dc);
  DWORD style = StyleOf(window);
  switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE:
      if (style & BS_PUSHLIKE) PaintPush(window, state, dc, client, state.check != BST_UNCHECKED);
      else PaintMark(window, state, dc, client, false);
      break;
    case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
      if (style & BS_PUSHLIKE) PaintPush(window, state, dc, client, state.check != BST_UNCHECKED);
      else PaintMark(window, state, dc, client, true);
      break;
    case BS_GROUPBOX:
      PaintGroup(window, state, dc, client);
      break;
    case BS_OWNERDRAW:
      PaintOwnerDrawn(window, state, dc, client, ODA_DRAWENTIRE);
      break;
    default:
      PaintPush(window, state, dc, client, false);
      break;
  }
  RestoreDC(dc, saved);
}
