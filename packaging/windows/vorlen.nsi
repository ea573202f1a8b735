; Turkish installer for Vorlen: installs for the current user only, into the
; user's own programs folder, so it needs no administrator. Adds a Start-menu
; shortcut and an uninstaller listed under Apps.
; Built by tools/windows.sh:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.00 -DSTAGE=<staged files>
;            -DROOT=<source tree> -DOUTFILE=<setup.exe> vorlen.nsi
; A 64-bit installer for the 64-bit program (and Wine without its 32-bit part
; runs it too).
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma
; The files carry no build-time dates, so that every build of a commit gives
; the same installer; Windows dates them when they are installed.
SetDateSave off

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define PRODUCT "Vorlen"
!define PUBLISHER "Keldar Yazılım"
!define EXE "vorlen.exe"
!define UNINSTALLER "kaldir.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorlen"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Vorlen"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PUBLISHER}"

!define MUI_ICON "${ROOT}/win32/resources/vorlen.ico"
!define MUI_UNICON "${ROOT}/win32/resources/vorlen.ico"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Bu sihirbaz, çarpım tablosu alıştırma programı Vorlen'i yalnızca sizin kullanıcınız için kuracaktır. Yönetici izni gerekmez.$\r$\n$\r$\nDevam etmek için İleri düğmesine basın."
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Turkish"

; The installer's version block; the uninstaller it writes carries the same.
VIProductVersion "1.0.0.0"
VIFileVersion "1.0.0.0"
VIAddVersionKey /LANG=${LANG_TURKISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_TURKISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_TURKISH} "FileDescription" "Vorlen kurulumu"
VIAddVersionKey /LANG=${LANG_TURKISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_TURKISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_TURKISH} "LegalCopyright" "© 2026 ${PUBLISHER}"

Section
    SetOutPath "$INSTDIR"
    File "${STAGE}/${EXE}"
    File "${STAGE}/BENIOKU.txt"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    Delete "$INSTDIR\${EXE}"
    Delete "$INSTDIR\BENIOKU.txt"
    Delete "$INSTDIR\${UNINSTALLER}"
    ; Only removed when empty: whatever the user put there stays.
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
