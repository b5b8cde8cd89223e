#include "workbench/document/document.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include "workbench/geometry/reverse_path.h"

namespace workbench::document {
namespace {

using geometry::PathSegment;
using geometry::Point;

std::vector<PathSegment> Square(double x, double y, double side) {
  // Clockwise with y up: positive signed area.
  return {PathSegment::Corner({x, y}), PathSegment::Corner({x, y + side}),
          PathSegment::Corner({x + side, y + side}), PathSegment::Corner({x + side, y})};
}

class DocumentTest : public ::testing::Test {
 protected:
  Document doc;
  LayerId layer = doc.LayerAt(0);
  ArtId group = doc.LayerGroup(layer);
};

TEST_F(DocumentTest, LayersStartWithOneAreOrderedFromTheTopAndTakeTheirArtWhenDeleted) {
  ASSERT_EQ(doc.LayerCount(), 1u);
  EXPECT_EQ(doc.CurrentLayer(), layer);
  EXPECT_EQ(doc.FindLayer(layer)->title, "Layer 1");
  EXPECT_EQ(doc.TypeOf(group), ArtType::kGroup);
  EXPECT_EQ(doc.LayerOfArt(group), layer);
  const LayerId top = doc.InsertLayer("top");
  const LayerId below = doc.InsertLayer("below top", PaintOrder::kPlaceBelow, top);
  const LayerId bottom = doc.InsertLayer("bottom", PaintOrder::kPlaceBelowAll);
  ASSERT_EQ(doc.LayerCount(), 4u);
  EXPECT_EQ((std::vector{doc.LayerAt(0), doc.LayerAt(1), doc.LayerAt(2), doc.LayerAt(3)}),
            (std::vector{top, below, layer, bottom}));
  EXPECT_EQ(doc.FindLayerByTitle("below top"), below);
  EXPECT_FALSE(doc.FindLayerByTitle("below"));
  EXPECT_FALSE(doc.InsertLayer("x", PaintOrder::kPlaceInsideOnTop, top));

  // Deleting the current layer disposes of its art and makes the top one current.
  const ArtId path = doc.NewPath(group, Square(0, 0, 10), true);
  ASSERT_TRUE(doc.DeleteLayer(layer));
  EXPECT_FALSE(doc.IsValid(path));
  EXPECT_FALSE(doc.IsValid(group));
  EXPECT_EQ(doc.FindLayer(layer), nullptr);
  EXPECT_EQ(doc.CurrentLayer(), top);
  EXPECT_FALSE(doc.DeleteLayer(layer));
  EXPECT_FALSE(doc.SetLayerTitle(layer, "x"));
}

TEST_F(DocumentTest, NewArtInsideOnTopBecomesFirstChildAndReorderRefusesCycles) {
  const ArtId first = doc.NewPath(group, Square(0, 0, 10), true);
  const ArtId second = doc.NewPath(group, Square(20, 0, 10), true);
  EXPECT_EQ(doc.ChildrenOf(group), (std::vector<ArtId>{second, first}));
  EXPECT_EQ(doc.ParentOf(first), group);
  // Paths hold no children, and compound paths hold only paths.
  EXPECT_FALSE(doc.NewArt(ArtType::kPath, PaintOrder::kPlaceInsideOnTop, first));
  const ArtId compound = doc.NewArt(ArtType::kCompoundPath, PaintOrder::kPlaceInsideOnTop, group);
  EXPECT_FALSE(doc.NewArt(ArtType::kGroup, PaintOrder::kPlaceInsideOnTop, compound));
  EXPECT_TRUE(doc.NewArt(ArtType::kPath, PaintOrder::kPlaceInsideOnTop, compound));
  // Moved into a group; a group never into itself or into what it holds.
  const ArtId sub = doc.NewArt(ArtType::kGroup, PaintOrder::kPlaceInsideOnTop, group);
  ASSERT_TRUE(doc.Reorder(first, PaintOrder::kPlaceInsideOnTop, sub));
  EXPECT_EQ(doc.ParentOf(first), sub);
  EXPECT_EQ(doc.ChildrenOf(group), (std::vector<ArtId>{sub, compound, second}));
  EXPECT_FALSE(doc.Reorder(sub, PaintOrder::kPlaceInsideOnTop, sub));
  const ArtId inner = doc.NewArt(ArtType::kGroup, PaintOrder::kPlaceInsideOnTop, sub);
  EXPECT_FALSE(doc.Reorder(sub, PaintOrder::kPlaceInsideOnTop, inner));
}

TEST_F(DocumentTest, PlacingOnTopAtTheBottomBetweenAndDisposingKeepTheOrder) {
  std::vector<ArtId> model;  // from the top, as the group should list them
  for (std::size_t i = 0; i < 60; ++i) {
    const std::size_t at = model.empty() ? 0 : (i * 7) % model.size();
    if (i % 4 == 0) {
      model.insert(model.begin(), doc.NewArt(ArtType::kPath, PaintOrder::kPlaceInsideOnTop, group));
    } else if (i % 4 == 1) {
      model.push_back(doc.NewArt(ArtType::kPath, PaintOrder::kPlaceInsideOnBottom, group));
    } else if (i % 4 == 2) {
      const ArtId below = doc.NewArt(ArtType::kGroup, PaintOrder::kPlaceBelow, model[at]);
      model.insert(model.begin() + static_cast<std::ptrdiff_t>(at) + 1, below);
    } else {
      ASSERT_TRUE(doc.Dispose(model[at]));
      model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
    }
    ASSERT_EQ(doc.ChildrenOf(group), model) << "after placement " << i;
  }
  ASSERT_TRUE(doc.Undo());
  EXPECT_TRUE(doc.ChildrenOf(group).empty());
  ASSERT_TRUE(doc.Redo());
  EXPECT_EQ(doc.ChildrenOf(group), model);
}

TEST_F(DocumentTest, DisposedHandlesAreStaleEverywhere) {
  const ArtId sub = doc.NewArt(ArtType::kGroup, PaintOrder::kPlaceInsideOnTop, group);
  const ArtId path = doc.NewPath(sub, Square(0, 0, 10), true);
  ASSERT_TRUE(doc.Dispose(sub));
  EXPECT_EQ(doc.FindArt(path), nullptr);
  EXPECT_FALSE(doc.SetTag(path, "a", "b"));
  EXPECT_FALSE(doc.SetSelected(path, true));
  EXPECT_FALSE(doc.Dispose(path));
  EXPECT_TRUE(doc.ChildrenOf(group).empty());
  // A new object never takes over an old handle.
  const ArtId fresh = doc.NewPath(group, Square(0, 0, 1), true);
  EXPECT_NE(fresh, path);
  EXPECT_NE(fresh, sub);
  EXPECT_FALSE(doc.Dispose(group)) << "a layer's top group stays";
}

TEST_F(DocumentTest, DuplicateIsIndependentAndKeepsSelection) {
  const ArtId sub = doc.NewArt(ArtType::kGroup, PaintOrder::kPlaceInsideOnTop, group);
  const ArtId path = doc.NewPath(sub, Square(0, 0, 10), true);
  doc.SetTag(path, "TREVASK_001", "set");
  ASSERT_TRUE(doc.SetSelected(sub, true));
  const ArtId copy = doc.Duplicate(sub, PaintOrder::kPlaceAbove, sub);
  ASSERT_TRUE(copy);
  EXPECT_EQ(doc.ChildrenOf(group), (std::vector<ArtId>{copy, sub}));
  const ArtId copiedPath = doc.ChildrenOf(copy).at(0);
  EXPECT_NE(copiedPath, path);
  EXPECT_TRUE(doc.FindArt(copy)->selected);
  EXPECT_TRUE(doc.FindArt(copiedPath)->selected);
  EXPECT_EQ(doc.GetTag(copiedPath, "TREVASK_001"), "set");
  // Editing or disposing the copy leaves the original alone.
  doc.SetSegments(copiedPath, Square(5, 5, 1));
  EXPECT_TRUE(doc.RemoveTag(copiedPath, "TREVASK_001"));
  EXPECT_FALSE(doc.RemoveTag(copiedPath, "TREVASK_001"));
  EXPECT_FALSE(doc.GetTag(copiedPath, "TREVASK_001"));
  EXPECT_EQ(*doc.Segments(path), Square(0, 0, 10));
  EXPECT_EQ(doc.GetTag(path, "TREVASK_001"), "set");
  ASSERT_TRUE(doc.Dispose(copy));
  EXPECT_TRUE(doc.IsValid(path));
  // Inside a group on top; duplicating a group into itself copies it once.
  const ArtId inner = doc.Duplicate(sub, PaintOrder::kPlaceInsideOnTop, sub);
  ASSERT_TRUE(inner);
  EXPECT_EQ(doc.ChildrenOf(sub).front(), inner);
  EXPECT_EQ(doc.ChildrenOf(inner).size(), 1u);
}

TEST_F(DocumentTest, LockedArtIsNeverSelectedAndSelectedPathsIncludeCompoundMembers) {
  const ArtId a = doc.NewPath(group, Square(0, 0, 10), true);
  const ArtId b = doc.NewPath(group, Square(20, 0, 10), true);
  const ArtId lockedGroup = doc.NewArt(ArtType::kGroup, PaintOrder::kPlaceInsideOnTop, group);
  const ArtId inLocked = doc.NewPath(lockedGroup, Square(40, 0, 10), true);
  doc.SetSelected(a, true);
  doc.SetLocked(a, true);
  EXPECT_FALSE(doc.FindArt(a)->selected);
  EXPECT_FALSE(doc.SetSelected(a, true));
  doc.SetLocked(lockedGroup, true);
  doc.SelectAllOnLayer(layer);
  EXPECT_EQ(doc.SelectedPaths(), (std::vector<ArtId>{b}));
  EXPECT_FALSE(doc.FindArt(inLocked)->selected);
  doc.DeselectAllOnLayer(layer);
  EXPECT_TRUE(doc.SelectedArt().empty());
  // A locked layer selects nothing, and locking a layer deselects it.
  doc.SelectAllOnLayer(layer);
  doc.SetLayerEditable(layer, false);
  EXPECT_TRUE(doc.SelectedArt().empty());
  doc.SelectAllOnLayer(layer);
  EXPECT_TRUE(doc.SelectedArt().empty());

  // Selected paths include compound members, in paint order.
  doc.SetLayerEditable(layer, true);
  const LayerId upper = doc.InsertLayer("upper");
  const ArtId compound = doc.NewArt(ArtType::kCompoundPath, PaintOrder::kPlaceInsideOnTop,
                                    doc.LayerGroup(upper));
  const ArtId member = doc.NewArt(ArtType::kPath, PaintOrder::kPlaceInsideOnTop, compound);
  doc.SetSelected(b, true);
  doc.SetSelected(compound, true);
  EXPECT_EQ(doc.SelectedPaths(), (std::vector<ArtId>{member, b}));
  EXPECT_EQ(doc.SelectedArt(), (std::vector<ArtId>{compound, member, b}));
  EXPECT_EQ(doc.AllArtOfLayer(upper), (std::vector<ArtId>{compound, member}));
}

TEST_F(DocumentTest, PathEditingAreaAndReversal) {
  const ArtId path = doc.NewPath(group, Square(0, 0, 10), true);
  EXPECT_DOUBLE_EQ(*doc.SignedArea(path), 100.0);
  ASSERT_TRUE(doc.ReversePath(path));
  EXPECT_DOUBLE_EQ(*doc.SignedArea(path), -100.0);
  EXPECT_EQ(doc.Segments(path)->front().anchor, (Point{10, 0}));
  ASSERT_TRUE(doc.InsertSegments(path, 4, {PathSegment::Corner({-5, 5})}));
  EXPECT_EQ(doc.SegmentCount(path), 5u);
  EXPECT_EQ(doc.Segments(path)->back().anchor, (Point{-5, 5}));
  EXPECT_FALSE(doc.InsertSegments(path, 7, {PathSegment::Corner({0, 0})}));
  EXPECT_FALSE(doc.DeleteSegments(path, 4, 2));
  ASSERT_TRUE(doc.DeleteSegments(path, 4, 1));
  ASSERT_TRUE(doc.SetSegments(path, 1, {PathSegment::Corner({0, 20})}));
  EXPECT_EQ(doc.Segments(path)->at(1).anchor, (Point{0, 20}));
  EXPECT_FALSE(doc.SetSegments(path, 3, Square(0, 0, 1)));
  doc.SetClosed(path, false);
  EXPECT_EQ(doc.IsClosed(path), false);
  EXPECT_EQ(*doc.Bounds(path), (Rect{0, 20, 10, 0}));
}

TEST_F(DocumentTest, CompoundPathAreaBoundsStyleAndColours) {
  const ArtId compound = doc.NewArt(ArtType::kCompoundPath, PaintOrder::kPlaceInsideOnTop, group);
  const ArtId outer = doc.NewArt(ArtType::kPath, PaintOrder::kPlaceInsideOnTop, compound);
  const ArtId hole = doc.NewArt(ArtType::kPath, PaintOrder::kPlaceInsideOnTop, compound);
  doc.SetSegments(outer, Square(0, 0, 10));
  doc.SetSegments(hole, geometry::ReversePath({Square(2, 2, 2), true}).segments);
  doc.SetClosed(outer, true);
  doc.SetClosed(hole, true);
  EXPECT_DOUBLE_EQ(*doc.SignedArea(compound), 96.0);
  EXPECT_EQ(*doc.Bounds(compound), (Rect{0, 10, 10, 0}));
  PathStyle style;
  style.fillPaint = true;
  style.fill.color = Color::Rgb(1, 0, 0);
  style.stroke.dash.array = {3, 2};
  ASSERT_TRUE(doc.SetPathStyle(compound, style));
  EXPECT_EQ(doc.GetPathStyle(hole), style);
  EXPECT_FALSE(doc.GetPathStyle(group));
  // (Custom colours and swatches read back by name are the SVG round trip's.)
  const CustomColorId red = doc.NewCustomColor({"Red", Color::Cmyk(0, 1, 1, 0), true});
  doc.AddSwatch({"Red 50%", Color::Custom(red, 0.5)});
  EXPECT_EQ(doc.FindSwatch("Red 50%")->color.custom, red);
  ASSERT_TRUE(doc.DeleteCustomColor(red));
  EXPECT_EQ(doc.FindCustomColor(red), nullptr);
  EXPECT_TRUE(doc.CustomColors().empty());
}

// (That undo and redo give every kind of state back is the next test's.)
TEST_F(DocumentTest, UndoRedoNameTheirStepsAndKeepHandles) {
  doc.CommitStep();
  const ArtId path = doc.NewPath(group, Square(0, 0, 10), true);
  doc.CommitStep("Undo New Path", "Redo New Path");
  doc.SetSegments(path, Square(0, 0, 20));
  doc.SetUndoText("Undo Edit", "Redo Edit");
  EXPECT_EQ(doc.UndoText(), "Undo Edit");
  ASSERT_TRUE(doc.Undo());  // commits the pending edit, then undoes it
  EXPECT_DOUBLE_EQ(*doc.SignedArea(path), 100.0);
  EXPECT_EQ(doc.RedoText(), "Redo Edit");
  EXPECT_EQ(doc.UndoText(), "Undo New Path");
  ASSERT_TRUE(doc.Undo());
  EXPECT_FALSE(doc.IsValid(path));
  EXPECT_FALSE(doc.Undo());
  ASSERT_TRUE(doc.Redo());
  ASSERT_TRUE(doc.IsValid(path)) << "the same handle comes back";
  // A new step after an undo drops the redo list.
  doc.Dispose(path);
  doc.CommitStep("Undo Clear", "Redo Clear");
  EXPECT_FALSE(doc.CanRedo());
  doc.Undo();
  EXPECT_TRUE(doc.IsValid(path));
}

// Everything a document shows through its interface, for comparing states.
struct Snapshot {
  Page page;
  std::vector<Layer> layers;
  LayerId current;
  std::vector<std::pair<ArtId, Art>> arts;
  std::vector<CustomColor> colors;
  std::vector<Swatch> swatches;
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const Document& doc) {
  Snapshot s{doc.GetPage(), {}, doc.CurrentLayer(), {}, {}, doc.Swatches()};
  for (std::size_t i = 0; i < doc.LayerCount(); ++i) {
    const LayerId layer = doc.LayerAt(i);
    s.layers.push_back(*doc.FindLayer(layer));
    s.arts.emplace_back(doc.LayerGroup(layer), *doc.FindArt(doc.LayerGroup(layer)));
    for (ArtId art : doc.AllArtOfLayer(layer)) s.arts.emplace_back(art, *doc.FindArt(art));
  }
  for (CustomColorId c : doc.CustomColors()) s.colors.push_back(*doc.FindCustomColor(c));
  return s;
}

TEST_F(DocumentTest, UndoAndRedoOfEveryKindOfChangeGiveTheStatesBack) {
  const ArtId sub = doc.NewArt(ArtType::kGroup, PaintOrder::kPlaceInsideOnTop, group);
  const ArtId a = doc.NewPath(sub, Square(0, 0, 10), true);
  const ArtId b = doc.NewPath(group, Square(20, 0, 10), true);
  const CustomColorId gold = doc.NewCustomColor({"Gold", Color::Cmyk(0, 0.2, 0.8, 0.1), true});
  doc.AddSwatch({"Gold", Color::Custom(gold, 0)});
  doc.SetSelected(a, true);
  doc.CommitStep();
  const Snapshot before = Take(doc);

  const LayerId second = doc.InsertLayer("Second");
  doc.SetCurrentLayer(second);
  doc.Reorder(b, PaintOrder::kPlaceInsideOnTop, doc.LayerGroup(second));
  doc.Duplicate(sub, PaintOrder::kPlaceAbove, sub);
  doc.Dispose(sub);
  doc.SetSelected(b, true);
  doc.SetLocked(a, true);
  doc.SetSegments(b, Square(20, 0, 30));
  doc.SetTag(b, "TREVASK_001", "x");
  doc.SetPage({100, 200});
  doc.SetCustomColor(gold, {"Gold", Color::Gray(0.5), false});
  doc.NewCustomColor({"Silver", Color::Gray(0.3), true});
  doc.RemoveSwatch(0);
  doc.DeleteLayer(layer);
  doc.CommitStep("Undo Many", "Redo Many");
  const Snapshot after = Take(doc);
  ASSERT_FALSE(before == after);

  ASSERT_TRUE(doc.Undo());
  EXPECT_TRUE(Take(doc) == before);
  ASSERT_TRUE(doc.Redo());
  EXPECT_TRUE(Take(doc) == after);
  ASSERT_TRUE(doc.Undo());
  EXPECT_TRUE(Take(doc) == before);
}

// Selecting a group selects what it holds; undo must take all of it back,
// not only the group's own flag.
TEST_F(DocumentTest, UndoOfAGroupsSelectionDeselectsWhatItHolds) {
  const ArtId sub = doc.NewArt(ArtType::kGroup, PaintOrder::kPlaceInsideOnTop, group);
  const ArtId inside = doc.NewPath(sub, Square(0, 0, 10), true);
  doc.CommitStep();
  doc.SetSelected(sub, true);
  doc.CommitStep();
  EXPECT_EQ(doc.SelectedArt(), (std::vector<ArtId>{sub, inside}));
  ASSERT_TRUE(doc.Undo());
  EXPECT_TRUE(doc.SelectedArt().empty());
}

TEST_F(DocumentTest, HistoryKeepsAtMostItsLimitOfStepsAndNoneWithoutHistory) {
  EXPECT_EQ(doc.UndoLimit(), Document::kDefaultUndoLimit);
  std::vector<ArtId> paths;
  for (std::size_t i = 0; i < Document::kDefaultUndoLimit + 50; ++i) {
    paths.push_back(doc.NewPath(group, Square(static_cast<double>(i), 0, 1), true));
    doc.CommitStep();
  }
  EXPECT_EQ(doc.UndoSteps(), Document::kDefaultUndoLimit);
  std::size_t undone = 0;
  while (doc.Undo()) ++undone;
  EXPECT_EQ(undone, Document::kDefaultUndoLimit);
  // The 50 oldest steps were forgotten: their paths stay.
  EXPECT_EQ(doc.ChildrenOf(group).size(), 50u);
  EXPECT_TRUE(doc.IsValid(paths[49]));
  EXPECT_FALSE(doc.IsValid(paths[50]));

  // A smaller limit drops the oldest steps on both lists.
  for (int i = 0; i < 5; ++i) doc.Redo();
  doc.SetUndoLimit(3);
  EXPECT_EQ(doc.UndoSteps(), 3u);
  std::size_t redone = 0;
  while (doc.Redo()) ++redone;
  EXPECT_EQ(redone, 3u);

  // Without history nothing is recorded or undone.
  doc.SetUndoLimit(0);
  const ArtId path = doc.NewPath(group, Square(0, 0, 10), true);
  EXPECT_TRUE(doc.HasPendingChanges());
  doc.CommitStep();
  EXPECT_FALSE(doc.Undo());
  EXPECT_TRUE(doc.IsValid(path));
  EXPECT_EQ(doc.UndoSteps(), 0u);
}

// Steps keep what changed, not the document: a hundred small edits of a
// large document add far less than one copy of it.
TEST_F(DocumentTest, StepsOfSmallEditsStaySmall) {
  std::vector<ArtId> paths;
  std::vector<PathSegment> many;
  for (int i = 0; i < 100; ++i) many.push_back(PathSegment::Corner({i * 1.0, (i % 7) * 1.0}));
  for (int i = 0; i < 2000; ++i) paths.push_back(doc.NewPath(group, many, true));
  doc.ClearUndo();
  const std::size_t start = mallinfo2().uordblks;
  for (std::size_t i = 0; i < Document::kDefaultUndoLimit; ++i) {
    doc.DeselectAll();
    doc.SetSelected(paths[i], true);
    doc.CommitStep();
  }
  const std::size_t grown = mallinfo2().uordblks - start;
  const std::size_t oneCopy = paths.size() * many.size() * sizeof(PathSegment);
  EXPECT_LT(grown, oneCopy / 4) << "the history grew by " << grown << " bytes";
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(doc.SelectedArt(), (std::vector<ArtId>{paths[Document::kDefaultUndoLimit - 2]}));
}

}  // namespace
}  // namespace workbench::document
