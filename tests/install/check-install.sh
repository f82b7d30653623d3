#!/usr/bin/env bash
# Checks the suite as installed: `tree` installs the build into a temporary root under /usr, `package`
# builds the Debian packages, lists and lints them and unpacks them into a temporary root. Either way the
# files must lie in their places and the programs must start from there, also after the tree is moved
# to another prefix.
# Usage: check-install.sh tree|package BUILD_DIR INSTALL_PROBE CALCULATOR_VERSION DESIGNER_VERSION LIBDIR
#        SOURCE_DIR
set -euo pipefail
mode=$1 build=$2 probe=$3 calc_version=$4 designer_version=$5 libdir=$6 source=$7

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
  "$libdir/handvise/cadencer-preview.so"
  "$libdir/libhandvise-preview.so.1" "$libdir/libhandvise-preview.so"
  include/handvise-preview/preview/Preview.h include/handvise-preview/preview/PreviewExport.h
  include/handvise-preview/common/Alignment.h
  "$libdir/cmake/HandvisePreview/HandvisePreviewConfig.cmake"
  "$libdir/cmake/HandvisePreview/HandvisePreviewConfigVersion.cmake"
  "$libdir/cmake/HandvisePreview/HandvisePreviewTargets.cmake"
  "$libdir/pkgconfig/handvise-preview.pc"
  share/doc/libhandvise-preview-dev/html/index.html share/doc/libhandvise-preview-dev/guide.md
)
for package in libhandvise-preview1 libhandvise-preview-dev; do
  expected+=("share/doc/$package/copyright" "share/doc/$package/changelog.Debian.gz")
done
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

  # Started from another folder, which holds libraries of those names that must not be taken.
  local elsewhere="$work/elsewhere"
  mkdir -p "$elsewhere/lib"
  : >"$elsewhere/libdspdf.so"
  : >"$elsewhere/libhandvise-preview.so.1"
  : >"$elsewhere/lib/libhandvise-preview.so.1"
  for program in handvise2 cadencer; do
    local status=0
    (cd "$elsewhere" && LD_DEBUG=files LD_DEBUG_OUTPUT="$work/ld-$program" \
      timeout 3 "$prefix/bin/$program" --ignored-argument >/dev/null 2>"$work/stderr-$program") || status=$?
    [[ $status == 124 ]] || fail "$program did not keep running (status $status)"
    # Whatever it loads late finds its own resources (the preview's cursor pictures).
    ! grep -E 'QIODevice|QFileDevice' "$work/stderr-$program" || fail "$program could not read a resource"
  done
  # The designer loads its preview once its window has painted: the module of this tree, found relative
  # to the program, and through it the preview library and the PDF library of this tree, whatever the
  # prefix. The program itself links neither the preview library nor Qt's printing.
  grep -qs "calling init: $prefix/$libdir/handvise/cadencer-preview.so\$" "$work"/ld-cadencer.* ||
    fail "cadencer did not load the preview module of $prefix"
  grep -qs "calling init: $libraries\$" "$work"/ld-cadencer.* || fail "cadencer did not load $libraries"
  grep -qs "calling init: $prefix/$libdir/handvise/\.\./libhandvise-preview.so.1\$" "$work"/ld-cadencer.* ||
    fail "cadencer did not load the preview library of $prefix"
  ! readelf -d "$prefix/bin/cadencer" | grep -E 'NEEDED.*(handvise-preview|PrintSupport)' ||
    fail "cadencer links what only its preview needs"
  rm -f "$work"/ld-*
  bash "$source/tests/build/check-search-paths.sh" "$prefix" >/dev/null || fail "a search path reads the working folder"

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
    # Each package, and which of the paths above it holds (the programs' package the rest).
    declare -A holds=(
      [handvise]="^(bin/|share/(applications|icons|metainfo|man|handvise|doc/handvise)/|$libdir/handvise/cadencer-preview\.so\$)"
      [libhandvise-preview1]="^($libdir/libhandvise-preview\.so\.1|$libdir/handvise/libdspdf\.so\$|share/doc/libhandvise-preview1/)"
      [libhandvise-preview-dev]="^($libdir/libhandvise-preview\.so\$|include/|$libdir/(cmake|pkgconfig)/|share/doc/libhandvise-preview-dev/)"
    )
    for package in "${!holds[@]}"; do
      deb=$(echo "$work/package/${package}_"*.deb)
      [[ -f "$deb" ]] || fail "no package $package built"
      listing=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./usr/||')
      for path in "${expected[@]}"; do
        if [[ "$path" =~ ${holds[$package]} ]]; then
          grep -qx "$path" <<<"$listing" || fail "$package lacks /usr/$path"
        fi
      done
      # Errors fail; warnings are printed for the log.
      lintian --fail-on error "$deb" 2>/dev/null || fail "lintian reports errors in $package"
      dpkg-deb -x "$deb" "$root"
    done
    depends=$(dpkg-deb -f "$work"/package/handvise_*.deb Depends)
    grep -q 'libqt6svg6' <<<"$depends" || fail "Depends lacks the SVG icon engine"
    grep -q 'libhandvise-preview1 (>= ' <<<"$depends" || fail "Depends lacks the preview library: $depends"
    dpkg-deb -f "$work"/package/libhandvise-preview-dev_*.deb Depends | grep -q 'libhandvise-preview1 (= ' ||
      fail "the development package does not depend on its library's version"
    for binary in bin/handvise2 bin/cadencer "$libdir/handvise/cadencer-preview.so" "$libdir/libhandvise-preview.so.1"; do
      file -L "$root/usr/$binary" | grep -q ', stripped' || fail "$binary is not stripped"
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
