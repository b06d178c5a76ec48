#include <Service/Domain.h>

#include <Service/APIService.h>
#include <Ultilities/Constants/Constants.h>

namespace kerbelin {

std::string Domain::url(std::string_view path) {
  std::string address = APIService::baseURL();
  address += kApiPathPrefix;
  address += path;
  return address;
}

}  // namespace kerbelin
