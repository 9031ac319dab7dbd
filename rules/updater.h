// The rule database updater's logic: the address of the published
// database, the download of the database and its signature, the checks a
// download must pass (a signature by a trusted key, no roll-back, rule
// lists in it), the rules a downloaded entry must meet, and the merge of
// the chosen lists into the rule lists. The merged lists reach the rule
// database file when the program ends.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/download.h"
#include "platform/registry.h"
#include "rules/db_signature.h"
#include "rules/rule_lists.h"

namespace zt {

// The choices of the updater window; all checked when it opens.
struct UpdateChoices {
  bool WDS = true;  // CheckBoxUPWDS
  bool URL = true;  // CheckBoxUPURL
  bool ADS = true;  // CheckBoxUPADS
  bool WCS = true;  // CheckBoxUPWCS
  bool keepExisting = true;  // CheckBoxUpClear: keep the rows already in a list
};

// The largest database and signature file taken.
constexpr size_t kMaxDatabaseBytes = 16 * 1024 * 1024;
constexpr size_t kMaxSignatureBytes = 4096;

// Machine-wide keys an administrator trusts besides the release key: each
// REG_SZ value holds the base64 line of a public key; names are free.
constexpr const char* kUpdateKeysKey = "Software\\veltrano\\Zapotrix\\V1\\UpdateKeys";
// Per user: the timestamp of the newest database taken, so that an older
// one (a replay of a database since replaced) is refused.
constexpr const char* kUpdaterStateKey = "Software\\veltrano\\Zapotrix\\V1\\Updater";
constexpr const char* kTakenTimestampValue = "DatabaseTimestamp";

// True for "http://host[:port][/path]": the only form of base address that
// the environment may set.
bool IsHttpBase(const std::string& base);

// The address of the published database: the update server, or the base
// address from the environment when it has the form above, followed by
// kUpdatePath. The signature is at that address plus kSignatureSuffix.
std::string UpdateURL(Downloader& downloader);

// A transfer that receives nothing for this long has stalled; none may take
// longer than the overall limit.
constexpr uint32_t kStallLimitMs = 30000;
constexpr uint32_t kTransferLimitMs = 180000;

// Tells from the byte count and the clock (milliseconds, wrapping) whether
// a transfer still lives.
class TransferWatch {
 public:
  enum class State { Alive, Stalled, TooLong };
  void Start(uint32_t now) {
    start_ = progress_ = now;
    received_ = 0;
  }
  State Check(uint32_t now, uint32_t received) {
    if (received != received_) {
      received_ = received;
      progress_ = now;
    }
    if (now - start_ >= kTransferLimitMs) return State::TooLong;
    if (now - progress_ >= kStallLimitMs) return State::Stalled;
    return State::Alive;
  }

 private:
  uint32_t start_ = 0, progress_ = 0, received_ = 0;
};

// What one download job fetched: the database, then its signature.
struct DownloadedDB {
  int32_t database = kEFail;   // the result codes of the two transfers
  int32_t signature = kEFail;
  std::string bytes;           // the database
  std::string signatureText;   // its signature file
};

// Fetches the database at url and its signature, each within its size
// limit. Runs on the worker thread; stops early once control.cancel is set.
void DownloadDatabase(Downloader& downloader, const std::string& url, TransferControl& control,
                      DownloadedDB& out);

// The keys a signature may be made with: the release key and the valid
// ones listed under kUpdateKeysKey.
std::vector<PublicKey> TrustedKeys(Registry& registry);
std::optional<uint64_t> TakenTimestamp(Registry& registry);
void RememberTakenTimestamp(Registry& registry, uint64_t timestamp);

// Why a download is taken or refused.
enum class DownloadVerdict {
  Taken,
  NoSignature,
  BadSignature,   // malformed, or it does not match the database
  UntrustedKey,
  Undated,        // valid, but without a timestamp
  RolledBack,     // older than the newest database taken before
  NoRuleLists,    // none of the sections "ADS", "URL", "WCS", "WDS"
};

// Checks a completed download. On Taken, timestamp holds the database's.
DownloadVerdict CheckDownload(const DownloadedDB& download, const std::vector<PublicKey>& trusted,
                              std::optional<uint64_t> newestTaken, uint64_t& timestamp);

// Whether a downloaded entry is taken: the rules that keep a published list
// from holding entries that are blank or would match almost any window.
// They apply to downloads only; what a user types stays the user's choice.
bool AcceptableKeyword(const std::string& value);  // ADS
bool AcceptableCaption(const std::string& value);  // WCS
bool AcceptableURL(const std::string& value);      // URL
bool AcceptableSize(const std::string& width, const std::string& height);  // WDS

struct MergeReport {
  size_t refused = 0;  // downloaded entries the rules above did not take
};

// Merges the chosen sections of a downloaded database into the lists. A
// chosen text list becomes the case-insensitively distinct entries of the
// section that the rules take (with keepExisting: the current rows first,
// so their spelling wins); WDS pairs are distinct by exact text. A list
// whose section is missing, or has no entry that is taken, stays exactly
// as it is, as do lists not chosen. Every list is computed before any is
// replaced: a failure (out of memory) leaves all of them as they were.
MergeReport MergeDownload(const std::string& database, RuleLists& lists, const UpdateChoices& choices);

}  // namespace zt
