# bench_lib.sh: sourced by the benchmarks that run the Windows programs.
#   bench_begin NAME [BUILD_DIR]
# sets `top`, `build` and `programs` (the tree of the game as this machine runs it:
# win32, or win64 where neither 32-bit Wine nor its emulated route runs), starts a private run of the end-to-end harness (its own Xvfb
# display and Wine prefix under BUILD_DIR/bench-NAME), enters a fresh working folder and
# cleans everything up when the script exits.
bench_begin() {
  local name=$1
  top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
  build=$(cd "${2:-$top/build}" && pwd)
  export ZD_EMU_LIB_DIR="$build/wine32emu"
  . "$top/tools/wine_env.sh"
  # On the emulated route the benchmark starts again inside its namespace.
  zd_wine_enter "$0" ${2:+"$2"}
  programs=$ZD_PROGRAMS_TREE
  echo "bench: the $programs programs, Wine route '$ZD_WINE_ROUTE' (tools/wine_route.sh)"
  export ZD_E2E_STATE="$build/bench-$name" ZD_WIN32_DIR="$build/$programs" ZD_SOURCE_DIR="$top"
  export ZD_DRIVER_DIR="$build/$ZD_DRIVER_TREE"
  export ZD_TEST_NAME=$name
  . "$top/tests/e2e/harness.sh"
  trap 'e2e_run_cleanup >/dev/null' EXIT
  e2e_run_setup >/dev/null || exit 1
  e2e_begin >/dev/null
  # e2e_end ends with exit: in a subshell, so that the run's clean-up still follows it.
  trap '(e2e_end) >/dev/null 2>&1; e2e_run_cleanup >/dev/null' EXIT
}
