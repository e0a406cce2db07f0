#include "core/GlobalFun.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include "core/CoreHost.h"
#include "core/EngineApi.h"
#include "gdi/Bitmaps.h"
#include "gdi/DeviceContexts.h"
#include "rtl/FileUtils.h"
#include "rtl/Math.h"
#include "rtl/Resources.h"
#include "rtl/SysUtils.h"
#include "user/Shell.h"
#include "user/SystemInfo.h"
#include "user/TempFiles.h"

namespace {

String ExecutablePath() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileName(nullptr, path, sizeof path);
  return length > 0 && length < sizeof path ? String(path, length) : String();
}

Integer ShowBox(const String& Text, const String& Caption, TBoxKind Kind) {
  if (TCoreHost* host = CoreHost()) return host->ShowMessageBox(Text, Caption, Kind);
  LogCoreError(Caption + ": " + Text);
  return 1;  // as if OK had been pressed
}

}  // namespace

String GetFileVersionText(const String& FileName) {
  if (FileName.empty() || ExpandFileName(FileName) != ExpandFileName(ExecutablePath())) return "";
  TModuleVersion v = GetModuleVersion();
  return Format("%d.%d.%d.%d", v.Major, v.Minor, v.Release, v.Build);
}

// The platform's facility creates the file exclusively (mode 0600) under a fresh name; the file is
// kept, so that the name cannot be taken over by someone else before the caller uses it.
String MakeTempFileName(const String& Prefix) {
  char name[MAX_PATH];
  if (GetTempFileName(TemporaryFolder().c_str(), Prefix.c_str(), 0, name) == 0)
    throw EOSError(Format("Cannot create a temporary file in %s: %s", TemporaryFolder(), std::strerror(errno)));
  return String(name);
}

Integer ShowInformation(const String& Text) { return ShowBox(Text, "Information", TBoxKind::Information); }
Integer ShowError(const String& Text) { return ShowBox(Text, "Error", TBoxKind::Error); }

bool BitmapFromPixels(TObject* Bitmap, const void* Pixels, Integer Length, Integer Width, Integer Height,
                      Integer BitCount) {
  if (!Bitmap || Length <= 0 || Width <= 0 || Height == 0 || BitCount <= 0) return false;
  TCoreHost* host = CoreHost();
  if (!host) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = Width;
  info.bmiHeader.biHeight = -std::abs(Height);  // rows from top to bottom
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(BitCount);
  info.bmiHeader.biCompression = BI_RGB;
  const Int64 imageSize = Int64{Width} * std::abs(Int64{Height}) * (BitCount / 8);
  info.bmiHeader.biSizeImage = static_cast<DWORD>(std::min<Int64>(imageSize, UINT32_MAX));
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!section || !bits) {
    if (section) DeleteObject(section);
    return false;
  }
  if (Pixels) std::memcpy(bits, Pixels, static_cast<size_t>(std::min<Int64>(imageSize, Length)));
  host->SetBitmapImage(Bitmap, section);
  return true;
}

void SplitAt(String& Text, Char Separator, String& Head) {
  size_t at = Text.find(Separator);
  if (at == String::npos) {
    Head = Text;
    Text.clear();
  } else {
    Head = Text.substr(0, at);
    Text.erase(0, at + 1);
  }
}

String FormatMilliseconds(bool WithMs, Int64 Milliseconds) {
  if (Milliseconds <= 0) return WithMs ? "00:00:00.000" : "00:00:00";
  const Int64 s = Milliseconds / 1000;
  const Int64 h = s / 3600, m = s % 3600 / 60, sec = s % 60, f = Milliseconds % 1000;
  String text = Format("%d%d:%d%d:%d%d", h / 10, h % 10, m / 10, m % 10, sec / 10, sec % 10);
  if (WithMs) text += Format(".%d%d%d", f / 100, f / 10 % 10, f % 10);
  return text;
}

String FormatTicks(bool WithMs, Int64 Ticks) {
  return FormatMilliseconds(WithMs, Round(static_cast<Extended>(Ticks) / 10000.0));
}

Integer ParseTimeText(const String& Text) {
  if (Text.empty()) return 0;
  String rest = Text, hours, minutes, seconds;
  SplitAt(rest, ':', hours);
  SplitAt(rest, ':', minutes);
  SplitAt(rest, '.', seconds);
  auto part = [](const String& s) -> Int64 {
    Integer value = 0;
    return TryStrToInt(s, value) ? value : 0;
  };
  // Summed in 64 bits: a large hour count must not wrap into a wrong (or negative) time.
  Int64 total = part(hours) * 3600000 + part(minutes) * 60000 + part(seconds) * 1000 + part(rest);
  return static_cast<Integer>(std::clamp<Int64>(total, INT32_MIN, INT32_MAX));
}

String ExecutableFolder() { return ExtractFilePath(ExecutablePath()); }

String TemporaryFolder() {
  char path[MAX_PATH];
  DWORD length = GetTempPath(sizeof path, path);
  return length > 0 && length < sizeof path ? String(path, length) : String("/tmp/");
}

String PersonalFolder() {
  char path[MAX_PATH];
  if (!SHGetSpecialFolderPath(nullptr, path, CSIDL_PERSONAL, FALSE)) return "";
  return IncludeTrailingPathDelimiter(path);
}
