#pragma once
// The multi-line text editor kind:
//  - TkvCustomMemoProperties / TkvMemoProperties: scroll bars, returns, tabs, word wrap, the
//    visible line count and the first-line display text outside focus;
//  - TkvCustomMemoViewData / TkvCustomMemoViewInfo: multi-line text flags, sizing by lines;
//  - TkvCustomInnerMemo / IkvInnerMemo: the platform memo inside the editor;
//  - TkvCustomMemo / TkvMemo: the memo editor with container-drawn scroll bars;
//  - TkvFilterMemoHelper: the memo as the value field of a filter row;
//  - the unit's start and end.
//
// Sources: kvMemoProperties.cpp, kvMemoView.cpp, kvMemoInner.cpp, kvMemoControl.cpp, kvMemoUnit.cpp.

#include <memory>

#include "toolkit/editors/kvTextEdit.h"
#include "vcl/StdCtrls.h"

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
  TClass GetEditorClass() override;

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

// ---- Inner memo ---------------------------------------------------------------------------------

// The framework's view of a memo's inner edit: the text edit's operations, the caret as column
// and line, the lines and the memo's settings.
class IkvInnerMemo : public virtual IkvInnerTextEdit {
  TAVREN_INTERFACE(IkvInnerMemo)
 public:
  // X: the byte offset in the line, Y: the line, both from 0.
  virtual TPoint GetCaretPos() = 0;
  virtual TStrings* GetLines() = 0;
  virtual TScrollStyle GetScrollBars() = 0;
  virtual bool GetWantReturns() = 0;
  virtual bool GetWantTabs() = 0;
  virtual bool GetWordWrap() = 0;
  virtual void SetCaretPos(const TPoint& Value) = 0;
  virtual void SetScrollBars(TScrollStyle Value) = 0;
  virtual void SetWantReturns(bool Value) = 0;
  virtual void SetWantTabs(bool Value) = 0;
  virtual void SetWordWrap(bool Value) = 0;
};

class TkvCustomInnerMemo;

class TkvCustomInnerMemoHelper : public TkvInterfacedPersistent, public IkvInnerMemo {
  TAVREN_CLASS(TkvCustomInnerMemoHelper, TkvInterfacedPersistent)
 public:
  explicit TkvCustomInnerMemoHelper(TkvCustomInnerMemo* AMemo);

  TWinControl* InnerControl() override;
  TkvContainer* HostContainer() override;
  LRESULT DefaultWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;
  void ReadInnerValue(Variant& Value) override;
  TNotifyEvent GetChangeHandler() override;
  bool IsInnerReadOnly() override;
  void FreezeBounds(bool Freeze) override;
  void SetFocusSafely() override;
  void WriteInnerValue(const Variant& Value) override;
  void SetEditorParent(TWinControl* Editor) override;
  void SetChangeHandler(TNotifyEvent Handler) override;
  void SetInnerReadOnly(bool Value) override;

  void ClearSelection() override;
  void CopyToClipboard() override;
  TAlignment GetAlignment() override;
  bool GetAutoSelect() override;
  TEditCharCase GetCharCase() override;
  TkvEditEchoMode GetEchoMode() override { return eemNormal; }
  bool GetHideSelection() override;
  Char GetPendingLeadByte() override { return '\0'; }
  TImeMode GetImeMode() override;
  TImeName GetImeName() override;
  bool GetKeyHandledByOwner() override;
  Integer GetMaxLength() override;
  bool IsMultiLineControl() override { return true; }
  bool GetOEMConvert() override;
  TNotifyEvent GetSelectionChangedHandler() override;
  Char GetPasswordChar() override { return '\0'; }
  Integer GetSelLength() override;
  Integer GetSelStart() override;
  String GetSelText() override;
  void SelectAll() override;
  void SetAlignment(TAlignment Value) override;
  void SetAutoSelect(bool Value) override;
  void SetCharCase(TEditCharCase Value) override;
  // A memo shows its text: no password echo.
  void SetEchoMode(TkvEditEchoMode) override {}
  void SetHideSelection(bool Value) override;
  void SetKeyHandledByOwner(bool Value) override;
  void SetImeMode(TImeMode Value) override;
  void SetImeName(const TImeName& Value) override;
  void SetMaxLength(Integer Value) override;
  void SetOEMConvert(bool Value) override;
  void SetSelectionChangedHandler(TNotifyEvent Value) override;
  void SetPasswordChar(Char) override {}
  void SetSelLength(Integer Value) override;
  void SetSelStart(Integer Value) override;
  void SetSelText(const String& Value) override;

  TPoint GetCaretPos() override;
  TStrings* GetLines() override;
  TScrollStyle GetScrollBars() override;
  bool GetWantReturns() override;
  bool GetWantTabs() override;
  bool GetWordWrap() override;
  void SetCaretPos(const TPoint& Value) override;
  void SetScrollBars(TScrollStyle Value) override;
  void SetWantReturns(bool Value) override;
  void SetWantTabs(bool Value) override;
  void SetWordWrap(bool Value) override;

 private:
  TkvCustomInnerMemo* FMemo;
};

class TkvCustomMemo;

// The platform's multi-line EDIT inside a memo editor: it hands keys, mouse, focus and clipboard
// to its owner, keeps its native bars for position and range, and reports text set into it.
class TkvCustomInnerMemo : public TMemo, public IkvContainerInnerControl, public IkvInnerEditProvider {
  TAVREN_CLASS(TkvCustomInnerMemo, TMemo)
  TAVREN_MESSAGES()
 public:
  explicit TkvCustomInnerMemo(TComponent* AOwner);
  ~TkvCustomInnerMemo() override;

  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override;
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }
  TWinControl* InnerControl() override { return this; }
  TkvContainer* HostContainer() override;
  IkvCustomInnerEdit* ProvidedInnerEdit() override { return FHelper.get(); }

  // Known once the owner is fully made (the inner memo is born inside its constructor).
  TkvCustomMemo* GetOwnerMemo() const;
  TkvCustomInnerMemoHelper* GetHelper() const { return FHelper.get(); }
  bool GetKeyHandledByOwner() const { return FKeyHandledByOwner; }
  void SetKeyHandledByOwner(bool Value) { FKeyHandledByOwner = Value; }
  TNotifyEvent GetOnSelectionChanged() const { return FOnSelectionChanged; }
  void SetOnSelectionChanged(TNotifyEvent Value) { FOnSelectionChanged = Value; }
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  bool CanFocus() override;
  void DefaultHandler(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void CreateHandle() override;
  void WndProc(TMessage& Message) override;
  void DoEnter() override;
  void Click() override;
  void DblClick() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  bool DoMouseWheel(TShiftState, Integer, TPoint) override { return false; }

  void WMKeyDown(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMCut(TMessage& Message);
  void WMPaste(TMessage& Message);
  void WMClear(TMessage& Message);
  void WMSetText(TMessage& Message);
  void EMReplaceSel(TMessage& Message);
  void EMSetSel(TMessage& Message);
  void WMSetFont(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);
  void WMNCPaint(TMessage& Message);

 private:
  friend class TkvCustomInnerMemoHelper;
  // The owner's handlers are the edit framework's, which lets the inner memo call them.
  TkvCustomEdit* Owner() const;
  bool IsDestroying() const;
  // The owner's view of the corner between two native bars, filled in the painter's colour.
  void PaintBarCorner();

  TkvCustomEdit* FOwner = nullptr;
  std::unique_ptr<TkvCustomInnerMemoHelper> FHelper;
  Integer FBoundsHoldCount = 0;
  Integer FTextSettingCount = 0;
  bool FKeyHandledByOwner = false;
  bool FCreating = true;
  TNotifyEvent FOnSelectionChanged;
};

// ---- Editor ---------------------------------------------------------------------------------------

// The multi-line text editor: the text is the inner memo's Lines, the edit value the whole text
// with CR LF line breaks.
class TkvCustomMemo : public TkvCustomTextEdit {
  TAVREN_CLASS(TkvCustomMemo, TkvCustomTextEdit)
 public:
  explicit TkvCustomMemo(TComponent* AOwner)
      : TkvCustomMemo(AOwner, false, TkvCustomMemoProperties::ClassInfo()) {}

  bool ScrollsWithoutBars(TkvDirection Direction) override;
  bool UsesScrollBars() override;
  void ScrollContent(TScrollBarKind Kind, TScrollCode Code, Integer& Position) override;
  void PlaceInnerEdit() override;
  bool AutoSizeAllowed() override;
  bool IsModifyingKey(Word Key, TShiftState Shift) override;
  void HandleInnerEditChange() override;
  void HandleKeyDown(Word& Key, TShiftState Shift) override;
  void InitViewData(TkvCustomEditViewData* ViewData) override;
  void ApplyPropertiesChange(TObject* Properties) override;
  bool ReplaysActivationChar(Char Key) override { return Key != '\r'; }
  void ClipboardCut() override;
  bool IsInnerEditShown() override { return true; }
  void SyncInnerEditLook() override;
  void SetDisplayTextAsUser(const String& Text) override;
  void DeleteSelectedText() override;
  void UpdateInnerScrollBars(bool OnlyParams) override;
  // Enter when WantReturns or Ctrl is held; Tab when forced or WantTabs.
  virtual bool IsMemoKey(Word Key, TShiftState Shift, bool ForceTab);
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCustomMemoProperties::ClassInfo(); }

  TkvCustomMemoProperties* MemoProperties() { return static_cast<TkvCustomMemoProperties*>(GetEffectiveProperties()); }
  TkvCustomInnerMemo* InnerMemo() { return dynamic_cast<TkvCustomInnerMemo*>(GetInnerControl()); }
  TStrings* GetLines();
  void SetLines(TStrings* Value) { GetLines()->Assign(Value); }
  bool IsDeletingSelection() const { return FDeletingSelection; }

 protected:
  TkvCustomMemo(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass);
  void ReadState(TReader* Reader) override;
  void WndProc(TMessage& Message) override;
  void CreateParams(TCreateParams& Params) override;
  void KeyDown(Word& Key, TShiftState Shift) override;

 private:
  // After the inner memo's text changed under a deletion or a replacement.
  void SyncValueAfterDeletion();

  bool FScrollBarsApplied = false;
  bool FDeletingSelection = false;
  bool FPlacingMemo = false;
};

class TkvMemo : public TkvCustomMemo {
  TAVREN_CLASS(TkvMemo, TkvCustomMemo)
 public:
  explicit TkvMemo(TComponent* AOwner) : TkvCustomMemo(AOwner, false, TkvMemoProperties::ClassInfo()) {}
  TkvMemo(TComponent* AOwner, bool AInplace) : TkvCustomMemo(AOwner, AInplace, TkvMemoProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvMemoProperties::ClassInfo(); }
  TkvMemoProperties* GetMemoProperties() const { return static_cast<TkvMemoProperties*>(GetProperties()); }
  void SetMemoProperties(TkvMemoProperties* Value) { SetProperties(Value); }
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
