#include <QApplication>
#include <QStringList>

#include "app/CrashRecovery.h"
#include "app/QuillavenApp.h"
#include "mainwindow/MainWindow.h"

// quillaven [FILE.kvt]: a state file named on the command line is loaded as
// "load state" would load it. The history is kept in a recovery file until the
// program ends cleanly.
int main(int argc, char** argv) {
  QApplication application(argc, argv);
  quill::QuillavenApp app;
  app.start();
  app.enableCrashRecovery(quill::CrashRecovery::defaultFolder());
  const QStringList args = application.arguments();
  if (args.size() > 1) app.mainWindow().loadStateFile(args.at(1).toStdString());
  return application.exec();
}
