#include "packager/compile.h"

#include "core/action_catalogue.h"
#include "core/text_rules.h"
#include "packager/icon_file.h"
#include "packager/package_list.h"
#include "packager/script_payload.h"

namespace zorbel {

namespace {

// Actions whose file is a target or a condition, not something the step reads.
const char* const kNotEmbedded[] = {
    "Capture",       "Write/Create File", "Move/Rename File",      "Delete File",    "Create Folder",
    "Move/Rename Folder", "Delete Folder", "Set Current Directory", "IF File Exists", "IF Folder Exists",
    "Wait for File",
};

bool never_embeds(const Step& step) {
    for (const char* name : kNotEmbedded)
        if (contains_ignore_case(field_text(step.action), name)) return true;
    return false;
}

bool excluded(const std::string& path, const std::vector<std::string>& words) {
    for (const std::string& word : words)
        if (contains_ignore_case(path, word)) return true;
    return false;
}

// Removes the stub's icon group 1 and the icons it names, then adds `icons`.
void replace_icons(ResourceReader& stub, const IconSet& icons, CompileOutput* output) {
    Bytes group;
    uint16_t language = kLanguageNeutral;
    std::vector<uint16_t> old_ids;
    if (stub.read(kResourceGroupIcon, 1, &group, &language) && icon_group_ids(group, &old_ids)) {
        output->removals.emplace_back(kResourceGroupIcon, 1, language);
        for (uint16_t id : old_ids) {
            Bytes image;
            uint16_t image_language = kLanguageEnglish;
            if (stub.read(kResourceIcon, id, &image, &image_language))
                output->removals.emplace_back(kResourceIcon, id, image_language);
        }
    }
    for (size_t i = 0; i < icons.images.size(); ++i)
        output->writes.write(kResourceIcon, icons.ids[i], kLanguageEnglish, icons.images[i]);
    output->writes.write(kResourceGroupIcon, 1, kLanguageNeutral, icons.group);
}

int fail(CompileReport* report, int code, const std::string& message) {
    report->messages.push_back(message);
    return code;
}

int add_package(const CompileSettings& settings, uint16_t first_id, CompileFiles& files, CompileOutput* output,
                CompileReport* report) {
    std::vector<std::string> entries;
    std::string bad;
    if (!expand_package_entries(settings.package, files, &entries, &bad))
        return fail(report, kCompileFileUnreadable, format("Unable to embed '%s': a file name holds \";\"", bad.c_str()));
    if (entries.empty()) return 0;
    std::vector<Bytes> contents(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
        if (!files.read(entries[i], &contents[i]))
            return fail(report, kCompileFileUnreadable, format("Unable to embed '%s'", entries[i].c_str()));
    output->package_id = first_id;
    const std::string prefix = common_folder_prefix(entries);
    output->writes.write(kResourceRcData, first_id, kLanguageNeutral, bytes_of(package_list_text(entries, prefix)));
    std::string folder = settings.extract_to.empty() ? std::string(" ") : settings.extract_to;
    if (folder != " " && folder.back() != '\\') folder += '\\';
    output->writes.write(kResourceRcData, static_cast<uint16_t>(first_id + 1), kLanguageNeutral, bytes_of(folder));
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!contents[i].empty())
            output->writes.write(kResourceRcData, static_cast<uint16_t>(first_id + 2 + i), kLanguageNeutral,
                                 contents[i]);
        ++output->embedded;
    }
    return 0;
}

}  // namespace

std::vector<std::string> exclude_words(const std::string& setting) {
    std::string text;
    for (char c : setting) {
        if (c == '*' || c == ',' || c == ';') continue;
        text.push_back(c == '.' ? ' ' : c);
    }
    std::vector<std::string> words;
    size_t at = 0;
    while (at < text.size() && words.size() < 32) {
        const size_t end = std::min(text.find(' ', at), text.size());
        if (end > at) words.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return words;
}

uint16_t embed_referenced_files(ScriptState* script, const CompileSettings& settings, CompileFiles& files,
                                CompileOutput* output, CompileReport* report) {
    const std::vector<std::string> words = exclude_words(settings.exclude);
    std::vector<std::pair<int32_t, std::string>> embedded;  // kind, path, by id - 106
    uint16_t next = kFirstEmbeddedId;
    for (size_t i = 0; i < script->steps.size(); ++i) {
        Step& step = script->steps[i];
        step.embedded_id = 0;
        step.embedded_kind = 0;
        if (!settings.include || step.status != kStatusNormal || never_embeds(step)) continue;
        std::string path = step.text.substr(0, step.text.find('\0'));
        int32_t kind = 1;
        if (path.empty() || !files.is_file(path)) {
            path = std::string(field_text(step.value[0]));
            kind = 2;
            if (path.empty() || !files.is_file(path)) continue;
        }
        if (excluded(path, words)) continue;
        for (size_t e = 0; e < embedded.size() && step.embedded_id == 0; ++e)
            if (embedded[e].first == kind && equals_ignore_case(embedded[e].second, path))
                step.embedded_id = static_cast<int32_t>(kFirstEmbeddedId + e);
        if (step.embedded_id != 0) {
            step.embedded_kind = kind;
            continue;
        }
        Bytes content;
        if (!files.read(path, &content)) continue;
        report->log_lines.push_back(
            format("Compile: Action #%d - Embedding external file \"%s\"\r\n", static_cast<int>(i + 1), path.c_str()));
        output->writes.write(kResourceRcData, next, kLanguageNeutral, content);
        embedded.emplace_back(kind, path);
        step.embedded_id = next++;
        step.embedded_kind = kind;
        ++output->embedded;
    }
    return next;
}

int plan_compile(ScriptState script, const CompileSettings& settings, CompileFiles& files, ResourceReader& stub,
                 CompileOutput* output, CompileReport* report) {
    *output = CompileOutput();
    if (settings.output.empty() || script.steps.empty()) {
        report->log_lines.push_back(format("Error -1: [%s] [%s] [%d] [%d]\r\n", settings.output.c_str(),
                                           settings.icon.c_str(), settings.max, settings.include ? 1 : 0));
        return kCompileNoOutputOrSteps;
    }
    const uint16_t package_id = embed_referenced_files(&script, settings, files, output, report);
    ScriptPayload payload = build_script_payload(script);
    output->writes.write(kResourceRcData, kTextsResource, kLanguageNeutral, payload.texts);
    output->writes.write(kResourceRcData, kStepsResource, kLanguageNeutral, payload.steps);
    if (!settings.package.empty()) {
        const int code = add_package(settings, package_id, files, output, report);
        if (code < 0) return code;
    }
    if (version_wanted(settings.version)) {
        Bytes block;
        uint16_t language = kLanguageEnglish;
        if (stub.read(kResourceVersion, 1, &block, &language) && patch_version_block(&block, settings.version))
            output->writes.write(kResourceVersion, 1, language, block);
    }
    if (!settings.icon.empty()) {
        IconSet icons;
        std::string why;
        if (contains_ignore_case(settings.icon, ".ICO")) {
            Bytes file;
            if (!files.read(settings.icon, &file)) why = "the file cannot be read";
            else parse_icon_file(file, &icons, &why);
        } else if (!files.program_icons(settings.icon, &icons)) {
            why = "the file holds no icon";
        }
        if (!why.empty() || icons.images.empty())
            return fail(report, kCompileBadIcon,
                        format("Unable to use the icon file '%s': %s", settings.icon.c_str(), why.c_str()));
        replace_icons(stub, icons, output);
    }
    output->delete_flags = (settings.delete_unpacked ? 1u : 0u) | (settings.self_delete ? 2u : 0u);
    return 0;
}

int write_compile(const CompileOutput& output, ResourceWriter& writer) {
    for (const MemoryResources::Key& key : output.removals)
        writer.remove(std::get<0>(key), std::get<1>(key), std::get<2>(key));
    const MemoryResources::Key first[] = {{kResourceRcData, kTextsResource, kLanguageNeutral},
                                          {kResourceRcData, kStepsResource, kLanguageNeutral}};
    const int codes[] = {kCompileTextsFailed, kCompileStepsFailed};
    for (int i = 0; i < 2; ++i) {
        auto found = output.writes.items.find(first[i]);
        if (found != output.writes.items.end() &&
            !writer.write(std::get<0>(first[i]), std::get<1>(first[i]), std::get<2>(first[i]), found->second))
            return codes[i];
    }
    for (const auto& item : output.writes.items) {
        if (item.first == first[0] || item.first == first[1]) continue;
        if (!writer.write(std::get<0>(item.first), std::get<1>(item.first), std::get<2>(item.first), item.second))
            return kCompileUpdateFailed;
    }
    return 0;
}

bool message_only_text(const ScriptState& script, const std::function<std::string(const std::string&)>& expand,
                       std::string* text) {
    const Step* message = nullptr;
    for (const Step& step : script.steps) {
        if (step.status != kStatusNormal) continue;
        if (message) return false;
        message = &step;
    }
    if (!message) return false;
    if (!contains_ignore_case(field_text(message->action), "Display Message") &&
        !contains_ignore_case(field_text(message->action), "Display Error"))
        return false;
    const std::string candidate = message->text.substr(0, message->text.find('\0'));
    if (candidate.size() > 250 || candidate.find('%') != std::string::npos) return false;
    if (expand(candidate) != candidate) return false;
    *text = candidate;
    return true;
}

std::string compile_result_text(const std::string& output, int code, long long size) {
    if (code < 0) return format("Unable to compile \"%s\"\n\nError %d", output.c_str(), code);
    const std::string files = code > 1 ? format("\n\n%d files embedded", code) : std::string();
    if (size >= 1048577)
        return format("The file \"%s\" was successfully created.%s\n\nOutput file size: %li MB", output.c_str(),
                      files.c_str(), static_cast<long>(size / 1048576));
    return format("The file \"%s\" was successfully created.%s\n\nOutput file size: %lik", output.c_str(),
                  files.c_str(), static_cast<long>(size / 1024));
}

}  // namespace zorbel
