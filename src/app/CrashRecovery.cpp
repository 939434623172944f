#include "app/CrashRecovery.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "engine/KeyFrameCodec.h"
#include "media/SafeWrite.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

constexpr char kPrefix[] = "recovery-";
constexpr char kStateSuffix[] = ".kvt";
constexpr char kLockSuffix[] = ".lock";

bool startsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }
bool endsWith(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// An exclusive lock that fails at once rather than waiting for its holder.
int tryLock(const std::string& path, int flags) {
  const int fd = ::open(path.c_str(), flags | O_RDWR | O_CLOEXEC, 0600);
  if (fd < 0) return -1;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

std::string timeStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

}  // namespace

std::string CrashRecovery::defaultFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && state[0] == '/') return (fs::path(state) / "quillaven").string();
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') return {};
  return (fs::path(home) / ".local" / "state" / "quillaven").string();
}

// The name carries the process id and the start time, so a later process
// that happens to get the same id never takes over a crashed copy's file. The
// lock is taken under a temporary name and then renamed into place, so a lock
// file another start can see is always already held.
CrashRecovery::CrashRecovery(std::string folder) : folder_(std::move(folder)) {
  std::error_code ec;
  if (folder_.empty() || (fs::create_directories(folder_, ec), ec) || !fs::is_directory(folder_, ec)) return;
  const auto started = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::system_clock::now().time_since_epoch());
  const std::string stem = std::string(kPrefix) + std::to_string(::getpid()) + "-" + std::to_string(started.count());
  statePath_ = (fs::path(folder_) / (stem + kStateSuffix)).string();
  lockPath_ = (fs::path(folder_) / (stem + kLockSuffix)).string();
  const std::string claiming = (fs::path(folder_) / ("." + stem + kLockSuffix)).string();
  lockFd_ = tryLock(claiming, O_CREAT | O_EXCL);
  if (lockFd_ >= 0 && ::rename(claiming.c_str(), lockPath_.c_str()) != 0) {
    ::unlink(claiming.c_str());
    ::close(lockFd_);
    lockFd_ = -1;
  }
}

CrashRecovery::~CrashRecovery() {
  if (!active()) return;
  std::error_code ec;
  fs::remove(statePath_, ec);
  ::unlink(lockPath_.c_str());
  ::close(lockFd_);
}

bool CrashRecovery::write(const std::vector<KeyFrame>& records) {
  if (!active()) return false;
  const std::vector<uint8_t> bytes = encodeStateFile(records);
  if (bytes.empty()) return false;
  return writeReplacing(statePath_, [&](const std::string& temporary) {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
  });
}

std::vector<CrashRecovery::Orphan> CrashRecovery::takeOrphans() {
  std::vector<Orphan> orphans;
  std::error_code ec;
  if (folder_.empty() || !fs::is_directory(folder_, ec)) return orphans;
  std::vector<std::string> stems;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder_, ec)) {
    const std::string name = entry.path().filename().string();
    if (!startsWith(name, kPrefix)) continue;
    if (endsWith(name, kStateSuffix)) stems.push_back(name.substr(0, name.size() - std::size(kStateSuffix) + 1));
    if (endsWith(name, kLockSuffix)) stems.push_back(name.substr(0, name.size() - std::size(kLockSuffix) + 1));
  }
  std::sort(stems.begin(), stems.end());
  stems.erase(std::unique(stems.begin(), stems.end()), stems.end());
  for (const std::string& stem : stems) {
    Orphan orphan{(fs::path(folder_) / (stem + kStateSuffix)).string(),
                  (fs::path(folder_) / (stem + kLockSuffix)).string(), -1};
    if (orphan.lockPath == lockPath_) continue;
    // A lock file that went missing is taken afresh; one held is a running copy.
    orphan.lockFd = tryLock(orphan.lockPath, O_CREAT);
    if (orphan.lockFd < 0) continue;
    if (fs::is_regular_file(orphan.statePath, ec)) {
      orphans.push_back(orphan);
    } else {
      release(orphan, false);
    }
  }
  return orphans;
}

std::string CrashRecovery::moveAside(const Orphan& orphan) {
  const fs::path folder = fs::path(orphan.statePath).parent_path();
  const std::string stamp = "crashed-" + timeStamp();
  std::error_code ec;
  for (int n = 1; n < 1000; ++n) {
    std::string name = stamp;
    if (n > 1) name.append("-").append(std::to_string(n));
    const fs::path target = folder / name.append(kStateSuffix);
    if (fs::exists(target, ec)) continue;
    fs::rename(orphan.statePath, target, ec);
    return ec ? std::string() : target.string();
  }
  return {};
}

void CrashRecovery::release(Orphan& orphan, bool removeStateFile) {
  std::error_code ec;
  if (removeStateFile) fs::remove(orphan.statePath, ec);
  if (orphan.lockFd >= 0) {
    ::unlink(orphan.lockPath.c_str());
    ::close(orphan.lockFd);
    orphan.lockFd = -1;
  }
}

}  // namespace quill
