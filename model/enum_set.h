// A set of the values of a small enumeration (ordinals below 32), stored
// as bits as the configuration stores such sets.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace kit {

template <class E>
class TEnumSet {
 public:
  constexpr TEnumSet() = default;
  constexpr TEnumSet(std::initializer_list<E> values) {
    for (E v : values) bits_ |= Bit(v);
  }
  static constexpr TEnumSet FromBits(uint32_t bits) {
    TEnumSet s;
    s.bits_ = bits;
    return s;
  }

  constexpr bool Contains(E v) const { return (bits_ & Bit(v)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr uint32_t Bits() const { return bits_; }
  constexpr TEnumSet& Include(E v) { bits_ |= Bit(v); return *this; }
  constexpr TEnumSet& Exclude(E v) { bits_ &= ~Bit(v); return *this; }
  constexpr bool operator==(const TEnumSet&) const = default;

 private:
  static constexpr uint32_t Bit(E v) { return uint32_t{1} << static_cast<unsigned>(v); }
  uint32_t bits_ = 0;
};

}  // namespace kit
