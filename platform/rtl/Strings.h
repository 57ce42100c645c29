// TStrings, the platform's list of strings with attached objects: the
// operations every string list shares on top of the storage a kind provides.
// Indexes outside 0..Count-1 raise EListError "List index out of bounds (i)".
#pragma once
#include <string>

#include "platform/rtl/Object.h"

namespace qel {

class TStream;

class TStrings : public TPersistent {
 public:
  // --- storage, provided by the concrete kind ---
  virtual int Count() const = 0;
  virtual std::string Get(int Index) const = 0;
  virtual TObject* GetObject(int Index) const;  ///< Nullptr unless the kind stores objects
  virtual void Put(int Index, const std::string& S);
  virtual void PutObject(int Index, TObject* AObject);
  virtual void InsertObject(int Index, const std::string& S, TObject* AObject) = 0;
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;

  // --- the list's operations ---
  std::string Strings(int Index) const { return Get(Index); }
  void SetStrings(int Index, const std::string& S) { Put(Index, S); }
  std::string operator[](int Index) const { return Get(Index); }
  TObject* Objects(int Index) const { return GetObject(Index); }
  void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }
  void Insert(int Index, const std::string& S) { InsertObject(Index, S, nullptr); }
  virtual int Add(const std::string& S);  ///< The new item's index
  virtual int AddObject(const std::string& S, TObject* AObject);
  void AddStrings(const TStrings& Strings);
  virtual int IndexOf(const std::string& S) const;  ///< -1 when absent
  int IndexOfObject(const TObject* AObject) const;
  virtual void Exchange(int Index1, int Index2);
  void Move(int CurIndex, int NewIndex);
  bool Equals(const TStrings& Strings) const;
  void Assign(TPersistent* Source) override;

  /// "name=value" items.
  char NameValueSeparator = '=';
  std::string Names(int Index) const;
  std::string ValueFromIndex(int Index) const;
  std::string GetValue(const std::string& Name) const;
  void SetValue(const std::string& Name, const std::string& Value);  ///< "" removes the item
  int IndexOfName(const std::string& Name) const;

  /// Text: every item followed by LineBreak. Setting splits at LF, CR LF and CR;
  /// a final line break adds no empty item.
  std::string LineBreak = "\n";
  std::string GetText() const;
  void SetText(const std::string& Text);
  /// Items separated by Delimiter; items holding blanks, control characters,
  /// the delimiter or QuoteChar are quoted. Unless StrictDelimiter is set,
  /// blanks separate too when reading.
  char Delimiter = ',';
  char QuoteChar = '"';
  bool StrictDelimiter = false;
  std::string GetDelimitedText() const;
  void SetDelimitedText(const std::string& Text);
  std::string GetCommaText() const;  ///< DelimitedText with ',' and '"'
  void SetCommaText(const std::string& Text);

  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName) const;
  void LoadFromStream(TStream& Stream);  ///< The rest of the stream; a UTF-8 BOM is skipped
  void SaveToStream(TStream& Stream) const;

  /// Changes between BeginUpdate and EndUpdate notify once, at the end.
  void BeginUpdate();
  void EndUpdate();

 protected:
  virtual void SetUpdateState(bool /*Updating*/) {}
  int UpdateCount() const { return updateCount_; }
  /// Comparison used by IndexOf and sorting; the default ignores case.
  virtual int CompareStrings(const std::string& S1, const std::string& S2) const;
  [[noreturn]] void IndexError(int Index) const;

 private:
  std::string DelimitedWith(char delimiter, char quote) const;
  void SetDelimitedWith(const std::string& Text, char delimiter, char quote, bool strict);
  int updateCount_ = 0;
};

}  // namespace qel
