#include <gtest/gtest.h>

#include "actions/mail/mailto_link.h"
#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

TEST(Mailto, EncodesEachPart) {
    struct Row {
        const char* to;
        const char* subject;
        const char* body;
        const char* link;
    } rows[] = {
        {"a@x", "Hi there", "line 1\r\nline 2", "mailto:a@x?subject=Hi%20there&body=line%201%0D%0Aline%202"},
        {"a@x; b@y", "", "", "mailto:a@x,b@y?subject=&body="},
        {"a@x", "Q&A?", "50% <b>#x=y", "mailto:a@x?subject=Q%26A%3F&body=50%25%20%3Cb%3E%23x%3Dy"},
        {"a@x", "", "one\ntwo", "mailto:a@x?subject=&body=one%0D%0Atwo"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.link);
        EXPECT_EQ(r.link, mailto_link(r.to, r.subject, r.body));
    }
}

TEST(Mailto, LinkIsCutOutsideAnEscape) {
    for (size_t pad = 0; pad < 3; ++pad) {
        const std::string link = mailto_link("a@x", "", std::string(pad, 'a') + std::string(2000, ' '));
        EXPECT_LE(link.size(), kMailtoLinkLimit);
        EXPECT_GE(link.size(), kMailtoLinkLimit - 2);
        EXPECT_EQ('0', link.back());
    }
}

TEST(Mailto, StepOpensTheLink) {
    RunRig rig;
    Step& step = rig.only("Send Email: \"mailto\"", "Hello\r\nBob");
    copy_to_field(step.value[2], "bob@x");
    copy_to_field(step.value[3], "Hi");
    EXPECT_EQ(kStepSucceeded, rig.run_step());
    EXPECT_EQ("open link mailto:bob@x?subject=Hi&body=Hello%0D%0ABob", rig.desktop.calls.back());
}

// One recipient slot per token: counting "@" gave one slot for "Bob, Alice".
TEST(Mapi, OneSlotPerRecipient) {
    RunRig rig;
    Step& step = rig.only("Send Email: MAPI", "body");
    copy_to_field(step.value[2], "Bob, Alice;carol@x");
    copy_to_field(step.value[3], "Subject");
    EXPECT_EQ(kStepSucceeded, rig.run_step());
    EXPECT_EQ((std::vector<std::string>{"Bob", "Alice", "carol@x"}), rig.desktop.mail.mapi.recipients);
    EXPECT_EQ("Subject", rig.desktop.mail.mapi.subject);
    rig.desktop.mail.mapi_works = false;
    EXPECT_EQ(kStepFailed, rig.run_step());
    EXPECT_EQ("no provider", rig.run.error_text);
}

}  // namespace
}  // namespace zorbel
