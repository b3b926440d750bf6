; Per-user installer of Vexoma Pellora: no administrator rights, installs into the user's own
; programs folder, a Start-menu shortcut and an uninstaller registered for the current user.
; Built by scripts/release.sh, which passes:
;   VERSION   x.y.z, from the CMake project
;   ARCH      win64 or win32
;   STAGE     the folder holding VexomaPellora.exe, LICENSE.txt, LISEZMOI.txt (and vexoma.exe)
;   CONSOLE   defined when the console program vexoma.exe is in STAGE
;   SIZE_KB   the installed size, for the uninstall entry
;   ICON      the program's icon
;   OUTFILE   the setup program to write
; The uninstaller removes exactly what the installer wrote, and nothing else: files by name,
; folders only when they are then empty.
; The 64-bit package gets a 64-bit installer, so it runs wherever its program runs.
!if "${ARCH}" == "win64"
    Target amd64-unicode
!else
    Target x86-unicode
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestSupportedOS all

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define PRODUCT "Vexoma Pellora"
!define UNINSTALL_PARENT "Software\Microsoft\Windows\CurrentVersion\Uninstall"
!define UNINSTALL_KEY "${UNINSTALL_PARENT}\VexomaPellora"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1036 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1036 "FileDescription" "Installation de ${PRODUCT} ${VERSION} (${ARCH})"
VIAddVersionKey /LANG=1036 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "CompanyName" "Vexoma Software"
VIAddVersionKey /LANG=1036 "LegalCopyright" "Copyright (c) 2026 Les développeurs de Vexoma Pellora, licence MIT"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\VexomaPellora.exe"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

Section "Vexoma Pellora"
    SetShellVarContext current
    ; The folder above the program's is made here when it is missing (a new profile has no
    ; "Programs" folder yet); the uninstaller removes it only then, and only when empty.
    ${GetParent} "$INSTDIR" $0
    StrCpy $1 ""
    IfFileExists "$0\*.*" +2 0
        StrCpy $1 "$0"

    ; Likewise the key that holds the uninstall entries, missing in a new profile.
    ClearErrors
    EnumRegKey $2 HKCU "${UNINSTALL_PARENT}" 0
    StrCpy $2 0
    IfErrors 0 +2
        StrCpy $2 1

    SetOutPath "$INSTDIR"
    File "${STAGE}\VexomaPellora.exe"
!ifdef CONSOLE
    File "${STAGE}\vexoma.exe"
!endif
    File "${STAGE}\LICENSE.txt"
    File "${STAGE}\LISEZMOI.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortcut "${SHORTCUT}" "$INSTDIR\VexomaPellora.exe" "" "$INSTDIR\VexomaPellora.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Les développeurs de Vexoma Pellora"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\VexomaPellora.exe,0"
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    StrCmp $1 "" +2 0
        WriteRegStr HKCU "${UNINSTALL_KEY}" "MadeParentFolder" "$1"
    StrCmp $2 1 0 +2
        WriteRegDWORD HKCU "${UNINSTALL_KEY}" "MadeUninstallKey" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "MadeParentFolder"
    ReadRegDWORD $2 HKCU "${UNINSTALL_KEY}" "MadeUninstallKey"

    Delete "${SHORTCUT}"
    Delete "$INSTDIR\VexomaPellora.exe"
!ifdef CONSOLE
    Delete "$INSTDIR\vexoma.exe"
!endif
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\LISEZMOI.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    StrCmp $1 "" +2 0
        RMDir "$1"

    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    StrCmp $2 1 0 +2
        DeleteRegKey /ifempty HKCU "${UNINSTALL_PARENT}"
SectionEnd
