#pragma once

// Windows tests: a text value of the registry set for the life of the object, then put back as it
// was (or removed when it was not there).

#include <string>
#include <vector>

#include <windows.h>

class RegistryText
{
public:
    RegistryText(HKEY root, const wchar_t* key, const wchar_t* name, const std::wstring& text)
        : m_name(name)
    {
        RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &m_key,
                        nullptr);
        DWORD size = 0;
        if (RegQueryValueExW(m_key, name, nullptr, &m_type, nullptr, &size) == ERROR_SUCCESS) {
            m_old.resize(size);
            m_had = RegQueryValueExW(m_key, name, nullptr, &m_type, m_old.data(), &size) == 0;
        }
        m_set = RegSetValueExW(m_key, name, 0, m_had ? m_type : REG_SZ,
                               reinterpret_cast<const BYTE*>(text.c_str()),
                               static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == 0;
    }
    ~RegistryText()
    {
        if (m_had) {
            RegSetValueExW(m_key, m_name.c_str(), 0, m_type, m_old.data(),
                           static_cast<DWORD>(m_old.size()));
        } else {
            RegDeleteValueW(m_key, m_name.c_str());
        }
        RegCloseKey(m_key);
    }
    RegistryText(const RegistryText&) = delete;
    RegistryText& operator=(const RegistryText&) = delete;

    bool isSet() const { return m_set; }

private:
    HKEY m_key = nullptr;
    std::wstring m_name;
    DWORD m_type = REG_SZ;
    std::vector<BYTE> m_old;
    bool m_had = false;
    bool m_set = false;
};
