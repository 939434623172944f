#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/HeadlessAnimate.h"
#include "app/HeadlessProgress.h"
#include "app/HeadlessRender.h"
#include "app/Thumbnail.h"

namespace {
// Qt's start-up chatter (missing runtime folders and the like) is not for the
// users of a command-line tool; only real failures get through.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << "\n";
}
}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(quietMessages);
  // Drawing text needs a Gui application; no display is needed for it, and
  // no widget is ever made.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication application(argc, argv);
  quill::catchStopSignals();
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "--thumbnail") return quill::runThumbnail(args, std::cerr);
  if (std::find(args.begin(), args.end(), "--animate") != args.end())
    return quill::runHeadlessAnimation(args, std::cout, std::cerr);
  return quill::runHeadlessRender(args, std::cout, std::cerr);
}
