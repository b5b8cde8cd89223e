// Action events by name: the host's own actions and those modules register,
// with the parameter blocks they are played with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "sdk/types.h"

namespace workbench::plugin {

/// A real with its four-character unit.
struct UnitReal {
  std::uint32_t unit = 0;
  double value = 0.0;
};
/// An enumerated value: display name and number.
struct Enumerated {
  std::string name;
  std::int32_t value = 0;
};

/// The values of one play of an action, by four-character key.
class ParamBlock {
 public:
  using Value = std::variant<UnitReal, double, std::int32_t, bool, Enumerated, std::string>;

  void Set(std::uint32_t key, Value value) { values_[key] = std::move(value); }
  /// The value under `key` if it is of kind T; null otherwise.
  template <typename T>
  const T* Get(std::uint32_t key) const {
    auto it = values_.find(key);
    return it == values_.end() ? nullptr : std::get_if<T>(&it->second);
  }
  bool Empty() const { return values_.empty(); }

 private:
  std::map<std::uint32_t, Value> values_;
};

/// What a handler is played with. `parameters` may be null.
struct ActionPlay {
  std::string eventName;
  std::int32_t dialogMode = 0;
  const ParamBlock* parameters = nullptr;
};

using ActionHandler = std::function<QvErr(const ActionPlay&)>;

class ActionRegistry {
 public:
  /// False (nothing changed) when the name is taken.
  bool Register(const std::string& eventName, std::string title, ActionHandler handler);
  bool IsRegistered(const std::string& eventName) const { return events_.count(eventName) != 0; }
  /// kQvErrNoSuchAction for an unknown name; otherwise the handler's result.
  QvErr Play(const std::string& eventName, std::int32_t dialogMode, const ParamBlock* parameters);
  /// How deep plays are nested right now (0 outside any play).
  int Depth() const { return depth_; }
  /// The events last played, outermost and nested, oldest first: at most
  /// LogLimit() of them, so that a long session does not grow without end.
  const std::deque<std::string>& PlayLog() const { return log_; }
  /// How many plays there have been, including those the log forgot.
  std::size_t PlayCount() const { return plays_; }
  /// The number of plays the log keeps unless SetLogLimit says otherwise.
  static constexpr std::size_t kDefaultLogLimit = 100;
  /// Keeps at most `entries` plays in the log, forgetting the oldest.
  void SetLogLimit(std::size_t entries);
  std::size_t LogLimit() const { return logLimit_; }

  /// Parameter blocks handed to modules as QvActionParamValueRef.
  ParamBlock* NewBlock();
  /// False for a block that is not live.
  bool DeleteBlock(ParamBlock* block);
  /// The live block behind a reference, or null.
  ParamBlock* FindBlock(QvActionParamValueRef ref) const;

 private:
  struct Event {
    std::string title;
    ActionHandler handler;
  };
  std::map<std::string, Event> events_;
  std::set<ParamBlock*> liveBlocks_;
  std::vector<std::unique_ptr<ParamBlock>> blocks_;
  std::deque<std::string> log_;
  std::size_t logLimit_ = kDefaultLogLimit;
  std::size_t plays_ = 0;
  int depth_ = 0;
};

}  // namespace workbench::plugin
