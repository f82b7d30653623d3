#!/usr/bin/env bash
# Checks the suite as installed: `tree` installs the build into a temporary root under /usr, `package`
# builds the Debian package, lists and lints it and unpacks it into a temporary root. Either way the
# files must lie in their places and the programs must start from there, also after the tree is moved
# to another prefix.
# Usage: check-install.sh tree|package BUILD_DIR INSTALL_PROBE CALCULATOR_VERSION DESIGNER_VERSION
set -euo pipefail
mode=$1 build=$2 probe=$3 calc_version=$4 designer_version=$5

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The paths (relative to the prefix) that must be installed, and what must never lie beside the programs.
expected=(
  bin/handvise2 bin/cadencer
  share/handvise/ktxcalc.html share/handvise/ktxsuite.html
  share/handvise/ktxcalc.de.html share/handvise/ktxsuite.de.html
  share/applications/org.varnok.handvise.Calculator.desktop
  share/applications/org.varnok.handvise.Designer.desktop
  share/metainfo/org.varnok.handvise.Calculator.metainfo.xml
  share/metainfo/org.varnok.handvise.Designer.metainfo.xml
  share/icons/hicolor/scalable/apps/org.varnok.handvise.Calculator.svg
  share/icons/hicolor/scalable/apps/org.varnok.handvise.Designer.svg
  share/man/man1/handvise2.1.gz share/man/man1/cadencer.1.gz
  share/doc/handvise/copyright share/doc/handvise/changelog.Debian.gz
)
for size in 16 22 24 32 48 64 128 256; do
  for id in Calculator Designer; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/org.varnok.handvise.$id.png")
  done
done

# Checks the installed tree under `prefix`: places, --version, --help, and each program starting.
check_prefix() {
  local prefix=$1
  for path in "${expected[@]}"; do
    [[ -f "$prefix/$path" ]] || fail "missing $prefix/$path"
  done
  local libraries
  libraries=$(find "$prefix" -name libdspdf.so)
  [[ $(wc -l <<<"$libraries") == 1 && "$libraries" == "$prefix"/lib*/handvise/libdspdf.so ]] ||
    fail "libdspdf.so should lie once in the private library folder, found: $libraries"
  [[ -z $(find "$prefix/bin" -type f ! -name handvise2 ! -name cadencer) ]] || fail "more than programs in bin"

  [[ $("$prefix/bin/handvise2" --version) == "handvise2 $calc_version" ]] || fail "handvise2 --version"
  [[ $("$prefix/bin/cadencer" --version) == "cadencer $designer_version" ]] || fail "cadencer --version"
  "$prefix/bin/cadencer" --help | grep -q '^Usage: cadencer' || fail "cadencer --help"

  # German: the catalogue built into the programs (with Qt's own beside it), the menu entries, the
  # software-centre entries.
  LANGUAGE=de "$prefix/bin/handvise2" --help | grep -q '^Aufruf: handvise2 \[Optionen\]' || fail "German --help"
  LANGUAGE=de "$prefix/bin/cadencer" --help | grep -q '^Optionen:' || fail "Qt's German texts in --help"
  for id in Calculator Designer; do
    local entry="$prefix/share/applications/org.varnok.handvise.$id.desktop"
    for key in Name GenericName Comment Keywords; do
      grep -q "^$key\[de\]=." "$entry" || fail "$entry lacks $key[de]"
    done
    grep -q '<name xml:lang="de">' "$prefix/share/metainfo/org.varnok.handvise.$id.metainfo.xml" ||
      fail "no German name in the metainfo of $id"
  done

  # Started from another folder, which holds a library of that name that must not be taken.
  local elsewhere="$work/elsewhere"
  mkdir -p "$elsewhere"
  : >"$elsewhere/libdspdf.so"
  for program in handvise2 cadencer; do
    local status=0
    (cd "$elsewhere" && LD_DEBUG=files LD_DEBUG_OUTPUT="$work/ld-$program" \
      timeout 3 "$prefix/bin/$program" --ignored-argument >/dev/null 2>&1) || status=$?
    [[ $status == 124 ]] || fail "$program did not keep running (status $status)"
  done
  grep -qs "calling init: $libraries\$" "$work"/ld-cadencer.* || fail "cadencer did not load $libraries"
  rm -f "$work"/ld-*

  # A program of the tree finds the help pages in the data folder, and the launcher settings in the
  # user's configuration folder until a file lies beside it.
  cp "$probe" "$prefix/bin/install_probe"
  local found
  found=$(XDG_CONFIG_HOME="$work/config" "$prefix/bin/install_probe" ktxcalc.html ktxsuite.de.html)
  [[ "$found" == "$prefix/share/handvise/ktxcalc.html"$'\n'"$prefix/share/handvise/ktxsuite.de.html"$'\n'"$work/config/handvise/ktxlauncher.ini" ]] ||
    fail "probe found: $found"
  : >"$prefix/bin/ktxlauncher.ini"
  [[ $("$prefix/bin/install_probe") == "$prefix/bin/ktxlauncher.ini" ]] || fail "launcher settings beside"
  rm "$prefix/bin/install_probe" "$prefix/bin/ktxlauncher.ini"
}

root="$work/root"
case $mode in
  tree)
    DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
    ;;
  package)
    cpack -G DEB -B "$work/package" --config "$build/CPackConfig.cmake" >/dev/null
    deb=$(echo "$work"/package/handvise_*.deb)
    [[ -f "$deb" ]] || fail "no package built"
    listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
    for path in "${expected[@]}"; do
      grep -qx "./usr/$path" <<<"$listing" || fail "package lacks /usr/$path"
    done
    dpkg-deb -f "$deb" Depends | grep -q 'libqt6svg6' || fail "Depends lacks the SVG icon engine"
    # Errors fail; warnings are printed for the log.
    lintian --fail-on error "$deb" 2>/dev/null || fail "lintian reports errors"
    dpkg-deb -x "$deb" "$root"
    for program in handvise2 cadencer; do
      file "$root/usr/bin/$program" | grep -q ', stripped' || fail "$program is not stripped"
    done
    ;;
  *) fail "unknown mode $mode" ;;
esac

check_prefix "$root/usr"
# Moved as a whole to another prefix, the tree still works.
mkdir -p "$root/opt/moved"
mv "$root/usr" "$root/opt/moved/"
check_prefix "$root/opt/moved/usr"
echo "OK: $mode"
