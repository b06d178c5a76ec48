// Server codes both ways, and the one rule from a status letter to a screen state.

#include <Ultilities/Enums/Enums.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace kerbelin {
namespace {

template <class E>
void expectCodes(const std::vector<std::pair<E, std::string>>& codes) {
  int index = 0;
  for (const auto& [value, code] : codes) {
    SCOPED_TRACE(code);
    // Declaration order is part of the contract (cases compare and sort by it).
    EXPECT_EQ(static_cast<int>(value), index++);
    EXPECT_EQ(rawValue(value), code);
    EXPECT_EQ(fromRawValue<E>(code), value);
  }
}

TEST(Enums, RawValuesBothWays) {
  expectCodes<StatusCard>({{StatusCard::A, "A"},
                           {StatusCard::O, "O"},
                           {StatusCard::E, "E"},
                           {StatusCard::C, "C"},
                           {StatusCard::W, "W"}});
  expectCodes<UnitType>({{UnitType::Times, "TIMES"}, {UnitType::Limit, "LIMIT"}, {UnitType::Day, "DAY"}});
  expectCodes<SearchType>({{SearchType::Tran5, "5TRAN"},
                           {SearchType::Tran10, "10TRAN"},
                           {SearchType::Week, "1W"},
                           {SearchType::Month, "1MONTH"},
                           {SearchType::Range, "RANGE_TIME"}});
  expectCodes<TranType>({{TranType::Payment, "PAYMENT"}, {TranType::Usage, "USAGE"}});
}

TEST(Enums, UnknownCodesGiveNoValue) {
  for (const char* code : {"", "a", "AO", " A", "X"}) EXPECT_FALSE(fromRawValue<StatusCard>(code)) << code;
  for (const char* code : {"", "times", "DAYS", "TIMES "}) EXPECT_FALSE(fromRawValue<UnitType>(code)) << code;
  for (const char* code : {"", "5tran", "1M", "RANGE"}) EXPECT_FALSE(fromRawValue<SearchType>(code)) << code;
  for (const char* code : {"", "payment", "REFUND"}) EXPECT_FALSE(fromRawValue<TranType>(code)) << code;
}

TEST(Enums, StatusLetterGivesScreenState) {
  EXPECT_EQ(typeDetailCardFromStatus("A"), TypeDetailCard::Paid);
  EXPECT_EQ(typeDetailCardFromStatus("O"), TypeDetailCard::Paid);
  EXPECT_EQ(typeDetailCardFromStatus("E"), TypeDetailCard::Expire);
  EXPECT_EQ(typeDetailCardFromStatus("C"), TypeDetailCard::Expire);
  EXPECT_EQ(typeDetailCardFromStatus("W"), TypeDetailCard::WaitPay);
  for (const char* other : {"", "a", "o", "w", "AO", "A ", "P", "Đ"}) {
    EXPECT_EQ(typeDetailCardFromStatus(other), TypeDetailCard::UnPaid) << other;
  }
}

}  // namespace
}  // namespace kerbelin
