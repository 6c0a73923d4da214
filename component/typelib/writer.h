// Writes a type library file through the platform's own type library writer
// (ICreateTypeLib2), so that every attribute lands exactly as described and
// the types keep the order of the description.
#pragma once

#include "component/typelib/description.h"

#include <stdexcept>
#include <string>

namespace talmiron::com::typelib {

// A step of the writer that the platform refused: which one, and its HRESULT.
class WriteFailure : public std::runtime_error {
  public:
    WriteFailure(const std::string& step, HRESULT result);
    HRESULT result() const noexcept { return result_; }

  private:
    HRESULT result_;
};

// Writes `library` to `path` for the target system `target` (which decides
// the vtable layout). Throws WriteFailure.
void WriteTypeLibrary(const LibraryDescription& library, const std::wstring& path, SYSKIND target);

} // namespace talmiron::com::typelib
