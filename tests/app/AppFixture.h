#pragma once
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "animation/AnimateWindow.h"
#include "app/QuillavenApp.h"
#include "engine/FrameCapture.h"
#include "engine/KeyFrameCodec.h"
#include "mainwindow/MainWindow.h"
#include "support/ScriptedServices.h"

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

  template <typename W = QWidget>
  static W* in(QWidget* window, const char* name) {
    W* widget = window->findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  // A simulated mouse click.
  static void click(QWidget* window, const char* name) {
    QTest::mouseClick(in<QAbstractButton>(window, name), Qt::LeftButton);
  }
  static void type(QWidget* window, const char* box, const QString& text) { in<QLineEdit>(window, box)->setText(text); }
  QString path(const QString& name) const { return dir.filePath(name); }

  AnimateWindow& openAnimator() {
    app->mainWindow().showAnimation();
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

  QTemporaryDir dir;
  ScriptedServices* scripted = nullptr;
  std::unique_ptr<QuillavenApp> app;
};

inline std::string examplePath(const char* name) { return std::string(QUILLAVEN_SOURCE_DIR) + "/examples/" + name; }

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
