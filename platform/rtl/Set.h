// TSet<E>: a small set of enumeration values, the platform's "set of" type
// (font styles, shift state, grid options). E's ordinals must be below 64.
#pragma once
#include "platform/rtl/RequireCpp20.h"
#include "platform/rtl/Export.h"

#include <cstdint>
#include <initializer_list>

namespace qel {
QEL_API_BEGIN

template <typename E>
/// A set of enumeration values (at most 64) in one word, like the platform's sets.
class TSet {
 public:
  /// The empty set.
  constexpr TSet() = default;
  /// The set of the listed items.
  constexpr TSet(std::initializer_list<E> items) {
    for (E e : items) bits_ |= Bit(e);
  }
  /// Whether e is in the set.
  constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
  /// Whether the set is empty.
  constexpr bool Empty() const { return bits_ == 0; }
  /// The set as bits (bit n: value n) and back.
  ///@{
  constexpr uint64_t Bits() const { return bits_; }
  static constexpr TSet FromBits(uint64_t b) { TSet s; s.bits_ = b; return s; }
  ///@}

  /// Add or remove one item.
  ///@{
  constexpr TSet& Include(E e) { bits_ |= Bit(e); return *this; }
  constexpr TSet& Exclude(E e) { bits_ &= ~Bit(e); return *this; }
  ///@}
  /// Union, difference and intersection.
  ///@{
  constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
  constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
  ///@}
  /// Union and difference in place.
  ///@{
  constexpr TSet& operator+=(TSet o) { bits_ |= o.bits_; return *this; }
  constexpr TSet& operator-=(TSet o) { bits_ &= ~o.bits_; return *this; }
  ///@}
  constexpr bool operator<=(TSet o) const { return (bits_ & ~o.bits_) == 0; }  ///< Subset
  /// Same items.
  friend constexpr bool operator==(TSet, TSet) = default;

 private:
  static constexpr uint64_t Bit(E e) { return uint64_t{1} << static_cast<unsigned>(e); }
  uint64_t bits_ = 0;
};

QEL_API_END
}  // namespace qel
