#!/usr/bin/env bash
# The gamepad picture, pixel for pixel: resting at start, a pressed button's lit patch,
# the hat's arms and marker for a diagonal, nothing lit for a hat value between the eight
# directions or centred, an axis value printed on its patch, and the resting picture again
# once everything is released.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"

S=$APP_SHOTS
app_sheet_rest "$S/expect-rest.png"

pad_setup 1
app_start
app_wait_texts 10 33 "POV : 65535"
app_wait_picture "$S/picture-start.png" "$S/expect-rest.png"

# Button 1: its 20 x 20 patch from (530, 40) of the sheet lands at (230, 40).
app_sheet_lit "$S/expect-button1.png" 230,40,20,20
[[ $(app_diff "$S/expect-rest.png" "$S/expect-button1.png") != 0 ]] ||
  app_fail "the sheet's lit button 1 looks like the resting one"
pad press 0 1
app_wait_texts 10 12 "Button 1: 1"
app_wait_picture "$S/picture-button1.png" "$S/expect-button1.png"
app_crop "$APP_SHEET" 20x20+530+40 "$S/sheet-530-40.png"
app_crop "$S/picture-button1.png" 20x20+230+40 "$S/picture-230-40.png"
[[ $(app_diff "$S/sheet-530-40.png" "$S/picture-230-40.png") == 0 ]] ||
  app_fail "the picture's (230, 40) patch is not the sheet's (530, 40) patch"
app_shot button1

# Hat 4500: the up and right arms, then the marker at (73, 38).
pad release 0 1 set 0 pov 4500
app_wait_texts 10 33 "POV : 4500" 12 "Button 1: 0"
app_sheet_lit "$S/expect-hat4500.png" 50,50,20,20 63,63,20,20 73,38,20,20
app_wait_picture "$S/picture-hat4500.png" "$S/expect-hat4500.png"
app_shot hat4500

# Between two directions nothing is lit; likewise when centred (after a lit direction).
pad set 0 pov 1000
app_wait_texts 10 33 "POV : 1000"
app_wait_picture "$S/picture-hat1000.png" "$S/expect-rest.png"
pad set 0 pov 9000
app_wait_texts 10 33 "POV : 9000"
app_sheet_lit "$S/expect-hat9000.png" 63,63,20,20 83,61,20,20
app_wait_picture "$S/picture-hat9000.png" "$S/expect-hat9000.png"
pad set 0 pov 65535
app_wait_texts 10 33 "POV : 65535"
app_wait_picture "$S/picture-hat-centred.png" "$S/expect-rest.png"

# X at -100: the lit value area at (47, 113) with "-100" printed on it in the value colours;
# everything else resting. The printed patch is compared with the plain lit one, and the
# rest by pasting the captured patch into the resting picture.
pad set 0 x 0
app_wait_texts 10 1 -100
app_sheet_lit "$S/expect-x-plain.png" 47,113,40,20
sleep 0.3
app_capture_picture "$S/picture-x-100.png"
convert "$S/expect-rest.png" \( "$S/picture-x-100.png" -crop 40x20+47+113 +repage \) \
  -geometry +47+113 -composite "png24:$S/expect-x-rest-around.png"
n=$(app_diff "$S/picture-x-100.png" "$S/expect-x-rest-around.png")
[[ $n == 0 ]] || app_fail "outside the X value area $n pixels differ from the resting picture"
n=$(app_diff "$S/picture-x-100.png" "$S/expect-x-plain.png" 40x20+47+113)
[[ $n != 0 ]] || app_fail "no value was printed on the X patch"
text=$(app_colour_count "$S/picture-x-100.png" 40x20+47+113 '#281E00')
white=$(app_colour_count "$S/picture-x-100.png" 40x20+47+113 '#FFFFFF')
((text >= 10 && white > 0)) ||
  app_fail "the X patch has $text pixels in the text colour and $white on white, not a printed value"
# Left of the text and below it the patch is the lit value area itself.
for frame in 5x20+47+113 40x4+47+129; do
  n=$(app_diff "$S/picture-x-100.png" "$S/expect-x-plain.png" "$frame")
  [[ $n == 0 ]] || app_fail "the X patch's frame ($frame) is not the lit value area ($n pixels)"
done
app_crop "$S/picture-x-100.png" 40x20+47+113 "$S/picture-x-patch.png"
app_shot x-100

# Everything released: the resting half, exactly.
pad centre 0
app_wait_texts 10 1 0 33 "POV : 65535"
app_wait_picture "$S/picture-released.png" "$S/expect-rest.png"

app_quit_button
app_expect_exit 0
app_pass "picture: button, hat diagonal, unlit hat values, printed axis value and the resting picture, exact"
