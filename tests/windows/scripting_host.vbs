' A scripting host as the component's client, run by Wine's cscript: VBScript passes every
' variable given by reference as a reference to a VARIANT, where the player passes typed
' references. The component must take both, and answer through Err as any automation object.
' Usage: cscript //nologo scripting_host.vbs (with k72645.dll registered, and no Word).
Option Explicit

Dim failures, m, app, hwnd, folder, fso, work
failures = 0

Sub Check(condition, what)
    If condition Then
        WScript.Echo "ok  : " & what
    Else
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

Set m = CreateObject("K72645.Module")
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
Set fso = CreateObject("Scripting.FileSystemObject")
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
If failures = 0 Then
    WScript.Echo "PASSED: 0 failure(s)"
Else
    WScript.Echo "FAILED: " & failures & " failure(s)"
End If
WScript.Quit failures
