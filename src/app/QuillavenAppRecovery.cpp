// Crash recovery as the user meets it: the history follows every change into
// this copy's recovery file, and a start after a crash offers the frames back.
#include <string>
#include <variant>

#include "engine/StateFile.h"
#include "app/CrashRecovery.h"
#include "app/HeadlessRender.h"
#include "app/QuillavenApp.h"
#include "mainwindow/MainWindow.h"

namespace quill {

namespace {
std::string restoreQuestion(size_t frames) {
  return "Restore " + std::to_string(frames) + (frames == 1 ? " key frame" : " key frames") +
         " from before the crash?";
}
}  // namespace

void QuillavenApp::enableCrashRecovery(const std::string& folder) {
  recovery_ = std::make_unique<CrashRecovery>(folder);
  if (recovery_->active()) offerCrashedFiles();
}

std::string QuillavenApp::recoveryPath() const { return recovery_ ? recovery_->statePath() : std::string(); }

// Yes loads the frames as "load state" would; the crashed file goes only once
// this copy's own recovery file holds them. No, or a file that cannot be
// read, keeps it under a time-stamped name. A file with no frames but the
// start-up one holds nothing to restore.
void QuillavenApp::offerCrashedFiles() {
  for (CrashRecovery::Orphan& orphan : recovery_->takeOrphans()) {
    const auto read = readStateFile(orphan.statePath);
    const auto* records = std::get_if<std::vector<KeyFrame>>(&read);
    if (records != nullptr && records->size() <= 1) {
      CrashRecovery::release(orphan, true);
      continue;
    }
    if (records != nullptr &&
        services().message(restoreQuestion(records->size() - 1), MessageButtons::YesNo, true) == MessageAnswer::Yes) {
      recoveryWritten_ = false;
      if (mainWindow().recoverStateFile(orphan.statePath) && recoveryWritten_) {
        CrashRecovery::release(orphan, true);
        continue;
      }
    }
    const std::string kept = CrashRecovery::moveAside(orphan);
    CrashRecovery::release(orphan, false);
    if (records == nullptr) {
      services().message("the recovery file of a crashed run can't be read (" + std::get<std::string>(read) +
                         "); it is kept as " + (kept.empty() ? orphan.statePath : kept));
    }
  }
}

// Only what a state file holds is written: the frames still in the list.
void QuillavenApp::historyChanged() {
  if (!recovery_ || !recovery_->active()) return;
  std::vector<KeyFrame> records;
  for (const KeyFrame& frame : mainWindow().history().listed()) {
    if (frame.deleted == 0) records.push_back(frame);
  }
  recoveryWritten_ = recovery_->write(records);
  if (!recoveryWritten_ && !recoveryFailureShown_) {
    recoveryFailureShown_ = true;
    services().message("can't write the recovery file " + recovery_->statePath() +
                       ": until the history is saved, a crash would lose it");
  }
}

}  // namespace quill
