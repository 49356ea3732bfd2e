// JSON text built member by member for the trace: the writer places the commas, quotes the
// keys and escapes strings, so the trace only names its fields and hands over the values.
#pragma once

#include <string>

class JsonArray;

class JsonObject {
public:
    JsonObject& Int(const char* key, long long value);
    // Enough digits to give back the same float; null when it is not a finite number.
    JsonObject& Number(const char* key, float value);
    JsonObject& Bool(const char* key, bool value);
    // A null pointer is written as null.
    JsonObject& String(const char* key, const char* value);
    JsonObject& Object(const char* key, const JsonObject& value);
    JsonObject& Array(const char* key, const JsonArray& value);

    // The members written so far, without the braces.
    const std::string& Members() const { return members_; }
    // The whole object, braces included.
    std::string Text() const { return "{" + members_ + "}"; }

private:
    // Starts the next member: the comma before it, the quoted key and the colon.
    std::string& Key(const char* key);
    std::string members_;
};

class JsonArray {
public:
    JsonArray& Number(float value);
    JsonArray& Array(const JsonArray& value);

    // The whole array, brackets included.
    std::string Text() const { return "[" + elements_ + "]"; }

private:
    // Starts the next element: the comma before it.
    std::string& Next();
    std::string elements_;
};
