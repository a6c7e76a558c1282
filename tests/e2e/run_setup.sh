#!/usr/bin/env bash
# Set-up of an end-to-end run: a 24-bit Xvfb display and a fresh Wine prefix, shared by
# the run's tests.
. "$(dirname "$0")/harness.sh"
e2e_run_setup
