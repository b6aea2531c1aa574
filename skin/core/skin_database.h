#pragma once
// SkinDatabase: the toolkit's store of named byte records, in which every
// skin is kept (each record normally holds one PNG file). It owns copies of
// everything stored in it and hands out copies; it never keeps a reference to
// a caller's data. It is platform-free except for the two file operations,
// which go through the small file unit.
//
// Records are addressed by 1-based position. Operations that select a record
// take a position and optional criteria: a position between 1 and Count()
// wins; otherwise the first record that meets every given criterion is used
// (the first record when no criterion is given).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/core/byte_array.h"

namespace lirvo {

struct SkinRecord {
    std::string name;  // ANSI; names need not be unique
    std::int32_t kind = 0;
    std::int32_t tag = 0;
    ByteArray data;

    friend bool operator==(const SkinRecord&, const SkinRecord&) = default;
};

// Optional selection criteria. Each operation uses the criteria other than
// the field it reads or writes; an unset criterion is not used.
struct RecordCriteria {
    std::optional<std::int32_t> kind;
    std::optional<std::string> name;
    std::optional<std::int32_t> tag;
    std::optional<ByteArray> data;
};

class SkinDatabase {
public:
    // The serialised form starts with these 17 bytes, with no terminator.
    static constexpr std::string_view kMagic = "QxSkinDataBase V2";
    static constexpr std::size_t kPreambleSize = 25;  // magic, count, header length

    SkinDatabase() = default;
    SkinDatabase(const SkinDatabase&) = default;
    SkinDatabase& operator=(const SkinDatabase&) = default;
    virtual ~SkinDatabase() = default;

    virtual std::unique_ptr<SkinDatabase> Clone() const;

    // Loading replaces header and records only when the whole input is a
    // well-formed database; on any failure the database is left as it was.
    virtual bool LoadFromFile(const std::string& fileName);
    virtual bool LoadFromBytes(const ByteArray& bytes);
    virtual bool SaveToFile(const std::string& fileName) const;
    virtual ByteArray SaveToBytes() const;

    // Replaces every record with copies of `records` (none when not given),
    // then the header text; returns the stored header text.
    virtual std::string Reset(std::string_view headerText,
                              const std::optional<std::vector<SkinRecord>>& records = std::nullopt);
    // Appends, or inserts so that the record becomes number `position`
    // (1..Count()+1); any other position adds nothing.
    virtual void AddRecord(std::int32_t kind, std::string_view name, const ByteArray& data,
                           std::int32_t tag, std::optional<std::int32_t> position = std::nullopt);
    virtual std::string GetHeaderText() const;
    virtual std::string SetHeaderText(std::string_view text);

    // Getters return -1 / "" / an empty array when no record is selected.
    virtual std::int32_t GetKind(std::int32_t position, const RecordCriteria& criteria = {}) const;
    virtual std::string GetName(std::int32_t position, const RecordCriteria& criteria = {}) const;
    virtual std::int32_t GetTag(std::int32_t position, const RecordCriteria& criteria = {}) const;
    virtual ByteArray GetData(std::int32_t position, const RecordCriteria& criteria = {}) const;
    // Setters return false when no record is selected.
    virtual bool SetKind(std::int32_t position, const RecordCriteria& criteria, std::int32_t kind);
    virtual bool SetName(std::int32_t position, const RecordCriteria& criteria, std::string_view name);
    virtual bool SetTag(std::int32_t position, const RecordCriteria& criteria, std::int32_t tag);
    virtual bool SetData(std::int32_t position, const RecordCriteria& criteria, const ByteArray& data);
    virtual std::int32_t Count() const;
    virtual bool RemoveRecord(std::int32_t position, const RecordCriteria& criteria = {});

    // The lookup the whole toolkit uses: the first record with this name.
    ByteArray GetDataByName(std::string_view name) const;

    const std::vector<SkinRecord>& Records() const { return records_; }

private:
    const SkinRecord* Select(std::int32_t position, const RecordCriteria& criteria) const;
    SkinRecord* Select(std::int32_t position, const RecordCriteria& criteria);

    std::string header_;
    std::vector<SkinRecord> records_;
};

// Parses a serialised database; nothing when the bytes are not a complete,
// consistent database (wrong magic, negative or overlong counts and lengths,
// record lengths that disagree with their contents).
struct ParsedSkinDatabase {
    std::string header;
    std::vector<SkinRecord> records;
};
std::optional<ParsedSkinDatabase> ParseSkinDatabase(const std::uint8_t* bytes, std::size_t size);
ByteArray SerialiseSkinDatabase(std::string_view header, const std::vector<SkinRecord>& records);

}  // namespace lirvo
