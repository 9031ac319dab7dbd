// Stand-in downloader: serves prepared answers per URL, and records what
// was asked for.
#pragma once
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/download.h"

namespace zt {

// The code the system gives when the server cannot be reached.
constexpr int32_t kInetCannotConnect = static_cast<int32_t>(0x800C0008u);

struct SimResponse {
  int32_t result = kSOk;
  std::optional<std::string> body;  // what arrives (also before a failure)
};

class SimDownloader : public Downloader {
 public:
  int32_t Fetch(const std::string& url, size_t maxBytes, TransferControl& control, std::string& out) override;
  std::optional<std::string> UpdateBaseOverride() override { return baseOverride; }

  // Answers by URL; any other URL gets `otherwise` (the server cannot be reached).
  std::map<std::string, SimResponse> responses;
  SimResponse otherwise{kInetCannotConnect, std::nullopt};
  std::optional<std::string> baseOverride;
  std::vector<std::string> requests;      // URLs in the order asked for
  std::function<void()> duringDownload;   // runs inside each fetch, before the answer
};

}  // namespace zt
