# shellcheck shell=bash
# Shared by the package checks (sourced): one line per check, and a count of
# the failures for the exit status.
#   check_subject=NAME      what the lines are about
#   check WHAT yes|no [DETAIL]
#   yes_if COMMAND...       prints yes when COMMAND succeeds, else no
check_subject=
failures=0

check() {
  if [[ $2 == yes ]]; then
    echo "ok   $check_subject: $1"
  else
    echo "FAIL $check_subject: $1${3:+ ($3)}"
    failures=$((failures + 1))
  fi
}

yes_if() {
  if "$@"; then echo yes; else echo no; fi
}
