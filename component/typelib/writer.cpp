#include "component/typelib/writer.h"

#include <oleauto.h>

#include <cctype>
#include <charconv>
#include <cstdint>
#include <deque>
#include <vector>

namespace talmiron::com::typelib {
namespace {

std::string Describe(const std::string& step, HRESULT result) {
    char digits[8];
    const auto end =
        std::to_chars(digits, digits + sizeof digits, static_cast<std::uint32_t>(result), 16).ptr;
    std::string code(digits, end);
    for (char& c : code) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return step + " failed with 0x" + std::string(8 - code.size(), '0') + code;
}

void Check(HRESULT result, const char* step) {
    if (FAILED(result)) {
        throw WriteFailure(step, result);
    }
}

// Owns one interface reference.
template <typename T> class Ref {
  public:
    Ref() = default;
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    Ref(Ref&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
    ~Ref() {
        if (p_) {
            p_->Release();
        }
    }
    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    T** out() noexcept { return &p_; }

  private:
    T* p_ = nullptr;
};

// The library being written, with one writer and one reader per type.
class LibraryWriter {
  public:
    LibraryWriter(const LibraryDescription& library, const std::wstring& path, SYSKIND target)
        : library_(library) {
        Check(CreateTypeLib2(target, path.c_str(), library_file_.out()), "CreateTypeLib2");
        Ref<ITypeLib> standard;
        Check(LoadRegTypeLib(IID_StdOle, 2, 0, 0, standard.out()), "loading stdole2.tlb");
        Check(standard->GetTypeInfoOfGuid(IID_IDispatch, dispatch_.out()), "finding IDispatch");
    }

    void Write() {
        WriteLibraryAttributes();
        // Every type exists before any is filled, so that a reference to a
        // later type never moves it ahead of its place.
        for (const TypeDescription& type : library_.types) {
            CreateType(type);
        }
        for (std::size_t i = 0; i < library_.types.size(); ++i) {
            FillType(i);
        }
        for (std::size_t i = 0; i < library_.types.size(); ++i) {
            Check(writers_[i]->LayOut(), "LayOut");
        }
        Check(library_file_->SaveAllChanges(), "SaveAllChanges");
    }

  private:
    void WriteLibraryAttributes() {
        Check(library_file_->SetName(const_cast<LPOLESTR>(library_.name)), "SetName");
        Check(library_file_->SetGuid(*library_.guid), "SetGuid");
        Check(library_file_->SetVersion(library_.majorVersion, library_.minorVersion),
              "SetVersion");
        Check(library_file_->SetLcid(library_.locale), "SetLcid");
        Check(library_file_->SetDocString(const_cast<LPOLESTR>(library_.helpString)),
              "SetDocString");
        Check(library_file_->SetHelpFileName(const_cast<LPOLESTR>(library_.helpFile)),
              "SetHelpFileName");
        Check(library_file_->SetHelpContext(library_.helpContext), "SetHelpContext");
    }

    void CreateType(const TypeDescription& type) {
        Ref<ICreateTypeInfo> created;
        Check(library_file_->CreateTypeInfo(const_cast<LPOLESTR>(type.name), type.kind,
                                            created.out()),
              "CreateTypeInfo");
        Ref<ICreateTypeInfo2> writer;
        Check(created->QueryInterface(IID_ICreateTypeInfo2, reinterpret_cast<void**>(writer.out())),
              "ICreateTypeInfo2");
        Ref<ITypeInfo> reader;
        Check(created->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(reader.out())),
              "ITypeInfo of a new type");
        Check(writer->SetGuid(*type.guid), "SetGuid of a type");
        Check(writer->SetVersion(1, 0), "SetVersion of a type");
        writers_.push_back(std::move(writer));
        readers_.push_back(std::move(reader));
    }

    void FillType(std::size_t index) {
        const TypeDescription& type = library_.types[index];
        ICreateTypeInfo2* writer = writers_[index].get();
        switch (type.kind) {
        case TKIND_INTERFACE:
            FillInterface(type, writer);
            break;
        case TKIND_COCLASS:
            FillClass(type, writer);
            break;
        case TKIND_ENUM:
            FillEnumeration(type, writer);
            break;
        default:
            throw WriteFailure("describing a type of unexpected kind", E_INVALIDARG);
        }
    }

    void FillInterface(const TypeDescription& type, ICreateTypeInfo2* writer) {
        HREFTYPE base = 0;
        Check(writer->AddRefTypeInfo(dispatch_.get(), &base), "referring to IDispatch");
        Check(writer->AddImplType(0, base), "deriving from IDispatch");
        Check(writer->SetTypeFlags(type.flags), "SetTypeFlags of an interface");
        for (std::size_t slot = 0; slot < type.members.size(); ++slot) {
            AddFunction(type.members[slot], static_cast<UINT>(slot), writer);
        }
    }

    void AddFunction(const FunctionDescription& function, UINT slot, ICreateTypeInfo2* writer) {
        // Type descriptions point at each other; a deque keeps them in place.
        std::deque<TYPEDESC> chain;
        std::vector<ELEMDESC> parameters;
        std::vector<LPOLESTR> names{const_cast<LPOLESTR>(function.name)};
        for (const ParameterDescription& parameter : function.parameters) {
            ELEMDESC element{};
            element.tdesc = Resolve(parameter.type, writer, chain);
            element.paramdesc.wParamFlags = parameter.flags;
            parameters.push_back(element);
            names.push_back(const_cast<LPOLESTR>(parameter.name));
        }
        // Results and the values of property puts have no names; the
        // platform takes names only up to the last named parameter.
        while (names.size() > 1 && names.back() == nullptr) {
            names.pop_back();
        }

        FUNCDESC description{};
        description.memid = function.id;
        description.funckind = FUNC_PUREVIRTUAL;
        description.invkind = function.kind;
        description.callconv = CC_STDCALL;
        description.cParams = static_cast<SHORT>(parameters.size());
        description.lprgelemdescParam = parameters.empty() ? nullptr : parameters.data();
        description.oVft = static_cast<SHORT>((7 + slot) * sizeof(void*));
        description.elemdescFunc.tdesc.vt = VT_HRESULT;
        description.wFuncFlags = function.flags;
        Check(writer->AddFuncDesc(slot, &description), "AddFuncDesc");
        Check(writer->SetFuncAndParamNames(slot, names.data(), static_cast<UINT>(names.size())),
              "SetFuncAndParamNames");
        if (function.helpString) {
            Check(writer->SetFuncDocString(slot, const_cast<LPOLESTR>(function.helpString)),
                  "SetFuncDocString");
        }
    }

    TYPEDESC Resolve(const TypeSpec& type, ICreateTypeInfo2* writer, std::deque<TYPEDESC>& chain) {
        TYPEDESC inner{};
        inner.vt = type.base;
        if (type.base == VT_USERDEFINED) {
            Check(writer->AddRefTypeInfo(readers_.at(type.libraryType).get(), &inner.hreftype),
                  "referring to a type of the library");
        }
        for (int level = 0; level < type.pointers; ++level) {
            chain.push_back(inner);
            inner = TYPEDESC{};
            inner.vt = VT_PTR;
            inner.lptdesc = &chain.back();
        }
        return inner;
    }

    void FillClass(const TypeDescription& type, ICreateTypeInfo2* writer) {
        HREFTYPE implemented = 0;
        Check(writer->AddRefTypeInfo(readers_.at(type.defaultInterface).get(), &implemented),
              "referring to a class's interface");
        Check(writer->AddImplType(0, implemented), "AddImplType of a class");
        Check(writer->SetImplTypeFlags(0, IMPLTYPEFLAG_FDEFAULT), "SetImplTypeFlags");
        Check(writer->SetTypeFlags(type.flags), "SetTypeFlags of a class");
    }

    void FillEnumeration(const TypeDescription& type, ICreateTypeInfo2* writer) {
        Check(writer->SetTypeFlags(type.flags), "SetTypeFlags of an enumeration");
        Check(writer->SetAlignment(4), "SetAlignment of an enumeration");
        for (std::size_t i = 0; i < type.constants.size(); ++i) {
            const ConstantDescription& constant = type.constants[i];
            const UINT index = static_cast<UINT>(i);
            VARIANT value;
            VariantInit(&value);
            V_VT(&value) = VT_I4;
            V_I4(&value) = constant.value;
            VARDESC description{};
            description.memid = MEMBERID_NIL;
            description.varkind = VAR_CONST;
            description.lpvarValue = &value;
            description.elemdescVar.tdesc.vt = VT_I4;
            Check(writer->AddVarDesc(index, &description), "AddVarDesc");
            Check(writer->SetVarName(index, const_cast<LPOLESTR>(constant.name)), "SetVarName");
            // Object browsers show a member's help string beside it.
            Check(writer->SetVarDocString(index, const_cast<LPOLESTR>(constant.name)),
                  "SetVarDocString");
        }
    }

    const LibraryDescription& library_;
    Ref<ICreateTypeLib2> library_file_;
    Ref<ITypeInfo> dispatch_;
    std::vector<Ref<ICreateTypeInfo2>> writers_;
    std::vector<Ref<ITypeInfo>> readers_;
};

} // namespace

WriteFailure::WriteFailure(const std::string& step, HRESULT result)
    : std::runtime_error(Describe(step, result)), result_(result) {}

void WriteTypeLibrary(const LibraryDescription& library, const std::wstring& path, SYSKIND target) {
    LibraryWriter(library, path, target).Write();
}

} // namespace talmiron::com::typelib
