// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/IniFile.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <limits>

namespace vexari {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
    a = Trim(a);
    b = Trim(b);
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

// A value is taken without one pair of matching quotes around it.
std::string_view Unquote(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

}  // namespace

std::string CutText(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return std::string(text);
    std::size_t cut = maxBytes;
    // Step back over the continuation bytes of a character that would be cut
    // in two, and drop that character as a whole.
    auto isCont = [&](std::size_t i) {
        return (static_cast<unsigned char>(text[i]) & 0xC0u) == 0x80u;
    };
    std::size_t back = cut;
    int steps = 0;
    while (back > 0 && steps < 4 && isCont(back)) {
        --back;
        ++steps;
    }
    if (steps > 0 && steps < 4 && (static_cast<unsigned char>(text[back]) & 0xC0u) == 0xC0u) cut = back;
    return std::string(text.substr(0, cut));
}

bool IniFile::Load(std::filesystem::path path) {
    path_ = std::move(path);
    std::string text;
    bool read = false;
    try {
        std::ifstream in(path_, std::ios::binary);
        // The stream buffer throws on a read error (a folder in place of the file).
        if (in) text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        read = in && !in.bad();
    } catch (const std::ios_base::failure&) {
    }
    Parse(read ? text : std::string());
    return read;
}

void IniFile::Parse(std::string_view text) {
    lines_.clear();
    crlf_ = false;
    bool first = true;
    while (!text.empty()) {
        std::size_t nl = text.find('\n');
        std::string_view raw = text.substr(0, nl);
        text = (nl == std::string_view::npos) ? std::string_view{} : text.substr(nl + 1);
        // A line loses every CR before its LF: line ends converted twice
        // (CR CR LF) must not leave a CR in the value.
        bool hadCr = false;
        while (!raw.empty() && raw.back() == '\r') {
            raw.remove_suffix(1);
            hadCr = true;
        }
        if (first) {
            crlf_ = hadCr && nl != std::string_view::npos;
            first = false;
        }
        Line line;
        line.raw = std::string(raw);
        std::string_view t = Trim(raw);
        if (!t.empty() && t.front() == '[') {
            std::size_t close = t.find(']');
            if (close != std::string_view::npos) {
                line.kind = Kind::Section;
                line.name = std::string(Trim(t.substr(1, close - 1)));
            }
        } else if (!t.empty() && t.front() != ';') {
            std::size_t eq = t.find('=');
            if (eq != std::string_view::npos && !Trim(t.substr(0, eq)).empty()) {
                line.kind = Kind::Key;
                line.name = std::string(Trim(t.substr(0, eq)));
                line.value = std::string(Trim(t.substr(eq + 1)));
            }
        }
        lines_.push_back(std::move(line));
    }
}

long IniFile::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Kind::Section && SameName(lines_[i].name, section)) return static_cast<long>(i);
    return -1;
}

long IniFile::FindKey(std::string_view section, std::string_view key) const {
    long s = FindSection(section);
    if (s < 0) return -1;
    for (std::size_t i = static_cast<std::size_t>(s) + 1; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::Section) break;
        if (lines_[i].kind == Kind::Key && SameName(lines_[i].name, key)) return static_cast<long>(i);
    }
    return -1;
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
    return FindKey(section, key) >= 0;
}

int IniFile::ReadInt(std::string_view section, std::string_view key, int def) const {
    long i = FindKey(section, key);
    if (i < 0) return def;
    std::string_view v = Trim(Unquote(lines_[static_cast<std::size_t>(i)].value));
    if (v.empty()) return def;
    bool negative = false;
    if (v.front() == '+' || v.front() == '-') {
        negative = v.front() == '-';
        v.remove_prefix(1);
    }
    // Beyond the range of int the value stays at the nearest end of it.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    std::int64_t acc = 0;
    for (char c : v) {
        if (c < '0' || c > '9') break;
        acc = std::min(acc * 10 + (c - '0'), kLimit);
    }
    if (negative) acc = -acc;
    constexpr std::int64_t kLow = std::numeric_limits<int>::min(), kHigh = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(acc, kLow, kHigh));
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def,
                                std::size_t size) const {
    if (size == 0) return {};
    long i = FindKey(section, key);
    std::string_view v = i < 0 ? def : Unquote(lines_[static_cast<std::size_t>(i)].value);
    return CutText(v, size - 1);
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    // A line break (LF or CR LF) would end the line and becomes a blank; a
    // lone CR inside a line reads back as itself and stays.
    std::string v;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') continue;
        v += value[i] == '\n' ? ' ' : value[i];
    }
    // Reading trims the blanks around a value, takes off one pair of quotes
    // and drops the CRs at the end of a line, so a value with any of these is
    // written inside quotes.
    if (Trim(v).size() != v.size() || Unquote(v).size() != v.size() || (!v.empty() && v.back() == '\r'))
        v = '"' + v + '"';

    long k = FindKey(section, key);
    if (k >= 0) {
        Line& line = lines_[static_cast<std::size_t>(k)];
        line.raw = line.name + "=" + v;
        line.value = std::string(Trim(v));
        return;
    }
    Line added;
    added.kind = Kind::Key;
    added.name = std::string(Trim(key));
    added.raw = added.name + "=" + v;
    added.value = std::string(Trim(v));

    long s = FindSection(section);
    if (s >= 0) {
        std::size_t at = static_cast<std::size_t>(s);
        for (std::size_t i = at + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i)
            if (lines_[i].kind == Kind::Key) at = i;
        lines_.insert(lines_.begin() + static_cast<long>(at) + 1, std::move(added));
        return;
    }
    if (!lines_.empty() && !Trim(lines_.back().raw).empty()) lines_.push_back(Line{});
    Line header;
    header.kind = Kind::Section;
    header.name = std::string(Trim(section));
    header.raw = "[" + header.name + "]";
    lines_.push_back(std::move(header));
    lines_.push_back(std::move(added));
}

void IniFile::WriteInt(std::string_view section, std::string_view key, long long value) {
    WriteString(section, key, std::to_string(value));
}

std::string IniFile::ToText() const {
    const char* eol = crlf_ ? "\r\n" : "\n";
    std::string out;
    for (const Line& line : lines_) {
        out += line.raw;
        out += eol;
    }
    return out;
}

SaveResult IniFile::Save() const { return SaveAs(path_); }

SaveResult IniFile::SaveAs(const std::filesystem::path& path) const { return WriteFileSafely(path, ToText()); }

}  // namespace vexari
