' Creates TALMIRON.Expression by its program identifier, as any host would,
' and evaluates with a symbol; prints "evaluated: 6" when all is well.
On Error Resume Next
Dim e
Set e = CreateObject("TALMIRON.Expression")
If Err.Number <> 0 Then
    WScript.Echo "not created: " & Err.Number & ": " & Err.Description
    WScript.Quit 1
End If
e.Symbols.Add "x", 1, "2"
WScript.Echo "evaluated: " & e.Evaluate("LEN('ab') * (1 + x)")
If Err.Number <> 0 Then WScript.Echo "failed: " & Err.Number & ": " & Err.Description
