#include "cli/json_line.h"

#include <cstdint>
#include <optional>

namespace kc::cli {

namespace {

// A recursive-descent reader of one JSON text (RFC 8259), keeping what the batch needs.
class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    // Whether the whole text is one JSON value; why not in `failure()`.
    bool wholeValue() {
        skipSpace();
        if (!value())
            return false;
        skipSpace();
        if (position_ != text_.size()) {
            failure_ = "more text after the value";
            return false;
        }
        return true;
    }
    std::string failure() const {
        return "not valid JSON at character " + std::to_string(position_ + 1) + ": " + failure_;
    }

    // Called on a line that is one JSON value.
    std::variant<ScenarioLine, RefusedLine> scenario() {
        ScenarioLine line;
        bool sawArgs = false;
        bool argsAreStrings = true;
        skipSpace();
        if (!consume('{'))
            return refuse(line,
                          "a batch line is a JSON object: {\"id\": ..., \"args\": [\"NAME=VALUE\", ...]}");
        skipSpace();
        while (!consume('}')) {
            skipSpace();
            std::string key;
            string(&key);
            skipSpace();
            consume(':');
            skipSpace();
            const std::size_t start = position_;
            if (key == "args") {
                sawArgs = true;
                line.args.clear();
                if (!stringArray(line.args)) {
                    argsAreStrings = false;
                    position_ = start;
                    value();
                }
            } else {
                value();
                if (key == "id")
                    line.idJson = std::string(text_.substr(start, position_ - start));
            }
            skipSpace();
            consume(',');
        }
        if (!sawArgs)
            return refuse(line, "the object has no \"args\"");
        if (!argsAreStrings)
            return refuse(line, "\"args\" must be an array of strings");
        return line;
    }

private:
    RefusedLine refuse(const ScenarioLine& line, std::string reason) {
        return {line.idJson, "not a batch line: " + std::move(reason)};
    }

    bool consume(char c) {
        if (position_ < text_.size() && text_[position_] == c) {
            ++position_;
            return true;
        }
        return false;
    }
    void skipSpace() {
        while (position_ < text_.size() && (text_[position_] == ' ' || text_[position_] == '\t' ||
                                            text_[position_] == '\n' || text_[position_] == '\r'))
            ++position_;
    }
    bool literal(std::string_view word) {
        if (text_.substr(position_, word.size()) != word)
            return false;
        position_ += word.size();
        return true;
    }

    bool value() {
        if (++depth_ > kDeepest) {
            failure_ = "nested too deeply";
            return false;
        }
        bool ok = false;
        if (position_ >= text_.size())
            failure_ = "the line ends where a value should be";
        else if (text_[position_] == '"')
            ok = string(nullptr);
        else if (text_[position_] == '{')
            ok = object();
        else if (text_[position_] == '[')
            ok = array();
        else if (literal("true") || literal("false") || literal("null"))
            ok = true;
        else
            ok = number();
        if (!ok && failure_.empty())
            failure_ = "not a JSON value";
        --depth_;
        return ok;
    }

    bool object() {
        consume('{');
        skipSpace();
        if (consume('}'))
            return true;
        for (;;) {
            skipSpace();
            if (!string(nullptr))
                return false;
            skipSpace();
            if (!consume(':'))
                return false;
            skipSpace();
            if (!value())
                return false;
            skipSpace();
            if (consume('}'))
                return true;
            if (!consume(','))
                return false;
        }
    }

    bool array() {
        consume('[');
        skipSpace();
        if (consume(']'))
            return true;
        for (;;) {
            skipSpace();
            if (!value())
                return false;
            skipSpace();
            if (consume(']'))
                return true;
            if (!consume(','))
                return false;
        }
    }

    bool stringArray(std::vector<std::string>& strings) {
        if (!consume('['))
            return false;
        skipSpace();
        if (consume(']'))
            return true;
        for (;;) {
            skipSpace();
            std::string item;
            if (!string(&item))
                return false;
            strings.push_back(std::move(item));
            skipSpace();
            if (consume(']'))
                return true;
            if (!consume(','))
                return false;
        }
    }

    bool number() {
        const std::size_t start = position_;
        consume('-');
        if (consume('0')) {
        } else if (!digits()) {
            position_ = start;
            return false;
        }
        if (consume('.') && !digits())
            return false;
        if (consume('e') || consume('E')) {
            if (!consume('+'))
                consume('-');
            if (!digits())
                return false;
        }
        return true;
    }
    bool digits() {
        const std::size_t start = position_;
        while (position_ < text_.size() && text_[position_] >= '0' && text_[position_] <= '9')
            ++position_;
        return position_ > start;
    }

    std::optional<unsigned> hexQuad() {
        if (position_ + 4 > text_.size())
            return std::nullopt;
        unsigned code = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[position_++];
            code <<= 4;
            if (c >= '0' && c <= '9')
                code |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                code |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                code |= static_cast<unsigned>(c - 'A' + 10);
            else
                return std::nullopt;
        }
        return code;
    }

    static void appendUtf8(std::string& out, std::uint32_t code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    // The length of the UTF-8 sequence at the position (0 when it is not well-formed).
    std::size_t utf8Sequence() const {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text_[position_ + i]); };
        const unsigned char lead = byte(0);
        std::size_t length = 0;
        std::uint32_t code = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        } else {
            return 0;
        }
        if (position_ + length > text_.size())
            return 0;
        for (std::size_t i = 1; i < length; ++i) {
            if ((byte(i) & 0xC0) != 0x80)
                return 0;
            code = (code << 6) | (byte(i) & 0x3F);
        }
        const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
        const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
        return overlong || surrogate || code > 0x10FFFF ? 0 : length;
    }

    bool string(std::string* out) {
        if (!consume('"')) {
            failure_ = "expected a string";
            return false;
        }
        for (;;) {
            if (position_ >= text_.size()) {
                failure_ = "a string is not closed";
                return false;
            }
            const auto c = static_cast<unsigned char>(text_[position_]);
            if (c == '"') {
                ++position_;
                return true;
            }
            if (c < 0x20) {
                failure_ = "a control character in a string must be escaped";
                return false;
            }
            if (c == '\\') {
                ++position_;
                if (position_ >= text_.size()) {
                    failure_ = "a string is not closed";
                    return false;
                }
                const char escaped = text_[position_++];
                std::uint32_t code = 0;
                switch (escaped) {
                case '"':
                    code = '"';
                    break;
                case '\\':
                    code = '\\';
                    break;
                case '/':
                    code = '/';
                    break;
                case 'b':
                    code = '\b';
                    break;
                case 'f':
                    code = '\f';
                    break;
                case 'n':
                    code = '\n';
                    break;
                case 'r':
                    code = '\r';
                    break;
                case 't':
                    code = '\t';
                    break;
                case 'u': {
                    const std::optional<unsigned> high = hexQuad();
                    if (!high) {
                        failure_ = "\\u needs four hexadecimal digits";
                        return false;
                    }
                    code = *high;
                    if (code >= 0xD800 && code <= 0xDBFF) {
                        std::optional<unsigned> low;
                        if (literal("\\u"))
                            low = hexQuad();
                        if (!low || *low < 0xDC00 || *low > 0xDFFF) {
                            failure_ = "a \\u surrogate must come in a pair";
                            return false;
                        }
                        code = 0x10000 + ((code - 0xD800) << 10) + (*low - 0xDC00);
                    } else if (code >= 0xDC00 && code <= 0xDFFF) {
                        failure_ = "a \\u surrogate must come in a pair";
                        return false;
                    }
                    break;
                }
                default:
                    failure_ = "an unknown escape in a string";
                    return false;
                }
                if (out != nullptr)
                    appendUtf8(*out, code);
                continue;
            }
            if (c < 0x80) {
                if (out != nullptr)
                    *out += static_cast<char>(c);
                ++position_;
                continue;
            }
            const std::size_t length = utf8Sequence();
            if (length == 0) {
                failure_ = "a string that is not UTF-8";
                return false;
            }
            if (out != nullptr)
                out->append(text_.substr(position_, length));
            position_ += length;
        }
    }

    static constexpr int kDeepest = 256;
    std::string_view text_;
    std::size_t position_ = 0;
    int depth_ = 0;
    std::string failure_;
};

} // namespace

std::variant<ScenarioLine, RefusedLine> parseScenarioLine(std::string_view line) {
    // A line that is not JSON at all has no id to answer with; one that is answers with its id.
    Reader json(line);
    if (!json.wholeValue())
        return RefusedLine{"null", json.failure()};
    return Reader(line).scenario();
}

std::string jsonString(std::string_view utf8) {
    static const char* const kHex = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
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
            if (byte < 0x20 || byte == 0x7F) {
                out += "\\u00";
                out += kHex[byte >> 4];
                out += kHex[byte & 0xF];
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

} // namespace kc::cli
