; The Windows installer of Lexaran, made by scripts/windows/make-installer.sh,
; which defines:
;   VERSION  the version (1.0.0)
;   FILES    the generated list of the program folder's files (two macros),
;            the dictionary termins.db left out: this script handles it
;   STAGE    the program folder as built
;   OUTFILE  the installer to write
;   LANGDIR  the folder of the installer's Kazakh texts and licence
;   ICON     the application icon
; Per machine, into Program Files, with the dictionary beside the
; executable; a Start-menu shortcut named as the window's title; an
; uninstaller registered in Add/Remove Programs that removes every file it
; installed; /S installs and uninstalls silently.
;
; The dictionary is the user's: the sample is installed only where no
; termins.db is, so installing again or a newer version keeps the one in
; place; /DICTIONARY=<file> installs an organisation's own instead (and
; replaces the one in place, as the administrator asks). The uninstaller
; removes termins.db only when it is still, byte for byte, the sample this
; installer put there (the copy termins-sample.db beside it), and otherwise
; keeps it and says where.
;
; Exit codes: 0 done; 1 cancelled by the user; 2 stopped by an error;
; 3 Lexaran is running from the installation folder (silent: at once,
; nothing changed); 4 the /DICTIONARY= file is missing or no SQLite file.

; A 64-bit installer for a 64-bit program: it needs no 32-bit layer of
; Windows (nor of wine) to run.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "x64.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "${FILES}"

!define PRODUCT "Lexaran"
!define PUBLISHER "Lexaran әзірлеушілері"
; The window's title (without the blank that follows it in the window:
; Windows drops a trailing blank from a file name).
!define TITLE "Lexaran - терминдер қоры"
; The dictionary builder's window title, the name of its own shortcut.
!define BUILDER_TITLE "Lexaran сөздігін жасау"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define EXIT_RUNNING 3
!define EXIT_BAD_DICTIONARY 4

Name "${TITLE}"
BrandingText "${PRODUCT} ${VERSION}"
; The uninstaller's list of what it did stays open, so its line about a
; kept dictionary is in sight when it is done.
ShowUninstDetails show
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}.0"
VIAddVersionKey /LANG=0 "LegalCopyright" "© 2026 ${PUBLISHER}, MIT"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; The finish page starts the program as the user who started the
; installer, not with the installer's administrator rights.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION RunAsUser

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LANGDIR}\License.txt"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The installer speaks Kazakh; NSIS ships no Kazakh texts, so they are ours.
!insertmacro MUI_LANGUAGEEX "${LANGDIR}" "Kazakh"

LangString NeedsX64 ${LANG_KAZAKH} "Lexaran тек 64 биттік Windows жүйесінде жұмыс істейді."
LangString ProgramRunning ${LANG_KAZAKH} "Lexaran қазір іске қосулы тұр ($INSTDIR). Оны жауып, «Қайталау» батырмасын басыңыз."
LangString DictionaryUnusable ${LANG_KAZAKH} "Сөздік файлы жоқ немесе SQLite файлы емес: $Dictionary"
LangString DictionaryNotCopied ${LANG_KAZAKH} "Сөздікті көшіру мүмкін болмады: $Dictionary"
LangString DictionaryKept ${LANG_KAZAKH} "Өзгертілген сөздік жойылмай, сақталды: $INSTDIR\termins.db"

; The organisation's dictionary named by /DICTIONARY=, empty without it.
Var Dictionary

; RunningCheck: a program of the installation folder that runs has its
; executable open, so the folder's .exe files (the uninstaller aside) that
; cannot be opened for writing are running; so is Lexaran when its window
; is open (wine does not always refuse writing a running executable). Asks to close them (Retry) until
; none runs; Cancel, and silent mode at once, end the installer with
; EXIT_RUNNING before anything is changed.
!macro RunningCheck un
Function ${un}RunningCheck
  Push $0
  Push $1
  Push $2
  retry:
  ; Its window, by its title (which ends with a blank), is the other sign.
  FindWindow $2 "" "${TITLE} "
  ${If} $2 <> 0
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ProgramRunning)" /SD IDCANCEL IDRETRY retry
    SetErrorLevel ${EXIT_RUNNING}
    Quit
  ${EndIf}
  FindFirst $0 $1 "$INSTDIR\*.exe"
  ${DoWhile} $1 != ""
    ${If} $1 != "uninstall.exe"
      ClearErrors
      FileOpen $2 "$INSTDIR\$1" a
      ${If} ${Errors}
        FindClose $0
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ProgramRunning)" /SD IDCANCEL IDRETRY retry
        SetErrorLevel ${EXIT_RUNNING}
        Quit
      ${EndIf}
      FileClose $2
    ${EndIf}
    FindNext $0 $1
  ${Loop}
  FindClose $0
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro RunningCheck ""
!insertmacro RunningCheck "un."

!macro SameFile un
; SameFile A B: leaves "same" on the stack when the files A and B have
; the same bytes, "different" otherwise (or when either cannot be read).
Function ${un}SameFile
  Exch $1 ; B
  Exch
  Exch $0 ; A
  Push $2
  Push $3
  Push $4
  Push $5
  Push $6
  StrCpy $6 "different"
  ClearErrors
  FileOpen $2 $0 r
  FileOpen $3 $1 r
  ${IfNot} ${Errors}
    FileSeek $2 0 END $4
    FileSeek $3 0 END $5
    ${If} $4 = $5
      FileSeek $2 0 SET
      FileSeek $3 0 SET
      StrCpy $6 "same"
      ${Do}
        ClearErrors
        FileReadByte $2 $4
        ${If} ${Errors}
          ${ExitDo}
        ${EndIf}
        FileReadByte $3 $5
        ${If} $4 != $5
          StrCpy $6 "different"
          ${ExitDo}
        ${EndIf}
      ${Loop}
    ${EndIf}
  ${EndIf}
  FileClose $2
  FileClose $3
  StrCpy $0 $6
  Pop $6
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd
!macroend
!insertmacro SameFile ""
!insertmacro SameFile "un."

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "$(NeedsX64)" /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  SetShellVarContext all

  ; The command line without its quotes: "/DICTIONARY=C:\a b\x.db" and
  ; /DICTIONARY="C:\a b\x.db" both name C:\a b\x.db (GetOptions takes a
  ; value up to the next " /", which no Windows path holds, but does not
  ; find an option whose quote comes before it).
  ${GetParameters} $0
  StrCpy $1 ""
  StrCpy $2 0
  ${Do}
    StrCpy $3 $0 1 $2
    ${If} $3 == ""
      ${ExitDo}
    ${EndIf}
    ${If} $3 != '"'
      StrCpy $1 "$1$3"
    ${EndIf}
    IntOp $2 $2 + 1
  ${Loop}
  ClearErrors
  ${GetOptions} $1 "/DICTIONARY=" $Dictionary
  ${If} ${Errors}
    StrCpy $Dictionary ""
  ${Else}
    ; An SQLite file begins with "SQLite format 3".
    GetFullPathName $Dictionary $Dictionary
    ClearErrors
    FileOpen $1 $Dictionary r
    FileRead $1 $2 15
    FileClose $1
    ${If} ${Errors}
    ${OrIf} $2 S!= "SQLite format 3"
      MessageBox MB_OK|MB_ICONSTOP "$(DictionaryUnusable)" /SD IDOK
      SetErrorLevel ${EXIT_BAD_DICTIONARY}
      Quit
    ${EndIf}
  ${EndIf}

  Call RunningCheck
FunctionEnd

; The folder may have been changed on the directory page.
Function DirectoryLeave
  Call RunningCheck
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
  Call un.RunningCheck
FunctionEnd

; Through the desktop's own shell (explorer.exe of the user's session),
; which runs as the signed-in user without the installer's elevation.
Function RunAsUser
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\lexaran.exe"'
FunctionEnd

Section
  !insertmacro LexaranInstallFiles
  SetOutPath "$INSTDIR"

  ${If} $Dictionary != ""
    ; Copied under another name first: a failed copy leaves the dictionary
    ; in place as it was.
    Delete "$INSTDIR\termins.db.new"
    ClearErrors
    CopyFiles /SILENT /FILESONLY "$Dictionary" "$INSTDIR\termins.db.new"
    ${IfNot} ${FileExists} "$INSTDIR\termins.db.new"
      MessageBox MB_OK|MB_ICONSTOP "$(DictionaryNotCopied)" /SD IDOK
      SetErrorLevel ${EXIT_BAD_DICTIONARY}
      Abort
    ${EndIf}
    Delete "$INSTDIR\termins.db"
    Rename "$INSTDIR\termins.db.new" "$INSTDIR\termins.db"
    ; Not the sample: the uninstaller keeps it.
    Delete "$INSTDIR\termins-sample.db"
  ${ElseIfNot} ${FileExists} "$INSTDIR\termins.db"
    File "/oname=$INSTDIR\termins.db" "${STAGE}\termins.db"
    File "/oname=$INSTDIR\termins-sample.db" "${STAGE}\termins.db"
  ${ElseIfNot} ${FileExists} "$INSTDIR\termins-sample.db"
    ; A termins.db without the copy to compare with (an installer that kept
    ; none put it there, or the user): this sample's copy is kept only when
    ; termins.db is this very sample.
    File "/oname=$INSTDIR\termins-sample.db" "${STAGE}\termins.db"
    Push "$INSTDIR\termins.db"
    Push "$INSTDIR\termins-sample.db"
    Call SameFile
    Pop $0
    ${If} $0 != "same"
      Delete "$INSTDIR\termins-sample.db"
    ${EndIf}
  ${EndIf}

  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${TITLE}.lnk" "$INSTDIR\lexaran.exe" "" "$INSTDIR\lexaran.exe" 0
  CreateShortCut "$SMPROGRAMS\${BUILDER_TITLE}.lnk" "$INSTDIR\lexaran-builder.exe" "" "$INSTDIR\lexaran-builder.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${TITLE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\lexaran.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; In KiB, as Add/Remove Programs shows it.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd


Section "Uninstall"
  Delete "$SMPROGRAMS\${TITLE}.lnk"
  Delete "$SMPROGRAMS\${BUILDER_TITLE}.lnk"
  !insertmacro LexaranRemoveFiles

  ${If} ${FileExists} "$INSTDIR\termins.db"
    Push "$INSTDIR\termins.db"
    Push "$INSTDIR\termins-sample.db"
    Call un.SameFile
    Pop $0
    ${If} $0 == "same"
      Delete "$INSTDIR\termins.db"
    ${Else}
      DetailPrint "$(DictionaryKept)"
    ${EndIf}
  ${EndIf}
  Delete "$INSTDIR\termins-sample.db"

  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
