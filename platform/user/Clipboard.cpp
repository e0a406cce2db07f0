// The clipboard's store: text as UTF-8 (both text formats are made from it), other formats as
// the handles they came in.

#include "user/Clipboard.h"

#include <cstring>
#include <map>
#include <optional>

#include "gdi/DeviceContexts.h"
#include "rtl/WideText.h"
#include "user/Backend.h"
#include "user/GlobalMemory.h"
#include "user/Messages.h"

namespace {

struct ClipboardState {
  bool open = false;
  HWND openedBy = nullptr;
  HWND owner = nullptr;
  std::optional<String> text;     // set here (also handed to the backend)
  std::map<UINT, HANDLE> others;  // owned
  HGLOBAL textOut[2] = {};        // what GetClipboardData handed out for CF_TEXT / CF_UNICODETEXT
};

ClipboardState gClipboard;

bool IsText(UINT format) { return format == CF_TEXT || format == CF_UNICODETEXT; }

void FreeHandle(UINT format, HANDLE data) {
  if (format == CF_BITMAP) DeleteObject(static_cast<HGDIOBJ>(data));
  else GlobalFree(data);
}

void FreeTextOut() {
  for (HGLOBAL& block : gClipboard.textOut) {
    if (block) GlobalFree(block);
    block = nullptr;
  }
}

void FreeAll() {
  for (auto& [format, data] : gClipboard.others) FreeHandle(format, data);
  gClipboard.others.clear();
  gClipboard.text.reset();
  FreeTextOut();
}

// The text of a block: up to its first 0, never past its end.
std::optional<String> ReadText(UINT format, HANDLE data) {
  size_t size = GlobalSize(data);
  auto* bytes = static_cast<const char*>(GlobalLock(data));
  if (!bytes) return std::nullopt;
  String text;
  if (format == CF_TEXT) {
    text.assign(bytes, strnlen(bytes, size));
  } else {
    WideString wide;
    for (size_t i = 0; i + 1 < size; i += 2) {
      char16_t c;
      std::memcpy(&c, bytes + i, 2);
      if (c == 0) break;
      wide.push_back(c);
    }
    text = UTF8Encode(wide);
  }
  GlobalUnlock(data);
  return text;
}

HGLOBAL MakeTextBlock(UINT format, const String& text) {
  HGLOBAL block;
  if (format == CF_TEXT) {
    block = GlobalAlloc(GHND, text.size() + 1);
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
  } else {
    WideString wide = UTF8Decode(text);
    block = GlobalAlloc(GHND, (wide.size() + 1) * 2);
    std::memcpy(GlobalLock(block), wide.c_str(), (wide.size() + 1) * 2);
  }
  GlobalUnlock(block);
  return block;
}

std::optional<String> CurrentText() {
  String desktop;
  if (CurrentDisplayBackend().GetClipboardText(&desktop)) {
    if (desktop.empty()) return std::nullopt;
    return desktop;
  }
  return gClipboard.text;
}

}  // namespace

BOOL OpenClipboard(HWND owner) {
  if (gClipboard.open && gClipboard.openedBy != owner) return FALSE;
  gClipboard.open = true;
  gClipboard.openedBy = owner;
  return TRUE;
}

BOOL CloseClipboard() {
  if (!gClipboard.open) return FALSE;
  gClipboard.open = false;
  gClipboard.openedBy = nullptr;
  return TRUE;
}

BOOL EmptyClipboard() {
  if (!gClipboard.open) return FALSE;
  FreeAll();
  gClipboard.owner = gClipboard.openedBy;
  CurrentDisplayBackend().SetClipboardText("");
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
  if (!gClipboard.open || !data || format == 0) return nullptr;
  if (IsText(format)) {
    std::optional<String> text = ReadText(format, data);
    if (!text) return nullptr;
    GlobalFree(data);
    gClipboard.text = *text;
    CurrentDisplayBackend().SetClipboardText(*text);
    // The handle is the clipboard's now; the caller may not use it again.
    return data;
  }
  auto it = gClipboard.others.find(format);
  if (it != gClipboard.others.end() && it->second != data) FreeHandle(format, it->second);
  gClipboard.others[format] = data;
  return data;
}

HANDLE GetClipboardData(UINT format) {
  if (!gClipboard.open) return nullptr;
  if (IsText(format)) {
    std::optional<String> text = CurrentText();
    if (!text) return nullptr;
    HGLOBAL& slot = gClipboard.textOut[format == CF_TEXT ? 0 : 1];
    if (slot) GlobalFree(slot);
    slot = MakeTextBlock(format, *text);
    return slot;
  }
  auto it = gClipboard.others.find(format);
  return it == gClipboard.others.end() ? nullptr : it->second;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  if (IsText(format)) return CurrentText().has_value();
  return gClipboard.others.count(format) != 0;
}

HWND GetClipboardOwner() { return gClipboard.owner; }

UINT RegisterClipboardFormat(const char* name) { return RegisterWindowMessage(name); }

bool SetClipboardString(HWND owner, const String& text) {
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  bool stored = false;
  if (auto* bytes = static_cast<char*>(GlobalLock(memory))) {
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    stored = SetClipboardData(CF_TEXT, memory) != nullptr;
  }
  if (!stored && memory) GlobalFree(memory);
  CloseClipboard();
  return stored;
}

bool GetClipboardString(HWND owner, String& text) {
  if (!OpenClipboard(owner)) return false;
  HANDLE data = GetClipboardData(CF_TEXT);
  const auto* bytes = static_cast<const char*>(GlobalLock(data));
  if (bytes) {
    text.assign(bytes, strnlen(bytes, GlobalSize(data)));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return bytes != nullptr;
}

void ClipboardEnd() {
  FreeAll();
  gClipboard = ClipboardState();
}
