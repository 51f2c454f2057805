// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "settings/SafeFile.h"

namespace vexari {

// Cuts a text to at most maxBytes bytes without leaving half of a UTF-8
// character at its end.
std::string CutText(std::string_view text, std::size_t maxBytes);

// A small initialisation file of "[SECTION]" headers and "KEY=value" lines.
//
// Reading follows the usual private-profile rules: section and key names are
// matched regardless of letter case and surrounding blanks, the first section
// of a name is the one that counts, a missing key gives the caller's default,
// and a value is taken without its surrounding blanks (and without one pair of
// matching quotes around it). Lines that are not understood (comments, text
// before the first section, broken headers) are kept as they are and written
// back unchanged, as are sections and keys this program does not know.
//
// A value that would not read back the same (blanks or a pair of quotes
// around it) is written inside quotes; any other value is written as it is.
//
// The file is read once into memory; Save() writes it whole through
// WriteFileSafely. LF and CRLF line ends are accepted, and a line loses all
// the CRs before its LF; the file is written back with the line end its first
// line had (LF for a new file).
class IniFile {
public:
    IniFile() = default;
    explicit IniFile(std::filesystem::path path) { Load(std::move(path)); }

    // Reads the file at `path` and remembers the path for Save(). Returns
    // false when the file could not be read; the content is then empty.
    bool Load(std::filesystem::path path);
    // Replaces the content by `text` (the path stays as it is).
    void Parse(std::string_view text);

    // Integer value as the platform's profile functions read it: leading
    // blanks, an optional sign, then decimal digits up to the first other
    // character; a number beyond the range of int gives the nearest end of
    // it. A value without digits gives 0; a missing key or an empty value
    // gives `def`.
    int ReadInt(std::string_view section, std::string_view key, int def) const;
    // Text value cut to size - 1 bytes; a missing key gives `def`, cut alike.
    // A key that is present with an empty value gives "".
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def,
                           std::size_t size) const;
    // True when the key is present in the section.
    bool HasKey(std::string_view section, std::string_view key) const;

    // Sets a value: replaces it in place when the key exists, otherwise adds
    // the key at the end of its section (a missing section is added at the end
    // of the file). Line breaks (LF, CR LF) in the value are turned into
    // blanks.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInt(std::string_view section, std::string_view key, long long value);

    // Writes the whole file to the path it was loaded from.
    SaveResult Save() const;
    SaveResult SaveAs(const std::filesystem::path& path) const;

    std::string ToText() const;

    // One value to write: the value is the plain text WriteString takes.
    struct Entry {
        std::string section, key, value;
    };
    const std::filesystem::path& Path() const { return path_; }

private:
    enum class Kind { Other, Section, Key };
    struct Line {
        std::string raw;    // the line as it is written
        Kind kind = Kind::Other;
        std::string name;   // section or key name, trimmed
        std::string value;  // key value, trimmed
    };

    // Index of the key line, or -1.
    long FindKey(std::string_view section, std::string_view key) const;
    // Index of the first header of the section, or -1.
    long FindSection(std::string_view section) const;

    std::filesystem::path path_;
    std::vector<Line> lines_;
    bool crlf_ = false;
};

}  // namespace vexari
