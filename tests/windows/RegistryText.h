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
        if (RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                            &m_key, nullptr) != ERROR_SUCCESS) {
            m_key = nullptr;
            return;
        }
        DWORD size = 0;
        m_had = RegQueryValueExW(m_key, name, nullptr, &m_type, nullptr, &size) == ERROR_SUCCESS;
        m_old.resize(size);
        if (m_had && RegQueryValueExW(m_key, name, nullptr, &m_type, m_old.data(), &size) != 0) {
            m_had = false;
        }
        m_set = set(m_had ? m_type : REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                    (text.size() + 1) * sizeof(wchar_t));
    }
    ~RegistryText()
    {
        if (m_key == nullptr) {
            return;
        }
        if (m_had) {
            set(m_type, m_old.data(), m_old.size());
        } else {
            RegDeleteValueW(m_key, m_name.c_str());
        }
        RegCloseKey(m_key);
    }
    RegistryText(const RegistryText&) = delete;
    RegistryText& operator=(const RegistryText&) = delete;

    bool isSet() const { return m_set; }

private:
    bool set(DWORD type, const BYTE* data, std::size_t size)
    {
        return RegSetValueExW(m_key, m_name.c_str(), 0, type, data, static_cast<DWORD>(size)) ==
               ERROR_SUCCESS;
    }

    HKEY m_key = nullptr;
    std::wstring m_name;
    bool m_had = false;
    bool m_set = false;
    DWORD m_type = REG_SZ;
    std::vector<BYTE> m_old;
};
