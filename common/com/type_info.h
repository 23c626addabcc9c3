// Reading type information: the descriptions ITypeInfo lends out (type,
// function and variable descriptions, given back on scope exit), and what
// a TYPEDESC finally means once aliases, enumerations, records and
// interface pointers are followed.
#pragma once

#include "common/com/com_ptr.h"

#include <oaidl.h>

#include <string>

namespace pkw::com {

using Microsoft::WRL::ComPtr;

// One description lent by an ITypeInfo (type attributes, or a function or
// variable description by index), given back when the holder goes.
template <typename Desc, auto Get, auto Give>
class LentDesc {
public:
    LentDesc() = default;
    LentDesc(const LentDesc&) = delete;
    LentDesc& operator=(const LentDesc&) = delete;
    ~LentDesc() { reset(); }

    template <typename... Index>
    HRESULT take(ITypeInfo* info, Index... index) {
        reset();
        if (!info) return E_POINTER;
        const HRESULT hr = (info->*Get)(index..., &desc_);
        if (FAILED(hr) || !desc_) {
            desc_ = nullptr;
            return FAILED(hr) ? hr : E_UNEXPECTED;
        }
        info_ = info;
        return S_OK;
    }
    const Desc* operator->() const noexcept { return desc_; }
    const Desc& operator*() const noexcept { return *desc_; }
    explicit operator bool() const noexcept { return desc_ != nullptr; }

private:
    void reset() noexcept {
        if (desc_ && info_) (info_.Get()->*Give)(desc_);
        desc_ = nullptr;
        info_.Reset();
    }
    ComPtr<ITypeInfo> info_;
    Desc* desc_ = nullptr;
};

using TypeAttr = LentDesc<TYPEATTR, &ITypeInfo::GetTypeAttr, &ITypeInfo::ReleaseTypeAttr>;
using FuncDesc = LentDesc<FUNCDESC, &ITypeInfo::GetFuncDesc, &ITypeInfo::ReleaseFuncDesc>;
using VarDesc = LentDesc<VARDESC, &ITypeInfo::GetVarDesc, &ITypeInfo::ReleaseVarDesc>;

// What a value of some declared type is.
struct ValueType {
    enum class Kind { Plain, Colour, Enum, Record, Font, Picture, Object };
    VARTYPE vt = VT_EMPTY; // VT_I4 for enumerations, VT_DISPATCH/VT_UNKNOWN for objects
    Kind kind = Kind::Plain;
    ComPtr<ITypeInfo> info; // the enumeration's or record's own type info
};

// Follows aliases (OLE_COLOR becomes a colour), pointers to interfaces
// (fonts and pictures recognised by their interface), enumerations and
// records. DISP_E_BADVARTYPE for what has no value form.
HRESULT resolveType(ITypeInfo* owner, const TYPEDESC& desc, ValueType& out);

// The member's name in `info` ("" when unknown).
std::wstring memberName(ITypeInfo* info, MEMBERID id);
// The name of the type that `info` describes.
std::wstring typeInfoName(ITypeInfo* info);

} // namespace pkw::com
