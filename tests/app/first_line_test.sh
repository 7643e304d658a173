#!/bin/sh
# Runs a program and passes when it exits 0 and the first line it prints is the expected one.
#   usage: first_line_test.sh EXPECTED PROGRAM [ARGUMENTS...]
expected=$1
shift
out=$("$@") || { echo "exit status $?"; exit 1; }
first=$(printf '%s\n' "$out" | head -n 1)
[ "$first" = "$expected" ] || { echo "first line: '$first', expected '$expected'"; exit 1; }
