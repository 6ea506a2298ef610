# The demo's installer, played by the robot of vlsinet-headless (see
# scripts/main.sh): today's access code, the General tab filled for the
# simulator's sample location, plain HTTP, Download, and close.
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
# Plain HTTP: large downloads over HTTPS still fail on reading the reply.
press ?TAB3
press ?BUSESSL
press ?TAB1
press ?OKBUTTON
press ?CANCELBUTTON
