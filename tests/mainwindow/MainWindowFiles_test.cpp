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

  QTemporaryDir dir;
};

TEST_F(FilesTest, SaveWritesTheListAndLoadAppendsIt) {
  previews(3);
  ASSERT_TRUE(save(path("three.kvt")));
  EXPECT_TRUE(windows.scripted.fileDialogs.back().overwritePrompt);
  EXPECT_EQ(windows.calls.back(), "showNotice saved as:");
  EXPECT_FALSE(form->unsavedEdits());

  // The record layout is pinned with the codec; here the count and the numbering.
  EXPECT_EQ(le16(fileBytes(path("three.kvt")), 14), 3);  // records after the start-up one
  PatternState otherState;
  FakeWindows otherWindows{otherState};
  MainWindow other(otherState, otherWindows);
  otherWindows.scripted.fileNames.push_back(path("three.kvt"));
  other.loadState();
  EXPECT_EQ(other.history().listed(), form->history().listed());
  EXPECT_EQ(otherWindows.calls.back(), "showNotice loaded from: " + path("three.kvt") + " | quillaven v1.6    3 elements");
  EXPECT_EQ(otherState.numberBase, 5);  // the last frame is applied

  load(path("three.kvt"));
  EXPECT_EQ(form->history().listed().size(), 7u);  // appended
  EXPECT_EQ(form->history().listed()[6].numberBase, 5);

  form->keyDown('Z', kCtrlBit);
  form->keyDown('D', kCtrlBit);  // a deleted frame is not saved
  ASSERT_TRUE(save(path("fewer.kvt")));
  EXPECT_EQ(le16(fileBytes(path("fewer.kvt")), 14), 5);
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
  QByteArray badVertex = good;
  badVertex[16 + 604 + 0] = 50;  // vertexCount 50 in record 1
  // The one reader's every message is pinned with the headless renderer;
  // here, that the window shows them and changes nothing.
  struct Case {
    std::string file;
    std::string message;
  } cases[] = {
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
