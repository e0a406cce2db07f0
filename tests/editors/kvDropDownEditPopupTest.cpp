#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>

#include "EditorsTestSupport.h"
#include "gdi/SysMetrics.h"
#include "gdi/UxTheme.h"
#include "toolkit/editors/kvDropDownEdit.h"
#include "user/Input.h"
#include "user/Rects.h"
#include "vcl/Graphics.h"
#include "vcl/StdCtrls.h"

namespace {

// An editor that owns an edit popup and answers it as a drop-down editor does: it records what
// the popup reports and closes it on EndPopup.
class TPopupOwner : public TTestContainer, public IkvEditPopupOwner {
 public:
  explicit TPopupOwner(TComponent* AOwner) : TTestContainer(AOwner) {
    popup = new TkvCustomEditPopupWindow(this);
    popup->SetCaptureFocus(false);
  }
  ~TPopupOwner() override { delete popup; }

  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }

  TRect PopupOwnerBounds() override { return GetBoundsRect(); }
  void MeasurePopupContent(Integer& Width, Integer& Height) override {
    Width = content.cx;
    Height = content.cy;
  }
  void PositionPopupContent(const TRect& R) override {
    placed = R;
    if (list) list->SetBounds(R.Left, R.Top, R.Width(), R.Height());
  }
  void EndPopup(Integer Reason) override {
    reasons.push_back(Reason);
    popup->Dismiss();
  }
  void ReleasePopup() override { ++releases; }
  bool PopupUsesNativeTheme() override { return false; }
  TkvLookAndFeelKind PopupControlsLookAndFeelKind() override { return kind; }
  TkvCustomLookAndFeelPainterClass PopupSkinPainter() override { return nullptr; }
  bool PopupClampsToWorkArea() override { return true; }
  bool PopupShowsLookupList() override { return rowHeight > 0; }
  bool PopupListResizable(TSize& ContentSize, const TSize& MaxContentSize) override {
    // Whole rows of the list, within the room there is.
    ContentSize.cy = std::min(ContentSize.cy, MaxContentSize.cy) / rowHeight * rowHeight;
    return true;
  }
  void PopupSizeChangedByUser() override { ++userSizings; }

  void Open() {
    popup->SetOwnerParent(GetParent());
    popup->Present(nullptr);
  }
  void AddList(const std::vector<const char*>& Items) {
    list = new TListBox(popup);
    list->SetParent(popup);
    for (const char* item : Items) list->GetItems()->Add(item);
  }

  TkvCustomEditPopupWindow* popup = nullptr;
  TListBox* list = nullptr;
  TSize content{120, 80};
  TkvLookAndFeelKind kind = lfStandard;
  Integer rowHeight = 0;
  TRect placed;
  std::vector<Integer> reasons;
  Integer releases = 0;
  Integer userSizings = 0;
};

Integer PanelHeight() { return std::max(GetSystemMetrics(SM_CYHSCROLL), GetSystemMetrics(SM_CYSIZE)); }

COLORREF Rgb(TColor Color) { return ColorToRGB(Color); }

// A view info painted alone on a bitmap, for probes of its pixels.
struct Painted {
  explicit Painted(TkvCustomEditPopupWindowViewInfo& Info, Integer W = 80, Integer H = 60) {
    Info.Bounds = TRect(0, 0, W, H);
    Info.Calculate();
    bitmap.SetSize(W, H);
    TkvCanvas canvas(bitmap.GetCanvas());
    canvas.FillWithColor(TRect(0, 0, W, H), clFuchsia);
    Info.Draw(&canvas);
  }
  COLORREF At(Integer X, Integer Y) { return ColorToRGB(bitmap.GetCanvas()->GetPixel(X, Y)); }
  // How many pixels of a rectangle differ from a colour.
  Integer CountOtherThan(const TRect& R, TColor Color) {
    Integer n = 0;
    for (Integer y = R.Top; y < R.Bottom; ++y)
      for (Integer x = R.Left; x < R.Right; ++x) n += At(x, y) != Rgb(Color) ? 1 : 0;
    return n;
  }
  TBitmap bitmap;
};

class EditPopup : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    form->SetBounds(100, 100, 400, 300);
    editor = new TPopupOwner(form);
    editor->SetParent(form);
    editor->SetBounds(20, 30, 150, 21);
    form->Show();
    Pump();
  }
  TkvCustomEditPopupWindow* Popup() { return editor->popup; }
  // A sizeable 200 x 120 popup with a single frame and a system panel with its close button.
  TkvCustomEditPopupWindow* PanelPopup() {
    TkvCustomEditPopupWindow* popup = Popup();
    popup->SetBorderStyle(epbsSingle);
    popup->SetSizeable(true);
    popup->SetSysPanelStyle(true);
    popup->SetShowCloseButton(true);
    popup->SetPopupWidth(200);
    popup->SetPopupHeight(120);
    return popup;
  }
  TRect PopupRect() { return Popup()->GetBoundsRect(); }
  void Send(UINT Message, WPARAM WParam, Integer X, Integer Y) {
    SendMessage(Popup()->GetHandle(), Message, WParam, MAKELPARAM(static_cast<WORD>(X), static_cast<WORD>(Y)));
  }
  // A left-button drag in popup coordinates, the moves reported against the window as it stands.
  void Drag(TPoint From, TPoint To) {
    Send(WM_LBUTTONDOWN, MK_LBUTTON, From.X, From.Y);
    Send(WM_MOUSEMOVE, MK_LBUTTON, To.X, To.Y);
    Send(WM_LBUTTONUP, 0, To.X, To.Y);
    Pump();
  }

  TPopupOwner* editor = nullptr;
};

TEST_F(EditPopup, OpensBesideItsEditorWithTheGripAwayFromIt) {
  struct Case {
    const char* name;
    TRect form;
    TRect editor;
    TSize content;
    bool shadow;
    TPoint expected;  // screen top-left of the popup
    Byte grip;
  };
  const Case kCases[] = {
      {"below, at the editor's left edge", {100, 100, 500, 400}, {20, 30, 170, 51}, {120, 80}, false, {120, 151}, 3},
      {"pushed left by the work area's right edge", {1100, 100, 1280, 400}, {100, 30, 160, 51}, {200, 80}, false,
       {1280 - 200, 151}, 2},
      {"above, near the work area's bottom", {100, 900, 500, 1000}, {20, 60, 170, 81}, {120, 100}, false,
       {120, 960 - 100}, 1},
      {"above with a shadow, 3 pixels lower", {100, 900, 500, 1000}, {20, 60, 170, 81}, {120, 100}, true,
       {120, 960 - 103 + 3}, 1},
      {"above and pushed left", {1100, 900, 1280, 1000}, {100, 60, 160, 81}, {200, 100}, false, {1080, 860}, 0},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    form->SetBounds(c.form.Left, c.form.Top, c.form.Width(), c.form.Height());
    editor->SetBounds(c.editor.Left, c.editor.Top, c.editor.Width(), c.editor.Height());
    editor->content = c.content;
    Popup()->SetAutoSize(true);
    Popup()->SetShadow(c.shadow);
    editor->Open();
    Pump();
    EXPECT_EQ(PopupRect().TopLeft(), c.expected);
    EXPECT_EQ(Popup()->GetEditViewInfo()->GripCorner, c.grip);
    Popup()->Dismiss();
  }
}

TEST_F(EditPopup, SizeFollowsContentOrSettingsAndNeverGoesBelowTheMinimum) {
  struct Case {
    const char* name;
    bool autoSize;
    Integer popupWidth, popupHeight, minWidth, minHeight;
    bool shadow, sysPanel;
    TSize expected;
  };
  const Integer h = PanelHeight();
  const Integer minimumWidth = 2 + (h - 4) + (h - 2) + 10;
  const Case kCases[] = {
      {"content plus the frame", true, 0, 0, 0, 0, false, false, {122, 82}},
      {"content, frame and shadow", true, 0, 0, 0, 0, true, false, {125, 85}},
      {"the editor's width without a size", false, 0, 0, 0, 0, false, false, {150, 2}},
      {"the editor's width includes the shadow", false, 0, 50, 0, 0, true, false, {150, 50}},
      {"the size asked for", false, 90, 70, 0, 0, false, false, {90, 70}},
      {"at least the user's minimum", false, 90, 70, 130, 110, false, false, {130, 110}},
      {"the minimum with a system panel", false, 10, 10, 0, 0, false, true, {minimumWidth, 2 + h + 1}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    TkvCustomEditPopupWindow* popup = Popup();
    popup->SetBorderStyle(epbsSingle);
    popup->SetAutoSize(c.autoSize);
    popup->SetPopupWidth(c.popupWidth);
    popup->SetPopupHeight(c.popupHeight);
    popup->SetMinWidth(c.minWidth);
    popup->SetMinHeight(c.minHeight);
    popup->SetSizeable(true);
    popup->SetShadow(c.shadow);
    popup->SetSysPanelStyle(c.sysPanel);
    popup->SetShowCloseButton(c.sysPanel);
    editor->Open();
    Pump();
    EXPECT_EQ(popup->GetWidth(), c.expected.cx);
    EXPECT_EQ(popup->GetHeight(), c.expected.cy);
    // A size the user asks for later is held to the same minimum.
    popup->SetBounds(popup->GetLeft(), popup->GetTop(), 1, 1);
    EXPECT_EQ(popup->GetWidth(), std::max({popup->MinimumSize().cx, c.minWidth, 1}));
    popup->Dismiss();
  }
}

TEST_F(EditPopup, SizingHitTestAnswersTheGripCellAndTheBandsOnItsSide) {
  TkvCustomEditPopupWindowViewInfo info;
  info.Sizeable = info.SysPanelStyle = info.ShowCloseButton = true;
  info.PopupBorderStyle = epbsSingle;
  info.Bounds = TRect(0, 0, 200, 150);
  const Integer zone = PanelHeight();
  struct Case {
    Byte grip;
    TPoint point;
    bool answers;
    TPoint direction;
  };
  const Case kCases[] = {
      {3, {195, 145}, true, {1, 1}},    // the grip cell
      {3, {199, 20}, true, {1, 0}},     // the right band, outside the inner area
      {3, {20, 149}, true, {0, 1}},     // the bottom band
      {3, {0, 20}, true, {0, 0}},       // the left frame: no direction
      {3, {100, 60}, false, {0, 0}},    // inside
      {3, {250, 60}, false, {0, 0}},    // outside the window
      {0, {4, 4}, true, {-1, -1}},      // the grip at the top-left
      {0, {0, 100}, true, {-1, 0}},
      {0, {199, 100}, true, {0, 0}},
      {2, {4, 145}, true, {-1, 1}},
      {1, {195, 4}, true, {1, -1}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << int(c.grip) << " " << c.point.X << "," << c.point.Y);
    info.GripCorner = c.grip;
    info.Calculate();
    EXPECT_EQ(info.SizingZone, zone);
    TPoint direction(9, 9);
    EXPECT_EQ(info.SizingPointAt(c.point.X, c.point.Y, direction), c.answers);
    if (c.answers) {
      EXPECT_EQ(direction, c.direction);
    }
  }
  info.Sizeable = false;
  TPoint direction;
  EXPECT_FALSE(info.SizingPointAt(195, 145, direction));
}

TEST_F(EditPopup, DraggingResizesOnlyAgainstTheGripAndStaysOverTheEditorAndTheWorkArea) {
  TkvCustomEditPopupWindow* popup = PanelPopup();

  // Below the editor, grip at the bottom-right: the grip grows the popup.
  editor->Open();
  Pump();
  TRect before = PopupRect();
  Drag(TPoint(195, 115), TPoint(235, 145));
  EXPECT_EQ(PopupRect(), TRect(before.Left, before.Top, before.Right + 40, before.Bottom + 30));
  EXPECT_EQ(editor->userSizings, 1);
  EXPECT_FALSE(EditPopupSizing());
  EXPECT_EQ(popup->GetSizeFrame(), nullptr);
  EXPECT_EQ(editor->placed, popup->GetEditViewInfo()->ClientRect);

  // The left edge lies opposite the grip: dragging it changes nothing.
  before = PopupRect();
  Drag(TPoint(0, 60), TPoint(-40, 60));
  EXPECT_EQ(PopupRect(), before);

  // Beyond the work area's bottom the popup stops at it.
  Drag(TPoint(before.Width() - 5, before.Height() - 5), TPoint(before.Width() - 5, 1200));
  EXPECT_EQ(PopupRect().Bottom, 1024);
  popup->Dismiss();

  // Pushed left of a narrow editor by the right edge, grip at the bottom-left: shrinking it
  // toward the right keeps one column over the editor.
  form->SetBounds(1100, 100, 180, 300);
  editor->SetBounds(100, 30, 60, 21);
  popup->SetPopupWidth(300);
  popup->SetSysPanelStyle(false);  // no grip cell or close button to keep it wide
  editor->Open();
  Pump();
  ASSERT_EQ(popup->GetEditViewInfo()->GripCorner, 2);
  const TRect owner = popup->OwnerScreenBounds();
  Drag(TPoint(0, 60), TPoint(290, 60));
  EXPECT_EQ(PopupRect().Left, owner.Right - 1);
  EXPECT_EQ(PopupRect().Right, 1280);
}

TEST_F(EditPopup, UserSizingSnapsToTheListRows) {
  TkvCustomEditPopupWindow* popup = Popup();
  popup->SetBorderStyle(epbsSingle);
  popup->SetSizeable(true);
  popup->SetPopupWidth(200);
  popup->SetPopupHeight(122);
  editor->rowHeight = 16;
  editor->Open();
  Pump();
  // 122 - 2 = 120 of content: 7 whole rows.
  popup->SetBounds(popup->GetLeft(), popup->GetTop(), 200, 122);
  popup->SetBounds(popup->GetLeft(), popup->GetTop(), 200, 100);
  EXPECT_EQ(popup->GetHeight(), 2 + 6 * 16);
  // The editor's own sizing is not corrected.
  popup->SetCalculating(true);
  popup->SetBounds(popup->GetLeft(), popup->GetTop(), 200, 77);
  EXPECT_EQ(popup->GetHeight(), 77);
}

TEST_F(EditPopup, MaxContentSizeIsTheLargerRoomBesideTheEditor) {
  TkvCustomEditPopupWindow* popup = Popup();
  popup->SetBorderStyle(epbsSingle);
  popup->SetOwnerParent(form);
  // The editor spans screen rows 130..151 and columns 120..270.
  EXPECT_EQ(popup->MaxContentSize(), (TSize{1280 - 2, 1024 - 151 - 2}));
  popup->SetShadow(true);
  EXPECT_EQ(popup->MaxContentSize(), (TSize{1280 - 5, 1024 - 151 - 5}));
  popup->SetDirection(0);
  EXPECT_EQ(popup->MaxContentSize(), (TSize{1280 - 270 + 1 - 5, 1024 - 5}));
  // Never below nothing.
  form->SetBounds(100, 1020, 400, 300);
  popup->SetDirection(1);
  popup->SetShadow(false);
  editor->SetBounds(20, 0, 150, 2);
  EXPECT_GE(popup->MaxContentSize().cy, 0);
}

TEST_F(EditPopup, FramesOfEachStyleAndClientEdge) {
  struct Case {
    const char* name;
    TkvEditPopupBorderStyle style;
    bool clientEdge, native;
    std::vector<TColor> rings;  // the colours from the outer edge inward, on the top-left
  };
  const Case kCases[] = {
      {"default", epbsDefault, false, false, {clBtnFace}},
      {"single", epbsSingle, false, false, {clBtnText, clBtnFace}},
      {"single, client edge", epbsSingle, true, false, {clBtnText, clBtnShadow, cl3DDkShadow, clBtnFace}},
      {"3-D", epbsFrame3D, false, false, {cl3DLight, clBtnHighlight, clBtnFace, clBtnShadow, clBtnFace}},
      {"3-D, client edge", epbsFrame3D, true, false,
       {cl3DLight, clBtnHighlight, clInactiveBorder, clBtnFace, clBtnShadow, cl3DDkShadow, clBtnFace}},
      {"flat", epbsFlat, false, false, {cl3DLight, clBtnHighlight, clBtnFace}},
      {"flat, client edge", epbsFlat, true, false, {cl3DLight, clBtnHighlight, clBtnShadow, clBtnFace}},
      {"native", epbsFrame3D, false, true, {clBtnText, clBtnFace}},
      {"native, client edge", epbsFlat, true, true, {clBtnText, clBtnShadow, cl3DDkShadow, clBtnFace}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    TkvCustomEditPopupWindowViewInfo info;
    info.PopupBorderStyle = c.style;
    info.ClientEdge = c.clientEdge;
    info.NativeStyle = c.native;
    Painted painted(info);
    for (size_t i = 0; i < c.rings.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(painted.At(static_cast<Integer>(i), static_cast<Integer>(i)), Rgb(c.rings[i]));
    }
    TRect margins;
    info.ClientMargins(margins);
    EXPECT_EQ(margins.Left, static_cast<Integer>(c.rings.size()) - 1);
  }
  // The popup editor's 3-D frame has the client-edge look without one.
  TkvPopupEditPopupWindowViewInfo popupEdit;
  popupEdit.PopupBorderStyle = epbsFrame3D;
  Painted painted(popupEdit);
  EXPECT_EQ(painted.At(2, 2), Rgb(clInactiveBorder));
  EXPECT_EQ(painted.At(3, 3), Rgb(clBtnFace));
}

TEST_F(EditPopup, ShadowAndSystemPanelPaintWhereTheLayoutPutsThem) {
  TkvCustomEditPopupWindowViewInfo info;
  info.PopupBorderStyle = epbsSingle;
  info.Shadow = true;
  info.SysPanelStyle = info.Sizeable = info.ShowCloseButton = true;
  const Integer h = PanelHeight();
  for (Byte corner = 0; corner < 4; ++corner) {
    SCOPED_TRACE(int(corner));
    info.GripCorner = corner;
    Painted painted(info, 120, 90);
    // The shadow: right and bottom strips, the frame inside them.
    EXPECT_EQ(painted.At(118, 50), Rgb(clBtnShadow));
    EXPECT_EQ(painted.At(60, 88), Rgb(clBtnShadow));
    EXPECT_EQ(painted.At(116, 50), Rgb(clBtnText));
    EXPECT_EQ(painted.At(118, 1), Rgb(clFuchsia));  // the corner the region leaves out
    // The panel and the separator line on the grip's side.
    const TRect& client = info.ClientRect;
    if (info.PanelAtTop()) {
      EXPECT_EQ(client.Top, 1 + h + 1);
      EXPECT_EQ(painted.At(40, client.Top - 1), Rgb(clBtnText));
    } else {
      EXPECT_EQ(client.Bottom, 90 - 3 - 1 - h - 1);
      EXPECT_EQ(painted.At(40, client.Bottom), Rgb(clBtnText));
    }
    // The grip glyph lies toward its corner, the close button at the other end.
    const TRect& grip = info.GripRect;
    const TRect outer = ::Bounds(info.GripAtLeft() ? grip.Left : grip.Right - 6,
                                 info.PanelAtTop() ? grip.Top : grip.Bottom - 6, 6, 6);
    const TRect inner = ::Bounds(info.GripAtLeft() ? grip.Right - 5 : grip.Left,
                                 info.PanelAtTop() ? grip.Bottom - 5 : grip.Top, 5, 5);
    EXPECT_GT(painted.CountOtherThan(outer, clBtnFace), 0);
    EXPECT_EQ(painted.CountOtherThan(inner, clBtnFace), 0);
    EXPECT_EQ(info.GripAtLeft(), info.CloseButtonRect.Left > 60);
    EXPECT_GT(painted.CountOtherThan(info.CloseButtonRect, clBtnFace), 0);
  }
}

// A skin in flat colours: a teal frame, a pale window, a dark grip at the bottom-right corner of
// its rectangle, and close buttons coloured by their state.
class TFlatSkinPainter : public TkvStandardLookAndFeelPainter {
 public:
  TColor ContainerFrameColor(bool) override { return static_cast<TColor>(0x808000); }
  void PaintWindowContent(TkvCanvas* Canvas, const TRect& R) override {
    Canvas->FillWithColor(R, static_cast<TColor>(0xF0F8FF));
  }
  void PaintSizeGrip(TkvCanvas* Canvas, const TRect& R, TColor) override {
    Canvas->FillWithColor(TRect(R.Right - 4, R.Bottom - 4, R.Right, R.Bottom), static_cast<TColor>(0x202020));
  }
  void PaintEditButton(TkvCanvas* Canvas, const TRect& R, Integer Kind, TkvButtonState State) override {
    if (Kind == 0) Canvas->FillWithColor(R, static_cast<TColor>(0x000010 * State));
  }
};

TEST_F(EditPopup, SkinnedFramesTakeTheSkinsColoursAndParts) {
  TkvCustomEditPopupWindowViewInfo info;
  info.SkinPainter = PainterClassOf<TFlatSkinPainter>();
  info.PopupBorderStyle = epbsFrame3D;  // a skin draws its own one-pixel frame whatever the style
  info.SysPanelStyle = info.Sizeable = info.ShowCloseButton = true;
  info.CloseButtonState = 2;
  info.GripCorner = 0;
  Painted painted(info, 120, 90);
  EXPECT_EQ(painted.At(0, 50), 0x808000u);
  EXPECT_EQ(painted.At(60, 60), 0xF0F8FFu);
  // The separator under the panel at the top, in the frame colour.
  EXPECT_EQ(painted.At(60, info.ClientRect.Top - 1), 0x808000u);
  // The grip mirrored into the top-left corner.
  EXPECT_EQ(painted.At(info.GripRect.Left, info.GripRect.Top), 0x202020u);
  EXPECT_EQ(painted.At(info.GripRect.Right - 1, info.GripRect.Bottom - 1), 0xF0F8FFu);
  EXPECT_EQ(painted.At(info.CloseButtonRect.Left + 2, info.CloseButtonRect.Top + 2), 0x000020u);
}

TEST_F(EditPopup, CloseButtonPaintsEachState) {
  TkvCustomEditPopupWindowViewInfo info;
  info.PopupBorderStyle = epbsSingle;
  info.SysPanelStyle = info.ShowCloseButton = true;
  info.LookAndFeelKind = lfUltraFlat;  // the standard look shows no hot state
  std::map<Byte, std::vector<COLORREF>> looks;
  for (Byte state = 1; state <= 3; ++state) {
    info.CloseButtonState = state;
    Painted painted(info);
    const TRect& r = info.CloseButtonRect;
    ASSERT_FALSE(IsRectEmpty(&r));
    for (Integer y = r.Top; y < r.Bottom; ++y)
      for (Integer x = r.Left; x < r.Right; ++x) looks[state].push_back(painted.At(x, y));
  }
  EXPECT_NE(looks[1], looks[2]);
  EXPECT_NE(looks[2], looks[3]);
  EXPECT_NE(looks[1], looks[3]);
}

// Visual styles in use: a 21-pixel close button, an 18-pixel size box; every drawing is recorded.
class PanelTheme : public ThemeProvider {
 public:
  struct Drawn {
    int part, state;
    TRect rect;
  };
  BOOL IsThemeActive() override { return TRUE; }
  BOOL IsAppThemed() override { return TRUE; }
  HTHEME OpenThemeData(HWND, const char16_t*) override { return reinterpret_cast<HTHEME>(1); }
  HRESULT CloseThemeData(HTHEME) override { return S_OK; }
  HRESULT GetThemePartSize(HTHEME, HDC, int Part, int, const RECT*, THEMESIZE, SIZE* Size) override {
    *Size = Part == 18 ? SIZE{21, 21} : SIZE{18, 18};
    return S_OK;
  }
  HRESULT DrawThemeBackground(HTHEME, HDC, int Part, int State, const RECT* R, const RECT*) override {
    drawn.push_back({Part, State, TRect(R->Left, R->Top, R->Right, R->Bottom)});
    return S_OK;
  }
  std::vector<Drawn> drawn;
};

TEST_F(EditPopup, NativePanelTakesTheThemesPartsAndStates) {
  PanelTheme theme;
  SetThemeProvider(&theme);
  SendMessage(HWND_BROADCAST, WM_THEMECHANGED, 0, 0);
  TkvCustomEditPopupWindowViewInfo info;
  info.NativeStyle = info.SysPanelStyle = info.Sizeable = info.ShowCloseButton = true;
  info.CloseButtonState = 2;
  Painted painted(info, 200, 120);
  EXPECT_EQ(info.SysPanelHeight, 21);
  EXPECT_EQ(info.CloseButtonThemeState, 2);
  // Centred in the band at the bottom, at the end away from the grip.
  EXPECT_EQ(info.CloseButtonRect, ::Bounds(info.InnerRect.Left + 1, info.InnerRect.Bottom - 21, 21, 21));
  // The grip cell holds the size box and its margin.
  EXPECT_EQ(info.GripCellRect.Width(), 20);
  auto drew = [&](int Part, int State) {
    return std::any_of(theme.drawn.begin(), theme.drawn.end(),
                       [&](const PanelTheme::Drawn& d) { return d.part == Part && d.state == State; });
  };
  EXPECT_TRUE(drew(18, 2));  // the hot close button
  EXPECT_TRUE(drew(10, 1));  // the size box
  SetThemeProvider(nullptr);
  SendMessage(HWND_BROADCAST, WM_THEMECHANGED, 0, 0);
}

TEST_F(EditPopup, CloseButtonPressedAndReleasedElsewhereClosesWithNoReason) {
  TkvCustomEditPopupWindow* popup = PanelPopup();
  editor->Open();
  Pump();
  const TRect button = popup->GetEditViewInfo()->CloseButtonRect;
  const TPoint center((button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2);
  Send(WM_MOUSEMOVE, 0, center.X, center.Y);
  EXPECT_EQ(popup->GetEditViewInfo()->CloseButtonState, 2);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, center.X, center.Y);
  EXPECT_EQ(popup->GetEditViewInfo()->CloseButtonState, 3);
  Send(WM_LBUTTONUP, 0, 150, 40);
  Pump();
  EXPECT_EQ(editor->reasons, std::vector<Integer>{pcrNone});
  EXPECT_FALSE(IsVisiblePopup(popup));
}

TEST_F(EditPopup, ModalResultsCloseWithTheirReasons) {
  const std::pair<TModalResult, Integer> kCases[] = {{mrOk, pcrAccept}, {mrCancel, pcrCancel}, {mrYes, pcrNone}};
  for (const auto& [result, reason] : kCases) {
    SCOPED_TRACE(result);
    editor->reasons.clear();
    editor->Open();
    Popup()->SetModalResult(result);
    Popup()->CloseForModalResult();
    EXPECT_EQ(editor->reasons, std::vector<Integer>{reason});
  }
}

TEST_F(EditPopup, AFocusTakingPopupsLoopClosesWithTheModalResultsReason) {
  Popup()->SetCaptureFocus(true);
  ScriptedSteps steps;
  steps.Add(50, [&] { Popup()->SetModalResult(mrOk); });
  editor->Open();  // returns once the loop has seen the popup closed
  EXPECT_EQ(editor->reasons, std::vector<Integer>{pcrAccept});
  EXPECT_FALSE(IsVisiblePopup(Popup()));
}

TEST_F(EditPopup, AFocusTakingPopupsLoopEndsWhenAHandlerFreesTheEditor) {
  Popup()->SetCaptureFocus(true);
  ScriptedSteps steps;
  TPopupOwner* doomed = editor;
  steps.Add(50, [&] {
    delete editor;
    editor = nullptr;
  });
  doomed->Open();
  EXPECT_EQ(editor, nullptr);
  EXPECT_EQ(VisiblePopupCount(), 0);
}

// A quit request ends the application for good, so it runs in a process of its own.
TEST_F(EditPopup, AFocusTakingPopupsLoopEndsOnAQuitRequestAndLeavesItToTheApplication) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        Popup()->SetCaptureFocus(true);
        ScriptedSteps steps;
        steps.Add(50, [] { PostQuitMessage(3); });
        editor->Open();  // returns once the loop has met the quit request
        // Straight out: the process's own end would tear down what the parent process still owns.
        std::_Exit(Application()->GetTerminated() && editor->reasons.empty() ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

TEST_F(EditPopup, ReplayedCharactersReachTheFocusOnlyWhileShown) {
  editor->AddList({"one"});
  auto* edit = new TEdit(Popup());
  edit->SetParent(Popup());
  Popup()->SetCaptureFocus(false);
  editor->Open();
  Pump();
  edit->SetFocus();
  PostMessage(Popup()->GetHandle(), KVM_POPUPREPLAYCHAR, 'x', 0);
  Pump();
  EXPECT_EQ(edit->GetText(), "x");
  Popup()->Dismiss();
  PostMessage(Popup()->GetHandle(), KVM_POPUPREPLAYCHAR, 'y', 0);
  Pump();
  EXPECT_EQ(edit->GetText(), "x");
}

TEST_F(EditPopup, AResizeEndsCleanlyWhenTheCaptureOrThePopupGoes) {
  TkvCustomEditPopupWindow* popup = PanelPopup();
  editor->Open();
  Pump();
  const TRect before = PopupRect();
  // Another window takes the capture mid-resize: no size is applied and nothing stays behind.
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 195, 115);
  Send(WM_MOUSEMOVE, MK_LBUTTON, 230, 140);
  ASSERT_TRUE(EditPopupSizing());
  ASSERT_NE(popup->GetSizeFrame(), nullptr);
  SetCapture(form->GetHandle());
  EXPECT_FALSE(EditPopupSizing());
  EXPECT_EQ(popup->GetSizeFrame(), nullptr);
  ReleaseCapture();
  Send(WM_LBUTTONUP, 0, 230, 140);
  EXPECT_EQ(PopupRect(), before);

  // Esc releases the capture the same way.
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 195, 115);
  ASSERT_TRUE(EditPopupSizing());
  Send(WM_KEYDOWN, VK_ESCAPE, 0, 0);
  EXPECT_FALSE(EditPopupSizing());

  // Closed mid-resize.
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 195, 115);
  ASSERT_TRUE(EditPopupSizing());
  popup->Dismiss();
  EXPECT_FALSE(EditPopupSizing());
  EXPECT_EQ(popup->GetSizeFrame(), nullptr);

  // Freed mid-resize: the next popup starts clean.
  editor->Open();
  Pump();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 195, 115);
  ASSERT_TRUE(EditPopupSizing());
  delete editor;
  editor = nullptr;
  EXPECT_FALSE(EditPopupSizing());
}

TEST_F(EditPopup, RegionLeavesTheShadowCornersAndTheEditorOut) {
  TkvCustomEditPopupWindow* popup = Popup();
  popup->SetBorderStyle(epbsSingle);
  popup->SetShadow(true);
  popup->SetPopupWidth(200);
  popup->SetPopupHeight(100);
  editor->Open();
  Pump();
  HWND window = popup->GetHandle();
  EXPECT_TRUE(InWindowRegion(window, 198, 50));   // the shadow at the right
  EXPECT_FALSE(InWindowRegion(window, 198, 1));   // the corner above it
  EXPECT_FALSE(InWindowRegion(window, 1, 98));    // the corner left of the bottom shadow
  popup->Dismiss();

  // Opened above the editor: the bottom shadow does not cover the editor.
  form->SetBounds(100, 900, 400, 100);
  editor->SetBounds(20, 60, 150, 21);
  editor->Open();
  Pump();
  ASSERT_EQ(popup->GetEditViewInfo()->GripCorner, 1);
  EXPECT_FALSE(InWindowRegion(window, 60, 98));
  EXPECT_TRUE(InWindowRegion(window, 60, 96));
}

TEST_F(EditPopup, AnOwnerThatIsNotVisibleReleasesThePopupInsteadOfShowingIt) {
  editor->SetVisible(false);
  editor->Open();
  EXPECT_EQ(editor->releases, 1);
  EXPECT_FALSE(IsVisiblePopup(Popup()));
}

// A picture for a person to look at: the popup frames in each border style with and without a
// client edge, with a shadow, with a system panel below and above, and in the native style.
TEST_F(EditPopup, SheetOfFramesScreenshot) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  mkdir(output, 0755);
  delete editor;
  editor = nullptr;
  form->SetBounds(0, 0, 1280, 1024);
  struct Frame {
    const char* caption;
    TkvEditPopupBorderStyle style;
    bool clientEdge, shadow, panel, native;
    TkvLookAndFeelKind kind;
  };
  const Frame kFrames[] = {
      {"Default", epbsDefault, false, false, false, false, lfStandard},
      {"Single", epbsSingle, false, false, false, false, lfStandard},
      {"Frame3D", epbsFrame3D, false, false, false, false, lfStandard},
      {"Flat", epbsFlat, false, false, false, false, lfFlat},
      {"Default, client edge", epbsDefault, true, false, false, false, lfStandard},
      {"Single, client edge", epbsSingle, true, false, false, false, lfStandard},
      {"Frame3D, client edge", epbsFrame3D, true, false, false, false, lfStandard},
      {"Flat, client edge", epbsFlat, true, false, false, false, lfFlat},
      {"Single, shadow", epbsSingle, false, true, false, false, lfStandard},
      {"System panel (Single)", epbsSingle, true, false, true, false, lfStandard},
      {"System panel (Frame3D, UltraFlat)", epbsFrame3D, false, false, true, false, lfUltraFlat},
      {"Native, system panel", epbsDefault, true, false, true, true, lfOffice11},
  };
  const std::vector<const char*> kItems = {"Windows Media Video 9", "Windows Media Video 8", "Windows Media Video 7",
                                           "MP3 audio", "Windows Media Audio 2", "Same as source"};
  std::vector<TPopupOwner*> editors;
  for (size_t i = 0; i < std::size(kFrames); ++i) {
    const Frame& f = kFrames[i];
    // Two rows open below their editors; the last opens above, near the work area's bottom.
    const Integer left = 20 + static_cast<Integer>(i % 4) * 310;
    const bool above = i >= 8;
    const Integer top = above ? 960 : 40 + static_cast<Integer>(i / 4) * 240;
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetCaption(f.caption);
    label->SetBounds(left, above ? top + 26 : top - 20, 280, 16);
    auto* owner = new TPopupOwner(form);
    owner->SetParent(form);
    owner->GetStyle()->SetBorderStyle(cbsSingle);
    owner->SetBounds(left, top, 200, 21);
    owner->kind = f.kind;
    owner->AddList(kItems);
    owner->list->SetItemIndex(1);
    TkvCustomEditPopupWindow* popup = owner->popup;
    popup->SetBorderStyle(f.style);
    popup->SetClientEdge(f.clientEdge);
    popup->SetShadow(f.shadow);
    popup->SetNativeStyle(f.native);
    popup->SetSysPanelStyle(f.panel);
    popup->SetSizeable(f.panel);
    popup->SetShowCloseButton(f.panel);
    popup->SetPopupWidth(260);
    popup->SetPopupHeight(f.panel ? 130 : 110);
    editors.push_back(owner);
  }
  for (TPopupOwner* owner : editors) owner->Open();
  Pump();
  EXPECT_TRUE(screen.SaveScreenPng(String(output) + "/editors-popup-frames.png"));
}

}  // namespace
