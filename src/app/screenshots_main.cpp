// Writes the README's pictures without a display (offscreen): the main window,
// the preview of the start-up pattern, an export with its legend and a strip
// of frames of the example animation. With --examples FOLDER it writes the
// example state file instead.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "app/HeadlessAnimate.h"
#include "app/HeadlessRender.h"
#include "app/HeadlessServices.h"
#include "app/QuillavenApp.h"
#include "editor/DivisionDialog.h"
#include "engine/PatternState.h"
#include "mainwindow/Form1.h"
#include "preview/PreviewWindow.h"

namespace {

// Three key frames of one animation: the start-up hexagon divided twice, a
// six-pointed star, and the star turned by 30 degrees.
int writeExample(const std::string& folder) {
  auto owned = std::make_unique<quill::HeadlessServices>(std::cerr);
  quill::HeadlessServices& services = *owned;
  quill::QuillavenApp app(std::move(owned));
  app.start();
  quill::Form1& form = app.mainWindow();
  quill::PatternState& state = app.state();
  app.divisionDialog().findChild<QScrollBar*>("hscLevels")->setValue(2);
  QWidget* preview = form.findChild<QWidget*>("Command2");
  QTest::mouseClick(preview, Qt::LeftButton);
  for (int i = 2; i <= 6; i += 2) {
    state.vertexPoints[i].x *= 0.45;
    state.vertexPoints[i].y *= 0.45;
  }
  form.hscroll2_change();
  QTest::mouseClick(preview, Qt::LeftButton);
  const double turn = std::acos(-1.0) / 6;
  for (int i = 1; i <= 6; ++i) {
    const quill::Point p = state.vertexPoints[i];
    state.vertexPoints[i] = {p.x * std::cos(turn) - p.y * std::sin(turn), p.x * std::sin(turn) + p.y * std::cos(turn)};
  }
  form.hscroll2_change();
  QTest::mouseClick(preview, Qt::LeftButton);
  services.saveAnswer = folder + "/morph.kvt";
  if (!form.Command5_Click()) return 1;
  std::cout << *services.saveAnswer << "\n";
  return 0;
}

// Four frames of the example animation side by side.
bool writeAnimationStrip(const std::string& path) {
  QTemporaryDir dir;
  const std::string frames = dir.filePath("morph.bmp").toStdString();
  std::ostringstream out, err;
  if (quill::runHeadlessAnimation({"examples/morph.kvt", "--animate", "examples/morph.txt", "-o", frames}, out,
                                  err) != 0) {
    std::cerr << err.str();
    return false;
  }
  QImage strip(1200, 250, QImage::Format_RGB32);
  strip.fill(Qt::white);
  QPainter painter(&strip);
  const char* picks[] = {"001", "006", "011", "016"};
  for (int k = 0; k < 4; ++k) {
    const QImage frame(dir.filePath(QString("morph%1.bmp").arg(picks[k])));
    painter.drawImage(QRect(k * 300, 0, 300, 250), frame);
  }
  return strip.save(QString::fromStdString(path));
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  if (argc > 2 && std::string(argv[1]) == "--examples") return writeExample(argv[2]);
  const std::string folder = argc > 1 ? argv[1] : "docs";

  quill::QuillavenApp app;
  app.start();
  QWidget* preview = app.mainWindow().findChild<QWidget*>("Command2");
  QTest::mouseClick(preview, Qt::LeftButton);
  QApplication::processEvents();

  const std::string mainPath = folder + "/mainwindow.png";
  const std::string previewPath = folder + "/preview.png";
  const bool ok = app.mainWindow().grab().save(QString::fromStdString(mainPath)) &&
                  app.preview().grab().save(QString::fromStdString(previewPath));
  // The export goes through the same passes as "save image" with "draw legend".
  const std::string legendPath = folder + "/legend.png";
  std::ostringstream written, errors;
  const bool legendOk =
      quill::runHeadlessRender({"-o", legendPath, "--legend", "--width", "800"}, written, errors) == 0;
  const std::string stripPath = folder + "/animation.png";
  const bool stripOk = writeAnimationStrip(stripPath);
  if (!ok || !legendOk || !stripOk) {
    std::cerr << "quillaven-screenshots: cannot write into " << folder << "\n";
    return 1;
  }
  std::cout << mainPath << "\n" << previewPath << "\n" << legendPath << "\n" << stripPath << "\n";
  return 0;
}
