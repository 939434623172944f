#pragma once
#include <QObject>
#include <QString>
#include <array>

#include "engine/KeyFrameHistory.h"

class QLabel;
class QPushButton;

namespace quill {

class MainWindow;

// The history bar: "<<", "<", ">", ">>" and "modify frame" twice (under the
// settings panel and under the pad), "new animation", and the labels that say
// where the history stands ("x of y", the frame the next preview captures,
// the animation's name). Its buttons run the main window's commands.
class HistoryBar : public QObject {
 public:
  explicit HistoryBar(MainWindow& window);

  // The labels for the history as it stands, the name of its current frame included.
  void showPosition(const KeyFrameHistory& history);
  // After a capture: the name the naming dialog gave the frame.
  void showCaptured(const KeyFrameHistory& history, const QString& name);
  // A new animation is started and has no frame yet.
  void showNewAnimation(const KeyFrameHistory& history);
  void showAnimationName(const QString& name);

 private:
  std::array<QPushButton*, 2> jumpBack_{};
  std::array<QPushButton*, 2> stepBack_{};
  std::array<QPushButton*, 2> stepForward_{};
  std::array<QPushButton*, 2> jumpForward_{};
  std::array<QPushButton*, 2> modify_{};
  QPushButton* newAnimationButton_ = nullptr;
  QLabel* positionLabel_ = nullptr;
  QLabel* nextFrameLabel_ = nullptr;
  QLabel* animationNameLabel_ = nullptr;
};

}  // namespace quill
