#include "skin/core/skin_database.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "skin/core/file_io.h"
#include "tests/support/temp_folder.h"

namespace lirvo {
namespace {

using testing::TempFolder;

ByteArray Bytes(std::initializer_list<int> values) {
    ByteArray bytes;
    for (int value : values) bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

ByteArray Int32Bytes(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return Bytes({int(bits & 0xFF), int(bits >> 8 & 0xFF), int(bits >> 16 & 0xFF), int(bits >> 24)});
}

ByteArray Concat(std::initializer_list<ByteArray> parts) {
    ByteArray all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

ByteArray Ascii(std::string_view text) { return ByteArray(text.begin(), text.end()); }

// Three records: two share a name, one has no data, one has bytes with zeros.
SkinDatabase SampleDatabase() {
    SkinDatabase database;
    database.SetHeaderText("新资源包");
    database.AddRecord(0, "关闭_正常", Bytes({0x89, 'P', 'N', 'G', 0, 0, 7}), 0);
    database.AddRecord(-1, "Thumbs", {}, 5);
    database.AddRecord(7, "关闭_正常", Bytes({1, 2, 3}), -9);
    return database;
}

TEST(SkinDatabaseFormat, EmptyDatabaseIsTheMagicAndTwoZeroCounts) {
    const ByteArray expected = Concat({Ascii("QxSkinDataBase V2"), Int32Bytes(0), Int32Bytes(0)});
    EXPECT_EQ(SkinDatabase().SaveToBytes(), expected);
    EXPECT_EQ(expected.size(), 25u);
}

TEST(SkinDatabaseFormat, RecordsAreWrittenFieldByField) {
    SkinDatabase database;
    database.SetHeaderText("hd");
    database.AddRecord(3, "ab", Bytes({9, 8, 7}), -2);
    const ByteArray expected = Concat({Ascii("QxSkinDataBase V2"), Int32Bytes(1), Int32Bytes(2), Ascii("hd"),
                                       Int32Bytes(2 + 3 + 13), Ascii("ab"), Bytes({0}), Int32Bytes(3),
                                       Int32Bytes(-2), Int32Bytes(3), Bytes({9, 8, 7})});
    EXPECT_EQ(database.SaveToBytes(), expected);
}

TEST(SkinDatabaseFormat, FileAndBytesRoundTripExactly) {
    TempFolder folder;
    const SkinDatabase original = SampleDatabase();
    const std::string path = folder / "皮肤.qsk";
    ASSERT_TRUE(original.SaveToFile(path));

    const auto onDisk = ReadWholeFile(path);
    ASSERT_TRUE(onDisk.has_value());
    EXPECT_EQ(*onDisk, original.SaveToBytes()) << "the saved file and SaveToBytes must agree byte for byte";

    SkinDatabase fromFile;
    ASSERT_TRUE(fromFile.LoadFromFile(path));
    EXPECT_EQ(fromFile.GetHeaderText(), "新资源包");
    EXPECT_EQ(fromFile.Records(), original.Records());

    SkinDatabase fromBytes;
    ASSERT_TRUE(fromBytes.LoadFromBytes(*onDisk));
    EXPECT_EQ(fromBytes.Records(), original.Records());
    EXPECT_EQ(fromBytes.SaveToBytes(), *onDisk);
}

TEST(SkinDatabaseFormat, ReadOnlySkinFileLoads) {
    TempFolder folder;
    const std::string path = folder / "readonly.qsk";
    ASSERT_TRUE(SampleDatabase().SaveToFile(path));
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));

    SkinDatabase database;
    EXPECT_TRUE(database.LoadFromFile(path));
    EXPECT_EQ(database.Count(), 3);
}

TEST(SkinDatabaseFormat, FileFailuresAreReported) {
    TempFolder folder;
    SkinDatabase database = SampleDatabase();
    EXPECT_FALSE(database.LoadFromFile(folder / "missing.qsk"));
    EXPECT_EQ(database.Count(), 3);
    EXPECT_FALSE(database.SaveToFile(folder / "no-such-folder\\skin.qsk"));
}

// A database whose stored counts and lengths can be bent in each test.
ByteArray OneRecordDatabase(std::int32_t count, std::int32_t headerLength, std::int32_t recordLength,
                            std::int32_t dataLength, bool nameTerminated = true) {
    return Concat({Ascii("QxSkinDataBase V2"), Int32Bytes(count), Int32Bytes(headerLength), Ascii("hd"),
                   Int32Bytes(recordLength), Ascii("ab"), nameTerminated ? Bytes({0}) : Bytes({'c'}),
                   Int32Bytes(0), Int32Bytes(0), Int32Bytes(dataLength), Bytes({1, 2, 3})});
}

TEST(SkinDatabaseLoad, WellFormedFixtureLoads) {
    SkinDatabase database;
    ASSERT_TRUE(database.LoadFromBytes(OneRecordDatabase(1, 2, 18, 3)));
    EXPECT_EQ(database.GetName(1), "ab");
    EXPECT_EQ(database.GetData(1), Bytes({1, 2, 3}));
}

TEST(SkinDatabaseLoad, MalformedInputIsRejectedAndChangesNothing) {
    ByteArray v1 = SampleDatabase().SaveToBytes();
    v1[16] = '1';
    const struct {
        const char* what;
        ByteArray bytes;
    } cases[] = {
        {"empty", {}},
        {"16 bytes", Ascii("QxSkinDataBase V")},
        {"magic V1", v1},
        {"negative count", OneRecordDatabase(-1, 2, 18, 3)},
        {"count past the end", OneRecordDatabase(2, 2, 18, 3)},
        {"huge count", OneRecordDatabase(0x7FFFFFFF, 2, 18, 3)},
        {"negative header length", OneRecordDatabase(1, -2, 18, 3)},
        {"header past the end", OneRecordDatabase(1, 4000, 18, 3)},
        {"record length past the end", OneRecordDatabase(1, 2, 19, 3)},
        {"negative record length", OneRecordDatabase(1, 2, -18, 3)},
        {"record length shorter than its contents", OneRecordDatabase(1, 2, 17, 3)},
        {"record length longer than its contents", OneRecordDatabase(1, 2, 18, 2)},
        {"data length past the record", OneRecordDatabase(1, 2, 18, 4)},
        {"negative data length", OneRecordDatabase(1, 2, 18, -1)},
        {"name without terminator", OneRecordDatabase(1, 2, 18, 3, false)},
    };
    for (const auto& bad : cases) {
        SkinDatabase database = SampleDatabase();
        const ByteArray before = database.SaveToBytes();
        EXPECT_FALSE(database.LoadFromBytes(bad.bytes)) << bad.what;
        EXPECT_EQ(database.SaveToBytes(), before) << bad.what << ": the database must be left as it was";
    }
}

TEST(SkinDatabaseLoad, EveryTruncationIsRejected) {
    const ByteArray whole = SampleDatabase().SaveToBytes();
    TempFolder folder;
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const ByteArray truncated(whole.begin(), whole.begin() + size);
        SkinDatabase fromBytes;
        fromBytes.SetHeaderText("kept");
        EXPECT_FALSE(fromBytes.LoadFromBytes(truncated)) << "size " << size;
        EXPECT_EQ(fromBytes.GetHeaderText(), "kept");

        if (size % 7 == 0) {  // files go through the same checks; a sample keeps the test quick
            const std::string path = folder / ("cut" + std::to_string(size));
            ASSERT_TRUE(WriteWholeFile(path, truncated));
            SkinDatabase fromFile;
            EXPECT_FALSE(fromFile.LoadFromFile(path)) << "file of size " << size;
        }
    }
}

TEST(SkinDatabaseLoad, BytesAfterTheLastRecordAreIgnored) {
    ByteArray bytes = SampleDatabase().SaveToBytes();
    bytes.insert(bytes.end(), {0xDE, 0xAD});
    SkinDatabase database;
    ASSERT_TRUE(database.LoadFromBytes(bytes));
    EXPECT_EQ(database.Records(), SampleDatabase().Records());
}

TEST(SkinDatabaseRecords, PositionWinsOverCriteria) {
    SkinDatabase database = SampleDatabase();
    RecordCriteria thumbs;
    thumbs.name = "Thumbs";
    EXPECT_EQ(database.GetKind(3, thumbs), 7) << "a valid position ignores the criteria";
    EXPECT_EQ(database.GetKind(0, thumbs), -1);
    EXPECT_EQ(database.GetKind(4, thumbs), -1) << "an invalid position falls back to the criteria";
    EXPECT_EQ(database.GetTag(-1, thumbs), 5);
}

TEST(SkinDatabaseRecords, CriteriaSelectTheFirstMatch) {
    const SkinDatabase database = SampleDatabase();
    const auto byName = [](std::string name) {
        RecordCriteria criteria;
        criteria.name = std::move(name);
        return criteria;
    };
    RecordCriteria nameAndKind = byName("关闭_正常");
    nameAndKind.kind = 7;
    RecordCriteria emptyData;
    emptyData.data = ByteArray{};
    RecordCriteria byTag;
    byTag.tag = -9;
    RecordCriteria noMatch = byName("Thumbs");
    noMatch.kind = 0;

    const struct {
        const char* what;
        RecordCriteria criteria;
        std::int32_t tag;  // identifies the record found, -1 for none
    } cases[] = {
        {"no criteria: first record", {}, 0},
        {"duplicate name: first of the two", byName("关闭_正常"), 0},
        {"name and kind together", nameAndKind, -9},
        {"empty data equals empty data", emptyData, 5},
        {"tag only", byTag, -9},
        {"names are case-sensitive", byName("thumbs"), -1},
        {"every criterion must hold", noMatch, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(database.GetTag(0, c.criteria), c.tag) << c.what;

    EXPECT_EQ(database.GetDataByName("关闭_正常"), Bytes({0x89, 'P', 'N', 'G', 0, 0, 7}));
    EXPECT_EQ(database.GetDataByName("absent"), ByteArray{});
    EXPECT_EQ(database.GetName(0, byTag), "关闭_正常");
    EXPECT_EQ(database.GetName(0, byName("absent")), "");
}

TEST(SkinDatabaseRecords, SettersChangeOnlyTheSelectedRecord) {
    SkinDatabase database = SampleDatabase();
    RecordCriteria byTag;
    byTag.tag = -9;
    EXPECT_TRUE(database.SetName(0, byTag, "关闭_点燃"));
    EXPECT_TRUE(database.SetKind(2, {}, 42));
    EXPECT_TRUE(database.SetTag(1, {}, 11));
    EXPECT_TRUE(database.SetData(0, byTag, Bytes({4})));

    RecordCriteria absent;
    absent.name = "absent";
    EXPECT_FALSE(database.SetKind(0, absent, 1));
    EXPECT_FALSE(database.SetName(9, absent, "x"));
    EXPECT_FALSE(database.SetTag(0, absent, 1));
    EXPECT_FALSE(database.SetData(0, absent, {}));

    const std::vector<SkinRecord> expected = {
        {"关闭_正常", 0, 11, Bytes({0x89, 'P', 'N', 'G', 0, 0, 7})},
        {"Thumbs", 42, 5, {}},
        {"关闭_点燃", 7, -9, Bytes({4})},
    };
    EXPECT_EQ(database.Records(), expected);
}

TEST(SkinDatabaseRecords, AddRecordPositions) {
    const struct {
        std::optional<std::int32_t> position;
        std::vector<std::string> names;
    } cases[] = {
        {std::nullopt, {"a", "b", "new"}},
        {1, {"new", "a", "b"}},
        {2, {"a", "new", "b"}},
        {3, {"a", "b", "new"}},  // Count() + 1 appends
        {4, {"a", "b"}},         // Count() + 2 adds nothing
        {0, {"a", "b"}},
        {-1, {"a", "b"}},
    };
    for (const auto& c : cases) {
        SkinDatabase database;
        database.AddRecord(0, "a", {}, 0);
        database.AddRecord(0, "b", {}, 0);
        database.AddRecord(1, "new", Bytes({1}), 2, c.position);
        std::vector<std::string> names;
        for (const auto& record : database.Records()) names.push_back(record.name);
        EXPECT_EQ(names, c.names) << "position " << c.position.value_or(-999);
    }
}

TEST(SkinDatabaseRecords, RemoveRecord) {
    SkinDatabase database = SampleDatabase();
    RecordCriteria thumbs;
    thumbs.name = "Thumbs";
    EXPECT_TRUE(database.RemoveRecord(3, thumbs)) << "a valid position wins over the criteria";
    EXPECT_EQ(database.Count(), 2);
    EXPECT_EQ(database.GetName(2), "Thumbs");

    EXPECT_TRUE(database.RemoveRecord(0, thumbs));
    EXPECT_EQ(database.Count(), 1);
    EXPECT_FALSE(database.RemoveRecord(5, thumbs));
    EXPECT_TRUE(database.RemoveRecord(0)) << "no criteria removes the first record";
    EXPECT_EQ(database.Count(), 0);
    EXPECT_FALSE(database.RemoveRecord(0));
}

TEST(SkinDatabaseRecords, ResetAndCopiesAreIndependent) {
    SkinDatabase database = SampleDatabase();
    const std::unique_ptr<SkinDatabase> copy = database.Clone();

    EXPECT_EQ(database.Reset("头"), "头");
    EXPECT_EQ(database.Count(), 0);
    EXPECT_EQ(database.Reset("", std::vector<SkinRecord>{{"x", 1, 2, Bytes({3})}}), "");
    EXPECT_EQ(database.Count(), 1);
    EXPECT_EQ(database.GetName(1), "x");

    EXPECT_EQ(copy->Records(), SampleDatabase().Records()) << "a copy keeps its own records";
    EXPECT_EQ(copy->GetHeaderText(), "新资源包");
}

}  // namespace
}  // namespace lirvo
