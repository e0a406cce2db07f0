#pragma once
// How a list of "name=value" lines shows each line: whole, by name, by value, or by value indented
// by the name read as a level.

#include "rtl/TypInfo.h"

enum TItemsDisplayMode { dmDefault, dmNameList, dmValueList, dmIndentList };
TAVREN_ENUM_INFO(TItemsDisplayMode, dmDefault, dmNameList, dmValueList, dmIndentList);

#include "rtl/StringList.h"
#include "rtl/Types.h"

// A string list a control owns and publishes, streamed in form text as its "Strings".
class TJyStrings : public TStringList {
  TAVREN_CLASS(TJyStrings, TStringList)
 protected:
  void DefineProperties(TFiler* Filer) override;
};

// The parts of a "name=value" line, split at the first "=" (a line without one is all name).
String LineNamePart(const String& Line);
String LineValuePart(const String& Line);
// What a line shows in Mode: the whole line, its name part, or its value part.
String LineDisplayText(const String& Line, TItemsDisplayMode Mode);
