#include "quorvane/generation/art_utilities.h"

namespace quorvane::generation {

QvErr DeselectAllArt(host::HostDocument& doc) {
  auto count = doc.LayerCount();
  if (!count) return doc.LastError();
  for (int i = 0; i < *count; ++i) {
    auto layer = doc.NthLayer(i);
    if (!layer) return doc.LastError();
    if (QvErr err = doc.DeselectAllOnLayer(*layer)) return err;
  }
  return kQvNoErr;
}

std::optional<host::ArtRef> FindLargestPath(host::HostDocument& doc, host::LayerRef layer) {
  auto arts = doc.AllArtOfLayer(layer);
  if (!arts) return std::nullopt;
  std::optional<host::ArtRef> largest;
  int most = -1;
  for (host::ArtRef art : *arts) {
    auto type = doc.ArtType(art);
    if (!type || *type != kQvPathArt) continue;
    auto count = doc.SegmentCount(art);
    if (count && *count > most) {
      most = *count;
      largest = art;
    }
  }
  return largest;
}

QvErr SelectOnlyLayerArt(host::HostDocument& doc, host::LayerRef layer) {
  if (QvErr err = DeselectAllArt(doc)) return err;
  return doc.SelectAllOnLayer(layer);
}

QvErr SelectOnlyArt(host::HostDocument& doc, host::ArtRef art) {
  if (QvErr err = DeselectAllArt(doc)) return err;
  return doc.SetSelected(art, true);
}

QvErr MakeOrientationPositive(host::HostDocument& doc, host::ArtRef path) {
  auto area = doc.SignedArea(path);
  if (!area) return doc.LastError();
  if (*area < 0.0) return doc.Reverse(path);
  return kQvNoErr;
}

geometry::Vec2 ArtBoundsCenter(host::HostDocument& doc, host::ArtRef art) {
  auto bounds = doc.Bounds(art);
  if (!bounds) return {};
  return {bounds->left + (bounds->right - bounds->left) / 2.0, bounds->bottom + (bounds->top - bounds->bottom) / 2.0};
}

}  // namespace quorvane::generation
