; The installer: Tessaly.exe, the README and the glyph face's licence and notice in a programs
; folder, a Start menu entry, ".art" drawings opening in Tessaly on a double-click, and an
; uninstaller that takes all of it away again. It asks for no administrator rights. Run as it
; is, it installs for the user alone: %LOCALAPPDATA%\Programs\Tessaly (Windows' Program Files of
; one user), the user's Start menu, the file type under HKCU\Software\Classes. Run elevated ("Run
; as administrator"), it installs for every user: Program Files, the common Start menu,
; HKLM\Software\Classes.
;   makensis -DEXE=Tessaly.exe -DREADME=README.md -DOUTFILE=Tessaly-setup.exe -DVERSION=1.0.0 \
;            -DVERSION_TEXT=1.0 tessaly.nsi
; Paths given to makensis are taken from the folder of this script unless they are absolute.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define PRODUCT "Orv Tessaly"
!define PROG_ID "Tessaly.Disegno"
!define CLASSES "Software\Classes"
!define APPLICATION_KEY "${CLASSES}\Applications\Tessaly.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaly"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
!define RESOURCES "${__FILEDIR__}/../resources"
; The drawings' own icon in Tessaly.exe, by the id the program's resources give it.
!searchparse /file "${RESOURCES}/ResourceIds.h" "#define IDI_DOCUMENT" ICON_ID_FIELD
!searchreplace DOCUMENT_ICON_ID "${ICON_ID_FIELD}" " " ""
; The maker's site and the main window's title, as the program itself has them.
!define PRODUCT_INFO "${__FILEDIR__}/../app/rules/ProductInfo.h"
!searchparse /file "${PRODUCT_INFO}" 'SiteRoot = "' SITE '";'
!searchparse /file "${PRODUCT_INFO}" 'ProductName = "' PROGRAM_NAME '";'
!searchparse /file "${PRODUCT_INFO}" 'ProductTitle = "' WINDOW_TITLE_START '";'
!searchparse /file "${PRODUCT_INFO}" 'ProductNotice = "' WINDOW_TITLE_END '";'
!define HELP_PAGE "${SITE}/${PROGRAM_NAME}.asp"
; The main window is the process's first form, whose class the toolkit names "Window0".
!define MAIN_WINDOW_CLASS "Window0"
!define MAIN_WINDOW_TITLE "${WINDOW_TITLE_START} ${WINDOW_TITLE_END}"
!include "${__FILEDIR__}/thumbnail.nsh"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"

; Properties, Details of the installer and of the uninstaller it writes: the program's own version
; (VERSION_TEXT as the About box shows it), in the four numbers Windows wants.
VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey "CompanyName" "Orv"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "FileDescription" "${PRODUCT} - installazione"
VIAddVersionKey "FileVersion" "${VERSION_TEXT}"
VIAddVersionKey "ProductVersion" "${VERSION_TEXT}"
VIAddVersionKey "LegalCopyright" "${U+00A9} 2026 Orv"

!define MUI_ICON "${RESOURCES}/icons/app.ico"
!define MUI_UNICON "${RESOURCES}/icons/app.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tessaly.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Italian"

; A running Tessaly holds Tessaly.exe open: it is neither replaced nor removed until it is closed.
; Retry looks again; Cancel, and any silent run (/S), ends the installer or uninstaller with error
; level 2 before it has changed anything.
!macro WAIT_FOR_TESSALY_CLOSED
  ${Do}
    FindWindow $0 "${MAIN_WINDOW_CLASS}" "${MAIN_WINDOW_TITLE}"
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "Tessaly ${U+00E8} aperto. Chiuderlo e scegliere Riprova per continuare." \
      /SD IDCANCEL IDRETRY +3
    SetErrorLevel 2
    Quit
  ${Loop}
!macroend

; Explorer reads file types again: icons and "Open with" follow at once.
!macro NOTIFY_ASSOCIATIONS_CHANGED
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

; SetShellVarContext chooses the folders ($SMPROGRAMS) and the registry root SHCTX (HKLM for
; every user, HKCU for one). The account type of a token that is not elevated is "User" even
; for an administrator. A folder given with /D= is kept.
Function .onInit
  UserInfo::GetAccountType
  Pop $0
  StrCmp $0 "Admin" 0 oneUser
    SetShellVarContext all
    StrCmp $INSTDIR "" 0 +2
      StrCpy $INSTDIR "$PROGRAMFILES64\Tessaly"
    Return
  oneUser:
    SetShellVarContext current
    StrCmp $INSTDIR "" 0 +2
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Tessaly"
FunctionEnd

Section
  !insertmacro WAIT_FOR_TESSALY_CLOSED
  SetOutPath "$INSTDIR"
  File "/oname=Tessaly.exe" "${EXE}"
  File "/oname=README.md" "${README}"
  File "${RESOURCES}/glyph-face-LICENSE.txt"
  File "${RESOURCES}/glyph-face-NOTICE.md"
  !insertmacro InstallThumbnailHandler
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\Tessaly.exe"

  ; ".art" opens in Tessaly. A type another program held before is kept in the uninstall entry
  ; and given back when Tessaly goes, unless yet another has taken ".art" since.
  ReadRegStr $0 SHCTX "${CLASSES}\.art" ""
  ${If} $0 != ""
  ${AndIf} $0 != "${PROG_ID}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "PreviousArtType" $0
  ${EndIf}
  WriteRegStr SHCTX "${CLASSES}\.art" "" "${PROG_ID}"
  WriteRegStr SHCTX "${CLASSES}\.art\OpenWithProgids" "${PROG_ID}" ""
  WriteRegStr SHCTX "${CLASSES}\${PROG_ID}" "" "Disegno Tessaly"
  WriteRegStr SHCTX "${CLASSES}\${PROG_ID}\DefaultIcon" "" "$INSTDIR\Tessaly.exe,-${DOCUMENT_ICON_ID}"
  WriteRegStr SHCTX "${CLASSES}\${PROG_ID}\shell\open\command" "" '"$INSTDIR\Tessaly.exe" "%1"'
  ; "Open with" lists Tessaly for drawings whatever program their type belongs to.
  WriteRegStr SHCTX "${APPLICATION_KEY}\SupportedTypes" ".art" ""
  WriteRegStr SHCTX "${APPLICATION_KEY}\shell\open\command" "" '"$INSTDIR\Tessaly.exe" "%1"'

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tessaly.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Orv"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "URLInfoAbout" "${SITE}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "HelpLink" "${HELP_PAGE}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ; Settings, Apps shows the size of what lies in the folder now, in KB.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0

  !insertmacro NOTIFY_ASSOCIATIONS_CHANGED
SectionEnd

; An installation for every user is the one whose uninstall entry under HKLM names this folder.
Function un.onInit
  SetShellVarContext current
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  StrCmp $0 $INSTDIR 0 +2
    SetShellVarContext all
FunctionEnd

; Only what the installer wrote goes: values other programs keep under ".art" stay, and with
; them the keys that hold them.
Section "Uninstall"
  !insertmacro WAIT_FOR_TESSALY_CLOSED
  !insertmacro UninstallThumbnailHandler
  Delete "$INSTDIR\Tessaly.exe"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\glyph-face-LICENSE.txt"
  Delete "$INSTDIR\glyph-face-NOTICE.md"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"

  ; The default of ".art" is ours to undo only while it still names Tessaly: then the type held
  ; before comes back if its program is still there.
  ReadRegStr $0 SHCTX "${CLASSES}\.art" ""
  ${If} $0 == "${PROG_ID}"
    ReadRegStr $1 SHCTX "${UNINSTALL_KEY}" "PreviousArtType"
    ClearErrors
    ${If} $1 != ""
      EnumRegKey $2 HKCR "$1" 0
    ${EndIf}
    ${If} $1 != ""
    ${AndIfNot} ${Errors}
      WriteRegStr SHCTX "${CLASSES}\.art" "" $1
    ${Else}
      DeleteRegValue SHCTX "${CLASSES}\.art" ""
    ${EndIf}
  ${EndIf}
  DeleteRegValue SHCTX "${CLASSES}\.art\OpenWithProgids" "${PROG_ID}"
  DeleteRegKey SHCTX "${CLASSES}\${PROG_ID}"
  DeleteRegKey SHCTX "${APPLICATION_KEY}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ; What the program remembered for the user removing it: the window's place, recent drawings.
  DeleteRegKey HKCU "Software\Orv\Tessaly"
  DeleteRegKey /ifempty HKCU "Software\Orv"

  ; Last, once every entry of Tessaly's under ".art" has gone: the keys that hold nothing else.
  DeleteRegKey /ifempty SHCTX "${CLASSES}\.art\OpenWithProgids"
  DeleteRegKey /ifempty SHCTX "${CLASSES}\.art"
  !insertmacro NOTIFY_ASSOCIATIONS_CHANGED
SectionEnd
