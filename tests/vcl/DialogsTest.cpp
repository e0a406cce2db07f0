#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "Screenshots.h"
#include "VclTestSupport.h"
#include "backend/ScriptedInput.h"
#include "controls/ComboBox.h"
#include "rtl/SysUtils.h"
#include "user/MessageBox.h"
#include "user/ModalResponder.h"
#include "user/VirtualKeys.h"
#include "vcl/ComCtrls.h"
#include "vcl/Dialogs.h"
#include "vcl/StdCtrls.h"

namespace {

// A folder with a sub-folder and files of several kinds.
class DialogsTest : public VclTest {
 protected:
  void SetUp() override {
    VclTest::SetUp();
    char pattern[] = "/tmp/tavren-dialogs-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    std::filesystem::create_directory(dir + "/sub");
    for (const char* name : {"a.txt", "b.log", "c.avi", "D.TXT", "sub/inner.txt", ".hidden.txt"})
      std::ofstream(dir + "/" + name) << String(static_cast<size_t>(2000), 'x');
  }
  void TearDown() override {
    std::error_code error;
    std::filesystem::remove_all(dir, error);
    VclTest::TearDown();
  }
  // The dialog's control of that name.
  template <class T>
  static T* Control(const ModalRequest& request, const char* name) {
    TWinControl* form = FindControl(request.window);
    return form ? dynamic_cast<T*>(form->FindComponent(name)) : nullptr;
  }
  static std::vector<String> Rows(TListView* list) {
    std::vector<String> rows;
    for (Integer i = 0; i < list->GetItems()->GetCount(); ++i) {
      TListItem* item = list->GetItems()->GetItem(i);
      rows.push_back(item->GetCaption() + "|" + item->GetSubItems()->GetStrings(0));
    }
    return rows;
  }
  String dir;
};

TEST(FileFilterTest, EntriesAndPatterns) {
  std::vector<TFileFilter> filters = ParseFileFilter("Text|*.txt; *.log|All|*.*|Dangling");
  ASSERT_EQ(filters.size(), 2u);
  EXPECT_EQ(filters[0].Description, "Text");
  EXPECT_EQ(filters[0].Patterns, (std::vector<String>{"*.txt", "*.log"}));
  EXPECT_EQ(filters[1].Patterns, (std::vector<String>{"*.*"}));
  EXPECT_TRUE(ParseFileFilter("").empty());
  EXPECT_EQ(ParseFileFilter("*.txt|*.txt")[0].Description, "*.txt");

  const struct {
    const char* name;
    std::vector<String> patterns;
    bool matches;
  } kCases[] = {
      {"clip.AVI", {"*.avi"}, true},   {"clip.avi.part", {"*.avi"}, false}, {"noext", {"*.*"}, true},
      {"a.log", {"*.txt", "*.log"}, true}, {"a1.txt", {"a?.txt"}, true},  {"ab1.txt", {"a?.txt"}, false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MatchesFileMask(c.name, c.patterns), c.matches);
  }
}

TEST_F(DialogsTest, OpenDialogShowsTheChosenFilterAndReturnsSeveralFiles) {
  TOpenDialog dialog(nullptr);
  dialog.SetOptions(TOpenOptions{ofAllowMultiSelect, ofFileMustExist});
  dialog.SetTitle("Add video");
  dialog.SetInitialDir(dir);
  dialog.SetFilter("Text|*.txt;*.log|Video|*.avi|All|*.*");
  std::vector<String> shown;
  SetModalResponder([&](const ModalRequest& request) {
    EXPECT_EQ(request.kind, "OpenDialog");
    EXPECT_EQ(request.caption, "Add video");
    auto* list = Control<TListView>(request, "FileList");
    auto* filter = Control<TComboBox>(request, "FilterCombo");
    if (!list || !filter) return IDCANCEL;
    shown = Rows(list);
    EXPECT_TRUE(SaveWindowShot(request.window, "vcl-open-dialog"));
    // Another entry shows other files.
    filter->SetItemIndex(1);
    SendMessage(request.window, WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                reinterpret_cast<LPARAM>(filter->GetHandle()));
    EXPECT_EQ(Rows(list), (std::vector<String>{"sub|", "c.avi|2 KB"}));
    filter->SetItemIndex(0);
    SendMessage(request.window, WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(filter->GetHandle()));
    list->GetItems()->GetItem(1)->SetSelected(true);
    list->GetItems()->GetItem(3)->SetSelected(true);
    return IDOK;
  });
  ASSERT_TRUE(dialog.Execute());
  // Folders first, then the files of the first entry (both patterns, any case); no hidden files.
  EXPECT_EQ(shown, (std::vector<String>{"sub|", "a.txt|2 KB", "b.log|2 KB", "D.TXT|2 KB"}));
  ASSERT_EQ(dialog.GetFiles()->GetCount(), 2);
  EXPECT_EQ(dialog.GetFiles()->GetStrings(0), dir + "/a.txt");
  EXPECT_EQ(dialog.GetFiles()->GetStrings(1), dir + "/D.TXT");
  EXPECT_EQ(dialog.GetFileName(), dir + "/a.txt");
  EXPECT_EQ(dialog.GetFilterIndex(), 1);
}

TEST_F(DialogsTest, OpenDialogFollowsDoubleClicksAndBackspace) {
  TOpenDialog dialog(nullptr);
  dialog.SetInitialDir(dir);
  dialog.SetFilter("Text|*.txt");
  SetModalResponder([&](const ModalRequest& request) {
    auto* list = Control<TListView>(request, "FileList");
    if (!list) return IDCANCEL;
    auto center = [list](Integer row) {
      TRect r = list->GetItems()->GetItem(row)->DisplayRect(drLabel);
      return list->ClientToScreen({r.Left + 5, (r.Top + r.Bottom) / 2});
    };
    POINT folder = center(0);
    POINT secondFile = center(1);
    ScriptDoubleClick(folder);      // into sub
    ScriptKeyPress(VK_BACK);        // and up again
    ScriptDoubleClick(secondFile);  // a.txt
    return 0;
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.GetFileName(), dir + "/a.txt");
}

TEST_F(DialogsTest, EnterOnAFolderOpensItAndTypedNamesAreChecked) {
  TOpenDialog dialog(nullptr);
  dialog.SetInitialDir(dir);
  dialog.SetOptions(TOpenOptions{ofFileMustExist});
  std::vector<String> messages;
  SetModalResponder([&](const ModalRequest& request) {
    if (request.kind == "MessageBox") {
      messages.push_back(request.text);
      return IDOK;
    }
    auto* list = Control<TListView>(request, "FileList");
    auto* name = Control<TEdit>(request, "FileNameEdit");
    if (!list || !name) return IDCANCEL;
    list->SetFocus();
    list->GetItems()->GetItem(0)->SetSelected(true);
    ScriptKeyPress(VK_RETURN);  // opens sub
    ScriptKeyPress(VK_TAB);     // to the name field
    ScriptTypeText("missing.txt");
    ScriptKeyPress(VK_RETURN);  // refused: the file must exist
    ScriptKeyPress(VK_ESCAPE);
    return 0;
  });
  EXPECT_FALSE(dialog.Execute());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find(dir + "/sub/missing.txt"), String::npos) << messages[0];
  EXPECT_NE(messages[0].find("File not found"), String::npos);
}

TEST_F(DialogsTest, SaveDialogAsksBeforeReplacingAFile) {
  struct Case {
    const char* typed;
    TOpenOptions options;
    int answer;  // to the question, if one is asked
    bool asked;
    bool confirmed;
    const char* file;
  };
  const Case kCases[] = {
      {"a.txt", TOpenOptions{ofOverwritePrompt}, IDNO, true, false, ""},
      {"a.txt", TOpenOptions{ofOverwritePrompt}, IDYES, true, true, "a.txt"},
      {"a.txt", TOpenOptions{}, IDNO, false, true, "a.txt"},
      {"new", TOpenOptions{ofOverwritePrompt}, IDNO, false, true, "new.log"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(String(c.typed) + " " + std::to_string(c.answer));
    TSaveDialog dialog(nullptr);
    dialog.SetInitialDir(dir);
    dialog.SetOptions(c.options);
    dialog.SetDefaultExt("log");
    dialog.SetFileName("log.txt");
    bool asked = false;
    SetModalResponder([&](const ModalRequest& request) {
      if (request.kind == "MessageBox") {
        asked = true;
        EXPECT_NE(request.text.find("already exists"), String::npos);
        return c.answer;
      }
      EXPECT_EQ(request.kind, "SaveDialog");
      auto* name = Control<TEdit>(request, "FileNameEdit");
      if (!name) return IDCANCEL;
      EXPECT_EQ(name->GetText(), "log.txt");
      name->SetText(c.typed);
      return IDOK;
    });
    EXPECT_EQ(dialog.Execute(), c.confirmed);
    EXPECT_EQ(asked, c.asked);
    if (c.confirmed) {
      EXPECT_EQ(dialog.GetFileName(), dir + "/" + c.file);
    }
  }
}


// The colour dialog starts from its colour (a system colour resolved), follows the grid and the
// edits, and gives the chosen colour back only when confirmed.
TEST_F(DialogsTest, ColorDialogStartsFromItsColorAndTakesTheChoice) {
  TColorDialog dialog(nullptr);
  dialog.SetColor(clBtnFace);
  String shown;
  SetModalResponder([&](const ModalRequest& request) {
    EXPECT_EQ(request.kind, "ColorDialog");
    auto* red = Control<TEdit>(request, "RedEdit");
    auto* green = Control<TEdit>(request, "GreenEdit");
    auto* blue = Control<TEdit>(request, "BlueEdit");
    auto* grid = Control<TWinControl>(request, "ColorGrid");
    if (!red || !green || !blue || !grid) return IDCANCEL;
    shown = red->GetText() + "," + green->GetText() + "," + blue->GetText();
    EXPECT_TRUE(SaveWindowShot(request.window, "vcl-color-dialog"));
    // The first cell is the lightest red; Enter confirms.
    ScriptClick(grid->ClientToScreen({5, 5}));
    ScriptKeyPress(VK_RETURN);
    return 0;
  });
  ASSERT_TRUE(dialog.Execute());
  COLORREF face = ColorToRGB(clBtnFace);
  EXPECT_EQ(shown, IntToStr(GetRValue(face)) + "," + IntToStr(GetGValue(face)) + "," + IntToStr(GetBValue(face)));
  EXPECT_EQ(dialog.GetColor(), static_cast<TColor>(RGB(255, 191, 191)));

  // Typed channels beyond 255 count as 255.
  SetModalResponder([&](const ModalRequest& request) {
    Control<TEdit>(request, "RedEdit")->SetText("999");
    Control<TEdit>(request, "GreenEdit")->SetText("52");
    Control<TEdit>(request, "BlueEdit")->SetText("18");
    return IDOK;
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.GetColor(), static_cast<TColor>(RGB(255, 52, 18)));
  SetModalResponder([&](const ModalRequest& request) {
    Control<TEdit>(request, "RedEdit")->SetText("0");
    return IDCANCEL;
  });
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.GetColor(), static_cast<TColor>(RGB(255, 52, 18)));
}

// The font dialog lists the installed families with the font's own chosen, and writes family,
// size and styles back; the colour of the font stays.
TEST_F(DialogsTest, FontDialogListsFamiliesAndWritesTheChoiceBack) {
  TFontDialog dialog(nullptr);
  dialog.GetFont()->SetName("Liberation Serif");
  dialog.GetFont()->SetSize(10);
  dialog.GetFont()->SetColor(clRed);
  String selected;
  SetModalResponder([&](const ModalRequest& request) {
    EXPECT_EQ(request.kind, "FontDialog");
    auto* list = Control<TListBox>(request, "FontList");
    auto* size = Control<TEdit>(request, "SizeEdit");
    auto* bold = Control<TCheckBox>(request, "BoldCheck");
    if (!list || !size || !bold) return IDCANCEL;
    EXPECT_TRUE(SaveWindowShot(request.window, "vcl-font-dialog"));
    selected = list->GetItems()->GetStrings(list->GetItemIndex());
    EXPECT_EQ(size->GetText(), "10");
    list->SetItemIndex(list->GetItems()->IndexOf("Liberation Mono"));
    size->SetText("14");
    bold->SetChecked(true);
    return IDOK;
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(selected, "Liberation Serif");
  EXPECT_EQ(dialog.GetFont()->GetName(), "Liberation Mono");
  EXPECT_EQ(dialog.GetFont()->GetSize(), 14);
  EXPECT_TRUE(dialog.GetFont()->GetStyle().Contains(fsBold));
  EXPECT_EQ(dialog.GetFont()->GetColor(), clRed);
}

}  // namespace
