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
  void showLines();
  void dismiss();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  PatternState& state_;
  ExportHost& host_;
  QLabel* headerLabel = nullptr;
  QLabel* verbLabel = nullptr;
  QLabel* detailLabel = nullptr;
  QPushButton* okButton = nullptr;
};

}  // namespace quill
