// The ordered list of command sets that the list file holds.
#pragma once

#include <list>
#include <string>
#include <string_view>
#include <vector>

#include "quorvane/commands/command_set.h"

namespace quorvane::commands {

/// Command sets by value, in file order, addressed by 0-based position.
/// Nothing sorts the list; duplicate names are allowed. A set stays at the
/// same address while it is in the list (it is a linked list), so a pointer
/// from GetSet or AddSet is valid until that set is removed.
///
/// No virtual functions and no function pointers, like CCommandSet.
class CCommandSetList {
 public:
  CCommandSetList() = default;
  CCommandSetList(const CCommandSetList& other);
  CCommandSetList& operator=(const CCommandSetList& other);
  CCommandSetList(CCommandSetList&&) noexcept = default;
  CCommandSetList& operator=(CCommandSetList&&) noexcept = default;

  /// Appends an empty set with that name and returns it.
  CCommandSet& AddSet(std::string name);
  /// Appends a copy of a whole set and returns the copy.
  CCommandSet& AddSet(const CCommandSet& set);
  /// The set at position i, or none when i is out of range.
  CCommandSet* GetSet(int i);
  const CCommandSet* GetSet(int i) const;
  /// Its name, or "" when i is out of range.
  std::string GetSetName(int i) const;
  /// The first set with exactly that name, or none.
  CCommandSet* FindSet(std::string_view name);
  const CCommandSet* FindSet(std::string_view name) const;
  /// Position of the first set with exactly that name, or -1.
  int FindSetIndex(std::string_view name) const;
  int GetSetCount() const { return static_cast<int>(sets_.size()); }
  /// Erases set i and returns the new count, or -1 when i is out of range.
  int RemoveSet(int i);
  void ClearSets();

  const std::list<CCommandSet>& Sets() const { return sets_; }

 private:
  std::list<CCommandSet> sets_;
  // The sets in list order, so that position i is found at once: the panel
  // walks the list by position, and a walk along the linked list for each
  // position made loading and listing many sets quadratic.
  std::vector<CCommandSet*> positions_;
};

}  // namespace quorvane::commands
