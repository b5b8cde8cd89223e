// A named command set: basic seam-margin width, ordered commands and the pool
// of line points they refer to.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quorvane/commands/command.h"
#include "quorvane/commands/command_type.h"

namespace quorvane::commands {

/// Where a point text lies on the finish line: a segment number (counted
/// from 1) and the curve parameter inside it.
struct ResolvedPoint {
  enum class Kind { kAnchor, kLinePoint };
  Kind kind;
  int segment;
  float t;
};

/// A command set, held by value. Indices are 0-based; a bad index never
/// throws: queries return their none-value and mutators do nothing.
///
/// The class has no virtual functions and holds no function pointers: it
/// lives in the module's globals block, which the host keeps while the module
/// is unloaded and reloaded at another address.
///
/// Every mutator keeps the set consistent: line-point labels unique and each
/// command's `num` within 0..2. Widths are in the user's length unit.
class CCommandSet {
 public:
  CCommandSet() = default;
  explicit CCommandSet(std::string name);

  /// The set's name (UTF-8).
  const std::string& GetName() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  /// True when the name begins with "<" and ends with ">": the set was read
  /// from art tags and is never written to the list file.
  bool IsArtHeld() const;

  float GetBasicWidth() const { return basicWidth_; }
  void SetBasicWidth(float width) { basicWidth_ = width; }

  /// Empties the command list and the line points; name and width stay.
  void Clear();

  /// Becomes a copy of `source`; with none, an empty set named "" of width 0.
  void CopyFrom(const CCommandSet* source);

  int GetCommandCount() const { return static_cast<int>(commands_.size()); }
  /// The command, or none when i is out of range.
  const Command* GetCommand(int i) const;
  /// CommandType::kNone when i is out of range.
  CommandType GetCommandType(int i) const;
  /// The command's width, or -1.0 when i is out of range.
  float GetCommandWidth(int i) const;
  /// Copies both point texts and returns `num`; -1 (outputs untouched) when i
  /// is out of range.
  int GetCommandPoints(int i, std::string& first, std::string& second) const;
  /// The type's label in the given language; "" when i is out of range.
  std::string_view GetCommandLabel(int i, text::Language language) const;

  /// Appends {type, "", "", 0, 0}; returns the new count.
  int AddCommand(CommandType type);
  /// Removes command i together with the line points its point texts name;
  /// returns the new count, or -1 when i is out of range.
  int RemoveCommand(int i);
  /// Moves command `from` so that it ends at `to` (clamped into range); the
  /// others keep their order. Nothing when `from` is out of range.
  void MoveCommand(int from, int to);
  /// With a text: sets point slot 0 or 1 and raises `num` to slot + 1. With
  /// none: removes the line points the command names, empties both slots and
  /// sets `num` to 0. Nothing for a bad i or slot.
  void SetCommandPoint(int i, int slot, std::optional<std::string_view> text);
  /// Stores the width unless a copy of the command with it validates to
  /// kWidthRequired or kWidthNotAllowed; returns that validation, or
  /// kNoSuchCommand.
  CommandCheck SetCommandWidth(int i, float width);
  /// The first rule the command breaks, or kValid.
  static CommandCheck ValidateCommand(const Command& command);

  /// Appends a line point on `segment` (counted from 1) at parameter t with
  /// the lowest free label and returns the label character; 0 and no change
  /// when all 52 labels are taken.
  char AddLinePoint(int segment, float t);
  /// Removes the line point labelled by the text's first character; nothing
  /// when there is none.
  void RemoveLinePoint(std::string_view labelText);
  /// Resolves a point text: an anchor reference gives (anchor, 0.0), a
  /// line-point label its (Num, t); none for anything else.
  std::optional<ResolvedPoint> ResolvePoint(std::string_view pointText) const;

  const std::vector<Command>& GetCommands() const { return commands_; }
  const std::vector<LinePoint>& GetLinePoints() const { return linePoints_; }

  /// Appends a command or a line point as read from a file or art tags,
  /// unvalidated; `num` is brought into 0..2 so that no operation ever looks
  /// past the two point slots.
  void AppendReadCommand(Command command);
  void AppendReadLinePoint(LinePoint linePoint) { linePoints_.push_back(linePoint); }

  friend bool operator==(const CCommandSet&, const CCommandSet&) = default;

 private:
  void RemoveNamedLinePoints(const Command& command);

  std::string name_;
  float basicWidth_ = 0.0f;
  std::vector<Command> commands_;
  std::vector<LinePoint> linePoints_;
};

/// True when a set name begins with "<" and ends with ">".
bool IsArtHeldName(std::string_view name);

}  // namespace quorvane::commands
