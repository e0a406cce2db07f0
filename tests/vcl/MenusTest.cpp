#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "backend/BackendStart.h"
#include "backend/HeadlessBackend.h"
#include "backend/ScriptedInput.h"
#include "user/User.h"
#include "vcl/Menus.h"
#include "VclTestSupport.h"

namespace {

struct ClickLog : TObject {
  std::vector<String> names;
  void Clicked(TObject* Sender) { names.push_back(static_cast<TMenuItem*>(Sender)->GetCaption()); }
};

// A popup menu over a focused window of its own, with a fake clock, and a log of the items
// clicked. The menu: Open, -, Save (checked), Export > (PNG, JPEG, Lossless (radio, checked)),
// Print (disabled), Close Ctrl+W.
class PopupMenuTest : public testing::Test {
 protected:
  void SetUp() override {
    SetClock(&clock);
    WNDCLASS c;
    if (!GetClassInfo(nullptr, "MenuTestHost", &c)) {
      c.lpfnWndProc = DefWindowProc;
      c.hbrBackground = SysColorClassBrush(COLOR_BTNFACE);
      c.lpszClassName = "MenuTestHost";
      RegisterClass(&c);
    }
    host = CreateWindowEx(0, "MenuTestHost", "Host", WS_POPUP | WS_VISIBLE, 40, 40, 400, 300, nullptr, nullptr,
                          nullptr, nullptr);
    SetFocus(host);
    menu = new TPopupMenu(nullptr);
    open = Add(menu->GetItems(), "&Open");
    Add(menu->GetItems(), "-");
    save = Add(menu->GetItems(), "&Save");
    save->SetChecked(true);
    exportItem = Add(menu->GetItems(), "E&xport");
    png = Add(exportItem, "&PNG");
    jpeg = Add(exportItem, "&JPEG");
    lossless = Add(exportItem, "&Lossless");
    lossless->SetRadioItem(true);
    lossless->SetChecked(true);
    print = Add(menu->GetItems(), "&Print");
    print->SetEnabled(false);
    close = Add(menu->GetItems(), "&Close");
    close->SetShortCut(TextToShortCut("Ctrl+W"));
  }
  void TearDown() override {
    delete menu;
    DestroyWindow(host);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    SetClock(nullptr);
  }

  TMenuItem* Add(TMenuItem* parent, const char* caption) {
    auto* item = new TMenuItem(menu);
    item->SetCaption(caption);
    item->SetOnClick(MakeEvent<&ClickLog::Clicked>(&log));
    parent->Add(item);
    return item;
  }

  FakeClock clock;
  HWND host = nullptr;
  TPopupMenu* menu = nullptr;
  TMenuItem *open, *save, *exportItem, *png, *jpeg, *lossless, *print, *close;
  ClickLog log;
  std::vector<String>& clicked = log.names;
};

// The popup menu windows on screen, left to right.
std::vector<RECT> MenuWindows() {
  std::vector<RECT> rects;
  for (HWND w = FindWindowEx(nullptr, nullptr, "#32768", nullptr); w; w = FindWindowEx(nullptr, w, "#32768", nullptr)) {
    if (!IsWindowVisible(w)) continue;
    RECT r;
    GetWindowRect(w, &r);
    rects.push_back(r);
  }
  std::sort(rects.begin(), rects.end(), [](const RECT& a, const RECT& b) { return a.Left < b.Left; });
  return rects;
}

std::vector<std::function<void()>>& Scheduled() {
  static std::vector<std::function<void()>> steps;
  return steps;
}

// Runs the scheduled steps one per timer tick while a menu loop is running.
void RunNextStep(HWND, UINT, UINT_PTR id, DWORD) {
  auto& steps = Scheduled();
  if (steps.empty()) {
    KillTimer(nullptr, id);
    return;
  }
  auto step = steps.front();
  steps.erase(steps.begin());
  step();
}

}  // namespace

TEST(Menus, ShortCutTextsRoundTrip) {
  struct Case { TShortCut shortCut; const char* text; };
  const Case kCases[] = {{TShortCut('S' | scCtrl), "Ctrl+S"},
                         {TShortCut(VK_DELETE | scShift), "Shift+Del"},
                         {TShortCut(VK_F5), "F5"},
                         {TShortCut(VK_F12 | scShift | scCtrl), "Shift+Ctrl+F12"},
                         {TShortCut('1' | scAlt), "Alt+1"},
                         {TShortCut(VK_RETURN | scCtrl), "Ctrl+Enter"},
                         {TShortCut(VK_ESCAPE), "Esc"},
                         {TShortCut(VK_PRIOR), "PgUp"}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ShortCutToText(c.shortCut), c.text);
    EXPECT_EQ(TextToShortCut(c.text), c.shortCut);
  }
  EXPECT_EQ(TextToShortCut("ctrl+shift+s"), TShortCut('S' | scCtrl | scShift));
  EXPECT_EQ(TextToShortCut("Ctrl+Nothing"), 0);
  EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
  EXPECT_EQ(ShortCutToText(0x00FF), "");
  EXPECT_EQ(GetHotkey("Save &As"), 'A');
  EXPECT_EQ(GetHotkey("Fish && &Chips"), 'C');
  EXPECT_EQ(GetHotkey("None"), 0);
  EXPECT_EQ(StripHotkey("Fish && &Chips"), "Fish & Chips");
}

TEST_F(PopupMenuTest, ItemsFormATreeWithRadioGroups) {
  EXPECT_EQ(menu->GetItems()->GetCount(), 6);
  EXPECT_EQ(menu->GetItems()->Find("export"), exportItem);
  EXPECT_EQ(exportItem->IndexOf(jpeg), 1);
  EXPECT_EQ(jpeg->GetParentMenu(), menu);
  EXPECT_THROW(menu->GetItems()->GetItem(6), EMenuError);
  EXPECT_THROW(png->Add(exportItem), EMenuError);  // an item inside itself

  auto* gif = new TMenuItem(menu);
  gif->SetRadioItem(true);
  exportItem->Insert(0, gif);
  gif->SetChecked(true);
  EXPECT_FALSE(lossless->GetChecked());
  EXPECT_EQ(exportItem->GetItem(0), gif);
  exportItem->Delete(0);
  EXPECT_EQ(exportItem->GetCount(), 3);

  // Shortcuts run their item; disabled and invisible items have none.
  TMessage key{WM_KEYDOWN, 'W', 0, 0};
  EXPECT_FALSE(menu->IsShortCut(key));  // Ctrl is not down
  EXPECT_EQ(menu->FindShortCut(TextToShortCut("Ctrl+W")), close);
  close->SetEnabled(false);
  EXPECT_EQ(menu->FindShortCut(TextToShortCut("Ctrl+W")), nullptr);
}

TEST_F(PopupMenuTest, ArrowsAndEnterChooseAnItemAfterTheMenuCloses) {
  struct Case { std::vector<UINT> keys; const char* chosen; };
  const Case kCases[] = {
      {{VK_DOWN, VK_DOWN, VK_RETURN}, "&Save"},                 // the separator is skipped
      {{VK_UP, VK_RETURN}, "&Close"},                           // wraps to the last
      {{VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}, "&JPEG"},
      {{VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_LEFT, VK_DOWN, VK_RETURN}, nullptr},  // Print is disabled
      {{VK_DOWN, VK_ESCAPE}, nullptr},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(testing::PrintToString(c.keys));
    clicked.clear();
    for (UINT key : c.keys) ScriptKeyPress(key);
    if (!c.chosen) ScriptKeyPress(VK_ESCAPE);  // ends the loop when the keys chose nothing
    menu->Popup(100, 100);
    EXPECT_TRUE(MenuWindows().empty());
    if (c.chosen)
      EXPECT_EQ(clicked, std::vector<String>{c.chosen});
    else
      EXPECT_TRUE(clicked.empty());
  }
}

TEST_F(PopupMenuTest, MnemonicsChooseAndOpenSubMenus) {
  ScriptKeyPress('X');
  ScriptKeyPress('J');
  menu->Popup(100, 100);
  EXPECT_EQ(clicked, std::vector<String>{"&JPEG"});

  clicked.clear();
  ScriptKeyPress('P');  // disabled: nothing happens
  ScriptKeyPress(VK_ESCAPE);
  menu->Popup(100, 100);
  EXPECT_TRUE(clicked.empty());
  EXPECT_EQ(GetFocus(), host);  // the menu never took the focus
}

TEST_F(PopupMenuTest, HoverOpensSubMenuAfterTheDelayAndAClickChooses) {
  int popups = 0;
  struct Counter : TObject {
    int* n;
    void Popped(TObject*) { ++*n; }
  } counter;
  counter.n = &popups;
  menu->SetOnPopup(MakeEvent<&Counter::Popped>(&counter));

  // The pointer rests on Export; once the sub-menu is up a screenshot is taken and PNG clicked.
  std::vector<RECT> seen;
  Scheduled() = {
      [&] {
        seen = MenuWindows();
        ASSERT_EQ(seen.size(), 1u);
        // Five items and a separator of 9 pixels inside a frame of 3: Export is the third item.
        const int row = (seen[0].Bottom - seen[0].Top - 6 - 9) / 5;
        ScriptMouseMove({seen[0].Left + 20, seen[0].Top + 3 + 2 * row + 9 + row / 2});
      },
      [&] {
        seen = MenuWindows();
        ASSERT_EQ(seen.size(), 2u);
        if (const char* dir = std::getenv("TAVREN_TEST_OUTPUT")) {
          std::filesystem::create_directories(dir);
          if (HeadlessBackend* backend = CurrentHeadlessBackend()) {
            EXPECT_TRUE(backend->SaveScreenPng(std::string(dir) + "/vcl-popup-menu.png"));
          }
        }
        ScriptClick({seen[1].Left + 20, seen[1].Top + 3 + 5});
      },
  };
  SetTimer(nullptr, 0, 1000, &RunNextStep);
  menu->Popup(100, 100);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(clicked, std::vector<String>{"&PNG"});
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_GE(seen[1].Left, seen[0].Right - 3 - 1);  // the sub-menu opens to the right
  EXPECT_EQ(menu->GetPopupPoint(), Point(100, 100));
}

TEST_F(PopupMenuTest, ClickOutsideDismisses) {
  ScriptClick({20, 20});
  menu->Popup(100, 100);
  EXPECT_TRUE(clicked.empty());
  EXPECT_TRUE(MenuWindows().empty());
}

namespace {

class ContextPopupTest : public VclTest {};

}  // namespace

TEST_F(ContextPopupTest, ContextMessagePopsUpTheControlsMenu) {
  TForm* form = NewForm();
  auto* panel = new TTestPanel(form);
  panel->SetParent(form);
  form->Show();
  Settle();
  TPopupMenu menu(form);
  ClickLog log;
  for (const char* caption : {"&Cut", "&Paste"}) {
    auto* item = new TMenuItem(&menu);
    item->SetCaption(caption);
    item->SetOnClick(MakeEvent<&ClickLog::Clicked>(&log));
    menu.GetItems()->Add(item);
  }
  panel->SetPopupMenu(&menu);

  const TPoint at = panel->ClientToScreen(Point(5, 5));
  ScriptKeyPress(VK_DOWN);
  ScriptKeyPress(VK_DOWN);
  ScriptKeyPress(VK_RETURN);
  SendMessage(panel->GetHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->GetHandle()),
              MAKELPARAM(static_cast<WORD>(at.X), static_cast<WORD>(at.Y)));
  EXPECT_EQ(log.names, std::vector<String>{"&Paste"});
  EXPECT_EQ(menu.GetPopupComponent(), panel);
  EXPECT_EQ(menu.GetPopupPoint(), at);

  // Without AutoPopup the control's menu stays down.
  menu.SetAutoPopup(false);
  ScriptKeyPress(VK_ESCAPE);  // would end a menu that wrongly came up
  SendMessage(panel->GetHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->GetHandle()),
              MAKELPARAM(static_cast<WORD>(at.X), static_cast<WORD>(at.Y)));
  Settle();
  EXPECT_EQ(log.names.size(), 1u);
  panel->SetPopupMenu(nullptr);
}

TEST_F(PopupMenuTest, OwnerDrawnMenusMeasureAndDrawThroughTheirEvents) {
  struct Painter : TObject {
    int measured = 0, drawn = 0;
    bool sawSelected = false;
    void Measure(TObject*, TCanvas*, Integer& Width, Integer& Height) {
      ++measured;
      Width = 120;
      Height = 30;
    }
    void Draw(TObject*, TCanvas* ACanvas, TRect ARect, TOwnerDrawState State) {
      ++drawn;
      sawSelected = sawSelected || State.Contains(odSelected);
      ACanvas->GetBrush()->SetColor(State.Contains(odSelected) ? clRed : clLime);
      ACanvas->FillRect(ARect);
    }
  } painter;
  open->SetOnMeasureItem(MakeEvent<&Painter::Measure>(&painter));
  open->SetOnAdvancedDrawItem(MakeEvent<&Painter::Draw>(&painter));

  // Without OwnerDraw the events stay quiet.
  ScriptKeyPress(VK_ESCAPE);
  menu->Popup(100, 100);
  EXPECT_EQ(painter.measured + painter.drawn, 0);

  menu->SetOwnerDraw(true);
  std::vector<RECT> seen;
  Scheduled() = {[&] {
    seen = MenuWindows();
    ScriptKeyPress(VK_ESCAPE);
  }};
  ScriptKeyPress(VK_DOWN);
  SetTimer(nullptr, 0, 1000, &RunNextStep);
  menu->Popup(100, 100);
  EXPECT_EQ(painter.measured, 1);
  EXPECT_GE(painter.drawn, 1);
  EXPECT_TRUE(painter.sawSelected);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Right - seen[0].Left, 120 + 6);  // the widest item and the frame
}
