; Vellomir's installer, German like the program. A per-user install without administrator
; rights into %LOCALAPPDATA%\Programs\Vellomir, a Start-menu shortcut that starts the program
; in its own folder, and an uninstaller listed among the user's installed apps. Both run
; silently with /S. The uninstaller removes exactly what the installer made.
;
; Neither changes anything while Vellomir runs: a running exe can be neither replaced nor
; removed. Both look for it before they start and again right before they change a file, and
; ask the user to end it (silent: exit code 2). The uninstaller is all or nothing: a file it
; cannot remove keeps the uninstall entry and the uninstaller, so the user can try again.
; Exit codes: 0 done; 1 cancelled by the user; 2 Vellomir runs, nothing changed; 3 a file
; could not be written or removed, the uninstall entry stays.
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
!include "LogicLib.nsh"

!define PUBLISHER "Vellomir-Team"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vellomir"
!define SHORTCUT "$SMPROGRAMS\Vellomir.lnk"
; Every running Vellomir holds this mutex; copies made before it existed show their window.
!define RUNNING_MARK "Local\Vellomir.Running"
!define WINDOW_CLASS "WindowClass_0"
!define WINDOW_TITLE "Vellomir V1.0"
!define EXIT_RUNNING 2
!define EXIT_FILES 3

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

; Ends the installer or uninstaller with EXIT_RUNNING while Vellomir runs, unless the user
; ends it and chooses Retry. Looking for a named object or a window needs no rights.
!macro REFUSE_WHILE_RUNNING un
Function ${un}RefuseWhileRunning
  Push $0
  Push $1
  ${Do}
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_MARK}") p.r0'
    ${If} $0 P<> 0
      System::Call 'kernel32::CloseHandle(p r0)'
    ${EndIf}
    FindWindow $1 "${WINDOW_CLASS}" "${WINDOW_TITLE}"
    ${If} $0 P= 0
    ${AndIf} $1 P= 0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "Vellomir läuft noch. Bitte beenden Sie Vellomir und wählen Sie Wiederholen." \
      /SD IDCANCEL IDRETRY retry
    SetErrorLevel ${EXIT_RUNNING}
    Quit
    retry:
  ${Loop}
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro REFUSE_WHILE_RUNNING ""
!insertmacro REFUSE_WHILE_RUNNING "un."

Function .onInit
  Call RefuseWhileRunning
FunctionEnd

Function un.onInit
  Call un.RefuseWhileRunning
FunctionEnd

; The program reads gfx\vlmr.png relative to its working directory: started from the
; finish page, as from the shortcut, it runs in the install folder.
Function StartVellomir
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\vellomir.exe"'
FunctionEnd

; Writes one file, or stops the install with EXIT_FILES (set by the section) and says which.
!macro PUT_FILE SOURCE TARGET
  ClearErrors
  File "/oname=${TARGET}" "${SOURCE}"
  ${If} ${Errors}
    StrCpy $0 "${TARGET}"
    Call CannotWrite
  ${EndIf}
!macroend

Function CannotWrite
  MessageBox MB_OK|MB_ICONSTOP \
    "$0 lässt sich nicht schreiben. Bitte schließen Sie, was die Datei verwendet, und installieren Sie Vellomir erneut." \
    /SD IDOK
  Abort
FunctionEnd

; The uninstaller and its entry come first, so that whatever an interrupted install leaves
; can be removed; version and size follow once every file is in place.
Section
  Call RefuseWhileRunning
  ; Any abort from here on (a file that cannot be written, or the user's choice on the
  ; message that says so) means some file is not in place.
  SetErrorLevel ${EXIT_FILES}
  SetOutPath "$INSTDIR"
  ClearErrors
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ${If} ${Errors}
    StrCpy $0 "$INSTDIR\uninstall.exe"
    Call CannotWrite
  ${EndIf}
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vellomir"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vellomir.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1

  !insertmacro PUT_FILE "${STAGE}/vellomir.exe" "$INSTDIR\vellomir.exe"
  !insertmacro PUT_FILE "${STAGE}/LIESMICH.txt" "$INSTDIR\LIESMICH.txt"
  CreateDirectory "$INSTDIR\gfx"
  !insertmacro PUT_FILE "${STAGE}/gfx/vlmr.png" "$INSTDIR\gfx\vlmr.png"

  ; A shortcut's working directory is the output folder at the time it is made.
  CreateShortcut "${SHORTCUT}" "$INSTDIR\vellomir.exe" "" "$INSTDIR\vellomir.exe" 0
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  SetErrorLevel 0
SectionEnd

; Removes one file the installer made, or stops the uninstall with EXIT_FILES and says which.
!macro REMOVE_FILE FILE
  Delete "${FILE}"
  ${If} ${FileExists} "${FILE}"
    StrCpy $0 "${FILE}"
    Call un.CannotRemove
  ${EndIf}
!macroend

Function un.CannotRemove
  MessageBox MB_OK|MB_ICONSTOP \
    "$0 lässt sich nicht löschen. Vellomir bleibt installiert. Bitte schließen Sie, was die Datei verwendet, und deinstallieren Sie Vellomir erneut." \
    /SD IDOK
  SetErrorLevel ${EXIT_FILES}
  Abort
FunctionEnd

; Only the files the installer made: a folder the user chose may hold others, and then it
; stays. Folder and key that only this install created are removed when left empty. The
; program goes first: if it still cannot go, nothing has changed. The entry goes last, once
; every file is gone. Run in place (_?=), the uninstaller cannot remove itself and leaves
; uninstall.exe to whoever ran it so; started the usual way it runs from a copy.
Section "Uninstall"
  Call un.RefuseWhileRunning
  !insertmacro REMOVE_FILE "$INSTDIR\vellomir.exe"
  !insertmacro REMOVE_FILE "$INSTDIR\LIESMICH.txt"
  !insertmacro REMOVE_FILE "$INSTDIR\gfx\vlmr.png"
  !insertmacro REMOVE_FILE "${SHORTCUT}"
  ${If} "$EXEPATH" != "$INSTDIR\uninstall.exe"
    !insertmacro REMOVE_FILE "$INSTDIR\uninstall.exe"
  ${EndIf}
  RMDir "$INSTDIR\gfx"
  RMDir "$INSTDIR"
  RMDir "$LOCALAPPDATA\Programs"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall"
SectionEnd
