// An ordered list of handles in paint order from the top, as a group keeps
// its children and a document its layers.
#pragma once

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

namespace workbench::document {

/// Handles listed from the top. Placing one on top (first) or at the bottom
/// (last) takes amortized constant time: the list keeps free room before its
/// first entry as a vector keeps it after its last, so a file that places N
/// objects on top one after another reads in time linear in N. Placing one
/// in between moves the entries after it. Read-only iteration; copies are
/// compact (no free room).
template <typename Id>
class PaintList {
 public:
  using value_type = Id;
  using const_iterator = typename std::vector<Id>::const_iterator;
  using iterator = const_iterator;
  using const_reverse_iterator = std::reverse_iterator<const_iterator>;

  PaintList() = default;
  PaintList(std::initializer_list<Id> ids) : items_(ids) {}
  PaintList(const PaintList& other) : items_(other.begin(), other.end()) {}
  PaintList(PaintList&& other) noexcept : items_(std::move(other.items_)), head_(std::exchange(other.head_, 0)) {
    other.items_.clear();
  }
  PaintList& operator=(const PaintList& other) {
    if (this != &other) {
      items_.assign(other.begin(), other.end());
      head_ = 0;
    }
    return *this;
  }
  PaintList& operator=(PaintList&& other) noexcept {
    if (this != &other) {
      items_ = std::move(other.items_);
      head_ = std::exchange(other.head_, 0);
      other.items_.clear();
    }
    return *this;
  }
  ~PaintList() = default;

  const_iterator begin() const { return items_.begin() + static_cast<std::ptrdiff_t>(head_); }
  const_iterator end() const { return items_.end(); }
  const_reverse_iterator rbegin() const { return const_reverse_iterator(end()); }
  const_reverse_iterator rend() const { return const_reverse_iterator(begin()); }
  std::size_t size() const { return items_.size() - head_; }
  bool empty() const { return size() == 0; }
  /// The index-th from the top; index < size().
  const Id& operator[](std::size_t index) const { return items_[head_ + index]; }

  /// Position from the top; none when absent.
  std::optional<std::size_t> IndexOf(Id id) const {
    const auto it = std::find(begin(), end(), id);
    if (it == end()) return std::nullopt;
    return static_cast<std::size_t>(it - begin());
  }

  /// Places `id` so that it becomes the index-th from the top
  /// (0 = on top, size() = at the bottom); index <= size().
  void Insert(std::size_t index, Id id) {
    if (index == 0) {
      if (head_ == 0) MakeRoomOnTop();
      items_[--head_] = id;
      return;
    }
    items_.insert(begin() + static_cast<std::ptrdiff_t>(index), id);
  }

  /// Removes the index-th from the top; index < size().
  void EraseAt(std::size_t index) {
    if (index == 0) {
      ++head_;
      return;
    }
    items_.erase(begin() + static_cast<std::ptrdiff_t>(index));
  }

  /// Removes `id` where it is listed; false when absent.
  bool Remove(Id id) {
    const auto index = IndexOf(id);
    if (index) EraseAt(*index);
    return index.has_value();
  }

  void clear() {
    items_.clear();
    head_ = 0;
  }

  friend bool operator==(const PaintList& a, const PaintList& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
  }

 private:
  // Free room before the first entry as large as the list (at least a few),
  // so that N placements on top move O(N) entries in all.
  void MakeRoomOnTop() {
    const std::size_t room = std::max<std::size_t>(4, size());
    std::vector<Id> grown;
    grown.reserve(room + size() + 1);
    grown.resize(room);
    grown.insert(grown.end(), begin(), end());
    items_.swap(grown);
    head_ = room;
  }

  // Entries [head_, items_.size()) are the list from the top; the ones
  // before head_ are free room.
  std::vector<Id> items_;
  std::size_t head_ = 0;
};

}  // namespace workbench::document
