#pragma once

#include <Foundation/Bundle.h>
#include <UIKit/Nib/UINib.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

namespace nibtest {

// An in-memory bundle holding a small SVG drawing named "star" beside the given files.
inline std::shared_ptr<ios::Bundle> bundleWith(ios::Bundle::ResourceMap files = {},
                                               std::string identifier = "Halvet.NibTests.Memory") {
  files.emplace("star.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"8\">"
                            "<rect width=\"10\" height=\"8\" fill=\"red\"/></svg>");
  return ios::Bundle::create(std::move(identifier), std::move(files));
}

inline ios::NibInstantiation load(std::string_view json,
                                  const std::shared_ptr<ios::NSObject>& owner = nullptr,
                                  const ios::NibOptions& options = {}) {
  return ios::UINib::fromData("Test", json, bundleWith())->instantiate(owner, options);
}

// The error message of a load that must fail.
inline std::string loadError(std::string_view json, const std::shared_ptr<ios::NSObject>& owner = nullptr) {
  auto result = load(json, owner);
  if (result) {
    ADD_FAILURE() << "loaded: " << json;
    return {};
  }
  EXPECT_TRUE(result.objects.empty());
  return result.error->message();
}

}  // namespace nibtest
