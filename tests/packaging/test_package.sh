#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package from end to end: builds it with CPack from this build,
# checks its control fields and contents, lints it where lintian,
# desktop-file-validate and appstreamcli are installed, installs it into a
# scratch root with its own dpkg database, runs the installed ambrelo-calc
# on the worked examples against the built one, and removes it again,
# leaving nothing behind. Exit 77 (skipped) without root, dpkg, dpkg-deb or
# dpkg-shlibdeps.
#
#   test_package.sh BUILD_DIR CPACK VERSION BUILT_AMBRELO_CALC
set -uo pipefail
build=$1 cpack=$2 version=$3 built_calc=$4

skip() { echo "SKIPPED: $*"; exit 77; }
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
have() { command -v "$1" >/dev/null 2>&1; }

[ "$(id -u)" -eq 0 ] || skip "installing into a scratch root needs root"
for tool in dpkg dpkg-deb dpkg-shlibdeps; do
  have "$tool" || skip "$tool is not installed (dpkg-dev)"
done

work="$build/tests/packaging/package-test"
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

# --- the package, from this build -------------------------------------------
if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "FAILED: cpack could not make the package"
  exit 1
fi
deb=$(ls "$work"/out/ambrelo_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "FAILED: cpack wrote no ambrelo_*.deb"; exit 1; }
echo "package: $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = ambrelo ] || fail "Package is '$(field Package)', not ambrelo"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not the project's $version"
depends=$(field Depends)
for needed in fonts-noto-cjk fonts-arphic-uming fonts-arphic-ukai fonts-wqy-zenhei \
              libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libdxflib3; do
  grep -Eq "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
grep -Eq -- '-dev( |,|$)' <<<"$depends" && fail "Depends names a -dev package: $depends"

# What the package holds: exactly these files, nothing built for developers.
expected_files="usr/bin/ambrelo
usr/bin/ambrelo-calc
usr/share/applications/ambrelo.desktop
usr/share/doc/ambrelo/changelog.gz
usr/share/doc/ambrelo/copyright
usr/share/icons/hicolor/scalable/apps/ambrelo.svg
usr/share/man/man1/ambrelo-calc.1.gz
usr/share/man/man1/ambrelo.1.gz"
files=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./||' | sort)
metainfo=$(grep '^usr/share/metainfo/.*\.metainfo\.xml$' <<<"$files")
[ -n "$metainfo" ] || fail "no AppStream metadata in usr/share/metainfo/"
others=$(grep -v '^usr/share/metainfo/' <<<"$files")
[ "$others" = "$expected_files" ] || fail "the package holds:
$files"
owners=$(dpkg-deb --fsys-tarfile "$deb" | tar -tv | awk '{print $2}' | sort -u)
[ "$owners" = root/root ] || fail "files not owned by root/root: $owners"

# The changelog's and the metadata's newest release are this version.
dpkg-deb -x "$deb" "$work/extract"
changelog_version=$(gzip -dc "$work/extract/usr/share/doc/ambrelo/changelog.gz" |
                    sed -n '1s/^ambrelo (\([^)]*\)).*/\1/p')
[ "$changelog_version" = "$version" ] || fail "the changelog starts at '$changelog_version', not $version"
grep -q "<release version=\"$version\"" "$work/extract/$metainfo" ||
  fail "the AppStream metadata has no release $version"

# Every option the program's usage names has its entry in the manual page.
# (roff's \- read as -)
page=$(gzip -dc "$work/extract/usr/share/man/man1/ambrelo-calc.1.gz" | sed 's/\\-/-/g')
for option in $("$built_calc" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
  grep -qE -- "$option([^A-Za-z-]|$)" <<<"$page" || fail "the manual page lacks $option"
done
if have man; then
  for p in ambrelo ambrelo-calc; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
               "$work/extract/usr/share/man/man1/$p.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man warns on $p.1: $warnings"
  done
fi

# --- lint, with the tools Debian uses ----------------------------------------
if have lintian; then
  lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 ||
    fail "lintian reports errors: $(cat "$work/lintian.log")"
  grep -E '^[EW]: ' "$work/lintian.log"
else
  echo "not checked: lintian is not installed"
fi
if have desktop-file-validate; then
  desktop-file-validate "$work/extract/usr/share/applications/ambrelo.desktop" ||
    fail "desktop-file-validate rejects the desktop entry"
else
  echo "not checked: desktop-file-validate is not installed (desktop-file-utils)"
fi
if have appstreamcli; then
  appstreamcli validate --no-net "$work/extract/$metainfo" >"$work/appstream.log" 2>&1 ||
    fail "appstreamcli rejects the metadata: $(cat "$work/appstream.log")"
else
  echo "not checked: appstreamcli is not installed (appstream)"
fi

# --- install into a scratch root ---------------------------------------------
root="$work/root"
admin="$root/var/lib/dpkg"
mkdir -p "$admin/info" "$admin/updates"
touch "$admin/status"
# The scratch database knows none of the dependencies; the libraries are
# the machine's own. --path-include undoes a machine's path-exclude of
# manual pages and documentation (slim container images): the test is of
# the package, not of that policy.
dpkg --root="$root" --force-depends --path-include='/*' -i "$deb" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; echo "FAILED: dpkg could not install the package"; exit 1; }
status=$(dpkg-query --admindir="$admin" -W -f='${Status}' ambrelo 2>/dev/null)
[ "$status" = "install ok installed" ] || fail "after installing, the status is '$status'"
for f in $expected_files $metainfo; do
  [ -f "$root/$f" ] || fail "not installed: /$f"
done
for p in ambrelo ambrelo-calc; do
  [ -x "$root/usr/bin/$p" ] || fail "/usr/bin/$p is not executable"
done

examples=("1 4 100 1.5 1000 1 0.014 0.25 0.4"
          "2 4 100 1.5 0.2 1 0.014 0.25 0.4"
          "3 1 100 1.6 1000 0.8 0.014 0.2 0.3"
          "4 0.7 100 1.6 1000 0.8 0.014 0.2 0.3")
last=$("$root/usr/bin/ambrelo-calc" ${examples[0]} | tail -n 1)
[ "$last" = "槽宽 B (m): 1.912109" ] || fail "installed ambrelo-calc, case 1 ends '$last'"
for example in "${examples[@]}"; do
  installed=$("$root/usr/bin/ambrelo-calc" --json --details $example 2>&1)
  built=$("$built_calc" --json --details $example 2>&1)
  [ "$installed" = "$built" ] || fail "installed and built ambrelo-calc differ on '$example':
$installed
$built"
done

# --- remove, and nothing of it remains ---------------------------------------
dpkg --root="$root" --purge ambrelo >"$work/remove.log" 2>&1 ||
  { cat "$work/remove.log"; fail "dpkg could not remove the package"; }
status=$(dpkg-query --admindir="$admin" -W -f='${Status}' ambrelo 2>/dev/null)
[ -z "$status" ] || [ "$status" = "unknown ok not-installed" ] ||
  fail "after purging, the status is '$status'"
left=$(cd "$root" && find . -mindepth 1 ! -path './var' ! -path './var/lib' ! -path './var/lib/dpkg' \
       ! -path './var/lib/dpkg/*')
[ -z "$left" ] || fail "left behind after purging: $left"
ls "$admin/info" | grep -q '^ambrelo\.' && fail "dpkg still keeps files of ambrelo in info/"

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "the package builds, lints, installs, calculates as the build does and removes cleanly"
