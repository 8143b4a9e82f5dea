#!/usr/bin/env bash
# Fails when a folder's code includes a header of a folder that comes later in the order of the
# root CMakeLists.txt, or reaches into another folder by a relative path: each library uses only
# those before it, and only through what it links.
set -euo pipefail
cd "$(dirname "$0")/.."

read -r -a order < <(sed -n 's/^foreach(folder \(.*\))$/\1/p' CMakeLists.txt)
[ ${#order[@]} -gt 0 ] || { echo "check-layers: no folder order in CMakeLists.txt" >&2; exit 2; }
declare -A rank owners
for i in "${!order[@]}"; do rank[${order[$i]}]=$i; done
for folder in "${order[@]}"; do
  for header in "$folder"/*.h; do
    [ -e "$header" ] && owners[$(basename "$header")]+="$folder "
  done
done

failed=0
for folder in "${order[@]}"; do
  for file in "$folder"/*.cpp "$folder"/*.h; do
    [ -e "$file" ] || continue
    while IFS= read -r include; do
      case "$include" in
        ../*) echo "$file: includes \"$include\" by a relative path"; failed=1; continue ;;
        */*) candidates=${include%%/*} ;;
        *) [ -e "$folder/$include" ] && continue
           candidates=${owners[$include]:-} ;;
      esac
      later=""
      for owner in $candidates; do
        [ -n "${rank[$owner]:-}" ] || continue
        if [ "${rank[$owner]}" -le "${rank[$folder]}" ]; then later=""; break; fi
        later=$owner
      done
      if [ -n "$later" ]; then
        echo "$file: includes \"$include\" of $later, which comes after $folder"
        failed=1
      fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
  done
done
exit $failed
