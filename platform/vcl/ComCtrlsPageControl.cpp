// TPageControl and TTabSheet: classic tabs over a raised frame, one sheet shown at a time.

#include <algorithm>

#include "gdi/Edges.h"
#include "user/Rects.h"
#include "rtl/ClassRegistry.h"
#include "rtl/TypInfo.h"
#include "vcl/ComCtrlsPages.h"
#include "vcl/ControlsMessages.h"
#include "vcl/Graphics.h"
#include "vcl/StdCtrls.h"

namespace {

// Text to tab edge, and the lift of the active tab over the others.
constexpr Integer kTabPadding = 6;
constexpr Integer kActiveLift = 2;

}  // namespace

// ---- Sheet --------------------------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TTabSheet, MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged))

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                                csParentBackground};
  SetAlign(alClient);
  SetVisible(false);
}

TPageControl* TTabSheet::GetPageControl() const { return dynamic_cast<TPageControl*>(GetParent()); }

void TTabSheet::SetPageControl(TPageControl* Value) { SetParent(Value); }

Integer TTabSheet::GetPageIndex() const {
  TPageControl* control = GetPageControl();
  return control ? control->IndexOfPage(this) : -1;
}

void TTabSheet::SetTabVisible(bool Value) {
  if (FTabVisible == Value) return;
  FTabVisible = Value;
  if (TPageControl* control = GetPageControl()) control->TabsChanged();
}

void TTabSheet::CMTextChanged(TMessage&) {
  if (TPageControl* control = GetPageControl()) control->TabsChanged();
}

// ---- Page control -------------------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TPageControl, MESSAGE_HANDLER(CM_CONTROLCHANGE, CMControlChange))

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

TPageControl::~TPageControl() {
  FActivePage = nullptr;
  FPages.clear();
}

void TPageControl::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

TTabSheet* TPageControl::GetPages(Integer Index) const {
  return Index >= 0 && Index < GetPageCount() ? FPages[Index] : nullptr;
}

Integer TPageControl::IndexOfPage(const TTabSheet* APage) const {
  auto it = std::find(FPages.begin(), FPages.end(), APage);
  return it == FPages.end() ? -1 : static_cast<Integer>(it - FPages.begin());
}

void TPageControl::SetActivePage(TTabSheet* Value) {
  if (Value && Value->GetPageControl() != this) return;
  if (FActivePage == Value) return;
  FActivePage = Value;
  for (Integer i = 0, n = GetPageCount(); i < n; ++i) GetPages(i)->SetVisible(GetPages(i) == Value);
  if (Value) Value->BringToFront();
  Invalidate();
}

void TPageControl::SetActivePageIndex(Integer Value) { SetActivePage(GetPages(Value)); }

Integer TPageControl::TabHeight() { return TextSizeInFont(GetFont(), "Zg", DT_SINGLELINE, 0).cy + kTabPadding; }

TRect TPageControl::TabRect(const TTabSheet* APage) {
  Integer x = kActiveLift;
  Integer height = TabHeight();
  for (Integer i = 0, n = GetPageCount(); i < n; ++i) {
    TTabSheet* sheet = GetPages(i);
    if (!sheet->GetTabVisible()) {
      if (sheet == APage) return TRect();
      continue;
    }
    Integer width = TextSizeInFont(GetFont(), sheet->GetCaption(), DT_SINGLELINE, 0).cx + 2 * kTabPadding;
    if (sheet == APage) return TRect(x, kActiveLift, x + width, kActiveLift + height);
    x += width;
  }
  return TRect();
}

TTabSheet* TPageControl::PageAtPoint(const TPoint& P) {
  for (Integer i = 0, n = GetPageCount(); i < n; ++i) {
    TRect tab = TabRect(GetPages(i));
    if (PtInRect(&tab, P)) return GetPages(i);
  }
  return nullptr;
}

void TPageControl::AdjustClientRect(TRect& Rect) {
  inherited::AdjustClientRect(Rect);
  Rect = TRect(Rect.Left + 4, Rect.Top + kActiveLift + TabHeight() + 4, Rect.Right - 4, Rect.Bottom - 4);
}

void TPageControl::PaintWindow(HDC DC) {
  TRect client = GetClientRect();
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  FillRect(DC, &client, face);
  Integer tabBottom = kActiveLift + TabHeight();
  RECT frame{client.Left, tabBottom, client.Right, client.Bottom};
  DrawEdge(DC, &frame, EDGE_RAISED, BF_RECT);
  HGDIOBJ oldFont = SelectObject(DC, GetFont()->GetHandle());
  SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, ColorToRGB(GetEnabled() ? clBtnText : clGrayText));
  for (Integer i = 0, n = GetPageCount(); i < n; ++i) {
    TTabSheet* sheet = GetPages(i);
    TRect tab = TabRect(sheet);
    if (tab.Width() <= 0) continue;
    bool active = sheet == FActivePage;
    // The active tab stands out of the row and joins the frame below it.
    RECT r = active ? RECT{tab.Left - kActiveLift, 0, tab.Right + kActiveLift, tabBottom + 1}
                    : RECT{tab.Left, tab.Top, tab.Right, tabBottom};
    FillRect(DC, &r, face);
    DrawEdge(DC, &r, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT | BF_SOFT);
    RECT text{tab.Left, active ? 0 : tab.Top, tab.Right, active ? tabBottom - kActiveLift : tabBottom};
    String caption = sheet->GetCaption();
    DrawText(DC, caption.c_str(), -1, &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  }
  SelectObject(DC, oldFont);
}

void TPageControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  TTabSheet* page = PageAtPoint(TPoint(X, Y));
  if (!page || page == FActivePage) return;
  SetActivePage(page);
  FOnChange(this);
}

void TPageControl::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FActivePage) FActivePage = nullptr;
}

void TPageControl::Loaded() {
  inherited::Loaded();
  // The stored active page, else the first, is the one shown.
  TTabSheet* page = FActivePage ? FActivePage : GetPages(0);
  FActivePage = nullptr;
  SetActivePage(page);
}

void TPageControl::CMControlChange(TMessage& Message) {
  auto* sheet = dynamic_cast<TTabSheet*>(reinterpret_cast<TControl*>(Message.WParam));
  if (!sheet) return;
  if (!Message.LParam) {
    std::erase(FPages, sheet);
    if (sheet == FActivePage) FActivePage = nullptr;
  } else {
    FPages.push_back(sheet);
  }
  if (Message.LParam && !FActivePage && !GetComponentState().Contains(csLoading)) SetActivePage(sheet);
  TabsChanged();
}

void TPageControl::TabsChanged() {
  Realign();
  Invalidate();
}
