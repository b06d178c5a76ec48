#pragma once

// Compiled-in values of the framework that no screen draws: the customer's identity, the access
// token, the server's address, notification names and the network monitor's status codes. Nothing
// here changes at run time; the server address alone can be redirected, through
// `APIService::setBaseURL`, never by editing these values.
//
// They are character arrays fixed at compile time, never objects built at start-up: a host compiled
// by another compiler binds such an object in its own copy, which may then take the library's place
// unbuilt (the library would read an empty path prefix). tests/package checks every installed header.

#include <string>

namespace kerbelin {

// The fixed customer: sent as "mobilePhone" and "customerName" and shown by the QR cell.
inline constexpr char phoneUser[] = "0912345678";
inline constexpr char nameUser[] = "Nguyễn Văn An";

// The whole value of the "Authorization" header of every request. It is a credential: it never goes
// to the console.
inline constexpr char authorHeader[] = "Bearer kb-7f3a9c2e51d84b06a1e0c3f5d92b7e48";

// The compiled-in address of the back-end, and the prefix every endpoint path lives under.
inline constexpr char kDefaultBaseURL[] = "https://api.halvet.vn";
inline constexpr char kApiPathPrefix[] = "/kerbelin-app";

// Names of the notifications the framework posts on the default centre.
namespace NotificationName {
// Posted when the user leaves the waiting-for-payment screen for the my-cards tab; the my-cards
// screen reloads its list.
inline constexpr char RefreshMyCardPage[] = "RefreshMyCardPage";
}  // namespace NotificationName

// Posted by the network monitor each time the link's status changes.
inline constexpr char kNetworkConnectionChangedNotification[] = "NetworkConnectionChanged";

// The network monitor's status values.
inline constexpr int kNW_DISCONNECT = 0;
inline constexpr int kNW_WIFI = 1;
inline constexpr int kNW_CELL_2G = 2;
inline constexpr int kNW_CELL_3G = 3;
inline constexpr int kNW_CELL_4G = 4;
inline constexpr int kNW_CELL_UNKNOWN = 5;

}  // namespace kerbelin
