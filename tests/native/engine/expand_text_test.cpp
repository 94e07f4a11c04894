#include <gtest/gtest.h>

#include <fstream>

#include "engine/expand_internal.h"
#include "expansion_fakes.h"

namespace zorbel {
namespace {

struct Row {
    const char* input;
    const char* expected;
};

void expect_rows(ExpansionRig& rig, const std::vector<Row>& rows) {
    for (const Row& r : rows) EXPECT_EQ(r.expected, rig.expand(r.input)) << "input: \"" << r.input << '"';
}

TEST(ExpandText, ReturnsLengthPlusOneAndZeroForEmpty) {
    ExpansionRig rig;
    EXPECT_EQ(0u, rig.expander.expand(""));
    EXPECT_EQ("", rig.expander.buffer());
    EXPECT_EQ(4u, rig.expander.expand("abc"));
    EXPECT_EQ("abc", rig.expander.buffer());
    // A text ends at its first NUL, as every step field does.
    EXPECT_EQ(3u, rig.expander.expand(std::string_view("ab\0cd", 5)));
}

TEST(ExpandEscapes, DoublePercentBecomesOnePercentAfterEveryStage) {
    ExpansionRig rig;
    rig.set_variable("t", "variable");
    expect_rows(rig, {
                         {"100%%", "100%"},
                         {"%%t", "%t"},           // not a TAB and not the variable t
                         {"%%%t", "%variable"},   // "%%" first, then "%t" finds the variable
                         {"%%%%", "%%"},
                         {"a%%b%%c", "a%b%c"},
                     });
}

TEST(ExpandEscapes, ByteFFIsKeptAsItIs) {
    // 0xFF is a letter in several code pages (y-diaeresis, Cyrillic ya): it must never
    // turn into "%".
    ExpansionRig rig;
    EXPECT_EQ("\xff" "abc\xff", rig.expand("\xff" "abc\xff"));
    EXPECT_EQ("%\xff", rig.expand("%%\xff"));
}

TEST(ExpandLoopVariables, ReplacesNonEmptyLoopValuesWithoutPrefix) {
    ExpansionRig rig;
    write_setting_number(rig.store, "SOFTWARE\\Zorbel\\GlobalVariables", 0);  // prefix "1234_"
    rig.set_variable("file_loop", "a.txt");
    rig.set_variable("file_line_loop", "line one");
    rig.set_variable("data_loop", "");
    rig.set_variable("hwnd_loop", std::string(300, 'h'));
    expect_rows(rig, {
                         {"%file_loop|%FILE_LINE_LOOP", "a.txt|line one"},
                         {"[%data_loop]", "[%data_loop]"},
                     });
    EXPECT_EQ(std::string(259, 'h'), rig.expand("%hwnd_loop"));
}

TEST(ExpandVariables, LongestExistingNameWins) {
    ExpansionRig rig;
    rig.set_variable("foo", "bar");
    rig.set_variable("foobar", "long");
    expect_rows(rig, {
                         {"%foo,", "bar,"},
                         {"%foobaz", "barbaz"},
                         {"%foobar", "long"},
                         {"%FOO", "bar"},
                         {"x%foo %foo", "xbar bar"},
                         {"%fo", "%fo"},
                         {"%unknown", "%unknown"},
                         {"%", "%"},
                         {"% foo", "% foo"},
                     });
}

TEST(ExpandVariables, NameEndsBeforeSpacePercentCrAndLf) {
    ExpansionRig rig;
    rig.set_variable("a", "1");
    rig.set_variable("a b", "never");
    expect_rows(rig, {
                         {"%a b", "1 b"},
                         {"%a%a", "11"},
                         {"%a\r\n%a", "1\r\n1"},
                         {"%a\tb", "1\tb"},  // a TAB does not end the name, but "a" is its longest match
                     });
}

TEST(ExpandVariables, NameIsAtMost64Characters) {
    ExpansionRig rig;
    std::string name64(64, 'n');
    rig.set_variable(name64 + "x", "too long");
    rig.set_variable(name64, "fits");
    EXPECT_EQ("fitsx", rig.expand("%" + name64 + "x"));
}

TEST(ExpandVariables, EnvironmentWinsOverUserVariables) {
    ExpansionRig rig;
    rig.environment.variables = {{"windir", "C:\\WINDOWS"}, {"USERNAME", "alice"}, {"EMPTY", ""}};
    rig.set_variable("windir", "user value");
    rig.set_variable("username", "script user");
    rig.set_variable("empty", "from variable");
    expect_rows(rig, {
                         {"%windir", "C:\\WINDOWS"},
                         {"%WINDIR\\x", "C:\\WINDOWS\\x"},
                         // A name containing "username" is never looked up in the environment.
                         {"%username", "script user"},
                         // An empty environment value does not count.
                         {"%empty", "from variable"},
                     });
}

TEST(ExpandVariables, InstancePrefixSelectsTheInstancesVariables) {
    ExpansionRig rig;
    rig.set_variable("count", "global");
    rig.set_variable("1234_count", "local");
    EXPECT_EQ("global", rig.expand("%count"));
    write_setting_number(rig.store, "SOFTWARE\\Zorbel\\GlobalVariables", 0);
    EXPECT_EQ("local", rig.expand("%count"));
}

TEST(ExpandVariables, ValuesAreScannedAgainFromTheirSecondCharacter) {
    ExpansionRig rig;
    rig.set_variable("first", "John");
    rig.set_variable("last", "Smith");
    rig.set_variable("full", "Mr %first %last");
    rig.set_variable("lead", "%first %last");
    rig.set_variable("split", "x%fi");
    EXPECT_EQ("Mr John Smith!", rig.expand("%full!"));
    // The value's first character is not scanned again, even when it is a "%".
    EXPECT_EQ("%first Smith", rig.expand("%lead"));
    // A name may run from an inserted value into the text after it.
    EXPECT_EQ("xJohn", rig.expand("%split" "rst"));
}

TEST(ExpandVariables, ValueFirstCharacterIsNotScannedAgain) {
    ExpansionRig rig;
    rig.set_variable("a", "%b");
    rig.set_variable("b", "B");
    rig.set_variable("bx", "BX");
    // "%a" gives "%b" at the same place; scanning goes on after that "%".
    EXPECT_EQ("%b", rig.expand("%a"));
}

TEST(ExpandVariables, SelfReferenceIsBounded) {
    ExpansionRig rig;
    rig.set_variable("self", "a%self");
    std::string out = rig.expand("%self");
    EXPECT_EQ(std::string(kMaxValueNesting, 'a') + "%self", out);
    // Two references per value would double at each level: the count of nested
    // substitutions bounds it.
    rig.set_variable("tree", "t%tree%tree");
    out = rig.expand("%tree");
    EXPECT_LT(out.size(), 16 * kMaxNestedSubstitutions);
}

TEST(ExpandVariables, EmptyValueReplacesAndScanningGoesOnAtOnce) {
    ExpansionRig rig;
    rig.set_variable("empty", "");  // stored with its NUL: size 1, so it exists
    rig.set_variable("b", "B");
    EXPECT_EQ("[]", rig.expand("[%empty]"));
    EXPECT_EQ("B", rig.expand("%empty%b"));
}

TEST(ExpandVariables, ZeroSizeValueDoesNotCount) {
    ExpansionRig rig;
    rig.store.write_value(SettingsRoot::kCurrentUser, kUserVariablesKey, "zero", kValueText, "");
    EXPECT_EQ("%zero", rig.expand("%zero"));
}

TEST(ExpandVariables, NumberValuesReadAsDecimalText) {
    ExpansionRig rig;
    write_setting_number(rig.store, std::string(kUserVariablesKey) + "\\n", -7);
    EXPECT_EQ("-7", rig.expand("%n"));
}

TEST(ExpandVariables, StarValueNamingAFileGivesTheFilesContent) {
    ExpansionRig rig;
    std::string path = rig.folder.file("big.zorbel_var");
    ASSERT_TRUE(write_new_file(path, "file content"));
    rig.set_variable("big", path + "*");
    rig.set_variable("missing", rig.folder.file("none.zorbel_var") + "*");
    EXPECT_EQ("[file content]", rig.expand("[%big]"));
    EXPECT_EQ(rig.folder.file("none.zorbel_var") + "*", rig.expand("%missing"));
}

TEST(ExpandVariables, EnvironmentNameClosedByPercentLosesThatPercent) {
    ExpansionRig rig;
    rig.environment.variables = {{"TEMP", "C:\\TMP"}};
    rig.set_variable("user", "U");
    expect_rows(rig, {
                         {"%TEMP%\\x", "C:\\TMP\\x"},
                         {"%TEMP\\x", "C:\\TMP\\x"},
                         {"%TEMP%%", "C:\\TMP%"},
                         // User variables keep the "%" after them.
                         {"%user%", "U%"},
                     });
}

TEST(ExpandVariables, UserVariableNamedLikeADateTokenWins) {
    ExpansionRig rig;
    rig.environment.now = LocalTime{2007, 3, 9, 14, 5, 6, 5};
    rig.set_variable("dd", "variable");
    EXPECT_EQ("variable/03", rig.expand("%dd/%mm"));
}

TEST(ExpandVariables, SnapshotSeesWritesBetweenExpansions) {
    ExpansionRig rig;
    rig.set_variable("v", "1");
    EXPECT_EQ("1", rig.expand("%v"));
    rig.set_variable("v", "2");
    EXPECT_EQ("2", rig.expand("%v"));
    rig.variables.reset(nullptr);
    EXPECT_EQ("%v", rig.expand("%v"));
    rig.set_variable("v", "3");
    EXPECT_EQ("3", rig.expand("%v"));
}

TEST(ExpandKeyShortcuts, BecomeLineFeedTabAndSpace) {
    ExpansionRig rig;
    expect_rows(rig, {
                         {"a{Enter}b", "a\nb"},
                         {"a{TAB}b", "a\tb"},
                         {"a{space}b", "a b"},
                         {"{ENTER", "{ENTER"},
                     });
}

TEST(ExpandWindowsConstants, BecomeUnsignedDecimals) {
    ExpansionRig rig;
    expect_rows(rig, {
                         {"MB_YESNO+MB_ICONQUESTION", "4+32"},
                         {"WS_POPUP", "2147483648"},
                         {"MB_OK", "0"},
                         {"MB_OKCANCEL", "1"},
                         {"mb_ok|Mb_YesNoCancel", "0|3"},
                         {"WS_OVERLAPPEDWINDOW", "13565952"},
                         {"WS_POPUPWINDOW", "2156396544"},
                         {"WS_EX_PALETTEWINDOW", "392"},
                         {"GENERIC_READ|GENERIC_WRITE", "2147483648|1073741824"},
                         {"IDNO", "7"},
                         {"FILE_ATTRIBUTE_DIRECTORY", "16"},
                         {"MB_DEFAULT_DESKTOP_ONLY", "131072"},
                     });
}

TEST(ExpandRunTokens, SystemAndRunTokens) {
    ExpansionRig rig;
    rig.run.script_path = "C:\\Scripts\\demo.zbx";
    rig.run.command_line = "/r demo.zbx";
    rig.run.current_step = 4;
    rig.run.innermost_loop_counter = 6;
    rig.run.pass_counter = 1;
    rig.environment.has_clipboard = true;
    rig.environment.clipboard = "clip";
    write_setting_text(rig.store, "SOFTWARE\\Zorbel\\Logfile", "C:\\ZorbelLog.txt");
    expect_rows(rig, {
                         {"%SYSDIR", "C:\\WINDOWS\\system32"},
                         {"%windir", "C:\\WINDOWS"},
                         {"%CURDIR", "C:\\work"},
                         {"%LOGFILE", "C:\\ZorbelLog.txt"},
                         {"%WINVER", "Windows XP"},
                         {"%FILENAME", "C:\\Scripts\\demo.zbx"},
                         {"%FILEBASENAME", "demo.zbx"},
                         {"%FILEPATH", "C:\\Scripts"},
                         {"%FILEEXT", "zbx"},
                         {"%cmdline", "/r demo.zbx"},
                         {"%CLIPBOARD", "clip"},
                         {"%llll|%lll|%ll|%l", "0007|007|07|7"},
                         {"%eeee|%eee|%ee|%e", "0002|002|02|2"},
                         {"%currentstep", "5"},
                         {"%ticks", "123456"},
                         {"%mouse_x,%mouse_y", "17,29"},
                         {"%screen_x x %screen_y", "1280 x 1024"},
                         {"a%rb%nc%td", "a\rb\nc\td"},
                     });
}

TEST(ExpandRunTokens, EnvironmentTokensWithAndWithoutClosingPercent) {
    ExpansionRig rig;
    // Built after stage 3, for instance from a "%%" escape: stage 6 still finds them.
    rig.environment.variables = {{"PATH", "C:\\bin"}, {"X", "one letter"}};
    rig.set_variable("p", "%PATH%");
    expect_rows(rig, {
                         {"[%p]", "[C:\\bin]"},
                         {"[%p", "[C:\\bin"},
                     });
}

TEST(ExpandRunTokens, WindowTokensNeedTheCurrentWindow) {
    ExpansionRig rig;
    expect_rows(rig, {
                         {"%window_x,%window_y,%window_wide,%window_hi", "10,20,300,200"},
                         {"%WINDOW|%HWND|%WINCLASS", "Untitled - Notepad|4242|Notepad"},
                     });
    rig.window.exists = false;
    // Missing window: position tokens stay, the title and class are empty.
    expect_rows(rig, {
                         {"%window_x,%window_hi", "%window_x,%window_hi"},
                         {"[%WINDOW][%WINCLASS]", "[][]"},
                     });
}

TEST(ExpandRunTokens, CurrentWindowIsAskedOnlyForWindowTokens) {
    ExpansionRig rig;
    rig.expand("%ticks %SYSDIR plain text");
    EXPECT_EQ(0, rig.window.lookups);
    rig.expand("%HWND");
    EXPECT_GT(rig.window.lookups, 0);
}

TEST(ExpandRunTokens, WinverNamesAndLogLine) {
    struct VersionRow {
        VersionInfo v;
        const char* name;
    } rows[] = {
        {{1, 4, 0, 950, 0}, "Windows 95"},    {{1, 4, 10, 1998, 0}, "Windows 98"},
        {{1, 4, 90, 3000, 0}, "Windows ME"},  {{2, 4, 0, 1381, 0}, "Windows NT 4"},
        {{2, 5, 0, 2195, 0}, "Windows 2000"}, {{2, 5, 1, 2600, 0}, "Windows XP"},
        {{2, 5, 2, 3790, 0}, "Windows 2003 Server"}, {{2, 6, 1, 7601, 0}, "Windows Vista"},
        {{2, 10, 0, 19045, 0}, ""},           {{3, 5, 1, 0, 0}, ""},
    };
    for (const VersionRow& r : rows) {
        ExpansionRig rig;
        rig.environment.os = r.v;
        EXPECT_EQ(r.name, rig.expand("%WINVER")) << r.v.platform << " " << r.v.major << "." << r.v.minor;
    }
    ExpansionRig rig;
    rig.expand("%winver");
    EXPECT_EQ("\tINTERNAL VERSION INFO: [Platform 2] 5.1.2600 == \"Windows XP\" (0)\r\n", rig.output.text);
    rig.output.text.clear();
    rig.output.shown = false;
    rig.expand("%winver");
    EXPECT_EQ("", rig.output.text);
}

TEST(ExpandRandomTokens, DigitsAndLettersFromTheSeededSource) {
    ExpansionRig rig;
    std::string digits = rig.expand("%xxx");
    ASSERT_EQ(3u, digits.size());
    for (char c : digits) EXPECT_TRUE(c >= '0' && c <= '9') << digits;
    for (int i = 0; i < 200; ++i) {
        std::string nonzero = rig.expand("%XX");
        ASSERT_EQ(2u, nonzero.size());
        EXPECT_EQ(std::string::npos, nonzero.find('0')) << nonzero;
    }
    std::string letters = rig.expand("%cC");  // "%c" first: "c" lower, "C" upper
    ASSERT_EQ(2u, letters.size());
    EXPECT_TRUE(letters[0] >= 'a' && letters[0] <= 'z') << letters;
    EXPECT_TRUE(letters[1] >= 'A' && letters[1] <= 'Z') << letters;
}

TEST(ExpandRandomTokens, SameTokenSameDigitsOnlyFirstTokenHandled) {
    ExpansionRig rig;
    std::string out = rig.expand("%xx-%xx-%xxx");
    // "%xx" is the first token: both "%xx" and the "%xx" inside "%xxx" get its digits.
    ASSERT_EQ(9u, out.size()) << out;
    EXPECT_EQ(out.substr(0, 2), out.substr(3, 2));
    EXPECT_EQ(out.substr(0, 2), out.substr(6, 2));
    EXPECT_EQ('x', out[8]);
    // A different token after the first one stays.
    EXPECT_EQ("%X", rig.expand("%x %X").substr(2));
}

TEST(ExpandRandomTokens, RangeFormulaReachesBothEnds) {
    // lo + trunc(rand / 32769 x (hi - lo + 1)): 0 gives lo, 32767 gives hi.
    struct ZeroThenMax : FakeEnvironment {
        int calls = 0;
        int random15() override { return (calls++ % 2) == 0 ? 0 : 32767; }
    };
    ExpansionRig rig;
    ZeroThenMax env;
    rig.services.environment = &env;
    EXPECT_EQ("09", rig.expand("%xx"));
    EXPECT_EQ("19", rig.expand("%XX"));
    EXPECT_EQ("az", rig.expand("%cc"));
    EXPECT_EQ("AZ", rig.expand("%CC"));
}

TEST(ExpandDates, TokensOfLocalTime) {
    ExpansionRig rig;
    rig.environment.now = LocalTime{2007, 3, 9, 14, 5, 6, 5};  // Friday
    expect_rows(rig, {
                         {"%yyyy-%mm-%dd %uu:%ii:%ss", "2007-03-09 14:05:06"},
                         {"%yy", "07"},
                         {"%mmmm %mmm", "March Mar"},
                         {"%dddd %ddd", "Friday Fri"},
                         {"%hh %a", "02 PM"},
                         {"%HH%II", "0205"},
                     });
    rig.environment.now = LocalTime{2007, 3, 9, 0, 5, 6, 5};
    EXPECT_EQ("12 AM", rig.expand("%hh %a"));
    rig.environment.now = LocalTime{2007, 3, 9, 12, 0, 0, 5};
    EXPECT_EQ("12 PM", rig.expand("%hh %a"));
}

TEST(ExpandDates, Arithmetic) {
    ExpansionRig rig;
    rig.environment.now = LocalTime{2007, 12, 31, 23, 30, 0, 1};  // Monday
    expect_rows(rig, {
                         // Two hours on: past midnight, and the day moves with it.
                         {"%hh++2 %dd.%mm.%yyyy %dddd", "01 01.01.2008 Tuesday"},
                         {"%ii--15", "15"},
                         {"%ss++90", "30"},
                         {"%dd++1", "01"},
                         {"%dd--31 %mm", "30 11"},
                         // Months are 31 days: Dec 31 + 31 days is Jan 31.
                         {"%mm++1 %dd", "01 31"},
                         // Years are 365 days: 2008 is a leap year.
                         {"%yyyy++1 %mm-%dd", "2008 12-30"},
                         {"%uu++1", "00"},
                     });
}

TEST(ExpandDates, ZeroOffsetMarkerIsRemoved) {
    ExpansionRig rig;
    rig.environment.now = LocalTime{2007, 3, 9, 14, 5, 6, 5};
    expect_rows(rig, {
                         {"%dd++0", "09"},
                         {"%dd--0", "09"},
                         {"%dd++", "09++"},  // no number: nothing to remove, "C++" stays "C++"
                         {"C++ %dd", "C++ 09"},
                     });
}

TEST(ExpandDates, AddSecondsAcrossMonthsYearsAndLeapDays) {
    using expansion::add_seconds;
    LocalTime t{2008, 2, 28, 12, 0, 0, 4};
    LocalTime next = add_seconds(t, 86400);
    EXPECT_EQ(29, next.day);
    EXPECT_EQ(5, next.weekday);
    LocalTime back = add_seconds(LocalTime{2000, 1, 1, 0, 0, 0, 6}, -1);
    EXPECT_EQ(1999, back.year);
    EXPECT_EQ(12, back.month);
    EXPECT_EQ(31, back.day);
    EXPECT_EQ(23, back.hour);
    EXPECT_EQ(59, back.second);
    EXPECT_EQ(5, back.weekday);
}

TEST(ExpandFunctions, CallsAreReplacedByTheirResults) {
    ExpansionRig rig;
    rig.set_variable("name", "world");
    expect_rows(rig, {
                         {"Length ( abc )", "3"},
                         {"Uppercase ( aBc )", "ABC"},
                         {"x=Length(%name)!", "x=5!"},
                         {"CALC ( 2 + 3 * 4 )", "14"},
                         {"CALC(1+1) and CALC (2+2)", "2 and 4"},
                         // Length runs before CALC: it counts the call's text.
                         {"Length(CALC(10*10))", "11"},
                         // Length runs before CALC: CALC sees its result.
                         {"CALC(Length(abcd) * 2)", "8"},
                         {"no call ( here )", "no call ( here )"},
                         {"Length  (ab)", "2"},
                     });
}

TEST(ExpandFunctions, UnbalancedCallsStayAndStopNothing) {
    ExpansionRig rig;
    expect_rows(rig, {
                         {"Length(abc", "Length(abc"},
                         {"Length(abc Length(de)", "Length(abc 2"},
                         {")Length(", ")Length("},
                     });
}

TEST(ExpandLimits, OneMegabyteOfPercentSigns) {
    ExpansionRig rig;
    std::string input(1 << 20, '%');
    std::string out = rig.expand(input);
    EXPECT_EQ(std::string(1 << 19, '%'), out);
    input.assign(1 << 20, '%');
    input[0] = 'a';
    out = rig.expand(input);
    EXPECT_EQ(size_t{1} + (1 << 19) - 1 + 1, out.size());
}

TEST(ExpandLimits, ManyReferencesInALargeText) {
    ExpansionRig rig;
    rig.set_variable("v", "value");
    std::string input;
    for (int i = 0; i < 100000; ++i) input += "%v ";
    std::string out = rig.expand(input);
    EXPECT_EQ(100000u * 6, out.size());
}

TEST(ExpandLimits, GrowthStopsAtTheSizeLimit) {
    ExpansionRig rig;
    rig.environment.has_clipboard = true;
    rig.environment.clipboard.assign(1 << 20, 'c');
    std::string input;
    for (int i = 0; i < 200; ++i) input += "%CLIPBOARD";
    std::string out = rig.expand(input);
    EXPECT_LE(out.size(), kMaxExpansionSize);
    // The tokens beyond the limit stay (and meet the random letters of "%C").
    EXPECT_NE(std::string::npos, out.find("LIPBOARD"));
}

TEST(ExpandLimits, ManyUnbalancedParentheses) {
    ExpansionRig rig;
    std::string input;
    for (int i = 0; i < 20000; ++i) input += "Length(CALC(";
    input += ")";
    std::string out = rig.expand(input);
    // Only the last "CALC()" has its ")", but looking for the ")" of all the calls
    // before it would read the text 20,000 times: the search gives up after a few
    // passes and every call stays as written.
    EXPECT_EQ(input, out);
}

}  // namespace
}  // namespace zorbel
