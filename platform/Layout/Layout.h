#pragma once

// The constraint solver under Auto Layout: variables, linear expressions, constraints with
// priorities, and an incremental solver.
#include <Layout/Constraint.h>
#include <Layout/Expression.h>
#include <Layout/Operators.h>
#include <Layout/Solver.h>
#include <Layout/SolverStatus.h>
#include <Layout/Strength.h>
#include <Layout/Term.h>
#include <Layout/Variable.h>
