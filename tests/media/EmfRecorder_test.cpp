#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "media/MetafileRecorder.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"

namespace quill {
namespace {

// Two triangles and a square with their own pens and brushes, released at
// once, then a label: the calls one exported leaf and the legend make.
void recordSample(MetafileRecorder& r) {
  const IntPoint shapes[3][4] = {{{10, 10}, {300, 10}, {150, 200}},
                                 {{310, 10}, {600, 10}, {450, 200}},
                                 {{100, 300}, {200, 300}, {200, 400}, {100, 400}}};
  const Color colours[3] = {rgb(255, 0, 0), rgb(0, 128, 0), rgb(1, 2, 250)};
  for (int i = 0; i < 3; ++i) {
    const auto brush = r.createSolidBrush(colours[i]);
    const auto pen = r.createPen(1, colours[i]);
    r.selectObject(pen);
    r.selectObject(brush);
    r.polygon(shapes[i], i == 2 ? 4 : 3);
    r.deleteObject(brush);
    r.deleteObject(pen);
  }
  const auto font = r.createFont({"arial", 30, 12});
  r.selectObject(font);
  r.setTextColor(rgb(0, 0, 255));
  r.setTransparentBackground(true);
  r.textOut(20, 450, "base 10  list");
  r.deleteObject(font);
}

// Closed or dropped, the file has its header with the given frame and the
// reference surface's bounds, its size, and the closing record; unknown,
// deleted and empty arguments are ignored. An independent reader sees every
// polygon in its colour (red in the low byte) and the text.
TEST(EmfRecorder, WritesAHeaderWithTheGivenFrameWhenClosedOrDroppedThatAnIndependentReaderReads) {
  for (bool dropped : {true, false}) {  // the closed file last: its reader needs a program that may be missing
    QTemporaryDir dir;
    const QString path = dir.filePath("out.emf");
    {
      auto r = createEmfRecorder(path.toStdString(), 0, 5, 8000, 6400, 800, 640);
      ASSERT_TRUE(r->valid());
      recordSample(*r);
      const auto pen = r->createPen(3, kBlack);
      r->deleteObject(pen);
      r->deleteObject(pen);
      r->selectObject(pen);
      r->selectObject(12345);
      r->deleteObject(0);
      r->createSolidBrush(kWhite);  // left behind: released on closing
      const IntPoint few[1] = {{1, 1}};
      r->polygon(few, 1);
      r->polygon(nullptr, 3);
      r->textOut(0, 0, "");
      if (!dropped) {
        ASSERT_TRUE(r->close());
        EXPECT_FALSE(r->valid() || r->close());  // once only
      }
    }
    const QByteArray b = fileBytes(path);
    ASSERT_GE(b.size(), 108);
    EXPECT_EQ(std::tuple(le32(b, 0), b.mid(40, 4), le32(b, 48)), std::tuple(1, QByteArray(" EMF"), int(b.size())));
    const int32_t frame[4] = {0, 5, 8000, 6400}, bounds[4] = {0, 0, 799, 639};
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(std::pair(le32(b, 24 + 4 * i), le32(b, 8 + 4 * i)), std::pair(frame[i], bounds[i])) << i;
    }
    EXPECT_EQ(le32(b, b.size() - 20), 14);  // EMR_EOF closes the file
    if (dropped) continue;

    const QString converter = QStandardPaths::findExecutable("emf2svg-conv");
    if (converter.isEmpty()) GTEST_SKIP() << "emf2svg-conv is not installed (Debian package emf2svg)";
    QProcess run;
    run.start(converter, {"-i", path, "-o", dir.filePath("out.svg")});
    ASSERT_TRUE(run.waitForFinished(60000));
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    const QString text = QString::fromUtf8(fileBytes(dir.filePath("out.svg")));
    SCOPED_TRACE(text.toStdString());
    EXPECT_EQ(text.count("<path") + text.count("<polygon"), 3);
    for (const char* fill : {"#FF0000", "#008000", "#0102FA"})
      EXPECT_TRUE(text.contains(QString("fill=\"%1\"").arg(fill), Qt::CaseInsensitive)) << fill;
    for (const char* part : {"M 100.0000,300.0000 L 200.0000,300.0000 L 200.0000,400.0000", "base 10  list",
                             "font-family=\"arial\"", "width=\"799"})
      EXPECT_TRUE(text.contains(part)) << part;
  }
}

// A missing folder gives an inert recorder; a full disk, a failed close.
TEST(EmfRecorder, AFileThatCannotBeWrittenIsAFailedRecording) {
  QTemporaryDir dir;
  const QString path = dir.filePath("missing/out.emf");
  auto r = createEmfRecorder(path.toStdString(), 0, 0, 8000, 6400, 800, 640);
  ASSERT_NE(r, nullptr);
  EXPECT_FALSE(r->valid());
  EXPECT_EQ(std::tuple(r->createPen(1, kBlack), r->createSolidBrush(kWhite), r->createFont({})), std::tuple(0, 0, 0));
  recordSample(*r);
  EXPECT_FALSE(r->close());
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_FALSE(createEmfRecorder("", 0, 0, 1, 1, 1, 1)->valid());
  const FileSizeLimit limit(4096);
  auto full = createEmfRecorder(dir.filePath("full.emf").toStdString(), 0, 0, 8000, 6400, 800, 640);
  ASSERT_TRUE(full->valid());
  for (int i = 0; i < 100; ++i) recordSample(*full);  // far more than 4 KB
  EXPECT_FALSE(full->close());
}

}  // namespace
}  // namespace quill
