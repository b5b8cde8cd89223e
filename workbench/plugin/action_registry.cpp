#include "workbench/plugin/action_registry.h"

#include <algorithm>

#include "sdk/errors.h"

namespace workbench::plugin {

bool ActionRegistry::Register(const std::string& eventName, std::string title, ActionHandler handler) {
  if (eventName.empty() || !handler) return false;
  return events_.emplace(eventName, Event{std::move(title), std::move(handler)}).second;
}

QvErr ActionRegistry::Play(const std::string& eventName, std::int32_t dialogMode, const ParamBlock* parameters) {
  auto it = events_.find(eventName);
  if (it == events_.end()) return kQvErrNoSuchAction;
  ++plays_;
  log_.push_back(eventName);
  if (log_.size() > logLimit_) log_.pop_front();
  // Copy the handler: a nested play may register further events, which
  // must not pull the running one from under us.
  ActionHandler handler = it->second.handler;
  ++depth_;
  QvErr err = handler(ActionPlay{eventName, dialogMode, parameters});
  --depth_;
  return err;
}

void ActionRegistry::SetLogLimit(std::size_t entries) {
  logLimit_ = entries;
  while (log_.size() > logLimit_) log_.pop_front();
}

ParamBlock* ActionRegistry::NewBlock() {
  blocks_.push_back(std::make_unique<ParamBlock>());
  liveBlocks_.insert(blocks_.back().get());
  return blocks_.back().get();
}

bool ActionRegistry::DeleteBlock(ParamBlock* block) {
  if (liveBlocks_.erase(block) == 0) return false;
  auto it = std::find_if(blocks_.begin(), blocks_.end(), [&](const auto& b) { return b.get() == block; });
  blocks_.erase(it);
  return true;
}

ParamBlock* ActionRegistry::FindBlock(QvActionParamValueRef ref) const {
  auto* block = reinterpret_cast<ParamBlock*>(ref);
  return liveBlocks_.count(block) != 0 ? block : nullptr;
}

}  // namespace workbench::plugin
