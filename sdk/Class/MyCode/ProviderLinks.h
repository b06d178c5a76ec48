#pragma once

#include <Foundation/URL.h>

#include <optional>
#include <string>

namespace kerbelin {

class LocationModel;

// The links a provider's pages hand to the system's URL opener. Each is built only from values that
// cannot change its meaning: none is returned for a text that does not make a URL.
namespace ProviderLinks {

// "mailto:" and the address, each side of its '@' percent-encoded, so that a quote, a space or an
// '&' in the server's text stays part of the address. An empty address gives the bare "mailto:".
std::optional<ios::URL> mail(const std::string& email);
// The website as the server stores it; no scheme is added.
std::optional<ios::URL> website(const std::string& website);
// The social page as stored when it holds "http" anywhere (case-sensitive), else behind "http://".
std::optional<ios::URL> social(const std::string& facebook);

// The maps application that is asked first, by its bare scheme URL.
extern const char* const kMapsAppProbe;
// Driving directions from where the user is to the branch, in the maps application or, without it,
// on the web maps page. None unless both coordinates are plain decimal numbers.
std::optional<ios::URL> directions(const LocationModel& location, bool inMapsApp);

}  // namespace ProviderLinks

}  // namespace kerbelin
