// An in-memory property bag with the habits of a real container's bag:
// names compared without regard to case, the last value written for a
// name wins, a missing name reads as E_INVALIDARG, and a read converts to
// the type the caller asks for (pVar->vt on entry). Objects that persist
// themselves (fonts, pictures) are saved on write and loaded afresh on
// every read, as a container that keeps them in a form file would; others
// are kept by reference.
//
// For tests it records every write in order (name and a copy of the value)
// and every read, takes preset values, and fails chosen reads or writes.
#pragma once

#include "common/com/variant.h"
#include "common/win/name_map.h"
#include "host/com_object.h"
#include "host/names.h"

#include <ocidl.h>

#include <string>
#include <string_view>
#include <vector>

namespace pkw::host {

class MemoryPropertyBag : public ComObject<MemoryPropertyBag, IPropertyBag> {
public:
    enum class Objects { Persist, Reference };

    struct WriteEntry {
        std::wstring name;
        Variant value; // as the writer gave it
    };
    struct ReadEntry {
        std::wstring name;
        VARTYPE requested; // pVar->vt on entry
        HRESULT result;
    };

    static ComPtr<MemoryPropertyBag> create(Objects objects = Objects::Persist);

    // --- The test's side ---------------------------------------------------
    // Stores a value without recording a write.
    HRESULT set(std::wstring_view name, const VARIANT& value);
    bool has(std::wstring_view name) const;
    // The stored value (objects loaded afresh, like Read with VT_EMPTY);
    // E_INVALIDARG when missing.
    HRESULT get(std::wstring_view name, Variant& value) const;
    void erase(std::wstring_view name);
    void clear();
    std::size_t size() const noexcept { return entries_.size(); }
    // Stored names, spelled as first written, in the order first written.
    std::vector<std::wstring> names() const;

    const std::vector<WriteEntry>& writes() const noexcept { return writes_; }
    // Reads are recorded only when asked (a container's own bag keeps no log).
    void recordReads(bool on) noexcept { recordReads_ = on; }
    const std::vector<ReadEntry>& reads() const noexcept { return reads_; }
    void clearLog();

    // Makes reads or writes of `name` fail with `hr` ("*" for every name).
    void failRead(std::wstring_view name, HRESULT hr);
    void failWrite(std::wstring_view name, HRESULT hr);
    void clearFailures();

    // --- IPropertyBag --------------------------------------------------------
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

    void* find(REFIID riid) noexcept;
    explicit MemoryPropertyBag(Objects objects) : objects_(objects) {}

private:
    struct Entry {
        std::wstring name;
        Variant value;             // kept by value or by reference
        ComPtr<IStream> persisted; // saved object (value is then empty)
    };
    struct Failure {
        std::wstring name;
        HRESULT hr;
    };

    Entry* lookup(std::wstring_view name);
    const Entry* lookup(std::wstring_view name) const;
    HRESULT store(std::wstring_view name, const VARIANT& value);
    HRESULT load(const Entry& entry, Variant& value) const;
    static HRESULT failure(const std::vector<Failure>& list, std::wstring_view name);

    Objects objects_;
    std::vector<Entry> entries_;
    // Where each name stands in entries_: a bag of many keys (a hostile
    // file) is still read in linear time.
    win::NameMap<std::size_t> index_;
    std::vector<WriteEntry> writes_;
    std::vector<ReadEntry> reads_;
    bool recordReads_ = false;
    std::vector<Failure> readFailures_;
    std::vector<Failure> writeFailures_;
};

} // namespace pkw::host
