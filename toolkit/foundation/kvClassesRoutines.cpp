#include <climits>
#include <cstring>
#include <map>

#include "rtl/Mbcs.h"
#include "rtl/Resources.h"
#include "rtl/SysUtils.h"
#include "toolkit/foundation/kvClasses.h"

// ---- Resource texts -----------------------------------------------------------------------

namespace {
std::map<Integer, String>& ResourceTexts() {
  static std::map<Integer, String> texts;
  return texts;
}
}  // namespace

String ResourceStringText(Integer Ident) {
  auto& texts = ResourceTexts();
  auto it = texts.find(Ident);
  if (it == texts.end()) it = texts.emplace(Ident, LoadStr(Ident)).first;
  return it->second;
}

void kvClassesEnd() { ResourceTexts().clear(); }

// ---- Unique item names --------------------------------------------------------------------

namespace {

bool IsNameChar(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

// BaseName reduced to identifier characters; a character of several bytes goes as a whole, and
// none of its bytes is a name character.
String NameStem(TComponent* Item, const String& ClassPrefix, const String& BaseName) {
  String stem;
  for (char c : BaseName)
    if (IsNameChar(c)) stem += c;
  String className = Item ? Item->ClassName() : String();
  if ((stem.empty() || (stem[0] >= '0' && stem[0] <= '9')) && !className.empty()) {
    String front;
    if (!ClassPrefix.empty() && className.size() >= ClassPrefix.size() &&
        SameText(className.substr(0, ClassPrefix.size()), ClassPrefix)) {
      front = className.substr(ClassPrefix.size());
    } else {
      front = className;
      if (front[0] == 'T') front.erase(0, 1);
    }
    stem = front + stem;
  }
  return stem;
}

bool NameTaken(TComponent* Owner, TComponent* Item, const String& Name) {
  if (!Owner) return false;
  for (Integer i = 0; i < Owner->GetComponentCount(); ++i) {
    TComponent* other = Owner->GetComponents(i);
    if (other != Item && SameText(other->GetName(), Name)) return true;
  }
  return false;
}

}  // namespace

String UniqueItemName(TComponent* Owner, TComponent* ParentComponent, TComponent* Item,
                      const String& ClassPrefix, const String& BaseName) {
  String stem = NameStem(Item, ClassPrefix, BaseName);
  if (ParentComponent) stem = ParentComponent->GetName() + stem;
  for (Integer n = BaseName.empty() ? 1 : 0;; ++n) {
    String candidate = n > 0 ? stem + IntToStr(n) : stem;
    if (!NameTaken(Owner, Item, candidate) || n == INT_MAX) return candidate;
  }
}

// ---- Small routines -----------------------------------------------------------------------

String LocaleInfoOrDefault(LCID Locale, LCTYPE InfoType, const String& Default) {
  int size = GetLocaleInfo(Locale, InfoType, nullptr, 0);
  if (size <= 0) return Default;
  String text(static_cast<size_t>(size), '\0');
  int written = GetLocaleInfo(Locale, InfoType, text.data(), size);
  if (written <= 0) return Default;
  text.resize(static_cast<size_t>(written - 1));
  return text;
}

Integer CharByteLength(const String& Text, Integer Position) {
  if (Position < 1 || Position > static_cast<Integer>(Text.size())) return 1;
  const char* p = Text.c_str() + Position - 1;
  return static_cast<Integer>(CharNext(p) - p);
}

Integer NextCharPosition(const String& Text, Integer Position) { return Position + CharByteLength(Text, Position); }

Integer PrevCharPosition(const String& Text, Integer Position) {
  if (Position <= 1) return Position;
  Integer clamped = Position > static_cast<Integer>(Text.size()) + 1 ? static_cast<Integer>(Text.size()) + 1 : Position;
  const char* start = Text.c_str();
  return static_cast<Integer>(CharPrev(start, start + clamped - 1) - start) + 1;
}

String TextBeforeBar(const String& Text) {
  size_t bar = Text.find('|');
  return bar == String::npos ? Text : Text.substr(0, bar);
}

void InvokeNotifyEvent(TObject* Sender, const TNotifyEvent& Event) {
  if (Event) Event(Sender);
}

TPersistent* PersistentOwnerOf(TPersistent* Persistent) { return Persistent->GetOwner(); }

TSize MakeSizeValue(Integer Width, Integer Height) { return TSize{Width, Height}; }

Integer RangeMidpoint(Integer A, Integer B) {
  Int64 sum = Int64{A} + B;  // 64 bits: the sum of two 32-bit values may not fit
  return static_cast<Integer>(sum > 0 ? sum / 2 : (sum - 1) / 2);
}

void ZeroBuffer(void* Buffer, Integer Size) {
  if (Size > 0) std::memset(Buffer, 0, static_cast<size_t>(Size));
}

void MoveBytes(const void* Source, void* Dest, Integer Count) {
  if (Count > 0) std::memmove(Dest, Source, static_cast<size_t>(Count));
}

void CopyBytes(const void* Source, void* Dest, Integer SourceOffset, Integer DestOffset, Integer Count) {
  if (SourceOffset < 0) SourceOffset = 0;
  if (DestOffset < 0) DestOffset = 0;
  MoveBytes(static_cast<const Byte*>(Source) + SourceOffset, static_cast<Byte*>(Dest) + DestOffset, Count);
}

Byte ReadByteAt(const void* P, Integer Offset) {
  Byte value = 0;
  CopyBytes(P, &value, Offset, 0, 1);
  return value;
}

void WriteByteAt(void* P, Byte Value, Integer Offset) { CopyBytes(&Value, P, 0, Offset, 1); }

Integer FloatSign(Double X) { return X >= 0 ? 1 : -1; }
