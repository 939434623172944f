#pragma once
#include <QWidget>
#include <string>

#include "engine/PatternState.h"
#include "export/NoticeLines.h"

class QLabel;
class QPushButton;

namespace quill {

class ExportHost;

// The small always-on-top notice `bmap`: what was done, the file and a detail
// line, with an OK button.
class Notice : public QWidget {
  Q_OBJECT

 public:
  Notice(PatternState& state, ExportHost& host, QWidget* parent = nullptr);

  void showLines(const NoticeLines& lines);
  void dismiss();

 private:
  PatternState& state_;
  ExportHost& host_;
  std::string detail_;
  QLabel* headerLabel = nullptr;
  QLabel* verbLabel = nullptr;
  QLabel* detailLabel = nullptr;
  QPushButton* okButton = nullptr;
};

}  // namespace quill
