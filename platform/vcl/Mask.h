#pragma once
// The framework's masked edit: an edit whose text follows an edit mask (rtl/MaskUtils.h). The
// window shows the edit text (literals in place, blanks where nothing is typed); Text is the value
// the mask keeps. Typing overwrites one entry place at a time, skipping literals; characters a
// place refuses beep. Leaving a changed edit validates it.

#include <memory>

#include "rtl/MaskUtils.h"
#include "vcl/StdCtrls.h"

TAVREN_DECLARE_EXCEPTION(EDBEditError, Exception);

// The standard message of a failed validation.
extern const char* const SMaskEditErr;

class TCustomMaskEdit : public TCustomEdit {
  TAVREN_CLASS(TCustomMaskEdit, TCustomEdit)
  TAVREN_MESSAGES()
 public:
  explicit TCustomMaskEdit(TComponent* AOwner);
  ~TCustomMaskEdit() override;

  String GetEditMask() const { return FEditMask; }
  void SetEditMask(const String& Value);
  bool IsMasked() const { return FMask && !FMask->Empty(); }
  // The text as the window shows it.
  String GetEditText();
  void SetEditText(const String& Value);
  // Raises through ValidateError when a required place is blank or a place holds a character it
  // refuses; the caret goes to that place first.
  virtual void ValidateEdit();
  // Puts back the text the edit had when it got the focus.
  void Reset();

 protected:
  virtual void ValidateError();
  String GetTextBuf() override;
  void SetTextBuf(const String& Value) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void DoEnter() override;

 private:
  void CMExit(TMessage& Message);
  // Writes the places [From, To) blank.
  void BlankPlaces(WideString& Text, Integer From, Integer To);
  void PutEditText(const WideString& Text, Integer Caret);

  String FEditMask;
  std::unique_ptr<TEditMask> FMask;
  String FOldValue;
};

class TMaskEdit : public TCustomMaskEdit {
  TAVREN_CLASS(TMaskEdit, TCustomMaskEdit)
 public:
  using TCustomMaskEdit::TCustomMaskEdit;
};

void MaskStart();
