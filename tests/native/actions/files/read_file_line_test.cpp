#include "actions/files/read_file_line.h"

#include <gtest/gtest.h>

#include "tests/native/actions/files/file_test_folder.h"

namespace zorbel {
namespace {

constexpr size_t kChunk = 1048576;

// The lines of `text` split at "\r\n", as a whole-file read sees them.
std::vector<std::string> split_lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return lines;
        start = end + 2;
    }
}

// Lines and CR LF pairs cut by the 1 MB chunk boundary read and count as in one read.
TEST(ReadFileLine, LargeFilesMatchAWholeFileRead) {
    std::string text;
    int n = 0;
    while (text.size() < kChunk - 40) text += "line " + std::to_string(++n) + "\r\n";
    text += std::string(kChunk - 1 - text.size(), 'x');  // this line's CR is the chunk's last byte
    text += "\r\nafter the pair\r\n";
    while (text.size() < 2 * kChunk - 10) text += "more " + std::to_string(++n) + "\r\n";
    text += "straddling the second boundary\r\nlast";
    FileTestFolder folder;
    folder.put("big.txt", text);
    const std::vector<std::string> lines = split_lines(text);
    const std::string path = folder.at("big.txt");
    EXPECT_EQ(count_file_lines(path), static_cast<int32_t>(lines.size()));
    std::string line;
    // The lines around each boundary: where the first "x" line and "straddling" stand.
    std::vector<size_t> near;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].rfind("xxx", 0) == 0 || lines[i].rfind("straddling", 0) == 0)
            for (size_t j = i > 2 ? i - 2 : 0; j < i + 3 && j < lines.size(); ++j) near.push_back(j);
    ASSERT_EQ(near.size(), 9u);
    for (size_t i : near) {
        SCOPED_TRACE(i + 1);
        ASSERT_NE(read_file_line(path, static_cast<int32_t>(i + 1), &line), 0);
        EXPECT_EQ(line, lines[i].substr(0, kMaxFileLineLength));
    }
    EXPECT_EQ(read_file_line(path, static_cast<int32_t>(lines.size() + 1), &line), 0);
}

}  // namespace
}  // namespace zorbel
