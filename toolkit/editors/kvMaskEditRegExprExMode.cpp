// The regular-expression mask mode that completes the literals the mask forces: a typed character
// and the forced characters completed after it form a unit, stepped over and deleted whole.

#include "toolkit/editors/kvMaskEdit.h"
#include "user/VirtualKeys.h"

TAVREN_CLASS_IMPL(TkvMaskEditRegExprExMode)

TkvMaskEditRegExprExMode::TkvMaskEditRegExprExMode(TkvMaskEditModeArgs* Args) : TkvMaskEditRegExprMode(Args) {
  FExpression->OnCharAdded = [this](const String& Ch) { FAutoText.push_back(Ch); };
  FExpression->OnCharRemoved = [this] { ++FTakenBackCount; };
  FExpression->SetAutoComplete(true);
  ClearAutoText();
}

void TkvMaskEditRegExprExMode::ClearAutoText() {
  FAutoText.clear();
  FTakenBackCount = 0;
}

void TkvMaskEditRegExprExMode::Recomplete() {
  SetCompletion(false);
  SetCompletion(true);
}

void TkvMaskEditRegExprExMode::SendChars(const TChars& Chars) {
  for (const String& ch : Chars) FEditor->SendOwnChar(ch);
}

bool TkvMaskEditRegExprExMode::ProbeForcedPrefix(TkvRegExpr& Probe) {
  Probe.SetCaseInsensitive(FExpression->GetCaseInsensitive());
  if (!CompilePrivate(Probe)) return false;
  Probe.OnCharAdded = [this](const String& Ch) { FProbeText.push_back(Ch); };
  FProbeText.clear();
  Probe.SetAutoComplete(true);
  return true;
}

void TkvMaskEditRegExprExMode::SetMask(const String& Mask) {
  ClearAutoText();
  TkvMaskEditRegExprMode::SetMask(Mask);
  FEmptyValuePending = !HasWorkingEditor();
}

String TkvMaskEditRegExprExMode::EmptyValueText() {
  TkvRegExpr probe;
  return ProbeForcedPrefix(probe) ? Join(FProbeText) : String();
}

String TkvMaskEditRegExprExMode::FormatText(const String& Text, bool TextHasLiterals) {
  if (!FExpression->IsCompiled()) return String();
  SetCompletion(false);
  ClearAutoText();
  const String result = TkvMaskEditRegExprMode::FormatText(Text, TextHasLiterals);
  SetCompletion(true);
  return result + Join(FAutoText);
}

void TkvMaskEditRegExprExMode::MoveToEnd() {
  SetCompletion(false);
  TkvMaskEditRegExprMode::MoveToEnd();
  SetCompletion(true);
}

bool TkvMaskEditRegExprExMode::IsValidText(const String& Text) {
  TkvRegExpr probe;
  if (!ProbeForcedPrefix(probe)) return false;
  // The untouched forced prefix is the empty editor.
  if (Text == Join(FProbeText)) return true;
  probe.SetAutoComplete(false);
  probe.Restart();
  for (String ch : kvSplitChars(Text))
    if (!probe.Advance(ch)) return false;
  return GetMaskProperties()->GetIgnoreMaskBlank() || probe.AcceptsWhole();
}

void TkvMaskEditRegExprExMode::AfterPaste() {
  if (FPendingCaret < 0) return;
  FEditor->MoveCaretItself(FPendingCaret);
  FPendingCaret = -1;
}

void TkvMaskEditRegExprExMode::CompleteAndTakeBack() {
  ClearAutoText();
  SetCompletion(true);
  if (!FAutoText.empty()) FExpression->StepBack();
  ClearAutoText();
}

void TkvMaskEditRegExprExMode::CutSelection() {
  SetCompletion(false);
  TkvMaskEditRegExprMode::CutSelection();
  CompleteAndTakeBack();
}

void TkvMaskEditRegExprExMode::RestoreCut() {
  SetCompletion(false);
  TkvMaskEditRegExprMode::RestoreCut();
  CompleteAndTakeBack();
}

void TkvMaskEditRegExprExMode::FitSuffix() {
  SetCompletion(false);
  if (SuffixFits())
    RecompleteSuffix();
  else
    TruncateSuffix();
  SetCompletion(true);
}

void TkvMaskEditRegExprExMode::ApplyPendingEmptyValue() {
  if (!FEmptyValuePending || !FEditor) return;
  FEditor->SetMaskEditValueInternal(Join(FAutoText));
  FEmptyValuePending = false;
}

void TkvMaskEditRegExprExMode::TakeText(const String& Text) {
  SetCompletion(false);
  FExpression->Restart();
  for (String ch : kvSplitChars(Text)) FExpression->Advance(ch);
  ClearAutoText();
  SetCompletion(true);
  FPrefix = kvSplitChars(Text);
  FPrefix.insert(FPrefix.end(), FAutoText.begin(), FAutoText.end());
  FSuffix.clear();
  if (HasWorkingEditor()) {
    FNeedsResync = true;
    ResyncUnits();
  }
  FPasteLength = 0;
}

// ---- Units ---------------------------------------------------------------------------------

void TkvMaskEditRegExprExMode::ForwardUnit() {
  if (FSuffix.empty()) return;
  ClearAutoText();
  String ch = FSuffix.front();
  FExpression->Advance(ch);
  const size_t n = std::min(FSuffix.size(), FAutoText.size() + 1);
  FPrefix.insert(FPrefix.end(), FSuffix.begin(), FSuffix.begin() + n);
  FSuffix.erase(FSuffix.begin(), FSuffix.begin() + n);
}

void TkvMaskEditRegExprExMode::BackUnit() {
  if (FPrefix.empty()) return;
  ClearAutoText();
  FExpression->StepBack();
  if (FExpression->AtStart()) {
    FSuffix.insert(FSuffix.begin(), FPrefix.begin(), FPrefix.end());
    FPrefix.clear();
    return;
  }
  const size_t n = std::min(FPrefix.size(), size_t(FTakenBackCount) + 1);
  FSuffix.insert(FSuffix.begin(), FPrefix.end() - n, FPrefix.end());
  FPrefix.erase(FPrefix.end() - n, FPrefix.end());
}

void TkvMaskEditRegExprExMode::ResyncUnits() {
  if (!HasWorkingEditor() || !FEditor->InnerWindowExists()) return;
  const String text = FEditor->InnerText();
  if (FPrefix.empty() && FSuffix.empty() && !text.empty()) {
    FSuffix = kvSplitChars(text);
    FExpression->Restart();
    FNeedsResync = true;
  }
  if (!FNeedsResync) return;
  FNeedsResync = false;
  const Integer a = FEditor->CharSelStart(), b = a + FEditor->CharSelLength();
  auto prefixLength = [this] { return static_cast<Integer>(FPrefix.size()); };
  // Every move below makes progress or ends the walk: a split gone stale cannot loop.
  while (prefixLength() < a && !FSuffix.empty()) {
    ForwardUnit();
    if (prefixLength() > a) {
      BackUnit();
      FEditor->MoveCaretItself(prefixLength());
      break;
    }
  }
  while (prefixLength() > a) {
    const Integer before = prefixLength();
    BackUnit();
    if (prefixLength() >= before) break;
    if (prefixLength() < a) {
      FEditor->MoveCaretItself(prefixLength());
      break;
    }
  }
  if (a < b) {
    while (prefixLength() < b && !FSuffix.empty()) ForwardUnit();
    FEditor->SetSelLengthItself(prefixLength() - FEditor->CharSelStart());
  }
}

void TkvMaskEditRegExprExMode::RecompleteSuffix() {
  ClearAutoText();
  if (FSuffix.empty()) return;
  SetCompletion(false);
  for (String ch : FSuffix) {
    FExpression->Advance(ch);
    FEditor->MoveCaretItself(FEditor->CharCaretIndex() + 1);
  }
  SetCompletion(true);
  // The forced characters the mask needs after the text are always there.
  for (const String& ch : FAutoText) {
    FSuffix.push_back(ch);
    FEditor->SendOwnChar(ch);
  }
  SetCompletion(false);
  for (size_t i = 0; i < FSuffix.size(); ++i) {
    FExpression->StepBack();
    FEditor->MoveCaretItself(FEditor->CharCaretIndex() - 1);
  }
  SetCompletion(true);
  ClearAutoText();
}

// ---- Keys ----------------------------------------------------------------------------------

bool TkvMaskEditRegExprExMode::KeepForcedPrefix() {
  if (FEditor->CharSelStart() != 0) return false;
  ClearAutoText();
  Recomplete();
  if (FAutoText.empty()) return false;
  // The forced prefix stays: the selection shrinks to what lies after it.
  const Integer kept = static_cast<Integer>(FAutoText.size());
  const Integer length = FEditor->CharSelLength();
  TChars selected = kvSplitChars(FEditor->InnerText());
  selected.resize(std::min(selected.size(), size_t(length)));
  FPrefix = FAutoText;
  FEditor->MoveCaretItself(kept);
  FEditor->SetSelLengthItself(std::max(length - kept, 0));
  FSuffix.insert(FSuffix.begin(), selected.begin() + std::min(selected.size(), size_t(kept)), selected.end());
  ClearAutoText();
  return true;
}

bool TkvMaskEditRegExprExMode::Backspace() {
  ResyncUnits();
  ClearAutoText();
  if (FEditor->CharSelLength() > 0) {
    CutSelection();
    if (KeepForcedPrefix()) return Backspace();
    FEditor->SendOwnChar("\b");
  } else if (!FPrefix.empty()) {
    FExpression->StepBack();
    if (FExpression->AtStart() && FEditor->CharSelStart() == FTakenBackCount) {
      // Only the forced prefix lies left of the caret: it stays.
      String first = FPrefix.front();
      FExpression->Advance(first);
      ClearAutoText();
      Beep();
      return false;
    }
    const size_t n = std::min(FPrefix.size(), size_t(FTakenBackCount) + 1);
    FPrefix.erase(FPrefix.end() - n, FPrefix.end());
    for (size_t i = 0; i < n; ++i) FEditor->SendOwnChar("\b");
  } else {
    return false;
  }
  FitSuffix();
  ClearAutoText();
  FCutText.clear();
  return false;
}

bool TkvMaskEditRegExprExMode::DeleteChar() {
  ResyncUnits();
  ClearAutoText();
  if (FEditor->CharSelLength() > 0) return Backspace();
  if (FSuffix.empty()) return false;
  if (FEditor->CharSelStart() == 0) {
    Recomplete();
    if (!FAutoText.empty()) {
      // The caret stands before the forced prefix, which cannot be deleted.
      FExpression->StepBack();
      ClearAutoText();
      Beep();
      return false;
    }
  }
  String ch = FSuffix.front();
  FExpression->Advance(ch);
  const size_t n = std::min(FSuffix.size(), FAutoText.size() + 1);
  for (size_t i = 0; i < n; ++i) FEditor->SendOwnKey(VK_DELETE);
  FSuffix.erase(FSuffix.begin(), FSuffix.begin() + n);
  FExpression->StepBack();
  FitSuffix();
  ClearAutoText();
  return false;
}

bool TkvMaskEditRegExprExMode::EndKey() {
  ResyncUnits();
  ClearAutoText();
  SetCompletion(false);
  TkvMaskEditRegExprMode::EndKey();
  SetCompletion(true);
  return true;
}

bool TkvMaskEditRegExprExMode::HomeKey() {
  ResyncUnits();
  ClearAutoText();
  TkvMaskEditRegExprMode::HomeKey();
  return true;
}

bool TkvMaskEditRegExprExMode::LeftKey() {
  ResyncUnits();
  ClearAutoText();
  const Integer s = FEditor->CharSelStart(), l = FEditor->CharSelLength();
  if (l > 0 && !FEditor->GetShiftHeld()) {
    if (FEditor->CharCaretIndex() == s + l) {
      SetCompletion(false);
      TkvMaskEditRegExprMode::LeftKey();
      CompleteAndTakeBack();
    }
    return true;
  }
  if (FPrefix.empty()) return true;
  // The step back takes the whole unit; the native Left moves over its typed character.
  TkvMaskEditRegExprMode::LeftKey();
  Integer takenBack = FTakenBackCount;
  if (FExpression->AtStart() && takenBack == (s == 0 ? l : s)) --takenBack;
  for (Integer i = 0; i < takenBack && !FPrefix.empty(); ++i) {
    FSuffix.insert(FSuffix.begin(), FPrefix.back());
    FPrefix.pop_back();
    FEditor->SendOwnKey(VK_LEFT);
  }
  ClearAutoText();
  return true;
}

bool TkvMaskEditRegExprExMode::RightKey() {
  ResyncUnits();
  ClearAutoText();
  const Integer s = FEditor->CharSelStart(), l = FEditor->CharSelLength();
  if (l > 0 && !FEditor->GetShiftHeld()) {
    if (FEditor->CharCaretIndex() == s) {
      SetCompletion(false);
      for (Integer i = 0; i < l; ++i) MoveOneForward();
      ClearAutoText();
      SetCompletion(true);
    }
    return true;
  }
  if (FSuffix.empty()) return true;
  MoveOneForward();
  for (const String& completed : TChars(FAutoText)) {
    (void)completed;
    if (FSuffix.empty()) break;
    FPrefix.push_back(FSuffix.front());
    FSuffix.erase(FSuffix.begin());
    FEditor->SendOwnKey(VK_RIGHT);
  }
  ClearAutoText();
  return true;
}

bool TkvMaskEditRegExprExMode::TypeChar(String& Ch) {
  ResyncUnits();
  ClearAutoText();
  const bool hadSelection = FEditor->CharSelLength() > 0;
  if (hadSelection) {
    CutSelection();
    if (KeepForcedPrefix()) return TypeChar(Ch);
  }
  String ch = Ch;
  if (FExpression->Advance(ch)) {
    Ch = ch;
    // The native edit replaces a selection by the first of these characters.
    FPrefix.push_back(Ch);
    FPrefix.insert(FPrefix.end(), FAutoText.begin(), FAutoText.end());
    FEditor->SendOwnChar(Ch);
    SendChars(TChars(FAutoText));
    FitSuffix();
  } else {
    if (hadSelection) RestoreCut();
    Beep();
  }
  ClearAutoText();
  FCutText.clear();
  return false;
}
