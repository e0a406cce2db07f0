#pragma once
// The component with which a program lets the user pick a folder: Execute shows the "Browse for
// Folder" window modally and leaves the chosen folder's path in Path.

#include <memory>

#include "rtl/Component.h"
#include "toolkit/editors/kvShellDlgs.h"
#include "toolkit/foundation/kvLookAndFeels.h"

class TkvShellBrowserDlg;

class TkvCustomShellBrowserDialog : public TComponent {
  TAVREN_CLASS(TkvCustomShellBrowserDialog, TComponent)
 public:
  explicit TkvCustomShellBrowserDialog(TComponent* AOwner);
  ~TkvCustomShellBrowserDialog() override;

  // True when the user chose a folder with a path and closed the window with OK.
  bool Execute();
  // The window while Execute runs, none otherwise.
  TkvShellBrowserDlg* GetDialogForm() const { return FDlg; }

  String GetFolderLabelCaption() const { return FFolderLabelCaption; }
  void SetFolderLabelCaption(const String& Value) { FFolderLabelCaption = Value; }
  TkvLookAndFeel* GetLookAndFeel() const { return FLookAndFeel.get(); }
  void SetLookAndFeel(TkvLookAndFeel* Value) { FLookAndFeel->Assign(Value); }
  TkvDlgShellOptions* GetOptions() const { return FOptions.get(); }
  void SetOptions(TkvDlgShellOptions* Value) { FOptions->Assign(Value); }
  String GetPath() const { return FPath; }
  void SetPath(const String& Value) { FPath = Value; }
  TkvDlgShellRoot* GetRoot() const { return FRoot.get(); }
  void SetRoot(TkvDlgShellRoot* Value) { FRoot->Assign(Value); }
  bool GetShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool Value) { FShowButtons = Value; }
  bool GetShowInfoTips() const { return FShowInfoTips; }
  void SetShowInfoTips(bool Value) { FShowInfoTips = Value; }
  bool GetShowLines() const { return FShowLines; }
  void SetShowLines(bool Value) { FShowLines = Value; }
  bool GetShowRoot() const { return FShowRoot; }
  void SetShowRoot(bool Value) { FShowRoot = Value; }
  String GetTitle() const { return FTitle; }
  void SetTitle(const String& Value) { FTitle = Value; }

 protected:
  // A new window owned by the application.
  virtual TkvShellBrowserDlg* CreateDialogForm();

 private:
  TkvShellBrowserDlg* FDlg = nullptr;
  String FFolderLabelCaption;
  std::unique_ptr<TkvLookAndFeel> FLookAndFeel;
  String FPath;
  std::unique_ptr<TkvDlgShellRoot> FRoot;
  bool FShowButtons = true;
  std::unique_ptr<TkvDlgShellOptions> FOptions;
  bool FShowInfoTips = false;
  bool FShowLines = true;
  bool FShowRoot = true;
  String FTitle;
};

class TkvShellBrowserDialog : public TkvCustomShellBrowserDialog {
  TAVREN_CLASS(TkvShellBrowserDialog, TkvCustomShellBrowserDialog)
 public:
  using TkvCustomShellBrowserDialog::TkvCustomShellBrowserDialog;
};

void kvShellBrowserDialogStart();
void kvShellBrowserDialogEnd();
