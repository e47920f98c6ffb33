#!/bin/sh
# --help and --version tell when their text could not be written: status 1 and one line on
# standard error; written, status 0 and nothing there.
set -u
ohjelma=$1
tyo=$(mktemp -d "${TMPDIR:-/tmp}/vaskitaulu_help_XXXXXX")
trap 'rm -rf "$tyo"' EXIT
vika() {
    echo "help_write: $*" >&2
    exit 1
}
for valinta in --help -h --version -V; do
    "$ohjelma" $valinta > "$tyo/out" 2> "$tyo/err" || vika "$valinta: status $?"
    [ -s "$tyo/out" ] || vika "$valinta wrote nothing"
    [ -s "$tyo/err" ] && vika "$valinta: standard error: $(cat "$tyo/err")"
    if [ -w /dev/full ]; then
        "$ohjelma" $valinta > /dev/full 2> "$tyo/err"
        tila=$?
        [ $tila -eq 1 ] || vika "$valinta > /dev/full: status $tila"
        [ "$(cat "$tyo/err")" = "vaskitaulu: standard output: No space left on device" ] ||
            vika "$valinta > /dev/full: standard error: $(cat "$tyo/err")"
    fi
done
"$ohjelma" --version | grep -qx "Vaskitaulu v. 1.6" || vika "--version text"
"$ohjelma" --help | grep -q "^Exit status: 0 the output was written" || vika "--help names no exit status"
exit 0
