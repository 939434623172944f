#include "animation/SeqStatus.h"

#include <QLabel>

namespace quill {

SeqStatus::SeqStatus(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("frmSeqStatus");
  setWindowTitle("sequence status");
  banner_ = new QLabel("999 of 999", this);
  banner_->setObjectName("banner");
  banner_->setGeometry(16, 12, 160, 24);
  banner_->setAlignment(Qt::AlignCenter);
  QFont font = banner_->font();
  font.setPointSize(font.pointSize() + 4);
  banner_->setFont(font);
  setFixedSize(192, 48);
  setAttribute(Qt::WA_QuitOnClose, false);
}

void SeqStatus::showProgress(int frame, const QString& total) {
  banner_->setText(QString::number(frame) + " of " + total);
}

QString SeqStatus::bannerText() const { return banner_->text(); }

}  // namespace quill
