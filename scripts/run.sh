#!/usr/bin/env bash
# Installs, builds and runs the program's main job on the demo laboratory: starts tallyvane-lab
# --demo on loopback, prepares an installation for account 1001 that trusts the laboratory's
# certificate, syncs the account, downloads since the last release, lists today's downloads and
# renders the first listed report, as stored, to PDF.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
export QT_QPA_PLATFORM=offscreen
export LC_ALL=C.UTF-8 # the listing's columns are counted in characters

out=$root/out
home=${TALLYVANE_HOME:-$out/demo}
lab_data=$out/demo-lab
rm -rf "$home" "$lab_data"
mkdir -p "$home" "$lab_data"

lab_log=$out/demo-lab.log
"$root/build/lab/tallyvane-lab" --port 0 --data "$lab_data" --demo >"$out/demo-lab.out" 2>"$lab_log" &
lab_pid=$!
trap 'kill "$lab_pid" 2>/dev/null || true; wait "$lab_pid" 2>/dev/null || true' EXIT
for _ in $(seq 1 600); do
    grep -q '^listening on ' "$out/demo-lab.out" 2>/dev/null && break
    kill -0 "$lab_pid" 2>/dev/null || { echo "tallyvane-lab did not start:"; cat "$lab_log"; exit 1; }
    sleep 0.2
done
lab_url=$(sed -n 's/^listening on //p' "$out/demo-lab.out" | head -n 1)
[ -n "$lab_url" ] || { echo "tallyvane-lab did not answer in time"; exit 1; }
echo "== demo laboratory at $lab_url (log: $lab_log)"

tv() { "$root/build/src/cli/tallyvane" --app-folder "$home" "$@"; }

echo "== installation $home"
tv init --account 1001 --customer "Demo Family Practice" --days 30
printf '[INIT]\r\nMaxAddr=1\r\n[1]\r\nMAIN=%s\r\nWEB.SERVICE=/orvalis/qtx80z.dll\r\n' "$lab_url" >"$home/SERVERS_DNS_EMP.INI"
cp "$lab_data/lab-cert.pem" "$home/lab-ca.pem"

echo "== sync"
tv sync
echo "== download since the last release"
tv download --since-last
echo "== today's downloads"
listing=$(tv list --download-date "$(date +%m/%d/%Y)")
printf '%s\n' "$listing"

# The first listed report: its LABID starts the row, its code sits under the CODE heading.
header=$(grep -m 1 '^LABID ' <<<"$listing")
before_code=${header%% CODE *}
first=$(sed -n '/^-----/{n;p;q}' <<<"$listing")
labid=${first%% *}
code=$(awk '{print $1}' <<<"${first:$((${#before_code} + 1))}")
[ -n "$labid" ] && [ -n "$code" ] || { echo "no report was downloaded"; exit 1; }

pdf=$out/demo-report.pdf
echo "== render the stored report $labid $code"
tv render --labid "$labid" --code "$code" --pdf "$pdf"
echo "report PDF: $pdf"
