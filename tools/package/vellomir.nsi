; Vellomir's installer, German like the program. A per-user install without administrator
; rights into %LOCALAPPDATA%\Programs\Vellomir, a Start-menu shortcut that starts the program
; in its own folder, and an uninstaller listed among the user's installed apps. Both run
; silently with /S. The uninstaller removes exactly what the installer made.
;
; Made by scripts/package, which passes:
;   VERSION  the release version ("1.0"), as in the program's version record
;   STAGE    the folder holding exactly the files to install
;   ICON     the program's icon file
;   OUTFILE  where the installer goes
; No file times are stored (SetDateSave off), so the same inputs give the same installer.

!ifndef VERSION | STAGE | ICON | OUTFILE
  !error "makensis -DVERSION=... -DSTAGE=... -DICON=... -DOUTFILE=... vellomir.nsi"
!endif

Unicode true
Target amd64-unicode
SetCompressor /SOLID /FINAL lzma
SetDateSave off
RequestExecutionLevel user

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define PUBLISHER "Vellomir-Team"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vellomir"
!define SHORTCUT "$SMPROGRAMS\Vellomir.lnk"

Name "Vellomir ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Vellomir"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Vellomir ${VERSION}"
ShowInstDetails hide
ShowUninstDetails hide

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Vellomir jetzt starten"
!define MUI_FINISHPAGE_RUN_FUNCTION StartVellomir
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductName" "Vellomir"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileDescription" "Vellomir ${VERSION} installieren"
VIAddVersionKey /LANG=${LANG_GERMAN} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_GERMAN} "LegalCopyright" "Copyright 2026 ${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductVersion" "${VERSION}"

; The program reads gfx\vlmr.png relative to its working directory: started from the
; finish page, as from the shortcut, it runs in the install folder.
Function StartVellomir
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\vellomir.exe"'
FunctionEnd

Section
  SetOutPath "$INSTDIR"
  File "${STAGE}/vellomir.exe"
  File "${STAGE}/LIESMICH.txt"
  SetOutPath "$INSTDIR\gfx"
  File "${STAGE}/gfx/vlmr.png"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; A shortcut's working directory is the output folder at the time it is made.
  SetOutPath "$INSTDIR"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\vellomir.exe" "" "$INSTDIR\vellomir.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vellomir"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vellomir.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Only the files the installer made: a folder the user chose may hold others, and then it
; stays. Folder and key that only this install created are removed when left empty.
Section "Uninstall"
  Delete "${SHORTCUT}"
  Delete "$INSTDIR\vellomir.exe"
  Delete "$INSTDIR\LIESMICH.txt"
  Delete "$INSTDIR\gfx\vlmr.png"
  RMDir "$INSTDIR\gfx"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$LOCALAPPDATA\Programs"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall"
SectionEnd
