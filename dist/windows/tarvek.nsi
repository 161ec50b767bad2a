; The setup program of Tarvek for Windows (made by scripts/package-windows.sh with NSIS).
;
; Installs for the current user without administrator rights into
; %LOCALAPPDATA%\Programs\Tarvek, adds a Start-menu entry, offers Tarvek under "Öffnen mit" for
; .cfg files without taking over their default program, and lists its uninstaller among the
; installed apps. The uninstaller removes exactly what the setup put there and keeps the user's
; files in %APPDATA%\Tarvek. /S installs and uninstalls without questions.
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
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

Section "Tarvek"
    SetShellVarContext current
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
    DeleteRegValue HKCU "Software\Classes\.cfg\OpenWithProgids" "${PROGID}"
    DeleteRegKey /ifempty HKCU "Software\Classes\.cfg\OpenWithProgids"
    DeleteRegKey /ifempty HKCU "Software\Classes\.cfg"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
