// Cursors: system cursors made once from small pictures (backends show their own native shapes
// for them), the shown cursor and the show count, and WM_SETCURSOR's default.

#include "user/Cursors.h"

#include <array>
#include <cstring>

#include "gdi/Bitmaps.h"
#include "gdi/DeviceContexts.h"
#include "gdi/GdiObjects.h"
#include "gdi/IconObject.h"
#include "gdi/Icons.h"
#include "user/Backend.h"
#include "user/MessageNumbers.h"
#include "user/Window.h"

namespace {

// Pictures of the system cursors: 'X' black, 'O' white, anything else transparent. The first
// row holds the hot spot as '+' (taken as black).
const char* const kArrow[] = {
    "+",           "XX",          "XOX",         "XOOX",        "XOOOX",       "XOOOOX",     "XOOOOOX",
    "XOOOOOOX",    "XOOOOOOOX",   "XOOOOOOOOX",  "XOOOOOXXXXX", "XOOXOOX",     "XOX XOOX",   "XX  XOOX",
    "X    XOOX",   "     XOOX",   "      XOOX",  "      XOOX",  "       XX"};
const char* const kIBeam[] = {"OOO OOO", "   X", "   X", "   X", "   X", "   X", "   +", "   X",
                              "   X",     "   X", "   X", "   X", "   X", "OOO OOO"};
const char* const kCross[] = {"     X", "     X", "     X", "     X", "     X", "XXXXX+XXXXX",
                              "     X", "     X", "     X", "     X", "     X"};

struct SystemCursor {
  WORD id;
  const char* const* picture;
  size_t rows;
  HCURSOR handle = nullptr;
};

template <size_t N>
constexpr SystemCursor Entry(WORD id, const char* const (&picture)[N]) {
  return {id, picture, N};
}

std::array<SystemCursor, 14> gSystem = {
    Entry(32512, kArrow), Entry(32513, kIBeam), Entry(32514, kArrow), Entry(32515, kCross),
    Entry(32516, kArrow), Entry(32642, kCross), Entry(32643, kCross), Entry(32644, kCross),
    Entry(32645, kCross), Entry(32646, kCross), Entry(32648, kArrow), Entry(32649, kArrow),
    Entry(32650, kArrow), Entry(32651, kArrow)};

HCURSOR gCurrent = nullptr;
int gShowCount = 0;

HCURSOR MakeCursor(const SystemCursor& entry) {
  constexpr int kSize = 32;
  constexpr int kRowBytes = kSize / 8;
  // AND mask above the XOR image, as a monochrome cursor keeps them.
  std::vector<uint8_t> bits(static_cast<size_t>(kRowBytes) * kSize * 2, 0);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) bits[y * kRowBytes + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
  }
  POINT hotspot{0, 0};
  for (size_t y = 0; y < entry.rows; ++y) {
    const char* row = entry.picture[y];
    for (int x = 0; row[x] && x < kSize; ++x) {
      char c = row[x];
      if (c == '+') hotspot = {x, static_cast<int>(y)};
      if (c != 'X' && c != 'O' && c != '+') continue;
      bits[y * kRowBytes + x / 8] &= static_cast<uint8_t>(~(0x80 >> (x % 8)));
      if (c == 'O') bits[(kSize + y) * kRowBytes + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    }
  }
  HBITMAP mask = CreateBitmap(kSize, kSize * 2, 1, 1, bits.data());
  ICONINFO info;
  info.fIcon = FALSE;
  info.xHotspot = static_cast<DWORD>(hotspot.X);
  info.yHotspot = static_cast<DWORD>(hotspot.Y);
  info.hbmMask = mask;
  HCURSOR cursor = CreateIconIndirect(&info);
  DeleteObject(mask);
  return cursor;
}

SystemCursor* FindSystem(uintptr_t id) {
  for (SystemCursor& entry : gSystem) {
    if (entry.id == id) return &entry;
  }
  return nullptr;
}

void TellBackend() {
  CurrentDisplayBackend().ShowCursorShape(gCurrent, SystemCursorId(gCurrent), gShowCount >= 0 && gCurrent);
}

}  // namespace

HCURSOR LoadCursor(HINSTANCE instance, const char* name) {
  auto value = reinterpret_cast<uintptr_t>(name);
  if (!instance && value <= 0xFFFF) {
    SystemCursor* entry = FindSystem(value);
    if (!entry) return nullptr;
    if (!entry->handle || !LookupIcon(entry->handle)) entry->handle = MakeCursor(*entry);
    return entry->handle;
  }
  return static_cast<HCURSOR>(LoadImage(instance, name, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
}

HCURSOR LoadCursorFromFile(const char* fileName) {
  if (!fileName) return nullptr;
  return static_cast<HCURSOR>(LoadImage(nullptr, fileName, IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
}

HCURSOR SetCursor(HCURSOR cursor) {
  HCURSOR previous = gCurrent;
  if (cursor != gCurrent) {
    gCurrent = cursor;
    TellBackend();
  }
  return previous;
}

HCURSOR GetCursor() { return gCurrent; }

int ShowCursor(BOOL show) {
  bool wasShown = gShowCount >= 0;
  gShowCount += show ? 1 : -1;
  if (wasShown != (gShowCount >= 0)) TellBackend();
  return gShowCount;
}

HCURSOR CopyCursor(HCURSOR cursor) { return CopyIcon(cursor); }

int SystemCursorId(HCURSOR cursor) {
  if (!cursor) return 0;
  for (const SystemCursor& entry : gSystem) {
    if (entry.handle == cursor) return entry.id;
  }
  return 0;
}

LRESULT DefSetCursor(HWND handle, LPARAM lParam) {
  Window* w = WindowFromHandle(handle);
  if (!w) return FALSE;
  auto hit = static_cast<SHORT>(LOWORD(static_cast<uintptr_t>(lParam)));
  const char* shape = IDC_ARROW;
  switch (hit) {
    case HTCLIENT:
      if (w->windowClass && w->windowClass->cursor) {
        SetCursor(w->windowClass->cursor);
        return TRUE;
      }
      // A class without a cursor leaves the cursor as it is, for the window to set.
      return FALSE;
    case HTLEFT:
    case HTRIGHT: shape = IDC_SIZEWE; break;
    case HTTOP:
    case HTBOTTOM: shape = IDC_SIZENS; break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: shape = IDC_SIZENWSE; break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: shape = IDC_SIZENESW; break;
    default: break;
  }
  SetCursor(LoadCursor(nullptr, shape));
  return FALSE;
}

void CursorsEnd() {
  gCurrent = nullptr;
  gShowCount = 0;
  for (SystemCursor& entry : gSystem) {
    if (entry.handle) DestroyIcon(entry.handle);
    entry.handle = nullptr;
  }
}
