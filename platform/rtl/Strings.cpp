// TStrings: what every string list can do on top of its storage.
#include <algorithm>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/Utf8.h"

namespace qel {

namespace {

bool NeedsQuotes(const std::string& s, char delimiter, char quote) {
  for (char c : s)
    if (static_cast<unsigned char>(c) <= ' ' || c == delimiter || c == quote) return true;
  return false;
}

std::string QuotedWith(const std::string& s, char quote) {
  std::string out(1, quote);
  for (char c : s) {
    out += c;
    if (c == quote) out += quote;
  }
  return out + quote;
}

bool IsSpace(char c) { return c != '\0' && static_cast<unsigned char>(c) <= ' '; }

// Reads a quoted item at I (doubled quotes stand for one); the text after the
// closing quote up to the next separator belongs to the item too.
std::string ReadQuoted(const std::string& text, size_t& i, char quote) {
  std::string item;
  ++i;
  while (i < text.size()) {
    if (text[i] == quote) {
      if (i + 1 < text.size() && text[i + 1] == quote) {
        item += quote;
        i += 2;
        continue;
      }
      ++i;
      break;
    }
    item += text[i++];
  }
  return item;
}

}  // namespace

TObject* TStrings::GetObject(int) const { return nullptr; }

void TStrings::Put(int Index, const std::string& S) {
  TObject* obj = GetObject(Index);
  BeginUpdate();
  Delete(Index);
  InsertObject(Index, S, obj);
  EndUpdate();
}

void TStrings::PutObject(int, TObject*) {}

int TStrings::Add(const std::string& S) { return AddObject(S, nullptr); }

int TStrings::AddObject(const std::string& S, TObject* AObject) {
  int index = Count();
  InsertObject(index, S, AObject);
  return index;
}

void TStrings::AddStrings(const TStrings& Strings) {
  BeginUpdate();
  for (int i = 0; i < Strings.Count(); ++i) AddObject(Strings.Get(i), Strings.GetObject(i));
  EndUpdate();
}

int TStrings::IndexOf(const std::string& S) const {
  for (int i = 0; i < Count(); ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const {
  for (int i = 0; i < Count(); ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

void TStrings::Exchange(int Index1, int Index2) {
  std::string s1 = Get(Index1), s2 = Get(Index2);
  TObject *o1 = GetObject(Index1), *o2 = GetObject(Index2);
  BeginUpdate();
  Put(Index1, s2);
  PutObject(Index1, o2);
  Put(Index2, s1);
  PutObject(Index2, o1);
  EndUpdate();
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  std::string s = Get(CurIndex);
  TObject* obj = GetObject(CurIndex);
  if (NewIndex < 0 || NewIndex >= Count()) IndexError(NewIndex);
  BeginUpdate();
  Delete(CurIndex);
  InsertObject(NewIndex, s, obj);
  EndUpdate();
}

bool TStrings::Equals(const TStrings& Strings) const {
  if (Count() != Strings.Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Get(i) != Strings.Get(i)) return false;
  return true;
}

void TStrings::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TStrings*>(Source)) {
    if (other == this) return;
    BeginUpdate();
    Clear();
    AddStrings(*other);
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

std::string TStrings::Names(int Index) const {
  std::string s = Get(Index);
  size_t sep = s.find(NameValueSeparator);
  return sep == std::string::npos ? std::string() : s.substr(0, sep);
}

std::string TStrings::ValueFromIndex(int Index) const {
  std::string s = Get(Index);
  size_t sep = s.find(NameValueSeparator);
  return sep == std::string::npos ? std::string() : s.substr(sep + 1);
}

int TStrings::IndexOfName(const std::string& Name) const {
  for (int i = 0; i < Count(); ++i) {
    std::string s = Get(i);
    size_t sep = s.find(NameValueSeparator);
    if (sep != std::string::npos && CompareStrings(s.substr(0, sep), Name) == 0) return i;
  }
  return -1;
}

std::string TStrings::GetValue(const std::string& Name) const {
  int i = IndexOfName(Name);
  return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStrings::SetValue(const std::string& Name, const std::string& Value) {
  int i = IndexOfName(Name);
  if (Value.empty()) {
    if (i >= 0) Delete(i);
  } else if (i < 0) {
    Add(Name + NameValueSeparator + Value);
  } else {
    Put(i, Name + NameValueSeparator + Value);
  }
}

std::string TStrings::GetText() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) out += Get(i) + LineBreak;
  return out;
}

void TStrings::SetText(const std::string& Text) {
  BeginUpdate();
  Clear();
  size_t i = 0;
  while (i < Text.size()) {
    size_t end = Text.find_first_of("\r\n", i);
    if (end == std::string::npos) end = Text.size();
    Add(Text.substr(i, end - i));
    i = end;
    if (i < Text.size() && Text[i] == '\r') ++i;
    if (i < Text.size() && Text[i] == '\n') ++i;
  }
  EndUpdate();
}

std::string TStrings::DelimitedWith(char delimiter, char quote) const {
  if (Count() == 1 && Get(0).empty()) return std::string(2, quote);
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    if (i > 0) out += delimiter;
    std::string s = Get(i);
    out += NeedsQuotes(s, delimiter, quote) ? QuotedWith(s, quote) : s;
  }
  return out;
}

void TStrings::SetDelimitedWith(const std::string& Text, char delimiter, char quote, bool strict) {
  BeginUpdate();
  Clear();
  auto skipBlanks = [&](size_t& i) {
    if (!strict)
      while (i < Text.size() && IsSpace(Text[i])) ++i;
  };
  size_t i = 0;
  skipBlanks(i);
  while (i < Text.size()) {
    std::string item;
    if (Text[i] == quote) {
      item = ReadQuoted(Text, i, quote);
    } else {
      size_t start = i;
      while (i < Text.size() && Text[i] != delimiter && (strict || !IsSpace(Text[i]))) ++i;
      item = Text.substr(start, i - start);
    }
    Add(item);
    skipBlanks(i);
    if (i < Text.size() && Text[i] == delimiter) {
      ++i;
      if (i == Text.size()) Add("");  // a trailing delimiter ends with an empty item
      skipBlanks(i);
    }
  }
  EndUpdate();
}

std::string TStrings::GetDelimitedText() const { return DelimitedWith(Delimiter, QuoteChar); }
void TStrings::SetDelimitedText(const std::string& Text) { SetDelimitedWith(Text, Delimiter, QuoteChar, StrictDelimiter); }
std::string TStrings::GetCommaText() const { return DelimitedWith(',', '"'); }
void TStrings::SetCommaText(const std::string& Text) { SetDelimitedWith(Text, ',', '"', false); }

void TStrings::LoadFromStream(TStream& Stream) {
  int64_t left = Stream.GetSize() - Stream.GetPosition();
  std::string text;
  if (left > 0) {
    text.resize(static_cast<size_t>(left));
    text.resize(static_cast<size_t>(Stream.Read(text.data(), left)));
  }
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
  SetText(text);
}

void TStrings::SaveToStream(TStream& Stream) const {
  std::string text = GetText();
  Stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

void TStrings::LoadFromFile(const std::string& FileName) {
  TFileStream file(FileName, fmOpenRead);
  LoadFromStream(file);
}

void TStrings::SaveToFile(const std::string& FileName) const {
  TFileStream file(FileName, fmCreate);
  SaveToStream(file);
}

void TStrings::BeginUpdate() {
  if (updateCount_ == 0) SetUpdateState(true);  // before counting, so OnChanging still fires
  ++updateCount_;
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

int TStrings::CompareStrings(const std::string& S1, const std::string& S2) const { return AnsiCompareText(S1, S2); }

void TStrings::IndexError(int Index) const {
  throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

}  // namespace qel
