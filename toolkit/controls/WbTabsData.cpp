// The small classes of the tab control: tab records and their list, the two colour sets, the
// region cache and the three strip buttons (scroller, close, menu).

#include <algorithm>

#include "gdi/Regions.h"
#include "rtl/Exceptions.h"
#include "rtl/Resources.h"
#include "toolkit/controls/WbGrafx.h"
#include "toolkit/controls/WbTabs.h"
#include "toolkit/controls/WbTabsStrings.h"
#include "user/Rects.h"
#include "vcl/Menus.h"
#include "vcl/Themes.h"
#include "vcl/Timers.h"

TAVREN_CLASS_IMPL(TWbTabData)
TAVREN_CLASS_IMPL(TWbTabDataList)
TAVREN_CLASS_IMPL_PUBLISHED(TWbTabColors,
    PROPERTY(HighlightBar).Idents(ColorIdentMap).Default(clHighlight),
    PROPERTY(Shadow).Idents(ColorIdentMap).Default(clBtnFace),
    PROPERTY(Unselected).Idents(ColorIdentMap).Default(clWindow))
TAVREN_CLASS_IMPL_PUBLISHED(TWbTextColors,
    PROPERTY(DisabledHighlight).Idents(ColorIdentMap).Default(clBtnHighlight),
    PROPERTY(DisabledShadow).Idents(ColorIdentMap).Default(clBtnShadow),
    PROPERTY(Selected).Idents(ColorIdentMap).Default(clBtnText),
    PROPERTY(Unselected).Idents(ColorIdentMap).Default(clBtnText))
TAVREN_CLASS_IMPL_PUBLISHED(TWbTabButton, PROPERTY(FrameColor).Idents(ColorIdentMap).Default(clBtnShadow))
TAVREN_CLASS_IMPL_PUBLISHED(TWbTabScroller, PROPERTY(OnUpRightClick), PROPERTY(OnDownLeftClick))
TAVREN_CLASS_IMPL_PUBLISHED(TWbTabCloseButton, PROPERTY(OnClose))
TAVREN_CLASS_IMPL_PUBLISHED(TWbTabMenuButton, PROPERTY(OnDisplayMenu))

// ---- Records ----------------------------------------------------------------------------------

void TWbTabData::Assign(TPersistent* Source) {
  auto* from = dynamic_cast<TWbTabData*>(Source);
  if (!from) return inherited::Assign(Source);
  Caption = from->Caption;
  DisabledIndex = from->DisabledIndex;
  ImageIndex = from->ImageIndex;
  Color = from->Color;
  TabEnabled = from->TabEnabled;
  TabVisible = from->TabVisible;
  Hint = from->Hint;
}

void TWbTabDataList::Assign(TPersistent* Source) {
  auto* from = dynamic_cast<TWbTabDataList*>(Source);
  if (!from) return inherited::Assign(Source);
  if (from == this) return;
  Clear();
  for (TWbTabData* item : from->FItems) {
    auto* copy = new TWbTabData;
    copy->Assign(item);
    Add(copy);
  }
}

void TWbTabDataList::SetItems(Integer Index, TWbTabData* Value) {
  TWbTabData*& slot = FItems.at(size_t(Index));
  if (slot != Value) delete slot;
  slot = Value;
}

void TWbTabDataList::Clear() {
  for (TWbTabData* item : FItems) delete item;
  FItems.clear();
}

// ---- Colours ----------------------------------------------------------------------------------

void TWbTabColors::Change(TColor& Field, TColor Value) {
  if (Field == Value) return;
  Field = Value;
  if (FControl) FControl->InvalidateTabs();
}

void TWbTabColors::Assign(TPersistent* Source) {
  auto* from = dynamic_cast<TWbTabColors*>(Source);
  if (!from) return inherited::Assign(Source);
  SetHighlightBar(from->FHighlightBar);
  SetShadow(from->FShadow);
  SetUnselected(from->FUnselected);
}

void TWbTextColors::Change(TColor& Field, TColor Value) {
  if (Field == Value) return;
  Field = Value;
  if (FControl) FControl->InvalidateTabs();
}

void TWbTextColors::Assign(TPersistent* Source) {
  auto* from = dynamic_cast<TWbTextColors*>(Source);
  if (!from) return inherited::Assign(Source);
  SetDisabledHighlight(from->FDisabledHighlight);
  SetDisabledShadow(from->FDisabledShadow);
  SetSelected(from->FSelected);
  SetUnselected(from->FUnselected);
}

// ---- Region cache -----------------------------------------------------------------------------

void TWbTabRegionCacheItem::SetRegionHandle(HRGN Value) {
  if (Value == FRegionHandle) return;
  if (FRegionHandle) DeleteObject(FRegionHandle);
  FRegionHandle = Value;
}

HRGN TWbTabRegionCache::Lookup(const TRect& Rect) const {
  for (const auto& item : FItems)
    if (item->KeyRect == Rect) return item->GetRegionHandle();
  return nullptr;
}

void TWbTabRegionCache::Add(const TRect& Rect, HRGN Region) {
  auto found = std::find_if(FItems.begin(), FItems.end(), [&](const auto& item) { return item->KeyRect == Rect; });
  if (found != FItems.end()) {
    // The cached one stays; the caller's copy would otherwise leak.
    if (Region && Region != (*found)->GetRegionHandle()) DeleteObject(Region);
    std::rotate(FItems.begin(), found, found + 1);
  } else {
    auto item = std::make_unique<TWbTabRegionCacheItem>();
    item->KeyRect = Rect;
    item->SetRegionHandle(Region);
    FItems.insert(FItems.begin(), std::move(item));
  }
  Trim();
}

void TWbTabRegionCache::Clear() { FItems.clear(); }

void TWbTabRegionCache::SetCapacity(Integer Value) {
  if (Value < -1 || Value == 0) throw Exception(LoadStr(SWbTabCacheCapacity));
  if (Value == FCapacity) return;
  FCapacity = Value;
  Trim();
}

void TWbTabRegionCache::Trim() {
  if (FCapacity == -1) return;
  while (Integer(FItems.size()) > FCapacity) FItems.pop_back();
}

// ---- Button face ------------------------------------------------------------------------------

void PaintTabButtonFace(TCanvas* Canvas, const TRect& Rect, TWbCustomTabControl* TabControl, TColor FrameColor,
                        bool Pressed) {
  TColor light = TabControl->GetTabColors()->GetUnselected(), shadow = TabControl->GetTabColors()->GetShadow();
  Canvas->GetPen()->SetColor(FrameColor);
  if (!TabControl->GetUseGradients()) {
    Canvas->GetBrush()->SetColor(light);
    Canvas->Rectangle(Rect);
    return;
  }
  TRect inner = Rect;
  InflateRect(&inner, -1, -1);
  PaintGradientArea(Canvas, inner, gdHorizontalEnd, Pressed ? shadow : light, Pressed ? light : shadow, 1);
  Canvas->GetBrush()->SetStyle(bsClear);
  Canvas->Rectangle(Rect);
  Canvas->GetBrush()->SetStyle(bsSolid);
}

// ---- Buttons: shared mouse handling -----------------------------------------------------------

TWbTabButton::TWbTabButton(TWbCustomTabControl* TabControl) : TCustomControl(TabControl), FTabControl(TabControl) {
  FControlStyle.Exclude(csDesignInteractive);
  SetParent(TabControl);
  SetBounds(0, 0, 15, 15);
}

void TWbTabButton::SetFrameColor(TColor Value) {
  if (Value == FFrameColor) return;
  FFrameColor = Value;
  Invalidate();
}

void TWbTabButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  FMouseDown = FPressedInside = true;
  Invalidate();
  SetMouseCapture(true);
}

void TWbTabButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  if (!FMouseDown) return;
  bool inside = [&] { TRect r = GetClientRect(); return PtInRect(&r, TPoint{X, Y}) != 0; }();
  if (inside == FPressedInside) return;
  FPressedInside = inside;
  Invalidate();
}

void TWbTabButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  if (!FMouseDown) return;
  SetMouseCapture(false);
  FMouseDown = false;
  if (!FPressedInside) return;
  FPressedInside = false;
  Click();
  Invalidate();
}

// ---- Scroller ---------------------------------------------------------------------------------

namespace {
constexpr Cardinal kScrollFirstRepeat = 400, kScrollNextRepeat = 100;
// Spin parts of the visual style and their states.
constexpr int kSpinUp = 1, kSpinDown = 2, kSpinUpHorz = 3, kSpinDownHorz = 4;
constexpr int kStateNormal = 1, kStatePressed = 3, kStateDisabled = 4;
constexpr int kSmallCloseButton = 19;
}  // namespace

TWbTabScroller::TWbTabScroller(TWbCustomTabControl* TabControl) : TWbTabButton(TabControl) {}

void TWbTabScroller::SetOrientation(TOrientation Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  Invalidate();
}

TRect TWbTabScroller::HalfRect(Integer Half) const {
  TRect r{0, 0, GetWidth(), GetHeight()};
  if (FOrientation == orHorizontal) {
    if (Half == 1) r.Left = GetWidth() / 2; else r.Right = GetWidth() / 2;
  } else {
    if (Half == 1) r.Bottom = GetHeight() / 2; else r.Top = GetHeight() / 2;
  }
  return r;
}

bool TWbTabScroller::HalfDisabled(Integer Half) const {
  // The up/right half scrolls forward in the standard sequence, except on the right side.
  const bool upRightForward =
      (FTabControl->GetTabSequence() == tsStandard) != (FTabControl->GetTabOrientation() == toRight);
  const bool forward = (Half == 1) == upRightForward;
  if (!forward) return FTabControl->GetFirstVisibleTab() <= 0;
  const Integer last = FTabControl->LastVisibleIndex();
  return last < 0 || FTabControl->TabFullyShown(last);
}

void TWbTabScroller::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  // An upright scroller is split along Y: the top half is the up/right one.
  FPressedHalf = FOrientation == orHorizontal ? (X >= GetWidth() / 2 ? 1 : 0) : (Y <= GetHeight() / 2 ? 1 : 0);
  FMouseDown = FPressedInside = true;
  Invalidate();
  SetMouseCapture(true);
  if (!FTimer) {
    FTimer = new TTimer(this);
    FTimer->SetOnTimer(MakeEvent<&TWbTabScroller::TimerTick>(this));
  }
  FTimer->SetEnabled(false);
  FTimer->SetInterval(kScrollFirstRepeat);
  FTimer->SetEnabled(true);
}

void TWbTabScroller::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (!FMouseDown) return;
  bool inside = [&] { TRect r = HalfRect(FPressedHalf); return PtInRect(&r, TPoint{X, Y}) != 0; }();
  if (inside == FPressedInside) return;
  FPressedInside = inside;
  Invalidate();
}

void TWbTabScroller::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (!FMouseDown) return;
  if (FTimer) FTimer->SetEnabled(false);
  SetMouseCapture(false);
  FMouseDown = false;
  if (!FPressedInside) return;
  FPressedInside = false;
  HalfClick(FPressedHalf);
  Invalidate();
}

void TWbTabScroller::HalfClick(Integer Half) {
  if (Half == 1) UpRightClick(); else DownLeftClick();
}

void TWbTabScroller::TimerTick(TObject*) {
  FTimer->SetInterval(kScrollNextRepeat);
  if (!FPressedInside || !GetMouseCapture()) return;
  try {
    HalfClick(FPressedHalf);
  } catch (...) {
    FTimer->SetEnabled(false);
    throw;
  }
}

void TWbTabScroller::Paint() {
  TCanvas* c = GetCanvas();
  const bool horizontal = FOrientation == orHorizontal;
  for (Integer half = 0; half < 2; ++half) {
    const bool disabled = HalfDisabled(half), pressed = FPressedInside && FPressedHalf == half;
    TRect r = HalfRect(half);
    if (ThemeServices()->ThemesEnabled()) {
      int part = horizontal ? (half ? kSpinUpHorz : kSpinDownHorz) : (half ? kSpinUp : kSpinDown);
      int state = disabled ? kStateDisabled : pressed ? kStatePressed : kStateNormal;
      if (DrawThemedPart(c->GetHandle(), u"spin", part, state, r)) continue;
    }
    // The classic halves share the middle line.
    if (horizontal && half == 0) ++r.Right;
    if (!horizontal && half == 1) ++r.Bottom;
    PaintTabButtonFace(c, r, FTabControl, FFrameColor, pressed);
    Integer direction = horizontal ? (half ? 3 : 2) : (half ? 0 : 1);
    PaintDirectionArrow(c, r, false, !disabled, pressed, direction);
  }
}

// ---- Close button -----------------------------------------------------------------------------

void TWbTabCloseButton::Paint() {
  TCanvas* c = GetCanvas();
  TRect r = GetClientRect();
  if (ThemeServices()->ThemesEnabled()) {
    int state = FTabControl->GetTabIndex() == -1 ? kStateDisabled : FPressedInside ? kStatePressed : kStateNormal;
    if (DrawThemedPart(c->GetHandle(), u"window", kSmallCloseButton, state, r)) return;
  }
  PaintTabButtonFace(c, r, FTabControl, FFrameColor, FPressedInside);
  PaintCloseGlyph(c, r, false, true, FPressedInside);
}

// ---- Menu button ------------------------------------------------------------------------------

TWbTabMenuButton::TWbTabMenuButton(TWbCustomTabControl* TabControl) : TWbTabButton(TabControl) {
  FMenu = new TPopupMenu(this);
}

void TWbTabMenuButton::BuildMenu(TPoint& At, Integer& Alignment) {
  FMenu->GetItems()->Clear();
  FMenu->SetImages(FTabControl->GetImages());
  TWbTabDataList* tabs = FTabControl->GetTabs();
  TComponent* itemOwner = FTabControl->GetOwner() ? FTabControl->GetOwner() : FTabControl;
  for (Integer i = 0; i < tabs->GetCount(); ++i) {
    TWbTabData* tab = tabs->GetItems(i);
    if (!tab->TabVisible) continue;
    auto* item = new TMenuItem(itemOwner);
    item->SetCaption(tab->Caption);
    item->SetEnabled(tab->TabEnabled);
    item->SetChecked(i == FTabControl->GetTabIndex());
    item->SetImageIndex(!tab->TabEnabled && tab->DisabledIndex != -1 ? tab->DisabledIndex : tab->ImageIndex);
    item->SetTag(i);
    item->SetOnClick(MakeEvent<&TWbTabMenuButton::ItemClick>(this));
    FMenu->GetItems()->Add(item);
  }
  const bool standard = FTabControl->GetTabSequence() == tsStandard;
  TPoint p{0, 0};
  Alignment = paLeft;
  switch (FTabControl->GetTabOrientation()) {
    case toTop:
      p = standard ? TPoint{GetWidth(), GetHeight()} : TPoint{0, GetHeight()};
      Alignment = standard ? paRight : paLeft;
      break;
    case toLeft: p = {GetWidth(), 0}; break;
    case toBottom:
      p = standard ? TPoint{GetWidth(), 0} : TPoint{0, 0};
      Alignment = standard ? paRight : paLeft;
      break;
    case toRight: Alignment = paRight; break;
  }
  At = ClientToScreen(p);
}

void TWbTabMenuButton::Click() {
  TPoint at;
  Integer alignment;
  BuildMenu(at, alignment);
  FMenu->SetAlignment(TPopupAlignment(alignment));
  FMenu->Popup(at.X, at.Y);
}

void TWbTabMenuButton::ItemClick(TObject* Sender) {
  if (auto* item = dynamic_cast<TMenuItem*>(Sender)) FTabControl->SetTabIndex(item->GetTag());
}

void TWbTabMenuButton::Paint() {
  TCanvas* c = GetCanvas();
  TRect r = GetClientRect();
  const TWbTabOrientation side = FTabControl->GetTabOrientation();
  if (ThemeServices()->ThemesEnabled()) {
    static constexpr int parts[] = {kSpinDown, kSpinDownHorz, kSpinUp, kSpinUpHorz};
    const bool across = side == toTop || side == toBottom;
    TBitmap face;
    face.SetSize(r.Right + (across ? 2 : 1), r.Bottom + (across ? 1 : 2));
    if (DrawThemedPart(face.GetCanvas()->GetHandle(), u"spin", parts[side], FPressedInside ? kStatePressed : kStateNormal,
                       {0, 0, face.GetWidth(), face.GetHeight()})) {
      TRect from = r;
      OffsetRect(&from, across ? 1 : 0, across ? 0 : 1);
      c->CopyRect(r, face.GetCanvas(), from);
      return;
    }
  }
  PaintTabButtonFace(c, r, FTabControl, FFrameColor, FPressedInside);
  static constexpr Integer arrows[] = {1, 3, 0, 2};
  PaintDirectionArrow(c, r, false, true, FPressedInside, arrows[side]);
}
