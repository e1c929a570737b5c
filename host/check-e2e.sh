#!/usr/bin/env bash
# Drives vosk-host on a real X server from outside the process, as a person
# would, and checks the files it leaves behind:
#   Car > Car setup from the keyboard, the "setup i/o" tab, "new", a typed
#   name, "ok" in the name dialog, the "fuel" tab, a click on the fuel slider
#   and keys to move it, the window's "ok", then Ctrl+Q.
# Controls are found from what is on the screen (the frame's place, the
# setup window's edges against the frame's background) and the window's
# designed layout; nothing looks inside the process.
#   check-e2e.sh <vosk-host> <sample folder> <scratch folder>
# The scratch folder keeps the working folder, the host's output and
# screen.png, the screen just before the final "ok" (failure.png instead when
# a step fails).
set -euo pipefail

if [ $# -ne 3 ]; then
    echo "usage: $0 <vosk-host> <sample folder> <scratch folder>" >&2
    exit 2
fi
host=$(realpath "$1")
sample=$(realpath "$2")
out=$(realpath -m "$3")

# A fresh X server of our own, whatever display the caller has or lacks.
if [ -z "${VOSK_E2E_SERVER:-}" ]; then
    exec env VOSK_E2E_SERVER=1 xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
        bash "$0" "$host" "$sample" "$out"
fi

name="e2e run"
setups="$out/workdir/cars/vosk/setup"
rm -rf "$out"
mkdir -p "$out"
cp -R "$sample/." "$out/workdir/"

# Points to click, from the top left corner of the setup window's client
# area (482 x 389). Buttons and sliders sit where the window's form puts
# them; the tabs' places follow from their captions' widths in DejaVu Sans.
page=(2 43) # where a page's contents start
setup_io_tab=(103 323)
new_button=($((page[0] + 6 + 148 + 36)) $((page[1] + 6 + 50 + 11)))
fuel_tab=(274 348)
fuel_slider=($((page[0] + 78 + 8 + 152)) $((page[1] + 105 + 47 + 14)))
ok_button=(444 374)
dialog_ok=(308 64) # from the name dialog's top left corner
mdi_background="46 52 64"

# DejaVu Sans (fonts-dejavu-core) is the only type the host finds, so every
# family it asks for comes out the same on any machine.
mkdir -p "$out/fonts"
ln -s /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf \
    /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf "$out/fonts/"
cat >"$out/fonts.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <dir>$out/fonts</dir>
  <cachedir>$out/fonts/cache</cachedir>
</fontconfig>
EOF

host_pid=
cleanup() {
    if [ -n "$host_pid" ] && kill -0 "$host_pid" 2>/dev/null; then
        kill "$host_pid" 2>/dev/null || true
        wait "$host_pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT

screen_picture() {
    xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >"$1"
}

fail() {
    echo "e2e: $*" >&2
    screen_picture "$out/failure.png" || true
    echo "e2e: the screen at that moment is $out/failure.png; the host said:" >&2
    cat "$out/host.log" >&2 || true
    exit 1
}

# wait_for <seconds> <what> <command...>: runs the command until it succeeds.
wait_for() {
    local limit=$1 what=$2
    shift 2
    local deadline=$((SECONDS + limit))
    until "$@"; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            fail "waited ${limit}s for $what"
        fi
        sleep 0.1
    done
}

# The frame's pixels as a plain PPM.
capture_frame() {
    xwd -silent -id "$frame" | xwdtopnm 2>/dev/null | pnmtoplainpnm
}

# scan <mode> [x0 y0]: finds the MDI area's background in a plain PPM.
# box: its bounding box "left top right bottom"; row: the first background x
# at or after x0 in row y0; col: the first background y at or after y0 in
# column x0. Prints nothing when there is none.
scan() {
    local r g b
    read -r r g b <<<"$mdi_background"
    awk -v r="$r" -v g="$g" -v b="$b" -v mode="$1" -v x0="${2:-0}" -v y0="${3:-0}" '
        BEGIN { n = 0; k = 0; left = top = 1e9; right = bottom = -1; found = -1 }
        {
            for (i = 1; i <= NF; i++) {
                if (++n == 2) w = $i
                if (n <= 4) continue
                c[k % 3] = $i
                if (k % 3 == 2 && c[0] == r && c[1] == g && c[2] == b) {
                    p = (k - 2) / 3; x = p % w; y = int(p / w)
                    if (mode == "box") {
                        if (x < left) left = x; if (y < top) top = y
                        if (x > right) right = x; if (y > bottom) bottom = y
                    } else if (found < 0 && mode == "row" && y == y0 && x >= x0) {
                        found = x
                    } else if (found < 0 && mode == "col" && x == x0 && y >= y0) {
                        found = y
                    }
                }
                k++
            }
        }
        END {
            if (mode == "box" && right >= 0) print left, top, right, bottom
            if (mode != "box" && found >= 0) print found
        }'
}

# origin <window>: its top left corner on the screen, "x y".
origin() {
    xdotool getwindowgeometry --shell "$1" | sed -n 's/^[XY]=//p' | tr '\n' ' '
}

frame_shown() {
    frame=$(xdotool search --onlyvisible --name '^Simulator$' 2>/dev/null | head -n 1)
    [ -n "$frame" ]
}

area_painted() {
    area=$(capture_frame | scan box)
    [ -n "$area" ]
}

# The menu is a window of the host's own beside the frame.
menu_open() {
    [ "$(xdotool search --onlyvisible --pid "$host_pid" 2>/dev/null | wc -l)" -ge 2 ]
}

# A setup window covers the MDI area's top left corner (looked at just
# inside it: the sub-window's corners are rounded).
child_shown() {
    local corner
    corner=$(xwd -silent -id "$frame" | xwdtopnm 2>/dev/null |
        pamcut -left $((area_left + 5)) -top $((area_top + 5)) -width 1 -height 1 |
        pnmtoplainpnm | tail -n +4 | xargs)
    [ "$corner" != "$mdi_background" ]
}

dialog_shown() {
    dialog=$(xdotool search --onlyvisible --name '^setup name$' 2>/dev/null | head -n 1)
    [ -n "$dialog" ]
}
dialog_gone() { ! dialog_shown; }

# Two pictures of the frame a moment apart are the same.
frame_still() {
    local before
    before=$(xwd -silent -id "$frame" | md5sum)
    sleep 0.1
    [ "$(xwd -silent -id "$frame" | md5sum)" = "$before" ]
}

conf_written() { [ "$(od -An -c "$setups/conf.ini" 2>/dev/null)" = "$expected_conf" ]; }
host_gone() { ! kill -0 "$host_pid" 2>/dev/null; }

# click <x> <y>: a left click at a point of the setup window's client area.
click() {
    xdotool mousemove --sync $((client[0] + $1)) $((client[1] + $2)) click 1
}

export QT_QPA_PLATFORM=xcb FONTCONFIG_FILE="$out/fonts.conf"
unset QT_STYLE_OVERRIDE QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI QT_QPA_PLATFORMTHEME
"$host" --workdir "$out/workdir" >"$out/host.log" 2>&1 &
host_pid=$!

wait_for 30 "the host's frame to appear" frame_shown
wait_for 30 "the frame's MDI area to be painted" area_painted
read -r area_left area_top _ _ <<<"$area"
read -r frame_x frame_y <<<"$(origin "$frame")"

# This server has no window manager to give the keyboard to a window that is
# clicked or newly shown; xdotool does that part.
# Car > Car setup from the keyboard: Alt+C opens the menu, S picks the item.
xdotool windowfocus --sync "$frame"
xdotool key alt+c
wait_for 10 "the Car menu to open" menu_open
xdotool key s
wait_for 30 "the setup window to open in the frame" child_shown

# The setup window sits in the area's top left corner with its title bar on
# top and borders of one width on the other three sides.
frame_pixels=$(capture_frame)
child_right=$(scan row "$area_left" $((area_top + 5)) <<<"$frame_pixels")
child_bottom=$(scan col $((area_left + 5)) "$area_top" <<<"$frame_pixels")
border=$(((${child_right:-0} - area_left - 482) / 2))
if [ -z "$child_bottom" ] || [ "$border" -lt 0 ] || [ "$border" -gt 10 ]; then
    fail "the setup window is not 482 x 389 inside a sub-window frame"
fi
client=($((frame_x + area_left + border)) $((frame_y + child_bottom - border - 389)))

click "${setup_io_tab[@]}"
click "${new_button[@]}"
wait_for 30 "the name dialog" dialog_shown
xdotool windowfocus --sync "$dialog"
# The name box opens with "newSetup" selected: typing replaces it.
xdotool type --delay 30 "$name"
read -r dialog_x dialog_y <<<"$(origin "$dialog")"
xdotool mousemove --sync $((dialog_x + dialog_ok[0])) $((dialog_y + dialog_ok[1])) click 1
wait_for 30 "the name dialog to close" dialog_gone
if [ ! -e "$setups/$name.rvs" ]; then
    fail "no $name.rvs after the name dialog; the setup folder has: $(ls "$setups" | xargs)"
fi

# "new" put the defaults on the sliders (30 litres). Home takes the fuel
# slider to its minimum whatever the click did to it; four steps right make
# 5 litres.
xdotool windowfocus --sync "$frame"
click "${fuel_tab[@]}"
click "${fuel_slider[@]}"
xdotool key Home Right Right Right Right
expected_fuel="00 00 a0 40" # 5.0f, little-endian

wait_for 10 "the window to finish painting" frame_still
screen_picture "$out/screen.png"
click "${ok_button[@]}"

# "ok" saves the setup and closes the window, which remembers the setup.
expected_conf=$(printf '[ACTIVESETUP]\r\nNAME=%s.rvs\r\n\r\n\r\n' "$name" | od -An -c)
wait_for 30 "conf.ini to name $name.rvs" conf_written
size=$(stat -c %s "$setups/$name.rvs")
[ "$size" -eq 196 ] || fail "$name.rvs has $size bytes, not 196"
fuel=$(od -An -tx1 -j180 -N4 "$setups/$name.rvs" | xargs)
[ "$fuel" = "$expected_fuel" ] || fail "the stored fuel is [$fuel], not the moved value [$expected_fuel]"

xdotool windowfocus --sync "$frame"
xdotool key ctrl+q
wait_for 30 "the host to quit" host_gone
status=0
wait "$host_pid" || status=$?
host_pid=
[ "$status" -eq 0 ] || fail "the host quit with status $status"

echo "e2e: passed; the screen before the final ok is $out/screen.png"
