#!/usr/bin/env bash
# Installs what is missing, builds the game into build/ and starts it with the
# arguments given (for example: ./play.sh -w).
set -euo pipefail
FW_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$FW_ROOT/tools/setup.sh"
fw_install_packages
fw_build "$FW_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
exec "$FW_ROOT/build/fleecewick" "$@"
