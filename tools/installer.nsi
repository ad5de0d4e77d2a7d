; The Mivoka installer: per user and without elevation, into a folder the
; user owns (the program writes resume.txt, and with use.ini Mivoka.ini,
; beside its executable), with a Start-menu shortcut, an optional desktop
; shortcut and an entry in the current user's list of installed programs.
; Installing over an older version keeps the settings; the uninstaller
; removes them only when asked to, the way the program's own command
; "設定情報を削除して終了" does.
;
; Built by tools/package.sh:
;   makensis -INPUTCHARSET UTF8 -DVERSION=2.7 -DROOT=<repository> -DDIST=<dist folder>
;            -DFILES=<files.nsh> -DOUTFILE=<setup.exe> tools/installer.nsi
; FILES defines the macros MIVOKA_INSTALL_FILES and MIVOKA_REMOVE_FILES
; (the files of the dist folder), written by tools/package.sh.
;
; Command line: /S runs silently, /D=FOLDER (last) installs elsewhere. The
; uninstaller takes /S too; /S /REMOVESETTINGS also removes the settings.
; Exit code 3: Mivoka is running (silent) or the user cancelled waiting for it.

Unicode true
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Mivoka"
!define MAKER_KEY "Software\Velmora Tools"
!define SETTINGS_KEY "Software\Velmora Tools\Mivoka"
; The class of the main window: one is open while Mivoka runs.
!define WINDOW_CLASS "Mivoka"
!define EXIT_RUNNING 3

!include "${FILES}"

Name "Mivoka ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Mivoka"
; An upgrade goes into the folder of the installed version.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Velmora Tools"

!define MUI_ICON "${ROOT}/resources/mivoka.ico"
!define MUI_UNICON "${ROOT}/resources/mivoka.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Mivoka.exe"
!define MUI_WELCOMEPAGE_TEXT "Mivoka ${VERSION} をこのユーザー用にインストールします。管理者の権限は要りません。$\r$\n$\r$\nMivoka は設定ファイル (Mivoka.ini) や前回終了時の状態 (resume.txt) を自分のフォルダに書き込むため、あなたが書き込めるフォルダ (既定では %LOCALAPPDATA%\Programs\Mivoka) にインストールします。以前のバージョンの上にインストールしても設定はそのまま使えます。$\r$\n$\r$\n「次へ」をクリックして続行してください。"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "チェックを入れると、設定情報 (レジストリの設定、resume.txt、Mivoka.ini、use.ini) も削除します。入れなければ残り、もう一度インストールしたときにそのまま使われます。"
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Japanese"

LangString MivokaRunning ${LANG_JAPANESE} "Mivoka が起動しています。$\r$\n$\r$\nMivoka を終了してから「再試行」を押してください。"

VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "Mivoka"
VIAddVersionKey /LANG=${LANG_JAPANESE} "CompanyName" "Velmora Tools"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "Mivoka ${VERSION} のセットアップ"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "Copyright (C) 2026 Velmora Tools"

; Waits until no Mivoka window is open: asks the user to close it (Retry,
; Cancel); a silent run cannot ask and ends at once with EXIT_RUNNING.
!macro WAIT_FOR_MIVOKA un
Function ${un}wait_for_mivoka
  ${Do}
    FindWindow $0 "${WINDOW_CLASS}"
    ${If} $0 = 0
      Return
    ${EndIf}
    ${If} ${Silent}
      SetErrorLevel ${EXIT_RUNNING}
      Quit
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(MivokaRunning)" IDRETRY retry
    SetErrorLevel ${EXIT_RUNNING}
    Quit
    retry:
  ${Loop}
FunctionEnd
!macroend
!insertmacro WAIT_FOR_MIVOKA ""
!insertmacro WAIT_FOR_MIVOKA "un."

Function .onInit
  SetShellVarContext current
  Call wait_for_mivoka
FunctionEnd

Section "Mivoka" SecProgram
  SectionIn RO
  ; Started again while the pages were shown?
  Call wait_for_mivoka
  ; Only the program's files: resume.txt, Mivoka.ini and use.ini stay.
  !insertmacro MIVOKA_INSTALL_FILES
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\Mivoka.lnk" "$INSTDIR\Mivoka.exe" "" "$INSTDIR\Mivoka.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Mivoka"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Velmora Tools"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Mivoka.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "デスクトップにショートカットを作成" SecDesktop
  SetOutPath "$INSTDIR"
  CreateShortCut "$DESKTOP\Mivoka.lnk" "$INSTDIR\Mivoka.exe" "" "$INSTDIR\Mivoka.exe" 0
SectionEnd

; --- Uninstaller ---------------------------------------------------------------

Section "-un.Program"
  !insertmacro MIVOKA_REMOVE_FILES
  Delete "$INSTDIR\Uninstall.exe"
  Delete "$SMPROGRAMS\Mivoka.lnk"
  Delete "$DESKTOP\Mivoka.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

; As the program's command does: only a key that holds "_count" counts as
; the program's settings. The key goes (not when it has subkeys), and only
; once it is gone the maker's shared "tools" counter goes down by one, or the
; maker's key goes (again not when it has subkeys) when the counter is below
; 2 or missing.
Function un.remove_registry_settings
  ClearErrors
  ReadRegDWORD $0 HKCU "${SETTINGS_KEY}" "_count"
  ${If} ${Errors}
  ${OrIf} $0 = -1
    Return
  ${EndIf}
  DeleteRegKey /ifnosubkeys HKCU "${SETTINGS_KEY}"
  ClearErrors
  ReadRegDWORD $0 HKCU "${SETTINGS_KEY}" "_count"
  ${IfNot} ${Errors}
    Return
  ${EndIf}
  ClearErrors
  ReadRegDWORD $1 HKCU "${MAKER_KEY}" "tools"
  ${If} ${Errors}
    StrCpy $1 -1
  ${EndIf}
  ${If} $1 < 2
    DeleteRegKey /ifnosubkeys HKCU "${MAKER_KEY}"
  ${Else}
    IntOp $1 $1 - 1
    WriteRegDWORD HKCU "${MAKER_KEY}" "tools" $1
  ${EndIf}
FunctionEnd

Section /o "un.設定情報も削除する" SecSettings
  Call un.remove_registry_settings
  Delete "$INSTDIR\resume.txt"
  Delete "$INSTDIR\Mivoka.ini"
  Delete "$INSTDIR\use.ini"
SectionEnd

; The folder goes only when nothing of the user's is left in it.
Section "-un.Folder"
  RMDir "$INSTDIR"
SectionEnd

Function un.onInit
  SetShellVarContext current
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecSettings}
  ${EndIf}
  Call un.wait_for_mivoka
FunctionEnd
