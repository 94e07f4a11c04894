#include <gtest/gtest.h>

#include "actions/system/variable_actions.h"
#include "tests/native/engine/expansion_fakes.h"

namespace zorbel {
namespace {

Step make_step(const char* action, const char* variable, const std::string& text) {
    Step step;
    copy_to_field(step.action, action);
    copy_to_field(step.variable, variable);
    step.text = text;
    step.family = 14;
    return step;
}

int run(ExpansionRig& rig, const Step& step, std::string* error = nullptr) {
    std::string ignored;
    return run_variable_action(step, rig.services, error != nullptr ? error : &ignored);
}

TEST(VariableActions, CreateSetStoresTheExpandedText) {
    ExpansionRig rig;
    rig.set_variable("who", "world");
    EXPECT_EQ(1, run(rig, make_step("Create/Set Variable", "%greeting", "hello %who")));
    EXPECT_EQ("hello world", rig.variable("greeting"));
    ASSERT_EQ(1u, rig.palette.rows.size());
    EXPECT_EQ("%greeting", rig.palette.rows[0].name);
}

TEST(VariableActions, CreateSetUsesTheInstancePrefix) {
    ExpansionRig rig;
    EXPECT_EQ(1, run(rig, make_step("Create/Set Variable", "%count", "5")));
    EXPECT_EQ("5", rig.variable("count"));
    write_setting_number(rig.store, "SOFTWARE\\Zorbel\\GlobalVariables", 0);
    EXPECT_EQ(1, run(rig, make_step("Create/Set Variable", "%count", "6")));
    EXPECT_EQ("6", rig.variable("1234_count"));
    EXPECT_EQ("5", rig.variable("count"));
}

TEST(VariableActions, CreateSetWithEmptyTextDeletesTheVariable) {
    ExpansionRig rig;
    run(rig, make_step("Create/Set Variable", "%v", "x"));
    ASSERT_TRUE(rig.has_variable("v"));
    EXPECT_EQ(1, run(rig, make_step("Create/Set Variable", "%v", "")));
    EXPECT_FALSE(rig.has_variable("v"));
    EXPECT_TRUE(rig.palette.rows.empty());
}

TEST(VariableActions, IncrementAndDecrement) {
    struct Row {
        const char* action;
        const char* before;  // nullptr: absent
        const char* after;
    } rows[] = {
        {"Increment Variable", nullptr, "1"},     {"Decrement Variable", nullptr, "-1"},
        {"Increment Variable", "41", "42"},       {"Decrement Variable", "0", "-1"},
        {"Increment Variable", "1,500", "1501"},  {"Increment Variable", "%other", "8"},
        {"Increment Variable", "2147483647", "-2147483648"},
    };
    for (const Row& r : rows) {
        ExpansionRig rig;
        rig.set_variable("other", "7");
        if (r.before != nullptr) rig.set_variable("n", r.before);
        EXPECT_EQ(1, run(rig, make_step(r.action, "%n", "")));
        EXPECT_EQ(r.after, rig.variable("n")) << r.action << " from " << (r.before ? r.before : "(absent)");
    }
}

TEST(VariableActions, ScrambleMapsKeyBytesAndIsItsOwnInverse) {
    // A byte equal to the key byte becomes 127, and 127 becomes the key byte.
    EXPECT_EQ("\x7f", scramble("4", kDefaultScrambleKey));
    EXPECT_EQ("4", scramble("\x7f", kDefaultScrambleKey));
    EXPECT_EQ(std::string(1, static_cast<char>('a' ^ '4')), scramble("a", kDefaultScrambleKey));
    // Every byte with every key byte comes back, and no NUL is made.
    for (int k = 1; k < 256; ++k) {
        for (int b = 1; b < 256; ++b) {
            std::string value(1, static_cast<char>(b)), key(1, static_cast<char>(k));
            std::string once = scramble(value, key);
            ASSERT_NE('\0', once[0]) << "b=" << b << " k=" << k;
            ASSERT_EQ(value, scramble(once, key)) << "b=" << b << " k=" << k;
        }
    }
}

TEST(VariableActions, ScrambleKeepsEarlierCiphertexts) {
    // Bytes whose XOR with the key is not 127 scramble as before: "hello" with the
    // default key was always this text.
    std::string expected;
    const char* key = kDefaultScrambleKey;
    for (int i = 0; i < 5; ++i) expected += static_cast<char>("hello"[i] ^ key[i]);
    EXPECT_EQ(expected, scramble("hello", key));
}

TEST(VariableActions, EncryptDecryptRoundTripKoi) {
    // "K" XOR "4" is 127: the old scramble turned "KOI" into what decrypts as "406".
    ExpansionRig rig;
    rig.set_variable("secret", "KOI");
    EXPECT_EQ(1, run(rig, make_step("Encrypt Variable", "%secret", "")));
    // Each of the three bytes is its key byte XOR 127, so each stays as it is.
    EXPECT_EQ("KOI", rig.variable("secret"));
    EXPECT_EQ(1, run(rig, make_step("Decrypt Variable", "%secret", "")));
    EXPECT_EQ("KOI", rig.variable("secret"));
    rig.set_variable("secret", "KOIxqz");  // the last three are the key bytes
    run(rig, make_step("Encrypt Variable", "%secret", ""));
    EXPECT_EQ(std::string("KOI\x7f\x7f\x7f"), rig.variable("secret"));
    run(rig, make_step("Decrypt Variable", "%secret", ""));
    EXPECT_EQ("KOIxqz", rig.variable("secret"));
}

TEST(VariableActions, EncryptDecryptUseTheStoredValueNotItsExpansion) {
    struct Row {
        const char* value;
        const char* key;
    } rows[] = {
        {"tab%tand%nline", ""},      {"{Enter}{TAB}", "k"},       {"CALC(1+2)", ""},
        {"%other is a name", "key"}, {"100%% sure", ""},          {"Length(abc) MB_OK", "zz"},
        {"%dd.%mm %xx", ""},
    };
    for (const Row& r : rows) {
        ExpansionRig rig;
        rig.set_variable("other", "EXPANDED");
        rig.set_variable("v", r.value);
        run(rig, make_step("Encrypt Variable", "%v", r.key));
        EXPECT_EQ(scramble(r.value, *r.key ? r.key : kDefaultScrambleKey), rig.variable("v")) << r.value;
        run(rig, make_step("Decrypt Variable", "%v", r.key));
        EXPECT_EQ(r.value, rig.variable("v")) << r.value;
    }
}

TEST(VariableActions, EncryptUsesTheKeyAsStoredAndTheCurrentPrefix) {
    ExpansionRig rig;
    write_setting_number(rig.store, "SOFTWARE\\Zorbel\\GlobalVariables", 0);
    rig.set_variable("1234_v", "plain");
    rig.set_variable("k", "expanded key");
    run(rig, make_step("Encrypt Variable", "%v", "%k"));
    EXPECT_EQ(scramble("plain", "%k"), rig.variable("1234_v"));
}

TEST(VariableActions, EncryptFollowsASpillFile) {
    ExpansionRig rig;
    rig.store.set_max_value_size(64);
    std::string big(1000, 'q');
    ASSERT_TRUE(rig.variables.write("v", big));
    run(rig, make_step("Encrypt Variable", "%v", ""));
    run(rig, make_step("Decrypt Variable", "%v", ""));
    std::string value;
    ASSERT_TRUE(rig.variables.read("v", &value));
    EXPECT_EQ(big, value);
}

TEST(VariableActions, SetEnvironmentVariable) {
    ExpansionRig rig;
    rig.set_variable("dir", "C:\\x");
    Step step = make_step("Set Environment Variable", "", "%dir\\bin");
    copy_to_field(step.value[0], "%MY%VAR%");
    EXPECT_EQ(1, run(rig, step));
    ASSERT_EQ(1u, rig.environment.variables.size());
    EXPECT_EQ("MYVAR", rig.environment.variables[0].first);
    EXPECT_EQ("C:\\x\\bin", rig.environment.variables[0].second);
    // An empty text removes it.
    step.text.clear();
    EXPECT_EQ(1, run(rig, step));
    EXPECT_TRUE(rig.environment.variables.empty());
    // A failure carries the system's text.
    rig.environment.set_error = std::string(3000, 'e');
    std::string error;
    EXPECT_EQ(0, run(rig, step, &error));
    EXPECT_EQ(std::string(2047, 'e'), error);
}

TEST(VariableActions, OtherVariableNamesSucceedDoingNothing) {
    ExpansionRig rig;
    EXPECT_EQ(1, run(rig, make_step("List Variable", "%v", "x")));
    EXPECT_FALSE(rig.has_variable("v"));
    EXPECT_TRUE(is_variable_action("Create/Set Variable"));
    EXPECT_FALSE(is_variable_action("Set Run Speed"));
}

}  // namespace
}  // namespace zorbel
