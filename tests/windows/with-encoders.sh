#!/usr/bin/env bash
# Runs a command while simulated encoders answer on the named Wine COM ports:
#   with-encoders.sh "3 4" COMMAND...
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/encoders.sh"
for com in $1; do start_encoder "$com" || exit 1; done
shift
"$@"
