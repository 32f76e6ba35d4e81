; Explorer's thumbnails of ".art" drawings: TessalyThumbnail.dll beside Tessaly.exe, its class
; under SHCTX (HKLM or HKCU, as the main script chose) and the ".art" thumbnail handler entry.
; makensis is given the DLL's path as THUMBNAIL_DLL; the class id comes from the header the DLL
; itself is built with.
!searchparse /file "${__FILEDIR__}/../thumbnail/ThumbnailClassId.h" '#define TESSALY_THUMBNAIL_CLSID "' THUMBNAIL_CLSID '"'
!define THUMBNAIL_CLASS "Software\Classes\CLSID\${THUMBNAIL_CLSID}"
; IThumbnailProvider's interface id: the shell looks up the handler of a type under it.
!define THUMBNAIL_SHELLEX "Software\Classes\.art\ShellEx"
!define THUMBNAIL_HANDLER "${THUMBNAIL_SHELLEX}\{e357fccd-a995-4576-b01f-234630154e96}"

; In the install section, after SetOutPath "$INSTDIR".
!macro InstallThumbnailHandler
  File "/oname=TessalyThumbnail.dll" "${THUMBNAIL_DLL}"
  WriteRegStr SHCTX "${THUMBNAIL_CLASS}" "" "Miniature dei disegni Tessaly"
  WriteRegStr SHCTX "${THUMBNAIL_CLASS}\InprocServer32" "" "$INSTDIR\TessalyThumbnail.dll"
  WriteRegStr SHCTX "${THUMBNAIL_CLASS}\InprocServer32" "ThreadingModel" "Apartment"
  WriteRegStr SHCTX "${THUMBNAIL_HANDLER}" "" "${THUMBNAIL_CLSID}"
!macroend

; In the uninstall section, before the folder is removed. Another program's entries under
; ".art\ShellEx" stay, and so does the key then; ".art" itself is the main script's.
!macro UninstallThumbnailHandler
  Delete /REBOOTOK "$INSTDIR\TessalyThumbnail.dll"
  DeleteRegKey SHCTX "${THUMBNAIL_CLASS}"
  ReadRegStr $0 SHCTX "${THUMBNAIL_HANDLER}" ""
  StrCmp $0 "${THUMBNAIL_CLSID}" 0 +2
    DeleteRegKey SHCTX "${THUMBNAIL_HANDLER}"
  DeleteRegKey /ifempty SHCTX "${THUMBNAIL_SHELLEX}"
!macroend
