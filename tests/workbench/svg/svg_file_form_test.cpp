// Saving writes back what the file held as the file wrote it, and writes
// anew only what the model changed, in the form the element gave it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "support/shared_data.h"
#include "svg_test_support.h"

namespace workbench::svg {
namespace {

using document::ArtId;
using document::Document;
using geometry::PathSegment;
using geometry::Point;
using testing::FindById;
using testing::Read;

// Comments and processing instructions before and inside the root and its
// groups, a style sheet, classes, data attributes, foreign elements, text,
// numbers in several spellings, single quotes and attributes over lines.
constexpr const char* kHandMade = R"svg(<?xml version="1.0" encoding="UTF-8"?>
<?xml-stylesheet href="pattern.css" type="text/css"?>
<!-- made by hand -->
<svg xmlns="http://www.w3.org/2000/svg" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape"
     xmlns:foo="urn:example:foo" width="100mm" height='50mm' viewBox="0 0 100 50">
  <style>.cut { stroke: red }</style>
  <!-- the front -->
  <g inkscape:groupmode="layer" inkscape:label="Front" id="front" data-part="front">
    <?editor keep-me?>
    <path id="seam" class="cut" style="fill:none;stroke:#000000;stroke-dasharray:2, 1" data-anchors="4"
          d="M 10.50,10 L 90,10.000 L 90,40 L 10.5,40 Z"/>
    <g id="notches" transform="translate(1e1 0)">
      <!-- notch marks -->
      <rect id="mark" x="+3" y="3" width="2" height="2" fill="#000"/>
      <foo:mark foo:kind="v"/>
    </g>
    <text x="5" y="45" style="font-size:4px">Front &amp; back</text>
  </g>
  <circle cx="50" cy="25" r="3"/>
</svg>
)svg";

void ExpectSamePoints(const std::vector<PathSegment>& a, const std::vector<PathSegment>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_NEAR(a[i].anchor.x, b[i].anchor.x, 1e-9) << i;
    EXPECT_NEAR(a[i].anchor.y, b[i].anchor.y, 1e-9) << i;
  }
}

TEST(SvgFileForm, UnchangedFileIsWrittenBackByteForByte) {
  EXPECT_EQ(WriteSvgString(Read(kHandMade)), kHandMade);
  // Our own file of every shape, with locked, hidden and kept elements.
  std::ifstream shapes(quorvane::testing::TestDataDir() / "svg" / "shapes.svg", std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(shapes), {}};
  EXPECT_EQ(WriteSvgString(Read(text, "shapes.svg")), text);
  // Undone changes leave nothing behind either.
  Document edited = Read(kHandMade);
  const ArtId seam = FindById(edited, "seam");
  edited.SetSegments(seam, {PathSegment::Corner({0, 0}), PathSegment::Corner({5, 5})});
  edited.SetHidden(FindById(edited, "mark"), true);
  edited.CommitStep();
  edited.Undo();
  EXPECT_EQ(WriteSvgString(edited), kHandMade);
}

TEST(SvgFileForm, ChangedArtIsWrittenInItsOwnFormAndTheRestAsRead) {
  Document doc = Read(kHandMade);
  const ArtId seam = FindById(doc, "seam");
  const ArtId mark = FindById(doc, "mark");
  const document::LayerId front = doc.LayerAt(1);
  ASSERT_TRUE(seam && mark);

  // A new stroke colour goes into the style attribute, where a class rule
  // cannot override it.
  auto style = *doc.GetPathStyle(seam);
  style.stroke.color = document::Color::Rgb(1, 0, 0);
  doc.SetPathStyle(seam, style);
  // A copy keeps the form with a fresh id.
  const ArtId copy = doc.Duplicate(seam, document::PaintOrder::kPlaceAbove, seam);
  // The rect moves 1 pt to the right: it becomes a path in its group's space.
  auto moved = *doc.Segments(mark);
  for (PathSegment& s : moved) {
    for (Point* p : {&s.anchor, &s.in, &s.out}) p->x += 1.0;
  }
  doc.SetSegments(mark, moved);
  // New art inside the translated group, a hidden circle, a locked layer.
  const std::vector<PathSegment> added{PathSegment::Corner({40, 60}), PathSegment::Corner({50, 70})};
  const ArtId fresh = doc.NewPath(doc.ParentOf(mark), added, false);
  doc.SetHidden(doc.ChildrenOf(doc.LayerGroup(doc.LayerAt(0))).at(0), true);
  doc.SetLayerEditable(front, false);

  const std::string saved = WriteSvgString(doc);
  EXPECT_NE(saved.find("<path id=\"seam\" class=\"cut\" style=\"fill:none;stroke:#ff0000;stroke-dasharray:2, 1\" "
                       "data-anchors=\"4\" d=\"M 10.50,10 L 90,10.000 L 90,40 L 10.5,40 Z\"/>"),
            std::string::npos)
      << saved;
  EXPECT_NE(saved.find("<path id=\"path1\" class=\"cut\" style=\"fill:none;stroke:#ff0000"), std::string::npos) << saved;
  for (const char* kept : {"<!-- notch marks -->", "<?editor keep-me?>", "<style>.cut { stroke: red }</style>",
                           "<text x=\"5\" y=\"45\" style=\"font-size:4px\">Front &amp; back</text>",
                           "<foo:mark foo:kind=\"v\"/>", "data-part=\"front\"", "<?xml-stylesheet"}) {
    EXPECT_NE(saved.find(kept), std::string::npos) << kept << "\n" << saved;
  }
  EXPECT_NE(saved.find("<path id=\"mark\" fill=\"#000\" d=\"M "), std::string::npos) << saved;
  EXPECT_NE(saved.find("xmlns:sodipodi="), std::string::npos) << saved;

  const Document back = Read(saved);
  EXPECT_EQ(back.FindArt(FindById(back, "seam"))->style.stroke.color, document::Color::Rgb(1, 0, 0));
  ExpectSamePoints(*back.Segments(FindById(back, "mark")), moved);
  ExpectSamePoints(*back.Segments(FindById(back, "path1")), *doc.Segments(copy));
  const ArtId freshBack = back.ChildrenOf(back.ParentOf(FindById(back, "mark"))).at(0);
  ExpectSamePoints(*back.Segments(freshBack), *doc.Segments(fresh));
  EXPECT_TRUE(back.FindArt(back.ChildrenOf(back.LayerGroup(back.LayerAt(0))).at(0))->hidden);
  EXPECT_FALSE(back.FindLayer(back.LayerAt(1))->editable);
  EXPECT_EQ(back.FindLayer(back.LayerAt(1))->title, "Front");
}

TEST(SvgFileForm, NewNumbersAreTheShortestThatReadBackTheSame) {
  // A millimetre page: a stroke of 0.5 mm set in points comes back as 0.5
  // user units, and a moved rectangle keeps its untouched coordinates.
  Document doc = Read(R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="100mm" height="100mm" viewBox="0 0 100 100">
<path id="p" stroke-width="0.1" d="M 0,0 L 10,10"/><rect id="r" x="1.1" y="2.2" width="3.3" height="4.4"/></svg>)svg");
  const ArtId p = FindById(doc, "p");
  auto style = *doc.GetPathStyle(p);
  style.stroke.width = 0.5 * 72.0 / 25.4;
  doc.SetPathStyle(p, style);
  const ArtId r = FindById(doc, "r");
  auto moved = *doc.Segments(r);
  for (PathSegment& s : moved) s.anchor.x = s.in.x = s.out.x = s.anchor.x + 72.0 / 25.4;
  doc.SetSegments(r, moved);
  const std::string saved = WriteSvgString(doc);
  EXPECT_NE(saved.find("stroke-width=\"0.5\" d=\"M 0,0 L 10,10\""), std::string::npos) << saved;
  EXPECT_NE(saved.find("d=\"M 2.1,2.2 L 5.4,2.2 L 5.4,6.6 L 2.1,6.6 Z\""),
            std::string::npos)
      << saved;

  // A page in points: coordinates made by arithmetic keep every bit.
  doc = Read(R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="100" height="100"><path id="p" d="M 0,0 L 1,1"/></svg>)svg");
  const Point odd{0.1 + 0.2, 60.0 + 1.0 / 3.0};
  doc.SetSegments(FindById(doc, "p"), {PathSegment::Corner(odd), PathSegment::Corner({1, 1})});
  const Document back = Read(WriteSvgString(doc));
  const Point again = back.Segments(FindById(back, "p"))->at(0).anchor;
  EXPECT_EQ(again.x, odd.x);
  EXPECT_EQ(again.y, odd.y);
}

}  // namespace
}  // namespace workbench::svg
