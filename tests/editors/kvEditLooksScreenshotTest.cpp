// Pictures for a person to look at: an editor over its native inner edit, with an ellipsis and a
// drop-down button, normal, focused, with a hot and a pressed button, disabled and read-only, in
// each look (standard, flat, ultra-flat, Office 11 and a built-in skin); saved under
// $TAVREN_TEST_OUTPUT.

#include <sys/stat.h>

#include <cstdlib>

#include "EditTestInnerEdit.h"
#include "EditorsTestSupport.h"
#include "vcl/StdCtrls.h"

namespace {

using EditLooksScreenshot = EditorsTest;

TEST_F(EditLooksScreenshot, EditorsOverTheirInnerEditInEachLook) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  mkdir(output, 0755);
  struct Look {
    const char* file;
    TkvLookAndFeelKind kind;
    TkvEditBorderStyle border;
    const char* skin;
  };
  const Look looks[] = {{"standard", lfStandard, ebs3D, ""},
                        {"flat", lfFlat, ebsFlat, ""},
                        {"ultraflat", lfUltraFlat, ebsUltraFlat, ""},
                        {"office11", lfOffice11, ebsOffice11, ""},
                        {"skin", lfStandard, ebsSingle, "Skin02"}};
  const char* rows[] = {"Normal", "Focused", "Button hot", "Button pressed", "Disabled", "Read-only"};
  form->SetBounds(10, 10, 330, 250);
  form->Show();
  for (const Look& look : looks) {
    SCOPED_TRACE(look.file);
    std::vector<TTextOwnerEdit*> edits;
    std::vector<TLabel*> labels;
    for (int row = 0; row < 6; ++row) {
      auto* label = new TLabel(form);
      label->SetParent(form);
      label->SetCaption(rows[row]);
      label->SetBounds(12, 18 + row * 36, 100, 16);
      labels.push_back(label);
      auto* edit = new TTextOwnerEdit(form);
      edit->SetParent(form);
      edit->SetBounds(112, 14 + row * 36, 204, 21);
      edit->insetText = true;
      TkvEditStyle* style = edit->GetEditStyle();
      style->SetBorderStyle(look.border);
      style->SetTransparentBorder(false);
      style->SetHotTrack(true);
      TkvLookAndFeel* lookAndFeel = style->GetLookAndFeel();
      lookAndFeel->SetKind(look.kind);
      lookAndFeel->SetNativeStyle(false);
      lookAndFeel->SetSkinName(look.skin);
      TkvEditButtons* buttons = edit->Props()->GetButtons();
      buttons->AddButton()->SetKind(bkEllipsis);
      buttons->AddButton()->SetKind(bkDown);
      edit->SetEditValue("/home/me/Videos/Converted");
      if (row == 4) edit->SetEnabled(false);
      if (row == 5) edit->Props()->SetReadOnly(true);
      edits.push_back(edit);
    }
    Pump();
    edits[1]->SetFocus();
    Pump();
    for (int row : {2, 3}) {
      TkvEditButtonViewInfo* ellipsis = edits[row]->GetEditViewInfo()->Buttons[0].get();
      TPoint over{(ellipsis->Bounds.Left + ellipsis->Bounds.Right) / 2, 10};
      const bool pressed = row == 3;
      edits[row]->CalculateViewInfoAt(over, pressed ? 1 : 0, pressed ? TShiftState{ssLeft} : TShiftState{}, true);
    }
    Pump();
    EXPECT_TRUE(edits[1]->GetViewInfo()->ContainerState.Contains(csActive));
    // The inner edit lies inside the client area and shows the value.
    for (TTextOwnerEdit* edit : edits) {
      const TRect client = edit->GetViewInfo()->ClientRect, inner = edit->TextInner()->GetBoundsRect();
      EXPECT_TRUE(inner.Left > client.Left && inner.Right == client.Right && inner.Bottom == client.Bottom);
      EXPECT_EQ(edit->TextInner()->GetText(), "/home/me/Videos/Converted");
    }
    EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), String(output) + "/editors-edit-" + look.file + ".png"));
    for (TTextOwnerEdit* edit : edits) delete edit;
    for (TLabel* label : labels) delete label;
    Pump();
  }
}

}  // namespace
