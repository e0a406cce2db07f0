// The regular-expression mask mode: the text left of the caret fed to the expression, the text
// right of it tested again after every change.

#include "rtl/Resources.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvMaskEdit.h"
#include "user/VirtualKeys.h"

TAVREN_CLASS_IMPL(TkvMaskEditRegExprMode)

TkvMaskEditRegExprMode::TkvMaskEditRegExprMode(TkvMaskEditModeArgs* Args)
    : TkvMaskEditCustomMode(Args), FExpression(std::make_unique<TkvRegExpr>()) {
  if (TkvCustomMaskEditProperties* properties = GetMaskProperties())
    FExpression->SetCaseInsensitive(properties->GetCaseInsensitive());
}

String TkvMaskEditRegExprMode::Join(const TChars& Chars) {
  String text;
  for (const String& ch : Chars) text += ch;
  return text;
}

String TkvMaskEditRegExprMode::GetPrefix() const { return Join(FPrefix); }

String TkvMaskEditRegExprMode::GetSuffix() const { return Join(FSuffix); }

void TkvMaskEditRegExprMode::SetMask(const String& Mask) {
  FMaskText = Mask;
  if (IsBlankEditMask(Mask)) return;
  try {
    FExpression->Compile(Mask);
  } catch (const EkvRegExprError& error) {
    String message = ResourceStringText(skvRegExErrors);
    for (const TkvRegExprError& e : error.Errors()) message += "\r\n" + e.FullText();
    throw EkvMaskEditError(message);
  }
}

String TkvMaskEditRegExprMode::FormatText(const String& Text, bool) {
  if (!FExpression->IsCompiled()) return String();
  FExpression->Restart();
  String result;
  for (String ch : kvSplitChars(Text))
    if (FExpression->Advance(ch)) result += ch;
  return result;
}

bool TkvMaskEditRegExprMode::CompilePrivate(TkvRegExpr& Expression) {
  if (!FExpression->IsCompiled()) return false;
  try {
    Expression.Compile(FMaskText);
  } catch (const EkvRegExprError&) {
    return false;
  }
  return true;
}

bool TkvMaskEditRegExprMode::IsValidText(const String& Text) {
  if (Text.empty()) return true;
  TkvRegExpr expression;
  expression.SetCaseInsensitive(GetMaskProperties()->GetCaseInsensitive());
  if (!CompilePrivate(expression)) return false;
  for (String ch : kvSplitChars(Text))
    if (!expression.Advance(ch)) return false;
  return GetMaskProperties()->GetIgnoreMaskBlank() || expression.AcceptsWhole();
}

bool TkvMaskEditRegExprMode::CaretAtEnd() {
  return static_cast<Integer>(kvSplitChars(FEditor->InnerText()).size()) == SelStart();
}

// ---- Prefix and suffix ---------------------------------------------------------------------

void TkvMaskEditRegExprMode::Resync() {
  const String text = FEditor->InnerText();
  if (!FNeedsResync && !(FPrefix.empty() && FSuffix.empty() && !text.empty())) return;
  FNeedsResync = false;
  FExpression->Restart();
  FPrefix.clear();
  FSuffix = kvSplitChars(text);
  const Integer caret = FEditor->CharCaretIndex();
  while (static_cast<Integer>(FPrefix.size()) < caret && !FSuffix.empty()) MoveOneForward();
}

bool TkvMaskEditRegExprMode::SuffixFits() {
  size_t accepted = 0;
  bool fits = true;
  for (String ch : FSuffix) {
    if (!FExpression->Advance(ch)) {
      fits = false;
      break;
    }
    ++accepted;
  }
  for (size_t i = 0; i < accepted; ++i) FExpression->StepBack();
  return fits;
}

void TkvMaskEditRegExprMode::TruncateSuffix() {
  TChars chars = kvSplitChars(FEditor->InnerText());
  const size_t from = std::min(chars.size(), size_t(std::max(SelStart(), 0)));
  chars.erase(chars.begin() + from, chars.begin() + std::min(chars.size(), from + FSuffix.size()));
  FEditor->WriteDisplayValue(Join(chars));
  FEditor->MoveCaretItself(static_cast<Integer>(chars.size()));
  FSuffix.clear();
}

void TkvMaskEditRegExprMode::MoveOneBack() {
  if (FPrefix.empty()) return;
  FExpression->StepBack();
  FSuffix.insert(FSuffix.begin(), FPrefix.back());
  FPrefix.pop_back();
}

void TkvMaskEditRegExprMode::MoveOneForward() {
  if (FSuffix.empty()) return;
  String ch = FSuffix.front();
  FExpression->Advance(ch);
  FPrefix.push_back(FSuffix.front());
  FSuffix.erase(FSuffix.begin());
}

void TkvMaskEditRegExprMode::CutSelection() {
  const Integer s = SelStart(), l = SelLength();
  const Integer prefixLength = static_cast<Integer>(FPrefix.size());
  if (s == prefixLength) {
    const size_t n = std::min(FSuffix.size(), size_t(l));
    FCutText.assign(FSuffix.begin(), FSuffix.begin() + n);
    FSuffix.erase(FSuffix.begin(), FSuffix.begin() + n);
    FCutAtStart = true;
  } else if (s + l == prefixLength) {
    const size_t n = std::min(FPrefix.size(), size_t(l));
    FCutText.assign(FPrefix.end() - n, FPrefix.end());
    FPrefix.erase(FPrefix.end() - n, FPrefix.end());
    for (size_t i = 0; i < n; ++i) FExpression->StepBack();
    FCutAtStart = false;
  }
}

void TkvMaskEditRegExprMode::RestoreCut() {
  if (FCutAtStart) {
    FSuffix.insert(FSuffix.begin(), FCutText.begin(), FCutText.end());
    return;
  }
  for (const String& ch : FCutText) {
    String c = ch;
    FExpression->Advance(c);
    FPrefix.push_back(ch);
  }
}

// ---- Keys ----------------------------------------------------------------------------------

void TkvMaskEditRegExprMode::MoveToEnd() {
  Resync();
  for (String ch : FSuffix) FExpression->Advance(ch);
  FPrefix.insert(FPrefix.end(), FSuffix.begin(), FSuffix.end());
  FSuffix.clear();
}

bool TkvMaskEditRegExprMode::Backspace() {
  Resync();
  bool answer = true;
  if (SelLength() > 0) {
    CutSelection();
    if (!SuffixFits()) {
      // The native edit deletes the selection; what follows no longer fits and goes too.
      FEditor->SendOwnChar("\b");
      TruncateSuffix();
      answer = false;
    }
  } else if (!FPrefix.empty()) {
    FExpression->StepBack();
    FPrefix.pop_back();
    if (!SuffixFits()) TruncateSuffix();
  }
  FCutText.clear();
  // A text cut off beyond the deletion is told by a beep.
  if (!answer) Beep();
  return answer;
}

bool TkvMaskEditRegExprMode::DeleteChar() {
  Resync();
  bool answer = true;
  const Integer s = SelStart();
  if (SelLength() > 0) {
    CutSelection();
    if (!SuffixFits()) {
      FEditor->SendOwnKey(VK_DELETE);
      TruncateSuffix();
      answer = false;
    }
  } else if (!FSuffix.empty()) {
    FSuffix.erase(FSuffix.begin());
    if (!SuffixFits()) {
      // Only the deleted character stays after the caret, for the native Delete to remove: the
      // text becomes the prefix, the caret stays where it is.
      TChars chars = kvSplitChars(FEditor->InnerText());
      chars.resize(std::min(chars.size(), size_t(s) + 1));
      FEditor->WriteDisplayValue(Join(chars));
      FEditor->MoveCaretItself(s);
      FSuffix.clear();
    }
  }
  FCutText.clear();
  if (!answer) Beep();
  return answer;
}

bool TkvMaskEditRegExprMode::EndKey() {
  MoveToEnd();
  return true;
}

bool TkvMaskEditRegExprMode::HomeKey() {
  Resync();
  if (!FPrefix.empty()) {
    FSuffix.insert(FSuffix.begin(), FPrefix.begin(), FPrefix.end());
    FPrefix.clear();
    FExpression->Restart();
  }
  return true;
}

bool TkvMaskEditRegExprMode::LeftKey() {
  Resync();
  if (FPrefix.empty()) return true;
  const Integer s = SelStart(), l = SelLength();
  if (l > 0 && !FEditor->GetShiftHeld()) {
    // The native Left collapses the selection to its start.
    if (FEditor->CharCaretIndex() == s + l)
      for (Integer i = 0; i < l; ++i) MoveOneBack();
    return true;
  }
  MoveOneBack();
  return true;
}

bool TkvMaskEditRegExprMode::RightKey() {
  Resync();
  if (FSuffix.empty()) return true;
  const Integer s = SelStart(), l = SelLength();
  if (l > 0 && !FEditor->GetShiftHeld()) {
    if (FEditor->CharCaretIndex() == s)
      for (Integer i = 0; i < l; ++i) MoveOneForward();
    return true;
  }
  MoveOneForward();
  return true;
}

bool TkvMaskEditRegExprMode::TypeChar(String& Ch) {
  Resync();
  if (SelLength() > 0) CutSelection();
  bool answer = true;
  String ch = Ch;
  if (FExpression->Advance(ch)) {
    Ch = ch;
    FPrefix.push_back(Ch);
    if (!SuffixFits()) {
      if (!FCutText.empty()) {
        // The native edit replaces the selection by the character, then the rest is cut off.
        FEditor->SendOwnKey(VK_DELETE);
        FEditor->SendOwnChar(Ch);
        answer = false;
      }
      TruncateSuffix();
    }
  } else {
    RestoreCut();
    answer = false;
  }
  FCutText.clear();
  if (!answer) Beep();
  return answer;
}

void TkvMaskEditRegExprMode::TakeText(const String& Text) {
  FExpression->Restart();
  TChars chars = kvSplitChars(Text);
  FPrefix.clear();
  if (FPasteLength >= 1 && !chars.empty()) {
    // A paste from which refused characters were dropped is shorter than it was: never past it.
    const size_t n = std::min(chars.size(), size_t(std::max(SelStart(), 0) + FPasteLength));
    FSuffix.assign(chars.begin(), chars.begin() + n);
    while (!FSuffix.empty()) MoveOneForward();
    FSuffix.assign(chars.begin() + n, chars.end());
    FPasteLength = 0;
  } else {
    FSuffix = chars;
  }
}

void TkvMaskEditRegExprMode::SyncWithEditValue() {
  TkvMaskEditCustomMode::SyncWithEditValue();
  if (!HasWorkingEditor()) return;
  const String text = FEditor->InnerText();
  FPrefix = kvSplitChars(text);
  FSuffix.clear();
  FEditor->MoveCaretItself(static_cast<Integer>(FPrefix.size()));
  FExpression->Restart();
  if (!FExpression->IsCompiled()) return;
  String accepted;
  FExpression->FeedText(text, accepted);
}
