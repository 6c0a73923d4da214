// TALMIRON.Expression as a JScript host uses it where JScript differs from
// VBScript: every argument by value, failures caught as exceptions, the
// collection walked with an Enumerator. Prints one line per check and a
// closing count; exits 1 on any failed check.
var passed = 0;
var failed = 0;

function check(name, actual, expected) {
    if (actual === expected) {
        passed++;
        WScript.Echo("ok - " + name);
    } else {
        failed++;
        WScript.Echo("FAIL - " + name + ": got [" + actual + "] (" + typeof actual +
                     "), expected [" + expected + "] (" + typeof expected + ")");
    }
}

// The automation error that f raises, as "number: description", where the
// number is the low word of an error of the control facility (0x800A....).
function failure(f) {
    try {
        f();
    } catch (error) {
        var number = error.number;
        if (((number >>> 16) & 0xFFFF) === 0x800A) {
            return (number & 0xFFFF) + ": " + error.description;
        }
        return "HRESULT " + (number >>> 0).toString(16) + ": " + error.description;
    }
    return "no failure";
}

var e = new ActiveXObject("TALMIRON.Expression");
check("Evaluate gives a string", typeof e.Evaluate("1+2"), "string");
check("State is a number", e.State, 1);
check("a method name without regard to case", e.evaluate("'x'"), "x");
check("a State argument passed by value", e.Evaluate("'abc", 0),
      "1001 ERROR: Unclosed quotes in expression.");
check("the State property still follows", e.State, 3);
check("a number as the expression is read as its text", e.Evaluate(1.5), "1.5");

var syms = e.Symbols;
check("Symbols returns the same collection each time", syms === e.Symbols, true);
var x = syms.Add("x", 1, "4");
var g = syms.Add("g", 2, "go");
check("the members of a Symbol", syms.Count + x.Name + g.DataType + g.Value, "2x2go");
check("an expression sees the symbols", e.Evaluate("x*x"), "16");
check("Item by position and by name", syms.Item(1).Name + syms.Item("G").Value, "xgo");
check("Add and Item give the same object", syms.Item("x") === x, true);
x.Value = "6";
x.DataType = 2;
check("puts reach the evaluation", e.Evaluate("x + g"), "6go");

var names = [];
for (var en = new Enumerator(syms); !en.atEnd(); en.moveNext()) {
    names.push(en.item().Name);
}
check("Enumerator yields the symbols in insertion order", names.join(","), "x,g");
check("Enumerator yields the same objects", new Enumerator(syms).item() === x, true);

check("Add of a name already present", failure(function () { syms.Add("G", 1, "1"); }),
      "457: This key is already associated with an element of this collection");
check("Item beyond the count", failure(function () { syms.Item(3); }),
      "9: Subscript out of range");
check("Remove of a name that is no key", failure(function () { syms.Remove("none"); }),
      "5: Invalid procedure call or argument");
check("TALMIRON.Symbols is not creatable",
      failure(function () { new ActiveXObject("TALMIRON.Symbols"); }) !== "no failure", true);

syms.Remove("x");
syms.Remove(1);
check("Remove by name and by position", syms.Count, 0);
syms.Add("z", 1, "1");
syms.Clear();
check("Clear", syms.Count, 0);

WScript.Echo(passed + " passed, " + failed + " failed");
WScript.Quit(failed > 0 ? 1 : 0);
