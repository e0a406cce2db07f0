#pragma once
// Masked editing: the mask settings of the Properties and the modes that interpret an editor's
// keys, typed characters, pastes and value conversions under a mask.
//  - TkvCustomMaskEditProperties / TkvMaskEditProperties: MaskKind, EditMask and its checks, the
//    display of values through a formatting mode, validation against the mask;
//  - IkvMaskEditModeHost: what a mode asks of its masked editor;
//  - TkvMaskEditCustomMode: the protocol between editor and mode;
//  - TkvMaskEditStandardMode: fixed-width masks, edited like an overwrite cursor;
//  - TkvMaskEditRegExprMode / TkvMaskEditRegExprExMode: regular-expression masks, the text left of
//    the caret fed to the expression, the rest re-tested after every change; the extended mode
//    completes the literals the mask forces;
//  - TkvCustomMaskEdit / TkvMaskEdit: the text editor routed through the mode of its mask;
//  - TkvFilterMaskEditHelper: the filter-row helper of masked editors.
//
// Positions and lengths the modes work with count characters, never bytes.
//
// Sources: kvMaskEditProperties.cpp (Properties), kvMaskEditModes.cpp (base and standard mode),
// kvMaskEditRegExprMode.cpp and kvMaskEditRegExprExMode.cpp (the regular-expression modes),
// kvMaskEditControl.cpp (the editor), kvMaskEditUnit.cpp (unit start and end, filter helper).

#include <memory>

#include "toolkit/editors/kvRegExpr.h"
#include "toolkit/editors/kvStandardMask.h"
#include "toolkit/editors/kvTextEdit.h"

class TkvCustomMaskEditProperties;
class TkvMaskEditCustomMode;

enum TkvEditMaskKind { emkStandard, emkRegExpr, emkRegExprEx };
TAVREN_ENUM_INFO(TkvEditMaskKind, emkStandard, emkRegExpr, emkRegExprEx);
using TkvEditMask = String;

TAVREN_DECLARE_EXCEPTION(EkvMaskEditError, EkvEditError);

// Whether a mask is empty or made only of spaces, #0, #9, #10, #12 and #13.
bool IsBlankEditMask(const String& Mask);

// ---- The editor's side -------------------------------------------------------------------

// What a mask mode asks of the masked editor that owns it; the masked editor answers it.
class IkvMaskEditModeHost : public virtual IInterface {
  TAVREN_INTERFACE(IkvMaskEditModeHost)
 public:
  // The editor's effective Properties and its mode.
  virtual TkvCustomMaskEditProperties* MaskProperties() = 0;
  virtual TkvMaskEditCustomMode* MaskMode() = 0;
  virtual bool InnerEditMissing() = 0;
  virtual bool InnerWindowExists() = 0;
  virtual bool MaskEditFocused() = 0;
  // The inner edit's display text, selection and caret.
  virtual String InnerText() = 0;
  virtual Integer CharSelStart() = 0;
  virtual Integer CharSelLength() = 0;
  virtual Integer CharCaretIndex() = 0;
  // Ordinary moves, which tell the mode of the new selection.
  virtual void PlaceCaretAtChar(Integer Position) = 0;
  virtual void SetCharSelectionLength(Integer Length) = 0;
  // The editor's own moves for the mode: the mode is not told.
  virtual void MoveCaretItself(Integer Position) = 0;
  virtual void SetSelLengthItself(Integer Length) = 0;
  // Selects from Anchor to Caret (either way round) as the editor's own move.
  virtual void SelectItself(Integer Anchor, Integer Caret) = 0;
  virtual void SetInnerEditValue(const String& Text) = 0;
  // A new display text through the data binding, as if typed.
  virtual void WriteDisplayValue(const String& Text) = 0;
  // A key press or one character sent to the native edit only.
  virtual void SendOwnKey(Word Key) = 0;
  virtual void SendOwnChar(const String& Ch) = 0;
  virtual bool GetShiftHeld() = 0;
  virtual void SetShiftHeld(bool Value) = 0;
  // Whether the editor takes Ch at a 1-based position; it may change Ch, a zero character refuses.
  virtual bool AcceptsCharAt(String& Ch, Integer Position) = 0;
  virtual Variant MaskEditValue() = 0;
  virtual void SetMaskEditValueInternal(const Variant& Value) = 0;
  virtual bool ModifiedAfterEnter() = 0;
};

// ---- Modes ---------------------------------------------------------------------------------

class TkvMaskEditModeArgs : public TObject {
  TAVREN_CLASS(TkvMaskEditModeArgs, TObject)
 public:
  TkvMaskEditModeArgs(IkvMaskEditModeHost* AEditor, TkvCustomMaskEditProperties* AProperties)
      : Editor(AEditor), Properties(AProperties) {}
  IkvMaskEditModeHost* Editor;
  TkvCustomMaskEditProperties* Properties;
};

class TkvMaskEditCustomMode : public TObject {
  TAVREN_CLASS(TkvMaskEditCustomMode, TObject)
 public:
  using TCreateArg = TkvMaskEditModeArgs*;
  explicit TkvMaskEditCustomMode(TkvMaskEditModeArgs* Args);

  // Virtual operations, in the order descendants know them. A True answer of a key operation
  // lets the native edit process the key.
  virtual Integer ModeKind() { return 0; }
  virtual void AfterPaste() = 0;
  virtual void SetMask(const String& Mask) = 0;
  virtual String EmptyValueText() = 0;
  virtual String FormatText(const String& Text, bool TextHasLiterals) = 0;
  virtual void MoveToEnd() = 0;
  virtual bool CaretAtBegin() = 0;
  virtual bool CaretAtEnd() = 0;
  virtual bool IsValidText(const String& Text) = 0;
  virtual void SelectionChanged() = 0;
  virtual void BeforePaste() = 0;
  virtual bool Backspace() = 0;
  virtual bool DeleteChar() = 0;
  virtual bool EndKey() = 0;
  virtual bool HomeKey() = 0;
  virtual bool LeftKey() = 0;
  virtual bool RightKey() = 0;
  virtual bool TypeChar(String& Ch) = 0;
  virtual void TakeText(const String& Text) = 0;
  virtual void SyncWithEditValue();
  virtual void ApplyPendingEmptyValue() = 0;
  virtual String DisplayToValue(const String& Text, bool TextHasLiterals) = 0;

  // The editor's effective Properties, or the mode's own without an editor.
  TkvCustomMaskEditProperties* GetMaskProperties();
  IkvMaskEditModeHost* GetEditor() const { return FEditor; }
  bool HasWorkingEditor() { return FEditor && !FEditor->InnerEditMissing(); }
  const String& GetMaskText() const { return FMaskText; }
  Integer GetPasteLength() const { return FPasteLength; }
  void SetPasteLength(Integer Value) { FPasteLength = Value; }
  bool GetEmptyValuePending() const { return FEmptyValuePending; }
  TEditCharCase GetKnownCharCase() const { return FKnownCharCase; }
  void SetKnownCharCase(TEditCharCase Value) { FKnownCharCase = Value; }
  TkvEditEchoMode GetKnownEchoMode() const { return FKnownEchoMode; }
  void SetKnownEchoMode(TkvEditEchoMode Value) { FKnownEchoMode = Value; }

 protected:
  // Sounds only when the Properties ask for it.
  void Beep();

  IkvMaskEditModeHost* FEditor;
  TkvCustomMaskEditProperties* FProperties = nullptr;
  String FMaskText;
  Integer FPasteLength = 0;
  bool FEmptyValuePending = false;
  TEditCharCase FKnownCharCase = ecNormal;
  TkvEditEchoMode FKnownEchoMode = eemNormal;
};
using TkvMaskEditModeClass = TClassOf<TkvMaskEditCustomMode>;

// Fixed-width masks: one character per mask position, the character under the caret selected
// (the block), literals skipped by typing and by the arrows, Delete writing blanks.
class TkvMaskEditStandardMode : public TkvMaskEditCustomMode {
  TAVREN_CLASS(TkvMaskEditStandardMode, TkvMaskEditCustomMode)
 public:
  explicit TkvMaskEditStandardMode(TkvMaskEditModeArgs* Args);

  Integer ModeKind() override { return 0; }
  void AfterPaste() override;
  void SetMask(const String& Mask) override;
  String EmptyValueText() override { return FMask->EmptyValue(); }
  String FormatText(const String& Text, bool TextHasLiterals) override;
  void MoveToEnd() override {}
  bool CaretAtBegin() override;
  bool CaretAtEnd() override;
  bool IsValidText(const String& Text) override;
  void SelectionChanged() override;
  void BeforePaste() override;
  bool Backspace() override;
  bool DeleteChar() override;
  bool EndKey() override;
  bool HomeKey() override;
  bool LeftKey() override;
  bool RightKey() override;
  bool TypeChar(String& Ch) override;
  void TakeText(const String&) override { SelectionChanged(); }
  void SyncWithEditValue() override;
  void ApplyPendingEmptyValue() override;
  String DisplayToValue(const String& Text, bool TextHasLiterals) override;
  // The character Delete writes at a 1-based position; empty leaves the position as it is.
  virtual String BlankFor(Integer Position);

  TkvStandardMask* GetMask() const { return FMask.get(); }

 private:
  // Positions beyond the mask (an unfocused display is shorter) are neither literal nor editable.
  bool IsLiteralAt(Integer Position) const;
  bool IsEditableAt(Integer Position) const;
  Integer SelStart() { return FEditor->CharSelStart(); }
  Integer SelLength() { return FEditor->CharSelLength(); }
  std::vector<String> TextChars() { return kvSplitChars(FEditor->InnerText()); }

  std::unique_ptr<TkvStandardMask> FMask;
  Integer FSavedSelStart = 0;
};

// Regular-expression masks: the prefix (left of the caret) is fed to the expression, which stands
// right after it; the suffix is tested again after every change and cut off when it stops fitting.
class TkvMaskEditRegExprMode : public TkvMaskEditCustomMode {
  TAVREN_CLASS(TkvMaskEditRegExprMode, TkvMaskEditCustomMode)
 public:
  explicit TkvMaskEditRegExprMode(TkvMaskEditModeArgs* Args);

  Integer ModeKind() override { return 1; }
  void AfterPaste() override {}
  void SetMask(const String& Mask) override;
  String EmptyValueText() override { return String(); }
  String FormatText(const String& Text, bool TextHasLiterals) override;
  void MoveToEnd() override;
  bool CaretAtBegin() override { return FEditor->CharSelStart() == 0; }
  bool CaretAtEnd() override;
  bool IsValidText(const String& Text) override;
  void SelectionChanged() override { FNeedsResync = true; }
  void BeforePaste() override {}
  bool Backspace() override;
  bool DeleteChar() override;
  bool EndKey() override;
  bool HomeKey() override;
  bool LeftKey() override;
  bool RightKey() override;
  bool TypeChar(String& Ch) override;
  void TakeText(const String& Text) override;
  void SyncWithEditValue() override;
  void ApplyPendingEmptyValue() override {}
  String DisplayToValue(const String& Text, bool) override { return Text; }
  // Takes the selection out of the prefix or the suffix, whichever side the expression stands on.
  virtual void CutSelection();
  virtual void RestoreCut();

  TkvRegExpr* GetExpression() const { return FExpression.get(); }
  String GetPrefix() const;
  String GetSuffix() const;

 protected:
  using TChars = std::vector<String>;
  static String Join(const TChars& Chars);
  void Resync();
  bool SuffixFits();
  void TruncateSuffix();
  void MoveOneBack();
  void MoveOneForward();
  // Compiles another expression from this mode's mask; false when this one is not compiled.
  bool CompilePrivate(TkvRegExpr& Expression);
  // Whether a character the selection stands for is held, and the selection itself.
  Integer SelStart() { return FEditor->CharSelStart(); }
  Integer SelLength() { return FEditor->CharSelLength(); }

  std::unique_ptr<TkvRegExpr> FExpression;
  TChars FPrefix;
  TChars FSuffix;
  TChars FCutText;
  bool FCutAtStart = false;
  bool FNeedsResync = false;
};

// The regular-expression mode that completes forced literals: a typed character and the
// characters the mask forces right after it form a unit that the caret and deletions treat whole.
class TkvMaskEditRegExprExMode : public TkvMaskEditRegExprMode {
  TAVREN_CLASS(TkvMaskEditRegExprExMode, TkvMaskEditRegExprMode)
 public:
  explicit TkvMaskEditRegExprExMode(TkvMaskEditModeArgs* Args);

  Integer ModeKind() override { return 2; }
  void AfterPaste() override;
  void SetMask(const String& Mask) override;
  String EmptyValueText() override;
  String FormatText(const String& Text, bool TextHasLiterals) override;
  void MoveToEnd() override;
  bool IsValidText(const String& Text) override;
  void BeforePaste() override { ResyncUnits(); }
  bool Backspace() override;
  bool DeleteChar() override;
  bool EndKey() override;
  bool HomeKey() override;
  bool LeftKey() override;
  bool RightKey() override;
  bool TypeChar(String& Ch) override;
  void TakeText(const String& Text) override;
  void ApplyPendingEmptyValue() override;
  void CutSelection() override;
  void RestoreCut() override;

 private:
  void SetCompletion(bool On) { FExpression->SetAutoComplete(On); }
  // Switches completion off and on again, so that it completes where the expression stands.
  void Recomplete();
  void ClearAutoText();
  void ForwardUnit();
  void BackUnit();
  void ResyncUnits();
  void RecompleteSuffix();
  // With completion off: the suffix completed again when it fits, else cut off.
  void FitSuffix();
  // Switches completion on and takes back what that completed at once.
  void CompleteAndTakeBack();
  // A selection that starts at 0 first gives up the forced prefix: answers whether it did.
  bool KeepForcedPrefix();
  // The forced prefix a private expression completes at its start; false when none compiles.
  bool ProbeForcedPrefix(TkvRegExpr& Probe);
  void SendChars(const TChars& Chars);

  TChars FAutoText;
  Integer FTakenBackCount = 0;
  TChars FProbeText;
  Integer FPendingCaret = -1;
};

// ---- Properties ----------------------------------------------------------------------------

class TkvCustomMaskEditProperties : public TkvCustomTextEditProperties {
  TAVREN_CLASS(TkvCustomMaskEditProperties, TkvCustomTextEditProperties)
 public:
  explicit TkvCustomMaskEditProperties(TPersistent* AOwner);
  ~TkvCustomMaskEditProperties() override;
  void Assign(TPersistent* Source) override;
  void NotifyChanged() override;
  bool AcceptsEditValue(const Variant& Value) override;
  void MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool Editing) override;
  void CheckDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error, TkvCustomEdit* Editor) override;
  void MaxLengthUpdated() override;
  void SetCharCase(TEditCharCase Value) override;
  TClassOf<TkvCustomTextEditLookupData> LookupDataClass() override;

  // Virtual operations, in the order descendants know them.
  virtual TkvMaskEditModeClass GetModeClass(TkvEditMaskKind Kind);

  bool HasMask() { return !IsBlankMask(GetEditMask()); }
  static bool IsBlankMask(const String& Text) { return IsBlankEditMask(Text); }
  // A mode without editor for the effective mask; nullptr for a blank mask.
  std::unique_ptr<TkvMaskEditCustomMode> CreateFormattingMode();

  TkvEditMaskKind GetMaskKind() const { return FMaskKind; }
  void SetMaskKind(TkvEditMaskKind Value);
  // The stored mask, or for a blank standard one the data's own edit mask.
  TkvEditMask GetEditMask();
  // Raises EkvMaskEditError for a mask the kind cannot compile; the old mask stays.
  void SetEditMask(const TkvEditMask& Value);
  const TkvEditMask& GetStoredEditMask() const { return FEditMask; }
  bool GetCaseInsensitive() const { return FCaseInsensitive; }
  void SetCaseInsensitive(bool Value);
  bool GetIgnoreMaskBlank() const { return FIgnoreMaskBlank; }
  void SetIgnoreMaskBlank(bool Value) { FIgnoreMaskBlank = Value; }
  bool GetAlwaysShowBlanksAndLiterals() const { return FAlwaysShowBlanksAndLiterals; }
  void SetAlwaysShowBlanksAndLiterals(bool Value);
  // The value of an empty editor under the current mask, written by the editor.
  const String& GetEmptyMaskText() const { return FEmptyMaskText; }
  // Sets the stored mask without a check or a change notice (the editor's kind switch).
  void StoreEditMaskDirect(const TkvEditMask& Value) { FEditMask = Value; }
  void SetEmptyMaskText(const String& Value) { FEmptyMaskText = Value; }

 private:
  // The mode that formats values for display, made again when the kind or the mask changed.
  TkvMaskEditCustomMode* FormattingMode();

  TkvEditMaskKind FMaskKind = emkStandard;
  TkvEditMask FEditMask;
  bool FCaseInsensitive = true;
  bool FIgnoreMaskBlank = false;
  bool FAlwaysShowBlanksAndLiterals = false;
  std::unique_ptr<TkvMaskEditCustomMode> FCachedMode;
  String FEmptyMaskText;
  bool FMaxLengthGuard = false;
};

class TkvMaskEditProperties : public TkvCustomMaskEditProperties {
  TAVREN_CLASS(TkvMaskEditProperties, TkvCustomMaskEditProperties)
 public:
  using TkvCustomMaskEditProperties::TkvCustomMaskEditProperties;
  void SetAlignmentProp(TkvEditAlignment* Value) { SetAlignment(Value); }
};

// ---- Editor --------------------------------------------------------------------------------

// The text editor under a mask: keys, typed characters, pastes and value conversions go through
// the mode of the mask's kind; without a mask it is the text editor exactly. Its Text is the value.
class TkvCustomMaskEdit : public TkvCustomTextEdit, public IkvMaskEditModeHost {
  TAVREN_CLASS(TkvCustomMaskEdit, TkvCustomTextEdit)
 public:
  explicit TkvCustomMaskEdit(TComponent* AOwner)
      : TkvCustomMaskEdit(AOwner, false, TkvCustomMaskEditProperties::ClassInfo()) {}
  ~TkvCustomMaskEdit() override;
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCustomMaskEditProperties::ClassInfo(); }

  // What the mode asks of its editor.
  TkvCustomMaskEditProperties* MaskProperties() override;
  TkvMaskEditCustomMode* MaskMode() override { return FMode.get(); }
  bool InnerEditMissing() override { return TkvCustomEdit::InnerEditMissing(); }
  bool InnerWindowExists() override;
  bool MaskEditFocused() override { return Focused(); }
  String InnerText() override { return TkvCustomTextEdit::GetText(); }
  Integer CharSelStart() override;
  Integer CharSelLength() override;
  Integer CharCaretIndex() override;
  void PlaceCaretAtChar(Integer Position) override;
  void SetCharSelectionLength(Integer Length) override;
  void MoveCaretItself(Integer Position) override;
  void SetSelLengthItself(Integer Length) override;
  void SelectItself(Integer Anchor, Integer Caret) override;
  void SetInnerEditValue(const String& Text) override;
  void WriteDisplayValue(const String& Text) override;
  void SendOwnKey(Word Key) override;
  void SendOwnChar(const String& Ch) override;
  bool GetShiftHeld() override { return FShiftHeld; }
  void SetShiftHeld(bool Value) override { FShiftHeld = Value; }
  bool AcceptsCharAt(String&, Integer) override { return true; }
  Variant MaskEditValue() override { return GetEditValueProp(); }
  void SetMaskEditValueInternal(const Variant& Value) override { StoreEditValue(Value); }
  bool ModifiedAfterEnter() override { return GetValueModified(); }

  // Text editor operations under a mask.
  void HandleInnerEditChange() override;
  void HandleKeyDown(Word& Key, TShiftState Shift) override;
  void HandleKeyPress(Char& Character) override;
  void ApplyPropertiesChange(TObject* Properties) override;
  void SetDisplayValue(const Variant& Value) override;
  void ConvertDisplayToEditValue(const Variant& Display, Variant& Value, bool EditFocused) override;
  String TextForMessage() override;
  void SelectionChangedHook(TObject* Sender) override;
  void SetDisplayTextAsUser(const String& Text) override;
  bool SetTextFromMessage(const String& Text) override;
  void ClipboardCut() override;
  void UndoHook() override;
  // An activation by a key under a mask freezes the inner edit's drawing instead of hooking it,
  // so the mask's text appears once, with the key's character in place.
  void HookInnerEdit() override;
  void UnhookInnerEdit() override;

  // New operations, in the order descendants know them.
  virtual bool ModeTracksText() { return true; }
  virtual void ReformatText();

  bool HasMask() { return MaskProperties()->HasMask(); }
  // The value an untouched mask stands for; empty without a mask.
  String EmptyValueText() { return HasMask() && FMode ? FMode->EmptyValueText() : String(); }
  // The control's Text: the value under a mask, the display text without one.
  String GetText();
  // Under a mask the text becomes the value, as a WM_SETTEXT does.
  void SetText(const String& Value);

 protected:
  TkvCustomMaskEdit(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass,
                    TClassOf<TWinControl> AInnerEditClass = TkvInnerTextEdit::ClassInfo());
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void Loaded() override;
  void DblClick() override;
  void DoEnter() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;

 private:
  std::unique_ptr<TkvMaskEditCustomMode> NewMode(TkvEditMaskKind Kind);
  void TypeThroughMode(String Ch, Char& Character);

  std::unique_ptr<TkvMaskEditCustomMode> FMode;
  bool FShiftHeld = false;
  bool FSendingOwnKey = false;
  bool FMovingCaretItself = false;
  bool FInnerEditFrozen = false;
  String FValueText;
  // The bytes of a character typed so far: the native edit hands one byte at a time.
  String FPendingChar;
};

class TkvMaskEdit : public TkvCustomMaskEdit {
  TAVREN_CLASS(TkvMaskEdit, TkvCustomMaskEdit)
 public:
  explicit TkvMaskEdit(TComponent* AOwner) : TkvCustomMaskEdit(AOwner, false, TkvMaskEditProperties::ClassInfo()) {}
  TkvMaskEdit(TComponent* AOwner, bool AInplace)
      : TkvCustomMaskEdit(AOwner, AInplace, TkvMaskEditProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvMaskEditProperties::ClassInfo(); }
  TkvMaskEditProperties* GetMaskEditProperties() const { return static_cast<TkvMaskEditProperties*>(GetProperties()); }
  void SetMaskEditProperties(TkvMaskEditProperties* Value) { SetProperties(Value); }
};

// The filter-row helper of masked editors: a regular-expression mask becomes an extended one, and
// a masked filter editor does not select its text on entry.
class TkvFilterMaskEditHelper : public TkvFilterTextEditHelper {
  TAVREN_CLASS(TkvFilterMaskEditHelper, TkvFilterTextEditHelper)
 public:
  void InitFilterProperties(TkvCustomEditProperties* Properties, TkvCustomEditProperties* Source,
                            bool KeepButtons) override;
  TClass FilterEditorClass() override { return TkvMaskEdit::ClassInfo(); }
};

void kvMaskEditStart();
void kvMaskEditEnd();
