#pragma once
#include <QWidget>

class QLabel;

namespace quill {

// "sequence status": how far a saved run has got, "i of n".
class SeqStatus : public QWidget {
  Q_OBJECT

 public:
  explicit SeqStatus(QWidget* parent = nullptr);
  void showProgress(int frame, const QString& total);
  QString bannerText() const;

 private:
  QLabel* banner_ = nullptr;
};

}  // namespace quill
