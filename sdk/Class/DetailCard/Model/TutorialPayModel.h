#pragma once

#include <ObjectMapper/Mappable.h>

#include <memory>
#include <string>

namespace kerbelin {

// The payment guide.
class TutorialPayModel : public ios::Mappable {
 public:
  static std::shared_ptr<TutorialPayModel> create();
  void mapping(ios::Map& map) override;

  std::string paymentGuideCash;
  std::string transferInstruction;
  std::string paymentGuide;
  std::string noteTransfer;
};

}  // namespace kerbelin
