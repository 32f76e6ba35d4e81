; The installer: Tessaly.exe and the README in a programs folder, a Start menu entry, ".art"
; drawings opening in Tessaly on a double-click, and an uninstaller that takes all of it away
; again. It asks for no administrator rights. Run as it is, it installs for the user alone:
; %LOCALAPPDATA%\Programs\Tessaly (Windows' Program Files of one user), the user's Start menu,
; the file type under HKCU\Software\Classes. Run elevated ("Run as administrator"), it installs
; for every user: Program Files, the common Start menu, HKLM\Software\Classes.
;   makensis -DEXE=Tessaly.exe -DREADME=README.md -DOUTFILE=Tessaly-setup.exe -DVERSION=1.0.0 \
;            -DVERSION_TEXT=1.0 tessaly.nsi
; Paths given to makensis are taken from the folder of this script unless they are absolute.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define PRODUCT "Orv Tessaly"
!define PROG_ID "Tessaly.Disegno"
!define CLASSES "Software\Classes"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaly"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
; The drawings' own icon in Tessaly.exe, by the id the program's resources give it.
!searchparse /file "${__FILEDIR__}/../resources/ResourceIds.h" "#define IDI_DOCUMENT" ICON_ID_FIELD
!searchreplace DOCUMENT_ICON_ID "${ICON_ID_FIELD}" " " ""

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

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

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
  SetOutPath "$INSTDIR"
  File "/oname=Tessaly.exe" "${EXE}"
  File "/oname=README.md" "${README}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\Tessaly.exe"

  WriteRegStr SHCTX "${CLASSES}\.art" "" "${PROG_ID}"
  WriteRegStr SHCTX "${CLASSES}\${PROG_ID}" "" "Disegno Tessaly"
  WriteRegStr SHCTX "${CLASSES}\${PROG_ID}\DefaultIcon" "" "$INSTDIR\Tessaly.exe,-${DOCUMENT_ICON_ID}"
  WriteRegStr SHCTX "${CLASSES}\${PROG_ID}\shell\open\command" "" '"$INSTDIR\Tessaly.exe" "%1"'

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tessaly.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; An installation for every user is the one whose uninstall entry under HKLM names this folder.
Function un.onInit
  SetShellVarContext current
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  StrCmp $0 $INSTDIR 0 +2
    SetShellVarContext all
FunctionEnd

Section "Uninstall"
  Delete "$INSTDIR\Tessaly.exe"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"

  ; ".art" is left alone when another program has taken it since.
  ReadRegStr $0 SHCTX "${CLASSES}\.art" ""
  StrCmp $0 "${PROG_ID}" 0 +2
    DeleteRegKey SHCTX "${CLASSES}\.art"
  DeleteRegKey SHCTX "${CLASSES}\${PROG_ID}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ; What the program remembered for the user removing it: the window's place, recent drawings.
  DeleteRegKey HKCU "Software\Orv\Tessaly"
  DeleteRegKey /ifempty HKCU "Software\Orv"
SectionEnd
