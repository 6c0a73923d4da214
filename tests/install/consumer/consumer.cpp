// A host program built against the installed library alone.
#include "component/expression.h"

#include <cstdio>

int main() {
    talmiron::Expression expression;
    expression.Symbols()->Add(u"x", talmiron::EvaluationTypes_Numeric, u"2");
    talmiron::EvaluationStates state = talmiron::EvaluationStates_None;
    const talmiron::Text result = expression.Evaluate(u"LEN('ab') * (1 + x)", &state);
    std::printf("%s %d\n", std::string(result.begin(), result.end()).c_str(),
                static_cast<int>(state));
    return result == u"6" && state == talmiron::EvaluationStates_Numeric ? 0 : 1;
}
