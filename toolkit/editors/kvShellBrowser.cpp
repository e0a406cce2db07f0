// The folder browser's window: streamed from its form, it keeps the path field and the OK button
// in step with the tree's selection and draws a size grip in its corner.

#include "toolkit/editors/kvShellBrowser.h"

#include "gdi/SysMetrics.h"
#include "rtl/ClassRegistry.h"
#include "rtl/TypInfo.h"
#include "user/Messages.h"
#include "vcl/FileCtrl.h"

TAVREN_CLASS_IMPL_PUBLISHED(TkvShellBrowserDlg, FIELD(lblFolder), FIELD(kvTeFolder), FIELD(kvStv), FIELD(kvButton1),
                            FIELD(kvButton2), METHOD(FormCreate), METHOD(FormPaint), METHOD(FormResize),
                            METHOD(kvStvChange))
TAVREN_MESSAGE_TABLE(TkvShellBrowserDlg, MESSAGE_HANDLER(WM_NCHITTEST, WMNCHitTest))

TkvShellBrowserDlg::TkvShellBrowserDlg(TComponent* AOwner)
    : TForm(AOwner), FLookAndFeel(std::make_unique<TkvLookAndFeel>(nullptr)) {}

void TkvShellBrowserDlg::AfterConstruction() {
  TForm::AfterConstruction();
  // The controls exist once the form is streamed.
  kvStv->GetStyle()->GetLookAndFeel()->AttachToMaster(FLookAndFeel.get());
  kvTeFolder->GetStyle()->GetLookAndFeel()->AttachToMaster(FLookAndFeel.get());
  kvButton1->GetLookAndFeel()->AttachToMaster(FLookAndFeel.get());
  kvButton2->GetLookAndFeel()->AttachToMaster(FLookAndFeel.get());
  kvButton1->SetCaption(ResourceStringText(skvShellBrowserOk));
  kvButton2->SetCaption(ResourceStringText(skvShellBrowserCancel));
  ShowSelectedPath();
}

TkvShellBrowserDlg::~TkvShellBrowserDlg() {
  // The controls follow the look-and-feel that goes with the form: let go first.
  if (!kvStv || !kvTeFolder || !kvButton1 || !kvButton2) return;
  for (TkvLookAndFeel* follower : {kvStv->GetStyle()->GetLookAndFeel(), kvTeFolder->GetStyle()->GetLookAndFeel(),
                                   kvButton1->GetLookAndFeel(), kvButton2->GetLookAndFeel()})
    follower->AttachToMaster(nullptr);
}

void TkvShellBrowserDlg::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
}

void TkvShellBrowserDlg::CreateWnd() {
  TForm::CreateWnd();
  SendMessage(GetHandle(), WM_SETICON, ICON_BIG, 0);
}

void TkvShellBrowserDlg::FormCreate(TObject*) {
  FSizeGripSize = TSize{GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
}

void TkvShellBrowserDlg::ShowSelectedPath() {
  const String path = kvStv->GetPath();
  GetCanvas()->SetFont(GetFont());
  kvTeFolder->SetText(MinimizeName(path, GetCanvas(), kvTeFolder->GetWidth()));
  // A folder outside the file system (Computer, Trash) has no path to hand back.
  kvButton1->SetEnabled(!path.empty());
}

void TkvShellBrowserDlg::FormResize(TObject*) {
  ShowSelectedPath();
  const TRect client = GetClientRect();
  FSizeGripRect = TRect(client.Right - FSizeGripSize.cx, client.Bottom - FSizeGripSize.cy, client.Right,
                        client.Bottom);
  Refresh();
}

void TkvShellBrowserDlg::kvStvChange(TObject*, TTreeNode*) { ShowSelectedPath(); }

void TkvShellBrowserDlg::FormPaint(TObject*) {
  TkvCanvas canvas(GetCanvas());
  FLookAndFeel->ActivePainter()->PaintSizeGrip(&canvas, FSizeGripRect, clDefault);
}

void TkvShellBrowserDlg::WMNCHitTest(TMessage& Message) {
  InheritedMessage(Message);
  TPoint p = ScreenToClient(TPoint(static_cast<int16_t>(LOWORD(Message.LParam)),
                                   static_cast<int16_t>(HIWORD(Message.LParam))));
  if (RectHoldsPoint(FSizeGripRect, p)) Message.Result = HTBOTTOMRIGHT;
}

void kvShellBrowserStart() {
  // The window and the controls its form names.
  RegisterClasses({TkvShellBrowserDlg::ClassInfo(), TkvLabel::ClassInfo(), TkvTextEdit::ClassInfo(),
                   TkvShellTreeView::ClassInfo(), TkvButton::ClassInfo()});
}

// The controls the form names belong to their own units, which remove them.
void kvShellBrowserEnd() { UnRegisterClass(TkvShellBrowserDlg::ClassInfo()); }
