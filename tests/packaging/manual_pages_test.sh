#!/usr/bin/env bash
# A tool's --help and its manual page never disagree: every command and option talon7x-ctl
# lists is described on its page and every command the page describes is one the tool takes;
# every exit status it names is on the page; the same for the program's options and statuses.
# The lists come from the tools themselves, so a new command fails here until the page
# describes it. The pages format without warnings.
#   manual_pages_test.sh MAN_DIR (the configured pages) TALON7X_CTL [TALON7X]
source "$(dirname "$0")/test_lib.sh"
man_dir=$1
ctl=$(realpath "$2")
program=${3:-}
page=$man_dir/talon7x-ctl.1

# The lines of a section of a page, from .SH NAME to the next .SH.
section() { awk -v name="$2" '/^\.SH/ { inside = ($0 == ".SH " name || $0 == ".SH \"" name "\"") ; next } inside' "$1"; }
# The bold words that open each .TP tag of a section: a command ("macro add"), an option, a
# status.
tags() {
    section "$1" "$2" | awk '/^\.TP/ { tag = 1; next } tag { tag = 0; print }' | sed 's/\\-/-/g' |
        awk '/^\.B / { name = substr($0, 4) }
             /^\.B[IR] / { rest = substr($0, 5)
                           if (match(rest, /^"[^"]*"/)) name = substr(rest, 2, RLENGTH - 2)
                           else { split(rest, word, " "); name = word[1] } }
             /^[^.]/ { name = $0; sub(/\\f[IRP].*/, "", name) }
             { gsub(/\\f[BIRP]|"/, "", name); sub(/[ ,]+$/, "", name); print name }'
}
# The command names of a tool's --help: under "commands:", the lower-case words that open the
# first column (columns are two or more spaces apart).
listed_commands() {
    awk '/^commands:/ { on = 1; next } /^$/ { on = 0 }
         on && /^  [a-z]/ { sub(/^ +/, ""); split($0, column, /  +/); n = split(column[1], word, " ")
                            name = ""
                            for (i = 1; i <= n && word[i] ~ /^[a-z][a-z-]*$/; i++) name = name (i > 1 ? " " : "") word[i]
                            print name }' <<<"$1"
}

help=$("$ctl" --help) || fail "talon7x-ctl --help failed"
listed=$(listed_commands "$help")
[[ -n $listed ]] || fail "no commands found in talon7x-ctl --help"
described=$(tags "$page" COMMANDS | sort -u)

# The tool is asked whether it takes each command with an unplugged virtual keyboard, in a
# folder of its own, so that nothing can be written anywhere that matters.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
unplugged() {
    (cd "$scratch" && LD_LIBRARY_PATH=${ctl%/*}/virtual TALON7X_VKB_ABSENT=1 \
        TALON7X_VKB_STATE=$scratch/state HOME=$scratch XDG_DATA_HOME=$scratch "$ctl" "$@" 2>&1)
}
while IFS= read -r command; do
    grep -qx -- "$command" <<<"$described" || fail "talon7x-ctl.1 does not describe '$command'"
    # The tool takes it (a made-up name is refused the same way, checked below).
    read -r -a words <<<"$command"
    [[ $(unplugged "${words[@]}" --no-such-argument) != *"unknown command"* ]] ||
        fail "talon7x-ctl refuses '$command', which its --help lists"
done <<<"$listed"
while IFS= read -r command; do
    [[ $command == help ]] && continue
    grep -qx -- "$command" <<<"$listed" || fail "talon7x-ctl.1 describes '$command', which --help does not list"
done <<<"$described"
[[ $(unplugged no-such-command) == *"unknown command"* ]] ||
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
