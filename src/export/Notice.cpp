#include "export/Notice.h"

#include <QLabel>
#include <QPushButton>

#include "export/ExportHost.h"

namespace quill {

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, int top, const QString& text = {}) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(8, top, 344, 20);
  return label;
}

}  // namespace

Notice::Notice(PatternState& state, ExportHost& host, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), state_(state), host_(host) {
  setObjectName("bmap");
  setWindowTitle("Quillaven");
  Label1 = makeLabel(this, "Label1", 8, "saved in:");
  Label2 = makeLabel(this, "Label2", 30);
  Label3 = makeLabel(this, "Label3", 52);
  Command1 = new QPushButton("OK", this);
  Command1->setObjectName("Command1");
  Command1->setGeometry(140, 80, 80, 26);
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  setFixedSize(360, 114);
}

void Notice::Form_Load() {
  Label1->setText(QString::fromStdString(state_.noticeVerb));
  Label2->setText(QString::fromStdString(state_.lastFileName));
  Label3->setText(QString::fromStdString(state_.noticeDetail));
}

void Notice::Command1_Click() {
  state_.noticeDetail.clear();
  host_.hideSaveOptions();
  if (host_.previewMarkedShown() && state_.previewOpen) host_.setPreviewVisible(true);
  hide();
}

void Notice::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Form_Load();
}

}  // namespace quill
