// Writing a city as its 404 lines, and reading and checking them back.
#include "cityfile/CityFile.h"

#include "city/CityState.h"

#include <limits>

namespace cityfile {

using city::kMapSize;

namespace {

std::string Decimal(long long value) { return std::to_string(value); }

std::string CellName(int x, int y) { return "cell (" + Decimal(x) + ", " + Decimal(y) + ")"; }

std::string LineName(int line) { return "line " + Decimal(line); }

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

// Blanks and control characters at either end go, as the language trims its fields.
std::string TrimBlanks(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    return text.substr(begin, end - begin);
}

// The city's figures a file holds beside its map, one field list for both ways:
// from the city into a file on saving, from the file into the city on loading.
template <typename From, typename To> void CopyFigures(const From& from, To& to) {
    to.cityName = from.cityName;
    to.month = from.month;
    to.year = from.year;
    to.funds = from.funds;
    to.cityRank = from.cityRank;
    to.residentialPop = from.residentialPop;
    to.commercialPop = from.commercialPop;
    to.industrialPop = from.industrialPop;
    to.taxRate = from.taxRate;
    to.policeFunding = from.policeFunding;
    to.fireFunding = from.fireFunding;
    to.hospitalFunding = from.hospitalFunding;
    to.educationFunding = from.educationFunding;
    to.transportFunding = from.transportFunding;
}

// A byte that no line of text holds: control characters other than the tab.
bool IsBinary(unsigned char c) { return (c < ' ' && c != '\t') || c == 0x7F; }

// Splits the bytes at line feeds; a carriage return before a line feed belongs to
// the line break. A last line without its line break still counts.
std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

// Reads the fields of one of lines 2 to 4 as numbers, first to last.
bool ReadNumbers(const std::string& line, int lineNumber, int count, const FieldSplitter& split,
                 std::int32_t* values, std::string& error) {
    std::array<std::string, 10> fields;
    split(line, fields);
    for (int i = 0; i < count; ++i) {
        const std::string& field = fields[static_cast<size_t>(i + 1)];
        std::optional<std::int32_t> value = ParseHex(field);
        if (!value) {
            error = LineName(lineNumber) + ": '0x" + field + "' is not a valid integer value";
            return false;
        }
        values[i] = *value;
    }
    return true;
}

bool FitsInt16(std::int32_t v) {
    return v >= std::numeric_limits<std::int16_t>::min() && v <= std::numeric_limits<std::int16_t>::max();
}

} // namespace

namespace {

// Upper-case hexadecimal of the 32-bit word, at least minDigits long. A city file holds
// some 82,000 of these and an autosave writes one a year, so no formatting library.
void AppendHex(std::string& out, std::int32_t value, int minDigits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::uint32_t word = static_cast<std::uint32_t>(value);
    char buffer[8];
    int length = 0;
    do {
        buffer[7 - length++] = kDigits[word & 15];
        word >>= 4;
    } while (word != 0);
    for (int pad = length; pad < minDigits; ++pad)
        out += '0';
    out.append(buffer + 8 - length, static_cast<std::size_t>(length));
}

} // namespace

std::string Hex(std::int32_t value, int minDigits) {
    std::string text;
    AppendHex(text, value, minDigits);
    return text;
}

std::optional<std::int32_t> ParseHex(const std::string& digits) {
    if (digits.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        if (!IsHexDigit(c))
            return std::nullopt;
        const int digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
        value = value * 16 + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::optional<CityFile> CaptureCity(CityState& state, std::string& error) {
    // Everything is checked before the state is changed, so a city that cannot be
    // saved keeps its countdowns as they were.
    if (state.cityName.size() > static_cast<size_t>(kLineLimit - 2)) {
        error = "the city name is longer than " + Decimal(kLineLimit - 2) + " characters";
        return std::nullopt;
    }
    for (char c : state.cityName)
        if (IsBinary(static_cast<unsigned char>(c))) {
            error = "the city name holds a control character";
            return std::nullopt;
        }
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x) {
            const TMapCell& c = state.Cell(x, y);
            // Two digits a word: anything wider would shift every cell after it.
            const std::pair<const char*, std::int32_t> words[] = {
                {"code", c.code}, {"anchorX", c.anchorX}, {"anchorY", c.anchorY}};
            for (const auto& [name, value] : words)
                if (value < 0 || value > 0xFF) {
                    error = CellName(x, y) + ": " + name + " " + Decimal(value) + " does not fit two digits";
                    return std::nullopt;
                }
            if (c.pendingCode < 0) {
                error = CellName(x, y) + ": pendingCode " + Decimal(c.pendingCode) + " does not fit two digits";
                return std::nullopt;
            }
        }

    CityFile file;
    CopyFigures(state, file);
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x) {
            TMapCell& c = state.Cell(x, y);
            if (c.countdown < 0)
                c.countdown = 0;
            SavedCell& s = file.Cell(x, y);
            s.code = c.code;
            s.anchorX = c.anchorX;
            s.anchorY = c.anchorY;
            s.pendingCode = c.pendingCode >= kPendingLimit ? 0 : c.pendingCode;
            s.countdown = c.countdown > kCountdownLimit ? 0 : c.countdown;
        }
    return file;
}

std::vector<std::string> FormatCityFile(const CityFile& file) {
    std::vector<std::string> lines;
    lines.reserve(kLineCount);
    lines.push_back(file.cityName + ";#");
    lines.push_back(Hex(file.month, 1) + "; " + Hex(file.year, 3) + "; " + Hex(file.funds, 1) + "; " +
                    Hex(file.cityRank, 1) + ";#");
    lines.push_back(Hex(file.residentialPop, 1) + "; " + Hex(file.commercialPop, 1) + "; " +
                    Hex(file.industrialPop, 1) + ";#");
    // The budget settings are 16-bit words widened to 32 bits, so -1 reads FFFFFFFF.
    lines.push_back(Hex(file.taxRate, 1) + "; " + Hex(file.policeFunding, 1) + "; " + Hex(file.fireFunding, 1) +
                    "; " + Hex(file.hospitalFunding, 1) + "; " + Hex(file.educationFunding, 1) + "; " +
                    Hex(file.transportFunding, 1) + ";#");
    const std::int32_t SavedCell::*blocks[] = {&SavedCell::code, &SavedCell::anchorX, &SavedCell::anchorY,
                                               &SavedCell::pendingCode, &SavedCell::countdown};
    for (auto word : blocks)
        for (int y = 0; y < kMapSize; ++y) {
            std::string row;
            row.reserve(kRowDigits + 2);
            for (int x = 0; x < kMapSize; ++x)
                AppendHex(row, file.Cell(x, y).*word, 2);
            lines.push_back(row + ";#");
        }
    return lines;
}

std::optional<CityFile> ParseCityFile(const std::string& bytes, const FieldSplitter& split, std::string& error) {
    if (bytes.empty()) {
        error = "the file is empty";
        return std::nullopt;
    }
    const std::vector<std::string> lines = SplitLines(bytes);
    for (size_t i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        for (char c : lines[i])
            if (IsBinary(static_cast<unsigned char>(c))) {
                error = LineName(number) + " holds bytes that are not text";
                return std::nullopt;
            }
        if (lines[i].size() > static_cast<size_t>(kLineLimit)) {
            error = LineName(number) + " is longer than " + Decimal(kLineLimit) + " characters";
            return std::nullopt;
        }
    }
    if (lines.size() < static_cast<size_t>(kLineCount)) {
        error = "the file ends after line " + Decimal(static_cast<long long>(lines.size())) + " of " +
                Decimal(kLineCount);
        return std::nullopt;
    }
    // Blank lines after the last row are harmless; anything else there means the
    // file is not what it seems.
    for (size_t i = kLineCount; i < lines.size(); ++i)
        if (!TrimBlanks(lines[i]).empty()) {
            error = "the file has more than " + Decimal(kLineCount) + " lines";
            return std::nullopt;
        }

    CityFile file;
    std::array<std::string, 10> fields;
    split(lines[0], fields);
    // The parser keeps blanks before the closing ";"; a name never ends in them.
    file.cityName = TrimBlanks(fields[1]);

    std::int32_t date[4], pops[3], budget[6];
    if (!ReadNumbers(lines[1], 2, 4, split, date, error) || !ReadNumbers(lines[2], 3, 3, split, pops, error) ||
        !ReadNumbers(lines[3], 4, 6, split, budget, error))
        return std::nullopt;
    file.month = date[0];
    file.year = date[1];
    file.funds = date[2];
    file.cityRank = date[3];
    file.residentialPop = pops[0];
    file.commercialPop = pops[1];
    file.industrialPop = pops[2];
    for (std::int32_t v : budget)
        if (!FitsInt16(v)) {
            error = "line 4: budget setting " + Decimal(v) + " is outside -32768 to 32767";
            return std::nullopt;
        }
    file.taxRate = static_cast<std::int16_t>(budget[0]);
    file.policeFunding = static_cast<std::int16_t>(budget[1]);
    file.fireFunding = static_cast<std::int16_t>(budget[2]);
    file.hospitalFunding = static_cast<std::int16_t>(budget[3]);
    file.educationFunding = static_cast<std::int16_t>(budget[4]);
    file.transportFunding = static_cast<std::int16_t>(budget[5]);

    std::int32_t SavedCell::*blocks[] = {&SavedCell::code, &SavedCell::anchorX, &SavedCell::anchorY,
                                         &SavedCell::pendingCode, &SavedCell::countdown};
    int lineIndex = kCodeLine - 1;
    for (auto word : blocks)
        for (int y = 0; y < kMapSize; ++y, ++lineIndex) {
            split(lines[static_cast<size_t>(lineIndex)], fields);
            const std::string& row = fields[1];
            bool hex = row.size() == static_cast<size_t>(kRowDigits);
            for (size_t i = 0; hex && i < row.size(); ++i)
                hex = IsHexDigit(row[i]);
            if (!hex) {
                error = LineName(lineIndex + 1) + ": a map row needs " + Decimal(kRowDigits) +
                        " hexadecimal digits";
                return std::nullopt;
            }
            for (int x = 0; x < kMapSize; ++x)
                file.Cell(x, y).*word = *ParseHex(row.substr(static_cast<size_t>(2 * x), 2));
        }

    error = CheckCityFile(file);
    if (!error.empty())
        return std::nullopt;
    return file;
}

std::string CheckFootprints(const CityFile& file, const CityState& types) {
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x) {
            const SavedCell& c = file.Cell(x, y);
            if (c.code != city::kCodeCovered)
                continue;
            // CheckCityFile has made sure the anchor is on the map.
            const TObjectType* type = types.TypeOf(file.Cell(c.anchorX, c.anchorY).code);
            const int size = type ? type->size : 0;
            const bool squared = size >= 2 && size <= 4;
            if (!squared || x < c.anchorX || y < c.anchorY || x >= c.anchorX + size || y >= c.anchorY + size)
                return LineName(kAnchorXLine + y) + ": " + CellName(x, y) + " is covered by the object at (" +
                       Decimal(c.anchorX) + ", " + Decimal(c.anchorY) + "), which does not reach it";
        }
    return {};
}

std::string CheckCityFile(const CityFile& file) {
    if (file.month < 1 || file.month > 12)
        return "line 2: month " + Decimal(file.month) + " is outside 1 to 12";
    if (file.year < -kYearLimit || file.year > kYearLimit)
        return "line 2: year " + Decimal(file.year) + " is outside " + Decimal(-kYearLimit) + " to " +
               Decimal(kYearLimit);
    if (file.cityRank < 1 || file.cityRank > 6)
        return "line 2: rank " + Decimal(file.cityRank) + " is outside 1 to 6";
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x) {
            const SavedCell& c = file.Cell(x, y);
            if ((c.code < 0 || c.code >= city::kObjectCodes) && c.code != city::kCodeCovered)
                return LineName(kCodeLine + y) + ": " + CellName(x, y) + " has code " + Decimal(c.code) +
                       ", which is no object";
        }
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x) {
            const SavedCell& c = file.Cell(x, y);
            if (c.code != city::kCodeCovered)
                continue;
            const std::string anchor = "(" + Decimal(c.anchorX) + ", " + Decimal(c.anchorY) + ")";
            if (!CityState::OnMap(c.anchorX, c.anchorY))
                return LineName(kAnchorXLine + y) + ": " + CellName(x, y) + " is covered by an object whose anchor " +
                       anchor + " is off the map";
            if (file.Cell(c.anchorX, c.anchorY).code == city::kCodeCovered)
                return LineName(kAnchorXLine + y) + ": " + CellName(x, y) + " points at " + anchor +
                       ", which is not the anchor of an object";
        }
    // The writer never puts these values in a file: a pending code from 130 on would
    // become the code of a finished site, a countdown above 130 a mover slot.
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x) {
            const SavedCell& c = file.Cell(x, y);
            if (c.pendingCode < 0 || c.pendingCode >= kPendingLimit)
                return LineName(kPendingLine + y) + ": " + CellName(x, y) + " has pending code " +
                       Decimal(c.pendingCode) + ", which a city file never holds";
            if (c.countdown < 0 || c.countdown > kCountdownLimit)
                return LineName(kCountdownLine + y) + ": " + CellName(x, y) + " has countdown " +
                       Decimal(c.countdown) + ", which a city file never holds";
        }
    return {};
}

void ApplyCityFile(const CityFile& file, CityState& state) {
    CopyFigures(file, state);
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x) {
            const SavedCell& s = file.Cell(x, y);
            TMapCell& c = state.Cell(x, y);
            c.code = s.code;
            c.anchorX = s.anchorX;
            c.anchorY = s.anchorY;
            c.pendingCode = s.pendingCode;
            c.countdown = s.countdown;
        }
}

} // namespace cityfile
