#include <Foundation/Base64.h>
#include <Foundation/Data.h>
#include <Foundation/JSONSerialization.h>
#include <Foundation/NSString.h>

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string megabyte() {
  std::string bytes(1 << 20, '\0');
  uint32_t state = 12345;
  for (char& c : bytes) {
    state = state * 1664525 + 1013904223;
    c = static_cast<char>(state >> 24);
  }
  return bytes;
}

// A reply like the card store's: an envelope with ~150 cards of 16 fields, Vietnamese text.
std::string replyDocument() {
  ios::Dictionary cards = ios::Dictionary::array();
  for (int i = 0; i < 150; ++i) {
    cards.push_back({
        {"id", 100000 + i},
        {"code", "CARD" + std::to_string(i)},
        {"name",
         "Th\xE1\xBA\xBB qu\xC3\xA0 t\xE1\xBA\xB7ng \xC4\x91i\xE1\xBB\x87n t\xE1\xBB\xAD s\xE1\xBB\x91 " +
             std::to_string(i)},
        {"providerName",
         "C\xC3\xB4ng ty C\xE1\xBB\x95 ph\xE1\xBA\xA7n Th\xC6\xB0\xC6\xA1ng m\xE1\xBA\xA1i D\xE1\xBB\x8B"
         "ch v\xE1\xBB\xA5"},
        {"description",
         "\xC6\xAF"
         "u \xC4\x91\xC3\xA3i \xC4\x91\xE1\xBA\xB7"
         "c bi\xE1\xBB\x87t cho kh\xC3\xA1"
         "ch h\xC3\xA0ng th\xC3\xA2n thi\xE1\xBA\xBFt, \xC3\xA1p d\xE1\xBB\xA5ng t\xE1\xBA\xA1i "
         "t\xE1\xBA\xA5t c\xE1\xBA\xA3 chi nh\xC3\xA1nh tr\xC3\xAAn to\xC3\xA0n qu\xE1\xBB\x91"
         "c."},
        {"price", 150000 + i * 1000},
        {"salePrice", 120000 + i * 1000},
        {"discount", 20.5},
        {"isHot", i % 3 == 0},
        {"isNew", i % 5 == 0},
        {"image", "https://cdn.example.vn/images/cards/" + std::to_string(i) + ".png"},
        {"expiredDate", "31/12/2025"},
        {"note",
         "Kh\xC3\xB4ng \xC3\xA1p d\xE1\xBB\xA5ng \xC4\x91\xE1\xBB\x93ng th\xE1\xBB\x9Di v\xE1\xBB\x9Bi "
         "c\xC3\xA1"
         "c ch\xC6\xB0\xC6\xA1ng tr\xC3\xACnh khuy\xE1\xBA\xBFn m\xC3\xA3i kh\xC3\xA1"
         "c."},
        {"quantity", i % 17},
        {"category",
         "\xE1\xBA\xA8m th\xE1\xBB\xB1"
         "c"},
        {"tags", {"m\xE1\xBB\x9Bi", "hot", "gi\xE1\xBA\xA3m gi\xC3\xA1"}},
    });
  }
  ios::Dictionary reply = {
      {"code", "00"}, {"message", "Th\xC3\xA0nh c\xC3\xB4ng"}, {"body", {{"cards", cards}}}};
  return reply.dump();
}

void BM_Base64Encode1MB(benchmark::State& state) {
  const std::string bytes = megabyte();
  for (auto _ : state) benchmark::DoNotOptimize(ios::base64Encode(bytes));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_Base64Encode1MB)->Unit(benchmark::kMillisecond);

void BM_Base64Decode1MB(benchmark::State& state) {
  const std::string text = ios::base64Encode(megabyte());
  for (auto _ : state) benchmark::DoNotOptimize(ios::base64Decode(text));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Base64Decode1MB)->Unit(benchmark::kMillisecond);

void BM_JSONParseReply(benchmark::State& state) {
  const ios::Data data(replyDocument());
  state.counters["document_bytes"] = static_cast<double>(data.count());
  for (auto _ : state) benchmark::DoNotOptimize(ios::JSONSerialization::jsonObject(data));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(data.count()));
}
BENCHMARK(BM_JSONParseReply)->Unit(benchmark::kMicrosecond);

void BM_GraphemeCountVietnamese(benchmark::State& state) {
  const std::string text = ios::Dictionary::parse(replyDocument())["body"]["cards"][0]["description"];
  for (auto _ : state) benchmark::DoNotOptimize(ios::graphemeCount(text));
}
BENCHMARK(BM_GraphemeCountVietnamese);

}  // namespace
