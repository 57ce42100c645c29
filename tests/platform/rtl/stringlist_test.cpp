#include "platform/rtl/StringList.h"

#include <gtest/gtest.h>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"

using namespace qel;

namespace {

std::vector<std::string> Items(const TStrings& s) {
  std::vector<std::string> v;
  for (int i = 0; i < s.Count(); ++i) v.push_back(s[i]);
  return v;
}

struct Counted : TObject {
  explicit Counted(int& alive) : alive_(alive) { ++alive_; }
  ~Counted() override { --alive_; }
  int& alive_;
};

}  // namespace

TEST(StringList, IndexErrors) {
  TStringList list;
  list.Add("a");
  try {
    list.Get(5);
    FAIL() << "no exception";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (5)");
  }
  EXPECT_THROW(list.Delete(-1), EListError);
  EXPECT_THROW(list.SetStrings(1, "x"), EListError);
  EXPECT_THROW(list.Objects(1), EListError);
  EXPECT_THROW(list.Insert(2, "x"), EListError);
  list.Insert(1, "b");  // Count itself is a valid place to insert
  EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "b"}));
}

TEST(StringList, EditingAndObjects) {
  TStringList list;
  TObject one, two;
  EXPECT_EQ(list.Add("Beta"), 0);
  EXPECT_EQ(list.AddObject("alpha", &one), 1);
  list.Insert(0, "gamma");
  list.SetObjects(0, &two);
  EXPECT_EQ(list.IndexOf("ALPHA"), 2);  // case-insensitive by default
  EXPECT_EQ(list.IndexOf("delta"), -1);
  EXPECT_EQ(list.IndexOfObject(&one), 2);
  list.Exchange(0, 2);
  EXPECT_EQ(Items(list), (std::vector<std::string>{"alpha", "Beta", "gamma"}));
  EXPECT_EQ(list.Objects(0), &one);
  EXPECT_EQ(list.Objects(2), &two);
  list.Move(0, 2);
  EXPECT_EQ(Items(list), (std::vector<std::string>{"Beta", "gamma", "alpha"}));
  list.Delete(1);
  list.SetStrings(0, "B");
  EXPECT_EQ(Items(list), (std::vector<std::string>{"B", "alpha"}));
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("ALPHA"), -1);
}

TEST(StringList, SortedAndDuplicates) {
  TStringList list;
  list.SetText("pear\nApple\nbanana\napple\n");
  list.Sort();  // case-insensitive and stable
  EXPECT_EQ(Items(list), (std::vector<std::string>{"Apple", "apple", "banana", "pear"}));
  list.SetSorted(true);
  EXPECT_EQ(list.Add("Cherry"), 3);
  EXPECT_EQ(list.Add("BANANA"), 2);  // dupIgnore: the existing index
  EXPECT_EQ(list.Count(), 5);
  int index;
  EXPECT_TRUE(list.Find("PEAR", index));
  EXPECT_EQ(index, 4);
  EXPECT_FALSE(list.Find("coconut", index));
  EXPECT_EQ(index, 4);
  EXPECT_THROW(list.Insert(0, "x"), EListError);
  list.Duplicates = dupError;
  EXPECT_THROW(list.Add("cherry"), EListError);
  list.Duplicates = dupAccept;
  list.Add("cherry");
  EXPECT_EQ(list.Count(), 6);
  list.CustomSort([](TStringList& l, int a, int b) { return static_cast<int>(l[a].size()) - static_cast<int>(l[b].size()); });
  EXPECT_EQ(list[0], "pear");
}

TEST(StringList, TextAndCommaText) {
  TStringList list;
  list.SetText("one\r\ntwo\rthree\n\nfive");
  EXPECT_EQ(Items(list), (std::vector<std::string>{"one", "two", "three", "", "five"}));
  EXPECT_EQ(list.GetText(), "one\ntwo\nthree\n\nfive\n");
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
  list.SetText("a\n");
  EXPECT_EQ(Items(list), std::vector<std::string>{"a"});

  list.SetCommaText("a, \"b c\" ,\"say \"\"hi\"\"\",d e,");
  EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "b c", "say \"hi\"", "d", "e", ""}));
  list.Clear();
  list.Add("plain");
  list.Add("with space");
  list.Add("a,b");
  list.Add("q\"");
  EXPECT_EQ(list.GetCommaText(), "plain,\"with space\",\"a,b\",\"q\"\"\"");
  TStringList back;
  back.SetCommaText(list.GetCommaText());
  EXPECT_TRUE(back.Equals(list));
  back.Clear();
  back.Add("");
  EXPECT_EQ(back.GetCommaText(), "\"\"");
  back.Delimiter = ';';
  back.StrictDelimiter = true;
  back.SetDelimitedText("a b;c");
  EXPECT_EQ(Items(back), (std::vector<std::string>{"a b", "c"}));
}

TEST(StringList, NamesValuesAndStreams) {
  TStringList list;
  list.SetValue("Width", "10");
  list.SetValue("height", "20");
  list.SetValue("WIDTH", "15");
  EXPECT_EQ(list.GetText(), "WIDTH=15\nheight=20\n");  // the name as last written
  EXPECT_EQ(list.GetValue("HEIGHT"), "20");
  EXPECT_EQ(list.Names(1), "height");
  list.SetValue("width", "");
  EXPECT_EQ(list.Count(), 1);

  TStringStream stream("\xEF\xBB\xBFx\r\ny");
  list.LoadFromStream(stream);
  EXPECT_EQ(Items(list), (std::vector<std::string>{"x", "y"}));
  TStringStream out;
  list.SaveToStream(out);
  EXPECT_EQ(out.DataString(), "x\ny\n");
  TStringList copy;
  copy.Assign(&list);
  EXPECT_TRUE(copy.Equals(list));
}

TEST(StringList, ChangeEventsAndOwnership) {
  TStringList list;
  int changes = 0, changing = 0;
  list.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    ++changes;
  };
  list.OnChanging = [&](TObject*) { ++changing; };
  list.Add("a");
  list.Add("b");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(changing, 2);
  list.BeginUpdate();
  list.Add("c");
  list.Delete(0);
  list.Sort();
  list.EndUpdate();
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(changing, 3);
  list.SetText("x\ny");  // one notification for the whole text
  EXPECT_EQ(changes, 4);

  int alive = 0;
  {
    TStringList owner(true);
    owner.AddObject("a", new Counted(alive));
    owner.AddObject("b", new Counted(alive));
    owner.AddObject("c", new Counted(alive));
    owner.Delete(0);
    EXPECT_EQ(alive, 2);
  }
  EXPECT_EQ(alive, 0);
}
