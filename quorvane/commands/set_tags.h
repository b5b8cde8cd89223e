// A command set carried by a piece of art as string tags "TREVASK_001",
// "TREVASK_002", ...: the set's text form (code page 932 bytes) cut into
// pieces of 180 bytes. Pure functions over strings; the host document part
// that reads and writes the tags is art_set_tags.h.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quorvane/commands/command_set_list.h"
#include "quorvane/text/diagnostic.h"

namespace quorvane::commands {

using text::Diagnostic;

/// Bytes of set text in one tag.
inline constexpr std::size_t kTagPieceBytes = 180;
/// Tags read back (and removed) at most: a longer text is cut short.
inline constexpr int kMaxSetTags = 99;
/// Bytes of the art-held set's name at most (before the angle brackets).
inline constexpr std::size_t kMaxArtSetNameBytes = 200;
/// Lines longer than this end the parsing of set text from art.
inline constexpr std::size_t kMaxArtLineBytes = 1024;
/// Bytes kept of each field of set text from art.
inline constexpr std::size_t kMaxArtFieldBytes = 255;

/// "TREVASK_%03d" of n (n from 1).
std::string SetTagName(int n);

/// The pieces to store as tags 1, 2, ...: cut at 0, 180, 360, ... for every
/// offset not greater than the text's length, so a text whose length is a
/// multiple of 180 (or empty) ends with one empty piece. A double-byte
/// character may be cut between two pieces; joining restores it.
std::vector<std::string> SplitSetTagText(std::string_view text);

/// Reads the tags 1..99 through `getTag` (tag name -> value, none when the
/// art has no such tag), stops at the first missing one and concatenates the
/// non-empty values. None when the first tag is missing or all are empty.
std::optional<std::string> JoinSetTagText(
    const std::function<std::optional<std::string>(const std::string& tagName)>& getTag);

/// The name of the art-held set in set text: the text after a leading "#" up
/// to the first line feed, at most 200 bytes (a double-byte character cut
/// there is dropped), as UTF-8 wrapped as "<name>" unless already wrapped.
/// None when the text does not begin with "#" or has no line feed.
std::optional<std::string> ArtHeldSetName(std::string_view setText,
                                          std::vector<Diagnostic>& problems);

/// Parses set text from art into `set` (lines at line feeds, no CSV reader):
/// nothing before the first "#" line; the next line is the basic width; "%"
/// starts line points (3 fields), "*" commands (5 fields); fields are cut at
/// commas (5 at most), trimmed of bytes up to 32 at both ends and kept to 255
/// bytes; missing fields read as "" and 0. Empty lines are skipped; a line
/// longer than 1024 bytes or a second "#" line ends parsing. True when at
/// least one line after the "#" line was taken.
bool ParseArtSetText(std::string_view setText, CCommandSet& set,
                     std::vector<Diagnostic>& problems);

/// Refreshes the art-held entry of the list: drops the last set when it is
/// art-held, then, when `setText` (read from the selected art) has a name,
/// appends the set parsed from it. Returns the new set's index, or none.
std::optional<int> RefreshArtHeldSet(CCommandSetList& list,
                                     const std::optional<std::string>& setText,
                                     std::vector<Diagnostic>& problems);

}  // namespace quorvane::commands
