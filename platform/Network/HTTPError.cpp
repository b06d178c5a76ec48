#include <Network/HTTPError.h>

namespace ios {

std::string HTTPError::localizedDescription() const {
  switch (kind) {
    case Kind::connectionRefused:
      return "Could not connect to the server.";
    case Kind::timedOut:
      return "The request timed out.";
    case Kind::hostNotFound:
      return "A server with the specified hostname could not be found.";
    case Kind::tlsFailure:
      return "An SSL error has occurred and a secure connection to the server cannot be made.";
    case Kind::invalidURL:
      return "unsupported URL";
    case Kind::cancelled:
      return "cancelled";
    case Kind::connectionLost:
      return "The network connection was lost.";
    case Kind::tooManyRedirects:
      return "too many HTTP redirects";
    case Kind::responseTooLarge:
      return "resource exceeds maximum size";
    case Kind::notJSON:
      return "The data couldn't be read because it isn't in the correct format.";
    case Kind::nestedTooDeep:
      return "The data couldn't be read because its arrays and objects nest more than 512 levels deep.";
    case Kind::other:
      break;
  }
  return "An unknown error occurred.";
}

}  // namespace ios
