#!/usr/bin/env bash
# The Debian package as a user gets it: built by cpack from this build
# folder, listed, unpacked into a throw-away root and run from there with a
# fresh home. One check per run:
#
#   package_test.sh build|contents|fields|installed|desktop|manual
#
# tests/package/CMakeLists.txt gives the build's facts in the environment:
# PACKAGE_DIR (where the package is built), CPACK and CPACK_CONFIG, VERSION
# (the package's) and DISPLAYED_VERSION (the program's). Exits 77, which
# CTest counts as skipped, where a Debian tool the check needs is missing.
set -euo pipefail

check=${1:?which check}

skip() { echo "Skipped: $*"; exit 77; }
fail() { echo "FAILED: $*" >&2; exit 1; }
need() { command -v "$1" >/dev/null || skip "$1 is missing (Debian package $2)"; }

need dpkg-deb dpkg
package=$PACKAGE_DIR/tavrello_${VERSION}_$(dpkg --print-architecture).deb
if [ "$check" != build ] && [ ! -f "$package" ]; then
  fail "$package is missing: the package.build test makes it"
fi

# A throw-away folder holding the unpacked root and the fresh home.
scratch() {
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  root=$work/root
  dpkg-deb -x "$package" "$root"
}

case $check in
build)
  rm -rf "$PACKAGE_DIR"
  mkdir -p "$PACKAGE_DIR"
  # dpkg-shlibdeps fills in Depends; without it cpack would quietly leave
  # the dependencies out.
  need dpkg-shlibdeps dpkg-dev
  "$CPACK" -G DEB --config "$CPACK_CONFIG" -B "$PACKAGE_DIR"
  [ -f "$package" ] || fail "cpack made no $package"
  ;;

contents)
  expected=(
    ./usr/bin/tavrello
    ./usr/lib/tavrello/Tavrello.so
    ./usr/lib/tavrello/libtavrello_builder.so
    ./usr/lib/tavrello/libtavrello_db.so
    ./usr/lib/tavrello/libtavrello_forms.so
    ./usr/lib/tavrello/libtavrello_gui.so
    ./usr/lib/tavrello/libtavrello_system.so
    ./usr/lib/tavrello/libtavrello_workbook.so
    ./usr/share/applications/tavrello.desktop
    ./usr/share/icons/hicolor/128x128/apps/tavrello.png
    ./usr/share/icons/hicolor/16x16/apps/tavrello.png
    ./usr/share/icons/hicolor/32x32/apps/tavrello.png
    ./usr/share/icons/hicolor/48x48/apps/tavrello.png
    ./usr/share/icons/hicolor/scalable/apps/tavrello.svg
    ./usr/share/man/man1/tavrello.1.gz
  )
  listing=$(dpkg-deb -c "$package")
  echo "$listing"
  # Every file, and nothing else: no test add-ins, no benchmarks.
  files=$(awk '$1 ~ /^-/ { print $6 }' <<<"$listing" | sort)
  want=$(printf '%s\n' "${expected[@]}" | sort)
  if [ "$files" != "$want" ]; then
    diff <(echo "$want") <(echo "$files") >&2 || true
    fail "the package's files differ from the expected ones (< expected, > packaged)"
  fi
  awk '$2 != "root/root" { bad = 1; print "not owned by root: " $6 > "/dev/stderr" } END { exit bad }' \
    <<<"$listing" || fail "files must belong to root"
  grep -q '^-rwxr-xr-x .* \./usr/bin/tavrello$' <<<"$listing" || fail "usr/bin/tavrello is not executable"
  ;;

fields)
  field() { dpkg-deb -f "$package" "$1"; }
  dpkg-deb -I "$package"
  [ "$(field Package)" = tavrello ] || fail "Package is '$(field Package)'"
  [ "$(field Version)" = "$VERSION" ] || fail "Version is '$(field Version)', not $VERSION"
  [[ "$(field Maintainer)" =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer '$(field Maintainer)' is no 'Name <address>'"
  [ -n "$(field Description | head -1)" ] || fail "no Description"
  # Depends comes from the libraries the program links, read by dpkg-shlibdeps.
  depends=$(field Depends)
  for library in libc6 libstdc++6 libqt6widgets6 libsqlite3-0 libodbc libpugixml libminizip; do
    [[ "$depends" == *"$library"* ]] || fail "Depends names no $library: '$depends'"
  done
  recommends=$(field Recommends)
  for driver in odbc-postgresql libsqliteodbc; do
    [[ "$recommends" == *"$driver"* ]] || fail "Recommends names no $driver: '$recommends'"
  done
  ;;

installed)
  need readelf binutils
  scratch
  program=$root/usr/bin/tavrello
  # The installed files find each other, never the build folder.
  runpath() { readelf -d "$1" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p'; }
  [ "$(runpath "$program")" = '$ORIGIN/../lib/tavrello' ] || fail "tavrello's RUNPATH is '$(runpath "$program")'"
  for library in "$root"/usr/lib/tavrello/*.so; do
    [ "$(runpath "$library")" = '$ORIGIN' ] || fail "$(basename "$library")'s RUNPATH is '$(runpath "$library")'"
  done
  linked=$(env -i PATH="$PATH" ldd "$program")
  ! grep -q "not found" <<<"$linked" || fail "libraries not found: $linked"
  while read -r name _ path _; do
    [ "$(realpath "$path")" = "$root/usr/lib/tavrello/$name" ] || fail "$name is taken from $path"
  done < <(grep 'libtavrello_' <<<"$linked")

  mkdir -p "$work/home"
  run() {
    env -i PATH="$PATH" HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
      TAVRELLO_MACHINE_REGISTRY="$work/machine-registry" "$program" "$@"
  }
  version=$(run --version)
  [ "$version" = "Tavrello $DISPLAYED_VERSION" ] || fail "--version printed '$version'"

  # Qt comes with the window's library, loaded when the window is shown: the
  # window starts (and is still up when it is stopped) from the installed one.
  ! grep -q 'libQt6' <<<"$linked" || fail "tavrello loads Qt before its window is asked for"
  window=$(env -i PATH="$PATH" ldd "$root/usr/lib/tavrello/libtavrello_gui.so")
  ! grep -q "not found" <<<"$window" || fail "libraries of the window not found: $window"
  status=0
  env -i PATH="$PATH" HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    TAVRELLO_MACHINE_REGISTRY="$work/machine-registry" QT_QPA_PLATFORM=offscreen \
    timeout 3 "$program" 2>"$work/window.err" || status=$?
  [ "$status" -eq 124 ] || fail "the window ended with status $status: $(cat "$work/window.err")"
  ! grep -q "cannot be started" "$work/window.err" || fail "$(cat "$work/window.err")"

  library=$root/usr/lib/tavrello/Tavrello.so
  registered=$(run register)
  echo "$registered"
  grep -qxF "Registered the add-in Tavrello.dsrConnect for the current user: $library" <<<"$registered" ||
    fail "register did not name the installed add-in $library"
  grep -qxF "=sz:$library" "$work/config/tavrello/registry" || fail "the registry holds no class mapping to $library"
  for file in connectionsettings.xml sample.db; do
    [ -s "$work/data/Tavrello/$file" ] || fail "register made no $file in the data folder"
  done

  run --headless >"$work/out" 2>"$work/err" || fail "--headless failed: $(cat "$work/err")"
  cat "$work/out"
  [ ! -s "$work/err" ] || fail "--headless reported: $(cat "$work/err")"
  grep -qxF "Add-ins connected: Tavrello.dsrConnect" "$work/out" || fail "--headless connected no Tavrello"
  grep -q '^Tool bar "Tavrello"' "$work/out" || fail "--headless showed no Tavrello tool bar"

  run unregister
  ! grep -qF "$library" "$work/config/tavrello/registry" || fail "unregister left the add-in registered"
  ;;

desktop)
  need desktop-file-validate desktop-file-utils
  scratch
  entry=$root/usr/share/applications/tavrello.desktop
  desktop-file-validate "$entry" || fail "desktop-file-validate refused the menu entry"
  value() { sed -n "s/^$1=//p" "$entry"; }
  [ "$(value Exec)" = "tavrello %F" ] || fail "Exec is '$(value Exec)'"
  [ -x "$root/usr/bin/$(value Exec | cut -d' ' -f1)" ] || fail "Exec names no program of the package"
  [ "$(value GenericName)" = "Database to Spreadsheet" ] || fail "GenericName is '$(value GenericName)'"
  [ "$(value Categories)" = "Office;Spreadsheet;Database;" ] || fail "Categories are '$(value Categories)'"
  [[ ";$(value MimeType)" == *";application/vnd.openxmlformats-officedocument.spreadsheetml.sheet;"* ]] ||
    fail "MimeType names no .xlsx type: '$(value MimeType)'"
  icons=$root/usr/share/icons/hicolor
  [ "$(value Icon)" = tavrello ] || fail "Icon is '$(value Icon)'"
  grep -q '<svg' "$icons/scalable/apps/tavrello.svg" || fail "the scalable icon is no SVG"
  for size in 16 32 48 128; do
    png=$icons/${size}x${size}/apps/tavrello.png
    # A PNG starts with its signature; width and height follow as 32-bit numbers.
    [ "$(od -An -tx1 -N8 "$png" | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$png is no PNG"
    read -r width height < <(od -An -tu4 --endian=big -j16 -N8 "$png")
    [ "$width $height" = "$size $size" ] || fail "$png is $width x $height, not $size x $size"
  done
  ;;

manual)
  scratch
  page=$work/tavrello.1
  gzip -dc "$root/usr/share/man/man1/tavrello.1.gz" >"$page"
  grep -q "^\.TH TAVRELLO 1 .*\"Tavrello $DISPLAYED_VERSION\"" "$page" || fail "the page's title names no version $DISPLAYED_VERSION"
  ! grep -n '@[A-Z_]*@' "$page" || fail "the page holds a word the build did not fill in"
  if command -v groff >/dev/null; then
    warnings=$(groff -man -ww -z "$page" 2>&1)
    [ -z "$warnings" ] || fail "groff warns about the page: $warnings"
  else
    echo "Note: groff is missing (Debian package groff-base), so the page was not typeset."
  fi
  # Every word the program's --help names, and the commands and options of
  # import and connection, are in the page.
  text=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/\\~/ /g' "$page")
  help=$(env -i PATH="$PATH" HOME="$work" "$root/usr/bin/tavrello" --help)
  words=$( (grep -o -- '--[a-z][a-z-]*' <<<"$help"; sed -n 's/^  \([a-z][a-z-]*\)  .*/\1/p' <<<"$help") | sort -u)
  [ -n "$words" ] || fail "--help named nothing"
  for word in $words import connection list add edit remove --host-version --connection --sql --sql-file --cell \
      --new-workbook --headers --format --autofilter --embed --workbook --output --trust; do
    grep -qe "$word" <<<"$text" || fail "the manual page says nothing of $word"
  done
  for name in TAVRELLO_PASSWORD XDG_CONFIG_HOME XDG_DATA_HOME connectionsettings.xml TavrelloErrors.log \
      tavrello/registry Tavrello/sql/; do
    grep -qF "$name" <<<"$text" || fail "the manual page says nothing of $name"
  done
  ;;

*)
  fail "unknown check '$check'"
  ;;
esac
echo "package $check: passed"
