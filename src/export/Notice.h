#pragma once
#include <QWidget>

#include "engine/PatternState.h"

class QLabel;
class QPushButton;

namespace quill {

class ExportHost;

// The small always-on-top notice `bmap`: what was done (noticeVerb), the file
// (lastFileName) and a detail line (noticeDetail), with an OK button.
class Notice : public QWidget {
  Q_OBJECT

 public:
  Notice(PatternState& state, ExportHost& host, QWidget* parent = nullptr);

  // Fills the labels; runs whenever the notice is shown.
  void Form_Load();
  void Command1_Click();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  PatternState& state_;
  ExportHost& host_;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QPushButton* Command1 = nullptr;
};

}  // namespace quill
