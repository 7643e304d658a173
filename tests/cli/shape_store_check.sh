#!/bin/sh
# corvane-cli fit prints the same rows with no store of shapes, while filling a store, and reading
# it in a later session: what it reads is what it would have solved.
# Usage: shape_store_check.sh CORVANE-CLI
set -eu
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" simulate --params 0.3,1,0.8333,20,40,0.4375 --reactions 150 --seed 7 >"$work/rt.txt"
fit() { "$cli" fit --bootstrap 4 --seed 3 --threads 2 "$work/rt.txt"; }
CORVANE_SHAPE_CACHE=off fit >"$work/none.tsv"
CORVANE_SHAPE_CACHE="$work/store" fit >"$work/filling.tsv"
stored=$(find "$work/store" -name '*.shape' | wc -l)
if [ "$stored" -eq 0 ]; then
  echo "no node was stored" >&2
  exit 1
fi
CORVANE_SHAPE_CACHE="$work/store" fit >"$work/reading.tsv"
if [ "$(find "$work/store" -name '*.shape' | wc -l)" -ne "$stored" ]; then
  echo "the later session solved nodes the store held" >&2
  exit 1
fi
cmp "$work/none.tsv" "$work/filling.tsv"
cmp "$work/none.tsv" "$work/reading.tsv"
echo "$stored nodes stored; the three sessions' rows agree"
