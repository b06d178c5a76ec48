#include <Layout/Solver.h>

#include <Layout/SolverState.h>

namespace ios::layout {

Solver::Solver() : state_(std::make_unique<detail::SolverState>()) {}
Solver::~Solver() = default;
Solver::Solver(Solver&&) noexcept = default;
Solver& Solver::operator=(Solver&&) noexcept = default;

SolverStatus Solver::addConstraint(const Constraint& constraint) {
  return state_->addConstraint(constraint);
}

SolverStatus Solver::removeConstraint(const Constraint& constraint) {
  return state_->removeConstraint(constraint);
}

bool Solver::hasConstraint(const Constraint& constraint) const {
  return state_->hasConstraint(constraint);
}

SolverStatus Solver::setConstant(const Constraint& constraint, double constant) {
  return state_->setConstant(constraint, constant);
}

SolverStatus Solver::addEditVariable(const Variable& variable, Strength strength) {
  return state_->addEditVariable(variable, strength);
}

SolverStatus Solver::removeEditVariable(const Variable& variable) {
  return state_->removeEditVariable(variable);
}

bool Solver::hasEditVariable(const Variable& variable) const {
  return state_->hasEditVariable(variable);
}

SolverStatus Solver::suggestValue(const Variable& variable, double value) {
  return state_->suggestValue(variable, value);
}

void Solver::updateVariables() {
  state_->updateVariables();
}

bool Solver::isAmbiguous(const Variable& variable) const {
  return state_->isAmbiguous(variable);
}

}  // namespace ios::layout
