// The form of the open and save dialogs, and their Execute.

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <memory>

#include "rtl/FileUtils.h"
#include "rtl/SysUtils.h"
#include "rtl/UnicodeCase.h"
#include "user/MessageBox.h"
#include "user/ModalResponder.h"
#include "user/VirtualKeys.h"
#include "vcl/ComCtrls.h"
#include "vcl/Dialogs.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace {

// Asks the modal responder once the dialog's loop runs.
constexpr UINT kAskResponder = WM_USER + 0x100;
// Marks a folder row of the list (its Data).
void* const kFolderRow = reinterpret_cast<void*>(1);

String SizeText(Int64 Size) {
  // Sizes in whole kilobytes, rounded up, with thousands separated.
  String digits = std::to_string((Size + 1023) / 1024);
  for (Integer i = static_cast<Integer>(digits.size()) - 3; i > 0; i -= 3) digits.insert(static_cast<size_t>(i), ",");
  return digits + " KB";
}

String TimeText(time_t Time) {
  std::tm local{};
  localtime_r(&Time, &local);
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M", &local);
  return buffer;
}

String CurrentFolder() {
  std::error_code error;
  std::filesystem::path path = std::filesystem::current_path(error);
  return error ? String("/") : path.string();
}

// A folder without its trailing delimiter (the root stays "/").
String WithoutDelimiter(String Folder) {
  while (Folder.size() > 1 && Folder.back() == '/') Folder.pop_back();
  return Folder;
}

}  // namespace

class TFileDialogForm : public TForm {
  TAVREN_CLASS(TFileDialogForm, TForm)
  TAVREN_MESSAGES()
 public:
  TFileDialogForm(TOpenDialog* Dialog, bool Save);

  // The folder shown, and the files chosen when the dialog was confirmed.
  String Folder;
  std::vector<String> Chosen;
  // The filter entry chosen, 1-based.
  Integer ChosenFilterIndex() { return std::max(FFilterCombo->GetItemIndex() + 1, 1); }

 private:
  struct TEntry {
    String Name;
    bool IsFolder;
    Int64 Size;
    time_t Modified;
  };
  void Populate();
  void ChangeFolder(const String& Path);
  void GoUp();
  // Confirms what the dialog shows from the control that has the focus (nullptr: the names typed):
  // opens a folder, or checks the typed names; true when they are chosen.
  bool Accept(TWinControl* Focus);
  bool CheckNames(const std::vector<String>& Paths);
  std::vector<String> TypedNames();
  String Resolve(const String& Name) const;
  bool Ask(const String& Text, UINT Flags);

  void FormShow(TObject*) {
    FFileNameEdit->SetFocus();
    PostMessage(GetHandle(), kAskResponder, 0, 0);
  }
  void OkClick(TObject*);
  void UpClick(TObject*) { GoUp(); }
  void FilterChange(TObject*) { Populate(); }
  void ListDblClick(TObject*);
  void ListKeyDown(TObject*, Word& Key, TShiftState Shift);
  void ListSelectItem(TObject*, TListItem*, bool);
  void WMAskResponder(TMessage& Message);

  TOpenDialog* FDialog;
  bool FSave;
  std::vector<TFileFilter> FFilters;
  TEdit* FFolderEdit;
  TListView* FFileList;
  TEdit* FFileNameEdit;
  TComboBox* FFilterCombo;
};

TAVREN_CLASS_IMPL(TFileDialogForm)
TAVREN_MESSAGE_TABLE(TFileDialogForm, MESSAGE_HANDLER(kAskResponder, WMAskResponder))

TFileDialogForm::TFileDialogForm(TOpenDialog* Dialog, bool Save)
    : TForm(nullptr, 0), FDialog(Dialog), FSave(Save), FFilters(ParseFileFilter(Dialog->FFilter)) {
  TOpenOptions options = Dialog->FOptions;
  SetCaption(!Dialog->FTitle.empty() ? Dialog->FTitle : Save ? "Save As" : "Open");
  SetBorderStyle(options.Contains(ofEnableSizing) ? bsSizeable : bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
  SetClientWidth(480);
  SetClientHeight(316);

  auto label = [this](const char* caption, Integer top) {
    auto* l = new TLabel(this);
    // Over whatever the form paints (a skinned form is not its Color).
    l->SetTransparent(true);
    l->SetCaption(caption);
    l->SetBounds(8, top, 80, 13);
    l->SetParent(this);
    return l;
  };
  label("Look in:", 12);
  FFolderEdit = new TEdit(this);
  FFolderEdit->SetName("FolderEdit");
  FFolderEdit->SetBounds(90, 8, 300, 21);
  FFolderEdit->SetAnchors(TAnchors{akLeft, akTop, akRight});
  FFolderEdit->SetParent(this);
  auto* up = new TButton(this);
  up->SetName("UpButton");
  up->SetCaption("Up");
  up->SetBounds(398, 6, 75, 25);
  up->SetAnchors(TAnchors{akTop, akRight});
  up->SetOnClick(MakeEvent<&TFileDialogForm::UpClick>(this));
  up->SetParent(this);

  FFileList = new TListView(this);
  FFileList->SetName("FileList");
  FFileList->SetBounds(8, 38, 464, 200);
  FFileList->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
  FFileList->SetViewStyle(vsReport);
  FFileList->SetRowSelect(true);
  FFileList->SetReadOnly(true);
  FFileList->SetHideSelection(false);
  FFileList->SetMultiSelect(options.Contains(ofAllowMultiSelect));
  for (auto [caption, width, alignment] :
       {std::tuple{"Name", 250, taLeftJustify}, {"Size", 80, taRightJustify}, {"Modified", 120, taLeftJustify}}) {
    TListColumn* column = FFileList->GetColumns()->Add();
    column->SetCaption(caption);
    column->SetWidth(width);
    column->SetAlignment(alignment);
  }
  FFileList->SetOnDblClick(MakeEvent<&TFileDialogForm::ListDblClick>(this));
  FFileList->SetOnKeyDown(MakeEvent<&TFileDialogForm::ListKeyDown>(this));
  FFileList->SetOnSelectItem(MakeEvent<&TFileDialogForm::ListSelectItem>(this));
  FFileList->SetParent(this);

  label("File name:", 254)->SetAnchors(TAnchors{akLeft, akBottom});
  FFileNameEdit = new TEdit(this);
  FFileNameEdit->SetName("FileNameEdit");
  FFileNameEdit->SetBounds(90, 250, 300, 21);
  FFileNameEdit->SetAnchors(TAnchors{akLeft, akRight, akBottom});
  FFileNameEdit->SetParent(this);
  auto* ok = new TButton(this);
  ok->SetName("OkButton");
  ok->SetCaption(Save ? "&Save" : "&Open");
  ok->SetDefault(true);
  ok->SetBounds(398, 248, 75, 25);
  ok->SetAnchors(TAnchors{akRight, akBottom});
  ok->SetOnClick(MakeEvent<&TFileDialogForm::OkClick>(this));
  ok->SetParent(this);

  label("Files of type:", 284)->SetAnchors(TAnchors{akLeft, akBottom});
  FFilterCombo = new TComboBox(this);
  FFilterCombo->SetName("FilterCombo");
  FFilterCombo->SetStyle(csDropDownList);
  FFilterCombo->SetBounds(90, 280, 300, 21);
  FFilterCombo->SetAnchors(TAnchors{akLeft, akRight, akBottom});
  for (const TFileFilter& filter : FFilters) FFilterCombo->GetItems()->Add(filter.Description);
  Integer index = Dialog->FFilterIndex - 1;
  FFilterCombo->SetItemIndex(FFilters.empty() ? -1 : std::clamp(index, 0, static_cast<Integer>(FFilters.size()) - 1));
  FFilterCombo->SetOnChange(MakeEvent<&TFileDialogForm::FilterChange>(this));
  FFilterCombo->SetParent(this);
  auto* cancel = new TButton(this);
  cancel->SetName("CancelButton");
  cancel->SetCaption("Cancel");
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  cancel->SetBounds(398, 278, 75, 25);
  cancel->SetAnchors(TAnchors{akRight, akBottom});
  cancel->SetParent(this);

  // Start in the initial folder; a file name with a folder of its own starts there.
  String start = Dialog->FInitialDir;
  String name = Dialog->FFileName;
  if (String path = ExtractFilePath(name); !path.empty() && DirectoryExists(path)) {
    if (start.empty()) start = path;
    name = ExtractFileName(name);
  }
  Folder = !start.empty() && DirectoryExists(start) ? WithoutDelimiter(ExpandFileName(start)) : CurrentFolder();
  FFileNameEdit->SetText(name);
  SetActiveControl(FFileNameEdit);
  SetOnShow(MakeEvent<&TFileDialogForm::FormShow>(this));
  Populate();
}

void TFileDialogForm::Populate() {
  FFolderEdit->SetText(Folder);
  std::vector<TEntry> entries;
  std::error_code error;
  const std::vector<String>* patterns = nullptr;
  if (Integer index = FFilterCombo->GetItemIndex(); index >= 0 && index < static_cast<Integer>(FFilters.size()))
    patterns = &FFilters[static_cast<size_t>(index)].Patterns;
  // A folder that cannot be read shows empty; it is no error of the dialog.
  for (std::filesystem::directory_iterator it(Folder, error), end; !error && it != end; it.increment(error)) {
    String name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    struct stat info {};
    if (stat(it->path().c_str(), &info) != 0) continue;
    bool isFolder = S_ISDIR(info.st_mode);
    if (!isFolder && patterns && !MatchesFileMask(name, *patterns)) continue;
    entries.push_back({name, isFolder, static_cast<Int64>(info.st_size), info.st_mtime});
  }
  std::sort(entries.begin(), entries.end(), [](const TEntry& a, const TEntry& b) {
    if (a.IsFolder != b.IsFolder) return a.IsFolder;
    return Utf8LowerCase(a.Name) < Utf8LowerCase(b.Name);
  });
  TListItems* items = FFileList->GetItems();
  items->BeginUpdate();
  items->Clear();
  for (const TEntry& entry : entries) {
    TListItem* item = items->Add();
    item->SetCaption(entry.Name);
    item->SetData(entry.IsFolder ? kFolderRow : nullptr);
    item->GetSubItems()->Add(entry.IsFolder ? String() : SizeText(entry.Size));
    item->GetSubItems()->Add(TimeText(entry.Modified));
  }
  items->EndUpdate();
  if (items->GetCount() > 0) items->GetItem(0)->SetFocused(true);
}

void TFileDialogForm::ChangeFolder(const String& Path) {
  Folder = WithoutDelimiter(ExpandFileName(Path));
  Populate();
}

void TFileDialogForm::GoUp() {
  if (Folder == "/") return;
  String parent = WithoutDelimiter(ExtractFilePath(Folder));
  ChangeFolder(parent.empty() ? "/" : parent);
}

String TFileDialogForm::Resolve(const String& Name) const {
  return !Name.empty() && Name[0] == '/' ? Name : IncludeTrailingPathDelimiter(Folder) + Name;
}

std::vector<String> TFileDialogForm::TypedNames() {
  String text = FFileNameEdit->GetText();
  std::vector<String> names;
  // Several names come quoted ("a.avi" "b.avi") when several may be chosen.
  if (FDialog->FOptions.Contains(ofAllowMultiSelect) && text.find('"') != String::npos) {
    size_t at = 0;
    while ((at = text.find('"', at)) != String::npos) {
      size_t end = text.find('"', at + 1);
      if (end == String::npos) end = text.size();
      if (end > at + 1) names.push_back(text.substr(at + 1, end - at - 1));
      at = end + 1;
    }
    return names;
  }
  size_t first = text.find_first_not_of(' ');
  if (first != String::npos) names.push_back(text.substr(first, text.find_last_not_of(' ') - first + 1));
  return names;
}

bool TFileDialogForm::Ask(const String& Text, UINT Flags) {
  return MessageBox(GetHandle(), Text.c_str(), GetCaption().c_str(), Flags) == IDYES;
}

bool TFileDialogForm::CheckNames(const std::vector<String>& Paths) {
  TOpenOptions options = FDialog->FOptions;
  for (const String& path : Paths) {
    String folder = ExtractFilePath(path);
    if ((options.Contains(ofPathMustExist) || options.Contains(ofFileMustExist)) && !DirectoryExists(folder)) {
      MessageBox(GetHandle(), (path + "\r\nPath does not exist.\r\nCheck the path and try again.").c_str(),
                 GetCaption().c_str(), MB_OK | MB_ICONWARNING);
      return false;
    }
    if (options.Contains(ofFileMustExist) && !FileExists(path)) {
      MessageBox(GetHandle(),
                 (path + "\r\nFile not found.\r\nPlease verify the correct file name was given.").c_str(),
                 GetCaption().c_str(), MB_OK | MB_ICONWARNING);
      return false;
    }
    if (FSave && options.Contains(ofOverwritePrompt) && FileExists(path) &&
        !Ask(path + " already exists.\r\nDo you want to replace it?", MB_YESNO | MB_ICONWARNING))
      return false;
  }
  return true;
}

bool TFileDialogForm::Accept(TWinControl* Focus) {
  if (Focus == FFolderEdit) {
    String typed = FFolderEdit->GetText();
    if (DirectoryExists(typed)) {
      ChangeFolder(typed);
    } else {
      MessageBox(GetHandle(), (typed + "\r\nPath does not exist.").c_str(), GetCaption().c_str(), MB_OK | MB_ICONWARNING);
      FFolderEdit->SetText(Folder);
    }
    return false;
  }
  // Enter on a folder of the list opens it.
  if (Focus == FFileList && FFileList->GetSelCount() == 1 && FFileList->GetSelected()->GetData() == kFolderRow) {
    ChangeFolder(Resolve(FFileList->GetSelected()->GetCaption()));
    return false;
  }
  std::vector<String> names = TypedNames();
  if (names.empty()) return false;
  if (names.size() == 1 && DirectoryExists(Resolve(names[0]))) {
    ChangeFolder(Resolve(names[0]));
    FFileNameEdit->SetText("");
    return false;
  }
  std::vector<String> paths;
  for (const String& name : names) {
    String path = Resolve(name);
    if (!FDialog->FDefaultExt.empty() && ExtractFileExt(path).empty() && !FileExists(path))
      path += "." + FDialog->FDefaultExt;
    paths.push_back(path);
  }
  if (!CheckNames(paths)) return false;
  Chosen = paths;
  return true;
}

void TFileDialogForm::OkClick(TObject*) {
  if (Accept(GetActiveControl())) SetModalResult(mrOk);
}

void TFileDialogForm::ListDblClick(TObject*) {
  TListItem* item = FFileList->GetSelected();
  if (!item) return;
  if (item->GetData() == kFolderRow) {
    ChangeFolder(Resolve(item->GetCaption()));
    return;
  }
  if (Accept(nullptr)) SetModalResult(mrOk);
}

void TFileDialogForm::ListKeyDown(TObject*, Word& Key, TShiftState) {
  if (Key == VK_BACK) {
    GoUp();
    Key = 0;
  } else if (Key == VK_RETURN) {
    if (Accept(FFileList)) SetModalResult(mrOk);
    Key = 0;
  }
}

void TFileDialogForm::ListSelectItem(TObject*, TListItem*, bool) {
  // The chosen files show in the name field, quoted when there are several.
  std::vector<String> files;
  for (Integer i = 0; i < FFileList->GetItems()->GetCount(); ++i) {
    TListItem* item = FFileList->GetItems()->GetItem(i);
    if (item->GetData() != kFolderRow && item->GetSelected()) files.push_back(item->GetCaption());
  }
  if (files.empty()) return;
  if (files.size() == 1) {
    FFileNameEdit->SetText(files[0]);
    return;
  }
  String text;
  for (const String& file : files) text += (text.empty() ? "\"" : " \"") + file + "\"";
  FFileNameEdit->SetText(text);
}

void TFileDialogForm::WMAskResponder(TMessage&) {
  ModalRequest request;
  request.kind = FSave ? "SaveDialog" : "OpenDialog";
  request.window = GetHandle();
  request.caption = GetCaption();
  request.text = Folder;
  int answer = AskModalResponder(request);
  if (answer == 0) return;
  SetModalResult(answer == IDOK && Accept(nullptr) ? mrOk : mrCancel);
}

bool TOpenDialog::Execute() {
  // Forms live on the heap: their deletion runs the framework's destruction steps.
  auto form = std::make_unique<TFileDialogForm>(this, IsSaveDialog());
  DoShow();
  bool confirmed = form->ShowModal() == mrOk && !form->Chosen.empty();
  DoClose();
  if (confirmed) {
    FFiles->Clear();
    for (const String& path : form->Chosen) FFiles->Add(path);
    FFileName = form->Chosen.front();
    FFilterIndex = form->ChosenFilterIndex();
  }
  return confirmed;
}
