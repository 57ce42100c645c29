// TStringList, the stand-alone list of strings with sorting and change events.
// Indexes outside 0..Count-1 raise EListError "List index out of bounds (i)".
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Object.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// What Add does with a string a sorted list already holds: ignore it, add it, or raise EListError.
enum TDuplicates : uint8_t { dupIgnore, dupAccept, dupError };

/// A list of strings with attached objects, optionally sorted, owning its objects and firing change events.
class TStringList : public TStrings {
 public:
  /// An empty list.
  TStringList() = default;
  /// An empty list that frees its objects when it is cleared or freed.
  explicit TStringList(bool OwnsObjects) : ownsObjects_(OwnsObjects) {}
  /// Frees the objects when it owns them.
  ~TStringList() override;
  TStringList(const TStringList&) = delete;
  TStringList& operator=(const TStringList&) = delete;

  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Get(int Index) const override;
  TObject* GetObject(int Index) const override;
  void Put(int Index, const std::string& S) override;
  void PutObject(int Index, TObject* AObject) override;
  void InsertObject(int Index, const std::string& S, TObject* AObject) override;
  void Delete(int Index) override;
  void Clear() override;
  int AddObject(const std::string& S, TObject* AObject) override;
  int IndexOf(const std::string& S) const override;
  void Exchange(int Index1, int Index2) override;

  /// Binary search in a sorted list: true when found; Index is the match or
  /// the place where S belongs.
  bool Find(const std::string& S, int& Index) const;
  /// Sorts the list (CompareStrings).
  virtual void Sort();
  /// Stable sort by Compare(list, i, j) < 0.
  void CustomSort(const std::function<int(TStringList&, int, int)>& Compare);

  /// Whether the list keeps itself sorted.
  ///@{
  bool Sorted() const { return sorted_; }
  void SetSorted(bool Value);
  ///@}
  TDuplicates Duplicates = dupIgnore;  ///< For Add to a sorted list
  /// Whether comparisons respect case.
  ///@{
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool Value);
  ///@}
  /// Whether the list frees its objects.
  ///@{
  bool OwnsObjects() const { return ownsObjects_; }
  void SetOwnsObjects(bool Value) { ownsObjects_ = Value; }
  ///@}

  /// Fires after the list changed.
  TNotifyEvent OnChange;
  /// Fires before the list changes.
  TNotifyEvent OnChanging;

 protected:
  void SetUpdateState(bool Updating) override;
  int CompareStrings(const std::string& S1, const std::string& S2) const override;
  /// Fires OnChange.
  virtual void Changed();
  /// Fires OnChanging.
  virtual void Changing();

 private:
  struct Item {
    std::string S;
    TObject* Obj = nullptr;
  };
  void CheckIndex(int Index) const;
  void ReleaseObject(TObject* Obj);

  std::vector<Item> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  bool ownsObjects_ = false;
};

QEL_API_END
}  // namespace qel
