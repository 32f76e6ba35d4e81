; The installer: Tessaly.exe and the README in the user's own programs folder, a Start menu
; entry, ".art" drawings opening in Tessaly on a double-click, and an uninstaller that takes
; all of it away again. Per user, so no administrator rights are asked for: the programs folder
; is %LOCALAPPDATA%\Programs (Windows' Program Files of one user) and the file type goes under
; HKCU\Software\Classes.
;   makensis -DEXE=Tessaly.exe -DREADME=README.md -DOUTFILE=Tessaly-setup.exe -DVERSION=1.0.0 tessaly.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define PRODUCT "Orv Tessaly"
!define PROG_ID "Tessaly.Disegno"
!define CLASSES "Software\Classes"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaly"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tessaly"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "/oname=Tessaly.exe" "${EXE}"
  File "/oname=README.md" "${README}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\Tessaly.exe"

  WriteRegStr HKCU "${CLASSES}\.art" "" "${PROG_ID}"
  WriteRegStr HKCU "${CLASSES}\${PROG_ID}" "" "Disegno Tessaly"
  WriteRegStr HKCU "${CLASSES}\${PROG_ID}\DefaultIcon" "" "$INSTDIR\Tessaly.exe,0"
  WriteRegStr HKCU "${CLASSES}\${PROG_ID}\shell\open\command" "" '"$INSTDIR\Tessaly.exe" "%1"'

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tessaly.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$INSTDIR\Tessaly.exe"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"

  ; ".art" is left alone when another program has taken it since.
  ReadRegStr $0 HKCU "${CLASSES}\.art" ""
  StrCmp $0 "${PROG_ID}" 0 +2
    DeleteRegKey HKCU "${CLASSES}\.art"
  DeleteRegKey HKCU "${CLASSES}\${PROG_ID}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
