#!/usr/bin/env bash
# Every function a game library's header declares must be exported by name.
set -euo pipefail
library=$1
header=$2
declared=$(grep -oE '\b(ZorvFD|ZorvVFS|Zorv)_[A-Za-z]+\(' "$header" | tr -d '(' | sort -u)
exported=$(nm -D --defined-only "$library" | awk '{print $3}' | sort -u)
missing=$(comm -23 <(echo "$declared") <(echo "$exported"))
if [ -n "$missing" ]; then
  echo "$library does not export:" $missing
  exit 1
fi
echo "$library exports all $(echo "$declared" | wc -l) functions of $(basename "$header")"
