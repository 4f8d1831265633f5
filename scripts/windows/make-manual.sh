#!/usr/bin/env bash
# The HTML manual of the Windows programs, made from the manual pages in dist/man:
# one page per program (links between them kept), a front page with the Windows names and
# places, and the style sheet.
#   make-manual.sh VERSION FOLDER
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
[ $# -eq 2 ] || { echo "usage: make-manual.sh VERSION FOLDER" >&2; exit 2; }
version="$1"
folder="$2"
mkdir -p "$folder"

for page in "$ROOT"/dist/man/*.1; do
    name="$(basename "$page" .1)"
    # -W warning: a manual page mandoc finds faulty fails the build instead of a bad page.
    mandoc -W warning,stop -T html -O style=manual.css,man=%N.html "$page" > "$folder/$name.html"
done
cp "$ROOT/dist/windows/manual.css" "$folder/manual.css"
sed "s/@VERSION@/$version/g" "$ROOT/dist/windows/manual-index.html.in" > "$folder/index.html"
