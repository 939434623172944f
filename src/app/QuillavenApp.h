#pragma once
#include <memory>

#include "engine/PatternState.h"

class QWidget;

namespace quill {

// Owns the one PatternState and the windows; creates each window on first use.
class QuillavenApp {
 public:
  QuillavenApp();
  ~QuillavenApp();
  QuillavenApp(const QuillavenApp&) = delete;
  QuillavenApp& operator=(const QuillavenApp&) = delete;

  // Shows the main window, whose load handler runs the start-up sequence.
  void start();

  PatternState& state() { return *state_; }
  QWidget* mainWindow() const { return mainWindow_.get(); }

 private:
  std::unique_ptr<PatternState> state_;
  std::unique_ptr<QWidget> mainWindow_;
};

}  // namespace quill
