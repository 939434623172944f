// State files: "save state" writes the history, "load state" appends a
// file's frames after the last one. Files are read as untrusted: a damaged
// file is refused whole, with the record that is wrong, and changes nothing.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <variant>

#include "engine/KeyFrameCodec.h"
#include "engine/PrintableText.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/WindowDirectory.h"
#include "platform/DesktopServices.h"
#include "media/SafeWrite.h"

namespace quill {

namespace {

constexpr char kFilter[] = "Files (*.kvt)|*.kvt";
// Far above any file the program writes (32768 records of a few hundred bytes).
constexpr qint64 kMaxStateFileBytes = qint64{512} << 20;

std::string failureText(const std::string& path, const DecodeFailure& f) {
  if (f.error == DecodeError::WrongHeader) return "can't read files written by " + printableText(f.headerFound.substr(10, 4));
  std::string where = f.recordIndex >= 0 ? "record " + std::to_string(f.recordIndex) + ": " : std::string();
  return "can't load " + path + ": " + where + f.detail;
}

}  // namespace

bool MainWindow::saveState() {
  std::vector<KeyFrame> records = history_.recordsForSave();
  state_.lastFileName.clear();
  const auto path = services().saveFileName({"Save File", kFilter, "kvt", true, true});
  if (!path || path->empty()) return false;
  state_.lastFileName = *path;
  return writeStateFile(records);
}

// The old file is replaced only once the new one is whole on disk. The size
// is checked after closing because a full disk can cut a write short without
// any call reporting it.
bool MainWindow::writeStateFile(const std::vector<KeyFrame>& records) {
  const std::vector<uint8_t> bytes = encodeStateFile(records);
  const bool written = !bytes.empty() && writeReplacing(state_.lastFileName, [&](const std::string& temporary) {
    {
      std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
      out.close();
      if (!out) return false;
    }
    std::error_code ec;
    return std::filesystem::file_size(temporary, ec) == bytes.size() && !ec;
  });
  if (!written) {
    services().message("can't save " + state_.lastFileName +
                       ": the file could not be written completely. The file there, if any, is unchanged.");
    return false;
  }
  unsavedEdits_ = false;
  state_.noticeVerb = "saved as:";
  windows_.showNotice();
  return true;
}

void MainWindow::loadState() {
  state_.lastFileName.clear();
  const auto path = services().openFileName({"Open File", kFilter, "kvt", false, true});
  if (!path || path->empty()) return;
  loadStateFile(*path);
}

bool MainWindow::loadStateFile(const std::string& path) {
  if (windows_.previewBusy()) {
    services().beep();
    return false;
  }
  state_.lastFileName = path;
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) {
    services().message("can't open " + path + ": " + file.errorString().toStdString());
    return false;
  }
  if (file.size() > kMaxStateFileBytes) {
    services().message("can't load " + path + ": the file is far too large to be a state file");
    return false;
  }
  const QByteArray raw = file.readAll();
  const std::vector<uint8_t> bytes(raw.begin(), raw.end());
  auto decoded = decodeStateFile(bytes);
  if (const auto* failure = std::get_if<DecodeFailure>(&decoded)) {
    services().message(failureText(path, *failure));
    return false;
  }
  const auto& records = std::get<std::vector<KeyFrame>>(decoded);
  if (!history_.appendLoaded(records)) {
    services().message("can't load " + path + ": the history cannot hold " + std::to_string(records.size() - 1) +
                       " more frames");
    return false;
  }
  state_.noticeDetail = std::string(kStateFileHeader) + "    " + std::to_string(records.size() - 1) + " elements";
  state_.curFrame = history_.current();
  applyFrame();
  showFrameLabels();
  windows_.updateGeos();
  statePath_ = path;
  state_.noticeVerb = "loaded from:";
  state_.previewOpen = true;
  windows_.showNotice();
  windows_.historyChanged();
  return true;
}

bool MainWindow::recoverStateFile(const std::string& path) {
  if (!loadStateFile(path)) return false;
  statePath_.clear();
  unsavedEdits_ = true;
  return true;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() == 1 && urls.front().isLocalFile() &&
      QFileInfo(urls.front().toLocalFile()).suffix().compare("kvt", Qt::CaseInsensitive) == 0) {
    event->acceptProposedAction();
  }
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty()) return;
  event->acceptProposedAction();
  loadStateFile(urls.front().toLocalFile().toStdString());
}

}  // namespace quill
