// The ribbon area's layout: heights, the application button, the tab row's neighbours, the
// groups site and the quick access toolbar strip, the hit test and the painting order.

#include "toolkit/ribbon/qzRibbonViewInfo.h"

#include <algorithm>
#include <cstdlib>

#include "gdi/Regions.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/ribbon/qzRibbonForm.h"
#include "toolkit/ribbon/qzRibbonQuickAccess.h"
#include "user/Rects.h"
#include "vcl/Forms.h"

TAVREN_CLASS_IMPL(TqzRibbonViewInfo)

TqzRibbonViewInfo::TqzRibbonViewInfo(TqzCustomRibbon* ARibbon)
    : FRibbon(ARibbon), FTabsViewInfo(std::make_unique<TqzRibbonTabsViewInfo>(ARibbon)) {}

TqzRibbonViewInfo::~TqzRibbonViewInfo() = default;

// ---- Predicates ------------------------------------------------------------------------------

bool TqzRibbonViewInfo::IsBarManagerUsable(bool AForce) {
  return FRibbon->IsBarManagerValid() && (AForce || !FRibbon->GetHidden());
}

bool TqzRibbonViewInfo::AreTabHeadersShown(bool AForce) {
  return (AForce || !FRibbon->GetHidden()) && FRibbon->GetShowTabHeaders();
}

bool TqzRibbonViewInfo::IsQuickAccessToolbarShown(bool AForce) {
  TqzRibbonQuickAccessToolbar* toolbar = FRibbon->GetQuickAccessToolbar();
  return IsBarManagerUsable(AForce) && toolbar->GetVisible() && toolbar->GetToolbar() &&
         toolbar->GetToolbar()->GetVisible();
}

bool TqzRibbonViewInfo::IsQuickAccessToolbarBelow() {
  return FRibbon->GetQuickAccessToolbar()->GetPosition() == qtpBelowRibbon;
}

bool TqzRibbonViewInfo::IsQuickAccessToolbarInCaption(bool AForce) {
  return FUseNonClientDrawing && !IsQuickAccessToolbarBelow() && IsQuickAccessToolbarShown(AForce);
}

bool TqzRibbonViewInfo::AreGroupsShownInRibbon(bool AForce) {
  return IsBarManagerUsable(AForce) && FRibbon->GetShowTabGroups() && FRibbon->VisibleTabCount() > 0;
}

bool TqzRibbonViewInfo::IsApplicationButtonShown(bool AForce) {
  return (AForce || !FRibbon->GetHidden()) && FRibbon->GetApplicationButton()->GetVisible() &&
         AreTabHeadersShown(AForce) &&
         (FUseNonClientDrawing || (IsQuickAccessToolbarShown(AForce) && !IsQuickAccessToolbarBelow()));
}

bool TqzRibbonViewInfo::IsHelpButtonShown() {
  return !FRibbon->GetHidden() && AreTabHeadersShown(false) && static_cast<bool>(FRibbon->GetOnHelpButtonClick());
}

// The platform has no MDI child windows, so there is never an active child to serve.
bool TqzRibbonViewInfo::AreMDIButtonsShown() { return false; }

bool TqzRibbonViewInfo::ShouldBeHidden() {
  if (FRibbon->IsDesignTime()) return false;
  TCustomForm* form = GetParentForm(FRibbon);
  if (!form) return false;
  return form->GetWindowState() == wsMinimized || form->GetWidth() < 300 || form->GetHeight() < 250;
}

// ---- Calculation -----------------------------------------------------------------------------

void TqzRibbonViewInfo::Calculate(const TRect& ABounds) {
  FCalculating = true;
  struct TDone {
    bool& flag;
    ~TDone() { flag = false; }
  } done{FCalculating};
  FBounds = ABounds;
  // The ribbon draws its form's caption and frame only on a ribbon form.
  FUseNonClientDrawing = FRibbon->GetSupportNonClientDrawing() && FRibbon->RibbonForm() && FRibbon->GetFormCaptionHelper();
  FUseCompositionFrame = FUseNonClientDrawing && UsesGlassFrame(FRibbon->GetFormCaptionHelper()->GetFrameInfo());
  FRibbon->GetFonts()->UpdateFonts();
  CalculateApplicationButton();
  CalculateQuickAccessToolbar();
  CalculateCaption();
  if (ShouldBeHidden() == FRibbon->GetHidden()) {
    RebuildTabViewInfos();
    CalculateGroupsSite();
    CalculateMDIButtons();
    CalculateHelpButton();
    CalculateTabs();
    FCalculatedHeight = (!FRibbon->GetHidden() || FRibbon->IsDesignTime()) ? GetRibbonHeight() : CaptionHeight();
    FRibbon->SetHeight(FCalculatedHeight);
  } else {
    FRibbon->SetHidden(!FRibbon->GetHidden());
    Calculate(ABounds);
  }
}

void TqzRibbonViewInfo::RebuildTabViewInfos() {
  FTabsViewInfo->Clear();
  TqzRibbonTabCollection* tabs = FRibbon->GetTabs();
  for (Integer i = 0; i < tabs->GetCount(); ++i) {
    TqzRibbonTab* tab = tabs->GetTab(i);
    if (!tab->GetVisible()) continue;
    auto* info = static_cast<TqzRibbonTabViewInfo*>(GetTabViewInfoClass().Create(tab));
    FTabsViewInfo->Add(info);
  }
}

TClassOf<TqzRibbonTabViewInfo> TqzRibbonViewInfo::GetTabViewInfoClass() { return TqzRibbonTabViewInfo::ClassInfo(); }

Integer TqzRibbonViewInfo::GetTabsHeight() {
  if (!AreTabHeadersShown(false)) return 0;
  return 2 * std::abs(FRibbon->GetFonts()->GetTabHeader()->GetHeight()) + 2;
}

Integer TqzRibbonViewInfo::CaptionHeight() { return FUseNonClientDrawing ? FRibbon->GetFormCaptionHeight() : 0; }

Integer TqzRibbonViewInfo::TabsTop() {
  if (FUseNonClientDrawing) return CaptionHeight();
  return IsQuickAccessToolbarShown(false) && !IsQuickAccessToolbarBelow() ? GetQuickAccessToolbarHeight() : 0;
}

TRect TqzRibbonViewInfo::GetGroupsDockMargins() { return TRect{4, 3, 4, 4}; }

Integer TqzRibbonViewInfo::GetGroupsHeight(bool AForce) {
  if (!AForce && !AreGroupsShownInRibbon(false)) return 0;
  return FRibbon->GroupsHeight() + 3 + 4;
}

Integer TqzRibbonViewInfo::GetRibbonHeight() {
  Integer height;
  if (IsQuickAccessToolbarShown(false) && IsQuickAccessToolbarBelow())
    height = FQuickAccessToolbarBounds.Bottom;
  else if (AreGroupsShownInRibbon(false))
    height = FGroupsSiteBounds.Bottom;
  else
    height = TabsTop() + GetTabsHeight() + 1;
  FDesignPlaceholder = FRibbon->IsDesignTime() && height < 8;
  return FDesignPlaceholder ? 24 : height;
}

// ---- Application button ----------------------------------------------------------------------

Integer TqzRibbonViewInfo::ScaledToScreen(Integer AValue) { return ScaleByScreenDPI(AValue, 96); }

TSize TqzRibbonViewInfo::GetApplicationButtonSkinSize() {
  TqzCustomRibbonSkin* scheme = FRibbon->GetColorScheme();
  return scheme ? scheme->GetApplicationButtonSize() : TSize(0, 0);
}

TSize TqzRibbonViewInfo::GetApplicationButtonSize() {
  TSize size = GetApplicationButtonSkinSize();
  return TSize(ScaledToScreen(size.cx), ScaledToScreen(size.cy));
}

TRect TqzRibbonViewInfo::GetApplicationButtonMargins() {
  return TRect{ScaledToScreen(4), ScaledToScreen(10), ScaledToScreen(4), ScaledToScreen(0)};
}

TRect TqzRibbonViewInfo::GetApplicationButtonBounds() {
  if (!IsApplicationButtonShown(false)) return TRect{};
  TSize size = GetApplicationButtonSize();
  TRect margins = GetApplicationButtonMargins();
  return TRect{0, 0, size.cx + margins.Left + margins.Right, size.cy + margins.Top + margins.Bottom};
}

TRect TqzRibbonViewInfo::GetApplicationButtonImageBounds() {
  if (!IsApplicationButtonShown(false)) return TRect{};
  TRect bounds = GetApplicationButtonBounds();
  TSize size = GetApplicationButtonSize();
  const Integer left = bounds.Left + (bounds.Width() - size.cx) / 2;
  const Integer top = bounds.Top + (bounds.Height() - size.cy) / 2;
  return TRect{left, top, left + size.cx, top + size.cy};
}

HRGN TqzRibbonViewInfo::CreateApplicationButtonRegion() {
  if (!IsApplicationButtonShown(false)) return nullptr;
  return CreateRectRgnIndirect(&FApplicationButtonBounds);
}

Integer TqzRibbonViewInfo::GetApplicationButtonState() {
  return FRibbon->IsApplicationButtonSelectedByKeyboard() ? 1 : FRibbon->GetApplicationButtonState();
}

void TqzRibbonViewInfo::CalculateApplicationButton() {
  FApplicationButtonBounds = GetApplicationButtonBounds();
  FApplicationButtonImageBounds = GetApplicationButtonImageBounds();
}

// ---- Caption ---------------------------------------------------------------------------------

String TqzRibbonViewInfo::GetDocumentName() { return FRibbon->GetDocumentName(); }

String TqzRibbonViewInfo::GetCaptionText() {
  TCustomForm* form = dynamic_cast<TCustomForm*>(FRibbon->GetOwner());
  const String caption = form ? form->GetCaption() : String();
  const String document = GetDocumentName();
  return document.empty() ? caption : document + " - " + caption;
}

TRect TqzRibbonViewInfo::GetCaptionAreaBounds() {
  TRect r = FRibbon->GetFormCaptionHelper()->GetCaptionTextRect();
  if (FRibbon->GetHidden()) return r;
  TqzCustomRibbonSkin* scheme = FRibbon->GetColorScheme();
  const Integer indent = scheme ? scheme->CaptionIndent() : 0;
  if (IsQuickAccessToolbarInCaption(false))
    r.Left = FQuickAccessToolbarBounds.Right + indent;
  else if (IsApplicationButtonShown(false))
    r.Left = FApplicationButtonBounds.Right;
  r.Bottom = CaptionHeight();
  return r;
}

// Centred over the whole ribbon when the text fits there inside the caption area.
TRect TqzRibbonViewInfo::GetCaptionTextBounds() {
  TRect area = GetCaptionAreaBounds();
  area.Left += 4;
  area.Right -= 4;
  const Integer width = TextWidthInFont(FRibbon->GetFonts()->GetFormCaptionFont(true), GetCaptionText()) +
                        (FUseCompositionFrame ? 20 : 0);
  TRect candidate{FBounds.Left + 4, area.Top, FBounds.Right - 4, area.Bottom};
  const Integer d = candidate.Width() - width;
  if (d >= 0) {
    candidate.Left += d / 2;
    candidate.Right -= d / 2 - 1;
  }
  return candidate.Left >= area.Left && candidate.Right <= area.Right ? candidate : area;
}

void TqzRibbonViewInfo::CalculateCaption() { FCaptionBounds = FUseNonClientDrawing ? GetCaptionTextBounds() : TRect{}; }

// ---- Quick access toolbar --------------------------------------------------------------------

TRect TqzRibbonViewInfo::GetQuickAccessToolbarMargins() {
  if (IsQuickAccessToolbarBelow()) return TRect{2, 2, 2, 2};
  TqzCustomRibbonSkin* scheme = FRibbon->GetColorScheme();
  TRect margins;
  margins.Left = (scheme ? scheme->QuickAccessOverrideWidth(IsApplicationButtonShown(false)) : 0) + 1;
  const TSize size = FQuickAccessToolbarSize;
  margins.Right = (size.cx != 0 && FRibbon->GetPopupMenuItems().Empty()) ? (((size.cy + 2) / 2) | 1) + 12 : 0;
  if (FUseNonClientDrawing) {
    const Integer free = CaptionHeight() - size.cy;
    margins.Bottom = free / 2;
    margins.Top = free - margins.Bottom;
  } else {
    margins.Top = 4;
    margins.Bottom = 5;
  }
  return margins;
}

// The toolbar's size is what its quick access window reports for the width the strip leaves;
// without that window there is nothing to show in the strip.
TSize TqzRibbonViewInfo::GetQuickAccessToolbarSize() {
  if (!IsQuickAccessToolbarShown(false)) return TSize(0, 0);
  auto* window = dynamic_cast<TqzRibbonQuickAccessBarControl*>(FRibbon->GetQuickAccessToolbar()->GetToolbar()->GetBarControl());
  if (!window) return TSize(0, 0);
  const TRect margins = GetQuickAccessToolbarMargins();
  TSize size;
  window->CalcSize(dsTop, MaximalQuickAccessToolbarWidth() - margins.Left - margins.Right, size);
  return size;
}

Integer TqzRibbonViewInfo::MaximalQuickAccessToolbarWidth() {
  Integer left = 0;
  if (!IsQuickAccessToolbarBelow() && IsApplicationButtonShown(false)) {
    TqzCustomRibbonSkin* scheme = FRibbon->GetColorScheme();
    left = FApplicationButtonBounds.Right - (scheme ? scheme->QuickAccessOverrideWidth(true) : 0);
  }
  return std::max(FBounds.Right - left, 0);
}

Integer TqzRibbonViewInfo::GetQuickAccessToolbarLeft() {
  if (IsQuickAccessToolbarBelow()) return FBounds.Left;
  TqzCustomRibbonSkin* scheme = FRibbon->GetColorScheme();
  Integer left;
  if (IsApplicationButtonShown(false))
    left = FApplicationButtonBounds.Right - (scheme ? scheme->QuickAccessOverrideWidth(true) : 0);
  else
    left = FBounds.Left + 2;
  return left + (scheme ? scheme->QuickAccessLeftIndent() : 0);
}

Integer TqzRibbonViewInfo::GetQuickAccessToolbarTop() {
  if (!IsQuickAccessToolbarBelow()) return 0;
  return CaptionHeight() + GetTabsHeight() + GetGroupsHeight(false) - (AreTabHeadersShown(false) ? 1 : 0);
}

Integer TqzRibbonViewInfo::GetQuickAccessToolbarWidth() {
  if (!IsQuickAccessToolbarShown(false)) return 0;
  if (IsQuickAccessToolbarBelow()) return FBounds.Right;
  TRect margins = GetQuickAccessToolbarMargins();
  return FQuickAccessToolbarSize.cx + margins.Left + margins.Right;
}

Integer TqzRibbonViewInfo::GetQuickAccessToolbarHeight() {
  if (!IsQuickAccessToolbarShown(false)) return 0;
  TRect margins = GetQuickAccessToolbarMargins();
  return FQuickAccessToolbarSize.cy + margins.Top + margins.Bottom;
}

TRect TqzRibbonViewInfo::GetQuickAccessToolbarBounds() {
  const Integer left = GetQuickAccessToolbarLeft();
  const Integer top = GetQuickAccessToolbarTop();
  return TRect{left, top, left + GetQuickAccessToolbarWidth(), top + GetQuickAccessToolbarHeight()};
}

TRect TqzRibbonViewInfo::GetQuickAccessToolbarDockBounds() {
  TRect bounds = GetQuickAccessToolbarBounds();
  TRect margins = GetQuickAccessToolbarMargins();
  bounds = TRect{bounds.Left + margins.Left, bounds.Top + margins.Top, bounds.Right - margins.Right,
                 bounds.Bottom - margins.Bottom};
  bounds.Right = bounds.Left + FQuickAccessToolbarSize.cx;
  return bounds;
}

void TqzRibbonViewInfo::CalculateQuickAccessToolbar() {
  TqzRibbonQuickAccessDockControl* dock = FRibbon->GetQuickAccessToolbar()->GetDockControl();
  dock->PrepareWindows();
  FQuickAccessToolbarSize = GetQuickAccessToolbarSize();
  const bool shown = IsQuickAccessToolbarShown(false);
  FQuickAccessToolbarBounds = shown ? GetQuickAccessToolbarBounds() : TRect{};
  dock->Place(shown, GetQuickAccessToolbarDockBounds());
}

// ---- Groups site -----------------------------------------------------------------------------

TRect TqzRibbonViewInfo::GetGroupsSiteBounds() {
  TRect bounds = FBounds;
  bounds.Top += TabsTop() + GetTabsHeight() - (AreTabHeadersShown(false) ? 1 : 0);
  bounds.Bottom = bounds.Top + GetGroupsHeight(false);
  return bounds;
}

TRect TqzRibbonViewInfo::GetGroupsDockBounds() {
  TRect site = GetGroupsSiteBounds();
  TRect margins = GetGroupsDockMargins();
  return TRect{margins.Left, margins.Top, site.Width() - margins.Right, site.Height() - margins.Bottom};
}

void TqzRibbonViewInfo::CalculateGroupsSite() {
  if (!AreGroupsShownInRibbon(false)) {
    FGroupsSiteBounds = TRect{};
    FGroupsDockBounds = TRect{};
  } else {
    FGroupsSiteBounds = GetGroupsSiteBounds();
    FGroupsDockBounds = GetGroupsDockBounds();
  }
  TqzRibbonGroupsDockControlSite* site = FRibbon->GetGroupsSite();
  // While the groups popup of a minimized ribbon holds the site, the popup places it.
  if (site && site->GetParent() == FRibbon) {
    site->SetBoundsRect(FGroupsSiteBounds);
    site->GetViewInfo()->Calculate();
    if (AreGroupsShownInRibbon(false))
      for (Integer i = 0; i < FRibbon->GetTabs()->GetCount(); ++i) FRibbon->GetTabs()->GetTab(i)->UpdateGroupsLayout();
  }
}

// ---- Tab row and its neighbours --------------------------------------------------------------

void TqzRibbonViewInfo::CalculateMDIButtons() {
  for (TRect& r : FMDIButtonBounds) r = TRect{};
  if (!AreMDIButtonsShown()) return;
  const Integer side = GetTabsHeight() - 2;
  const Integer top = FBounds.Top + TabsTop();
  Integer right = FBounds.Right;
  for (Integer i = 2; i >= 0; --i) {
    FMDIButtonBounds[i] = TRect{right - side, top, right, top + side};
    right -= side;
  }
}

void TqzRibbonViewInfo::CalculateHelpButton() {
  FHelpButtonBounds = TRect{};
  if (!IsHelpButtonShown()) return;
  const Integer side = GetTabsHeight() - 2;
  const Integer top = FBounds.Top + TabsTop();
  const Integer right = AreMDIButtonsShown() ? FMDIButtonBounds[0].Left : FBounds.Right;
  FHelpButtonBounds = TRect{right - side, top, right, top + side};
}

TRect TqzRibbonViewInfo::TabsAreaBounds() {
  TRect r;
  r.Left = std::max(FApplicationButtonBounds.Right, 8);
  if (IsHelpButtonShown())
    r.Right = FHelpButtonBounds.Left - 1;
  else if (AreMDIButtonsShown())
    r.Right = FMDIButtonBounds[0].Left - 1;
  else
    r.Right = FBounds.Right - 6;
  r.Top = FBounds.Top + TabsTop();
  r.Bottom = r.Top + GetTabsHeight();
  return r;
}

void TqzRibbonViewInfo::CalculateTabs() {
  FTabsViewInfo->SetHasSeparatorAfterLastTab(IsHelpButtonShown() || AreMDIButtonsShown());
  if (AreTabHeadersShown(false) && FTabsViewInfo->GetCount() > 0) FTabsViewInfo->Calculate(TabsAreaBounds());
}

// ---- Hit test --------------------------------------------------------------------------------

TqzRibbonHitInfo TqzRibbonViewInfo::HitTest(Integer X, Integer Y) {
  TqzRibbonHitInfo hit;
  const TPoint p(X, Y);
  if (AreMDIButtonsShown())
    for (Integer i = 0; i < 3; ++i)
      if (PtInRect(&FMDIButtonBounds[i], p)) {
        hit.Kind = static_cast<TqzRibbonHitKind>(rhkMDIMinimize + i);
        return hit;
      }
  if (IsHelpButtonShown() && PtInRect(&FHelpButtonBounds, p)) {
    hit.Kind = rhkHelpButton;
    return hit;
  }
  if (AreTabHeadersShown(false) && FTabsViewInfo->HitTest(p, hit)) return hit;
  if (TqzRibbonGroupsDockControlSite* site = FRibbon->GetGroupsSite())
    if (site->GetViewInfo()->HitTest(X, Y, hit)) return hit;
  if (IsApplicationButtonShown(false) && PtInRect(&FApplicationButtonImageBounds, p)) hit.Kind = rhkApplicationButton;
  return hit;
}

TqzRibbonTab* TqzRibbonViewInfo::GetTabAtPoint(Integer X, Integer Y) {
  const TPoint p(X, Y);
  for (Integer i = 0; i < FTabsViewInfo->GetCount(); ++i) {
    TqzRibbonTabViewInfo* info = FTabsViewInfo->GetItem(i);
    if (PtInRect(&info->GetBounds(), p)) return info->GetTab();
  }
  return nullptr;
}

Integer TqzRibbonViewInfo::ElementState(TqzRibbonHitKind AKind) {
  TqzRibbonController* controller = FRibbon->GetController();
  if (controller->GetHotElement() != AKind) return 0;
  if (controller->GetPressedElement() == AKind) return 2;
  return controller->GetPressedElement() < rhkTabScrollLeft ? 1 : 0;
}

// ---- Painting --------------------------------------------------------------------------------

void TqzRibbonViewInfo::Paint(TCanvas* ACanvas) {
  TqzRibbonPainter* painter = FRibbon->GetPainter();
  if (FDesignPlaceholder) {
    painter->DrawDesignPlaceholder(ACanvas);
    return;
  }
  HDC dc = ACanvas->GetHandle();
  TRect background = FBounds;
  background.Top = std::max(background.Top, CaptionHeight());
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, background.Left, background.Top, background.Right, background.Bottom);
  painter->DrawBackground(ACanvas, background);
  RestoreDC(dc, saved);
  if (AreMDIButtonsShown())
    for (Integer i = 0; i < 3; ++i)
      painter->DrawMDIButton(ACanvas, FMDIButtonBounds[i], ElementState(static_cast<TqzRibbonHitKind>(rhkMDIMinimize + i)), i);
  if (IsHelpButtonShown()) painter->DrawHelpButton(ACanvas, FHelpButtonBounds, ElementState(rhkHelpButton));
  if (IsQuickAccessToolbarShown(false) && !IsQuickAccessToolbarInCaption(false))
    painter->DrawQuickAccessToolbar(ACanvas, FQuickAccessToolbarBounds, true);
  if (AreTabHeadersShown(false) && !AreGroupsShownInRibbon(false) &&
      !(IsQuickAccessToolbarShown(false) && IsQuickAccessToolbarBelow()))
    painter->DrawTabRowEdge(ACanvas);
  if (AreTabHeadersShown(false)) FTabsViewInfo->Paint(ACanvas);
  if (AreGroupsShownInRibbon(false)) painter->DrawGroupsArea(ACanvas, FGroupsSiteBounds);
  if (IsApplicationButtonShown(false))
    painter->DrawApplicationButton(ACanvas, FApplicationButtonImageBounds, GetApplicationButtonState());
}
