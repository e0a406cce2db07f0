// Real forms in every registered skin, saved as $TAVREN_TEST_OUTPUT/skins/skins-forms.png for a
// person to look at: caption buttons, the skinned frame, and what the skin painter draws inside.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "SkinsTestSupport.h"
#include "controls/ScrollBars.h"
#include "rtl/DateUtils.h"
#include "toolkit/foundation/kvGeometry.h"
#include "toolkit/skins/qzSkinsForm.h"
#include "user/User.h"
#include "toolkit/foundation/kvScrollBar.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

// A form whose client area shows the skin painter's controls.
class TSkinShotForm : public TForm {
  TAVREN_CLASS(TSkinShotForm, TForm)
 public:
  using TForm::TForm;

 protected:
  void Paint() override {
    TqzSkinWinController* controller = SkinWinControllerOf(GetHandle());
    TkvCustomLookAndFeelPainter* painter = controller ? controller->ActivePainter() : nullptr;
    if (!painter) return;
    TkvCanvas canvas(GetCanvas());
    const Integer x = 8;
    Integer y = 8;
    painter->PaintCheckBox(&canvas, Bounds(x, y, 13, 13), kvbsNormal, cbsChecked);
    painter->PaintCheckBox(&canvas, Bounds(x + 18, y, 13, 13), kvbsHot, cbsUnchecked);
    painter->PaintRadioButton(&canvas, x + 40, y, kvbsNormal, true, false, clDefault, false);
    painter->PaintRadioButton(&canvas, x + 58, y, kvbsNormal, false, false, clDefault, false);
    painter->PaintEditButton(&canvas, Bounds(x + 80, y - 2, 17, 18), 1, kvbsNormal);
    painter->PaintEditButton(&canvas, Bounds(x + 98, y - 2, 17, 18), 3, kvbsHot);
    painter->PaintEditButton(&canvas, Bounds(x + 116, y - 2, 17, 18), 0, kvbsNormal);
    y += 22;
    painter->PaintHeaderSimple(&canvas, Bounds(x, y, 80, 20), Bounds(x + 4, y, 72, 20), {}, kvAllBorders, kvbsNormal,
                               taLeftJustify, vaCenter, false, false, "Name", GetFont(), painter->GroupTextColor(),
                               clBtnFace, {});
    painter->PaintHeaderSimple(&canvas, Bounds(x + 80, y, 60, 20), Bounds(x + 84, y, 52, 20), {}, kvAllBorders,
                               kvbsHot, taLeftJustify, vaCenter, false, false, "Size", GetFont(),
                               painter->GroupTextColor(), clBtnFace, {});
    y += 26;
    const TRect frame = Bounds(x, y, 140, 52);
    canvas.PushClip();
    painter->PaintGroupBoxContent(&canvas, frame, 4);
    canvas.PopClip();
    const TRect progress = Bounds(x + 8, y + 8, 124, 14);
    painter->PaintProgressFrame(&canvas, progress, false);
    TRect chunk = RectInsideMargins(progress, painter->ProgressFrameWidths(false));
    chunk.Right = chunk.Left + chunk.Width() * 3 / 5;
    painter->PaintProgressChunk(&canvas, chunk, false);
    const Integer track = painter->TrackBarTrackWidth();
    painter->PanelHook201(&canvas, Bounds(x + 10, y + 32, 50, track), Bounds(x + 60, y + 32, 70, track), true, true,
                          true);
    const TSize thumb = painter->TrackBarThumbExtent(true);
    painter->PaintTrackBarThumb(&canvas, RectCentered(Bounds(x + 50, y + 24, 20, 24), thumb.cx, thumb.cy),
                                kvbsNormal, true, 1);
    painter->PaintClockFace(&canvas, Bounds(x + 150, 8, 64, 64), EncodeTime(10, 8, 30, 0), clWindow);
  }
};
TAVREN_CLASS_IMPL(TSkinShotForm)

namespace {

// Names each form's skin through OnSkinForm.
struct TSkinByCaption : TObject {
  void SkinForm(TObject*, TCustomForm* Form, bool& UseSkin, TqzSkinName& SkinName) {
    UseSkin = true;
    SkinName = Form->GetCaption();
  }
};

void PumpAll() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  UpdateAllWindows();
}

// Buttons (normal, disabled, focused), a panel, a frame and a scroll bar below the painted part.
void AddControls(TForm* Form, const String& Skin) {
  const Integer top = 112;
  const char* captions[3] = {"OK", "Off", "Focus"};
  for (Integer i = 0; i < 3; ++i) {
    auto* button = new TButton(Form);
    button->SetParent(Form);
    button->SetBounds(8 + i * 56, top, 52, 23);
    button->SetCaption(captions[i]);
    if (i == 1) button->SetEnabled(false);
    if (i == 2) button->SetFocus();
  }
  auto* panel = new TPanel(Form);
  panel->SetParent(Form);
  panel->SetBounds(176, top - 30, 52, 26);
  panel->SetCaption("Panel");
  auto* frame = new TFrame(Form);
  frame->SetParent(Form);
  frame->SetBounds(176, top, 52, 23);
  auto* inFrame = new TLabel(frame);
  inFrame->SetParent(frame);
  inFrame->SetBounds(6, 4, 40, 16);
  inFrame->SetCaption("Frame");
  inFrame->SetTransparent(true);
  auto* bar = new TkvScrollBar(Form);
  bar->SetParent(Form);
  bar->GetLookAndFeel()->SetSkinName(Skin);
  bar->SetBounds(8, top + 28, 220, 17);
}

void CopyWindow(HWND Window, HDC To, Integer X, Integer Y) {
  RECT r{};
  GetWindowRect(Window, &r);
  HDC dc = GetWindowDC(Window);
  BitBlt(To, X, Y, r.Width(), r.Height(), dc, 0, 0, SRCCOPY);
  ReleaseDC(Window, dc);
}

}  // namespace

TEST(SkinFormsSheet, EverySkinOnARealForm) {
  const char* root = std::getenv("TAVREN_TEST_OUTPUT");
  if (!root || !*root) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  TkvExtendedStylePainters* registry = ExtendedStylePaintersInstance();
  ASSERT_EQ(registry->GetCount(), 21);
  TSkinByCaption chooser;
  auto* controller = new TqzSkinController(nullptr);
  controller->SetSkinName("Skin13");
  controller->SetOnSkinForm(TqzSkinFormEvent::Of<&TSkinByCaption::SkinForm>(&chooser));
  constexpr Integer columns = 4, tileWidth = 250, tileHeight = 200;
  const Integer rows = (registry->GetCount() + columns - 1) / columns;
  SkinSurface sheet(columns * tileWidth + 10, rows * tileHeight + 456, RGB(0x9A, 0xA0, 0xA6));
  std::vector<TForm*> forms;
  for (Integer i = 0; i < registry->GetCount(); ++i) {
    auto* form = new TSkinShotForm(nullptr, 0);
    form->SetCaption(registry->PainterNameAt(i));
    form->SetBounds(20, 20, tileWidth - 10, tileHeight - 10);
    form->Show();
    AddControls(form, registry->PainterNameAt(i));
    forms.push_back(form);
  }
  auto* main = new TSkinShotForm(nullptr, 0);
  main->SetCaption("Skin13");
  main->SetBounds(20, 20, 741, 436);
  main->Show();
  AddControls(main, "Skin13");
  // The main window's size also shows the skin's window scroll bars.
  HWND mainWindow = main->GetHandle();
  SetWindowLong(mainWindow, GWL_STYLE, GetWindowLong(mainWindow, GWL_STYLE) | WS_VSCROLL | WS_HSCROLL);
  SCROLLINFO range;
  range.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  range.nMin = 0;
  range.nMax = 99;
  range.nPage = 30;
  range.nPos = 20;
  FormSetScrollInfo(mainWindow, SB_VERT, &range, FALSE);
  FormSetScrollInfo(mainWindow, SB_HORZ, &range, FALSE);
  SetWindowPos(mainWindow, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  forms.push_back(main);
  PumpAll();
  for (Integer i = 0; i < registry->GetCount(); ++i) {
    // The third form is drawn as an inactive window.
    if (i == 2) SendMessage(forms[i]->GetHandle(), WM_NCACTIVATE, FALSE, 0);
    RedrawWindow(forms[i]->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    CopyWindow(forms[i]->GetHandle(), sheet.DC(), 5 + i % columns * tileWidth, 5 + i / columns * tileHeight);
  }
  RedrawWindow(main->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  CopyWindow(main->GetHandle(), sheet.DC(), 5, 10 + rows * tileHeight);
  for (TForm* form : forms) delete form;
  delete controller;

  const std::filesystem::path folder = std::filesystem::path(root) / "skins";
  std::filesystem::create_directories(folder);
  sheet.bitmap.MakeOpaque();
  TqzPNGImage picture;
  picture.SetBitmap(&sheet.bitmap);
  TFileStream out((folder / "skins-forms.png").string(), fmCreate);
  picture.SaveToStream(&out);
}
