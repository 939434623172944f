// State files through the main window's commands, and the close questions.
// The record layout is pinned with the codec, and every message of the one
// reader with the headless renderer.
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
    for (int i = 0; i < n; ++i) setBase(3 + i), click("Command2");
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

// Saved: the count of records after the start-up one, less the frames
// deleted; loaded into another window: the same frames, the last applied;
// loaded again here: appended.
TEST_F(FilesTest, SaveWritesTheListAndLoadAppendsIt) {
  previews(3);
  ASSERT_TRUE(save(path("three.kvt")));
  EXPECT_TRUE(windows.scripted.fileDialogs.back().overwritePrompt);
  EXPECT_EQ(windows.calls.back(), "showNotice saved as:");
  EXPECT_FALSE(form->unsavedEdits());
  EXPECT_EQ(le16(fileBytes(path("three.kvt")), 14), 3);
  PatternState otherState;
  FakeWindows otherWindows{otherState};
  MainWindow other(otherState, otherWindows);
  otherWindows.scripted.fileNames.push_back(path("three.kvt"));
  other.loadState();
  EXPECT_EQ(other.history().listed(), form->history().listed());
  EXPECT_EQ(otherWindows.calls.back(), "showNotice loaded from: " + path("three.kvt") + " | quillaven v1.6    3 elements");
  EXPECT_EQ(otherState.numberBase, 5);
  load(path("three.kvt"));
  EXPECT_EQ(form->history().listed().size(), 7u);
  EXPECT_EQ(form->history().listed()[6].numberBase, 5);
  form->keyDown('Z', kCtrlBit);
  form->keyDown('D', kCtrlBit);
  ASSERT_TRUE(save(path("fewer.kvt")));
  EXPECT_EQ(le16(fileBytes(path("fewer.kvt")), 14), 5);
}

// A refused file says why and changes nothing; a save that fails (a full
// disk) says so, keeps the old file, leaves no
// temporary file and leaves the edits unsaved.
TEST_F(FilesTest, RefusedLoadsAndFailedSavesChangeNothing) {
  previews(1);
  const std::string kept = path("kept.kvt");
  ASSERT_TRUE(save(kept));
  const QByteArray saved = fileBytes(kept);
  QByteArray bad = saved;
  bad[16 + 604] = 50;  // vertexCount 50 in record 1
  QFile file(dir.filePath("vertex.kvt"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bad) == bad.size());
  file.close();
  previews(2);
  const auto before = form->history().listed();
  load(path("vertex.kvt"));
  EXPECT_NE(windows.scripted.lastMessage().find(path("vertex.kvt") + ": record 1: vertexCount 50 outside 3..23"),
            std::string::npos);
  EXPECT_EQ(form->history().listed(), before);
  EXPECT_TRUE(form->statePath().empty());
  {
    const FileSizeLimit limit(64);  // writes past 64 bytes fail
    EXPECT_FALSE(save(kept));
  }
  EXPECT_NE(windows.scripted.lastMessage().find("can't save " + kept), std::string::npos);
  EXPECT_EQ(fileBytes(kept), saved);
  EXPECT_NE(windows.calls.back(), "showNotice saved as:");
  EXPECT_TRUE(form->unsavedEdits());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"kept.kvt", "vertex.kvt"}));
}

TEST_F(FilesTest, CloseAsksOnlyAboutUnsavedWork) {
  EXPECT_TRUE(form->confirmClose());  // nothing to ask right after start-up
  EXPECT_TRUE(messages().empty());
  previews(1);
  windows.scripted.answers = {MessageAnswer::Cancel, MessageAnswer::Yes};
  EXPECT_FALSE(form->confirmClose());
  EXPECT_EQ(windows.scripted.lastMessage(), "Do you want to save your edits?");
  EXPECT_EQ(std::pair(messages().back().buttons, messages().back().questionIcon),
            std::pair(MessageButtons::YesNoCancel, true));
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
