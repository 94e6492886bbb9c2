; The Windows installer of Lexaran, made by scripts/build-windows.sh, which
; defines:
;   VERSION  the version (1.0.0)
;   FILES    the generated list of the program folder's files (two macros)
;   STAGE    the program folder as built
;   OUTFILE  the installer to write
;   LANGDIR  the folder of the installer's Kazakh texts
;   ICON     the application icon
; Per machine, into Program Files, with the dictionary beside the
; executable; a Start-menu shortcut named as the window's title; an
; uninstaller registered in Add/Remove Programs that removes every file it
; installed; /S installs and uninstalls silently.

; A 64-bit installer for a 64-bit program: it needs no 32-bit layer of
; Windows (nor of wine) to run.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "x64.nsh"
!include "${FILES}"

!define PRODUCT "Lexaran"
; The window's title (without the blank that follows it in the window:
; Windows drops a trailing blank from a file name).
!define TITLE "Lexaran - терминдер қоры"
; The dictionary builder's window title, the name of its own shortcut.
!define BUILDER_TITLE "Lexaran сөздігін жасау"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${TITLE}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}.0"
VIAddVersionKey /LANG=0 "LegalCopyright" "MIT"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\lexaran.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\licenses\README.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The installer speaks Kazakh; NSIS ships no Kazakh texts, so they are ours.
!insertmacro MUI_LANGUAGEEX "${LANGDIR}" "Kazakh"

LangString NeedsX64 ${LANG_KAZAKH} "Lexaran тек 64 биттік Windows жүйесінде жұмыс істейді."

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "$(NeedsX64)" /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section
  !insertmacro LexaranInstallFiles
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${TITLE}.lnk" "$INSTDIR\lexaran.exe" "" "$INSTDIR\lexaran.exe" 0
  CreateShortCut "$SMPROGRAMS\${BUILDER_TITLE}.lnk" "$INSTDIR\lexaran-builder.exe" "" "$INSTDIR\lexaran-builder.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${TITLE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\lexaran.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${TITLE}.lnk"
  Delete "$SMPROGRAMS\${BUILDER_TITLE}.lnk"
  !insertmacro LexaranRemoveFiles
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
