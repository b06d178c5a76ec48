#include <Ultilities/Paging/PagedList.h>

namespace kerbelin {

PagedList::PagedList(int& pageNumber, bool& loading, Options options)
    : pageNumber_(pageNumber), loading_(loading), options_(options) {}

std::optional<PagedList::Page> PagedList::reload() {
  ended_ = false;
  if (options_.overlap == Overlap::queue && loading_) {
    current_ = 0;
    reloadQueued_ = true;
    return std::nullopt;
  }
  return send(options_.firstPage, true);
}

std::optional<PagedList::Page> PagedList::next() {
  if (loading_ || ended_) return std::nullopt;
  if (firstPageMissing_) return reload();
  return send(pageNumber_ + 1, false);
}

std::optional<PagedList::Page> PagedList::takeQueued() {
  if (!reloadQueued_ || loading_) return std::nullopt;
  reloadQueued_ = false;
  return reload();
}

PagedList::Page PagedList::send(int page, bool isFirstPage) {
  pageNumber_ = page;
  loading_ = true;
  inFlight_ = current_ = ++lastSerial_;
  return Page{lastSerial_, page, isFirstPage};
}

bool PagedList::settle(const Page& page, std::optional<std::size_t> rows) {
  if (page.serial == inFlight_) loading_ = false;
  if (page.serial == 0 || page.serial != current_) return false;
  current_ = 0;
  if (rows) {
    succeeded(page, *rows);
  } else {
    failed(page);
  }
  return true;
}

void PagedList::succeeded(const Page& page, std::size_t rows) {
  if (page.isFirstPage) firstPageMissing_ = false;
  ended_ = options_.pageSize > 0 && rows < options_.pageSize;
}

void PagedList::failed(const Page& page) {
  if (page.isFirstPage) {
    firstPageMissing_ = true;
  } else {
    pageNumber_ = page.page - 1;
  }
}

}  // namespace kerbelin
