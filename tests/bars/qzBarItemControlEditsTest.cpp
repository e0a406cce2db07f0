#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "BarsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "controls/Edit.h"
#include "toolkit/bars/qzBarAccessibility.h"
#include "toolkit/bars/qzBarDockControl.h"
#include "toolkit/bars/qzBarItemControlEdits.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "user/Backend.h"
#include "user/Clock.h"
#include "user/Focus.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/Rects.h"
#include "user/VirtualKeys.h"
#include "vcl/Forms.h"

namespace {

struct TEditEvents : TObject {
  Integer changes = 0;
  Integer currentChanges = 0;
  void Changed(TObject*) { ++changes; }
  void CurrentChanged(TObject*) { ++currentChanges; }
};

// A docked toolbar holding an edit (with a caption) and a button, on a shown form that also holds
// a plain edit box to click away to.
class InPlaceEdits : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 420, 300);
    form->Show();
    bar = manager->GetBars()->AddBar();
    bar->SetCaption("Find");
    edit = new TqzBarEdit(form);
    edit->SetCaption("Find:");
    edit->SetShowCaption(true);
    edit->SetWidth(120);
    edit->SetText("start");
    edit->SetOnChange(MakeEvent<&TEditEvents::Changed>(&events));
    edit->SetOnCurChange(MakeEvent<&TEditEvents::CurrentChanged>(&events));
    bar->GetItemLinks()->AddLinkForItem(edit);
    auto* button = new TqzBarButton(form);
    button->SetCaption("Go");
    button->SetPaintStyle(psCaption);
    bar->GetItemLinks()->AddLinkForItem(button);
    bar->SetDockingStyle(dsTop);
    bar->SetVisible(true);
    Pump();
    static_cast<FakeClock&>(CurrentClock()).Advance(2000);
  }
  TqzBarEditControl* Control() { return dynamic_cast<TqzBarEditControl*>(bar->GetItemLinks()->GetLink(0)->GetControl()); }
  POINT ScreenPoint(const TRect& R) {
    TPoint p = bar->GetBarControl()->ClientToScreen(TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
    return {p.X, p.Y};
  }
  // Clicks into the edit part and types.
  void ClickAndType(const String& AText) {
    TqzBarEditControl* control = Control();
    ScriptClick(ScreenPoint(control->GetPartRects()[qzEditPart]));
    Pump();
    // In pieces, as a person types: the input queue holds a few hundred events.
    for (size_t i = 0; i < AText.size(); i += 50) {
      ScriptTypeText(AText.substr(i, 50));
      Pump();
    }
  }
  String EditorText() {
    String text;
    Control()->GetInnerText(text);
    return text;
  }

  TEditEvents events;
  TqzBar* bar = nullptr;
  TqzBarEdit* edit = nullptr;
};

TEST_F(InPlaceEdits, AClickPutsTheEditorOverTheEditPartWithTheTextSelected) {
  TqzBarEditControl* control = Control();
  ASSERT_NE(control, nullptr);
  EXPECT_FALSE(IsWindowVisible(control->GetEditWindow()));
  // Caption, then the edit part taking the item's Width.
  const std::vector<TRect>& parts = control->GetPartRects();
  EXPECT_LT(parts[qzEditCaptionPart].Left, parts[qzEditPart].Left);
  EXPECT_GT(parts[qzEditCaptionPart].Width(), 0);
  EXPECT_GE(parts[qzEditPart].Width(), 120 - 4);
  ScriptClick(ScreenPoint(parts[qzEditPart]));
  Pump();
  EXPECT_TRUE(control->GetInPlaceActive());
  EXPECT_TRUE(IsWindowVisible(control->GetEditWindow()));
  EXPECT_EQ(GetFocus(), control->GetEditWindow());
  RECT r;
  GetWindowRect(control->GetEditWindow(), &r);
  TPoint topLeft = bar->GetBarControl()->ClientToScreen(TPoint(parts[qzEditPart].Left, parts[qzEditPart].Top));
  EXPECT_EQ(r.Left, topLeft.X);
  EXPECT_EQ(r.Top, topLeft.Y);
  EXPECT_EQ(EditorText(), "start");
  DWORD selection = static_cast<DWORD>(SendMessage(control->GetEditWindow(), EM_GETSEL, 0, 0));
  EXPECT_EQ(LOWORD(selection), 0);
  EXPECT_EQ(HIWORD(selection), 5);
  // Loading the item's text was no change of the user's.
  EXPECT_EQ(events.currentChanges, 0);
  EXPECT_EQ(ActiveBarControl(), bar->GetBarControl());
}

TEST_F(InPlaceEdits, EnterKeepsAThousandCharacterTextTypedInPlaceAndClosesTheBar) {
  String typed;
  for (Integer i = 0; i < 1000; ++i) typed += static_cast<char>('a' + i % 26);
  ClickAndType(typed);
  EXPECT_EQ(EditorText(), typed);
  EXPECT_GT(events.currentChanges, 0);
  ScriptKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(edit->GetText(), typed);
  EXPECT_EQ(events.changes, 1);
  EXPECT_FALSE(Control()->GetInPlaceActive());
  EXPECT_FALSE(IsWindowVisible(Control()->GetEditWindow()));
  EXPECT_EQ(ActiveBarControl(), nullptr);
  // The Enter typed no line break into the editor.
  EXPECT_EQ(EditorText().find('\n'), String::npos);
}

// MaxLength counts bytes; a character that would not fit whole is refused whole.
TEST_F(InPlaceEdits, MaxLengthLimitsTheTextWithoutSplittingACharacter) {
  edit->SetMaxLength(4);
  bar->GetBarControl()->Rebuild();
  Pump();
  ClickAndType("\xC3\xA9t\xC3\xA9!");
  ScriptKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(edit->GetText(), "\xC3\xA9t!");
}

// A toolbar window that paints with alpha, as one drawn on glass does, and a site that makes it.
class TAlphaBarControl : public TqzBarControl {
 public:
  using TqzBarControl::TqzBarControl;
  bool RefreshesEdits() override { return true; }
};

class TAlphaDockControl : public TqzDockControl {
 public:
  using TqzDockControl::TqzDockControl;
  TqzBarControlFactory BarControlClass() override {
    return [](TComponent* AOwner, TqzBar* ABar) -> TqzBarControl* { return new TAlphaBarControl(AOwner, ABar); };
  }
};

// The share (in percent) of the editor's client pixels that the form's surface holds opaque.
Integer OpaqueShare(HWND AForm, HWND AEditor) {
  PixelSurface surface;
  if (!GetWindowSurface(AForm, &surface)) return -1;
  RECT form, client;
  GetWindowRect(AForm, &form);
  GetClientRect(AEditor, &client);
  POINT origin{0, 0};
  ClientToScreen(AEditor, &origin);
  Integer opaque = 0, all = 0;
  for (Integer y = 0; y < client.Bottom; ++y)
    for (Integer x = 0; x < client.Right; ++x) {
      Integer sx = origin.X - form.Left + x, sy = origin.Y - form.Top + y;
      if (sx < 0 || sy < 0 || sx >= surface.width || sy >= surface.height) continue;
      ++all;
      if ((surface.Row32(sy)[sx] >> 24) == 0xFF) ++opaque;
    }
  return all ? opaque * 100 / all : -1;
}

// GDI leaves alpha 0 where it draws, which glass shows through; over a window that paints with
// alpha the editor paints through a buffer made opaque, and shows its text all the same.
TEST_F(InPlaceEdits, OverAWindowThatPaintsWithAlphaTheEditorPaintsOpaqueThroughABuffer) {
  for (bool alpha : {false, true}) {
    SCOPED_TRACE(alpha ? "painting with alpha" : "plain");
    if (alpha) {
      auto* site = new TAlphaDockControl(form);
      site->SetBarManager(manager);
      site->SetAlign(alBottom);
      site->SetParent(form);
      bar->SetDockControl(site);
      Pump();
      ASSERT_NE(dynamic_cast<TAlphaBarControl*>(bar->GetBarControl()), nullptr);
    }
    ClickAndType("glass");
    Pump();
    TqzBarEditControl* control = Control();
    ASSERT_TRUE(control->GetInPlaceActive());
    EXPECT_EQ(control->GetBufferedPaint(), alpha);
    HWND editor = control->GetEditWindow();
    Integer share = OpaqueShare(form->GetHandle(), editor);
    if (alpha)
      EXPECT_GT(share, 90);
    else
      EXPECT_LT(share, 10);
    TRect ink = InkBounds(screen, bar->GetBarControl(), control->GetInnerRect());
    EXPECT_FALSE(IsRectEmpty(&ink)) << "the text shows";
    ScriptKeyPress(VK_ESCAPE);
    Pump();
  }
}

// Leaving the editor by each way, with and without AlwaysSaveText.
TEST_F(InPlaceEdits, LeavingTheEditorStoresTheTextByTheWayItEnds) {
  struct Case {
    bool alwaysSave;
    const char* way;
    bool stored;
  };
  const Case cases[] = {
      {false, "click away", false}, {true, "click away", true}, {false, "esc", false}, {true, "esc", false},
      {false, "enter", true},        {true, "enter", true},     {false, "tab", true},  {true, "tab", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(String(c.way) + (c.alwaysSave ? " saving" : ""));
    edit->SetText("start");
    manager->SetAlwaysSaveText(c.alwaysSave);
    ClickAndType("new");
    String way = c.way;
    if (way == "click away") {
      RECT r;
      GetWindowRect(form->GetHandle(), &r);
      ScriptClick({r.Left + 200, r.Bottom - 40});
    } else if (way == "esc") {
      ScriptKeyPress(VK_ESCAPE);
    } else if (way == "enter") {
      ScriptKeyPress(VK_RETURN);
    } else {
      ScriptKeyPress(VK_TAB);
    }
    Pump();
    EXPECT_EQ(edit->GetText(), c.stored ? "new" : "start");
    if (way != "tab") {
      EXPECT_FALSE(Control()->GetInPlaceActive());
      EXPECT_FALSE(IsWindowVisible(Control()->GetEditWindow()));
    }
    // Whatever happened, the bar lets go before the next round.
    if (ActiveBarControl()) ActiveBarControl()->CloseOnce();
    Pump();
    static_cast<FakeClock&>(CurrentClock()).Advance(2000);
  }
}

TEST_F(InPlaceEdits, TabMovesOnToTheNextItem) {
  ClickAndType("x");
  ScriptKeyPress(VK_TAB);
  Pump();
  EXPECT_EQ(edit->GetText(), "x");
  EXPECT_FALSE(Control()->GetInPlaceActive());
  EXPECT_EQ(bar->GetBarControl()->GetSelectedControl(), bar->GetItemLinks()->GetLink(1)->GetControl());
}

// The edit's key tip leaves keyboard navigation and puts the keyboard into the editor.
TEST_F(InPlaceEdits, TheKeyTipOfAnEditStartsEditingInPlace) {
  TqzBarControl* window = bar->GetBarControl();
  TqzBarEditControl* control = Control();
  TqzBarAccessibilityHelper* node = control->GetAccessibilityHelper();
  ASSERT_NE(dynamic_cast<TqzBarWinControlAccessibilityHelper*>(node), nullptr);
  TqzBarNavigationController* controller = NavigationControllerInstance();
  controller->EnterNavigation(BarHelperRef(window->GetAccessibilityHelper()));
  TqzBarItemControl* button = bar->GetItemLinks()->GetLink(1)->GetControl();
  controller->MoveSelection(false, BarHelperRef(button->GetAccessibilityHelper()));
  ASSERT_TRUE(controller->InNavigationMode());
  node->KeyTipExecute();
  Pump();
  EXPECT_FALSE(controller->InNavigationMode());
  EXPECT_EQ(window->GetSelectedControl(), control);
  EXPECT_TRUE(control->GetInPlaceActive());
  EXPECT_EQ(GetFocus(), control->GetEditWindow());
  // Typing goes to the item.
  ScriptTypeText("ok");
  ScriptKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(edit->GetText(), "ok");
}

TEST_F(InPlaceEdits, ReadOnlyItemsShowTheirEditorReadOnly) {
  edit->SetReadOnly(true);
  TqzBarEditControl* control = Control();
  ScriptClick(ScreenPoint(control->GetPartRects()[qzEditPart]));
  Pump();
  ASSERT_TRUE(control->GetInPlaceActive());
  EXPECT_NE(GetWindowLongPtr(control->GetEditWindow(), GWL_STYLE) & ES_READONLY, 0);
  ScriptTypeText("zz");
  ScriptKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(edit->GetText(), "start");
}

TEST_F(InPlaceEdits, TheIdleControlPaintsTheItemsTextInItsEditPart) {
  TqzBarEditControl* control = Control();
  TRect part = control->GetPartRects()[qzEditPart];
  EXPECT_TRUE(control->PaintsText());
  TRect ink = InkBounds(screen, bar->GetBarControl(), part);
  EXPECT_FALSE(IsRectEmpty(&ink));
  edit->SetText("");
  Pump();
  ink = InkBounds(screen, bar->GetBarControl(), part);
  EXPECT_TRUE(IsRectEmpty(&ink));
  // The editor in place shows what is typed over the same part.
  ClickAndType("typed");
  ink = InkBounds(screen, bar->GetBarControl(), part);
  EXPECT_FALSE(IsRectEmpty(&ink));
  const char* dir = std::getenv("TAVREN_TEST_OUTPUT");
  String folder = dir ? dir : "test-output";
  std::filesystem::create_directories(folder);
  EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), folder + "/bar-edit-in-place.png"));
}

// While customizing, pressing the selected edit's right strip and dragging resizes its edit with
// the sizing cursor; the release takes the width, a lost capture leaves it.
TEST_F(InPlaceEdits, DraggingTheSelectedEditsEdgeWhileCustomizingResizesIt) {
  manager->SetIsCustomizing(true);
  Pump();
  TqzBarControl* window = bar->GetBarControl();
  HWND handle = window->GetHandle();
  TRect r = Control()->GetItemRect();
  const Integer y = (r.Top + r.Bottom) / 2;
  auto send = [&](UINT AMessage, Integer X) { SendMessage(handle, AMessage, AMessage == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(X, y)); };
  // The first press selects the edit; the press on its strip starts the sizing.
  send(WM_LBUTTONDOWN, (r.Left + r.Right) / 2);
  send(WM_LBUTTONUP, (r.Left + r.Right) / 2);
  ASSERT_EQ(manager->GetSelectedItemControl(), Control());
  send(WM_LBUTTONDOWN, r.Right - 2);
  EXPECT_TRUE(window->IsEditSizing());
  EXPECT_EQ(GetCapture(), handle);
  TPoint onStrip = window->ClientToScreen(TPoint(r.Right - 2, y));
  SetCursorPos(onStrip.X, onStrip.Y);
  SendMessage(handle, WM_SETCURSOR, reinterpret_cast<WPARAM>(handle), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), Screen()->GetCursors(crqzBarEditSizing));
  const Integer before = Control()->ExtraWidth();
  send(WM_MOUSEMOVE, r.Right - 32);
  send(WM_LBUTTONUP, r.Right - 32);
  Pump();
  EXPECT_FALSE(window->IsEditSizing());
  EXPECT_NE(GetCapture(), handle);
  TqzBarItemLink* link = bar->GetItemLinks()->GetLink(0);
  // The edge follows the cursor: 32 pixels left of the item's right edge.
  EXPECT_EQ(link->GetUserWidth(), before - 32);
  // A sizing whose capture goes changes nothing.
  r = Control()->GetItemRect();
  send(WM_LBUTTONDOWN, r.Right - 2);
  ASSERT_TRUE(window->IsEditSizing());
  send(WM_MOUSEMOVE, r.Right + 40);
  ReleaseCapture();
  Pump();
  EXPECT_FALSE(window->IsEditSizing());
  EXPECT_EQ(link->GetUserWidth(), before - 32);
  manager->SetIsCustomizing(false);
}

TEST_F(InPlaceEdits, SizingWhileCustomizingKeepsTheCaptionAndTwentyPixels) {
  TqzBarEditControl* control = Control();
  manager->SetIsCustomizing(true);
  TRect r = control->GetItemRect();
  EXPECT_TRUE(control->IsEditSizingPoint(TPoint(r.Right - 3, r.Top + 2)));
  EXPECT_TRUE(control->IsEditSizingPoint(TPoint(r.Left + 3, r.Top + 2)));
  EXPECT_FALSE(control->IsEditSizingPoint(TPoint(r.Left + 10, r.Top + 2)));
  Integer minimum = control->TextPartWidth() + 20;
  control->BeginEditSizing(TPoint(r.Right - 2, r.Top + 2));
  control->TrackEditSizing(TPoint(r.Left + 3, r.Top + 2));
  EXPECT_EQ(control->GetDragWidth(), minimum);
  control->EndEditSizing(true);
  TqzBarItemLink* link = bar->GetItemLinks()->GetLink(0);
  EXPECT_EQ(link->GetUserWidth(), 20);
  manager->SetIsCustomizing(false);
}

}  // namespace
