// The blob editor: the kind and what a value shows, the memo and picture popups with their
// buttons and closing keys, taking the value over or not, and streaming.

#include "EditTestFixture.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/editors/kvBlobEdit.h"
#include "toolkit/foundation/qzGDIPlusClasses.h"
#include "user/Rects.h"
#include "user/VirtualKeys.h"

namespace {

class BlobEdit : public EditEventsTest {
 protected:
  void SetUp() override {
    EditEventsTest::SetUp();
    form->SetBounds(100, 100, 500, 400);
    edit = new TkvBlobEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 160, 21);
    Pump();
  }
  TkvBlobEditProperties* Props() { return edit->GetBlobEditProperties(); }
  String Value() {
    Variant v;
    edit->GetEditValue(v);
    return VarIsNull(v) ? String("null") : VarToStr(v);
  }
  // Opens the popup with F4; once its own loop runs, InPopup acts (queues keys, looks around),
  // and Then a little later. A popup still open long after is a failure, closed so the test ends.
  void Drop(const std::function<void()>& InPopup, const std::function<void()>& Then = {}) {
    edit->SetFocus();
    Pump();
    ScriptedSteps steps;
    steps.Add(50, InPopup);
    if (Then) steps.Add(150, Then);
    steps.Add(5000, [this] {
      if (!edit->GetDroppedDown()) return;
      ADD_FAILURE() << "the popup stayed open";
      edit->CloseFromContent(mrCancel);
    });
    ScriptKeyPress(VK_F4);
    Pump();
  }
  TkvBlobEdit* edit = nullptr;
};

String PngBytes(Integer W, Integer H) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(W, H);
  for (Integer y = 0; y < H; ++y) {
    auto* row = static_cast<uint32_t*>(bitmap.GetScanLine(y));
    for (Integer x = 0; x < W; ++x) row[x] = x < W / 2 ? 0xFF20A040 : 0x40000080;
  }
  TqzPNGImage png;
  png.Assign(&bitmap);
  TMemoryStream stream;
  png.SaveToStream(&stream);
  return String(static_cast<const char*>(stream.GetMemory()), static_cast<size_t>(stream.GetSize()));
}

}  // namespace

TEST(BlobEditKinds, AutoResolvesThroughTheProviderAndEachKindShowsItsGlyphOrText) {
  TkvBlobEditProperties alone(nullptr);
  EXPECT_EQ(alone.ResolvedKind(), bekBlob);
  EXPECT_EQ(alone.GetButtons()->GetButton(0)->GetKind(), bkEllipsis);
  alone.SetBlobEditKind(bekMemo);
  EXPECT_EQ(alone.GetButtons()->GetButton(0)->GetKind(), bkDown);

  struct Case {
    TkvBlobEditKind kind;
    TkvBlobPaintStyle style;
    Variant value;
    Integer icon;
    const char* text;
  };
  const Case kCases[] = {
      {bekBlob, bpsIcon, Null(), 0, ""},          {bekBlob, bpsIcon, Variant("x"), 1, ""},
      {bekMemo, bpsIcon, Variant(""), 2, ""},     {bekMemo, bpsIcon, Variant("a"), 3, ""},
      {bekPict, bpsIcon, Null(), 4, ""},          {bekOle, bpsIcon, Variant("o"), 7, ""},
      {bekMemo, bpsDefault, Null(), -1, "(memo)"}, {bekMemo, bpsDefault, Variant("a"), -1, "(MEMO)"},
      {bekPict, bpsDefault, Null(), -1, "(picture)"}, {bekPict, bpsDefault, Variant("p"), -1, "(PICTURE)"},
      {bekBlob, bpsDefault, Variant("b"), -1, ""}, {bekMemo, bpsText, Variant("first\r\nsecond"), -1, "first"},
      {bekPict, bpsText, Variant("p"), -1, ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.kind << " " << c.style << " " << VarToStr(c.value));
    alone.SetBlobEditKind(c.kind);
    alone.SetBlobPaintStyle(c.style);
    TkvContainerStyleArgs styleArgs(nullptr, kvcsNormal, nullptr, false);
    TkvEditStyle style(&styleArgs);
    TkvCustomEditViewDataArgs dataArgs(&alone, true, &style);
    TkvBlobEditViewData data(&dataArgs);
    TkvBlobEditViewInfo info;
    data.LoadDisplayValue(nullptr, c.value, &info);
    EXPECT_EQ(info.IconIndex, c.icon);
    EXPECT_EQ(info.Text, c.text);
  }
  // The value texts grids show.
  alone.SetBlobPaintStyle(bpsIcon);
  const std::pair<TkvBlobEditKind, const char*> kTexts[] = {
      {bekPict, "(PICTURE)"}, {bekOle, "OLE"}, {bekBlob, "BLOB"}};
  for (auto [kind, text] : kTexts) {
    alone.SetBlobEditKind(kind);
    EXPECT_EQ(alone.EditValueToDisplayText(Variant("v"), true), text);
    EXPECT_EQ(alone.EditValueToDisplayText(Null(), true), "");
  }
  EXPECT_EQ(BlobEditGlyphs()->GetCount(), 8);
  EXPECT_EQ(BlobEditGlyphs()->GetWidth(), 18);
}

TEST_F(BlobEdit, EscapeKeepsTheMemoValueAndF4TakesItWhileAlwaysSaveDataIsOn) {
  Props()->SetBlobEditKind(bekMemo);
  edit->SetEditValue(Variant("kept"));
  Drop([] {
    ScriptTypeText("xyz");
    ScriptKeyPress(VK_ESCAPE);
  });
  EXPECT_FALSE(edit->GetDroppedDown());
  EXPECT_EQ(Value(), "kept");
  EXPECT_FALSE(edit->GetUserEdited());
  Drop([] {
    ScriptKeyPress(VK_END, kCtrl);
    ScriptTypeText("!");
    ScriptKeyPress(VK_F4);
  });
  EXPECT_EQ(Value(), "kept!");
  EXPECT_TRUE(edit->GetUserEdited());
  // Without AlwaysSaveData F4 cancels and Ctrl+Enter accepts.
  Props()->SetAlwaysSaveData(false);
  Drop([] {
    ScriptTypeText("?");
    ScriptKeyPress(VK_F4);
  });
  EXPECT_EQ(Value(), "kept!");
  Drop([] {
    ScriptKeyPress(VK_HOME, kCtrl);
    ScriptTypeText(">");
    ScriptKeyPress(VK_RETURN, kCtrl);
  });
  EXPECT_EQ(Value(), ">kept!");
  // The popup counted as the editor's focus; once it has gone, the focus elsewhere shows.
  auto* other = new TkvBlobEdit(form);
  other->SetParent(form);
  other->SetBounds(10, 100, 160, 21);
  other->SetFocus();
  Pump();
  EXPECT_FALSE(edit->GetEditViewInfo()->Focused);
}

TEST_F(BlobEdit, EachClosingKeyTakesOrKeepsTheMemoAndThePicturesEnterAccepts) {
  Props()->SetBlobEditKind(bekMemo);
  struct Case {
    const char* name;
    UINT key, modifiers;
    bool alwaysSave, wantReturns;
    bool taken;
  };
  const Case kCases[] = {
      {"Alt+Down saving", VK_DOWN, kAlt, true, false, true},
      {"Alt+Up without saving", VK_UP, kAlt, false, false, false},
      {"Esc, even saving", VK_ESCAPE, 0, true, false, false},
      {"Enter without returns", VK_RETURN, 0, false, false, true},
      {"Ctrl+Enter with returns", VK_RETURN, kCtrl, false, true, true},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    edit->SetEditValue(Variant("v"));
    Props()->SetAlwaysSaveData(c.alwaysSave);
    Props()->SetMemoWantReturns(c.wantReturns);
    bool okEnabled = false;
    Drop(
        [] {
          ScriptKeyPress(VK_END, kCtrl);
          ScriptTypeText("!");
        },
        [&] {
          okEnabled = edit->GetOKButton() && edit->GetOKButton()->GetEnabled();
          ScriptKeyPress(c.key, c.modifiers);
        });
    EXPECT_TRUE(okEnabled) << "a change enables OK";
    EXPECT_FALSE(edit->GetDroppedDown());
    EXPECT_EQ(Value(), c.taken ? "v!" : "v");
  }
  // Enter with returns makes a line and leaves the popup open.
  edit->SetEditValue(Variant("v"));
  Props()->SetMemoWantReturns(true);
  bool open = false;
  Drop([] { ScriptKeyPress(VK_RETURN); },
       [&] {
         open = edit->GetDroppedDown();
         ScriptKeyPress(VK_RETURN, kCtrl);
       });
  EXPECT_TRUE(open);
  EXPECT_EQ(Value(), "\r\nv");

  // The picture's Enter accepts and Esc cancels.
  Props()->SetBlobEditKind(bekPict);
  for (auto [key, reason] : {std::pair{VK_RETURN, pcrAccept}, std::pair{VK_ESCAPE, pcrCancel}}) {
    Drop([key = key] { ScriptKeyPress(key); });
    EXPECT_FALSE(edit->GetDroppedDown());
    EXPECT_EQ(edit->GetCloseUpReason(), reason);
  }
}

TEST_F(BlobEdit, ThePopupsButtonsStayInItsPanelBesideTheGripInEveryCorner) {
  Props()->SetBlobEditKind(bekMemo);
  struct Case {
    const char* name;
    TRect form, editor;
    Byte grip;  // 0 and 1 top, 2 and 3 bottom; 1 and 3 right
  };
  const Case kCases[] = {
      {"below", {100, 100, 500, 400}, {20, 30, 180, 51}, 3},
      {"below, pushed left", {1000, 100, 1280, 400}, {180, 30, 260, 51}, 2},
      {"above", {100, 900, 500, 1000}, {20, 40, 180, 61}, 1},
      {"above, pushed left", {1000, 900, 1280, 1000}, {180, 40, 260, 61}, 0},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    form->SetBounds(c.form.Left, c.form.Top, c.form.Width(), c.form.Height());
    edit->SetBounds(c.editor.Left, c.editor.Top, c.editor.Width(), c.editor.Height());
    bool checked = false;
    Drop([&] {
      TkvCustomEditPopupWindow* popup = edit->GetPopupWindow();
      ASSERT_TRUE(popup && edit->GetOKButton() && edit->GetCancelButton());
      const TkvCustomEditPopupWindowViewInfo* info = popup->GetEditViewInfo();
      ASSERT_EQ(info->GripCorner, c.grip);
      const TRect cancel = edit->GetCancelButton()->GetBoundsRect();
      const TRect ok = edit->GetOKButton()->GetBoundsRect();
      const TRect whole(0, 0, popup->GetWidth(), popup->GetHeight());
      RECT overlap;
      EXPECT_FALSE(IntersectRect(&overlap, &cancel, &info->GripRect)) << "the Cancel button covers the grip";
      EXPECT_TRUE(IntersectRect(&overlap, &cancel, &whole) && TRect(overlap) == cancel) << "Cancel leaves the popup";
      EXPECT_TRUE(IntersectRect(&overlap, &ok, &whole) && TRect(overlap) == ok) << "OK leaves the popup";
      EXPECT_EQ(ok.Top, cancel.Top);
      EXPECT_LT(ok.Right, cancel.Left);
      // In the panel band on the grip's side, anchored to that side.
      const bool top = c.grip < 2;
      if (top)
        EXPECT_LE(cancel.Bottom, info->ClientRect.Top);
      else
        EXPECT_GE(cancel.Top, info->ClientRect.Bottom);
      EXPECT_EQ(edit->GetCancelButton()->GetAnchors().Contains(akBottom), !top);
      checked = true;
      edit->CloseFromContent(mrCancel);
    });
    EXPECT_TRUE(checked);
  }
}

TEST_F(BlobEdit, TheMemoPopupHasItsButtonsInThePanelAndAReadOnlyEditorOnlyCloses) {
  Props()->SetBlobEditKind(bekMemo);
  bool checked = false;
  Drop([&] {
    ASSERT_TRUE(edit->GetDroppedDown());
    TkvButton* ok = edit->GetOKButton();
    TkvButton* cancel = edit->GetCancelButton();
    ASSERT_TRUE(ok && cancel);
    EXPECT_EQ(ok->GetCaption(), "&OK");
    EXPECT_EQ(cancel->GetCaption(), "&Cancel");
    EXPECT_FALSE(ok->GetEnabled());
    TkvCustomEditPopupWindow* popup = edit->GetPopupWindow();
    const TRect grip = popup->GetEditViewInfo()->GripRect;
    // The grip is in a bottom corner away from the editor: the buttons sit left of it.
    EXPECT_LE(cancel->GetLeft() + cancel->GetWidth(), grip.Left);
    EXPECT_LT(ok->GetLeft() + ok->GetWidth(), cancel->GetLeft());
    EXPECT_GT(cancel->GetTop(), popup->GetEditViewInfo()->ClientRect.Bottom - 1);
    EXPECT_TRUE(cancel->GetAnchors().Contains(akBottom));
    checked = true;
    edit->CloseFromContent(mrCancel);
  });
  EXPECT_TRUE(checked);

  Props()->SetReadOnly(true);
  edit->SetEditValue(Variant("fixed"));
  checked = false;
  Drop([&] {
    EXPECT_EQ(edit->GetOKButton(), nullptr);
    ASSERT_NE(edit->GetCancelButton(), nullptr);
    EXPECT_EQ(edit->GetCancelButton()->GetCaption(), "&Close");
    checked = true;
    edit->CloseFromContent(mrOk);
  });
  EXPECT_TRUE(checked);
  EXPECT_EQ(Value(), "fixed");
}

TEST_F(BlobEdit, MemoAutoReplaceOpensTheMemoWithJustTheTypedLetter) {
  Props()->SetBlobEditKind(bekMemo);
  Props()->SetMemoAutoReplace(true);
  edit->SetEditValue(Variant("old text"));
  edit->SetFocus();
  Pump();
  ScriptedSteps steps;
  steps.Add(50, [] { ScriptKeyPress(VK_RETURN, kCtrl); });
  ScriptTypeText("n");
  Pump();
  EXPECT_EQ(Value(), "n");
}

TEST_F(BlobEdit, APictureTakenOverKeepsItsSizeAndAlphaAndTheMenuFollowsShowExPopupItems) {
  Props()->SetBlobEditKind(bekPict);
  Props()->SetPictureGraphicClassName("TqzPNGImage");
  Props()->SetShowExPopupItems(false);
  const String png = PngBytes(40, 30);
  bool checked = false;
  Drop([&] {
    auto* image = dynamic_cast<TkvPopupImage*>(edit->GetContent());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetImageEditProperties()->GetPopupMenuLayout()->GetMenuItems(),
              (TkvPopupMenuItems{pmiCut, pmiCopy, pmiPaste, pmiDelete}));
    image->SetEditValue(Variant(png));
    image->MarkModifiedByUser(true);
    checked = true;
    edit->CloseFromContent(mrOk);
  });
  ASSERT_TRUE(checked);
  EXPECT_EQ(Value(), png);
  EXPECT_STREQ(edit->GetLastGraphicClass()->Name, "TqzPNGImage");
  TPicture picture;
  ASSERT_TRUE(LoadPictureFromValue(&picture, TqzPNGImage::ClassInfo(), Variant(Value())));
  EXPECT_EQ(picture.GetWidth(), 40);
  EXPECT_TRUE(static_cast<TqzPNGImage*>(picture.GetGraphic())->HasAlphaChannel());
}

TEST_F(BlobEdit, AutoTakesTheDataProvidersKindAndKeepsIt) {
  // The editor's own data says memo (blob kind 3), already when the editor is first laid out:
  // the kind is kept, and the first button drops the memo down.
  EXPECT_EQ(Props()->ResolvedKind(), bekMemo);
  EXPECT_EQ(Props()->GetBlobEditKind(), bekMemo);
  EXPECT_EQ(Props()->GetButtons()->GetButton(0)->GetKind(), bkDown);
  edit->SetEditValue(Variant("one\rtwo"));
  Props()->SetBlobPaintStyle(bpsText);
  Pump();
  EXPECT_EQ(static_cast<TkvBlobEditViewInfo*>(edit->GetEditViewInfo())->Text, "one");
}
