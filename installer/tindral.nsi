; Tindral setup: built on Linux by tools/dist.sh (makensis), which passes
;   /DVERSION=2.00.1      taken from the program's own title, so it is written in one place
;   /DBUILD_DIR=...       the Windows release folder (tindral.exe, tindral-cli.exe, the .chm files)
;   /DSOURCE_DIR=...      the project folder (sample board, readme)
;   /DOUT_FILE=...        where the setup program is written
; A 64-bit setup for a 64-bit program: it also runs where no 32-bit layer is installed.
; Installs for every user of the machine: a fitting bench PC is shared, and Program Files needs
; the administrator anyway. Settings stay per user in HKCU and are never touched here.

Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!macro REQUIRE NAME
  !ifndef ${NAME}
    !error "${NAME} is not defined: build the setup with tools/dist.sh"
  !endif
!macroend
!insertmacro REQUIRE VERSION
!insertmacro REQUIRE BUILD_DIR
!insertmacro REQUIRE SOURCE_DIR
!insertmacro REQUIRE OUT_FILE

!define PRODUCT "Tindral"
!define MAKER "Moravel"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tindral"
!define SETTINGS_KEY "HKCU\Software\Moravel\TindralV1.01"
!define UNINSTALLER "uninstall.exe"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES64\Tindral"
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=0 "CompanyName" "${MAKER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${MAKER}"

!include "MUI2.nsh"

!define MUI_ABORTWARNING
!define MUI_ICON "${SOURCE_DIR}/resources/images/tindral.ico"
!define MUI_UNICON "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"
; The language chosen in the first dialog is kept for the uninstaller.
!define MUI_LANGDLL_REGISTRY_ROOT HKLM
!define MUI_LANGDLL_REGISTRY_KEY "${UNINST_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "Installer Language"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\tindral.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\readme.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP $(KeepSettingsText)
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

LangString KeepSettingsText ${LANG_ENGLISH} "Your settings (registry key ${SETTINGS_KEY}) and the marks saved beside your board files are kept on purpose, so that nothing you did is lost. Delete the key by hand if you no longer need them."
LangString KeepSettingsText ${LANG_GERMAN} "Ihre Einstellungen (Registry-Schlüssel ${SETTINGS_KEY}) und die neben Ihren Boarddateien gespeicherten Markierungen bleiben absichtlich erhalten, damit nichts von Ihrer Arbeit verloren geht. Löschen Sie den Schlüssel von Hand, wenn Sie ihn nicht mehr brauchen."
LangString HelpEnglish ${LANG_ENGLISH} "Tindral Help (English)"
LangString HelpEnglish ${LANG_GERMAN} "Tindral Hilfe (Englisch)"
LangString HelpGerman ${LANG_ENGLISH} "Tindral Help (German)"
LangString HelpGerman ${LANG_GERMAN} "Tindral Hilfe (Deutsch)"
LangString UninstallLink ${LANG_ENGLISH} "Uninstall Tindral"
LangString UninstallLink ${LANG_GERMAN} "Tindral deinstallieren"

Function .onInit
  SetRegView 64
  SetShellVarContext all
  !insertmacro MUI_LANGDLL_DISPLAY
FunctionEnd

Section "Tindral" SecMain
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${BUILD_DIR}/tindral.exe"
  File "${BUILD_DIR}/tindral-cli.exe"
  File "${BUILD_DIR}/TindralHelpGer.chm"
  File "${BUILD_DIR}/TindralHelpEng.chm"
  File "${SOURCE_DIR}/installer/readme.txt"
  SetOutPath "$INSTDIR\samples"
  File "${SOURCE_DIR}/samples/tindral-sample.brd"
  SetOutPath "$INSTDIR"

  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateDirectory "$SMPROGRAMS\Tindral"
  CreateShortcut "$SMPROGRAMS\Tindral\Tindral.lnk" "$INSTDIR\tindral.exe"
  CreateShortcut "$SMPROGRAMS\Tindral\$(HelpGerman).lnk" "$INSTDIR\TindralHelpGer.chm"
  CreateShortcut "$SMPROGRAMS\Tindral\$(HelpEnglish).lnk" "$INSTDIR\TindralHelpEng.chm"
  CreateShortcut "$SMPROGRAMS\Tindral\$(UninstallLink).lnk" "$INSTDIR\${UNINSTALLER}"

  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${MAKER}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\tindral.exe"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ; MUI stores the chosen language only after a shown page; a silent setup needs it too.
  WriteRegStr HKLM "${UNINST_KEY}" "Installer Language" $LANGUAGE
  ; Shortcut names depend on the language: the uninstaller must find the same ones.
  WriteRegStr HKLM "${UNINST_KEY}" "Start menu help German" "$(HelpGerman).lnk"
  WriteRegStr HKLM "${UNINST_KEY}" "Start menu help English" "$(HelpEnglish).lnk"
  WriteRegStr HKLM "${UNINST_KEY}" "Start menu uninstall" "$(UninstallLink).lnk"
SectionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
  !insertmacro MUI_UNGETLANGUAGE
FunctionEnd

; Only what setup put there is removed, file by file: the folder may hold marks files of the
; sample board or anything else the user saved there, and those stay with the folder.
Section "Uninstall"
  Delete "$INSTDIR\tindral.exe"
  Delete "$INSTDIR\tindral-cli.exe"
  Delete "$INSTDIR\TindralHelpGer.chm"
  Delete "$INSTDIR\TindralHelpEng.chm"
  Delete "$INSTDIR\readme.txt"
  Delete "$INSTDIR\samples\tindral-sample.brd"
  RMDir "$INSTDIR\samples"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Tindral\Tindral.lnk"
  ReadRegStr $0 HKLM "${UNINST_KEY}" "Start menu help German"
  StrCmp $0 "" +2
    Delete "$SMPROGRAMS\Tindral\$0"
  ReadRegStr $0 HKLM "${UNINST_KEY}" "Start menu help English"
  StrCmp $0 "" +2
    Delete "$SMPROGRAMS\Tindral\$0"
  ReadRegStr $0 HKLM "${UNINST_KEY}" "Start menu uninstall"
  StrCmp $0 "" +2
    Delete "$SMPROGRAMS\Tindral\$0"
  RMDir "$SMPROGRAMS\Tindral"

  DeleteRegKey HKLM "${UNINST_KEY}"
  ; ${SETTINGS_KEY} is left alone on purpose: see the confirm page.
SectionEnd
