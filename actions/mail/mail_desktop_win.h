// The machine's mail desktop; `library` names the Simple MAPI library to load
// ("MAPI32.DLL"; tests pass a stub of their own).
#pragma once
#include <string>

#include "actions/mail/mail_desktop.h"

namespace zorbel {

class WinMailDesktop : public MailDesktop {
public:
    explicit WinMailDesktop(std::string library = "MAPI32.DLL") : library_(std::move(library)) {}
    std::unique_ptr<MailConnection> connect(const ServerAddress& server, std::string* error) override;
    std::string mail_date() override;
    bool send_mapi(const MapiMessage& message, std::string* error) override;
    bool open_link(const std::string& link) override;

private:
    std::string library_;
};

}  // namespace zorbel
