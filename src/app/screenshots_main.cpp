// Writes pictures of the main window and of the preview window with the
// start-up pattern, and an export with its legend, for the README. Runs
// without a display (offscreen).
#include <QApplication>
#include <QPixmap>
#include <QTest>
#include <sstream>
#include <cstdlib>
#include <iostream>
#include <string>

#include "app/HeadlessRender.h"
#include "app/QuillavenApp.h"
#include "mainwindow/Form1.h"
#include "preview/PreviewWindow.h"

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
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
  if (!ok || !legendOk) {
    std::cerr << "quillaven-screenshots: cannot write into " << folder << "\n";
    return 1;
  }
  std::cout << mainPath << "\n" << previewPath << "\n" << legendPath << "\n";
  return 0;
}
