// The main window's form: its published parts and what its handlers do with the toolkit's
// controls (the profile list, the output folder, the ribbon's images).

#include <cstdio>

#include "app/Main.h"
#include "app/MainCommands.h"
#include "core/Formats.h"
#include "core/Global.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Resources.h"
#include "rtl/TypInfo.h"
#include "toolkit/controls/WbPanel.h"
#include "toolkit/editors/kvButtons.h"
#include "toolkit/editors/kvDropDownEdit.h"
#include "toolkit/editors/kvShellBrowserDialog.h"
#include "toolkit/editors/kvTextEdit.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/skins/qzSkinsForm.h"
#include "user/SystemInfo.h"
#include "vcl/GraphicClasses.h"

namespace {

TStrings* ProfileLines(TkvComboBox* Box) {
  return static_cast<TkvCustomComboBoxProperties*>(Box->GetProperties())->GetItems();
}

}  // namespace

void TFormMain::Update() { edtOutDir->SetText(GlobalVideoList->GetOutDir()); }

HRESULT TFormMain::QueryInterface(const TInterfaceId& IID, void** Obj) {
  return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
}

void TFormMain::FillProfiles() {
  FillProfileLines(*GlobalFormats, ProfileLines(cbProfile));
  cbProfile->SetItemIndex(GlobalFormats->GetSelection().Format);
  // Attached only now, so showing the stored profile does not apply its defaults over the
  // parameters stored with it.
  cbProfile->GetProperties()->SetOnChange(MakeEvent<&TFormMain::cbProfileChange>(this));
}

void TFormMain::cbProfileChange(TObject*) { ChooseProfile(*GlobalFormats, cbProfile->GetItemIndex()); }

void TFormMain::edtOutDirChange(TObject*) { GlobalVideoList->SetOutDir(edtOutDir->GetText()); }

void TFormMain::BrowseOutDir(TObject*) {
  TkvShellBrowserDialog dialog(nullptr);
  if (!dialog.Execute()) return;
  GlobalVideoList->SetOutDir(dialog.GetPath());
  edtOutDir->SetText(dialog.GetPath());
}

void TFormMain::WidenForNewerSystems() {
  OSVERSIONINFO version;
  if (!GetVersionExA(&version) || version.dwMajorVersion <= 5) return;
  SetWidth(GetWidth() + 18);
  SetHeight(GetHeight() + 19);
  cbProfile->SetWidth(cbProfile->GetWidth() + 18);
  edtOutDir->SetWidth(edtOutDir->GetWidth() + 18);
  for (TkvButton* button : {Browse, Advance, Convert}) button->SetLeft(button->GetLeft() + 18);
}

void TFormMain::LoadCommandImages() {
  static const char* const kNames[] = {"COMMAND_ADD",  "COMMAND_DELETE", "COMMAND_CLEAR", "COMMAND_EFFECT",
                                       "COMMAND_TRIM", "COMMAND_CROP",   "COMMAND_HELP",  "COMMAND_ABOUT"};
  kvImageList->Clear();
  for (const char* name : kNames) {
    TBitmap image;
    image.LoadFromResourceName(HInstance, name);
    kvImageList->Add(&image, nullptr);
  }
}

TAVREN_CLASS_IMPL_PUBLISHED(TFormMain,
    FIELD(kvImageList), FIELD(qzSkinController), FIELD(WbPanelBG), FIELD(WbPanel1),
    FIELD(WbPanel2), FIELD(WbPanel3), FIELD(WbPanel4), FIELD(WbPanel5), FIELD(FrameFileList), FIELD(WbPanelReview),
    FIELD(ImagePlayerBG), FIELD(PanelPlay), FIELD(ImageBar), FIELD(ImagePos), FIELD(ImagePlay), FIELD(ImagePause),
    FIELD(Label3), FIELD(Label4), FIELD(Label7), FIELD(lblName), FIELD(lblLength), FIELD(lblSize), FIELD(Label1),
    FIELD(Label2), FIELD(edtOutDir), FIELD(cbProfile), FIELD(Browse), FIELD(Advance), FIELD(Convert),
    FIELD(TimerUpdatePos), METHOD(FormCreate), METHOD(FormShow), METHOD(FormClose), METHOD(FormDestroy),
    METHOD(AddVideo), METHOD(DeleteVideo), METHOD(ClearVideo), METHOD(ShowEffectEdit), METHOD(ShowTrimEdit),
    METHOD(ShowCropEdit), METHOD(HelpClick), METHOD(ShowAbout), METHOD(ShowAdvance), METHOD(BrowseOutDir),
    METHOD(ConvertVideo), METHOD(cbProfileChange), METHOD(edtOutDirChange), METHOD(FrameFileListFileListDblClick),
    METHOD(TimerUpdatePosTimer), METHOD(ImagePosMouseDown), METHOD(ImagePosMouseMove), METHOD(ImagePosMouseUp),
    METHOD(ImagePlayClick), METHOD(ImagePauseClick))

void MainStart() { RegisterClass(TFormMain::ClassInfo()); }
