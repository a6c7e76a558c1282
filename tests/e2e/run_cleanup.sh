#!/usr/bin/env bash
# Clean-up of an end-to-end run, pass or fail: stops every process of the run, removes
# the prefix, and fails if anything survived.
. "$(dirname "$0")/harness.sh"
e2e_run_cleanup
