// The gallery in examples/: every file opens in the window as "load state"
// opens it, and every one of its frames renders without a window as a
// pattern, not a few flat colours.
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

using GalleryTest = AppFixture;

TEST_F(GalleryTest, EveryFileOpensInTheWindowAndEveryFrameRendersHeadlessAsAPattern) {
  const QDir folder(QString(QUILLAVEN_SOURCE_DIR) + "/examples");
  const QStringList files = folder.entryList({"*.kvt"}, QDir::Files, QDir::Name);
  ASSERT_GE(files.size(), 8);
  std::set<int> geometries;
  for (const QString& name : files) {
    const std::string file = folder.filePath(name).toStdString();
    SCOPED_TRACE(file);
    restart();
    app->mainWindow().loadStateFile(file);
    const auto read = readStateFile(file);
    ASSERT_TRUE(std::holds_alternative<std::vector<KeyFrame>>(read));
    const auto& frames = std::get<std::vector<KeyFrame>>(read);
    geometries.insert(frames.back().triangleMode != 0);
    const QString frameCount = QString::number(frames.size() - 1);
    EXPECT_EQ(in<QLabel>(&app->mainWindow(), "lblXofY")->text(), frameCount + " of " + frameCount);
    EXPECT_TRUE(scripted->messages.empty()) << scripted->lastMessage();
    EXPECT_EQ(app->state().curFrame, frames.back());

    const Outcome run = render({file, "-o", path("frame.png").toStdString(), "--frame", "all", "--width", "300"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream names(run.out);
    size_t pictures = 0;
    for (std::string picture; std::getline(names, picture); ++pictures) {
      const QImage image(QString::fromStdString(picture));
      ASSERT_FALSE(image.isNull()) << picture;
      std::set<QRgb> colours;
      for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
      EXPECT_GE(colours.size(), 4u) << picture;
    }
    EXPECT_EQ(pictures, frames.size()) << run.out;
  }
  EXPECT_EQ(geometries.size(), 2u);
}

}  // namespace
}  // namespace quill
