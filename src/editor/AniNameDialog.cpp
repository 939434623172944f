#include "editor/AniNameDialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quill {

AniNameDialog::AniNameDialog(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("aniForm");
  setWindowTitle("kvt");
  auto* prompt = new QLabel("enter a name for this animation", this);
  prompt->setObjectName("Label1");
  prompt->setGeometry(10, 8, 240, 18);
  nameBox_ = new QLineEdit("animation 1", this);
  nameBox_->setObjectName("txtAniName");
  nameBox_->setGeometry(10, 30, 240, 24);
  prompt->setBuddy(nameBox_);
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("Command1");
  ok->setGeometry(170, 62, 80, 26);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] { accept(); });
  connect(nameBox_, &QLineEdit::returnPressed, this, [this] { accept(); });
  setFixedSize(260, 96);
}

void AniNameDialog::accept() {
  if (nameChosen) nameChosen(nameBox_->text());
  hide();
}

QString AniNameDialog::name() const { return nameBox_->text(); }
void AniNameDialog::setName(const QString& name) { nameBox_->setText(name); }

void AniNameDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
  hide();
}

}  // namespace quill
