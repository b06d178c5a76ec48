#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace ios::layout {

// A handle to one unknown of a layout system. Copies share the same unknown: identity is the handle,
// never the name, so two variables named "x" are still different unknowns.
//
// `operator==` is deliberately not defined here: `a == b` between variables builds a Constraint (see
// Operators.h). Use `equals` to compare identities.
class Variable {
 public:
  explicit Variable(std::string name = {});

  const std::string& name() const { return data_->name; }
  void setName(std::string name) { data_->name = std::move(name); }

  // The value written by the last Solver::updateVariables that knew this variable (0 until then).
  double value() const { return data_->value; }
  void setValue(double value) { data_->value = value; }

  bool equals(const Variable& other) const { return data_ == other.data_; }
  // Stable while any copy of the handle is alive; usable as a map key.
  const void* identity() const { return data_.get(); }

 private:
  struct Data {
    std::string name;
    double value = 0.0;
  };
  std::shared_ptr<Data> data_;
};

}  // namespace ios::layout

template <>
struct std::hash<::ios::layout::Variable> {
  std::size_t operator()(const ::ios::layout::Variable& variable) const noexcept {
    return std::hash<const void*>()(variable.identity());
  }
};

template <>
struct std::equal_to<::ios::layout::Variable> {
  bool operator()(const ::ios::layout::Variable& a, const ::ios::layout::Variable& b) const noexcept {
    return a.equals(b);
  }
};
