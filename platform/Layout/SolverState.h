#pragma once

#include <Layout/Constraint.h>
#include <Layout/SolverStatus.h>
#include <Layout/Symbol.h>
#include <Layout/Tableau.h>
#include <Layout/Variable.h>

#include <cstdint>
#include <unordered_map>

namespace ios::layout::detail {

// What Solver does, behind its narrow interface: the mapping of constraints, edits and variables
// onto tableau symbols.
class SolverState {
 public:
  SolverStatus addConstraint(const Constraint& constraint);
  SolverStatus removeConstraint(const Constraint& constraint);
  bool hasConstraint(const Constraint& constraint) const;
  SolverStatus setConstant(const Constraint& constraint, double constant);

  SolverStatus addEditVariable(const Variable& variable, Strength strength);
  SolverStatus removeEditVariable(const Variable& variable);
  bool hasEditVariable(const Variable& variable) const;
  SolverStatus suggestValue(const Variable& variable, double value);

  void updateVariables();

  bool isAmbiguous(const Variable& variable) const;

 private:
  // A constraint enters the tableau as `expression + markerSign * marker (+ other) = 0`. Moving the
  // expression's constant by d is the same as moving the marker by d * markerSign.
  struct ConstraintRecord {
    Constraint constraint;
    Symbol marker;
    Symbol other;
    double markerSign;
    double constant;
  };
  struct VariableRecord {
    Variable variable;
    Symbol symbol;
    int users;
  };
  struct EditRecord {
    Constraint constraint;
  };

  Symbol newSymbol(SymbolKind kind) { return Symbol{++lastId_, kind}; }
  Symbol retainVariable(const Variable& variable);
  void releaseVariables(const Expression& expression);
  Row createRow(const ConstraintRecord& record);
  ConstraintRecord makeRecord(const Constraint& constraint);
  static Symbol chooseSubject(const Row& row, const ConstraintRecord& record);
  bool insertRow(Row row, const ConstraintRecord& record);
  void changeErrorWeights(const ConstraintRecord& record, double sign);
  void eliminateMarker(Symbol marker);
  bool moveConstant(ConstraintRecord& record, double constant);

  Tableau tableau_;
  std::unordered_map<const void*, ConstraintRecord> constraints_;
  std::unordered_map<const void*, VariableRecord> variables_;
  std::unordered_map<const void*, EditRecord> edits_;
  std::uint32_t lastId_ = 0;
};

}  // namespace ios::layout::detail
