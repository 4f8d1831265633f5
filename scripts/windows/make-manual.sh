#!/usr/bin/env bash
# The HTML manual of the Windows programs, made from the manual pages in dist/man:
# one page per program, a front page with the Windows names and places, and the style
# sheet. A page's mentions of the other program, as in SEE ALSO, become links to its page.
#   make-manual.sh VERSION FOLDER
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
[ $# -eq 2 ] || { echo "usage: make-manual.sh VERSION FOLDER" >&2; exit 2; }
version="$1"
folder="$2"
mkdir -p "$folder"

names=()
for page in "$ROOT"/dist/man/*.1; do
    names+=("$(basename "$page" .1)")
done
for name in "${names[@]}"; do
    links=()
    for other in "${names[@]}"; do
        [ "$other" = "$name" ] ||
            links+=(-e "s|<b>$other</b>(1)|<a href=\"$other.html\"><b>$other</b>(1)</a>|g")
    done
    # -W warning,stop: a manual page mandoc finds faulty fails the build, not a bad page.
    mandoc -W warning,stop -T html -O style=manual.css "$ROOT/dist/man/$name.1" |
        sed "${links[@]}" >"$folder/$name.html"
done
cp "$ROOT/dist/windows/manual.css" "$folder/manual.css"
sed "s/@VERSION@/$version/g" "$ROOT/dist/windows/manual-index.html.in" > "$folder/index.html"
