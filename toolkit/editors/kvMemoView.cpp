// The memo's layout: multi-line text flags and a height by its visible line count.

#include <algorithm>

#include "gdi/SysMetrics.h"
#include "toolkit/editors/kvMemo.h"

TAVREN_CLASS_IMPL(TkvCustomMemoViewInfo)
TAVREN_CLASS_IMPL(TkvCustomMemoViewData)

TClassOf<TkvCustomEditViewData> TkvCustomMemoProperties::GetViewDataClass() {
  return TkvCustomMemoViewData::ClassInfo();
}

TClassOf<TkvCustomEditViewInfo> TkvCustomMemoProperties::GetViewInfoClass() {
  return TkvCustomMemoViewInfo::ClassInfo();
}

Integer TkvCustomMemoViewData::MaxLines() {
  Integer lines = MemoProperties()->GetVisibleLineCount();
  return lines > 0 ? lines : TkvCustomTextEditViewData::MaxLines();
}

Cardinal TkvCustomMemoViewData::TextFlags() {
  constexpr Cardinal kHorz[] = {kvtfLeft, kvtfRight, kvtfCenterX};  // by TAlignment
  Cardinal flags = kvtfWholeRows | kHorz[HorzAlignment] | kvtfNoLeftOverhang | kvtfExpandTabs;
  if (MemoProperties()->WrapsLines()) flags |= kvtfWordWrap | kvtfBreakInWords;
  return flags;
}

void TkvCustomMemoViewData::MeasureButtonsHeight(TkvCanvas* Canvas, bool AInplace, const TkvEditSizeRequest& Request,
                                                 TSize& Minimum, TkvCustomEditViewInfo* ViewInfo, TSize& NonClient) {
  TkvCustomTextEditViewData::MeasureButtonsHeight(Canvas, AInplace, Request, Minimum, ViewInfo, NonClient);
  TScrollStyle bars = MemoProperties()->GetScrollBars();
  if (Edit && (bars == ssHorizontal || bars == ssBoth)) NonClient.cy += GetSystemMetrics(SM_CYHSCROLL);
  Integer lines = MemoProperties()->GetVisibleLineCount();
  if (lines <= 0) return;
  TSize offsets;
  GetContentOffsetSize(offsets);
  Canvas->AssignFont(GetEditStyle()->GetEffectiveFont());
  Minimum.cy = std::max(Minimum.cy, offsets.cy + lines * Canvas->TextHeightOf("Zg"));
}

void TkvCustomMemoViewData::GetEditContentSize(TkvCanvas* Canvas, const Variant& Value,
                                               const TkvEditSizeRequest& Request, TSize& Size) {
  String text;
  EditValueToText(Value, text);
  Canvas->AssignFont(GetEditStyle()->GetEffectiveFont());
  MeasureEditText(Canvas, this, text, Size, TextFlags(), MemoProperties()->GetVisibleLineCount(), Request, true);
}
