#pragma once
// The "Browse for Folder" window of TkvShellBrowserDialog: a shell folder tree, a read-only field
// with the selected folder's path shortened to fit, OK and Cancel, and a size grip. Streamed from
// the form resource "TKVSHELLBROWSERDLG".

#include <memory>

#include "toolkit/editors/kvButtons.h"
#include "toolkit/editors/kvLabel.h"
#include "toolkit/editors/kvShellDlgs.h"
#include "toolkit/editors/kvShellTreeView.h"
#include "toolkit/editors/kvTextEdit.h"
#include "vcl/Forms.h"

constexpr Integer skvShellBrowserOk = 64433;
constexpr Integer skvShellBrowserCancel = 64434;

class TkvShellBrowserDlg : public TForm {
  TAVREN_CLASS(TkvShellBrowserDlg, TForm)
  TAVREN_MESSAGES()
 public:
  explicit TkvShellBrowserDlg(TComponent* AOwner);
  ~TkvShellBrowserDlg() override;
  void AfterConstruction() override;

  TkvLabel* lblFolder = nullptr;
  TkvTextEdit* kvTeFolder = nullptr;
  TkvShellTreeView* kvStv = nullptr;
  TkvButton* kvButton1 = nullptr;
  TkvButton* kvButton2 = nullptr;

  void FormCreate(TObject* Sender);
  void FormPaint(TObject* Sender);
  void FormResize(TObject* Sender);
  void kvStvChange(TObject* Sender, TTreeNode* Node);

  String GetSelectedPath() { return kvStv->GetPath(); }
  void SetPath(const String& Value) { kvStv->SetPath(Value); }
  void SetTitle(const String& Value) { SetCaption(Value); }
  void SetFolderCaption(const String& Value) { lblFolder->SetCaption(Value); }
  TkvShellTreeRoot* GetRoot() { return kvStv->GetRoot(); }
  TkvShellTreeViewOptions* GetOptions() { return kvStv->GetOptions(); }
  TkvLookAndFeel* GetLookAndFeel() const { return FLookAndFeel.get(); }
  TRect GetSizeGripRect() const { return FSizeGripRect; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void WMNCHitTest(TMessage& Message);

 private:
  // The field shows the tree's path, shortened to its width; OK is offered only for a folder
  // with a path.
  void ShowSelectedPath();

  std::unique_ptr<TkvLookAndFeel> FLookAndFeel;
  TSize FSizeGripSize{0, 0};
  TRect FSizeGripRect;
};

void kvShellBrowserStart();
void kvShellBrowserEnd();
