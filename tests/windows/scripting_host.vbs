' A scripting host as the component's client, run by Wine's cscript: VBScript passes every
' variable given by reference as a reference to a VARIANT, where the player passes typed
' references. The component must take both, and answer through Err as any automation object.
' Without an argument (k72645.dll registered, no Word): the arguments reach the component and
' refused calls change nothing. With the course folder as argument (the simulated Word's local
' server registered as Word registers itself, and started by COM): the component drives Word in
' a process of its own, as a player would, through a passing case, a failing case with
' complement lines, a located error, Word quit and started again, and Word's process killed
' under it; Word's type library is registered as Word's setup registers it.
' Usage: cscript //nologo scripting_host.vbs [course folder]
Option Explicit

Dim failures, fso, m, app, hwnd, folder, work, course, root, n
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

Sub WithoutWord()
    Set app = Nothing
    hwnd = 4321

    ' The arguments reach the component: the relative folder is refused before anything is touched.
    On Error Resume Next
    folder = "relative\"
    m.InitQuestion 501, folder, app, hwnd
    Check Err.Number = 52, "InitQuestion takes variables by reference; a relative folder gives 52 (got " & Err.Number & ")"
    Check InStr(Err.Source, "InitQuestion") > 0, "the error is located in InitQuestion: " & Err.Source
    Check Err.Description = "Bad file name or number", "the error is described: " & Err.Description
    Check hwnd = 4321 And app Is Nothing, "a refused start leaves the player's variables as they were"
    Err.Clear

    ' A value that cannot be the window handle (a Long) is a type mismatch, refused by the call itself.
    hwnd = "not a number"
    m.InitQuestion 501, folder, app, hwnd
    Check Err.Number = 13, "a handle that is not a number gives a type mismatch (got " & Err.Number & ")"
    Check hwnd = "not a number", "the refused call leaves the variable alone"
    Err.Clear

    ' An existing folder gets as far as Word, which is not installed here.
    work = fso.GetSpecialFolder(2) & "\k72645-script"
    If Not fso.FolderExists(work) Then fso.CreateFolder work
    hwnd = 0
    m.InitQuestion 501, work, app, hwnd
    Check Err.Number = 429, "with no Word the start fails with 429 (got " & Err.Number & ")"
    Err.Clear

    m.Quitter app, hwnd
    Check Err.Number = 0, "Quitter takes variables by reference (got " & Err.Number & " " & Err.Description & ")"
    Check app Is Nothing, "Quitter leaves no application"
    Err.Clear
    m.Quitter app, hwnd
    Check Err.Number = 0, "a second Quitter does nothing"
    On Error GoTo 0

    fso.DeleteFolder work
End Sub

Sub WithWordInItsOwnProcess()
    root = fso.GetSpecialFolder(2) & "\k72645-word-server"
    If fso.FolderExists(root) Then fso.DeleteFolder root, True
    fso.CreateFolder root
    n = 0

    ' Word registered as Word's setup registers it, its type library included: COM marshals
    ' Word's interfaces through the library's entries.
    Dim shell
    Set shell = CreateObject("WScript.Shell")
    Check shell.RegRead("HKCR\TypeLib\{00020905-0000-0000-C000-000000000046}\8.3\") = _
        "Microsoft Word 11.0 Object Library", "Word's type library is registered"
    Check shell.RegRead("HKCR\Interface\{00020970-0000-0000-C000-000000000046}\ProxyStubClsid32\") = _
        "{00020420-0000-0000-C000-000000000046}", "_Application is marshalled as a dispatch interface"
    Check shell.RegRead("HKCR\CLSID\{000209FF-0000-0000-C000-000000000046}\TypeLib\") = _
        "{00020905-0000-0000-C000-000000000046}", "Word.Application names its type library"

    ' A Word started for automation, never shown, ends when its last client lets it go.
    Dim word
    Set word = CreateObject("Word.Application")
    Check WordProcesses() = 1, "CreateObject starts Word in a process of its own"
    Set word = Nothing
    Check WordProcessesAfterWait() = 0, "and its process ends when its last client lets it go"

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

    ' Word quit: its process ends, and the next exercise starts Word in a new process, whose
    ' members answer to what the component resolved from the first.
    m.Quitter app, hwnd
    Check WordProcessesAfterWait() = 0, "Word's process ends when the component quits it"
    m.InitQuestion 507, Deliver(507), app, hwnd
    Check WordProcesses() = 1, "the next exercise starts Word again"
    TypeField "CpVille"
    m.TestePoint
    Check m.ErreurGenerale = False And m.CauseErreur = "", "and checks with it (" & m.CauseErreur & ")"
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

    ' Word's process killed during the learner's work. This comes last: Wine's COM keeps a killed
    ' server's class registration for the rest of the Wine session (Windows drops it), so no
    ' Word could be started again after it.
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

    fso.DeleteFolder root, True
End Sub

Set fso = CreateObject("Scripting.FileSystemObject")
Set m = CreateObject("K72645.Module")
If WScript.Arguments.Count = 0 Then
    WithoutWord
Else
    course = fso.GetAbsolutePathName(WScript.Arguments(0))
    WithWordInItsOwnProcess
End If
Set m = Nothing

If failures = 0 Then
    WScript.Echo "PASSED: 0 failure(s)"
Else
    WScript.Echo "FAILED: " & failures & " failure(s)"
End If
WScript.Quit failures
