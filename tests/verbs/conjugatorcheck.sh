#!/usr/bin/env bash
# Writes out every form of a verb file as the trainer reads it and checks
# them against an independent conjugator (tests/verbs/conjugatorcheck.mjs).
# Usage: conjugatorcheck.sh VERBTOOL NODE VERBFILE DEVIATIONS WORKDIR
# Exit 77: the conjugator is not installed (the test counts as skipped).
set -euo pipefail
verbtool=$1 node=$2 verbs=$3 deviations=$4 work=$5
mkdir -p "$work"
"$verbtool" dump "$verbs" > "$work/verbs.dump"
exec "$node" "$(dirname "$0")/conjugatorcheck.mjs" "$work/verbs.dump" "$deviations"
