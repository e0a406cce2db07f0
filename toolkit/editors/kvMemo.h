#pragma once
// The multi-line text editor kind:
//  - TkvCustomMemoProperties / TkvMemoProperties: scroll bars, returns, tabs, word wrap, the
//    visible line count and the first-line display text outside focus;
//  - TkvCustomMemoViewData / TkvCustomMemoViewInfo: multi-line text flags, sizing by lines;
//  - TkvFilterMemoHelper: the memo as the value field of a filter row;
//  - the unit's start and end.
//
// Sources: kvMemoProperties.cpp, kvMemoView.cpp, kvMemoUnit.cpp.

#include "toolkit/editors/kvTextEdit.h"

// Characters an unfocused memo shows at most (its first line).
constexpr Integer kvMemoDisplayTextLimit = 250;

// Text cut before its first line break within the first Limit characters, and never longer than
// Limit characters (whole UTF-8 characters).
String MemoFirstLineText(const String& Text, Integer Limit);

// A replacement text as the memo inserts it: left to right, a CR LF pair stays as it is and a lone
// LF CR pair becomes two line breaks (CR LF CR LF); every other character stays.
String NormalizeMemoLineBreaks(const String& Text);

class TkvCustomMemoProperties : public TkvCustomTextEditProperties {
  TAVREN_CLASS(TkvCustomMemoProperties, TkvCustomTextEditProperties)
 public:
  explicit TkvCustomMemoProperties(TPersistent* AOwner);
  void Assign(TPersistent* Source) override;
  TClassOf<TkvCustomEditViewData> GetViewDataClass() override;
  TClassOf<TkvCustomEditViewInfo> GetViewInfoClass() override;
  bool WantsTabKey() override { return FWantTabs; }
  // The display text as when focused; outside focus only the first line.
  String EditValueToDisplayText(const Variant& EditValue, bool Focused) override;
  bool DrawsOwnTextLayout() override { return true; }

  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value) { Store(FScrollBars, Value); }
  Integer GetVisibleLineCount() const { return FVisibleLineCount; }
  void SetVisibleLineCount(Integer Value) { Store(FVisibleLineCount, std::max<Integer>(Value, 0)); }
  bool GetWantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { Store(FWantReturns, Value); }
  bool GetWantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { Store(FWantTabs, Value); }
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value) { Store(FWordWrap, Value); }
  // Whether lines wrap at the memo's width: word wrap without a horizontal bar.
  bool WrapsLines() const { return FWordWrap && FScrollBars != ssHorizontal && FScrollBars != ssBoth; }
  // The horizontal part of the edit alignment, as memos publish it.
  TAlignment GetHorzAlignment() { return GetAlignment()->GetHorz(); }
  void SetHorzAlignment(TAlignment Value) { GetAlignment()->SetHorz(Value); }
  bool IsHorzAlignmentStored() { return GetAlignment()->IsHorzStored(); }

 private:
  TScrollStyle FScrollBars = ssNone;
  Integer FVisibleLineCount = 0;
  bool FWantReturns = true;
  bool FWantTabs = false;
  bool FWordWrap = true;
};

class TkvMemoProperties : public TkvCustomMemoProperties {
  TAVREN_CLASS(TkvMemoProperties, TkvCustomMemoProperties)
 public:
  using TkvCustomMemoProperties::TkvCustomMemoProperties;
};

class TkvCustomMemoViewInfo : public TkvCustomTextEditViewInfo {
  TAVREN_CLASS(TkvCustomMemoViewInfo, TkvCustomTextEditViewInfo)
 public:
  TkvCustomMemoViewInfo() = default;
};

class TkvCustomMemoViewData : public TkvCustomTextEditViewData {
  TAVREN_CLASS(TkvCustomMemoViewData, TkvCustomTextEditViewData)
 public:
  using TkvCustomTextEditViewData::TkvCustomTextEditViewData;
  Integer MaxLines() override;
  Cardinal TextFlags() override;
  TRect ContentOffsets() override { return ContentParams.Offsets; }
  void MeasureButtonsHeight(TkvCanvas* Canvas, bool Inplace, const TkvEditSizeRequest& Request, TSize& Minimum,
                            TkvCustomEditViewInfo* ViewInfo, TSize& NonClient) override;
  void GetEditContentSize(TkvCanvas* Canvas, const Variant& Value, const TkvEditSizeRequest& Request,
                          TSize& Size) override;

  TkvCustomMemoProperties* MemoProperties() { return static_cast<TkvCustomMemoProperties*>(Properties); }
};

class TkvFilterMemoHelper : public TkvFilterTextEditHelper {
  TAVREN_CLASS(TkvFilterMemoHelper, TkvFilterTextEditHelper)
 public:
  // A memo filters by its text only.
  TkvFilterOperators FilterOperatorSet(TkvValueTypeClass ValueType, bool Extended) override;
};

// After kvTextEditStart: registers the memo Properties and their filter helper.
void kvMemoStart();
void kvMemoEnd();
