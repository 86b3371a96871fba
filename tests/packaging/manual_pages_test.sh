#!/usr/bin/env bash
# A tool's --help and its manual page never disagree: every command and option talon7x-ctl
# lists is described on its page and every command the page describes is one the tool takes;
# every exit status it names is on the page; the same for the program's options and statuses.
# The lists come from the tools themselves, so a new command fails here until the page
# describes it. The pages format without warnings.
#   manual_pages_test.sh MAN_DIR (the configured pages) TALON7X_CTL [TALON7X]
source "$(dirname "$0")/test_lib.sh"
man_dir=$1
ctl=$2
program=${3:-}
page=$man_dir/talon7x-ctl.1

# The lines of a section of a page, from .SH NAME to the next .SH.
section() { awk -v name="$2" '/^\.SH/ { inside = ($0 == ".SH " name || $0 == ".SH \"" name "\"") ; next } inside' "$1"; }
# The first word of each .TP tag in a section, without fonts, quotes and escapes.
tags() {
    section "$1" "$2" | awk '/^\.TP/ { tag = 1; next } tag { tag = 0; print }' |
        sed -E 's/^\.[BIR]+ //; s/\\f[BIRP]//g; s/\\-/-/g; s/"//g; s/[ ,].*//'
}

help=$("$ctl" --help) || fail "talon7x-ctl --help failed"
listed=$(awk '/^commands:/ { on = 1; next } on && /^  [a-z]/ { print $1 } /^$/ { on = 0 }' <<<"$help")
[[ -n $listed ]] || fail "no commands found in talon7x-ctl --help"
described=$(tags "$page" COMMANDS | sort -u)

for command in $listed; do
    grep -qx -- "$command" <<<"$described" || fail "talon7x-ctl.1 does not describe '$command'"
    # The tool takes it (a made-up name is refused the same way, checked below).
    [[ $("$ctl" "$command" --no-such-argument 2>&1) != *"unknown command"* ]] ||
        fail "talon7x-ctl refuses '$command', which its --help lists"
done
for command in $described; do
    [[ $command == help ]] && continue
    grep -qx -- "$command" <<<"$listed" || fail "talon7x-ctl.1 describes '$command', which --help does not list"
done
[[ $("$ctl" no-such-command 2>&1) == *"unknown command"* ]] ||
    fail "talon7x-ctl takes a made-up command, so the check above proves nothing"

# options_and_statuses NAME HELP PAGE: every option and exit status in HELP is on PAGE.
options_and_statuses() {
    local name=$1 help=$2 page=$3 option status statuses
    for option in $(grep -oE -- '(^|[ ,[])(--?|/)[A-Za-z][a-z-]*' <<<"$help" | grep -oE -- '(--?|/)[A-Za-z][a-z-]*' | sort -u); do
        grep -qF -- "${option//-/\\-}" "$page" || fail "${page##*/} does not describe $name's option $option"
    done
    statuses=$(sed -n '/^exit codes:/I,$p' <<<"$help" | grep -oE '(^|[ :,])[0-9]+ [a-z]' | grep -oE '[0-9]+')
    [[ -n $statuses ]] || fail "no exit codes found in $name --help"
    for status in $statuses; do
        tags "$page" "EXIT STATUS" | grep -qx "$status" || fail "${page##*/} does not describe exit status $status"
    done
}

options_and_statuses talon7x-ctl "$help" "$page"
if [[ -n $program ]]; then
    program_help=$("$program" --help) || fail "talon7x --help failed"
    options_and_statuses talon7x "$program_help" "$man_dir/talon7x.1"
fi

for manual in "$man_dir"/*.1; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$manual" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "${manual##*/}: $warnings"
done

finish
