#include <Foundation/ProcessInfo.h>
#include <UIKit/UIScreen.h>
#include <Ultilities/Extensions/UIDeviceExtension.h>

#include <gtest/gtest.h>

#include <sys/utsname.h>

namespace kerbelin {
namespace {

// The screen is fixed once read, so this binary describes a panel 2436 pixels high from the start
// (at the default 2x point scale the other tests expect).
const bool kScreenConfigured = ios::UIScreen::configure(
    {.points = {375, 812}, .scale = 2, .nativePixels = {1125, 2436}, .safeAreaInsets = {44, 0, 34, 0}});

class DeviceModel : public ::testing::Test {
 protected:
  void TearDown() override {
    setMachineFieldSource(nullptr);
    ios::ProcessInfo::processInfo().setEnvironmentValue("SIMULATOR_MODEL_IDENTIFIER", std::nullopt);
  }
};

TEST_F(DeviceModel, TheTableNamesKnownIdentifiersAndKeepsOthers) {
  // A sample of the table, not a copy of it: an exact hit, and names with punctuation.
  EXPECT_EQ(modelNameForIdentifier("iPhone10,6"), "iPhone X");
  EXPECT_EQ(modelNameForIdentifier("iPad7,2"), "iPad Pro (12.9-inch) (2nd generation)");
  EXPECT_EQ(modelNameForIdentifier("iPhone12,1"), "iPhone12,1");
  EXPECT_EQ(modelNameForIdentifier("iphone10,3"), "iphone10,3");  // case-sensitive
  EXPECT_EQ(modelNameForIdentifier(""), "");
}

TEST_F(DeviceModel, SimulatorsNameTheModelTheySimulate) {
  ios::ProcessInfo::processInfo().setEnvironmentValue("SIMULATOR_MODEL_IDENTIFIER", std::nullopt);
  EXPECT_EQ(modelNameForIdentifier("x86_64"), "Simulator iOS");
  ios::ProcessInfo::processInfo().setEnvironmentValue("SIMULATOR_MODEL_IDENTIFIER", "iPhone10,3");
  EXPECT_EQ(modelNameForIdentifier("x86_64"), "Simulator iPhone X");
  EXPECT_EQ(modelNameForIdentifier("i386"), "Simulator iPhone X");
  ios::ProcessInfo::processInfo().setEnvironmentValue("SIMULATOR_MODEL_IDENTIFIER", "iPhone99,9");
  EXPECT_EQ(modelNameForIdentifier("i386"), "Simulator iPhone99,9");
}

TEST_F(DeviceModel, TheIdentifierSkipsZeroBytesOfTheMachineField) {
  setMachineFieldSource([] { return std::string("iPhone10,3\0\0\0\0", 14); });
  EXPECT_EQ(machineIdentifier(), "iPhone10,3");
  setMachineFieldSource([] { return std::string("iP\0hone", 7); });
  EXPECT_EQ(machineIdentifier(), "iPhone");

  setMachineFieldSource(nullptr);
  struct utsname info {};
  ASSERT_EQ(uname(&info), 0);
  EXPECT_EQ(machineIdentifier(), std::string(info.machine));
}

TEST_F(DeviceModel, TheModelNameIsTakenOnceAndKept) {
  setMachineFieldSource([] { return std::string("iPhone11,8"); });
  EXPECT_EQ(modelName(), "iPhone XR");
  setMachineFieldSource([] { return std::string("iPad2,1"); });
  EXPECT_EQ(modelName(), "iPhone XR");
}

TEST_F(DeviceModel, IPhoneXIsTheNativeHeightOf2436) {
  ASSERT_TRUE(kScreenConfigured);
  EXPECT_EQ(ios::UIScreen::main()->nativeBounds().height(), 2436);
  EXPECT_TRUE(iPhoneX(*ios::UIDevice::current()));
}

}  // namespace
}  // namespace kerbelin
