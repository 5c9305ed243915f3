# Shared helpers of the zv-cli end-to-end tests. Source it after `set -u`.
#
#   zv_workdir          a new empty directory, removed when the script ends
#   run_cli DIR ARGS... runs zv-cli in DIR; sets CLI_STATUS, CLI_OUT, CLI_ERR (file names)
#   expect_status N     fails unless the last zv-cli ended with status N
#   expect_same A B     fails unless files A and B hold the same bytes
#   fail TEXT           reports and ends the test

ZV_CLI="$ZV_BIN/zv-cli"
# Every work directory lies below one root made here, in the script's own shell: the
# directories come from command substitutions (subshells), so only the root can be
# remembered for the clean-up.
ZV_E2E_ROOT=$(mktemp -d "${TMPDIR:-/tmp}/zv-e2e.XXXXXX") || exit 1
trap 'rm -rf -- "$ZV_E2E_ROOT"' EXIT

zv_workdir() {
    mktemp -d "$ZV_E2E_ROOT/work.XXXXXX" || exit 1
}

fail() {
    printf 'FAIL: %s\n' "$*" >&2
    exit 1
}

# The run under a German locale: a locale that is not installed would leave zv-cli in the
# C locale without a word, and the run would prove nothing.
if [[ -n ${ZV_E2E_LOCALE:-} ]] &&
    ! locale -a 2>/dev/null | grep -qixF "${ZV_E2E_LOCALE/UTF-8/utf8}"; then
    fail "the locale $ZV_E2E_LOCALE is not installed (scripts/bootstrap generates it)"
fi

run_cli() {
    local dir=$1
    shift
    if [[ -z ${ZV_E2E_OUTPUT:-} ]]; then
        ZV_E2E_OUTPUT=$(zv_workdir)
    fi
    CLI_OUT="$ZV_E2E_OUTPUT/stdout"
    CLI_ERR="$ZV_E2E_OUTPUT/stderr"
    CLI_STATUS=0
    (cd "$dir" && "$ZV_CLI" "$@") >"$CLI_OUT" 2>"$CLI_ERR" || CLI_STATUS=$?
}

expect_status() {
    if [[ $CLI_STATUS -ne $1 ]]; then
        printf -- '--- stdout\n' >&2
        cat "$CLI_OUT" >&2
        printf -- '--- stderr\n' >&2
        cat "$CLI_ERR" >&2
        fail "zv-cli exited with $CLI_STATUS, expected $1"
    fi
}

expect_same() {
    cmp -- "$1" "$2" || fail "$1 differs from $2"
}
