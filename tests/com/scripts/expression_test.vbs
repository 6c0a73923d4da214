' TALMIRON.Expression as a VBScript host uses it: late-bound, arguments by
' reference for plain variables and by value for expressions, failures read
' from Err. Prints one line per check and a closing count; exits 1 on any
' failed check.
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

Sub CheckTrue(name, condition)
    If condition Then
        passed = passed + 1
        WScript.Echo "ok - " & name
    Else
        failed = failed + 1
        WScript.Echo "FAIL - " & name
    End If
End Sub

' The error that the last statement raised, as "number: description".
Function Failure()
    Failure = Err.Number & ": " & Err.Description
    Err.Clear
End Function

Const NumericSymbol = 1
Const StringSymbol = 2
Const StateNone = 0
Const StateNumeric = 1
Const StateString = 2
Const StateError = 3

Dim e, st, r, syms, x, g, s, names, n, t, v, outcome, e2, held

Set e = CreateObject("TALMIRON.Expression")
Check "a new object's State is None", e.State, StateNone
Check "State reads as a Long", TypeName(e.State), "Long"

' Evaluation by name and by the default member.
r = e.Evaluate("LEN('ab') * (1 + 2)")
Check "Evaluate by name", r, "6"
Check "the result is a String", TypeName(r), "String"
Check "State follows Evaluate without a State argument", e.State, StateNumeric
Check "the default member is Evaluate", e("2^3^2"), "64"
Check "the default member sets State", e.State, StateNumeric
Check "a blank inside a literal stays", e.Evaluate("'a b'"), "a b"
Check "a String result sets State", e.State, StateString
' Characters beyond ASCII, from the script's own code page.
Check "text beyond ASCII passes unchanged", e.Evaluate("UCASE('" & Chr(233) & "')"), Chr(201)
Check "a character beyond ASCII is one character", e.Evaluate("LEN('" & Chr(128) & "')"), "1"

' State: a plain variable is passed by reference and receives the state.
st = 99
r = e.Evaluate("1+2", st)
Check "Evaluate with State: result", r, "3"
Check "Evaluate with State: the variable holds the state", st, StateNumeric
st = Empty
r = e.Evaluate("'x'", st)
Check "an Empty State variable receives the state", st, StateString
st = 42
r = e.Evaluate("'abc", st)
Check "unclosed quotes", r, "1001 ERROR: Unclosed quotes in expression."
Check "a failure sets the State variable to Error", st, StateError
Check "a failure sets State to Error", e.State, StateError
Check "the object stays usable after a failure", e.Evaluate("10/4"), "2.5"
Check "a valid evaluation resets State", e.State, StateNumeric
Check "the empty expression", e.Evaluate(""), "1003 ERROR: Operand expected."
' By value: a parenthesized variable or a literal is not changed.
st = 7
r = e.Evaluate("'q'", (st))
Check "State passed by value: result", r, "q"
Check "State passed by value: the variable keeps its value", st, 7
Check "State passed by value: the property still follows", e.State, StateString
r = e.Evaluate("1", 5)
Check "State passed as a literal", r, "1"
' The expression text itself is not changed.
n = "1 + 1"
r = e.Evaluate(n, st)
Check "the expression variable keeps its text", n, "1 + 1"
' Arguments are coerced: a number passed as the expression is read as text.
Check "a number as the expression", e.Evaluate(42), "42"
Check "an arithmetic value as the expression", e.Evaluate(2 + 3), "5"

' Symbols: one collection for the object's life.
Set syms = e.Symbols
CheckTrue "Symbols returns the same collection each time", syms Is e.Symbols
Check "a new collection is empty", syms.Count, 0

Set x = syms.Add("x", NumericSymbol, "2")
Check "Add returns the symbol: Name", x.Name, "x"
Check "Add returns the symbol: DataType", x.DataType, NumericSymbol
Check "Add returns the symbol: Value", x.Value, "2"
Check "the default member of a Symbol is Value", "" & x, "2"
Check "an expression sees the symbol", e.Evaluate("x * 10"), "20"
Check "symbol names match without regard to case", e.Evaluate("X + 1"), "3"
n = "Greeting"
t = StringSymbol
v = "hi"
Set g = syms.Add(n, t, v)
Check "Add leaves its Name argument unchanged", n, "Greeting"
Check "Add leaves its DataType argument unchanged", t, StringSymbol
Check "Add leaves its Value argument unchanged", v, "hi"
Check "a String symbol", e.Evaluate("greeting + '!'"), "hi!"
Check "Count after two Adds", syms.Count, 2

' Item by position and by name, by name and as the default member.
Check "Item by position", syms.Item(1).Name, "x"
Check "the default member is Item", syms(2).Name, "Greeting"
Check "Item by name without regard to case", syms("GREETING").Value, "hi"
n = 1
Check "Item with a position in a variable", syms(n).Name, "x"
Check "Item leaves its argument unchanged", n, 1
CheckTrue "Add and Item give the same object", syms("x") Is x
CheckTrue "Item by position and by name give the same object", syms(1) Is syms("X")

' Changes through a held Symbol reach the evaluation.
x.Value = "5"
Check "Value put", x.Value, "5"
Check "the evaluation sees the new Value", e.Evaluate("x * 10"), "50"
CheckTrue "the collection holds the changed symbol", syms(1).Value = "5"
x.DataType = StringSymbol
Check "DataType put", x.DataType, StringSymbol
Check "the evaluation sees the new DataType", e.Evaluate("x + 'a'"), "5a"
x.DataType = 7
Check "DataType keeps any value", x.DataType, 7
x.DataType = NumericSymbol
v = "8"
x.Value = v
Check "Value put from a variable", x.Value, "8"
Check "Value put leaves its argument unchanged", v, "8"

' Enumeration in insertion order, yielding the same objects.
Set s = syms.Add("y", NumericSymbol, "3")
names = ""
For Each s In syms
    names = names & s.Name & ","
Next
Check "For Each yields the symbols in insertion order", names, "x,Greeting,y,"
For Each s In syms
    CheckTrue "enumeration yields the same object as Item", s Is syms(1)
    Exit For
Next

' The failures of the collection, with their numbers and descriptions.
On Error Resume Next
syms.Add "X", NumericSymbol, "0"
outcome = Failure()
On Error GoTo 0
Check "Add of a name already present", outcome, _
      "457: This key is already associated with an element of this collection"
Check "a failed Add adds nothing", syms.Count, 3
Dim probes, probe
probes = Array(0, 4, -1)
' Wine's VBScript loses the error of a failed call through a default member,
' so the failures are read through Item by name.
For Each probe In probes
    On Error Resume Next
    Set s = syms.Item(probe)
    outcome = Failure()
    On Error GoTo 0
    Check "Item at position " & probe, outcome, "9: Subscript out of range"
    On Error Resume Next
    syms.Remove probe
    outcome = Failure()
    On Error GoTo 0
    Check "Remove at position " & probe, outcome, "9: Subscript out of range"
Next
On Error Resume Next
Set s = syms.Item("nothing")
outcome = Failure()
On Error GoTo 0
Check "Item of a name that is no key", outcome, "5: Invalid procedure call or argument"
On Error Resume Next
syms.Remove "nothing"
outcome = Failure()
On Error GoTo 0
Check "Remove of a name that is no key", outcome, "5: Invalid procedure call or argument"
Check "failed look-ups change nothing", syms.Count, 3

' Remove by name and by position; a held symbol lives on.
syms.Remove "GREETING"
Check "Remove by name", syms.Count, 2
Check "the evaluation no longer sees a removed symbol's value", _
      e.Evaluate("greeting") = "hi", False
Check "a removed symbol is no operand", e.State, StateError
Check "a held removed symbol keeps its Name", g.Name, "Greeting"
Check "a held removed symbol keeps its Value", g.Value, "hi"
Check "a held removed symbol keeps its DataType", g.DataType, StringSymbol
syms.Remove 1
Check "Remove by position", syms.Count, 1
Check "Remove by position removed the first", syms(1).Name, "y"
Set g = syms.Add("Greeting", StringSymbol, "again")
Check "a removed name can be added again", syms.Count, 2

' Clear, on a full and on an empty collection.
syms.Clear
Check "Clear empties the collection", syms.Count, 0
syms.Clear
Check "Clear on an empty collection", syms.Count, 0
names = ""
For Each s In syms
    names = names & s.Name
Next
Check "For Each over an empty collection", names, ""
Check "a held symbol outlives Clear", x.Value, "8"

' Symbol and Symbols are not creatable.
On Error Resume Next
Set s = CreateObject("TALMIRON.Symbol")
CheckTrue "CreateObject of TALMIRON.Symbol fails", Err.Number <> 0
Err.Clear
Set s = CreateObject("TALMIRON.Symbols")
CheckTrue "CreateObject of TALMIRON.Symbols fails", Err.Number <> 0
Err.Clear
On Error GoTo 0

' A held Symbols is found empty once its Expression is released.
Set e2 = CreateObject("TALMIRON.Expression")
Set held = e2.Symbols
held.Add "a", NumericSymbol, "1"
held.Add "b", NumericSymbol, "2"
Check "the second object's own collection", held.Count, 2
Check "objects are independent", e.Symbols.Count, 0
Set e2 = Nothing
Check "a held Symbols is empty after its Expression is released", held.Count, 0
held.Add "c", NumericSymbol, "3"
Check "the held Symbols stays usable", held(1).Name, "c"
Set held = Nothing

WScript.Echo passed & " passed, " & failed & " failed"
If failed > 0 Then WScript.Quit 1
WScript.Quit 0
