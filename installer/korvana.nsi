; Korvana's Windows installer, built on Linux with Debian's NSIS by
; scripts/release.sh:
;   makensis -DVERSION=0.1.0 -DSTAGE=out/korvana-0.1.0 -DICON=src/resources/korvana.ico \
;            -DOUTFILE=out/korvana-0.1.0-setup.exe installer/korvana.nsi
; It installs for the current user only and needs no administrator: Korvana
; writes its settings, reports and pictures beside its executable, so it must
; live in a folder the user owns. Silent use: /S, and /D=FOLDER as the last
; option to choose the folder.

; The program is 64-bit, and so is its installer.
Target amd64-unicode

!ifndef VERSION
  !error "VERSION must be defined (-DVERSION=x.y.z)"
!endif
!ifndef STAGE
  !error "STAGE must name the folder holding the files to install (-DSTAGE=...)"
!endif
!ifndef OUTFILE
  !define OUTFILE "korvana-${VERSION}-setup.exe"
!endif

!define PRODUCT "Korvana"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Korvana"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define UNINSTALLER "uninstall.exe"
!define EXIT_COMMAND 1069  ; the tray menu's Exit

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Korvana"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PRODUCT} authors"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!ifdef ICON
  !define MUI_ICON "${ICON}"
  !define MUI_UNICON "${ICON}"
!endif
!define MUI_FINISHPAGE_RUN "$INSTDIR\korvana.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Korvana now"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Asks a running Korvana to exit through its own Exit command, so that it
; saves its switches and its files are free, and waits until it is gone.
!macro CLOSE_KORVANA
  FindWindow $0 "Korvana"
  ${If} $0 <> 0
    SendMessage $0 ${WM_COMMAND} ${EXIT_COMMAND} 0 /TIMEOUT=10000
    StrCpy $1 0
    ${Do}
      Sleep 200
      IntOp $1 $1 + 1
      FindWindow $0 "Korvana"
      ${If} $0 = 0
      ${OrIf} $1 >= 50  ; ten seconds at most
        ${ExitDo}
      ${EndIf}
    ${Loop}
    Sleep 500  ; the process ends a moment after its window
  ${EndIf}
!macroend

; A file of the program's data: required unless release.sh was told that
; the data may be missing during development.
!macro DATA_FILE NAME
  !ifdef ALLOW_MISSING_DATA
    File /nonfatal "${STAGE}/${NAME}"
  !else
    File "${STAGE}/${NAME}"
  !endif
!macroend

Function .onInit
  SetShellVarContext current
FunctionEnd

Section "Korvana" SecMain
  SectionIn RO
  !insertmacro CLOSE_KORVANA
  SetOutPath "$INSTDIR"
  File "${STAGE}/korvana.exe"
  File "${STAGE}/korvana-cli.exe"
  File "${STAGE}/korvana.rtf"
  File "${STAGE}/README.txt"
  !insertmacro DATA_FILE "korvana.csv"
  ; The recordings may have been replaced by the user's own: an update keeps them.
  SetOverwrite off
  !insertmacro DATA_FILE "ezan.wav"
  !insertmacro DATA_FILE "sala.wav"
  !insertmacro DATA_FILE "ezandua.wav"
  SetOverwrite on

  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortCut "$SMPROGRAMS\Korvana.lnk" "$INSTDIR\korvana.exe" "" "$INSTDIR\korvana.exe" 0 \
    SW_SHOWNORMAL "" "Prayer-times clock in the notification area"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PRODUCT} authors"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\korvana.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Uninstall"
  !insertmacro CLOSE_KORVANA
  ; What the installer put here, and what Korvana writes beside itself.
  ; Recordings of the user's own under other names stay, and so does the
  ; folder with them.
  Delete "$INSTDIR\korvana.exe"
  Delete "$INSTDIR\korvana-cli.exe"
  Delete "$INSTDIR\korvana.rtf"
  Delete "$INSTDIR\korvana.csv"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\ezan.wav"
  Delete "$INSTDIR\sala.wav"
  Delete "$INSTDIR\ezandua.wav"
  Delete "$INSTDIR\korvana.ini"
  Delete "$INSTDIR\korvana.txt"
  Delete "$INSTDIR\wall.bmp"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Korvana.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The start-at-log-on entry would name a program that is gone.
  ReadRegStr $0 HKCU "${RUN_KEY}" "Korvana"
  ${If} $0 == "$INSTDIR\korvana.exe"
    DeleteRegValue HKCU "${RUN_KEY}" "Korvana"
  ${EndIf}
SectionEnd
