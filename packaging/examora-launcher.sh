#!/bin/sh
# Starts Examora in its own folder: it reads its question pools, sounds and band plan
# from the working directory and keeps test.txt beside itself.
here=$(dirname "$(readlink -f "$0")")
cd "$here/../share/examora" || exit 1
exec ./examora "$@"
