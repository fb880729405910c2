; Setup program of the game box: per user, no administrator prompt.
; Built by installer/CMakeLists.txt, which passes
;   VERSION   product version (three numbers, from project() in CMake)
;   TARGET    x86-unicode or amd64-unicode
;   BIN_DIR   folder of tamvelo-box.exe and tamvelo-tab.exe
;   SKIN_DIR  folder holding the skin's xml\ and skin\ folders
;   ICON      the program's icon
;   WIZARD_BITMAP  164 x 314 picture of the welcome and finish pages
;   HEADER_BITMAP  150 x 57 picture in the header of the pages between
;   OUTFILE   the setup program to write
; Command line of the uninstaller: /S silent, /DELETESETTINGS also removes
; config\ (the user's settings and stored login).
Unicode true
Target "${TARGET}"
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define PRODUCT "tamvelo游戏盒子"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\tamvelo-box"
!define FEATURE_ROOT "Software\Microsoft\Internet Explorer\Main\FeatureControl"
!define MAIN_WINDOW_CLASS "MainWnd_Tamvelo_Box"
; Where both programs look for their skin and settings.
!define DATA_DIR "$APPDATA\tamvelo\gamebox"
; A silent run waits this many half seconds for the box to quit.
!define SILENT_WAIT_STEPS 20
; Exit code of a run that stopped because the box kept running.
!define EXIT_BOX_RUNNING 3

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\tamvelo"
; An update goes where the earlier version is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow
; The product, not the installer system, in the line above the buttons.
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "CompanyName" "tamvelo"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "tamvelo"

; The product's own icon and pictures, so that the setup program and the
; uninstaller look like the game box rather than a generic wizard.
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD_BITMAP}"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${WIZARD_BITMAP}"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${HEADER_BITMAP}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\tamvelo-box.exe"

; MUI2's own title and closing line; the body says what goes where.
!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!define MUI_WELCOMEPAGE_TEXT "$(UnWelcomeText)"
!insertmacro MUI_UNPAGE_WELCOME
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_UNPAGE_FINISH

!insertmacro MUI_LANGUAGE "SimpChinese"

LangString WelcomeText ${LANG_SIMPCHINESE} "此程序将为当前用户安装 ${PRODUCT} ${VERSION}：游戏盒、它的游戏标签程序和皮肤，开始菜单中的快捷方式，以及（可选的）桌面快捷方式。不需要管理员权限。$\r$\n$\r$\n程序安装到（下一页可以更改）：$\r$\n$INSTDIR$\r$\n$\r$\n皮肤和您的设置放在：$\r$\n${DATA_DIR}$\r$\n$\r$\n$_CLICK"
LangString UnWelcomeText ${LANG_SIMPCHINESE} "此程序将从本机卸载 ${PRODUCT}：删除程序文件夹$\r$\n$INSTDIR$\r$\n以及皮肤和快捷方式。$\r$\n$\r$\n您的设置和保存的登录信息会保留，除非您在后面的页面中选择“同时删除我的设置”。$\r$\n$\r$\n在卸载之前，请确认 ${PRODUCT} 已经关闭。$\r$\n$\r$\n$_CLICK"
LangString BoxRunning ${LANG_SIMPCHINESE} "${PRODUCT}正在运行。$\r$\n请先退出游戏盒（托盘图标菜单中的“退出游戏盒”），然后点击“重试”；点击“取消”停止。"
LangString DescDesktop ${LANG_SIMPCHINESE} "在桌面上放一个游戏盒的快捷方式"
LangString DescUnSettings ${LANG_SIMPCHINESE} "同时删除您的设置和保存的登录信息（config 文件夹）"

; Stops here, before any file is touched, while the box runs: while its
; main window exists, or while a tamvelo-tab.exe of the install folder still
; runs (a tab told to end, or the waiting tab, can outlive the main window by
; a few seconds), seen as the file not opening for writing. The tab program
; is waited for a bounded time first; then, as for the main window, the user
; is asked to quit the box (retry or cancel), and a silent run ends with
; EXIT_BOX_RUNNING after a bounded wait.
!macro DEFINE_WAIT_FOR_BOX_TO_QUIT prefix
Function ${prefix}TabProgramBusy
  StrCpy $2 0
  ${If} ${FileExists} "$INSTDIR\tamvelo-tab.exe"
    ClearErrors
    FileOpen $3 "$INSTDIR\tamvelo-tab.exe" a
    ${If} ${Errors}
      StrCpy $2 1
    ${Else}
      FileClose $3
    ${EndIf}
  ${EndIf}
FunctionEnd

Function ${prefix}WaitForBoxToQuit
  StrCpy $1 0
  ${Do}
    FindWindow $0 "${MAIN_WINDOW_CLASS}"
    Call ${prefix}TabProgramBusy
    ${If} $0 = 0
    ${AndIf} $2 = 0
      Return
    ${EndIf}
    ${If} $0 = 0
    ${AndIf} $1 < ${SILENT_WAIT_STEPS}
      ; Only the tab program is left, which ends by itself soon.
      Sleep 500
      IntOp $1 $1 + 1
    ${ElseIf} ${Silent}
      ${If} $1 >= ${SILENT_WAIT_STEPS}
        SetErrorLevel ${EXIT_BOX_RUNNING}
        Quit
      ${EndIf}
      Sleep 500
      IntOp $1 $1 + 1
    ${Else}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(BoxRunning)" IDRETRY retry
      SetErrorLevel ${EXIT_BOX_RUNNING}
      Quit
      retry:
      StrCpy $1 0
    ${EndIf}
  ${Loop}
FunctionEnd
!macroend
!insertmacro DEFINE_WAIT_FOR_BOX_TO_QUIT ""
!insertmacro DEFINE_WAIT_FOR_BOX_TO_QUIT "un."

; The browser feature-control values the programs write at every start,
; named after their executables.
!macro DELETE_FEATURE_VALUES feature
  DeleteRegValue HKCU "${FEATURE_ROOT}\${feature}" "tamvelo-box.exe"
  DeleteRegValue HKCU "${FEATURE_ROOT}\${feature}" "tamvelo-tab.exe"
!macroend

Function .onInit
  Call WaitForBoxToQuit
FunctionEnd

Section "-program"
  ; The user may have started the box while the pages were shown.
  Call WaitForBoxToQuit

  SetOutPath "$INSTDIR"
  File "${BIN_DIR}/tamvelo-box.exe"
  File "${BIN_DIR}/tamvelo-tab.exe"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The skin is replaced as a whole; config\ is the user's and stays.
  RMDir /r "${DATA_DIR}\xml"
  RMDir /r "${DATA_DIR}\skin"
  SetOutPath "${DATA_DIR}"
  File /r "${SKIN_DIR}/xml"
  File /r "${SKIN_DIR}/skin"
  CreateDirectory "${DATA_DIR}\config"

  ; Shortcuts start in the program folder.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\tamvelo-box.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "tamvelo"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tamvelo-box.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  ${GetSize} "${DATA_DIR}" "/S=0K" $3 $1 $2
  IntOp $0 $0 + $3
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "桌面快捷方式" SecDesktop
  SetOutPath "$INSTDIR"
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\tamvelo-box.exe"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "$(DescDesktop)"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "-un.program"
  Call un.WaitForBoxToQuit

  Delete "$INSTDIR\tamvelo-box.exe"
  Delete "$INSTDIR\tamvelo-tab.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  RMDir /r "${DATA_DIR}\xml"
  RMDir /r "${DATA_DIR}\skin"

  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"

  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  !insertmacro DELETE_FEATURE_VALUES "FEATURE_BROWSER_EMULATION"
  !insertmacro DELETE_FEATURE_VALUES "FEATURE_SCRIPTURL_MITIGATION"
SectionEnd

Section /o "un.同时删除我的设置" UnSecSettings
  RMDir /r "${DATA_DIR}\config"
SectionEnd

; Last: the data folders go only when nothing of the user's is left in them.
Section "-un.folders"
  RMDir "${DATA_DIR}"
  RMDir "$APPDATA\tamvelo"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${UnSecSettings} "$(DescUnSettings)"
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END

Function un.onInit
  Call un.WaitForBoxToQuit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/DELETESETTINGS" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${UnSecSettings}
  ${EndIf}
FunctionEnd
