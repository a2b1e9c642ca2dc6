; Dotwell setup. installer/CMakeLists.txt passes every input file with -D;
; a part that is not built yet is simply left out.
;   OUTFILE VERSION LABEL_INI TABLES EXCEPTIONS RULE_FILE_LIST   always
;   DOTWELL_EXE GRIDPAD_EXE TACTR32_DLL CSV_DLL CHM
;   FONT_BRAILLE FONT_TEXT FONT_LICENSE ICON     when built

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include "LogicLib.nsh"
!include "WinMessages.nsh"

!define PRODUCT "Dotwell 5.0"
!define MAKER "Vantor"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${MAKER} ${PRODUCT}"
!define FONTS_KEY "Software\Microsoft\Windows NT\CurrentVersion\Fonts"
!define BRAILLE_FACE "Vantor Font"
!define TEXT_FACE "Vantor Black Text Font"

Name "${PRODUCT}"
Caption "${PRODUCT} Setup"
BrandingText "Dotwell ${VERSION}"
!ifdef ICON
  Icon "${ICON}"
  UninstallIcon "${ICON}"
!endif
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${MAKER}\${PRODUCT}"
ShowInstDetails show
ShowUninstDetails show
VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "Dotwell"
VIAddVersionKey "CompanyName" "${MAKER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (c) ${MAKER}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Var DataDir

; Everything lives in the all-users folders: the wizard reads its tables
; from common application data whoever runs it.
!macro SetFolders
  SetShellVarContext all
  SetRegView 64
  StrCpy $DataDir "$APPDATA\${MAKER}\${PRODUCT}"
!macroend

!macro InstallFont FILE NAME FACE
  SetOutPath "$FONTS"
  File /oname=${NAME} "${FILE}"
  WriteRegStr HKLM "${FONTS_KEY}" "${FACE} (TrueType)" "${NAME}"
  ; Registered for this session too, so the wizard finds the face at once.
  System::Call 'gdi32::AddFontResourceW(w "$FONTS\${NAME}")'
!macroend

!macro RemoveFont NAME FACE
  System::Call 'gdi32::RemoveFontResourceW(w "$FONTS\${NAME}")'
  DeleteRegValue HKLM "${FONTS_KEY}" "${FACE} (TrueType)"
  Delete "$FONTS\${NAME}"
!macroend

Section "Dotwell" SecMain
  !insertmacro SetFolders
  SetOutPath "$INSTDIR"
  !ifdef DOTWELL_EXE
    File "${DOTWELL_EXE}"
  !endif
  !ifdef GRIDPAD_EXE
    File "${GRIDPAD_EXE}"
  !endif
  !ifdef TACTR32_DLL
    File "${TACTR32_DLL}"
  !endif
  !ifdef CSV_DLL
    File "${CSV_DLL}"
  !endif
  !ifdef CHM
    File "${CHM}"
  !endif
  File /oname=label.ini "${LABEL_INI}"
  !ifdef FONT_LICENSE
    File "${FONT_LICENSE}"
  !endif

  ; The user's own sheet formats live in Label.ini: a new install seeds it,
  ; a reinstall never replaces it.
  SetOutPath "$DataDir"
  ${IfNot} ${FileExists} "$DataDir\Label.ini"
    File /oname=Label.ini "${LABEL_INI}"
  ${EndIf}

  ; Tables come with the files they include.
  SetOutPath "$DataDir\RuleFiles"
  File "${TABLES}\*.qrf"
  File /nonfatal "${TABLES}\*.qri"

  ; An exception list the user has edited is kept on reinstall.
  SetOutPath "$DataDir\ExceptionFiles"
  SetOverwrite off
  File /nonfatal "${EXCEPTIONS}\*.qrf"
  SetOverwrite on

  !ifdef FONT_BRAILLE
    !insertmacro InstallFont "${FONT_BRAILLE}" "VantorFont.ttf" "${BRAILLE_FACE}"
  !endif
  !ifdef FONT_TEXT
    !insertmacro InstallFont "${FONT_TEXT}" "VantorBlackText.ttf" "${TEXT_FACE}"
  !endif
  SendMessage ${HWND_BROADCAST} ${WM_FONTCHANGE} 0 0 /TIMEOUT=2000

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  !ifdef DOTWELL_EXE
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\Dotwell.lnk" "$INSTDIR\dotwell.exe"
  !endif
  !ifdef GRIDPAD_EXE
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\CSV Editor.lnk" "$INSTDIR\gridpad.exe"
  !endif
  !ifdef CHM
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\Dotwell Help.lnk" "$INSTDIR\Dotwell.chm"
  !endif
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Uninstall Dotwell.lnk" "$INSTDIR\Uninstall.exe"

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes only what setup put there: the user's Label.ini, exception lists,
; projects and kept jobs stay, and so do folders that still hold them.
Section "Uninstall"
  !insertmacro SetFolders
  Delete "$INSTDIR\dotwell.exe"
  Delete "$INSTDIR\gridpad.exe"
  Delete "$INSTDIR\tactr32.dll"
  Delete "$INSTDIR\csv.dll"
  Delete "$INSTDIR\Dotwell.chm"
  Delete "$INSTDIR\label.ini"
  Delete "$INSTDIR\VantorBlackText-LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$INSTDIR\.."

  !include "${RULE_FILE_LIST}"
  RMDir "$DataDir\RuleFiles"
  RMDir "$DataDir"
  RMDir "$DataDir\.."

  !insertmacro RemoveFont "VantorFont.ttf" "${BRAILLE_FACE}"
  !insertmacro RemoveFont "VantorBlackText.ttf" "${TEXT_FACE}"
  SendMessage ${HWND_BROADCAST} ${WM_FONTCHANGE} 0 0 /TIMEOUT=2000

  Delete "$SMPROGRAMS\${PRODUCT}\Dotwell.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\CSV Editor.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Dotwell Help.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Uninstall Dotwell.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
