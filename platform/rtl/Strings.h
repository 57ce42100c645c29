// TStrings, the platform's list of strings with attached objects: the
// operations every string list shares on top of the storage a kind provides.
// Indexes outside 0..Count-1 raise EListError "List index out of bounds (i)".
#pragma once
#include <string>

#include "platform/rtl/Object.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

class TStream;

/// A list of strings with attached objects: the operations every string list shares, on the storage a concrete kind provides.
class TStrings : public TPersistent {
 public:
  // --- storage, provided by the concrete kind ---
  /// Number of items.
  virtual int Count() const = 0;
  /// Item Index.
  virtual std::string Get(int Index) const = 0;
  virtual TObject* GetObject(int Index) const;  ///< Nullptr unless the kind stores objects
  /// Replaces item Index.
  virtual void Put(int Index, const std::string& S);
  /// Attaches an object to item Index.
  virtual void PutObject(int Index, TObject* AObject);
  /// Inserts an item with an object at Index (0 .. Count).
  virtual void InsertObject(int Index, const std::string& S, TObject* AObject) = 0;
  /// Removes item Index.
  virtual void Delete(int Index) = 0;
  /// Removes every item.
  virtual void Clear() = 0;

  // --- the list's operations ---
  /// Item Index; the setter replaces it.
  ///@{
  std::string Strings(int Index) const { return Get(Index); }
  void SetStrings(int Index, const std::string& S) { Put(Index, S); }
  std::string operator[](int Index) const { return Get(Index); }
  ///@}
  /// Object attached to item Index.
  ///@{
  TObject* Objects(int Index) const { return GetObject(Index); }
  void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }
  ///@}
  /// Inserts an item at Index (0 .. Count).
  void Insert(int Index, const std::string& S) { InsertObject(Index, S, nullptr); }
  virtual int Add(const std::string& S);  ///< The new item's index
  /// Adds an item with an object; returns its index.
  virtual int AddObject(const std::string& S, TObject* AObject);
  /// Adds every item (and object) of another list.
  void AddStrings(const TStrings& Strings);
  virtual int IndexOf(const std::string& S) const;  ///< -1 when absent
  /// Index of the first item with the object, -1 when none.
  int IndexOfObject(const TObject* AObject) const;
  /// Swaps two items.
  virtual void Exchange(int Index1, int Index2);
  /// Moves an item from CurIndex to NewIndex.
  void Move(int CurIndex, int NewIndex);
  /// Whether both lists hold the same strings in the same order.
  bool Equals(const TStrings& Strings) const;
  /// Copies the items and objects of another list.
  void Assign(TPersistent* Source) override;

  /// "name=value" items.
  char NameValueSeparator = '=';
  /// The name of a "name=value" item (the whole item when it has no separator).
  std::string Names(int Index) const;
  /// The value of a "name=value" item.
  std::string ValueFromIndex(int Index) const;
  /// The value of the item named Name ("" when none); the setter adds the item when missing.
  ///@{
  std::string GetValue(const std::string& Name) const;
  void SetValue(const std::string& Name, const std::string& Value);  ///< "" removes the item
  ///@}
  /// Index of the item named Name (case ignored), -1 when none.
  int IndexOfName(const std::string& Name) const;

  /// Text: every item followed by LineBreak. Setting splits at LF, CR LF and CR;
  /// a final line break adds no empty item.
  ///@{
  std::string LineBreak = "\n";
  std::string GetText() const;
  void SetText(const std::string& Text);
  ///@}
  /// Items separated by Delimiter; items holding blanks, control characters,
  /// the delimiter or QuoteChar are quoted. Unless StrictDelimiter is set,
  /// blanks separate too when reading.
  ///@{
  char Delimiter = ',';
  char QuoteChar = '"';
  bool StrictDelimiter = false;
  std::string GetDelimitedText() const;
  void SetDelimitedText(const std::string& Text);
  ///@}
  ///@{
  std::string GetCommaText() const;  ///< DelimitedText with ',' and '"'
  void SetCommaText(const std::string& Text);
  ///@}

  /// Reads or writes the items as text lines (UTF-8).
  ///@{
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName) const;
  void LoadFromStream(TStream& Stream);  ///< The rest of the stream; a UTF-8 BOM is skipped
  void SaveToStream(TStream& Stream) const;
  ///@}

  /// Changes between BeginUpdate and EndUpdate notify once, at the end.
  ///@{
  void BeginUpdate();
  void EndUpdate();
  ///@}

 protected:
  /// Told when updating begins (true) and ends (false).
  virtual void SetUpdateState(bool /*Updating*/) {}
  /// Depth of BeginUpdate calls.
  int UpdateCount() const { return updateCount_; }
  /// Comparison used by IndexOf and sorting; the default ignores case.
  virtual int CompareStrings(const std::string& S1, const std::string& S2) const;
  /// Raises EListError for a bad index.
  [[noreturn]] void IndexError(int Index) const;

 private:
  std::string DelimitedWith(char delimiter, char quote) const;
  void SetDelimitedWith(const std::string& Text, char delimiter, char quote, bool strict);
  int updateCount_ = 0;
};

QEL_API_END
}  // namespace qel
