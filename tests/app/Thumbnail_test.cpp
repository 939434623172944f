// quillaven-render --thumbnail, as a file manager runs it on any file.

#include <QDir>
#include <QImage>

#include "app/AppFixture.h"

namespace quill {
namespace {

// The last record, even one of millions of cells, fills the middle of a clear
// square on its own background; bad files and sizes are refused with a message
// and write no picture.
TEST(Thumbnail, DrawsTheLastRecordOnASquareAndRefusesBadFilesAndSizes) {
  QTemporaryDir dir;
  const auto path = [&](const char* name) { return dir.filePath(name); };
  KeyFrame huge = startupFrame();
  huge.layerCount = 99;  // with 7 divisions, close to a billion cells
  huge.levels = 7;
  huge.backColor = rgb(0, 0, 255);
  const QString good = QString::fromStdString(writeStateFile(path("good.kvt").toStdString(), {startupFrame(), huge}));
  QFile::copy(good, path("cut.kvt"));
  QFile(path("cut.kvt")).resize(QFile(good).size() - 7);
  const Outcome run = renderProgram({"--thumbnail", "128", good, path("t.png")});
  ASSERT_EQ(run.status, 0) << run.err;
  const QImage image(path("t.png"));
  ASSERT_EQ(image.size(), QSize(128, 128));
  EXPECT_EQ(qAlpha(image.pixel(64, 2)), 0);
  EXPECT_EQ(image.pixel(2, 64), 0xff0000ffu);  // the record's background, not the first record's
  const struct {
    QStringList args;
    int status;
  } cases[] = {{{"128", path("cut.kvt"), path("a.png")}, 1}, {{"128", good, path("no/such/folder/d.png")}, 1},
               {{"99999", good, path("f.png")}, 2}, {{"128", good}, 2}};
  for (const auto& c : cases) {
    const Outcome refused = renderProgram(QStringList{"--thumbnail"} + c.args);
    EXPECT_EQ(refused.status, c.status) << c.args.join(" ").toStdString();
    EXPECT_NE(refused.err.find("quillaven-render: "), std::string::npos) << refused.err;
  }
  EXPECT_EQ(QDir(dir.path()).entryList({"*.png"}, QDir::Files), QStringList{"t.png"});
}

}  // namespace
}  // namespace quill
