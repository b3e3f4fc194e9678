; The Windows installer: the program, its cue sounds and its default sound in
; one folder, a Start-menu shortcut that starts the program in that folder
; (the cue names are relative to the current directory), and an uninstaller
; listed under installed programs. Built by the Windows CMake build:
;   makensis -DEXE=... -DSOURCE=... -DVERSION=... -DOUTFILE=... minukape.nsi
Unicode true
Target amd64-unicode
!include "x64.nsh"

Name "ミヌカペ"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\minukape"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
Icon "${SOURCE}\packaging\icon\minukape.ico"
UninstallIcon "${SOURCE}\packaging\icon\minukape.ico"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "ミヌカペ"
VIAddVersionKey /LANG=0 "FileDescription" "ミヌカペ installer"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "the ミヌカペ developers"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\minukape"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "ミヌカペ"
    SetRegView 64
    SetOutPath "$INSTDIR"
    File "${EXE}"
    File "${SOURCE}\Sound\Default.wav"
    SetOutPath "$INSTDIR\Sound"
    File "${SOURCE}\Sound\Push.wav"
    File "${SOURCE}\Sound\Kin.wav"
    File "${SOURCE}\Sound\Pororon.wav"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    SetShellVarContext all
    ; The shortcut's working folder is the current directory at start: the
    ; install folder, where ./Sound is found.
    SetOutPath "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\ミヌカペ.lnk" "$INSTDIR\minukape.exe" "" "$INSTDIR\minukape.exe" 0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "ミヌカペ"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "ミヌカペ developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\minukape.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetRegView 64
    SetShellVarContext all
    Delete "$SMPROGRAMS\ミヌカペ.lnk"
    Delete "$INSTDIR\Sound\Push.wav"
    Delete "$INSTDIR\Sound\Kin.wav"
    Delete "$INSTDIR\Sound\Pororon.wav"
    RMDir "$INSTDIR\Sound"
    Delete "$INSTDIR\minukape.exe"
    Delete "$INSTDIR\Default.wav"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
