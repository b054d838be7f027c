#!/bin/sh
# A stand-in for Debian's wine without wine32, for the test of run-under-wine.sh: a 32-bit program
# is not run, a hint is printed and the exit code is 0. wineboot (which the 64-bit Wine of such a
# system runs) is handed to the real Wine loader in CORVANE_REAL_WINE.
case "$1" in
    wineboot) exec "${CORVANE_REAL_WINE:-wine}" "$@" ;;
esac
echo "it looks like wine32 is missing, you should install it." >&2
exit 0
