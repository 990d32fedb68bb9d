#!/usr/bin/env bash
# Sets up, builds and starts Traxilo on the bundled demo clip.
# The settings file txconfig.txt is kept in the working folder, here ./run.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/build.sh"
mkdir -p "$root/run"
cd "$root/run"
exec "$root/build/bin/traxilo" "$root/build/demo/chute_libre.avi"
