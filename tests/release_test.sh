#!/usr/bin/env bash
# Makes the release twice, as two people would from one commit: first from a
# copy of this tree, then from the source tarball that made, unpacked
# elsewhere, with another umask, time zone and locale. Both must give the
# same SHA256SUMS. Then each file is tried as a player gets it: the .exe from
# the zip under Wine, the static Linux program from its tarball with no
# library to load, the package unpacked into a staging root, the web page's
# program from its zip under node.
#   tests/release_test.sh SOURCE_DIR WINE
set -euo pipefail
source_dir=$(realpath "$1")
wine=$2

work=$(mktemp -d)
# The second copy on a tmpfs where one exists: there a folder lists its
# entries in the order they were made, on ext4 in the order of a hash.
elsewhere=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$work" "$elsewhere"' EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}
session=$'2\npub\n1\n10\n1\n15\n' # names pub.cfg, turns the net graph on

one=$work/one/bindsmith
mkdir -p "$one"
tar -C "$source_dir" --exclude=./build --exclude=./dist --exclude=./.git --exclude=./.cache \
  --exclude=./web/node_modules -cf - . | tar -C "$one" -xf -
(cd "$one" && umask 022 && TZ=UTC LC_ALL=C.UTF-8 scripts/release >"$work/one.log" 2>&1) ||
  { cat "$work/one.log"; fail "the release from a copy of the tree failed"; }
version=$(cd "$one" && dpkg-parsechangelog -l packaging/changelog -S Version)
dist=$one/dist

two=$elsewhere/second/place/src
mkdir -p "$two"
(umask 077 && tar -C "$two" --strip-components=1 --no-same-permissions \
  -xzf "$dist/bindsmith-$version.tar.gz")
(cd "$two" && umask 077 && unset LC_ALL && TZ=XYZ-13 LANG=C scripts/release >"$work/two.log" 2>&1) ||
  { cat "$work/two.log"; fail "the release from the unpacked source tarball failed"; }
diff "$dist/SHA256SUMS" "$two/dist/SHA256SUMS" ||
  fail "two releases of one source differ"
(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not check"
[ "$(wc -l <"$dist/SHA256SUMS")" -eq 5 ] || fail "SHA256SUMS does not list five files"

# Windows: the zip holds one folder; the text files end their lines in CR LF.
unzip -q "$dist/bindsmith-$version-windows-x86_64.zip" -d "$work/zip"
folder=$work/zip/bindsmith-$version-windows-x86_64
# Sorted bytewise, whatever the caller's locale.
listing() { (cd "$1" && LC_ALL=C && printf '%s ' *); }
[ "$(listing "$work/zip")" = "bindsmith-$version-windows-x86_64 " ] || fail "the zip is not one folder"
[ "$(listing "$folder")" = "LICENSE.txt README.txt bindsmith.exe " ] ||
  fail "the zip holds: $(listing "$folder")"
for text in README.txt LICENSE.txt; do
  ! grep -q $'[^\r]$\|^$' "$folder/$text" || fail "$text has a line not ended in CR LF"
done
grep -q 'exec pub.cfg' "$folder/README.txt" || fail "README.txt does not say how to load the script"
# The original engine refuses `exec pub` without its ".cfg".
! grep -qE 'exec pub($|[^.])' "$folder/README.txt" || fail "README.txt says exec without .cfg"
# Debian's python3-pefile is for the system's Python.
/usr/bin/python3 - "$folder/bindsmith.exe" "$version" "$(cd "$one" && dpkg-parsechangelog \
  -l packaging/changelog -S Timestamp)" <<'EOF' || fail "the .exe's resources are wrong"
import sys, pefile
exe, version, released = sys.argv[1:]
pe = pefile.PE(exe)
strings = {k.decode(): v.decode() for info in pe.FileInfo[0] if info.Key == b'StringFileInfo'
           for table in info.StringTable for k, v in table.entries.items()}
fixed = pe.VS_FIXEDFILEINFO[0]
numbers = f'{fixed.FileVersionMS >> 16}.{fixed.FileVersionMS & 0xFFFF}.{fixed.FileVersionLS >> 16}'
for key in ('FileVersion', 'ProductVersion'):
    assert strings.get(key) == version, (key, strings.get(key))
assert numbers == version, numbers
assert strings.get('OriginalFilename') == 'bindsmith.exe'
for key in ('ProductName', 'FileDescription', 'LegalCopyright'):
    assert strings.get(key), key
manifest = [e for e in pe.DIRECTORY_ENTRY_RESOURCE.entries if e.id == 24]
assert manifest, 'no manifest'
data = manifest[0].directory.entries[0].directory.entries[0].data.struct
text = pe.get_data(data.OffsetToData, data.Size)
assert b'asInvoker' in text and b'supportedOS' in text, text
assert pe.FILE_HEADER.TimeDateStamp == int(released), 'the link time, not the release date'
EOF
mkdir "$work/windows-run"
(cd "$work/windows-run" && printf '%s' "$session" | $wine "$folder/bindsmith.exe" >/dev/null) ||
  fail "the .exe's session failed"
[ "$(cat "$work/windows-run/pub.cfg")" = $'r_netgraph 1\r' ] ||
  fail "the .exe wrote: $(od -c "$work/windows-run/pub.cfg")"
[ "$($wine "$folder/bindsmith.exe" --version | head -n 1)" = "bindsmith $version"$'\r' ] ||
  fail "the .exe's --version says: $($wine "$folder/bindsmith.exe" --version)"

# Linux: nothing to load, not even the loader; it runs alone in an empty root
# where the test may chroot (root, and a container that allows it).
tar -C "$work" -xzf "$dist/bindsmith-$version-linux-x86_64.tar.gz"
linux=$work/bindsmith-$version-linux-x86_64
[ "$(listing "$linux")" = "LICENSE.txt README.txt bindsmith bindsmith.1 " ] ||
  fail "the tarball holds: $(listing "$linux")"
! readelf --program-headers --dynamic "$linux/bindsmith" | grep -q 'INTERP\|NEEDED' ||
  fail "the Linux program needs shared libraries"
mkdir "$work/linux-run"
if [ "$(id -u)" -eq 0 ] && chroot / true 2>/dev/null; then
  cp "$linux/bindsmith" "$work/linux-run/"
  printf '%s' "$session" | chroot "$work/linux-run" /bindsmith >/dev/null
else
  (cd "$work/linux-run" && printf '%s' "$session" | "$linux/bindsmith" >/dev/null)
fi
[ "$(cat "$work/linux-run/pub.cfg")" = "r_netgraph 1" ] || fail "the Linux program's session failed"

# Debian: unpacked into a staging root; built with Debian's hardening flags.
package=$dist/bindsmith_${version}_amd64.deb
dpkg-deb -x "$package" "$work/stage"
[ "$(dpkg-deb --field "$package" Version)" = "$version" ] || fail "the package's version"
dpkg-deb --field "$package" Depends | grep -q 'libc6 (>= ' ||
  fail "no computed dependency on the C library"
zcat "$work/stage/usr/share/man/man1/bindsmith.1.gz" | grep -qF "\"bindsmith $version\"" ||
  fail "the man page does not give version $version"
[ "$("$work/stage/usr/bin/bindsmith" --version | head -n 1)" = "bindsmith $version" ] ||
  fail "the package's --version says: $("$work/stage/usr/bin/bindsmith" --version)"
mkdir "$work/deb-run"
(cd "$work/deb-run" && printf '%s' "$session" | "$work/stage/usr/bin/bindsmith" >/dev/null)
[ "$(cat "$work/deb-run/pub.cfg")" = "r_netgraph 1" ] || fail "the package's session failed"
lintian --fail-on error,warning --display-info "$package" >"$work/lintian" 2>&1 ||
  { cat "$work/lintian"; fail "lintian found errors or warnings"; }
! grep 'hardening' "$work/lintian" || fail "lintian finds the package unhardened"

# The web page: one folder that holds the whole site, nothing from elsewhere;
# its program runs a session under node as the page runs it, and the site
# passes the browser test, opened from the folder and served.
unzip -q "$dist/bindsmith-$version-web.zip" -d "$work/web"
site=$work/web/bindsmith-$version-web
[ "$(listing "$work/web")" = "bindsmith-$version-web " ] || fail "the web zip is not one folder"
[ "$(listing "$site")" = "LICENSE.txt bindsmith-wasm.js bindsmith.js guide.css guide.html \
guide.txt icon.svg index.html kept_scripts.js keyboard.js keyboard_layout.js line_discipline.js \
page-data.js page.css page.js program_host.js script_pane.js spoken.js terminal_screen.js \
xterm-LICENSE.txt xterm-addon-fit-LICENSE.txt xterm-addon-fit.js xterm.css xterm.js " ] ||
  fail "the web zip holds: $(listing "$site")"
grep -q '<code>exec NAME.cfg</code>' "$site/index.html" || fail "the page does not say how to load the script"
mkdir "$work/web-run"
(cd "$work/web-run" && printf '%s' "$session" |
  node "$source_dir/tests/web/node_host.js" "$site/bindsmith.js" >/dev/null) ||
  fail "the web page's program failed its session"
[ "$(cat "$work/web-run/pub.cfg")" = "r_netgraph 1" ] || fail "the web page's session failed"
# The unpacked zip opened from its folder, as a player opens it, and served
# as a player's host would serve it, in both browsers.
node "$source_dir/tests/web/browser_test.js" "$site" "$source_dir/tests/e2e" "$work/browser" \
  >"$work/browser.log" 2>&1 || { cat "$work/browser.log"; fail "the web zip fails in the browser"; }

# One players' guide wherever a player looks: each release file carries
# doc/guide.txt word for word (README.txt under a heading with the version,
# the page's guide.txt, the package's guide, the man page's sections).
guide=$source_dir/doc/guide.txt
with_heading() {
  local heading="bindsmith $version"
  printf '%s\n%s\n\n' "$heading" "${heading//?/=}"
  cat "$guide"
}
cmp -s <(with_heading | sed 's/$/\r/') "$folder/README.txt" || fail "the zip's README.txt is no guide"
cmp -s <(with_heading) "$linux/README.txt" || fail "the tarball's README.txt is not the guide"
cmp -s "$guide" "$site/guide.txt" || fail "the page's guide.txt is not the guide"
cmp -s "$guide" <(zcat "$work/stage/usr/share/doc/bindsmith/guide.txt.gz") ||
  fail "the package's guide is not the guide"
python3 - "$guide" <(zcat "$work/stage/usr/share/man/man1/bindsmith.1.gz") <<'EOF' ||
# The man page's text, its requests left out and its escapes undone, holds
# the guide's lines in their order, and each heading as a section.
import re, sys
guide = open(sys.argv[1], encoding='utf-8').read().split('\n')
man = open(sys.argv[2], encoding='utf-8').read().split('\n')
headings = {line for line, under in zip(guide, guide[1:]) if line and re.fullmatch('-+', under)}
for heading in headings:
    assert f'.SH "{heading.upper()}"' in man, heading
said = [line.replace('\\&', '').replace('\\-', '-').replace('\\e', '\\')
        for line in man if not line.startswith('.')]
wanted = [line for line in guide
          if line and line not in headings and not re.fullmatch('-+', line)]
start = said.index(wanted[0])
assert said[start:start + len(wanted)] == wanted, 'the man page departs from the guide'
EOF
  fail "the man page does not carry the guide"

# A packager's install of the plain build.
cmake --install "$one/build/dist-linux" --prefix "$work/prefix" >/dev/null
{ [ -x "$work/prefix/bin/bindsmith" ] && [ -f "$work/prefix/share/man/man1/bindsmith.1.gz" ]; } ||
  fail "cmake --install did not install the program and its man page"

echo "release $version: two runs give the same SHA256SUMS:"
cat "$dist/SHA256SUMS"
