#include "rtl/StringList.h"

#include <algorithm>
#include <numeric>

#include "rtl/Streams.h"
#include "rtl/SysUtils.h"

TAVREN_CLASS_IMPL(TStrings)
TAVREN_CLASS_IMPL(TStringList)

namespace {

[[noreturn]] void StringListIndexError(Integer Index) {
  throw EStringListError(Format("List index out of bounds (%d)", Index));
}

[[noreturn]] void SortedListError() { throw EStringListError("Operation not allowed on sorted list"); }

// Blanks and control characters; bytes of multi-byte characters are neither.
bool IsBlank(Char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

// ---- TStrings ------------------------------------------------------------------------------

Integer TStrings::Add(const String& S) {
  Integer index = GetCount();
  Insert(index, S);
  return index;
}

Integer TStrings::AddObject(const String& S, TObject* AObject) {
  Integer index = Add(S);
  SetObjects(index, AObject);
  return index;
}

void TStrings::AddStrings(TStrings* Strings) {
  BeginUpdate();
  try {
    for (Integer i = 0; i < Strings->GetCount(); ++i) AddObject(Strings->GetStrings(i), Strings->GetObjects(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TStrings*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  try {
    Clear();
    FDelimiter = source->FDelimiter;
    FQuoteChar = source->FQuoteChar;
    FNameValueSeparator = source->FNameValueSeparator;
    FStrictDelimiter = source->FStrictDelimiter;
    AddStrings(source);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::Exchange(Integer Index1, Integer Index2) {
  BeginUpdate();
  try {
    String s = GetStrings(Index1);
    TObject* o = GetObjects(Index1);
    SetStrings(Index1, GetStrings(Index2));
    SetObjects(Index1, GetObjects(Index2));
    SetStrings(Index2, s);
    SetObjects(Index2, o);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

Integer TStrings::IndexOf(const String& S) {
  for (Integer i = 0; i < GetCount(); ++i)
    if (CompareStrings(GetStrings(i), S) == 0) return i;
  return -1;
}

Integer TStrings::IndexOfName(const String& Name) {
  for (Integer i = 0; i < GetCount(); ++i) {
    String s = GetStrings(i);
    auto p = s.find(FNameValueSeparator);
    if (p != String::npos && CompareStrings(s.substr(0, p), Name) == 0) return i;
  }
  return -1;
}

Integer TStrings::IndexOfObject(TObject* AObject) {
  for (Integer i = 0; i < GetCount(); ++i)
    if (GetObjects(i) == AObject) return i;
  return -1;
}

void TStrings::InsertObject(Integer Index, const String& S, TObject* AObject) {
  Insert(Index, S);
  SetObjects(Index, AObject);
}

void TStrings::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  BeginUpdate();
  try {
    String s = GetStrings(CurIndex);
    TObject* o = GetObjects(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, s, o);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::SetStrings(Integer Index, const String& S) {
  TObject* o = GetObjects(Index);
  Delete(Index);
  InsertObject(Index, S, o);
}

TObject* TStrings::GetObjects(Integer) { return nullptr; }

void TStrings::SetObjects(Integer, TObject*) {}

Integer TStrings::GetCapacity() { return GetCount(); }

void TStrings::SetCapacity(Integer) {}

Integer TStrings::CompareStrings(const String& S1, const String& S2) { return AnsiCompareText(S1, S2); }

// ---- Text ----------------------------------------------------------------------------------

String TStrings::GetText() {
  String result;
  for (Integer i = 0; i < GetCount(); ++i) {
    result += GetStrings(i);
    result += sLineBreak;
  }
  return result;
}

void TStrings::SetText(const String& Value) {
  BeginUpdate();
  try {
    Clear();
    std::size_t p = 0;
    while (p < Value.size()) {
      std::size_t end = Value.find_first_of("\r\n", p);
      if (end == String::npos) end = Value.size();
      Add(Value.substr(p, end - p));
      p = end;
      if (p < Value.size() && Value[p] == '\r') ++p;
      if (p < Value.size() && Value[p] == '\n') ++p;
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::LoadFromFile(const String& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TStrings::LoadFromStream(TStream* Stream) {
  Int64 size = Stream->GetSize() - Stream->GetPosition();
  String text;
  if (size > 0) {
    text.resize(static_cast<std::size_t>(size));
    text.resize(static_cast<std::size_t>(Stream->Read(text.data(), static_cast<Integer>(size))));
  }
  SetText(text);
}

void TStrings::SaveToFile(const String& FileName) {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

void TStrings::SaveToStream(TStream* Stream) {
  String text = GetText();
  Stream->WriteBuffer(text.data(), static_cast<Integer>(text.size()));
}

// ---- Names and values ----------------------------------------------------------------------

String TStrings::GetNames(Integer Index) {
  String s = GetStrings(Index);
  auto p = s.find(FNameValueSeparator);
  return p == String::npos ? String() : s.substr(0, p);
}

String TStrings::GetValues(const String& Name) {
  Integer index = IndexOfName(Name);
  return index >= 0 ? GetValueFromIndex(index) : String();
}

void TStrings::SetValues(const String& Name, const String& Value) {
  Integer index = IndexOfName(Name);
  if (!Value.empty()) {
    if (index < 0) index = Add(String());
    SetStrings(index, Name + FNameValueSeparator + Value);
  } else if (index >= 0) {
    Delete(index);
  }
}

// A string without a separator has no value (not its text less the first character).
String TStrings::GetValueFromIndex(Integer Index) {
  if (Index < 0) return String();
  String s = GetStrings(Index);
  auto p = s.find(FNameValueSeparator);
  return p == String::npos ? String() : s.substr(p + 1);
}

void TStrings::SetValueFromIndex(Integer Index, const String& Value) {
  if (!Value.empty()) {
    if (Index < 0) Index = Add(String());
    SetStrings(Index, GetNames(Index) + FNameValueSeparator + Value);
  } else if (Index >= 0) {
    Delete(Index);
  }
}

// ---- Delimited text ------------------------------------------------------------------------

String TStrings::GetDelimitedText() {
  Integer count = GetCount();
  if (count == 1 && GetStrings(0).empty()) return String(2, FQuoteChar);
  String result;
  for (Integer i = 0; i < count; ++i) {
    String s = GetStrings(i);
    bool quote = std::any_of(s.begin(), s.end(), [this](Char c) {
      return c == FQuoteChar || c == FDelimiter || (!FStrictDelimiter && IsBlank(c));
    });
    if (i > 0) result += FDelimiter;
    result += quote ? AnsiQuotedStr(s, FQuoteChar) : s;
  }
  return result;
}

void TStrings::SetDelimitedText(const String& Value) {
  const std::size_t n = Value.size();
  auto skipBlanks = [&](std::size_t& p) {
    if (!FStrictDelimiter)
      while (p < n && IsBlank(Value[p])) ++p;
  };
  BeginUpdate();
  try {
    Clear();
    std::size_t p = 0;
    skipBlanks(p);
    while (p < n) {
      String s;
      if (Value[p] == FQuoteChar) {
        // Doubled quotes stand for one; an unclosed quote runs to the end of the text.
        ++p;
        while (p < n) {
          if (Value[p] == FQuoteChar) {
            if (p + 1 < n && Value[p + 1] == FQuoteChar) {
              s += FQuoteChar;
              p += 2;
              continue;
            }
            ++p;
            break;
          }
          s += Value[p++];
        }
      } else {
        std::size_t start = p;
        while (p < n && Value[p] != FDelimiter && (FStrictDelimiter || !IsBlank(Value[p]))) ++p;
        s = Value.substr(start, p - start);
      }
      Add(s);
      skipBlanks(p);
      if (p < n && Value[p] == FDelimiter) {
        if (p + 1 == n) Add(String());  // a delimiter at the very end ends an empty string
        ++p;
        skipBlanks(p);
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

String TStrings::GetCommaText() {
  Char delimiter = FDelimiter, quote = FQuoteChar;
  bool strict = FStrictDelimiter;
  FDelimiter = ',';
  FQuoteChar = '"';
  FStrictDelimiter = false;
  String result = GetDelimitedText();
  FDelimiter = delimiter;
  FQuoteChar = quote;
  FStrictDelimiter = strict;
  return result;
}

void TStrings::SetCommaText(const String& Value) {
  Char delimiter = FDelimiter, quote = FQuoteChar;
  bool strict = FStrictDelimiter;
  FDelimiter = ',';
  FQuoteChar = '"';
  FStrictDelimiter = false;
  try {
    SetDelimitedText(Value);
  } catch (...) {
    FDelimiter = delimiter;
    FQuoteChar = quote;
    FStrictDelimiter = strict;
    throw;
  }
  FDelimiter = delimiter;
  FQuoteChar = quote;
  FStrictDelimiter = strict;
}

// ---- TStringList ---------------------------------------------------------------------------

TStringList::~TStringList() {
  // Nobody is told about the list going away.
  FOnChange = nullptr;
  FOnChanging = nullptr;
}

void TStringList::CheckIndex(Integer Index) const {
  if (Index < 0 || Index >= static_cast<Integer>(FList.size())) StringListIndexError(Index);
}

void TStringList::Changed() {
  if (GetUpdateCount() == 0) FOnChange(this);
}

void TStringList::Changing() {
  if (GetUpdateCount() == 0) FOnChanging(this);
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating)
    Changing();
  else
    Changed();
}

Integer TStringList::CompareStrings(const String& S1, const String& S2) {
  return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

Integer TStringList::Add(const String& S) { return AddObject(S, nullptr); }

Integer TStringList::AddObject(const String& S, TObject* AObject) {
  Integer index = GetCount();
  if (FSorted && Find(S, index)) {
    if (FDuplicates == dupIgnore) return index;
    if (FDuplicates == dupError) throw EStringListError("String list does not allow duplicates");
  }
  InsertItem(index, S, AObject);
  return index;
}

void TStringList::InsertItem(Integer Index, const String& S, TObject* AObject) {
  Changing();
  FList.insert(FList.begin() + Index, TStringItem{S, AObject});
  Changed();
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  FList.clear();
  Changed();
}

void TStringList::Delete(Integer Index) {
  CheckIndex(Index);
  Changing();
  FList.erase(FList.begin() + Index);
  Changed();
}

void TStringList::Exchange(Integer Index1, Integer Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(FList[Index1], FList[Index2]);
  Changed();
}

bool TStringList::Find(const String& S, Integer& Index) {
  bool found = false;
  Integer low = 0, high = GetCount() - 1;
  while (low <= high) {
    Integer mid = low + (high - low) / 2;
    Integer c = CompareStrings(FList[mid].FString, S);
    if (c < 0) {
      low = mid + 1;
    } else {
      high = mid - 1;
      if (c == 0) {
        found = true;
        if (FDuplicates != dupAccept) low = mid;
      }
    }
  }
  Index = low;
  return found;
}

Integer TStringList::IndexOf(const String& S) {
  if (!FSorted) return TStrings::IndexOf(S);
  Integer index;
  return Find(S, index) ? index : -1;
}

void TStringList::Insert(Integer Index, const String& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(Integer Index, const String& S, TObject* AObject) {
  if (FSorted) SortedListError();
  if (Index < 0 || Index > GetCount()) StringListIndexError(Index);
  InsertItem(Index, S, AObject);
}

String TStringList::GetStrings(Integer Index) {
  CheckIndex(Index);
  return FList[Index].FString;
}

void TStringList::SetStrings(Integer Index, const String& S) {
  if (FSorted) SortedListError();
  CheckIndex(Index);
  Changing();
  FList[Index].FString = S;
  Changed();
}

TObject* TStringList::GetObjects(Integer Index) {
  CheckIndex(Index);
  return FList[Index].FObject;
}

void TStringList::SetObjects(Integer Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  FList[Index].FObject = AObject;
  Changed();
}

void TStringList::SetCapacity(Integer NewCapacity) {
  if (NewCapacity < GetCount()) throw EStringListError(Format("List capacity out of bounds (%d)", NewCapacity));
  FList.reserve(NewCapacity);
}

Integer TStringList::CompareItems(TStringList* List, Integer Index1, Integer Index2) {
  return List->CompareStrings(List->FList[Index1].FString, List->FList[Index2].FString);
}

void TStringList::Sort() { CustomSort(&CompareItems); }

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
  if (!FSorted && GetCount() > 1) SortItems(Compare);
}

// Compare sees the list as it was before sorting, by index, until the new order is put in place.
void TStringList::SortItems(const TStringListSortCompare& Compare) {
  std::vector<Integer> order(FList.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](Integer a, Integer b) { return Compare(this, a, b) < 0; });
  Changing();
  std::vector<TStringItem> sorted;
  sorted.reserve(FList.size());
  for (Integer i : order) sorted.push_back(std::move(FList[i]));
  FList = std::move(sorted);
  Changed();
}

void TStringList::SetSorted(bool Value) {
  if (FSorted == Value) return;
  if (Value) Sort();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (FCaseSensitive == Value) return;
  FCaseSensitive = Value;
  // Find searches in the new order, so the list must be in it.
  if (FSorted && GetCount() > 1) SortItems(&CompareItems);
}
