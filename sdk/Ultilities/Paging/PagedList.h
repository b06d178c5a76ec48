#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace kerbelin {

// The request bookkeeping of a list fetched from the server one page at a time: which page to ask
// for next, whether a request is in flight, and whether a reply still counts when it arrives.
//
// Usage (a screen with the members `pageNumber` and `loading`; see BuyCardViewController):
//
//   PagedList paging_{pageNumber, loading, {.firstPage = 1, .pageSize = 10}};
//   loadData(isRefresh):  the screen's own guards, then
//       if (auto page = isRefresh ? paging_.reload() : paging_.next()) send(*page, ...);
//     the request's callbacks capture `page`, and whatever else the request alone owns (a loading
//     overlay's token, the filter it was sent with);
//   each outcome:  end what the request itself showed, read the reply, then
//       if (paging_.settle(page, rowsOrNone)) apply it (replace on `page.isFirstPage`, else append);
//     `rowsOrNone` is none for a transport failure or an unusable reply (no body, non-zero code);
//   with `Overlap::queue`, after each outcome: if (auto again = paging_.takeQueued()) send(*again, ...).
//
// The rule. Every request is a Page ticket. Only the newest first-page request and the next pages
// asked for after it count: `reload` starts a new first page and makes every ticket before it stale,
// whose replies the screen drops (apart from ending what that request itself showed). With
// `Overlap::supersede` the new first page is sent at once beside the stale one; with `Overlap::queue`
// never two requests are in flight: a reload asked for while one is in flight is held and handed out
// by `takeQueued` once that request has ended. `next` asks for the page after the last one asked for,
// never while a request is in flight and never after a short page (fewer rows than `pageSize`) until
// the next reload. A failed next page puts `pageNumber` back, so the next trigger asks for it again.
// Until a first page has arrived (none asked for yet, or the newest one failed) `next` asks for the
// first page instead of appending to a list that never arrived.
//
// The list keeps its state in the screen's own `pageNumber` (the last page asked for, or put back) and
// `loading` (a request is in flight), given at construction and outliving it; a screen reads them and
// changes them only through the list. Every call costs O(1) and allocates nothing. Main thread only.
class PagedList {
 public:
  enum class Overlap { supersede, queue };
  struct Options {
    int firstPage = 1;
    // A page with fewer rows than this ends paging until the next reload; 0 never ends it.
    std::size_t pageSize = 0;
    Overlap overlap = Overlap::supersede;
  };
  // One request: the page it asks for and whether that is the first page (whose reply replaces the
  // list; any other page's reply appends).
  struct Page {
    std::uint64_t serial = 0;
    int page = 0;
    bool isFirstPage = false;
  };

  PagedList(int& pageNumber, bool& loading, Options options);
  PagedList(const PagedList&) = delete;
  PagedList& operator=(const PagedList&) = delete;

  // The first page, to be sent now. With `Overlap::queue` while a request is in flight: none (the
  // reload is held for `takeQueued`), and the request in flight becomes stale.
  std::optional<Page> reload();
  // The next page, to be sent now; none while a request is in flight or after a short page. After a
  // failed first page this is the first page again.
  std::optional<Page> next();
  // The reload held while a request was in flight, once nothing is in flight; none otherwise.
  std::optional<Page> takeQueued();

  // Ends `page`'s request: `rows` is the row count of a usable reply, none for a failure or an
  // unusable reply. True when the outcome counts (apply the reply); false when `page` is stale (drop
  // it: the list records nothing but the end of the request).
  bool settle(const Page& page, std::optional<std::size_t> rows);

  // Whether a short page has ended paging.
  bool ended() const { return ended_; }

 private:
  Page send(int page, bool isFirstPage);
  void succeeded(const Page& page, std::size_t rows);
  void failed(const Page& page);

  int& pageNumber_;
  bool& loading_;
  Options options_;
  std::uint64_t lastSerial_ = 0;
  std::uint64_t inFlight_ = 0;  // serial of the request whose end clears `loading`
  std::uint64_t current_ = 0;   // serial whose reply counts; 0 when none does
  bool firstPageMissing_ = true;
  bool ended_ = false;
  bool reloadQueued_ = false;
};

}  // namespace kerbelin
