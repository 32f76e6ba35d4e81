#pragma once
// Settings kept as values of one key under HKEY_CURRENT_USER: numbers as REG_DWORD, texts as
// REG_SZ. The key is opened for each access (they are few: the start, an exit, a file opened or
// saved) and made at the first write. Every failure reads as a missing value or is ignored.

#include "toolkit/core/SettingsStore.h"

namespace OrvUtility {

class RegistrySettings : public SettingsStore {
public:
    // `keyPath` under HKEY_CURRENT_USER, e.g. L"Software\\Orv\\Tessaly".
    explicit RegistrySettings(std::wstring keyPath) : path(std::move(keyPath)) {}

    std::optional<std::uint32_t> Number(const std::wstring& name) const override;
    std::optional<std::wstring> Text(const std::wstring& name) const override;
    void SetNumber(const std::wstring& name, std::uint32_t value) override;
    void SetText(const std::wstring& name, const std::wstring& value) override;
    void Remove(const std::wstring& name) override;

private:
    std::wstring path;
};

}  // namespace OrvUtility
