# Shared by the packaging tests: failures are collected and reported together, so one run shows
# everything that is wrong.
set -uo pipefail

failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# expect_status WANT WHAT COMMAND...: runs COMMAND, keeps its output in $out, checks its status.
expect_status() {
    local want=$1 what=$2 status
    shift 2
    out=$("$@" 2>&1)
    status=$?
    [[ $status == "$want" ]] || fail "$what: exit status $status, expected $want; output:
$out"
}

expect_contains() {
    local text=$1 wanted=$2 what=$3
    [[ $text == *"$wanted"* ]] || fail "$what: '$wanted' missing from:
$text"
}

finish() {
    if ((failures > 0)); then
        echo "$failures failure(s)" >&2
        exit 1
    fi
    echo "all checks passed"
}
