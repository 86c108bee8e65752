; Zintor's per-user installer: no administrator rights, under %LOCALAPPDATA%\Programs\Zintor,
; Start-menu entries, an uninstaller in the user's "Apps" list, the licence shown first.
;   makensis -DVERSION=3.1 -DSTAGE=<laid-out programs> -DICON=<zintor.ico> -DLICENCE=<file>
;            -DFILES=<uninstall list> -DOUTFILE=<setup.exe> zintor.nsi     (package.sh does it)
; 64-bit: the programs are, and Debian's wine64 alone cannot run NSIS's x86 stub.
Target amd64-unicode
Name "Zintor ${VERSION}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Zintor"
SetCompressor /SOLID lzma
BrandingText "Zintor ${VERSION}"
LicenseData "${LICENCE}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zintor"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "Zintor"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Zintor ${VERSION} setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 the Zintor developers"

Page license
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Zintor"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateDirectory "$SMPROGRAMS\Zintor"
  CreateShortcut "$SMPROGRAMS\Zintor\Zintor.lnk" "$INSTDIR\zintor.exe"
  CreateShortcut "$SMPROGRAMS\Zintor\Uninstall Zintor.lnk" "$INSTDIR\uninstall.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Zintor"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Zintor developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\zintor.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Exactly the files installed (package.sh lists them), so a folder chosen by hand loses
; nothing else; the settings go too.
Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\Zintor\Zintor.lnk"
  Delete "$SMPROGRAMS\Zintor\Uninstall Zintor.lnk"
  RMDir "$SMPROGRAMS\Zintor"
!include "${FILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\QTX_Zintor"
SectionEnd
