// The EDIT window procedure: the object behind each edit, and the EM_ and WM_ messages it answers.

#include <algorithm>
#include <cstring>

#include "controls/EditControl.h"
#include "controls/ScrollBars.h"
#include "rtl/UnicodeCase.h"
#include "gdi/DeviceContexts.h"
#include "gdi/Gdi.h"
#include "user/Caret.h"
#include "user/Cursors.h"
#include "user/User.h"

namespace {

bool SameFont(HFONT A, HFONT B) {
  if (A == B) return true;
  LOGFONT a{}, b{};
  if (!GetObject(A, sizeof(LOGFONT), &a) || !GetObject(B, sizeof(LOGFONT), &b)) return false;
  return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
         a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
         a.lfEscapement == b.lfEscapement && std::strcmp(a.lfFaceName, b.lfFaceName) == 0;
}

constexpr char kClassName[] = "Edit";
constexpr size_t kDefaultLimit = 32767;

// Message parameters that carry -1 as "none" or "all".
int Signed(WPARAM value) { return static_cast<int>(static_cast<intptr_t>(value)); }

}  // namespace

EditControl::EditControl(HWND window) : FWindow(window), FLimit(kDefaultLimit) {
  FMeasureDC = CreateCompatibleDC(nullptr);
  if (Style() & ES_PASSWORD) FPasswordChar = '*';
  SetFont(nullptr);
  ResetFormatRect();
  Relayout();
}

EditControl::~EditControl() {
  if (FFocused) DestroyCaret();
  DeleteDC(FMeasureDC);
}

DWORD EditControl::Style() const { return static_cast<DWORD>(GetWindowLong(FWindow, GWL_STYLE)); }

bool EditControl::ReadOnly() const { return (Style() & ES_READONLY) != 0; }

void EditControl::Invalidate() { InvalidateRect(FWindow, nullptr, FALSE); }

LRESULT EditControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
      if (create && create->lpszName && reinterpret_cast<uintptr_t>(create->lpszName) > 0xFFFF) {
        DWORD style = Style();
        FText = (style & ES_UPPERCASE)   ? Utf8UpperCase(create->lpszName)
                : (style & ES_LOWERCASE) ? Utf8LowerCase(create->lpszName)
                                         : String(create->lpszName);
      }
      FWraps = Multi() && !(Style() & (ES_AUTOHSCROLL | WS_HSCROLL));
      ResetFormatRect();
      Relayout();
      UpdateScrollBars();
      return 0;
    }
    case WM_NCDESTROY:
      FDestroyed = true;
      SetWindowLongPtr(FWindow, 0, 0);
      return DefWindowProc(FWindow, message, wParam, lParam);
    case WM_PAINT: {
      // A parent painting its children's windows together hands the DC in wParam.
      if (wParam) {
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
      }
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(FWindow, &paint);
      Paint(dc);
      EndPaint(FWindow, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting fills the whole client area
    case WM_SIZE:
      ResetFormatRect();
      Relayout();
      ScrollToCaret();
      UpdateScrollBars();
      PlaceCaret();
      Invalidate();
      return 0;
    case WM_SETFONT:
      // A font like the one it has (the same face, size and style): nothing to measure again.
      if (FFont && wParam && SameFont(FFont, reinterpret_cast<HFONT>(wParam))) {
        FFont = reinterpret_cast<HFONT>(wParam);
        if (lParam) Invalidate();
        return 0;
      }
      SetFont(reinterpret_cast<HFONT>(wParam));
      // A new font brings margins of its own size, as EC_USEFONTINFO asks.
      FLeftMargin = FRightMargin = FontInfoMargin();
      ResetFormatRect();
      Relayout();
      ScrollToCaret();
      UpdateScrollBars();
      PlaceCaret();
      if (lParam) Invalidate();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(FFont);
    case WM_SETTEXT:
      SetText(lParam ? reinterpret_cast<const char*>(lParam) : "");
      return TRUE;
    case WM_GETTEXT: {
      auto* buffer = reinterpret_cast<char*>(lParam);
      if (!buffer || wParam == 0) return 0;
      size_t count = std::min(FText.size(), static_cast<size_t>(wParam) - 1);
      // A short buffer gets whole characters only.
      if (count < FText.size()) count = SnapToChar(count);
      std::memcpy(buffer, FText.data(), count);
      buffer[count] = 0;
      return static_cast<LRESULT>(count);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(FText.size());
    case WM_SETFOCUS:
      FFocused = true;
      CreateCaret(FWindow, nullptr, 1, FLineHeight);
      PlaceCaret();
      ShowCaret(FWindow);
      if (FAnchor != FCaret) Invalidate();
      Notify(EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      FFocused = false;
      if (FSelecting && GetCapture() == FWindow) ReleaseCapture();
      FSelecting = false;
      DestroyCaret();
      if (FAnchor != FCaret) Invalidate();
      Notify(EN_KILLFOCUS);
      return 0;
    case WM_KEYDOWN:
      KeyDown(wParam);
      return 0;
    case WM_CHAR:
      Char(static_cast<BYTE>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      MouseDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, message == WM_LBUTTONDBLCLK);
      return 0;
    case WM_MOUSEMOVE:
      MouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONUP:
      if (FSelecting) {
        FSelecting = false;
        KillTimer(FWindow, kSelectionScrollTimer);
        if (GetCapture() == FWindow) ReleaseCapture();
      }
      return 0;
    case WM_CAPTURECHANGED:
      FSelecting = false;
      KillTimer(FWindow, kSelectionScrollTimer);
      return 0;
    case WM_TIMER:
      if (wParam == kSelectionScrollTimer) SelectionScrollTick();
      return 0;
    case WM_GETDLGCODE:
      return DialogCode(reinterpret_cast<const MSG*>(lParam));
    case WM_ENABLE:
      Invalidate();
      return 0;
    case WM_STYLECHANGED: {
      // Only alignment, password echo and the line mode change the layout; the wrap mode is the
      // window's from its creation, so a host may take the scroll styles away for a moment.
      auto* change = reinterpret_cast<const STYLESTRUCT*>(lParam);
      const DWORD layoutBits = ES_CENTER | ES_RIGHT | ES_PASSWORD | ES_MULTILINE;
      if (wParam != static_cast<WPARAM>(GWL_STYLE) || !change || ((change->styleOld ^ change->styleNew) & layoutBits))
        Relayout();
      Invalidate();
      return 0;
    }
    case WM_VSCROLL:
    case WM_HSCROLL:
      OnScroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      if (!Multi()) return DefWindowProc(FWindow, message, wParam, lParam);
      ScrollLines(-GET_WHEEL_DELTA_WPARAM(wParam) * 3 / WHEEL_DELTA, true);
      return 0;
    case WM_CUT:
      Cut();
      return 0;
    case WM_COPY:
      Copy();
      return 0;
    case WM_PASTE:
      Paste();
      return 0;
    case WM_CLEAR:
      Clear();
      return 0;
    case WM_UNDO:
    case EM_UNDO:
      Undo();
      return TRUE;
    case EM_CANUNDO:
      return FCanUndo;
    case EM_EMPTYUNDOBUFFER:
      FCanUndo = false;
      FLastKind = UndoKind::None;
      return 0;
    case EM_GETSEL: {
      size_t start = SelStart(), end = SelEnd();
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(start);
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(end);
      if (start > 0xFFFF || end > 0xFFFF) return -1;
      return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(start), static_cast<WORD>(end)));
    }
    case EM_SETSEL: {
      int start = Signed(wParam), end = Signed(static_cast<WPARAM>(lParam));
      size_t n = FText.size();
      FLastKind = UndoKind::None;
      if (start < 0) {
        SetSelection(FCaret, FCaret);
      } else {
        SetSelection(std::min(static_cast<size_t>(start), n), end < 0 ? n : std::min(static_cast<size_t>(end), n));
      }
      return 0;
    }
    case EM_REPLACESEL:
      ReplaceSelection(lParam ? reinterpret_cast<const char*>(lParam) : "", false,
                       wParam ? UndoKind::Other : UndoKind::None);
      return 0;
    case EM_LIMITTEXT:
      FLimit = wParam ? static_cast<size_t>(wParam) : (Multi() ? 0xFFFFFFFFu : 0x7FFFFFFEu);
      return 0;
    case EM_GETLIMITTEXT:
      return static_cast<LRESULT>(FLimit);
    case EM_GETMODIFY:
      return FModified;
    case EM_SETMODIFY:
      FModified = wParam != 0;
      return 0;
    case EM_SETREADONLY: {
      DWORD style = Style();
      SetWindowLong(FWindow, GWL_STYLE, static_cast<LONG>(wParam ? (style | ES_READONLY) : (style & ~ES_READONLY)));
      Invalidate();
      return TRUE;
    }
    case EM_SETPASSWORDCHAR: {
      if (Multi()) return 0;
      FPasswordChar = static_cast<uint32_t>(wParam);
      DWORD style = Style();
      SetWindowLong(FWindow, GWL_STYLE, static_cast<LONG>(FPasswordChar ? (style | ES_PASSWORD) : (style & ~ES_PASSWORD)));
      Relayout();
      ScrollToCaret();
      PlaceCaret();
      Invalidate();
      return 0;
    }
    case EM_GETPASSWORDCHAR:
      return (Style() & ES_PASSWORD) ? FPasswordChar : 0;
    case EM_SETMARGINS: {
      auto margin = [&](WORD value) { return value == EC_USEFONTINFO ? FontInfoMargin() : static_cast<int>(value); };
      const int left = FLeftMargin, right = FRightMargin;
      if (wParam & EC_LEFTMARGIN) FLeftMargin = margin(LOWORD(static_cast<uintptr_t>(lParam)));
      if (wParam & EC_RIGHTMARGIN) FRightMargin = margin(HIWORD(static_cast<uintptr_t>(lParam)));
      if (left == FLeftMargin && right == FRightMargin) return 0;
      ResetFormatRect();
      Relayout();
      ScrollToCaret();
      UpdateScrollBars();
      PlaceCaret();
      Invalidate();
      return 0;
    }
    case EM_GETMARGINS:
      return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(FLeftMargin), static_cast<WORD>(FRightMargin)));
    case EM_GETRECT:
      if (lParam) *reinterpret_cast<RECT*>(lParam) = FFormatRect;
      return 0;
    case EM_SETRECT:
    case EM_SETRECTNP:
      if (lParam) FFormatRect = *reinterpret_cast<const RECT*>(lParam);
      else ResetFormatRect();
      if (FFormatRect.Right < FFormatRect.Left) FFormatRect.Right = FFormatRect.Left;
      if (FFormatRect.Bottom < FFormatRect.Top) FFormatRect.Bottom = FFormatRect.Top;
      Relayout();
      ScrollToCaret();
      UpdateScrollBars();
      PlaceCaret();
      if (message == EM_SETRECT) Invalidate();
      return 0;
    case EM_GETLINECOUNT:
      return Multi() ? static_cast<LRESULT>(FLines.size()) : 1;
    case EM_LINEINDEX: {
      int line = Signed(wParam);
      if (line == -1) line = LineOfChar(FCaret);
      if (line < 0 || line >= static_cast<int>(FLines.size())) return -1;
      return static_cast<LRESULT>(FLines[static_cast<size_t>(line)].start);
    }
    case EM_LINELENGTH: {
      int index = Signed(wParam);
      if (index == -1) {
        const EditLine& first = FLines[static_cast<size_t>(LineOfChar(SelStart()))];
        const EditLine& last = FLines[static_cast<size_t>(LineOfChar(SelEnd()))];
        size_t before = SelStart() - std::min(first.start, SelStart());
        size_t after = last.end > SelEnd() ? last.end - SelEnd() : 0;
        return static_cast<LRESULT>(before + after);
      }
      if (index < 0) return 0;
      const EditLine& line = FLines[static_cast<size_t>(LineOfChar(std::min(static_cast<size_t>(index), FText.size())))];
      return static_cast<LRESULT>(line.end - line.start);
    }
    case EM_LINEFROMCHAR: {
      int index = Signed(wParam);
      size_t at = index < 0 ? SelStart() : std::min(static_cast<size_t>(index), FText.size());
      return LineOfChar(at);
    }
    case EM_GETLINE: {
      auto* buffer = reinterpret_cast<char*>(lParam);
      int line = Multi() ? Signed(wParam) : 0;
      if (!buffer || line < 0 || line >= static_cast<int>(FLines.size())) return 0;
      WORD size;
      std::memcpy(&size, buffer, sizeof size);
      const EditLine& l = FLines[static_cast<size_t>(line)];
      size_t count = std::min<size_t>(size, l.end - l.start);
      if (count < l.end - l.start) count = SnapToChar(l.start + count) - l.start;
      std::memcpy(buffer, FText.data() + l.start, count);
      return static_cast<LRESULT>(count);
    }
    case EM_POSFROMCHAR: {
      int index = Signed(wParam);
      if (index < 0 || static_cast<size_t>(index) > FText.size()) return -1;
      POINT at = PosOfChar(SnapToChar(static_cast<size_t>(index)));
      return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(at.X), static_cast<WORD>(at.Y)));
    }
    case EM_CHARFROMPOS: {
      size_t at = CharAtPoint({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(at), static_cast<WORD>(LineOfChar(at))));
    }
    case EM_SCROLLCARET:
      ScrollToCaret();
      PlaceCaret();
      return TRUE;
    case EM_GETFIRSTVISIBLELINE:
      if (Multi()) return FFirstLine;
      return static_cast<LRESULT>(CharAtPoint({FFormatRect.Left, FFormatRect.Top}));
    case EM_LINESCROLL:
      if (!Multi()) return FALSE;
      ScrollColumns(Signed(wParam) * FAveCharWidth);
      ScrollLines(Signed(static_cast<WPARAM>(lParam)), false);
      return TRUE;
    case EM_SCROLL: {
      if (!Multi()) return FALSE;
      int before = FFirstLine, visible = VisibleLines();
      switch (LOWORD(wParam)) {
        case SB_LINEUP: ScrollLines(-1, true); break;
        case SB_LINEDOWN: ScrollLines(1, true); break;
        case SB_PAGEUP: ScrollLines(-visible, true); break;
        case SB_PAGEDOWN: ScrollLines(visible, true); break;
        default: return FALSE;
      }
      return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(FFirstLine - before), TRUE));
    }
    default:
      return DefWindowProc(FWindow, message, wParam, lParam);
  }
}

namespace {

LRESULT EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* edit = reinterpret_cast<EditControl*>(GetWindowLongPtr(window, 0));
  if (!edit) {
    if (message != WM_NCCREATE) return DefWindowProc(window, message, wParam, lParam);
    // Owned through the window's extra bytes until WM_NCDESTROY.
    SetWindowLongPtr(window, 0, reinterpret_cast<LONG_PTR>(new EditControl(window)));
    return DefWindowProc(window, message, wParam, lParam);
  }
  ++edit->FBusy;
  LRESULT result = edit->Handle(message, wParam, lParam);
  if (--edit->FBusy == 0 && edit->FDestroyed) delete edit;
  return result;
}

}  // namespace

void EditStart() {
  WNDCLASS c;
  c.style = CS_DBLCLKS | CS_GLOBALCLASS;
  c.lpfnWndProc = EditProc;
  c.cbWndExtra = sizeof(void*);
  c.hCursor = LoadCursor(nullptr, IDC_IBEAM);
  c.lpszClassName = kClassName;
  RegisterClass(&c);
}

void EditEnd() { UnregisterClass(kClassName, nullptr); }
