// Replacing a file as a whole (System::WriteFileAtomic): the names of our
// own temporary files and the order of the steps. The Win32 backend and the
// stand-in supply the single file operations (FileSteps) and run these same
// steps, so one set of behavioural tests holds for both.
//
// What it promises: at every moment a complete file stands under the
// target's name or, for the short while of a replacement without system
// support, under the aside name below; a save that ends in the middle (a
// crash, a full disk, a refused rename) leaves the old content or the new,
// never a part, and the next save of the same file tidies up after it.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/system.h"

namespace zt {

// Our temporary files, named here and nowhere else. Both stand beside the
// target (a rename never leaves the folder, and so the volume) and carry its
// whole name plus a suffix of ours, so that the next save of the same file
// recognises them as its own leftovers and nothing else's:
//   "<target>.zt-new"  the new content while it is written;
//   "<target>.zt-old"  the old file, moved aside while the new one takes its
//                      place (and ReplaceFile's backup on the NT family).
// The program is one instance with one thread that saves, so a fixed name
// per target is enough.
constexpr char kReplaceNewSuffix[] = ".zt-new";
constexpr char kReplaceOldSuffix[] = ".zt-old";
inline std::string ReplaceNewName(const std::string& target) { return target + kReplaceNewSuffix; }
inline std::string ReplaceOldName(const std::string& target) { return target + kReplaceOldSuffix; }

// How a system puts one file in the place of another.
enum class ReplaceWay {
  // The NT family: ReplaceFile where the target exists, which keeps the
  // target's attributes and security; otherwise, or where ReplaceFile is
  // missing or refuses for a reason a rename cures, a replacing rename
  // (MoveFileEx).
  Nt,
  // Windows 9x, which has neither: the old file is moved aside, the new one
  // renamed into place, then the old one deleted; a failed rename moves the
  // old one back.
  Aside,
};

enum class StepResult {
  Done,
  // The system lacks the operation, or refused it for a reason where a plain
  // rename is the right answer.
  Unsupported,
  Failed,
};

// The single file operations of a replacement. Paths are Windows paths.
class FileSteps {
 public:
  virtual ~FileSteps() = default;
  virtual std::optional<uint32_t> Attributes(const std::string& path) = 0;
  // Creates or empties the file and writes the bytes through to the disk.
  // After a failure the file may stand half written.
  virtual bool WriteNew(const std::string& path, const std::string& bytes) = 0;
  // Deletes a file of ours, even one marked read-only.
  virtual bool Delete(const std::string& path) = 0;
  // Renames; fails when a file of the new name exists.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  // Renames over an existing file in one step.
  virtual StepResult RenameReplacing(const std::string& from, const std::string& to) = 0;
  // Puts the replacement in the place of the existing target, keeping the
  // target's attributes and security; the target passes through the backup
  // name on the way. After Unsupported or Failed the target may be left
  // under the backup name (the caller moves it back).
  virtual StepResult Replace(const std::string& target, const std::string& replacement,
                             const std::string& backup) = 0;
  // Why the step that failed last did, asked at once after it.
  virtual WriteError FailureCause() = 0;
};

namespace replace_detail {

inline bool Exists(FileSteps& steps, const std::string& path) {
  return steps.Attributes(path).has_value();
}

// The old file stands only aside (a save ended between its two renames):
// it goes back under its name.
inline void MoveBackAside(FileSteps& steps, const std::string& target, const std::string& aside) {
  if (!Exists(steps, target) && Exists(steps, aside)) steps.Rename(aside, target);
}

// The cause of the failure of the step just done; a failure always has one.
inline WriteError CauseOf(FileSteps& steps) {
  WriteError cause = steps.FailureCause();
  return cause == WriteError::None ? WriteError::Other : cause;
}

inline void DeleteIfThere(FileSteps& steps, const std::string& path) {
  if (Exists(steps, path)) steps.Delete(path);
}

inline WriteError InstallAside(FileSteps& steps, const std::string& target, const std::string& fresh,
                               const std::string& aside) {
  bool hadOld = Exists(steps, target);
  if (hadOld && !steps.Rename(target, aside)) return CauseOf(steps);
  if (!steps.Rename(fresh, target)) {
    WriteError cause = CauseOf(steps);
    if (hadOld) steps.Rename(aside, target);
    return cause;
  }
  // A copy that cannot be deleted now is a leftover the next save removes.
  if (hadOld) steps.Delete(aside);
  return WriteError::None;
}

inline WriteError InstallNt(FileSteps& steps, const std::string& target, const std::string& fresh,
                            const std::string& aside) {
  if (Exists(steps, target)) {
    StepResult r = steps.Replace(target, fresh, aside);
    if (r == StepResult::Done) {
      DeleteIfThere(steps, aside);
      return WriteError::None;
    }
    if (r == StepResult::Failed) {
      WriteError cause = CauseOf(steps);
      MoveBackAside(steps, target, aside);
      return cause;
    }
  }
  StepResult r = steps.RenameReplacing(fresh, target);
  // A system without a replacing rename, whatever version it gives.
  if (r == StepResult::Unsupported) {
    MoveBackAside(steps, target, aside);
    return InstallAside(steps, target, fresh, aside);
  }
  if (r == StepResult::Failed) {
    WriteError cause = CauseOf(steps);
    MoveBackAside(steps, target, aside);
    return cause;
  }
  // A refused ReplaceFile may have left the old file aside.
  DeleteIfThere(steps, aside);
  return WriteError::None;
}

}  // namespace replace_detail

// Writes the bytes to a temporary file beside the target and puts it in the
// target's place. When the target stays as it was (a folder, a
// write-protected file, a failed write or rename), says why; no temporary
// file of ours stays behind then.
inline WriteError ReplaceWhole(FileSteps& steps, ReplaceWay way, const std::string& target,
                               const std::string& bytes) {
  using namespace replace_detail;
  const std::string fresh = ReplaceNewName(target);
  const std::string aside = ReplaceOldName(target);
  // Leftovers of an earlier save that ended in the middle.
  MoveBackAside(steps, target, aside);
  DeleteIfThere(steps, fresh);
  DeleteIfThere(steps, aside);

  std::optional<uint32_t> attrs = steps.Attributes(target);
  if (attrs && (*attrs & kAttrDirectory)) return WriteError::AccessDenied;
  // A write-protected file stays as it is. Windows refuses to replace it,
  // but Wine replaces it all the same, and a move aside would not ask.
  if (attrs && (*attrs & kAttrReadOnly)) return WriteError::ReadOnly;

  WriteError cause = WriteError::None;
  if (!steps.WriteNew(fresh, bytes)) cause = CauseOf(steps);
  else if (way == ReplaceWay::Nt) cause = InstallNt(steps, target, fresh, aside);
  else cause = InstallAside(steps, target, fresh, aside);
  if (cause != WriteError::None) DeleteIfThere(steps, fresh);
  return cause;
}

}  // namespace zt
