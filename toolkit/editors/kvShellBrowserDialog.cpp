#include "toolkit/editors/kvShellBrowserDialog.h"

#include "rtl/ClassRegistry.h"
#include "rtl/TypInfo.h"
#include "toolkit/editors/kvShellBrowser.h"
#include "vcl/Forms.h"

TAVREN_CLASS_IMPL(TkvCustomShellBrowserDialog)
TAVREN_CLASS_IMPL_PUBLISHED(TkvShellBrowserDialog, PROPERTY(FolderLabelCaption), PROPERTY(LookAndFeel),
                            PROPERTY(Options), PROPERTY(Path), PROPERTY(Root), PROPERTY(ShowButtons).Default(true),
                            PROPERTY(ShowInfoTips).Default(false), PROPERTY(ShowLines).Default(true),
                            PROPERTY(ShowRoot).Default(true), PROPERTY(Title))

TkvCustomShellBrowserDialog::TkvCustomShellBrowserDialog(TComponent* AOwner)
    : TComponent(AOwner),
      FLookAndFeel(std::make_unique<TkvLookAndFeel>(this)),
      FRoot(std::make_unique<TkvDlgShellRoot>()),
      FOptions(std::make_unique<TkvDlgShellOptions>()) {}

TkvCustomShellBrowserDialog::~TkvCustomShellBrowserDialog() = default;

TkvShellBrowserDlg* TkvCustomShellBrowserDialog::CreateDialogForm() {
  return static_cast<TkvShellBrowserDlg*>(TkvShellBrowserDlg::ClassInfo()->Create(Application()));
}

bool TkvCustomShellBrowserDialog::Execute() {
  const TCursor cursor = Screen()->GetCursor();
  Screen()->SetCursor(crHourGlass);
  std::unique_ptr<TkvShellBrowserDlg> form;
  bool chosen = false;
  try {
    form.reset(CreateDialogForm());
    FDlg = form.get();
    if (!FTitle.empty()) form->SetTitle(FTitle);
    if (!FFolderLabelCaption.empty()) form->SetFolderCaption(FFolderLabelCaption);
    TkvShellTreeViewOptions* options = form->GetOptions();
    options->SetShowFolders(FOptions->GetShowFolders());
    options->SetShowToolTip(FOptions->GetShowToolTip());
    options->SetTrackShellChanges(FOptions->GetTrackShellChanges());
    options->SetContextMenus(FOptions->GetContextMenus());
    options->SetShowNonFolders(FOptions->GetShowNonFolders());
    options->SetShowHidden(FOptions->GetShowHidden());
    form->GetRoot()->SetBrowseFolder(FRoot->GetBrowseFolder());
    form->GetRoot()->SetCustomPath(FRoot->GetCustomPath());
    form->kvStv->SetShowButtons(FShowButtons);
    form->kvStv->SetShowInfoTips(FShowInfoTips);
    form->kvStv->SetShowLines(FShowLines);
    form->kvStv->SetShowRoot(FShowRoot);
    form->SetPath(FPath);
    form->GetLookAndFeel()->AttachToMaster(FLookAndFeel.get());
    if (form->ShowModal() == mrOk) {
      // A folder without a path is no answer: the caller would write to the working folder.
      const String path = form->GetSelectedPath();
      if (!path.empty()) {
        FPath = path;
        chosen = true;
      }
    }
  } catch (...) {
    if (form) form->GetLookAndFeel()->AttachToMaster(nullptr);
    FDlg = nullptr;
    form.reset();
    Screen()->SetCursor(cursor);
    throw;
  }
  form->GetLookAndFeel()->AttachToMaster(nullptr);
  FDlg = nullptr;
  form.reset();
  Screen()->SetCursor(cursor);
  return chosen;
}

void kvShellBrowserDialogStart() { RegisterClasses({TkvShellBrowserDialog::ClassInfo()}); }

void kvShellBrowserDialogEnd() { UnRegisterClass(TkvShellBrowserDialog::ClassInfo()); }
