// The Internet family: web pages, downloads, FTP, ping and mail. Every step first
// checks that the machine is online.
#include "actions/families.h"
#include "actions/internet/internet_steps.h"
#include "actions/mail/mail_steps.h"

namespace zorbel {

namespace {

template <StepHandler handler>
int online(RunContext& context, Step& step) {
    NetworkDesktop* network = network_of(context);
    if (network == nullptr) return step_not_available(context, step);
    if (!network->connected()) return context.fail("Not connected to the internet");
    return handler(context, step);
}

template <StepHandler handler>
int online_mail(RunContext& context, Step& step) {
    if (context.desktop().mail == nullptr) return step_not_available(context, step);
    return online<handler>(context, step);
}

int unknown_action(RunContext&, Step&) { return kStepFailed; }

// In this order: "FTP " before "Download" ("FTP Download"), the two Save Web Page
// actions before "Download".
const ActionRow kActions[] = {
    {"Start ", online<start_program_step>},
    {"Open a Web Page", online<open_web_page_step>},
    {"FTP ", online<ftp_step>},
    {"Save Web Page Text", online<save_web_page_text_step>},
    {"Save Web Page HTML", online<save_web_page_html_step>},
    {"Download", online<download_step>},
    {"Post", online<http_post_step>},
    {"POP3", online_mail<pop3_step>},
    {"Send Email: SMTP", online_mail<smtp_step>},
    {"Send Email: MAPI", online_mail<mapi_step>},
    {"mailto", online_mail<mailto_step>},
    {"Ping IP Address", online<ping_step>},
};

}  // namespace

const ActionFamily kInternetFamily(kInternetFamilyCode, "Internet", kActions, online<unknown_action>);

}  // namespace zorbel
