#!/bin/bash
# The host program and the extender in a folder deeper than MAX_PATH:
# GetModuleFileNameA can give only their names' first 260 bytes,
# unterminated. The host must still load the extender beside it, and the
# title's search has no folder of either to look in: a language file where
# the cut names point must not be taken.
#   long_program_folder.sh tabulon-host.exe tabulon.dll
set -euo pipefail
wine_run=$(cd "$(dirname "$0")/../tools" && pwd)/wine-run
host=$1
extender=$2
root=$(mktemp -d "${TMPDIR:-/tmp}/tabulon-long-XXXXXX")
trap 'rm -rf "$root"' EXIT
folder=$root
while [ ${#folder} -lt 320 ]; do folder=$folder/a-rather-long-folder-name; done
mkdir -p "$folder"
cp "$host" "$folder/tabulon-host.exe"
cp "$extender" "$folder/tabulon.dll"
windows="Z:${folder//\//\\}\\tabulon-host.exe"  # the program's name as Windows gives it
cut=${windows:0:260}
cut=${cut%\\*}  # the folder the cut name points to
cut=${cut#Z:}
printf '[Gizmora Extender]\r\nX1000=Cut\r\n' >"${cut//\\//}/ZRXELANG.enu"
cd "$root"
title=$("$wine_run" "$folder/tabulon-host.exe" | sed -n 's/\r$//; s/^title: //p')
if [ "$title" != "Tabulon  QAL Extender" ]; then
    echo "FAIL: the title from a program folder of ${#windows} bytes is \"$title\""
    exit 1
fi
echo "1 passed, 0 failed"
