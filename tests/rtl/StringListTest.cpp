#include "rtl/StringList.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "rtl/Streams.h"

namespace {

std::vector<String> Items(TStrings& list) {
  std::vector<String> items;
  for (Integer i = 0; i < list.GetCount(); ++i) items.push_back(list.GetStrings(i));
  return items;
}

class TChangeCounter : public TObject {
 public:
  void Change(TObject*) { ++Changes; }
  void Changing(TObject*) { ++Changings; }
  int Changes = 0, Changings = 0;
};

}  // namespace

TEST(StringList, SortedAddFollowsDuplicatesAndCase) {
  struct Case { TDuplicates dup; bool caseSensitive; std::vector<String> expected; };
  const Case kCases[] = {
      {dupIgnore, false, {"A", "b", "c"}},
      {dupAccept, false, {"a", "A", "b", "c"}},
      {dupIgnore, true, {"a", "A", "b", "c"}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(::testing::Message() << c.dup << " " << c.caseSensitive);
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(c.dup);
    list.SetCaseSensitive(c.caseSensitive);
    for (const char* s : {"b", "A", "c", "a"}) list.Add(s);
    EXPECT_EQ(Items(list), c.expected);
  }

  TStringList list;
  list.SetSorted(true);
  list.SetDuplicates(dupError);
  list.Add("x");
  try {
    list.Add("X");
    ADD_FAILURE();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "String list does not allow duplicates");
  }
  EXPECT_EQ(list.Add("y"), 1);
  list.SetDuplicates(dupIgnore);
  EXPECT_EQ(list.Add("Y"), 1);  // the index of the one already there
  EXPECT_THROW(list.Insert(0, "w"), EStringListError);
  EXPECT_THROW(list.SetStrings(0, "w"), EStringListError);
}

TEST(StringList, FindAndIndexOf) {
  TStringList list;
  for (const char* s : {"pear", "Apple", "fig"}) list.Add(s);
  EXPECT_EQ(list.IndexOf("APPLE"), 1);  // unsorted: a linear search, without case
  list.SetSorted(true);
  EXPECT_EQ(Items(list), (std::vector<String>{"Apple", "fig", "pear"}));
  Integer index = -1;
  EXPECT_TRUE(list.Find("FIG", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(list.Find("grape", index));
  EXPECT_EQ(index, 2);  // where it would go
  EXPECT_EQ(list.IndexOf("grape"), -1);

  // Turning case sensitivity on re-sorts, so Find still works.
  list.Clear();
  list.SetDuplicates(dupAccept);
  for (const char* s : {"b", "B", "a", "A"}) list.Add(s);
  list.SetCaseSensitive(true);
  EXPECT_EQ(Items(list), (std::vector<String>{"a", "A", "b", "B"}));
  EXPECT_TRUE(list.Find("B", index));
  EXPECT_EQ(index, 3);
}

TEST(StringList, CommaTextBothWays) {
  struct Out { std::vector<String> items; const char* text; };
  const Out kOut[] = {
      {{"a", "b c", "d\"e", ""}, "a,\"b c\",\"d\"\"e\","},
      {{""}, "\"\""},
      {{}, ""},
      {{"x,y", "tab\there"}, "\"x,y\",\"tab\there\""},
      {{"caf\xC3\xA9"}, "caf\xC3\xA9"},  // letters beyond ASCII are not blanks
  };
  for (const auto& c : kOut) {
    SCOPED_TRACE(c.text);
    TStringList list;
    for (const auto& s : c.items) list.Add(s);
    EXPECT_EQ(list.GetCommaText(), c.text);
  }

  struct In { const char* text; std::vector<String> items; };
  const In kIn[] = {
      {"a, b ,\"c d\",,\"e\"\"f\"", {"a", "b", "c d", "", "e\"f"}},
      {"a b", {"a", "b"}},
      {"a,", {"a", ""}},
      {"  ", {}},
      {"\"unclosed, still", {"unclosed, still"}},
      {"\"\"", {""}},
  };
  for (const auto& c : kIn) {
    SCOPED_TRACE(c.text);
    TStringList list;
    list.SetCommaText(c.text);
    EXPECT_EQ(Items(list), c.items);
  }
}

TEST(StringList, DelimitedTextWithOwnDelimiterAndStrictness) {
  struct Case { bool strict; const char* text; std::vector<String> items; const char* back; };
  const Case kCases[] = {
      {true, "a b; c;'d;e'", {"a b", " c", "d;e"}, "a b; c;'d;e'"},
      {false, "a b; c;'d;e'", {"a", "b", "c", "d;e"}, "a;b;c;'d;e'"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.strict);
    TStringList list;
    list.SetDelimiter(';');
    list.SetQuoteChar('\'');
    list.SetStrictDelimiter(c.strict);
    list.SetDelimitedText(c.text);
    EXPECT_EQ(Items(list), c.items);
    EXPECT_EQ(list.GetDelimitedText(), c.back);
    // CommaText keeps its own rules and leaves the list's settings alone.
    EXPECT_EQ(list.GetDelimiter(), ';');
    list.GetCommaText();
    EXPECT_EQ(list.GetQuoteChar(), '\'');
  }
}

TEST(StringList, TextSplitsAtEveryKindOfLineBreak) {
  struct Case { const char* text; std::vector<String> items; };
  const Case kCases[] = {
      {"a\r\nb\nc\rd\r\n", {"a", "b", "c", "d"}},
      {"a\n\nb", {"a", "", "b"}},
      {"\r\n", {""}},
      {"\n\r", {"", ""}},
      {"", {}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    TStringList list;
    list.SetText(c.text);
    EXPECT_EQ(Items(list), c.items);
  }
  TStringList list;
  list.SetText("one\ntwo");
  EXPECT_EQ(list.GetText(), "one\r\ntwo\r\n");
}

TEST(StringList, NamesAndValues) {
  TStringList list;
  list.SetText("x=1\ny=2=3\nz");
  EXPECT_EQ(list.GetNames(1), "y");
  EXPECT_EQ(list.GetNames(2), "");
  EXPECT_EQ(list.GetValues("Y"), "2=3");
  EXPECT_EQ(list.GetValueFromIndex(2), "");
  EXPECT_EQ(list.IndexOfName("z"), -1);
  list.SetValues("x", "");
  list.SetValues("w", "5");
  list.SetValueFromIndex(0, "9");
  EXPECT_EQ(Items(list), (std::vector<String>{"y=9", "z", "w=5"}));
  list.SetNameValueSeparator(':');
  list.Add("k:v");
  EXPECT_EQ(list.GetValues("K"), "v");
}

TEST(StringList, ObjectsTravelWithTheirStrings) {
  TObject a, b;
  TStringList list;
  list.AddObject("one", &a);
  list.AddObject("two", &b);
  list.Add("three");
  list.Move(0, 2);
  list.Exchange(0, 1);
  EXPECT_EQ(Items(list), (std::vector<String>{"three", "two", "one"}));
  EXPECT_EQ(list.IndexOfObject(&a), 2);
  EXPECT_EQ(list.GetObjects(1), &b);

  list.CustomSort([](TStringList* l, Integer i, Integer j) {
    return static_cast<Integer>(l->GetStrings(i).size()) - static_cast<Integer>(l->GetStrings(j).size());
  });
  EXPECT_EQ(Items(list), (std::vector<String>{"two", "one", "three"}));  // stable for equal lengths
  EXPECT_EQ(list.GetObjects(1), &a);

  TStringList copy;
  copy.SetDelimiter(';');
  copy.Add("gone");
  list.SetDelimiter('|');
  copy.Assign(&list);
  EXPECT_EQ(Items(copy), Items(list));
  EXPECT_EQ(copy.GetObjects(0), &b);
  EXPECT_EQ(copy.GetDelimiter(), '|');
  try {
    list.GetStrings(3);
    ADD_FAILURE();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (3)");
  }
}

TEST(StringList, ChangeEventsAreHeldDuringUpdates) {
  TChangeCounter counter;
  TStringList list;
  list.SetOnChange(MakeEvent<&TChangeCounter::Change>(&counter));
  list.SetOnChanging(MakeEvent<&TChangeCounter::Changing>(&counter));
  list.Add("a");
  EXPECT_EQ(counter.Changes, 1);
  EXPECT_EQ(counter.Changings, 1);

  list.BeginUpdate();
  list.BeginUpdate();
  list.SetCommaText("x,y,z");
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(counter.Changes, 1);
  list.EndUpdate();
  EXPECT_EQ(counter.Changes, 2);
  EXPECT_EQ(counter.Changings, 2);
}

TEST(StringList, FileRoundTrip) {
  auto dir = std::filesystem::temp_directory_path() / ("stringlist-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const String path = (dir / "lines.txt").string();

  TStringList list;
  list.SetText("first\ncaf\xC3\xA9\n\nlast");
  list.SaveToFile(path);
  TStringList loaded;
  loaded.Add("old");
  loaded.LoadFromFile(path);
  EXPECT_EQ(Items(loaded), Items(list));

  TMemoryStream stream;
  list.SaveToStream(&stream);
  EXPECT_EQ(stream.GetSize(), static_cast<Int64>(list.GetText().size()));
  stream.SetPosition(7);  // reading starts where the stream stands
  loaded.LoadFromStream(&stream);
  EXPECT_EQ(loaded.GetStrings(0), "caf\xC3\xA9");

  EXPECT_THROW(loaded.LoadFromFile((dir / "missing.txt").string()), EFOpenError);
  EXPECT_EQ(loaded.GetCount(), 3);  // a failed load keeps the list
  std::filesystem::remove_all(dir);
}
