// Every painter's parts side by side, saved under $TAVREN_TEST_OUTPUT/foundation/painters.png
// for a person to look at.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "PainterTestSupport.h"
#include "gdi/ImageFiles.h"
#include "toolkit/foundation/qzOffice11.h"

TEST(PainterSheet, EveryPainterSideBySide) {
  const char* root = std::getenv("TAVREN_TEST_OUTPUT");
  if (!root || !*root) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  Office11ColorsAddRef();

  using Part = std::function<void(TkvCustomLookAndFeelPainter*, TkvCanvas*, const TRect&)>;
  auto button = [](TkvButtonState State) -> Part {
    return [=](TkvCustomLookAndFeelPainter* P, TkvCanvas* C, const TRect& R) {
      P->PaintButton(C, R, "Ab", State, true, clDefault, clDefault, false);
    };
  };
  auto check = [](TkvButtonState State, TkvCheckBoxState Check) -> Part {
    return [=](TkvCustomLookAndFeelPainter* P, TkvCanvas* C, const TRect& R) {
      P->PaintCheckBox(C, RectCentered(R, 13, 13), State, Check);
    };
  };
  auto scroll = [](TkvScrollBarPart Which, TkvButtonState State) -> Part {
    return [=](TkvCustomLookAndFeelPainter* P, TkvCanvas* C, const TRect& R) {
      P->PaintScrollBarPart(C, false, RectCentered(R, 17, 24), Which, State);
    };
  };
  const std::vector<Part> parts = {
      button(kvbsDefault), button(kvbsNormal), button(kvbsHot), button(kvbsPressed), button(kvbsDisabled),
      check(kvbsNormal, cbsUnchecked), check(kvbsNormal, cbsChecked), check(kvbsHot, cbsGrayed),
      check(kvbsDisabled, cbsChecked),
      [](TkvCustomLookAndFeelPainter* P, TkvCanvas* C, const TRect& R) {
        P->PaintRadioButton(C, R.Left + 6, R.Top + 6, kvbsNormal, true, false, clBtnFace, false);
      },
      [](TkvCustomLookAndFeelPainter* P, TkvCanvas* C, const TRect& R) {
        const Integer e = P->ExpandButtonExtent();
        C->PushClip();
        P->PaintExpandButton(C, RectCentered(R, e, e), false, clDefault);
        C->PopClip();
      },
      [](TkvCustomLookAndFeelPainter* P, TkvCanvas* C, const TRect& R) {
        const Integer e = P->ExpandButtonExtent();
        C->PushClip();
        P->PaintExpandButton(C, RectCentered(R, e, e), true, clWindow);
        C->PopClip();
      },
      [](TkvCustomLookAndFeelPainter* P, TkvCanvas* C, const TRect& R) {
        const TRect h = RectInflated(R, 0, -6);
        P->PaintHeader(C, h, h, {bRight}, kvAllBorders, kvbsNormal, taCenter, vaCenter, false, false, "Hd", nullptr,
                       clBtnText, clBtnFace, TkvDrawBackgroundEvent(), false, 0);
      },
      [](TkvCustomLookAndFeelPainter* P, TkvCanvas* C, const TRect& R) {
        const TRect h = RectInflated(R, 0, -6);
        P->PaintHeader(C, h, h, {bLeft}, kvAllBorders, kvbsHot, taCenter, vaCenter, false, false, "Hd", nullptr,
                       clBtnText, clBtnFace, TkvDrawBackgroundEvent(), true, 0);
      },
      [](TkvCustomLookAndFeelPainter* P, TkvCanvas* C, const TRect& R) {
        P->PaintHeaderSection(C, RectInflated(R, 0, -6), RectInflated(R, -2, -8), {}, kvAllBorders, kvbsPressed,
                              taLeftJustify, vaTop, false, false, String(), nullptr, clBtnText, clBtnFace);
        P->PaintSortMark(C, RectInflated(R, 0, -6), true);
      },
      [](TkvCustomLookAndFeelPainter* P, TkvCanvas* C, const TRect& R) {
        P->PaintFooterCell(C, RectInflated(R, -2, -6), taLeftJustify, vaTop, false, String(), nullptr, clBtnText,
                           clBtnFace, TkvDrawBackgroundEvent());
      },
      [](TkvCustomLookAndFeelPainter* P, TkvCanvas* C, const TRect& R) {
        P->PaintFilterDropDownButton(C, RectCentered(R, 15, 18), kvbsNormal, false);
      },
      [](TkvCustomLookAndFeelPainter* P, TkvCanvas* C, const TRect& R) {
        const TRect t = RectInflated(R, -4, -6);
        for (TkvBorder side : {bLeft, bTop, bRight})
          P->PaintTabFrame(C,
                           side == bLeft    ? Rect(t.Left, t.Top, t.Left + 1, t.Bottom)
                           : side == bTop   ? Rect(t.Left, t.Top, t.Right, t.Top + 1)
                                            : Rect(t.Right - 1, t.Top, t.Right, t.Bottom),
                           side, kvAllBorders, false);
      },
      scroll(sbpLineUp, kvbsNormal), scroll(sbpLineDown, kvbsPressed), scroll(sbpThumbnail, kvbsHot),
      scroll(sbpPageUp, kvbsNormal), scroll(sbpPageDown, kvbsPressed),
      [](TkvCustomLookAndFeelPainter* P, TkvCanvas* C, const TRect& R) {
        P->PaintGroupButton(C, RectInflated(R, 0, -4), kvbsHot, 3, 1, clBtnShadow);
      },
      [](TkvCustomLookAndFeelPainter* P, TkvCanvas* C, const TRect& R) {
        P->PaintSizeGrip(C, RectCentered(R, 16, 16), clBtnFace);
      },
  };
  const std::vector<TkvCustomLookAndFeelPainter*> painters = {FlatPainter(), StandardPainter(), UltraFlatPainter(),
                                                              Office11Painter(), ThemedPainter()};
  constexpr Integer cell = 30;
  PainterSurface sheet(static_cast<Integer>(parts.size()) * cell, static_cast<Integer>(painters.size()) * cell);
  sheet.Clear(clWindow);
  for (size_t row = 0; row < painters.size(); ++row)
    for (size_t col = 0; col < parts.size(); ++col) {
      const TRect r = MakeBoundsRect(static_cast<Integer>(col) * cell + 2, static_cast<Integer>(row) * cell + 2,
                                     cell - 4, cell - 4);
      parts[col](painters[row], sheet.Canvas(), r);
    }
  Office11ColorsRelease();

  PixelImage image;
  image.width = sheet.bitmap.GetWidth();
  image.height = sheet.bitmap.GetHeight();
  for (Integer y = 0; y < image.height; ++y)
    for (Integer x = 0; x < image.width; ++x) {
      const COLORREF c = sheet.At(x, y);
      image.pixels.push_back(0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
    }
  std::vector<uint8_t> png;
  ASSERT_TRUE(EncodePng(image, png, false));
  const std::filesystem::path folder = std::filesystem::path(root) / "foundation";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "painters.png", std::ios::binary)
      .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  EXPECT_GT(sheet.Count(Rect(0, 0, image.width, image.height), clWindow), 0);
}
