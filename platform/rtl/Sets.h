#pragma once
// Sets over an enumeration, as the framework's "set of" types: a fixed bit set indexed by the
// element's ordinal value. Sets of up to 64 elements fit one word and convert to and from the
// integer the component streams hold.
//
//   enum TShiftStateItem { ssShift, ssAlt, ssCtrl };
//   using TShiftState = TSet<TShiftStateItem>;
//   TShiftState shift{ssShift, ssCtrl};
//   if (shift.Contains(ssCtrl)) ...

#include <cstddef>
#include <cstdint>
#include <initializer_list>

template <class E, std::size_t Size = 64>
class TSet {
 public:
  static constexpr std::size_t Capacity = Size;

  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> elements) {
    for (E e : elements) Include(e);
  }

  // Ordinals outside 0..Size-1 are never members: including one does nothing.
  constexpr TSet& Include(E e) {
    if (InRange(e)) FWords[Word(e)] |= Bit(e);
    return *this;
  }
  constexpr TSet& Exclude(E e) {
    if (InRange(e)) FWords[Word(e)] &= ~Bit(e);
    return *this;
  }
  constexpr bool Contains(E e) const { return InRange(e) && (FWords[Word(e)] & Bit(e)) != 0; }
  constexpr bool Empty() const {
    for (uint64_t w : FWords)
      if (w != 0) return false;
    return true;
  }

  // The element bits as one integer, for sets of at most 64 elements.
  constexpr uint64_t ToBits() const
    requires(Size <= 64)
  {
    return FWords[0];
  }
  static constexpr TSet FromBits(uint64_t bits)
    requires(Size <= 64)
  {
    TSet s;
    s.FWords[0] = Size == 64 ? bits : bits & ((uint64_t{1} << Size) - 1);
    return s;
  }

  friend constexpr TSet operator+(TSet a, const TSet& b) {
    for (std::size_t i = 0; i < kWords; ++i) a.FWords[i] |= b.FWords[i];
    return a;
  }
  friend constexpr TSet operator-(TSet a, const TSet& b) {
    for (std::size_t i = 0; i < kWords; ++i) a.FWords[i] &= ~b.FWords[i];
    return a;
  }
  friend constexpr TSet operator*(TSet a, const TSet& b) {
    for (std::size_t i = 0; i < kWords; ++i) a.FWords[i] &= b.FWords[i];
    return a;
  }
  constexpr TSet& operator+=(const TSet& b) { return *this = *this + b; }
  constexpr TSet& operator-=(const TSet& b) { return *this = *this - b; }
  constexpr TSet& operator*=(const TSet& b) { return *this = *this * b; }
  friend constexpr bool operator==(const TSet&, const TSet&) = default;
  // Subset and superset, as "<=" and ">=" on sets.
  friend constexpr bool operator<=(const TSet& a, const TSet& b) { return (a - b).Empty(); }
  friend constexpr bool operator>=(const TSet& a, const TSet& b) { return (b - a).Empty(); }

 private:
  static constexpr std::size_t kWords = (Size + 63) / 64;

  static constexpr bool InRange(E e) {
    return static_cast<long long>(e) >= 0 && static_cast<unsigned long long>(e) < Size;
  }
  static constexpr std::size_t Word(E e) { return static_cast<std::size_t>(e) / 64; }
  static constexpr uint64_t Bit(E e) { return uint64_t{1} << (static_cast<std::size_t>(e) % 64); }

  uint64_t FWords[kWords] = {};
};
