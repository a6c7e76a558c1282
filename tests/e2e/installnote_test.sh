#!/usr/bin/env bash
# ravezudi.exe started from a hard disk folder, the root of a floppy drive (answering No
# and Yes), a UNC path, and a folder too long for its path buffer.
. "$(dirname "$0")/harness.sh"
e2e_begin

program="$ZD_WIN32_DIR/installnote/ravezudi.exe"
notice="caption:Notice"
instructions="caption:Installation Instructions:"
crlf='\r\n'

head="Dazivivo does not really need an installation program. All you need to do is run this program using the 'Start' menu, and selecting 'Run'.${crlf}${crlf}You should then type '"
tail="'.${crlf}${crlf}Then click 'OK' to run the game, or 'Browse' to open a Browse window. From the Browse window, you can click the game icon and drag it down and drop it on your Start menu for easy access."
floppy="This program is currently uncompressed and residing on a floppy diskette. You may copy it onto your hard drive or leave it on the floppy and run it directly from there.${crlf}${crlf}This program will not copy Dazivivo to your hard drive, you must do that with either the File Manager or the xcopy command in DOS.${crlf}${crlf}Example:${crlf}${crlf}1) C:${crlf}2) MD DIDODIZ${crlf}3) CD DIDODIZ${crlf}4) XCOPY A: (or B: if it is the B drive)${crlf}${crlf}Would you like to proceed with the installation instructions now?"

# The driver shows a backslash in a text as two.
escaped() { sed 's/\\/\\\\/g' <<<"$1"; }

box_text() {  # the message text of the box TARGET
  zd controls "$1" | awk -F'\t' '$1 == "Static" && $2 == 65535 {print $3}'
}
box_buttons() {
  zd controls "$1" | awk -F'\t' '$1 == "Button" {printf "%s;", $3}'
}
# The program's own windows, as "caption" lines.
captions() { zd windows ravezudi.exe | cut -f3; }

# --- started from C:\GAMES -------------------------------------------------------------
mkdir -p "$WINEPREFIX/drive_c/GAMES"
cp "$program" "$WINEPREFIX/drive_c/GAMES/"
e2e_launch games 'C:\GAMES' 'C:\GAMES\ravezudi.exe'
require "instructions box appears" zd wait "$instructions" 20000 >/dev/null
check_eq "only the instructions box is shown" "$(captions)" "Installation Instructions:"
check_eq "instructions name C:\\GAMES\\ZERADE95" "$(box_text "$instructions")" \
  "$head$(escaped 'C:\GAMES\ZERADE95')$tail"
check_eq "instructions box has one OK button" "$(box_buttons "$instructions")" "OK;"
zd capture "$instructions" games.bmp
zd press "$instructions" OK
check_eq "exit code after OK is IDOK" "$(e2e_exit_code games)" 1

# --- started from the root of drive A: --------------------------------------------------
mkdir -p floppy
cp "$program" floppy/
ln -sfn "$(pwd)/floppy" "$WINEPREFIX/dosdevices/a:"

e2e_launch floppyNo 'A:\' 'A:\ravezudi.exe'
require "floppy notice appears" zd wait "$notice" 20000 >/dev/null
check_eq "floppy notice text" "$(box_text "$notice")" "$floppy"
check_eq "floppy notice has Yes and No" "$(box_buttons "$notice")" "&Yes;&No;"
zd capture "$notice" notice.bmp
zd press "$notice" No
check_eq "No ends the program with exit code 0" "$(e2e_exit_code floppyNo)" 0
check "no instructions box after No" zd gone "$instructions" 2000

e2e_launch floppyYes 'A:\' 'A:\ravezudi.exe'
require "floppy notice appears again" zd wait "$notice" 20000 >/dev/null
require "Yes is pressed" zd press "$notice" Yes
if ! zd wait "$instructions" 30000 >/dev/null; then
  echo "windows of the program now:"; zd windows ravezudi.exe
  require "Yes leads to the instructions" false
fi
check_eq "instructions name A:\\\\ZERADE95 (two backslashes)" "$(box_text "$instructions")" \
  "$head$(escaped 'A:\\ZERADE95')$tail"
zd press "$instructions" OK
check_eq "exit code after Yes and OK" "$(e2e_exit_code floppyYes)" 1

# --- started from a UNC path ------------------------------------------------------------
mkdir -p "$WINEPREFIX/dosdevices/unc/server"
ln -sfn "$(pwd)/floppy" "$WINEPREFIX/dosdevices/unc/server/share"
e2e_launch unc '\\server\share' '\\server\share\ravezudi.exe'
require "instructions box appears for a UNC folder" zd wait "$instructions" 20000 >/dev/null
check_eq "no floppy notice for a UNC folder" "$(captions)" "Installation Instructions:"
check_eq "instructions name the UNC folder" "$(box_text "$instructions")" \
  "$head$(escaped '\\server\share\ZERADE95')$tail"
zd press "$instructions" OK
check_eq "exit code for a UNC folder" "$(e2e_exit_code unc)" 1

# --- a folder longer than the 120-byte buffer -------------------------------------------
long='C:\GAMES'
unixlong="$WINEPREFIX/drive_c/GAMES"
for part in first-folder-of-a-long-path second-folder-of-a-long-path \
            third-folder-of-a-long-path fourth-folder-of-a-long-path; do
  long="$long\\$part"
  unixlong="$unixlong/$part"
done
mkdir -p "$unixlong"
echo "long folder: ${#long} characters"
e2e_launch toolong "$long" 'C:\GAMES\ravezudi.exe'
require "instructions box appears for a long folder" zd wait "$instructions" 20000 >/dev/null
check_eq "a folder too long for the buffer gives the name alone" \
  "$(box_text "$instructions")" "${head}ZERADE95$tail"
zd press "$instructions" OK
check_eq "exit code for a long folder" "$(e2e_exit_code toolong)" 1

# A folder of exactly 119 characters still fits, and the name is appended whole.
fit='C:\GAMES'
unixfit="$WINEPREFIX/drive_c/GAMES"
part=$(printf 'f%.0s' $(seq 1 $((119 - ${#fit} - 1))))
fit="$fit\\$part"
unixfit="$unixfit/$part"
mkdir -p "$unixfit"
e2e_launch fitting "$fit" 'C:\GAMES\ravezudi.exe'
require "instructions box appears for a 119-character folder" zd wait "$instructions" 20000 >/dev/null
check_eq "a 119-character folder is shown whole (${#fit})" "$(box_text "$instructions")" \
  "$head$(escaped "$fit\\ZERADE95")$tail"
zd press "$instructions" OK
check_eq "exit code for a 119-character folder" "$(e2e_exit_code fitting)" 1
