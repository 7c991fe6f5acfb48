#!/usr/bin/env bash
# Makes the nine wave files of data/ from sox's synthesis and espeak-ng's voice, so they can be remade.
set -euo pipefail
cd "$(dirname "$0")/../data"
command -v sox >/dev/null || "$(dirname "$0")/install-deps.sh" sounds
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fmt=(-r 22050 -c 1 -b 16)

# A piece turns: one crisp tick.
sox -n "${fmt[@]}" Click.wav synth 0.035 sine 2200 fade q 0.002 0.035 0.03 vol 0.7
# A command: two soft ticks.
sox -n "${fmt[@]}" "$tmp/t1.wav" synth 0.03 sine 1320 fade q 0.002 0.03 0.025 vol 0.5
sox -n "${fmt[@]}" "$tmp/gap.wav" trim 0 0.05
sox -n "${fmt[@]}" "$tmp/t2.wav" synth 0.03 sine 1760 fade q 0.002 0.03 0.025 vol 0.5
sox "$tmp/t1.wav" "$tmp/gap.wav" "$tmp/t2.wav" click2.wav
# A piece settles: a short brushed slide.
sox -n "${fmt[@]}" Slide.wav synth 0.22 pinknoise vol 0.5 band 1400 900 fade q 0.02 0.22 0.15 vol 0.8 norm -6
# A refused drop: a low falling buzz.
sox -n "${fmt[@]}" Error.wav synth 0.32 square 240-150 lowpass 1500 fade q 0.01 0.32 0.12 norm -8
# A solved figure: applause, many short claps at random moments.
claps=()
for i in $(seq 1 40); do
  at=$(awk -v s="$i" 'BEGIN { srand(s * 7919); printf "%.3f", rand() * 1.4 }')
  hp=$(awk -v s="$i" 'BEGIN { srand(s * 104729); printf "%d", 600 + rand() * 1400 }')
  sox -n "${fmt[@]}" "$tmp/clap$i.wav" synth 0.05 whitenoise vol 0.5 highpass "$hp" fade q 0.001 0.05 0.045 pad "$at" 0
  claps+=("$tmp/clap$i.wav")
done
sox -m "${claps[@]}" "$tmp/claps.wav"
sox "$tmp/claps.wav" clap4.wav fade q 0.05 -0 0.4 norm -3
# The pieces fly home: a breathy sweep.
sox -n "${fmt[@]}" whoosh1.wav synth 0.55 pinknoise vol 0.5 lowpass 2500 highpass 200 fade h 0.3 0.55 0.25 tremolo 3 40 norm -6
# A file is chosen: a hush and a dot.
sox -n "${fmt[@]}" "$tmp/shsh.wav" synth 0.25 whitenoise vol 0.4 highpass 2500 fade h 0.05 0.25 0.12
sox -n "${fmt[@]}" "$tmp/dot.wav" synth 0.08 sine 990 fade q 0.003 0.08 0.06 vol 0.6
sox "$tmp/shsh.wav" "$tmp/dot.wav" shsh-dot.wav
# Giving up: a sad trombone, three falling notes and a long last one.
notes=()
for n in "0.28 sawtooth 392" "0.28 sawtooth 370" "0.28 sawtooth 349" "0.7 sawtooth 330"; do
  f="$tmp/note${#notes[@]}.wav"
  # shellcheck disable=SC2086
  sox -n "${fmt[@]}" "$f" synth $n lowpass 900 fade q 0.02 0 0.08 vol 0.4
  notes+=("$f")
done
sox "${notes[@]}" GiveUp.wav norm -6
# Goodbye: the game says thank you.
espeak-ng -v en -s 150 -w "$tmp/thank.wav" "Thank you for playing"
sox "$tmp/thank.wav" "${fmt[@]}" thank.wav norm -3
ls -l ./*.wav
