#!/usr/bin/env bash
# run_test.sh SCRIPT [ARGS...]: runs one end-to-end test script; when it fails and the
# emulator crashed under it, runs it once more.
#
# On the emulated route a 32-bit Wine process now and then dies of a segmentation fault
# that neither Wine nor the program took: qemu says "qemu: uncaught target signal 11
# (Segmentation fault) - core dumped" and the process is gone. Seen three times in about
# twenty full runs, each time with 32-bit Wine playing sound through a sound server: the
# game at its start-up sound and at its exit, and the harness's playwave (the game now
# plays its sound on the x86_64 build there; tests/e2e/CMakeLists.txt). A fault in a
# program's own code goes to Wine's exception handling instead, and is not retried. The
# failed run's working folder stays as NAME.emulator-crash and its output in the log.
set -u
name=${ZD_TEST_NAME:-test}
work="$ZD_E2E_STATE/work/$name"
out="$ZD_E2E_STATE/work/.$name.out"
crash="qemu: uncaught target signal"
mkdir -p "$ZD_E2E_STATE/work"
bash "$@" 2>&1 | tee "$out"
status=${PIPESTATUS[0]}
if [ "$status" -ne 0 ] && grep -qsF "$crash" "$out" "$work"/.launch.* "$work"/.zd.err "$work"/.zds.err; then
  rm -rf "$work.emulator-crash"
  mv "$work" "$work.emulator-crash"
  echo "e2e: the emulator crashed under the test (\"$crash\", kept: $work.emulator-crash); once more"
  bash "$@"
  status=$?
fi
rm -f "$out"
exit "$status"
