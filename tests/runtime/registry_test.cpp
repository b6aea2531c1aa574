#include "runtime/registry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "runtime/registry_key.h"
#include "runtime/registry_path.h"

namespace lirvo::runtime {
namespace {

constexpr char kTestKey[] = "LirvoRuntimeTest";

struct StoredValue {
    DWORD type = REG_NONE;
    std::vector<std::uint8_t> data;
    bool operator==(const StoredValue&) const = default;
};

std::optional<StoredValue> ReadValue(HKEY root, const std::string& subkey, const std::string& name) {
    RegistryKey key;
    if (::RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, key.Put()) != ERROR_SUCCESS) return std::nullopt;
    StoredValue value;
    DWORD size = 0;
    if (::RegQueryValueExA(key.Get(), name.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size);
    if (::RegQueryValueExA(key.Get(), name.c_str(), nullptr, &value.type, value.data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size);
    return value;
}

bool KeyExists(HKEY root, const std::string& subkey) {
    RegistryKey key;
    return ::RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, key.Put()) == ERROR_SUCCESS;
}

StoredValue Text(std::string_view text) {
    StoredValue value{REG_SZ, {text.begin(), text.end()}};
    value.data.push_back(0);
    return value;
}
StoredValue Dword(std::uint32_t number) {
    return {REG_DWORD, {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                        static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)}};
}
StoredValue Binary(std::vector<std::uint8_t> bytes) { return {REG_BINARY, std::move(bytes)}; }

// The test's own keys under every root, removed before and after each test.
class RegWriteTest : public ::testing::Test {
protected:
    static void RemoveTestKeys() {
        for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_CONFIG})
            ::RegDeleteTreeA(root, kTestKey);
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
            ::RegDeleteTreeA(root, (std::string("Software\\") + kTestKey).c_str());
        ::RegDeleteTreeA(HKEY_USERS, (std::string(".DEFAULT\\Software\\") + kTestKey).c_str());
        ::RegDeleteValueA(HKEY_CURRENT_USER, "LirvoRuntimeTestValue");
    }
    void SetUp() override { RemoveTestKeys(); }
    void TearDown() override { RemoveTestKeys(); }
};

TEST(RegistryPathTest, SplitsAtTheLastBackslashOutsideDoubleByteCharacters) {
    struct Case {
        std::string path;
        std::string subkey;
        std::string valueName;
    };
    const Case cases[] = {
        {".pdf\\EditFlags", ".pdf", "EditFlags"},
        {".pdf\\", ".pdf", ""},
        {".pdf\\Shell\\Open\\Command\\", ".pdf\\Shell\\Open\\Command", ""},
        {"EditFlags", "", "EditFlags"},
        {"", "", ""},
        {"\\Value", "", "Value"},
        // 乗 is 81 5C in GBK: its second byte is not a backslash.
        {"Software\\乗", "Software", "乗"},
        {"乗", "", "乗"},
        {"Software\\乗\\", "Software\\乗", ""},
    };
    for (const Case& c : cases) {
        const RegistryPath split = SplitRegistryPath(c.path, IsGbkLeadByte);
        EXPECT_EQ(split.subkey, c.subkey) << c.path;
        EXPECT_EQ(split.valueName, c.valueName) << c.path;
    }
}

TEST_F(RegWriteTest, PdfAssociationValuesReadBackFromClassesRoot) {
    const std::optional<StoredValue> before = ReadValue(HKEY_CLASSES_ROOT, ".pdf", "");

    EXPECT_TRUE(RegWrite(1, ".pdf\\EditFlags", 2));
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, ".pdf", "EditFlags"), Dword(2));
    EXPECT_TRUE(RegWrite(1, ".pdf\\", ""));
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, ".pdf", ""), Text(""));
    // Classes-root writes land in the machine's classes.
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, "Software\\Classes\\.pdf", "EditFlags"), Dword(2));

    const std::string command = "\"C:\\Program Files\\LirvoPDF阅读器\\LirvoPDF阅读器.exe\" \"%1\"";
    EXPECT_TRUE(RegWrite(1, std::string(kTestKey) + "\\Shell\\Open\\Command\\", command));
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, std::string(kTestKey) + "\\Shell\\Open\\Command", ""), Text(command));

    RegistryKey pdf;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CLASSES_ROOT, ".pdf", 0, KEY_WRITE, pdf.Put()), ERROR_SUCCESS);
    ::RegDeleteValueA(pdf.Get(), "EditFlags");
    if (before && before->type == REG_SZ)
        ::RegSetValueExA(pdf.Get(), "", 0, REG_SZ, before->data.data(), static_cast<DWORD>(before->data.size()));
}

TEST_F(RegWriteTest, EveryRootNumberWritesEveryKindOfValue) {
    const std::string software = std::string("Software\\") + kTestKey;
    struct Case {
        std::int32_t root;
        HKEY key;
        std::string subkey;
    };
    const Case cases[] = {
        {1, HKEY_CLASSES_ROOT, std::string(kTestKey) + "\\one"},
        {2, HKEY_CURRENT_CONFIG, std::string(kTestKey) + "\\two"},
        {3, HKEY_CURRENT_USER, software + "\\three"},
        {4, HKEY_LOCAL_MACHINE, software + "\\four"},
        {5, HKEY_USERS, ".DEFAULT\\" + software + "\\five"},
        {0, HKEY_CURRENT_USER, software + "\\zero"},
        {99, HKEY_CURRENT_USER, software + "\\ninety-nine"},
        {-1, HKEY_CURRENT_USER, software + "\\minus-one"},
    };
    const std::vector<std::uint8_t> bytes = {1, 2, 3, 0, 255};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.subkey);
        EXPECT_TRUE(RegWrite(c.root, c.subkey + "\\Number", -2));
        EXPECT_TRUE(RegWrite(c.root, c.subkey + "\\Text", "安装目录"));
        EXPECT_TRUE(RegWrite(c.root, c.subkey + "\\Bytes", std::span<const std::uint8_t>(bytes)));
        EXPECT_TRUE(RegWrite(c.root, c.subkey + "\\Empty", std::span<const std::uint8_t>()));
        EXPECT_TRUE(RegWrite(c.root, c.subkey + "\\", "default"));
        EXPECT_EQ(ReadValue(c.key, c.subkey, "Number"), Dword(0xFFFFFFFE));
        EXPECT_EQ(ReadValue(c.key, c.subkey, "Text"), Text("安装目录"));
        EXPECT_EQ(ReadValue(c.key, c.subkey, "Bytes"), Binary(bytes));
        EXPECT_EQ(ReadValue(c.key, c.subkey, "Empty"), Binary({}));
        EXPECT_EQ(ReadValue(c.key, c.subkey, ""), Text("default"));
    }
}

TEST_F(RegWriteTest, CreatesMissingKeysAndOverwritesValues) {
    const std::string deep = std::string("Software\\") + kTestKey + "\\a\\b\\c";
    ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, deep));
    EXPECT_TRUE(RegWrite(3, deep + "\\Value", 1));
    EXPECT_TRUE(RegWrite(3, deep + "\\Value", "now text"));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, deep, "Value"), Text("now text"));
}

TEST_F(RegWriteTest, PathWithoutBackslashNamesAValueUnderTheRoot) {
    EXPECT_TRUE(RegWrite(3, "LirvoRuntimeTestValue", 7));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, "", "LirvoRuntimeTestValue"), Dword(7));
}

TEST_F(RegWriteTest, DoubleByteValueNameIsNotSplitAtItsSecondByte) {
    const std::string key = std::string("Software\\") + kTestKey;
    EXPECT_TRUE(RegWrite(3, key + "\\乗", "x"));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, key, "乗"), Text("x"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key + "\\\x81"));
}

TEST_F(RegWriteTest, KeyThatCannotBeCreatedGivesFalseAndWritesNothing) {
    const std::string tooLong = std::string("Software\\") + kTestKey + "\\" + std::string(300, 'k');
    EXPECT_FALSE(RegWrite(3, tooLong + "\\Value", 1));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, tooLong));
}

}  // namespace
}  // namespace lirvo::runtime
