#!/usr/bin/env bash
# zintor-cli.exe under Wine against simulated encoders on Wine COM ports; one scenario a run:
#   cli-e2e.sh one|four|find|hangup ZINTOR_CLI_EXE
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/encoders.sh"
scenario=$1 exe=$2
work=$(mktemp -d)
trap 'stop_encoders; rm -rf "$work"' EXIT
failed=0
windows() { printf 'Z:%s' "${1//\//\\}"; }
cli() { "$WINERUN" "$exe" "$@" >"$work/out" 2>"$work/err"; rc=$?; }
# expect WHAT EXIT [TEXT...]: the last run ended with EXIT and printed every TEXT.
expect() {
    local what=$1 wanted=$2 text ok=1
    shift 2
    [[ $rc == "$wanted" ]] || ok=0
    for text in "$@"; do grep -qF -- "$text" "$work/out" "$work/err" || ok=0; done
    if ((ok)); then
        echo "PASS $what"
    else
        echo "FAIL $what: exit $rc, wanted $wanted${*:+ with: $*}"
        sed 's/^/  out: /' "$work/out"
        sed 's/^/  err: /' "$work/err"
        failed=1
    fi
}
printf 'CODE=BIN\nNR=16\nNS=4096\nOFST=7\n' >"$work/profile"
profile=$(windows "$work/profile")

case $scenario in
one)
    start_encoder 5 || exit 1
    cli send NR=16 GRAY POS --port COM5
    expect "send on COM5" 0 "COM5"
    cli read --port 5
    expect "read on COM5" 0 "NR=16"
    cli apply "$profile" --port 5
    expect "apply on COM5" 0
    cli verify "$profile" --port 5
    expect "verify on COM5" 0
    cli pos --port 6
    expect "nothing on COM6" 3 "COM6: no such port"
    for production in run records; do
        cli "$production" --port 5
        expect "$production: not in this build" 2 \
            "production runs and records are not in the Windows build (its Qt has no SQL module)"
    done
    ;;
four)
    for com in 5 6 7 8; do start_encoder $com || exit 1; done
    cli apply "$profile" --port 5-8
    expect "apply on COM5 to COM8" 0 COM5 COM6 COM7 COM8
    cli verify "$profile" --port 5,6,7,8
    expect "verify on COM5 to COM8" 0 COM5 COM8
    ;;
find)
    # A device that never answers on COM2, the encoder on COM9 at 19200 baud. (At odd
    # parity Wine 8.0 on a pseudo-terminal lets the closing DC1 through: not tried here.)
    start_encoder 2 --no-echo --silent || exit 1
    start_encoder 9 --line 19200,n,8,1 || exit 1
    cli find
    expect "find: the encoder at 19200 on COM9" 0 "COM9" "19200"
    ;;
hangup)
    start_encoder 5 --hangup-after 3 || exit 1
    cli apply "$profile" --port 5
    expect "hang-up midway: port failure, what was written named" 3 "COM5" "written"
    ;;
*)
    echo "unknown scenario $scenario" >&2
    exit 2
    ;;
esac
exit $failed
