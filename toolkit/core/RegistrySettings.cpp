#include "toolkit/core/RegistrySettings.h"

#include "toolkit/core/SystemLibrary.h"

#include <windows.h>

namespace OrvUtility {

namespace {

// The registry's functions are kernel32's own exports on every Windows since 7 (and in Wine):
// taken from there, the program imports no advapi32.
struct RegistryFunctions {
    decltype(&RegOpenKeyExW) open = Find<decltype(&RegOpenKeyExW)>("RegOpenKeyExW");
    decltype(&RegCreateKeyExW) create = Find<decltype(&RegCreateKeyExW)>("RegCreateKeyExW");
    decltype(&RegQueryValueExW) query = Find<decltype(&RegQueryValueExW)>("RegQueryValueExW");
    decltype(&RegSetValueExW) set = Find<decltype(&RegSetValueExW)>("RegSetValueExW");
    decltype(&RegDeleteValueW) remove = Find<decltype(&RegDeleteValueW)>("RegDeleteValueW");
    decltype(&RegCloseKey) close = Find<decltype(&RegCloseKey)>("RegCloseKey");

    bool Complete() const { return open && create && query && set && remove && close; }

    template <typename Function>
    static Function Find(const char* name) {
        return SystemFunction<Function>(L"kernel32.dll", name);
    }
};

const RegistryFunctions& Registry() {
    static const RegistryFunctions functions;
    return functions;
}

enum class Access { Read, Change, Make };  // Make: the key is made when missing

// An open key, closed with the scope; empty when it could not be opened.
class OpenKey {
public:
    OpenKey(const std::wstring& path, Access access) {
        const RegistryFunctions& registry = Registry();
        if (!registry.Complete()) return;
        const REGSAM rights = access == Access::Read ? KEY_QUERY_VALUE : KEY_SET_VALUE;
        const LONG result =
            access == Access::Make
                ? registry.create(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, rights, nullptr,
                                  &key, nullptr)
                : registry.open(HKEY_CURRENT_USER, path.c_str(), 0, rights, &key);
        if (result != ERROR_SUCCESS) key = nullptr;
    }
    ~OpenKey() {
        if (key) Registry().close(key);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY Get() const { return key; }

private:
    HKEY key = nullptr;
};

// A text longer than any path the program keeps is not one of its values.
constexpr DWORD LongestText = 64 * 1024;

}  // namespace

std::optional<std::uint32_t> RegistrySettings::Number(const std::wstring& name) const {
    const OpenKey key(path, Access::Read);
    if (!key.Get()) return std::nullopt;
    DWORD type = 0, value = 0, size = sizeof(value);
    if (Registry().query(key.Get(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value))
        return std::nullopt;
    return value;
}

std::optional<std::wstring> RegistrySettings::Text(const std::wstring& name) const {
    const OpenKey key(path, Access::Read);
    if (!key.Get()) return std::nullopt;
    DWORD type = 0, size = 0;
    if (Registry().query(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ || size % sizeof(wchar_t) != 0 || size > LongestText)
        return std::nullopt;
    std::wstring text(size / sizeof(wchar_t), L'\0');
    if (Registry().query(key.Get(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS ||
        type != REG_SZ || size > text.size() * sizeof(wchar_t))
        return std::nullopt;
    // The stored size may or may not count a terminating null, or more than one.
    text.resize(size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

void RegistrySettings::SetNumber(const std::wstring& name, std::uint32_t value) {
    const OpenKey key(path, Access::Make);
    if (!key.Get()) return;
    const DWORD data = value;
    Registry().set(key.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                   sizeof(data));
}

void RegistrySettings::SetText(const std::wstring& name, const std::wstring& value) {
    const OpenKey key(path, Access::Make);
    if (!key.Get()) return;
    Registry().set(key.Get(), name.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(value.c_str()),
                   DWORD((value.size() + 1) * sizeof(wchar_t)));
}

void RegistrySettings::Remove(const std::wstring& name) {
    const OpenKey key(path, Access::Change);
    if (key.Get()) Registry().remove(key.Get(), name.c_str());
}

}  // namespace OrvUtility
