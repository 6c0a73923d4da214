// TALMIRON.Expression as a JScript host uses it: late-bound, every argument
// by value, failures caught as exceptions. Prints one line per check and a
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

var NumericSymbol = 1, StringSymbol = 2;
var StateNone = 0, StateNumeric = 1, StateString = 2, StateError = 3;

var e = new ActiveXObject("TALMIRON.Expression");
check("a new object's State is None", e.State, StateNone);

var r = e.Evaluate("LEN('ab') * (1 + 2)");
check("Evaluate by name", r, "6");
check("the result is a string", typeof r, "string");
check("State follows Evaluate", e.State, StateNumeric);
check("a method name without regard to case", e.evaluate("1+1"), "2");
check("a State argument passed by value", e.Evaluate("'s'", 3), "s");
check("the State property still follows", e.State, StateString);
check("unclosed quotes", e.Evaluate("'abc"), "1001 ERROR: Unclosed quotes in expression.");
check("a failure sets State to Error", e.State, StateError);
check("the object stays usable", e.Evaluate("-2^2"), "4");
check("a number as the expression is read as its text", e.Evaluate(1.5), "1.5");
check("text beyond ASCII passes unchanged", e.Evaluate("UCASE('\u00e9\u03c9')"), "\u00c9\u03a9");

var syms = e.Symbols;
check("Symbols returns the same collection each time", syms === e.Symbols, true);
check("a new collection is empty", syms.Count, 0);
var x = syms.Add("x", NumericSymbol, "4");
var g = syms.Add("g", StringSymbol, "go");
check("Count", syms.Count, 2);
check("Name", x.Name, "x");
check("DataType", g.DataType, StringSymbol);
check("Value", g.Value, "go");
check("an expression sees the symbols", e.Evaluate("x*x"), "16");
check("Item by position", syms.Item(1).Name, "x");
check("Item by name", syms.Item("G").Value, "go");
check("Add and Item give the same object", syms.Item("x") === x, true);

x.Value = "6";
check("a change through a held Symbol reaches the evaluation", e.Evaluate("x+1"), "7");
x.DataType = StringSymbol;
check("DataType put", x.DataType, StringSymbol);
check("a String symbol", e.Evaluate("x + g"), "6go");
x.DataType = NumericSymbol;

var names = [];
for (var en = new Enumerator(syms); !en.atEnd(); en.moveNext()) {
    names.push(en.item().Name);
}
check("Enumerator yields the symbols in insertion order", names.join(","), "x,g");
en = new Enumerator(syms);
check("enumeration yields the same objects", en.item() === x, true);

check("Add of a name already present", failure(function () { syms.Add("G", 1, "1"); }),
      "457: This key is already associated with an element of this collection");
check("a failed Add adds nothing", syms.Count, 2);
check("Item beyond the count", failure(function () { syms.Item(3); }),
      "9: Subscript out of range");
check("Item at position 0", failure(function () { syms.Item(0); }), "9: Subscript out of range");
check("Item of a name that is no key", failure(function () { syms.Item("none"); }),
      "5: Invalid procedure call or argument");
check("Remove beyond the count", failure(function () { syms.Remove(9); }),
      "9: Subscript out of range");
check("Remove of a name that is no key", failure(function () { syms.Remove("none"); }),
      "5: Invalid procedure call or argument");

syms.Remove("x");
check("Remove by name", syms.Count, 1);
e.Evaluate("x");
check("a removed symbol is no longer seen", e.State, StateError);
check("a held removed symbol keeps its value", x.Value, "6");
syms.Remove(1);
check("Remove by position", syms.Count, 0);
syms.Add("z", NumericSymbol, "1");
syms.Clear();
check("Clear", syms.Count, 0);
syms.Clear();
check("Clear on an empty collection", syms.Count, 0);

check("new ActiveXObject of TALMIRON.Symbol fails",
      failure(function () { new ActiveXObject("TALMIRON.Symbol"); }) !== "no failure", true);
check("new ActiveXObject of TALMIRON.Symbols fails",
      failure(function () { new ActiveXObject("TALMIRON.Symbols"); }) !== "no failure", true);

// A held Symbols is found empty once its Expression is released; the engine
// drops its reference at once, and CollectGarbage makes sure of it.
var e2 = new ActiveXObject("TALMIRON.Expression");
var held = e2.Symbols;
held.Add("a", NumericSymbol, "1");
check("the second object's own collection", held.Count, 1);
check("objects are independent", e.Symbols.Count, 0);
e2 = null;
CollectGarbage();
check("a held Symbols is empty after its Expression is released", held.Count, 0);
held = null;

WScript.Echo(passed + " passed, " + failed + " failed");
WScript.Quit(failed > 0 ? 1 : 0);
