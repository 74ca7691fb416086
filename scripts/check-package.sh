#!/usr/bin/env bash
# Builds the Debian package from a finished build and checks what it installs, in a
# temporary root (nothing is installed on this machine):
#   scripts/check-package.sh [BUILD_DIR]
# One line per check, then "package checks: N passed, N failed"; the exit status is 1
# when any check failed.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

passed=0
failed=0
check() { # check NAME COMMAND...: runs the command quietly, its output shown only when it fails
  local name=$1 out
  shift
  if out=$("$@" 2>&1); then
    passed=$((passed + 1))
    echo "package check passed: $name"
  else
    failed=$((failed + 1))
    echo "package check FAILED: $name"
    [ -n "$out" ] && echo "$out" | sed 's/^/    /'
  fi
}
finish() {
  echo "package checks: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root

# ---- The package
built() {
  rm -f "$build"/package/*.deb
  cmake --build "$build" --target package >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; return 1; }
  ls "$build"/package/lumora-editor_*.deb >/dev/null
}
check "the package is built (cmake --target package)" built
deb=$(ls "$build"/package/lumora-editor_*.deb 2>/dev/null | head -1)
if [ -z "$deb" ]; then
  finish
fi
version=$(dpkg-deb -f "$deb" Version)

check "it unpacks into a temporary root" dpkg-deb -x "$deb" "$root"
same_as_install() { # cmake --install into a DESTDIR gives the same files as the package
  DESTDIR=$work/destdir cmake --install "$build" --prefix /usr >/dev/null || return 1
  diff <(cd "$root" && find . -type f | sort) <(cd "$work/destdir" && find . -type f | sort)
}
check "cmake --install (DESTDIR) installs the same files as the package" same_as_install
control() {
  dpkg-deb -e "$deb" "$work/control" &&
    grep -q 'libqt6widgets6' <(dpkg-deb -f "$deb" Depends) &&
    for script in postinst postrm; do
      [ -x "$work/control/$script" ] && sh -n "$work/control/$script" &&
        grep -q 'command -v update-mime-database' "$work/control/$script" &&
        grep -q 'command -v update-desktop-database' "$work/control/$script" || return 1
    done
}
check "its dependencies come from the libraries (shlibdeps), postinst and postrm refresh the caches" control

usr=$root/usr
check "lumora-editor, lumora-cli and the PDF module lumora-cli-pdf.so are installed side by side" \
  test -x "$usr/bin/lumora-editor" -a -x "$usr/bin/lumora-cli" -a -f "$usr/bin/lumora-cli-pdf.so"

# ---- The programs run and know their version
cli_version() { [ "$("$usr/bin/lumora-cli" --version)" = "lumora-cli $version" ]; }
check "installed lumora-cli --version prints $version" cli_version
editor_version() { [ "$("$usr/bin/lumora-editor" --version)" = "lumora-editor $version" ]; }
check "installed lumora-editor --version prints $version" editor_version

# ---- Menu entry, icon, file types
desktop=$usr/share/applications/lumora-editor.desktop
check "the desktop file passes desktop-file-validate" desktop-file-validate "$desktop"
entry() {
  grep -qx 'Name=Lumora Offline Editor' "$desktop" && grep -qx 'Exec=lumora-editor %f' "$desktop" &&
    grep -q '^MimeType=.*application/x-lumora-show;' "$desktop" && grep -qx 'Icon=lumora-editor' "$desktop"
}
check "the desktop file names the editor, opens a show file (%f) and its type" entry
icons() {
  xmllint --noout "$usr/share/icons/hicolor/scalable/apps/lumora-editor.svg" || return 1
  for size in 16 22 24 32 48 64 128 256; do
    file "$usr/share/icons/hicolor/${size}x${size}/apps/lumora-editor.png" | grep -q "PNG image data, $size x $size" ||
      { echo "no ${size}x${size} PNG icon"; return 1; }
  done
}
check "the icon is in the hicolor theme: SVG and PNGs of every size" icons
mime_xml=$usr/share/mime/packages/lumora-editor.xml
check "the MIME package passes xmllint" xmllint --noout "$mime_xml"

# A real show file: what lumora-cli reads from a blank diskette image.
"$usr/bin/lumora-cli" disk new "$work/blank.img" >/dev/null 2>&1
"$usr/bin/lumora-cli" disk read "$work/blank.img" -o "$work/Opening Night.lmr" >/dev/null 2>&1
printf 'x' >"$work/spot.qvt"
lookup() { # the type the desktop (GLib's lookup, through xdg-mime) gives a file with only this package's data
  XDG_CURRENT_DESKTOP=GNOME XDG_DATA_DIRS="$usr/share" XDG_DATA_HOME="$work/none" xdg-mime query "$@"
}
types() {
  update-mime-database "$usr/share/mime" && update-desktop-database "$usr/share/applications" || return 1
  local show qvt app
  show=$(lookup filetype "$work/Opening Night.lmr")
  qvt=$(lookup filetype "$work/spot.qvt")
  app=$(lookup default application/x-lumora-show)
  echo "show: $show, QV type: $qvt, opened by: $app"
  [ -f "$work/Opening Night.lmr" ] && [ "$show" = application/x-lumora-show ] &&
    [ "$qvt" = application/x-lumora-qv-type ] && [ "$app" = lumora-editor.desktop ]
}
check "a show file is application/x-lumora-show (opened by the editor), a .qvt application/x-lumora-qv-type" types

# ---- Manual pages and help
manual() { # renders without warnings and covers every command
  local page=$usr/share/man/man1/$1.1.gz text
  shift
  text=$(MANWIDTH=80 man --warnings -l "$page" 2>"$work/man.err") || return 1
  [ ! -s "$work/man.err" ] || { cat "$work/man.err"; return 1; }
  for word in "$@"; do
    grep -q -- "$word" <<<"$text" || { echo "$page does not mention: $word"; return 1; }
  done
}
check "man lumora-cli renders and covers every command" manual lumora-cli "info SHOW" "dump SHOW" "build SHOW.json" \
  "disk new" "disk write" "disk read" "disk verify" "check SHOW" "diff A B" "qvt export" "qvt import" "report NAME" \
  "cue-levels" "sub-list" "qv-position" "--version"
check "man lumora-editor renders" manual lumora-editor "--drive-a" "LUMORA_DRIVE_A"
check "the help pages are installed" test -f "$usr/share/doc/lumora-editor/help/100.html"

finish
