; The setup program of Tarvek for Windows (made by scripts/package-windows.sh with NSIS).
;
; Installs for the current user without administrator rights into
; %LOCALAPPDATA%\Programs\Tarvek, adds a Start-menu entry, offers Tarvek under "Öffnen mit" for
; .cfg files without taking over their default program, and lists its uninstaller among the
; installed apps. The uninstaller removes exactly what the setup put there and keeps the user's
; files in %APPDATA%\Tarvek. /S installs and uninstalls without questions.
;
; Neither runs while Tarvek does (its named mutex "Tarvek"): they ask to close it, and silently
; they end with exit code 2 and change nothing. The program folder holds only Tarvek's own files:
; an upgrade replaces it whole (an older version's files that this one no longer ships go), and a
; folder that holds other files is not taken.
;
; Defines given by the caller: VERSION (2.4), STAGE (the folder to install, as cmake --install
; wrote it), FILES_INSTALL and FILES_UNINSTALL (the generated lists of that folder's files and
; folders), ICON (tarvek.ico), OUTFILE.

; A 64-bit setup for a 64-bit program (Wine without its 32-bit part runs it too).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define APP "Tarvek"
!define PUBLISHER "Velmar"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvek"
!define PROGID "Tarvek.Importdatei"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${APP}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${APP} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1031 "ProductName" "${APP}"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "FileDescription" "Einrichtung von ${APP}"
VIAddVersionKey /LANG=1031 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\tarvek.exe"
!define MUI_FINISHPAGE_RUN_TEXT "${APP} jetzt starten"

!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckFolderPage
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

; Waits until no Tarvek runs: asks to close it ("Wiederholen" / "Abbrechen"); "Abbrechen", or
; a silent run, ends the program with exit code 2 before anything is changed.
!macro TARVEK_NOT_RUNNING
    ${Do}
        System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${APP}") p.r0'
        ${If} $0 P= 0
            ${Break}
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p r0)'
        ${If} ${Silent}
            SetErrorLevel 2
            Quit
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Tarvek läuft noch. Bitte Tarvek beenden \
            und dann $\"Wiederholen$\" wählen." IDRETRY +3
        SetErrorLevel 2
        Quit
    ${Loop}
!macroend

; Tells Explorer that file associations changed ("Öffnen mit").
!macro TARVEK_ASSOCIATIONS_CHANGED
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

; Sets $0 to 1 when $INSTDIR may take Tarvek: missing, empty, or an earlier Tarvek (tarvek.exe
; in it); 0 when it holds other files, which an upgrade would remove.
Function FolderIsTarveks
    StrCpy $0 1
    ${If} ${FileExists} "$INSTDIR\*.*"
    ${AndIfNot} ${FileExists} "$INSTDIR\tarvek.exe"
        FindFirst $1 $2 "$INSTDIR\*.*"
        ${Do}
            ${If} $2 == ""
                ${Break}
            ${EndIf}
            ${If} $2 != "."
            ${AndIf} $2 != ".."
                StrCpy $0 0
                ${Break}
            ${EndIf}
            FindNext $1 $2
        ${Loop}
        FindClose $1
    ${EndIf}
FunctionEnd

!define FOLDER_NOT_TARVEKS "Der Ordner $INSTDIR enthält andere Dateien. Bitte einen leeren \
    Ordner oder den Ordner einer bisherigen Tarvek-Installation wählen."

Function CheckFolderPage
    Call FolderIsTarveks
    ${If} $0 == 0
        MessageBox MB_OK|MB_ICONEXCLAMATION "${FOLDER_NOT_TARVEKS}"
        Abort
    ${EndIf}
FunctionEnd

; Empties the program folder of an earlier version, so that no file stays that this version no
; longer ships. An options file or price list beside the program (a portable copy's) stays.
Function RemoveEarlierVersion
    FindFirst $1 $2 "$INSTDIR\*.*"
    ${Do}
        ${If} $2 == ""
            ${Break}
        ${EndIf}
        ${If} $2 == "."
        ${OrIf} $2 == ".."
        ${OrIf} $2 == "Optionen.txt"
        ${OrIf} $2 == "Preisliste.txt"
            ; kept
        ${ElseIf} ${FileExists} "$INSTDIR\$2\*.*"
            RMDir /r "$INSTDIR\$2"
        ${Else}
            Delete "$INSTDIR\$2"
        ${EndIf}
        FindNext $1 $2
    ${Loop}
    FindClose $1
FunctionEnd

Function .onInit
    !insertmacro TARVEK_NOT_RUNNING
FunctionEnd

Function un.onInit
    !insertmacro TARVEK_NOT_RUNNING
FunctionEnd

Section "Tarvek"
    SetShellVarContext current
    ; /D= names the folder without the directory page.
    Call FolderIsTarveks
    ${If} $0 == 0
        MessageBox MB_OK|MB_ICONEXCLAMATION "${FOLDER_NOT_TARVEKS}" /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}
    ${If} ${FileExists} "$INSTDIR\tarvek.exe"
        Call RemoveEarlierVersion
    ${EndIf}
    SetOutPath "$INSTDIR"
    !include "${FILES_INSTALL}"
    WriteUninstaller "$INSTDIR\Deinstallieren.exe"

    CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\tarvek.exe" "" "$INSTDIR\tarvek.exe" 0 \
        SW_SHOWNORMAL "" "Preisrechner für Hausimporte"

    ; "Öffnen mit" for .cfg files: the program and a file type of its own, listed beside the
    ; default program of .cfg, which stays as it is.
    WriteRegStr HKCU "Software\Classes\Applications\tarvek.exe" "FriendlyAppName" "${APP}"
    WriteRegStr HKCU "Software\Classes\Applications\tarvek.exe\SupportedTypes" ".cfg" ""
    WriteRegStr HKCU "Software\Classes\Applications\tarvek.exe\shell\open\command" "" \
        '"$INSTDIR\tarvek.exe" "%1"'
    WriteRegStr HKCU "Software\Classes\${PROGID}" "" "Tarvek-Importdatei"
    WriteRegStr HKCU "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\tarvek.exe,0"
    WriteRegStr HKCU "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\tarvek.exe" "%1"'
    WriteRegStr HKCU "Software\Classes\.cfg\OpenWithProgids" "${PROGID}" ""

    ; The entry among the installed apps.
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tarvek.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Deinstallieren.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Deinstallieren.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
    !insertmacro TARVEK_ASSOCIATIONS_CHANGED
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    ; Only what the setup put there; the user's options file and price list in %APPDATA%\Tarvek
    ; stay.
    !include "${FILES_UNINSTALL}"
    Delete "$INSTDIR\Deinstallieren.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${APP}.lnk"

    DeleteRegKey HKCU "Software\Classes\Applications\tarvek.exe"
    DeleteRegKey HKCU "Software\Classes\${PROGID}"
    ; Only Tarvek's own value: other programs' entries under "Öffnen mit", and the default
    ; program of .cfg, stay; the keys go only when nothing at all is left in them.
    DeleteRegValue HKCU "Software\Classes\.cfg\OpenWithProgids" "${PROGID}"
    DeleteRegKey /ifnosubkeys /ifnovalues HKCU "Software\Classes\.cfg\OpenWithProgids"
    DeleteRegKey /ifnosubkeys /ifnovalues HKCU "Software\Classes\.cfg"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    !insertmacro TARVEK_ASSOCIATIONS_CHANGED
SectionEnd
