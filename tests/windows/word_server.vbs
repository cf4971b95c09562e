' A scripting host drives the component against Word in a process of its own: the simulated
' Word's local server, registered as Word registers itself and started by COM. Played as a
' player would: a passing case, a failing case with complement lines, a located error, and Word's
' process killed under the component.
' Usage: cscript //nologo word_server.vbs <course folder> (k72645.dll and the server registered).
Option Explicit

Dim failures, fso, course, root, m, app, hwnd, folder, n
failures = 0

Sub Check(condition, what)
    If condition Then
        WScript.Echo "ok  : " & what
    Else
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

' The player's delivery: exercise n's course files "?72645nn.*" in a fresh working folder.
Function Deliver(number)
    Dim f, target
    n = n + 1
    target = root & "\" & number & "-" & n & "\"
    fso.CreateFolder target
    For Each f In fso.GetFolder(course).Files
        If Mid(f.Name, 2, 7) = "7264" & number Then fso.CopyFile f.Path, target & f.Name
    Next
    Deliver = target
End Function

' How many of the simulated Word's processes run.
Function WordProcesses()
    WordProcesses = GetObject("winmgmts:").ExecQuery( _
        "select * from Win32_Process where Name = 'k72645_word_server.exe'").Count
End Function

' The same, once a process told to end has had up to ten seconds to do so (Wine's cscript has
' no WScript.Sleep: the wait is a loop on the clock).
Function WordProcessesAfterWait()
    Dim tries, start
    For tries = 1 To 100
        WordProcessesAfterWait = WordProcesses()
        If WordProcessesAfterWait = 0 Then Exit Function
        start = Timer
        Do While Timer >= start And Timer < start + 0.1
        Loop
    Next
End Function

Sub TypeField(name)
    app.Selection.GoTo -1, , , "s01"
    app.Selection.Markup = "{ MERGEFIELD " & name & " }"
    app.Selection.Delete 1, 9
End Sub

Set fso = CreateObject("Scripting.FileSystemObject")
course = fso.GetAbsolutePathName(WScript.Arguments(0))
root = fso.GetSpecialFolder(2) & "\k72645-word-server"
If fso.FolderExists(root) Then fso.DeleteFolder root, True
fso.CreateFolder root
n = 0
Set m = CreateObject("K72645.Module")

' A passing case: the component starts Word (another process) and hands it back.
Set app = Nothing
hwnd = -1
m.InitQuestion 507, Deliver(507), app, hwnd
Check Not app Is Nothing, "InitQuestion hands back the Word it started"
Check hwnd <> 0 And hwnd <> -1, "and its main window (" & hwnd & ")"
TypeField "CpVille"
m.TestePoint
Check m.ErreurGenerale = False And m.CauseErreur = "", "the merge field passes (" & m.CauseErreur & ")"
m.Fermer

' A failing case, its complement lines read as the player reads them.
m.InitQuestion 507, Deliver(507), app, hwnd
TypeField "Nom"
m.TestePoint
Check m.CauseErreur = "C", "another field gives C (" & m.CauseErreur & ")"
Check m.Complement.count = 1, "with one complement line"
Check m.Complement.item(1) = " " & Chr(171) & "Nom" & Chr(187), "naming the field: " & m.Complement.item(1)
m.Fermer

' A located error: an exercise whose files were never delivered.
On Error Resume Next
folder = root & "\empty\"
fso.CreateFolder folder
m.InitQuestion 507, folder, app, hwnd
Check Err.Number <> 0, "a start without the exercise's files fails (" & Err.Number & ")"
Check InStr(Err.Source, "DLL K72645 - CLASSE Module") = 1, "located by the component: " & Err.Source
Err.Clear
On Error GoTo 0

' Word's process killed during the learner's work.
folder = Deliver(507)
m.InitQuestion 507, folder, app, hwnd
Check WordProcesses() = 1, "the component's Word runs in a process of its own"
CreateObject("WScript.Shell").Run "taskkill /F /IM k72645_word_server.exe", 0, True
m.TestePoint
Check m.ErreurGenerale = True And m.CauseErreur = "AM", "a Word that has gone gives AM (" & m.CauseErreur & ")"
m.Fermer
Check fso.GetFolder(folder).Files.Count = 0, "Fermer removes the working files without Word"
m.Quitter app, hwnd
Check app Is Nothing And hwnd = 0, "Quitter clears the application and the handle"

Check WordProcessesAfterWait() = 0, "no Word process is left behind"

Set m = Nothing
fso.DeleteFolder root, True
If failures = 0 Then
    WScript.Echo "PASSED: 0 failure(s)"
Else
    WScript.Echo "FAILED: " & failures & " failure(s)"
End If
WScript.Quit failures
