#pragma once
// In-memory list of entries of one layout with a current-entry buffer, the
// shape every list of the program has: entries are read into `current` with
// get(n), changed there and written back with put(), added from it with add().
//
//   free()                 empty the list (the buffer keeps its contents)
//   add()                  append `current`; it becomes the current entry
//   addInOrder(keys)       insert `current` after the last entry that does not
//                          sort after it (the list is assumed sorted by keys)
//   get(n)                 copy entry n (counting from 1) into `current`;
//                          false, and no current entry, when n is out of range
//                          (the runtime's error 30, kEntryNotFound)
//   put()                  rewrite the current entry from `current`
//   remove()               delete the current entry
//   count()                number of entries
//   sort(keys)             stable sort by several fields, each ascending or descending
//
// put() and remove() fail (false) when there is no current entry: before the
// first get/add, after a failed get, after remove() and after sort().

#include <algorithm>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <type_traits>
#include <vector>

#include "data/fixed_text.h"

namespace vl {

// The runtime's error code for a list entry that does not exist.
inline constexpr int kEntryNotFound = 30;

namespace queue_detail {

template <std::size_t N, char P, std::size_t C>
std::strong_ordering compareField(const BasicFixedText<N, P, C>& a,
                                  const BasicFixedText<N, P, C>& b) {
  return a.trimmed() <=> b.trimmed();
}

template <class T>
  requires std::is_arithmetic_v<T>
std::strong_ordering compareField(T a, T b) {
  return a <=> b;
}

}  // namespace queue_detail

// One key of a sort: how two entries compare on a field, and the direction.
template <class Entry>
struct SortKey {
  std::function<std::strong_ordering(const Entry&, const Entry&)> compare;
  bool descending = false;
};

template <class Entry, class Field>
SortKey<Entry> ascending(Field Entry::*field) {
  return {[field](const Entry& a, const Entry& b) {
            return queue_detail::compareField(a.*field, b.*field);
          },
          false};
}

template <class Entry, class Field>
SortKey<Entry> descending(Field Entry::*field) {
  SortKey<Entry> key = ascending(field);
  key.descending = true;
  return key;
}

template <class Entry>
class Queue {
 public:
  using Keys = std::initializer_list<SortKey<Entry>>;

  Entry current{};  // the current-entry buffer

  void free() {
    entries_.clear();
    position_.reset();
  }

  void add() {
    entries_.push_back(current);
    position_ = entries_.size() - 1;
  }

  void add(const Entry& entry) {
    current = entry;
    add();
  }

  void addInOrder(Keys keys) {
    const auto at = std::upper_bound(entries_.begin(), entries_.end(), current,
                                     [&](const Entry& a, const Entry& b) { return less(keys, a, b); });
    position_ = static_cast<std::size_t>(at - entries_.begin());
    entries_.insert(at, current);
  }

  bool get(std::size_t n) {
    if (n < 1 || n > entries_.size()) {
      position_.reset();
      return false;
    }
    position_ = n - 1;
    current = entries_[n - 1];
    return true;
  }

  bool put() {
    if (!position_) return false;
    entries_[*position_] = current;
    return true;
  }

  bool remove() {
    if (!position_) return false;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(*position_));
    position_.reset();
    return true;
  }

  std::size_t count() const { return entries_.size(); }

  // Number (from 1) of the current entry, 0 when there is none.
  std::size_t pointer() const { return position_ ? *position_ + 1 : 0; }

  void sort(Keys keys) {
    std::stable_sort(entries_.begin(), entries_.end(),
                     [&](const Entry& a, const Entry& b) { return less(keys, a, b); });
    position_.reset();
  }

  // Read-only view for display and totals; changes go through current/put.
  const std::vector<Entry>& entries() const { return entries_; }
  const Entry& at(std::size_t n) const { return entries_.at(n - 1); }

 private:
  static bool less(Keys keys, const Entry& a, const Entry& b) {
    for (const SortKey<Entry>& key : keys) {
      const auto order = key.compare(a, b);
      if (std::is_neq(order)) return key.descending ? std::is_gt(order) : std::is_lt(order);
    }
    return false;
  }

  std::vector<Entry> entries_;
  std::optional<std::size_t> position_;
};

}  // namespace vl
