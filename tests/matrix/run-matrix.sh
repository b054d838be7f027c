#!/bin/bash
# Runs the fault matrix against the executable and simulator of a build folder.
#
#   tests/matrix/run-matrix.sh <build-dir>
#
# Prints one line per row (pass, or FAIL with the reason and the kept scratch folder) and exits 1
# when any row fails. The rows are in matrix_rows.py, the runner in fault_matrix.py.
set -eu
if [ "$#" -ne 1 ]; then
    echo "usage: run-matrix.sh <build-dir>" >&2
    exit 2
fi
exec python3 "$(dirname "$0")/fault_matrix.py" "$1"
