#include "cli/file_report.h"

#include <filesystem>

#include <nlohmann/json.hpp>

#include "cli/byte_names.h"

namespace vardane {

using json = nlohmann::json;

std::string input_key(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::absolute(path, ec).lexically_normal().string();
}

namespace {

bool any_path_not_utf8(const file_report& report)
{
    if (!is_utf8(report.input)) return true;
    for (const auto& o : report.outputs) {
        if (!is_utf8(o.path)) return true;
    }
    for (const auto& f : report.failures) {
        if (!is_utf8(f.file)) return true;
    }
    return false;
}

} // namespace

std::string to_json_line(const file_report& report)
{
    const bool byteNames = any_path_not_utf8(report);
    const auto name = [byteNames](const std::string& path) { return byteNames ? bytes_as_text(path) : path; };
    json outputs = json::array();
    for (const auto& o : report.outputs) outputs.push_back({{"path", name(o.path)}, {"bytes", o.bytes}});
    json failures = json::array();
    for (const auto& f : report.failures) {
        failures.push_back({{"line", f.line}, {"cause", f.cause}, {"file", name(f.file)}});
    }
    const json record = {
        {"input", name(report.input)},
        {"byte_names", byteNames},
        {"input_size", report.stamp ? json(report.stamp->size) : json(nullptr)},
        {"input_mtime_ns", report.stamp ? json(report.stamp->mtimeNs) : json(nullptr)},
        {"kind", report.kind.empty() ? json(nullptr) : json(report.kind)},
        {"asked", report.asked},
        {"outputs", outputs},
        {"failures", failures},
        {"seconds", report.seconds},
        {"cancelled", report.cancelled},
        {"skipped", report.skipped},
    };
    // Byte names are written as \u00XX escapes, so that the line stays
    // plain ASCII. A log line or cause that is not UTF-8 (it may quote a
    // name) is only for reading: it is kept readable rather than refused.
    return record.dump(-1, ' ', byteNames, json::error_handler_t::replace);
}

std::optional<file_report> from_json_line(const std::string& line)
{
    const json record = json::parse(line, nullptr, false);
    if (!record.is_object()) return std::nullopt;
    try {
        // Reports of earlier versions have neither byte names nor stamps.
        const bool byteNames = record.value("byte_names", false);
        bool exact = true;
        const auto name = [byteNames, &exact](const json& text) {
            std::string path = text.get<std::string>();
            if (!byteNames) return path;
            const auto bytes = text_as_bytes(path);
            exact = exact && bytes.has_value();
            return bytes.value_or(path);
        };
        file_report report;
        report.input = name(record.at("input"));
        const auto size = record.find("input_size");
        const auto mtime = record.find("input_mtime_ns");
        if (size != record.end() && mtime != record.end() && size->is_number() && mtime->is_number()) {
            report.stamp = input_stamp{size->get<std::uintmax_t>(), mtime->get<std::int64_t>()};
        }
        if (const auto& kind = record.at("kind"); kind.is_string()) report.kind = kind.get<std::string>();
        report.asked = record.at("asked").get<std::vector<std::string>>();
        for (const auto& o : record.at("outputs")) {
            report.outputs.push_back({name(o.at("path")), o.at("bytes").get<std::uintmax_t>()});
        }
        for (const auto& f : record.at("failures")) {
            // Reports of earlier versions name no file.
            report.failures.push_back({f.at("line").get<std::string>(), f.at("cause").get<std::string>(),
                                       f.contains("file") ? name(f.at("file")) : std::string()});
        }
        report.seconds = record.at("seconds").get<double>();
        report.cancelled = record.at("cancelled").get<bool>();
        report.skipped = record.at("skipped").get<bool>();
        if (!exact) return std::nullopt;
        return report;
    } catch (const json::exception&) {
        return std::nullopt;
    }
}

} // namespace vardane
