; Per-user installer of Vexoma Pellora: no administrator rights, installs into the user's own
; programs folder, a Start-menu shortcut and an uninstaller registered for the current user.
; Built by scripts/release.sh, which passes:
;   VERSION    x.y.z, from the CMake project
;   ARCH       win64 or win32
;   STAGE      the folder holding VexomaPellora.exe, LICENSE.txt, LISEZMOI.txt (and vexoma.exe)
;   CONSOLE    defined when the console program vexoma.exe is in STAGE
;   PUBLISHER  the copyright holder of LICENSE, named as the programs' CompanyName
;   YEAR       the year of LICENSE's copyright line
;   ICON       the program's icon
;   PYTHON     the Python that gives the uninstaller its own version resource
;   OUTFILE    the setup program to write
; The uninstaller removes exactly what the installer wrote, and nothing else: files by name,
; folders only when they are then empty. Neither touches anything while the program runs.
; The 64-bit package gets a 64-bit installer, so it runs wherever its program runs.
!if "${ARCH}" == "win64"
    Target amd64-unicode
!else
    Target x86-unicode
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestSupportedOS all
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Vexoma Pellora"
!define UNINSTALL_PARENT "Software\Microsoft\Windows\CurrentVersion\Uninstall"
!define UNINSTALL_KEY "${UNINSTALL_PARENT}\VexomaPellora"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
; Held by VexomaPellora.exe and vexoma.exe for as long as they run (src/app/win32/RunningMark.h).
!define RUNNING_MUTEX "Local\VexomaPelloraRunning"
; The exit status of a silent install or uninstall refused because the program runs (NSIS's
; own: 1 cancelled by the user, 2 stopped by the script).
!define EXIT_PROGRAM_RUNNING 3
; The copy with which an uninstaller started in its own folder removes that folder once it has
; ended (see the uninstall section).
!define UNINSTALLER_COPY "$TEMP\~VexomaPellora-uninstall.tmp"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; A reinstall or an upgrade goes where the program already is, silent or not, unless /D=
; names another folder.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1036 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1036 "FileDescription" "Installation de ${PRODUCT} ${VERSION} (${ARCH})"
VIAddVersionKey /LANG=1036 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1036 "LegalCopyright" "Copyright (c) ${YEAR} ${PUBLISHER}, licence MIT"
VIAddVersionKey /LANG=1036 "OriginalFilename" "VexomaPellora-${VERSION}-${ARCH}-setup.exe"
VIAddVersionKey /LANG=1036 "Comments" "Installe ${PRODUCT} pour l'utilisateur de la session, sans droits d'administrateur."
; The uninstaller is written by the installer from its own header, version resource included:
; made here once, it gets a description of its own (and no Comments, which the installer's
; longer resource leaves room for). makensis runs it in this script's folder.
!uninstfinalize '"${PYTHON}" uninstaller_version.py "%1"' = 0

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; The MIT licence asks nothing of the user: it is shown for information and passed with
; "Suivant", not accepted.
!define MUI_PAGE_HEADER_SUBTEXT "Les conditions d'utilisation de $(^NameDA), pour information."
!define MUI_LICENSEPAGE_TEXT_BOTTOM "$(^NameDA) est un logiciel libre sous licence MIT : il n'y a rien à accepter. Cliquez sur Suivant pour continuer."
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!ifdef CONSOLE
    ; The installer changes no PATH: the console program is called by its full path.
    !define MUI_FINISHPAGE_TEXT "$(^NameDA) est installé.$\r$\n$\r$\nLe programme en ligne de commande vexoma.exe est installé à côté de la fenêtre. Dans une invite de commandes, appelez-le par son chemin complet :$\r$\n$\r$\n$\"$INSTDIR\vexoma.exe$\" --aide"
!endif
!define MUI_FINISHPAGE_RUN "$INSTDIR\VexomaPellora.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

; The installed files, by name, for whatever a caller does with each.
!macro PROGRAM_FILES WHAT
    !insertmacro ${WHAT} "VexomaPellora.exe"
!ifdef CONSOLE
    !insertmacro ${WHAT} "vexoma.exe"
!endif
    !insertmacro ${WHAT} "LICENSE.txt"
    !insertmacro ${WHAT} "LISEZMOI.txt"
!macroend
!macro INSTALL_FILE NAME
    File "${STAGE}\${NAME}"
!macroend
!macro ADD_FILE_SIZE NAME
    !insertmacro ADD_SIZE_OF "$INSTDIR\${NAME}"
!macroend
!macro ADD_SIZE_OF PATH
    FileOpen $R0 "${PATH}" r
    FileSeek $R0 0 END $R1
    FileClose $R0
    IntOp $R2 $R2 + $R1
!macroend
; $R3 holds the folder, for the deleting macros.
!macro DELETE_FILE NAME
    Delete "$R3\${NAME}"
!macroend

; Ends the installer or the uninstaller before it changes anything while the program runs:
; the user is asked to close it, and a silent run stops with EXIT_PROGRAM_RUNNING.
!macro REFUSE_WHILE_RUNNING UN
Function ${UN}RefuseWhileRunning
    retry:
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_MUTEX}") p .r0'
    StrCmp $0 0 done
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(^NameDA) est ouvert (sa fenêtre ou le programme en ligne de commande vexoma.exe).$\r$\n$\r$\nFermez-le, puis cliquez sur Réessayer." /SD IDCANCEL IDRETRY retry
    SetErrorLevel ${EXIT_PROGRAM_RUNNING}
    Quit
    done:
FunctionEnd
!macroend
!insertmacro REFUSE_WHILE_RUNNING ""
!insertmacro REFUSE_WHILE_RUNNING "un."

Function .onInit
    Call RefuseWhileRunning
    Delete "${UNINSTALLER_COPY}" ; left by the last uninstall, if any
FunctionEnd

Function un.onInit
    ; The copy started by the uninstall section: it waits for the uninstaller to end (10 s at
    ; most), deletes it, removes its folder and the folder above when it made that one, and
    ; ends. Only its own file stays, which the next install or uninstall deletes.
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/REMOVE-AFTER=" $R1
    ${IfNot} ${Errors}
        StrCpy $R2 0
        ${Do}
            ClearErrors
            Delete "$INSTDIR\uninstall.exe"
            ${IfNot} ${Errors}
            ${OrIf} $R2 >= 100
                ${Break}
            ${EndIf}
            IntOp $R2 $R2 + 1
            Sleep 100
        ${Loop}
        RMDir "$INSTDIR"
        ${If} $R1 != "-"
            RMDir "$R1"
        ${EndIf}
        Quit
    ${EndIf}
    Call un.RefuseWhileRunning
    Delete "${UNINSTALLER_COPY}"
FunctionEnd

Section "Vexoma Pellora"
    SetShellVarContext current
    ; Started meanwhile, from the pages?
    Call RefuseWhileRunning

    ; Installed elsewhere before (another folder chosen, or /D= on an upgrade): that copy goes,
    ; so that one copy stays, the one the entry and the shortcut name.
    ReadRegStr $R3 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R3 != ""
    ${AndIf} $R3 != $INSTDIR
        !insertmacro PROGRAM_FILES DELETE_FILE
        Delete "$R3\uninstall.exe"
        RMDir "$R3"
        ReadRegStr $R4 HKCU "${UNINSTALL_KEY}" "MadeParentFolder"
        ${If} $R4 != ""
            RMDir "$R4"
            DeleteRegValue HKCU "${UNINSTALL_KEY}" "MadeParentFolder"
        ${EndIf}
    ${EndIf}

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
    !insertmacro PROGRAM_FILES INSTALL_FILE
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortcut "${SHORTCUT}" "$INSTDIR\VexomaPellora.exe" "" "$INSTDIR\VexomaPellora.exe" 0

    ; Every installed file, the uninstaller included, in whole kilobytes.
    StrCpy $R2 0
    !insertmacro PROGRAM_FILES ADD_FILE_SIZE
    !insertmacro ADD_SIZE_OF "$INSTDIR\uninstall.exe"
    IntOp $R2 $R2 + 1023
    IntOp $R2 $R2 / 1024

    ; Both commands start the uninstaller in its own folder (_?=, last and unquoted), so that
    ; whoever starts it gets its exit status once it has finished.
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" _?=$INSTDIR'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\VexomaPellora.exe,0"
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $R2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    StrCmp $1 "" +2 0
        WriteRegStr HKCU "${UNINSTALL_KEY}" "MadeParentFolder" "$1"
    StrCmp $2 1 0 +2
        WriteRegDWORD HKCU "${UNINSTALL_KEY}" "MadeUninstallKey" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    Call un.RefuseWhileRunning
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "MadeParentFolder"
    ReadRegDWORD $2 HKCU "${UNINSTALL_KEY}" "MadeUninstallKey"

    Delete "${SHORTCUT}"
    StrCpy $R3 "$INSTDIR"
    !insertmacro PROGRAM_FILES DELETE_FILE
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    StrCmp $1 "" +2 0
        RMDir "$1"

    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    StrCmp $2 1 0 +2
        DeleteRegKey /ifempty HKCU "${UNINSTALL_PARENT}"

    ; Started in its own folder (the entry's commands, so that the caller waits for the end and
    ; gets the status), the uninstaller cannot delete its own file nor, then, its folder: a copy
    ; of it in the temporary folder does so once this one has ended. (Started without _?=,
    ; NSIS itself runs the uninstaller from a copy in %TEMP%\~nsuA.tmp, which stays there.)
    ${If} $EXEDIR == $INSTDIR
    ${AndIf} ${FileExists} "$INSTDIR\uninstall.exe"
        StrCmp $1 "" 0 +2
            StrCpy $1 "-"
        System::Call 'kernel32::CopyFileW(w "$INSTDIR\uninstall.exe", w "${UNINSTALLER_COPY}", i 0) i .r0'
        Exec '"${UNINSTALLER_COPY}" /S /REMOVE-AFTER="$1" _?=$INSTDIR'
    ${EndIf}
SectionEnd
