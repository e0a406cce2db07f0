#pragma once
// String lists: TStrings, the abstract list of strings with an object beside each, and
// TStringList, the one that stores them.
//
// Text joins the strings with CR LF after each; setting it splits at CR LF, LF or CR.
// DelimitedText joins with Delimiter and quotes (with QuoteChar, inner quotes doubled) the strings
// that hold a delimiter, a quote or, unless StrictDelimiter, a blank or control character. Reading
// it back, unless StrictDelimiter, blanks also end an unquoted string and are skipped around
// delimiters. CommaText is DelimitedText with ',' and '"' and without StrictDelimiter.
// Names and values split a string at its first NameValueSeparator ("Name=Value").

#include <functional>
#include <vector>

#include "rtl/Events.h"
#include "rtl/Lists.h"
#include "rtl/Persistent.h"

class TStream;
class TStringList;

inline constexpr char sLineBreak[] = "\r\n";

class TStrings : public TPersistent {
  TAVREN_CLASS(TStrings, TPersistent)
 public:
  virtual Integer Add(const String& S);
  virtual Integer AddObject(const String& S, TObject* AObject);
  void Append(const String& S) { Add(S); }
  virtual void AddStrings(TStrings* Strings);
  void Assign(TPersistent* Source) override;
  void BeginUpdate();
  void EndUpdate();
  virtual void Clear() = 0;
  virtual void Delete(Integer Index) = 0;
  virtual void Exchange(Integer Index1, Integer Index2);
  virtual Integer IndexOf(const String& S);
  virtual Integer IndexOfName(const String& Name);
  virtual Integer IndexOfObject(TObject* AObject);
  virtual void Insert(Integer Index, const String& S) = 0;
  virtual void InsertObject(Integer Index, const String& S, TObject* AObject);
  virtual void Move(Integer CurIndex, Integer NewIndex);
  // The file and stream hold the Text, bytes as they are.
  virtual void LoadFromFile(const String& FileName);
  virtual void LoadFromStream(TStream* Stream);
  virtual void SaveToFile(const String& FileName);
  virtual void SaveToStream(TStream* Stream);

  virtual Integer GetCount() = 0;
  virtual String GetStrings(Integer Index) = 0;
  virtual void SetStrings(Integer Index, const String& S);
  virtual TObject* GetObjects(Integer Index);
  virtual void SetObjects(Integer Index, TObject* AObject);
  virtual Integer GetCapacity();
  virtual void SetCapacity(Integer NewCapacity);
  virtual String GetText();
  virtual void SetText(const String& Value);
  String GetNames(Integer Index);
  String GetValues(const String& Name);
  // An empty value deletes the string of that name; another one replaces or adds it.
  void SetValues(const String& Name, const String& Value);
  String GetValueFromIndex(Integer Index);
  void SetValueFromIndex(Integer Index, const String& Value);
  String GetCommaText();
  void SetCommaText(const String& Value);
  String GetDelimitedText();
  void SetDelimitedText(const String& Value);
  Char GetDelimiter() const noexcept { return FDelimiter; }
  void SetDelimiter(Char Value) noexcept { FDelimiter = Value; }
  Char GetQuoteChar() const noexcept { return FQuoteChar; }
  void SetQuoteChar(Char Value) noexcept { FQuoteChar = Value; }
  Char GetNameValueSeparator() const noexcept { return FNameValueSeparator; }
  void SetNameValueSeparator(Char Value) noexcept { FNameValueSeparator = Value; }
  bool GetStrictDelimiter() const noexcept { return FStrictDelimiter; }
  void SetStrictDelimiter(bool Value) noexcept { FStrictDelimiter = Value; }

 protected:
  // Called when the outermost BeginUpdate starts (true) and EndUpdate ends (false).
  virtual void SetUpdateState(bool Updating);
  // Answers < 0, 0 or > 0; locale order without case here.
  virtual Integer CompareStrings(const String& S1, const String& S2);
  Integer GetUpdateCount() const noexcept { return FUpdateCount; }

 private:
  Integer FUpdateCount = 0;
  Char FDelimiter = ',';
  Char FQuoteChar = '"';
  Char FNameValueSeparator = '=';
  bool FStrictDelimiter = false;
};

// Answers < 0, 0 or > 0, as the string at Index1 sorts before, with or after the one at Index2.
using TStringListSortCompare = std::function<Integer(TStringList* List, Integer Index1, Integer Index2)>;

class TStringList : public TStrings {
  TAVREN_CLASS(TStringList, TStrings)
 public:
  TStringList() = default;
  ~TStringList() override;

  // In a sorted list the string goes to its place; a duplicate is then ignored (answering the
  // index of the one there), accepted, or refused with EStringListError "String list does not
  // allow duplicates", as Duplicates says.
  Integer Add(const String& S) override;
  Integer AddObject(const String& S, TObject* AObject) override;
  void Clear() override;
  void Delete(Integer Index) override;
  void Exchange(Integer Index1, Integer Index2) override;
  // Binary search of a sorted list: true when found, with Index at the string (the first of equal
  // ones when duplicates are accepted), else at the place where it would go.
  virtual bool Find(const String& S, Integer& Index);
  Integer IndexOf(const String& S) override;
  // Not in a sorted list: EStringListError "Operation not allowed on sorted list".
  void Insert(Integer Index, const String& S) override;
  void InsertObject(Integer Index, const String& S, TObject* AObject) override;
  virtual void Sort();
  // Stable; does nothing to a list that is kept Sorted.
  virtual void CustomSort(const TStringListSortCompare& Compare);

  Integer GetCount() override { return static_cast<Integer>(FList.size()); }
  String GetStrings(Integer Index) override;
  void SetStrings(Integer Index, const String& S) override;
  TObject* GetObjects(Integer Index) override;
  void SetObjects(Integer Index, TObject* AObject) override;
  Integer GetCapacity() override { return static_cast<Integer>(FList.capacity()); }
  void SetCapacity(Integer NewCapacity) override;
  bool GetSorted() const noexcept { return FSorted; }
  void SetSorted(bool Value);
  TDuplicates GetDuplicates() const noexcept { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) noexcept { FDuplicates = Value; }
  bool GetCaseSensitive() const noexcept { return FCaseSensitive; }
  // A sorted list is sorted again in the new order.
  void SetCaseSensitive(bool Value);
  const TNotifyEvent& GetOnChange() const noexcept { return FOnChange; }
  void SetOnChange(const TNotifyEvent& Value) noexcept { FOnChange = Value; }
  const TNotifyEvent& GetOnChanging() const noexcept { return FOnChanging; }
  void SetOnChanging(const TNotifyEvent& Value) noexcept { FOnChanging = Value; }

 protected:
  virtual void Changed();
  virtual void Changing();
  void SetUpdateState(bool Updating) override;
  Integer CompareStrings(const String& S1, const String& S2) override;

 private:
  struct TStringItem {
    String FString;
    TObject* FObject;
  };
  void CheckIndex(Integer Index) const;
  void InsertItem(Integer Index, const String& S, TObject* AObject);
  void SortItems(const TStringListSortCompare& Compare);
  static Integer CompareItems(TStringList* List, Integer Index1, Integer Index2);

  std::vector<TStringItem> FList;
  bool FSorted = false;
  bool FCaseSensitive = false;
  TDuplicates FDuplicates = dupIgnore;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnChanging;
};
