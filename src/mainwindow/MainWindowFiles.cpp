// State files: "save state" writes the history, "load state" appends a
// file's frames after the last one. Files are read as untrusted: a damaged
// file is refused whole, with the record that is wrong, and changes nothing.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <variant>

#include "engine/KeyFrameCodec.h"
#include "engine/StateFile.h"
#include "mainwindow/HistoryBar.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/WindowDirectory.h"
#include "platform/DesktopServices.h"
#include "media/SafeWrite.h"

namespace quill {

namespace {

constexpr char kFilter[] = "Files (*.kvt)|*.kvt";

}  // namespace

bool MainWindow::saveState() {
  std::vector<KeyFrame> records = history_.recordsForSave();
  const auto path = services().saveFileName({"Save File", kFilter, "kvt", true, true});
  if (!path || path->empty()) return false;
  return writeStateFile(records, *path);
}

// The old file is replaced only once the new one is whole on disk. The size
// is checked after closing because a full disk can cut a write short without
// any call reporting it.
bool MainWindow::writeStateFile(const std::vector<KeyFrame>& records, const std::string& path) {
  const std::vector<uint8_t> bytes = encodeStateFile(records);
  const bool written = !bytes.empty() && writeReplacing(path, [&](const std::string& temporary) {
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
    services().message("can't save " + path +
                       ": the file could not be written completely. The file there, if any, is unchanged.");
    return false;
  }
  unsavedEdits_ = false;
  windows_.showNotice({"saved as:", path, std::nullopt});
  return true;
}

void MainWindow::loadState() {
  const auto path = services().openFileName({"Open File", kFilter, "kvt", false, true});
  if (!path || path->empty()) return;
  loadStateFile(*path);
}

bool MainWindow::loadStateFile(const std::string& path) {
  if (windows_.previewBusy()) {
    services().beep();
    return false;
  }
  auto read = readStateFile(path);
  if (const auto* message = std::get_if<std::string>(&read)) {
    services().message(*message);
    return false;
  }
  const auto& records = std::get<std::vector<KeyFrame>>(read);
  if (!history_.appendLoaded(records)) {
    services().message("can't load " + path + ": the history cannot hold " + std::to_string(records.size() - 1) +
                       " more frames");
    return false;
  }
  state_.curFrame = history_.current();
  applyFrame();
  historyBar_->showPosition(history_);
  windows_.updateGeos();
  statePath_ = path;
  state_.previewOpen = true;
  windows_.showNotice({"loaded from:", path,
                       std::string(kStateFileHeader) + "    " + std::to_string(records.size() - 1) + " elements"});
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
