#include <CoreTelephony/CTTelephonyNetworkInfo.h>
#include <CoreTelephony/FakeRadioAccessTechnologySource.h>

#include <gtest/gtest.h>

#include <string>

namespace ios {
namespace {

class CTTelephonyNetworkInfoTest : public ::testing::Test {
 protected:
  void TearDown() override { RadioAccessTechnologySource::setShared(nullptr); }
};

TEST_F(CTTelephonyNetworkInfoTest, ReadsTheInstalledSourceAtEachAccessAndNoRadioWithout) {
  auto info = CTTelephonyNetworkInfo::create();                   // made before the source: still follows it
  EXPECT_EQ(info->currentRadioAccessTechnology(), std::nullopt);  // a desktop has no radio
  auto source = FakeRadioAccessTechnologySource::create(CTRadioAccessTechnologyLTE);
  RadioAccessTechnologySource::setShared(source);
  EXPECT_EQ(info->currentRadioAccessTechnology(), "CTRadioAccessTechnologyLTE");
  source->setTechnology(std::string(CTRadioAccessTechnologyEdge));
  EXPECT_EQ(info->currentRadioAccessTechnology(), CTRadioAccessTechnologyEdge);
  source->setTechnology(std::nullopt);
  EXPECT_EQ(info->currentRadioAccessTechnology(), std::nullopt);
  RadioAccessTechnologySource::setShared(nullptr);
  source->setTechnology(std::string(CTRadioAccessTechnologyLTE));
  EXPECT_EQ(info->currentRadioAccessTechnology(), std::nullopt);
}

}  // namespace
}  // namespace ios
