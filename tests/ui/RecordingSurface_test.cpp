#include "ui/RecordingSurface.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

using Kind = RecordingSurface::Kind;

TEST(RecordingSurface, KeepsEveryCallInOrder) {
  RecordingSurface s(10, 20);
  s.clear(kWhite);
  s.setLineWidth(3);
  const IntPoint quad[4] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
  s.polygon(quad, 4, rgb(1, 2, 3), kBlack);
  s.setFont({"arial", 25, 10});
  s.setTextColor(kWhite);
  s.setTransparentBackground(true);
  s.text(5, 6, "base 10");
  s.resize(30, 40);

  EXPECT_EQ(s.lineWidth(), 3);
  EXPECT_EQ(s.width(), 30);
  EXPECT_EQ(s.height(), 40);
  const auto& c = s.calls();
  ASSERT_EQ(c.size(), 8u);
  const Kind kinds[8] = {Kind::Clear, Kind::LineWidth, Kind::Polygon, Kind::Font,
                         Kind::TextColor, Kind::Transparent, Kind::Text, Kind::Resize};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(c[i].kind, kinds[i]) << i;
  EXPECT_EQ(c[2].points.size(), 4u);
  EXPECT_EQ(c[2].points[2], (IntPoint{4, 4}));
  EXPECT_EQ(c[2].fill, rgb(1, 2, 3));
  EXPECT_EQ(c[3].font, (FontSpec{"arial", 25, 10}));
  EXPECT_EQ(c[6].text, "base 10");
  EXPECT_EQ(c[6].a, 5);
  EXPECT_EQ(c[6].b, 6);

  ASSERT_EQ(s.polygons().size(), 1u);
  s.reset();
  EXPECT_TRUE(s.calls().empty());
}

}  // namespace
}  // namespace quill
