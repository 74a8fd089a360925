// UI texts without the platform: the built-in Thai/English table, the language pack format and
// the template pack. Pack files come from translators, so the parser takes any bytes.
#pragma once
#include <string>
#include <unordered_map>

// One row of the built-in table, both texts in UTF-8. The template lists the English texts in
// table order.
struct BuiltinText {
    const char* thai;
    const char* english;
};
constexpr int kBuiltinTextCount = 167;
extern const BuiltinText kBuiltinTexts[kBuiltinTextCount];

// Reads a pack's bytes: an optional byte-order mark, LF or CR LF lines, "#" in the first byte
// for a comment, "key=value" split at the first "=" with nothing trimmed. `title` (when given)
// gets the last "Title" line's value; `entries` (when given) gets every non-empty value under
// its key, later lines replacing earlier ones. Keys and values stay UTF-8.
void parseLanguagePack(const std::string& bytes, std::string* title,
                       std::unordered_map<std::string, std::string>* entries);

// The template pack: three header lines, then "<English>=" for every row; LF only, no BOM.
std::string packTemplateText();

// True when a translated count pattern takes exactly one int through "%d" and nothing else
// ("%%" is a plain percent sign). Anything else would read an argument nobody passed.
bool isSingleCountPattern(const std::wstring& pattern);
