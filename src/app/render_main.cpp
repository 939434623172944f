#include <QGuiApplication>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/HeadlessRender.h"

namespace {
// Qt's start-up chatter (missing runtime folders and the like) is not for the
// users of a command-line tool; only real failures get through.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << "\n";
}
}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(quietMessages);
  // Drawing text needs a GUI application; no display is needed for that.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication application(argc, argv);
  std::vector<std::string> args(argv + 1, argv + argc);
  return quill::runHeadlessRender(args, std::cout, std::cerr);
}
