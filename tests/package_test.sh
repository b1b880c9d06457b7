#!/usr/bin/env bash
# Installs a finished build into a staging prefix, and makes the Debian
# package and unpacks it into a staging root; runs each installed program on
# a short session.
set -euo pipefail
build_dir=$1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$work" && cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work/out" >/dev/null)
package=$(ls "$work"/out/*.deb)
dpkg-deb --field "$package" Package Version Depends
dpkg-deb -x "$package" "$work/stage"

cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null

for root in "$work/stage/usr" "$work/prefix"; do
  [ -x "$root/bin/bindsmith" ] || { echo "FAIL: no $root/bin/bindsmith"; exit 1; }
  [ -f "$root/share/man/man1/bindsmith.1" ] || { echo "FAIL: no man page under $root"; exit 1; }
  rm -rf "$work/run" && mkdir "$work/run"
  (cd "$work/run" && printf '2\npub\n1\n10\n1\n15\n' | "$root/bin/bindsmith" >/dev/null)
  [ "$(cat "$work/run/pub.cfg")" = "r_netgraph 1" ] ||
    { echo "FAIL: $root/bin/bindsmith wrote: $(cat "$work/run/pub.cfg")"; exit 1; }
done
echo "package and staged install: each ran a session"
