#!/usr/bin/env bash
# The Windows build of the generators (the game's compiler, flags and C runtime) computes
# the same pictures as the native build, byte for byte: landscape_render.exe under Wine
# against the native landscape_render, at the game's full-screen size. Both Windows
# builds are compared: the i686 one (the game's, SSE2) and the x86_64 one.
. "$ZD_SOURCE_DIR/tests/e2e/harness.sh"
e2e_begin
native="$ZD_NATIVE_TOOL"
builds=("$ZD_WIN32_DIR")
[ -n "${ZD_WIN64_DIR:-}" ] && [ "$ZD_WIN64_DIR" != "$ZD_WIN32_DIR" ] &&
  [ -f "$ZD_WIN64_DIR/landscape_render.exe" ] && builds+=("$ZD_WIN64_DIR")

same_picture() {  # same_picture ARGS...: one picture from each build, compared
  local name build
  name=$(tr ' .' '__' <<<"$*")
  "$native" "$@" "native-$name.out" || e2e_fatal "native tool failed: $*"
  for build in "${builds[@]}"; do
    wine "$build/landscape_render.exe" "$@" "windows-$name.out" >/dev/null 2>&1
    check "the same picture from $(basename "$build"): $*" cmp "native-$name.out" "windows-$name.out"
    rm -f "windows-$name.out"
  done
}

same_picture grid 3000000000
same_picture landscape 1024 768 1234567 1234590
same_picture strips 1024 768 42 1234567
same_picture fractal 1024 768 123 77 3456 2100
same_picture fractal 1024 768 1 1 500 500
same_picture fractal 800 600 499 2 5499 5200
same_picture fractal 640 480 7.5 300.25 1200 4000
