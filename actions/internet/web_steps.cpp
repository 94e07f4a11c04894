#include "actions/internet/html_text.h"
#include "actions/internet/internet_steps.h"
#include "engine/variables.h"

namespace zorbel {

NetworkDesktop* network_of(RunContext& context) { return context.desktop().network; }

int start_program_step(RunContext& context, Step& step) {
    const std::string program = context.text_of(step.text);
    if (!network_of(context)->start_program(program, true))
        return context.fail("Unable to start \"%s\"", program.c_str());
    return kStepSucceeded;
}

int open_web_page_step(RunContext& context, Step& step) {
    const std::string url = context.text_of(step.text);
    const std::string launcher = network_of(context)->web_page_launcher();
    const std::string command = launcher.empty() ? std::string("IEXPLORE.EXE") : launcher;
    const std::string quoted = command.find(' ') != std::string::npos && command.front() != '"'
                                   ? "\"" + command + "\""
                                   : command;
    if (!network_of(context)->start_program(quoted + " " + url, true))
        return context.fail("Unable to start \"%s\"", quoted.c_str());
    return kStepSucceeded;
}

bool http_fetch(RunContext& context, const std::string& url, size_t buffer_size, Received* out) {
    if (url.empty()) {
        context.fail("Missing Parameters");
        return false;
    }
    std::string error;
    std::unique_ptr<Transfer> page = network_of(context)->open_url(url, &error);
    if (!page) {
        context.fail("%s", error.c_str());
        return false;
    }
    const bool ok = receive_bounded(*page, kHttpChunk, buffer_size - 1, out, &error);
    page->close(&error);
    if (!ok) {
        context.fail("%s", error.c_str());
        return false;
    }
    if (out->truncated) context.log("\tTruncated at %d bytes\r\n", static_cast<int>(out->bytes.size()));
    if (out->bytes.empty()) {
        context.fail("Nothing was received from %s", url.c_str());
        return false;
    }
    return true;
}

namespace {

int fetch_and_save(RunContext& context, Step& step, size_t buffer_size) {
    Received page;
    if (!http_fetch(context, context.text_of(step.text), buffer_size, &page)) return kStepFailed;
    save_result(context.services, step.options, field_text(step.variable), page.bytes, step.value[6]);
    return kStepSucceeded;
}

int save_web_page(RunContext& context, Step& step, bool as_text) {
    const std::string file = context.text_of(step.value[6]);
    if (file.empty()) return context.fail("Missing Parameters");
    Received page;
    if (!http_fetch(context, context.text_of(step.text), kDownloadBuffer, &page)) return kStepFailed;
    const std::string content = as_text ? html_to_text(page.bytes) : page.bytes;
    if (!write_new_file(file, content)) return context.fail("Unable to write the file \"%s\"", file.c_str());
    if (content.empty()) return context.fail("The page at %s has no text", context.text_of(step.text).c_str());
    return kStepSucceeded;
}

}  // namespace

int save_web_page_html_step(RunContext& context, Step& step) { return save_web_page(context, step, false); }
int save_web_page_text_step(RunContext& context, Step& step) { return save_web_page(context, step, true); }
int download_step(RunContext& context, Step& step) { return fetch_and_save(context, step, kDownloadBuffer); }
int http_post_step(RunContext& context, Step& step) { return fetch_and_save(context, step, kPostBuffer); }

}  // namespace zorbel
