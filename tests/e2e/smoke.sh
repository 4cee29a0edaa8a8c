#!/usr/bin/env bash
# Starts the real program on a fresh application folder under a virtual X
# display: it must come up with the first-profile window, and end cleanly
# when the user cancels it and then the retry question.
set -u
zrfe="$1"
work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
display=":$(( 90 + RANDOM % 100 ))"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

"$zrfe" --app "$work/app" >"$work/out.log" 2>&1 &
app=$!

wait_window() {  # name, seconds
    for _ in $(seq $(( $2 * 10 ))); do
        id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

if ! id=$(wait_window "Add a New Profile" 20); then
    echo "FAIL: the first-profile window did not appear"; cat "$work/out.log"; kill $app; exit 1
fi
xdotool windowactivate --sync "$id" key --clearmodifiers Escape 2>/dev/null || xdotool key Escape
if ! id=$(wait_window "Error:" 10); then
    echo "FAIL: no \"Error creating new Profile.\" question after cancelling"; kill $app; exit 1
fi
xdotool windowactivate --sync "$id" key --clearmodifiers Escape 2>/dev/null || xdotool key Escape
for _ in $(seq 100); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
if kill -0 $app 2>/dev/null; then echo "FAIL: the program did not end"; kill $app; exit 1; fi
wait $app; rc=$?
[ -d "$work/app/Profiles" ] || { echo "FAIL: no Profiles folder was made"; exit 1; }
[ ! -e "$work/app/Profiles/Profiles.conf" ] || { echo "FAIL: a profile list was written"; exit 1; }
echo "smoke: window shown, cancelled, ended with status $rc"
echo "1 passed, 0 failed"
exit $rc
