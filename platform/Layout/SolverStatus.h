#pragma once

namespace ios::layout {

// The outcome of a solver request. Every failure has exactly one status and leaves the solver as it
// was before the request.
enum class SolverStatus {
  Ok,
  UnsatisfiableConstraint,  // a required constraint (or constant) that cannot hold with the others
  DuplicateConstraint,
  UnknownConstraint,
  DuplicateEditVariable,
  UnknownEditVariable,
  BadRequiredStrength,  // edit variables cannot be required
  NonFiniteValue,       // NaN or infinity in a coefficient, constant or suggested value
};

const char* describe(SolverStatus status);

}  // namespace ios::layout
