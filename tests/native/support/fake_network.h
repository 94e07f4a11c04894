// Fakes of the network, mail and database desktops for native tests: scripted pages,
// FTP files, mail servers and ODBC results, each writing its calls into the fake
// desktop's call log ("close ..." lines show that every handle was let go).
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "actions/database/database_desktop.h"
#include "actions/internet/network_desktop.h"
#include "actions/mail/mail_desktop.h"

namespace zorbel {

// A stream over `content`; `endless` repeats it for ever; a read at `fail_at` fails.
struct FakeStreamSpec {
    std::string content;
    bool endless = false;
    size_t fail_at = std::string::npos;
    size_t write_fail_at = std::string::npos;
    bool close_fails = false;
};

class FakeStream : public Transfer {
public:
    FakeStream(std::vector<std::string>& calls, std::string name, FakeStreamSpec spec, std::string* written,
               size_t* read_total)
        : calls_(calls), name_(std::move(name)), spec_(std::move(spec)), written_(written), read_total_(read_total) {}
    ~FakeStream() override { calls_.push_back("close " + name_); }
    bool read(char* buffer, size_t size, size_t* got, std::string* error) override {
        *got = 0;
        if (position_ >= spec_.fail_at) {
            *error = "read failed";
            return false;
        }
        while (*got < size && (spec_.endless || position_ < spec_.content.size()) && position_ < spec_.fail_at &&
               !spec_.content.empty()) {
            buffer[(*got)++] = spec_.content[position_ % spec_.content.size()];
            ++position_;
        }
        if (read_total_) *read_total_ += *got;
        return true;
    }
    bool write(const char* data, size_t size, std::string* error) override {
        if (written_ == nullptr || written_->size() + size > spec_.write_fail_at) {
            *error = "write failed";
            return false;
        }
        written_->append(data, size);
        return true;
    }
    bool close(std::string* error) override {
        if (spec_.close_fails) *error = "close failed";
        return !spec_.close_fails;
    }

private:
    std::vector<std::string>& calls_;
    std::string name_;
    FakeStreamSpec spec_;
    std::string* written_;
    size_t* read_total_;
    size_t position_ = 0;
};

class FakeNetworkDesktop : public NetworkDesktop {
public:
    explicit FakeNetworkDesktop(std::vector<std::string>& calls) : calls_(calls) {}
    bool online = true;
    bool start_works = true;
    std::string launcher;
    std::map<std::string, FakeStreamSpec> pages;       // by URL
    std::map<std::string, FakeStreamSpec> ftp_files;   // by remote path
    std::map<std::string, std::string> uploaded;       // by remote path
    FakeStreamSpec upload_target;                      // how uploads behave
    std::map<std::string, FakeStreamSpec> local_files;
    bool ftp_operation_works = true;
    size_t read_total = 0;
    uint32_t ping_ms = 0;
    std::string ping_output;

    bool connected() override { return online; }
    bool start_program(const std::string& command, bool visible) override {
        calls_.push_back(std::string(visible ? "start " : "start hidden ") + command);
        return start_works;
    }
    std::string web_page_launcher() override { return launcher; }
    std::unique_ptr<Transfer> open_url(const std::string& url, std::string* error) override {
        calls_.push_back("open url " + url);
        auto it = pages.find(url);
        if (it == pages.end()) {
            *error = "InternetOpenUrl 12029: " + url + "\r\n";
            return nullptr;
        }
        return std::make_unique<FakeStream>(calls_, "url", it->second, nullptr, &read_total);
    }
    std::unique_ptr<FtpSession> ftp_connect(const ServerAddress& server, const std::string& user,
                                            const std::string& password, std::string* error) override;
    std::unique_ptr<Transfer> open_local_file(const std::string& path, std::string* error) override {
        auto it = local_files.find(path);
        if (it == local_files.end()) {
            *error = "Create File 2\r\n";
            return nullptr;
        }
        return std::make_unique<FakeStream>(calls_, "local file", it->second, nullptr, nullptr);
    }
    uint32_t ping(const std::string& host, uint32_t timeout_ms, std::string* error) override {
        calls_.push_back("ping " + host + " " + std::to_string(timeout_ms));
        if (ping_ms == 0) *error = "recvfrom failed: 10060\r\n";
        return ping_ms;
    }
    bool run_hidden(const std::string& command, uint32_t wait_ms, std::string* output) override {
        calls_.push_back("run hidden " + command + " " + std::to_string(wait_ms));
        *output = ping_output;
        return true;
    }

    std::vector<std::string>& calls_;
};

class FakeFtpSession : public FtpSession {
public:
    explicit FakeFtpSession(FakeNetworkDesktop& network) : network_(network) {}
    ~FakeFtpSession() override { network_.calls_.push_back("close ftp"); }
    std::unique_ptr<Transfer> open_file(const std::string& path, bool for_writing, std::string* error) override {
        network_.calls_.push_back(std::string(for_writing ? "ftp put " : "ftp get ") + path);
        if (for_writing)
            return std::make_unique<FakeStream>(network_.calls_, "ftp file", network_.upload_target,
                                                &network_.uploaded[path], nullptr);
        auto it = network_.ftp_files.find(path);
        if (it == network_.ftp_files.end()) {
            *error = "FTP Open File 12003\r\n";
            return nullptr;
        }
        return std::make_unique<FakeStream>(network_.calls_, "ftp file", it->second, nullptr, &network_.read_total);
    }
    bool operation(const char* name, const std::string& path, std::string* error) {
        network_.calls_.push_back(std::string(name) + " " + path);
        if (!network_.ftp_operation_works) *error = std::string(name) + " 12003\r\n";
        return network_.ftp_operation_works;
    }
    bool delete_file(const std::string& path, std::string* error) override { return operation("ftp delete", path, error); }
    bool create_folder(const std::string& path, std::string* error) override { return operation("ftp mkdir", path, error); }
    bool remove_folder(const std::string& path, std::string* error) override { return operation("ftp rmdir", path, error); }

private:
    FakeNetworkDesktop& network_;
};

inline std::unique_ptr<FtpSession> FakeNetworkDesktop::ftp_connect(const ServerAddress& server,
                                                                   const std::string& user,
                                                                   const std::string& password, std::string*) {
    calls_.push_back("ftp connect " + server.host + ":" + std::to_string(server.port) + " " + user + " " + password);
    return std::make_unique<FakeFtpSession>(*this);
}

// A scripted mail server: `answer` gives the bytes the server sends back for each
// chunk the client sends; silence (no bytes pending) reads as a time-out.
class FakeMailConnection : public MailConnection {
public:
    FakeMailConnection(std::vector<std::string>& calls, std::string* sent,
                       std::function<std::string(const std::string&)> answer, std::string greeting)
        : calls_(calls), sent_(sent), answer_(std::move(answer)), inbound_(std::move(greeting)) {}
    ~FakeMailConnection() override { calls_.push_back("close socket"); }
    bool send(const std::string& data, std::string* error) override {
        if (closed_) {
            *error = "Socket send error: 10054\r\n";
            return false;
        }
        *sent_ += data;
        inbound_ += answer_(data);
        return true;
    }
    ReceiveResult receive(char* buffer, size_t size, uint32_t timeout_ms, size_t* got) override {
        calls_.push_back("receive " + std::to_string(timeout_ms));
        if (inbound_.empty()) return ReceiveResult::kTimedOut;
        *got = inbound_.size() < size ? inbound_.size() : size;
        inbound_.copy(buffer, *got);
        inbound_.erase(0, *got);
        return ReceiveResult::kData;
    }

private:
    std::vector<std::string>& calls_;
    std::string* sent_;
    std::function<std::string(const std::string&)> answer_;
    std::string inbound_;
    bool closed_ = false;
};

class FakeMailDesktop : public MailDesktop {
public:
    explicit FakeMailDesktop(std::vector<std::string>& calls) : calls_(calls) {}
    std::string greeting = "220 fake ESMTP\r\n";
    std::function<std::string(const std::string&)> answer = [](const std::string&) { return std::string(); };
    std::string sent;  // everything the client sent
    MapiMessage mapi;
    bool mapi_works = true;
    bool link_works = true;

    std::unique_ptr<MailConnection> connect(const ServerAddress& server, std::string*) override {
        calls_.push_back("connect " + server.host + ":" + std::to_string(server.port));
        return std::make_unique<FakeMailConnection>(calls_, &sent, answer, greeting);
    }
    std::string mail_date() override { return "Mon 07 Dec 2026 14:10:43 PM"; }
    bool send_mapi(const MapiMessage& message, std::string* error) override {
        mapi = message;
        if (!mapi_works) *error = "no provider";
        return mapi_works;
    }
    bool open_link(const std::string& link) override {
        calls_.push_back("open link " + link);
        return link_works;
    }

private:
    std::vector<std::string>& calls_;
};

// One scripted result set: columns and rows of (text, indicator) cells.
struct FakeCell {
    std::string text;
    int64_t indicator;  // as the driver reports it
};

struct FakeResult {
    int execute_rc = kSqlSuccess;
    std::string message;
    std::vector<OdbcColumn> columns;
    std::vector<std::vector<FakeCell>> rows;
    int fetch_rc = kSqlSuccess;  // what a fetch of a row returns
};

class FakeOdbcStatement : public OdbcStatement {
public:
    FakeOdbcStatement(std::vector<std::string>& calls, std::map<std::string, FakeResult>& results)
        : calls_(calls), results_(results) {}
    ~FakeOdbcStatement() override { calls_.push_back("free statement"); }
    int execute(const std::string& sql) override {
        calls_.push_back("execute " + sql);
        auto it = results_.find(sql);
        if (it == results_.end()) {
            message_ = "[unixODBC][SQLite]no such table: x (1)";
            return kSqlError;
        }
        result_ = &it->second;
        message_ = result_->message;
        return result_->execute_rc;
    }
    int column_count(int* count) override {
        *count = static_cast<int>(result_->columns.size());
        return kSqlSuccess;
    }
    int describe(int column, OdbcColumn* out) override {
        *out = result_->columns[static_cast<size_t>(column - 1)];
        return kSqlSuccess;
    }
    int fetch() override {
        if (row_ >= result_->rows.size()) return kSqlNoData;
        ++row_;
        return result_->fetch_rc;
    }
    int text(int column, char* buffer, size_t size, int64_t* indicator) override {
        const FakeCell& cell = result_->rows[row_ - 1][static_cast<size_t>(column - 1)];
        const size_t n = cell.text.size() < size - 1 ? cell.text.size() : size - 1;
        cell.text.copy(buffer, n);
        buffer[n] = '\0';
        *indicator = cell.indicator;
        return cell.text.size() > n ? kSqlSuccessWithInfo : kSqlSuccess;
    }
    int number(int column, double* value, int64_t* indicator) override {
        const FakeCell& cell = result_->rows[row_ - 1][static_cast<size_t>(column - 1)];
        *value = std::stod(cell.text.empty() ? std::string("0") : cell.text);
        *indicator = cell.indicator;
        return kSqlSuccess;
    }
    std::string message() override { return message_; }

private:
    std::vector<std::string>& calls_;
    std::map<std::string, FakeResult>& results_;
    FakeResult* result_ = nullptr;
    size_t row_ = 0;
    std::string message_;
};

class FakeOdbcConnection : public OdbcConnection {
public:
    FakeOdbcConnection(std::vector<std::string>& calls, std::map<std::string, FakeResult>& results, std::string driver)
        : calls_(calls), results_(results), driver_(std::move(driver)) {}
    ~FakeOdbcConnection() override { calls_.push_back("disconnect"); }
    std::string driver_name() override { return driver_; }
    std::unique_ptr<OdbcStatement> statement() override {
        return std::make_unique<FakeOdbcStatement>(calls_, results_);
    }

private:
    std::vector<std::string>& calls_;
    std::map<std::string, FakeResult>& results_;
    std::string driver_;
};

class FakeDatabaseDesktop : public DatabaseDesktop {
public:
    explicit FakeDatabaseDesktop(std::vector<std::string>& calls) : calls_(calls) {}
    std::map<std::string, FakeResult> results;  // by SQL text
    std::string driver = "sqlite3odbc.so";
    std::vector<std::string> sources = {"zorbel"};

    std::unique_ptr<OdbcConnection> connect(const std::string& source, const std::string& user,
                                            const std::string& password, int* code, std::string* message) override {
        calls_.push_back("connect " + source + " " + user + " " + password);
        for (const std::string& s : sources)
            if (s == source) return std::make_unique<FakeOdbcConnection>(calls_, results, driver);
        *code = -4;
        *message = "[unixODBC][Driver Manager]Data source name not found and no default driver specified";
        return nullptr;
    }
    std::vector<std::string> data_sources() override { return sources; }

private:
    std::vector<std::string>& calls_;
};

}  // namespace zorbel
