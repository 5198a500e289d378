; Zantoli's per-user installer: no administrator rights, everything in
; %LOCALAPPDATA%\Programs\Zantoli and under HKCU. Built by the CMake target
; "installer" from the release folder (stripped programs, alias.dat, guide):
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.0.1 -DPUBLISHER=... -DCOPYRIGHT=...
;            -DSTAGE=<release folder> -DICON=<zantoli.ico> -DOUTFILE=<setup.exe>
;            -DPRODUCT_CODE=Zantoli -DSTART_MENU_NAME=Zantoli
;            [-DSIGN_UNINSTALLER=<command that signs the uninstaller %1 in place>]
;            zantoli-setup.nsi
; Switches: /S silent, /NODESKTOP no desktop shortcut, /UPGRADE keep the
; installation's own choice of desktop shortcut, /LOG=<file> append what it
; did or why it failed to <file>, /D=<folder> elsewhere (last, unquoted).
; Uninstaller switches: /S silent, /PURGE also delete alias.dat, zantoli.ini,
; opciones.ini and historial.dat.
; Exit codes: 0 done, 1 cancelled, 2 failed, 3 the command window is open.

Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma
; File dates would make every build's bytes differ.
SetDateSave off
; A file that cannot be written fails the installation instead of being skipped.
AllowSkipFiles off

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT_CODE}"
!define UNINSTALLER "desinstalar.exe"
!define SHORTCUT "${START_MENU_NAME}.lnk"
!define EXIT_WINDOW_OPEN 3
Var LogFile
; The uninstaller is signed like the programs (NSIS 3.08 or later).
!ifdef SIGN_UNINSTALLER
!uninstfinalize '${SIGN_UNINSTALLER}'
!endif

Name "Zantoli ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Zantoli"
; An upgrade goes where the last installation went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\pellix.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Abrir la línea de comando"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\LEEME.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Leer la guía (LEEME.txt)"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Spanish"

; Appends a line to the installation details and to the /LOG file.
!macro LOG_LINE text
    Push "${text}"
    Call LogLine
!macroend
!define LogLine "!insertmacro LOG_LINE"
Function LogLine
    Exch $0
    Push $1
    DetailPrint $0
    ${If} $LogFile != ""
        ClearErrors
        FileOpen $1 $LogFile a
        ${IfNot} ${Errors}
            FileSeek $1 0 END
            FileWrite $1 "$0$\r$\n"
            FileClose $1
        ${EndIf}
    ${EndIf}
    Pop $1
    Pop $0
FunctionEnd

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductName" "Zantoli"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileDescription" "Instalación de Zantoli ${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_SPANISH} "LegalCopyright" "${COPYRIGHT}"

; Replacing or deleting the programs under a running command window would
; leave it without its files (or fail half way on Windows, where they are
; locked): ask to close it, and end with EXIT_WINDOW_OPEN when silent.
!macro DEFINE_REFUSE_WHILE_OPEN un
Function ${un}RefuseWhileOpen
    retry:
    FindWindow $0 "ZantoliLineaDeComando"
    ${If} $0 = 0
        FindWindow $0 "" "Linea de comando"
    ${EndIf}
    ${If} $0 <> 0
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "La línea de comando de Zantoli está abierta.$\r$\nCiérrela y pulse Reintentar." \
            /SD IDCANCEL IDRETRY retry
        !if "${un}" == ""
            ${LogLine} "La línea de comando de Zantoli está abierta: no se ha instalado nada."
        !endif
        SetErrorLevel ${EXIT_WINDOW_OPEN}
        Quit
    ${EndIf}
FunctionEnd
!macroend
!insertmacro DEFINE_REFUSE_WHILE_OPEN ""
!insertmacro DEFINE_REFUSE_WHILE_OPEN "un."

Section "Zantoli (programas y alias)" SecProgram
    SectionIn RO
    Call RefuseWhileOpen
    ; A folder that cannot be written ends here, before anything is
    ; replaced, with the reason in the log and exit code 2.
    ClearErrors
    CreateDirectory "$INSTDIR"
    FileOpen $0 "$INSTDIR\zantoli-setup.tmp" w
    ${If} ${Errors}
        ${LogLine} "No se puede escribir en la carpeta $INSTDIR."
        Abort
    ${EndIf}
    FileClose $0
    Delete "$INSTDIR\zantoli-setup.tmp"
    SetOutPath "$INSTDIR"
    File "${STAGE}\zantoli.exe"
    File "${STAGE}\pellix.exe"
    File "${STAGE}\aliascheck.exe"
    File "${STAGE}\LEEME.txt"
    File "${STAGE}\LICENSE.txt"
    ; The user's aliases survive an upgrade.
    SetOverwrite off
    File "${STAGE}\alias.dat"
    SetOverwrite on
    CreateDirectory "$INSTDIR\var"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    CreateShortcut "$SMPROGRAMS\${SHORTCUT}" "$INSTDIR\pellix.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Zantoli"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zantoli.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Acceso directo en el escritorio" SecDesktop
    SetOutPath "$INSTDIR"
    CreateShortcut "$DESKTOP\${SHORTCUT}" "$INSTDIR\pellix.exe"
SectionEnd

; $0: the folder /D= asks for, as given, without a final backslash; or "".
; NSIS keeps the command line from /D= on to itself, so it is read whole.
Function RequestedFolder
    System::Call 'kernel32::GetCommandLineW() t .r1'
    StrLen $2 $1
    StrCpy $0 ""
    StrCpy $3 0
    ${DoWhile} $3 < $2
        StrCpy $4 $1 4 $3
        ${If} $4 == " /D="
            IntOp $3 $3 + 4
            StrCpy $0 $1 "" $3
            ${If} $0 != ""
            ${AndIf} "$0" != "\"
                StrCpy $4 $0 1 -1
                ${If} $4 == "\"
                    StrCpy $0 $0 -1
                ${EndIf}
            ${EndIf}
            ${Break}
        ${EndIf}
        IntOp $3 $3 + 1
    ${Loop}
FunctionEnd

Function .onInit
    SetShellVarContext current
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/LOG=" $LogFile
    ; A /D= folder NSIS cannot use (a file in its way, a bad name) is
    ; silently replaced by the last or the default one: IT asked for that
    ; folder, so the installation ends here instead.
    Call RequestedFolder
    ${If} $0 != ""
    ${AndIf} $0 != $INSTDIR
        ${LogLine} "No se puede instalar en la carpeta $0: hay un archivo con ese nombre o el nombre no es válido."
        SetErrorLevel 2
        Quit
    ${EndIf}
    Call RefuseWhileOpen
    ClearErrors
    ${GetOptions} $R0 "/NODESKTOP" $R1
    ${IfNot} ${Errors}
        !insertmacro UnselectSection ${SecDesktop}
    ${EndIf}
    ; An upgrade does not bring back a desktop shortcut the user removed.
    ClearErrors
    ${GetOptions} $R0 "/UPGRADE" $R1
    ${IfNot} ${Errors}
        ReadRegStr $R2 HKCU "${UNINSTALL_KEY}" "InstallLocation"
        ${If} $R2 != ""
        ${AndIfNot} ${FileExists} "$DESKTOP\${SHORTCUT}"
            !insertmacro UnselectSection ${SecDesktop}
        ${EndIf}
    ${EndIf}
FunctionEnd

Function .onInstSuccess
    ${LogLine} "Zantoli ${VERSION} instalado en $INSTDIR."
FunctionEnd

Function .onInstFailed
    ${LogLine} "La instalación de Zantoli ${VERSION} no se ha completado."
FunctionEnd

; Only the files this installation and the programs make, one by one: a
; recursive delete would also take whatever the user keeps in the folder.
Section "un.Zantoli (programas)" SecUnProgram
    SectionIn RO
    Call un.RefuseWhileOpen
    Delete "$INSTDIR\zantoli.exe"
    Delete "$INSTDIR\pellix.exe"
    Delete "$INSTDIR\aliascheck.exe"
    Delete "$INSTDIR\LEEME.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\zantoli.000"
    ; Left behind only by a settings write that was cut short.
    Delete "$INSTDIR\zantoli.ini.*.tmp"
    Delete "$INSTDIR\var\vuroview.var"
    RMDir "$INSTDIR\var"
    Delete "$SMPROGRAMS\${SHORTCUT}"
    Delete "$DESKTOP\${SHORTCUT}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    Delete "$INSTDIR\${UNINSTALLER}"
SectionEnd

Section /o "un.Borrar también los alias, la posición de la ventana, las opciones y el historial (alias.dat, zantoli.ini, opciones.ini, historial.dat)" SecUnPurge
    Delete "$INSTDIR\alias.dat"
    Delete "$INSTDIR\zantoli.ini"
    Delete "$INSTDIR\opciones.ini"
    Delete "$INSTDIR\historial.dat"
SectionEnd

Section "-un.Folder"
    ; Removed only when nothing is left in it.
    RMDir "$INSTDIR"
SectionEnd

Function un.onInit
    SetShellVarContext current
    Call un.RefuseWhileOpen
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/PURGE" $R1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SecUnPurge}
    ${EndIf}
FunctionEnd
