// Panels and group boxes: border arithmetic, enabled-state memory, edge-keeping resizes, grid and
// group-box geometry.

#include <gtest/gtest.h>

#include "Screenshots.h"
#include "VclTestSupport.h"
#include "WbTestSupport.h"
#include "toolkit/controls/WbPanel.h"

using WbPanelTest = VclTest;

TEST_F(WbPanelTest, BorderRectFollowsStylesSidesAndBevelWidth) {
  TWbPanel panel(nullptr);
  struct Case {
    TFrameStyleEx Outer, Inner;
    TSides Sides;
    Integer BevelWidth;
    TRect Expected;
  };
  const Case kCases[] = {
      {fsStatus, fsNone, AllSides, 3, {3, 3, 97, 57}},
      {fsRaised, fsFlat, TSides{sdLeft, sdTop}, 1, {3, 3, 100, 60}},
      {fsRaised, fsLowered, TSides{}, 1, {0, 0, 100, 60}},
      {fsFlatRounded, fsPopup, TSides{sdBottom}, 2, {0, 0, 100, 56}},
  };
  for (const auto& c : kCases) {
    panel.SetBorderOuter(c.Outer);
    panel.SetBorderInner(c.Inner);
    panel.SetBorderSides(c.Sides);
    panel.SetBevelWidth(c.BevelWidth);
    EXPECT_EQ(panel.AdjustBorderRect({0, 0, 100, 60}, false), c.Expected);
  }
  panel.SetBorderWidth(4);
  EXPECT_EQ(panel.AdjustBorderRect({0, 0, 100, 60}, true), TRect(4, 4, 96, 52));
}

TEST_F(WbPanelTest, DisablingRemembersEachChildsOwnState) {
  TForm* form = NewForm();
  auto* panel = new TWbPanel(form);
  panel->SetParent(form);
  auto* a = new TWbPanel(form);
  auto* b = new TWbPanel(form);
  a->SetParent(panel);
  b->SetParent(panel);
  b->SetEnabled(false);
  panel->SetEnabled(false);
  EXPECT_FALSE(a->GetEnabled());
  auto* added = new TWbPanel(form);  // joins while the panel is disabled
  added->SetParent(panel);
  added->SetEnabled(false);
  panel->SetEnabled(true);
  EXPECT_TRUE(a->GetEnabled());
  EXPECT_FALSE(b->GetEnabled());
  EXPECT_TRUE(added->GetEnabled());
  // A child freed meanwhile leaves no entry behind.
  panel->SetEnabled(false);
  EXPECT_EQ(panel->GetEnabledStates().size(), 3u);
  delete b;
  EXPECT_EQ(panel->GetEnabledStates().size(), 2u);
  panel->SetEnabled(true);
}

TEST_F(WbPanelTest, BottomAndRightPanelsKeepTheirEdge) {
  TForm* form = NewForm();
  auto* bottom = new TWbPanel(form);
  bottom->SetParent(form);
  bottom->SetAlign(alBottom);
  bottom->SetHeight(40);
  const Integer edge = bottom->GetTop() + bottom->GetHeight();
  bottom->SetHeight(70);
  EXPECT_EQ(bottom->GetTop() + bottom->GetHeight(), edge);
  auto* right = new TWbPanel(form);
  right->SetParent(form);
  right->SetBounds(100, 10, 50, 50);
  right->SetAlign(alRight);
  const Integer rightEdge = right->GetLeft() + right->GetWidth();
  right->SetWidth(80);
  EXPECT_EQ(right->GetLeft() + right->GetWidth(), rightEdge);
}

TEST_F(WbPanelTest, GroupBoxGeometry) {
  TForm* form = NewForm();
  auto* box = new TWbGroupBox(form);
  box->SetParent(form);
  box->SetBounds(0, 0, 200, 105);
  TRect withCaption = box->GetClientRect();
  box->SetCaption("Video");
  TRect client = box->GetClientRect();
  box->AdjustClientRect(client);
  TRect empty{0, 0, 200, 105};
  box->SetCaption("");
  box->AdjustClientRect(empty);
  EXPECT_EQ(client.Top, empty.Top);  // gsFlat: the same offset with or without a caption
  EXPECT_GT(client.Top, withCaption.Top);
  box->SetCaption("&Audio");
  TRect c = box->CaptionRect();
  EXPECT_EQ(c.Left, 8);
  box->SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(box->CaptionRect().Right, 200 - 8);
  box->SetGroupStyle(gsTopLine);
  EXPECT_EQ(box->CaptionRect().Right, 200 - 4);
  box->SetGroupStyle(gsCustom);
  EXPECT_EQ(box->CaptionRect(), TRect());
}

TEST_F(WbPanelTest, TransparentPanelWithoutFullRepaintLeavesTheBackground) {
  TForm* form = NewForm(100, 100, 200, 100);
  form->SetBorderStyle(bsNone);
  form->SetColor(clRed);
  auto* panel = new TWbPanel(form);
  panel->SetParent(form);
  panel->SetBounds(10, 10, 50, 50);
  panel->SetBorderOuter(fsNone);
  panel->SetTransparent(true);
  form->Show();
  Settle();
  TBitmap shot;
  FillBitmap(shot, 50, 50, clWhite);
  panel->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(shot.GetCanvas()->GetHandle()), 0);
  EXPECT_EQ(PixelAt(shot, 25, 25), 0x0000FFu);  // the parent's red
  panel->SetFullRepaint(false);
  FillBitmap(shot, 50, 50, clWhite);
  EXPECT_EQ(panel->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(shot.GetCanvas()->GetHandle()), 0), 1);
  EXPECT_EQ(PixelAt(shot, 25, 25), 0xFFFFFFu);
}

TEST_F(WbPanelTest, DockedClientsGetCaptionBars) {
  TForm* form = NewForm(100, 100, 460, 240);
  form->SetCaption("Docking");
  auto* site = new TWbPanel(form);
  site->SetParent(form);
  site->SetBounds(10, 10, 200, 140);
  site->SetDockSite(true);
  site->SetCaption("");
  auto* strip = new TWbPanel(form);
  strip->SetParent(form);
  strip->SetAlign(alBottom);
  strip->SetHeight(70);
  strip->SetDockSite(true);
  strip->SetCaption("");
  auto client = [&](const char* caption, TColor color) {
    auto* c = new TWbPanel(form);
    c->SetParent(form);
    c->SetBounds(300, 10, 80, 60);
    c->SetCaption(caption);
    c->SetColor(color);
    c->SetBorderOuter(fsNone);
    return c;
  };
  TWbPanel* files = client("Files", clWindow);
  TWbPanel* preview = client("Preview", TColor(0xE0F0E0));
  TWbPanel* log = client("Log", clInfoBk);
  files->ManualDock(site, nullptr, alTop);
  preview->ManualDock(site, nullptr, alBottom);
  log->ManualDock(strip);
  auto* manager = dynamic_cast<TWbPanelDockManager*>(site->GetDockManager());
  ASSERT_NE(manager, nullptr);
  EXPECT_TRUE(site->GetDoubleBuffered());
  EXPECT_TRUE(manager->GrabberOnTop());
  EXPECT_EQ(files->GetTop(), 2 + 14);  // inside the raised border
  auto* stripManager = dynamic_cast<TWbPanelDockManager*>(strip->GetDockManager());
  ASSERT_NE(stripManager, nullptr);
  EXPECT_FALSE(stripManager->GrabberOnTop());  // a bottom panel puts the bar on the left
  EXPECT_EQ(log->GetLeft(), 2 + 14);
  form->Show();
  Settle();
  EXPECT_TRUE(SaveWindowShot(form->GetHandle(), "wb-panel-docking"));
  // The subclassing comes off with the manager.
  site->SetDockManager(nullptr);
  site->Perform(WM_COMMAND, 0, 0);
}
