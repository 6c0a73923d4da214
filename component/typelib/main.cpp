// Build tool: writes TALMIRON's type library and the "_IID_..." resource
// files that the library's resource script takes in. Runs under Wine during
// a cross build, so paths of the build machine arrive as "/..." and are
// reached through Wine's drive Z:.
//   talmiron_typelib LIBRARY.tlb EXPRESSION.iid SYMBOL.iid SYMBOLS.iid
#include "component/com/identity.h"
#include "component/typelib/iid_resource.h"
#include "component/typelib/surface.h"
#include "component/typelib/writer.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

using namespace talmiron::com;

std::wstring WindowsPath(const wchar_t* path) {
    std::wstring result = path;
    if (!result.empty() && result.front() == L'/') {
        result.insert(0, L"Z:");
    }
    return result;
}

bool WriteFileBytes(const std::wstring& path, const unsigned char* bytes, std::size_t size) {
    std::FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file) {
        return false;
    }
    const bool written = std::fwrite(bytes, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 5) {
        std::fputs("usage: talmiron_typelib LIBRARY.tlb EXPRESSION.iid SYMBOL.iid SYMBOLS.iid\n",
                   stderr);
        return 2;
    }
    const SYSKIND target = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
    try {
        typelib::WriteTypeLibrary(typelib::ComponentLibrary(), WindowsPath(argv[1]), target);
    } catch (const typelib::WriteFailure& failure) {
        std::fprintf(stderr, "talmiron_typelib: %ls: %s\n", argv[1], failure.what());
        return 1;
    }
    const GUID* interfaces[] = {&kExpressionInterfaceId, &kSymbolInterfaceId, &kSymbolsInterfaceId};
    for (int i = 0; i < 3; ++i) {
        const auto bytes = typelib::IidResource(*interfaces[i]);
        if (!WriteFileBytes(WindowsPath(argv[i + 2]), bytes.data(), bytes.size())) {
            std::fprintf(stderr, "talmiron_typelib: cannot write %ls\n", argv[i + 2]);
            return 1;
        }
    }
    return 0;
}
