#include "ui/QtDesktopServices.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

TEST(QtDesktopServices, NameFiltersPairUpAndRandomsStayInTheUnitInterval) {
  EXPECT_EQ(toQtNameFilter("Files (*.kvt)|*.kvt"), "Files (*.kvt)");
  EXPECT_EQ(toQtNameFilter("Pictures|*.bmp;*.emf|All (*.*)|*.*"),
            "Pictures (*.bmp *.emf);;All (*.*)");
  // Qt reads the last parentheses, so other ones in the description stay harmless.
  EXPECT_EQ(toQtNameFilter("Images (bitmaps)|*.bmp"), "Images (bitmaps) (*.bmp)");
  EXPECT_EQ(toQtNameFilter(""), "");
  EXPECT_EQ(toQtNameFilter("Lonely"), "Lonely");

  QtDesktopServices services;
  for (int i = 0; i < 1000; ++i) {
    const double r = services.random();
    ASSERT_TRUE(r >= 0.0 && r < 1.0) << r;
  }
}

}  // namespace
}  // namespace quill
