#pragma once
#include <QString>
#include <QWidget>
#include <functional>

class QCloseEvent;
class QLineEdit;

namespace quill {

// "kvt": names the animation that the next capture starts. Not modal; the
// name in its box goes with every capture until it is changed.
class AniNameDialog : public QWidget {
  Q_OBJECT

 public:
  explicit AniNameDialog(QWidget* parent = nullptr);

  // "OK" hands the name to the main window's label.
  std::function<void(const QString&)> nameChosen;

  void accept();
  QString name() const;
  void setName(const QString& name);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QLineEdit* nameBox_ = nullptr;
};

}  // namespace quill
