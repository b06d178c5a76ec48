// Server codes both ways; the rule from a status letter to a screen state is the card model's test.

#include <Ultilities/Enums/Enums.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace kerbelin {
namespace {

// Each code reads back as its value and nothing near it does.
template <class E>
void expectCodes(const std::vector<std::pair<E, std::string>>& codes,
                 const std::vector<std::string>& unknown) {
  int index = 0;
  for (const auto& [value, code] : codes) {
    SCOPED_TRACE(code);
    // Declaration order is part of the contract (cases compare and sort by it).
    EXPECT_EQ(static_cast<int>(value), index++);
    EXPECT_EQ(rawValue(value), code);
    EXPECT_EQ(fromRawValue<E>(code), value);
  }
  for (const auto& code : unknown) EXPECT_FALSE(fromRawValue<E>(code)) << code;
}

TEST(Enums, ExactCodesBothWays) {
  expectCodes<StatusCard>({{StatusCard::A, "A"},
                           {StatusCard::O, "O"},
                           {StatusCard::E, "E"},
                           {StatusCard::C, "C"},
                           {StatusCard::W, "W"}},
                          {"", "a", "AO", " A", "X"});
  expectCodes<UnitType>({{UnitType::Times, "TIMES"}, {UnitType::Limit, "LIMIT"}, {UnitType::Day, "DAY"}},
                        {"", "times", "DAYS", "TIMES "});
  expectCodes<SearchType>({{SearchType::Tran5, "5TRAN"},
                           {SearchType::Tran10, "10TRAN"},
                           {SearchType::Week, "1W"},
                           {SearchType::Month, "1MONTH"},
                           {SearchType::Range, "RANGE_TIME"}},
                          {"", "5tran", "1M", "RANGE"});
  expectCodes<TranType>({{TranType::Payment, "PAYMENT"}, {TranType::Usage, "USAGE"}},
                        {"", "payment", "REFUND"});
}

}  // namespace
}  // namespace kerbelin
