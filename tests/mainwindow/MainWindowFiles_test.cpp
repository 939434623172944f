// State files through the main window's commands, and the close questions.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "MainWindowFixture.h"
#include "mainwindow/KeyPreview.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"

namespace quill {
namespace {

class FilesTest : public MainWindowTest {
 protected:
  std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
  void previews(int n) {
    for (int i = 0; i < n; ++i) {
      setBase(3 + i);
      click("Command2");
    }
  }
  bool save(const std::string& to) {
    windows.scripted.fileNames.push_back(to);
    return form->saveState();
  }
  void load(const std::string& from) {
    windows.scripted.fileNames.push_back(from);
    form->loadState();
  }
  std::vector<int> bases() const {
    std::vector<int> out;
    for (const KeyFrame& f : form->history().listed()) out.push_back(f.numberBase);
    return out;
  }

  QTemporaryDir dir;
};

TEST_F(FilesTest, SaveWritesTheListAndLoadAppendsIt) {
  previews(3);
  ASSERT_TRUE(save(path("three.kvt")));
  EXPECT_EQ(windows.scripted.fileDialogs.back().title, "Save File");
  EXPECT_TRUE(windows.scripted.fileDialogs.back().overwritePrompt);
  EXPECT_EQ(windows.calls.back(), "showNotice saved as:");
  EXPECT_FALSE(form->unsavedEdits());

  // Header, count N - 1, then records of 600 bytes plus their texts.
  const QByteArray bytes = fileBytes(path("three.kvt"));
  EXPECT_EQ(bytes.left(14), "quillaven v1.6");
  EXPECT_EQ(le16(bytes, 14), 3);
  const int nameLength = 11;  // "animation 1"
  const int widthLength = 4;  // "2000"
  EXPECT_EQ(bytes.size(), 16 + 600 + widthLength + 3 * (600 + widthLength + nameLength));
  const int second = 16 + 600 + widthLength;
  EXPECT_EQ(le16(bytes, second + 8), 3);                                 // numberBase
  EXPECT_EQ(le16(bytes, second + 580 + widthLength), 1);                 // frameNo
  EXPECT_EQ(le16(bytes, second + 582 + widthLength), 3);                 // frameTotal
  EXPECT_EQ(bytes.mid(second + 586 + widthLength, nameLength), "animation 1");

  PatternState otherState;
  FakeWindows otherWindows{otherState};
  MainWindow other(otherState, otherWindows);
  otherWindows.scripted.fileNames.push_back(path("three.kvt"));
  other.loadState();
  EXPECT_EQ(other.history().listed().size(), 4u);
  EXPECT_EQ(other.findChild<QLabel*>("lblXofY")->text(), "3 of 3");
  EXPECT_EQ(otherWindows.calls.back(), "showNotice loaded from: " + path("three.kvt") + " | quillaven v1.6    3 elements");
  EXPECT_EQ(other.statePath(), path("three.kvt"));
  EXPECT_EQ(otherState.numberBase, 5);  // the last frame is applied

  load(path("three.kvt"));
  load(path("three.kvt"));
  EXPECT_EQ(bases(), (std::vector<int>{10, 3, 4, 5, 3, 4, 5, 3, 4, 5}));
}

TEST_F(FilesTest, SaveAfterADeleteWritesOneRecordFewer) {
  previews(3);
  form->keyDown('Z', kCtrlBit);
  form->keyDown('D', kCtrlBit);
  ASSERT_TRUE(save(path("two.kvt")));
  const QByteArray bytes = fileBytes(path("two.kvt"));
  EXPECT_EQ(le16(bytes, 14), 2);
}

TEST_F(FilesTest, RefusedFilesSayWhyAndChangeNothing) {
  previews(2);
  ASSERT_TRUE(save(path("good.kvt")));
  QByteArray good = fileBytes(path("good.kvt"));
  const auto write = [&](const char* name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path(name);
  };
  QByteArray old = good;
  old.replace(10, 4, "v1.5");
  QByteArray control = good;
  control.replace(0, 14, QByteArray("quill\x1b[31mRED\x07", 14));
  QByteArray badVertex = good;
  badVertex[16 + 604 + 0] = 50;  // vertexCount 50 in record 1
  struct Case {
    std::string file;
    std::string message;
  } cases[] = {
      {write("old.kvt", old), "can't read files written by v1.5"},
      {write("control.kvt", control), "can't read files written by RED\\x07"},
      {write("short.kvt", good.left(good.size() - 7)), "can't load " + path("short.kvt") + ": record 2: record runs past the end"},
      {write("vertex.kvt", badVertex), "can't load " + path("vertex.kvt") + ": record 1: vertexCount 50 outside 3..23"},
      {path("missing.kvt"), "can't open " + path("missing.kvt") + ": No such file or directory"},
  };
  const auto before = form->history().listed();
  for (const Case& c : cases) {
    load(c.file);
    EXPECT_EQ(windows.scripted.lastMessage().substr(0, c.message.size()), c.message) << c.file;
    EXPECT_EQ(form->history().listed(), before);
    EXPECT_TRUE(form->statePath().empty());
  }
}

TEST_F(FilesTest, AFailedSaveKeepsTheOldFileAndSaysSo) {
  previews(1);
  const std::string target = path("kept.kvt");
  ASSERT_TRUE(save(target));
  const QByteArray before = fileBytes(target);
  previews(2);

  {
    const FileSizeLimit limit(64);  // a full disk: writes past 64 bytes fail
    EXPECT_FALSE(save(target));
  }
  EXPECT_EQ(fileBytes(target), before);
  EXPECT_NE(windows.scripted.lastMessage().find("can't save " + target), std::string::npos);
  EXPECT_NE(windows.calls.back(), "showNotice saved as:");
  EXPECT_TRUE(form->unsavedEdits());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);  // no temporary file left

  EXPECT_FALSE(save(path("no/such/folder/x.kvt")));
  EXPECT_NE(windows.scripted.lastMessage().find("can't save"), std::string::npos);
}

TEST_F(FilesTest, CloseAsksOnlyAboutUnsavedWork) {
  EXPECT_TRUE(form->confirmClose());  // nothing to ask right after start-up
  EXPECT_TRUE(messages().empty());

  previews(1);
  windows.scripted.answers = {MessageAnswer::Cancel};
  EXPECT_FALSE(form->confirmClose());
  EXPECT_EQ(windows.scripted.lastMessage(), "Do you want to save your edits?");
  EXPECT_EQ(messages().back().buttons, MessageButtons::YesNoCancel);
  EXPECT_TRUE(messages().back().questionIcon);

  windows.scripted.answers = {MessageAnswer::Yes};
  windows.scripted.fileNames = {path("closing.kvt")};
  EXPECT_TRUE(form->confirmClose());
  EXPECT_TRUE(QFile::exists(dir.filePath("closing.kvt")));

  load(path("closing.kvt"));
  previews(1);
  windows.scripted.answers = {MessageAnswer::No};
  EXPECT_TRUE(form->confirmClose());
  EXPECT_EQ(windows.scripted.lastMessage(), "Do you want to save changes?");
}

}  // namespace
}  // namespace quill
