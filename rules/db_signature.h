// The signature of a published rule database: a detached signature file
// beside the database (Ed25519, in the minisign format), checked against
// the keys the program trusts. The channel is plain HTTP, so the signature
// alone decides whether a download is the maker's (or a trusted mirror's).
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zt {

// The maker's release key: the base64 line of its public key file. Its
// secret half is never in the repository.
constexpr const char* kReleaseKey = "RWTBA3qQmLDlJ/Nf2007airquebyqF6GWIWhtROOErbSvlbBSgohWwB1";

// The signature file's name: the database's address or path plus this.
constexpr const char* kSignatureSuffix = ".minisig";

struct PublicKey {
  std::array<uint8_t, 8> id{};
  std::array<uint8_t, 32> key{};
};

// The key of a base64 key line (the second line of a public key file;
// blanks around it are ignored). False for anything else.
bool ParsePublicKey(const std::string& line, PublicKey& out);

enum class SignatureStatus {
  Valid,
  Missing,       // no signature file, or an empty one
  Malformed,     // not a signature file, or an algorithm it does not name
  UnknownKey,    // made by a key that is not trusted
  Invalid,       // the database or the trusted comment does not match it
  NoTimestamp,   // valid, but the trusted comment carries no timestamp
};

struct SignatureCheck {
  SignatureStatus status = SignatureStatus::Missing;
  uint64_t timestamp = 0;      // "timestamp:<seconds>" of the trusted comment
  std::string trustedComment;  // set once the signature is valid
};

// Checks the signature file's text against the database's bytes. Both
// forms are taken: the legacy one ("Ed": the signature covers the bytes)
// and the pre-hashed one ("ED": it covers their BLAKE2b-512 hash). The
// trusted comment counts only when its global signature verifies too.
SignatureCheck VerifyDatabaseSignature(const std::string& database, const std::string& signature,
                                       const std::vector<PublicKey>& trusted);

}  // namespace zt
