#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BarsTestSupport.h"
#include "gdi/DeviceContexts.h"
#include "toolkit/bars/qzBarPopupMenu.h"
#include "toolkit/bars/qzBarShadow.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "user/Clock.h"
#include "user/MessageNumbers.h"
#include "user/Messages.h"
#include "user/WindowPos.h"

namespace {

struct PartSpec {
  Byte kind, ends;
  TRect rect;
};

std::vector<PartSpec> PartsOf(const TqzBarShadow& AShadow) {
  std::vector<PartSpec> parts;
  for (Integer i = 0; i < AShadow.PartCount(); ++i) {
    TqzBarShadowPart* part = AShadow.GetPart(i);
    parts.push_back({part->GetStripKind(), part->GetFadedEnds(), part->GetBoundsRect()});
  }
  return parts;
}

class Shadows : public BarManagerOnForm {
 protected:
  void TearDown() override {
    SetScreenBitsPerPixel(0);
    BarManagerOnForm::TearDown();
  }
};

// The outline for a window alone, below its opener and beside it, with and without layering.
TEST_F(Shadows, TheStripsFollowTheWindowAndItsJoinedOpener) {
  constexpr Byte L = qzShadowFadeLeft, R = qzShadowFadeRight, T = qzShadowFadeTop;
  struct Case {
    const char* name;
    int bits;
    TRect opener, window;
    std::vector<PartSpec> parts;
  } const kCases[] = {
      {"free popup", 32, TRect(), TRect(100, 100, 300, 400),
       {{0, L | R, TRect(104, 400, 304, 404)}, {1, T, TRect(300, 104, 304, 400)}}},
      {"below a toolbar button", 32, TRect(100, 80, 150, 100), TRect(100, 100, 300, 400),
       {{1, T, TRect(150, 84, 154, 100)}, {0, L | R, TRect(104, 400, 304, 404)}, {1, T, TRect(300, 104, 304, 400)}}},
      {"above a wider button", 32, TRect(100, 400, 350, 420), TRect(120, 100, 300, 400),
       {{1, T, TRect(300, 104, 304, 400)}, {0, L | R, TRect(104, 420, 354, 424)}, {1, T, TRect(350, 404, 354, 420)}}},
      {"beside a menu item", 32, TRect(50, 150, 100, 170), TRect(100, 140, 300, 400),
       {{1, T, TRect(300, 144, 304, 400)},
        {0, L, TRect(54, 170, 100, 174)},
        {0, L | R, TRect(104, 400, 304, 404)}}},
      {"256 colours: 2 pixels", 8, TRect(), TRect(100, 100, 300, 400),
       {{0, L | R, TRect(102, 400, 302, 402)}, {1, T, TRect(300, 102, 302, 400)}}},
  };
  for (const Case& c : kCases) {
    SetScreenBitsPerPixel(c.bits);
    TqzBarShadow shadow(nullptr);
    shadow.SetRects(c.opener, c.window);
    std::vector<PartSpec> parts = PartsOf(shadow);
    ASSERT_EQ(parts.size(), c.parts.size()) << c.name;
    for (size_t i = 0; i < parts.size(); ++i) {
      EXPECT_EQ(parts[i].kind, c.parts[i].kind) << c.name << " " << i;
      EXPECT_EQ(parts[i].ends, c.parts[i].ends) << c.name << " " << i;
      EXPECT_EQ(parts[i].rect, c.parts[i].rect) << c.name << " " << i;
    }
  }
}

TEST_F(Shadows, LayeredStripsFadeOutwardsAndAtTheirEnds) {
  TqzBarShadow shadow(nullptr);
  shadow.SetRects(TRect(), TRect(100, 100, 300, 400));
  TqzBarShadowPart* bottom = shadow.GetPart(0);
  const std::vector<uint32_t>& image = bottom->GetAlphaImage();
  auto alpha = [&](Integer x, Integer y) { return image[static_cast<size_t>(y) * bottom->GetWidth() + x] >> 24; };
  // From the edge outwards: 60, 45, 30, 15; the end pixels keep 1/5 .. 4/5 of that.
  for (Integer y = 0; y < 4; ++y) EXPECT_EQ(alpha(100, y), static_cast<uint32_t>(15 * (4 - y)));
  EXPECT_EQ(alpha(0, 0), 12u);
  EXPECT_EQ(alpha(3, 0), 48u);
  EXPECT_EQ(alpha(199, 0), 12u);
  EXPECT_EQ(alpha(4, 0), 60u);
  TqzBarShadowPart* right = shadow.GetPart(1);
  EXPECT_EQ(right->GetAlphaImage()[0] >> 24, 12u);
  EXPECT_EQ(right->GetAlphaImage()[static_cast<size_t>(10) * 4 + 3] >> 24, 15u);
}

TEST_F(Shadows, AStripTooShortForItsFadedEndsStaysHiddenAndClicksFallThrough) {
  form->SetBounds(40, 30, 420, 300);
  form->Show();
  TqzBarShadow shadow(form);
  shadow.SetRects(TRect(), TRect(100, 100, 102, 300));
  shadow.SetVisible(true);
  TqzBarShadowPart* bottom = shadow.GetPart(0);
  EXPECT_FALSE(bottom->IsUsable());
  EXPECT_FALSE(bottom->HandleAllocated() && IsWindowVisible(bottom->GetHandle()));
  TqzBarShadowPart* right = shadow.GetPart(1);
  ASSERT_TRUE(right->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(right->GetHandle()));
  EXPECT_EQ(SendMessage(right->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(103, 150)), HTTRANSPARENT);
  EXPECT_EQ(WindowFromPoint(TPoint(103, 150)), form->GetHandle());
  shadow.SetVisible(false);
  EXPECT_FALSE(right->HandleAllocated());
}

TEST_F(Shadows, AFlatMenuCastsItsShadowOnceItStands) {
  form->SetBounds(40, 30, 420, 300);
  form->Show();
  auto* popup = new TqzBarPopupMenu(form);
  for (const char* caption : {"Cut", "Copy", "Paste"}) {
    auto* item = new TqzBarButton(form);
    item->SetCaption(caption);
    popup->GetItemLinks()->AddLinkForItem(item);
  }
  for (TqzBarManagerStyle style : {bmsEnhanced, bmsFlat}) {
    manager->SetStyle(style);
    manager->SetMenuAnimations(maUnfold);
    popup->PopupForOwner(100, 100, 0, 0, true, nullptr, false, nullptr);
    TqzBarSubMenuControl* menu = popup->GetMenuControl();
    ASSERT_NE(menu, nullptr);
    // Rolling out: no shadow yet.
    EXPECT_FALSE(menu->GetShadow()->GetVisible());
    SendMessage(menu->GetHandle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(menu->GetShadow()->GetVisible(), style == bmsFlat) << style;
    if (style == bmsFlat) {
      RECT window;
      GetWindowRect(menu->GetHandle(), &window);
      ASSERT_EQ(menu->GetShadow()->PartCount(), 2);
      EXPECT_EQ(menu->GetShadow()->GetPart(0)->GetBoundsRect(),
                TRect(window.Left + 4, window.Bottom, window.Right + 4, window.Bottom + 4));
    }
    menu->Dismiss();
    EXPECT_FALSE(IsBarControlLive(menu));
  }
}

}  // namespace
