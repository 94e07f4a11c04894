// The element reader and the entity forms, on step blocks given directly.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "core/script_xml.h"
#include "core/text_rules.h"

namespace zorbel::script_xml {
namespace {

TEST(EntityForms, DecodeEveryForm) {
    struct Row {
        const char* raw;
        const char* decoded;
    } rows[] = {
        {"&amp;", "&"},        {"&#038;", "&"},       {"&lt;", "<"},        {"&#060;", "<"},
        {"&gt;", ">"},         {"&#062;", ">"},       {"&apos;", "'"},      {"&#039;", "'"},
        {"&quot;", "\""},      {"&#034;", "\""},      {"&", "&"},           {"a & b", "a & b"},
        {"&amp", "&amp"},      {"&LT;", "&LT;"},      {"&#60;", "&#60;"},   {"&nbsp;", "&nbsp;"},
        {"&&lt;", "&<"},       {"&amp;lt;", "&lt;"},  {"&#038;lt;", "&lt;"}, {"&amp;amp;", "&amp;"},
        {"&#038;amp;", "&amp;"},  // a decoded "&" never starts another form
        {"&amp;#038;", "&#038;"}, {"x&quot;y&apos;z", "x\"y'z"}, {"", ""},
    };
    for (const Row& r : rows) EXPECT_EQ(r.decoded, decode_entities(r.raw)) << '"' << r.raw << '"';
}

TEST(EntityForms, EscapeThenDecodeGivesTheTextBack) {
    std::string every_byte;
    for (int c = 1; c < 256; ++c) every_byte.push_back(static_cast<char>(c));
    const std::string texts[] = {every_byte, "&lt;&gt;&amp;&#038;&quot;", "&&&;;;<<>>", "&#038;amp;", ""};
    for (const std::string& text : texts) {
        std::string escaped;
        append_escaped(&escaped, text);
        EXPECT_EQ(std::string::npos, escaped.find('<'));
        EXPECT_EQ(std::string::npos, escaped.find('>'));
        EXPECT_EQ(text, decode_entities(escaped)) << text;
    }
}

TEST(EntityForms, LimitCountsDecodedCharacters) {
    EXPECT_EQ("&&&", decode_entities("&amp;&amp;&amp;&amp;", 3));
    EXPECT_EQ("abc", decode_entities("abcdef", 3));
    EXPECT_EQ("a<", decode_entities("a&lt;b", 2));
    EXPECT_EQ("", decode_entities("&lt;", 0));
}

TEST(EntityForms, NumberAndFieldFormsAgreeWithTheDecodedText) {
    std::mt19937 random(11);
    const std::string pieces[] = {"&amp;", "&#038;", "&lt;", "&#060;", "&#062;", "&quot;", "&#034;", "&", "#", "0",
                                  "1",     "9",      "-",    "x",      ";",      "&#0",   "&am",    "5&", " "};
    for (int round = 0; round < 3000; ++round) {
        std::string raw;
        const int count = static_cast<int>(random() % 40);
        for (int i = 0; i < count; ++i) raw += pieces[random() % (sizeof(pieces) / sizeof(pieces[0]))];
        const std::string decoded = decode_entities(raw);
        EXPECT_EQ(text_to_number(decoded), decoded_number(raw)) << raw;
        char field[8];
        std::memset(field, 'z', sizeof(field));
        decode_entities_to_field(raw, field);
        char expected[8];
        copy_to_field(expected, decoded);
        EXPECT_EQ(0, std::memcmp(expected, field, sizeof(field))) << raw;
        std::string reused = "previous contents that are longer";
        decode_entities_to(raw, 5, &reused);
        EXPECT_EQ(decoded.substr(0, 5), reused) << raw;
    }
}

TEST(ElementReader, FindsTheFirstOpeningTextAndItsClosingTag) {
    struct Row {
        std::string block;
        const char* name;
        bool found;
        const char* tag;
        const char* content;
    } rows[] = {
        {"<step><TEXT>first</Text><text>second</text></step>", "text", true, "<TEXT", "first"},  // ignoring case
        {"<step><action>x</action></step>", "text", false, "", ""},
        // "<value1" also finds "<value10>", and its content runs to "</value1>" or the block end.
        {"<step><value10>ten</value10><value1>one</value1></step>", "value1", true, "<value10",
         "ten</value10><value1>one"},
        {"<step><text>abc</step>", "text", true, "<text", "abc</step>"},  // no closing tag: to the block end
        {"<step></text><text>abc</text></step>", "text", true, "<text", "abc"},
        {"<step><text></text></step>", "text", true, "<text", ""},
        {"<step><text", "text", true, "<text", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.block);
        const Element e = find_element(r.block, r.name);
        EXPECT_EQ(r.found, e.found);
        EXPECT_EQ(r.tag, e.tag);
        EXPECT_EQ(r.content, e.content);
    }
    EXPECT_EQ("abc</s", content_text(find_element("<step><text>abc</step>", "text"), 6));
    EXPECT_EQ("", content_text(find_element("<step></step>", "text"), kWholeContent));
    EXPECT_EQ(0, content_number(find_element("<step></step>", "text")));
    // A number is decoded, then its digits collected.
    EXPECT_EQ(-12, content_number(find_element("<step><status>x-1y2</status></step>", "status")));
    EXPECT_EQ(1500, content_number(find_element("<step><options>1,500</options></step>", "options")));
    EXPECT_EQ(0, content_number(find_element("<step><options>&#060;</options></step>", "options")));
    EXPECT_TRUE(has_closing_tag("<step><loops>5</LOOPS></step>", "loops"));
    EXPECT_FALSE(has_closing_tag("<step><loops>5</step>", "loops"));
}

TEST(ElementReader, OpeningTagIsCutForAttributes) {
    const std::string block = "<step><onfail " + std::string(300, ' ') + "label=\"far\">mode</onfail></step>";
    Element e = find_element(block, "onfail");
    EXPECT_EQ(kMaxOpeningTag, e.tag.size());
    EXPECT_EQ("mode", e.content);
    std::string label;
    EXPECT_FALSE(attribute_text(e.tag, "label", kNameLimit, &label));
}

TEST(Attributes, NameCountsOnlyWithEqualsAndQuoteRightAfter) {
    struct Row {
        const char* tag;
        const char* name;
        bool found;
        const char* value;
    } rows[] = {
        {"<onfail label=\"x\"", "label", true, "x"},
        {"<onfail label = \"x\"", "label", false, ""},
        {"<onfail label='x'", "label", false, ""},
        {"<onfail label=x", "label", false, ""},
        {"<onfail labels label=\"y\"", "label", true, "y"},
        {"<onfail LABEL=\"z\"", "label", true, "z"},
        {"<onfail catalog=\"1\" log=\"2\"", "log", true, "1"},  // any name ending the same way counts
        {"<onfail label=\"open", "label", true, "open"},
        {"<onfail label=\"a&amp;b&quot;\"", "label", true, "a&b\""},
        {"<onfail label=\"\" image=\"1\"", "image", true, "1"},
    };
    for (const Row& r : rows) {
        std::string value = "marker";
        EXPECT_EQ(r.found, attribute_text(r.tag, r.name, kNameLimit, &value)) << r.tag;
        EXPECT_EQ(r.value, value) << r.tag;
    }
    std::string label;
    attribute_text("<onfail label=\"" + std::string(100, 'l') + "\"", "label", kNameLimit, &label);
    EXPECT_EQ(63u, label.size());
}

// The element lookup as plainly as it can be said: search the block text for the
// opening text, then for the closing tag after the content starts.
Element plain_find_element(std::string_view block, std::string_view name) {
    Element e;
    const std::string opening = "<" + std::string(name);
    const size_t start = find_ignore_case(block, opening);
    if (start == std::string_view::npos) return e;
    e.found = true;
    const size_t gt = block.find('>', start + opening.size());
    if (gt == std::string_view::npos) {
        e.tag = block.substr(start, kMaxOpeningTag);
        e.content = block.substr(block.size());
        return e;
    }
    e.tag = block.substr(start, std::min(gt - start, kMaxOpeningTag));
    size_t end = find_ignore_case(block, "</" + std::string(name) + ">", gt + 1);
    if (end == std::string_view::npos) end = block.size();
    e.content = block.substr(gt + 1, end - gt - 1);
    return e;
}

TEST(ElementReader, StepBlockAgreesWithThePlainSearch) {
    std::mt19937 random(7);
    const std::string pieces[] = {"<", ">", "/", "</", "<text", "</text>", "<TEXT>", "<te", "xt>", "<textual>",
                                  "</Text>", "a", "\"", "<value1", "</value1>", "<value10>", " ", "<step>", "</step>"};
    const char* names[] = {"text", "value1", "step", "t", "textual"};
    for (int round = 0; round < 3000; ++round) {
        std::string block;
        const int count = static_cast<int>(random() % 12);
        for (int i = 0; i < count; ++i) block += pieces[random() % (sizeof(pieces) / sizeof(pieces[0]))];
        StepBlock indexed(block);
        for (const char* name : names) {
            const Element a = indexed.find_element(name);
            const Element b = plain_find_element(block, name);
            ASSERT_EQ(b.found, a.found) << block << " / " << name;
            EXPECT_EQ(b.tag.data(), a.tag.data()) << block << " / " << name;
            EXPECT_EQ(b.tag, a.tag) << block << " / " << name;
            EXPECT_EQ(b.content.data(), a.content.data()) << block << " / " << name;
            EXPECT_EQ(b.content, a.content) << block << " / " << name;
            EXPECT_EQ(find_ignore_case(block, "</" + std::string(name) + ">") != std::string::npos,
                      indexed.has_closing_tag(name))
                << block << " / " << name;
        }
    }
}

TEST(FindMarkup, AgreesWithThePlainSearch) {
    const std::string text = "<a><STEP>x</Step><step>";
    EXPECT_EQ(3u, find_markup(text, "<step>"));
    EXPECT_EQ(17u, find_markup(text, "<step>", 4));
    EXPECT_EQ(10u, find_markup(text, "</step>"));
    EXPECT_EQ(std::string::npos, find_markup(text, "<step>", 18));
    EXPECT_EQ(std::string::npos, find_markup(text, "<step>", 1000));
    EXPECT_EQ(std::string::npos, find_markup("<st", "<step>"));
    EXPECT_EQ(4u, find_markup("xxxx[1]", "["));
}

}  // namespace
}  // namespace zorbel::script_xml
