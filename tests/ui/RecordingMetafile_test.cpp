#include "ui/RecordingMetafile.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

using Kind = RecordingMetafile::Kind;

TEST(RecordingMetafile, LogsCallsInOrderWithTheSelectionAtEachPolygon) {
  RecordingMetafile m;
  const auto white = m.createSolidBrush(kWhite);
  const auto black = m.createPen(1, kBlack);
  const auto cell = m.createSolidBrush(rgb(9, 8, 7));
  EXPECT_EQ(white, 1);
  EXPECT_EQ(black, 2);
  EXPECT_EQ(cell, 3);
  m.selectObject(black);
  m.selectObject(cell);
  const IntPoint tri[3] = {{1, 2}, {3, 4}, {5, 6}};
  m.polygon(tri, 3);
  m.deleteObject(cell);
  m.setTextColor(kWhite);
  m.setTransparentBackground(false);
  m.textOut(7, 8, "F");
  EXPECT_TRUE(m.close());
  EXPECT_FALSE(m.valid());

  const auto& c = m.calls();
  ASSERT_EQ(c.size(), 11u);
  EXPECT_EQ(c[1].kind, Kind::Pen);
  EXPECT_EQ(c[1].width, 1);
  EXPECT_EQ(c[5].kind, Kind::Polygon);
  EXPECT_EQ(c[5].points, (std::vector<IntPoint>{{1, 2}, {3, 4}, {5, 6}}));
  EXPECT_EQ(c[5].pen, black);
  EXPECT_EQ(c[5].brush, cell);
  EXPECT_EQ(m.object(c[5].brush)->color, rgb(9, 8, 7));
  EXPECT_EQ(c[6].kind, Kind::Delete);
  EXPECT_EQ(c[6].handle, cell);
  EXPECT_FALSE(c[8].transparent);
  EXPECT_EQ(c[9].text, "F");
  EXPECT_EQ(c[9].x, 7);
  EXPECT_EQ(c[10].kind, Kind::Close);
  EXPECT_EQ(m.polygons().size(), 1u);
  EXPECT_EQ(m.liveObjects(), 2);  // white and black were never released
  EXPECT_EQ(m.badHandleUses(), 0);
}

TEST(RecordingMetafile, CountsMisusedHandlesAndCanPlayAnUncreatedFile) {
  RecordingMetafile m;
  const auto pen = m.createPen(1, kBlack);
  m.deleteObject(pen);
  m.deleteObject(pen);
  m.selectObject(99);
  EXPECT_EQ(m.badHandleUses(), 2);

  RecordingMetafile dead(false);
  EXPECT_EQ(dead.createPen(1, kBlack), 0);
  dead.textOut(0, 0, "x");
  EXPECT_TRUE(dead.calls().empty());
  EXPECT_FALSE(dead.close());
}

}  // namespace
}  // namespace quill
