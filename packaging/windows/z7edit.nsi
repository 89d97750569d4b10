; The installer of Z7 Edit for Windows, built by scripts/build-windows with
; Debian's makensis:
;   makensis -DVERSION=1.0.0.0 -DFILES=<folder> -DICON=<z7edit.ico> -DOUTFILE=<setup.exe> z7edit.nsi
; FILES holds z7edit.exe, LIESMICH.txt, COPYRIGHT.txt and OFL.txt; ICON is the
; program's icon, drawn by the main build.
; Silent: "z7edit-<version>-setup.exe /S", and "Uninstall.exe /S" to remove it.

!ifndef VERSION | FILES | ICON | OUTFILE
  !error "give -DVERSION=, -DFILES=, -DICON= and -DOUTFILE="
!endif

Unicode true
; The program is 64-bit only; so is its installer, which then sees the 64-bit
; Program Files and registry without redirection.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!define PRODUCT "Z7 Edit"
!define PUBLISHER "Die Entwickler von Z7 Edit"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Z7Edit"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; The game lives under Program Files too; the installer writes beside it.
RequestExecutionLevel admin
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1031 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1031 "FileDescription" "${PRODUCT} ${VERSION} Installation"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "MIT-Lizenz"

!include "MUI2.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\z7edit.exe"
!define MUI_FINISHPAGE_RUN_TEXT "${PRODUCT} starten"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\LIESMICH.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "LIESMICH anzeigen"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "German"

; The Start-menu entry is for every user of the machine, as the program is.
Function .onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

Section "Z7 Edit" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${FILES}\z7edit.exe"
  File "${FILES}\LIESMICH.txt"
  File "${FILES}\COPYRIGHT.txt"
  File "${FILES}\OFL.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\z7edit.exe" "" "$INSTDIR\z7edit.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\z7edit.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecProgram} $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes what the installer put there and nothing else: the game's model
; file, its backup z7_model.bak and the guide in Documents belong to the user.
Section "Uninstall"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\z7edit.exe"
  Delete "$INSTDIR\LIESMICH.txt"
  Delete "$INSTDIR\COPYRIGHT.txt"
  Delete "$INSTDIR\OFL.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
