#!/usr/bin/env bash
# Runs a command with an X display: the desktop's when there is one, else a
# private Xvfb screen of 1920 x 1080 (Mesa's software OpenGL).
set -euo pipefail
if [ -n "${DISPLAY:-}" ] && [ -z "${OV_FORCE_XVFB:-}" ]; then
  exec "$@"
fi
exec xvfb-run -a -s "-screen 0 1920x1080x24 -nolisten tcp" "$@"
