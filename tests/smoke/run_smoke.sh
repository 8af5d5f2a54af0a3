#!/bin/sh
# Runs the smoke test under an X server of its own. xvfb-run -a looks for a free display from
# the number it is given; starting at one derived from this process keeps runs that start
# together (other test programs, other checkouts) from racing for the same display.
exec xvfb-run -a -n $(($$ % 400 + 100)) -e /dev/stderr /usr/bin/python3 "$(dirname "$0")/smoke_window.py" "$@"
