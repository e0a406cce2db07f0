#include "toolkit/inspector/JyStdCtrls.h"

#include "vcl/StdCtrls.h"

TAVREN_CLASS_IMPL(TJyStrings)

void TJyStrings::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  DefineStringsProperty(this, Filer);
}

String LineNamePart(const String& Line) {
  const auto at = Line.find('=');
  return at == String::npos ? Line : Line.substr(0, at);
}

String LineValuePart(const String& Line) {
  const auto at = Line.find('=');
  return at == String::npos ? String() : Line.substr(at + 1);
}

String LineDisplayText(const String& Line, TItemsDisplayMode Mode) {
  switch (Mode) {
    case dmNameList:
      return LineNamePart(Line);
    case dmValueList:
    case dmIndentList:
      return LineValuePart(Line);
    default:
      return Line;
  }
}
