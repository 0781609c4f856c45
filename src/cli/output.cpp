#include "cli/output.h"

#include "cli/json_line.h"

namespace kc::cli {

namespace {

std::string utf8(const QString& text) {
    return text.toStdString();
}

const char* prefixOf(Event::Kind kind) {
    return kind == Event::Kind::Message ? "message=" : "error=";
}

std::string jsonArray(const std::vector<QString>& texts) {
    std::string array = "[";
    for (std::size_t i = 0; i < texts.size(); ++i)
        array += (i > 0 ? ", " : "") + jsonString(utf8(texts[i]));
    return array + "]";
}

} // namespace

QString escapeText(const QString& raw) {
    QString escaped;
    escaped.reserve(raw.size());
    for (const QChar c : raw) {
        if (c == u'\\')
            escaped += QLatin1String("\\\\");
        else if (c == u'\n')
            escaped += QLatin1String("\\n");
        else if (c == u'\r')
            escaped += QLatin1String("\\r");
        else if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            escaped += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            escaped += c;
    }
    return escaped;
}

void printLines(const ScenarioOutcome& outcome, std::ostream& out, std::ostream& err) {
    for (const Event& event : outcome.events)
        out << prefixOf(event.kind) << utf8(escapeText(event.text)) << '\n';
    if (!outcome.refusal.isEmpty()) {
        err << "korvathcalc-cli: " << utf8(outcome.refusal) << '\n';
    } else {
        for (const ResultControl& result : outcome.results) {
            if (!result.isList) {
                out << utf8(result.name) << '=' << utf8(escapeText(result.lines.value(0))) << '\n';
                continue;
            }
            for (int row = 0; row < result.lines.size(); ++row)
                out << utf8(result.name) << '[' << row << "]=" << utf8(escapeText(result.lines.at(row)))
                    << '\n';
        }
    }
    for (const Event& event : outcome.closingEvents)
        out << prefixOf(event.kind) << utf8(escapeText(event.text)) << '\n';
}

std::string jsonAnswer(const std::string& idJson, const ScenarioOutcome& outcome) {
    std::vector<QString> errors;
    std::vector<QString> messages;
    for (const std::vector<Event>* events : {&outcome.events, &outcome.closingEvents})
        for (const Event& event : *events)
            (event.kind == Event::Kind::Error ? errors : messages).push_back(event.text);
    if (!outcome.refusal.isEmpty())
        errors.push_back(outcome.refusal);
    std::string results = "{";
    if (outcome.refusal.isEmpty())
        for (std::size_t i = 0; i < outcome.results.size(); ++i) {
            const ResultControl& result = outcome.results[i];
            results += (i > 0 ? ", " : "") + jsonString(utf8(result.name)) + ": ";
            results += result.isList ? jsonArray({result.lines.begin(), result.lines.end()})
                                     : jsonString(utf8(result.lines.value(0)));
        }
    results += "}";
    return "{\"id\": " + idJson + ", \"exit\": " + std::to_string(outcome.exitStatus()) +
           ", \"results\": " + results + ", \"errors\": " + jsonArray(errors) +
           ", \"messages\": " + jsonArray(messages) + "}";
}

} // namespace kc::cli
