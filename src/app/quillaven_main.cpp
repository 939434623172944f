#include <QApplication>

#include "app/QuillavenApp.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  quill::QuillavenApp app;
  app.start();
  return application.exec();
}
