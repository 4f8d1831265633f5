; Setup program of the ZX-908HF programming tool for 64-bit Windows.
;
; scripts/windows/package.sh runs makensis on this script with:
;   ZX_VERSION    the program's version (CMake's project version)
;   ZX_ROOT       the folder to install: the Windows build's stage with the manual added
;   ZX_GENERATED  a folder with the file lists made from ZX_ROOT:
;                   install-files.nsh    SetOutPath and File lines
;                   uninstall-files.nsh  Delete and RMDir lines for exactly those files
;                   size.nsh             !define ZX_SIZE_KB
;   ZX_OUTFILE    the setup program to write
;
; The uninstaller removes the files of its own list and then only folders left empty, so a
; file the user put into the installation (a saved data file, say) survives it, and so do
; the user's settings (%APPDATA%\zx908hf), backups and traces (%LOCALAPPDATA%\zx908hf).
; Both run silently with /S.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!ifndef ZX_VERSION | ZX_ROOT | ZX_GENERATED | ZX_OUTFILE
  !error "package.sh defines ZX_VERSION, ZX_ROOT, ZX_GENERATED and ZX_OUTFILE"
!endif
!include "${ZX_GENERATED}\size.nsh"

!define ZX_NAME "ZX-908HF Programming Tool"
!define ZX_PUBLISHER "ZX-908HF programming tool developers"
!define ZX_FOLDER "ZX-908HF"
!define ZX_PROGRAM "V310\zx908hf.exe"
!define ZX_UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZX-908HF"
!define ZX_APP_KEY "Software\Classes\Applications\zx908hf.exe"
!define ZX_PROGID "ZX908HF.DataFile"
!define ZX_PROGID_KEY "Software\Classes\${ZX_PROGID}"
!define ZX_DAT_KEY "Software\Classes\.dat"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

Name "${ZX_NAME}"
OutFile "${ZX_OUTFILE}"
InstallDir "$PROGRAMFILES64\${ZX_FOLDER}"
InstallDirRegKey HKLM "${ZX_UNINSTALL_KEY}" "InstallLocation"
BrandingText "${ZX_NAME} ${ZX_VERSION}"

VIProductVersion "${ZX_VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${ZX_NAME}"
VIAddVersionKey /LANG=0 "ProductVersion" "${ZX_VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${ZX_VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${ZX_NAME} setup"
VIAddVersionKey /LANG=0 "CompanyName" "${ZX_PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "GPL-3.0-or-later"

!define MUI_ICON "${ZX_GENERATED}\zx908hf.ico"
!define MUI_UNICON "${ZX_GENERATED}\zx908hf.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${ZX_PROGRAM}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${ZX_GENERATED}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

; Start-menu entries. The uninstaller removes the names of both languages, since the
; installation's language need not be the uninstaller's.
LangString ZxProgramLink ${LANG_ENGLISH} "ZX-908HF Programming Tool"
LangString ZxProgramLink ${LANG_SIMPCHINESE} "ZX-908HF 写频软件"
LangString ZxManualLink ${LANG_ENGLISH} "ZX-908HF Manual"
LangString ZxManualLink ${LANG_SIMPCHINESE} "ZX-908HF 使用手册"
LangString ZxDataFileType ${LANG_ENGLISH} "ZX-908HF data file"
LangString ZxDataFileType ${LANG_SIMPCHINESE} "ZX-908HF 数据文件"
LangString ZxNeeds64 ${LANG_ENGLISH} "This program needs a 64-bit Windows."
LangString ZxNeeds64 ${LANG_SIMPCHINESE} "本软件需要 64 位 Windows。"

!macro ZX_FOR_ALL_USERS
  SetShellVarContext all
  SetRegView 64
!macroend

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP|MB_OK "$(ZxNeeds64)" /SD IDOK
    Abort
  ${EndIf}
  !insertmacro ZX_FOR_ALL_USERS
  !insertmacro MUI_LANGDLL_DISPLAY
FunctionEnd

Function un.onInit
  !insertmacro ZX_FOR_ALL_USERS
FunctionEnd

Section "Program" SecProgram
  SectionIn RO
  !include "${ZX_GENERATED}\install-files.nsh"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${ZX_FOLDER}"
  CreateShortcut "$SMPROGRAMS\${ZX_FOLDER}\$(ZxProgramLink).lnk" "$INSTDIR\${ZX_PROGRAM}" \
      "" "$INSTDIR\${ZX_PROGRAM}" 0
  CreateShortcut "$SMPROGRAMS\${ZX_FOLDER}\$(ZxManualLink).lnk" "$INSTDIR\manual\index.html"

  ; "Open with" for .dat files: the program offers itself, the default program of .dat
  ; files stays whatever it was.
  WriteRegStr HKLM "${ZX_APP_KEY}" "FriendlyAppName" "${ZX_NAME}"
  WriteRegStr HKLM "${ZX_APP_KEY}\DefaultIcon" "" "$INSTDIR\${ZX_PROGRAM},0"
  WriteRegStr HKLM "${ZX_APP_KEY}\shell\open\command" "" '"$INSTDIR\${ZX_PROGRAM}" "%1"'
  WriteRegStr HKLM "${ZX_APP_KEY}\SupportedTypes" ".dat" ""
  WriteRegStr HKLM "${ZX_PROGID_KEY}" "" "$(ZxDataFileType)"
  WriteRegStr HKLM "${ZX_PROGID_KEY}\DefaultIcon" "" "$INSTDIR\${ZX_PROGRAM},0"
  WriteRegStr HKLM "${ZX_PROGID_KEY}\shell\open\command" "" '"$INSTDIR\${ZX_PROGRAM}" "%1"'
  WriteRegNone HKLM "${ZX_DAT_KEY}\OpenWithProgids" "${ZX_PROGID}"

  ; Apps & features.
  WriteRegStr HKLM "${ZX_UNINSTALL_KEY}" "DisplayName" "${ZX_NAME}"
  WriteRegStr HKLM "${ZX_UNINSTALL_KEY}" "DisplayVersion" "${ZX_VERSION}"
  WriteRegStr HKLM "${ZX_UNINSTALL_KEY}" "Publisher" "${ZX_PUBLISHER}"
  WriteRegStr HKLM "${ZX_UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${ZX_PROGRAM},0"
  WriteRegStr HKLM "${ZX_UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${ZX_UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${ZX_UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${ZX_UNINSTALL_KEY}" "EstimatedSize" ${ZX_SIZE_KB}
  WriteRegDWORD HKLM "${ZX_UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${ZX_UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${ZX_FOLDER}\ZX-908HF Programming Tool.lnk"
  Delete "$SMPROGRAMS\${ZX_FOLDER}\ZX-908HF 写频软件.lnk"
  Delete "$SMPROGRAMS\${ZX_FOLDER}\ZX-908HF Manual.lnk"
  Delete "$SMPROGRAMS\${ZX_FOLDER}\ZX-908HF 使用手册.lnk"
  RMDir "$SMPROGRAMS\${ZX_FOLDER}"

  DeleteRegKey HKLM "${ZX_APP_KEY}"
  DeleteRegKey HKLM "${ZX_PROGID_KEY}"
  DeleteRegValue HKLM "${ZX_DAT_KEY}\OpenWithProgids" "${ZX_PROGID}"
  ; Only keys left with nothing in them: other programs' entries stay.
  DeleteRegKey /ifnosubkeys /ifnovalues HKLM "${ZX_DAT_KEY}\OpenWithProgids"
  DeleteRegKey /ifnosubkeys /ifnovalues HKLM "${ZX_DAT_KEY}"

  !include "${ZX_GENERATED}\uninstall-files.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  DeleteRegKey HKLM "${ZX_UNINSTALL_KEY}"
SectionEnd
