#include <WebImage/SDWebImageError.h>

namespace ios {

std::string SDWebImageError::localizedDescription() const {
  switch (code) {
    case Code::invalidURL:
      return "Image url is nil or not an http address";
    case Code::invalidDownloadStatusCode:
      return "Download marked as failed because of invalid response status code " +
             std::to_string(statusCode);
    case Code::badImageData:
      return "Downloaded image decode failed";
    case Code::cancelled:
      return "Operation cancelled";
    case Code::network:
      break;
  }
  return underlying ? underlying->localizedDescription() : "Download failed";
}

}  // namespace ios
