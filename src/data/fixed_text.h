#pragma once
// Fixed-width text fields as the records store them.
//
// FixedText<N>: exactly N bytes, padded with blanks, no terminator. Assigning
// longer text cuts it silently; comparisons ignore trailing blanks, so "AB"
// equals "AB   " (that is how the records' string fields behave).
//
// ZText<N>: a zero-terminated field of N bytes that holds at most N-1
// characters. In memory and when serialised it is the characters followed by
// NUL bytes up to N (the N-th byte is always NUL). data() of a ZText therefore
// is NUL padded, not blank padded; trimmed()/str() stop at the first NUL and
// also drop trailing blanks, so comparisons behave as for FixedText.

#include <algorithm>
#include <compare>
#include <cstddef>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>

namespace vl {

namespace fixed_text_detail {

inline std::string_view trimRight(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
  return s;
}

}  // namespace fixed_text_detail

template <std::size_t N, char Pad, std::size_t Capacity>
class BasicFixedText {
  static_assert(N > 0, "a field has at least one byte");
  static_assert(Capacity <= N);

 public:
  static constexpr std::size_t kWidth = N;
  // Most characters the field can hold (N for FixedText, N-1 for ZText).
  static constexpr std::size_t kCapacity = Capacity;

  BasicFixedText() { std::memset(bytes_, Pad, N); }
  BasicFixedText(std::string_view text) { assign(text); }  // NOLINT: implicit on purpose
  BasicFixedText& operator=(std::string_view text) {
    assign(text);
    return *this;
  }
  // From a field of another width or kind: its text, cut or padded to this one.
  template <std::size_t M, char P, std::size_t C>
  BasicFixedText(const BasicFixedText<M, P, C>& other) {  // NOLINT: implicit on purpose
    assign(other.trimmed());
  }

  // The contents without trailing blanks (and, for ZText, up to the first NUL).
  std::string_view trimmed() const {
    std::string_view all(bytes_, Capacity);
    if constexpr (Pad == '\0') {
      const auto nul = all.find('\0');
      if (nul != std::string_view::npos) all = all.substr(0, nul);
    }
    return fixed_text_detail::trimRight(all);
  }
  std::string str() const { return std::string(trimmed()); }

  // Exactly N bytes, padded with the field's pad byte, no terminator.
  const char* data() const { return bytes_; }
  char* data() { return bytes_; }
  // All N bytes as text, pad bytes included.
  std::string_view whole() const { return {bytes_, N}; }

  bool blank() const { return trimmed().empty(); }

  friend bool operator==(const BasicFixedText& a, std::string_view b) {
    return a.trimmed() == fixed_text_detail::trimRight(b);
  }
  template <std::size_t M, char P, std::size_t C>
  friend bool operator==(const BasicFixedText& a, const BasicFixedText<M, P, C>& b) {
    return a.trimmed() == b.trimmed();
  }
  friend bool operator==(const BasicFixedText& a, const BasicFixedText& b) {
    return a.trimmed() == b.trimmed();
  }
  template <std::size_t M, char P, std::size_t C>
  friend bool operator<(const BasicFixedText& a, const BasicFixedText<M, P, C>& b) {
    return a.trimmed() < b.trimmed();
  }
  friend bool operator<(const BasicFixedText& a, const BasicFixedText& b) {
    return a.trimmed() < b.trimmed();
  }
  friend bool operator<(const BasicFixedText& a, std::string_view b) {
    return a.trimmed() < fixed_text_detail::trimRight(b);
  }
  // Prints the trimmed text (test failure messages, traces).
  friend std::ostream& operator<<(std::ostream& out, const BasicFixedText& text) {
    return out << text.trimmed();
  }

 private:
  void assign(std::string_view text) {
    const std::size_t n = std::min(text.size(), Capacity);
    std::memcpy(bytes_, text.data(), n);
    std::memset(bytes_ + n, Pad, N - n);
  }

  char bytes_[N]{};
};

template <std::size_t N>
class FixedText : public BasicFixedText<N, ' ', N> {
 public:
  using BasicFixedText<N, ' ', N>::BasicFixedText;
  FixedText& operator=(std::string_view text) {
    BasicFixedText<N, ' ', N>::operator=(text);
    return *this;
  }
  template <std::size_t M, char P, std::size_t C>
  FixedText& operator=(const BasicFixedText<M, P, C>& other) {
    BasicFixedText<N, ' ', N>::operator=(other.trimmed());
    return *this;
  }
};

template <std::size_t N>
class ZText : public BasicFixedText<N, '\0', N - 1> {
 public:
  using BasicFixedText<N, '\0', N - 1>::BasicFixedText;
  ZText& operator=(std::string_view text) {
    BasicFixedText<N, '\0', N - 1>::operator=(text);
    return *this;
  }
  template <std::size_t M, char P, std::size_t C>
  ZText& operator=(const BasicFixedText<M, P, C>& other) {
    BasicFixedText<N, '\0', N - 1>::operator=(other.trimmed());
    return *this;
  }
};

}  // namespace vl
