; install\insttmNT.exe: the Tarrowick Vorlaks wallpaper alone, for Windows
; NT 4 and 2000, and for Windows 95/98 without Desktop Themes (from the
; menu's theme dialog).
;
; Copies the wallpaper that suits the screen (800 x 600, or 1024 x 768 on
; screens at least that wide) into the Windows folder and makes it the
; desktop's, centred. The uninstaller puts the desktop's previous wallpaper
; back and deletes the file.
;
;   makensis -DRES=<resources/wallpaper> -DOUTFILE=<insttmNT.exe> cd/insttmNT.nsi

Unicode false
SetCompressor /SOLID lzma
!ifndef RES
  !define RES "..\resources\wallpaper"
!endif
!ifndef OUTFILE
  !define OUTFILE "insttmNT.exe"
!endif

!define PRODUCT "Tarrowick Vorlaks Wallpaper"
!define WALLPAPER "Tarrowick Vorlaks.bmp"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TarrowickVorlaksWallpaper"
!define UNINSTALLER "$PROGRAMFILES\Tarrowick Vorlaks\Uninstall Wallpaper.exe"
; Where the desktop's settings before ours are kept for the uninstaller.
!define SAVED_KEY "Software\Tarrowick Vorlaks\Wallpaper"
!define DESKTOP_KEY "Control Panel\Desktop"

Name "${PRODUCT}"
Caption "${PRODUCT} Setup"
OutFile "${OUTFILE}"
InstallDir "$WINDIR"
RequestExecutionLevel admin
XPStyle on
ShowInstDetails nevershow
ShowUninstDetails nevershow

Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; SystemParametersInfo(SPI_SETDESKWALLPAPER, 0, path,
; SPIF_UPDATEINIFILE | SPIF_SENDCHANGE): the desktop shows it at once and
; the setting is written where this Windows keeps it.
!macro SetDeskWallpaper PATH
  System::Call 'user32::SystemParametersInfoA(i 20, i 0, t "${PATH}", i 3) i .r9'
!macroend

Section
  SetOutPath "$INSTDIR"
  System::Call 'user32::GetSystemMetrics(i 0) i .r0'
  IntCmp $0 1024 big small big
  big:
    File "/oname=${WALLPAPER}" "${RES}\vorlaks1024.bmp"
    Goto pictured
  small:
    File "/oname=${WALLPAPER}" "${RES}\vorlaks800.bmp"
  pictured:

  ; The settings before ours, kept once: installing again must not take
  ; our own wallpaper for the one to go back to.
  ReadRegStr $1 HKCU "${SAVED_KEY}" "Saved"
  StrCmp $1 "1" saved
    ReadRegStr $1 HKCU "${DESKTOP_KEY}" "Wallpaper"
    ReadRegStr $2 HKCU "${DESKTOP_KEY}" "TileWallpaper"
    ReadRegStr $3 HKCU "${DESKTOP_KEY}" "WallpaperStyle"
    WriteRegStr HKCU "${SAVED_KEY}" "Wallpaper" "$1"
    WriteRegStr HKCU "${SAVED_KEY}" "TileWallpaper" "$2"
    WriteRegStr HKCU "${SAVED_KEY}" "WallpaperStyle" "$3"
    WriteRegStr HKCU "${SAVED_KEY}" "Saved" "1"
  saved:

  ; Centred, not tiled: the picture is the screen's size.
  WriteRegStr HKCU "${DESKTOP_KEY}" "TileWallpaper" "0"
  WriteRegStr HKCU "${DESKTOP_KEY}" "WallpaperStyle" "0"
  WriteRegStr HKCU "${DESKTOP_KEY}" "Wallpaper" "$INSTDIR\${WALLPAPER}"
  !insertmacro SetDeskWallpaper "$INSTDIR\${WALLPAPER}"

  CreateDirectory "$PROGRAMFILES\Tarrowick Vorlaks"
  WriteUninstaller "${UNINSTALLER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section Uninstall
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  StrCmp $0 "" 0 +2
    StrCpy $0 "$WINDIR"

  ; The previous wallpaper back, unless the user has chosen another since.
  ReadRegStr $4 HKCU "${DESKTOP_KEY}" "Wallpaper"
  StrCmp $4 "$0\${WALLPAPER}" 0 restored
  ReadRegStr $1 HKCU "${SAVED_KEY}" "Wallpaper"
  ReadRegStr $2 HKCU "${SAVED_KEY}" "TileWallpaper"
  ReadRegStr $3 HKCU "${SAVED_KEY}" "WallpaperStyle"
  StrCmp $2 "" +2
    WriteRegStr HKCU "${DESKTOP_KEY}" "TileWallpaper" "$2"
  StrCmp $3 "" +2
    WriteRegStr HKCU "${DESKTOP_KEY}" "WallpaperStyle" "$3"
  WriteRegStr HKCU "${DESKTOP_KEY}" "Wallpaper" "$1"
  !insertmacro SetDeskWallpaper "$1"
  restored:
  DeleteRegKey HKCU "${SAVED_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Tarrowick Vorlaks"

  Delete "$0\${WALLPAPER}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "${UNINSTALLER}"
  RMDir "$PROGRAMFILES\Tarrowick Vorlaks"
SectionEnd
