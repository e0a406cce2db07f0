// BitBlt SRCCOPY of a 741 x 436 surface against memcpy of the same bytes, and the union of 1,000
// rectangles through region handles against pixman alone; prints the time of each and the ratio.

#include <pixman.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "gdi/Gdi.h"

namespace {

constexpr int kWidth = 741;
constexpr int kHeight = 436;
constexpr int kPasses = 200;
constexpr int kRectangles = 1000;

template <class F>
double BestMicroseconds(int passes, F&& pass) {
  double best = 1e30;
  for (int i = 0; i < passes; ++i) {
    auto start = std::chrono::steady_clock::now();
    pass();
    std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
    best = std::min(best, elapsed.count());
  }
  return best;
}

HBITMAP Surface32(uint32_t** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = kWidth;
  info.bmiHeader.biHeight = -kHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* memory = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
  *bits = static_cast<uint32_t*>(memory);
  return bitmap;
}

void Report(const char* what, double ours, const char* against, double theirs, double goal) {
  std::printf("%-34s %9.1f us   %-14s %9.1f us   ratio %.2f (goal <= %.1f)\n", what, ours, against, theirs,
              ours / theirs, goal);
}

void BlitBench() {
  uint32_t* sourceBits = nullptr;
  uint32_t* destBits = nullptr;
  HBITMAP source = Surface32(&sourceBits);
  HBITMAP dest = Surface32(&destBits);
  for (int i = 0; i < kWidth * kHeight; ++i) sourceBits[i] = static_cast<uint32_t>(i * 2654435761u);
  HDC sourceDc = CreateCompatibleDC(nullptr);
  HDC destDc = CreateCompatibleDC(nullptr);
  HGDIOBJ oldSource = SelectObject(sourceDc, source);
  HGDIOBJ oldDest = SelectObject(destDc, dest);
  const size_t bytes = static_cast<size_t>(kWidth) * kHeight * 4;
  std::vector<uint32_t> plainSource(sourceBits, sourceBits + kWidth * kHeight);
  std::vector<uint32_t> plainDest(plainSource.size());
  const double blit = BestMicroseconds(kPasses, [&] { BitBlt(destDc, 0, 0, kWidth, kHeight, sourceDc, 0, 0, SRCCOPY); });
  const double copy = BestMicroseconds(kPasses, [&] {
    std::memcpy(plainDest.data(), plainSource.data(), bytes);
    asm volatile("" : : "r"(plainDest.data()) : "memory");
  });
  Report("BitBlt SRCCOPY 741 x 436", blit, "memcpy", copy, 1.5);
  SelectObject(sourceDc, oldSource);
  SelectObject(destDc, oldDest);
  DeleteDC(sourceDc);
  DeleteDC(destDc);
  DeleteObject(source);
  DeleteObject(dest);
}

void RegionBench() {
  std::mt19937 random(1234);
  std::vector<RECT> rects;
  for (int i = 0; i < kRectangles; ++i) {
    const int x = static_cast<int>(random() % kWidth), y = static_cast<int>(random() % kHeight);
    rects.push_back({x, y, x + 4 + static_cast<int>(random() % 40), y + 4 + static_cast<int>(random() % 20)});
  }
  int ourCount = 0, theirCount = 0;
  const double ours = BestMicroseconds(20, [&] {
    HRGN total = CreateRectRgn(0, 0, 0, 0);
    HRGN piece = CreateRectRgn(0, 0, 0, 0);
    for (const RECT& r : rects) {
      SetRectRgn(piece, r.Left, r.Top, r.Right, r.Bottom);
      CombineRgn(total, total, piece, RGN_OR);
    }
    ourCount = static_cast<int>(GetRegionData(total, 0, nullptr));
    DeleteObject(piece);
    DeleteObject(total);
  });
  const double theirs = BestMicroseconds(20, [&] {
    pixman_region32_t total;
    pixman_region32_init(&total);
    for (const RECT& r : rects) {
      pixman_region32_union_rect(&total, &total, r.Left, r.Top, static_cast<unsigned>(r.Right - r.Left),
                                 static_cast<unsigned>(r.Bottom - r.Top));
    }
    theirCount = pixman_region32_n_rects(&total);
    pixman_region32_fini(&total);
  });
  Report("CombineRgn of 1,000 rectangles", ours, "pixman", theirs, 1.2);
  if (ourCount != static_cast<int>(sizeof(RGNDATAHEADER) + theirCount * sizeof(RECT))) {
    std::printf("  (results differ: %d bytes against %d rectangles)\n", ourCount, theirCount);
  }
}

}  // namespace

void RunBlitBench() {
  BlitBench();
  RegionBench();
}
