// Crash recovery: a copy killed outright leaves its history behind, and the
// next start offers it back; running copies keep to their own files.
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <cstdlib>
#include <iostream>
#include <thread>

#include "app/AppFixture.h"
#include "app/CrashRecovery.h"
#include "support/FileBytes.h"

namespace quill {
namespace {

class CrashRecoveryTest : public AppFixture {
 protected:
  // The folder as the program finds it, through XDG_STATE_HOME.
  CrashRecoveryTest() { qputenv("XDG_STATE_HOME", dir.path().toUtf8()); }
  ~CrashRecoveryTest() override { qunsetenv("XDG_STATE_HOME"); }

  // A start as quillaven's own, with the window's questions answered.
  void startWithRecovery(std::deque<MessageAnswer> answers) {
    restart();
    scripted->answers = std::move(answers);
    app->enableCrashRecovery(CrashRecovery::defaultFolder());
  }
  void preview() { click(&app->mainWindow(), "Command2"); }
  QString position() { return in<QLabel>(&app->mainWindow(), "lblXofY")->text(); }
  QStringList files(const QString& pattern) const {
    return QDir(dir.filePath("quillaven")).entryList({pattern}, QDir::Files, QDir::Name);
  }
};

// Run only as the child of the test below, which kills it; the folder is the parent's.
TEST_F(CrashRecoveryTest, DISABLED_PreviewsThreeTimesAndWaitsToBeKilled) {
  qputenv("XDG_STATE_HOME", qgetenv("PARENT_STATE_HOME"));
  startWithRecovery({});
  for (int i = 0; i < 3; ++i) preview();
  std::cout << "previewed" << std::endl;
  for (;;) {
    QCoreApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

TEST_F(CrashRecoveryTest, AStartAfterAKillOffersTheFramesBack) {
  QProcess child;
  child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("PARENT_STATE_HOME", dir.path());
  child.setProcessEnvironment(environment);
  child.start(QCoreApplication::applicationFilePath(),
              {"--gtest_also_run_disabled_tests",
               "--gtest_filter=CrashRecoveryTest.DISABLED_PreviewsThreeTimesAndWaitsToBeKilled"});
  while (!child.readAllStandardOutput().contains("previewed")) ASSERT_TRUE(child.waitForReadyRead(60000));
  child.kill();  // SIGKILL: nothing of the program runs after this
  ASSERT_TRUE(child.waitForFinished(10000));
  ASSERT_EQ(files("recovery-*.kvt").size(), 1);

  startWithRecovery({MessageAnswer::Yes});
  ASSERT_EQ(scripted->messages.size(), 1u);
  EXPECT_EQ(scripted->messages[0].text, "Restore 3 key frames from before the crash?");
  EXPECT_EQ(position(), "3 of 3");
  EXPECT_TRUE(app->mainWindow().unsavedEdits());
  // The frames now live in this copy's file alone; a clean exit removes that too.
  EXPECT_EQ(files("recovery-*.kvt"), QStringList{QFileInfo(QString::fromStdString(app->recoveryPath())).fileName()});
  app.reset();
  EXPECT_EQ(files("*"), QStringList{});
}

TEST_F(CrashRecoveryTest, NoKeepsTheFileAsideAndARunningCopysFileIsNeverOffered) {
  startWithRecovery({});
  preview();
  preview();
  const std::string running = app->recoveryPath();
  const QByteArray saved = fileBytes(running);
  ASSERT_FALSE(saved.isEmpty());
  // A copy that died without its lock file, holding the same two frames.
  const std::string dead = dir.filePath("quillaven/recovery-1-1.kvt").toStdString();
  QFile copy(QString::fromStdString(dead));
  ASSERT_TRUE(copy.open(QIODevice::WriteOnly) && copy.write(saved) == saved.size());
  copy.close();
  auto other = std::move(app);

  startWithRecovery({MessageAnswer::No});
  ASSERT_EQ(scripted->messages.size(), 1u);  // the dead copy's file only
  EXPECT_EQ(scripted->messages[0].text, "Restore 2 key frames from before the crash?");
  EXPECT_EQ(position(), "0 of 0");
  const QStringList aside = files("crashed-*.kvt");
  ASSERT_EQ(aside.size(), 1);
  EXPECT_EQ(fileBytes(dir.filePath("quillaven/" + aside[0])), saved);
  EXPECT_EQ(fileBytes(running), saved);
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(dead)));
}

}  // namespace
}  // namespace quill
