// Pictures for a person to look at: text edits (empty, with a selection, disabled, right-aligned,
// password) and memos with both scroll bars and more text than fits, unfocused and focused, in
// each look and in a built-in skin; saved under $TAVREN_TEST_OUTPUT.

#include <sys/stat.h>

#include <cstdlib>

#include "EditorsTestSupport.h"
#include "rtl/SysUtils.h"
#include "user/InputEvents.h"
#include "toolkit/editors/kvMemo.h"
#include "vcl/StdCtrls.h"

namespace {

void Caption(TWinControl* Parent, Integer X, Integer Y, const char* Text) {
  auto* label = new TLabel(Parent);
  label->SetParent(Parent);
  label->SetCaption(Text);
  label->SetLeft(X);
  label->SetTop(Y);
}

struct Look {
  const char* file;
  TkvLookAndFeelKind kind;
  TkvEditBorderStyle border;
  const char* skin;
};

void ApplyLook(TkvCustomEdit* Edit, const Look& Look) {
  TkvLookAndFeel* lookAndFeel = Edit->GetEditStyle()->GetLookAndFeel();
  lookAndFeel->SetKind(Look.kind);
  lookAndFeel->SetSkinName(Look.skin);
  Edit->GetEditStyle()->SetBorderStyle(Look.border);
  Edit->GetEditStyle()->SetTransparentBorder(false);
}

TkvTextEdit* TextEdit(TWinControl* Parent, const Look& Look, Integer Top, const char* Label, const char* Text) {
  Caption(Parent, 10, Top + 4, Label);
  auto* edit = new TkvTextEdit(Parent);
  edit->SetParent(Parent);
  edit->SetBounds(110, Top, 200, 21);
  ApplyLook(edit, Look);
  edit->SetText(Text);
  return edit;
}

TkvMemo* Memo(TWinControl* Parent, const Look& Look, Integer Left) {
  auto* memo = new TkvMemo(Parent);
  memo->SetParent(Parent);
  memo->SetBounds(Left, 30, 220, 150);
  ApplyLook(memo, Look);
  memo->GetMemoProperties()->SetScrollBars(ssBoth);
  String text = "Converted files go to the output folder.\r\n";
  for (Integer i = 1; i <= 20; ++i)
    text += "12:0" + IntToStr(i % 10) + " clip" + IntToStr(i) + ".avi converted to clip" + IntToStr(i) +
            ".wmv, 1280 x 720, 30 frames a second\r\n";
  memo->SetEditValue(Variant(text));
  return memo;
}

using TextEditScreenshot = EditorsTest;

TEST_F(TextEditScreenshot, TextEditsAndMemosInEachLook) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  mkdir(output, 0755);
  const Look kLooks[] = {{"standard", lfStandard, ebs3D, ""},
                         {"flat", lfFlat, ebsFlat, ""},
                         {"ultraflat", lfUltraFlat, ebsUltraFlat, ""},
                         {"office11", lfOffice11, ebsOffice11, ""},
                         {"skin", lfStandard, ebsSingle, "Skin02"}};
  // The pointer stays off the editors, so no earlier test leaves one of them hot.
  InputMouseMove(POINT{2000, 2000});
  for (const Look& look : kLooks) {
    auto* page = new TForm(nullptr, 0);
    page->SetBorderStyle(bsNone);
    page->SetBounds(0, 0, 820, 200);
    page->SetColor(clBtnFace);
    TextEdit(page, look, 10, "Empty", "");
    TkvTextEdit* selected = TextEdit(page, look, 40, "Selection", "C:\\Videos\\Converted");
    selected->GetTextEditProperties()->SetHideSelection(false);
    TkvTextEdit* disabled = TextEdit(page, look, 70, "Disabled", "Not available");
    disabled->SetEnabled(false);
    TkvTextEdit* right = TextEdit(page, look, 100, "Right-aligned", "1,280 x 720");
    right->GetTextEditProperties()->GetAlignment()->SetHorz(taRightJustify);
    TkvTextEdit* password = TextEdit(page, look, 130, "Password", "secret");
    password->GetTextEditProperties()->SetEchoMode(eemPassword);
    Caption(page, 340, 10, "Memo");
    Memo(page, look, 340);
    Caption(page, 580, 10, "Memo, focused");
    TkvMemo* focused = Memo(page, look, 580);
    page->Show();
    Pump();
    selected->SelectRange(3, 6);
    focused->SetFocus();
    Pump();
    EXPECT_TRUE(focused->GetVScrollBar()->GetVisible());
    EXPECT_TRUE(screen.SaveWindowPng(page->GetHandle(), String(output) + "/editors-text-" + look.file + ".png"));
    delete page;
    Pump();
  }
}

}  // namespace
