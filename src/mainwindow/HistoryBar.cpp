#include "mainwindow/HistoryBar.h"

#include <QLabel>
#include <QPushButton>

#include "editor/PadEditor.h"
#include "mainwindow/MainWindow.h"
#include "platform/KeyCodes.h"
#include "platform/MakeWidget.h"

namespace quill {

HistoryBar::HistoryBar(MainWindow& window) : QObject(&window) {
  struct Row {
    const char* names[2];
    const char* caption;
    std::array<QPushButton*, 2>* buttons;
    int x, width;
  };
  const Row rows[] = {{{"cmdJumpBack", "Command11"}, "<<", &jumpBack_, 0, 37},
                      {{"Command8", "Command12"}, "<", &stepBack_, 39, 37},
                      {{"Command9", "Command13"}, ">", &stepForward_, 78, 37},
                      {{"cmdJumpFwd", "Command14"}, ">>", &jumpForward_, 117, 39}};
  const int padLeft = MainWindow::kPanelWidthTwips / MainWindow::kTwipsPerPixel;
  constexpr int kUnderPadTop = PadEditor::kToolsBottom + 8;
  for (const Row& r : rows) {
    (*r.buttons)[0] = makeWidget<QPushButton>(&window, r.names[0], QRect(8 + r.x, 644, r.width, 24), r.caption);
    (*r.buttons)[1] =
        makeWidget<QPushButton>(&window, r.names[1], QRect(padLeft + 6 + r.x, kUnderPadTop, r.width, 24), r.caption);
  }
  modify_[0] = makeWidget<QPushButton>(&window, "Command10", QRect(8, 672, 156, 24), "modify frame");
  modify_[1] = makeWidget<QPushButton>(&window, "cmdModify2", QRect(padLeft + 172, kUnderPadTop, 100, 24), "modify frame");
  newAnimationButton_ = makeWidget<QPushButton>(&window, "cmdNewAni", QRect(8, 700, 156, 24), "new animation");
  positionLabel_ = makeWidget<QLabel>(&window, "lblXofY", QRect(8, 726, 56, 18), "0 of 0");
  nextFrameLabel_ = makeWidget<QLabel>(&window, "Label3", QRect(66, 726, 98, 18), "frame 1 of 1");
  animationNameLabel_ = makeWidget<QLabel>(&window, "lblAniName", QRect(padLeft + 286, kUnderPadTop + 4, 200, 18), "");

  MainWindow* w = &window;
  connect(newAnimationButton_, &QPushButton::clicked, w, [w] { w->newAnimation(); });
  for (int i = 0; i < 2; ++i) {
    connect(jumpBack_[i], &QPushButton::clicked, w, [w] { w->jumpBack(); });
    connect(jumpForward_[i], &QPushButton::clicked, w, [w] { w->jumpForward(); });
    // The step buttons are the Ctrl+Z and Ctrl+X of the key handler.
    connect(stepBack_[i], &QPushButton::clicked, w, [w] { w->keyDown('Z', kCtrlBit); });
    connect(stepForward_[i], &QPushButton::clicked, w, [w] { w->keyDown('X', kCtrlBit); });
    connect(modify_[i], &QPushButton::clicked, w, [w] { w->modifyFrame(); });
  }
}

void HistoryBar::showPosition(const KeyFrameHistory& history) {
  const KeyFrame& f = history.current();
  animationNameLabel_->setText(QString::fromLatin1(f.aniName.data(), static_cast<qsizetype>(f.aniName.size())));
  nextFrameLabel_->setText(QString::fromStdString(history.nextCaptureText()));
  positionLabel_->setText(QString::fromStdString(history.positionText()));
}

void HistoryBar::showCaptured(const KeyFrameHistory& history, const QString& name) {
  positionLabel_->setText(QString::fromStdString(history.positionText()));
  nextFrameLabel_->setText(QString::fromStdString(history.nextCaptureText()));
  animationNameLabel_->setText(name);
}

void HistoryBar::showNewAnimation(const KeyFrameHistory& history) {
  positionLabel_->setText(QStringLiteral("0 of 0"));
  nextFrameLabel_->setText(QString::fromStdString(history.nextCaptureText()));
  animationNameLabel_->clear();
}

void HistoryBar::showAnimationName(const QString& name) { animationNameLabel_->setText(name); }

}  // namespace quill
