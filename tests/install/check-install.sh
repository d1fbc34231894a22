#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks that the desktop entry
# starts a program that has its libraries and help pages beside it.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null

entry=$prefix/share/applications/zorv-editor.desktop
program=$(sed -n 's/^Exec=//p' "$entry")
folder=$(dirname "$program")
for file in "$program" "$folder"/libzorvfd.so "$folder"/libzorvvfs.so "$folder"/libzorvobjects.so \
            "$folder"/help/index.html "$prefix"/share/icons/hicolor/scalable/apps/zorv-editor.svg; do
  [ -f "$file" ] || { echo "missing: $file"; exit 1; }
done
[ "$(readlink -f "$prefix/bin/zorv-editor")" = "$(readlink -f "$program")" ] ||
  { echo "bin/zorv-editor does not lead to $program"; exit 1; }
grep -qx 'Icon=zorv-editor' "$entry" || { echo "no icon in $entry"; exit 1; }
echo "installed and checked under $prefix"
