// Verification of a database's signature file with libsodium. Nothing here
// needs randomness, so sodium_init (which would start the library's random
// source) is never called: the functions used work without it.
#include "rules/db_signature.h"

#include <sodium.h>

#include <cstring>

namespace zt {
namespace {

constexpr size_t kIdSize = 8;
constexpr size_t kSigSize = crypto_sign_ed25519_BYTES;         // 64
constexpr size_t kKeySize = crypto_sign_ed25519_PUBLICKEYBYTES;  // 32
constexpr const char* kTrustedPrefix = "trusted comment: ";

// The bytes of a base64 text, when it decodes to exactly size bytes.
bool DecodeExact(const std::string& text, uint8_t* out, size_t size) {
  size_t got = 0;
  const char* end = nullptr;
  if (sodium_base642bin(out, size, text.data(), text.size(), nullptr, &got, &end,
                        sodium_base64_VARIANT_ORIGINAL) != 0)
    return false;
  return got == size && end == text.data() + text.size();
}

std::string TrimBlanks(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

// The lines of the file without their CR LF or LF ends.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t nl = text.find('\n', pos);
    std::string line = text.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    if (nl == std::string::npos) break;
    pos = nl + 1;
  }
  return lines;
}

// "timestamp:<digits>" at the start of the comment or after a blank.
bool FindTimestamp(const std::string& comment, uint64_t& out) {
  static const std::string kName = "timestamp:";
  for (size_t at = comment.find(kName); at != std::string::npos; at = comment.find(kName, at + 1)) {
    if (at > 0 && comment[at - 1] != ' ' && comment[at - 1] != '\t') continue;
    size_t p = at + kName.size(), digits = 0;
    uint64_t value = 0;
    for (; p < comment.size() && comment[p] >= '0' && comment[p] <= '9'; ++p, ++digits) {
      if (digits == 19) return false;  // beyond any time in seconds
      value = value * 10 + static_cast<uint64_t>(comment[p] - '0');
    }
    if (digits == 0) continue;
    out = value;
    return true;
  }
  return false;
}

bool Verify(const uint8_t* sig, const uint8_t* message, size_t size, const PublicKey& key) {
  return crypto_sign_ed25519_verify_detached(sig, message, size, key.key.data()) == 0;
}

}  // namespace

bool ParsePublicKey(const std::string& line, PublicKey& out) {
  uint8_t raw[2 + kIdSize + kKeySize];
  if (!DecodeExact(TrimBlanks(line), raw, sizeof raw)) return false;
  if (raw[0] != 'E' || raw[1] != 'd') return false;
  std::memcpy(out.id.data(), raw + 2, kIdSize);
  std::memcpy(out.key.data(), raw + 2 + kIdSize, kKeySize);
  return true;
}

SignatureCheck VerifyDatabaseSignature(const std::string& database, const std::string& signature,
                                       const std::vector<PublicKey>& trusted) {
  SignatureCheck result;
  if (TrimBlanks(signature).empty()) return result;  // Missing
  result.status = SignatureStatus::Malformed;

  // untrusted comment, signature, trusted comment, global signature
  std::vector<std::string> lines = Lines(signature);
  if (lines.size() < 4 || lines[2].compare(0, std::strlen(kTrustedPrefix), kTrustedPrefix) != 0)
    return result;
  uint8_t sig[2 + kIdSize + kSigSize];
  uint8_t global[kSigSize];
  if (!DecodeExact(TrimBlanks(lines[1]), sig, sizeof sig) || !DecodeExact(TrimBlanks(lines[3]), global, sizeof global))
    return result;
  bool prehashed = sig[0] == 'E' && sig[1] == 'D';
  if (!prehashed && !(sig[0] == 'E' && sig[1] == 'd')) return result;

  const PublicKey* key = nullptr;
  for (const PublicKey& k : trusted)
    if (std::memcmp(k.id.data(), sig + 2, kIdSize) == 0) key = &k;
  if (!key) {
    result.status = SignatureStatus::UnknownKey;
    return result;
  }

  result.status = SignatureStatus::Invalid;
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(database.data());
  uint8_t hash[crypto_generichash_blake2b_BYTES_MAX];
  size_t size = database.size();
  if (prehashed) {
    crypto_generichash_blake2b(hash, sizeof hash, bytes, size, nullptr, 0);
    bytes = hash;
    size = sizeof hash;
  }
  if (!Verify(sig + 2 + kIdSize, bytes, size, *key)) return result;

  // The global signature covers the signature and the trusted comment.
  std::string comment = lines[2].substr(std::strlen(kTrustedPrefix));
  std::string signedText(reinterpret_cast<const char*>(sig + 2 + kIdSize), kSigSize);
  signedText += comment;
  if (!Verify(global, reinterpret_cast<const uint8_t*>(signedText.data()), signedText.size(), *key))
    return result;

  result.trustedComment = comment;
  result.status = FindTimestamp(comment, result.timestamp) ? SignatureStatus::Valid : SignatureStatus::NoTimestamp;
  return result;
}

}  // namespace zt
