#include "app/QuillavenApp.h"

#include <QWidget>

#include "engine/FrameCapture.h"

namespace quill {

QuillavenApp::QuillavenApp() : state_(std::make_unique<PatternState>()) {}

QuillavenApp::~QuillavenApp() = default;

void QuillavenApp::start() {
  if (!mainWindow_) {
    mainWindow_ = std::make_unique<QWidget>();
    mainWindow_->setObjectName("Form1");
    mainWindow_->setWindowTitle("Quillaven");
    loadStartupDefaults(*state_);
  }
  mainWindow_->show();
}

}  // namespace quill
