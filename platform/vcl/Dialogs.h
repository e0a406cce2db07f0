#pragma once
// The framework's common dialogs: the open and save dialogs, drawn by us with the standard
// controls as a modal form: a folder field, the folder's folders and the files that match the
// chosen filter (name, size, modified) in a list view, the file name, the filter box, OK and
// Cancel. Enter or a double click opens a folder, Backspace goes up.
//
// Once shown, the dialog asks the modal responder (user/ModalResponder.h) with kind "OpenDialog"
// or "SaveDialog" and the dialog's window: IDOK takes the dialog as it stands (as if OK were
// pressed), another non-zero answer cancels it, 0 lets it run on the responder's scripted input.
// The dialog's controls are named FolderEdit, FileList, FileNameEdit, FilterCombo, OkButton and
// CancelButton.

#include <memory>
#include <vector>

#include "rtl/Component.h"
#include "rtl/StringList.h"
#include "vcl/Controls.h"
#include "vcl/Graphics.h"

enum TOpenOption {
  ofReadOnly,
  ofOverwritePrompt,
  ofHideReadOnly,
  ofNoChangeDir,
  ofShowHelp,
  ofNoValidate,
  ofAllowMultiSelect,
  ofExtensionDifferent,
  ofPathMustExist,
  ofFileMustExist,
  ofCreatePrompt,
  ofShareAware,
  ofNoReadOnlyReturn,
  ofNoTestFileCreate,
  ofNoNetworkButton,
  ofNoLongNames,
  ofOldStyleDialog,
  ofNoDereferenceLinks,
  ofEnableIncludeNotify,
  ofEnableSizing,
  ofDontAddToRecent,
  ofForceShowHidden,
};
TAVREN_ENUM_INFO(TOpenOption, ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
                 ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt,
                 ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames,
                 ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent,
                 ofForceShowHidden);
using TOpenOptions = TSet<TOpenOption, 32>;

// One entry of a filter "Text files|*.txt;*.log|All files|*.*": its description and its patterns.
struct TFileFilter {
  String Description;
  std::vector<String> Patterns;
};
// The entries of a filter text; a description without patterns at the end is left out.
std::vector<TFileFilter> ParseFileFilter(const String& Filter);
// Whether a file name matches one of the patterns (* and ?, without regard to case; "*.*" and
// "*" match every name).
bool MatchesFileMask(const String& FileName, const std::vector<String>& Patterns);

class TCommonDialog : public TComponent {
  TAVREN_CLASS(TCommonDialog, TComponent)
 public:
  explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
  // Shows the dialog modally; true when the user confirmed it.
  virtual bool Execute() = 0;
  bool GetCtl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value) { FCtl3D = Value; }
  TNotifyEvent GetOnShow() const { return FOnShow; }
  void SetOnShow(TNotifyEvent Value) { FOnShow = Value; }
  TNotifyEvent GetOnClose() const { return FOnClose; }
  void SetOnClose(TNotifyEvent Value) { FOnClose = Value; }

 protected:
  virtual void DoShow() { FOnShow(this); }
  virtual void DoClose() { FOnClose(this); }

 private:
  bool FCtl3D = true;
  TNotifyEvent FOnShow;
  TNotifyEvent FOnClose;
};

class TOpenDialog : public TCommonDialog {
  TAVREN_CLASS(TOpenDialog, TCommonDialog)
 public:
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;
  bool Execute() override;

  // The chosen file (the first of several); Files holds every chosen file with its folder.
  String GetFileName() const { return FFileName; }
  void SetFileName(const String& Value) { FFileName = Value; }
  TStrings* GetFiles() const { return FFiles.get(); }
  String GetFilter() const { return FFilter; }
  void SetFilter(const String& Value) { FFilter = Value; }
  // 1-based; after Execute, the entry the user chose.
  Integer GetFilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(Integer Value) { FFilterIndex = Value; }
  String GetInitialDir() const { return FInitialDir; }
  void SetInitialDir(const String& Value) { FInitialDir = Value; }
  String GetTitle() const { return FTitle; }
  void SetTitle(const String& Value) { FTitle = Value; }
  // Added (without its dot) to a typed name that has no extension.
  String GetDefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const String& Value) { FDefaultExt = Value; }
  TOpenOptions GetOptions() const { return FOptions; }
  void SetOptions(TOpenOptions Value) { FOptions = Value; }

 protected:
  virtual bool IsSaveDialog() const { return false; }

 private:
  friend class TFileDialogForm;
  String FFileName;
  std::unique_ptr<TStringList> FFiles;
  String FFilter;
  Integer FFilterIndex = 1;
  String FInitialDir;
  String FTitle;
  String FDefaultExt;
  TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
  TAVREN_CLASS(TSaveDialog, TOpenDialog)
 public:
  using TOpenDialog::TOpenDialog;

 protected:
  bool IsSaveDialog() const override { return true; }
};

// The colour dialog: the basic colours as a grid, the chosen colour's red, green and blue and a
// sample. Execute starts from Color and, confirmed, leaves the chosen colour there (as RGB: a
// system colour is resolved). Asks the responder with kind "ColorDialog"; its controls are named
// ColorGrid, RedEdit, GreenEdit, BlueEdit, SamplePanel, OkButton and CancelButton.
class TColorDialog : public TCommonDialog {
  TAVREN_CLASS(TColorDialog, TCommonDialog)
 public:
  using TCommonDialog::TCommonDialog;
  bool Execute() override;
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }

 private:
  TColor FColor = clBlack;
};

// The font dialog: the installed families, the size in points and bold and italic. Execute starts
// from Font and, confirmed, writes the choice back into it (colour and other styles stay). Asks
// the responder with kind "FontDialog"; its controls are named FontList, SizeEdit, BoldCheck,
// ItalicCheck, OkButton and CancelButton.
class TFontDialog : public TCommonDialog {
  TAVREN_CLASS(TFontDialog, TCommonDialog)
 public:
  explicit TFontDialog(TComponent* AOwner);
  ~TFontDialog() override;
  bool Execute() override;
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value);

 private:
  std::unique_ptr<TFont> FFont;
};

// Registers the unit's classes for form reading.
void DialogsStart();
