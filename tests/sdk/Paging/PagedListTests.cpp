// The paged-list bookkeeping on its own: which page each trigger asks for and which replies count.

#include <Ultilities/Paging/PagedList.h>
#include <gtest/gtest.h>

#include <optional>

namespace kerbelin {
namespace {

using Page = PagedList::Page;
using Overlap = PagedList::Overlap;
constexpr std::optional<std::size_t> kFailed = std::nullopt;

struct Screen {
  explicit Screen(PagedList::Options options) : paging(pageNumber, loading, options) {}
  int pageNumber = 1;
  bool loading = false;
  PagedList paging;
};

TEST(PagedList, NextPagesFollowEachOtherAndAFailedOneIsAskedForAgain) {
  Screen s({.firstPage = 1});
  auto first = s.paging.next();  // nothing has arrived yet: the first page
  ASSERT_TRUE(first && first->isFirstPage);
  EXPECT_FALSE(s.paging.next());  // one request at a time
  EXPECT_TRUE(s.paging.settle(*first, 5));
  auto second = s.paging.next();
  ASSERT_TRUE(second);
  EXPECT_EQ(second->page, 2);
  EXPECT_FALSE(second->isFirstPage);
  EXPECT_TRUE(s.loading);
  EXPECT_TRUE(s.paging.settle(*second, kFailed));
  EXPECT_FALSE(s.loading);
  EXPECT_EQ(s.pageNumber, 1);
  EXPECT_EQ(s.paging.next()->page, 2);
}

TEST(PagedList, AFailedFirstPageIsAskedForAgainByTheNextTrigger) {
  Screen s({.firstPage = 0});
  s.paging.settle(*s.paging.reload(), 5);
  s.paging.settle(*s.paging.reload(), kFailed);
  auto again = s.paging.next();
  ASSERT_TRUE(again);
  EXPECT_TRUE(again->isFirstPage);
  EXPECT_EQ(again->page, 0);
}

TEST(PagedList, AReloadSupersedesEveryRequestInFlight) {
  Screen s({.firstPage = 1});
  s.paging.settle(*s.paging.reload(), 5);
  auto old = *s.paging.next();
  auto fresh = *s.paging.reload();
  EXPECT_EQ(s.pageNumber, 1);
  EXPECT_FALSE(s.paging.settle(old, 5));  // dropped, and the newer request is still loading
  EXPECT_TRUE(s.loading);
  EXPECT_TRUE(s.paging.settle(fresh, 2));
  EXPECT_FALSE(s.loading);
  EXPECT_FALSE(s.paging.settle(fresh, 2));  // settles once
}

TEST(PagedList, AShortPageEndsPagingUntilTheNextReload) {
  Screen s({.firstPage = 0, .pageSize = 5});
  s.paging.settle(*s.paging.reload(), 5);
  s.paging.settle(*s.paging.next(), 4);
  EXPECT_TRUE(s.paging.ended());
  EXPECT_FALSE(s.paging.next());
  s.paging.reload();
  EXPECT_FALSE(s.paging.ended());
}

TEST(PagedList, QueuedReloadWaitsForTheRequestInFlightAndDropsItsReply) {
  Screen s({.firstPage = 0, .pageSize = 5, .overlap = Overlap::queue});
  s.paging.settle(*s.paging.reload(), 5);
  auto inFlight = *s.paging.next();
  EXPECT_FALSE(s.paging.reload());  // never two requests at once
  EXPECT_FALSE(s.paging.takeQueued());
  EXPECT_FALSE(s.paging.settle(inFlight, 5));
  EXPECT_FALSE(s.loading);
  auto queued = s.paging.takeQueued();
  ASSERT_TRUE(queued);
  EXPECT_TRUE(queued->isFirstPage);
  EXPECT_TRUE(s.loading);
  EXPECT_FALSE(s.paging.takeQueued());
  EXPECT_TRUE(s.paging.settle(*queued, kFailed));
  EXPECT_EQ(s.paging.next()->page, 0);  // a failed reload keeps reloading from the first page
}

}  // namespace
}  // namespace kerbelin
