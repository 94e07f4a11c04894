// The handlers of the Internet family's actions (the family record is in
// internet_family.cpp; the mail actions are in actions/mail/mail_steps.h).
#pragma once
#include <string>

#include "actions/internet/network_desktop.h"
#include "actions/internet/transfers.h"
#include "engine/run_context.h"

namespace zorbel {

constexpr uint32_t kInternetFamilyCode = 10;

// The network of the run's desktop (the step fails when the desktop has none).
NetworkDesktop* network_of(RunContext& context);

int start_program_step(RunContext& context, Step& step);
int open_web_page_step(RunContext& context, Step& step);
int save_web_page_html_step(RunContext& context, Step& step);
int save_web_page_text_step(RunContext& context, Step& step);
int download_step(RunContext& context, Step& step);
int http_post_step(RunContext& context, Step& step);
int ftp_step(RunContext& context, Step& step);
int ping_step(RunContext& context, Step& step);

// `HttpFetch`: the bytes kept from `url` (at most `buffer_size` - 1); false with the
// step's error text set when nothing came.
bool http_fetch(RunContext& context, const std::string& url, size_t buffer_size, Received* out);

}  // namespace zorbel
