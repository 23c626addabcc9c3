// Counts this process's live GDI objects for leak tests.
//
// GetGuiResources is a stub under Wine (it answers 0), so the count comes
// from the GDI handle table that both Windows and Wine map into the process
// (PEB::GdiSharedHandleTable): an entry is live when it has a type and an
// object. Windows fills the owner field with the process id; Wine leaves it
// 0. The entry layout is the 64-bit one (Wine uses it in every process;
// 32-bit Windows has 16-byte cells), so the count is meaningful where the
// tests run: 64-bit. Note: the first DC a process creates also creates a few objects that
// live for the process, so measure after a warm-up round.
#pragma once

#include <windows.h>
#include <winternl.h>

#include <cstddef>
#include <cstring>

namespace pkw::test {

inline int CountGdiObjects() {
    struct Entry {
        ULONG64 object;
        ULONG owner;
        USHORT unique;
        UCHAR type;
        UCHAR flags;
        ULONG64 user;
    };
    static_assert(sizeof(Entry) == 24);
#ifdef _WIN64
    constexpr std::size_t kTableOffset = 0xF8;
#else
    constexpr std::size_t kTableOffset = 0x94;
#endif
    // GCC sees the PEB through NtCurrentTeb()'s small struct and flags the
    // read past it; the offset is the documented field's.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
    const auto* peb = reinterpret_cast<const BYTE*>(NtCurrentTeb()->ProcessEnvironmentBlock);
    const Entry* table = nullptr;
    std::memcpy(&table, peb + kTableOffset, sizeof table);
#pragma GCC diagnostic pop
    if (!table) return -1;
    const USHORT pid = static_cast<USHORT>(::GetCurrentProcessId());
    int live = 0;
    for (int i = 0; i < 0x10000; ++i) {
        const Entry& e = table[i];
        if (e.type && e.object && (e.owner == 0 || static_cast<USHORT>(e.owner) == pid)) ++live;
    }
    return live;
}

} // namespace pkw::test
