#!/bin/bash
# Prints the line counts of the program (src/) and of everything under tests/, and the share of
# test lines against program lines. Counts every line of every tracked file, as wc -l does.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
count() { git ls-files -z -- "$1" | xargs -0 cat 2>/dev/null | wc -l; }
src=$(count src)
tests=$(count tests)
echo "src/   $src lines"
echo "tests/ $tests lines"
awk -v s="$src" -v t="$tests" 'BEGIN { printf "share  %.1f %%\n", s ? 100 * t / s : 0 }'
