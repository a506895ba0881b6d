#!/usr/bin/env bash
# Unpacks the .deb into a fresh folder and runs the unpacked formidor-cli there: it must find
# the unpacked bank directory at ../share/formidor/blz.asc from its bin/ folder, and nothing
# else (the build tree's copy beside the built programs is not in reach).
# Usage: run_unpacked.sh PACKAGE_DIR
set -euo pipefail
deb="$(ls "$1"/formidor_*.deb | head -n 1)"
tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
cli="$tree/usr/bin/formidor-cli"
fail() { echo "FAIL: $*" >&2; exit 1; }

for f in usr/bin/formidor usr/bin/formidor-cli-print usr/share/formidor/blz.asc \
         usr/share/applications/de.formidor.Formidor.desktop \
         usr/share/icons/hicolor/scalable/apps/de.formidor.Formidor.svg \
         usr/share/metainfo/de.formidor.Formidor.metainfo.xml usr/share/man/man1/formidor-cli.1; do
  [ -e "$tree/$f" ] || fail "$f is not in the package"
done
dpkg-deb -f "$deb" Depends | grep -q "libqt6widgets6" || fail "no Qt dependency declared"
dpkg-deb -f "$deb" Depends | grep -q "libsqlite3-0" || fail "no SQLite dependency declared"

bank="$("$cli" bank 10010010)" || fail "bank exited $?"
[ "$bank" = "Postbank Ndl DB PFK" ] || fail "bank printed '$bank'"
check="$("$cli" check 10010010 0000000018)" || fail "check exited $?"
[ "$check" = "$(printf '0\tKontonummer lt. Prüfziffernverfahren falsch')" ] || fail "check printed '$check'"

# Without the unpacked bank directory the same lookup fails: it was that file that answered.
rm "$tree/usr/share/formidor/blz.asc"
if "$cli" bank 10010010 >/dev/null 2>&1; then fail "bank answered without blz.asc"; fi
echo "the unpacked formidor-cli answers from the unpacked blz.asc"
