// The per-user settings store: hierarchical keys holding typed, named values, shared by the
// plot viewer and the launcher. Keys are written with backslashes between levels, as the
// solver tools and both programs name them ("Software\Tavrick Enterprise\Scrivane").
//
// The store is one human-readable file. Key paths and value names are matched without regard
// to letter case and keep the spelling of whoever wrote them first. Every change re-reads the
// file under a lock, applies itself and replaces the file atomically, so two programs writing
// at the same moment lose nothing of each other's. A line that does not parse is left out and
// the rest is read, however many such lines there are; a file of which no line parses (binary
// junk, something else's file) reads as an empty store. Either is kept under a "<file>.damaged-<time>" name before the
// next change is written. A user without a store file, or with an empty one, gets one holding
// the company key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace tk {

// The one root every caller passes; kept as a parameter so call sites read as they always have.
enum class RegRoot { HKEY_CURRENT_USER };
inline constexpr RegRoot HKEY_CURRENT_USER = RegRoot::HKEY_CURRENT_USER;

// Value type codes.
inline constexpr int REG_SZ = 1;      // text
inline constexpr int REG_BINARY = 3;  // bytes
inline constexpr int REG_DWORD = 4;   // signed 32-bit integer

using Bytes = std::vector<std::uint8_t>;
using RegValue = std::variant<std::string, Bytes, std::int32_t>;

// Raised with number 1001 for "Unable to create the registry key" and "Unsupported value type".
struct RegistryError : std::runtime_error {
    RegistryError(int number, const std::string& description)
        : std::runtime_error(description), Number(number) {}
    int Number;
};

// Read limits: a text value is read into 1024 bytes including its terminating zero (so at most
// 1023 bytes of text), a byte value into 4096 bytes. A longer stored value reads as the default.
inline constexpr std::size_t TextReadBuffer = 1024;
inline constexpr std::size_t BinaryReadBuffer = 4096;

// The company key that an installation holds from the start.
inline const std::string CompanyKey = "Software\\Tavrick Enterprise";

// What a program tells the user once when RecoverDamagedStore set the store aside.
inline const std::string DamagedStoreTitle = "Settings";
std::string DamagedStoreNotice(const std::string& keptAs);

class Registry {
public:
    // A store kept in the given file.
    explicit Registry(std::string storeFile);
    // The user's store under $XDG_CONFIG_HOME (default ~/.config).
    static Registry ForUser();
    static std::string UserStoreFile();

    const std::string& StoreFile() const { return storeFile_; }

    // For each program's start, before anything reads the store: a store file that cannot be
    // read at all is set aside and a fresh one (holding the company key) takes its place; an
    // empty or missing one is seeded. Returns the name the unreadable file was kept under, to
    // tell the user once; empty when there was nothing to set aside or it could not be done.
    std::string RecoverDamagedStore();
    // Why the store cannot be used as it should, for each program to tell the user once at its
    // start: its name is a folder, or its folder cannot be written. Empty when all is well.
    std::string StoreProblem() const;
    // The store can be read (its name is no folder) / changes to it are kept.
    bool CanRead() const;
    bool CanWrite() const;

    bool KeyExists(RegRoot root, const std::string& keyPath) const;
    // True when the key existed already, False when it was made now; throws RegistryError 1001.
    bool CreateKey(RegRoot root, const std::string& keyPath);
    // Returns the default when the key or value is missing or too long to read;
    // throws RegistryError 1001 "Unsupported value type" for a type other than 1, 3, 4
    // (only once the key has been found).
    RegValue GetRegValue(RegRoot root, const std::string& keyPath, const std::string& valueName,
                         int typeCode, const RegValue& defaultValue) const;
    // Silent when the key is missing, the type unsupported or the store unwritable. The value
    // is taken as the type code's kind: a number becomes its decimal text, text its bytes, a
    // text holding a number an integer (rounded half to even; a text that is no number in the
    // 32-bit range writes nothing).
    void SetRegValue(RegRoot root, const std::string& keyPath, const std::string& valueName,
                     int typeCode, const RegValue& value);

    // Typed conveniences over GetRegValue / SetRegValue. The readers return the default when
    // the key is missing; the writers create a missing key first, as every writer does, and
    // stay silent when the store cannot be written.
    std::string GetText(const std::string& keyPath, const std::string& valueName,
                        const std::string& defaultText = "") const;
    std::int32_t GetInt(const std::string& keyPath, const std::string& valueName,
                        std::int32_t defaultValue = 0) const;
    void SetText(const std::string& keyPath, const std::string& valueName, const std::string& text);
    void SetInt(const std::string& keyPath, const std::string& valueName, std::int32_t value);

private:
    std::string storeFile_;
};

}  // namespace tk
