#!/bin/sh
# Synthesises the sounds listed in sounds.conf with sox.
#
#   make_sounds.sh CONF OUTDIR             write OUTDIR/<name>.wav for every sound
#   make_sounds.sh --check CONF DIR SCRATCH  synthesise into SCRATCH and compare with DIR
#
# sox runs in repeatable mode (-R: fixed seeds for the noise generators) and
# without dither (-D), so the same parameters always give the same bytes.
# Each file is written under a temporary name and renamed when complete.
set -eu

check=0
if [ "${1:-}" = "--check" ]; then check=1; shift; fi
conf=${1:?usage: make_sounds.sh [--check] CONF OUTDIR [SCRATCH]}
out=${2:?usage: make_sounds.sh [--check] CONF OUTDIR [SCRATCH]}
if [ ! -r "$conf" ]; then
    echo "make_sounds.sh: error: $conf: missing or unreadable (the sound parameters)" >&2
    exit 2
fi
command -v sox >/dev/null || { echo "make_sounds.sh: error: sox is not installed" >&2; exit 2; }

committed=$out
if [ $check = 1 ]; then
    out=${3:?usage: make_sounds.sh --check CONF DIR SCRATCH}
fi
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

rate=22050
names=$(grep -v '^[[:space:]]*#' "$conf" | awk 'NF { print $1 }' | awk '!seen[$0]++')
[ -n "$names" ] || { echo "make_sounds.sh: error: $conf: no sounds listed" >&2; exit 2; }

for name in $names; do
    case $name in
        *[!A-Za-z0-9_]*) echo "make_sounds.sh: error: $conf: bad sound name \"$name\"" >&2; exit 2 ;;
    esac
    n=0
    grep -v '^[[:space:]]*#' "$conf" | awk -v k="$name" '$1 == k { $1 = ""; print }' > "$work/$name.layers"
    while read -r effects; do
        n=$((n + 1))
        # shellcheck disable=SC2086
        if ! sox -R -D -V1 -n -r $rate -c 1 -b 16 "$work/$name.$n.wav" $effects 2>"$work/err"; then
            echo "make_sounds.sh: error: $conf: layer $n of \"$name\" is malformed: $(cat "$work/err")" >&2
            exit 2
        fi
    done < "$work/$name.layers"
    if [ $n = 1 ]; then
        set -- "$work/$name.1.wav"
    else
        set -- -m
        i=1
        while [ $i -le $n ]; do set -- "$@" "$work/$name.$i.wav"; i=$((i + 1)); done
    fi
    sox -R -D -V1 "$@" -r $rate -c 1 -b 16 -e signed-integer "$work/$name.wav" norm -3 fade h 0.005 -0 0.012
    len=$(soxi -D "$work/$name.wav")
    if awk -v l="$len" 'BEGIN { exit !(l > 1.0) }'; then
        echo "make_sounds.sh: error: $conf: \"$name\" lasts $len s, more than one second" >&2
        exit 2
    fi
    cp "$work/$name.wav" "$out/.$name.wav.tmp"
    mv "$out/.$name.wav.tmp" "$out/$name.wav"
    [ $check = 1 ] || echo "wrote $out/$name.wav ($len s)"
done

[ $check = 1 ] || exit 0
status=0
for name in $names; do
    if cmp -s "$out/$name.wav" "$committed/$name.wav"; then
        echo "same     sound/$name.wav"
    else
        echo "DIFFERS  sound/$name.wav"
        status=1
    fi
done
exit $status
