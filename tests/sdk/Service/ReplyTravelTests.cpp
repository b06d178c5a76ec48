// A reply's values are made once, by the parse of its body, and then move from the transport to the
// screen's models. The test counts the heap blocks of one distinctive size: a text of that length
// that rides in every card of a list, under a key no model reads, costs one block per card if the
// reply is moved all the way and one more per card for each copy on the way.

#include <sdk/MyCard/MyCardTestSupport.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <utility>

namespace {

std::atomic<std::size_t> watchedSize{0};
std::atomic<int> watchedBlocks{0};

void* allocate(std::size_t size) {
  if (size == watchedSize.load(std::memory_order_relaxed)) watchedBlocks.fetch_add(1, std::memory_order_relaxed);
  return std::malloc(size == 0 ? 1 : size);
}

}  // namespace

// Every plain form is replaced, so that each block is freed by the allocator that made it.
// g++ inlines the library's own new at call sites and then warns of the free() here; every new is
// replaced above, so the pair does match.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t size) {
  if (void* block = allocate(size)) return block;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

namespace kerbelin::test {
namespace {

// Long enough to live on the heap, and of a length nothing else on the path allocates.
const std::string kRider(6007, 'r');
constexpr int kCards = 4;

class ReplyTravel : public MyCardsTest {
 public:
  // Each opens its screen and answers its list; the blocks counted, and the cards the screen holds.
  std::pair<int, std::size_t> myCardsList() {
    myCards = std::dynamic_pointer_cast<MyCardViewController>(
        shareInstanceMyCardStoryboard()->instantiateViewController("MyCardViewController"));
    show(myCards);
    const int blocks = blocksWhileAnswering(last(), "ownCardDtos", ownCardJSON({}));
    return {blocks, myCards->dataMyCard.size()};
  }
  std::pair<int, std::size_t> storeList() {
    showHostStore();
    answerCategories();
    const int blocks = blocksWhileAnswering(lastCardRequest(), "defCardDtos", cardJSON({}));
    return {blocks, screen->dataBuyCard.size() - 1};  // the sort row comes first
  }

 private:
  // Answers request `index` with `cards`, each carrying the rider; the blocks of the rider's size
  // made from the reply's arrival until the screen is done with it.
  int blocksWhileAnswering(std::size_t index, const char* listKey, const ios::Dictionary& card) {
    ios::Dictionary list = ios::Dictionary::array();
    for (int i = 0; i < kCards; ++i) {
      list.push_back(card);
      list.back()["rider"] = kRider;
    }
    auto reply = ios::FakeTransport::reply(200, replyText(ios::Dictionary{{listKey, list}}));
    watchedBlocks = 0;
    watchedSize = kRider.size() + 1;
    EXPECT_TRUE(fake->respond(index, std::move(reply)));
    runUntilIdle();
    watchedSize = 0;
    return watchedBlocks.load();
  }
};

TEST_F(ReplyTravel, AListReplyIsParsedOnceAndNeverCopiedOnItsWayToTheModels) {
  const std::pair<const char*, std::pair<int, std::size_t> (ReplyTravel::*)()> screens[] = {
      {"my cards", &ReplyTravel::myCardsList},
      {"store", &ReplyTravel::storeList},
  };
  for (const auto& [name, open] : screens) {
    const auto [blocks, shown] = (this->*open)();
    EXPECT_EQ(blocks, kCards) << name;
    EXPECT_EQ(shown, static_cast<std::size_t>(kCards)) << name;
  }
}

}  // namespace
}  // namespace kerbelin::test
