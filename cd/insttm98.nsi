; install\insttm98.exe: the Tarrowick Vorlaks Desktop Theme for Desktop
; Themes on Windows 95 (Microsoft Plus!) and Windows 98. The menu starts it
; when it finds Desktop Themes there.
;
; Copies the theme and the wallpaper that suits the screen (800 x 600, or
; 1024 x 768 on screens at least that wide) into the Themes folder and
; writes their installed paths into the theme, with the screen saver's if
; the saver is installed. The uninstaller takes all of it off again.
;
;   makensis -DRES=<resources/wallpaper> -DOUTFILE=<insttm98.exe> cd/insttm98.nsi

Unicode false
SetCompressor /SOLID lzma
!ifndef RES
  !define RES "..\resources\wallpaper"
!endif
!ifndef OUTFILE
  !define OUTFILE "insttm98.exe"
!endif

!define PRODUCT "Tarrowick Vorlaks Desktop Theme"
!define THEME "Tarrowick Vorlaks.theme"
!define WALLPAPER "Tarrowick Vorlaks wallpaper.bmp"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TarrowickVorlaksTheme"
!define UNINSTALLER "$PROGRAMFILES\Tarrowick Vorlaks\Uninstall Desktop Theme.exe"

Name "${PRODUCT}"
Caption "${PRODUCT} Setup"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Plus!\Themes"
RequestExecutionLevel admin
XPStyle on
ShowInstDetails nevershow
ShowUninstDetails nevershow

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
  SetOutPath "$INSTDIR"
  ; SM_CXSCREEN: the larger picture where it fits.
  System::Call 'user32::GetSystemMetrics(i 0) i .r0'
  IntCmp $0 1024 big small big
  big:
    File "/oname=${WALLPAPER}" "${RES}\vorlaks1024.bmp"
    Goto pictured
  small:
    File "/oname=${WALLPAPER}" "${RES}\vorlaks800.bmp"
  pictured:
  File "/oname=${THEME}" "${RES}\${THEME}"
  WriteINIStr "$INSTDIR\${THEME}" "Control Panel\Desktop" "Wallpaper" "$INSTDIR\${WALLPAPER}"

  ; The screen saver where its installer puts it, else none: a theme that
  ; names a missing saver would switch the computer's saver off.
  StrCpy $1 ""
  IfFileExists "$SYSDIR\vorsaver.scr" 0 +2
    StrCpy $1 "$SYSDIR\vorsaver.scr"
  StrCmp $1 "" 0 +3
  IfFileExists "$WINDIR\vorsaver.scr" 0 +2
    StrCpy $1 "$WINDIR\vorsaver.scr"
  WriteINIStr "$INSTDIR\${THEME}" "boot" "SCRNSAVE.EXE" "$1"
  FlushINI "$INSTDIR\${THEME}"

  CreateDirectory "$PROGRAMFILES\Tarrowick Vorlaks"
  WriteUninstaller "${UNINSTALLER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section Uninstall
  ; The Themes folder as installed: the uninstaller lives elsewhere.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  StrCmp $0 "" 0 +2
    StrCpy $0 "$PROGRAMFILES\Plus!\Themes"
  Delete "$0\${THEME}"
  Delete "$0\${WALLPAPER}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "${UNINSTALLER}"
  ; Only when empty: the screen saver's own files may share it.
  RMDir "$PROGRAMFILES\Tarrowick Vorlaks"
SectionEnd
