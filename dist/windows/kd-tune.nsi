; The KD_Tune installer for Windows: a per-user install that needs no
; administrator rights, in the user's own program folder, with a Start-menu
; entry and an uninstaller listed among the system's apps. tools/windows-package
; makes it:
;   makensis -INPUTCHARSET UTF8 -DVERSION=<x.y.z> -DPAYLOAD=<folder> -DICON=<kd-tune.ico> -DOUTFILE=<setup.exe> kd-tune.nsi
; PAYLOAD holds bin\ (the programs, their DLLs and plugins) and share\kd-tune\
; (the example configuration; by this folder the programs know that they are
; installed and keep their range list in %LOCALAPPDATA%\KD_Tune).

; A 64-bit installer for 64-bit programs (it runs where they run, Wine's
; 64-bit prefixes included).
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KD_Tune"

Name "KD_Tune ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\KD_Tune"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "KD_Tune ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\bin\kd-tune.exe"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first is the one shown when the system speaks neither.
!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_LANGUAGE "English"

LangString ProgramLink ${LANG_RUSSIAN} "KD_Tune — программатор радиостанций"
LangString ProgramLink ${LANG_ENGLISH} "KD_Tune — radio programmer"
LangString ExampleLink ${LANG_RUSSIAN} "Пример конфигурации"
LangString ExampleLink ${LANG_ENGLISH} "Example configuration"
LangString UninstallLink ${LANG_RUSSIAN} "Удалить KD_Tune"
LangString UninstallLink ${LANG_ENGLISH} "Uninstall KD_Tune"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "KD_Tune"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "KD_Tune setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "KD_Tune developers"

Section
  ; An earlier version's programs go first, so that no old DLL stays behind.
  RMDir /r "$INSTDIR\bin"
  SetOutPath "$INSTDIR"
  File /r "${PAYLOAD}\*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\KD_Tune"
  CreateShortcut "$SMPROGRAMS\KD_Tune\$(ProgramLink).lnk" "$INSTDIR\bin\kd-tune.exe"
  CreateShortcut "$SMPROGRAMS\KD_Tune\$(ExampleLink).lnk" "$INSTDIR\bin\kd-tune.exe" \
    '"$INSTDIR\share\kd-tune\example-config.xml"'
  CreateShortcut "$SMPROGRAMS\KD_Tune\$(UninstallLink).lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "KD_Tune"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "KD_Tune"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\bin\kd-tune.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The user's settings, range list and backups stay: they are the user's work.
Section "Uninstall"
  RMDir /r "$INSTDIR\bin"
  RMDir /r "$INSTDIR\share"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  RMDir /r "$SMPROGRAMS\KD_Tune"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
