#pragma once

#include <Network/HTTPError.h>

#include <optional>
#include <string>

namespace ios {

// Why a load ended without an image.
struct SDWebImageError {
  enum class Code {
    invalidURL,                 // No URL, or one that is not http or https: nothing was requested.
    invalidDownloadStatusCode,  // The server answered with a status outside 200...399.
    badImageData,               // The body is empty, or not a PNG, JPEG or GIF that decodes.
    network,                    // The transfer failed; `underlying` says how.
    cancelled,                  // The load was cancelled (a new load on the same view, for one).
  };

  Code code = Code::network;
  // The HTTP status, for `invalidDownloadStatusCode`.
  int statusCode = 0;
  // The transport's error, for `network`.
  std::optional<HTTPError> underlying;

  static SDWebImageError withCode(Code code, int statusCode = 0) {
    SDWebImageError error;
    error.code = code;
    error.statusCode = statusCode;
    return error;
  }

  std::string localizedDescription() const;
};

}  // namespace ios
