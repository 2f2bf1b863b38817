; The Windows installer, Quorvandel-<version>-setup.exe, made by makensis
; from the build (the windows-installer target passes the defines below).
; Per-user by default (no administrator rights: %LOCALAPPDATA%\Programs),
; or for every user of the machine (Program Files) on the install-mode page
; or with /AllUsers; a Start menu entry, an optional desktop shortcut, and
; an uninstaller listed among the installed apps that removes every file it
; installed and keeps the user's settings unless asked. /S runs either one
; silently; on the command line /AllUsers (or /CurrentUser) chooses the
; install mode, /DesktopShortcut adds the desktop shortcut, and the
; uninstaller's /RemoveSettings removes the user's settings file too.
;   VERSION     the program's version, such as 1.0.0
;   PROGRAM     quorvandel.exe      CONVERTER  quorvandel-convert.exe
;   README      README.md           ICON       quorvandel.ico
;   OUTFILE     the installer to write

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define APP_NAME "Quorvandel"
!define PUBLISHER "The Quorvandel developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvandel"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_FILE "Quorvandel.ini"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP_NAME}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include x64.nsh
!include FileFunc.nsh

Name "${APP_NAME} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${APP_NAME} ${VERSION}"
ManifestDPIAware true

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${APP_NAME}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${APP_NAME} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\quorvandel.exe"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_UNCOMPONENTSPAGE_NODESC

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Section "${APP_NAME} (required)" SectionProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "/oname=quorvandel.exe" "${PROGRAM}"
  File "/oname=quorvandel-convert.exe" "${CONVERTER}"
  File "/oname=README.md" "${README}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${APP_NAME}.lnk" "$INSTDIR\quorvandel.exe" "" "$INSTDIR\quorvandel.exe" 0

  ; Apps and features (Add/Remove Programs), for this user or the machine.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quorvandel.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" 40000
SectionEnd

Section /o "Desktop shortcut" SectionDesktop
  CreateShortcut "$DESKTOP\${APP_NAME}.lnk" "$INSTDIR\quorvandel.exe" "" "$INSTDIR\quorvandel.exe" 0
SectionEnd

Section "-un.Program"
  Delete "$INSTDIR\quorvandel.exe"
  Delete "$INSTDIR\quorvandel-convert.exe"
  Delete "$INSTDIR\README.md"
  Delete "$SMPROGRAMS\${APP_NAME}.lnk"
  Delete "$DESKTOP\${APP_NAME}.lnk"
  ; The program's start at log-in would point at nothing now.
  DeleteRegValue HKLM "${RUN_KEY}" "${APP_NAME}"
  DeleteRegValue HKCU "${RUN_KEY}" "${APP_NAME}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd

; Unchecked: the settings stay for a later install unless the user asks.
Section /o "un.Your settings (${SETTINGS_FILE})" SectionSettings
  Delete "$INSTDIR\${SETTINGS_FILE}"
  ; Where the program keeps them when its folder is not writable.
  SetShellVarContext current
  Delete "$APPDATA\${APP_NAME}\${SETTINGS_FILE}"
  RMDir "$APPDATA\${APP_NAME}\Original files"
  RMDir "$APPDATA\${APP_NAME}\Converted files"
  RMDir "$APPDATA\${APP_NAME}"
  ${If} $MultiUser.InstallMode == "AllUsers"
    SetShellVarContext all
  ${EndIf}
SectionEnd

; The uninstaller last, as the sign that the rest is done; the folders only
; when empty: the user's own files in them stay.
Section "-un.Folder"
  ; The first run's default folders, when the user left nothing in them.
  RMDir "$INSTDIR\Original files"
  RMDir "$INSTDIR\Converted files"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd

; After the sections, whose numbers the command-line options select.
Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "${APP_NAME} needs 64-bit Windows 10 or newer." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  !insertmacro MULTIUSER_INIT
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/DesktopShortcut" $R1
  ${IfNot} ${Errors}
    SectionSetFlags ${SectionDesktop} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

Function un.onInit
  SetRegView 64
  !insertmacro MULTIUSER_UNINIT
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/RemoveSettings" $R1
  ${IfNot} ${Errors}
    SectionSetFlags ${SectionSettings} ${SF_SELECTED}
  ${EndIf}
FunctionEnd
