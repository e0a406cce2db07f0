#include <sys/stat.h>

#include <cstdio>
#include <memory>

#include "EditTestFixture.h"
#include "backend/ScriptedInput.h"
#include "gdi/ImageFiles.h"
#include "gdi/SysMetrics.h"
#include "rtl/Reader.h"
#include "rtl/SysUtils.h"
#include "rtl/Writer.h"
#include "controls/ListBox.h"
#include "toolkit/editors/kvDropDownEdit.h"
#include "user/Input.h"
#include "user/VirtualKeys.h"
#include "vcl/ControlsMessages.h"
#include "vcl/StdCtrls.h"

namespace {

using Log = std::vector<String>;

// Logs a combo's events in order.
struct ComboLog : TObject {
  Log log;
  TkvComboBox* combo = nullptr;
  void Change(TObject*) { log.push_back("change " + combo->GetText()); }
  void Clicked(TObject*) { log.push_back("click"); }
  void InitPopup(TObject*) { log.push_back("init"); }
  void Popup(TObject*) { log.push_back("popup"); }
  void CloseUp(TObject*) { log.push_back("closeup " + IntToStr(Integer(combo->GetCloseUpReason()))); }
  void Attach(TkvComboBox* Combo) {
    combo = Combo;
    TkvComboBoxProperties* p = Combo->GetComboBoxProperties();
    p->SetOnChange(MakeEvent<&ComboLog::Change>(this));
    p->SetOnInitPopup(MakeEvent<&ComboLog::InitPopup>(this));
    p->SetOnPopup(MakeEvent<&ComboLog::Popup>(this));
    p->SetOnCloseUp(MakeEvent<&ComboLog::CloseUp>(this));
    Combo->SetOnClick(MakeEvent<&ComboLog::Clicked>(this));
  }
  Log Take() { return std::exchange(log, {}); }
};

class ComboBox : public EditEventsTest {
 protected:
  void SetUp() override {
    EditEventsTest::SetUp();
    form->SetBounds(100, 100, 400, 300);
    combo = new TkvComboBox(form);
    combo->SetParent(form);
    combo->SetBounds(20, 30, 150, 21);
    for (const char* item : {"WMV (*.wmv)", "AVI (*.avi)", "MP4 (*.mp4)"}) Props()->GetItems()->Add(item);
    events.Attach(combo);
    Pump();
  }
  void Focus() {
    combo->SetFocus();
    Pump();
    events.Take();
  }
  TkvComboBoxProperties* Props() { return combo->GetComboBoxProperties(); }
  TkvCustomEditPopupWindow* Popup() { return combo->GetPopupWindow(); }
  TkvCustomComboBoxListBox* List() { return combo->GetComboLookupData()->ComboList(); }
  void SetItems(Integer Count) {
    Props()->GetItems()->Clear();
    for (Integer i = 0; i < Count; ++i) Props()->GetItems()->Add("Item " + IntToStr(i));
  }
  TkvComboBox* combo = nullptr;
  ComboLog events;
};

TEST_F(ComboBox, F4OpensTheListUnderTheEditorAndDownEnterPicksTheNextItem) {
  combo->SetItemIndex(0);
  Focus();
  Key(VK_F4);
  ASSERT_TRUE(combo->GetDroppedDown());
  EXPECT_EQ(events.Take(), (Log{"init", "popup"}));
  // Below the editor, from its left edge, at least as wide.
  const TPoint editorBottomLeft = combo->ClientToScreen(TPoint(0, combo->GetHeight()));
  EXPECT_EQ(Popup()->GetLeft(), editorBottomLeft.X);
  EXPECT_EQ(Popup()->GetTop(), editorBottomLeft.Y);
  EXPECT_GE(Popup()->GetWidth(), combo->GetWidth());
  EXPECT_TRUE(List()->IsVisible());
  EXPECT_EQ(List()->GetItemIndex(), 0);
  // Each row shows its item: the second row (not highlighted) has dark text on white.
  {
    PixelImage shot = screen.ComposeScreen();
    const Integer rowHeight = List()->RowHeight();
    const TPoint origin = List()->ClientToScreen(TPoint(0, rowHeight));
    Integer ink = 0;
    for (Integer y = origin.Y; y < origin.Y + rowHeight; ++y)
      for (Integer x = origin.X; x < origin.X + List()->GetClientWidth(); ++x)
        if ((shot.pixels[static_cast<size_t>(y) * shot.width + x] & 0xFF) < 0x60) ++ink;
    EXPECT_GT(ink, 20);
  }
  Key(VK_DOWN);
  EXPECT_TRUE(combo->GetDroppedDown());
  EXPECT_EQ(List()->GetItemIndex(), 1);
  EXPECT_EQ(combo->GetComboLookupData()->GetHighlightedRow(), 1);
  EXPECT_EQ(combo->GetText(), "WMV (*.wmv)");
  Key(VK_RETURN);
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_EQ(combo->GetItemIndex(), 1);
  EXPECT_EQ(combo->GetText(), "AVI (*.avi)");
  EXPECT_EQ(events.Take(), (Log{"click", "change AVI (*.avi)", "closeup 4"}));
}

TEST_F(ComboBox, EscClosesTheListAndLeavesTheValue) {
  combo->SetItemIndex(2);
  Focus();
  Key(VK_F4);
  Key(VK_UP);
  Key(VK_ESCAPE);
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_EQ(combo->GetItemIndex(), 2);
  EXPECT_EQ(combo->GetText(), "MP4 (*.mp4)");
  EXPECT_EQ(events.Take(), (Log{"init", "popup", "closeup 3"}));
}

TEST_F(ComboBox, RowsShownFollowDropDownRowsAndAnEmptyComboNeverOpens) {
  struct Case {
    Integer items;
    Integer rowsShown;
    bool scrollBar;
  };
  for (Case c : {Case{20, 8, true}, Case{3, 3, false}}) {
    SCOPED_TRACE(c.items);
    SetItems(c.items);
    Focus();
    Key(VK_F4);
    ASSERT_TRUE(combo->GetDroppedDown());
    EXPECT_EQ(List()->GetHeight(), c.rowsShown * List()->ItemRowHeight(0));
    EXPECT_EQ(List()->GetScrollWidth() + (c.scrollBar ? GetSystemMetrics(SM_CXVSCROLL) : 0) <= List()->GetWidth(), true);
    Key(VK_ESCAPE);
  }
  SetItems(0);
  Focus();
  Key(VK_F4);
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_FALSE(combo->IsPopupPrepared());
}

TEST_F(ComboBox, WidthFollowsTheWidestItemOrTheEditor) {
  Props()->GetItems()->Add(String(60, 'W'));
  Focus();
  Key(VK_F4);
  const Integer wide = Popup()->GetWidth();
  EXPECT_GT(wide, combo->GetWidth());
  Key(VK_ESCAPE);
  // A wider item, or a larger font, widens the next opening.
  Props()->GetItems()->Add(String(70, 'W'));
  Key(VK_F4);
  EXPECT_GT(Popup()->GetWidth(), wide);
  Key(VK_ESCAPE);
  Props()->GetItems()->Delete(Props()->GetItems()->GetCount() - 1);
  combo->GetStyle()->GetFont()->SetHeight(-15);
  Key(VK_F4);
  EXPECT_GT(Popup()->GetWidth(), wide);
  Key(VK_ESCAPE);
  Props()->SetDropDownAutoWidth(false);
  Key(VK_F4);
  EXPECT_EQ(Popup()->GetWidth(), combo->GetWidth());
}

TEST_F(ComboBox, AClickOnARowPicksItAndClosesWithAccept) {
  Focus();
  Key(VK_F4);
  ASSERT_TRUE(combo->GetDroppedDown());
  events.Take();
  const TRect row = List()->ItemRect(2);
  const TPoint at = List()->ClientToScreen(TPoint(row.Left + 5, row.Top + 2));
  ScriptClick(POINT{at.X, at.Y});
  Pump();
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_EQ(combo->GetCloseUpReason(), pcrAccept);
  EXPECT_EQ(combo->GetText(), "MP4 (*.mp4)");
  EXPECT_EQ(events.Take(), (Log{"click", "change MP4 (*.mp4)", "closeup 4"}));
}

TEST_F(ComboBox, KeysToggleAndCloseWithTheirReasons) {
  Focus();
  Key(VK_DOWN, kAlt);
  EXPECT_TRUE(combo->GetDroppedDown());
  Key(VK_UP, kAlt);
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_EQ(combo->GetCloseUpReason(), pcrToggle);
  Key(VK_F4);
  Key(VK_F4);
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_EQ(combo->GetCloseUpReason(), pcrToggle);
  // A printable character opens an immediate drop-down.
  Type("A");
  EXPECT_TRUE(combo->GetDroppedDown());
  EXPECT_EQ(combo->GetText(), "AVI (*.avi)");
  Key(VK_ESCAPE);
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_EQ(combo->GetCloseUpReason(), pcrCancel);
  // Alt+F4 belongs to the window, not to the list.
  Key(VK_F4, kAlt);
  EXPECT_FALSE(combo->GetDroppedDown());
}

TEST_F(ComboBox, RevertableDoubleClickWrapsToTheFirstItem) {
  Props()->SetRevertable(true);
  combo->SetItemIndex(2);
  Focus();
  const TPoint at = combo->ClientToScreen(TPoint(20, 10));
  ScriptDoubleClick(POINT{at.X, at.Y});
  Pump();
  if (combo->GetDroppedDown()) Key(VK_ESCAPE);
  EXPECT_EQ(combo->GetItemIndex(), 0);
}

TEST(ComboBoxForms, AProfileChooserStreamsItsItemsAndSettings) {
  auto* root = new TForm(nullptr, 0);
  root->SetName("Window");
  auto* combo = new TkvComboBox(root);
  combo->SetName("cbProfile");
  combo->SetParent(root);
  TkvComboBoxProperties* p = combo->GetComboBoxProperties();
  for (const char* item : {"WMV (*.wmv)", "AVI (*.avi)"}) p->GetItems()->Add(item);
  p->SetDropDownListStyle(lsFixedList);
  p->SetDropDownRows(12);
  String text = WriteComponentToText(root);
  SCOPED_TRACE(text);
  EXPECT_NE(text.find("Properties.DropDownListStyle = lsFixedList"), String::npos);
  EXPECT_NE(text.find("Properties.DropDownRows = 12"), String::npos);
  EXPECT_EQ(text.find("ItemIndex"), String::npos);
  delete root;
  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  auto* read = dynamic_cast<TkvComboBox*>(copy->FindComponent("cbProfile"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->GetComboBoxProperties()->GetItems()->GetCount(), 2);
  EXPECT_EQ(read->GetComboBoxProperties()->GetDropDownRows(), 12);
  EXPECT_EQ(read->GetComboBoxProperties()->GetDropDownListStyle(), lsFixedList);
  EXPECT_EQ(read->GetComboBoxProperties()->GetButtons()->GetCount(), 1);
  delete copy;
}

// Handlers that free the combo, close or reopen it, or fail while it opens.
struct Reentry : TObject {
  TkvComboBox* combo = nullptr;
  TWinControl* focusOnClose = nullptr;  // takes the focus from the closing combo
  Integer closeUps = 0;
  bool reopen = false;
  void FreeIt(TObject*) { delete std::exchange(combo, nullptr); }
  void Fail(TObject*) { throw Exception("refused"); }
  void CloseUp(TObject*) {
    ++closeUps;
    if (focusOnClose) focusOnClose->SetFocus();
    combo->SetDroppedDown(reopen);
  }
};

TEST_F(ComboBox, FreedWhileItsPopupOpensOrIsOpenItLeavesNothingBehind) {
  // From OnPopup, while the popup shows.
  Reentry r;
  r.combo = combo;
  Props()->SetOnPopup(MakeEvent<&Reentry::FreeIt>(&r));
  Focus();
  Key(VK_F4);
  EXPECT_EQ(r.combo, nullptr);
  EXPECT_EQ(VisiblePopupCount(), 0);
  // From a timer, while it is open.
  combo = new TkvComboBox(form);
  combo->SetParent(form);
  combo->SetBounds(20, 30, 150, 21);
  Props()->GetItems()->Add("One");
  Pump();
  Focus();
  Key(VK_F4);
  ASSERT_TRUE(combo->GetDroppedDown());
  ScriptedSteps steps;
  steps.Add(50, [&] { delete std::exchange(combo, nullptr); });
  PassTime(100);
  EXPECT_EQ(combo, nullptr);
  EXPECT_EQ(VisiblePopupCount(), 0);
  // While its show message is queued.
  combo = new TkvComboBox(form);
  combo->SetParent(form);
  Props()->GetItems()->Add("One");
  Pump();
  Focus();
  combo->SetDroppedDown(true);
  delete std::exchange(combo, nullptr);
  Pump();
  EXPECT_EQ(VisiblePopupCount(), 0);
}

TEST_F(ComboBox, FreedWhileAPastesLookupSyncIsQueuedItLeavesNothingBehind) {
  SetItems(10);
  Focus();
  SetClipboardText("Item 3");
  combo->ClipboardPaste();
  const HWND window = combo->GetHandle();
  MSG msg;
  ASSERT_TRUE(PeekMessage(&msg, window, KVM_SYNCLOOKUP, KVM_SYNCLOOKUP, PM_NOREMOVE));
  delete std::exchange(combo, nullptr);
  Pump();
  EXPECT_EQ(VisiblePopupCount(), 0);
}

TEST_F(ComboBox, CloseUpFiresOncePerOpeningWhateverItsHandlerDoes) {
  Reentry r;
  r.combo = combo;
  Props()->SetOnCloseUp(MakeEvent<&Reentry::CloseUp>(&r));
  Focus();
  for (bool reopen : {false, true}) {
    r.reopen = reopen;
    r.closeUps = 0;
    if (!combo->GetDroppedDown()) Key(VK_F4);
    ASSERT_TRUE(combo->GetDroppedDown());
    Key(VK_ESCAPE);
    EXPECT_EQ(r.closeUps, 1);
  }
  // Reopened from its handler: open again.
  EXPECT_TRUE(combo->GetDroppedDown());

  // The handler moves the focus away while the combo closes: the focus loss asks to close again,
  // which must neither close twice nor fire twice.
  auto* other = new TEdit(form);
  other->SetParent(form);
  other->SetBounds(20, 200, 100, 21);
  Key(VK_ESCAPE);
  r.focusOnClose = other;
  for (bool reopen : {false, true}) {
    SCOPED_TRACE(reopen ? "reopened" : "left closed");
    r.reopen = reopen;
    r.closeUps = 0;
    combo->SetFocus();
    Pump();
    if (!combo->GetDroppedDown()) Key(VK_F4);
    ASSERT_TRUE(combo->GetDroppedDown());
    Key(VK_ESCAPE);
    EXPECT_EQ(r.closeUps, 1);
    EXPECT_EQ(VisiblePopupCount(), combo->GetDroppedDown() ? 1 : 0);
    EXPECT_EQ(GetCapture(), nullptr);
  }
}

TEST_F(ComboBox, AUserResizeIsReusedUntilSizingIsTurnedOff) {
  SetItems(20);
  Props()->SetDropDownSizeable(true);
  Focus();
  auto openWidth = [&] {
    Key(VK_F4);
    EXPECT_TRUE(combo->GetDroppedDown());
    const Integer width = Popup()->GetWidth();
    Key(VK_F4);
    return width;
  };
  const Integer automatic = openWidth();
  // Drag the grip at the bottom-right corner 60 pixels to the right.
  Key(VK_F4);
  const TRect r = Popup()->GetBoundsRect();
  ScriptDrag(POINT{r.Right - 3, r.Bottom - 3}, POINT{r.Right + 57, r.Bottom - 3});
  Pump();
  EXPECT_EQ(Popup()->GetWidth(), automatic + 60);
  Key(VK_F4);
  EXPECT_EQ(Props()->GetDropDownWidth(), automatic + 60);
  EXPECT_EQ(openWidth(), automatic + 60);
  // Turning sizing off forgets the resize: the list sizes itself again.
  Props()->SetDropDownSizeable(false);
  Props()->SetDropDownSizeable(true);
  EXPECT_EQ(openWidth(), automatic);
}

TEST_F(ComboBox, FreedByItsCloseUpHandlerFromAKeyItLeavesNothingBehind) {
  // The key reaches the inner edit first; the handler frees the editor, the inner edit with it,
  // while the key's message is still being handled.
  struct Case {
    UINT key;
    UINT modifiers;
  };
  for (Case c : {Case{VK_ESCAPE, 0}, Case{VK_RETURN, 0}, Case{VK_F4, 0}, Case{VK_UP, kAlt}}) {
    SCOPED_TRACE(c.key);
    if (!combo) {
      combo = new TkvComboBox(form);
      combo->SetParent(form);
      combo->SetBounds(20, 30, 150, 21);
      Props()->GetItems()->Add("One");
      Pump();
    }
    Reentry r;
    r.combo = combo;
    Props()->SetOnCloseUp(MakeEvent<&Reentry::FreeIt>(&r));
    Focus();
    Key(VK_F4);
    ASSERT_TRUE(combo->GetDroppedDown());
    Key(c.key, c.modifiers);
    EXPECT_EQ(r.combo, nullptr);
    combo = nullptr;
    EXPECT_EQ(VisiblePopupCount(), 0);
    Pump();
  }
}

TEST_F(ComboBox, AFailingInitPopupPreparesAndQueuesNothing) {
  Reentry r;
  Props()->SetOnInitPopup(MakeEvent<&Reentry::Fail>(&r));
  Focus();
  EXPECT_THROW(combo->SetDroppedDown(true), Exception);
  EXPECT_FALSE(combo->IsPopupPrepared());
  Pump();
  EXPECT_FALSE(combo->GetDroppedDown());
}

TEST_F(ComboBox, TwoOpenRequestsBeforeTheShowGiveOnePopup) {
  Focus();
  combo->SetDroppedDown(true);
  combo->SetDroppedDown(true);
  Pump();
  EXPECT_TRUE(combo->GetDroppedDown());
  EXPECT_EQ(events.Take(), (Log{"init", "popup"}));
  EXPECT_EQ(VisiblePopupCount(), 1);
}

}  // namespace

namespace {

// One sheet per look-and-feel kind and one under a built-in skin: a short list, 20 items with a scroll bar, a sizeable list
// with its grip band and close button, and one opened above near the work area's bottom with its
// shadow. Only one popup is open at a time, so each is pictured open and copied into the sheet.
TEST_F(ComboBox, Pictures) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  mkdir(output, 0755);
  delete std::exchange(combo, nullptr);
  form->SetBounds(0, 0, 1280, 1024);
  struct Kind {
    TkvLookAndFeelKind kind;
    const char* name;
    const char* skin;
  };
  const Kind kKinds[] = {{lfFlat, "flat", ""},
                         {lfStandard, "standard", ""},
                         {lfUltraFlat, "ultraflat", ""},
                         {lfOffice11, "office11", ""},
                         {lfStandard, "skin", "Skin02"}};
  const char* kProfiles[] = {"Windows Media Video 9", "Windows Media Video 8 (wide profile for streaming)",
                             "MP3 audio", "Same as source"};
  for (const Kind& k : kKinds) {
    SCOPED_TRACE(k.name);
    PixelImage sheet;
    sheet.width = 1280;
    sheet.height = 1024;
    std::vector<TkvComboBox*> combos;
    for (Integer i = 0; i < 4; ++i) {
      auto* c = new TkvComboBox(form);
      c->SetParent(form);
      const bool above = i == 3;
      c->SetBounds(20 + i * 310, above ? 990 : 20, 200, 21);
      c->GetStyle()->GetLookAndFeel()->SetKind(k.kind);
      c->GetStyle()->GetLookAndFeel()->SetSkinName(k.skin);
      TkvComboBoxProperties* p = c->GetComboBoxProperties();
      if (i == 1) {
        for (Integer n = 0; n < 20; ++n) p->GetItems()->Add("Profile " + IntToStr(n + 1));
      } else {
        for (const char* item : kProfiles) p->GetItems()->Add(item);
      }
      if (i == 2) {
        p->SetDropDownSizeable(true);
        c->GetEditStyle()->SetShowPopupCloseButton(true);
      }
      if (above) c->GetStyle()->SetShadow(true);
      c->SetItemIndex(1);
      combos.push_back(c);
    }
    Pump();
    for (Integer i = 0; i < 4; ++i) {
      combos[i]->SetFocus();
      combos[i]->SetDroppedDown(true);
      Pump();
      ASSERT_TRUE(combos[i]->GetDroppedDown());
      PixelImage shot = screen.ComposeScreen();
      if (sheet.pixels.empty()) sheet = shot;
      const Integer left = 10 + i * 310;
      for (Integer y = 0; y < shot.height; ++y)
        for (Integer x = left; x < std::min<Integer>(left + 310, shot.width); ++x)
          sheet.pixels[static_cast<size_t>(y) * shot.width + x] = shot.pixels[static_cast<size_t>(y) * shot.width + x];
      combos[i]->SetDroppedDown(false);
      Pump();
    }
    std::vector<uint8_t> png;
    ASSERT_TRUE(EncodePng(sheet, png));
    const String file = String(output) + "/editors-combo-" + k.name + ".png";
    FILE* f = std::fopen(file.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(png.data(), 1, png.size(), f);
    std::fclose(f);
    for (TkvComboBox* c : combos) delete c;
  }
}

}  // namespace

namespace {

// Counts the clicks of the form's default and cancel buttons: a key the combo does not take
// goes on to them.
struct ButtonClicks : TObject {
  Integer ok = 0, cancel = 0;
  void Ok(TObject*) { ++ok; }
  void Cancel(TObject*) { ++cancel; }
};

TEST_F(ComboBox, EnterAndEscAreTheListsOnlyWhileItIsOpen) {
  ButtonClicks clicks;
  auto* ok = new TButton(form);
  ok->SetParent(form);
  ok->SetBounds(20, 200, 75, 25);
  ok->SetDefault(true);
  ok->SetOnClick(MakeEvent<&ButtonClicks::Ok>(&clicks));
  auto* cancel = new TButton(form);
  cancel->SetParent(form);
  cancel->SetBounds(100, 200, 75, 25);
  cancel->SetCancel(true);
  cancel->SetOnClick(MakeEvent<&ButtonClicks::Cancel>(&clicks));
  combo->SetItemIndex(0);
  struct Case {
    bool open;
    UINT key;
    TkvPopupCloseReason reason;  // when open
    Integer okClicks, cancelClicks;
    Integer itemIndex;
  };
  const Case kCases[] = {
      {false, VK_RETURN, pcrNone, 1, 0, 0},
      {true, VK_RETURN, pcrAccept, 0, 0, 1},
      {false, VK_ESCAPE, pcrNone, 0, 1, 1},
      {true, VK_ESCAPE, pcrCancel, 0, 0, 1},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::to_string(c.key) + (c.open ? " open" : " closed"));
    clicks.ok = clicks.cancel = 0;
    Focus();
    if (c.open) {
      Key(VK_F4);
      ASSERT_TRUE(combo->GetDroppedDown());
      Key(VK_DOWN);
    }
    // Through the application's loop, which hands keys the focus does not want to the form.
    ScriptKeyPress(c.key);
    Application()->ProcessMessages();
    Pump();
    EXPECT_FALSE(combo->GetDroppedDown());
    if (c.open) {
      EXPECT_EQ(Integer(combo->GetCloseUpReason()), Integer(c.reason));
    }
    EXPECT_EQ(clicks.ok, c.okClicks);
    EXPECT_EQ(clicks.cancel, c.cancelClicks);
    EXPECT_EQ(combo->GetItemIndex(), c.itemIndex);
    EXPECT_EQ(GetCapture(), nullptr);
  }
}

TEST_F(ComboBox, TabClosesAndAppliesTheHighlightedItemOnlyWhenAsked) {
  auto* next = new TButton(form);
  next->SetParent(form);
  next->SetBounds(20, 200, 75, 25);
  for (bool post : {false, true}) {
    SCOPED_TRACE(post);
    Props()->SetPostPopupValueOnTab(post);
    combo->SetItemIndex(0);
    Focus();
    Key(VK_F4);
    Key(VK_DOWN);
    ScriptKeyPress(VK_TAB);
    Application()->ProcessMessages();
    Pump();
    EXPECT_FALSE(combo->GetDroppedDown());
    EXPECT_EQ(Integer(combo->GetCloseUpReason()), Integer(post ? pcrTab : pcrNone));
    EXPECT_EQ(combo->GetItemIndex(), post ? 1 : 0);
    EXPECT_TRUE(next->Focused());
  }
}

TEST_F(ComboBox, PastingAChangeOpensTheListAndTheWheelScrollsIt) {
  SetItems(40);
  Focus();
  SetClipboardText("Item 3");
  Key('V', kCtrl);
  ASSERT_TRUE(combo->GetDroppedDown());
  EXPECT_EQ(combo->GetText(), "Item 3");
  const Integer top = static_cast<Integer>(SendMessage(List()->GetHandle(), LB_GETTOPINDEX, 0, 0));
  const TPoint over = combo->ClientToScreen(TPoint(20, 10));
  ScriptWheel(POINT{over.X, over.Y}, -1);
  Pump();
  EXPECT_TRUE(combo->GetDroppedDown());
  EXPECT_GT(SendMessage(List()->GetHandle(), LB_GETTOPINDEX, 0, 0), top);
}

}  // namespace

namespace {

// A second form with a combo, freed by the combo's own handlers.
struct FormFreer : TObject {
  TForm* owner = nullptr;
  void Free(TObject*) { delete std::exchange(owner, nullptr); }
};

TEST_F(ComboBox, AFormFreedFromTheOpeningOrClosingHandlersTakesItsComboCleanly) {
  enum Stage { kInit, kPopup, kCloseUp };
  for (Stage stage : {kInit, kPopup, kCloseUp}) {
    SCOPED_TRACE(stage);
    FormFreer freer;
    freer.owner = new TForm(nullptr, 0);
    freer.owner->SetBounds(50, 50, 300, 200);
    auto* other = new TkvComboBox(freer.owner);
    other->SetParent(freer.owner);
    other->SetBounds(10, 10, 150, 21);
    other->GetComboBoxProperties()->GetItems()->Add("One");
    TkvComboBoxProperties* p = other->GetComboBoxProperties();
    TNotifyEvent free = MakeEvent<&FormFreer::Free>(&freer);
    if (stage == kInit) p->SetOnInitPopup(free);
    if (stage == kPopup) p->SetOnPopup(free);
    if (stage == kCloseUp) p->SetOnCloseUp(free);
    freer.owner->Show();
    Pump();
    other->SetFocus();
    Pump();
    other->SetDroppedDown(true);
    Pump();
    if (freer.owner) {
      ScriptKeyPress(VK_ESCAPE);
      Pump();
    }
    EXPECT_EQ(freer.owner, nullptr);
    EXPECT_EQ(VisiblePopupCount(), 0);
    Pump();
  }
}

TEST_F(ComboBox, ASecondComboOpeningClosesTheFirstAndARecreatedWindowKeepsItsPopupRight) {
  auto* second = new TkvComboBox(form);
  second->SetParent(form);
  second->SetBounds(20, 80, 150, 21);
  second->GetComboBoxProperties()->GetItems()->Add("Other");
  Pump();
  Focus();
  Key(VK_F4);
  ASSERT_TRUE(combo->GetDroppedDown());
  second->SetFocus();
  second->SetDroppedDown(true);
  Pump();
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_TRUE(second->GetDroppedDown());
  EXPECT_EQ(VisiblePopupCount(), 1);
  // The editor's window made anew while its popup is open: the popup closes and opens again.
  second->Perform(CM_RECREATEWND, 0, 0);
  Pump();
  EXPECT_LE(VisiblePopupCount(), 1);
  second->SetDroppedDown(false);
  Pump();
  second->SetDroppedDown(true);
  Pump();
  EXPECT_TRUE(second->GetDroppedDown());
  EXPECT_EQ(events.Take().back(), "closeup 0");
}

}  // namespace
