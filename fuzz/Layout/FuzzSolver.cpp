// Reads the input as a script of solver operations (add, remove, change a constant, edit, suggest,
// query) over a handful of variables and checks after every solve that
//  - the solver never crashes and never reports an error a request cannot have,
//  - every accepted required constraint holds within a tolerance,
//  - a fresh solver given the same constraints agrees: it accepts every required one and reaches
//    the same error at every priority level (the lexicographic optimum is unique even when the
//    solution is not).
#include <Layout/Layout.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

namespace {

using namespace ios::layout;

constexpr int kVariableCount = 6;

class Script {
 public:
  Script(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool done() const { return position_ >= size_; }
  std::uint8_t byte() { return position_ < size_ ? data_[position_++] : 0; }
  double number() { return static_cast<double>(static_cast<std::int8_t>(byte())); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

struct Live {
  Constraint constraint;
  double constant;
};

struct Edit {
  Strength strength;
  double value;
};

void fail(const char* what) {
  std::fprintf(stderr, "fuzz_solver: %s\n", what);
  std::abort();
}

Strength readStrength(Script& script) {
  const std::uint8_t choice = script.byte();
  switch (choice % 6) {
    case 0:
    case 1:
      return strength::required;
    case 2:
      return strength::strong;
    case 3:
      return strength::medium;
    case 4:
      return strength::weak;
    default:
      return strength::fromPriority(1 + choice % 999);
  }
}

Expression withConstant(const Expression& expression, double constant) {
  return Expression(expression.terms, constant);
}

// How far a constraint is from holding, and the scale its tolerance is measured against.
double violation(const Expression& expression, Relation relation, double constant) {
  double value = constant;
  for (const Term& term : expression.terms) value += term.value();
  switch (relation) {
    case Relation::Equal:
      return std::fabs(value);
    case Relation::LessThanOrEqual:
      return std::max(0.0, value);
    case Relation::GreaterThanOrEqual:
      return std::max(0.0, -value);
  }
  return 0.0;
}

double scale(const Expression& expression, double constant) {
  double sum = 1.0 + std::fabs(constant);
  for (const Term& term : expression.terms) sum += std::fabs(term.coefficient * term.variable.value());
  return sum;
}

class Harness {
 public:
  void run(Script& script) {
    while (!script.done()) step(script);
    check();
  }

 private:
  void step(Script& script) {
    switch (script.byte() % 8) {
      case 0:
      case 1:
        addConstraint(script);
        break;
      case 2:
        if (!live_.empty()) {
          const std::size_t index = script.byte() % live_.size();
          if (solver_.removeConstraint(live_[index].constraint) != SolverStatus::Ok) fail("remove refused");
          live_.erase(live_.begin() + index);
        }
        break;
      case 3:
        if (!live_.empty()) {
          Live& live = live_[script.byte() % live_.size()];
          const double constant = script.number();
          const SolverStatus status = solver_.setConstant(live.constraint, constant);
          if (status == SolverStatus::Ok)
            live.constant = constant;
          else if (status != SolverStatus::UnsatisfiableConstraint ||
                   !live.constraint.strength().isRequired())
            fail("setConstant refused");
        }
        break;
      case 4: {
        const int index = script.byte() % kVariableCount;
        const Strength strength = readStrength(script);
        const SolverStatus status = solver_.addEditVariable(variables_[index], strength);
        if (status == SolverStatus::Ok)
          edits_[index] = Edit{strength, variables_[index].value()};
        else if (status != SolverStatus::BadRequiredStrength && status != SolverStatus::DuplicateEditVariable)
          fail("addEditVariable refused");
        break;
      }
      case 5: {
        const int index = script.byte() % kVariableCount;
        const double value = script.number() * 4;
        const SolverStatus status = solver_.suggestValue(variables_[index], value);
        if (status == SolverStatus::Ok)
          edits_[index].value = value;
        else if (status != SolverStatus::UnknownEditVariable || edits_.count(index))
          fail("suggestValue refused");
        break;
      }
      case 6: {
        const int index = script.byte() % kVariableCount;
        const SolverStatus status = solver_.removeEditVariable(variables_[index]);
        if ((status == SolverStatus::Ok) != (edits_.erase(index) == 1)) fail("removeEditVariable mismatch");
        break;
      }
      default:
        solver_.isAmbiguous(variables_[script.byte() % kVariableCount]);
        check();
        break;
    }
  }

  // Small integer coefficients and copies of live constraints make the degenerate and redundant
  // systems that random fractions would almost never hit.
  Expression readExpression(Script& script) {
    const std::uint8_t shape = script.byte();
    if (shape % 4 == 0 && !live_.empty()) {
      const Live& live = live_[script.byte() % live_.size()];
      return withConstant(live.constraint.expression(), shape % 8 == 0 ? live.constant : script.number());
    }
    Expression expression(script.number());
    const int terms = 1 + script.byte() % 3;
    for (int i = 0; i < terms; ++i) {
      const std::uint8_t raw = script.byte();
      const double coefficient = raw % 2 ? static_cast<double>(raw % 5) - 2.0 : script.number() / 32.0;
      expression = expression + coefficient * variables_[script.byte() % kVariableCount];
    }
    return expression;
  }

  void addConstraint(Script& script) {
    const Expression expression = readExpression(script);
    const Relation relation = static_cast<Relation>(script.byte() % 3);
    const Constraint constraint(expression, relation, readStrength(script));
    const SolverStatus status = solver_.addConstraint(constraint);
    if (status == SolverStatus::Ok)
      live_.push_back(Live{constraint, expression.constant});
    else if (status != SolverStatus::UnsatisfiableConstraint || !constraint.strength().isRequired())
      fail("addConstraint refused");
  }

  // Total error per priority level, highest first; required constraints must have none.
  std::map<double, double, std::greater<>> errors() const {
    std::map<double, double, std::greater<>> result;
    for (const Live& live : live_) {
      const Expression& expression = live.constraint.expression();
      const double error = violation(expression, live.constraint.relation(), live.constant);
      if (live.constraint.strength().isRequired()) {
        if (error > 1e-6 * scale(expression, live.constant)) fail("required constraint violated");
      } else {
        result[live.constraint.strength().priority] += error;
      }
    }
    for (const auto& [index, edit] : edits_)
      result[edit.strength.priority] += std::fabs(variables_[index].value() - edit.value);
    return result;
  }

  void check() {
    solver_.updateVariables();
    const auto incremental = errors();

    Solver fresh;
    for (const Live& live : live_) {
      const Constraint copy(withConstant(live.constraint.expression(), live.constant),
                            live.constraint.relation(), live.constraint.strength());
      if (fresh.addConstraint(copy) != SolverStatus::Ok) fail("fresh solver rejects an accepted constraint");
    }
    for (const auto& [index, edit] : edits_) {
      if (fresh.addConstraint(Constraint(variables_[index] - edit.value, Relation::Equal, edit.strength)) !=
          SolverStatus::Ok)
        fail("fresh solver rejects an edit");
    }
    fresh.updateVariables();
    const auto rebuilt = errors();
    solver_.updateVariables();  // leave the variables as the solver under test has them

    for (const auto& [priority, error] : incremental) {
      const double other = rebuilt.count(priority) ? rebuilt.at(priority) : 0.0;
      if (std::fabs(error - other) > 1e-5 * (1.0 + std::fabs(error) + std::fabs(other)))
        fail("incremental and fresh solutions differ in optimality");
      // Lower levels may legitimately differ once a higher one differs within tolerance; stop at the
      // first level where they are not essentially identical.
      if (std::fabs(error - other) > 1e-9) break;
    }
  }

  Solver solver_;
  std::vector<Variable> variables_{Variable("a"), Variable("b"), Variable("c"),
                                   Variable("d"), Variable("e"), Variable("f")};
  std::vector<Live> live_;
  std::map<int, Edit> edits_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Script script(data, size);
  Harness().run(script);
  return 0;
}
