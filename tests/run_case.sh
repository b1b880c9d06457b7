#!/usr/bin/env bash
# Runs one end-to-end case: the program, in a fresh empty directory, reads the
# case's `stdin`; its standard output must equal `stdout` byte for byte, its
# exit status the number in `status`, and the scripts it leaves must equal the
# case's `*.cfg` files. No other file may appear or change. Standard error
# must be empty, or equal the case's `stderr` if it has one.
# Optional:
#   setup   a bash script that prepares the directory first (an existing
#           file, a directory or a link in the script's place);
#   invoke  a bash fragment that runs "$program" itself, for cases whose
#           standard streams are not plain files ("$program" < . ,
#           "$program" <"$case_dir/stdin" >/dev/full); one that must wait
#           for the running program sources "$waits" (tests/support/waits.sh);
#   stdout.PLATFORM, stderr.PLATFORM  replace `stdout` and `stderr` on
#           that platform (stdout.windows, stdout.web), where the system's
#           reason for a failure can read differently;
#   needs   lines of "CAPABILITY why": what the case needs beyond files,
#           pipes and arguments. Where the platform lacks one, the case is
#           skipped (status 77, which CTest reports as skipped) and says why.
#           The capabilities:
#             signals         a signal sent from outside reaches the program
#             descriptors     standard output can be closed, full, or a pipe
#                             whose reader goes away
#             real-disk       the script can be a link to a failing device
#             file-size-limit prlimit or ulimit -f makes writes past the
#                             limit fail (POSIX)
#             descriptor-limit  ulimit -n bounds the open files (POSIX)
#             file-permissions  file permissions can bind the program
#                             (POSIX: a plain user, or root without the
#                             capabilities that pass them by, by setpriv)
#             cpu-time        /proc tells a running program's processor time
#             shim            tests/support/shim.cpp can be preloaded
#                             ($BINDSMITH_SHIM): instants, failures, a call log
#             console-events  Ctrl-C reaches a piped program (Windows)
#             ctrl-z          byte 26 ends input (Windows)
#   modes   lines of "NAME BITS": the permission bits (as stat prints them)
#           that a script must have at the end; checked on POSIX systems,
#           where the program runs with the umask 022 unless `invoke` sets
#           another.
#
# With --update first, the case's expectations are written from this run
# instead (stdout, status and the scripts left; POSIX only), so that a
# deliberate change is reviewed as a diff of the case. --update takes any
# number of cases, and every case of tests/e2e when none is named:
#   tests/run_case.sh --update build/gcc/bindsmith [CASE_DIR...]
#
# BINDSMITH_PLATFORM names the platform (cmake/platforms.txt; posix if
# unset), and BINDSMITH_CAPABILITIES lists what it offers (the posix line's
# if unset). On a platform with text-mode, every line break of the expected
# console and script becomes CR LF, as text mode writes them there; modes
# are checked where it has file-modes. BINDSMITH_EMULATOR, if set, is the
# command that runs the program (wine, or node for the web build).
set -u

update=
if [ "${1:-}" = --update ]; then
  update=1
  shift
  if [ $# -ne 2 ]; then
    program_to_update=$1
    shift
    (($# > 0)) || set -- "$(dirname "$0")"/e2e/*/
    failed=0
    for case in "$@"; do
      "$0" --update "$program_to_update" "$case" || [ $? -eq 77 ] || failed=1
    done
    exit $failed
  fi
fi
real_program=$(realpath "$1")
case_dir=$(realpath "$2")
# The suffix of this platform's own expectations, where a case has them.
platform=${BINDSMITH_PLATFORM:-posix}
if [ -z "${BINDSMITH_CAPABILITIES+set}" ]; then
  BINDSMITH_CAPABILITIES=$(sed -n 's/^posix [^ ]* //p' "$(dirname "$0")/../cmake/platforms.txt")
fi
capabilities=" $BINDSMITH_CAPABILITIES "
has() { [[ $capabilities == *" $1 "* ]]; }
if [ -f "$case_dir/needs" ]; then
  while read -r capability why || [ -n "$capability" ]; do
    [[ $capabilities == *" $capability "* ]] || { echo "needs $capability: $why"; exit 77; }
  done <"$case_dir/needs"
fi

umask 022
work=$(mktemp -d)
# A case may leave a folder that takes no new file, which rm could not empty.
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
run="$work/run"
mkdir "$run" "$work/expected"

# "$program" runs the program, through the emulator if there is one.
program=$real_program
if [ -n "${BINDSMITH_EMULATOR:-}" ]; then
  program="$work/program"
  printf '#!/usr/bin/env bash\nexec %s "%s" "$@"\n' "$BINDSMITH_EMULATOR" "$real_program" >"$program"
  chmod +x "$program"
fi

# The expectations as this platform writes them.
expect() {
  if has text-mode; then
    perl -pe 's/\n/\r\n/g' "$1"
  else
    cat "$1"
  fi
}
for file in "$case_dir"/stdout "$case_dir"/stderr "$case_dir"/*.cfg "$case_dir"/*.cfg.bak; do
  [ -f "$file" ] || continue
  [ -f "$file.$platform" ] && file="$file.$platform"
  name=${file##*/}
  case $name in
    # A kept copy holds the earlier file's very bytes, as the setup wrote them.
    *.bak) cat "$file" >"$work/expected/$name" ;;
    *) expect "$file" >"$work/expected/${name%".$platform"}" ;;
  esac
done

if [ -f "$case_dir/setup" ]; then
  (cd "$run" && bash "$case_dir/setup") || { echo "setup failed"; exit 1; }
fi

# Fingerprints of the regular files present before the run.
fingerprints() { (cd "$run" && find . -type f -exec cksum {} + | sort -k3); }
fingerprints >"$work/before"

# shellcheck disable=SC2016 # expanded by the shell that runs it, below
invoke='"$program" <"$case_dir/stdin"'
[ -f "$case_dir/invoke" ] && invoke=$(cat "$case_dir/invoke")
# A hung program must fail the case, not the whole run.
waits=$(dirname "$(realpath "$0")")/support/waits.sh
(cd "$run" && export program case_dir waits && timeout 20 bash -c "$invoke" >"$work/stdout" 2>"$work/stderr")
status=$?

if [ -n "$update" ]; then
  cp "$work/stdout" "$case_dir/stdout"
  echo "$status" >"$case_dir/status"
  rm -f "$case_dir"/*.cfg "$case_dir"/*.cfg.bak
  # Only what the run wrote: a file the setup left unchanged is no expectation.
  fingerprints >"$work/after"
  while read -r line; do
    path=${line##* }
    case $path in *.cfg | *.cfg.bak) ;; *) continue ;; esac
    grep -qxF "$line" "$work/before" || cp "$run/$path" "$case_dir/"
  done <"$work/after"
  exit 0
fi

failed=0
fail() { echo "FAIL: $*"; failed=1; }

expected_status=$(cat "$case_dir/status")
[ "$status" -eq "$expected_status" ] || fail "exit status $status, expected $expected_status"

if ! cmp -s "$work/stdout" "$work/expected/stdout"; then
  fail "standard output differs (expected, then actual; \$ marks line ends):"
  diff <(cat -A "$work/expected/stdout") <(cat -A "$work/stdout") | head -n 40
fi

if [ -f "$case_dir/stderr" ]; then
  cmp -s "$work/stderr" "$work/expected/stderr" ||
    fail "standard error differs: $(head -c 2000 "$work/stderr")"
elif [ -s "$work/stderr" ]; then
  fail "unexpected standard error: $(head -c 2000 "$work/stderr")"
fi

declare -A expected=()
for want in "$work/expected"/*.cfg "$work/expected"/*.cfg.bak; do
  [ -e "$want" ] || continue
  name=${want##*/}
  expected[./$name]=1
  if [ ! -f "$run/$name" ]; then
    fail "script $name was not written"
  elif ! cmp -s "$run/$name" "$want"; then
    fail "script $name differs (expected, then actual; \$ marks line ends):"
    diff <(cat -A "$want") <(cat -A "$run/$name") | head -n 40
  fi
done

if [ -f "$case_dir/modes" ] && has file-modes; then
  while read -r name bits; do
    actual=$(stat -c %a "$run/$name")
    [ "$actual" = "$bits" ] || fail "$name has the mode $actual, expected $bits"
  done <"$case_dir/modes"
fi

fingerprints >"$work/after"
while read -r line; do
  path=${line##* }
  [ -n "${expected[$path]:-}" ] && continue
  grep -qxF "$line" "$work/before" || fail "unexpected file written: $path"
done <"$work/after"

exit $failed
