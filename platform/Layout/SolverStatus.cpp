#include <Layout/SolverStatus.h>

namespace ios::layout {

const char* describe(SolverStatus status) {
  switch (status) {
    case SolverStatus::Ok:
      return "ok";
    case SolverStatus::UnsatisfiableConstraint:
      return "unsatisfiable required constraint";
    case SolverStatus::DuplicateConstraint:
      return "duplicate constraint";
    case SolverStatus::UnknownConstraint:
      return "unknown constraint";
    case SolverStatus::DuplicateEditVariable:
      return "duplicate edit variable";
    case SolverStatus::UnknownEditVariable:
      return "unknown edit variable";
    case SolverStatus::BadRequiredStrength:
      return "edit variables cannot be required";
    case SolverStatus::NonFiniteValue:
      return "non-finite value";
  }
  return "unknown status";
}

}  // namespace ios::layout
