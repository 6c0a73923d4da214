' TALMIRON.Expression as a VBScript host uses it: every member late-bound,
' plain variables by reference and expressions by value, failures in Err.
Option Explicit
Dim passed, failed, e, st, n, t, v, syms, x, g, s, names
passed = 0 : failed = 0
Sub Check(name, actual, expected)
    If VarType(actual) = VarType(expected) Or (IsNumeric(actual) And IsNumeric(expected)) Then
        If actual = expected Then passed = passed + 1 : WScript.Echo "ok - " & name : Exit Sub
    End If
    failed = failed + 1
    WScript.Echo "FAIL - " & name & ": got [" & actual & "] (" & TypeName(actual) & "), expected [" & expected & "] (" & TypeName(expected) & ")"
End Sub
Function Failure()
    Failure = Err.Number & ": " & Err.Description
    Err.Clear
End Function

Set e = CreateObject("TALMIRON.Expression")
Check "Evaluate gives a String, State a Long", e.State & TypeName(e.Evaluate("2*3")) & TypeName(e.State) & e.State, "0StringLong1"
Check "the default member is Evaluate", e("'a'") & e.State, "a2"
n = "'abc"
st = Empty
Check "State into a variable", e.Evaluate(n, st) & st & n, "1001 ERROR: Unclosed quotes in expression.3'abc"
Check "State by value, a number as the expression", e.Evaluate("1", (st)) & st & e.Evaluate("'q'", 5) & e.Evaluate(42), "13q42"

Set syms = e.Symbols
Check "Symbols is one collection, empty at first", (syms Is e.Symbols) & syms.Count, "True0"
Set x = syms.Add("x", 1, "2")
Check "Add returns the symbol", x.Name & x.DataType & x.Value & x, "x122"
n = "Greeting" : t = 2 : v = "hi"
Set g = syms.Add(n, t, v)
Check "Add leaves its arguments unchanged", n & t & v & syms.Count & e.Evaluate("x * 10"), "Greeting2hi220"
n = 1
Check "Item by position, default member, by name in any case", _
      syms.Item(n).Name & n & syms(2).Name & syms("GREETING").Value, "x1Greetinghi"
Check "Add, Item and Symbols with a position give the same object", _
      syms("x") Is x And syms(1) Is x And e.Symbols(1) Is x, True
x.Value = "5" : x.DataType = 2
Check "puts reach the evaluation", x.DataType & e.Evaluate("x + 'a'"), "25a"
x.Value = #3/15/2023 12:00:00 PM#
Check "a date put is the text of the date functions", x.Value, "2023-03-15 12:00:00"
v = "8" : x.Value = v
Check "Value put from a variable", x.Value & v, "88"
names = ""
For Each s In syms
    names = names & s.Name & (s Is syms(s.Name)) & ","
Next
Check "For Each yields the symbols in order", names, "xTrue,GreetingTrue,"

' Wine's VBScript loses the error of a failed call through a default member.
On Error Resume Next
syms.Add "X", 1, "0"
Check "Add of a name present", Err.Source & " " & Failure(), "TALMIRON.Symbols 457: This key is already associated with an element of this collection"
syms.Remove 3
Check "Remove beyond the count", Failure(), "9: Subscript out of range"
syms.Remove "nothing"
Check "Remove of a name that is no key", Failure(), "5: Invalid procedure call or argument"
x.Name = "m"
Check "Name is read-only", Err.Number <> 0 And x.Name = "x", True
Set s = CreateObject("TALMIRON.Symbols")
Check "TALMIRON.Symbols is not creatable", Err.Number <> 0, True
On Error GoTo 0

syms.Remove "GREETING"
Check "Remove by name; a held symbol keeps its content", syms.Count & g.Name & g.Value, "1Greetinghi"
syms.Remove 1 : syms.Add "z", 1, "1" : syms.Clear
Check "Remove by position and Clear", syms.Count, 0

WScript.Echo passed & " passed, " & failed & " failed"
If failed > 0 Then WScript.Quit 1
