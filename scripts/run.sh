#!/usr/bin/env bash
# Installs, builds and runs the program's main job on a fresh demo installation.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
home=${TALLYVANE_HOME:-$root/out/demo}
mkdir -p "$home"
echo "installation folder: $home"
"$root/build/src/cli/tallyvane" --app-folder "$home" init --account 1001 --customer "Demo Family Practice" --days 30
