// Mapping card-search replies: the store's and the my-cards list's hot path after a reply arrives.

#include <Class/BuyCard/Model/CardModel.h>
#include <Class/BuyCard/Model/MetaReponse.h>
#include <Foundation/JSONSerialization.h>
#include <ObjectMapper/Mapper.h>

#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <variant>

namespace {

using ios::Dictionary;

Dictionary service(int card, int index) {
  const std::string id = std::to_string(card) + "-" + std::to_string(index);
  return {{"code", "DV-" + id},
          {"status", index % 2 ? "A" : "W"},
          {"namDefService", "Gội đầu " + id},
          {"unitPrice", "120.000 đ"},
          {"expiryDate", "90 ngày"},
          {"ownAccountDtos", {{{"allocatedUnit", "10 lần"}, {"availableUnit", "8 lần"}}}}};
}

Dictionary card(int index) {
  const std::string id = std::to_string(index);
  Dictionary services = Dictionary::array();
  services.push_back(service(index, 0));
  return {{"id", index},
          {"code", "GOI-SPA-" + id},
          {"name", "Gói chăm sóc sắc đẹp " + id},
          {"image", "https://cdn.halvet.vn/card/spa-" + id + ".jpg"},
          {"price", "1.200.000 đ"},
          {"priceNumber", 1200000},
          {"listedPrice", "1.500.000 đ"},
          {"listedPriceNumber", 1500000},
          {"discountValue", "-20%"},
          {"discountValueNumber", 20},
          {"status", "A"},
          {"providerDtos", {{{"id", index % 17}, {"logo", "https://cdn.halvet.vn/p/" + id + ".png"}}}},
          {"promotionDtos",
           {{{"urlIcon", "https://cdn.halvet.vn/i/gift.png"}, {"description", "Tặng <b>1 buổi</b>"}}}},
          {"defServiceDtos", services},
          {"styleDto", {{"rgb", "#FF5722"}}}};
}

Dictionary searchReply(int cards) {
  Dictionary list = Dictionary::array();
  for (int i = 0; i < cards; ++i) list.push_back(card(i));
  return {{"resultCode", "0"},
          {"resultDesc", "Thành công"},
          {"secure", ""},
          {"cost", 12},
          {"body", {{"defCardDtos", std::move(list)}, {"total", cards}}}};
}

// What a screen does with a decoded reply: the envelope, then the card list.
void mapReply(const Dictionary& reply) {
  const auto meta = ios::mapObject<kerbelin::MetaReponse>(reply);
  auto cards = ios::mapArrayIfAllObjects<kerbelin::CardModel>(meta->body->at("defCardDtos"));
  benchmark::DoNotOptimize(cards);
}

// The same for a reply the screen owns and drops afterwards: its values move into the models.
void mapReply(Dictionary&& reply) {
  const auto meta = ios::mapObject<kerbelin::MetaReponse>(std::move(reply));
  auto cards = ios::mapArrayIfAllObjects<kerbelin::CardModel>(std::move(meta->body->at("defCardDtos")));
  benchmark::DoNotOptimize(cards);
}

void BM_MapSearchReply(benchmark::State& state) {
  const Dictionary reply = searchReply(static_cast<int>(state.range(0)));
  for (auto _ : state) mapReply(reply);
  state.counters["replyBytes"] = static_cast<double>(reply.dump().size());
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MapSearchReply)->Arg(5)->Arg(100)->Arg(150)->Unit(benchmark::kMicrosecond);

// The yardstick for the next one: parsing the same reply text alone.
void BM_ParseSearchReply(benchmark::State& state) {
  const std::string text = searchReply(static_cast<int>(state.range(0))).dump();
  for (auto _ : state) benchmark::DoNotOptimize(ios::JSONSerialization::read(text));
  state.counters["replyBytes"] = static_cast<double>(text.size());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ParseSearchReply)->Arg(5)->Arg(100)->Arg(150)->Unit(benchmark::kMicrosecond);

// Parsing the reply text as well, as the client does once per reply.
void BM_ParseAndMapSearchReply(benchmark::State& state) {
  const std::string text = searchReply(static_cast<int>(state.range(0))).dump();
  for (auto _ : state) mapReply(std::get<Dictionary>(ios::JSONSerialization::read(text)));
  state.counters["replyBytes"] = static_cast<double>(text.size());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ParseAndMapSearchReply)->Arg(5)->Arg(100)->Arg(150)->Unit(benchmark::kMicrosecond);

void BM_WriteCards(benchmark::State& state) {
  const auto meta = ios::mapObject<kerbelin::MetaReponse>(searchReply(static_cast<int>(state.range(0))));
  const auto cards = ios::mapArray<kerbelin::CardModel>(meta->body->at("defCardDtos"));
  for (auto _ : state) benchmark::DoNotOptimize(ios::toJSONArray(cards));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteCards)->Arg(150)->Unit(benchmark::kMicrosecond);

}  // namespace
