#!/usr/bin/env bash
# Builds the example program as another project would, against the preview library installed into a
# temporary root and nothing else, and runs it there: it records pages, zooms and saves a PDF through
# the installed PDF library. Then compiles a program with the flags of the installed pkg-config file.
# Usage: check-example.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

for component in preview_runtime preview_dev; do
  DESTDIR="$work/root" cmake --install "$build" --prefix /usr --component "$component" >/dev/null
done
prefix="$work/root/usr"

# Configured with the install as its only place for the package: no registry, not the system's /usr.
cmake -S "$source/examples" -B "$work/example" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF >/dev/null
package_dir=$(sed -n 's/^HandvisePreview_DIR:PATH=//p' "$work/example/CMakeCache.txt")
[[ "$package_dir" == "$prefix"/lib*/cmake/HandvisePreview ]] || fail "package found in '$package_dir'"
cmake --build "$work/example" >/dev/null

# The program loads the installed library, which finds the installed PDF library below itself.
output=$(cd "$work" && LD_DEBUG=files LD_DEBUG_OUTPUT="$work/ld" QT_QPA_PLATFORM=offscreen \
  "$work/example/preview_example" "$work/weeks.pdf")
grep -qs "calling init: $prefix/lib.*/libhandvise-preview.so.1\$" "$work"/ld.* ||
  fail "the example did not load the installed library"
grep -qx "pages 3" <<<"$output" || fail "pages: $output"
grep -qx "zoom 150" <<<"$output" || fail "zoom: $output"
grep -qx "scrolls yes" <<<"$output" || fail "scrolling: $output"
library=$(sed -n 's/^pdf library //p' <<<"$output")
[[ "$library" == "$prefix"/lib*/handvise/libdspdf.so ]] || fail "PDF library taken from '$library'"
pdfinfo "$work/weeks.pdf" | grep -q '^Pages: *3$' || fail "the PDF has not 3 pages"
pdftotext "$work/weeks.pdf" - | grep -q 'Week 2' || fail "the PDF lacks the text drawn"

# pkg-config: the flags of the installed file compile and link a program against the same install.
PKG_CONFIG_PATH=$(dirname "$(find "$prefix" -name handvise-preview.pc)")
export PKG_CONFIG_PATH
[[ $(pkg-config --modversion handvise-preview) == 1.* ]] || fail "pkg-config version"
cat >"$work/probe.cpp" <<'PROBE'
#include <preview/Preview.h>
int main() { return preview::TPrintPreview::PdfPaperCode(preview::pA4) == 2 ? 0 : 1; }
PROBE
# shellcheck disable=SC2046 # the flags are words
c++ -std=c++17 "$work/probe.cpp" -o "$work/probe" $(pkg-config --cflags --libs handvise-preview) \
  -Wl,-rpath,"$(pkg-config --variable=libdir handvise-preview)"
"$work/probe" || fail "the pkg-config probe"
echo "OK: the example built and ran against $prefix"
