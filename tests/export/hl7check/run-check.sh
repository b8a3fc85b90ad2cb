#!/bin/sh
# Validates exported messages with the two npm checkers; installs them from the lock file on
# first use. Exit 77 (skipped) only when node or npm is not available.
set -e
cd "$(dirname "$0")"
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
    echo "node/npm not available: HL7 checkers skipped"
    exit 77
fi
[ -d node_modules ] || npm ci --no-audit --no-fund
exec node check.mjs "$@"
