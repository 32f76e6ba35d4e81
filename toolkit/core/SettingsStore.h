#pragma once
// What a program remembers from one run to the next: numbers and texts by name. The program's
// own store is the registry (RegistrySettings); tests and runs that must leave no trace use
// MemorySettings. Remembering is a convenience: a value that is missing, of another type or
// that cannot be written is no error, the reader takes its default.

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace OrvUtility {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::uint32_t> Number(const std::wstring& name) const = 0;
    virtual std::optional<std::wstring> Text(const std::wstring& name) const = 0;
    virtual void SetNumber(const std::wstring& name, std::uint32_t value) = 0;
    virtual void SetText(const std::wstring& name, const std::wstring& value) = 0;
    virtual void Remove(const std::wstring& name) = 0;
};

// Remembers for as long as it lives.
class MemorySettings : public SettingsStore {
public:
    std::optional<std::uint32_t> Number(const std::wstring& name) const override {
        const auto found = numbers.find(name);
        if (found == numbers.end()) return std::nullopt;
        return found->second;
    }
    std::optional<std::wstring> Text(const std::wstring& name) const override {
        const auto found = texts.find(name);
        if (found == texts.end()) return std::nullopt;
        return found->second;
    }
    void SetNumber(const std::wstring& name, std::uint32_t value) override {
        texts.erase(name);
        numbers[name] = value;
    }
    void SetText(const std::wstring& name, const std::wstring& value) override {
        numbers.erase(name);
        texts[name] = value;
    }
    void Remove(const std::wstring& name) override {
        numbers.erase(name);
        texts.erase(name);
    }

private:
    std::map<std::wstring, std::uint32_t> numbers;
    std::map<std::wstring, std::wstring> texts;
};

}  // namespace OrvUtility
