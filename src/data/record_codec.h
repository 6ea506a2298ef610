#pragma once
// Turning records into the exact bytes the record files and the POS programs
// share, and back. A record lists its fields, in stored order, as a tuple of
// member pointers from `static constexpr auto fields()`; the codec walks that
// list. Integers are little-endian two's complement, text fields are copied
// byte for byte (blank padded for FixedText, NUL padded for ZText), byte
// arrays verbatim.
//
// Each record also carries `kLayout`, a text signature of its declaration
// ("FTP:ADDRESS S20;FTP:USERNAME S16;..."). The record-file layer stores it
// with a file and refuses a file whose signature differs (error 47). Codes:
// S<n> blank-padded text, Z<n> zero-terminated text, B<n> raw bytes,
// I16/I32 signed integers, U8 unsigned byte. layoutWidth() adds the widths up
// so that a signature that disagrees with kSize fails to compile.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <tuple>
#include <type_traits>

#include "data/fixed_text.h"

namespace vl::record_codec {

// --- widths -----------------------------------------------------------------

template <class T>
struct FieldWidth;
template <std::size_t N, char P, std::size_t C>
struct FieldWidth<BasicFixedText<N, P, C>> : std::integral_constant<std::size_t, N> {};
template <std::size_t N>
struct FieldWidth<FixedText<N>> : std::integral_constant<std::size_t, N> {};
template <std::size_t N>
struct FieldWidth<ZText<N>> : std::integral_constant<std::size_t, N> {};
template <std::size_t N>
struct FieldWidth<std::array<std::uint8_t, N>> : std::integral_constant<std::size_t, N> {};
template <class T>
  requires std::is_integral_v<T>
struct FieldWidth<T> : std::integral_constant<std::size_t, sizeof(T)> {};

template <class M>
struct MemberType;
template <class R, class F>
struct MemberType<F R::*> {
  using type = F;
};

// Sum of the declared field widths of record R.
template <class R>
constexpr std::size_t recordWidth() {
  return std::apply(
      [](auto... member) {
        return (std::size_t{0} + ... +
                FieldWidth<typename MemberType<decltype(member)>::type>::value);
      },
      R::fields());
}

// Sum of the widths a layout signature declares.
constexpr std::size_t layoutWidth(std::string_view layout) {
  std::size_t total = 0;
  while (!layout.empty()) {
    const auto end = layout.find(';');
    std::string_view item = layout.substr(0, end);
    layout = end == std::string_view::npos ? std::string_view{} : layout.substr(end + 1);
    const auto blank = item.rfind(' ');
    if (blank == std::string_view::npos || blank + 1 >= item.size()) return 0;
    const char code = item[blank + 1];
    std::size_t width = 0;
    for (char c : item.substr(blank + 2)) {
      if (c < '0' || c > '9') return 0;
      width = width * 10 + static_cast<std::size_t>(c - '0');
    }
    if (code == 'I' || code == 'U') width /= 8;  // I16, I32, U8 are bits
    total += width;
  }
  return total;
}

// --- one field ----------------------------------------------------------------

template <std::size_t N, char P, std::size_t C>
void put(const BasicFixedText<N, P, C>& text, std::uint8_t* out) {
  std::memcpy(out, text.data(), N);
}
template <std::size_t N, char P, std::size_t C>
void get(BasicFixedText<N, P, C>& text, const std::uint8_t* in) {
  std::memcpy(text.data(), in, N);
  if constexpr (P == '\0') text.data()[N - 1] = '\0';  // a ZText always ends in NUL
}

template <std::size_t N>
void put(const std::array<std::uint8_t, N>& bytes, std::uint8_t* out) {
  std::memcpy(out, bytes.data(), N);
}
template <std::size_t N>
void get(std::array<std::uint8_t, N>& bytes, const std::uint8_t* in) {
  std::memcpy(bytes.data(), in, N);
}

template <class T>
  requires std::is_integral_v<T>
void put(T value, std::uint8_t* out) {
  auto bits = static_cast<std::make_unsigned_t<T>>(value);
  for (std::size_t i = 0; i < sizeof(T); ++i) out[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}
template <class T>
  requires std::is_integral_v<T>
void get(T& value, const std::uint8_t* in) {
  std::make_unsigned_t<T> bits = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i)
    bits = static_cast<std::make_unsigned_t<T>>(bits | (std::make_unsigned_t<T>{in[i]} << (8 * i)));
  value = static_cast<T>(bits);
}

// --- whole records ----------------------------------------------------------------

// Calls fn(field, offset) for each field of the record in stored order.
template <class Rec, class Fn>
void forEachField(Rec& record, Fn&& fn) {
  std::size_t offset = 0;
  std::apply(
      [&](auto... member) {
        ((fn(record.*member, offset),
          offset += FieldWidth<typename MemberType<decltype(member)>::type>::value),
         ...);
      },
      std::remove_const_t<Rec>::fields());
}

template <class R>
void encode(const R& record, std::span<std::uint8_t, R::kSize> out) {
  forEachField(record, [&](const auto& field, std::size_t offset) { put(field, out.data() + offset); });
}

template <class R>
void decode(R& record, std::span<const std::uint8_t, R::kSize> in) {
  forEachField(record, [&](auto& field, std::size_t offset) { get(field, in.data() + offset); });
}

// A record's declared fields, its kSize and its kLayout must all agree.
template <class R>
constexpr bool consistent() {
  return recordWidth<R>() == R::kSize && layoutWidth(R::kLayout) == R::kSize;
}

}  // namespace vl::record_codec
