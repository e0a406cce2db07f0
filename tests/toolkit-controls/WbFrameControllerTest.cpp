// The frame controller: pushes to registered controls, batching, registration and legacy reading.

#include <gtest/gtest.h>

#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "toolkit/controls/WbCommonFrameController.h"
#include "vcl/Controls.h"

namespace {

// Publishes a few of the sixteen names and counts what it is given.
class TFramedProbe : public TGraphicControl {
  TAVREN_CLASS(TFramedProbe, TGraphicControl)
 public:
  using TGraphicControl::TGraphicControl;
  TFrameStyle GetFrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Value) {
    FFrameStyle = Value;
    ++Writes;
  }
  TSides GetFrameSides() const { return FFrameSides; }
  void SetFrameSides(TSides Value) {
    FFrameSides = Value;
    ++Writes;
  }
  TWbFrameControllerNotifications GetFrameControllerNotifications() const { return FNotifications; }
  void SetFrameControllerNotifications(TWbFrameControllerNotifications Value) { FNotifications = Value; }
  TFrameStyle FFrameStyle = fsNone;
  TSides FFrameSides;
  TWbFrameControllerNotifications FNotifications = AllFrameControllerNotifications;
  int Writes = 0;
};

class TPullingProbe : public TGraphicControl, public IWbFramingClient {
  TAVREN_CLASS(TPullingProbe, TGraphicControl)
 public:
  using TGraphicControl::TGraphicControl;
  void PullFrameControllerValues() override { ++Pulls; }
  int Pulls = 0;
};

class TCountingController : public TWbFrameController {
  TAVREN_CLASS(TCountingController, TWbFrameController)
 public:
  using TWbFrameController::TWbFrameController;
  std::vector<TWbFrameControllerProperty> Pushes;

 protected:
  void UpdateControlFrame(TControl* Control, TWbFrameControllerProperty Property) override {
    Pushes.push_back(Property);
    TWbFrameController::UpdateControlFrame(Control, Property);
  }
};

}  // namespace

TAVREN_CLASS_IMPL_PUBLISHED(TFramedProbe,
    PROPERTY(FrameStyle),
    PROPERTY(FrameSides),
    PROPERTY(FrameControllerNotifications))
TAVREN_CLASS_IMPL(TPullingProbe)
TAVREN_CLASS_IMPL(TCountingController)

TEST(WbFrameController, PushesByNameOrThroughTheClient) {
  TCountingController controller(nullptr);
  TFramedProbe probe(nullptr);
  TPullingProbe puller(nullptr);
  controller.AddControl(&probe);
  controller.AddControl(&probe);  // twice: one push
  controller.AddControl(&puller);
  EXPECT_EQ(controller.Pushes.size(), 2u);
  EXPECT_EQ(probe.FFrameStyle, fsFlat);
  EXPECT_EQ(probe.FFrameSides, AllSides);
  EXPECT_EQ(puller.Pulls, 1);

  controller.SetFrameStyle(fsGroove);
  EXPECT_EQ(probe.FFrameStyle, fsGroove);
  EXPECT_EQ(puller.Pulls, 2);
  // A control that takes nothing from the controller is left alone; a client is still asked.
  probe.FNotifications = {};
  int writes = probe.Writes;
  controller.SetFrameStyle(fsRaised);
  EXPECT_EQ(probe.Writes, writes);
  EXPECT_EQ(puller.Pulls, 3);

  controller.RemoveControl(&probe);
  controller.RemoveControl(&puller);
  EXPECT_EQ(controller.GetControls(), nullptr);
}

TEST(WbFrameController, BatchedChangesPushOnceAtTheOutermostEnd) {
  TCountingController controller(nullptr);
  TFramedProbe probe(nullptr);
  controller.AddControl(&probe);
  controller.Pushes.clear();
  controller.BeginUpdate();
  controller.BeginUpdate();
  controller.SetColor(clRed);
  controller.SetFocusColor(clBlue);
  controller.SetDisabledColor(clGray);
  controller.SetReadOnlyColor(clYellow);
  controller.SetFrameColor(clBlack);
  controller.SetFrameHotColor(clLime);
  controller.SetFrameStyle(fsBump);
  controller.SetFrameHotStyle(fsRaised);
  controller.SetFrameSides({sdTop});
  controller.SetFlatButtons(false);
  controller.EndUpdate();
  EXPECT_TRUE(controller.Pushes.empty());
  controller.EndUpdate();
  EXPECT_EQ(controller.Pushes, std::vector<TWbFrameControllerProperty>{fcpAll});
  EXPECT_EQ(probe.FFrameStyle, fsBump);
  EXPECT_EQ(probe.FFrameSides, TSides{sdTop});
  // An extra end pushes again; the depth stays at 0.
  controller.EndUpdate();
  EXPECT_EQ(controller.Pushes.size(), 2u);
  EXPECT_EQ(controller.GetUpdateCount(), 0);
  controller.RemoveControl(&probe);
}

TEST(WbFrameController, SetterRules) {
  TWbFrameController controller(nullptr);
  controller.SetParentColor(true);
  controller.SetColor(clRed);
  EXPECT_FALSE(controller.GetParentColor());
  EXPECT_EQ(controller.GetFocusColor(), clRed);  // it followed the colour it equalled
  controller.SetFrameHotTrack(true);
  EXPECT_TRUE(controller.GetFrameVisible());
  EXPECT_EQ(controller.GetFrameSides(), AllSides);
}

TEST(WbFrameController, ReadsLegacyPropertiesWithoutWritingThem) {
  RegisterClasses({TWbFrameController::ClassInfo()});
  struct Case {
    const char* Text;
    bool HotTrack;
    TFrameStyle Style, HotStyle;
  };
  const Case kCases[] = {
      {"FrameFlat = True", true, fsStatus, fsLowered},
      {"FrameFlat = False", false, fsFlat, fsFlatBold},
      {"FrameFocusStyle = fsGroove\n  FrameFlatStyle = fsFlat", false, fsFlat, fsGroove},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Text);
    TWbFrameController controller(nullptr);
    TReader reader(String("object C: TWbFrameController\n  ") + c.Text + "\nend\n");
    reader.ReadRootComponent(&controller);
    EXPECT_EQ(controller.GetFrameHotTrack(), c.HotTrack);
    EXPECT_EQ(controller.GetFrameStyle(), c.Style);
    EXPECT_EQ(controller.GetFrameHotStyle(), c.HotStyle);
  }
}
