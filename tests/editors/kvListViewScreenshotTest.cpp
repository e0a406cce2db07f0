// A picture for a person to look at: list views in report view in each look, with header states,
// column images, grid lines, row select, check boxes and a disabled one; saved under
// $TAVREN_TEST_OUTPUT.

#include <sys/stat.h>

#include <cstdlib>

#include "EditorsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "toolkit/editors/kvListView.h"
#include "vcl/StdCtrls.h"

namespace {

using ListViewScreenshot = EditorsTest;

struct Row {
  const char* source;
  const char* original;
  const char* trimmed;
  const char* destination;
};
const Row kRows[] = {
    {"holiday_beach.avi", "00:04:12", "00:03:50", "holiday_beach.wmv"},
    {"birthday_party.mp4", "00:12:40", "00:12:40", "birthday_party.wmv"},
    {"concert_2019.mkv", "01:02:05", "00:45:00", "concert_2019.wmv"},
    {"garden_timelapse.mov", "00:00:48", "00:00:48", "garden_timelapse.wmv"},
    {"interview_take3.mpg", "00:21:17", "00:18:02", "interview_take3.wmv"},
};

TkvListView* MakeList(TForm* Form, Integer Left, Integer Top, TkvLookAndFeelKind Kind) {
  auto* list = new TkvListView(Form);
  list->SetParent(Form);
  list->SetBounds(Left, Top, 440, 130);
  list->GetStyle()->GetLookAndFeel()->SetKind(Kind);
  list->SetViewStyle(vsReport);
  const std::pair<const char*, Integer> kColumns[] = {
      {"Source video", 140}, {"Original Length", 95}, {"Trimmed Length", 95}, {"Destination File", 150}};
  for (const auto& [caption, width] : kColumns) {
    TListColumn* column = list->GetColumns()->Add();
    column->SetCaption(caption);
    column->SetWidth(width);
  }
  list->Column(1)->SetAlignment(taRightJustify);
  list->Column(2)->SetAlignment(taRightJustify);
  for (const Row& row : kRows) {
    TListItem* item = list->GetItems()->Add();
    item->SetCaption(row.source);
    item->GetSubItems()->Add(row.original);
    item->GetSubItems()->Add(row.trimmed);
    item->GetSubItems()->Add(row.destination);
  }
  return list;
}

TEST_F(ListViewScreenshot, ListViewsInEachLook) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  mkdir(output, 0755);
  form->SetBounds(0, 0, 930, 640);
  form->SetColor(clBtnFace);
  const std::pair<TkvLookAndFeelKind, const char*> kLooks[] = {
      {lfStandard, "Standard: grid lines, row select"},
      {lfFlat, "Flat: check boxes"},
      {lfUltraFlat, "UltraFlat: hot section, read-only"},
      {lfOffice11, "Office11: pressed section"}};
  std::vector<TkvListView*> lists;
  for (int i = 0; i < 4; ++i) {
    const Integer left = 10 + (i % 2) * 460;
    const Integer top = 24 + (i / 2) * 165;
    auto* title = new TLabel(form);
    title->SetParent(form);
    title->SetCaption(kLooks[i].second);
    title->SetBounds(left, top - 18, 400, 16);
    lists.push_back(MakeList(form, left, top, kLooks[i].first));
  }
  lists[0]->SetGridLines(true);
  lists[0]->SetRowSelect(true);
  lists[0]->SetHideSelection(false);
  lists[1]->SetCheckboxes(true);
  lists[2]->SetReadOnly(true);

  auto* title = new TLabel(form);
  title->SetParent(form);
  title->SetCaption("Disabled; a long list with its own scroll bars");
  title->SetBounds(10, 352, 400, 16);
  TkvListView* disabled = MakeList(form, 10, 370, lfUltraFlat);
  disabled->SetEnabled(false);
  TkvListView* tall = MakeList(form, 470, 370, lfUltraFlat);
  tall->SetHeight(250);
  tall->SetWidth(360);
  tall->SetRowSelect(true);
  for (int i = 0; i < 30; ++i) {
    TListItem* item = tall->GetItems()->Add();
    item->SetCaption("episode_" + std::to_string(i + 1) + ".avi");
    item->GetSubItems()->Add("00:2" + std::to_string(i % 10) + ":00");
  }

  form->Show();
  Pump();
  lists[0]->GetItems()->GetItem(1)->SetSelected(true);
  lists[1]->GetItems()->GetItem(0)->SetChecked(true);
  lists[1]->GetItems()->GetItem(2)->SetChecked(true);
  tall->GetItems()->GetItem(3)->SetSelected(true);
  tall->SetFocus();
  Pump();
  // Hot section on the third list, pressed section on the fourth.
  HWND hotHeader = lists[2]->GetInnerListView()->GetHeader()->GetHandle();
  POINT p{60, 6};
  ClientToScreen(hotHeader, &p);
  ScriptMouseMove(p);
  Pump();
  InvalidateRect(hotHeader, nullptr, FALSE);
  Pump();
  HWND pressedHeader = lists[3]->GetInnerListView()->GetHeader()->GetHandle();
  p = POINT{180, 6};
  ClientToScreen(pressedHeader, &p);
  ScriptMouseMove(p);
  Pump();
  SendMessage(pressedHeader, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(180, 6));
  InvalidateRect(pressedHeader, nullptr, FALSE);
  Pump();
  EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), String(output) + "/editors-list-views.png"));
  ReleaseCapture();
}

}  // namespace
