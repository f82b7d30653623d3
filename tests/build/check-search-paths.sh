#!/usr/bin/env bash
# Fails when any ELF file under the given folder carries a library search path (RPATH or RUNPATH) with an
# empty or relative entry: the loader reads those against the working folder, so a library planted there
# would run inside the program. Only absolute and $ORIGIN-based entries pass.
set -euo pipefail
root="${1:?usage: check-search-paths.sh <folder>}"
checked=0
bad=0
while IFS= read -r -d '' file; do
  [[ "$(head -c 4 "$file" | od -An -c | tr -d ' ')" == '177ELF' ]] || continue
  checked=$((checked + 1))
  while IFS= read -r path; do
    # The appended separator ends the last entry, so that an empty last entry is read too.
    IFS=':;' read -r -a entries <<<"$path:"
    for entry in "${entries[@]}"; do
      if [[ -z "$entry" || ( "$entry" != /* && "$entry" != '$ORIGIN'* && "$entry" != '${ORIGIN}'* ) ]]; then
        echo "relative or empty entry '$entry' in the search path of $file: [$path]"
        bad=1
      fi
    done
  done < <(readelf -d "$file" 2>/dev/null | sed -n 's/.*(R[UN]*PATH).*\[\(.*\)\]$/\1/p')
done < <(find "$root" -type f \( -perm -u+x -o -name '*.so*' \) -print0)
echo "checked $checked ELF files"
((checked > 0)) || { echo "no ELF file found under $root"; exit 1; }
exit "$bad"
