// Stand-in downloader.
#include "platform/sim/sim_download.h"

namespace zt {

int32_t SimDownloader::Fetch(const std::string& url, size_t maxBytes, TransferControl& control, std::string& out) {
  out.clear();
  if (control.cancel) return kEAbort;
  requests.push_back(url);
  if (duringDownload) duringDownload();
  auto it = responses.find(url);
  const SimResponse& r = it == responses.end() ? otherwise : it->second;
  if (!r.body) return r.result;
  control.received += static_cast<uint32_t>(r.body->size());
  // As the real one, a body over the limit is refused, not cut.
  if (r.body->size() > maxBytes) return kETooLarge;
  out = *r.body;
  return r.result;
}

}  // namespace zt
