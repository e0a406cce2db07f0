// The open and save dialogs' settings, their filters, and what they publish.

#include "vcl/Dialogs.h"

#include <fnmatch.h>

#include "rtl/ClassRegistry.h"
#include "rtl/UnicodeCase.h"

std::vector<TFileFilter> ParseFileFilter(const String& Filter) {
  std::vector<String> parts;
  size_t start = 0;
  while (start <= Filter.size()) {
    size_t bar = Filter.find('|', start);
    if (bar == String::npos) bar = Filter.size();
    parts.push_back(Filter.substr(start, bar - start));
    start = bar + 1;
  }
  std::vector<TFileFilter> filters;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    TFileFilter filter{parts[i], {}};
    size_t from = 0;
    const String& patterns = parts[i + 1];
    while (from <= patterns.size()) {
      size_t semicolon = patterns.find(';', from);
      if (semicolon == String::npos) semicolon = patterns.size();
      String pattern = patterns.substr(from, semicolon - from);
      // Blanks around patterns are no part of them.
      size_t first = pattern.find_first_not_of(' ');
      size_t last = pattern.find_last_not_of(' ');
      if (first != String::npos) filter.Patterns.push_back(pattern.substr(first, last - first + 1));
      from = semicolon + 1;
    }
    if (!filter.Patterns.empty()) filters.push_back(filter);
  }
  return filters;
}

bool MatchesFileMask(const String& FileName, const std::vector<String>& Patterns) {
  String name = Utf8LowerCase(FileName);
  for (const String& pattern : Patterns) {
    if (pattern == "*" || pattern == "*.*") return true;
    if (fnmatch(Utf8LowerCase(pattern).c_str(), name.c_str(), FNM_NOESCAPE) == 0) return true;
  }
  return false;
}

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFiles(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

TAVREN_CLASS_IMPL_PUBLISHED(TCommonDialog,
    PROPERTY(Ctl3D).Default(true),
    PROPERTY(OnClose),
    PROPERTY(OnShow))

TAVREN_CLASS_IMPL_PUBLISHED(TOpenDialog,
    PROPERTY(DefaultExt),
    PROPERTY(FileName),
    PROPERTY(Filter),
    PROPERTY(FilterIndex).Default(1),
    PROPERTY(InitialDir),
    PROPERTY(Options).Default(TOpenOptions{ofHideReadOnly, ofEnableSizing}),
    PROPERTY(Title))

TAVREN_CLASS_IMPL(TSaveDialog)

TAVREN_CLASS_IMPL_PUBLISHED(TColorDialog, PROPERTY(Color).Default(clBlack))

TAVREN_CLASS_IMPL_PUBLISHED(TFontDialog, PROPERTY(Font))

TFontDialog::TFontDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFont(std::make_unique<TFont>()) {}

TFontDialog::~TFontDialog() = default;

void TFontDialog::SetFont(TFont* Value) { FFont->Assign(Value); }

void DialogsStart() { RegisterClasses({TOpenDialog::ClassInfo(), TSaveDialog::ClassInfo(), TColorDialog::ClassInfo(), TFontDialog::ClassInfo()}); }
