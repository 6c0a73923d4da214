// The two enumerations: 32-bit signed constants whose help string is their
// own name, which is how object browsers show them.
#include "tests/com/typelib/library_under_test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace talmiron::com::testing {
namespace {

struct Constant {
    const wchar_t* name;
    LONG value;
};

struct Enumeration {
    UINT index;
    std::vector<Constant> constants;
};

TEST(Enumerations, HoldTheirConstantsInOrder) {
    const Enumeration enumerations[] = {
        {6, {{L"EvaluationTypes_Numeric", 1}, {L"EvaluationTypes_String", 2}}},
        {7,
         {{L"EvaluationStates_None", 0},
          {L"EvaluationStates_Numeric", 1},
          {L"EvaluationStates_String", 2},
          {L"EvaluationStates_Error", 3}}},
    };
    ASSERT_NE(TypeLibrary(), nullptr);
    for (const Enumeration& enumeration : enumerations) {
        Ref<ITypeInfo> type;
        ASSERT_EQ(TypeLibrary()->GetTypeInfo(enumeration.index, type.out()), S_OK);
        TypeAttributes attributes(type.get());
        ASSERT_TRUE(attributes);
        EXPECT_EQ(attributes->typekind, TKIND_ENUM);
        EXPECT_EQ(attributes->cFuncs, 0);
        EXPECT_EQ(attributes->cImplTypes, 0);
        ASSERT_EQ(attributes->cVars, enumeration.constants.size());
        for (UINT i = 0; i < enumeration.constants.size(); ++i) {
            const Constant& expected = enumeration.constants[i];
            SCOPED_TRACE(::testing::Message()
                         << "type " << enumeration.index << ", constant " << i);
            Variable variable(type.get(), i);
            ASSERT_TRUE(variable);
            EXPECT_EQ(variable->varkind, VAR_CONST);
            EXPECT_EQ(variable->elemdescVar.tdesc.vt, VT_I4);
            ASSERT_NE(variable->lpvarValue, nullptr);
            EXPECT_EQ(V_VT(variable->lpvarValue), VT_I4);
            EXPECT_EQ(V_I4(variable->lpvarValue), expected.value);
            const Documentation documentation = DocumentationOf(type.get(), variable->memid);
            EXPECT_EQ(documentation.name, expected.name);
            EXPECT_EQ(documentation.helpString, expected.name);
        }
    }
}

} // namespace
} // namespace talmiron::com::testing
