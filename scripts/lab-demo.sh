#!/usr/bin/env bash
# Starts the demo laboratory on loopback and says how to reach it:
#   scripts/lab-demo.sh [PORT] [DATA_DIR]      (defaults: 8443, out/lab-demo)
# The data folder keeps its database and certificate between runs; delete it to start afresh.
# Stops with Ctrl-C.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
port=${1:-8443}
data=${2:-$root/out/lab-demo}
build=${TV_BUILD_DIR:-$root/build}
lab=$build/lab/tallyvane-lab
if [ ! -x "$lab" ]; then
    bash "$root/scripts/install-deps.sh"
    cmake -S "$root" -B "$build" -G Ninja >/dev/null
    cmake --build "$build" --target tallyvane-lab
fi
password=${TALLYVANE_LAB_PASSWORD:-portal!quinceleaf361}
cat <<INFO
Demo laboratory: https://127.0.0.1:$port/orvalis/qtx80z.dll   (data: $data)
HTTP user WebDAV, password $password; certificate (trust it as a CA file): $data/lab-cert.pem
Try:
  curl -sS --cacert $data/lab-cert.pem --anyauth -u 'WebDAV:$password' \\
       -X GET --data-urlencode 'SQL=SELECT ACCOUNT, LABNAME, ONHOLD FROM LABACCOUNTS' \\
       https://127.0.0.1:$port/orvalis/qtx80z.dll/SELECT | gunzip
An installation reaches it with MAIN=https://127.0.0.1:$port in SERVERS_DNS_EMP.INI and TLS.CAFILE=$data/lab-cert.pem.
Requests are logged below, one line each. Ctrl-C stops the laboratory.

INFO
exec "$lab" --port "$port" --data "$data" --demo
