[Setup]
AppName=$NAME$
AppVerName=$NAME$
AppPublisher=$ABOUT$
AppPublisherURL=$WEBSITE$
AppSupportURL=$WEBSITE$
AppUpdatesURL=$WEBSITE$
AppID=$APPID$
OutputDir=$OUTDIR$
OutputBaseFilename=$OUTFILE$
Compression=lzma
SolidCompression=true
Uninstallable=$UNINSTALL$
$if !$STARTMENU$ DisableProgramGroupPage=yes
$if $STARTMENU$ DefaultGroupName=$NAME$
AllowNoIcons=true
CreateAppDir=true
DefaultDirName=$DIR$
DirExistsWarning=no

[Languages]
Name: english; MessagesFile: compiler:Default.isl

[Tasks]
;$if $STARTMENU$ Name: startmenu; Description: Add a folder to the Start Menu; GroupDescription: Create Shortcuts
Name: desktopicon; Description: {cm:CreateDesktopIcon}; GroupDescription: Create Shortcuts; Flags: unchecked
Name: active; Description: Set as the active Screensaver; GroupDescription: Enable the Screensaver; Flags: $ACTIVE$
Name: login; Description: Set as the Screensaver for the login screen; GroupDescription: Enable the Screensaver; Flags: $LOGIN$

[Files]
Source: "$SRCSCR$"; DestDir: {app}; Languages: 

[Icons]
$if $STARTMENU$ Name: "{group}\$NAME$"; Filename: "{app}\$SCR$"; Parameters: /s
$if $STARTMENU$ Name: "{group}\Configure $NAME$"; Filename: rundll32.exe; Parameters: "desk.cpl,InstallScreenSaver {app}\$SCR$"; IconFilename: "{app}\$SCR$"
$if $UNINSTALL$ $if $STARTMENU$ Name: "{group}\{cm:UninstallProgram,$NAME$}"; Filename: {uninstallexe};
Name: "{userdesktop}\$NAME$"; Filename: "{app}\$SCR$"; Tasks: desktopicon; Parameters: /s

[Registry]
Root: HKCU; Subkey: Control Panel\Desktop; ValueType: string; ValueName: SCRNSAVE.EXE; ValueData: "{app}\$SCR$"; Tasks: active
Root: HKU; Subkey: .DEFAULT\Control Panel\Desktop; ValueType: string; ValueName: SCRNSAVE.EXE; ValueData: "{app}\$SCR$"; Tasks: login

[Run]
Filename: rundll32.exe; Parameters: "desk.cpl,InstallScreenSaver {app}\$SCR$"; Description: Open the Screensaver Control Panel applet now; Flags: postinstall unchecked skipifsilent nowait

[CustomMessages]
NumberSign=#
