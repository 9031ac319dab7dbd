// Stand-in downloader: serves prepared answers per URL into the stand-in's
// files, and records what was asked for.
#pragma once
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/download.h"
#include "platform/sim/sim_system.h"

namespace zt {

// The code the system gives when the server cannot be reached.
constexpr int32_t kInetCannotConnect = static_cast<int32_t>(0x800C0008u);

struct SimResponse {
  int32_t result = kSOk;
  std::optional<std::string> body;  // written as the file when set
  bool readOnly = false;            // the written file gets the read-only attribute
};

class SimDownloader : public Downloader {
 public:
  explicit SimDownloader(SimSystem& sys) : sys_(sys) {}

  int32_t DownloadToFile(const std::string& url, const std::string& path) override;
  std::optional<std::string> UpdateBaseOverride() override { return baseOverride; }

  // Answers by URL; any other URL gets `otherwise` (the server cannot be reached).
  std::map<std::string, SimResponse> responses;
  SimResponse otherwise{kInetCannotConnect, std::nullopt, false};
  std::optional<std::string> baseOverride;
  std::vector<std::string> requests;      // URLs in the order asked for
  std::function<void()> duringDownload;   // runs inside each download, before the answer

 private:
  SimSystem& sys_;
};

}  // namespace zt
