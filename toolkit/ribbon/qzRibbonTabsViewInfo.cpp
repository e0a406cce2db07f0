// The row of tab headers: each header's widths, the row at optimal widths, compressed pixel by
// pixel, or scrolled with buttons; the header states and their drawing.

#include <algorithm>
#include <cstdlib>

#include "gdi/Regions.h"
#include "rtl/Math.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "user/Rects.h"

TAVREN_CLASS_IMPL(TqzRibbonTabViewInfo)
TAVREN_CLASS_IMPL(TqzRibbonTabsViewInfo)

namespace {

// What a header gives up before its caption is cut: the padding beyond caption width + 10.
constexpr Integer kTabSlack = 17;

}  // namespace

// ---- One header ------------------------------------------------------------------------------

TqzRibbonTabViewInfo::TqzRibbonTabViewInfo(TqzRibbonTab* ATab)
    : FPainter(std::make_unique<TqzRibbonTabPainter>(ATab->GetRibbon()->GetColorScheme())), FTab(ATab) {}

TqzRibbonTabViewInfo::~TqzRibbonTabViewInfo() = default;

void TqzRibbonTabViewInfo::CalculateWidths() {
  TFont* font = FTab->GetRibbon()->GetFonts()->GetTabHeader();
  const String caption = FTab->GetCaption();
  FTextWidth = TextWidthInFont(font, caption);
  FOptimalWidth = FTextWidth + 27;
  FMinWidth = std::max(TextWidthInFont(font, caption.substr(0, std::min<size_t>(caption.size(), 3))) + 10, 27);
}

TRect TqzRibbonTabViewInfo::GetTextBounds() {
  return TRect{FBounds.Left + 5, FBounds.Top + 4, FBounds.Right - 5, FBounds.Bottom - 4};
}

TRect TqzRibbonTabViewInfo::GetSeparatorBounds() {
  if (!FSeparatorWanted || FSeparatorAlpha == 0) return TRect{};
  return TRect{FBounds.Right - 1, FBounds.Top, FBounds.Right, FBounds.Bottom - 1};
}

void TqzRibbonTabViewInfo::Calculate(const TRect& ABounds, Byte ASeparatorAlpha) {
  FBounds = ABounds;
  FSeparatorAlpha = ASeparatorAlpha;
  FTextBounds = GetTextBounds();
  FSeparatorBounds = GetSeparatorBounds();
}

Integer TqzRibbonTabViewInfo::GetState() {
  TqzCustomRibbon* ribbon = FTab->GetRibbon();
  if (FTab->IsSelectedByKeyboard()) return ribbon->AreTabGroupsShown() ? 4 : 1;
  const bool hot = ribbon->GetHotObject() == FTab;
  const bool active = ribbon->GetActiveTab() == FTab;
  if (!hot && !active) return 0;
  if (!active || !ribbon->AreTabGroupsShown()) return 1;
  return hot ? 3 : 2;
}

Integer TqzRibbonTabViewInfo::GetFontState() {
  const Integer state = GetState();
  if (FTab->GetRibbon()->GetActiveTab() == FTab && FTab->GetRibbon()->AreTabGroupsShown()) return 3;
  return state > 0 ? 2 : 0;
}

void TqzRibbonTabViewInfo::Paint(TCanvas* ACanvas, bool ACompressed) {
  FPainter->DrawBackground(ACanvas, FBounds, GetState());
  ACanvas->SetFont(FTab->GetRibbon()->GetFonts()->GetTabHeaderFont(GetFontState()));
  FPainter->DrawText(ACanvas, FTextBounds, ACompressed, FTab->GetCaption());
  if (!IsRectEmpty(&FSeparatorBounds)) FPainter->DrawSeparator(ACanvas, FSeparatorBounds, FSeparatorAlpha);
}

// ---- The row ---------------------------------------------------------------------------------

TqzRibbonTabsViewInfo::TqzRibbonTabsViewInfo(TqzCustomRibbon* ARibbon) : FRibbon(ARibbon) {}

TqzRibbonTabsViewInfo::~TqzRibbonTabsViewInfo() = default;

void TqzRibbonTabsViewInfo::Clear() { FItems.clear(); }

Integer TqzRibbonTabsViewInfo::ScrollButtonWidth() const {
  return std::abs(FRibbon->GetFonts()->GetTabHeader()->GetHeight()) + 2;
}

void TqzRibbonTabsViewInfo::ResetScrolling() {
  FScrollOffset = 0;
  FMaxScrollOffset = 0;
  FScrollButtons = 0;
  FScrollButtonBounds[0] = FScrollButtonBounds[1] = TRect{};
}

void TqzRibbonTabsViewInfo::PlaceTabs(Integer ALeft) {
  Integer left = ALeft;
  for (auto& info : FItems) {
    info->Calculate(TRect{left, FBounds.Top, left + info->GetWidth(), FBounds.Bottom}, FSeparatorAlpha);
    left += info->GetWidth();
  }
}

void TqzRibbonTabsViewInfo::Calculate(const TRect& ABounds) {
  FBounds = ABounds;
  FTruncated = false;
  FScrollButtons = 0;
  FScrollButtonBounds[0] = FScrollButtonBounds[1] = TRect{};
  FSeparatorAlpha = 0;
  FMinWidthSum = FOptimalWidthSum = 0;
  for (size_t i = 0; i < FItems.size(); ++i) {
    TqzRibbonTabViewInfo* info = FItems[i].get();
    info->CalculateWidths();
    FOptimalWidthSum += info->GetOptimalWidth();
    FMinWidthSum += info->GetMinWidth();
    info->SetSeparatorWanted(i + 1 < FItems.size() || FSeparatorAfterLastTab);
  }
  const Integer available = FBounds.Width();
  if (available >= FOptimalWidthSum)
    CalculateOptimal();
  else if (available < FMinWidthSum)
    CalculateScrolled();
  else
    CalculateCompressed();
}

void TqzRibbonTabsViewInfo::CalculateOptimal() {
  ResetScrolling();
  FSeparatorAlpha = 0;
  for (auto& info : FItems) info->SetWidth(info->GetOptimalWidth());
  PlaceTabs(FBounds.Left);
}

void TqzRibbonTabsViewInfo::CalculateCompressed() {
  ResetScrolling();
  const Integer count = GetCount();
  const Integer excess = FOptimalWidthSum - FBounds.Width();
  if (excess <= kTabSlack * count) {
    FSeparatorAlpha = static_cast<Byte>(MulDiv(excess, 255, kTabSlack * count));
    const Integer share = excess / count;
    const Integer rest = excess % count;
    for (Integer i = 0; i < count; ++i)
      FItems[i]->SetWidth(FItems[i]->GetOptimalWidth() - share - (i >= count - rest ? 1 : 0));
  } else {
    FSeparatorAlpha = 255;
    Integer widest = 0;
    for (auto& info : FItems) {
      info->SetWidth(info->GetTextWidth() + 10);
      widest = std::max(widest, info->GetWidth());
    }
    // Pixels come off the widest captions first, one per tab and pass.
    Integer remaining = excess - kTabSlack * count;
    Integer threshold = widest - 1;
    bool lastPassTook = false;
    while (remaining > 0) {
      lastPassTook = false;
      for (Integer i = 0; i < count && remaining > 0; ++i) {
        TqzRibbonTabViewInfo* info = FItems[i].get();
        const Integer floor = info->GetMinWidth() + (i + 1 < count ? 1 : 0);
        if (info->GetWidth() > threshold && info->GetWidth() > floor) {
          info->SetWidth(info->GetWidth() - 1);
          --remaining;
          lastPassTook = true;
        }
      }
      if (!lastPassTook) break;
      --threshold;
    }
    FTruncated = lastPassTook;
  }
  PlaceTabs(FBounds.Left);
}

void TqzRibbonTabsViewInfo::CalculateScrolled() {
  FSeparatorAlpha = 255;
  const Integer count = GetCount();
  Integer total = 0;
  for (Integer i = 0; i < count; ++i) {
    FItems[i]->SetWidth(FItems[i]->GetMinWidth() + (i + 1 < count ? 1 : 0));
    total += FItems[i]->GetWidth();
  }
  FMaxScrollOffset = std::max(total - FBounds.Width(), 0);
  FScrollOffset = std::clamp(FScrollOffset, 0, FMaxScrollOffset);
  PlaceTabs(FBounds.Left - FScrollOffset);
  if (FScrollOffset == 0)
    FScrollButtons = 2;
  else if (FScrollOffset == FMaxScrollOffset)
    FScrollButtons = 1;
  else
    FScrollButtons = 3;
  const Integer width = ScrollButtonWidth();
  FScrollButtonBounds[0] =
      (FScrollButtons & 1) ? TRect{FBounds.Left, FBounds.Top, FBounds.Left + width, FBounds.Bottom} : TRect{};
  FScrollButtonBounds[1] =
      (FScrollButtons & 2) ? TRect{FBounds.Right - width, FBounds.Top, FBounds.Right, FBounds.Bottom} : TRect{};
  FTruncated = true;
}

void TqzRibbonTabsViewInfo::SetScrollOffset(Integer Value) {
  Value = std::clamp(Value, 0, FMaxScrollOffset);
  if (Value == FScrollOffset) return;
  FScrollOffset = Value;
  FRibbon->Changed();
}

void TqzRibbonTabsViewInfo::MakeTabVisible(TqzRibbonTab* ATab) {
  if (FScrollButtons == 0) return;
  TqzRibbonTabViewInfo* info = Find(ATab);
  if (!info) return;
  const TRect& r = info->GetBounds();
  const bool first = FItems.front().get() == info;
  const bool last = FItems.back().get() == info;
  Integer offset = FScrollOffset;
  if (r.Left < FBounds.Left)
    offset -= FBounds.Left - r.Left + (first ? 0 : ScrollButtonWidth());
  else if (r.Right > FBounds.Right)
    offset += r.Right - FBounds.Right + (last ? 0 : ScrollButtonWidth());
  SetScrollOffset(offset);
}

TRect TqzRibbonTabsViewInfo::GetClipBounds() const {
  TRect r = FBounds;
  if (FScrollButtons & 1) r.Left = FScrollButtonBounds[0].Right;
  if (FScrollButtons & 2) r.Right = FScrollButtonBounds[1].Left;
  return r;
}

TqzRibbonTabViewInfo* TqzRibbonTabsViewInfo::Find(TqzRibbonTab* ATab) const {
  for (auto& info : FItems)
    if (info->GetTab() == ATab) return info.get();
  return nullptr;
}

bool TqzRibbonTabsViewInfo::HitTest(const TPoint& P, TqzRibbonHitInfo& AHit) {
  if ((FScrollButtons & 1) && PtInRect(&FScrollButtonBounds[0], P)) {
    AHit.Kind = rhkTabScrollLeft;
    return true;
  }
  if ((FScrollButtons & 2) && PtInRect(&FScrollButtonBounds[1], P)) {
    AHit.Kind = rhkTabScrollRight;
    return true;
  }
  const TRect clip = GetClipBounds();
  if (!PtInRect(&clip, P)) return false;
  for (auto& info : FItems)
    if (PtInRect(&info->GetBounds(), P)) {
      AHit.Kind = rhkTab;
      AHit.Tab = info->GetTab();
      return true;
    }
  return false;
}

void TqzRibbonTabsViewInfo::Paint(TCanvas* ACanvas) {
  HDC dc = ACanvas->GetHandle();
  TqzRibbonPainter* painter = FRibbon->GetPainter();
  TqzRibbonController* controller = FRibbon->GetController();
  for (Integer i = 0; i < 2; ++i) {
    if (!(FScrollButtons & (1 << i))) continue;
    const TqzRibbonHitKind kind = i == 0 ? rhkTabScrollLeft : rhkTabScrollRight;
    painter->DrawTabScrollButton(ACanvas, FScrollButtonBounds[i], controller->GetHotElement() == kind,
                                 controller->GetScrollingElement() == kind, i == 0);
  }
  const TRect clip = GetClipBounds();
  const bool compressed = FSeparatorAlpha == 255;
  for (auto& info : FItems) {
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, clip.Left, clip.Top, clip.Right, clip.Bottom);
    info->Paint(ACanvas, compressed);
    RestoreDC(dc, saved);
  }
  for (auto& info : FItems) {
    TRect r;
    if (IntersectRect(&r, &info->GetBounds(), &clip)) ExcludeClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
  }
}
