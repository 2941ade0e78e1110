; The Windows installer: the terminal, its three libraries, the fonts and
; their licence, a Start-menu folder, an uninstaller, and the registry value
; the libraries find the installation by (HKLM "STARTUP"). Per machine.
;
;   makensis -DARCH=64|32 -DTAVIX_EXE=<path> -DHELPER_DLL=<path> -DTESTER_DLL=<path>
;            -DROSTER_DLL=<path> -DFONTDIR=<fonts> -DOUTFILE=<setup.exe> tavix.nsi
;
; Silent use: tavix-setup.exe /S /D=C:\Folder, and uninstall.exe /S.

Unicode true
!ifndef ARCH | TAVIX_EXE | HELPER_DLL | TESTER_DLL | ROSTER_DLL | FONTDIR | OUTFILE
  !error "ARCH, TAVIX_EXE, HELPER_DLL, TESTER_DLL, ROSTER_DLL, FONTDIR and OUTFILE must be defined"
!endif

!if ${ARCH} == 64
  Target amd64-unicode
  !define PROGRAMS_FOLDER "$PROGRAMFILES64"
!else
  Target x86-unicode
  !define PROGRAMS_FOLDER "$PROGRAMFILES"
!endif

!define PRODUCT "Tavix"
!define TERMINAL_KEY "SOFTWARE\Corvane\Corvane Terminal Emulator"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavix"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"

Name "${PRODUCT}"
Caption "${PRODUCT} Setup"
OutFile "${OUTFILE}"
InstallDir "${PROGRAMS_FOLDER}\${PRODUCT}"
RequestExecutionLevel admin
SetCompressor /SOLID zlib
ShowInstDetails show
ShowUninstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  SetShellVarContext all
!if ${ARCH} == 64
  SetRegView 64
!endif
FunctionEnd

Function un.onInit
  SetShellVarContext all
!if ${ARCH} == 64
  SetRegView 64
!endif
FunctionEnd

Section "${PRODUCT}"
  SetOutPath "$INSTDIR"
  File "/oname=tavix.exe" "${TAVIX_EXE}"
  File "/oname=helper.dll" "${HELPER_DLL}"
  File "/oname=MoxelTester.dll" "${TESTER_DLL}"
  File "/oname=Roster.dll" "${ROSTER_DLL}"
  SetOutPath "$INSTDIR\fonts"
  File "${FONTDIR}/*.fon"
  File "${FONTDIR}/Corvane.ttf"
  File "${FONTDIR}/OFL.txt"

  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The terminal starts in the installation folder.
  SetOutPath "$INSTDIR"
  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\${PRODUCT}.lnk" "$INSTDIR\tavix.exe"
  CreateShortcut "${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${TERMINAL_KEY}" "STARTUP" "$INSTDIR"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tavix.exe"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Everything the installer put down goes; the user's own settings (the
; per-user folder and the per-user registry values) stay.
Section "Uninstall"
  Delete "$INSTDIR\tavix.exe"
  Delete "$INSTDIR\helper.dll"
  Delete "$INSTDIR\MoxelTester.dll"
  Delete "$INSTDIR\Roster.dll"
  Delete "$INSTDIR\fonts\*.fon"
  Delete "$INSTDIR\fonts\Corvane.ttf"
  Delete "$INSTDIR\fonts\OFL.txt"
  RMDir "$INSTDIR\fonts"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "${MENU_FOLDER}\${PRODUCT}.lnk"
  Delete "${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk"
  RMDir "${MENU_FOLDER}"

  DeleteRegValue HKLM "${TERMINAL_KEY}" "STARTUP"
  DeleteRegKey /ifempty HKLM "${TERMINAL_KEY}"
  DeleteRegKey /ifempty HKLM "SOFTWARE\Corvane"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
