#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "BarsTestSupport.h"
#include "toolkit/bars/qzBarExtItems.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "user/Painting.h"
#include "user/WindowStyles.h"
#include "vcl/StdCtrls.h"

namespace {

// A docked toolbar holding a container item with an edit box of the form, and a button after it.
class ContainerItems : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 420, 200);
    form->SetColor(clBtnFace);
    form->Show();
    edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(0, 0, 120, 21);
    edit->SetText("clip-01.avi");
    container = new TqzBarControlContainerItem(form);
    container->SetName("ClipName");
    container->SetControl(edit);
    button = new TqzBarButton(form);
    button->SetCaption("Open");
    bar = manager->GetBars()->AddBar();
    bar->SetCaption("Clip");
    bar->GetItemLinks()->AddLinkForItem(container);
    bar->GetItemLinks()->AddLinkForItem(button);
    bar->SetDockingStyle(dsTop);
    bar->SetVisible(true);
    Pump();
  }
  TqzBarItemLink* Link(Integer AIndex) { return bar->GetItemLinks()->GetLink(AIndex); }

  TEdit* edit = nullptr;
  TqzBarControlContainerItem* container = nullptr;
  TqzBarButton* button = nullptr;
  TqzBar* bar = nullptr;
};

TEST_F(ContainerItems, TheControlLivesInABorderlessChildFormOfTheBarWindow) {
  TqzBarControl* window = bar->GetBarControl();
  ASSERT_NE(window, nullptr);
  TPlaceForm* place = container->GetPlaceForm();
  EXPECT_EQ(edit->GetParent(), place);
  ASSERT_TRUE(place->HandleAllocated());
  EXPECT_EQ(::GetParent(place->GetHandle()), window->GetHandle());
  LONG style = GetWindowLong(place->GetHandle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_CHILD);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER));
  EXPECT_TRUE(IsWindowVisible(edit->GetHandle()));
  // The form covers the item's place exactly, the edit the whole form.
  TRect item = Link(0)->GetItemRect();
  EXPECT_EQ(TRect(place->GetLeft(), place->GetTop(), place->GetLeft() + place->GetWidth(),
                  place->GetTop() + place->GetHeight()),
            item);
  EXPECT_EQ(item.Width(), 120);
  EXPECT_EQ(item.Height(), 21);
  EXPECT_EQ(edit->GetBoundsRect(), TRect(0, 0, 120, 21));
  // The next link starts behind the control.
  EXPECT_GE(Link(1)->GetItemRect().Left, item.Right);
  EXPECT_EQ(container->GetPlaceForm()->GetBarItemControl(), Link(0)->GetControl());
}

TEST_F(ContainerItems, OneControlServesOneContainerItem) {
  auto* second = new TqzBarControlContainerItem(form);
  try {
    second->SetControl(edit);
    FAIL() << "a second item took the control";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "You cannot assign the same control to more than one TqzBarControlContainerItem");
  }
  EXPECT_EQ(second->GetControl(), nullptr);
  EXPECT_EQ(container->GetControl(), edit);
  // The same item again changes nothing.
  container->SetControl(edit);
  EXPECT_EQ(container->GetControl(), edit);
  EXPECT_EQ(edit->GetParent(), container->GetPlaceForm());
}

TEST_F(ContainerItems, AResizedControlRebuildsTheBar) {
  Integer buttonLeft = Link(1)->GetItemRect().Left;
  edit->SetWidth(170);
  Pump();
  EXPECT_EQ(Link(0)->GetItemRect().Width(), 170);
  EXPECT_EQ(Link(1)->GetItemRect().Left, buttonLeft + 50);
  EXPECT_EQ(container->GetPlaceForm()->GetWidth(), 170);
  EXPECT_EQ(edit->GetWidth(), 170);
}

TEST_F(ContainerItems, TheControlOutlivesTheBarWindowAndComesBack) {
  edit->SetText("clip-02.avi");
  bar->SetVisible(false);
  Pump();
  TPlaceForm* place = container->GetPlaceForm();
  EXPECT_FALSE(place->GetVisible());
  EXPECT_EQ(place->GetParentWindow(), nullptr);
  EXPECT_EQ(edit->GetText(), "clip-02.avi");
  bar->SetVisible(true);
  Pump();
  EXPECT_EQ(::GetParent(place->GetHandle()), bar->GetBarControl()->GetHandle());
  EXPECT_TRUE(IsWindowVisible(edit->GetHandle()));
  EXPECT_EQ(edit->GetText(), "clip-02.avi");
}

TEST_F(ContainerItems, AFreedControlLeavesThePlaceHolder) {
  delete edit;
  edit = nullptr;
  Pump();
  EXPECT_EQ(container->GetControl(), nullptr);
  EXPECT_FALSE(container->GetPlaceForm()->GetVisible());
  // The place holder is as long as the item's name and the bar's font size.
  auto* control = Link(0)->GetControl();
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(Link(0)->GetItemRect().Width(),
            control->TextExtent("ClipName").cx + bar->GetBarControl()->GetFont()->GetSize());
}

TEST_F(ContainerItems, ALinkTheBarCannotShowHidesTheControl) {
  // A button before the control and a form too narrow for both: the bar hides the control's link.
  auto* wide = new TqzBarButton(form);
  wide->SetCaption("Convert all clips");
  bar->GetItemLinks()->AddLinkForItem(wide)->SetIndex(0);
  form->SetWidth(180);
  Pump();
  EXPECT_TRUE(bar->GetBarControl()->GetLinksHidden());
  EXPECT_FALSE(container->GetPlaceForm()->GetVisible());
  form->SetWidth(420);
  Pump();
  EXPECT_TRUE(container->GetPlaceForm()->GetVisible());
  EXPECT_TRUE(IsWindowVisible(edit->GetHandle()));
}

TEST_F(ContainerItems, Screenshot) {
  // The extra kinds side by side: the edit in its container, a place holder, a static text, a
  // progress bar and a spin edit.
  auto* empty = new TqzBarControlContainerItem(form);
  empty->SetName("PlaceForAControl");
  bar->GetItemLinks()->AddLinkForItem(empty)->SetBeginGroup(true);
  TqzBar* more = manager->GetBars()->AddBar();
  more->SetCaption("More");
  auto* status = new TqzBarStatic(form);
  status->SetCaption("Ready");
  status->SetBorderStyle(sbsLowered);
  more->GetItemLinks()->AddLinkForItem(status);
  auto* progress = new TqzBarProgressItem(form);
  progress->SetCaption("Converting");
  progress->SetPosition(40);
  more->GetItemLinks()->AddLinkForItem(progress);
  auto* quality = new TqzBarSpinEdit(form);
  quality->SetCaption("Quality:");
  quality->SetShowCaption(true);
  quality->SetWidth(70);
  quality->SetMaxValue(100);
  quality->SetValue(85);
  quality->SetPrefix(" %");
  more->GetItemLinks()->AddLinkForItem(quality)->SetBeginGroup(true);
  more->SetDockingStyle(dsTop);
  more->SetRow(1);
  more->SetVisible(true);
  Pump();
  const char* dir = std::getenv("TAVREN_TEST_OUTPUT");
  String folder = dir ? dir : "test-output";
  std::filesystem::create_directories(folder);
  struct Style {
    TqzBarManagerStyle style;
    const char* name;
  } styles[] = {{bmsStandard, "standard"}, {bmsEnhanced, "enhanced"}, {bmsFlat, "flat"},
                {bmsOffice11, "office11"}, {bmsXP, "xp"}};
  for (const Style& style : styles) {
    manager->SetStyle(style.style);
    manager->GetBars()->RebuildAll();
    Pump();
    EXPECT_TRUE(screen.SaveScreenPng(folder + "/bar-extra-items-" + style.name + ".png")) << style.name;
  }
}

}  // namespace
