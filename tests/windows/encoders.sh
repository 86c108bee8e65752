# Simulated encoders (Linux programs on pseudo-terminals) answering on Wine COM ports, for
# the Windows build's tests; sourced. Each is linked where scripts/winerun maps its COM
# number. ENCODER_SIM names the simulator, WINERUN the wrapper.
encoder_pids=()

stop_encoders() {
    local pid
    for pid in "${encoder_pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait "${encoder_pids[@]}" 2>/dev/null
    encoder_pids=()
}
trap stop_encoders EXIT

# start_encoder COM [SIMULATOR OPTIONS...]
start_encoder() {
    local com=$1 link
    shift
    link=$("$WINERUN" --link "$com")
    rm -f "$link"
    "$ENCODER_SIM" --link "$link" "$@" >/dev/null &
    encoder_pids+=($!)
    for _ in $(seq 100); do [[ -L $link ]] && return 0; sleep 0.05; done
    echo "encoder-sim on COM$com did not start" >&2
    return 1
}
