// Reading, writing and calling the members of an object by name through
// its IDispatch, as the pages reach the controls a designer selected (and
// their own controls, which need no type library of their own here).
#pragma once

#include "common/com/variant.h"

#include <oaidl.h>

#include <string>

namespace pkw::pages::late {

HRESULT Get(IDispatch* object, const wchar_t* name, Variant& value) noexcept;
// An object value is assigned by reference (Set), anything else by value.
HRESULT Put(IDispatch* object, const wchar_t* name, const VARIANT& value) noexcept;
// A method without arguments; its result, if any, is dropped.
HRESULT Call(IDispatch* object, const wchar_t* name) noexcept;

// A string property; DISP_E_TYPEMISMATCH for an answer of another type.
HRESULT GetText(IDispatch* object, const wchar_t* name, std::wstring& text) noexcept;
HRESULT PutText(IDispatch* object, const wchar_t* name, const std::wstring& text) noexcept;

} // namespace pkw::pages::late
