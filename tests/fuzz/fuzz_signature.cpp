// Fuzz target: the signature file of a downloaded database, and public key
// lines, on any bytes. No input may crash the check, and none may pass it:
// nobody here holds a secret key, so a valid signature would be a forgery.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "rules/db_signature.h"
#include "rules/updater.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern const std::vector<std::string> kFuzzDictionary = {
    "untrusted comment: ", "trusted comment: ", "timestamp:", "timestamp:1800000000", "\tfile:x",
    "RWQ", "RUQ", "RWS", "Ed", "ED", "==", "=", "+", "/", "\n", "\r\n", " ", "\t",
    std::string(1, '\0'), zt::kReleaseKey};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  zt::PublicKey key;
  Check(zt::ParsePublicKey(zt::kReleaseKey, key));
  std::vector<zt::PublicKey> trusted{key};

  const std::string database = "[ADS]\r\n1=casino\r\n";
  zt::SignatureCheck check = zt::VerifyDatabaseSignature(database, input, trusted);
  Check(check.status != zt::SignatureStatus::Valid && check.status != zt::SignatureStatus::NoTimestamp);
  Check(check.trustedComment.empty());
  // The same bytes as the database, against an empty signature.
  Check(zt::VerifyDatabaseSignature(input, "", trusted).status == zt::SignatureStatus::Missing);

  // Any line may be offered as an administrator's key.
  zt::PublicKey parsed;
  if (zt::ParsePublicKey(input, parsed)) Check(input.find("RW") != std::string::npos);

  zt::DownloadedDB download;
  download.database = download.signature = zt::kSOk;
  download.bytes = database;
  download.signatureText = input;
  uint64_t timestamp = 0;
  Check(zt::CheckDownload(download, trusted, std::nullopt, timestamp) != zt::DownloadVerdict::Taken);
  return 0;
}
