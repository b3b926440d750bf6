# Quiet steps for the README's commands: a build or test step prints one line, and its whole
# output only when it fails (or always with VP_VERBOSE=1). The output is kept in build/logs/.
# Each step runs in a process group of its own, which Ctrl-C ends whole: the builds with their
# compilers, ctest with the suites it runs (each suite then removes its scratch prefix).
# Source it from the repository's root.

VP_VERBOSE=${VP_VERBOSE:-0}
VP_LOGS=build/logs
VP_STEP_PID=""

vp_verbose() { [[ "$VP_VERBOSE" == 1 ]]; }

# Ends the running step's process group and waits (a few seconds at most) for it to be gone.
vp_stop_step() {
    [[ -n "$VP_STEP_PID" ]] || return 0
    kill -TERM -- "-$VP_STEP_PID" 2>/dev/null || true
    local _
    for _ in $(seq 100); do
        kill -0 -- "-$VP_STEP_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL -- "-$VP_STEP_PID" 2>/dev/null || true
    VP_STEP_PID=""
}

vp_interrupted() {
    trap - INT TERM HUP
    echo "Interrupted." >&2
    vp_stop_step
    exit 130
}
trap vp_interrupted INT TERM HUP

# vp_quietly NAME COMMAND...: runs COMMAND in its own process group, its output in
# build/logs/NAME.log (on the terminal with VP_VERBOSE=1).
vp_quietly() {
    local name=$1
    shift
    mkdir -p "$VP_LOGS"
    local log="$VP_LOGS/$name.log" status=0
    if vp_verbose; then
        setsid -w "$@" &
    else
        setsid -w "$@" >"$log" 2>&1 </dev/null &
    fi
    VP_STEP_PID=$!
    wait "$VP_STEP_PID" || status=$?
    VP_STEP_PID=""
    if ((status != 0)) && ! vp_verbose; then
        printf '\n' >&2
        echo "error: '$*' failed (status $status); the end of $log:" >&2
        tail -n 60 "$log" | sed 's/^/    /' >&2
    fi
    return "$status"
}

# vp_build PRESET [TARGET...]: configures and builds one preset.
vp_build() {
    local preset=$1
    shift
    local targets=()
    (($# == 0)) || targets=(--target "$@")
    vp_quietly "$preset-configure" cmake --preset "$preset"
    vp_quietly "$preset-build" cmake --build --preset "$preset" -j "$(nproc)" "${targets[@]}"
}
