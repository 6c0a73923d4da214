// The entry points of the in-process server: the four of every server, and
// DllInstall for registration by a user without administrator rights.
#include "component/com/class_factory.h"
#include "component/com/identity.h"
#include "component/com/module.h"
#include "component/com/module_state.h"
#include "component/com/registration.h"

#include <olectl.h>
#include <windows.h>

#include <cwchar>

STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, LPVOID* object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    // Symbol and Symbols exist only inside an Expression: no class object.
    if (!IsEqualCLSID(classId, talmiron::com::kExpressionClassId)) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return talmiron::com::CreateExpressionClassObject(iid, object);
}

STDAPI DllCanUnloadNow() {
    if (!talmiron::com::MayUnload()) {
        return S_FALSE;
    }
    talmiron::com::ReleaseLibraryTypes();
    return S_OK;
}

STDAPI DllRegisterServer() {
    return talmiron::com::RegisterServer();
}

STDAPI DllUnregisterServer() {
    return talmiron::com::UnregisterServer();
}

// regsvr32 /n /i:user registers for the current user, regsvr32 /u /n /i:user
// removes that; no other command line is known, and it changes nothing.
STDAPI DllInstall(BOOL install, LPCWSTR commandLine) {
    if (commandLine == nullptr || _wcsicmp(commandLine, L"user") != 0) {
        return E_INVALIDARG;
    }
    using talmiron::com::RegistrationScope;
    return install ? talmiron::com::RegisterServer(RegistrationScope::User)
                   : talmiron::com::UnregisterServer(RegistrationScope::User);
}
