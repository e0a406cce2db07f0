// The STATIC window procedure and its painting.

#include <algorithm>

#include "controls/OwnerDraw.h"
#include "controls/Static.h"
#include "gdi/Gdi.h"
#include "user/Cursors.h"
#include "user/User.h"

namespace {

constexpr char kClassName[] = "Static";

struct StaticState {
  HFONT font = nullptr;
  HANDLE image = nullptr;
  UINT imageType = IMAGE_BITMAP;
};

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLong(window, GWL_STYLE)); }
DWORD TypeOf(HWND window) { return StyleOf(window) & SS_TYPEMASK; }

void Notify(HWND window, WORD code) {
  HWND parent = GetParent(window);
  if (!parent || !(StyleOf(window) & SS_NOTIFY)) return;
  WPARAM id = static_cast<WPARAM>(GetWindowLongPtr(window, GWLP_ID));
  SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), code), reinterpret_cast<LPARAM>(window));
}

SIZE ImageSize(const StaticState& state) {
  if (!state.image) return {0, 0};
  if (state.imageType == IMAGE_BITMAP) {
    BITMAP info;
    if (GetObject(state.image, sizeof info, &info)) return {info.bmWidth, info.bmHeight};
    return {0, 0};
  }
  ICONINFO info;
  if (!GetIconInfo(static_cast<HICON>(state.image), &info)) return {GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
  BITMAP mask{};
  GetObject(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof mask, &mask);
  SIZE size{mask.bmWidth, info.hbmColor ? mask.bmHeight : mask.bmHeight / 2};
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return size;
}

UINT TextFormat(DWORD style) {
  UINT format = DT_EXPANDTABS;
  switch (style & SS_TYPEMASK) {
    case SS_CENTER: format |= DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: format |= DT_RIGHT | DT_WORDBREAK; break;
    case SS_SIMPLE: format = DT_SINGLELINE | DT_LEFT; break;
    case SS_LEFTNOWORDWRAP: break;
    default: format |= DT_WORDBREAK; break;
  }
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  if (style & SS_EDITCONTROL) format |= DT_EDITCONTROL;
  if (style & SS_CENTERIMAGE) format |= DT_SINGLELINE | DT_VCENTER;
  switch (style & SS_ELLIPSISMASK) {
    case SS_ENDELLIPSIS: format = (format & ~DT_WORDBREAK) | DT_END_ELLIPSIS; break;
    case SS_PATHELLIPSIS: format = (format & ~DT_WORDBREAK) | DT_PATH_ELLIPSIS; break;
    case SS_WORDELLIPSIS: format = (format & ~DT_WORDBREAK) | DT_WORD_ELLIPSIS; break;
    default: break;
  }
  return format;
}

void Paint(HWND window, const StaticState& state, HDC dc) {
  RECT client;
  GetClientRect(window, &client);
  DWORD style = StyleOf(window);
  int saved = SaveDC(dc);
  HWND parent = GetParent(window);
  auto askParent = [&]() {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    auto brush = reinterpret_cast<HBRUSH>(SendMessage(parent ? parent : window, WM_CTLCOLORSTATIC,
                                                      reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
    return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
  };
  auto frame = [&](int colour) { FrameRect(dc, &client, GetSysColorBrush(colour)); };
  switch (style & SS_TYPEMASK) {
    case SS_BLACKRECT: FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME)); break;
    case SS_GRAYRECT: FillRect(dc, &client, GetSysColorBrush(COLOR_BACKGROUND)); break;
    case SS_WHITERECT: FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW)); break;
    case SS_BLACKFRAME: frame(COLOR_WINDOWFRAME); break;
    case SS_GRAYFRAME: frame(COLOR_BACKGROUND); break;
    case SS_WHITEFRAME: frame(COLOR_WINDOW); break;
    case SS_ETCHEDHORZ: {
      RECT line{client.Left, client.Top, client.Right, client.Top + 2};
      DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
      break;
    }
    case SS_ETCHEDVERT: {
      RECT line{client.Left, client.Top, client.Left + 2, client.Bottom};
      DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
      break;
    }
    case SS_ETCHEDFRAME: {
      RECT box = client;
      DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);
      break;
    }
    case SS_OWNERDRAW: {
      if (!parent) break;
      DRAWITEMSTRUCT item;
      item.CtlType = ODT_STATIC;
      item.CtlID = static_cast<UINT>(GetWindowLongPtr(window, GWLP_ID));
      item.itemAction = ODA_DRAWENTIRE;
      item.itemState = IsWindowEnabled(window) ? 0 : ODS_DISABLED;
      item.hwndItem = window;
      item.hDC = dc;
      item.rcItem = client;
      SendMessage(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
      break;
    }
    case SS_BITMAP:
    case SS_ICON: {
      FillRect(dc, &client, askParent());
      if (!state.image) break;
      SIZE size = ImageSize(state);
      RECT to{0, 0, size.cx, size.cy};
      if (style & SS_REALSIZECONTROL) {
        to = client;
      } else if (style & SS_CENTERIMAGE) {
        int x = (client.Width() - size.cx) / 2, y = (client.Height() - size.cy) / 2;
        to = {x, y, x + size.cx, y + size.cy};
      }
      if (state.imageType == IMAGE_BITMAP) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, state.image);
        StretchBlt(dc, to.Left, to.Top, to.Width(), to.Height(), source, 0, 0, size.cx, size.cy, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
      } else {
        DrawIconEx(dc, to.Left, to.Top, static_cast<HICON>(state.image), to.Width(), to.Height(), 0, nullptr, DI_NORMAL);
      }
      break;
    }
    default: {
      HBRUSH brush = askParent();
      FillRect(dc, &client, brush);
      int length = GetWindowTextLength(window);
      String text(static_cast<size_t>(length) + 1, '\0');
      text.resize(static_cast<size_t>(GetWindowText(window, text.data(), length + 1)));
      SelectObject(dc, state.font ? static_cast<HGDIOBJ>(state.font) : GetStockObject(SYSTEM_FONT));
      SetBkMode(dc, TRANSPARENT);
      if (!IsWindowEnabled(window)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
      RECT box = client;
      DrawText(dc, text.c_str(), static_cast<int>(text.size()), &box, TextFormat(style));
      break;
    }
  }
  if (style & SS_SUNKEN) {
    RECT box = client;
    DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
  }
  RestoreDC(dc, saved);
}

bool IsImage(DWORD type) { return type == SS_BITMAP || type == SS_ICON; }

// Sets the image; the control takes the image's size unless told to keep its own.
HANDLE SetImage(HWND window, StaticState& state, UINT type, HANDLE image) {
  HANDLE previous = state.image;
  state.image = image;
  state.imageType = type;
  DWORD style = StyleOf(window);
  if (image && !(style & (SS_CENTERIMAGE | SS_REALSIZECONTROL))) {
    SIZE size = ImageSize(state);
    SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(window, nullptr, TRUE);
  return previous;
}

LRESULT StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<StaticState*>(GetWindowLongPtr(window, 0));
  if (!state) {
    if (message != WM_NCCREATE) return DefWindowProc(window, message, wParam, lParam);
    // Owned through the window's extra bytes until WM_NCDESTROY; nothing here calls out while
    // the state is in use, so it can go at once.
    SetWindowLongPtr(window, 0, reinterpret_cast<LONG_PTR>(new StaticState));
    return DefWindowProc(window, message, wParam, lParam);
  }
  switch (message) {
    case WM_NCDESTROY:
      SetWindowLongPtr(window, 0, 0);
      delete state;
      return DefWindowProc(window, message, wParam, lParam);
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      Paint(window, *state, dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(window, *state, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_NCHITTEST:
      if (!(StyleOf(window) & SS_NOTIFY)) return HTTRANSPARENT;
      return DefWindowProc(window, message, wParam, lParam);
    case WM_LBUTTONDOWN:
      Notify(window, STN_CLICKED);
      return 0;
    case WM_LBUTTONDBLCLK:
      Notify(window, STN_DBLCLK);
      return 0;
    case WM_ENABLE:
      InvalidateRect(window, nullptr, FALSE);
      Notify(window, wParam ? STN_ENABLE : STN_DISABLE);
      return 0;
    case WM_SETTEXT: {
      LRESULT result = DefWindowProc(window, message, wParam, lParam);
      InvalidateRect(window, nullptr, FALSE);
      return result;
    }
    case WM_SETFONT:
      state->font = reinterpret_cast<HFONT>(wParam);
      if (lParam) InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(state->font);
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case STM_SETIMAGE:
      if (!IsImage(TypeOf(window)) || (wParam != IMAGE_BITMAP && wParam != IMAGE_ICON)) return 0;
      return reinterpret_cast<LRESULT>(SetImage(window, *state, static_cast<UINT>(wParam), reinterpret_cast<HANDLE>(lParam)));
    case STM_GETIMAGE:
      return state->imageType == wParam ? reinterpret_cast<LRESULT>(state->image) : 0;
    case STM_SETICON:
      if (TypeOf(window) != SS_ICON) return 0;
      return reinterpret_cast<LRESULT>(SetImage(window, *state, IMAGE_ICON, reinterpret_cast<HANDLE>(wParam)));
    case STM_GETICON:
      return state->imageType == IMAGE_ICON ? reinterpret_cast<LRESULT>(state->image) : 0;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

void StaticStart() {
  WNDCLASS c;
  c.style = CS_DBLCLKS | CS_GLOBALCLASS;
  c.lpfnWndProc = StaticProc;
  c.cbWndExtra = sizeof(void*);
  c.hCursor = LoadCursor(nullptr, IDC_ARROW);
  c.lpszClassName = kClassName;
  RegisterClass(&c);
}

void StaticEnd() { UnregisterClass(kClassName, nullptr); }
