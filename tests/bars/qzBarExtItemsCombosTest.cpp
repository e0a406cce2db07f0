#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "BarsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "rtl/ClassRegistry.h"
#include "rtl/SysUtils.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarExtItems.h"
#include "toolkit/bars/qzBarExtItemsCombos.h"
#include "toolkit/bars/qzBarExtItemsTree.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "user/Clock.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/ModalResponder.h"
#include "user/Painting.h"
#include "user/Rects.h"
#include "user/VirtualKeys.h"
#include "vcl/Dialogs.h"
#include "vcl/ImgList.h"
#include "vcl/StdCtrls.h"

namespace {

struct TClickLog : TObject {
  Integer clicks = 0;
  void Clicked(TObject*) { ++clicks; }
};

// The responder's questions, answered by the given function; removed at the end of the scope.
class Responder {
 public:
  explicit Responder(std::function<int(const ModalRequest&)> AAnswer) {
    SetModalResponder([this, AAnswer](const ModalRequest& request) {
      kinds.push_back(request.kind);
      return AAnswer(request);
    });
  }
  ~Responder() { SetModalResponder(nullptr); }
  std::vector<String> kinds;
};

template <class T>
T* DialogControl(const ModalRequest& request, const char* name) {
  TWinControl* form = FindControl(request.window);
  return form ? dynamic_cast<T*>(form->FindComponent(name)) : nullptr;
}

// A docked toolbar on a shown form, for the combos' controls.
class ExtCombos : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 560, 300);
    form->SetColor(clBtnFace);
    form->Show();
    bar = manager->GetBars()->AddBar();
    bar->SetDockingStyle(dsTop);
  }
  void Show() {
    bar->SetVisible(true);
    Pump();
    static_cast<FakeClock&>(CurrentClock()).Advance(2000);
  }
  template <class T>
  T* ControlOf(TqzBarItem* AItem) {
    return dynamic_cast<T*>(AItem->GetLink(0)->GetControl());
  }
  POINT ScreenPoint(const TRect& R) {
    TPoint p = bar->GetBarControl()->ClientToScreen(TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
    return {p.X, p.Y};
  }
  TqzBar* bar = nullptr;
};

// ---- Colour combo ------------------------------------------------------------------------------

TEST_F(ExtCombos, TheUnitRegistersTheCombosWithTheirControls) {
  auto* list = ItemClassListInstance();
  EXPECT_EQ(list->ControlClassOf(TqzBarColorCombo::ClassInfo()), TqzBarColorComboControl::ClassInfo());
  EXPECT_EQ(list->ControlClassOf(TqzBarFontNameCombo::ClassInfo()), TqzBarComboControl::ClassInfo());
  EXPECT_EQ(list->ControlClassOf(TqzBarImageCombo::ClassInfo()), TqzBarImageComboControl::ClassInfo());
  EXPECT_NE(FindClass("TqzBarColorCombo"), nullptr);
  // Each kind shows its own picture in the customizing lists.
  TqzBarColorCombo colors(form);
  TqzBarFontNameCombo fonts(form);
  TqzBarImageCombo images(form);
  for (TqzBarItem* item : std::initializer_list<TqzBarItem*>{&colors, &fonts, &images}) {
    EXPECT_EQ(item->GetGlyph()->GetWidth(), 16) << item->ClassName();
    EXPECT_EQ(item->GetGlyph()->GetHeight(), 16) << item->ClassName();
  }
  EXPECT_EQ(BarFontKindBitmap(true)->GetWidth(), 16);
  EXPECT_EQ(BarFontKindBitmap(false)->GetWidth(), 16);
}

TEST_F(ExtCombos, ColoursSelectTheirEntryOrShowAsCustom) {
  auto* combo = new TqzBarColorCombo(form);
  // A new combo is black, the first of sixteen entries, with no editor.
  EXPECT_EQ(combo->GetColor(), clBlack);
  EXPECT_EQ(combo->GetItemIndex(), 0);
  EXPECT_EQ(combo->GetItems()->GetCount(), 16);
  EXPECT_EQ(combo->GetDropDownCount(), 16);
  EXPECT_FALSE(combo->GetShowEditor());
  COLORREF window = ColorToRGB(clWindow);
  const struct {
    TColor color;
    Integer index;
    const char* text;
  } kCases[] = {
      {clRed, 9, "Red"},
      {static_cast<TColor>(RGB(86, 52, 18)), -1, ""},
      {clNavy, 4, "Navy"},
      // A system colour counts by the RGB it stands for.
      {clBtnFace, -1, ""},
      {clWindow, window == RGB(255, 255, 255) ? 15 : -1, window == RGB(255, 255, 255) ? "White" : ""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    combo->SetColor(c.color);
    EXPECT_EQ(combo->GetItemIndex(), c.index);
    EXPECT_EQ(combo->GetText(), c.text);
    // The colour stays as set, even where an entry of the same RGB is chosen.
    EXPECT_EQ(combo->GetColor(), c.color);
    EXPECT_EQ(combo->ColorOfIndex(-1), c.color);
  }
  // Choosing an entry picks its colour.
  combo->SetItemIndex(3);
  EXPECT_EQ(combo->GetColor(), static_cast<TColor>(RGB(128, 128, 0)));
}

TEST_F(ExtCombos, TheAutomaticEntryLeadsTheListAndTakesItsOwnCountDefault) {
  auto* combo = new TqzBarColorCombo(form);
  combo->SetColor(clRed);
  combo->SetShowAutoColor(true);
  EXPECT_EQ(combo->GetItems()->GetStrings(0), "(automatic)");
  EXPECT_EQ(combo->GetDropDownCount(), 17);
  EXPECT_EQ(combo->GetItemIndex(), 10);
  // The automatic colour wins over the entry of the same RGB.
  combo->SetAutoColor(clBlack);
  combo->SetColor(clBlack);
  EXPECT_EQ(combo->GetItemIndex(), 0);
  combo->SetItemIndex(1);
  combo->SetItemIndex(0);
  EXPECT_EQ(combo->GetColor(), clBlack);
  combo->SetAutoColorText("Default");
  EXPECT_EQ(combo->GetItems()->GetStrings(0), "Default");
  combo->SetShowAutoColor(false);
  EXPECT_EQ(combo->GetDropDownCount(), 16);
  EXPECT_EQ(combo->GetItems()->GetCount(), 16);
  EXPECT_EQ(combo->GetItemIndex(), 0);
  // A count the program chose stays.
  combo->SetDropDownCount(10);
  combo->SetShowAutoColor(true);
  EXPECT_EQ(combo->GetDropDownCount(), 10);
}

TEST_F(ExtCombos, AClickOpensTheColourDialogUnlessHandledOrReadOnly) {
  auto* combo = new TqzBarColorCombo(form);
  Responder responder([](const ModalRequest& request) {
    DialogControl<TEdit>(request, "RedEdit")->SetText("86");
    DialogControl<TEdit>(request, "GreenEdit")->SetText("52");
    DialogControl<TEdit>(request, "BlueEdit")->SetText("18");
    return IDOK;
  });
  combo->SetReadOnly(true);
  combo->ClickItem();
  EXPECT_TRUE(responder.kinds.empty());
  combo->SetReadOnly(false);
  TClickLog log;
  combo->SetOnClick(MakeEvent<&TClickLog::Clicked>(&log));
  combo->ClickItem();
  EXPECT_EQ(log.clicks, 1);
  EXPECT_TRUE(responder.kinds.empty());
  combo->SetOnClick(TNotifyEvent());
  combo->ClickItem();
  EXPECT_EQ(responder.kinds, std::vector<String>{"ColorDialog"});
  EXPECT_EQ(combo->GetColor(), static_cast<TColor>(RGB(86, 52, 18)));
  EXPECT_EQ(combo->GetItemIndex(), -1);
}

TEST_F(ExtCombos, TheCustomColourButtonOpensTheDialogAtTheShownEntry) {
  auto* combo = new TqzBarColorCombo(form);
  combo->SetWidth(200);
  combo->SetColor(clGreen);
  bar->GetItemLinks()->AddLinkForItem(combo);
  Show();
  auto* control = ControlOf<TqzBarColorComboControl>(combo);
  ASSERT_NE(control, nullptr);
  ASSERT_EQ(control->GetPartRects().size(), 5u);
  EXPECT_TRUE(IsRectEmpty(&control->GetPartRects()[qzColorButtonPart]));
  TRect editBefore = control->GetPartRects()[qzEditPart];
  combo->SetShowCustomColorButton(true);
  const std::vector<TRect>& parts = control->GetPartRects();
  const TRect& button = parts[qzColorButtonPart];
  ASSERT_FALSE(IsRectEmpty(&button));
  // The button stands between the edit part, which gives way, and the drop button.
  EXPECT_LT(parts[qzEditPart].Right, editBefore.Right);
  EXPECT_LE(parts[qzEditPart].Right, button.Left);
  EXPECT_LE(button.Right, parts[qzComboButtonPart].Left);
  TColor started = clNone;
  Responder responder([&started](const ModalRequest& request) {
    auto channel = [&request](const char* name) {
      return static_cast<BYTE>(StrToInt(DialogControl<TEdit>(request, name)->GetText()));
    };
    started = static_cast<TColor>(RGB(channel("RedEdit"), channel("GreenEdit"), channel("BlueEdit")));
    return IDCANCEL;
  });
  ScriptClick(ScreenPoint(parts[qzEditPart]));
  Pump();
  ASSERT_TRUE(control->GetInPlaceActive());
  ScriptClick(ScreenPoint(control->GetPartRects()[qzColorButtonPart]));
  Pump();
  EXPECT_EQ(responder.kinds, std::vector<String>{"ColorDialog"});
  EXPECT_EQ(started, static_cast<TColor>(RGB(0, 128, 0)));
  EXPECT_EQ(combo->GetColor(), clGreen);
}

// ---- Font-name combo ---------------------------------------------------------------------------

TEST_F(ExtCombos, FontNamesListTheFamiliesOnceWithTheirKind) {
  auto* combo = new TqzBarFontNameCombo(form);
  TStrings* items = combo->GetItems();
  EXPECT_EQ(combo->GetWidth(), 160);
  EXPECT_EQ(combo->GetDropDownCount(), 12);
  Integer sans = items->IndexOf("Liberation Sans");
  ASSERT_GE(sans, 0);
  EXPECT_TRUE(combo->IsTrueType(sans));
  for (Integer i = 1; i < items->GetCount(); ++i)
    EXPECT_LT(AnsiCompareText(items->GetStrings(i - 1), items->GetStrings(i)), 0) << items->GetStrings(i);
  // Out of place, any text is the item's; the font dialog starts from it and gives the face back.
  combo->SetText("liberation serif");
  EXPECT_EQ(combo->GetText(), "liberation serif");
  String started;
  Responder responder([&started](const ModalRequest& request) {
    auto* list = DialogControl<TListBox>(request, "FontList");
    started = list->GetItemIndex() >= 0 ? list->GetItems()->GetStrings(list->GetItemIndex()) : String();
    list->SetItemIndex(list->GetItems()->IndexOf("Liberation Mono"));
    return IDOK;
  });
  combo->ClickItem();
  EXPECT_EQ(started, "Liberation Serif");
  EXPECT_EQ(combo->GetText(), "Liberation Mono");
}

TEST_F(ExtCombos, WhileEditedAFontNameMustBeInTheList) {
  auto* combo = new TqzBarFontNameCombo(form);
  combo->SetText("Liberation Sans");
  bar->GetItemLinks()->AddLinkForItem(combo);
  Show();
  auto* control = ControlOf<TqzBarComboControl>(combo);
  ASSERT_NE(control, nullptr);
  ScriptClick(ScreenPoint(control->GetPartRects()[qzEditPart]));
  Pump();
  ASSERT_NE(combo->GetActiveLink(), nullptr);
  combo->SetText("No Such Face");
  EXPECT_EQ(combo->GetText(), "Liberation Sans");
  combo->SetText("liberation MONO");
  EXPECT_EQ(combo->GetText(), "Liberation Mono");
  // Without an editor the press opened the list; the form goes with it open.
  EXPECT_TRUE(control->IsDroppedDown());
}

// ---- Image combo -------------------------------------------------------------------------------

TImageList* NewImageList(TComponent* AOwner, Integer ASize, Integer ACount) {
  auto* list = new TImageList(AOwner);
  list->SetWidth(ASize);
  list->SetHeight(ASize);
  const TColor colours[] = {clNavy, clMaroon, clGreen, clTeal};
  for (Integer i = 0; i < ACount; ++i) {
    TBitmap image;
    image.SetSize(ASize, ASize);
    image.GetCanvas()->GetBrush()->SetColor(colours[i % 4]);
    image.GetCanvas()->FillRect(TRect(0, 0, ASize, ASize));
    list->Add(&image, nullptr);
  }
  return list;
}

String FormWithImageCombo(const String& ALines) {
  return "object Form1: TForm\n"
         "  object BarManager1: TqzBarManager\n"
         "    Categories.Strings = (\n"
         "      'Default')\n"
         "    Categories.ItemsVisibles = (\n"
         "      2)\n"
         "    Categories.Visibles = (\n"
         "      True)\n"
         "    object Pictures: TqzBarImageCombo\n"
         "      Category = 0\n"
         "      Items.Strings = (\n"
         "        'One'\n"
         "        'Two'\n"
         "        'Three')\n" +
         ALines +
         "    end\n"
         "  end\n"
         "end\n";
}

TEST_F(ExtCombos, ImageIndexesTravelWithTheEntriesThroughTheFormStream) {
  const struct {
    const char* lines;
    std::vector<Integer> indexes;
  } kCases[] = {
      {"      ImageIndexes = (\n        2\n        0\n        1)\n", {2, 0, 1}},
      // Extra values are dropped; missing ones leave -1.
      {"      ImageIndexes = (\n        1\n        2\n        3\n        0\n        2)\n", {1, 2, 3}},
      {"      ImageIndexes = (\n        3)\n", {3, -1, -1}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.lines);
    auto copy = std::make_unique<TForm>(nullptr, 0);
    ReadComponentFromText(FormWithImageCombo(c.lines), copy.get());
    auto* combo = dynamic_cast<TqzBarImageCombo*>(copy->FindComponent("Pictures"));
    ASSERT_NE(combo, nullptr);
    std::vector<Integer> read;
    for (Integer i = 0; i < 3; ++i) read.push_back(combo->GetImageIndexes(i));
    EXPECT_EQ(read, c.indexes);
    // Written back whole and read to the same.
    String text = WriteComponentToText(copy.get());
    auto again = std::make_unique<TForm>(nullptr, 0);
    ReadComponentFromText(text, again.get());
    auto* reread = static_cast<TqzBarImageCombo*>(again->FindComponent("Pictures"));
    ASSERT_EQ(reread->GetItems()->GetCount(), 3) << text;
    for (Integer i = 0; i < 3; ++i) EXPECT_EQ(reread->GetImageIndexes(i), c.indexes[static_cast<size_t>(i)]) << text;
  }
  TqzBarImageCombo fresh(form);
  fresh.GetItems()->Add("Plain");
  EXPECT_EQ(fresh.GetImageIndexes(0), -1);
}

TEST_F(ExtCombos, AFreedImageListLeavesTheComboAtTheTextHeight) {
  auto* combo = new TqzBarImageCombo(form);
  combo->GetItems()->Add("One");
  combo->SetImageIndexes(0, 0);
  combo->SetItemIndex(0);
  bar->GetItemLinks()->AddLinkForItem(combo);
  Show();
  Integer plain = ControlOf<TqzBarImageComboControl>(combo)->GetHeight();
  TImageList* images = NewImageList(form, 32, 2);
  combo->SetImages(images);
  Pump();
  EXPECT_EQ(ControlOf<TqzBarImageComboControl>(combo)->GetHeight(), std::max(plain, 38));
  delete images;
  Pump();
  EXPECT_EQ(combo->GetImages(), nullptr);
  EXPECT_EQ(ControlOf<TqzBarImageComboControl>(combo)->GetHeight(), plain);
}

TEST_F(ExtCombos, AnEntryWithoutImageAndWithoutTextDrawsNothing) {
  auto* combo = new TqzBarImageCombo(form);
  combo->GetItems()->Add("Pictured");
  combo->GetItems()->Add("Bare");
  combo->SetImageIndexes(0, 1);
  combo->SetImages(NewImageList(form, 16, 2));
  combo->SetShowText(false);
  TBitmap canvasBitmap;
  canvasBitmap.SetSize(60, 20);
  TCanvas* canvas = canvasBitmap.GetCanvas();
  combo->SetPaintCanvas(canvas);
  auto countNonWhite = [&](Integer AIndex) {
    canvas->GetBrush()->SetColor(clWhite);
    canvas->FillRect(TRect(0, 0, 60, 20));
    combo->PaintListItem(manager->GetDefaultPainter(), AIndex, TOwnerDrawState(), TRect(0, 0, 60, 20));
    Integer count = 0;
    for (Integer y = 0; y < 20; ++y)
      for (Integer x = 0; x < 60; ++x)
        if (canvas->GetPixel(x, y) != clWhite) ++count;
    return count;
  };
  // The image, centred; then nothing at all for the bare entry.
  EXPECT_EQ(countNonWhite(0), 16 * 16);
  EXPECT_EQ(countNonWhite(1), 0);
  combo->SetPaintCanvas(nullptr);
  EXPECT_EQ(combo->MeasureItemWidth(1), 18);
  EXPECT_EQ(combo->MeasureItemHeight(1), std::max(18, combo->MeasureItemHeight(1)));
}

TEST_F(ExtCombos, TheSelectItemDialogListsTheEntriesAndPicksOne) {
  auto* combo = new TqzBarImageCombo(form);
  for (const char* text : {"One", "Two", "Three"}) combo->GetItems()->Add(text);
  combo->SetItemIndex(1);
  std::vector<String> shown;
  Integer startedAt = -1;
  Integer pick = 2;
  Responder responder([&](const ModalRequest& request) {
    auto* list = DialogControl<TListBox>(request, "ItemList");
    if (!list) return IDCANCEL;
    shown.clear();
    for (Integer i = 0; i < list->GetItems()->GetCount(); ++i) shown.push_back(list->GetItems()->GetStrings(i));
    startedAt = list->GetItemIndex();
    list->SetItemIndex(pick);
    return pick == 0 ? IDCANCEL : IDOK;
  });
  combo->ClickItem();
  EXPECT_EQ(responder.kinds, std::vector<String>{"SelectItemDialog"});
  EXPECT_EQ(shown, (std::vector<String>{"One", "Two", "Three"}));
  EXPECT_EQ(startedAt, 1);
  EXPECT_EQ(combo->GetItemIndex(), 2);
  EXPECT_EQ(combo->GetText(), "Three");
  // Cancelled, the choice stays.
  pick = 0;
  combo->ClickItem();
  EXPECT_EQ(startedAt, 2);
  EXPECT_EQ(combo->GetItemIndex(), 2);
}

// A toolbar with the three list combos in each look, the colour list open.
TEST_F(ExtCombos, ScreenshotsOfTheListCombos) {
  auto* colors = new TqzBarColorCombo(form);
  colors->SetCaption("Colour");
  colors->SetWidth(150);
  colors->SetShowCustomColorButton(true);
  colors->SetColor(clTeal);
  auto* fonts = new TqzBarFontNameCombo(form);
  fonts->SetText("Liberation Serif");
  auto* images = new TqzBarImageCombo(form);
  images->SetWidth(110);
  images->SetImages(NewImageList(form, 16, 4));
  for (const char* text : {"Navy", "Maroon", "Green", "Plain"}) images->GetItems()->Add(text);
  for (Integer i = 0; i < 3; ++i) images->SetImageIndexes(i, i);
  images->SetItemIndex(2);
  for (TqzBarItem* item : std::initializer_list<TqzBarItem*>{colors, fonts, images})
    bar->GetItemLinks()->AddLinkForItem(item);
  Show();
  const char* dir = std::getenv("TAVREN_TEST_OUTPUT");
  String folder = dir ? dir : "test-output";
  std::filesystem::create_directories(folder);
  const struct {
    TqzBarManagerStyle style;
    const char* name;
  } kSheets[] = {{bmsStandard, "standard"}, {bmsEnhanced, "enhanced"}, {bmsFlat, "flat"}, {bmsOffice11, "office11"},
                 {bmsXP, "xp"}};
  for (const auto& sheet : kSheets) {
    manager->SetStyle(sheet.style);
    Pump();
    EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), folder + "/list-combos-" + sheet.name + ".png"));
    if (sheet.style != bmsOffice11) continue;
    // The column between each edit and its drop button takes the edit's colour, whatever the
    // look before left there.
    HWND window = bar->GetBarControl()->GetHandle();
    HDC dc = GetDC(window);
    for (TqzBarItem* item : std::initializer_list<TqzBarItem*>{colors, fonts, images}) {
      auto* control = ControlOf<TCustomqzBarComboControl>(item);
      ASSERT_NE(control, nullptr);
      const TRect edit = control->GetPartRects()[qzEditPart];
      const TRect button = control->GetPartRects()[qzComboButtonPart];
      COLORREF colour = ColorToRGB(control->Painter()->EditAreaColor(control->GetDrawParams()));
      for (Integer y = edit.Top + 1; y < edit.Bottom - 1; ++y)
        EXPECT_EQ(GetPixel(dc, button.Left - 1, y), colour) << item->ClassName() << " row " << y;
    }
    ReleaseDC(window, dc);
  }
  auto* control = ControlOf<TqzBarColorComboControl>(colors);
  ASSERT_NE(control, nullptr);
  control->SetDroppedDown(true);
  Pump();
  ASSERT_TRUE(control->IsDroppedDown());
  EXPECT_TRUE(screen.SaveScreenPng(folder + "/list-combos-colour-list.png"));
  control->SetDroppedDown(false);
}

// ---- Tree-view combo ---------------------------------------------------------------------------

struct TNodeGate : TObject {
  bool allow = true;
  Integer asked = 0;
  Integer changes = 0;
  void CanSelect(TObject*, TTreeNode*, bool& Allow) {
    ++asked;
    Allow = allow;
  }
  void Changed(TObject*) { ++changes; }
};

// Music (Rock, Jazz), Films (Drama): Rock with image 1, Jazz with image 2 and state image 1.
TqzBarTreeViewCombo* NewTreeCombo(TComponent* AOwner) {
  auto* combo = new TqzBarTreeViewCombo(AOwner);
  combo->SetWidth(140);
  TTreeNodes* nodes = combo->GetItems();
  TTreeNode* music = nodes->AddChild(nullptr, "Music");
  TTreeNode* rock = nodes->AddChild(music, "Rock");
  rock->SetImageIndex(1);
  rock->SetSelectedIndex(1);
  TTreeNode* jazz = nodes->AddChild(music, "Jazz");
  jazz->SetImageIndex(2);
  jazz->SetSelectedIndex(2);
  jazz->SetStateIndex(1);
  nodes->AddChild(nodes->AddChild(nullptr, "Films"), "Drama");
  return combo;
}

TEST_F(ExtCombos, TheTreeComboTakesNodesByTextAndForgetsDeletedOnes) {
  EXPECT_EQ(ItemClassListInstance()->ControlClassOf(TqzBarTreeViewCombo::ClassInfo()),
            TqzBarTreeViewComboControl::ClassInfo());
  TqzBarTreeViewCombo* combo = NewTreeCombo(form);
  EXPECT_EQ(combo->GetGlyph()->GetWidth(), 16);
  EXPECT_FALSE(combo->GetShowEditor());
  combo->SetDropDownWidth(50);
  combo->SetDropDownHeight(40);
  EXPECT_EQ(combo->GetDropDownWidth(), 100);
  EXPECT_EQ(combo->GetDropDownHeight(), 100);
  TNodeGate gate;
  combo->SetOnChange(MakeEvent<&TNodeGate::Changed>(&gate));

  // Another letter case finds the node; the text stays as it was set.
  combo->SetText("jAZZ");
  ASSERT_NE(combo->GetSelectedNode(), nullptr);
  EXPECT_EQ(combo->GetSelectedNode()->GetText(), "Jazz");
  EXPECT_EQ(combo->GetText(), "jAZZ");
  combo->SetText("Nothing of the tree");
  EXPECT_EQ(combo->GetSelectedNode(), nullptr);

  // A node given the item writes its caption; the same caption again still reports a change.
  TTreeNode* drama = combo->GetItems()->GetFirstNode()->getNextSibling()->GetFirstChild();
  Integer before = gate.changes;
  combo->SetSelectedNode(drama);
  EXPECT_EQ(combo->GetText(), "Drama");
  combo->SetSelectedNode(nullptr);
  EXPECT_EQ(combo->GetText(), "");
  combo->SetText("Drama");
  combo->SetSelectedNode(nullptr);
  combo->SetSelectedNode(drama);
  EXPECT_EQ(gate.changes, before + 5);

  // Deleting the node leaves the text and no node behind.
  drama->Delete();
  EXPECT_EQ(combo->GetSelectedNode(), nullptr);
  EXPECT_EQ(combo->GetText(), "Drama");
}

TEST_F(ExtCombos, TheTreeComboKeepsItsNodesAndTextThroughTheFormStream) {
  TqzBarTreeViewCombo* combo = NewTreeCombo(form);
  combo->SetName("TreeCombo1");
  combo->SetSortType(stText);
  combo->SetChooseByDblClick(false);
  combo->SetText("Rock");
  const String text = WriteComponentToText(form);
  SCOPED_TRACE(text);
  EXPECT_NE(text.find("Items.Data"), String::npos);
  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  auto* read = dynamic_cast<TqzBarTreeViewCombo*>(copy->FindComponent("TreeCombo1"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->GetItems()->GetCount(), 5);
  EXPECT_EQ(read->GetItems()->GetFirstNode()->GetText(), "Films");  // sorted by text
  EXPECT_FALSE(read->GetChooseByDblClick());
  ASSERT_NE(read->GetSelectedNode(), nullptr);
  EXPECT_EQ(read->GetSelectedNode()->GetText(), "Rock");
  EXPECT_EQ(read->GetSelectedNode()->GetImageIndex(), 1);
  EXPECT_EQ(WriteComponentToText(copy), text);
  delete copy;
}

TEST_F(ExtCombos, TheTreeDropDownChoosesByClickOrEnterUnlessRefused) {
  TqzBarTreeViewCombo* combo = NewTreeCombo(form);
  combo->SetFullExpand(true);
  TNodeGate gate;
  combo->SetOnCanSelectNode(MakeEvent<&TNodeGate::CanSelect>(&gate));
  bar->GetItemLinks()->AddLinkForItem(combo);
  Show();
  auto* control = ControlOf<TqzBarTreeViewComboControl>(combo);
  ASSERT_NE(control, nullptr);
  TqzBarTreeView* tree = combo->GetTreeView();
  auto open = [&] {
    ScriptClick(ScreenPoint(control->GetPartRects()[qzEditPart]));
    Pump();
    ASSERT_TRUE(control->IsDroppedDown());
    ASSERT_TRUE(IsWindowVisible(tree->GetHandle()));
  };
  auto nodePoint = [&](const char* AText) {
    TRect r = TqzBarTreeViewCombo::FindNode(tree, AText)->DisplayRect(true);
    return tree->ClientToScreen(TPoint(r.Left + 3, (r.Top + r.Bottom) / 2));
  };
  const struct {
    const char* name;
    bool byDblClick;
    bool allow;
    // 0 a click on the node, 1 a double click, 2 a click below the nodes, 3 Enter on the node.
    int how;
    bool chosen;
  } kCases[] = {
      {"single click chooses", false, true, 0, true},  {"empty space chooses nothing", false, true, 2, false},
      {"a click does not", true, true, 0, false},      {"double click chooses", true, true, 1, true},
      {"refused double click", true, false, 1, false}, {"Enter chooses", true, true, 3, true},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    combo->SetText("Music");
    combo->SetChooseByDblClick(c.byDblClick);
    gate.allow = c.allow;
    open();
    EXPECT_TRUE(TqzBarTreeViewCombo::FindNode(tree, "Jazz")->GetParent()->GetExpanded());
    TPoint p = nodePoint("Jazz");
    if (c.how == 0) ScriptClick({p.X, p.Y});
    if (c.how == 1) ScriptDoubleClick({p.X, p.Y});
    if (c.how == 2) {
      TPoint below = tree->ClientToScreen(TPoint(5, tree->GetClientHeight() - 3));
      ScriptClick({below.X, below.Y});
    }
    if (c.how == 3) {
      TqzBarTreeViewCombo::FindNode(tree, "Jazz")->SetSelected(true);
      SendMessage(tree->GetHandle(), WM_KEYDOWN, VK_RETURN, 0);
    }
    Pump();
    EXPECT_EQ(combo->GetText(), c.chosen ? "Jazz" : "Music");
    EXPECT_EQ(control->IsDroppedDown(), !c.chosen);
    // The drop-down never takes the focus from the bar.
    EXPECT_NE(GetFocus(), tree->GetHandle());
    HideActiveBarControl();
    Pump();
    EXPECT_FALSE(control->IsDroppedDown());
  }
  EXPECT_GT(gate.asked, 0);
}

// Records which tree asked for which node's images.
struct TNodeImages : TObject {
  std::vector<std::pair<TObject*, String>> images, selected;
  void Image(TObject* Sender, TTreeNode* Node) { images.emplace_back(Sender, Node->GetText()); }
  void Selected(TObject* Sender, TTreeNode* Node) {
    selected.emplace_back(Sender, Node->GetText());
    Node->SetSelectedIndex(3);
  }
};

TEST_F(ExtCombos, TheTreeDropDownAsksTheItemForTheImagesOfItsNodes) {
  TqzBarTreeViewCombo* combo = NewTreeCombo(form);
  combo->SetImages(NewImageList(form, 16, 4));
  TNodeImages asked;
  combo->SetOnGetImageIndex(MakeEvent<&TNodeImages::Image>(&asked));
  combo->SetOnGetSelectedIndex(MakeEvent<&TNodeImages::Selected>(&asked));
  combo->SetText("Music");
  bar->GetItemLinks()->AddLinkForItem(combo);
  Show();
  auto* control = ControlOf<TqzBarTreeViewComboControl>(combo);
  ASSERT_NE(control, nullptr);
  ScriptClick(ScreenPoint(control->GetPartRects()[qzEditPart]));
  Pump();
  ASSERT_TRUE(control->IsDroppedDown());
  TqzBarTreeView* tree = combo->GetTreeView();
  using Asked = std::pair<TObject*, String>;
  EXPECT_NE(std::find(asked.images.begin(), asked.images.end(), Asked{tree, "Films"}), asked.images.end());
  // The selected node is asked for its selected image and keeps the answer, which the edit draws.
  EXPECT_NE(std::find(asked.selected.begin(), asked.selected.end(), Asked{tree, "Music"}), asked.selected.end());
  HideActiveBarControl();
  Pump();
  EXPECT_EQ(combo->GetSelectedNode()->GetSelectedIndex(), 3);
}

// The drop-down is a child of the manager's form that shows from the desktop; it goes with its
// item, or with the form before the item.
TEST_F(ExtCombos, TheTreeDropDownBelongsToTheManagersForm) {
  TqzBarTreeViewCombo* combo = NewTreeCombo(form);
  TqzBarTreeView* tree = combo->GetTreeView();
  EXPECT_EQ(tree->GetParent(), form);
  bar->GetItemLinks()->AddLinkForItem(combo);
  Show();
  auto* control = ControlOf<TqzBarTreeViewComboControl>(combo);
  ASSERT_NE(control, nullptr);
  ScriptClick(ScreenPoint(control->GetPartRects()[qzEditPart]));
  Pump();
  ASSERT_TRUE(control->IsDroppedDown());
  EXPECT_EQ(GetAncestor(tree->GetHandle(), GA_PARENT), GetDesktopWindow());
  EXPECT_TRUE(GetWindowLong(tree->GetHandle(), GWL_STYLE) & WS_CHILD);
  EXPECT_TRUE(GetWindowLong(tree->GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(IsWindowVisible(tree->GetHandle()));
  EXPECT_NE(GetFocus(), tree->GetHandle());
  HideActiveBarControl();
  Pump();
  Integer controls = form->GetControlCount();
  delete combo;
  EXPECT_EQ(form->GetControlCount(), controls - 1);

  // A form freeing its children first leaves the item of a second manager without a tree.
  auto* other = new TForm(nullptr, 0);
  auto* otherManager = new TqzBarManager(other);
  TqzBarTreeViewCombo* orphan = NewTreeCombo(other);
  ASSERT_EQ(orphan->GetBarManager(), otherManager);
  ASSERT_EQ(orphan->GetTreeView()->GetParent(), other);
  other->Show();
  orphan->GetTreeView()->HandleNeeded();
  delete other;
}

// A handler that deletes the node it is asked about: the item's own node, then another one.
struct TNodeRemover : TObject {
  std::vector<String> doomed;
  void Image(TObject*, TTreeNode* Node) {
    auto it = std::find(doomed.begin(), doomed.end(), Node->GetText());
    if (it == doomed.end()) return;
    doomed.erase(it);
    Node->Delete();
  }
};

TEST_F(ExtCombos, TheTreeDropDownBearsANodeDeletedByTheImageHandler) {
  TqzBarTreeViewCombo* combo = NewTreeCombo(form);
  combo->SetImages(NewImageList(form, 16, 4));
  TNodeRemover remover;
  remover.doomed = {"Films", "Jazz"};
  combo->SetOnGetImageIndex(MakeEvent<&TNodeRemover::Image>(&remover));
  combo->SetOnGetSelectedIndex(MakeEvent<&TNodeRemover::Image>(&remover));
  combo->SetFullExpand(true);
  combo->SetText("Jazz");
  bar->GetItemLinks()->AddLinkForItem(combo);
  Show();
  auto* control = ControlOf<TqzBarTreeViewComboControl>(combo);
  ASSERT_NE(control, nullptr);
  ScriptClick(ScreenPoint(control->GetPartRects()[qzEditPart]));
  Pump();
  ASSERT_TRUE(control->IsDroppedDown());
  EXPECT_TRUE(remover.doomed.empty());
  // Both went with their children; the item's node went and its text stayed.
  EXPECT_EQ(combo->GetItems()->GetCount(), 2);
  EXPECT_EQ(TqzBarTreeViewCombo::FindNode(combo->GetTreeView(), "Drama"), nullptr);
  EXPECT_EQ(combo->GetSelectedNode(), nullptr);
  EXPECT_EQ(combo->GetText(), "Jazz");
  // The tree goes on: a key walks it and Enter chooses.
  TqzBarTreeView* tree = combo->GetTreeView();
  tree->SetSelected(TqzBarTreeViewCombo::FindNode(tree, "Rock"));
  SendMessage(tree->GetHandle(), WM_KEYDOWN, VK_RETURN, 0);
  Pump();
  EXPECT_FALSE(control->IsDroppedDown());
  EXPECT_EQ(combo->GetText(), "Rock");
}

TEST_F(ExtCombos, TheTreeDropDownFrameSizesByItsGripAndClosesByItsButton) {
  TqzBarTreeViewCombo* combo = NewTreeCombo(form);
  bar->GetItemLinks()->AddLinkForItem(combo);
  Show();
  auto* control = ControlOf<TqzBarTreeViewComboControl>(combo);
  ASSERT_NE(control, nullptr);
  TqzBarTreeView* tree = combo->GetTreeView();
  auto open = [&] {
    ScriptClick(ScreenPoint(control->GetPartRects()[qzEditPart]));
    Pump();
    ASSERT_TRUE(control->IsDroppedDown());
  };
  open();
  // Dropped below its item, the grip band is at the bottom, the grip at the right.
  RECT window{};
  GetWindowRect(tree->GetHandle(), &window);
  TRect grip = tree->GetGripRect();
  EXPECT_GT(grip.Top, (window.Top + window.Bottom) / 2);
  EXPECT_GT(grip.Left, (window.Left + window.Right) / 2);
  const TPoint corner((grip.Left + grip.Right) / 2, (grip.Top + grip.Bottom) / 2);
  EXPECT_EQ(SendMessage(tree->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(corner.X, corner.Y)), HTBOTTOMRIGHT);
  ScriptDrag({corner.X, corner.Y}, {corner.X + 40, corner.Y + 30});
  Pump();
  EXPECT_EQ(combo->GetDropDownWidth(), 190);
  EXPECT_EQ(combo->GetDropDownHeight(), 230);
  // Dragging it smaller stops at 100 by 100.
  grip = tree->GetGripRect();
  const TPoint corner2((grip.Left + grip.Right) / 2, (grip.Top + grip.Bottom) / 2);
  ScriptDrag({corner2.X, corner2.Y}, {corner2.X - 150, corner2.Y - 200});
  Pump();
  EXPECT_EQ(combo->GetDropDownWidth(), 100);
  EXPECT_EQ(combo->GetDropDownHeight(), 100);

  // A click on the close button closes the drop-down and chooses nothing.
  combo->SetText("Rock");
  TRect close = tree->GetCloseButtonRect();
  ScriptClick({(close.Left + close.Right) / 2, (close.Top + close.Bottom) / 2});
  Pump();
  EXPECT_FALSE(control->IsDroppedDown());
  EXPECT_EQ(combo->GetText(), "Rock");
}

// On a toolbar at the bottom of the screen the tree drops above its item and keeps its grip band
// on the side away from it; the frame is drawn in the look of the item's bar window.
TEST_F(ExtCombos, TheTreeDropDownAboveItsItemHasItsGripBandAtTheTopInTheBarsLook) {
  form->SetBounds(40, GetSystemMetrics(SM_CYSCREEN) - 100, 560, 90);
  bar->SetDockingStyle(dsBottom);
  TqzBarTreeViewCombo* combo = NewTreeCombo(form);
  bar->GetItemLinks()->AddLinkForItem(combo);
  Show();
  struct Look {
    TqzBarManagerStyle style;
    uint32_t frame;
  } looks[] = {{bmsStandard, 0x000000}, {bmsFlat, 0x808080}};
  for (const Look& look : looks) {
    manager->SetStyle(look.style);
    Pump();
    auto* control = ControlOf<TqzBarTreeViewComboControl>(combo);
    ASSERT_NE(control, nullptr);
    ScriptClick(ScreenPoint(control->GetPartRects()[qzEditPart]));
    Pump();
    ASSERT_TRUE(control->IsDroppedDown());
    TqzBarTreeView* tree = combo->GetTreeView();
    RECT window{};
    GetWindowRect(tree->GetHandle(), &window);
    EXPECT_LE(window.Bottom, bar->GetBarControl()->ClientToScreen(TPoint(0, control->GetItemRect().Top)).Y);
    TRect grip = tree->GetGripRect();
    EXPECT_LT(grip.Bottom, (window.Top + window.Bottom) / 2);
    // The band and its line lie between the frame and the client area.
    Integer band = control->Painter()->ClassRef()->DropDownGripHeight();
    EXPECT_EQ(tree->ClientToScreen(TPoint(0, 0)).Y, window.Top + 1 + band);
    EXPECT_EQ(tree->ClientToScreen(TPoint(0, tree->GetClientHeight())).Y, window.Bottom - 1);
    PixelImage image = screen.ComposeScreen();
    uint32_t bottomEdge = image.pixels[static_cast<size_t>(window.Bottom - 1) * image.width + window.Left + 20];
    EXPECT_EQ(bottomEdge & 0xFFFFFF, look.frame) << static_cast<int>(look.style);
    HideActiveBarControl();
    Pump();
  }
}

TEST_F(ExtCombos, TheSelectItemDialogPicksANodeAndSizesTheNextDropDown) {
  TqzBarTreeViewCombo* combo = NewTreeCombo(form);
  combo->SetText("rock");
  bar->GetItemLinks()->AddLinkForItem(combo);
  Show();
  TSize treeClient;
  String startedAt;
  Responder responder([&](const ModalRequest& request) {
    auto* tree = DialogControl<TqzBarTreeView>(request, "ItemTree");
    if (!tree) return IDCANCEL;
    startedAt = tree->GetSelected() ? tree->GetSelected()->GetText() : "";
    FindControl(request.window)->SetBounds(0, 0, 300, 400);
    treeClient = TSize(tree->GetClientWidth(), tree->GetClientHeight());
    TqzBarTreeViewCombo::FindNode(tree, "Drama")->SetSelected(true);
    return IDOK;
  });
  combo->ClickItem();
  EXPECT_EQ(responder.kinds, std::vector<String>{"SelectTreeItemDialog"});
  EXPECT_EQ(startedAt, "Rock");
  EXPECT_EQ(combo->GetText(), "Drama");
  ASSERT_NE(combo->GetSelectedNode(), nullptr);
  // The drop-down opens with the client size the dialog's tree had.
  auto* control = ControlOf<TqzBarTreeViewComboControl>(combo);
  control->SetDroppedDown(true);
  Pump();
  RECT client{};
  GetClientRect(combo->GetTreeView()->GetHandle(), &client);
  EXPECT_EQ(client.Right, treeClient.cx);
  EXPECT_EQ(client.Bottom, treeClient.cy);
  control->SetDroppedDown(false);
}

// A toolbar with the tree combo in two looks and its tree dropped down.
TEST_F(ExtCombos, ScreenshotOfTheTreeComboDroppedDown) {
  TqzBarTreeViewCombo* combo = NewTreeCombo(form);
  combo->SetCaption("Genre");
  combo->SetShowCaption(true);
  combo->SetImages(NewImageList(form, 16, 3));
  combo->SetStateImages(NewImageList(form, 16, 2));
  combo->SetText("Jazz");
  combo->SetFullExpand(true);
  bar->GetItemLinks()->AddLinkForItem(combo);
  Show();
  const char* dir = std::getenv("TAVREN_TEST_OUTPUT");
  String folder = dir ? dir : "test-output";
  std::filesystem::create_directories(folder);
  for (auto [style, name] : {std::pair{bmsOffice11, "office11"}, std::pair{bmsStandard, "standard"}}) {
    manager->SetStyle(style);
    Pump();
    auto* control = ControlOf<TqzBarTreeViewComboControl>(combo);
    ASSERT_NE(control, nullptr);
    ScriptClick(ScreenPoint(control->GetPartRects()[qzEditPart]));
    Pump();
    ASSERT_TRUE(control->IsDroppedDown());
    EXPECT_GT(combo->GetTreeView()->GetGripRect().Width(), 0);
    // The tree drops below the edit, its left edge at the edit's.
    RECT window{};
    GetWindowRect(combo->GetTreeView()->GetHandle(), &window);
    TRect edit;
    control->GetEditAreaRect(edit);
    TPoint below = bar->GetBarControl()->ClientToScreen(TPoint(edit.Left, control->GetItemRect().Bottom));
    EXPECT_EQ(TPoint(window.Left, window.Top), below);
    EXPECT_TRUE(screen.SaveScreenPng(folder + "/tree-combo-" + String(name) + ".png"));
    HideActiveBarControl();
    Pump();
  }
}

}  // namespace
