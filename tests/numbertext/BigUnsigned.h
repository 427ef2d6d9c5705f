// A small unsigned big integer for exact reference computations in tests: decimal values of
// doubles far beyond 64 bits. Only what the references need; slow and simple on purpose.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

class BigUnsigned {
 public:
  explicit BigUnsigned(std::uint64_t value = 0) {
    limbs_ = {static_cast<std::uint32_t>(value), static_cast<std::uint32_t>(value >> 32)};
    Trim();
  }

  static BigUnsigned PowerOfTen(int exponent) {
    BigUnsigned power(1);
    for (int i = 0; i < exponent; ++i) power.MultiplyBy(10);
    return power;
  }

  BigUnsigned& ShiftLeft(int bits) {
    const int wholeLimbs = bits / 32;
    const int rest = bits % 32;
    limbs_.insert(limbs_.begin(), wholeLimbs, 0);
    if (rest != 0) {
      std::uint32_t carry = 0;
      for (std::uint32_t& limb : limbs_) {
        const std::uint32_t next = limb >> (32 - rest);
        limb = (limb << rest) | carry;
        carry = next;
      }
      if (carry != 0) limbs_.push_back(carry);
    }
    Trim();
    return *this;
  }

  BigUnsigned& MultiplyBy(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : limbs_) {
      const std::uint64_t product = static_cast<std::uint64_t>(limb) * factor + carry;
      limb = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
    if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
    Trim();
    return *this;
  }

  // Divides in place and returns the remainder.
  std::uint32_t DivideBy(std::uint32_t divisor) {
    std::uint64_t remainder = 0;
    for (auto limb = limbs_.rbegin(); limb != limbs_.rend(); ++limb) {
      const std::uint64_t current = (remainder << 32) | *limb;
      *limb = static_cast<std::uint32_t>(current / divisor);
      remainder = current % divisor;
    }
    Trim();
    return static_cast<std::uint32_t>(remainder);
  }

  // *this - other, with *this ≥ other.
  BigUnsigned Minus(const BigUnsigned& other) const {
    BigUnsigned difference = *this;
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < difference.limbs_.size(); ++i) {
      std::int64_t value = static_cast<std::int64_t>(difference.limbs_[i]) - borrow -
                           (i < other.limbs_.size() ? other.limbs_[i] : 0);
      borrow = value < 0 ? 1 : 0;
      if (value < 0) value += std::int64_t{1} << 32;
      difference.limbs_[i] = static_cast<std::uint32_t>(value);
    }
    difference.Trim();
    return difference;
  }

  std::uint64_t ToUint64() const {
    return (limbs_.size() > 1 ? static_cast<std::uint64_t>(limbs_[1]) << 32 : 0) |
           (limbs_.empty() ? 0 : limbs_[0]);
  }

  int BitLength() const {
    if (limbs_.empty()) return 0;
    return static_cast<int>(32 * (limbs_.size() - 1)) + (32 - std::countl_zero(limbs_.back()));
  }

  bool Bit(int position) const {
    const std::size_t limb = static_cast<std::size_t>(position) / 32;
    return limb < limbs_.size() && ((limbs_[limb] >> (position % 32)) & 1) != 0;
  }

  // The leading 64 bits rounded to nearest, ties to even (the result may reach 2^64 only as
  // a carry, returned as 2^63 with `carried` set), for a number of more than 64 bits.
  std::uint64_t LeadingBitsRounded(bool& carried) const {
    const int dropped = BitLength() - 64;
    std::uint64_t leading = 0;
    for (int position = BitLength() - 1; position >= dropped; --position)
      leading = (leading << 1) | (Bit(position) ? 1 : 0);
    const bool guard = Bit(dropped - 1);
    bool sticky = false;
    for (int position = 0; position < dropped - 1 && !sticky; ++position) sticky = Bit(position);
    carried = false;
    if (guard && (sticky || (leading & 1) != 0)) {
      if (leading == ~std::uint64_t{0}) {
        carried = true;
        return std::uint64_t{1} << 63;
      }
      ++leading;
    }
    return leading;
  }

  friend int Compare(const BigUnsigned& left, const BigUnsigned& right) {
    if (left.limbs_.size() != right.limbs_.size())
      return left.limbs_.size() < right.limbs_.size() ? -1 : 1;
    for (std::size_t i = left.limbs_.size(); i-- > 0;)
      if (left.limbs_[i] != right.limbs_[i]) return left.limbs_[i] < right.limbs_[i] ? -1 : 1;
    return 0;
  }

 private:
  void Trim() {
    while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
  }

  std::vector<std::uint32_t> limbs_;  // least significant first
};
