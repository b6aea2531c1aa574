#include "skin/core/skin_database.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

#include "skin/core/file_io.h"

namespace lirvo {
namespace {

// Texts are zero-terminated: anything after a zero byte is not part of them.
std::string AnsiText(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

// Reads little-endian fields from a bounded buffer; every read checks the
// remaining length first, so a lying count can never reach past the end.
class BoundedReader {
public:
    BoundedReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t Remaining() const { return size_ - offset_; }

    std::optional<std::int32_t> Int32() {
        if (Remaining() < 4) return std::nullopt;
        const std::uint8_t* p = data_ + offset_;
        offset_ += 4;
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) |
                                         static_cast<std::uint32_t>(p[1]) << 8 |
                                         static_cast<std::uint32_t>(p[2]) << 16 |
                                         static_cast<std::uint32_t>(p[3]) << 24);
    }

    // A non-negative length that fits in what is left.
    std::optional<std::size_t> Length() {
        auto value = Int32();
        if (!value || *value < 0 || static_cast<std::size_t>(*value) > Remaining()) return std::nullopt;
        return static_cast<std::size_t>(*value);
    }

    const std::uint8_t* Take(std::size_t count) {
        if (Remaining() < count) return nullptr;
        const std::uint8_t* p = data_ + offset_;
        offset_ += count;
        return p;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

// Fixed part of a record after its length field: name terminator, kind, tag
// and data length.
constexpr std::size_t kRecordOverhead = 13;

std::optional<SkinRecord> ParseRecord(BoundedReader& reader) {
    auto recordLength = reader.Length();
    if (!recordLength || *recordLength < kRecordOverhead) return std::nullopt;
    const std::uint8_t* body = reader.Take(*recordLength);
    BoundedReader record(body, *recordLength);

    const auto* nameStart = reinterpret_cast<const char*>(body);
    const void* terminator = std::memchr(nameStart, 0, *recordLength);
    if (!terminator) return std::nullopt;
    const std::size_t nameLength = static_cast<const char*>(terminator) - nameStart;
    record.Take(nameLength + 1);

    SkinRecord result;
    result.name.assign(nameStart, nameLength);
    auto kind = record.Int32();
    auto tag = record.Int32();
    auto dataLength = record.Length();
    if (!kind || !tag || !dataLength) return std::nullopt;
    // The stored record length must describe exactly this record.
    if (*recordLength != nameLength + *dataLength + kRecordOverhead) return std::nullopt;
    const std::uint8_t* data = record.Take(*dataLength);
    result.kind = *kind;
    result.tag = *tag;
    result.data.assign(data, data + *dataLength);
    return result;
}

bool Matches(const SkinRecord& record, const RecordCriteria& criteria) {
    return (!criteria.kind || record.kind == *criteria.kind) &&
           (!criteria.name || record.name == AnsiText(*criteria.name)) &&
           (!criteria.tag || record.tag == *criteria.tag) &&
           (!criteria.data || record.data == *criteria.data);
}

}  // namespace

std::optional<ParsedSkinDatabase> ParseSkinDatabase(const std::uint8_t* bytes, std::size_t size) {
    if (size < SkinDatabase::kPreambleSize) return std::nullopt;
    BoundedReader reader(bytes, size);
    const std::uint8_t* magic = reader.Take(SkinDatabase::kMagic.size());
    if (std::memcmp(magic, SkinDatabase::kMagic.data(), SkinDatabase::kMagic.size()) != 0) return std::nullopt;

    auto count = reader.Int32();
    auto headerLength = reader.Length();
    if (!count || *count < 0 || !headerLength) return std::nullopt;
    // Every record takes at least its length field and fixed part, so a count
    // that cannot fit is rejected before anything is allocated for it.
    const std::uint8_t* header = reader.Take(*headerLength);
    if (static_cast<std::size_t>(*count) > reader.Remaining() / (4 + kRecordOverhead)) return std::nullopt;

    ParsedSkinDatabase parsed;
    parsed.header = AnsiText(std::string_view(reinterpret_cast<const char*>(header), *headerLength));
    parsed.records.reserve(static_cast<std::size_t>(*count));
    for (std::int32_t i = 0; i < *count; ++i) {
        auto record = ParseRecord(reader);
        if (!record) return std::nullopt;
        parsed.records.push_back(std::move(*record));
    }
    return parsed;
}

ByteArray SerialiseSkinDatabase(std::string_view header, const std::vector<SkinRecord>& records) {
    std::size_t total = SkinDatabase::kPreambleSize + header.size();
    for (const auto& record : records) total += 4 + kRecordOverhead + record.name.size() + record.data.size();

    ByteArray out(total);
    std::size_t at = 0;
    const auto put = [&](const void* bytes, std::size_t count) {
        if (count) std::memcpy(out.data() + at, bytes, count);
        at += count;
    };
    const auto putInt32 = [&](std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        const std::uint8_t little[4] = {std::uint8_t(bits), std::uint8_t(bits >> 8), std::uint8_t(bits >> 16),
                                        std::uint8_t(bits >> 24)};
        put(little, 4);
    };

    put(SkinDatabase::kMagic.data(), SkinDatabase::kMagic.size());
    putInt32(static_cast<std::int32_t>(records.size()));
    putInt32(static_cast<std::int32_t>(header.size()));
    put(header.data(), header.size());
    for (const auto& record : records) {
        putInt32(static_cast<std::int32_t>(record.name.size() + record.data.size() + kRecordOverhead));
        put(record.name.c_str(), record.name.size() + 1);
        putInt32(record.kind);
        putInt32(record.tag);
        putInt32(static_cast<std::int32_t>(record.data.size()));
        put(record.data.data(), record.data.size());
    }
    return out;
}

std::unique_ptr<SkinDatabase> SkinDatabase::Clone() const { return std::make_unique<SkinDatabase>(*this); }

bool SkinDatabase::LoadFromFile(const std::string& fileName) {
    // Read-only access: a skin on a read-only medium must load.
    auto bytes = ReadWholeFile(fileName);
    return bytes && LoadFromBytes(*bytes);
}

bool SkinDatabase::LoadFromBytes(const ByteArray& bytes) {
    auto parsed = ParseSkinDatabase(bytes.data(), bytes.size());
    if (!parsed) return false;
    header_ = std::move(parsed->header);
    records_ = std::move(parsed->records);
    return true;
}

bool SkinDatabase::SaveToFile(const std::string& fileName) const {
    return WriteWholeFile(fileName, SaveToBytes());
}

ByteArray SkinDatabase::SaveToBytes() const { return SerialiseSkinDatabase(header_, records_); }

std::string SkinDatabase::Reset(std::string_view headerText, const std::optional<std::vector<SkinRecord>>& records) {
    records_ = records.value_or(std::vector<SkinRecord>{});
    for (auto& record : records_) record.name = AnsiText(record.name);
    return SetHeaderText(headerText);
}

void SkinDatabase::AddRecord(std::int32_t kind, std::string_view name, const ByteArray& data, std::int32_t tag,
                             std::optional<std::int32_t> position) {
    SkinRecord record{AnsiText(name), kind, tag, data};
    if (!position) {
        records_.push_back(std::move(record));
    } else if (*position >= 1 && *position <= Count() + 1) {
        records_.insert(records_.begin() + (*position - 1), std::move(record));
    }
}

std::string SkinDatabase::GetHeaderText() const { return header_; }

std::string SkinDatabase::SetHeaderText(std::string_view text) {
    header_ = AnsiText(text);
    return header_;
}

const SkinRecord* SkinDatabase::Select(std::int32_t position, const RecordCriteria& criteria) const {
    if (position >= 1 && position <= Count()) return &records_[position - 1];
    auto found = std::find_if(records_.begin(), records_.end(),
                              [&](const SkinRecord& record) { return Matches(record, criteria); });
    return found == records_.end() ? nullptr : &*found;
}

SkinRecord* SkinDatabase::Select(std::int32_t position, const RecordCriteria& criteria) {
    return const_cast<SkinRecord*>(std::as_const(*this).Select(position, criteria));
}

std::int32_t SkinDatabase::GetKind(std::int32_t position, const RecordCriteria& criteria) const {
    const SkinRecord* record = Select(position, criteria);
    return record ? record->kind : -1;
}

std::string SkinDatabase::GetName(std::int32_t position, const RecordCriteria& criteria) const {
    const SkinRecord* record = Select(position, criteria);
    return record ? record->name : std::string();
}

std::int32_t SkinDatabase::GetTag(std::int32_t position, const RecordCriteria& criteria) const {
    const SkinRecord* record = Select(position, criteria);
    return record ? record->tag : -1;
}

ByteArray SkinDatabase::GetData(std::int32_t position, const RecordCriteria& criteria) const {
    const SkinRecord* record = Select(position, criteria);
    return record ? record->data : ByteArray();
}

bool SkinDatabase::SetKind(std::int32_t position, const RecordCriteria& criteria, std::int32_t kind) {
    SkinRecord* record = Select(position, criteria);
    if (record) record->kind = kind;
    return record != nullptr;
}

bool SkinDatabase::SetName(std::int32_t position, const RecordCriteria& criteria, std::string_view name) {
    SkinRecord* record = Select(position, criteria);
    if (record) record->name = AnsiText(name);
    return record != nullptr;
}

bool SkinDatabase::SetTag(std::int32_t position, const RecordCriteria& criteria, std::int32_t tag) {
    SkinRecord* record = Select(position, criteria);
    if (record) record->tag = tag;
    return record != nullptr;
}

bool SkinDatabase::SetData(std::int32_t position, const RecordCriteria& criteria, const ByteArray& data) {
    SkinRecord* record = Select(position, criteria);
    if (record) record->data = data;
    return record != nullptr;
}

std::int32_t SkinDatabase::Count() const { return static_cast<std::int32_t>(records_.size()); }

bool SkinDatabase::RemoveRecord(std::int32_t position, const RecordCriteria& criteria) {
    const SkinRecord* record = Select(position, criteria);
    if (!record) return false;
    records_.erase(records_.begin() + (record - records_.data()));
    return true;
}

ByteArray SkinDatabase::GetDataByName(std::string_view name) const {
    RecordCriteria byName;
    byName.name = std::string(name);
    return GetData(0, byName);
}

}  // namespace lirvo
