#include "quorvane/commands/art_set_tags.h"

#include "quorvane/commands/set_tags.h"
#include "quorvane/commands/set_text.h"

namespace quorvane::commands {

QvErr StoreSetOnArt(host::HostDocument& document, host::ArtRef art, const CCommandSet& set,
                    std::string* message) {
  std::string text;
  if (std::optional<std::string> error = AppendSetText(set, text)) {
    if (message != nullptr) *message = std::move(*error);
    return kQvErrBadParameter;
  }
  if (const QvErr err = RemoveSetFromArt(document, art); err != kQvNoErr) return err;
  int n = 0;
  for (const std::string& piece : SplitSetTagText(text)) {
    if (const QvErr err = document.SetTag(art, SetTagName(++n), piece); err != kQvNoErr) {
      return err;
    }
  }
  return kQvNoErr;
}

std::optional<std::string> ReadSetTextFromArt(host::HostDocument& document, host::ArtRef art) {
  if (!art) return std::nullopt;
  return JoinSetTagText([&](const std::string& tagName) { return document.Tag(art, tagName); });
}

QvErr RemoveSetFromArt(host::HostDocument& document, host::ArtRef art) {
  for (int n = 1; n <= kMaxSetTags; ++n) {
    const std::string name = SetTagName(n);
    if (!document.Tag(art, name)) break;
    if (const QvErr err = document.RemoveTag(art, name); err != kQvNoErr) return err;
  }
  return kQvNoErr;
}

std::optional<int> AddArtHeldSet(CCommandSetList& list, host::HostDocument& document,
                                 host::ArtRef selectedArt, std::vector<Diagnostic>& problems) {
  return RefreshArtHeldSet(list, ReadSetTextFromArt(document, selectedArt), problems);
}

}  // namespace quorvane::commands
