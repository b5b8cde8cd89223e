#include "quorvane/commands/command_set_list.h"

#include <iterator>

namespace quorvane::commands {

CCommandSetList::CCommandSetList(const CCommandSetList& other) : sets_(other.sets_) {
  positions_.reserve(sets_.size());
  for (CCommandSet& set : sets_) positions_.push_back(&set);
}

CCommandSetList& CCommandSetList::operator=(const CCommandSetList& other) {
  if (this != &other) *this = CCommandSetList(other);
  return *this;
}

CCommandSet& CCommandSetList::AddSet(std::string name) {
  return *positions_.emplace_back(&sets_.emplace_back(std::move(name)));
}

CCommandSet& CCommandSetList::AddSet(const CCommandSet& set) {
  return *positions_.emplace_back(&sets_.emplace_back(set));
}

CCommandSet* CCommandSetList::GetSet(int i) {
  if (i < 0 || i >= GetSetCount()) return nullptr;
  return positions_[static_cast<std::size_t>(i)];
}

const CCommandSet* CCommandSetList::GetSet(int i) const {
  if (i < 0 || i >= GetSetCount()) return nullptr;
  return positions_[static_cast<std::size_t>(i)];
}

std::string CCommandSetList::GetSetName(int i) const {
  const CCommandSet* set = GetSet(i);
  return set == nullptr ? std::string() : set->GetName();
}

int CCommandSetList::FindSetIndex(std::string_view name) const {
  int i = 0;
  for (const CCommandSet& set : sets_) {
    if (set.GetName() == name) return i;
    ++i;
  }
  return -1;
}

CCommandSet* CCommandSetList::FindSet(std::string_view name) { return GetSet(FindSetIndex(name)); }

const CCommandSet* CCommandSetList::FindSet(std::string_view name) const {
  return GetSet(FindSetIndex(name));
}

int CCommandSetList::RemoveSet(int i) {
  if (i < 0 || i >= GetSetCount()) return -1;
  sets_.erase(std::next(sets_.begin(), i));
  positions_.erase(positions_.begin() + i);
  return GetSetCount();
}

void CCommandSetList::ClearSets() {
  sets_.clear();
  positions_.clear();
}

}  // namespace quorvane::commands
