// Feeds arbitrary bytes to the art-tag carrier: cutting into tags and joining
// must give the text back (up to the 99-tag limit), and parsing the text into
// the art-held set must not fail whatever it holds.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "quorvane/commands/set_tags.h"

using namespace quorvane::commands;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  std::map<std::string, std::string> tags;
  int n = 0;
  for (std::string& piece : SplitSetTagText(text)) tags[SetTagName(++n)] = std::move(piece);
  const std::optional<std::string> joined =
      JoinSetTagText([&](const std::string& name) -> std::optional<std::string> {
        const auto it = tags.find(name);
        if (it == tags.end()) return std::nullopt;
        return it->second;
      });
  const std::size_t readable = std::min(text.size(), kMaxSetTags * kTagPieceBytes);
  if (readable == 0 ? joined.has_value() : joined != text.substr(0, readable)) __builtin_trap();

  CCommandSetList list;
  list.AddSet("kept");
  std::vector<Diagnostic> problems;
  const std::optional<int> index = RefreshArtHeldSet(list, std::string(text), problems);
  if (index && (*index != 1 || !list.GetSet(1)->IsArtHeld())) __builtin_trap();
  if (list.GetSetCount() != (index ? 2 : 1)) __builtin_trap();
  for (const Command& c : list.GetSet(list.GetSetCount() - 1)->GetCommands()) {
    if (c.num < 0 || c.num > 2) __builtin_trap();
  }
  return 0;
}
