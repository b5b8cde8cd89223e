#include "quorvane/generation/pathfinder.h"

#include <algorithm>
#include <iterator>

#include "quorvane/generation/art_utilities.h"
#include "quorvane/generation/containment.h"

namespace quorvane::generation {

namespace {

enum class Operation { kDivide, kIntersect, kUnite };

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Version 25: select the inputs and play the action, whose 'name' picks the
// operation.
QvErr PlayPathfinderAction(host::HostDocument& doc, Operation op, const PathfinderData& data) {
  if (!data.art.empty()) {
    if (QvErr err = DeselectAllArt(doc)) return err;
    for (host::ArtRef art : data.art) {
      if (QvErr err = doc.SetSelected(art, true)) return err;
    }
  }
  std::string_view hex = kUniteNameHex;
  std::int32_t value = kQvPathfinderUnite;
  if (op == Operation::kDivide) {
    hex = kDivideNameHex;
    value = kQvPathfinderDivide;
  } else if (op == Operation::kIntersect) {
    hex = kIntersectNameHex;
    value = kQvPathfinderIntersect;
  }
  auto params = doc.NewActionParams();
  if (!params) return doc.LastError();
  if (QvErr err = params->SetEnumerated(kQvPathfinderOperationKey, DecodeHexText(hex), value)) return err;
  return doc.PlayAction(kQvPathfinderAction, &*params, kQvDialogOff);
}

// Inputs inside another input add nothing to a union; they are disposed of
// so that the union does not have to resolve them.
QvErr DisposeContainedPaths(host::HostDocument& doc, const PathfinderData& data) {
  std::vector<host::ArtRef> paths = data.art;
  if (paths.empty()) {
    auto selected = doc.SelectedPaths();
    if (!selected) return doc.LastError();
    paths = std::move(*selected);
  }
  std::vector<bool> gone(paths.size(), false);
  for (std::size_t a = 0; a < paths.size(); ++a) {
    for (std::size_t b = 0; b < paths.size(); ++b) {
      if (a == b || gone[b] || !PathInsidePath(doc, paths[a], paths[b])) continue;
      if (QvErr err = doc.Dispose(paths[a])) return err;
      gone[a] = true;
      break;
    }
  }
  return kQvNoErr;
}

QvErr Run(host::HostDocument& doc, const RunState& state, Operation op, const PathfinderData& data) {
  if (state.hostVersion == kActionPathfinderHostVersion) return PlayPathfinderAction(doc, op, data);
  switch (op) {
    case Operation::kDivide:
      return doc.PathfinderDivide(data.art, data.precision, data.removeRedundantPoints);
    case Operation::kIntersect:
      return doc.PathfinderIntersect(data.art, data.precision, data.removeRedundantPoints);
    case Operation::kUnite:
      break;
  }
  if (state.hostVersion > kActionPathfinderHostVersion) {
    if (QvErr err = DisposeContainedPaths(doc, data)) return err;
  }
  std::vector<host::ArtRef> rest;
  std::copy_if(data.art.begin(), data.art.end(), std::back_inserter(rest), [&](host::ArtRef a) { return doc.IsValid(a); });
  if (!data.art.empty() && rest.empty()) return kQvNoErr;
  return doc.PathfinderUnite(rest, data.precision, data.removeRedundantPoints);
}

}  // namespace

std::string DecodeHexText(std::string_view hex) {
  std::string text;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    const int hi = HexDigit(hex[i]);
    const int lo = HexDigit(hex[i + 1]);
    if (hi < 0 || lo < 0) break;
    text.push_back(static_cast<char>(hi * 16 + lo));
  }
  return text;
}

QvErr PathfinderDivide(host::HostDocument& doc, const RunState& state, const PathfinderData& data) {
  return Run(doc, state, Operation::kDivide, data);
}

QvErr PathfinderIntersect(host::HostDocument& doc, const RunState& state, const PathfinderData& data) {
  return Run(doc, state, Operation::kIntersect, data);
}

QvErr PathfinderUnite(host::HostDocument& doc, const RunState& state, const PathfinderData& data) {
  return Run(doc, state, Operation::kUnite, data);
}

}  // namespace quorvane::generation
