#!/usr/bin/env bash
# tavix-replay streams its input: a case cut into two files anywhere (inside an
# escape sequence too) replays exactly as the whole case, from files and from
# standard input; and a long capture replays in constant memory.
#   streaming.sh REPLAY CASES_DIR WORK_DIR
set -u
replay=$1 cases=$2 work=$3
mkdir -p "$work"
fail=0
for host in "$cases"/*.host; do
  name=$(basename "$host" .host)
  read -r -a args <"$cases/$name.args"
  # Cases that type keys between their files ("{case}" in their arguments)
  # have no single stream to cut.
  [[ " ${args[*]} " == *"{case}"* ]] && continue
  size=$(stat -c %s "$host")
  for cut in 1 $((size / 3)) $((size / 2)) $((size - 1)); do
    [ "$cut" -ge 1 ] && [ "$cut" -lt "$size" ] || continue
    head -c "$cut" "$host" >"$work/a.host"
    tail -c +"$((cut + 1))" "$host" >"$work/b.host"
    if ! "$replay" "${args[@]}" "$work/a.host" "$work/b.host" | cmp -s - "$cases/$name.expected"; then
      echo "FAIL: $name cut at byte $cut into two files differs from $name.expected"; fail=1
    fi
  done
  if ! "$replay" "${args[@]}" <"$host" | cmp -s - "$cases/$name.expected"; then
    echo "FAIL: $name from standard input differs from $name.expected"; fail=1
  fi
done

# Constant memory: the largest resident size for 32 MB of host data may not
# exceed the one for 2 MB by more than 8 MB (the whole capture in memory would
# be 30 MB more). The capture is the cases over and over, each a session that
# ends with screen initialisation (which closes the windows it opened): text,
# windows, replies and every kind of event.
if command -v /usr/bin/time >/dev/null; then
  : >"$work/one.host"
  for host in "$cases"/*.host; do cat "$host" >>"$work/one.host"; printf '\033WI' >>"$work/one.host"; done
  for _ in $(seq 11); do cat "$work/one.host" "$work/one.host" >"$work/two.host"; mv "$work/two.host" "$work/one.host"; done
  peak() {  # peak resident KB while replaying $1 MB from standard input
    local mb=$1 size copies
    size=$(stat -c %s "$work/one.host")
    copies=$(( (mb << 20) / size + 1 ))
    for _ in $(seq "$copies"); do cat "$work/one.host"; done |
      head -c "$((mb << 20))" |
      ASAN_OPTIONS=quarantine_size_mb=1:${ASAN_OPTIONS:-} /usr/bin/time -f %M -o "$work/peak" "$replay" --quiet
    cat "$work/peak"
  }
  small=$(peak 2) large=$(peak 32)
  echo "peak resident: $small KB for 2 MB, $large KB for 32 MB"
  if [ $((large - small)) -gt 8192 ]; then
    echo "FAIL: replaying 32 MB took $((large - small)) KB more than 2 MB: the capture is kept in memory"; fail=1
  fi
else
  echo "FAIL: /usr/bin/time is missing (tools/setup.sh installs it)"; fail=1
fi
exit $fail
