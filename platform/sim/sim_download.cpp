// Stand-in downloader.
#include "platform/sim/sim_download.h"

namespace zt {

int32_t SimDownloader::DownloadToFile(const std::string& url, const std::string& path) {
  requests.push_back(url);
  if (duringDownload) duringDownload();
  auto it = responses.find(url);
  const SimResponse& r = it == responses.end() ? otherwise : it->second;
  if (r.body) {
    sys_.SetFileAttributes(path, 0x80);  // an earlier read-only copy is replaced too
    if (sys_.failFileStep && sys_.failFileStep(SimFileStep::Write, path, "")) {
      // The connection broke halfway: the system leaves what arrived.
      sys_.PutFile(path, r.body->substr(0, r.body->size() / 2));
      return kEFail;
    }
    sys_.PutFile(path, *r.body);
    if (r.readOnly) sys_.SetFileAttributes(path, kAttrReadOnly);
  }
  return r.result;
}

}  // namespace zt
