#pragma once
// Edit masks, as the framework's masked edits and FormatMaskText read them:
//   "<mask>;<save literals: 0 or 1>;<blank character>"
// Mask characters: L letter, l optional letter, A letter or digit, a optional one, C any
// character, c optional one, 0 digit, 9 optional digit, # optional digit or sign; > upper case
// from here, < lower case, <> no case change; \ takes the next character literally; : and / are
// the locale's time and date separators; _ stands for a blank; ! right-justifies optional
// characters; anything else is a literal.

#include <vector>

#include "rtl/Types.h"

class TEditMask {
 public:
  explicit TEditMask(const String& Mask);

  bool Empty() const { return FPositions.empty(); }
  // Characters of the edit text (literals and entry places).
  Integer Length() const { return Integer(FPositions.size()); }
  bool SaveLiterals() const { return FSaveLiterals; }
  char16_t Blank() const { return FBlank; }
  bool IsLiteral(Integer Pos) const { return FPositions[size_t(Pos)].Literal; }
  // Whether Ch may stand at entry place Pos, and how it is written there (case rules applied).
  bool Accepts(Integer Pos, char16_t& Ch) const;
  bool Required(Integer Pos) const;

  // The edit text for a value: literals at their places, the value's characters in the entry
  // places (place by place when literals are saved, else in order), Blank where none is given.
  WideString EditTextFor(const WideString& Value) const;
  // The value held by an edit text: with saved literals the whole text, else the entry places
  // only; blanks become spaces.
  WideString ValueOf(const WideString& EditText) const;
  // The first entry place that is required and blank (or holds a character it refuses); -1 when
  // every place is valid.
  Integer FirstInvalid(const WideString& EditText) const;

 private:
  struct Place {
    bool Literal = false;
    char16_t Ch = 0;  // the literal, or the mask character
    int Case = 0;     // -1 lower, 0 as typed, 1 upper
  };
  std::vector<Place> FPositions;
  bool FSaveLiterals = true;
  bool FRightJustify = false;
  char16_t FBlank = u'_';
};

// Value formatted by the mask, with spaces for blanks: what a masked edit's Text would show.
String FormatMaskText(const String& EditMask, const String& Value);
