// TALMIRON.Expression where JScript differs from VBScript: arguments by
// value, failures as exceptions, the collection walked with an Enumerator.
var passed = 0, failed = 0;
function check(name, actual, expected) {
    actual === expected ? passed++ : failed++;
    WScript.Echo(actual === expected ? "ok - " + name : "FAIL - " + name + ": got [" + actual +
                 "] (" + typeof actual + "), expected [" + expected + "]");
}

var e = new ActiveXObject("TALMIRON.Expression");
check("Evaluate gives a string and State a number, a State argument by value",
      e.Evaluate("1+2") + e.State + e.Evaluate("'abc", 0) + e.State,
      "311001 ERROR: Unclosed quotes in expression.3");
var syms = e.Symbols;
syms.Add("x", 1, "4"), syms.Add("g", 2, "go");
var names = [];
for (var en = new Enumerator(syms); !en.atEnd(); en.moveNext()) {
    names.push(en.item().Name + (en.item() === syms.Item(names.length + 1)));
}
check("Enumerator yields the symbols in order", names.join(","), "xtrue,gtrue");
try {
    syms.Add("G", 1, "1");
    check("Add of a name present fails", true, false);
} catch (error) {
    check("Add of a name present", (error.number & 0xFFFF) + ": " + error.description,
          "457: This key is already associated with an element of this collection");
}
WScript.Echo(passed + " passed, " + failed + " failed");
WScript.Quit(failed > 0 ? 1 : 0);
