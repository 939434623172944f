#pragma once
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "animation/AnimateWindow.h"
#include "app/HeadlessAnimate.h"
#include "app/HeadlessRender.h"
#include "app/QuillavenApp.h"
#include "engine/FrameCapture.h"
#include "engine/KeyFrameCodec.h"
#include "mainwindow/MainWindow.h"
#include "support/ScriptedServices.h"
#include "support/Widgets.h"

namespace quill {

// The whole program on scripted desktop services, with a folder for its files.
class AppFixture : public ::testing::Test {
 protected:
  AppFixture() { restart(); }
  // A new program in place of the old one; the folder and its files stay.
  void restart() {
    app.reset();
    auto services = std::make_unique<ScriptedServices>();
    scripted = services.get();
    app = std::make_unique<QuillavenApp>(std::move(services));
    app->start();
  }

  static void type(QWidget* window, const char* box, const QString& text) { in<QLineEdit>(window, box)->setText(text); }
  QString path(const QString& name) const { return dir.filePath(name); }

  AnimateWindow& openAnimator() {
    click(&app->mainWindow(), "cmdAnimate");
    return app->animator();
  }
  // Runs the animation to its end (or until something stops it).
  static void runToEnd(AnimateWindow& window) {
    in<QAbstractButton>(&window, "cmdRun")->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.running(); }, 120000));
  }
  // Ticks "save images", answering its file dialog with `name` in the folder.
  void saveRunAs(AnimateWindow& window, const QString& name) {
    scripted->fileNames = {path(name).toStdString()};
    in<QAbstractButton>(&window, "chkSaveImages")->click();
  }
  // A saved run of `frames` frames to `name` in the folder.
  void savedRun(AnimateWindow& window, const QString& name, int frames) {
    saveRunAs(window, name);
    type(&window, "txtnFrames", QString::number(frames));
    runToEnd(window);
  }

  QTemporaryDir dir;
  ScriptedServices* scripted = nullptr;
  std::unique_ptr<QuillavenApp> app;
};

inline std::string examplePath(const char* name) { return std::string(QUILLAVEN_SOURCE_DIR) + "/examples/" + name; }

// Numbered frame files as a saved run names them: stem001.bmp and on.
inline QString frameFile(const QString& stem, int i, const char* extension = ".bmp") {
  return stem + QString("%1").arg(i, 3, 10, QChar('0')) + extension;
}

// What a headless run returned, and what it wrote to its output and error streams.
struct Outcome {
  int status;
  std::string out, err;
};
inline Outcome animate(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = runHeadlessAnimation(args, out, err);
  return {status, out.str(), err.str()};
}
inline Outcome render(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = runHeadlessRender(args, out, err);
  return {status, out.str(), err.str()};
}
// quillaven-render run as a program of its own; status -1 if it crashed.
inline Outcome renderProgram(const QStringList& args,
                         const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
  QProcess program;
  program.setProcessEnvironment(environment);
  program.start(QUILLAVEN_RENDER_PROGRAM, args);
  EXPECT_TRUE(program.waitForFinished(60000));
  return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
          program.readAllStandardOutput().toStdString(), program.readAllStandardError().toStdString()};
}
// The example morph animated to `out`, with `more` options after.
inline Outcome animateMorph(const std::string& out, std::vector<std::string> more = {}) {
  std::vector<std::string> args{examplePath("morph.kvt"), "--animate", examplePath("morph.txt"), "-o", out};
  args.insert(args.end(), more.begin(), more.end());
  return animate(args);
}

inline KeyFrame startupFrame() {
  auto state = std::make_unique<PatternState>();
  loadStartupDefaults(*state);
  return state->curFrame;
}

// A state file of `frames` (record 0 first) at `path`; the path back.
inline std::string writeStateFile(const std::string& path, const std::vector<KeyFrame>& frames) {
  const std::vector<uint8_t> bytes = encodeStateFile(frames);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path;
}

}  // namespace quill
