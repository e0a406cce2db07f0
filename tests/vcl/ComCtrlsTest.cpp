#include <gtest/gtest.h>

#include <set>

#include "Screenshots.h"
#include "VclTestSupport.h"
#include "backend/ScriptedInput.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "rtl/SysUtils.h"
#include "rtl/Writer.h"
#include "vcl/ComCtrls.h"
#include "vcl/ExtCtrls.h"
#include "vcl/ImgList.h"
#include "vcl/StdCtrls.h"

namespace {

class ComCtrlsTest : public VclTest {};

struct Handlers : TObject {
  std::vector<Integer> fetched;
  std::vector<String> selections;
  Integer expanding = 0;
  void Data(TObject*, TListItem* Item) {
    fetched.push_back(Item->GetIndex());
    Item->SetCaption(Format("row %d", Item->GetIndex()));
    Item->GetSubItems()->Add(Format("%d bytes", Item->GetIndex() * 10));
  }
  void SelectItem(TObject*, TListItem* Item, bool Selected) {
    selections.push_back((Selected ? "+" : "-") + Item->GetCaption());
  }
  // Children on demand: a node says it has children and gets them when it opens.
  void Expanding(TObject*, TTreeNode* Node, bool& Allow) {
    ++expanding;
    if (Node->GetCount() == 0)
      for (const char* name : {"a", "b"}) Node->GetOwner()->AddChild(Node, Node->GetText() + "/" + name)->SetHasChildren(true);
    Allow = true;
  }
};

TListView* ReportView(TForm* form) {
  auto* list = new TListView(form);
  list->SetViewStyle(vsReport);
  list->SetBounds(0, 0, 300, 200);
  for (auto [caption, width] : {std::pair{"Name", 120}, {"Size", 80}}) {
    TListColumn* column = list->GetColumns()->Add();
    column->SetCaption(caption);
    column->SetWidth(width);
  }
  return list;
}

TEST_F(ComCtrlsTest, ListViewItemsKeepTheirSubItemsAndAreFoundByPosition) {
  TForm* form = NewForm();
  TListView* list = ReportView(form);
  list->SetRowSelect(true);
  // Items added before the window exists reach it when it is made.
  TListItem* first = list->GetItems()->Add();
  first->SetCaption("one.avi");
  first->GetSubItems()->Add("10 KB");
  first->SetSelected(true);
  list->SetParent(form);
  form->Show();
  TListItem* second = list->GetItems()->Add();
  second->SetCaption("two.avi");
  second->GetSubItems()->Add("20 KB");
  TListItem* inserted = list->GetItems()->Insert(0);
  inserted->SetCaption("zero.avi");
  ASSERT_EQ(list->GetItems()->GetCount(), 3);
  EXPECT_EQ(first->GetIndex(), 1);
  EXPECT_EQ(list->GetSelected(), first);

  LVITEM text;
  char buffer[64] = {};
  text.iSubItem = 1;
  text.pszText = buffer;
  text.cchTextMax = sizeof buffer;
  SendMessage(list->GetHandle(), LVM_GETITEMTEXT, 2, reinterpret_cast<LPARAM>(&text));
  EXPECT_STREQ(buffer, "20 KB");

  TRect rect = second->DisplayRect(drBounds);
  ASSERT_FALSE(rect.Width() == 0);
  EXPECT_EQ(rect.Top, first->DisplayRect(drBounds).Bottom);
  // Anywhere on the row with row select, nowhere below the last row.
  EXPECT_EQ(list->GetItemAt(rect.Left + 150, rect.Top + 2), second);
  EXPECT_EQ(list->GetItemAt(5, rect.Bottom + 40), nullptr);

  Handlers handlers;
  list->SetOnSelectItem(MakeEvent<&Handlers::SelectItem>(&handlers));
  ScriptClick(list->ClientToScreen({rect.Left + 10, rect.Top + 3}));
  Settle();
  EXPECT_EQ(list->GetSelected(), second);
  EXPECT_EQ(handlers.selections, (std::vector<String>{"-one.avi", "+two.avi"}));

  first->Delete();
  EXPECT_EQ(second->GetIndex(), 1);
  second->GetSubItems()->SetStrings(0, "21 KB");
  SendMessage(list->GetHandle(), LVM_GETITEMTEXT, 1, reinterpret_cast<LPARAM>(&text));
  EXPECT_STREQ(buffer, "21 KB");
  EXPECT_THROW(list->GetItems()->Delete(5), EListError);
}

TEST_F(ComCtrlsTest, OwnerDataListViewAsksOnDataForTheRowsItShows) {
  TForm* form = NewForm();
  TListView* list = ReportView(form);
  list->SetOwnerData(true);
  Handlers handlers;
  list->SetOnData(MakeEvent<&Handlers::Data>(&handlers));
  list->SetParent(form);
  form->Show();
  list->GetItems()->SetCount(100000);
  Settle();
  ASSERT_FALSE(handlers.fetched.empty());
  // Only rows in view are asked for.
  EXPECT_LT(*std::max_element(handlers.fetched.begin(), handlers.fetched.end()), 100);
  TListItem* item = list->GetItems()->GetItem(76543);
  EXPECT_EQ(item->GetCaption(), "row 76543");
  EXPECT_EQ(item->GetSubItems()->GetStrings(0), "765430 bytes");
  TRect rect = list->GetItems()->GetItem(2)->DisplayRect(drBounds);
  EXPECT_EQ(list->GetItemAt(rect.Left + 5, rect.Top + 2)->GetIndex(), 2);
  EXPECT_THROW(list->GetItems()->Add(), EListError);
}

TEST_F(ComCtrlsTest, TreeNodesGetChildrenWhenTheyOpen) {
  TForm* form = NewForm();
  auto* tree = new TTreeView(form);
  tree->SetBounds(0, 0, 200, 200);
  tree->SetParent(form);
  Handlers handlers;
  tree->SetOnExpanding(MakeEvent<&Handlers::Expanding>(&handlers));
  form->Show();
  int data = 7;
  TTreeNode* root = tree->GetItems()->AddChildObject(nullptr, "C:", &data);
  root->SetHasChildren(true);
  TTreeNode* other = tree->GetItems()->Add(root, "D:");
  EXPECT_EQ(root->GetCount(), 0);
  EXPECT_EQ(root->getNextSibling(), other);
  EXPECT_EQ(root->GetData(), &data);

  root->Expand(false);
  EXPECT_EQ(handlers.expanding, 1);
  EXPECT_TRUE(root->GetExpanded());
  ASSERT_EQ(root->GetCount(), 2);
  EXPECT_EQ(root->GetItem(1)->GetText(), "C:/b");
  EXPECT_EQ(root->GetFirstChild()->GetParent(), root);
  EXPECT_EQ(root->GetNext(), root->GetFirstChild());
  EXPECT_EQ(root->GetItem(1)->GetNext(), other);
  EXPECT_EQ(tree->GetItems()->GetCount(), 4);

  // A click on a child's button opens it through the window, and asks again.
  TTreeNode* child = root->GetFirstChild();
  TRect text = child->DisplayRect(true);
  TVHITTESTINFO hit;
  hit.pt = {0, (text.Top + text.Bottom) / 2};
  for (; hit.pt.X < text.Left; ++hit.pt.X) {
    SendMessage(tree->GetHandle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.flags & TVHT_ONITEMBUTTON) break;
  }
  ASSERT_LT(hit.pt.X, text.Left) << "no button before the text";
  ScriptClick(tree->ClientToScreen(hit.pt));
  Settle();
  EXPECT_EQ(handlers.expanding, 2);
  EXPECT_TRUE(child->GetExpanded());
  EXPECT_EQ(child->GetItem(0)->GetLevel(), 2);
  EXPECT_EQ(tree->GetNodeAt(text.Left + 2, text.Top + 2), child);

  child->SetSelected(true);
  EXPECT_EQ(tree->GetSelected(), child);
  root->Collapse(true);
  EXPECT_FALSE(root->GetExpanded());
  root->Delete();
  EXPECT_EQ(tree->GetItems()->GetFirstNode(), other);
  EXPECT_EQ(tree->GetItems()->GetCount(), 1);
}

// Orders by the number after the first letter, so that "n10" follows "n9".
struct NumberOrder : TObject {
  void Compare(TObject*, TTreeNode* A, TTreeNode* B, Integer, Integer& Result) {
    Result = StrToInt(A->GetText().substr(1)) - StrToInt(B->GetText().substr(1));
  }
};

// Names of a node list depth first, children in brackets.
String Shape(const std::vector<TTreeNode*>& nodes) {
  String shape;
  for (TTreeNode* node : nodes) {
    if (!shape.empty()) shape += " ";
    shape += node->GetText();
    if (node->GetCount() > 0) {
      std::vector<TTreeNode*> children;
      for (TTreeNode* child = node->GetFirstChild(); child; child = child->getNextSibling()) children.push_back(child);
      shape += "(" + Shape(children) + ")";
    }
  }
  return shape;
}

String Shape(TTreeNodes* nodes) {
  std::vector<TTreeNode*> roots;
  for (TTreeNode* node = nodes->GetFirstNode(); node; node = node->getNextSibling()) roots.push_back(node);
  return Shape(roots);
}

// Folders: image 0 closed, 1 open; the selected node shows image 2.
struct FolderImages : TObject {
  std::vector<String> asked;
  void Image(TObject*, TTreeNode* Node) {
    asked.push_back(Node->GetText());
    Node->SetImageIndex(Node->GetExpanded() ? 1 : 0);
  }
  void Selected(TObject*, TTreeNode* Node) { Node->SetSelectedIndex(2); }
};

TEST_F(ComCtrlsTest, TreeViewsAskForTheImagesOfTheNodesTheyDraw) {
  TForm* form = NewForm();
  auto* images = new TImageList(form);
  images->SetWidth(16);
  images->SetHeight(16);
  const TColor colours[] = {clNavy, clMaroon, clGreen};
  for (TColor colour : colours) {
    TBitmap image;
    image.SetSize(16, 16);
    image.GetCanvas()->GetBrush()->SetColor(colour);
    image.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
    images->Add(&image, nullptr);
  }
  auto* tree = new TTreeView(form);
  tree->SetBounds(0, 0, 200, 200);
  tree->SetImages(images);
  FolderImages handler;
  tree->SetOnGetImageIndex(MakeEvent<&FolderImages::Image>(&handler));
  tree->SetOnGetSelectedIndex(MakeEvent<&FolderImages::Selected>(&handler));
  TTreeNodes* nodes = tree->GetItems();
  TTreeNode* music = nodes->AddChild(nullptr, "Music");
  TTreeNode* rock = nodes->AddChild(music, "Rock");
  TTreeNode* films = nodes->AddChild(nullptr, "Films");
  nodes->AddChild(films, "Drama");
  music->Expand(false);
  tree->SetParent(form);
  form->Show();
  Settle();
  UpdateWindow(tree->GetHandle());
  // Only the nodes in view are asked; a collapsed branch's children are not.
  EXPECT_EQ(std::set<String>(handler.asked.begin(), handler.asked.end()), (std::set<String>{"Music", "Rock", "Films"}));
  auto imageColour = [&](TTreeNode* Node) {
    TRect text = Node->DisplayRect(true);
    HDC dc = GetDC(tree->GetHandle());
    COLORREF pixel = GetPixel(dc, text.Left - 3 - 8, (text.Top + text.Bottom) / 2);
    ReleaseDC(tree->GetHandle(), dc);
    return pixel;
  };
  EXPECT_EQ(imageColour(music), ColorToRGB(clMaroon));
  EXPECT_EQ(imageColour(films), ColorToRGB(clNavy));
  // What the handler answers is what the node holds afterwards.
  EXPECT_EQ(films->GetImageIndex(), 0);
  // Opening a branch and selecting a node draw them anew with the images they ask for now.
  films->Expand(false);
  rock->SetSelected(true);
  Settle();
  UpdateWindow(tree->GetHandle());
  EXPECT_EQ(imageColour(films), ColorToRGB(clMaroon));
  EXPECT_EQ(imageColour(rock), ColorToRGB(clGreen));
  EXPECT_EQ(rock->GetSelectedIndex(), 2);
}

TEST_F(ComCtrlsTest, TreeNodesLiveWithoutAWindowAndOutliveIt) {
  TForm* form = NewForm();
  auto* tree = new TTreeView(form);
  TTreeNodes* nodes = tree->GetItems();
  TTreeNode* music = nodes->AddChild(nullptr, "Music");
  TTreeNode* rock = nodes->AddChild(music, "Rock");
  nodes->AddChild(music, "Jazz")->SetStateIndex(2);
  nodes->Add(music, "Films");
  music->Expand(false);
  rock->SetSelected(true);
  EXPECT_FALSE(tree->HandleAllocated());
  EXPECT_EQ(Shape(nodes), "Music(Rock Jazz) Films");
  EXPECT_EQ(nodes->GetCount(), 4);
  EXPECT_EQ(tree->GetSelected(), rock);
  EXPECT_TRUE(music->GetExpanded());

  // The window shows what was there, and a new window shows what the old one held.
  tree->SetParent(form);
  form->Show();
  ASSERT_TRUE(tree->HandleAllocated());
  ASSERT_NE(music->GetItemId(), nullptr);
  EXPECT_EQ(nodes->GetNode(rock->GetItemId()), rock);
  EXPECT_EQ(tree->GetSelected(), rock);
  EXPECT_TRUE(music->GetExpanded());
  EXPECT_EQ(rock->GetNext()->GetStateIndex(), 2);
  // Collapsing takes the selection out of the branch to the branch.
  music->Collapse(false);
  tree->SetParent(nullptr);
  EXPECT_FALSE(tree->HandleAllocated());
  EXPECT_EQ(Shape(nodes), "Music(Rock Jazz) Films");
  EXPECT_FALSE(music->GetExpanded());
  EXPECT_EQ(tree->GetSelected(), music);

  // A node deleted without a window takes the kept selection with it.
  music->Delete();
  EXPECT_EQ(tree->GetSelected(), nullptr);
  EXPECT_EQ(Shape(nodes), "Films");
  nodes->AddChild(nodes->GetFirstNode(), "Drama");
  tree->SetParent(form);
  EXPECT_EQ(SendMessage(tree->GetHandle(), TVM_GETCOUNT, 0, 0), 2);
  EXPECT_TRUE(nodes->GetFirstNode()->GetHasChildren());
}

TEST_F(ComCtrlsTest, SortedTreesKeepTheOrderOfOnCompareOrOfTheTexts) {
  TForm* form = NewForm();
  auto* tree = new TTreeView(form);
  tree->SetParent(form);
  form->Show();
  TTreeNodes* nodes = tree->GetItems();
  for (const char* name : {"n10", "N2", "n9"}) nodes->AddChild(nodes->AddChild(nullptr, name), "z" + String(name));
  EXPECT_EQ(Shape(nodes), "n10(zn10) N2(zN2) n9(zn9)");

  tree->SetSortType(stText);
  EXPECT_EQ(Shape(nodes), "n10(zn10) N2(zN2) n9(zn9)");  // by text, ignoring case: "n1" < "n2" < "n9"
  NumberOrder order;
  tree->SetOnCompare(MakeEvent<&NumberOrder::Compare>(&order));
  tree->AlphaSort();
  EXPECT_EQ(Shape(nodes), "N2(zN2) n9(zn9) n10(zn10)");
  // New and renamed nodes take their places; the window's items follow.
  nodes->AddChild(nullptr, "n5");
  nodes->GetFirstNode()->SetText("n20");
  EXPECT_EQ(Shape(nodes), "n5 n9(zn9) n10(zn10) n20(zN2)");
  TTreeNode* first = nodes->GetNode(reinterpret_cast<HTREEITEM>(SendMessage(tree->GetHandle(), TVM_GETNEXTITEM, TVGN_ROOT, 0)));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetText(), "n5");
  EXPECT_EQ(nodes->GetNode(reinterpret_cast<HTREEITEM>(
                SendMessage(tree->GetHandle(), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(first->GetItemId())))),
            first->getNextSibling());
}

TEST_F(ComCtrlsTest, TreeNodesGoThroughFormTextAndDamagedDataIsRefused) {
  auto* form = new TForm(nullptr, 0);
  form->SetName("Window");
  auto* tree = new TTreeView(form);
  tree->SetName("Tree");
  tree->SetParent(form);
  TTreeNode* root = tree->GetItems()->AddChild(nullptr, "Root");
  root->SetImageIndex(3);
  root->SetSelectedIndex(4);
  TTreeNode* child = tree->GetItems()->AddChild(root, "Child with a longer name");
  child->SetStateIndex(1);
  child->SetOverlayIndex(0);
  tree->GetItems()->AddChild(nullptr, "");
  const String text = WriteComponentToText(form);
  SCOPED_TRACE(text);
  EXPECT_NE(text.find("Items.Data"), String::npos);
  delete form;

  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  auto* read = dynamic_cast<TTreeView*>(copy->FindComponent("Tree"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(Shape(read->GetItems()), "Root(Child with a longer name) ");
  TTreeNode* readRoot = read->GetItems()->GetFirstNode();
  EXPECT_EQ(readRoot->GetImageIndex(), 3);
  EXPECT_EQ(readRoot->GetSelectedIndex(), 4);
  EXPECT_EQ(readRoot->GetFirstChild()->GetStateIndex(), 1);
  EXPECT_EQ(readRoot->GetFirstChild()->GetOverlayIndex(), 0);
  EXPECT_EQ(WriteComponentToText(copy), text);

  delete copy;

  // Damaged node data is refused with a read error: counts beyond what the data holds (the root
  // count, a text length), data cut short, nesting deeper than any tree.
  String deep;
  for (int i = 0; i < 1100; ++i) deep += "01000000FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF00000000";
  const char* damaged[] = {"FFFFFF7F", "01000000FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF7F00000000", "0100000003000000",
                           deep.c_str()};
  for (const char* data : damaged) {
    SCOPED_TRACE(String(data).substr(0, 60));
    const String bad = "object Window: TForm\n  object Tree: TTreeView\n    Items.Data = {\n      " + String(data) +
                       "}\n  end\nend\n";
    auto* target = new TForm(nullptr, 0);
    EXPECT_THROW(ReadComponentFromText(bad, target), Exception);
    delete target;
  }
}

TEST_F(ComCtrlsTest, HeaderSectionsReportClicks) {
  TForm* form = NewForm();
  auto* header = new THeaderControl(form);
  header->SetParent(form);
  for (const char* text : {"Name", "Size"}) header->GetSections()->Add()->SetText(text);
  header->GetSections()->GetItems(0)->SetWidth(100);
  struct Clicks : TObject {
    std::vector<String> clicked;
    void Click(TCustomHeaderControl*, THeaderSection* Section) { clicked.push_back(Section->GetText()); }
  } clicks;
  header->SetOnSectionClick(MakeEvent<&Clicks::Click>(&clicks));
  form->Show();
  EXPECT_EQ(header->GetSections()->GetItems(1)->GetLeft(), 100);
  ScriptClick(header->ClientToScreen({120, 5}));
  Settle();
  EXPECT_EQ(clicks.clicked, (std::vector<String>{"Size"}));
}

// A form class that publishes its controls and a handler.
class TControlsForm : public TForm {
  TAVREN_CLASS(TControlsForm, TForm)
 public:
  using TForm::TForm;
  TEdit* Edit1 = nullptr;
  TMemo* Memo1 = nullptr;
  TListBox* List1 = nullptr;
  TComboBox* Combo1 = nullptr;
  TButton* Ok = nullptr;
  TCheckBox* Check1 = nullptr;
  TListView* Files = nullptr;
  TTreeView* Tree = nullptr;
  TPanel* Panel1 = nullptr;
  TLabel* Label1 = nullptr;
  Integer changes = 0;
  void Edit1Change(TObject*) { ++changes; }
};
TAVREN_CLASS_IMPL_PUBLISHED(TControlsForm, FIELD(Edit1), FIELD(Memo1), FIELD(List1), FIELD(Combo1), FIELD(Ok),
                            FIELD(Check1), FIELD(Files), FIELD(Tree), FIELD(Panel1), FIELD(Label1),
                            METHOD(Edit1Change))

constexpr const char* kFormText = R"(object ControlsForm: TControlsForm
  Left = 50
  Top = 50
  Width = 640
  Height = 480
  Caption = 'Every control'
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 632
    Height = 41
    Align = alTop
    BevelOuter = bvLowered
    Caption = 'A panel'
    object Label1: TLabel
      Left = 8
      Top = 12
      Caption = 'Label'
      Font.Style = [fsBold]
    end
  end
  object Edit1: TEdit
    Left = 8
    Top = 50
    Text = 'typed'
    MaxLength = 20
    OnChange = Edit1Change
  end
  object Memo1: TMemo
    Left = 8
    Top = 80
    Lines.Strings = (
      'first line'
      'second line')
    ScrollBars = ssVertical
  end
  object List1: TListBox
    Left = 200
    Top = 50
    Items.Strings = (
      'alpha'
      'beta')
    MultiSelect = True
  end
  object Combo1: TComboBox
    Left = 330
    Top = 50
    Style = csDropDownList
    Items.Strings = (
      'AVI'
      'WMV')
    ItemIndex = 1
  end
  object Check1: TCheckBox
    Left = 330
    Top = 80
    Caption = 'Check me'
    State = cbChecked
  end
  object Ok: TButton
    Left = 330
    Top = 110
    Caption = 'OK'
    Default = True
    ModalResult = 1
  end
  object Files: TListView
    Left = 8
    Top = 180
    Width = 300
    Height = 150
    ViewStyle = vsReport
    GridLines = True
    RowSelect = True
    Columns = <
      item
        Caption = 'Name'
        Width = 150
      end
      item
        Caption = 'Size'
        Alignment = taRightJustify
      end>
  end
  object Tree: TTreeView
    Left = 320
    Top = 180
    Width = 200
    Height = 150
    ShowLines = False
  end
end)";

TEST_F(ComCtrlsTest, AFormWithEveryControlLoadsFromText) {
  RegisterClass(TControlsForm::ClassInfo());
  auto* form = new TControlsForm(nullptr, 0);
  forms.push_back(form);
  ReadComponentFromText(kFormText, form);
  ASSERT_TRUE(form->Edit1 && form->Memo1 && form->List1 && form->Combo1 && form->Ok && form->Files && form->Tree);
  EXPECT_EQ(form->Edit1->GetText(), "typed");
  EXPECT_EQ(form->Edit1->GetMaxLength(), 20);
  EXPECT_EQ(form->Memo1->GetLines()->GetCount(), 2);
  EXPECT_EQ(form->Memo1->GetLines()->GetStrings(1), "second line");
  EXPECT_EQ(form->List1->GetItems()->GetCommaText(), "alpha,beta");
  EXPECT_TRUE(form->List1->GetMultiSelect());
  EXPECT_EQ(form->Combo1->GetItemIndex(), 1);
  EXPECT_EQ(form->Check1->GetState(), cbChecked);
  EXPECT_TRUE(form->Ok->GetDefault());
  EXPECT_EQ(form->Ok->GetModalResult(), mrOk);
  ASSERT_EQ(form->Files->GetColumns()->GetCount(), 2);
  EXPECT_EQ(form->Files->GetColumns()->GetItems(1)->GetAlignment(), taRightJustify);
  EXPECT_FALSE(form->Tree->GetShowLines());
  EXPECT_EQ(form->Panel1->GetBevelOuter(), bvLowered);
  EXPECT_EQ(form->Label1->GetParent(), form->Panel1);

  form->Show();
  EXPECT_EQ(form->Combo1->GetText(), "WMV");
  EXPECT_EQ(form->List1->GetItems()->GetCount(), 2);
  Integer before = form->changes;
  form->Edit1->SetText("changed");
  EXPECT_EQ(form->changes, before + 1);
  for (const char* name : {"a.avi", "b.wmv"}) {
    TListItem* item = form->Files->GetItems()->Add();
    item->SetCaption(name);
    item->GetSubItems()->Add("1 KB");
  }
  TTreeNode* node = form->Tree->GetItems()->AddChild(nullptr, "Folder");
  form->Tree->GetItems()->AddChild(node, "Inner");
  node->Expand(false);
  Settle();
  EXPECT_TRUE(SaveWindowShot(form->GetHandle(), "vcl-controls-form"));
}

}  // namespace

namespace {

const char* kPagesText = R"(object PagesForm: TForm
  Left = 100
  Top = 100
  Width = 400
  Height = 300
  object Pages: TPageControl
    Left = 8
    Top = 8
    Width = 300
    Height = 200
    ActivePage = Second
    object First: TTabSheet
      Caption = ' First '
    end
    object Second: TTabSheet
      Caption = ' Second '
    end
    object Hidden: TTabSheet
      Caption = 'Hidden'
      TabVisible = False
    end
  end
end)";

struct PageChanges : TObject {
  Integer count = 0;
  void Changed(TObject*) { ++count; }
};

TEST_F(ComCtrlsTest, APageControlShowsTheSheetOfTheClickedTabOnly) {
  TForm* form = NewForm();
  ReadComponentFromText(kPagesText, form);
  auto* pages = static_cast<TPageControl*>(form->FindComponent("Pages"));
  auto* first = static_cast<TTabSheet*>(form->FindComponent("First"));
  auto* second = static_cast<TTabSheet*>(form->FindComponent("Second"));
  auto* hidden = static_cast<TTabSheet*>(form->FindComponent("Hidden"));
  ASSERT_TRUE(pages && first && second && hidden);
  EXPECT_EQ(pages->GetPageCount(), 3);
  EXPECT_EQ(hidden->GetPageIndex(), 2);
  // The stored page is the one shown; a hidden tab has no rectangle but its page stays.
  EXPECT_EQ(pages->GetActivePage(), second);
  EXPECT_TRUE(second->GetVisible());
  EXPECT_FALSE(first->GetVisible());
  EXPECT_EQ(pages->TabRect(hidden).Width(), 0);
  form->Show();
  Settle();
  // The sheet fills the frame below the tabs.
  TRect sheet = second->GetBoundsRect();
  EXPECT_GT(sheet.Top, pages->TabRect(second).Bottom);
  EXPECT_LT(sheet.Right, pages->GetWidth());

  PageChanges changes;
  pages->SetOnChange(MakeEvent<&PageChanges::Changed>(&changes));
  TRect tab = pages->TabRect(first);
  ScriptClick(pages->ClientToScreen({tab.Left + 4, tab.Top + 4}));
  Settle();
  EXPECT_EQ(pages->GetActivePage(), first);
  EXPECT_TRUE(first->GetVisible());
  EXPECT_FALSE(second->GetVisible());
  EXPECT_EQ(changes.count, 1);
  // A click right of the last visible tab changes nothing; code may still show the hidden page.
  TRect last = pages->TabRect(second);
  ScriptClick(pages->ClientToScreen({last.Right + 20, last.Top + 4}));
  Settle();
  EXPECT_EQ(pages->GetActivePage(), first);
  pages->SetActivePage(hidden);
  EXPECT_TRUE(hidden->GetVisible());
  EXPECT_EQ(changes.count, 1);
}

}  // namespace
