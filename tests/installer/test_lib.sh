# test_lib.sh: what the installer tests share (sourced, not run).
# check NAME COMMAND...  runs the command and prints "ok" or "FAIL" with the
#                        name, counting both in $passed and $failed
# now, since T0          seconds since the epoch; seconds since T0
# ended PID              true when the process ends within 30 s (else it is
#                        ended and the answer is false)
# make_artefacts BUILD ART  the build's release artefacts in ART
#                        (scripts/dist.sh); under ctest the test
#                        release_artefacts has made them already
#                        (ZT_ARTEFACTS_MADE): the installer tests run side by
#                        side, and one must not rewrite the files another is
#                        installing from
# find_display BUILD WORK  where DISPLAY is not set: the build's Xvfb, else
#                        one of our own (own_x=1; scripts/xvfb.sh stop WORK);
#                        with ZT_OWN_DISPLAY set always one of our own
passed=0 failed=0

check() { # name command...
  name=$1
  shift
  if "$@"; then
    passed=$((passed + 1)); echo "ok   - $name"
  else
    failed=$((failed + 1)); echo "FAIL - $name"
  fi
}
now() { date +%s.%N; }
since() { echo "$(now) $1" | awk '{ printf "%.2f", $1 - $2 }'; }
ended() { # pid: true when it ends within 30 s
  i=0
  while kill -0 "$1" 2>/dev/null && [ $i -lt 300 ]; do sleep 0.1; i=$((i + 1)); done
  if kill -0 "$1" 2>/dev/null; then kill "$1"; return 1; fi
  wait "$1" 2>/dev/null
  return 0
}
make_artefacts() { # build-dir art-dir
  [ -n "${ZT_ARTEFACTS_MADE:-}" ] && [ -d "$2" ] && return 0
  flock "$1/release-test.lock" sh "$root/scripts/dist.sh" "$1" "$2" >"$1/release-test.log" 2>&1 \
    || { cat "$1/release-test.log"; echo "FAIL - the artefacts could not be built"; echo "0 checks passed, 1 failed"; return 1; }
}
find_display() { # build-dir work-dir
  own_x=""
  if [ -n "${ZT_OWN_DISPLAY:-}" ]; then
    unset DISPLAY
  elif [ -n "${DISPLAY:-}" ]; then
    return 0
  fi
  if [ -z "${ZT_OWN_DISPLAY:-}" ] && [ -f "$1/xvfb.display" ]; then
    DISPLAY=":$(cat "$1/xvfb.display")"
  else
    sh "$root/scripts/xvfb.sh" start "$2" || return 1
    own_x=1
    DISPLAY=":$(cat "$2/xvfb.display")"
  fi
  export DISPLAY
}
