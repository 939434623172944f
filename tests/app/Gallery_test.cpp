// The gallery in examples/: every file opens in the window as "load state"
// opens it, and every one of its frames renders without a window.
#include <QDir>
#include <QImage>
#include <QLabel>
#include <set>
#include <sstream>
#include <variant>

#include "app/AppFixture.h"
#include "engine/StateFile.h"

namespace quill {
namespace {

std::vector<std::string> galleryFiles() {
  const QDir folder(QString(QUILLAVEN_SOURCE_DIR) + "/examples");
  std::vector<std::string> files;
  for (const QString& name : folder.entryList({"*.kvt"}, QDir::Files, QDir::Name))
    files.push_back(folder.filePath(name).toStdString());
  return files;
}

class GalleryTest : public AppFixture {};

TEST_F(GalleryTest, ShowsPolygonsAndGridsAndEveryFileOpensInTheWindow) {
  const std::vector<std::string> files = galleryFiles();
  ASSERT_GE(files.size(), 8u);
  std::set<int> geometries;
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    restart();
    app->mainWindow().loadStateFile(file);
    const auto read = readStateFile(file);
    ASSERT_TRUE(std::holds_alternative<std::vector<KeyFrame>>(read));
    const auto& frames = std::get<std::vector<KeyFrame>>(read);
    geometries.insert(frames.back().triangleMode != 0);
    const QString frameCount = QString::number(frames.size() - 1);
    EXPECT_EQ(in<QLabel>(&app->mainWindow(), "lblXofY")->text(), frameCount + " of " + frameCount);
    EXPECT_EQ(scripted->messages.size(), 0u) << scripted->lastMessage();
    EXPECT_EQ(app->state().curFrame, frames.back());
  }
  EXPECT_EQ(geometries.size(), 2u);
}

// A frame that renders to a few flat colours would not show anything off.
TEST_F(GalleryTest, EveryFrameRendersHeadlessAsAPattern) {
  for (const std::string& file : galleryFiles()) {
    SCOPED_TRACE(file);
    const std::string out = path("frame.png").toStdString();
    const Outcome run = render({file, "-o", out, "--frame", "all", "--width", "300"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream names(run.out);
    int pictures = 0;
    for (std::string name; std::getline(names, name);) {
      const QImage image(QString::fromStdString(name));
      ASSERT_FALSE(image.isNull()) << name;
      std::set<QRgb> colours;
      for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
      EXPECT_GE(colours.size(), 4u) << name;
      ++pictures;
    }
    EXPECT_GE(pictures, 2) << run.out;  // the start-up frame, then the example's own
  }
}

}  // namespace
}  // namespace quill
