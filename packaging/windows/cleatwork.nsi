; The Windows installer: makensis -DVERSION=1.0.0 -DSTAGE=<folder of the portable copy>
;   -DOUTFILE=<installer.exe> cleatwork.nsi
; Installs into Program Files with the bundled languages in "data\Language", not beside the
; program: the editor then runs as installed and keeps the user's settings, languages and
; working files in the user's local AppData folder (a portable copy has "Language" beside it).
; A 64-bit installer for a 64-bit program (Windows itself refuses it on 32-bit Windows).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "FileFunc.nsh"

Name "Cleatwork ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Cleatwork"
InstallDirRegKey HKLM "Software\Cleatwork" "InstallDir"
BrandingText "Cleatwork ${VERSION}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Cleatwork"
!define MUI_ICON "${STAGE}\cleatwork.ico"
!define MUI_UNICON "${STAGE}\cleatwork.ico"
; "Run Cleatwork" on the last page starts the editor as the signed-in user, not with the
; installer's administrator rights (an elevated window refuses files dropped from Explorer):
; Explorer, which runs as that user, starts it.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION RunAsUser

!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Polish"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Italian"
!insertmacro MUI_LANGUAGE "Portuguese"
!include /CHARSET=UTF8 "uninstall-texts.nsh"

; Installed for every user of the machine: the Start-menu entry is in the common Start menu.
Function .onInit
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetShellVarContext all
FunctionEnd

Function RunAsUser
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\cleatwork.exe"'
FunctionEnd

; The user's own files in the local AppData folder (settings, languages written with the
; language editor, the kept originals: full copies of game archives) are removed only when the
; user says so; the question says how much they take, and keeping them is the default (and
; what a silent uninstall does).
Function un.AskAboutUserData
    SetShellVarContext current
    StrCpy $R1 "$LOCALAPPDATA\Cleatwork"
    SetShellVarContext all
    IfFileExists "$R1\*.*" 0 done
    ${GetSize} "$R1" "/S=0K" $0 $1 $2
    StrCpy $R0 "$0 KB"
    IntCmp $0 1024 0 +3 0
    IntOp $0 $0 / 1024
    StrCpy $R0 "$0 MB"
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(RemoveUserData)" /SD IDNO IDNO done
    RMDir /r "$R1"
done:
FunctionEnd

Section "Cleatwork" SecMain
    SectionIn RO
    SetOutPath "$INSTDIR"
    File /r /x "Language" "${STAGE}\*.*"
    SetOutPath "$INSTDIR\data"
    File /r "${STAGE}\Language"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Cleatwork.lnk" "$INSTDIR\cleatwork.exe" "" "$INSTDIR\cleatwork.exe" 0
    WriteRegStr HKLM "Software\Cleatwork" "InstallDir" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Cleatwork"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Cleatwork contributors"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\cleatwork.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    Call un.AskAboutUserData
    Delete "$SMPROGRAMS\Cleatwork.lnk"
    RMDir /r "$INSTDIR\data"
    RMDir /r "$INSTDIR\platforms"
    RMDir /r "$INSTDIR\styles"
    RMDir /r "$INSTDIR\translations"
    Delete "$INSTDIR\*.exe"
    Delete "$INSTDIR\*.dll"
    Delete "$INSTDIR\*.txt"
    Delete "$INSTDIR\*.ico"
    Delete "$INSTDIR\qt.conf"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegKey HKLM "Software\Cleatwork"
SectionEnd
