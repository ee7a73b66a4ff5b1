; The screen saver's installer, install\instscr.exe on the CD.
;
;   makensis -DSTAGE=<folder> -DOUTFILE=<instscr.exe> cd/instscr.nsi
;
; STAGE holds what it carries: vorsaver.scr, vorlaks.swf, schedule.pvz and
; sound.pvz (tools/make-installer.sh lays it out).
;
; Where the saver goes: it writes tarvordat.pvz beside itself on every start
; and sound.pvz when its setting changes, so its folder must be writable by
; the user who runs it.
;  - Windows 95/98/Me: the Windows folder's System, where Display Properties
;    lists savers; every user may write there.
;  - NT 4, 2000, XP and later: a folder in the user's application data. A
;    user who is not an administrator cannot write to System32 (and on Vista
;    and later even an administrator's saver there would write to the virtual
;    store); the choice of saver is the user's own (HKCU), so the saver is
;    too. Display Properties shows the current saver wherever it lies.
;
; What was the saver before the first install is kept in a small file beside
; the uninstaller (per user on NT, like the choice itself), so installing
; again never forgets it and removing puts it back.

Unicode false            ; ANSI: runs on Windows 95, 98 and Me
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestSupportedOS all
ManifestDPIAware true

!ifndef STAGE
  !error "STAGE (the folder with the files to carry) is not defined"
!endif
!ifndef OUTFILE
  !define OUTFILE instscr.exe
!endif

!include LogicLib.nsh
!include WinVer.nsh
!include MUI2.nsh

!define PRODUCT "Tarrowick Vorlaks Screen Saver"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TarrowickVorlaksSaver"
!define UNINSTALLER "vorsaver-uninstall.exe"
!define MEMORY "vorsaver-uninstall.ini"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATE_AND_SEND 3

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$SYSDIR"          ; replaced in .onInit; no directory page
ShowInstDetails nevershow
ShowUninstDetails nevershow
BrandingText "Tarrowick Vorlaks Theme Pack"

!getdllversion "${STAGE}\vorsaver.scr" SAVER_V_
VIProductVersion "${SAVER_V_1}.${SAVER_V_2}.${SAVER_V_3}.${SAVER_V_4}"
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey FileDescription "${PRODUCT} Setup"
VIAddVersionKey FileVersion "${SAVER_V_1}.${SAVER_V_2}.${SAVER_V_3}.${SAVER_V_4}"
VIAddVersionKey LegalCopyright "Tarrowick Vorlaks fan CD"

!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "This installs the Tarrowick Vorlaks screen saver and makes it your screen saver.$\r$\n$\r$\nAfterwards the Screen Saver page of Display Properties opens, where you can try it and change its settings.$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE English

Var UninstRoot      ; HKLM or HKCU
Var Replaced        ; 1 when a file in use is replaced only at the next start

; Where the saver goes on this Windows (see the top of this file).
!macro SaverFolder un
Function ${un}SaverFolder
  ${If} ${IsNT}
    StrCpy $0 $APPDATA
    ${If} $0 == ""
      ; NT 4 without the newer shell has no application-data folder to ask for.
      ReadEnvStr $0 USERPROFILE
      StrCpy $0 "$0\Application Data"
    ${EndIf}
    StrCpy $INSTDIR "$0\Tarrowick Vorlaks Saver"
  ${Else}
    StrCpy $INSTDIR $SYSDIR
  ${EndIf}
FunctionEnd
!macroend
!insertmacro SaverFolder ""

; Reads the current saver into $0 ("" for none) and whether savers are on into $1.
!macro CurrentSaver un
Function ${un}CurrentSaver
  ${If} ${IsNT}
    ReadRegStr $0 HKCU "Control Panel\Desktop" SCRNSAVE.EXE
    ReadRegStr $1 HKCU "Control Panel\Desktop" ScreenSaveActive
  ${Else}
    ReadINIStr $0 "$WINDIR\system.ini" boot SCRNSAVE.EXE
    ReadRegStr $1 HKCU "Control Panel\Desktop" ScreenSaveActive
  ${EndIf}
  ${If} $1 == ""
    StrCpy $1 1
  ${EndIf}
FunctionEnd
!macroend
!insertmacro CurrentSaver ""
!insertmacro CurrentSaver "un."

; Makes $0 the saver ("" for none) and tells Windows, on when $1 is 1.
!macro SetSaver un
Function ${un}SetSaver
  ${If} ${IsNT}
    ${If} $0 == ""
      DeleteRegValue HKCU "Control Panel\Desktop" SCRNSAVE.EXE
    ${Else}
      WriteRegStr HKCU "Control Panel\Desktop" SCRNSAVE.EXE $0
    ${EndIf}
    WriteRegStr HKCU "Control Panel\Desktop" ScreenSaveActive $1
  ${Else}
    ${If} $0 == ""
      DeleteINIStr "$WINDIR\system.ini" boot SCRNSAVE.EXE
    ${Else}
      WriteINIStr "$WINDIR\system.ini" boot SCRNSAVE.EXE $0
    ${EndIf}
    FlushINI "$WINDIR\system.ini"
  ${EndIf}
  System::Call "user32::SystemParametersInfoA(i ${SPI_SETSCREENSAVEACTIVE}, i $1, i 0, i ${SPIF_UPDATE_AND_SEND})"
FunctionEnd
!macroend
!insertmacro SetSaver ""
!insertmacro SetSaver "un."

; Puts a carried file in place. One that is in use (a saver showing its
; preview, a movie it plays) cannot be overwritten: the new copy waits
; beside it and takes its place when Windows next starts.
!macro PlaceFile name
  SetOverwrite try
  ClearErrors
  File "${STAGE}\${name}"
  ${If} ${Errors}
    SetOverwrite on
    File "/oname=$INSTDIR\${name}.upd" "${STAGE}\${name}"
    Rename /REBOOTOK "$INSTDIR\${name}.upd" "$INSTDIR\${name}"
    StrCpy $Replaced 1
  ${EndIf}
  SetOverwrite on
!macroend

Function .onInit
  Call SaverFolder
FunctionEnd

Section "Screen saver"
  SetOutPath $INSTDIR

  ; An installed saver newer than this one is kept unless the user says otherwise.
  StrCpy $2 1
  ClearErrors
  GetDLLVersion "$INSTDIR\vorsaver.scr" $3 $4
  ${IfNot} ${Errors}
    GetDLLVersionLocal "${STAGE}\vorsaver.scr" $5 $6
    StrCpy $7 0
    ${If} $3 U> $5
      StrCpy $7 1
    ${ElseIf} $3 == $5
    ${AndIf} $4 U> $6
      StrCpy $7 1
    ${EndIf}
    ${If} $7 == 1
      MessageBox MB_YESNO|MB_ICONQUESTION "A newer version of the Tarrowick Vorlaks screen saver is already installed.$\r$\n$\r$\nReplace it with the older version from this CD?" /SD IDNO IDYES +2
      StrCpy $2 0
    ${EndIf}
  ${EndIf}
  ${If} $2 == 1
    !insertmacro PlaceFile vorsaver.scr
    !insertmacro PlaceFile vorlaks.swf
  ${EndIf}
  !insertmacro PlaceFile schedule.pvz
  ; The user's sound setting survives installing again.
  SetOverwrite off
  File "${STAGE}\sound.pvz"
  SetOverwrite on

  ; The saver from before the first install is remembered once.
  ClearErrors
  ReadINIStr $0 "$INSTDIR\${MEMORY}" previous saver
  ${If} ${Errors}
    Call CurrentSaver
    WriteINIStr "$INSTDIR\${MEMORY}" previous saver $0
    WriteINIStr "$INSTDIR\${MEMORY}" previous active $1
  ${EndIf}

  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; Add/Remove Programs: the machine's list on 95/98/Me and NT 4 (whose list
  ; knows no other), where the user may write it; the user's own on 2000 and
  ; later, as the install is the user's own.
  StrCpy $UninstRoot HKLM
  ${If} ${AtLeastWin2000}
    StrCpy $UninstRoot HKCU
  ${Else}
    ClearErrors
    WriteRegStr HKLM "${UNINST_KEY}" DisplayName "${PRODUCT}"
    ${If} ${Errors}
      StrCpy $UninstRoot HKCU
    ${EndIf}
  ${EndIf}
  WriteINIStr "$INSTDIR\${MEMORY}" uninstall root $UninstRoot
  ${If} $UninstRoot == HKLM
    SetShellVarContext all
  ${EndIf}
  !macro WriteUninstallKey root
    WriteRegStr ${root} "${UNINST_KEY}" DisplayName "${PRODUCT}"
    WriteRegStr ${root} "${UNINST_KEY}" UninstallString '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr ${root} "${UNINST_KEY}" QuietUninstallString '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegStr ${root} "${UNINST_KEY}" InstallLocation "$INSTDIR"
    WriteRegStr ${root} "${UNINST_KEY}" DisplayIcon "$INSTDIR\vorsaver.scr"
    WriteRegStr ${root} "${UNINST_KEY}" DisplayVersion "${SAVER_V_1}.${SAVER_V_2}.${SAVER_V_3}"
    WriteRegStr ${root} "${UNINST_KEY}" Publisher "Tarrowick Vorlaks fan CD"
    WriteRegDWORD ${root} "${UNINST_KEY}" NoModify 1
    WriteRegDWORD ${root} "${UNINST_KEY}" NoRepair 1
  !macroend
  ${If} $UninstRoot == HKLM
    !insertmacro WriteUninstallKey HKLM
  ${Else}
    !insertmacro WriteUninstallKey HKCU
  ${EndIf}

  ; Windows keeps the saver's path in its short form (the 16-bit-era
  ; system.ini line cannot hold blanks, and NT's Display Properties writes it so).
  GetFullPathName /SHORT $0 "$INSTDIR\vorsaver.scr"
  ${If} $0 == ""
    StrCpy $0 "$INSTDIR\vorsaver.scr"
  ${EndIf}
  StrCpy $1 1
  Call SetSaver
SectionEnd

Function .onInstSuccess
  ${If} $Replaced == 1
    MessageBox MB_OK|MB_ICONINFORMATION "The screen saver was in use, so the new copy takes its place when Windows next starts." /SD IDOK
  ${EndIf}
  ${IfNot} ${Silent}
    ; The Screen Saver page of Display Properties (the second page from
    ; Windows 95 to XP; Vista and later open their screen saver settings).
    Exec '"rundll32.exe" shell32.dll,Control_RunDLL desk.cpl,,1'
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ; The previous saver comes back only while ours is still the chosen one.
  Call un.CurrentSaver
  StrCpy $2 $0
  GetFullPathName /SHORT $3 "$INSTDIR\vorsaver.scr"
  GetFullPathName $4 "$INSTDIR\vorsaver.scr"
  ${If} $2 == $3
  ${OrIf} $2 == $4
    ReadINIStr $0 "$INSTDIR\${MEMORY}" previous saver
    ReadINIStr $1 "$INSTDIR\${MEMORY}" previous active
    ${If} $1 == ""
      StrCpy $1 1
    ${EndIf}
    Call un.SetSaver
  ${EndIf}

  ReadINIStr $UninstRoot "$INSTDIR\${MEMORY}" uninstall root
  ${If} $UninstRoot == HKLM
    DeleteRegKey HKLM "${UNINST_KEY}"
  ${Else}
    DeleteRegKey HKCU "${UNINST_KEY}"
  ${EndIf}

  ; What was installed, and what the saver writes beside itself (with the
  ; ".tmp" and ".new" its whole-file replacement may leave).
  Delete /REBOOTOK "$INSTDIR\vorsaver.scr"
  Delete /REBOOTOK "$INSTDIR\vorlaks.swf"
  Delete "$INSTDIR\vorsaver.scr.upd"
  Delete "$INSTDIR\vorlaks.swf.upd"
  Delete "$INSTDIR\schedule.pvz"
  Delete "$INSTDIR\schedule.pvz.upd"
  Delete "$INSTDIR\tarvordat.pvz"
  Delete "$INSTDIR\tarvordat.pvz.tmp"
  Delete "$INSTDIR\tarvordat.pvz.new"
  Delete "$INSTDIR\sound.pvz"
  Delete "$INSTDIR\sound.pvz.tmp"
  Delete "$INSTDIR\sound.pvz.new"
  Delete "$INSTDIR\${MEMORY}"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only the saver's own folder goes, and only when empty (never System).
  ${If} ${IsNT}
    RMDir /REBOOTOK "$INSTDIR"
  ${EndIf}
SectionEnd
