// The page control as the clip editor uses it: loaded from a form resource, switching pages by
// click, keys and Ctrl+Tab with the focus following into the shown page, the veto, hidden tabs,
// page order, closing, colours and moving a page by dropping its tab.

#include <gtest/gtest.h>

#include "Screenshots.h"
#include "VclTestSupport.h"
#include "backend/ScriptedInput.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "toolkit/controls/WbEdit.h"
#include "toolkit/controls/WbPanel.h"
#include "toolkit/controls/WbSpnEdt.h"
#include "toolkit/controls/WbTabs.h"
#include "toolkit/controls/WbTrkBar.h"
#include "user/VirtualKeys.h"

class TClipPagesForm : public TForm {
  TAVREN_CLASS(TClipPagesForm, TForm)
 public:
  using TForm::TForm;
  TWbPageControl* pgcClip = nullptr;
  TWbTabSheet* tabEffect = nullptr;
  TWbTabSheet* tabTrim = nullptr;
  TWbTabSheet* tabCrop = nullptr;
  TWbMaskEdit* edtStart = nullptr;
  TWbSpinEdit* seLeft = nullptr;
  TWbTrackBar* trbBrightness = nullptr;
  std::vector<String> Events;
  bool Allow = true;

  void PagesChanging(TObject*, Integer NewIndex, bool& AllowChange) {
    Events.push_back("changing " + std::to_string(NewIndex));
    AllowChange = Allow;
  }
  void PagesChange(TObject*) { Events.push_back("change"); }
  void PagesPageChange(TObject*) { Events.push_back("page change"); }
};

TAVREN_CLASS_IMPL_PUBLISHED(TClipPagesForm,
    FIELD(pgcClip), FIELD(tabEffect), FIELD(tabTrim), FIELD(tabCrop), FIELD(edtStart), FIELD(seLeft),
    FIELD(trbBrightness), METHOD(PagesChanging), METHOD(PagesChange), METHOD(PagesPageChange))

// Opens the drop to the test.
class TDropPages : public TWbPageControl {
  TAVREN_CLASS(TDropPages, TWbPageControl)
 public:
  using TWbPageControl::TWbPageControl;
  using TWbCustomTabControl::DragDrop;
};
TAVREN_CLASS_IMPL(TDropPages)

namespace {

class WbPageControlTest : public VclTest {
 protected:
  void SetUp() override {
    VclTest::SetUp();
    RegisterClasses({TClipPagesForm::ClassInfo()});
  }
  void Load() {
    Application()->CreateForm(form);
    forms.push_back(form);
    ASSERT_EQ(form->pgcClip->GetFixedDimension(), 19);
    form->Show();
    Settle();
  }
  POINT TabPoint(Integer Tab) {
    TRect r = form->pgcClip->TabClientRect(Tab);
    TPoint p = form->pgcClip->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    return {p.X, p.Y};
  }
  // A page control of its own with pages named by their captions.
  TDropPages* NewPages(std::initializer_list<const char*> captions) {
    TForm* f = NewForm();
    auto* pages = new TDropPages(f);
    pages->SetParent(f);
    pages->SetBounds(0, 0, 380, 260);
    for (const char* caption : captions) {
      auto* sheet = new TWbTabSheet(f);
      sheet->SetCaption(caption);
      sheet->SetParentPageControl(pages);
    }
    f->Show();
    Settle();
    return pages;
  }
  TClipPagesForm* form = nullptr;
};

}  // namespace

TEST_F(WbPageControlTest, TheClipEditorFormLoadsShowingTrimWithoutEvents) {
  Load();
  TWbPageControl* pages = form->pgcClip;
  EXPECT_EQ(pages->GetPageListCount(), 3);
  EXPECT_EQ(pages->GetActivePage(), form->tabTrim);
  EXPECT_EQ(pages->GetTabIndex(), 1);
  EXPECT_TRUE(form->tabTrim->GetVisible());
  EXPECT_FALSE(form->tabEffect->GetVisible());
  EXPECT_FALSE(form->tabCrop->GetVisible());
  EXPECT_TRUE(form->Events.empty());
  EXPECT_EQ(pages->GetTabStyle(), tsRoundCorners);
  EXPECT_FALSE(pages->GetUseColoredTabs());
  // The page fills the page rectangle.
  TRect page = pages->PageRect();
  EXPECT_EQ(form->tabTrim->GetLeft(), page.Left);
  EXPECT_EQ(form->tabTrim->GetTop(), page.Top);
  EXPECT_TRUE(SaveWindowShot(form->GetHandle(), "wb-tabs-clip-editor-form"));
}

TEST_F(WbPageControlTest, ClicksKeysAndCtrlTabSwitchPagesAndTheVetoHolds) {
  Load();
  TWbPageControl* pages = form->pgcClip;
  ScriptClick(TabPoint(0));
  Settle();
  EXPECT_EQ(pages->GetActivePage(), form->tabEffect);
  EXPECT_EQ(form->Events, (std::vector<String>{"changing 0", "change", "page change"}));
  EXPECT_TRUE(form->tabEffect->GetVisible());
  EXPECT_FALSE(form->tabTrim->GetVisible());

  // Arrow keys on the focused control.
  pages->SetFocus();
  ScriptKeyPress(VK_RIGHT);
  Settle();
  EXPECT_EQ(pages->GetActivePage(), form->tabTrim);

  // Ctrl+Tab from inside a page: the next page, the focus moves into it.
  form->edtStart->SetFocus();
  Settle();
  ScriptKeyPress(VK_TAB, kCtrl);
  Settle();
  EXPECT_EQ(pages->GetActivePage(), form->tabCrop);
  EXPECT_TRUE(form->tabCrop->ContainsControl(form->GetActiveControl()));
  ScriptKeyPress(VK_TAB, kCtrl | kShift);
  Settle();
  EXPECT_EQ(pages->GetActivePage(), form->tabTrim);

  // A veto keeps the page and the tab.
  form->Allow = false;
  form->Events.clear();
  ScriptClick(TabPoint(2));
  Settle();
  EXPECT_EQ(pages->GetActivePage(), form->tabTrim);
  EXPECT_EQ(pages->GetTabIndex(), 1);
  EXPECT_EQ(form->Events, (std::vector<String>{"changing 2"}));
}

TEST_F(WbPageControlTest, HiddenTabsAreSkippedAndDeselectTheActivePage) {
  Load();
  TWbPageControl* pages = form->pgcClip;
  form->tabTrim->SetTabVisible(false);
  EXPECT_EQ(pages->GetTabIndex(), -1);
  EXPECT_EQ(pages->GetActivePage(), form->tabTrim);
  EXPECT_TRUE(form->tabTrim->GetVisible());
  EXPECT_EQ(pages->GetTabs()->GetCount(), 2);
  EXPECT_EQ(form->tabCrop->GetVisibleTabIndex(), 1);

  form->tabTrim->SetTabVisible(true);
  pages->SetActivePage(form->tabEffect);
  form->tabTrim->SetTabVisible(false);
  pages->SelectAdjacentPage(true);
  EXPECT_EQ(pages->GetActivePage(), form->tabCrop);
  EXPECT_THROW(form->tabCrop->SetVisible(false), Exception);
}

TEST_F(WbPageControlTest, PageIndexOrderAndItsErrors) {
  TDropPages* pages = NewPages({"Effect", "Trim", "Crop"});
  TWbTabSheet* crop = pages->GetPageList(2);
  for (Integer bad : {-1, 3}) {
    try {
      crop->SetPageIndex(bad);
      ADD_FAILURE() << bad;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), std::to_string(bad) + " is an invalid PageIndex value. PageIndex must be between 0 and 2");
    }
  }
  EXPECT_EQ(crop->GetPageIndex(), 2);
  crop->SetPageIndex(0);
  EXPECT_EQ(pages->GetPageList(0), crop);
  EXPECT_EQ(pages->GetTabs()->GetItems(0)->Caption, "Crop");
}

TEST_F(WbPageControlTest, ClosingTheActiveTabSelectsTheOneBefore) {
  struct Case {
    Integer Closed, Then;
    const char* Shown;
  };
  for (const Case& c : {Case{2, 1, "Trim"}, Case{0, 0, "Trim"}}) {
    TDropPages* pages = NewPages({"Effect", "Trim", "Crop"});
    pages->SetShowCloseButton(true);
    struct Closer : TObject {
      void Close(TObject*, bool& Allow) { Allow = true; }
    } closer;
    pages->SetActivePagePosition(c.Closed);
    // Without an OnClose handler the button closes nothing.
    TWbTabCloseButton* button = pages->GetCloseButton();
    TPoint p = button->ClientToScreen({button->GetWidth() / 2, button->GetHeight() / 2});
    ScriptClick({p.X, p.Y});
    Settle();
    EXPECT_EQ(pages->GetPageListCount(), 3);
    pages->SetOnClose(MakeEvent<&Closer::Close>(&closer));
    ScriptClick({p.X, p.Y});
    Settle();
    EXPECT_EQ(pages->GetPageListCount(), 2);
    EXPECT_EQ(pages->GetTabIndex(), c.Then);
    ASSERT_NE(pages->GetActivePage(), nullptr);
    EXPECT_EQ(pages->GetActivePage()->GetCaption(), c.Shown);
    pages->SetOnClose({});
  }
}

TEST_F(WbPageControlTest, AColouredPageTurnsColouredTabsOn) {
  TDropPages* pages = NewPages({"Effect", "Trim"});
  pages->GetPageList(0)->SetColor(pages->GetColor());
  EXPECT_FALSE(pages->GetUseColoredTabs());
  pages->GetPageList(1)->SetColor(TColor(0xC0E0FF));
  EXPECT_TRUE(pages->GetUseColoredTabs());
  EXPECT_EQ(pages->GetTabs()->GetItems(1)->Color, TColor(0xC0E0FF));
}

TEST_F(WbPageControlTest, ADropOnAnotherTabMovesThePageThere) {
  TDropPages* pages = NewPages({"Effect", "Hidden", "Trim", "Crop"});
  pages->SetAllowTabDragging(true);
  pages->GetPageList(1)->SetTabVisible(false);
  pages->SetActivePagePosition(0);
  pages->RequestLayout();
  pages->UpdateLayout();
  // Tab 2 is the page "Crop" at page index 3 (the hidden page has no tab).
  TRect r = pages->TabClientRect(2);
  pages->DragDrop(pages, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  EXPECT_EQ(pages->GetPageList(3)->GetCaption(), "Effect");
  EXPECT_EQ(pages->GetActivePage()->GetCaption(), "Effect");
}

TEST_F(WbPageControlTest, DockedControlsGetPagesOfTheirOwn) {
  TDropPages* pages = NewPages({"Effect"});
  pages->SetDockSite(true);
  TForm* tool = NewForm(400, 100, 200, 150);
  tool->SetCaption("Levels\r\nmore");
  tool->Show();
  Settle();
  ASSERT_TRUE(tool->ManualDock(pages));
  Settle();
  ASSERT_EQ(pages->GetPageListCount(), 2);
  TWbTabSheet* page = pages->GetPageList(1);
  EXPECT_EQ(page->GetCaption(), "Levels\r\nmore");
  EXPECT_EQ(tool->GetParent(), page);
  EXPECT_EQ(tool->GetAlign(), alClient);
  EXPECT_EQ(pages->GetActivePage(), page);
  EXPECT_EQ(pages->GetTabIndex(), 1);
  // Docking it again into the same site changes nothing; floating it frees its page.
  ASSERT_TRUE(tool->ManualDock(pages));
  EXPECT_EQ(pages->GetPageListCount(), 2);
  ASSERT_TRUE(tool->ManualDock(nullptr));
  Settle();
  EXPECT_EQ(pages->GetPageListCount(), 1);
  EXPECT_EQ(pages->GetActivePage(), pages->GetPageList(0));
  EXPECT_NE(tool->GetParent(), static_cast<TWinControl*>(pages));
}

class TFormWithPages : public TForm {
  TAVREN_CLASS(TFormWithPages, TForm)
 public:
  using TForm::TForm;
  TWbPageControl* Pages = nullptr;
  TWbTabSheet* First = nullptr;
  TWbTabSheet* Second = nullptr;
};
TAVREN_CLASS_IMPL_PUBLISHED(TFormWithPages, FIELD(Pages), FIELD(First), FIELD(Second))

TEST_F(WbPageControlTest, ActivePageDefaultWinsAfterLoadingAndHiddenPagesCanGiveUpTheirWindows) {
  RegisterClasses({TFormWithPages::ClassInfo()});
  auto* stored = new TFormWithPages(nullptr, 0);
  forms.push_back(stored);
  TReader reader(
      "object F: TFormWithPages\n"
      "  object Pages: TWbPageControl\n"
      "    ActivePage = First\n"
      "    ActivePageDefault = Second\n"
      "    object First: TWbTabSheet\n"
      "      Caption = 'First'\n"
      "    end\n"
      "    object Second: TWbTabSheet\n"
      "      Caption = 'Second'\n"
      "    end\n"
      "  end\n"
      "end\n");
  reader.ReadRootComponent(stored);
  ASSERT_NE(stored->Pages, nullptr);
  EXPECT_EQ(stored->Pages->GetActivePage(), stored->Second);
  EXPECT_EQ(stored->Pages->GetTabIndex(), 1);
  EXPECT_FALSE(stored->First->GetVisible());
  EXPECT_TRUE(stored->Second->GetVisible());

  stored->Show();
  Settle();
  stored->Pages->SetActivePage(stored->First);
  ASSERT_TRUE(stored->Second->HandleAllocated());
  stored->Pages->SetSaveResources(true);
  EXPECT_FALSE(stored->Second->HandleAllocated());
  EXPECT_TRUE(stored->First->HandleAllocated());
  stored->Pages->SetActivePage(stored->Second);
  EXPECT_FALSE(stored->First->HandleAllocated());
}
