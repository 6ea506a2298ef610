#pragma once
// The link between a control and the program variable behind it. The runtime
// only ever reads a variable as text or as a number and writes it back the same
// way, so a Binding is made from any fixed-width text (anything with
// .trimmed() and = std::string_view, such as FixedText<N>), a std::string, or
// an integer of any width. Keeps this library free of the data module.
//
//   window.bindVariable("LOCATIONID", bindVar(state.locationId));   // int32_t
//   window.bindVariable("FTP:LOCALFTP", bindVar(settings.localFtp));  // FixedText<80>
#include <concepts>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace vl::ui {

template <class T>
concept FixedTextLike = requires(T& t, const T& ct, std::string_view s) {
  { ct.trimmed() } -> std::convertible_to<std::string_view>;
  t = s;
};

class Binding {
 public:
  Binding() = default;

  bool bound() const { return static_cast<bool>(getText_) || static_cast<bool>(getNumber_); }
  bool isNumber() const { return static_cast<bool>(getNumber_); }

  // Text bindings give their trimmed text; number bindings their decimal value.
  std::string text() const { return isNumber() ? std::to_string(getNumber_()) : getText_(); }
  long long number() const { return isNumber() ? getNumber_() : 0; }
  void setText(std::string_view text) const { if (setText_) setText_(text); }
  // Values outside the variable's range are clamped to it.
  void setNumber(long long value) const { if (setNumber_) setNumber_(value); }
  // Same identity: both bindings write the very same variable.
  bool sameVariable(const Binding& other) const { return address_ && address_ == other.address_; }

  template <FixedTextLike T>
  static Binding of(T& var) {
    Binding b;
    b.address_ = &var;
    b.getText_ = [&var] { return std::string(var.trimmed()); };
    b.setText_ = [&var](std::string_view s) { var = s; };
    return b;
  }
  static Binding of(std::string& var) {
    Binding b;
    b.address_ = &var;
    b.getText_ = [&var] { return var; };
    b.setText_ = [&var](std::string_view s) { var.assign(s); };
    return b;
  }
  template <std::integral T>
  static Binding of(T& var) {
    Binding b;
    b.address_ = &var;
    b.getNumber_ = [&var] { return static_cast<long long>(var); };
    b.setNumber_ = [&var](long long v) {
      using L = std::numeric_limits<T>;
      const long long lo = static_cast<long long>(L::min());
      long long hi = std::numeric_limits<long long>::max();
      if constexpr (!(std::is_unsigned_v<T> && sizeof(T) >= sizeof(long long))) {
        hi = static_cast<long long>(L::max());
      }
      var = static_cast<T>(v < lo ? lo : v > hi ? hi : v);
    };
    return b;
  }

 private:
  const void* address_ = nullptr;
  std::function<std::string()> getText_;
  std::function<void(std::string_view)> setText_;
  std::function<long long()> getNumber_;
  std::function<void(long long)> setNumber_;
};

template <class T>
Binding bindVar(T& var) {
  return Binding::of(var);
}

// One row of a list box: the icon number (0 none, else 1-based into the list's
// icons) and the texts of its columns, as they are shown.
struct ListRow {
  int icon = 0;
  std::vector<std::string> columns;
};

// Where a list box takes its rows from (the program's queue), and where its
// row marks live when marks are on (Window::setListMarks). Rows are 1-based.
struct ListSource {
  std::function<int()> count;
  std::function<ListRow(int row)> row;
  std::function<bool(int row)> mark = {};              // may be empty: no marks possible
  std::function<void(int row, bool on)> setMark = {};  // may be empty
};

}  // namespace vl::ui
