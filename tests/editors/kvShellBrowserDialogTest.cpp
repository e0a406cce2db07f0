// The folder browser driven as a person drives it: keys alone, then the mouse alone.

#include <sys/stat.h>

#include <cstdlib>
#include <functional>

#include "EditorsTestSupport.h"
#include "ShellScratchHome.h"
#include "backend/ScriptedInput.h"
#include "toolkit/editors/kvShellBrowser.h"
#include "toolkit/editors/kvShellBrowserDialog.h"
#include "controls/TreeView.h"
#include "user/VirtualKeys.h"

namespace {

class ShellBrowserDialog : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    scratch = std::make_unique<ScratchHome>(
        std::initializer_list<const char*>{"Videos/Holidays", "Videos/private", "Music", "Documents", ".cache"},
        std::initializer_list<std::pair<const char*, std::string>>{{"Videos/.hidden", "private\n"},
                                                                   {"Videos/clip.mp4", "x"}});
    home = scratch->home;
    dialog = std::make_unique<TkvShellBrowserDialog>(nullptr);
  }
  void TearDown() override {
    dialog.reset();
    scratch.reset();
    EditorsTest::TearDown();
  }
  // Steps run on the fake clock while the modal window runs.
  void At(Cardinal Time, std::function<void()> Step) { steps.Add(Time, std::move(Step)); }
  // A window still open long after the script ends is closed, so that a failing script fails
  // rather than waits.
  bool Execute() {
    At(5000, [&] {
      if (Window()) Window()->SetModalResult(mrCancel);
    });
    return dialog->Execute();
  }
  void Key(UINT VirtualKey, UINT Modifiers = 0) { ScriptKeyPress(VirtualKey, Modifiers); }
  TkvShellBrowserDlg* Window() { return dialog->GetDialogForm(); }
  POINT OnScreen(TControl* Control, TPoint P) {
    TPoint s = Control->ClientToScreen(P);
    return POINT{s.X, s.Y};
  }
  // The screen point of a node's text in the tree.
  POINT NodePoint(TTreeNode* Node) {
    TRect r = Node->DisplayRect(true);
    TWinControl* inner = Window()->kvStv->GetInnerTree();
    return OnScreen(inner, TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
  }
  // The screen point of a node's expand button, found by asking the tree what lies left of the
  // node's text.
  POINT ButtonPoint(TTreeNode* Node) {
    TRect r = Node->DisplayRect(true);
    HWND tree = Window()->kvStv->GetInnerTree()->GetHandle();
    const Integer y = (r.Top + r.Bottom) / 2;
    for (Integer x = r.Left; x >= 0; --x) {
      TVHITTESTINFO hit{};
      hit.pt = POINT{x, y};
      SendMessage(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      if (hit.flags & TVHT_ONITEMBUTTON) return OnScreen(Window()->kvStv->GetInnerTree(), TPoint(x, y));
    }
    ADD_FAILURE() << "no expand button";
    return POINT{0, 0};
  }
  TTreeNode* FindNode(const String& Text) {
    TTreeNodes* nodes = Window()->kvStv->GetInnerTree()->GetItems();
    for (Integer i = 0; i < nodes->GetCount(); ++i)
      if (nodes->GetItem(i)->GetText() == Text) return nodes->GetItem(i);
    return nullptr;
  }

  std::unique_ptr<ScratchHome> scratch;
  String home;
  std::unique_ptr<TkvShellBrowserDialog> dialog;
  ScriptedSteps steps;
};

TEST_F(ShellBrowserDialog, KeysAlonePickAFolderAndTheNextRunStartsThere) {
  bool okOnComputer = true;
  String shown;
  At(80, [&] { Key(VK_RIGHT); });   // open Desktop
  At(100, [&] { Key(VK_DOWN); });   // → Computer
  At(250, [&] { okOnComputer = Window()->kvButton1->GetEnabled(); });
  At(300, [&] { Key(VK_DOWN); });   // → Home
  At(350, [&] { Key(VK_RIGHT); });  // expand Home
  At(450, [&] { ScriptTypeText("Vid"); });
  At(600, [&] { Key(VK_RIGHT); });  // expand Videos
  At(700, [&] { Key(VK_RIGHT); });  // → its first folder
  At(800, [&] {
    shown = Window()->kvTeFolder->GetText();
  });
  At(900, [&] { Key(VK_RETURN); });
  EXPECT_TRUE(Execute());
  EXPECT_FALSE(okOnComputer);
  EXPECT_EQ(dialog->GetPath(), home + "/Videos/Holidays");
  EXPECT_EQ(shown, home + "/Videos/Holidays");
  EXPECT_EQ(dialog->GetDialogForm(), nullptr);

  // The next run opens at that folder; Esc keeps the path and answers false.
  String selected;
  At(1000, [&] { selected = Window()->GetSelectedPath(); });
  At(1100, [&] { Key(VK_ESCAPE); });
  EXPECT_FALSE(Execute());
  EXPECT_EQ(selected, home + "/Videos/Holidays");
  EXPECT_EQ(dialog->GetPath(), home + "/Videos/Holidays");
}

TEST_F(ShellBrowserDialog, TheMouseAlonePicksAFolder) {
  dialog->GetRoot()->SetBrowseFolder(bfProfile);
  At(50, [&] { ScriptClick(ButtonPoint(FindNode("Home"))); });
  At(100, [&] {
    TTreeNode* music = FindNode("Music");
    ASSERT_NE(music, nullptr);
    ScriptClick(NodePoint(music));
  });
  At(300, [&] {
    ScriptClick(OnScreen(Window()->kvButton1, TPoint(10, 10)));
  });
  EXPECT_TRUE(Execute());
  EXPECT_EQ(dialog->GetPath(), home + "/Music");
}

TEST_F(ShellBrowserDialog, TheSizeGripResizesWithinTheMinimum) {
  Integer width = 0, height = 0, grownWidth = 0, grownHeight = 0, smallWidth = 0, smallHeight = 0;
  POINT grip{0, 0};
  At(50, [&] {
    width = Window()->GetWidth();
    height = Window()->GetHeight();
    TRect r = Window()->GetSizeGripRect();
    grip = OnScreen(Window(), TPoint(r.Right - 3, r.Bottom - 3));
    ScriptDrag(grip, POINT{grip.X + 40, grip.Y + 30});
  });
  At(200, [&] {
    grownWidth = Window()->GetWidth();
    grownHeight = Window()->GetHeight();
    TRect r = Window()->GetSizeGripRect();
    POINT from = OnScreen(Window(), TPoint(r.Right - 3, r.Bottom - 3));
    ScriptDrag(from, POINT{from.X - 300, from.Y - 300});
  });
  At(350, [&] {
    smallWidth = Window()->GetWidth();
    smallHeight = Window()->GetHeight();
    Key(VK_ESCAPE);
  });
  Execute();
  EXPECT_EQ(grownWidth, width + 40);
  EXPECT_EQ(grownHeight, height + 30);
  EXPECT_EQ(smallWidth, 250);
  EXPECT_EQ(smallHeight, 300);
}

TEST_F(ShellBrowserDialog, HiddenFoldersStayHiddenAndTitlesTakeTheirPlace) {
  dialog->GetRoot()->SetBrowseFolder(bfProfile);
  dialog->SetTitle("Output folder");
  bool hiddenShown = true, privateShown = true;
  String caption, label;
  At(100, [&] {
    caption = Window()->GetCaption();
    label = Window()->lblFolder->GetCaption();
    hiddenShown = FindNode(".cache") != nullptr;
    Window()->SetPath(home + "/Videos");
  });
  At(200, [&] {
    privateShown = FindNode("private") != nullptr;
    Key(VK_ESCAPE);
  });
  EXPECT_FALSE(Execute());
  EXPECT_EQ(caption, "Output folder");
  EXPECT_EQ(label, "Current Folder");
  EXPECT_FALSE(hiddenShown);
  EXPECT_FALSE(privateShown);
}

TEST_F(ShellBrowserDialog, Screenshot) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  mkdir(output, 0755);
  dialog->SetPath(home + "/Videos");
  At(200, [&] {
    EXPECT_TRUE(screen.SaveWindowPng(Window()->GetHandle(), String(output) + "/editors-folder-browser.png"));
    Key(VK_ESCAPE);
  });
  Execute();
}

}  // namespace
