// What the SVG tests share: art found by its id, all art of a document,
// and a text read as a file.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "workbench/svg/svg_io.h"

namespace workbench::svg::testing {

/// Every art of every layer, from the top layer down, in paint order.
inline std::vector<document::ArtId> AllArt(const document::Document& doc) {
  std::vector<document::ArtId> out;
  for (std::size_t i = 0; i < doc.LayerCount(); ++i) {
    for (document::ArtId a : doc.AllArtOfLayer(doc.LayerAt(i))) out.push_back(a);
  }
  return out;
}

/// The art whose SVG id is `id`; none when no art has it.
inline document::ArtId FindById(const document::Document& doc, const std::string& id) {
  for (document::ArtId a : AllArt(doc)) {
    if (doc.FindArt(a)->foreign.sourceId == id) return a;
  }
  return {};
}

/// `text` read as the file `name`; an empty document (and a failure) when
/// it does not read.
inline document::Document Read(const std::string& text, const std::string& name = "hand.svg") {
  auto read = ReadSvgString(text, name);
  EXPECT_TRUE(read) << read.error().ToString();
  return read ? std::move(read.value()) : document::Document::Empty();
}

}  // namespace workbench::svg::testing
