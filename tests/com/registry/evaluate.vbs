' Creates TALMIRON.Expression by its program identifier, as any host would,
' and evaluates with a symbol; prints "evaluated: 6" and exits 0 when all is well.
On Error Resume Next
Dim e, r
Set e = CreateObject("TALMIRON.Expression")
e.Symbols.Add "x", 1, "2"
r = e.Evaluate("LEN('ab') * (1 + x)")
If Err.Number <> 0 Then WScript.Echo "failed: " & Err.Number & ": " & Err.Description
WScript.Echo "evaluated: " & r
If r <> "6" Then WScript.Quit 1
