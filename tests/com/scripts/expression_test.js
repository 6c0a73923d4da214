// TALMIRON.Expression as a JScript host uses it where JScript differs from
// VBScript: every argument by value, failures caught as exceptions, the
// collection walked with an Enumerator. Prints one line per check and a
// closing count.
var passed = 0, failed = 0;
function check(name, actual, expected) {
    actual === expected ? passed++ : failed++;
    WScript.Echo(actual === expected ? "ok - " + name : "FAIL - " + name + ": got [" + actual +
                 "] (" + typeof actual + "), expected [" + expected + "]");
}
// The automation error that f raises, as "number: description".
function failure(f) {
    try {
        f();
    } catch (error) {
        return (error.number & 0xFFFF) + ": " + error.description;
    }
    return "no failure";
}

var e = new ActiveXObject("TALMIRON.Expression");
check("Evaluate gives a string, State a number", e.Evaluate("1+2") + e.State, "31");
check("a method name in any case", e.evaluate("'x'"), "x");
check("a State argument passed by value", e.Evaluate("'abc", 0) + e.State,
      "1001 ERROR: Unclosed quotes in expression.3");
check("a number as the expression is read as its text", e.Evaluate(1.5), "1.5");

var syms = e.Symbols;
var x = syms.Add("x", 1, "4");
var g = syms.Add("g", 2, "go");
check("Symbols, Add and Item give the same objects",
      syms === e.Symbols && syms.Item(1) === x && syms.Item("G") === g, true);
x.Value = "6";
x.DataType = 2;
check("puts reach the evaluation", e.Evaluate("x + g"), "6go");
var names = [];
for (var en = new Enumerator(syms); !en.atEnd(); en.moveNext()) {
    names.push(en.item().Name + (en.item() === syms.Item(names.length + 1)));
}
check("Enumerator yields the symbols in order", names.join(","), "xtrue,gtrue");
check("Add of a name present", failure(function () { syms.Add("G", 1, "1"); }),
      "457: This key is already associated with an element of this collection");
check("Item beyond the count", failure(function () { syms.Item(3); }),
      "9: Subscript out of range");
check("Remove of a name that is no key", failure(function () { syms.Remove("none"); }),
      "5: Invalid procedure call or argument");
WScript.Echo(passed + " passed, " + failed + " failed");
WScript.Quit(failed > 0 ? 1 : 0);
