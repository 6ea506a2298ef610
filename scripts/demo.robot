# The demo's installer, played by the robot of vlsinet-headless (see
# scripts/main.sh): today's access code, the General tab filled for the
# simulator's sample location, Download over HTTPS (the default), and close.
wait P1$MODALWINDOW
access-code ?OUTNUMBER
press ?OKKEY
wait P1$FTPINSTALLER
press ?BSTOREOWNER:RADIO1
type ?USERNAME "Demo Installer"
type ?USERLOCATION "Demo Store"
type ?FTP:LOCALFTP Client/Store
type ?LOCATIONID 12
press ?POSRDBMS:RADIO1
press ?CMDFULL
press ?OKBUTTON
press ?CANCELBUTTON
