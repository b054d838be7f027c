#!/usr/bin/env bash
# run-under-wine.sh <wine> <prefix> <program.exe> [arguments...]
# run-under-wine.sh <wine> <prefix> --prepare
#
# Runs a Windows test program under Wine for CTest (CMAKE_CROSSCOMPILING_EMULATOR) and fails
# unless the program proves that it really ran. Wine can end with exit code 0 without having
# started anything (Debian's wine without wine32, for a 32-bit program): a test that "passed" that
# way would hide that nothing was tested.
#
# - The prefix <prefix> (a folder of the build) is created on first use, under a lock, so that
#   parallel tests share one prefix and wait for its creation (about 15 s, once).
# - A persistent Wine server is started for the prefix, and with it Wine's background programs
#   (wineboot), detached from our output: started by the first test program, they would inherit
#   CTest's output pipe, and CTest would wait for them after the test. The server ends by itself
#   60 s after the last program. --prepare does only this and the
#   step before, so that a test run can start with both done.
# - The program is given CORVANE_RUN_PROOF, a file it writes "<what>=<count>" into when it has
#   done its work (tests/support/RunProof.h). Its own exit code counts when it is not 0;
#   otherwise the run fails unless the proof is there with a count above 0.
set -u

if [ $# -lt 3 ]; then
    echo "usage: $0 <wine> <prefix> <program> [arguments...]" >&2
    exit 2
fi
wine=$1
prefix=$2
shift 2

export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}

# Runs a command detached from everything we hold open: no standard streams, and none of the other
# descriptors that CTest or our lock left to us. A Wine server that kept one of CTest's pipes open
# would make CTest wait for the server's end after the test.
detached() {
    (
        for fd in /proc/$BASHPID/fd/*; do
            fd=${fd##*/}
            if [ "$fd" -gt 2 ]; then
                eval "exec $fd>&-"
            fi
        done
        exec "$@"
    ) </dev/null >/dev/null 2>&1
}

# Creates the prefix once and makes sure its server runs. Serialised by a lock beside the prefix.
prepare_prefix() {
    mkdir -p "$(dirname "$prefix")" || return 1
    exec 9>"$prefix.lock" || return 1
    flock 9 || return 1
    if [ ! -f "$prefix/.corvane-ready" ]; then
        echo "run-under-wine: creating the Wine prefix $prefix (once)" >&2
        rm -rf "$prefix"
        detached "$wine" wineboot --init
        detached wineserver -w
        if [ ! -f "$prefix/system.reg" ]; then
            echo "run-under-wine: $wine did not create the prefix $prefix" >&2
            return 1
        fi
        touch "$prefix/.corvane-ready"
    fi
    # Exit status 2: a server for this prefix is running already, which is what we want. (The
    # server must not hold our lock, descriptor 9, open either.)
    detached wineserver -p60
    local status=$?
    if [ $status -eq 0 ]; then
        # A new server: Wine's own background programs (services, device drivers) start with the
        # first program and would otherwise inherit that program's output pipe from CTest.
        detached "$wine" wineboot
    fi
    exec 9>&-
    [ $status -eq 0 ] || [ $status -eq 2 ]
}

if ! prepare_prefix; then
    echo "run-under-wine: the Wine prefix $prefix cannot be prepared" >&2
    exit 1
fi
if [ "$1" = "--prepare" ]; then
    exit 0
fi

proof_dir=$(mktemp -d "${TMPDIR:-/tmp}/corvane-run-proof.XXXXXX") || exit 1
trap 'rm -rf "$proof_dir"' EXIT
proof=$proof_dir/proof
# The program opens it through Wine's drive Z:, the root of the Unix file system.
export CORVANE_RUN_PROOF="Z:${proof//\//\\}"

"$wine" "$@"
status=$?
if [ $status -ne 0 ]; then
    exit $status
fi
if ! { [ -f "$proof" ] && tr -d '\r' <"$proof" | grep -Eq '^[a-z]+=[1-9][0-9]*$'; }; then
    if [ -s "$proof" ]; then
        echo "run-under-wine: $1 ran, but found nothing to run ($(cat "$proof"))" >&2
    else
        echo "run-under-wine: $1 ended with exit code 0 but never ran: is $wine able to run" \
             "it (for a 32-bit program: wine32:i386 installed)?" >&2
    fi
    exit 1
fi
exit 0
