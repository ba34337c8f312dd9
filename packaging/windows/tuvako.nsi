; The Windows installer of Tuvako, made by scripts/package.sh --windows with Debian's makensis:
;   makensis -DVERSION=1.0.0 -DFILES=<files.nsh>
;            -DICON=tuvako.ico -DOUTFILE=<setup.exe> tuvako.nsi
; FILES names two macros that the package script writes from the staged folder, so that the
; installer and the uninstaller handle exactly the files of the zip: InstallFiles and
; UninstallFiles. Selvaro.ini and Selwi.ini are never among them: the installer keeps the ones
; it finds and the uninstaller leaves them, and with them the folder.
;
; Switches besides NSIS's own /S and /D=FOLDER: /AUTOSTART ticks "Start with Windows".

!macro Required NAME
  !ifndef ${NAME}
    !error "${NAME} is not defined: scripts/package.sh --windows defines it"
  !endif
!macroend
!insertmacro Required VERSION
!insertmacro Required FILES
!insertmacro Required ICON
!insertmacro Required OUTFILE

; 64-bit, Unicode: a 64-bit installer for 64-bit programs (and it runs under wine64 alone).
Target amd64-unicode
Unicode true
SetCompressor /SOLID lzma
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include WinVer.nsh

!define PRODUCT "Tuvako"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tuvako"
!define SETTINGS_KEY "Software\Tuvako"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; Beside the ini files that the terminal reads and writes, so not under Program Files.
InstallDir "C:\Tuvako"
InstallDirRegKey HKLM "${SETTINGS_KEY}" "InstallDir"
; The uninstall entry, the Start menu for all users and the folder's rights need an administrator.
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "The Tuvako developers"
VIAddVersionKey /LANG=1033 "LegalCopyright" "The Tuvako developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_FINISHPAGE_NOAUTOCLOSE
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

!include "${FILES}"

; A running terminal keeps its files open: ask it to close as Windows does (WM_CLOSE, what
; taskkill sends without /F), on which it saves Selwi.ini and ends normally, so a task that
; restarts it on failure leaves it closed.
!macro CloseTerminal
  nsExec::ExecToLog '"$SYSDIR\taskkill.exe" /IM tuvako.exe'
  Pop $0
  ${If} $0 == 0
    DetailPrint "Closed the running tuvako.exe."
    Sleep 3000
  ${EndIf}
!macroend

Section "Tuvako (required)" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  SetOverwrite on
  !insertmacro CloseTerminal
  !insertmacro InstallFiles

  ; The configuration to edit: the example, only when there is none yet. Never overwritten.
  ${IfNot} ${FileExists} "$INSTDIR\Selvaro.ini"
    CopyFiles /SILENT "$INSTDIR\Selvaro.example.ini" "$INSTDIR\Selvaro.ini"
    DetailPrint "Selvaro.ini made from Selvaro.example.ini: set the server's address in it."
  ${Else}
    DetailPrint "Selvaro.ini kept as it was."
  ${EndIf}

  ; The terminal writes Selwi.ini beside itself, as whichever user runs it: the Users group
  ; (by its well-known SID, whatever the system's language) may change files in the folder.
  ; Where that cannot be done (a file system without rights, or no icacls) the install goes on.
  nsExec::ExecToLog '"$SYSDIR\icacls.exe" "$INSTDIR" /grant *S-1-5-32-545:(OI)(CI)M /T /C /Q'
  Pop $0
  ${If} $0 != 0
    DetailPrint "Could not give the Users group the right to change files in $INSTDIR ($0)."
    DetailPrint "Give the terminal's user that right by hand, or the window state is not kept."
  ${EndIf}

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${SETTINGS_KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Tuvako developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tuvako.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Start menu entry" SecStartMenu
  SetOutPath "$INSTDIR"
  SetShellVarContext all
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Tuvako.lnk" "$INSTDIR\tuvako.exe" "" "$INSTDIR\tuvako.exe" 0
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Tuvako settings (Selvaro.ini).lnk" \
                 "$WINDIR\notepad.exe" '"$INSTDIR\Selvaro.ini"'
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Read me.lnk" "$INSTDIR\README.txt"
SectionEnd

; Off unless ticked (or /AUTOSTART): on a PC that is not a kiosk, a maximised terminal
; without a pointer at every logon would be a surprise.
Section /o "Start with Windows (pointer hidden)" SecAutostart
  WriteRegStr HKLM "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\tuvako.exe" --hide-cursor'
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} \
    "The terminal, the simulator, the line tool and the libraries they need. Selvaro.ini and Selwi.ini are kept."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecStartMenu} \
    "Start menu entries for the terminal, its settings and the read-me, for all users."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecAutostart} \
    "Starts the terminal with --hide-cursor at every user's logon. For a restart after a crash use tuvako-task.xml instead (see the read-me)."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  SetRegView 64
  ; Qt 6 runs on Windows 10 and later only; say so rather than install programs that fail.
  ${IfNot} ${AtLeastWin10}
    MessageBox MB_ICONSTOP|MB_OK "Tuvako needs 64-bit Windows 10 or 11." /SD IDOK
    Abort
  ${EndIf}
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AUTOSTART" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecAutostart}
  ${EndIf}
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Uninstall"
  !insertmacro CloseTerminal
  !insertmacro UninstallFiles
  Delete "$INSTDIR\uninstall.exe"
  ; Gone only when empty: with Selvaro.ini or Selwi.ini (or anything of the user's) it stays.
  RMDir "$INSTDIR"
  ${If} ${FileExists} "$INSTDIR\*.*"
    DetailPrint "$INSTDIR stays, with the settings files (Selvaro.ini, Selwi.ini) in it."
  ${EndIf}

  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}\Tuvako.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Tuvako settings (Selvaro.ini).lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Read me.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
  ; The task imported from tuvako-task.xml would start a program that is gone.
  nsExec::ExecToLog '"$SYSDIR\schtasks.exe" /Delete /TN Tuvako /F'
  Pop $0
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "${SETTINGS_KEY}"
SectionEnd
