#pragma once

#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

// The common base of the store's rows. It adds nothing of its own; it exists so that the rows share
// one ancestor that interface files and the registry know by name.
class BaseTableCell : public ios::UITableViewCell {
 public:
  explicit BaseTableCell(ios::UITableViewCellStyle style = ios::UITableViewCellStyle::default_,
                         std::string reuseIdentifier = {});
};

}  // namespace kerbelin
