#!/usr/bin/env bash
# replay_workbooks.sh REPLAY CORPUS OUTDIR PYTHON CHECKER: replays the workbook corpus keeping
# every file it saves, then has the independent readers open each one.
set -euo pipefail
replay=$1 corpus=$2 out=$3 python=$4 checker=$5
rm -rf "$out"
mkdir -p "$out"
FERROW_FUZZ_KEEP="$out" "$replay" "$corpus"
"$python" "$checker" "$out"
