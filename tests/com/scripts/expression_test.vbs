' TALMIRON.Expression as a VBScript host uses it: every member late-bound,
' arguments by reference for plain variables and by value for expressions,
' failures read from Err. Prints one line per check and a closing count;
' exits 1 on any failed check.
Option Explicit

Dim passed, failed
passed = 0
failed = 0

Sub Check(name, actual, expected)
    If VarType(actual) = VarType(expected) Or (IsNumeric(actual) And IsNumeric(expected)) Then
        If actual = expected Then
            passed = passed + 1
            WScript.Echo "ok - " & name
            Exit Sub
        End If
    End If
    failed = failed + 1
    WScript.Echo "FAIL - " & name & ": got [" & actual & "] (" & TypeName(actual) & _
                 "), expected [" & expected & "] (" & TypeName(expected) & ")"
End Sub

' The error that the last statement raised, as "number: description".
Function Failure()
    Failure = Err.Number & ": " & Err.Description
    Err.Clear
End Function

Const NumericSymbol = 1
Const StringSymbol = 2

Dim e, st, r, syms, x, g, s, names, n, t, v, probe

Set e = CreateObject("TALMIRON.Expression")
Check "a new object's State is None", e.State, 0
r = e.Evaluate("LEN('ab') * 3")
Check "Evaluate by name gives a String", TypeName(r) & " " & r, "String 6"
Check "State follows Evaluate, as a Long", TypeName(e.State) & " " & e.State, "Long 1"
Check "the default member is Evaluate", e("'a'"), "a"
Check "the default member sets State", e.State, 2

' State: a plain variable is passed by reference and receives the state.
st = Empty
r = e.Evaluate("'abc", st)
Check "a failure's text", r, "1001 ERROR: Unclosed quotes in expression."
Check "the State variable receives Error", st, 3
Check "State follows", e.State, 3
' By value: a parenthesized variable or a literal is not changed.
st = 7
Check "State passed by value", e.Evaluate("1", (st)) & st & e.State, "171"
Check "State passed as a literal", e.Evaluate("'q'", 5), "q"
n = "1 + 1"
r = e.Evaluate(n, st)
Check "the expression variable keeps its text", n & st, "1 + 11"
Check "a number as the expression", e.Evaluate(42), "42"

' Symbols: one collection for the object's life.
Set syms = e.Symbols
Check "Symbols returns the same collection each time", syms Is e.Symbols, True
Check "a new collection is empty", syms.Count, 0
Set x = syms.Add("x", NumericSymbol, "2")
Check "Add returns the symbol", x.Name & x.DataType & x.Value, "x12"
Check "the default member of a Symbol is Value", "" & x, "2"
Check "an expression sees the symbol in any case", e.Evaluate("X * 10"), "20"
n = "Greeting"
t = StringSymbol
v = "hi"
Set g = syms.Add(n, t, v)
Check "Add leaves its arguments unchanged", n & t & v, "Greeting2hi"
Check "Count", syms.Count, 2
Check "Item by position", syms.Item(1).Name, "x"
Check "the default member is Item", syms(2).Name, "Greeting"
Check "Item by name without regard to case", syms("GREETING").Value, "hi"
n = 1
Check "Item with a position in a variable, left unchanged", syms(n).Name & n, "x1"
Check "Add, Item and position give the same object", syms("x") Is x And syms(1) Is x, True

' Changes through a held Symbol reach the evaluation.
x.Value = "5"
Check "Value put", e.Evaluate("x * 10"), "50"
x.DataType = StringSymbol
Check "DataType put", x.DataType & e.Evaluate("x + 'a'"), "25a"
x.DataType = NumericSymbol
v = "8"
x.Value = v
Check "Value put from a variable, left unchanged", x.Value & v, "88"

Set s = syms.Add("y", NumericSymbol, "3")
names = ""
For Each s In syms
    names = names & s.Name & ","
Next
Check "For Each yields the symbols in insertion order", names, "x,Greeting,y,"
For Each s In syms
    Check "For Each yields the same object as Item", s Is syms(1), True
    Exit For
Next

' The failures of the collection, with their numbers and descriptions.
' Wine's VBScript loses the error of a failed call through a default member,
' so the failures are read through Item by name.
On Error Resume Next
syms.Add "X", NumericSymbol, "0"
Check "Add of a name already present", Failure(), _
      "457: This key is already associated with an element of this collection"
For Each probe In Array(0, 4, -1)
    Set s = syms.Item(probe)
    Check "Item at position " & probe, Failure(), "9: Subscript out of range"
    syms.Remove probe
    Check "Remove at position " & probe, Failure(), "9: Subscript out of range"
Next
Set s = syms.Item("nothing")
Check "Item of a name that is no key", Failure(), "5: Invalid procedure call or argument"
syms.Remove "nothing"
Check "Remove of a name that is no key", Failure(), "5: Invalid procedure call or argument"
Set s = CreateObject("TALMIRON.Symbol")
Check "TALMIRON.Symbol is not creatable", Err.Number <> 0, True
Err.Clear
Set s = CreateObject("TALMIRON.Symbols")
Check "TALMIRON.Symbols is not creatable", Err.Number <> 0, True
On Error GoTo 0
Check "failures change nothing", syms.Count, 3

syms.Remove "GREETING"
Check "Remove by name", syms.Count, 2
e.Evaluate "greeting"
Check "a removed symbol is no operand", e.State, 3
Check "a held removed symbol keeps its content", g.Name & g.Value, "Greetinghi"
syms.Remove 1
Check "Remove by position", syms.Count & syms(1).Name, "1y"
syms.Clear
Check "Clear", syms.Count, 0

WScript.Echo passed & " passed, " & failed & " failed"
If failed > 0 Then WScript.Quit 1
WScript.Quit 0
