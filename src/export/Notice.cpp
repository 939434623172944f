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
  headerLabel = makeLabel(this, "Label1", 8, "saved in:");
  verbLabel = makeLabel(this, "Label2", 30);
  detailLabel = makeLabel(this, "Label3", 52);
  okButton = new QPushButton("OK", this);
  okButton->setObjectName("Command1");
  okButton->setGeometry(140, 80, 80, 26);
  connect(okButton, &QPushButton::clicked, this, [this] { dismiss(); });
  setFixedSize(360, 114);
}

void Notice::showLines(const NoticeLines& lines) {
  if (lines.detail) detail_ = *lines.detail;
  headerLabel->setText(QString::fromStdString(lines.verb));
  verbLabel->setText(QString::fromStdString(lines.fileName));
  detailLabel->setText(QString::fromStdString(detail_));
}

void Notice::dismiss() {
  detail_.clear();
  host_.hideSaveOptions();
  if (host_.previewMarkedShown() && state_.previewOpen) host_.setPreviewVisible(true);
  hide();
}

}  // namespace quill
