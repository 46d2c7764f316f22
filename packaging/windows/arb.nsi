; The Windows installer of Aplikasi Rekod Bina: per machine, under Program
; Files, with a Start-menu entry and an uninstaller that never touches the
; register or its safety copies. makensis -DSTAGE=<folder> -DOUT=<file>.
; A 64-bit installer for the 64-bit program (and Windows without 32-bit support).
Target amd64-unicode
!include "MUI2.nsh"

!define NAME "Aplikasi Rekod Bina"
!define VERSION "1.0"
!define PUBLISHER "Majlis Daerah Lembah Serindit"
!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\AplikasiRekodBina"

Name "${NAME}"
OutFile "${OUT}"
InstallDir "$PROGRAMFILES64\${NAME}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
BrandingText "${PUBLISHER}"

!define MUI_ICON "arb.ico"
!define MUI_UNICON "arb.ico"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Malay"

VIProductVersion "1.0.0.0"
VIAddVersionKey /LANG=${LANG_MALAY} "ProductName" "${NAME}"
VIAddVersionKey /LANG=${LANG_MALAY} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_MALAY} "FileDescription" "Pemasang ${NAME}"
VIAddVersionKey /LANG=${LANG_MALAY} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_MALAY} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_MALAY} "LegalCopyright" "${PUBLISHER}"

Function .onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

Section "Program"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  File "arb.ico"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\arb.exe" "" "$INSTDIR\arb.ico" 0
  WriteRegStr HKLM "${UNINSTKEY}" "DisplayName" "${NAME}"
  WriteRegStr HKLM "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTKEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\arb.ico"
  WriteRegStr HKLM "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTKEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTKEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTKEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there: the register and its sandaran folder
; live elsewhere and stay.
Section "Uninstall"
  Delete "$SMPROGRAMS\${NAME}.lnk"
  !include "${FILELIST}"
  Delete "$INSTDIR\arb.ico"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTKEY}"
SectionEnd
