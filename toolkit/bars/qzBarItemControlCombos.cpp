// Combo controls: the drop button and drop-down state, the list combo's preview, and the popup
// list box.

#include "toolkit/bars/qzBarItemControlCombos.h"

#include "controls/ListBox.h"
#include "controls/ScrollBars.h"
#include "gdi/DeviceContexts.h"
#include "gdi/Regions.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/Rects.h"
#include "user/VirtualKeys.h"
#include "user/WindowPos.h"
#include "user/WindowTree.h"

TAVREN_CLASS_IMPL(TCustomqzBarComboControl)
TAVREN_CLASS_IMPL(TqzBarComboControl)
TAVREN_CLASS_IMPL(TqzBarDropDownListBox)

namespace {

bool AnyShiftDown() { return GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0; }

}  // namespace

// ---- Combo base ------------------------------------------------------------------------------------

TCustomqzBarComboControl::~TCustomqzBarComboControl() {
  // Going with its list open (the bar window rebuilds or goes): the list closes, but nothing of
  // the control is drawn any more.
  if (!FComboDroppedDown) return;
  FComboDroppedDown = false;
  if (TCustomqzBarCombo* combo = GetCombo()) combo->FireCloseUp();
}

void TCustomqzBarComboControl::SetDroppedDown(bool AFlag) {
  TCustomqzBarCombo* combo = GetCombo();
  if (FComboDroppedDown == AFlag || !combo || combo->GetReadOnly()) return;
  FComboDroppedDown = AFlag;
  Repaint();
  if (!AFlag) {
    combo->FireCloseUp();
    return;
  }
  TCustomqzBarControl* parent = GetParent();
  TRect r = GetItemRect();
  TPoint anchor;
  if (dynamic_cast<TqzBarSubMenuControl*>(parent) || parent->IsVertical()) {
    anchor = TPoint(r.Right, r.Top);
  } else {
    TRect edit;
    GetEditAreaRect(edit);
    anchor = TPoint(r.Left + (edit.Left - r.Left), r.Bottom);
  }
  anchor = parent->ClientToScreen(anchor);
  combo->OpenDropDownAt(anchor.X, anchor.Y);
}

void TCustomqzBarComboControl::EnabledChanged() {
  SetDroppedDown(false);
  inherited::EnabledChanged();
}

void TCustomqzBarComboControl::Deactivate(bool AFlag) {
  SetDroppedDown(false);
  inherited::Deactivate(AFlag);
}

void TCustomqzBarComboControl::FillDrawParams(bool ARefresh) {
  inherited::FillDrawParams(ARefresh);
  if (ARefresh) GetDrawParams()->DropDownOpen = FComboDroppedDown;
}

void TCustomqzBarComboControl::CalcPartRects() {
  inherited::CalcPartRects();
  std::vector<TRect> parts = GetPartRects();
  Painter()->CalcComboPartRects2(GetDrawParams(), GetItemRect(), parts);
  SetPartRects(parts);
}

bool TCustomqzBarComboControl::OwnsWindow(HWND AWnd) {
  if (inherited::OwnsWindow(AWnd)) return true;
  TCustomqzBarCombo* combo = GetCombo();
  HWND dropDown = FComboDroppedDown && combo ? combo->GetDropDownHandle() : nullptr;
  return dropDown && IsWindowVisible(dropDown) && (AWnd == dropDown || IsChild(dropDown, AWnd));
}

void TCustomqzBarComboControl::FilterMenuKeyDown(Word& AKey, TShiftState AShift) {
  // Only keys with Alt held arrive here: Alt+Up and Alt+Down open and close the list.
  if (AKey == VK_UP || AKey == VK_DOWN) {
    SetDroppedDown(!FComboDroppedDown);
    AKey = 0;
  }
  inherited::FilterMenuKeyDown(AKey, AShift);
}

void TCustomqzBarComboControl::FilterMenuKeyUp(Word& AKey) {
  if (AKey == VK_UP || AKey == VK_DOWN) AKey = 0;
  inherited::FilterMenuKeyUp(AKey);
}

void TCustomqzBarComboControl::InnerWndProc(TMessage& Message) {
  TqzObjectGuard guard(this);
  TCustomqzBarCombo* combo = GetCombo();
  UINT msg = Message.Msg;
  if (msg == WM_KEYDOWN && Message.WParam == VK_F4) {
    SetDroppedDown(!FComboDroppedDown);
    return;
  }
  if ((msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_CHAR) && FComboDroppedDown && combo) {
    HWND dropDown = combo->GetDropDownHandle();
    Word key = static_cast<Word>(Message.WParam);
    if (dropDown && msg != WM_CHAR && combo->KeyGoesToDropDown(key, KeyDataToShiftState(Message.LParam))) {
      Message.Result = SendMessage(dropDown, msg, Message.WParam, Message.LParam);
      return;
    }
  }
  inherited::InnerWndProc(Message);
  HWND window = GetInnerWindow();
  if (!guard.Alive() || !window || !IsWindowVisible(window)) return;
  bool press = msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK;
  if (press) FWasDroppedOnPress = FComboDroppedDown;
  Integer part = GetHotPart();
  bool onButton = part == qzComboButtonPart || (EditorHidden() && part == qzEditPart);
  if (onButton && ((!FWasDroppedOnPress && press) || (FWasDroppedOnPress && msg == WM_LBUTTONUP)))
    SetDroppedDown(!FComboDroppedDown);
}

void TCustomqzBarComboControl::AdjustFrameRect(TRect& R) {
  TRect metrics;
  Painter()->ClassRef()->ComboButtonMetrics(GetDrawParams()->PaintKind, metrics);
  R.Right = GetPartRects()[qzComboButtonPart].Right + metrics.Right;
}

void TCustomqzBarComboControl::PaintEditArea() {
  const TRect& button = GetPartRects()[qzComboButtonPart];
  // The button stands on the bar's background where the look draws no face of its own.
  Painter()->ClassRef()->FillItemBackground(this, GetCanvas()->DCHandle(), false, GetParent()->BackgroundBrush(), button);
  Painter()->ComboDrawDropButton(GetDrawParams(), button);
  inherited::PaintEditArea();
}

bool TCustomqzBarComboControl::PaintsText() { return !(IsEnabled() && GetInPlaceActive() && !EditorHidden()); }

// ---- Combo with a list -----------------------------------------------------------------------------

Integer TqzBarComboControl::ValidPreviewIndex() const {
  TqzBarCustomCombo* combo = GetListCombo();
  return combo && FPreviewIndex >= 0 && FPreviewIndex < combo->GetItems()->GetCount() ? FPreviewIndex : -1;
}

void TqzBarComboControl::SetPreviewIndex(Integer AIndex) {
  FPreviewIndex = AIndex;
  LoadText();
  if (EditorHidden()) Repaint();
}

void TqzBarComboControl::LoadText() {
  Integer index = ValidPreviewIndex();
  if (index < 0)
    inherited::LoadText();
  else
    SetInnerText(GetListCombo()->GetItems()->GetStrings(index));
}

void TqzBarComboControl::SetInPlaceActive(bool AFlag) {
  if (AFlag && !GetInPlaceActive() && GetListCombo()) {
    // The preview starts at the chosen entry; showing it is no change of the user's.
    FPreviewIndex = GetListCombo()->GetItemIndex();
  }
  inherited::SetInPlaceActive(AFlag);
}

void TqzBarComboControl::InnerWndProc(TMessage& Message) {
  TqzBarCustomCombo* combo = GetListCombo();
  if (combo && !combo->GetReadOnly()) {
    Integer count = combo->GetItems()->GetCount();
    Integer preview = ValidPreviewIndex();
    Word key = static_cast<Word>(Message.WParam);
    if (Message.Msg == WM_KEYDOWN && (key == VK_UP || key == VK_DOWN) && !IsDroppedDown() && !AnyShiftDown()) {
      if (key == VK_UP && preview > 0) SetPreviewIndex(preview - 1);
      if (key == VK_DOWN && preview < count - 1) SetPreviewIndex(preview + 1);
      return;
    }
    if (Message.Msg == WM_KEYDOWN && (key == VK_RETURN || key == VK_TAB) && preview >= 0) {
      String text;
      GetInnerText(text);
      if (combo->GetItems()->GetStrings(preview) == text) combo->SetItemIndex(preview);
      HWND window = GetInnerWindow();
      if (!window || !IsWindowVisible(window)) return;
    }
    if (Message.Msg == WM_MOUSEWHEEL) {
      bool down = static_cast<short>(HIWORD(Message.WParam)) <= 0;
      HWND dropDown = IsDroppedDown() ? combo->GetDropDownHandle() : nullptr;
      if (dropDown)
        SendMessage(dropDown, WM_VSCROLL, down ? SB_LINEDOWN : SB_LINEUP, 0);
      else if (down && preview < count - 1)
        SetPreviewIndex(preview + 1);
      else if (!down && preview > 0)
        SetPreviewIndex(preview - 1);
      return;
    }
  }
  inherited::InnerWndProc(Message);
}

// ---- The drop-down list box ------------------------------------------------------------------------

TqzBarDropDownListBox::TqzBarDropDownListBox(TqzBarCustomCombo* ACombo) : TCustomListBox(nullptr), FCombo(ACombo) {
  SetBorderStyle(bsNone);
  SetStyle(lbOwnerDrawVariable);
  SetVisible(false);
}

TCustomqzBarControl* TqzBarDropDownListBox::OwnerBar() const {
  TqzBarItemLink* link = FCombo->GetActiveLink();
  return link ? link->GetBarControl() : nullptr;
}

void TqzBarDropDownListBox::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  // A popup of its own above everything, owned by the bar window it drops from.
  // As a combo's list it never takes the focus from the editor.
  Params.Style = (Params.Style & ~WS_CHILD) | WS_POPUP | LBS_COMBOBOX;
  Params.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  Params.WindowClass.style |= CS_SAVEBITS;
  TCustomqzBarControl* bar = OwnerBar();
  Params.WndParent = bar && bar->HandleAllocated() ? bar->GetHandle() : nullptr;
}

void TqzBarDropDownListBox::DrawItem(Integer Index, TRect Rect, TOwnerDrawState State) {
  TCustomqzBarControl* bar = OwnerBar();
  if (!bar) return;
  FCombo->PaintListItem(bar->Painter(), Index, State, Rect);
}

void TqzBarDropDownListBox::MeasureItem(Integer Index, Integer& Height) { Height = FCombo->MeasureItemHeight(Index); }

void TqzBarDropDownListBox::ReleaseOverEntry() {
  Integer value = GetItemIndex();
  if (TqzBarItemLink* link = FCombo->GetActiveLink()) link->GetSourceLink()->RegisterUse(true);
  HideActiveBarControl();
  if (value >= 0) FCombo->SetItemIndex(value);
}

void TqzBarDropDownListBox::PaintFrame() {
  TCustomqzBarControl* bar = OwnerBar();
  if (!bar) return;
  TqzBarPainter* painter = bar->Painter();
  Integer border = painter->ClassRef()->DropDownListBorderSize();
  RECT window{};
  GetWindowRect(GetHandle(), &window);
  TRect r(0, 0, window.Width(), window.Height());
  HDC dc = ::GetWindowDC(GetHandle());
  ExcludeClipRect(dc, border, border, r.Right - border, r.Bottom - border);
  painter->DrawDropDownListBorder(dc, GetColor(), r);
  ReleaseDC(GetHandle(), dc);
}

void TqzBarDropDownListBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEACTIVATE:
      Message.Result = MA_NOACTIVATE;
      return;
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_CAPTURECHANGED:
      inherited::WndProc(Message);
      FPressPending = false;
      return;
    case WM_NCCALCSIZE: {
      inherited::WndProc(Message);
      TCustomqzBarControl* bar = OwnerBar();
      Integer border = bar ? bar->Painter()->ClassRef()->DropDownListBorderSize() : 0;
      auto* r = reinterpret_cast<RECT*>(Message.LParam);
      InflateRect(r, -border, -border);
      return;
    }
    case WM_NCPAINT:
      inherited::WndProc(Message);
      PaintFrame();
      return;
    case WM_LBUTTONUP: {
      bool pending = FPressPending;
      inherited::WndProc(Message);
      if (pending) {
        // The release of the press that opened the list picks nothing.
        if (GetCapture() == GetHandle()) ReleaseCapture();
        return;
      }
      ReleaseOverEntry();
      return;
    }
    case WM_KEYDOWN:
      if (GetItemIndex() < 0 && GetCount() > 0) SetItemIndex(GetTopIndex());
      break;
    case WM_MOUSEMOVE: {
      TPoint p(static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam)));
      TRect client = GetClientRect();
      if (GetCapture() == GetHandle() && FPressPending && PtInRect(&client, p)) {
        // The held press moved into the list: the list tracks it from here.
        FPressPending = false;
        TMessage press{WM_LBUTTONDOWN, MK_LBUTTON, Message.LParam, 0};
        inherited::WndProc(press);
      }
      inherited::WndProc(Message);
      Integer index = ItemAtPos(p, true);
      if (index >= 0 && index != GetItemIndex()) {
        SetItemIndex(index);
        Click();
      }
      return;
    }
    default:
      break;
  }
  inherited::WndProc(Message);
}

void TqzBarDropDownListBox::Click() {
  inherited::Click();
  TqzBarItemLink* link = FCombo->GetActiveLink();
  auto* control = link ? dynamic_cast<TqzBarComboControl*>(link->GetControl()) : nullptr;
  if (control && GetItemIndex() >= 0) control->SetPreviewIndex(GetItemIndex());
}
