# End-to-end test harness: sourced by the run's setup and cleanup scripts and by every
# end-to-end test script. See README.md beside this file.
#
# Environment (set by CTest, see cmake/zd_helpers.cmake):
#   ZD_E2E_STATE   folder of this test run: display, Wine prefix, working folders
#   ZD_WIN32_DIR   the build tree of the programs under test (the i686 one, but where
#                  only the x86_64 build can run)
#   ZD_DRIVER_DIR  the build tree of the test drivers (default ZD_WIN32_DIR)
#   ZD_WIN64_DIR   the x86_64 build tree, for the checks kept on it
#   ZD_WINE_ROUTE  how Wine runs here (tools/wine_route.sh; found out when not set)
#   ZD_SOURCE_DIR  the source tree
#   ZD_IDS         the programs' command and control ids by name (CMD_EXIT=108 ...),
#                  written by CMake from resources/resource.h
#   ZD_TEST_NAME   the test's name (for its working folder)
# On the emulated route a script that sources this file is started again inside the
# namespace that carries the route (tools/wine_env.sh) before anything below runs.

set -uo pipefail

: "${ZD_E2E_STATE:?}" "${ZD_WIN32_DIR:?}"
. "${ZD_IDS:?}"
ZD_DRIVER_DIR=${ZD_DRIVER_DIR:-$ZD_WIN32_DIR}
ZD_DRIVER="$ZD_DRIVER_DIR/tests/driver/zdriver.exe"
E2E_RUN_ENV="$ZD_E2E_STATE/run.env"

# What plays in real time (the emulated game feeding the sound server, the server itself,
# the display) runs E2E_RAISE (default 10) nice steps above whatever started the test,
# so that outside load on the machine cannot starve it: the sound checks hear a
# stretched or broken sound otherwise. The tests that listen to the game set 15, so
# that the other tests beside them do not starve it either. Set once, outside the
# emulated route's namespace, where lowering the nice value is allowed (for root);
# everything the test starts inherits it.
if [ "${ZD_EMU_INSIDE:-}" != 1 ]; then
  renice -n $(( $(nice) - ${E2E_RAISE:-10} )) -p $$ >/dev/null 2>&1 || true
fi
# The tests' Python helpers need only the standard library of the system's interpreter,
# which the set-up installs. A version manager's shim put before it on PATH costs about
# 0.35 s of processor time for each of the tests' hundreds of calls, so the interpreter is
# called by its path (in this shell and the bash scripts it starts).
if [ -x /usr/bin/python3 ]; then
  python3() { /usr/bin/python3 "$@"; }
  export -f python3
fi
. "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine_env.sh"
# A 64-bit driver counts a 32-bit program's GDI objects through the 32-bit driver.
ZD_DRIVER32="Z:${ZD_WIN32_DIR//\//\\}\\tests\\driver\\zdriver.exe"
export ZD_DRIVER32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="$ZD_E2E_STATE/prefix"
# No sound device unless a test starts its own (e2e_audio_start): Wine then finds no
# server and programs go on silently at once.
export PULSE_SERVER="unix:$ZD_E2E_STATE/no-audio"
export XDG_RUNTIME_DIR="$ZD_E2E_STATE/xdg"

e2e_log() { printf '[%s] %s\n' "$(date +%H:%M:%S.%3N)" "$*" >&2; }

# e2e_poll SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds; fails when
# SECONDS pass first.
e2e_poll() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}

# ---- processes of this run ---------------------------------------------------------

# Process ids of this run: those whose environment names one of its Wine prefixes or whose
# command line names its state folder. Inside a test (after e2e_begin), of this test
# only: its own prefix and working folder, so that tests running side by side never
# touch each other's processes. One grep reads every process's environment and one
# every command line: a loop that started two programs per process took tens of seconds
# on a busy machine.
e2e_run_processes() {
  local file pid comm
  { if [ -n "${E2E_WORK:-}" ]; then
      grep -lsxzF "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ
      grep -lszF "$E2E_WORK/" /proc/[0-9]*/cmdline
    else
      grep -lszF "WINEPREFIX=$ZD_E2E_STATE/prefix" /proc/[0-9]*/environ
      grep -lszF "$ZD_E2E_STATE/" /proc/[0-9]*/cmdline
    fi; } 2>/dev/null |
  while IFS= read -r file; do
    pid=${file#/proc/}
    pid=${pid%%/*}
    [ "$pid" = "$$" ] || [ "$pid" = "$BASHPID" ] && continue
    comm=
    read -r comm <"/proc/$pid/comm" 2>/dev/null
    # Skip the harness's own shells and tools (they carry the variables too).
    case "$comm" in
      bash|sh|ctest|cmake|tr|grep|cat|timeout|sleep|awk|sed|cut|sox|convert|identify|sort|"") continue ;;
    esac
    echo "$pid"
  done | sort -un
}

# Stops every Wine process of the prefix (of the test, inside one) and waits until the
# wineserver is gone.
e2e_stop_wine() {
  zd_serve_stop
  wineserver -k >/dev/null 2>&1 || true
  local deadline=$((SECONDS + 10))
  while [ -n "$(e2e_wine_processes)" ] && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
  local left
  left=$(e2e_wine_processes)
  if [ -n "$left" ]; then
    kill -9 $left 2>/dev/null || true
  fi
}

e2e_wine_processes() {
  local pid comm
  for pid in $(e2e_run_processes); do
    comm=
    read -r comm <"/proc/$pid/comm" 2>/dev/null
    case "$comm" in
      Xvfb|openbox|pulseaudio|parec|"") ;;
      *) echo "$pid" ;;
    esac
  done
}

# Starts an Xvfb display of DEPTH bits (SIZE, default 1024x768) with its window manager
# and prints "PID DISPLAY WM_PID".
e2e_start_xvfb() {
  local depth=$1 tag=$2 size=${3:-1024x768}
  local fifo="$ZD_E2E_STATE/xvfb-$tag.fd"
  rm -f "$fifo"
  Xvfb -displayfd 3 -screen 0 "${size}x$depth" -nolisten tcp -noreset \
    3>"$fifo" >"$ZD_E2E_STATE/xvfb-$tag.log" 2>&1 &
  local pid=$! deadline=$((SECONDS + 20))
  while [ ! -s "$fifo" ] && [ $SECONDS -lt $deadline ]; do sleep 0.05; done
  if [ ! -s "$fifo" ]; then
    kill "$pid" 2>/dev/null
    echo "Xvfb did not start: $(cat "$ZD_E2E_STATE/xvfb-$tag.log")" >&2
    return 1
  fi
  local display=":$(head -n1 "$fifo")" wm=
  # ZD_E2E_WM=openbox adds a window manager, as on a desktop: without one Wine waits 2 s
  # for every window it hides (a dialog, a message box) to be withdrawn. Wine keeps
  # drawing the frames itself (Decorated=N in the prefix). Off by default until the tests
  # are steady with it (tests/e2e/README.md).
  if [ "${ZD_E2E_WM:-none}" = openbox ]; then
    DISPLAY=$display openbox --sm-disable \
      --config-file "$(dirname "${BASH_SOURCE[0]}")/openbox.xml" \
      >"$ZD_E2E_STATE/wm-$tag.log" 2>&1 &
    wm=$!
    deadline=$((SECONDS + 20))
    until DISPLAY=$display xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
      if [ $SECONDS -ge $deadline ] || ! kill -0 "$wm" 2>/dev/null; then
        kill "$wm" "$pid" 2>/dev/null
        echo "window manager did not start: $(cat "$ZD_E2E_STATE/wm-$tag.log")" >&2
        return 1
      fi
      sleep 0.05
    done
  fi
  echo "$pid $display $wm"
}

# ---- run set-up and clean-up (CTest fixtures) ------------------------------------------

e2e_run_setup() {
  rm -rf "$ZD_E2E_STATE"
  mkdir -p "$ZD_E2E_STATE/work" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  local started=$SECONDS xvfb
  xvfb=$(e2e_start_xvfb 24 run) || return 1
  set -- $xvfb
  printf 'E2E_XVFB_PID=%s\nDISPLAY=%s\n' "$1" "$2" > "$E2E_RUN_ENV"
  export DISPLAY=$2
  wineboot -i >"$ZD_E2E_STATE/wineboot.log" 2>&1
  wineserver -w
  # Wine draws the window frames itself, not the window manager (see e2e_start_xvfb).
  [ -f "$WINEPREFIX/user.reg" ] && printf '\n[Software\\\\Wine\\\\X11 Driver] %s\n"Decorated"="N"\n' "$(date +%s)" >> "$WINEPREFIX/user.reg"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Wine prefix was not created:" >&2
    cat "$ZD_E2E_STATE/wineboot.log" >&2
    return 1
  fi
  echo "e2e: display $DISPLAY (24 bits), Wine prefix ready in $((SECONDS - started)) s"
}

# e2e_clone_prefix FROM TO: a Wine prefix of its own, made from a ready one in a second or
# two. The program files (about 1.3 GB, which Wine never writes to once the prefix is
# made) are hard links to FROM's; every other file (registry, settings, about 12 MB) is a
# copy, so that what one test's programs write never reaches another test.
e2e_clone_prefix() {
  local from=$1 to=$2
  rm -rf "$to"
  mkdir -p "$(dirname "$to")"
  cp -al "$from" "$to" || return 1
  find "$to" -type f ! \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.drv' -o -iname '*.sys' \
    -o -iname '*.nls' -o -iname '*.acm' -o -iname '*.ocx' -o -iname '*.cpl' -o -iname '*.tlb' \
    -o -iname '*.ax' -o -iname '*.ds' -o -iname '*.vxd' -o -iname '*.com' -o -iname '*.ttf' \) \
    -exec sh -c 'for f; do cp -p "$f" "$f.copy" && mv -f "$f.copy" "$f"; done' sh {} + || return 1
  [ -f "$to/system.reg" ]
}

e2e_run_ended() { [ -z "$(e2e_run_processes)" ]; }

e2e_run_cleanup() {
  [ -f "$E2E_RUN_ENV" ] && . "$E2E_RUN_ENV"
  e2e_stop_wine
  local left
  left=$(e2e_run_processes)
  [ -n "$left" ] && kill $left 2>/dev/null
  e2e_poll 2 e2e_run_ended
  left=$(e2e_run_processes)
  [ -n "$left" ] && kill -9 $left 2>/dev/null
  e2e_poll 2 e2e_run_ended
  left=$(e2e_run_processes)
  rm -rf "$WINEPREFIX" "$ZD_E2E_STATE/prefixes"
  if [ -n "$left" ]; then
    echo "e2e: processes left behind after the run:" >&2
    ps -o pid,comm,args -p $(echo $left | tr ' ' ',') >&2
    return 1
  fi
  echo "e2e: no process of the run is left"
}

# ---- one test --------------------------------------------------------------------------

E2E_FAILED=0
E2E_PRIVATE_PIDS=()

e2e_begin() {
  if [ ! -f "$E2E_RUN_ENV" ]; then
    echo "e2e: the run was not set up (the e2e.setup test failed?)" >&2
    exit 1
  fi
  . "$E2E_RUN_ENV"
  export DISPLAY
  E2E_WORK="$ZD_E2E_STATE/work/${ZD_TEST_NAME:-test}"
  rm -rf "$E2E_WORK"
  mkdir -p "$E2E_WORK"
  cd "$E2E_WORK" || exit 1
  trap e2e_end EXIT
  # A prefix and a display of the test's own: tests run side by side.
  export WINEPREFIX="$ZD_E2E_STATE/prefixes/${ZD_TEST_NAME:-test}"
  e2e_clone_prefix "$ZD_E2E_STATE/prefix" "$WINEPREFIX" || e2e_fatal "no Wine prefix of its own"
  e2e_display 24
}

e2e_end() {
  local status=$?
  e2e_stop_wine
  local pid
  for pid in "${E2E_PRIVATE_PIDS[@]}"; do
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  if [ -n "$(e2e_wine_processes)" ]; then
    echo "FAIL: Wine processes left behind" >&2
    status=1
  fi
  rm -rf "$WINEPREFIX"
  [ $E2E_FAILED -ne 0 ] && status=1
  if [ $status -eq 0 ] && [ -n "${ZD_E2E_KEEP:-}" ]; then
    echo "PASS (working folder kept: $E2E_WORK)"
  elif [ $status -eq 0 ]; then
    cd "$ZD_E2E_STATE" && rm -rf "$E2E_WORK"
    echo "PASS"
  else
    echo "FAILED (working folder kept: $E2E_WORK)" >&2
  fi
  exit $status
}

# e2e_display DEPTH [SIZE]: this test runs on a private display of DEPTH bits (8 or 24)
# and SIZE (default 1024x768). Call it after e2e_begin (which sets the run's display).
e2e_display() {
  [ -n "${E2E_WORK:-}" ] || e2e_fatal "e2e_display comes after e2e_begin"
  e2e_stop_wine
  local xvfb
  E2E_DISPLAYS=$((${E2E_DISPLAYS:-0} + 1))
  xvfb=$(e2e_start_xvfb "$1" "${ZD_TEST_NAME:-test}-$E2E_DISPLAYS" "${2:-}") || e2e_fatal "no private display"
  set -- $xvfb
  # The window manager first: it would report the display going away.
  E2E_PRIVATE_PIDS+=(${3:-} "$1")
  export DISPLAY=$2
  zd_serve
}

# e2e_audio_start: a PulseAudio server with a null sink "zdnull" for this test; Wine
# programs started afterwards play into it.
e2e_audio_start() {
  e2e_stop_wine
  local dir="$E2E_WORK/.pulse"
  mkdir -p "$dir"
  HOME="$dir" XDG_RUNTIME_DIR="$dir" pulseaudio -n --daemonize=no --exit-idle-time=-1 \
    --use-pid-file=no -F /dev/null \
    --load="module-native-protocol-unix socket=$dir/sock auth-anonymous=1" \
    --load="module-null-sink sink_name=zdnull rate=22050" >"$dir/log" 2>&1 &
  E2E_PRIVATE_PIDS+=("$!")
  export PULSE_SERVER="unix:$dir/sock"
  local deadline=$((SECONDS + 10))
  until pactl info >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || e2e_fatal "PulseAudio did not start: $(cat "$dir/log")"
    sleep 0.1
  done
  zd_serve
}

e2e_file_larger() { [ "$(stat -c %s "$1" 2>/dev/null || echo 0)" -ge "$2" ]; }

# e2e_record_start FILE.wav / e2e_record_stop: records the null sink (mono, 8 bits,
# 22050 Hz) into FILE.wav.
e2e_record_start() {
  E2E_RECORD_FILE=$1
  parec -d zdnull.monitor --format=u8 --rate=22050 --channels=1 --raw --latency-msec=20 \
    > "$E2E_RECORD_FILE.raw" 2>/dev/null &
  E2E_RECORD_PID=$!
  E2E_PRIVATE_PIDS+=("$E2E_RECORD_PID")
  # Recording has begun once samples arrive (the null sink runs from its first client).
  local deadline=$((SECONDS + 10))
  until [ "$(stat -c %s "$E2E_RECORD_FILE.raw" 2>/dev/null || echo 0)" -gt 2000 ]; do
    [ $SECONDS -lt $deadline ] || e2e_fatal "recording did not start"
    sleep 0.05
  done
}

e2e_record_stop() {
  # The last 0.3 s of sound (6615 samples) reach the file before the recording stops.
  local size
  size=$(stat -c %s "$E2E_RECORD_FILE.raw")
  e2e_poll 10 e2e_file_larger "$E2E_RECORD_FILE.raw" $((size + 6615)) ||
    e2e_fatal "the recording stalled"
  kill -INT "$E2E_RECORD_PID" 2>/dev/null
  wait "$E2E_RECORD_PID" 2>/dev/null
  sox -t raw -r 22050 -e unsigned-integer -b 8 -c 1 "$E2E_RECORD_FILE.raw" "$E2E_RECORD_FILE"
  rm -f "$E2E_RECORD_FILE.raw"
}

# e2e_sound_seconds FILE.wav: how long the recording holds sound, from its first to its
# last loud stretch, without the silent gaps that the sink hears when the player falls
# behind on a loaded machine (sound.py length).
e2e_sound_seconds() { python3 "$ZD_SOURCE_DIR/tests/e2e/sound.py" length "$1"; }

# ---- talking to programs -------------------------------------------------------------

# e2e_gdi_countable: `zd gdi` can count the GDI objects of the programs under test. Not
# where they are i686 programs under the emulated route: the count runs on a thread that
# the driver creates in the program's process, and emulated 32-bit Wine never runs it.
e2e_gdi_countable() {
  [ "${ZD_WINE_ROUTE:-}" != emu ] || [ "$ZD_WIN32_DIR" = "${ZD_WIN64_DIR:-}" ]
}

# zd VERB ARGS...: runs the test driver; its output with Windows line ends removed.
# The request goes to the test's driver process (zd_serve) when it is there and free; a
# call made while another one holds it (a zd in the background), or one that a request
# line cannot carry (a tab, a line end, a byte outside printable ASCII, in its arguments
# or its folder), starts a driver of its own, as every call once did. Each call is logged
# with its time and shell in $E2E_WORK/.zd.log, kept with a failed test's folder.
zd() {
  local out status lock
  if [ -n "${ZD_SERVER_PID:-}" ] && [ "$1" != run ] && zd_servable "$PWD" "$@" &&
     kill -0 "$ZD_SERVER_PID" 2>/dev/null && exec {lock}>>"$ZD_SERVER_LOCK"; then
    if flock -n "$lock"; then
      zd_request "$@"
      status=$?
      exec {lock}>&-
      return $status
    fi
    exec {lock}>&-
  fi
  echo "$EPOCHREALTIME $BASHPID own > $*" >> "$E2E_WORK/.zd.log"
  out=$(wine "$ZD_DRIVER" "$@" 2>"$E2E_WORK/.zd.err")
  status=$?
  echo "$EPOCHREALTIME $BASHPID own < $status" >> "$E2E_WORK/.zd.log"
  printf '%s' "$out" | tr -d '\r'
  [ -n "$out" ] && echo
  return $status
}

zd_servable() {
  local LC_ALL=C arg
  for arg; do
    [[ $arg == *[^\ -~]* ]] && return 1
  done
  return 0
}

# zd_request VERB ARGS...: one request to the test's driver process, which is held.
zd_request() {
  local request="Z:${PWD//\//\\}"$'\t'"${ZD_SEND_TIMEOUT:-}" arg line status= lines=() n
  for arg; do request+=$'\t'$arg; done
  echo "$EPOCHREALTIME $BASHPID > $*" >> "$E2E_WORK/.zd.log"
  printf '%s\n' "$request" >&"$ZD_SERVER_IN" || return 1
  while IFS= read -r -u "$ZD_SERVER_OUT" line; do
    line=${line//$'\r'/}
    if [[ $line == *$'\x1e'* ]]; then
      [ -n "${line%%$'\x1e'*}" ] && lines+=("${line%%$'\x1e'*}")
      status=${line##*$'\x1e'}
      break
    fi
    lines+=("$line")
  done
  if [ -z "$status" ]; then
    echo "zd: the driver process ended during $1" >&2
    ZD_SERVER_PID=
    return 1
  fi
  echo "$EPOCHREALTIME $BASHPID < $status" >> "$E2E_WORK/.zd.log"
  # As from $(...): no empty lines at the end.
  n=${#lines[@]}
  while [ "$n" -gt 0 ] && [ -z "${lines[n - 1]}" ]; do n=$((n - 1)); done
  [ "$n" -gt 0 ] && printf '%s\n' "${lines[@]:0:n}"
  return "$status"
}

# zd_serve: starts the driver process of this test's shell, on the display and with the
# sound server of the moment; zd_serve_stop lets it go (it ends at the end of its input).
zd_serve() {
  zd_serve_stop
  local dir="$E2E_WORK/.zds"
  rm -rf "$dir"
  mkdir -p "$dir" && mkfifo "$dir/in" "$dir/out" || return 0
  wine "$ZD_DRIVER" serve <"$dir/in" >"$dir/out" 2>>"$E2E_WORK/.zds.err" &
  ZD_SERVER_PID=$!
  exec {ZD_SERVER_IN}>"$dir/in" {ZD_SERVER_OUT}<"$dir/out"
  ZD_SERVER_LOCK="$dir/lock"
}

zd_serve_stop() {
  [ -n "${ZD_SERVER_PID:-}" ] || return 0
  exec {ZD_SERVER_IN}>&- {ZD_SERVER_OUT}<&-
  ZD_SERVER_PID=
}

# e2e_launch VAR DIR COMMAND: starts a Windows program in the background with DIR (a
# Windows path) as its current directory; VAR receives the background job's pid. Its
# exit code is collected by e2e_exit_code. The program may run for E2E_RUN_MS ms
# (default ten minutes); after that its exit code is not known.
e2e_launch() {
  local var=$1 dir=$2 command=$3
  wine "$ZD_DRIVER" run "$dir" "$command" "${E2E_RUN_MS:-600000}" >"$E2E_WORK/.launch.$var" 2>&1 &
  printf -v "$var" '%s' "$!"
}

# e2e_exit_code VAR: the exit code of the program started by e2e_launch VAR, waiting up
# to SECONDS (default 20) for it to end. A program that the emulator killed ("qemu:
# uncaught target signal") is reported so, not by the code Wine gives it (0).
e2e_exit_code() {
  local var=$1 seconds=${2:-20}
  local pid=${!var}
  local deadline=$((SECONDS + seconds))
  while kill -0 "$pid" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then
    echo timeout
    return
  fi
  wait "$pid" 2>/dev/null
  local code
  code=$(tr -d '\r' < "$E2E_WORK/.launch.$var" | awk -F'\t' '/^exit/ {print $2}')
  grep -q "qemu: uncaught target signal" "$E2E_WORK/.launch.$var" && code="killed by the emulator"
  echo "${code:-none}"
}

# ---- checks ----------------------------------------------------------------------------

e2e_fatal() {
  echo "FAIL: $*" >&2
  E2E_FAILED=1
  exit 1
}

check() {  # check DESCRIPTION COMMAND...: fails the test (and goes on) when COMMAND fails
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
  else
    echo "FAIL: $what" >&2
    E2E_FAILED=1
  fi
}

check_eq() {  # check_eq DESCRIPTION ACTUAL EXPECTED
  if [ "$2" == "$3" ]; then
    echo "ok: $1"
  else
    printf 'FAIL: %s\n  expected: %s\n  actual:   %s\n' "$1" "$3" "$2" >&2
    E2E_FAILED=1
  fi
}

require() {  # require DESCRIPTION COMMAND...: ends the test when COMMAND fails
  local what=$1
  shift
  "$@" || e2e_fatal "$what"
  echo "ok: $what"
}
