// The mail actions of the Internet family.
#pragma once
#include "engine/run_context.h"

namespace zorbel {

int smtp_step(RunContext& context, Step& step);
int pop3_step(RunContext& context, Step& step);
int mapi_step(RunContext& context, Step& step);
int mailto_step(RunContext& context, Step& step);

}  // namespace zorbel
