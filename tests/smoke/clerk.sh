#!/usr/bin/env bash
# One office clerk at one PC: on the X display in $DISPLAY, with the application's main
# window already open, enters COUNT orders from the keyboard (PREFIX1, PREFIX2, ...: one
# line of six sofas each for Mountain View Sofas), then ships each in full with "Ship All".
# Each save is awaited on the plant (psql with ADDRESS) before the next window opens.
# Usage: clerk.sh PREFIX COUNT ADDRESS
set -u
prefix="$1"; count="$2"; address="$3"
main=$(timeout 30 xdotool search --sync --name '^Quelby$' | head -1) || { echo "$prefix: no main window"; exit 1; }

# Opens a menu command: the File menu is clicked, Right moves RIGHTS menus on, Down
# moves DOWNS commands down (the first is highlighted already).
command() {
  xdotool mousemove --window "$main" 12 10 click 1; sleep 0.4
  for _ in $(seq "$1"); do xdotool key Right; done
  for _ in $(seq "$2"); do xdotool key Down; done
  xdotool key Return; sleep 1
}
keys() { for _ in $(seq "$1"); do xdotool key "$2"; done; }
# Waits until the order's status is STATUS on the plant.
awaits() {
  for _ in $(seq 150); do
    [ "$(psql "$address" -tAc "SELECT \"Status\" FROM \"Orders\" WHERE \"OrderNumber\" = '$1'")" = "$2" ] && { sleep 0.5; return 0; }
    sleep 0.2
  done
  echo "$1: not $2 on the plant"; exit 1
}

for n in $(seq "$count"); do
  command 1 1                                  # Orders > Order Entry
  xdotool type --delay 60 "mo"; xdotool key Tab  # the customer by type-ahead
  xdotool type "$prefix$n"
  keys 11 Tab                                  # on to the line's first field
  xdotool type "10"; xdotool key Return        # line, Enter from field to field
  xdotool type "s"; xdotool key Return         # the style by type-ahead
  xdotool type "6"; xdotool key Return Return  # quantity; the style's price
  sleep 0.2; xdotool key Return                # the line's Save
  keys 14 shift+Tab                            # back round to "Save and Close"
  xdotool key Return
  awaits "$prefix$n" Open
done
for n in $(seq "$count"); do
  command 2 1                                  # Shipping > Shipment Entry
  xdotool type --delay 60 "mo"; xdotool key Tab
  xdotool type --delay 60 "$prefix$n"; sleep 0.3
  keys 10 Tab; xdotool key Return              # "Ship All"
  sleep 0.3; xdotool key Tab Return            # "Save and Close"
  awaits "$prefix$n" Closed
done
echo "$prefix: $count orders entered and shipped"
