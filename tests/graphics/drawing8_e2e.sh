#!/usr/bin/env bash
# The drawing test on an 8-bit palette display.
exec bash "$(dirname "$0")/drawing_e2e.sh" 8
