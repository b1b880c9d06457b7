#!/usr/bin/env bash
# Installs a finished build into a staging prefix, and makes the Debian
# package and unpacks it into a staging root; runs each installed program on
# a short session. The package's dependencies must be computed, its version
# the one the program and the man page give, and lintian must find no error.
set -euo pipefail
build_dir=$1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$work" && cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work/out" >/dev/null)
package=$(ls "$work"/out/*.deb)
dpkg-deb --field "$package" Package Version Depends
dpkg-deb -x "$package" "$work/stage"

version=$(dpkg-deb --field "$package" Version)
[ "$("$work/stage/usr/bin/bindsmith" --version)" = "bindsmith $version" ] ||
  fail "--version says $("$work/stage/usr/bin/bindsmith" --version), the package $version"
zcat "$work/stage/usr/share/man/man1/bindsmith.1.gz" | grep -qF "\"bindsmith $version\"" ||
  fail "the man page does not give version $version"
dpkg-deb --field "$package" Depends | grep -q 'libc6 (>= ' ||
  fail "no computed dependency on the C library"

# Errors fail the test; the warnings that remain are a policy choice (README).
lintian --fail-on error "$package" || fail "lintian found errors"

cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null

for root in "$work/stage/usr" "$work/prefix"; do
  [ -x "$root/bin/bindsmith" ] || fail "no $root/bin/bindsmith"
  [ -f "$root/share/man/man1/bindsmith.1.gz" ] || fail "no man page under $root"
  rm -rf "$work/run" && mkdir "$work/run"
  (cd "$work/run" && printf '2\npub\n1\n10\n1\n15\n' | "$root/bin/bindsmith" >/dev/null)
  [ "$(cat "$work/run/pub.cfg")" = "r_netgraph 1" ] ||
    fail "$root/bin/bindsmith wrote: $(cat "$work/run/pub.cfg")"
done
echo "package $version: lintian finds no error; package and staged install each ran a session"
