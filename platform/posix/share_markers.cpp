#include "platform/posix/share_markers.h"

#include <fcntl.h>

#include <cerrno>

#include "platform/posix/last_error.h"

namespace platform::posix {
namespace {

enum Marker : std::uint64_t { kReads = 0, kWrites = 1, kDeniesRead = 2, kDeniesWrite = 3, kGuard = 4 };

struct flock byteLock(Marker marker, short type) {
  struct flock description {};
  description.l_type = type;
  description.l_whence = SEEK_SET;
  description.l_start = static_cast<off_t>(kShareMarkerBase + marker);
  description.l_len = 1;
  return description;
}

int setLock(int fd, Marker marker, short type, int command = F_OFD_SETLK) {
  struct flock description = byteLock(marker, type);
  int result;
  do {
    result = ::fcntl(fd, command, &description);
  } while (result == -1 && errno == EINTR);
  return result == 0 ? kFileOk : lastFileError();
}

// Whether another open file description holds `marker`; 0 or a FileError.
int heldByOthers(int fd, Marker marker, bool& held) {
  struct flock description = byteLock(marker, F_WRLCK);
  if (::fcntl(fd, F_OFD_GETLK, &description) != 0) return lastFileError();
  held = description.l_type != F_UNLCK;
  return kFileOk;
}

// The guard byte, held exclusively while an opener looks at and places markers.
class Guard {
 public:
  Guard(int fd, bool wanted) : fd_(wanted ? fd : -1) {
    if (fd_ >= 0) result_ = setLock(fd_, kGuard, F_WRLCK, F_OFD_SETLKW);
  }
  ~Guard() {
    if (fd_ >= 0 && result_ == kFileOk) setLock(fd_, kGuard, F_UNLCK);
  }
  Guard(const Guard&) = delete;
  Guard& operator=(const Guard&) = delete;

  int result() const { return result_; }

 private:
  int fd_;
  int result_ = kFileOk;
};

struct Claim {
  bool reads;
  bool writes;
  bool deniesRead;
  bool deniesWrite;
};

Claim claimOf(FileAccess access, ShareMode share) {
  return {access != FileAccess::Write, access != FileAccess::Read,
          share == ShareMode::DenyRead || share == ShareMode::DenyAll,
          share == ShareMode::DenyWrite || share == ShareMode::DenyAll};
}

// Each marker this opener would place, and the marker of others that conflicts with it.
struct Rule {
  bool Claim::*wanted;
  Marker own;
  Marker conflicting;
};

constexpr Rule kRules[] = {
    {&Claim::reads, kReads, kDeniesRead},
    {&Claim::writes, kWrites, kDeniesWrite},
    {&Claim::deniesRead, kDeniesRead, kReads},
    {&Claim::deniesWrite, kDeniesWrite, kWrites},
};

}  // namespace

int claimShareMarkers(int fd, FileAccess access, ShareMode share, bool guarded) {
  Guard guard(fd, guarded);
  if (guard.result() != kFileOk) return guard.result();
  Claim claim = claimOf(access, share);
  for (const Rule& rule : kRules) {
    if (!(claim.*rule.wanted)) continue;
    bool held = false;
    if (int result = heldByOthers(fd, rule.conflicting, held); result != kFileOk) return result;
    if (held) return kFileSharingViolation;
  }
  for (const Rule& rule : kRules) {
    if (!(claim.*rule.wanted)) continue;
    if (int result = setLock(fd, rule.own, F_RDLCK); result != kFileOk) return result;
  }
  return kFileOk;
}

}  // namespace platform::posix
