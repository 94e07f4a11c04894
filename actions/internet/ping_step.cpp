#include "actions/internet/internet_steps.h"
#include "actions/internet/ping_packet.h"

namespace zorbel {

int ping_step(RunContext& context, Step& step) {
    const std::string host = context.text_of(step.text);
    const uint32_t seconds = ping_timeout_seconds(context.number_of(step.value[2]));
    std::string error;
    const uint32_t elapsed = network_of(context)->ping(host, seconds * 1000u, &error);
    if (elapsed > 0) {
        context.log("\tReply from %s in %lu ms\r\n", host.c_str(), static_cast<unsigned long>(elapsed));
        return kStepSucceeded;
    }
    context.log("\t%s", error.c_str());
    std::string output;
    const bool ran = network_of(context)->run_hidden(ping_program_command(host, seconds), seconds * 1000u + 500u, &output);
    if (ran && ping_output_shows_reply(output)) return kStepSucceeded;
    return context.fail("No reply from %s within %lu seconds%s%s", host.c_str(), static_cast<unsigned long>(seconds),
                        error.empty() ? "" : "\r\n", error.c_str());
}

}  // namespace zorbel
