// Dock sites: rows and columns of docked toolbar windows, where a dragged toolbar would go, the
// layout of each row and the site's size.

#include "toolkit/bars/qzBarDockControl.h"

#include <algorithm>

#include "rtl/ColorIdents.h"
#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/bars/qzBarPainter.h"
#include "toolkit/bars/qzBarQuickControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "gdi/Edges.h"
#include "user/Painting.h"
#include "vcl/Forms.h"
#include "user/Rects.h"
#include "user/WindowPos.h"
#include "user/WindowTree.h"

TAVREN_CLASS_IMPL(TqzDockCol)
TAVREN_CLASS_IMPL(TqzDockRow)
TAVREN_CLASS_IMPL(TqzDockControl)
TAVREN_CLASS_IMPL_PUBLISHED(TqzBarDockControl,
    PROPERTY(Align).Stored(true),
    PROPERTY(AllowDocking).Default(true),
    PROPERTY(AllowZeroSizeInDesignTime).Default(false),
    PROPERTY(Anchors),
    PROPERTY(BarManager),
    PROPERTY(Color).Idents(ColorIdentMap).Stored<&TqzBarDockControl::IsColorStored>(),
    PROPERTY(ParentColor).Stored<&TqzBarDockControl::IsColorStored>(),
    PROPERTY(SunkenBorder).Stored<&TqzBarDockControl::IsSunkenBorderStored>(),
    PROPERTY(UseOwnColor).Default(false),
    PROPERTY(UseOwnSunkenBorder).Default(false),
    PROPERTY(Visible).Default(true),
    PROPERTY(BackgroundBitmap),
    PROPERTY(OnClick),
    PROPERTY(OnDblClick),
    PROPERTY(OnMouseDown),
    PROPERTY(OnMouseMove),
    PROPERTY(OnMouseUp),
    PROPERTY(OnResize))

namespace {

// The split line inside a row boundary's band.
constexpr Integer kSplitLine = 5;

// The coordinate along a site's rows.
Integer AlongOf(bool AVertical, const TPoint& P) { return AVertical ? P.Y : P.X; }

}  // namespace

// ---- Rows ----------------------------------------------------------------------------------------

TqzDockRow::~TqzDockRow() {
  FCols.clear();
  std::vector<TqzBar*> bars = std::move(FBars);
  for (TqzBar* bar : bars)
    if (bar->GetDockRow() == this) bar->ForgetRowObject();
}

Integer TqzDockRow::IndexOfBarControl(TqzBarControl* AControl) const {
  for (size_t i = 0; i < FCols.size(); ++i)
    if (FCols[i]->GetBarControl() == AControl) return static_cast<Integer>(i);
  return -1;
}

TqzDockCol* TqzDockRow::InsertCol(Integer AIndex, TqzBarControl* AControl) {
  AIndex = std::clamp<Integer>(AIndex, 0, GetColCount());
  FCols.insert(FCols.begin() + AIndex, std::make_unique<TqzDockCol>(this, AControl));
  return FCols[AIndex].get();
}

void TqzDockRow::RemoveBarWindow(TqzBarControl* AControl) {
  Integer index = IndexOfBarControl(AControl);
  if (index >= 0) RemoveCol(index);
}

void TqzDockRow::RemoveCol(Integer AIndex) { FCols.erase(FCols.begin() + AIndex); }

bool TqzDockRow::HasDockedBar() const {
  for (TqzBar* bar : FBars) {
    TqzBarControl* window = bar->GetBarControl();
    if (window && window->GetDockingStyle() != dsNone) return true;
  }
  return false;
}

void TqzDockRow::UpdateOneOnRow() {
  for (TqzBar* bar : FBars) bar->SetOneOnRow(GetColCount() == 1);
}

void TqzDockCol::UpdatePosFromBar() { FPos = TPoint(FBarControl->GetLeft(), FBarControl->GetTop()); }

void TqzDockRow::AttachBar(TqzBar* ABar) {
  if (std::find(FBars.begin(), FBars.end(), ABar) == FBars.end()) FBars.push_back(ABar);
  TqzBarControl* window = ABar->GetBarControl();
  if (window && window->GetDockControl() == FDockControl && !window->IsFloating() &&
      IndexOfBarControl(window) < 0) {
    Integer along = FDockControl->IsVertical() ? ABar->GetDockedTop() : ABar->GetDockedLeft();
    Integer index = GetColCount();
    for (Integer i = 0; i < GetColCount(); ++i)
      if (AlongOf(FDockControl->IsVertical(), FCols[i]->GetPos()) >= along) {
        index = i;
        break;
      }
    InsertCol(index, window)->SetPos(TPoint(ABar->GetDockedLeft(), ABar->GetDockedTop()));
  }
}

void TqzDockRow::RemoveBar(TqzBar* ABar, bool AFreeWhenEmpty) {
  std::erase(FBars, ABar);
  if (TqzBarControl* window = ABar->GetBarControl()) RemoveBarWindow(window);
  if (FBars.empty() && AFreeWhenEmpty) FDockControl->DeleteRow(this);
}

// ---- The site ------------------------------------------------------------------------------------

TqzDockControl::TqzDockControl(TComponent* AOwner) : TCustomControl(AOwner) {
  FBackgroundBitmap = std::make_unique<TBitmap>();
  FBackgroundBitmap->SetOnChange(MakeEvent<&TqzDockControl::BackgroundBitmapChanged>(this));
  FBackgroundCache = std::make_unique<TBitmap>();
  SetParentColor(true);
  SetHeight(0);
}

TqzDockControl::TqzDockControl(TqzBarManager* AManager, TqzBarDockingStyle AStyle) : TqzDockControl(AManager) {
  static const TAlign kAligns[] = {alNone, alLeft, alTop, alRight, alBottom};
  FDockingStyle = AStyle;
  TControlStyle style = GetControlStyle();
  style.Include(csDoubleClicks);
  style.Include(csNoDesignVisible);
  SetControlStyle(style);
  SetBounds(0, 0, 0, 0);
  SetAlign(kAligns[AStyle]);
  if (AStyle == dsTop) {
    style = GetControlStyle();
    style.Include(csActionClient);
    SetControlStyle(style);
  }
  FBarManager = AManager;
  if (TWinControl* owner = AManager->GetOwnerControl()) SetParent(owner);
}

TqzDockControl::~TqzDockControl() {
  ReleaseAccessibilityHelper(FAccessibilityHelper);
  // The windows in the rows go with the site's children; they forget it first.
  for (auto& row : FRows)
    for (Integer i = 0; i < row->GetColCount(); ++i) row->GetCol(i)->GetBarControl()->ForgetDockControl();
  FRows.clear();
  if (FBarManager) {
    if (!HasDockingStyle()) FBarManager->RemovePublishedDockSite(this);
    if (FBarManager->GetBars()) FBarManager->GetBars()->DockControlGone(this);
  }
}

namespace {
TqzBarControl* NewToolbarControl(TComponent* AOwner, TqzBar* ABar) { return new TqzBarControl(AOwner, ABar); }
}  // namespace

TqzBarControlFactory TqzDockControl::BarControlClass() { return &NewToolbarControl; }

void TqzDockControl::SetBarManager(TqzBarManager* Value) {
  if (FBarManager == Value) return;
  if (FBarManager && !HasDockingStyle()) FBarManager->RemovePublishedDockSite(this);
  FBarManager = Value;
  if (FBarManager && !HasDockingStyle()) FBarManager->AddPublishedDockSite(this);
  ManagerChanged();
}

void TqzDockControl::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FBarManager) SetBarManager(nullptr);
}

TCustomForm* TqzDockControl::FormOfKind(Integer AKind) {
  TCustomForm* form = HandleAllocated() ? FormAboveControl(this, AKind) : nullptr;
  if (!form && FBarManager) form = FBarManager->GetParentForm();
  return form;
}

void TqzDockControl::ManagerChanged() { ClearBackgroundCache(); }

bool TqzDockControl::CanDockBar(TqzBar*) { return FAllowDocking; }

void TqzDockControl::UpdateColor() {
  if (!FBarManager || FBarManager->GetAutoDockColor())
    SetParentColor(true);
  else
    SetColor(FBarManager->GetDockColor());
}

bool TqzDockControl::ReadSunkenBorder() { return FBarManager && FBarManager->GetSunkenBorder(); }

TqzBarPainter* TqzDockControl::GetPainter() { return FBarManager->GetDefaultPainter(); }

bool TqzDockControl::HasBackgroundBitmap() { return !FBackgroundBitmap->GetEmpty(); }

bool TqzDockControl::HasCustomBackground() {
  return HasBackgroundBitmap() ||
         (FBarManager && (GetPainter()->ClassRef()->PaintsNativeBackground() ||
                          !FBarManager->GetBackgrounds()->GetBar()->GetEmpty()));
}

void TqzDockControl::UpdateDoubleBuffered() { SetDoubleBuffered(HasCustomBackground()); }

TqzBarDockingStyle TqzDockControl::GetDockingStyle() const {
  if (FDockingStyle != dsNone) return FDockingStyle;
  switch (GetAlign()) {
    case alLeft: return dsLeft;
    case alRight: return dsRight;
    case alBottom: return dsBottom;
    default: return dsTop;
  }
}

bool TqzDockControl::IsVertical() const {
  TqzBarDockingStyle style = GetDockingStyle();
  return style == dsLeft || style == dsRight;
}

Integer TqzDockControl::IndexOfRow(TqzDockRow* ARow) const {
  for (size_t i = 0; i < FRows.size(); ++i)
    if (FRows[i].get() == ARow) return static_cast<Integer>(i);
  return -1;
}

TqzDockRow* TqzDockControl::InsertRow(Integer AIndex) {
  AIndex = std::clamp<Integer>(AIndex, 0, GetRowCount());
  FRows.insert(FRows.begin() + AIndex, std::make_unique<TqzDockRow>(this));
  return FRows[AIndex].get();
}

void TqzDockControl::DeleteRow(TqzDockRow* ARow) {
  Integer index = IndexOfRow(ARow);
  if (index >= 0) FRows.erase(FRows.begin() + index);
}

bool TqzDockControl::FindColumn(TqzBarControl* AControl, Integer& ARow, Integer& ACol) const {
  for (Integer r = 0; r < GetRowCount(); ++r) {
    Integer c = FRows[r]->IndexOfBarControl(AControl);
    if (c >= 0) {
      ARow = r;
      ACol = c;
      return true;
    }
  }
  return false;
}

bool TqzDockControl::RowHoldsOnly(Integer ARow, TqzBarControl* AControl) const {
  TqzDockRow* row = FRows[ARow].get();
  return row->GetColCount() == 1 && row->GetCol(0)->GetBarControl() == AControl;
}

// ---- Where a window goes -------------------------------------------------------------------------

TPoint TqzDockControl::SiteOrigin() {
  // A site without a window yet counts from the screen's origin: the stored rows decide then.
  return HandleAllocated() ? GetClientOrigin() : TPoint(0, 0);
}

TPoint TqzDockControl::ScreenToSite(const TPoint& P) {
  TPoint origin = SiteOrigin();
  return TPoint(P.X - origin.X, P.Y - origin.Y);
}

TPoint TqzDockControl::SiteToScreen(const TPoint& P) {
  TPoint origin = SiteOrigin();
  return TPoint(P.X + origin.X, P.Y + origin.Y);
}

Integer TqzDockControl::AcrossOf(const TPoint& AScreenPoint) {
  TPoint p = ScreenToSite(AScreenPoint);
  return IsVertical() ? p.X : p.Y;
}

Integer TqzDockControl::ClientAcross() { return IsVertical() ? GetClientWidth() : GetClientHeight(); }

void TqzDockControl::RowZone(Integer I, Integer APart, Integer& ALow, Integer& AHigh) {
  Integer z = FBarManager ? FBarManager->GetBars()->GetDockingZoneSize() : 23;
  TqzBarDockingStyle style = GetDockingStyle();
  bool nearSide = style == dsLeft || style == dsTop;
  Integer extent = RowsExtent();
  if (I < 0) {
    ALow = nearSide ? -z : ClientAcross() - extent - z;
    AHigh = ALow + z;
  } else if (I >= GetRowCount()) {
    ALow = nearSide ? extent : ClientAcross();
    AHigh = ALow + z;
  } else {
    TRect r = RowRect(I);
    ALow = IsVertical() ? r.Left : r.Top;
    AHigh = IsVertical() ? r.Right : r.Bottom;
  }
  Integer split = nearSide ? ALow + (z - kSplitLine) / 2 : AHigh - (z - kSplitLine) / 2 - kSplitLine;
  if (APart == 0) {
    AHigh = std::max(ALow, split);
  } else if (APart == 1) {
    ALow = split;
    AHigh = split + kSplitLine;
  } else {
    ALow = std::min(AHigh, split + kSplitLine);
  }
}

Integer TqzDockControl::RowAtPoint(const TPoint& AScreenPoint, bool& ANewRow) {
  ANewRow = true;
  if (GetRowCount() == 0) return 0;
  Integer across = AcrossOf(AScreenPoint);
  Integer result = -1;
  bool found = false;
  for (Integer i = -1; i < GetRowCount() && !found; ++i)
    for (Integer part = 0; part <= 2; ++part) {
      Integer low, high;
      RowZone(i, part, low, high);
      if (across >= low && across < high) {
        result = part == 0 ? i : i + 1;
        ANewRow = part == 1;
        found = true;
        break;
      }
    }
  if (!found || result < 0) {
    ANewRow = true;
    return across < RowsExtent() ? 0 : GetRowCount();
  }
  if (result >= GetRowCount()) ANewRow = true;
  return result;
}

Integer TqzDockControl::ColumnAtPoint(Integer ARow, const TPoint& AScreenPoint) {
  if (ARow < 0 || ARow >= GetRowCount() || FRows[ARow]->GetColCount() == 0) return 0;
  TPoint p = ScreenToSite(AScreenPoint);
  TqzBarControl* moving = FBarManager ? FBarManager->GetBars()->GetMovingBarControl() : nullptr;
  if (moving && !moving->IsChangingWindow()) {
    TPoint offset;
    moving->CursorOffsetForStyle(GetDockingStyle(), offset);
    p.X -= IsVertical() ? 0 : offset.X;
    p.Y -= IsVertical() ? offset.Y : 0;
  }
  Integer along = AlongOf(IsVertical(), p);
  TqzDockRow* row = FRows[ARow].get();
  for (Integer i = 0; i < row->GetColCount(); ++i) {
    TqzBar* bar = row->GetCol(i)->GetBarControl()->GetBar();
    Integer stored = IsVertical() ? bar->GetDockedTop() : bar->GetDockedLeft();
    if (stored >= along) return i;
  }
  return row->GetColCount();
}

void TqzDockControl::BarPlaceAtPoint(TqzBarControl* AControl, const TPoint& AScreenPoint, Integer& ARow,
                                     bool& AOneOnRow) {
  if (AControl->IsChangingWindow()) {
    ARow = AControl->GetBar()->GetStoredRow();
    AOneOnRow = AControl->GetBar()->GetOneOnRow();
  } else {
    ARow = RowAtPoint(AScreenPoint, AOneOnRow);
  }
  if (AControl->GetBar()->GetWholeRow()) AOneOnRow = true;
}

void TqzDockControl::RowAnchorPoint(Integer ARow, bool AOneOnRow, TPoint& AScreenPoint) {
  if (ARow == GetRowCount()) AOneOnRow = false;
  Integer anchor;
  if (AOneOnRow) {
    Integer low, high;
    RowZone(ARow - 1, 1, low, high);
    anchor = (low + high) / 2;
  } else {
    Integer pLow, pHigh, qLow, qHigh;
    RowZone(ARow - 1, 2, pLow, pHigh);
    RowZone(ARow, 0, qLow, qHigh);
    Integer qWidth = qHigh - qLow;
    if (qWidth < qLow - pLow) pLow = qLow - qWidth;
    anchor = (pLow + qHigh) / 2;
  }
  TPoint p = ScreenToSite(AScreenPoint);
  if (IsVertical())
    p.X = anchor;
  else
    p.Y = anchor;
  AScreenPoint = SiteToScreen(p);
}

bool TqzDockControl::InDockingZone(const TPoint& AScreenPoint) {
  if (!HandleAllocated() || !GetParent()) return false;
  Integer z = FBarManager ? FBarManager->GetBars()->GetDockingZoneSize() : 23;
  TPoint origin = SiteOrigin();
  TRect r(origin.X, origin.Y, origin.X + GetWidth(), origin.Y + GetHeight());
  InflateRect(&r, z, z);
  return PtInRect(&r, AScreenPoint);
}

void TqzDockControl::InsertBarControl(TqzBarControl* AControl, const TPoint& AScreenPoint, bool AApply) {
  if (!FBarManager) return;
  TqzBar* bar = AControl->GetBar();
  Integer index;
  bool oneOnRow;
  BarPlaceAtPoint(AControl, AScreenPoint, index, oneOnRow);
  bool restoring = FBarManager->IsSettingUpLoadedBars() && AControl->IsChangingWindow();
  index = std::max<Integer>(index, 0);
  if (restoring) {
    while (GetRowCount() < index + (oneOnRow ? 0 : 1)) AppendRow();
  } else if (oneOnRow || index >= GetRowCount()) {
    index = std::min(index, GetRowCount());
  } else {
    index = std::min(index, GetRowCount() - 1);
  }
  if (!oneOnRow && index < GetRowCount()) {
    TqzDockRow* row = FRows[index].get();
    for (Integer i = 0; i < row->GetColCount(); ++i)
      if (row->GetCol(i)->GetBarControl() != AControl && row->GetCol(i)->GetBarControl()->GetBar()->GetWholeRow())
        oneOnRow = true;
  }
  if (index >= GetRowCount()) oneOnRow = true;
  TqzDockCol* col;
  TqzDockRow* row;
  if (oneOnRow) {
    row = restoring && index < GetRowCount() && FRows[index]->GetColCount() == 0 ? FRows[index].get() : InsertRow(index);
    col = row->InsertCol(row->GetColCount(), AControl);
  } else {
    row = FRows[index].get();
    col = row->InsertCol(ColumnAtPoint(index, AScreenPoint), AControl);
  }
  bar->SetRowObject(row);
  // A window put back where the bar's stored values say leaves them as stored.
  if (!AControl->IsChangingWindow()) row->UpdateOneOnRow();
  TPoint p;
  if (AControl->IsChangingWindow() && restoring) {
    p = TPoint(bar->GetDockedLeft(), bar->GetDockedTop());
  } else if (AControl->IsChangingWindow()) {
    p = TPoint(bar->GetDockedLeft(), bar->GetDockedTop());
  } else {
    TPoint cursor = AScreenPoint;
    TqzBars* bars = FBarManager->GetBars();
    if (bars->GetMovingBarControl() == AControl) {
      cursor.X -= bars->GetRowAnchorShift().X;
      cursor.Y -= bars->GetRowAnchorShift().Y;
    }
    TPoint offset;
    AControl->CursorOffsetForStyle(GetDockingStyle(), offset);
    p = ScreenToSite(TPoint(cursor.X - offset.X, cursor.Y - offset.Y));
    if (IsVertical())
      p.Y = std::max<Integer>(p.Y, 0);
    else
      p.X = std::max<Integer>(p.X, 0);
  }
  col->SetPos(p);
  if (!AApply) return;
  if (!AControl->GetMoving()) {
    AControl->SetLeft(p.X);
    AControl->SetTop(p.Y);
  }
  RebuildRows();
  if (!FBarManager->IsSettingUpLoadedBars()) col->UpdatePosFromBar();
}

void TqzDockControl::RemoveBarControl(TqzBarControl* AControl, bool ARebuild) {
  for (auto& row : FRows) {
    if (row->IndexOfBarControl(AControl) < 0) continue;
    row->RemoveBarWindow(AControl);
    row->UpdateOneOnRow();
    break;
  }
  if (ARebuild) RebuildRows();
}

void TqzDockControl::MoveBarControl(TqzBarControl* AControl, const TPoint& AScreenPoint) {
  RemoveBarControl(AControl, false);
  InsertBarControl(AControl, AScreenPoint);
  if (HasCustomBackground()) {
    ClearBackgroundCache();
    RepaintBars();
  }
}

// ---- Geometry and layout -------------------------------------------------------------------------

Integer TqzDockControl::RowThickness(Integer ARow) const {
  TqzDockRow* row = FRows[ARow].get();
  Integer thickness = 0;
  bool vertical = IsVertical();
  for (Integer i = 0; i < row->GetColCount(); ++i) {
    TqzBarControl* window = row->GetCol(i)->GetBarControl();
    if (window->IsFloating()) continue;
    thickness = std::max(thickness, vertical ? window->GetWidth() : window->GetHeight());
  }
  if (thickness > 0 && ARow < GetRowCount() - 1 && FBarManager)
    thickness += FBarManager->GetDefaultPainter()->ClassRef()->DockRowGap();
  return thickness;
}

TRect TqzDockControl::RowRect(Integer ARow) {
  if (ARow < 0 || ARow >= GetRowCount()) return TRect();
  Integer start = 0;
  TqzBarDockingStyle style = GetDockingStyle();
  bool fromFar = (style == dsRight || style == dsBottom) && FBarManager && FBarManager->GetBars()->GetMovingBarControl();
  if (fromFar) {
    start = ClientAcross();
    for (Integer i = GetRowCount() - 1; i >= ARow; --i) start -= RowThickness(i);
  } else {
    for (Integer i = 0; i < ARow; ++i) start += RowThickness(i);
  }
  Integer end = start + RowThickness(ARow);
  return IsVertical() ? TRect(start, 0, end, GetClientHeight()) : TRect(0, start, GetClientWidth(), end);
}

Integer TqzDockControl::RowsExtent() {
  Integer extent = 0;
  for (Integer i = 0; i < GetRowCount(); ++i) extent += RowThickness(i);
  return extent;
}

Integer TqzDockControl::RowLength() { return IsVertical() ? GetClientHeight() : GetClientWidth(); }

void TqzDockControl::ArrangeRows() {
  if (FArranging) return;
  FArranging = true;
  try {
    for (Integer i = 0; i < GetRowCount(); ++i) ArrangeRow(i, RowLength());
  } catch (...) {
    FArranging = false;
    throw;
  }
  FArranging = false;
}

void TqzDockControl::ArrangeRow(Integer ARow, Integer ALength) {
  TqzDockRow* row = FRows[ARow].get();
  Integer count = row->GetColCount();
  if (count == 0) return;
  bool vertical = IsVertical();
  TqzBarDockingStyle style = GetDockingStyle();
  Integer rowStart = [&] {
    TRect r = RowRect(ARow);
    return vertical ? r.Left : r.Top;
  }();
  TqzBarControl* moving = FBarManager->GetBars()->GetMovingBarControl();

  struct TPlace {
    TqzBarControl* Window;
    TqzBarItemLinks* Links;
    TRect Border;
    Integer BorderAlong, BorderAcross, Min, Full, Length, Thickness, Pos;
    bool Truncated;
    bool Hides;
  };
  std::vector<TPlace> places(count);
  Integer total = 0;
  for (Integer i = 0; i < count; ++i) {
    TPlace& p = places[i];
    p.Window = row->GetCol(i)->GetBarControl();
    p.Window->HandleNeeded();
    p.Links = p.Window->GetItemLinks();
    p.Window->SetLinksHidden(false);
    if (p.Links) p.Links->SetRecentLinkLimit(-1);
    p.Border = p.Window->BorderSizes(style);
    p.BorderAlong = vertical ? p.Border.Top + p.Border.Bottom : p.Border.Left + p.Border.Right;
    p.BorderAcross = vertical ? p.Border.Left + p.Border.Right : p.Border.Top + p.Border.Bottom;
    p.Min = (vertical ? p.Window->CalcRowExtent(style) : p.Window->CalcWidth(style)) + p.BorderAlong;
    p.Full = (vertical ? p.Window->FullHeight(style) : p.Window->FullWidth(style)) + p.BorderAlong;
    if (!p.Window->ShowsMark() && p.Min != p.Full) p.Min += p.Window->MarkSizeMetric();
    p.Window->SetMinLength(p.Min);
    p.Window->SetFullLength(p.Full);
    p.Truncated = false;
    p.Hides = false;
    total += p.Full;
  }
  // The thickness of a window sized for a length along the row.
  auto thicknessFor = [&](TPlace& p, Integer ALen) {
    Integer len = ALen - p.BorderAlong;
    if (!p.Window->Painter()->ClassRef()->SupportsQuickCustomizing()) len -= p.Window->MarkSize();
    TSize size;
    if (vertical) {
      p.Window->CalcSizeForHeight(style, len, size);
      return size.cx;
    }
    p.Window->CalcSize(style, len, size);
    return size.cy;
  };
  auto fullThickness = [&](TPlace& p) {
    if (p.Window->IsMultiLineLayout()) return thicknessFor(p, p.Full);
    return vertical ? p.Window->FullWidth(style) : p.Window->FullHeight(style);
  };
  auto posOf = [&](Integer i) { return AlongOf(vertical, row->GetCol(i)->GetPos()); };
  std::vector<Integer> sumMin(count + 1, 0), sumFull(count + 1, 0);
  for (Integer i = 0; i < count; ++i) {
    sumMin[i + 1] = sumMin[i] + places[i].Min;
    sumFull[i + 1] = sumFull[i] + places[i].Full;
  }

  if (places[0].Window->GetBar()->GetWholeRow()) {
    TPlace& p = places[0];
    p.Pos = 0;
    p.Length = std::max(ALength, p.Min);
    p.Thickness = thicknessFor(p, p.Length) + p.BorderAcross;
    p.Hides = !p.Window->IsMultiLineLayout() && p.Length < p.Full;
    count = 1;
  } else if (ALength >= total) {
    Integer nextStart = ALength;
    for (Integer i = count - 1; i >= 0; --i) {
      TPlace& p = places[i];
      p.Length = p.Full;
      p.Thickness = fullThickness(p) + p.BorderAcross;
      p.Pos = std::max(std::min(posOf(i), nextStart - p.Length), sumFull[i]);
      nextStart = p.Pos;
    }
  } else {
    Integer limit = ALength;
    for (Integer i = count - 1; i >= 0; --i) {
      TPlace& p = places[i];
      Integer wanted = std::clamp(posOf(i), sumMin[i], std::max(sumMin[i], sumFull[i]));
      if (i > 0 && places[i - 1].Window == moving) {
        Integer movedPos = std::max(posOf(i - 1), sumMin[i - 1]) + places[i - 1].Full;
        if (movedPos < wanted) {
          wanted = movedPos;
          TPoint pos = row->GetCol(i)->GetPos();
          if (vertical)
            pos.Y = wanted;
          else
            pos.X = wanted;
          row->GetCol(i)->SetPos(pos);
        }
      }
      Integer room = i == 0 ? limit : limit - wanted;
      if (room < p.Full) {
        p.Truncated = true;
        p.Hides = !p.Window->IsMultiLineLayout() && p.Min != p.Full;
        p.Length = std::max(room, p.Min);
        p.Thickness = thicknessFor(p, p.Length) + p.BorderAcross;
      } else {
        p.Length = p.Full;
        p.Thickness = fullThickness(p) + p.BorderAcross;
      }
      if (i == 0) p.Length = std::max(limit, p.Min);
      p.Pos = std::clamp(limit - p.Length, sumMin[i], std::max(sumMin[i], sumFull[i]));
      if (i == 0) p.Pos = 0;
      limit -= p.Length;
    }
  }
  // Packing.
  bool autoAlign = FBarManager->GetAutoAlignBars();
  for (Integer i = 0; i < count; ++i) {
    TPlace& p = places[i];
    bool rest = p.Window->GetBar()->GetUseRestSpace();
    if (rest || autoAlign) p.Pos = i == 0 ? 0 : places[i - 1].Pos + places[i - 1].Length;
    if (rest) {
      Integer end = i + 1 < count ? places[i + 1].Pos : ALength;
      if (i + 1 < count && (autoAlign || places[i + 1].Window->GetBar()->GetUseRestSpace()))
        end = std::max(end, p.Pos + p.Length);
      p.Length = std::max(end - p.Pos, p.Min);
    }
  }
  // Finishing.
  TPlace& last = places[count - 1];
  if (last.Truncated) last.Length = std::max(ALength - last.Pos, last.Min);
  Integer thickness = 0;
  for (Integer i = 0; i < count; ++i) thickness = std::max(thickness, places[i].Thickness);
  for (Integer i = 0; i < count; ++i) {
    TPlace& p = places[i];
    thicknessFor(p, p.Length);
    TRect r = vertical ? TRect(rowStart, p.Pos, rowStart + thickness, p.Pos + p.Length)
                       : TRect(p.Pos, rowStart, p.Pos + p.Length, rowStart + thickness);
    // Sizing passes above ran at the window's old size; the row's verdict stands now.
    p.Window->SetLinksHidden(p.Hides);
    p.Window->SetDesiredBounds(r);
    p.Window->ApplyDesiredBounds();
    p.Window->CalcViewInfoNow();
  }
}

void TqzDockControl::RebuildRows() {
  if (!FBarManager || FBarManager->IsUpdateLocked() || FBarManager->IsDestroying()) return;
  RealignRows();
  UpdateSize();
}

void TqzDockControl::RealignRows() {
  if (GetRowCount() == 0 || !FBarManager || FBarManager->IsSettingUpLoadedBars() || FBarManager->IsDestroying() ||
      !HandleAllocated())
    return;
  // The site stays in front of its siblings so a neighbouring control never hides its rows.
  SetWindowPos(GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  DisableAlign();
  try {
    ArrangeRows();
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
  Invalidate();
}

void TqzDockControl::RecreateFrames() {
  if (!HandleAllocated()) return;
  constexpr UINT kFrameOnly = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
  SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0, kFrameOnly);
  for (auto& row : FRows)
    for (Integer i = 0; i < row->GetColCount(); ++i) {
      TqzBarControl* window = row->GetCol(i)->GetBarControl();
      if (window->HandleAllocated()) SetWindowPos(window->GetHandle(), nullptr, 0, 0, 0, 0, kFrameOnly);
    }
  RebuildRows();
}

void TqzDockControl::UpdateSize() {
  Integer size = RowsExtent();
  // The sunken edge takes a pixel on each side once there are rows to frame.
  if (GetRowCount() > 0 && ReadSunkenBorder()) size += 2;
  TqzBarDockingStyle style = GetDockingStyle();
  if (IsVertical()) {
    if (GetWidth() == size) return;
    if (style == dsRight)
      SetBounds(GetLeft() + GetWidth() - size, GetTop(), size, GetHeight());
    else
      SetWidth(size);
  } else {
    if (GetHeight() == size) return;
    if (style == dsBottom)
      SetBounds(GetLeft(), GetTop() + GetHeight() - size, GetWidth(), size);
    else
      SetHeight(size);
  }
  CloseMenusAfterResize();
}

void TqzDockControl::CloseMenusAfterResize() {
  // The open menus hang from where the toolbars were: they would float beside them now.
  auto* root = dynamic_cast<TqzBarControl*>(ActiveBarControl());
  if (!GetVisible() || !root || !FBarManager || dynamic_cast<TqzBarQuickControl*>(root) ||
      root->GetControlBarManager() != FBarManager)
    return;
  if (root->HandleAllocated() && GetCapture() == root->GetHandle()) return;
  // A placed site answers only for toolbars in placed sites (or for any, lying on no form).
  TqzDockControl* rootSite = root->GetDockControl();
  if (!HasDockingStyle() && ::GetParentForm(this) && !(rootSite && !rootSite->HasDockingStyle())) return;
  root->CloseOnce();
}

void TqzDockControl::UpdatePositions() {
  for (auto& row : FRows)
    for (Integer i = 0; i < row->GetColCount(); ++i) {
      row->GetCol(i)->UpdatePosFromBar();
    }
}

// ---- Window and painting -------------------------------------------------------------------------

void TqzDockControl::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style |= WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  Params.WindowClass.style = CS_DBLCLKS;
}

void TqzDockControl::CreateWnd() {
  inherited::CreateWnd();
  // The windows that waited for the site get theirs now and the rows are laid out.
  RebuildRows();
}

void TqzDockControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND: {
      FillBackground(reinterpret_cast<HDC>(Message.WParam), GetClientRect(), GetColor(), nullptr, GetClientRect());
      Message.Result = 1;
      return;
    }
    case WM_NCCALCSIZE:
      inherited::WndProc(Message);
      if (ReadSunkenBorder()) {
        auto* rect = reinterpret_cast<RECT*>(Message.LParam);
        InflateRect(rect, -1, -1);
        rect->Right = std::max(rect->Right, rect->Left);
        rect->Bottom = std::max(rect->Bottom, rect->Top);
      }
      return;
    case WM_NCPAINT:
      inherited::WndProc(Message);
      if (ReadSunkenBorder() && HandleAllocated()) {
        HDC dc = GetWindowDC(GetHandle());
        RECT r = {0, 0, GetWidth(), GetHeight()};
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        ReleaseDC(GetHandle(), dc);
      }
      return;
    case WM_MOUSEACTIVATE:
      if (FBarManager && !FBarManager->IsDesigning() && !FindHostPopupWindow(this, true)) {
        // A press on the site leaves the focus where it is but shows the site's form in front.
        if (TCustomForm* form = MainForm(); form && form->HandleAllocated())
          SetWindowPos(form->GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        Message.Result = MA_NOACTIVATE;
        return;
      }
      break;
    case WM_WINDOWPOSCHANGED: {
      inherited::WndProc(Message);
      auto* pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
      // A manager's own sites are placed while it makes its bars: nothing to refresh yet.
      if (!FBarManager || !FBarManager->GetBars() || FBarManager->IsDestroying() ||
          ((pos->flags & SWP_NOMOVE) && (pos->flags & SWP_NOSIZE)))
        return;
      if (GetDockingStyle() == dsBottom) {
        // A status-bar look's size grip depends on where the site's bottom edge is.
        FBarManager->BeginUpdate();
        try {
          for (auto& row : FRows)
            for (Integer i = 0; i < row->GetColCount(); ++i)
              if (TqzBarControl* window = row->GetCol(i)->GetBarControl(); window->GetBar()->IsStatusBarLike())
                window->RefreshLayout();
        } catch (...) {
          FBarManager->EndUpdate();
          throw;
        }
        FBarManager->EndUpdate();
      }
      if (HasCustomBackground()) RepaintBars();
      return;
    }
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
      ClearBackgroundCache();
      break;
    case WM_RBUTTONDOWN:
      if (FBarManager && !FBarManager->GetIsCustomizing()) {
        ShowToolbarsPopup();
        return;
      }
      break;
    case WM_LBUTTONDBLCLK:
      if (FBarManager && FBarManager->GetCanCustomize()) {
        FBarManager->SetIsCustomizing(true);
        Message.Result = 0;
        return;
      }
      break;
    case WM_SIZE:
      ClearBackgroundCache();
      inherited::WndProc(Message);
      if (!FArranging && FBarManager && !FBarManager->IsSettingUpLoadedBars()) ArrangeRows();
      return;
    default:
      break;
  }
  inherited::WndProc(Message);
}

void TqzDockControl::FillBackground(HDC DC, const TRect& R, TColor AColor, HBRUSH ABrush, const TRect& ASiteRect) {
  if (IsRectEmpty(&R) || GetClientWidth() <= 0 || GetClientHeight() <= 0) return;
  if (!FBackgroundBitmap->GetEmpty()) {
    // The tiling starts at the site's corner wherever the area is drawn.
    TileBitmap(DC, R, ASiteRect, FBackgroundBitmap.get());
  } else if (FBarManager && !FBarManager->GetBackgrounds()->GetBar()->GetEmpty()) {
    TileBitmap(DC, R, ASiteRect, FBarManager->GetBackgrounds()->GetBar());
  } else if (FBarManager) {
    FBarManager->GetDefaultPainter()->DrawDockBackground(this, DC, AColor, ABrush, R, ASiteRect);
  } else {
    FillAreaSolidOrTiled(DC, R, R, nullptr, AColor, ABrush);
  }
}

void TqzDockControl::ShowToolbarsPopup() {
  DesignControllerInstance()->ShowToolbarsPopup(FBarManager, FBarManager->GetDefaultPainter());
}

void TqzDockControl::ClearBackgroundCache() { FBackgroundCache->SetSize(0, 0); }

void TqzDockControl::SetBackgroundBitmap(TBitmap* Value) { FBackgroundBitmap->Assign(Value); }

void TqzDockControl::BackgroundBitmapChanged(TObject*) {
  Invalidate();
  UpdateDoubleBuffered();
  RepaintBars();
}

void TqzDockControl::RepaintBars() {
  for (auto& row : FRows)
    for (Integer i = 0; i < row->GetColCount(); ++i) row->GetCol(i)->GetBarControl()->RepaintAll();
}

void TqzDockControl::Paint() {
  FillBackground(GetCanvas()->GetHandle(), GetClientRect(), GetColor(), nullptr, GetClientRect());
}

// ---- The placed site -----------------------------------------------------------------------------

TqzBarDockControl::TqzBarDockControl(TComponent* AOwner) : TqzDockControl(AOwner) { SetAlign(dalTop); }

void TqzBarDockControl::SetAlign(TqzBarDockAlign Value) {
  if (FAlign == Value) return;
  static const TAlign kAligns[] = {alNone, alTop, alBottom, alLeft, alRight};
  static const TqzBarDockingStyle kStyles[] = {dsTop, dsTop, dsBottom, dsLeft, dsRight};
  FAlign = Value;
  TqzBarManager* manager = GetBarManager();
  if (manager) manager->BeginUpdate();
  try {
    for (Integer r = 0; r < GetRowCount(); ++r)
      for (Integer c = 0; c < GetRow(r)->GetColCount(); ++c) {
        TqzBarControl* window = GetRow(r)->GetCol(c)->GetBarControl();
        window->ChangeDockSite(this, kStyles[Value]);
        window->GetBar()->StoreDockingStyle(kStyles[Value], this);
      }
    TqzDockControl::SetAlign(kAligns[Value]);
  } catch (...) {
    if (manager) manager->EndUpdate();
    throw;
  }
  if (manager) manager->EndUpdate();
  for (Integer r = 0; r < GetRowCount(); ++r)
    for (Integer c = 0; c < GetRow(r)->GetColCount(); ++c) GetRow(r)->GetCol(c)->GetBarControl()->Rebuild();
  RebuildRows();
  if (GetParent()) GetParent()->Invalidate();
}

void TqzBarDockControl::SetAllowZeroSizeInDesignTime(bool Value) {
  if (FAllowZeroSizeInDesignTime == Value) return;
  FAllowZeroSizeInDesignTime = Value;
  Perform(WM_SIZE, 0, 0);
}

bool TqzBarDockControl::TakesColorAsOwn() {
  TqzBarManager* manager = GetBarManager();
  return !GetComponentState().Contains(csLoading) && !GetComponentState().Contains(csReading) &&
         !(manager && manager->IsSettingUpLoadedBars());
}

void TqzBarDockControl::SetColor(TColor Value) {
  TqzDockControl::SetColor(Value);
  if (TakesColorAsOwn()) FUseOwnColor = true;
}

void TqzBarDockControl::SetParentColor(bool Value) {
  TqzDockControl::SetParentColor(Value);
  if (TakesColorAsOwn()) FUseOwnColor = true;
}

void TqzBarDockControl::SetUseOwnColor(bool Value) {
  if (FUseOwnColor == Value) return;
  FUseOwnColor = Value;
  if (!Value) UpdateColor();
}

bool TqzBarDockControl::IsColorStored() const { return FUseOwnColor && !GetParentColor(); }

void TqzBarDockControl::UpdateColor() {
  if (!FUseOwnColor) TqzDockControl::UpdateColor();
}

void TqzBarDockControl::SetSunkenBorder(bool Value) {
  FSunkenBorder = Value;
  FUseOwnSunkenBorder = true;
  RecreateFrames();
}

void TqzBarDockControl::SetUseOwnSunkenBorder(bool Value) {
  if (FUseOwnSunkenBorder == Value) return;
  // The effective border stays as it is when the site takes it as its own.
  bool before = ReadSunkenBorder();
  FSunkenBorder = before;
  FUseOwnSunkenBorder = Value;
  if (ReadSunkenBorder() != before) RecreateFrames();
}

bool TqzBarDockControl::ReadSunkenBorder() {
  return FUseOwnSunkenBorder ? FSunkenBorder : TqzDockControl::ReadSunkenBorder();
}

void TqzBarDockControl::ManagerChanged() {
  TqzDockControl::ManagerChanged();
  if (GetComponentState().Contains(csDestroying)) return;
  UpdateColor();
  RecreateFrames();
}

bool TqzBarDockControl::CanDockBar(TqzBar* ABar) {
  if (!TqzDockControl::CanDockBar(ABar)) return false;
  TqzBarControl* window = ABar->GetBarControl();
  return !window || !window->ContainsControl(this);
}

Integer TqzBarDockControl::RowsExtent() {
  return GetComponentState().Contains(csLoading) ? ClientAcross() : TqzDockControl::RowsExtent();
}

void TqzBarDockControl::WndProc(TMessage& Message) {
  TqzDockControl::WndProc(Message);
  if (Message.Msg == WM_SIZE && GetRowCount() == 0 && !GetComponentState().Contains(csLoading)) {
    // A site without rows keeps no thickness.
    if (IsVertical() ? GetClientWidth() != 0 : GetClientHeight() != 0) UpdateSize();
  }
}
