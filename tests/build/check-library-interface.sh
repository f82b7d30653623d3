#!/usr/bin/env bash
# Checks what the preview library shows the programs that link it: a SONAME with its major version, and
# dynamic symbols of the classes and functions that its public headers export and of nothing else (none
# of the classes it keeps inside, nothing of the static libraries linked into it).
# Usage: check-library-interface.sh LIBRARY MAJOR_VERSION PUBLIC_HEADER...
set -euo pipefail
library=$1 major=$2
shift 2
fail() { echo "FAIL: $*" >&2; exit 1; }

soname=$(readelf -d "$library" | sed -n 's/.*(SONAME).*\[\(.*\)\]$/\1/p')
[[ "$soname" == "libhandvise-preview.so.$major" ]] || fail "SONAME is '$soname'"

# What the headers export: classes marked with the export macro, and marked functions.
public=$(sed -n -E 's/^class HANDVISE_PREVIEW_EXPORT ([A-Za-z0-9_]+).*/\1/p
  s/^HANDVISE_PREVIEW_EXPORT .*[ *&]([A-Za-z0-9_]+)\(.*/\1/p' "$@" | sort -u)
[[ -n "$public" ]] || fail "no exported names found in the headers"

# Every defined dynamic symbol but the version node belongs to one of them.
checked=0
while read -r type name; do
  [[ "$type" == A ]] && continue
  owner=${name#typeinfo name for }
  owner=${owner#typeinfo for }
  owner=${owner#vtable for }
  owner=${owner#non-virtual thunk to }
  [[ "$owner" == preview::* ]] || fail "symbol outside namespace preview: $name"
  owner=${owner#preview::}
  owner=${owner%%[^A-Za-z0-9_]*}
  grep -qx "$owner" <<<"$public" || fail "symbol of a class or function that no public header exports: $name"
  checked=$((checked + 1))
done < <(nm -D --defined-only -C "$library" | sed -E 's/^[0-9a-f]* ([A-Za-z]) /\1 /')
((checked > 0)) || fail "no symbols"
echo "OK: $soname, $checked symbols of $(wc -l <<<"$public") public names"
