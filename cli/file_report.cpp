#include "cli/file_report.h"

#include <filesystem>

#include <nlohmann/json.hpp>

namespace vardane {

using json = nlohmann::json;

std::string input_key(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::absolute(path, ec).lexically_normal().string();
}

std::string to_json_line(const file_report& report)
{
    json outputs = json::array();
    for (const auto& o : report.outputs) outputs.push_back({{"path", o.path}, {"bytes", o.bytes}});
    json failures = json::array();
    for (const auto& f : report.failures) failures.push_back({{"line", f.line}, {"cause", f.cause}, {"file", f.file}});
    const json record = {
        {"input", report.input},         {"kind", report.kind.empty() ? json(nullptr) : json(report.kind)},
        {"asked", report.asked},         {"outputs", outputs},
        {"failures", failures},          {"seconds", report.seconds},
        {"cancelled", report.cancelled}, {"skipped", report.skipped},
    };
    // Names that are not UTF-8 are kept readable rather than refused.
    return record.dump(-1, ' ', false, json::error_handler_t::replace);
}

std::optional<file_report> from_json_line(const std::string& line)
{
    const json record = json::parse(line, nullptr, false);
    if (!record.is_object()) return std::nullopt;
    try {
        file_report report;
        report.input = record.at("input").get<std::string>();
        if (const auto& kind = record.at("kind"); kind.is_string()) report.kind = kind.get<std::string>();
        report.asked = record.at("asked").get<std::vector<std::string>>();
        for (const auto& o : record.at("outputs")) {
            report.outputs.push_back({o.at("path").get<std::string>(), o.at("bytes").get<std::uintmax_t>()});
        }
        for (const auto& f : record.at("failures")) {
            // Reports of earlier versions name no file.
            report.failures.push_back(
                {f.at("line").get<std::string>(), f.at("cause").get<std::string>(), f.value("file", std::string())});
        }
        report.seconds = record.at("seconds").get<double>();
        report.cancelled = record.at("cancelled").get<bool>();
        report.skipped = record.at("skipped").get<bool>();
        return report;
    } catch (const json::exception&) {
        return std::nullopt;
    }
}

} // namespace vardane
