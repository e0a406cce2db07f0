#pragma once
// An editor over a real inner edit: the fixture inner edit over the platform's EDIT (keys, focus,
// caret and clipboard go through the real window class), or the text editors' inner edit.

#include <utility>
#include <vector>

#include "EditTestEditor.h"
#include "toolkit/editors/kvTextEdit.h"

// Properties whose inner edit reports its changes, as the typing kinds' do.
class TInnerTestProperties : public TValidatingProperties {
  TAVREN_CLASS(TInnerTestProperties, TValidatingProperties)
 public:
  using TValidatingProperties::TValidatingProperties;
  bool InnerEditReportsChanges() override { return true; }
  bool WantsTabKey() override { return wantsTab; }
  bool wantsTab = false;
};

// A plain inner edit: the editor's keys first, then the native edit's.
class TTestInnerEdit : public TCustomEdit, public IkvCustomInnerEdit {
  TAVREN_CLASS(TTestInnerEdit, TCustomEdit)
 public:
  explicit TTestInnerEdit(TComponent* AOwner);

  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }
  TWinControl* InnerControl() override { return this; }
  TkvContainer* HostContainer() override;
  LRESULT DefaultWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam) override {
    return CallWindowProc(FDefWndProc, GetHandle(), Msg, WParam, LParam);
  }
  void ReadInnerValue(Variant& Value) override { Value = GetText(); }
  TNotifyEvent GetChangeHandler() override { return GetOnChange(); }
  bool IsInnerReadOnly() override { return GetReadOnly(); }
  void FreezeBounds(bool Freeze) override { frozen += Freeze ? 1 : (frozen > 0 ? -1 : 0); }
  void SetFocusSafely() override;
  void WriteInnerValue(const Variant& Value) override { SetText(VarToStr(Value)); }
  void SetEditorParent(TWinControl* Editor) override { SetParent(Editor); }
  void SetChangeHandler(TNotifyEvent Handler) override { SetOnChange(Handler); }
  void SetInnerReadOnly(bool Value) override { SetReadOnly(Value); }
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override {
    if (frozen == 0) TCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
  }
  Integer frozen = 0;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
};

// The editor kind over an inner edit; the inner class is the fixture's unless told otherwise.
class TInnerTestEdit : public TTestEdit {
  TAVREN_CLASS(TInnerTestEdit, TTestEdit)
 public:
  TInnerTestEdit(TComponent* AOwner, bool AInplace, TClassOf<TWinControl> AInnerClass = TTestInnerEdit::ClassInfo());
  explicit TInnerTestEdit(TComponent* AOwner) : TInnerTestEdit(AOwner, false) {}
  TInnerTestProperties* InnerProps() { return static_cast<TInnerTestProperties*>(GetProperties()); }
  TCustomEdit* Inner() { return static_cast<TCustomEdit*>(GetInnerControl()); }

  // The inner edit hands its keys here.
  using TkvCustomEdit::KeyDown;
  using TkvCustomEdit::KeyPress;
  using TkvCustomEdit::KeyUp;

  void ReadDisplayText(String& Text) override;
  void SetDisplayValue(const Variant& Value) override { GetInnerEdit()->WriteInnerValue(Value); }
  void PutDisplayValue(const Variant& Value) override;
  void UpdateDisplayFromEditValue() override;
  void EditingValueToEditValue(Variant& Value) override;
  void HandleKeyPress(Char& Character) override { TkvCustomEdit::HandleKeyPress(Character); }
  bool InnerEditDisplaysValue() override { return true; }
  void SelectWholeText() override;
  void ClipboardCopy() override;
  void ClipboardCut() override;
  void ClipboardPaste() override;

  void DblClick() override;
  // Showing the edit value fails (an activation that goes wrong half way).
  bool failDisplay = false;
};

// An owner that answers what the inner text edit asks of a text editor.
class TTextOwnerEdit : public TInnerTestEdit, public IkvInnerTextEditOwner {
 public:
  explicit TTextOwnerEdit(TComponent* AOwner, bool AInplace = false) : TInnerTestEdit(AOwner, AInplace, TkvInnerTextEdit::ClassInfo()) {}
  bool GetBeepOnEnter() override { return beepOnEnter; }
  bool TakePopupJustClosed() override { return std::exchange(popupJustClosed, false); }
  bool IsCompletionPending() override { return completionPending; }
  void SetCompletionPending(bool Value) override { completionPending = Value; }
  void ClearLookupTextChangeLock() override {}
  void DeleteSelectedText() override { log.push_back("delete selection"); }
  void UndoHook() override { log.push_back("undo"); }
  TWinControl* LookupListControl() override { return nullptr; }
  // A text editor keeps its text off the frame: with insetText the fixture does likewise.
  void PlaceInnerEdit() override {
    TInnerTestEdit::PlaceInnerEdit();
    if (!insetText || !HasInnerEdit()) return;
    const TRect& client = GetViewInfo()->ClientRect;
    GetInnerControl()->SetBounds(client.Left + 2, client.Top + 1, client.Width() - 2, client.Height() - 1);
  }
  TkvInnerTextEdit* TextInner() { return static_cast<TkvInnerTextEdit*>(GetInnerControl()); }
  IkvInnerTextEdit* Intf() { return dynamic_cast<IkvInnerTextEdit*>(GetInnerEdit()); }

  bool beepOnEnter = true;
  bool popupJustClosed = false;
  bool completionPending = false;
  bool insetText = false;
};
