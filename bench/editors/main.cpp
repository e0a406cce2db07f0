// The editors' text layout against the platform's DrawText: measuring a 64 KB word-wrapped text
// (goal: at most twice DrawText's time), and drawing one line with an end ellipsis from texts of
// 100 KB and 1 MB (goal: the larger at most twelve times the smaller, so cost follows what shows,
// not the length of the text); mouse moves over editors with buttons (EditMouseBench.cpp); and
// the edit masks (MaskBench.cpp); the log window's memo (MemoBench.cpp); a list view of 100,000
// rows (ListViewBench.cpp); a combo box of 10,000 items (ComboBench.cpp); the image editor with a
// 4000 x 3000 JPEG (ImageBench.cpp).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "ComboBench.h"
#include "EditMouseBench.h"
#include "ImageBench.h"
#include "ListViewBench.h"
#include "MaskBench.h"
#include "MemoBench.h"
#include "gdi/DcSurface.h"
#include "gdi/Gdi.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "toolkit/editors/kvDrawTextUtils.h"

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 200;

std::string Words(size_t bytes) {
  const char* words[] = {"convert", "video", "audio", "bitrate", "output", "folder", "frame", "rate", "profile",
                         "windows", "media", "resolution", "preview", "settings", "files", "remove", "start", "a",
                         "of", "the", "interlaced", "deinterlace", "aspect"};
  std::string text;
  for (size_t i = 0; text.size() < bytes; ++i) {
    text += words[(i * 7 + i / 3) % 23];
    text += (i % 37 == 36) ? "\r\n" : " ";
  }
  text.resize(bytes);
  return text;
}

class Target {
 public:
  Target() : pixels_(static_cast<size_t>(kWidth) * kHeight, 0xFFFFFFFF) {
    dc_ = CreateSurfaceDC(MakeSurface32(pixels_.data(), kWidth, kHeight, kWidth * 4), POINT{0, 0}, nullptr);
    LOGFONT font;
    font.lfHeight = -11;
    std::snprintf(font.lfFaceName, LF_FACESIZE, "Tahoma");
    font_ = CreateFontIndirect(&font);
    old_ = SelectObject(dc_, font_);
    SetBkMode(dc_, TRANSPARENT);
  }
  ~Target() {
    SelectObject(dc_, old_);
    DeleteObject(font_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }

 private:
  std::vector<uint32_t> pixels_;
  HDC dc_;
  HFONT font_;
  HGDIOBJ old_;
};

}  // namespace

int main() {
  RtlStart();
  GdiStart();
  {
    Target target;
    std::string wrapped = Words(64 * 1024);
    TRect layoutRect{}, platformRect{};
    double layout = Best(5, [&] {
      layoutRect = Rect(0, 0, kWidth, kHeight);
      DrawTextRows(target.dc(), wrapped, layoutRect, kvtfWordWrap | kvtfCalcRect, 0, 0, clNone, clNone);
    });
    double platform = Best(5, [&] {
      platformRect = Rect(0, 0, kWidth, kHeight);
      DrawText(target.dc(), wrapped.c_str(), static_cast<int>(wrapped.size()), &platformRect,
               DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    });
    std::printf("editors: 64 KB word-wrapped, measured: layout %.2f ms (%d x %d), DrawText %.2f ms (%d x %d), "
                "ratio %.2f (goal <= 2)\n",
                layout, layoutRect.Width(), layoutRect.Height(), platform, platformRect.Width(), platformRect.Height(),
                layout / platform);

    std::string small = Words(100 * 1024), large = Words(1024 * 1024);
    auto line = [&](const std::string& text) {
      return Best(5, [&] {
        TRect r = Rect(0, 0, kWidth, 16);
        DrawTextRows(target.dc(), text, r, kvtfSingleLine | kvtfEndEllipsis, 0, 0, clNone, clNone);
      });
    };
    double t100 = line(small), t1000 = line(large);
    std::printf("editors: one line with end ellipsis: 100 KB %.3f ms, 1 MB %.3f ms, ratio %.2f (goal <= 12)\n", t100,
                t1000, t1000 / t100);
  }
  RunEditMouseBench();
  RunMaskBench();
  RunMemoBench();
  RunListViewBench();
  RunComboBench();
  RunImageBench();
  GdiEnd();
  RtlEnd();
  return 0;
}
