// The menu window: placing on the work area, content size, the frame and background, the column
// of controls with separators above group starts, keys and closing.

#include "toolkit/bars/qzBarSubMenuControl.h"

#include <algorithm>
#include <random>

#include "gdi/Regions.h"
#include "rtl/Math.h"
#include "user/Messages.h"
#include "user/Painting.h"
#include "user/Rects.h"
#include "user/WindowPos.h"
#include "user/WindowTree.h"
#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/bars/qzBarMenuAnimation.h"
#include "toolkit/foundation/qzOffice11.h"
#include "toolkit/bars/qzBarPopupMenu.h"
#include "user/WindowEffects.h"

TAVREN_CLASS_IMPL(TqzBarSubMenuControlViewInfo)
TAVREN_CLASS_IMPL(TqzBarSubMenuControl)


// ---- Layout info ---------------------------------------------------------------------------------

void TqzBarSubMenuControlViewInfo::Calculate() {
  TCustomqzBarControlViewInfo::Calculate();
  auto* menu = static_cast<TqzBarSubMenuControl*>(GetBarControl());
  TqzBarItemLinks* links = menu->GetItemLinks();
  if (!links) return;
  if (links->GetVisibleLinkCount() == 0) return;
  const TRect& visible = menu->GetVisibleItemsRect();
  Integer last = std::min(menu->LastShownIndex(), links->GetVisibleLinkCount() - 1);
  for (Integer i = menu->FirstShownIndex(); i <= last; ++i) {
    TqzBarItemLink* link = links->GetVisibleLink(i);
    TqzBarItemControl* control = link->GetControl();
    TRect r = link->GetItemRect();
    if (!control || IsRectEmpty(&r)) continue;
    r.Bottom = std::min(r.Bottom, visible.Bottom);
    control->GetViewInfo()->SetBounds(r);
    AppendControlInfo(control->GetViewInfo());
    if (menu->HasSeparatorAbove(link)) {
      TRect band;
      menu->Painter()->GetBandGapRect(menu, control, band, r);
      AppendSeparatorEntry(band, 0, control);
    }
  }
}

// ---- The window ----------------------------------------------------------------------------------

TqzBarSubMenuControl::TqzBarSubMenuControl(TComponent* AOwner) : TCustomqzBarControl(AOwner) {
  SetWidth(0);
  if (TqzBarManager* manager = GetControlBarManager()) GetFont()->Assign(manager->GetFont());
}

TqzBarSubMenuControl::~TqzBarSubMenuControl() {
  FDismissing = true;
  if (HandleAllocated()) DestroyHandle();
}

void TqzBarSubMenuControl::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  Params.ExStyle |= WS_EX_TOPMOST;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_SAVEBITS;
  HWND owner = FOwnerWindowHandle;
  if (!owner) {
    TqzBarManager* manager = GetControlBarManager();
    TWinControl* control = manager ? manager->GetOwnerControl() : nullptr;
    if (control) owner = control->GetHandle();
  }
  Params.WndParent = owner;
}

void TqzBarSubMenuControl::CreateWnd() {
  // Links that are not recently used stand on a lighter band.
  TColor face = static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
  FNonRecentBrush = CreateSolidBrush(RGB(std::min(GetRValue(face) + 20, 255), std::min(GetGValue(face) + 20, 255),
                                         std::min(GetBValue(face) + 20, 255)));
  TakeMenuFont();
  inherited::CreateWnd();
  FRequestedLeft = GetLeft();
  FRequestedTop = GetTop();
  ChangeActive(true);
  UpdateRecentLinkLimit();
  FScrollIndex = 0;
  FMarkState = 0;
  // The directions stay the preferred ones: a window made anew (expanded) is placed from them again.
  Place(TSize(0, 0), FFlippedHorz, FFlippedVert);
  PlayBarSound(bskMenuPopup);
}

void TqzBarSubMenuControl::DestroyWindowHandle() {
  if (FWindowDestroyed) return;
  FWindowDestroyed = true;
  FinishAnimation();
  if (HandleAllocated()) {
    KillTimer(GetHandle(), kScrollTimer);
    FScrolling = false;
    KillExpandTimer();
  }
  if (TCustomqzBarControl* opened = GetOpenedBar()) {
    if (auto* menu = dynamic_cast<TqzBarSubMenuControl*>(opened)) menu->Dismiss();
  }
  // A window made anew with all its links stays the head of its chain and open for its opener.
  if (!FRecreating) ChangeActive(false);
  inherited::DestroyWindowHandle();
  if (!FRecreating) FOnCloseUp(this);
  if (FNonRecentBrush) DeleteObject(FNonRecentBrush);
  FNonRecentBrush = nullptr;
}

void TqzBarSubMenuControl::Popup(const TPoint& P) {
  SetLeft(P.X);
  SetTop(P.Y);
  HandleNeeded();
  StartPopup();
}

void TqzBarSubMenuControl::StartPopup() {
  ClearClosedByEsc();
  FOnPopup(this);
  // The chain's root toolbar says how its menus open.
  TCustomqzBarControl* root = RootBarControl(this);
  TqzBarManager* manager = root->GetControlBarManager();
  FEffectiveAnimation = manager->GetMenuAnimations();
  if (FEffectiveAnimation == maRandom) {
    static std::minstd_rand random;
    Integer r = static_cast<Integer>(random() % 100);
    FEffectiveAnimation = r < 33 ? maUnfold : r < 66 ? maSlide : maFade;
  }
  TqzBarItemLinks* links = GetItemLinks();
  FAnimateOnShow = FAnimateOnShow && FEffectiveAnimation != maNone && FEffectiveAnimation != maFade && links &&
                   links->GetVisibleLinkCount() > 0 && !manager->IsCustomizingOrDesigning();
  ShowAnimated();
}

void TqzBarSubMenuControl::ShowAnimated() {
  if (!HandleAllocated()) return;
  if (FEffectiveAnimation == maFade) {
    UpdateAllWindows();
    AnimateWindow(GetHandle(), 150, AW_BLEND);
    return;
  }
  if (FAnimateOnShow) {
    // The frames show the window; it stays hidden until the first.
    FAnimation = std::make_unique<TqzBarMenuAnimation>(this, FEffectiveAnimation);
    SetTimer(GetHandle(), kAnimationTimer, kAnimationFrameTime, nullptr);
    return;
  }
  SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  UpdateWindow(GetHandle());
}

void TqzBarSubMenuControl::AnimationTimer() {
  if (FAnimation && !FAnimation->Step()) FinishAnimation();
}

void TqzBarSubMenuControl::FinishAnimation() {
  if (!FAnimation) return;
  std::unique_ptr<TqzBarMenuAnimation> animation = std::move(FAnimation);
  FAnimateOnShow = false;
  if (!HandleAllocated()) return;
  KillTimer(GetHandle(), kAnimationTimer);
  if (IsDestroying() || FDismissing) return;
  TRect bounds = animation->FinalBounds();
  SetWindowPos(GetHandle(), nullptr, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(),
               SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
  InvalidateRect(GetHandle(), nullptr, TRUE);
}

void TqzBarSubMenuControl::Dismiss() {
  if (FDismissing) return;
  FDismissing = true;
  delete this;
}

void TqzBarSubMenuControl::HideBar() {
  TkvObjectLink* self = LinkToObject(this);
  TCustomqzBarControl::HideBar();
  bool alive = self->Ref != nullptr;
  ReleaseObjectLink(self);
  // A closed menu is gone: its opener makes a new one the next time.
  if (alive) Dismiss();
}

// ---- Sizes and placing -------------------------------------------------------------------------------

void TqzBarSubMenuControl::ContentMargins(bool AWithDetach, TRect& R) {
  Integer border = Painter()->ClassRef()->MenuBorderSize();
  R = TRect(border, border, border, border);
  if (AWithDetach && HasDetachCaption()) R.Top += GetDetachAreaSize();
}

void TqzBarSubMenuControl::ItemsAreaOffset(TRect& R) {
  Painter()->ClassRef()->GetMenuContentMargins(this, R);
  // The side band stands left of the items.
  R.Left += GetBarSize();
}

void TqzBarSubMenuControl::CalcContentSize(TSize& ASize) {
  ASize = TSize(0, 0);
  TqzBarItemLinks* links = GetItemLinks();
  for (Integer i = FScrollIndex; links && i < links->GetVisibleLinkCount(); ++i) {
    TqzBarItemLink* link = links->GetVisibleLink(i);
    TqzBarItemControl* control = link->GetControl();
    if (!control) continue;
    ASize.cx = std::max<Integer>(ASize.cx, control->CalcWidth());
    ASize.cy += GroupSpacingBefore(link) + control->CalcHeight();
  }
  if (Painter()->ClassRef()->ScrollButtonsHaveOwnBands() && CanScrollUp()) ASize.cy += Painter()->ScrollButtonHeight(this);
}

void TqzBarSubMenuControl::PlacingSize(TSize& ASize) {
  UpdateNonRecentFlags();
  GetContentSize(ASize);
  if (ASize.cx == 0) ASize.cx = 100;
  if (ASize.cy <= 2) ASize.cy += GetTextSizeValue();
  if (ShowsMark()) ASize.cy += FMarkSize;
  TRect margins, offset;
  ContentMargins(true, margins);
  ItemsAreaOffset(offset);
  ASize.cx += margins.Left + margins.Right + offset.Left + offset.Right;
  ASize.cy += margins.Top + margins.Bottom + offset.Top + offset.Bottom;
}

void TqzBarSubMenuControl::Place(TSize ASize, bool& AFlippedHorz, bool& AFlippedVert) {
  AFlippedHorz = false;
  AFlippedVert = false;
  TRect given;
  if (auto* parent = dynamic_cast<TqzBarSubMenuControl*>(GetOpenerBar()); parent && parent->ChildMenuBounds(given)) {
    SetBounds(given.Left, given.Top, given.Width(), given.Height());
    return;
  }
  if (ASize.cx == 0 && ASize.cy == 0) PlacingSize(ASize);
  Integer w = ASize.cx;
  Integer h = ASize.cy;
  Integer left = GetLeft();
  Integer top = GetTop();
  TRect wa;
  WorkAreaAtPoint(TPoint(left, top), wa);
  if (left + w > wa.Right) {
    if (FOpenerWidth == 0) {
      if (FOpenerHeight != 0 || left - w < wa.Left) {
        left = wa.Right - w;
      } else {
        left -= w;
        AFlippedHorz = true;
      }
    } else if (wa.Right - left < left - FOpenerWidth - wa.Left) {
      left = left - FOpenerWidth - w;
      AFlippedHorz = true;
    }
  }
  if (left < wa.Left) {
    if (FOpenerWidth == 0) {
      left = wa.Left;
    } else if (FHorzDirection == 0 && wa.Right - (left + w + FOpenerWidth) > (left + w) - wa.Left) {
      left = left + w + FOpenerWidth;
      AFlippedHorz = true;
    }
  }
  if (left + w > wa.Right) left = wa.Right - w;
  if (left < wa.Left) left = wa.Left;
  if (MayShrinkWidth() && left + w > wa.Right) w = wa.Right - left;
  if (top + h > wa.Bottom) {
    if (FOpenerHeight == 0) {
      if (FOpenerWidth != 0 || top - h < wa.Top) {
        top = wa.Bottom - h;
      } else {
        top -= h;
        AFlippedVert = true;
      }
    } else if (top - FOpenerHeight - wa.Top > wa.Bottom - top) {
      top = top - FOpenerHeight - h;
      AFlippedVert = true;
    } else {
      h = wa.Bottom - top;
    }
  }
  if (top < wa.Top) {
    if (FVertDirection == 1) {
      if (AFlippedVert && FOpenerHeight != 0) {
        h -= wa.Top - top;
        top = wa.Top;
      } else {
        top = wa.Top;
        if (top + h > wa.Bottom) h = wa.Bottom - top;
      }
    } else if (FOpenerHeight != 0) {
      Integer below = top + h + FOpenerHeight;
      if (wa.Bottom - below > top + h - wa.Top) {
        top = below;
        h = std::min(h, wa.Bottom - top);
        AFlippedVert = true;
      }
    }
  }
  SetBounds(left, top, w, h);
}

// ---- Layout --------------------------------------------------------------------------------------

void TqzBarSubMenuControl::CalcClientItemsRect() {
  TRect offset;
  ItemsAreaOffset(offset);
  TRect client = GetClientRect();
  TCustomqzBarControl::CalcClientItemsRect();
  Integer mark = ShowsMark() ? FMarkSize : 0;
  SetItemsRect(TRect(offset.Left, offset.Top, client.Width() - offset.Right, client.Height() - offset.Bottom - mark));
}

void TqzBarSubMenuControl::CalcViewInfo() {
  if (GetLayoutInfo()) GetLayoutInfo()->Calculate();
}

void TqzBarSubMenuControl::CalcMetrics() {
  inherited::CalcMetrics();
  Painter()->GetMenuCheckSize(ActiveCanvas(), GetTextSizeValue(), FMarkSize, FButtonArrowWidth);
}

void TqzBarSubMenuControl::CalcItemsRect() {
  CalcClientItemsRect();
  CalcLayout(qzPaintMenu, FScrollIndex);
}

Integer TqzBarSubMenuControl::SeparatorSize() { return Painter()->MenuSeparatorHeight(); }

Word TqzBarSubMenuControl::KindFlags() { return (TCustomqzBarControl::KindFlags() & ~0x252) | 0x12; }

Integer TqzBarSubMenuControl::GroupSpacingBefore(TqzBarItemLink* ALink) {
  return BandGap(ALink->GetControl()) + (HasSeparatorAbove(ALink) ? SeparatorSize() : 0);
}

Integer TqzBarSubMenuControl::BandGap(TqzBarItemControl* AControl) {
  return AControl && AControl->GetStartsBand() && Painter()->ClassRef()->MenuOffsetsRecentGroup() ? 1 : 0;
}

void TqzBarSubMenuControl::ControlBounds(TqzBarItemControl* AControl, TRect& R) {
  inherited::ControlBounds(AControl, R);
  R.Top -= BandGap(AControl);
}

bool TqzBarSubMenuControl::HasSeparatorAbove(TqzBarItemLink* ALink) {
  // The first row, and the one under the up button, show no separator.
  Integer index = ALink->GetVisibleIndex();
  return ALink->GetBeginGroup() && index != FScrollIndex && !(CanScrollUp() && index == FScrollIndex + 1);
}

bool TqzBarSubMenuControl::OwnsForeignWindow(HWND AWnd) {
  TWinControl* owner = OwnerControl();
  return AWnd && owner && owner->HandleAllocated() && owner->GetHandle() == AWnd;
}

void TqzBarSubMenuControl::GetSideBandRect(TRect& R) {
  const TRect& items = GetItemsRect();
  R = TRect(items.Left - GetBarSize(), items.Top, items.Left, items.Bottom);
}

Integer TqzBarSubMenuControl::GetTextStart() { return Painter()->ClassRef()->MenuTextStart(this); }

Integer TqzBarSubMenuControl::GetGlyphColumnEnd() { return Painter()->ClassRef()->MenuTextIndent(this); }

Integer TqzBarSubMenuControl::ItemHeightFor(TqzBarItemControl* AControl) {
  Integer height = inherited::ItemHeightFor(AControl);
  if (AControl->GetMenuItemSize() != misLarge) return height;
  TqzBarItemLinks* links = AControl->GetLink() ? AControl->GetLink()->GetLinks() : nullptr;
  // The description takes half a row under the caption.
  if (links && links->GetEffectiveShowDescriptions()) return static_cast<Integer>(Round(height * 2.5));
  return 2 * height;
}

void TqzBarSubMenuControl::TakeMenuFont() {
  TFont* font = nullptr;
  if (TCustomqzBarControl* parent = GetOpenerBar())
    font = parent->GetFont();
  else if (TqzBarCustomPopupMenu* menu = OwnerPopupMenu())
    font = menu->GetFont();
  else if (TqzBarManager* manager = GetControlBarManager())
    font = manager->GetFont();
  if (font) GetFont()->Assign(font);
}

TFont* TqzBarSubMenuControl::GetEditFont() {
  if (TCustomqzBarControl* parent = GetOpenerBar()) return parent->GetEditFont();
  if (TqzBarCustomPopupMenu* menu = OwnerPopupMenu(); menu && menu->GetUseOwnFont()) return menu->GetEditFont();
  return inherited::GetEditFont();
}

Integer TqzBarSubMenuControl::TextSize() { return Painter()->ClassRef()->MenuItemTextSize(ActiveCanvas()); }

bool TqzBarSubMenuControl::RightButtonActsAsLeft() {
  if (FOpenerWidth == 0 && FOpenerHeight == 0) return true;
  auto* parent = dynamic_cast<TqzBarSubMenuControl*>(GetOpenerBar());
  return parent && parent->RightButtonActsAsLeft();
}

// ---- Painting ------------------------------------------------------------------------------------

HBRUSH TqzBarSubMenuControl::BackgroundBrush() {
  return FDrawingNonRecent && FNonRecentBrush ? FNonRecentBrush : MenuBackgroundBrush();
}

HBRUSH TqzBarSubMenuControl::MenuBackgroundBrush() {
  HBRUSH brush = nullptr;
  if (Painter()->ClassRef()->GetMenuBackgroundBrush(this, brush)) return brush;
  return Painter()->ClassRef()->MenuBrush(this);
}

TqzBarCustomPopupMenu* TqzBarSubMenuControl::OwnerPopupMenu() {
  TqzBarItemLinks* links = GetItemLinks();
  return dynamic_cast<TqzBarCustomPopupMenu*>(links ? links->GetOwnerComponent() : nullptr);
}

// A popup menu's own picture, else the manager's menu background; nullptr for none.
TBitmap* TqzBarSubMenuControl::BackgroundBitmap() {
  if (TqzBarCustomPopupMenu* menu = OwnerPopupMenu())
    if (!menu->GetBackgroundBitmap()->GetEmpty()) return menu->GetBackgroundBitmap();
  TBitmap* shared = GetControlBarManager()->GetBackgrounds()->GetSubMenu();
  return shared->GetEmpty() ? nullptr : shared;
}

void TqzBarSubMenuControl::DrawBackground(HDC DC, const TRect& R) {
  Painter()->FillMenuBackground(this, DC, clNone, BackgroundBrush(), R);
}

void TqzBarSubMenuControl::FillBackground(HDC DC, const TRect& R, bool, TColor, HBRUSH) { DrawBackground(DC, R); }

void TqzBarSubMenuControl::DrawNonClient(HDC DC, const TRect& R) {
  // The band of a detach caption takes the menu's background first: the looks draw the caption and
  // its frame, not every row between them and the items.
  if (HasDetachCaption()) {
    TRect margins;
    ContentMargins(true, margins);
    Integer border = Painter()->ClassRef()->MenuBorderSize();
    DrawBackground(DC, TRect(R.Left + border, R.Top + border, R.Right - border, R.Top + margins.Top));
  }
  Painter()->DrawMenuBorder(this, DC, R);
}

void TqzBarSubMenuControl::DrawItemControl(TqzBarItemControl* AControl, TkvCanvas* ACanvas, const TRect& R) {
  if (IsRectEmpty(&R)) return;
  // While a non-recent control draws, the menu's background brush is the lighter band's.
  FDrawingNonRecent = !Painter()->ClassRef()->MenuItemsSelectedFlat() && AControl->GetNonRecent();
  try {
    Integer separator = GetLayoutInfo()->FindSeparatorOfControl(AControl);
    if (separator >= 0) {
      Painter()->DrawMenuSeparatorItem(this, AControl, GetLayoutInfo()->GetSeparatorInfo(separator).Bounds, ACanvas);
    }
    Painter()->DrawMenuItemFrame(this, AControl, AControl->GetLink() ? AControl->GetLink()->GetIndex() : -1, R,
                                 ACanvas->DCHandle());
    TCustomqzBarControl::DrawItemControl(AControl, ACanvas, R);
  } catch (...) {
    FDrawingNonRecent = false;
    throw;
  }
  FDrawingNonRecent = false;
}

void TqzBarSubMenuControl::PaintItems() {
  CalcItemsRect();
  CalcViewInfo();
  TkvCanvas* canvas = ActiveCanvas();
  if (GetLayoutInfo()->GetItemViewInfoCount() > 0) {
    TqzBarItemControl* last = nullptr;
    for (Integer i = 0; i < GetLayoutInfo()->GetItemViewInfoCount(); ++i) {
      TqzBarItemControl* control = GetLayoutInfo()->GetItemViewInfoAt(i)->GetControl();
      control->SetIsLastInMenu(false);
      last = control;
    }
    if (last) last->SetIsLastInMenu(true);
    canvas->PushClip();
    DrawScrollButtons();
    // The background goes first round the items and their separators: the frame pieces a look
    // draws beside an item (the line above a band, the band carried below the last item) stay.
    canvas->PushClip();
    for (Integer i = 0; i < GetLayoutInfo()->GetItemViewInfoCount(); ++i)
      canvas->ClipOutRect(GetLayoutInfo()->GetItemViewInfoAt(i)->GetBounds());
    for (Integer i = 0; i < GetLayoutInfo()->SeparatorEntryCount(); ++i)
      canvas->ClipOutRect(GetLayoutInfo()->GetSeparatorInfo(i).Bounds);
    DrawBackground(canvas->DCHandle(), GetItemsRect());
    canvas->PopClip();
    DrawControls();
    canvas->PopClip();
  } else {
    DrawBackground(canvas->DCHandle(), GetItemsRect());
  }
}

void TqzBarSubMenuControl::Paint() {
  // A rolling-out window shows its frames, not itself.
  if (IsDestroying() || FDismissing || FAnimation) return;
  TkvCanvas* canvas = ActiveCanvas();
  canvas->PushClip();
  Painter()->DrawMenuInnerFrame(this, canvas->DCHandle(), BackgroundBrush(), GetClientRect());
  canvas->PopClip();
  PaintItems();
  PaintSideBand();
}

void TqzBarSubMenuControl::PaintSideBand() {
  TRect band;
  GetSideBandRect(band);
  if (IsRectEmpty(&band)) return;
  // A designer sees where the band is; at run time the links' owner paints it.
  if (IsDesigning()) {
    PaintGradientRect(ActiveCanvas()->DCHandle(), band, clBlack, clBlue, false);
    return;
  }
  TqzBarItemLinks* links = GetItemLinks();
  if (auto* owner = dynamic_cast<IqzBarSubMenuOwner*>(links ? links->GetOwnerComponent() : nullptr))
    owner->PaintBar(ActiveCanvas()->GetCanvas(), band);
}

void TqzBarSubMenuControl::RepaintControl(TqzBarItemControl* AControl) {
  if (!HandleAllocated() || !AControl) return;
  RECT r = AControl->GetItemRect();
  InvalidateRect(GetHandle(), &r, FALSE);
}

void TqzBarSubMenuControl::CreateLinkControls() {
  if (!IsCustomizing()) ExpandContainerLinks();
  inherited::CreateLinkControls();
}

void TqzBarSubMenuControl::DestroyLinkControls() {
  CollapseContainerLinks();
  inherited::DestroyLinkControls();
}

void TqzBarSubMenuControl::RecreateControls(bool ARecreate) {
  inherited::RecreateControls(ARecreate);
  if (!ARecreate || !HandleAllocated()) return;
  UpdateRecentLinkLimit();
  SetBounds(FRequestedLeft, FRequestedTop, GetWidth(), GetHeight());
  bool horz = false, vert = false;
  Place(TSize(0, 0), horz, vert);
  CalcItemsRect();
  // A shorter content scrolls back as far as it leaves room below.
  if (CanScrollUp() && !CanScrollDown()) {
    while (FScrollIndex > 0 && !CanScrollDown()) {
      --FScrollIndex;
      CalcItemsRect();
    }
    if (CanScrollDown()) {
      ++FScrollIndex;
      CalcItemsRect();
    }
  }
}

bool TqzBarSubMenuControl::IsDesigning() {
  if (TCustomqzBarControl::IsDesigning()) return true;
  TqzBarItemLinks* links = GetItemLinks();
  if (!links || !GetControlBarManager()->GetIsCustomizing()) return false;
  TComponent* owner = links->GetOwnerComponent();
  if (auto* subItem = dynamic_cast<TqzBarSubItem*>(owner)) return subItem->GetAllowCustomizing();
  return dynamic_cast<TqzBarCustomPopupMenu*>(owner) != nullptr;
}

void TqzBarSubMenuControl::LinkAtPoint(const TPoint& P, TqzBarItemLink*& ALink, bool& AVertical, bool& ABefore,
                                       bool& AAtSeparator) {
  TRect mark;
  if (ShowsMark()) MarkRect(mark);
  if (IsOnActiveScrollButton(P) || PtInRect(&mark, P)) {
    ALink = nullptr;
    AVertical = true;
    ABefore = false;
    AAtSeparator = false;
    return;
  }
  TCustomqzBarControl::LinkAtPoint(P, ALink, AVertical, ABefore, AAtSeparator);
}

void TqzBarSubMenuControl::ChangeSelection(TqzBarItemControl* AControl) {
  if (HandleAllocated() && GetSelectedControl() != AControl) {
    if (FMarkState != 1) {
      KillExpandTimer();
      StartExpandTimer(kSelectionExpandTimer);
    }
    // Only the menu's own items scroll (an application menu's bottom buttons stand outside them).
    if (AControl && !AControl->GetSelectedByMouse() && AControl->GetPaintType() == qzPaintMenu)
      ScrollIntoView(AControl);
  }
  TCustomqzBarControl::ChangeSelection(AControl);
}

void TqzBarSubMenuControl::ShowContextPopup(TqzBarItemControl* AControl) {
  TCustomqzBarControl* opener = GetOpenerBar();
  TqzBarItemLinks* links = GetItemLinks();
  if (opener && IsCustomizing() && (!links || links->GetVisibleLinkCount() == 0)) {
    opener->ShowContextPopup(opener->GetSelectedControl());
    return;
  }
  TqzBarManager* manager = GetControlBarManager();
  TqzBarItemLink* link = AControl ? AControl->GetLink() : nullptr;
  if (!manager || manager->IsCustomizingOrDesigning() || !link) {
    TCustomqzBarControl::ShowContextPopup(AControl);
    return;
  }
  // The design controller builds the entries of its own menus and frees them when it opens its
  // next popup: a right click on one of them would free the entry under the mouse.
  if (IsInternalMenu()) return;
  DesignControllerInstance()->ShowCustomizingPopup(
      manager, Painter(), link, this, [this, link](TqzBarItemLinks* ALinks) { FillCustomizingPopup(ALinks, link); });
}

// ---- Messages ------------------------------------------------------------------------------------

void TqzBarSubMenuControl::KeyDown(TMessage& Message) {
  FinishAnimation();
  if (ExpandsByKey(Message)) return;
  Word key = static_cast<Word>(Message.WParam);
  TqzBarItemControl* parentSelected = GetOpenerBar() ? GetOpenerBar()->GetSelectedControl() : nullptr;
  if (key == VK_ESCAPE) {
    // Back to the opener: only this menu closes.
    CloseOnEscape();
    return;
  }
  if (key == VK_LEFT && parentSelected && dynamic_cast<TqzBarSubMenuControl*>(GetOpenerBar())) {
    CloseOnEscape();
    return;
  }
  // A selected control that takes the key (a sub-item's Right) has it first.
  if (ForwardKeyToSelected(key)) return;
  // The column runs downwards: Up and Down walk it.
  if (key == VK_DOWN || key == VK_UP) {
    SelectNeighbour(key == VK_DOWN);
    return;
  }
  inherited::WndProc(Message);
}

void TqzBarSubMenuControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCCALCSIZE: {
      auto* rect = reinterpret_cast<RECT*>(Message.LParam);
      TRect margins;
      ContentMargins(true, margins);
      rect->Left += margins.Left;
      rect->Top += margins.Top;
      rect->Right = std::max(rect->Left, rect->Right - margins.Right);
      rect->Bottom = std::max(rect->Top, rect->Bottom - margins.Bottom);
      Message.Result = 0;
      return;
    }
    case WM_NCPAINT: {
      HDC dc = ::GetWindowDC(GetHandle());
      RECT window;
      ::GetWindowRect(GetHandle(), &window);
      DrawNonClient(dc, TRect(0, 0, window.Right - window.Left, window.Bottom - window.Top));
      ReleaseDC(GetHandle(), dc);
      Message.Result = 0;
      return;
    }
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS;
      return;
    case WM_KEYDOWN:
      KeyDown(Message);
      return;
    case WM_NCHITTEST:
      if (HasDetachCaption()) {
        TRect caption;
        GetDetachCaptionRect(caption);
        RECT window;
        ::GetWindowRect(GetHandle(), &window);
        TPoint p(static_cast<short>(LOWORD(Message.LParam)) - window.Left,
                 static_cast<short>(HIWORD(Message.LParam)) - window.Top);
        if (PtInRect(&caption, p)) {
          Message.Result = HTCLIENT;
          return;
        }
      }
      break;
    case WM_TIMER:
      switch (Message.WParam) {
        case kAnimationTimer:
          AnimationTimer();
          return;
        case kScrollTimer:
          ScrollTimer();
          return;
        case kSelectionExpandTimer:
        case kMarkExpandTimer:
          ExpandTimer(Message.WParam);
          return;
        default:
          break;
      }
      break;
    case WM_LBUTTONDOWN:
      LeftButtonDown(Message);
      return;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      if (RightButtonActsAsLeft()) Message.Msg = Message.Msg == WM_RBUTTONDOWN ? WM_LBUTTONDOWN : WM_LBUTTONUP;
      break;
    default:
      break;
  }
  inherited::WndProc(Message);
}

bool TqzBarSubMenuControl::IsInternalMenu() {
  auto* parent = dynamic_cast<TqzBarSubMenuControl*>(GetOpenerBar());
  return parent && parent->IsInternalMenu();
}
