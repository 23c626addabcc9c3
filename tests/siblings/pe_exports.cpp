#include "pe_exports.h"

#include <cstring>
#include <optional>

namespace pkw::test {
namespace {

std::optional<std::vector<BYTE>> ReadFileBytes(const std::wstring& path) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    LARGE_INTEGER size{};
    std::vector<BYTE> bytes;
    DWORD read = 0;
    const bool ok = ::GetFileSizeEx(file, &size) && size.QuadPart < (1 << 28) &&
                    (bytes.resize(std::size_t(size.QuadPart)),
                     ::ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr)) &&
                    read == bytes.size();
    ::CloseHandle(file);
    return ok ? std::optional(std::move(bytes)) : std::nullopt;
}

class Reader {
public:
    explicit Reader(const std::vector<BYTE>& bytes) : bytes_(bytes) {}

    template <typename T>
    bool Read(std::size_t offset, T& out) const {
        if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T)) return false;
        std::memcpy(&out, bytes_.data() + offset, sizeof(T));
        return true;
    }

    bool String(std::size_t offset, std::string& out) const {
        out.clear();
        for (; offset < bytes_.size(); ++offset) {
            if (!bytes_[offset]) return true;
            out.push_back(char(bytes_[offset]));
        }
        return false;
    }

    // File offset of a relative virtual address, through the section table.
    std::optional<std::size_t> Offset(DWORD rva) const {
        for (const IMAGE_SECTION_HEADER& s : sections_) {
            const DWORD extent = std::max(s.Misc.VirtualSize, s.SizeOfRawData);
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + extent)
                return std::size_t(s.PointerToRawData) + (rva - s.VirtualAddress);
        }
        return std::nullopt;
    }

    std::vector<IMAGE_SECTION_HEADER> sections_;

private:
    const std::vector<BYTE>& bytes_;
};

} // namespace

bool ReadPeNames(const std::wstring& path, PeNames& out, std::string& error) {
    out = {};
    const auto bytes = ReadFileBytes(path);
    if (!bytes) return error = "cannot read the file", false;
    Reader r(*bytes);
    IMAGE_DOS_HEADER dos{};
    if (!r.Read(0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE)
        return error = "no DOS header", false;
    const std::size_t nt = std::size_t(dos.e_lfanew);
    DWORD signature = 0;
    IMAGE_FILE_HEADER file{};
    if (!r.Read(nt, signature) || signature != IMAGE_NT_SIGNATURE || !r.Read(nt + 4, file))
        return error = "no PE header", false;
    out.machine = file.Machine;
    const std::size_t optional = nt + 4 + sizeof(IMAGE_FILE_HEADER);
    WORD magic = 0;
    r.Read(optional, magic);
    IMAGE_DATA_DIRECTORY exportDir{}, importDir{};
    if (magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
        IMAGE_OPTIONAL_HEADER32 h{};
        if (!r.Read(optional, h)) return error = "short optional header", false;
        exportDir = h.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
        importDir = h.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    } else if (magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
        IMAGE_OPTIONAL_HEADER64 h{};
        if (!r.Read(optional, h)) return error = "short optional header", false;
        exportDir = h.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
        importDir = h.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    } else {
        return error = "unknown optional header", false;
    }
    const std::size_t sectionTable = optional + file.SizeOfOptionalHeader;
    for (WORD i = 0; i < file.NumberOfSections; ++i) {
        IMAGE_SECTION_HEADER s{};
        if (!r.Read(sectionTable + i * sizeof(s), s)) return error = "short section table", false;
        r.sections_.push_back(s);
    }

    if (exportDir.VirtualAddress && exportDir.Size) {
        IMAGE_EXPORT_DIRECTORY e{};
        const auto at = r.Offset(exportDir.VirtualAddress);
        if (!at || !r.Read(*at, e)) return error = "bad export directory", false;
        for (DWORD i = 0; i < e.NumberOfNames; ++i) {
            DWORD nameRva = 0;
            const auto names = r.Offset(e.AddressOfNames);
            std::string name;
            if (!names || !r.Read(*names + i * 4, nameRva))
                return error = "bad export name table", false;
            const auto nameAt = r.Offset(nameRva);
            if (!nameAt || !r.String(*nameAt, name)) return error = "bad export name", false;
            out.exports.push_back(name);
        }
    }
    if (importDir.VirtualAddress && importDir.Size) {
        const auto at = r.Offset(importDir.VirtualAddress);
        if (!at) return error = "bad import directory", false;
        for (std::size_t i = 0;; ++i) {
            IMAGE_IMPORT_DESCRIPTOR d{};
            if (!r.Read(*at + i * sizeof(d), d)) return error = "bad import descriptor", false;
            if (!d.Name) break;
            const auto nameAt = r.Offset(d.Name);
            std::string name;
            if (!nameAt || !r.String(*nameAt, name)) return error = "bad import name", false;
            out.imports.push_back(name);
        }
    }
    return true;
}

} // namespace pkw::test
