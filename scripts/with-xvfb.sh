#!/usr/bin/env bash
# Runs a command against a private Xvfb server of its own, then stops the server.
# Usage: with-xvfb.sh [-s WIDTHxHEIGHT] command...
set -euo pipefail
size=1920x1080
if [ "${1:-}" = "-s" ]; then size=$2; shift 2; fi

runtime=$(mktemp -d /tmp/zorvic-xdg.XXXXXX)
chmod 700 "$runtime"
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 "${size}x24" -nolisten tcp +extension XTEST +extension MIT-SHM >/dev/null 2>&1 &
server=$!
cleanup() { kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -rf "$runtime"; }
trap cleanup EXIT
read -r -t 20 -u "$fd" display || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display" XDG_RUNTIME_DIR="$runtime"
"$@"
