#include "platform/QtDesktopServices.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QThread>
#include <cctype>
#include <chrono>
#include <cmath>
#include <vector>

namespace quill {

namespace {

std::vector<std::string> splitAt(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string::size_type start = 0;
  for (;;) {
    const auto end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

std::string qtFilterEntry(const std::string& description, std::string patterns) {
  for (char& c : patterns) {
    if (c == ';') c = ' ';
  }
  if (patterns.empty()) return description;
  const std::string shown = "(" + patterns + ")";
  const bool named = description.size() >= shown.size() &&
                     description.compare(description.size() - shown.size(), shown.size(), shown) == 0;
  // Qt takes the patterns from the last parentheses, so append them unless the
  // description already ends with exactly them.
  return named ? description : description + " " + shown;
}

QWidget* dialogParent() { return QApplication::activeWindow(); }

QString dialogTitle(const std::string& title) {
  return title.empty() ? QGuiApplication::applicationDisplayName() : QString::fromStdString(title);
}

// A name typed without an extension takes the chosen type's, not always the
// first type's: "clip" under the movie type is "clip.mp4". Settled at the
// accept, however the type was chosen, before the overwrite question.
class FileDialog : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;
  QString fallbackSuffix;  // for types without one, such as "All (*.*)"

 protected:
  void accept() override {
    if (!fallbackSuffix.isEmpty()) {
      const std::string suffix = suffixOfNameFilter(selectedNameFilter().toStdString());
      setDefaultSuffix(suffix.empty() ? fallbackSuffix : QString::fromStdString(suffix));
    }
    QFileDialog::accept();
  }
};

std::optional<std::string> runFileDialog(const FileDialogOptions& options, QFileDialog::AcceptMode mode) {
  FileDialog dialog(dialogParent(), QString::fromStdString(options.title));
  dialog.fallbackSuffix = QString::fromStdString(options.defaultExtension);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setNameFilter(QString::fromStdString(toQtNameFilter(options.filter)));
  dialog.setDefaultSuffix(QString::fromStdString(options.defaultExtension));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.overwritePrompt);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString path = dialog.selectedFiles().front();
  if (options.pathMustExist && !QFileInfo(path).absoluteDir().exists()) return std::nullopt;
  return QDir::toNativeSeparators(path).toStdString();
}

}  // namespace

std::string toQtNameFilter(const std::string& filter) {
  if (filter.empty()) return {};
  const std::vector<std::string> parts = splitAt(filter, '|');
  std::string result;
  for (size_t i = 0; i < parts.size(); i += 2) {
    const std::string patterns = i + 1 < parts.size() ? parts[i + 1] : std::string();
    if (!result.empty()) result += ";;";
    result += qtFilterEntry(parts[i], patterns);
  }
  return result;
}

std::string suffixOfNameFilter(const std::string& qtFilter) {
  const auto open = qtFilter.rfind('(');
  if (open == std::string::npos) return {};
  const auto start = qtFilter.find("*.", open);
  if (start == std::string::npos) return {};
  std::string suffix;
  for (auto i = start + 2; i < qtFilter.size() && std::isalnum(static_cast<unsigned char>(qtFilter[i])); ++i)
    suffix += qtFilter[i];
  const auto after = start + 2 + suffix.size();
  // Only a whole extension counts: "*.*" or "*.b?p" name none.
  if (after < qtFilter.size() && qtFilter[after] != ' ' && qtFilter[after] != ')') return {};
  return suffix;
}

QtDesktopServices::QtDesktopServices()
    : generator_(static_cast<std::mt19937::result_type>(
          std::chrono::system_clock::now().time_since_epoch().count())) {}

void QtDesktopServices::beep() { QApplication::beep(); }

MessageAnswer QtDesktopServices::message(const std::string& text, MessageButtons buttons, bool questionIcon,
                                         const std::string& title) {
  QMessageBox::StandardButtons qtButtons = QMessageBox::Ok;
  if (buttons == MessageButtons::YesNo) qtButtons = QMessageBox::Yes | QMessageBox::No;
  if (buttons == MessageButtons::YesNoCancel) qtButtons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  QMessageBox box(questionIcon ? QMessageBox::Question : QMessageBox::NoIcon, dialogTitle(title),
                  QString::fromStdString(text), qtButtons, dialogParent());
  switch (box.exec()) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    default: break;
  }
  // Closing the box with its close button is the safe answer.
  if (buttons == MessageButtons::YesNoCancel) return MessageAnswer::Cancel;
  return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

std::optional<std::string> QtDesktopServices::saveFileName(const FileDialogOptions& options) {
  return runFileDialog(options, QFileDialog::AcceptSave);
}

std::optional<std::string> QtDesktopServices::openFileName(const FileDialogOptions& options) {
  return runFileDialog(options, QFileDialog::AcceptOpen);
}

std::optional<Color> QtDesktopServices::pickColor(Color initial) {
  const QColor start(redOf(initial), greenOf(initial), blueOf(initial));
  const QColor chosen = QColorDialog::getColor(start, dialogParent());
  if (!chosen.isValid()) return std::nullopt;
  return rgb(chosen.red(), chosen.green(), chosen.blue());
}

void QtDesktopServices::processEvents() { QCoreApplication::processEvents(); }

void QtDesktopServices::sleepMs(int milliseconds) {
  if (milliseconds > 0) QThread::msleep(static_cast<unsigned long>(milliseconds));
}

double QtDesktopServices::random() {
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  const double r = uniform(generator_);
  // Some library versions can round up to exactly 1; callers rely on [0, 1).
  return r < 1.0 ? r : std::nextafter(1.0, 0.0);
}

}  // namespace quill
