// The routines R calls, registered by name (NAMESPACE: useDynLib(corvane, .registration = TRUE)).
#include <R.h>
#include <R_ext/Rdynload.h>
#include <Rinternals.h>

namespace {
// R's table takes every routine as DL_FUNC; through void (*)() the cast is one the compiler
// accepts for any function type.
template <typename F>
DL_FUNC Routine(F* routine) {
  return reinterpret_cast<DL_FUNC>(reinterpret_cast<void (*)()>(routine));
}
}  // namespace

extern "C" {
SEXP corvane_simulate_(SEXP, SEXP, SEXP, SEXP);
SEXP corvane_stationary_(SEXP, SEXP, SEXP);
SEXP corvane_parameter_names_();
SEXP corvane_fit_groups_(SEXP, SEXP, SEXP);
SEXP corvane_dpq_(SEXP, SEXP, SEXP, SEXP, SEXP, SEXP);

static const R_CallMethodDef kCallMethods[] = {
    {"corvane_simulate_", Routine(&corvane_simulate_), 4},
    {"corvane_stationary_", Routine(&corvane_stationary_), 3},
    {"corvane_parameter_names_", Routine(&corvane_parameter_names_), 0},
    {"corvane_fit_groups_", Routine(&corvane_fit_groups_), 3},
    {"corvane_dpq_", Routine(&corvane_dpq_), 6},
    {nullptr, nullptr, 0}};

void R_init_corvane(DllInfo* info) {
  R_registerRoutines(info, nullptr, kCallMethods, nullptr, nullptr);
  R_useDynamicSymbols(info, FALSE);
  R_forceSymbols(info, TRUE);
}
}
