// What the objects of the component share with its entry points: the count
// of live objects and class-object locks that decides whether the library may
// unload, the library's own module, and the type descriptions that the
// library carries as its resource.
#pragma once

#include <oaidl.h>
#include <windows.h>

namespace talmiron::com {

// Every COM object of the component counts itself from construction to
// destruction; the class object counts its LockServer calls.
void ObjectCreated() noexcept;
void ObjectDestroyed() noexcept;
void ServerLocked() noexcept;
void ServerUnlocked() noexcept;
// True while no object is alive and no lock is held.
bool MayUnload() noexcept;

// The library's module handle, recorded when it is loaded.
HMODULE LibraryModule() noexcept;

// The type description with the given GUID (an interface or enumeration of
// the library), read once from the library's own type library resource.
// Returns an added reference in *typeInfo.
HRESULT LibraryTypeInfo(REFGUID guid, ITypeInfo** typeInfo) noexcept;

} // namespace talmiron::com
