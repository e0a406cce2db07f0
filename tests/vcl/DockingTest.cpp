// Docking: into a site's zones, floating in a tool window, refusing, dragging and the grabber.

#include <gtest/gtest.h>

#include "VclTestSupport.h"
#include "backend/ScriptedInput.h"
#include "vcl/DockTree.h"

namespace {

struct Refuser : TObject {
  bool Allow = true;
  void UnDock(TObject*, TControl*, TWinControl*, bool& AllowUnDock) { AllowUnDock = Allow; }
};

class DockingTest : public VclTest {
 protected:
  TTestPanel* Site(TForm* form) {
    auto* site = new TTestPanel(form);
    site->SetParent(form);
    site->SetBounds(10, 10, 200, 200);
    site->SetDockSite(true);
    site->SetUseDockManager(true);
    return site;
  }
  TTestPanel* Client(TForm* form, Integer Left) {
    auto* client = new TTestPanel(form);
    client->SetParent(form);
    client->SetBounds(Left, 250, 60, 40);
    return client;
  }
};

}  // namespace

TEST_F(DockingTest, ClientsShareTheSiteInZonesBelowTheirGrabbers) {
  TForm* form = NewForm(100, 100, 400, 400);
  TTestPanel* site = Site(form);
  TTestPanel* a = Client(form, 10);
  TTestPanel* b = Client(form, 100);
  EXPECT_TRUE(a->ManualDock(site));
  EXPECT_TRUE(b->ManualDock(site));
  ASSERT_NE(site->GetDockManager(), nullptr);
  EXPECT_EQ(site->GetDockClientCount(), 2);
  EXPECT_EQ(a->GetParent(), site);
  EXPECT_EQ(a->GetHostDockSite(), site);
  const Integer grab = site->GetDockManager()->GetGrabberSize();
  EXPECT_EQ(a->GetBoundsRect(), TRect(0, grab, 200, 100));
  EXPECT_EQ(b->GetBoundsRect(), TRect(0, 100 + grab, 200, 200));
  delete a;  // a freed client leaves its zone
  EXPECT_EQ(site->GetDockClientCount(), 1);
  EXPECT_EQ(b->GetBoundsRect(), TRect(0, grab, 200, 200));
}

TEST_F(DockingTest, FloatingAndRefusing) {
  TForm* form = NewForm(100, 100, 400, 400);
  TTestPanel* site = Site(form);
  TTestPanel* a = Client(form, 10);
  a->ManualDock(site);
  Refuser refuser;
  refuser.Allow = false;
  site->SetOnUnDock(MakeEvent<&Refuser::UnDock>(&refuser));
  EXPECT_FALSE(a->ManualFloat({300, 300, 360, 340}));
  EXPECT_EQ(a->GetHostDockSite(), site);
  refuser.Allow = true;
  EXPECT_TRUE(a->ManualFloat({300, 300, 360, 340}));
  EXPECT_TRUE(a->GetFloating());
  auto* host = dynamic_cast<TCustomDockForm*>(a->GetParent());
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(a->GetWidth(), 60);
  EXPECT_EQ(site->GetDockClientCount(), 0);
  // Docking back lets the tool window go.
  EXPECT_TRUE(a->ManualDock(site));
  Settle();
  EXPECT_EQ(a->GetParent(), site);
}

TEST_F(DockingTest, ADockingDragDocksIntoTheSiteUnderTheMouse) {
  TForm* form = NewForm(100, 100, 400, 400);
  form->SetBorderStyle(bsNone);
  TTestPanel* site = Site(form);
  TTestPanel* a = Client(form, 10);
  a->SetDragKind(dkDock);
  a->SetDragMode(dmAutomatic);
  form->Show();
  Settle();
  ScriptDrag({100 + 30, 100 + 270}, {100 + 100, 100 + 100}, 6);
  Settle();
  EXPECT_EQ(a->GetHostDockSite(), site);
  // The grabber's close button hides the client.
  TRect zone;
  site->GetDockManager()->GetControlBounds(a, zone);
  TRect close = site->GetDockManager()->CloseButtonRect(zone);
  TPoint at = site->ClientToScreen({(close.Left + close.Right) / 2, (close.Top + close.Bottom) / 2});
  ScriptClick({at.X, at.Y});
  Settle();
  EXPECT_FALSE(a->GetVisible());
}
