#pragma once

// A small JSON reader for the tests of tarvek-calc's output (strict: fails on any error).
#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarvek::testing {

struct Json
{
    enum class Type
    {
        Null,
        Bool,
        Number,
        String,
        Array,
        Object
    } type = Type::Null;
    bool boolean = false;
    std::int64_t number = 0;
    std::string string;
    std::vector<Json> array;
    std::map<std::string, Json> object;
    std::vector<std::string> keys; // object keys in order

    const Json& operator[](const std::string& key) const
    {
        const auto it = object.find(key);
        if (type != Type::Object || it == object.end()) {
            throw std::runtime_error("no key " + key);
        }
        return it->second;
    }
    const Json& operator[](std::size_t i) const { return array.at(i); }
    std::size_t size() const { return type == Type::Array ? array.size() : object.size(); }
};

class JsonReader
{
public:
    static Json parse(const std::string& text)
    {
        JsonReader r(text);
        Json j = r.value();
        r.blank();
        if (r.m_pos != text.size()) {
            throw std::runtime_error("trailing text");
        }
        return j;
    }

private:
    explicit JsonReader(const std::string& t) : m_text(t) {}

    void blank()
    {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\n' ||
                                         m_text[m_pos] == '\r' || m_text[m_pos] == '\t')) {
            ++m_pos;
        }
    }
    char peek()
    {
        blank();
        if (m_pos >= m_text.size()) {
            throw std::runtime_error("end of text");
        }
        return m_text[m_pos];
    }
    void expect(char c)
    {
        if (peek() != c) {
            throw std::runtime_error(std::string("expected ") + c + " at " + std::to_string(m_pos));
        }
        ++m_pos;
    }
    bool word(const char* w)
    {
        const std::string s(w);
        if (m_text.compare(m_pos, s.size(), s) == 0) {
            m_pos += s.size();
            return true;
        }
        return false;
    }
    static void utf8(std::string& out, unsigned cp)
    {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    std::string str()
    {
        expect('"');
        std::string out;
        for (;;) {
            if (m_pos >= m_text.size()) {
                throw std::runtime_error("open string");
            }
            const char c = m_text[m_pos++];
            if (c == '"') {
                return out;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                throw std::runtime_error("raw control character in string");
            }
            if (c != '\\') {
                out += c;
                continue;
            }
            const char e = m_text.at(m_pos++);
            switch (e) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                const unsigned cp =
                    static_cast<unsigned>(std::stoul(m_text.substr(m_pos, 4), nullptr, 16));
                m_pos += 4;
                utf8(out, cp);
                break;
            }
            default:
                throw std::runtime_error("bad escape");
            }
        }
    }
    Json value()
    {
        Json j;
        const char c = peek();
        if (c == '{') {
            ++m_pos;
            j.type = Json::Type::Object;
            if (peek() == '}') {
                ++m_pos;
                return j;
            }
            for (;;) {
                std::string k = str();
                expect(':');
                j.keys.push_back(k);
                if (!j.object.emplace(k, value()).second) {
                    throw std::runtime_error("duplicate key " + k);
                }
                if (peek() == ',') {
                    ++m_pos;
                    continue;
                }
                expect('}');
                return j;
            }
        }
        if (c == '[') {
            ++m_pos;
            j.type = Json::Type::Array;
            if (peek() == ']') {
                ++m_pos;
                return j;
            }
            for (;;) {
                j.array.push_back(value());
                if (peek() == ',') {
                    ++m_pos;
                    continue;
                }
                expect(']');
                return j;
            }
        }
        if (c == '"') {
            j.type = Json::Type::String;
            j.string = str();
            return j;
        }
        if (word("true")) {
            j.type = Json::Type::Bool;
            j.boolean = true;
            return j;
        }
        if (word("false")) {
            j.type = Json::Type::Bool;
            return j;
        }
        if (word("null")) {
            return j;
        }
        std::size_t used = 0;
        j.type = Json::Type::Number;
        j.number = std::stoll(m_text.substr(m_pos), &used);
        m_pos += used;
        return j;
    }

    const std::string& m_text;
    std::size_t m_pos = 0;
};

} // namespace tarvek::testing
