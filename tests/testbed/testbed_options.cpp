#include "tests/testbed/testbed_options.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "tests/testbed/testbed_ids.h"

namespace zorbel::testbed {
namespace {

// A switch matches with either '/' or '-' in front, in any case.
bool is_switch(const std::string& arg, const char* name) {
    if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-')) return false;
    size_t i = 1;
    for (; name[i - 1] != '\0'; ++i) {
        if (i >= arg.size()) return false;
        if (std::tolower(static_cast<unsigned char>(arg[i])) != name[i - 1]) return false;
    }
    return i == arg.size();
}

// Decimal, or hexadecimal with 0x; the whole text must be the number.
bool read_number(const std::string& text, long* value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 0);
    if (errno != 0 || *end != '\0') {
        // Values such as 0xDEADBEEF do not fit a long; take them as their 32-bit pattern.
        errno = 0;
        unsigned long u = std::strtoul(text.c_str(), &end, 0);
        if (errno != 0 || *end != '\0' || text[0] == '-') return false;
        v = static_cast<long>(u);
    }
    *value = v;
    return true;
}

bool looks_like_number(const std::string& text) {
    long ignored;
    return read_number(text, &ignored);
}

class ArgReader {
  public:
    ArgReader(const std::vector<std::string>& args, std::string* error) : args_(args), error_(error) {}
    bool done() const { return at_ >= args_.size(); }
    const std::string& next() { return args_[at_++]; }
    bool value(const std::string& name, std::string* out) {
        if (done()) {
            *error_ = name + " needs a value";
            return false;
        }
        *out = next();
        return true;
    }
    bool number(const std::string& name, long* out) {
        std::string text;
        if (!value(name, &text)) return false;
        if (!read_number(text, out)) {
            *error_ = name + " needs a number, not '" + text + "'";
            return false;
        }
        return true;
    }
    bool int_number(const std::string& name, int* out) {
        long v = 0;
        if (!number(name, &v)) return false;
        *out = static_cast<int>(v);
        return true;
    }
    // A number that may follow a switch; left alone when the next argument is not one.
    bool optional_int(int* out) {
        if (done() || !looks_like_number(args_[at_])) return false;
        long v = 0;
        read_number(next(), &v);
        *out = static_cast<int>(v);
        return true;
    }

  private:
    const std::vector<std::string>& args_;
    std::string* error_;
    size_t at_ = 0;
};

}  // namespace

bool parse_options(const std::vector<std::string>& args, Options* options, std::string* error) {
    *options = Options{};
    options->title = kTitle;
    options->user_data = kUserData;
    options->hang_seconds = kDefaultHangSeconds;
    ArgReader in(args, error);
    while (!in.done()) {
        const std::string& arg = in.next();
        bool ok = true;
        if (is_switch(arg, "log")) {
            ok = in.value(arg, &options->log_path);
        } else if (is_switch(arg, "title")) {
            ok = in.value(arg, &options->title);
        } else if (is_switch(arg, "pos")) {
            ok = in.int_number(arg, &options->left) && in.int_number(arg, &options->top);
            options->has_position = true;
        } else if (is_switch(arg, "size")) {
            ok = in.int_number(arg, &options->width) && in.int_number(arg, &options->height);
            options->has_size = true;
        } else if (is_switch(arg, "userdata")) {
            ok = in.number(arg, &options->user_data);
        } else if (is_switch(arg, "hang")) {
            options->hang_at_start = true;
            in.optional_int(&options->hang_seconds);
        } else if (is_switch(arg, "hangtime")) {
            ok = in.int_number(arg, &options->hang_seconds);
        } else if (is_switch(arg, "noclose")) {
            options->refused_closes = -1;
            in.optional_int(&options->refused_closes);
        } else if (is_switch(arg, "exitcode")) {
            ok = in.int_number(arg, &options->exit_code);
        } else {
            *error = "unknown argument '" + arg + "'";
            return false;
        }
        if (!ok) return false;
    }
    return true;
}

}  // namespace zorbel::testbed
