' Prints "evaluated: 6" and exits 0 when a host finds the component.
On Error Resume Next
Dim e, r
Set e = CreateObject("TALMIRON.Expression")
e.Symbols.Add "x", 1, "2"
r = e.Evaluate("LEN('ab') * (1 + x)")
If Err.Number <> 0 Then WScript.Echo "failed: " & Err.Number & ": " & Err.Description
WScript.Echo "evaluated: " & r
If r <> "6" Then WScript.Quit 1
