#include "editor/model/pane_system_variables.h"

namespace zorbel {

const std::vector<SystemVariableMenu>& system_variable_menus() {
    static const std::vector<SystemVariableMenu> menus = {
        {"Run-time Text",
         {"%n\tNewline (LF)", "%r\tCarriage Return (CR)", "%t\tTab", "%filename\tCurrent Script Name + Path",
          "%currentstep\tCurrent Step Number", "%cmdline\tCommand Line", "%tempfile\tTemporary File Name",
          "%ticks\tMilliseconds since Windows started", "%mouse_x\tMouse X Position", "%mouse_y\tMouse Y Position",
          "%screen_x\tScreen Width", "%screen_y\tScreen Height", "%window_x\tCurrent Window Left",
          "%window_y\tCurrent Window Top", "%window_wide\tCurrent Window Width", "%window_hi\tCurrent Window Height",
          "%c\tClipboard Text"}},
        {"Date/Time Formats",
         {"%dddd, %mmmm...\tLong Date and Time", "%yyyy\tYear (4 digits)", "%yy\tYear (2 digits)",
          "%mmmm\tMonth Name", "%mmm\tMonth Name (3 letters)", "%mm\tMonth (2 digits)", "%dddd\tDay Name",
          "%ddd\tDay Name (3 letters)", "%dd\tDay (2 digits)", "%hh\tHour (2 digits)", "%ii\tMinutes (2 digits)",
          "%ss\tSeconds (2 digits)", "%a\tAM / PM"}},
        {"System Text", {"%windir\tWindows Folder", "%sysdir\tSystem Folder"}},
        {"Math Expression",
         {"CALC ( 2 + 3 * 4 )\tSimple Expression", "CALC ( %var + 1 )\tAdd to a Variable",
          "CALC ( 10 / 4 )\tDivision"}},
        {"Text Functions",
         {"Length ( text )\t\"abc\"  -->  \"3\"", "Uppercase ( text )\t\"abc\"  -->  \"ABC\"",
          "Lowercase ( text )\t\"ABC\"  -->  \"abc\"", "Trim ( text )\t\" abc \"  -->  \"abc\"",
          "CountItems ( text, delimiter )\t\"a;b;c\"  -->  \"3\"",
          "GetSubText ( text, start, length )\t\"abcde\", 2, 3  -->  \"bcd\"",
          "InsertText ( text, insert, position )\t\"ace\", \"b\", 2  -->  \"abce\"",
          "ReplaceText ( text, find, replace )\t\"abc\", \"b\", \"x\"  -->  \"axc\""}},
        {"Keyboard",
         {"{Alt}\tAlt System Key", "{Ctrl}\tControl System Key", "{Shift}\tShift System Key", "{Win}\tWindows Key",
          "{Enter}\tEnter Key", "{Tab}\tTab Key", "{Esc}\tEscape Key", "{Backspace}\tBackspace Key",
          "{Delete}\tDelete Key", "{Insert}\tInsert Key", "{Home}\tHome Key", "{End}\tEnd Key",
          "{PgUp}\tPage Up Key", "{PgDn}\tPage Down Key", "{Up}\tUp Arrow", "{Down}\tDown Arrow",
          "{Left}\tLeft Arrow", "{Right}\tRight Arrow", "{F1}...{F12}\tFunction Keys",
          "{Num1}...{Num/}\tNumeric Keypad Keys", "    {Ctrl}{Home}\tStart of the Document"}},
    };
    return menus;
}

std::string system_variable_item(int command) {
    int n = command - kSystemVariableFirst;
    if (command < kSystemVariableFirst || command > kSystemVariableLast) return "";
    for (const SystemVariableMenu& menu : system_variable_menus()) {
        if (n < static_cast<int>(menu.items.size())) return menu.items[static_cast<size_t>(n)];
        n -= static_cast<int>(menu.items.size());
    }
    return "";
}

std::string system_variable_insert(std::string_view item) {
    std::string text(item.substr(0, item.find('\t')));
    if (text == "%dddd, %mmmm...") return "%dddd, %mmmm %dd, %yyyy at %hh:%ii %a";
    if (text == "{F1}...{F12}") return "{F1}";
    if (text == "{Num1}...{Num/}") return "{Num1}";
    if (text.compare(0, 5, "    {") == 0) text.erase(0, 4);
    return text;
}

}  // namespace zorbel
