// The gallery in examples/: every file reads, and every one of its frames
// renders without a window as a pattern, not a few flat colours. How a file
// opens in the window is pinned with the main window's state files.
#include <QDir>
#include <QImage>
#include <set>
#include <sstream>
#include <variant>

#include "app/AppFixture.h"
#include "engine/StateFile.h"

namespace quill {
namespace {

TEST(Gallery, EveryFrameOfEveryExampleRendersHeadlessAsAPattern) {
  QTemporaryDir dir;
  const QDir folder(QString(QUILLAVEN_SOURCE_DIR) + "/examples");
  const QStringList files = folder.entryList({"*.kvt"}, QDir::Files, QDir::Name);
  ASSERT_GE(files.size(), 8);
  std::set<int> geometries;
  for (const QString& name : files) {
    const std::string file = folder.filePath(name).toStdString();
    const auto read = readStateFile(file);
    ASSERT_TRUE(std::holds_alternative<std::vector<KeyFrame>>(read)) << file;
    const auto& frames = std::get<std::vector<KeyFrame>>(read);
    geometries.insert(frames.back().triangleMode != 0);
    const Outcome run = render({file, "-o", dir.filePath("frame.png").toStdString(), "--frame", "all", "--width", "300"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream names(run.out);
    size_t pictures = 0;
    for (std::string picture; std::getline(names, picture); ++pictures) {
      const QImage image(QString::fromStdString(picture));
      std::set<QRgb> colours;
      for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
      EXPECT_GE(colours.size(), 4u) << picture;
    }
    EXPECT_EQ(pictures, frames.size()) << run.out;
  }
  EXPECT_EQ(geometries.size(), 2u);  // polygons and grids
}

}  // namespace
}  // namespace quill
