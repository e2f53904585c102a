#!/bin/bash
# A host program in a folder deeper than MAX_PATH: GetModuleFileNameA can
# give only the name's first 260 bytes, unterminated, so the title's
# search has no program folder to look in. A language file where the cut
# name points must not be taken.
#   long_program_folder.sh tabulon-host.exe tabulon.dll
set -euo pipefail
wine_run=$(cd "$(dirname "$0")/../tools" && pwd)/wine-run
host=$1
extender=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
root=$(mktemp -d "${TMPDIR:-/tmp}/tabulon-long-XXXXXX")
trap 'rm -rf "$root"' EXIT
folder=$root
while [ ${#folder} -lt 320 ]; do folder=$folder/a-rather-long-folder-name; done
mkdir -p "$folder"
cp "$host" "$folder/tabulon-host.exe"
windows="Z:${folder//\//\\}\\tabulon-host.exe"  # the program's name as Windows gives it
cut=${windows:0:260}
cut=${cut%\\*}  # the folder the cut name points to
cut=${cut#Z:}
printf '[Gizmora Extender]\r\nX1000=Cut\r\n' >"${cut//\\//}/ZRXELANG.enu"
cd "$root"
title=$("$wine_run" "$folder/tabulon-host.exe" --extender "Z:${extender//\//\\}" | sed -n 's/\r$//; s/^title: //p')
if [ "$title" != "Tabulon  QAL Extender" ]; then
    echo "FAIL: the title from a program folder of ${#windows} bytes is \"$title\""
    exit 1
fi
echo "1 passed, 0 failed"
