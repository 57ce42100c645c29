// TStringList: items in a vector, optional sorting and change events.
#include "platform/rtl/StringList.h"

#include <algorithm>
#include <numeric>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Utf8.h"

namespace qel {

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  if (ownsObjects_)
    for (Item& item : items_) delete item.Obj;
}

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count()) IndexError(Index);
}

void TStringList::ReleaseObject(TObject* Obj) {
  if (ownsObjects_) delete Obj;
}

std::string TStringList::Get(int Index) const {
  CheckIndex(Index);
  return items_[Index].S;
}

TObject* TStringList::GetObject(int Index) const {
  CheckIndex(Index);
  return items_[Index].Obj;
}

void TStringList::Put(int Index, const std::string& S) {
  if (sorted_) throw EListError("Operation not allowed on sorted list");
  CheckIndex(Index);
  Changing();
  items_[Index].S = S;
  Changed();
}

void TStringList::PutObject(int Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  items_[Index].Obj = AObject;
  Changed();
}

void TStringList::InsertObject(int Index, const std::string& S, TObject* AObject) {
  if (sorted_) throw EListError("Operation not allowed on sorted list");
  if (Index < 0 || Index > Count()) IndexError(Index);
  Changing();
  items_.insert(items_.begin() + Index, Item{S, AObject});
  Changed();
}

int TStringList::AddObject(const std::string& S, TObject* AObject) {
  if (!sorted_) return TStrings::AddObject(S, AObject);
  int index;
  if (Find(S, index)) {
    if (Duplicates == dupIgnore) return index;
    if (Duplicates == dupError) throw EListError("String list does not allow duplicates");
  }
  Changing();
  items_.insert(items_.begin() + index, Item{S, AObject});
  Changed();
  return index;
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  Changing();
  TObject* obj = items_[Index].Obj;
  items_.erase(items_.begin() + Index);
  ReleaseObject(obj);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  std::vector<Item> old;
  old.swap(items_);
  for (Item& item : old) ReleaseObject(item.Obj);
  Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(items_[Index1], items_[Index2]);
  Changed();
}

int TStringList::IndexOf(const std::string& S) const {
  if (!sorted_) return TStrings::IndexOf(S);
  int index;
  return Find(S, index) ? index : -1;
}

bool TStringList::Find(const std::string& S, int& Index) const {
  // Lower bound, so that with duplicates the first match is reported.
  auto it = std::lower_bound(items_.begin(), items_.end(), S,
                             [this](const Item& item, const std::string& s) { return CompareStrings(item.S, s) < 0; });
  Index = static_cast<int>(it - items_.begin());
  return it != items_.end() && CompareStrings(it->S, S) == 0;
}

void TStringList::Sort() {
  CustomSort([](TStringList& list, int a, int b) { return list.CompareStrings(list.items_[a].S, list.items_[b].S); });
}

void TStringList::CustomSort(const std::function<int(TStringList&, int, int)>& Compare) {
  if (items_.size() < 2) return;
  Changing();
  std::vector<int> order(items_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Compare(*this, a, b) < 0; });
  std::vector<Item> sorted;
  sorted.reserve(items_.size());
  for (int i : order) sorted.push_back(items_[i]);
  items_.swap(sorted);
  Changed();
}

void TStringList::SetSorted(bool Value) {
  if (Value == sorted_) return;
  if (Value) Sort();
  sorted_ = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (Value == caseSensitive_) return;
  caseSensitive_ = Value;
  if (sorted_) Sort();
}

int TStringList::CompareStrings(const std::string& S1, const std::string& S2) const {
  return caseSensitive_ ? CompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating) Changing();
  else Changed();
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

}  // namespace qel
