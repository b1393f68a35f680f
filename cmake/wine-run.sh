#!/bin/sh
# Runs a Windows test executable under Wine, headless and quiet, in the prefix of the build.
unset DISPLAY
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="${WINEPREFIX:-$(dirname "$0")/../build/windows/wineprefix}"
exec wine "$@"
