# Quiet steps for the README's commands: a build or test step prints one line, and its whole
# output only when it fails (or always with VP_VERBOSE=1). The output is kept in build/logs/.
# Source it from the repository's root.

VP_VERBOSE=${VP_VERBOSE:-0}
VP_LOGS=build/logs

vp_verbose() { [[ "$VP_VERBOSE" == 1 ]]; }

# vp_quietly NAME COMMAND...: runs COMMAND with its output in build/logs/NAME.log.
vp_quietly() {
    local name=$1
    shift
    if vp_verbose; then
        "$@"
        return
    fi
    mkdir -p "$VP_LOGS"
    local log="$VP_LOGS/$name.log" status=0
    "$@" >"$log" 2>&1 || status=$?
    if ((status != 0)); then
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
