// The routines R calls, registered by name (NAMESPACE: useDynLib(corvane, .registration = TRUE)).
#include <R.h>
#include <R_ext/Rdynload.h>
#include <Rinternals.h>

extern "C" {
SEXP corvane_simulate_(SEXP, SEXP, SEXP, SEXP);
SEXP corvane_stationary_(SEXP, SEXP, SEXP);
SEXP corvane_parameter_names_();
SEXP corvane_fit_moments_(SEXP, SEXP, SEXP, SEXP, SEXP);
SEXP corvane_dpq_(SEXP, SEXP, SEXP, SEXP, SEXP, SEXP);

static const R_CallMethodDef kCallMethods[] = {
    {"corvane_simulate_", reinterpret_cast<DL_FUNC>(&corvane_simulate_), 4},
    {"corvane_stationary_", reinterpret_cast<DL_FUNC>(&corvane_stationary_), 3},
    {"corvane_parameter_names_", reinterpret_cast<DL_FUNC>(&corvane_parameter_names_), 0},
    {"corvane_fit_moments_", reinterpret_cast<DL_FUNC>(&corvane_fit_moments_), 5},
    {"corvane_dpq_", reinterpret_cast<DL_FUNC>(&corvane_dpq_), 6},
    {nullptr, nullptr, 0}};

void R_init_corvane(DllInfo* info) {
  R_registerRoutines(info, nullptr, kCallMethods, nullptr, nullptr);
  R_useDynamicSymbols(info, FALSE);
  R_forceSymbols(info, TRUE);
}
}
