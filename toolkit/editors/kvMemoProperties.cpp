// The memo's settings and its display text outside focus.

#include "rtl/SysUtils.h"
#include "toolkit/editors/kvMemo.h"

String MemoFirstLineText(const String& Text, Integer Limit) {
  size_t i = 0;
  for (Integer characters = 0; i < Text.size() && characters < Limit; ++characters) {
    if (Text[i] == '\r' || Text[i] == '\n') break;
    // One whole character: its lead byte and its continuation bytes.
    ++i;
    while (i < Text.size() && (static_cast<Byte>(Text[i]) & 0xC0) == 0x80) ++i;
  }
  return Text.substr(0, i);
}

String NormalizeMemoLineBreaks(const String& Text) {
  String result;
  result.reserve(Text.size());
  for (size_t i = 0; i < Text.size(); ++i) {
    bool pair = i + 1 < Text.size();
    if (pair && Text[i] == '\r' && Text[i + 1] == '\n') {
      result += "\r\n";
      ++i;
    } else if (pair && Text[i] == '\n' && Text[i + 1] == '\r') {
      result += "\r\n\r\n";
      ++i;
    } else {
      result += Text[i];
    }
  }
  return result;
}

TAVREN_CLASS_IMPL(TkvCustomMemoProperties)

TkvCustomMemoProperties::TkvCustomMemoProperties(TPersistent* AOwner) : TkvCustomTextEditProperties(AOwner) {
  GetAlignment()->SetVert(taTopJustify);
  SetAutoSelect(false);
}

void TkvCustomMemoProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomMemoProperties*>(Source);
  if (!source) return TkvCustomTextEditProperties::Assign(Source);
  LockChanges();
  try {
    TkvCustomTextEditProperties::Assign(Source);
    SetScrollBars(source->FScrollBars);
    SetVisibleLineCount(source->FVisibleLineCount);
    SetWantReturns(source->FWantReturns);
    SetWantTabs(source->FWantTabs);
    SetWordWrap(source->FWordWrap);
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

String TkvCustomMemoProperties::EditValueToDisplayText(const Variant& EditValue, bool Focused) {
  String text = TkvCustomTextEditProperties::EditValueToDisplayText(EditValue, true);
  return Focused ? text : MemoFirstLineText(text, kvMemoDisplayTextLimit);
}

TAVREN_CLASS_IMPL_PUBLISHED(
    TkvMemoProperties,
    PROPERTY_AS(Alignment, GetHorzAlignment, SetHorzAlignment)
        .Stored<&TkvCustomMemoProperties::IsHorzAlignmentStored>(),
    PROPERTY(AssignedValues), PROPERTY(AutoSelect).Default(false), PROPERTY(CharCase).Default(ecNormal),
    PROPERTY(ClearKey).Default(0), PROPERTY(HideSelection).Default(true), PROPERTY(ImeMode).Default(imDontCare),
    PROPERTY(ImeName), PROPERTY(MaxLength).Stored<&TkvCustomTextEditProperties::IsMaxLengthStored>(),
    PROPERTY(OEMConvert).Default(false), PROPERTY(ReadOnly).Stored<&TkvCustomEditProperties::IsReadOnlyStored>(),
    PROPERTY(ScrollBars).Default(ssNone), PROPERTY(VisibleLineCount).Default(0),
    PROPERTY(WantReturns).Default(true), PROPERTY(WantTabs).Default(false), PROPERTY(WordWrap).Default(true),
    PROPERTY(OnChange), PROPERTY(OnEditValueChanged), PROPERTY(OnValidate))
