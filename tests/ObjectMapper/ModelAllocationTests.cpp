// Models made in recycled memory: each is a fresh model of its own, whatever was freed before it
// and on whichever thread.

#include "SampleModels.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

using sample::Leaf;
using sample::Sample;

// A model whose size is no multiple of the allocator's steps.
struct OddSized : ios::Mappable {
  void mapping(ios::Map&) override {}
  char bytes[3] = {'a', 'b', 'c'};
};

// Models labelled "0", "1", ... in recycled memory.
std::vector<std::shared_ptr<Leaf>> labelledLeaves(std::size_t count) {
  std::vector<std::shared_ptr<Leaf>> leaves;
  for (std::size_t i = 0; i < count; ++i) {
    leaves.push_back(ios::makeRecycled<Leaf>());
    leaves.back()->label = std::to_string(i);
  }
  return leaves;
}

void expectLabelled(const std::vector<std::shared_ptr<Leaf>>& leaves) {
  for (std::size_t i = 0; i < leaves.size(); ++i) EXPECT_EQ(leaves[i]->label, std::to_string(i));
}

TEST(ModelAllocation, AModelMadeWhereAnotherWasFreedStartsAtItsPresets) {
  for (int round = 0; round < 3; ++round) {
    auto used = ios::makeRecycled<Sample>();
    used->text = "đã dùng";
    used->count = 99;
    used->tags = {"x", "y"};
    used->child = Leaf::create();
    used.reset();
    const auto fresh = ios::makeRecycled<Sample>();
    EXPECT_EQ(fresh->toJSON(), Sample::create()->toJSON());
  }
}

// More models than a thread keeps blocks for, freed and made again in a mixed order: no two live
// models ever share memory.
TEST(ModelAllocation, LiveModelsNeverShareMemory) {
  const std::size_t count = 3 * ios::model_allocation::kRecycledBlocks;
  auto leaves = labelledLeaves(count);
  for (std::size_t i = 0; i < count; i += 2) leaves[i].reset();
  for (std::size_t i = 0; i < count; i += 2) {
    leaves[i] = ios::makeRecycled<Leaf>();
    leaves[i]->label = std::to_string(i);
  }
  std::set<const Leaf*> addresses;
  for (const auto& leaf : leaves) addresses.insert(leaf.get());
  EXPECT_EQ(addresses.size(), count);
  expectLabelled(leaves);
}

TEST(ModelAllocation, ModelsMayBeFreedOnAnotherThreadThanTheirs) {
  auto mine = labelledLeaves(ios::model_allocation::kRecycledBlocks + 10);
  std::vector<std::shared_ptr<Leaf>> theirs;
  std::thread([&] {
    // The thread's first model, made before it kept any block, is freed like any other.
    EXPECT_EQ(ios::makeRecycled<OddSized>()->bytes[2], 'c');
    mine.clear();
    theirs = labelledLeaves(20);
    auto kept = labelledLeaves(30);  // freed here, into this thread's blocks, before it ends
  }).join();
  expectLabelled(theirs);
  theirs.clear();
  expectLabelled(labelledLeaves(40));
}

}  // namespace
