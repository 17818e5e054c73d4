#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The score record as the game sends it and the records server reads it. Both link this
// library, so the layout and the alphabet exist once.
namespace score {

// The 32 symbols a score record is written in, five bits each.
constexpr const char* kScoreAlphabet = "KM7RTX2BQWE9FHJ4NPSU3CVYZ8GLDA56";
constexpr int kSymbolBits = 5;
// A record is padded with kRecordPad to a multiple of kRecordBlock bytes, which is a whole
// number of symbols (5 bytes = 40 bits = 8 symbols).
constexpr size_t kRecordBlock = 5;
constexpr char kRecordPad = '0';
// The letter every record carries in its "key" field.
constexpr char kScoreKey = 'P';
// Fields are "name=value" and end with '|'; the last, "z=", is followed by the padding.
constexpr char kFieldSeparator = '|';
constexpr const char* kRecordType = "0";
// The fields' names with their '=', in the order they are written.
constexpr std::string_view kTypeField = "type=";
constexpr std::string_view kNameField = "name=";
constexpr std::string_view kScoreField = "score=";
constexpr std::string_view kKeyField = "key=";
constexpr std::string_view kPlayerField = "p=";  // always empty
constexpr std::string_view kCountryField = "add=";
constexpr std::string_view kEndField = "z=";

// "type=0|name=…|score=…|key=…|p=|add=…|z=" padded with "0" to a multiple of 5 bytes; the
// name and the country go in unchanged (code page 1251).
std::string BuildScoreRecord(const std::string& name, int32_t score, const std::string& country);
// Every 5 bytes become 8 symbols: the bits, most significant first, read 5 at a time.
std::string EncodeScoreRecord(const std::string& text);
// The symbol's value 0..31, or -1 for a byte that is not in the alphabet.
int SymbolValue(char symbol);

}  // namespace score
