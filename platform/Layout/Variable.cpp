#include <Layout/Variable.h>

namespace ios::layout {

Variable::Variable(std::string name) : data_(std::make_shared<Data>()) {
  data_->name = std::move(name);
}

}  // namespace ios::layout
