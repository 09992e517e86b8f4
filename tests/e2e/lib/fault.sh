# Shared steps of the fault cases (tests/e2e/fault_*.sh): source after lib/app.sh.
#
#   fault_expect_layout           every readout field, the controller list and the button
#                                 are there with the texts of a resting controller 0
#   fault_expect_backdrop         the grey (155, 155, 155) shows between the fields and the
#                                 picture, where no gadget covers the backdrop
#   fault_expect_following        controller 0 pressed, pushed and turned shows in the fields
#   fault_expect_quit             "Beenden" ends the program with exit code 0
#   fault_without DLL CHECKS      the program started with DLL disabled and controller 0 at
#                                 rest: every field and the backdrop, then CHECKS (a function:
#                                 what the missing library must not take away), then
#                                 "Beenden" ends it with 0
#   fault_picture_dir FILE        FAULT_DIR: a fresh working directory whose gfx/vlmr.png is
#                                 FILE's bytes (/dev/null gives a 0-byte picture)
#   fault_expect_unreadable DIR   started in DIR: one "Kein Bild." box, then an empty
#                                 picture and everything else working, ended by "Beenden"

fault_expect_layout() {
  local k
  local args=(33 "POV : 65535" 0 AxisX 1 0 2 AxisY 3 0 4 AxisZ 5 0 6 AxisR 7 0)
  for ((k = 0; k < 12; k++)); do args+=($((12 + k)) "Button $((k + 1)): 0"); done
  app_wait_texts 10 "${args[@]}"
  [[ $(app_control 35 item0) == "Gamepad 1" && $(app_control 35 selected) == 0 ]] ||
    app_fail "the controller list does not offer Gamepad 1, chosen"
  app_expect 36 Beenden
  [[ $(app_control 37 count) == 4 ]] || app_fail "the info list has not its four lines"
}

fault_expect_backdrop() {
  local grey
  app_capture_client "$APP_SHOTS/client.png"
  grey=$(app_colour_count "$APP_SHOTS/client.png" 8x280+302+10 '#9b9b9b')
  [[ $grey == 2240 ]] || app_fail "only $grey of 2240 backdrop pixels between fields and picture are grey"
}

fault_expect_following() {
  pad press 0 3 set 0 x 65535 pov 9000
  app_wait_texts 10 14 "Button 3: 4" 1 100 33 "POV : 9000"
}

fault_expect_quit() {
  app_quit_button
  app_expect_exit 0 20
}

fault_without() {
  WINEDLLOVERRIDES=${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}$1=d
  export WINEDLLOVERRIDES
  pad_setup 1
  app_start
  fault_expect_layout
  fault_expect_backdrop
  "$2"
  fault_expect_quit
}

fault_picture_dir() {
  FAULT_DIR=$(mktemp -d)
  vlmr_on_exit "rm -rf '$FAULT_DIR'"
  mkdir -p "$FAULT_DIR/gfx"
  cat "$1" >"$FAULT_DIR/gfx/vlmr.png"
}

fault_expect_unreadable() {
  local inside=296x182+313+3 colours
  app_launch "$1"
  app_dialog Error 20 || app_fail "no message box titled Error"
  grep -q $'^control\t.*\tclass=Static\t.*\ttext=Kein Bild\\.$' "$APP_DIALOG" ||
    app_fail "the message box does not say 'Kein Bild.': $(cat "$APP_DIALOG")"
  app_ready
  fault_expect_layout
  fault_expect_following
  app_capture_client "$APP_SHOTS/client.png"
  colours=$(convert "$APP_SHOTS/client.png" -crop "$inside" +repage -unique-colors -format '%w' info:)
  [[ $colours == 1 ]] || app_fail "the empty picture shows $colours colours, not one plain area"
  fault_expect_quit
}
