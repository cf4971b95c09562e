' The component as a learner's PC has it once installed, driven by Wine's cscript as a player
' would drive it.
' With "absent": nothing of the component is registered, so CreateObject("K72645.Module")
' fails with 429 (ActiveX component can't create object).
' With "present" and the installed DLL's path: K72645.Module is served by that DLL and answers.
' With the course folder and the installed DLL's path: the same, and exercise 501 passes with
' Word in a process of its own (the simulated Word's local server, registered as Word registers
' itself), whose process ends after Quitter.
' Usage: cscript //nologo installed_component.vbs absent
'        cscript //nologo installed_component.vbs present DLL_PATH
'        cscript //nologo installed_component.vbs COURSE_FOLDER DLL_PATH
Option Explicit

Const kModuleClass = "{0F7E45E9-DDBF-427E-BF4F-6D16B39DD984}"
Dim failures, fso, shell, m
failures = 0

Sub Check(condition, what)
    If condition Then
        WScript.Echo "ok  : " & what
    Else
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

' How many of the simulated Word's processes run, once a process told to end has had up to ten
' seconds to do so (Wine's cscript has no WScript.Sleep: the wait is a loop on the clock).
Function WordProcessesAfterWait()
    Dim tries, start
    For tries = 1 To 100
        WordProcessesAfterWait = GetObject("winmgmts:").ExecQuery( _
            "select * from Win32_Process where Name = 'k72645_word_server.exe'").Count
        If WordProcessesAfterWait = 0 Then Exit Function
        start = Timer
        Do While Timer >= start And Timer < start + 0.1
        Loop
    Next
End Function

Sub Absent()
    On Error Resume Next
    Set m = CreateObject("K72645.Module")
    Check Err.Number = 429, "CreateObject(""K72645.Module"") fails with 429 (got " & Err.Number & ")"
    Err.Clear
    On Error GoTo 0
End Sub

Sub Present(dll)
    Dim registered
    On Error Resume Next
    registered = shell.RegRead("HKCR\CLSID\" & kModuleClass & "\InprocServer32\")
    On Error GoTo 0
    Check LCase(registered) = LCase(dll), "K72645.Module is served by " & dll & " (registered: " & registered & ")"
    Set m = CreateObject("K72645.Module")
    Check m.ErreurGenerale = False, "a new Module answers, with no general error"
    Set m = Nothing
End Sub

Sub Plays501(course, dll)
    Dim root, folder, f, app, hwnd
    Present dll

    ' The player's delivery: exercise 501's course files in a fresh working folder.
    root = fso.GetSpecialFolder(2) & "\k72645-installed"
    If fso.FolderExists(root) Then fso.DeleteFolder root, True
    fso.CreateFolder root
    folder = root & "\501\"
    fso.CreateFolder folder
    For Each f In fso.GetFolder(course).Files
        If Mid(f.Name, 2, 7) = "7264501" Then fso.CopyFile f.Path, folder & f.Name
    Next

    Set m = CreateObject("K72645.Module")
    Set app = Nothing
    hwnd = -1
    m.InitQuestion 501, folder, app, hwnd
    Check Not app Is Nothing, "InitQuestion starts Word in a process of its own and hands it back"
    app.ActiveDocument.AttachedTemplate.AutoTextEntries.Add "vr", "Voyages et r" & Chr(234) & "ves"
    m.TestePoint
    Check m.ErreurGenerale = False And m.CauseErreur = "", "exercise 501 done passes (" & m.CauseErreur & ")"
    m.Fermer
    m.Quitter app, hwnd
    Check app Is Nothing, "Quitter clears the application"
    Set m = Nothing
    Check WordProcessesAfterWait() = 0, "no Word process is left behind"
    fso.DeleteFolder root, True
End Sub

Set fso = CreateObject("Scripting.FileSystemObject")
Set shell = CreateObject("WScript.Shell")
If WScript.Arguments.Count = 1 Then
    Absent
ElseIf WScript.Arguments(0) = "present" Then
    Present WScript.Arguments(1)
Else
    Plays501 fso.GetAbsolutePathName(WScript.Arguments(0)), WScript.Arguments(1)
End If

If failures = 0 Then
    WScript.Echo "PASSED: 0 failure(s)"
Else
    WScript.Echo "FAILED: " & failures & " failure(s)"
End If
WScript.Quit failures
