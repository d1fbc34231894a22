#!/usr/bin/env bash
# Fails when a file of a library includes a header of a library it does not
# build on: every line of the layers file names a library's folder first, then
# the folders below it (all relative to src/).
set -euo pipefail
layers=$1
src=$2
declare -A known
while read -r folder _; do
  known[$folder]=1
done <"$layers"
status=0
while read -r folder below; do
  declare -A allowed=([$folder]=1)
  for dir in $below; do
    allowed[$dir]=1
  done
  for file in "$src/$folder"/*.h "$src/$folder"/*.cpp; do
    [ -e "$file" ] || continue
    while IFS= read -r header; do
      dir=${header%/*}
      [ "$dir" != "$header" ] || continue
      if [ -n "${known[$dir]:-}" ] && [ -z "${allowed[$dir]:-}" ]; then
        echo "${file#"$src"/} includes $header, but $folder does not build on $dir"
        status=1
      fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
  done
  unset allowed
done <"$layers"
exit $status
