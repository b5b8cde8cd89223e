// Storing, reading and removing a command set as "TREVASK_%03d" string tags
// on a piece of art of the host document, and the art-held entry of the set
// list. The tag texts are those of set_tags.h.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "quorvane/commands/command_set_list.h"
#include "quorvane/text/diagnostic.h"
#include "quorvane/facade/host_document.h"

namespace quorvane::commands {

using text::Diagnostic;

/// Replaces the set tags of `art` with the set's text form: removes the tags
/// 1..99 that exist, then stores the 180-byte pieces as tags 1, 2, ...
/// Returns the first host error. When the set cannot be written in code page
/// 932, nothing is touched, the result is kQvErrBadParameter and `message`
/// (when given) says why.
QvErr StoreSetOnArt(host::HostDocument& document, host::ArtRef art, const CCommandSet& set,
                    std::string* message = nullptr);

/// The concatenated set text of the art's tags 1..99, or none (no first tag,
/// all empty, or no art).
std::optional<std::string> ReadSetTextFromArt(host::HostDocument& document, host::ArtRef art);

/// Removes the tags 1, 2, ... up to 99 while they exist; returns the first
/// host error of a removal.
QvErr RemoveSetFromArt(host::HostDocument& document, host::ArtRef art);

/// Refreshes the list's art-held entry from the selected art (an empty
/// handle for none): drops an art-held last set and appends the one the art
/// carries. Returns the new set's index, or none.
std::optional<int> AddArtHeldSet(CCommandSetList& list, host::HostDocument& document,
                                 host::ArtRef selectedArt, std::vector<Diagnostic>& problems);

}  // namespace quorvane::commands
