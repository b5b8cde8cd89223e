#include "quorvane/commands/command_set.h"

#include <algorithm>

namespace quorvane::commands {
namespace {

constexpr int kPointSlots = 2;

bool InRange(int i, std::size_t size) { return i >= 0 && static_cast<std::size_t>(i) < size; }

}  // namespace

bool IsArtHeldName(std::string_view name) {
  return !name.empty() && name.front() == '<' && name.back() == '>';
}

CCommandSet::CCommandSet(std::string name) : name_(std::move(name)) {}

bool CCommandSet::IsArtHeld() const { return IsArtHeldName(name_); }

void CCommandSet::Clear() {
  commands_.clear();
  linePoints_.clear();
}

void CCommandSet::CopyFrom(const CCommandSet* source) {
  if (source == this) return;
  Clear();
  if (source == nullptr) {
    name_.clear();
    basicWidth_ = 0.0f;
    return;
  }
  name_ = source->name_;
  basicWidth_ = source->basicWidth_;
  linePoints_ = source->linePoints_;
  commands_ = source->commands_;
}

const Command* CCommandSet::GetCommand(int i) const {
  return InRange(i, commands_.size()) ? &commands_[static_cast<std::size_t>(i)] : nullptr;
}

CommandType CCommandSet::GetCommandType(int i) const {
  const Command* command = GetCommand(i);
  return command == nullptr ? CommandType::kNone : command->type;
}

float CCommandSet::GetCommandWidth(int i) const {
  const Command* command = GetCommand(i);
  return command == nullptr ? -1.0f : command->haba;
}

int CCommandSet::GetCommandPoints(int i, std::string& first, std::string& second) const {
  const Command* command = GetCommand(i);
  if (command == nullptr) return -1;
  first = command->point[0];
  second = command->point[1];
  return command->num;
}

std::string_view CCommandSet::GetCommandLabel(int i, text::Language language) const {
  const Command* command = GetCommand(i);
  return command == nullptr ? std::string_view() : CommandTypeLabel(command->type, language);
}

int CCommandSet::AddCommand(CommandType type) {
  Command command;
  command.type = type;
  commands_.push_back(std::move(command));
  return GetCommandCount();
}

void CCommandSet::RemoveNamedLinePoints(const Command& command) {
  const int used = std::clamp(command.num, 0, kPointSlots);
  for (int slot = 0; slot < used; ++slot) {
    const std::string& text = command.point[static_cast<std::size_t>(slot)];
    if (!AnchorReference(text)) RemoveLinePoint(text);
  }
}

int CCommandSet::RemoveCommand(int i) {
  if (!InRange(i, commands_.size())) return -1;
  const auto at = commands_.begin() + i;
  RemoveNamedLinePoints(*at);
  commands_.erase(at);
  return GetCommandCount();
}

void CCommandSet::MoveCommand(int from, int to) {
  const int count = GetCommandCount();
  if (from < 0 || from >= count) return;
  to = std::clamp(to, 0, count - 1);
  if (from == to) return;
  const auto begin = commands_.begin();
  // A rotation moves the one command and shifts the ones between by one
  // place, which keeps everybody else's relative order.
  if (from < to) {
    std::rotate(begin + from, begin + from + 1, begin + to + 1);
  } else {
    std::rotate(begin + to, begin + from, begin + from + 1);
  }
}

void CCommandSet::SetCommandPoint(int i, int slot, std::optional<std::string_view> text) {
  if (!InRange(i, commands_.size()) || slot < 0 || slot >= kPointSlots) return;
  Command& command = commands_[static_cast<std::size_t>(i)];
  if (text) {
    command.point[static_cast<std::size_t>(slot)] = std::string(*text);
    command.num = std::max(command.num, slot + 1);
    return;
  }
  RemoveNamedLinePoints(command);
  command.point[0].clear();
  command.point[1].clear();
  command.num = 0;
}

CommandCheck CCommandSet::SetCommandWidth(int i, float width) {
  if (!InRange(i, commands_.size())) return CommandCheck::kNoSuchCommand;
  Command& command = commands_[static_cast<std::size_t>(i)];
  Command candidate = command;
  candidate.haba = width;
  const CommandCheck check = ValidateCommand(candidate);
  // Only a width problem blocks the width: the points may still be missing
  // while the user is picking them.
  if (check != CommandCheck::kWidthRequired && check != CommandCheck::kWidthNotAllowed) {
    command.haba = width;
  }
  return check;
}

CommandCheck CCommandSet::ValidateCommand(const Command& command) {
  if (command.point[0].empty()) return CommandCheck::kPointMissing;
  const bool hasSecond = !command.point[1].empty();
  const float width = command.haba;
  switch (command.type) {
    case CommandType::kRevForward:
    case CommandType::kRevBackward:
    case CommandType::kRightAngleForward:
    case CommandType::kRightAngleBackward:
    case CommandType::kExtendedCrossing:
      if (width != 0.0f) return CommandCheck::kWidthNotAllowed;
      if (hasSecond) return CommandCheck::kTooManyPoints;
      break;
    case CommandType::kFortyFiveBackward:
    case CommandType::kFortyFiveForward:
      if (!hasSecond) return CommandCheck::kPointMissing;
      if (!(width > 0.0f)) return CommandCheck::kWidthRequired;
      break;
    case CommandType::kExtendedOneSide:
    case CommandType::kOpening:
      if (!hasSecond) return CommandCheck::kPointMissing;
      if (width == 0.0f) return CommandCheck::kWidthRequired;
      break;
    case CommandType::kLapel:
      if (!hasSecond) return CommandCheck::kPointMissing;
      if (width != 0.0f) return CommandCheck::kWidthNotAllowed;
      break;
    case CommandType::kCutOff:
      if (hasSecond) return CommandCheck::kTooManyPoints;
      if (!(width > 0.0f)) return CommandCheck::kWidthRequired;
      break;
    default:
      break;
  }
  return CommandCheck::kValid;
}

char CCommandSet::AddLinePoint(int segment, float t) {
  for (int n = 0; n < kMaxLinePoints; ++n) {
    const bool taken = std::any_of(linePoints_.begin(), linePoints_.end(),
                                   [n](const LinePoint& p) { return p.index == n; });
    if (taken) continue;
    linePoints_.push_back(LinePoint{segment, t, n});
    return LabelCharacter(n);
  }
  return 0;
}

void CCommandSet::RemoveLinePoint(std::string_view labelText) {
  const std::optional<int> label = LabelNumber(labelText);
  if (!label) return;
  // A hand-edited file can repeat a label; removing every copy leaves the
  // pool with unique labels again.
  std::erase_if(linePoints_, [&](const LinePoint& p) { return p.index == *label; });
}

std::optional<ResolvedPoint> CCommandSet::ResolvePoint(std::string_view pointText) const {
  if (const std::optional<std::int32_t> anchor = AnchorReference(pointText)) {
    return ResolvedPoint{ResolvedPoint::Kind::kAnchor, *anchor, 0.0f};
  }
  const std::optional<int> label = LabelNumber(pointText);
  if (!label) return std::nullopt;
  for (const LinePoint& p : linePoints_) {
    if (p.index == *label) return ResolvedPoint{ResolvedPoint::Kind::kLinePoint, p.Num, p.t};
  }
  return std::nullopt;
}

void CCommandSet::AppendReadCommand(Command command) {
  command.num = std::clamp(command.num, 0, kPointSlots);
  commands_.push_back(std::move(command));
}

}  // namespace quorvane::commands
