// The point-picking states: which point of the command being edited the
// next click on the source path gives, and where picking goes from there.
// The panel starts a state by command type; the tool advances it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "quorvane/commands/command_type.h"

namespace quorvane::panel {

/// The state is kept in the panel's plain state across unload and reload,
/// so the numbers are part of that record.
enum class PickingState : std::int32_t {
  kIdle = 0,
  kRevForward = 1,
  kRevBackward = 2,
  kRightAngleForward = 3,
  kRightAngleBackward = 4,
  kFortyFiveBackward = 5,
  kFortyFiveForward = 6,
  /// The second point of either 45-degree corner.
  kFortyFiveSecond = 7,
  /// Takes a second 45-degree point like kFortyFiveSecond; no first state
  /// leads here, but a kept state may hold it.
  kFortyFiveSecondAlternate = 8,
  kExtendedCrossing = 9,
  kExtendedOneSide = 10,
  kExtendedOneSideSecond = 11,
  kLapel = 12,
  kLapelSecond = 13,
  kCutOff = 14,
  kOpening = 15,
  kOpeningSecond = 16,
  /// All points given; the command's width is still to be entered.
  kAwaitingWidth = 17,
};

/// What a state does with a click: the kinds of hit it accepts, the point
/// slot a hit fills, the state that follows (kIdle: the command has all its
/// points), and the command type whose "Add" starts it.
struct PickingRule {
  PickingState state;
  bool anchors;
  bool segments;
  /// 0 for a command's first point, 1 for its second.
  int slot;
  PickingState next;
  std::optional<commands::CommandType> startedBy;
};

/// Indexed by state number.
inline constexpr std::array<PickingRule, 18> kPickingRules = [] {
  using enum PickingState;
  using Type = commands::CommandType;
  return std::array<PickingRule, 18>{{
      {kIdle, false, false, 0, kIdle, std::nullopt},
      {kRevForward, true, false, 0, kIdle, Type::kRevForward},
      {kRevBackward, true, false, 0, kIdle, Type::kRevBackward},
      {kRightAngleForward, true, false, 0, kIdle, Type::kRightAngleForward},
      {kRightAngleBackward, true, false, 0, kIdle, Type::kRightAngleBackward},
      {kFortyFiveBackward, true, false, 0, kFortyFiveSecond, Type::kFortyFiveBackward},
      {kFortyFiveForward, true, false, 0, kFortyFiveSecond, Type::kFortyFiveForward},
      {kFortyFiveSecond, true, true, 1, kIdle, std::nullopt},
      {kFortyFiveSecondAlternate, true, true, 1, kIdle, std::nullopt},
      {kExtendedCrossing, true, false, 0, kIdle, Type::kExtendedCrossing},
      {kExtendedOneSide, true, false, 0, kExtendedOneSideSecond, Type::kExtendedOneSide},
      {kExtendedOneSideSecond, true, false, 1, kIdle, std::nullopt},
      {kLapel, true, false, 0, kLapelSecond, Type::kLapel},
      {kLapelSecond, true, true, 1, kIdle, std::nullopt},
      {kCutOff, true, false, 0, kIdle, Type::kCutOff},
      {kOpening, true, true, 0, kOpeningSecond, Type::kOpening},
      {kOpeningSecond, true, true, 1, kIdle, std::nullopt},
      {kAwaitingWidth, false, false, 0, kIdle, std::nullopt},
  }};
}();

static_assert(
    [] {
      for (std::size_t i = 0; i < kPickingRules.size(); ++i) {
        if (static_cast<std::size_t>(kPickingRules[i].state) != i) return false;
      }
      return true;
    }(),
    "kPickingRules is indexed by state number");

/// The rule of `state`; a number outside the table (a damaged kept state)
/// behaves as idle.
constexpr const PickingRule& RuleOf(PickingState state) {
  const auto index = static_cast<std::size_t>(static_cast<std::int32_t>(state));
  return index < kPickingRules.size() ? kPickingRules[index] : kPickingRules[0];
}

/// True while a click on the source path gives the command a point.
constexpr bool TakesClicks(PickingState state) {
  const PickingRule& rule = RuleOf(state);
  return rule.anchors || rule.segments;
}

/// The state "Add" or "Clear point" starts for a command of `type`; idle
/// for a code outside 0..10.
constexpr PickingState FirstPickingState(commands::CommandType type) {
  for (const PickingRule& rule : kPickingRules) {
    if (rule.startedBy == type) return rule.state;
  }
  return PickingState::kIdle;
}

}  // namespace quorvane::panel
