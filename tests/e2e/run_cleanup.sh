#!/usr/bin/env bash
# Clean-up of an end-to-end run, pass or fail: stops every process of the run, removes
# the prefix, and fails if anything survived.
# Outside the emulated route's namespace (it needs only wineserver, a 64-bit program): from
# inside one, the processes that the set-up and the tests started in theirs could not be
# found by their environment, and the run's display outlived every run unseen.
ZD_EMU_STAY_OUT=1
. "$(dirname "$0")/harness.sh"
e2e_run_cleanup
