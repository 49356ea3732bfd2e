// The trace's JSON writer: numbers, flags, escaped strings, and objects and arrays inside one
// another.
#include "app/json_fields.h"

#include <cmath>
#include <cstdio>

namespace {

void AppendNumber(std::string& out, float value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    // Nine significant digits bring back the very float the game holds.
    char text[32];
    std::snprintf(text, sizeof(text), "%.9g", static_cast<double>(value));
    out += text;
}

// Quotes a string, escaping what JSON does not allow as it is: the quote, the backslash and
// the control characters. Other bytes go through untouched.
void AppendString(std::string& out, const char* text) {
    out += '"';
    for (const char* p = text; *p != '\0'; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof(escaped), "\\u%04x", c);
                    out += escaped;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    out += '"';
}

}  // namespace

std::string& JsonObject::Key(const char* key) {
    if (!members_.empty()) members_ += ',';
    AppendString(members_, key);
    members_ += ':';
    return members_;
}

JsonObject& JsonObject::Int(const char* key, long long value) {
    Key(key) += std::to_string(value);
    return *this;
}

JsonObject& JsonObject::Number(const char* key, float value) {
    AppendNumber(Key(key), value);
    return *this;
}

JsonObject& JsonObject::Bool(const char* key, bool value) {
    Key(key) += value ? "true" : "false";
    return *this;
}

JsonObject& JsonObject::String(const char* key, const char* value) {
    if (value)
        AppendString(Key(key), value);
    else
        Key(key) += "null";
    return *this;
}

JsonObject& JsonObject::Object(const char* key, const JsonObject& value) {
    Key(key) += value.Text();
    return *this;
}

JsonObject& JsonObject::Array(const char* key, const JsonArray& value) {
    Key(key) += value.Text();
    return *this;
}

std::string& JsonArray::Next() {
    if (!elements_.empty()) elements_ += ',';
    return elements_;
}

JsonArray& JsonArray::Number(float value) {
    AppendNumber(Next(), value);
    return *this;
}

JsonArray& JsonArray::Array(const JsonArray& value) {
    Next() += value.Text();
    return *this;
}
