#!/usr/bin/env bash
# Every C++ file of the tree is written in the style of .clang-format: fails
# naming each file that clang-format would change.
set -u
top=$1
cd "$top" || exit 1
mapfile -t files < <(git ls-files '*.cpp' '*.h')
[ ${#files[@]} -gt 0 ] || { echo "FAIL: no C++ files found in $top" >&2; exit 1; }
unformatted=()
for f in "${files[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || unformatted+=("$f")
done
[ ${#unformatted[@]} -eq 0 ] || { printf 'FAIL: not in the style of .clang-format: %s\n' "${unformatted[@]}" >&2; exit 1; }
echo "${#files[@]} files in the style of .clang-format"
