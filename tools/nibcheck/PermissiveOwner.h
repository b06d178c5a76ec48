#pragma once

#include <Foundation/NSObject.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kerbelin::nibcheck {

// Stands in for a nib's owner, whose real class the checker cannot make: it accepts every outlet
// and action the nib names, so that only faults of the nib itself are reported.
class PermissiveOwner : public ios::NSObject {
 public:
  static std::shared_ptr<PermissiveOwner> create();

  // Declares `keys` as object outlets and `selectors` as methods of the class (for every instance:
  // key-value coding and target-action look keys and methods up by class).
  static void accept(const std::vector<std::string>& keys, const std::vector<std::string>& selectors);

  // The outlets connected so far, by name.
  std::map<std::string, std::shared_ptr<ios::NSObject>> outlets;
};

}  // namespace kerbelin::nibcheck
