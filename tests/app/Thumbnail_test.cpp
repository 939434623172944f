// quillaven-render --thumbnail, as a file manager runs it.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include "app/AppFixture.h"

namespace quill {
namespace {

Outcome thumbnail(const QStringList& args) { return renderProgram(QStringList{"--thumbnail"} + args); }

class ThumbnailTest : public ::testing::Test {
 protected:
  QString write(const std::vector<KeyFrame>& frames, const char* name) {
    return QString::fromStdString(writeStateFile(path(name).toStdString(), frames));
  }
  QString path(const char* name) const { return dir.filePath(name); }
  QTemporaryDir dir;
};

// The last record, even one of millions of cells, fills the middle of a
// square; the rest of the square is clear.
TEST_F(ThumbnailTest, DrawsTheLastRecordOnASquare) {
  KeyFrame huge = startupFrame();
  huge.layerCount = 99;  // with 7 divisions, close to a billion cells
  huge.levels = 7;
  huge.backColor = rgb(0, 0, 255);
  const QString file = write({startupFrame(), huge}, "huge.kvt");
  const Outcome run = thumbnail({"128", file, path("t.png")});
  ASSERT_EQ(run.status, 0) << run.err;
  const QImage image(path("t.png"));
  ASSERT_EQ(image.size(), QSize(128, 128));
  EXPECT_EQ(qAlpha(image.pixel(64, 2)), 0);
  EXPECT_EQ(image.pixel(2, 64), 0xff0000ffu);  // the record's background, not the first record's
}

TEST_F(ThumbnailTest, RefusesBadFilesAndSizesWithAMessage) {
  const QString good = write({startupFrame(), startupFrame()}, "good.kvt");
  QFile::copy(good, path("cut.kvt"));
  QFile(path("cut.kvt")).resize(QFile(good).size() - 7);
  const QString cut = path("cut.kvt"), foreign = path("foreign.kvt");
  QFile::copy(QString(QUILLAVEN_SOURCE_DIR) + "/README.md", foreign);
  const struct {
    QStringList args;
    int status;
  } cases[] = {{{"128", cut, path("a.png")}, 1},
               {{"128", foreign, path("b.png")}, 1},
               {{"128", path("none.kvt"), path("c.png")}, 1},
               {{"128", good, path("no/such/folder/d.png")}, 1},
               {{"0", good, path("e.png")}, 2},
               {{"99999", good, path("f.png")}, 2},
               {{"128", good}, 2}};
  for (const auto& c : cases) {
    const Outcome run = thumbnail(c.args);
    EXPECT_EQ(run.status, c.status) << c.args.join(" ").toStdString();
    EXPECT_NE(run.err.find("quillaven-render: "), std::string::npos) << run.err;
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);  // no picture was written
}

}  // namespace
}  // namespace quill
