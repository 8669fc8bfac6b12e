; The Ledgerpad installer: for all users into Program Files\Ledgerpad, with
; the help page and the sample account beside the program, a Start menu
; shortcut, a desktop shortcut when asked for, and an uninstall entry.
; scripts/package runs it:
;   makensis -DVERSION=<x.y.z> -DSTAGE=<folder with the files> -DICON=<.ico> -DOUTFILE=<exe> ledgerpad.nsi
; The uninstaller takes the program, its shortcuts and its registry entries,
; never the accounts (Documents) or the options (AppData).

!ifndef VERSION | STAGE | ICON | OUTFILE
  !error "VERSION, STAGE, ICON and OUTFILE must be defined"
!endif

Unicode true
; The program is 64-bit, so is its installer.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!define PRODUCT "Ledgerpad"
; The maker as the program names itself (its version resource and About box).
!define PUBLISHER "Tallwood Works"
!define WEBSITE "https://www.tallwoodworks.example/ledgerpad"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; The running program holds this mutex (its main window class and the
; suffix that keeps it apart from other programs' names) in its session,
; and the same name in the global namespace, which every copy in every
; user's session holds and anyone may open.
!define RUNNING_MUTEX "LedgerClass-A9A6DFD3-0A4C-4342-AF42-B15CB339DA90"
!define SYNCHRONIZE 0x00100000
!define ERROR_ACCESS_DENIED 5
; Exit code of a silent run that stopped because the program runs.
!define EXIT_PROGRAM_RUNNING 2

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; Installing again goes where the last install went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "Copyright (C) ${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} Setup"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_NOAUTOCLOSE

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; $0 = 1 when a mutex of this name exists: it opens, or it is there but
; barred to us, which also means a copy holds it.
!macro MUTEX_EXISTS NAME
  System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "${NAME}") p .r0 ?e'
  Pop $1
  ${If} $0 P<> 0
    System::Call 'kernel32::CloseHandle(p r0)'
    StrCpy $0 1
  ${ElseIf} $1 = ${ERROR_ACCESS_DENIED}
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
!macroend

; Stops while Ledgerpad runs, in any user's session: its files cannot be
; replaced or removed then. The user may close it and retry; a silent run
; ends with its own exit code.
!macro STOP_WHILE_RUNNING
  ${Do}
    !insertmacro MUTEX_EXISTS "Global\${RUNNING_MUTEX}"
    ${If} $0 = 0
      ; A copy of an earlier release holds only its session's name.
      !insertmacro MUTEX_EXISTS "${RUNNING_MUTEX}"
    ${EndIf}
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    ${If} ${Silent}
      SetErrorLevel ${EXIT_PROGRAM_RUNNING}
      Quit
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Ledgerpad is running.$\r$\n$\r$\nPlease close Ledgerpad, then choose Retry." IDRETRY ledgerpad_retry
    SetErrorLevel ${EXIT_PROGRAM_RUNNING}
    Quit
    ledgerpad_retry:
  ${Loop}
!macroend

Function .onInit
  SetShellVarContext all
  SetRegView 64
  !insertmacro STOP_WHILE_RUNNING
FunctionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 64
  !insertmacro STOP_WHILE_RUNNING
FunctionEnd

Section "Ledgerpad (program, help page, sample account)" SecProgram
  SectionIn RO
  ; The program may have been started while the pages were shown.
  !insertmacro STOP_WHILE_RUNNING
  SetOutPath "$INSTDIR"
  ; Only the program's own files: the user's accounts and options live in
  ; Documents and AppData and are never touched.
  File "${STAGE}\Ledgerpad.exe"
  File "${STAGE}\LedgerpadHelp.html"
  File "${STAGE}\SAMPLE.LPD"
  File "${STAGE}\SAMPLEI.LPD"
  WriteUninstaller "$INSTDIR\uninst.exe"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Ledgerpad.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${WEBSITE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Ledgerpad.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninst.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninst.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Desktop shortcut" SecDesktop
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\Ledgerpad.exe"
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\Ledgerpad.exe"
  Delete "$INSTDIR\LedgerpadHelp.html"
  Delete "$INSTDIR\SAMPLE.LPD"
  Delete "$INSTDIR\SAMPLEI.LPD"
  ; The diagnostic log, when it was ever switched on, lives beside the program.
  Delete "$INSTDIR\Log.txt"
  Delete "$INSTDIR\uninst.exe"
  ; Only when empty: whatever else someone put there stays.
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
