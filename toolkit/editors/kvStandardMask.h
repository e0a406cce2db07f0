#pragma once
// The fixed-width edit mask: one mask character per position of the edited text, and a suffix
// that says whether literal characters belong to the value and which character shows an empty
// position. A position holds one whole UTF-8 character; texts are measured in characters.

#include <memory>
#include <vector>

#include "rtl/Types.h"

// One position of the mask.
class TkvStandardMaskCustomItem {
 public:
  virtual ~TkvStandardMaskCustomItem() = default;
  // Ch is one character; an editable position applies its case control to it.
  virtual bool Accepts(String& Ch) const = 0;
  virtual bool IsLiteral() const { return false; }
  virtual bool IsOptional() const { return false; }
};

class TkvStandardMaskLiteralItem : public TkvStandardMaskCustomItem {
 public:
  explicit TkvStandardMaskLiteralItem(String AChar) : FChar(std::move(AChar)) {}
  bool Accepts(String& Ch) const override { return Ch == FChar; }
  bool IsLiteral() const override { return true; }
  const String& Char() const { return FChar; }

 private:
  String FChar;
};

// Case control of an editable position.
enum TkvStandardMaskCase : Byte { smcUpper, smcLower, smcUnchanged };

class TkvStandardMaskManyItem : public TkvStandardMaskCustomItem {
 public:
  TkvStandardMaskManyItem(TkvStandardMaskCase ACase, bool AOptional) : FCase(ACase), FOptional(AOptional) {}
  bool Accepts(String& Ch) const override;
  bool IsOptional() const override { return FOptional; }

 protected:
  virtual bool AcceptsChar(const String& Ch) const = 0;

 private:
  TkvStandardMaskCase FCase;
  bool FOptional;
};

class TkvStandardMaskAlphaItem : public TkvStandardMaskManyItem {
 public:
  using TkvStandardMaskManyItem::TkvStandardMaskManyItem;

 protected:
  bool AcceptsChar(const String& Ch) const override;
};

class TkvStandardMaskAlphaNumericItem : public TkvStandardMaskManyItem {
 public:
  using TkvStandardMaskManyItem::TkvStandardMaskManyItem;

 protected:
  bool AcceptsChar(const String& Ch) const override;
};

class TkvStandardMaskASCIIItem : public TkvStandardMaskManyItem {
 public:
  using TkvStandardMaskManyItem::TkvStandardMaskManyItem;

 protected:
  bool AcceptsChar(const String&) const override { return true; }
};

class TkvStandardMaskNumericItem : public TkvStandardMaskManyItem {
 public:
  using TkvStandardMaskManyItem::TkvStandardMaskManyItem;

 protected:
  bool AcceptsChar(const String& Ch) const override;
};

// Always optional.
class TkvStandardMaskNumericSymbolItem : public TkvStandardMaskManyItem {
 public:
  explicit TkvStandardMaskNumericSymbolItem(TkvStandardMaskCase ACase) : TkvStandardMaskManyItem(ACase, true) {}

 protected:
  bool AcceptsChar(const String& Ch) const override;
};

class TkvStandardMask {
 public:
  TkvStandardMask() = default;
  void Clear();
  void Parse(const String& Mask);

  const String& MaskText() const { return FMaskText; }
  bool GetFillFromEnd() const { return FFillFromEnd; }
  bool GetKeepsLiterals() const { return FKeepsLiterals; }
  const String& GetBlankChar() const { return FBlankChar; }
  Integer Count() const { return Integer(FItems.size()); }
  const TkvStandardMaskCustomItem& Item(Integer Index) const { return *FItems[size_t(Index)]; }

  // What an empty masked editor shows, and its value.
  String EmptyText() const;
  String EmptyValue() const;
  // Places Text's characters into the mask: a text of exactly Count characters.
  void ApplyText(String& Text, bool UseConvertedChars, bool TextHasLiterals) const;
  // A displayed text's value.
  void ExtractValue(String& Text) const;
  // Whether a displayed text satisfies the mask; applies the case controls to Text.
  bool IsComplete(String& Text) const;

 private:
  bool IsBlank(const String& Ch) const { return Ch == FBlankChar || Ch == " "; }

  String FMaskText;
  bool FFillFromEnd = false;
  bool FKeepsLiterals = true;
  String FBlankChar = "_";
  std::vector<std::unique_ptr<TkvStandardMaskCustomItem>> FItems;
};

// The whole characters of a UTF-8 text, each as its own bytes.
std::vector<String> kvSplitChars(const String& Text);
