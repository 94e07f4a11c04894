// The FTP actions: one session per step, closed when the step ends whatever happens.
#include "actions/internet/internet_steps.h"
#include "actions/internet/stored_password.h"
#include "core/text_rules.h"
#include "engine/variables.h"

namespace zorbel {

namespace {

constexpr size_t kLoggedDownload = 960;

int ftp_download(RunContext& context, Step& step, FtpSession& session, const std::string& path) {
    std::string error;
    std::unique_ptr<Transfer> file = session.open_file(path, false, &error);
    if (!file) return context.fail("%s", error.c_str());
    Received received;
    const bool ok = receive_bounded(*file, kFtpChunk, kFtpDownloadLimit, &received, &error);
    file->close(&error);
    if (!ok) return context.fail("%s", error.c_str());
    if (received.truncated) context.log("\tTruncated at %d bytes\r\n", static_cast<int>(received.bytes.size()));
    save_result(context.services, step.options, field_text(step.variable), received.bytes, step.value[6]);
    context.log("\t%s\r\n", received.bytes.substr(0, kLoggedDownload).c_str());
    return received.bytes.empty() ? kStepFailed : kStepSucceeded;
}

int ftp_upload(RunContext& context, Step& step, FtpSession& session, const std::string& path) {
    const std::string local = context.text_of(step.value[6]);
    std::string error;
    std::unique_ptr<Transfer> source = network_of(context)->open_local_file(local, &error);
    if (!source) return context.fail("%s", error.c_str());
    std::unique_ptr<Transfer> target = session.open_file(path, true, &error);
    if (!target) return context.fail("%s", error.c_str());
    const int64_t sent = send_all(*source, *target, kFtpChunk, &error);
    if (sent < 0) return context.fail("%s", error.c_str());
    if (sent == 0) return context.fail("The local file \"%s\" is empty: nothing was sent", local.c_str());
    context.log("\t%ld bytes sent\r\n", static_cast<long>(sent));
    return kStepSucceeded;
}

}  // namespace

int ftp_step(RunContext& context, Step& step) {
    FtpTarget target;
    std::string error;
    if (!parse_ftp_target(context.text_of(step.text), &target, &error)) return context.fail("%s", error.c_str());
    const std::string user = context.text_of(step.value[2]);
    const std::string password = context.expand(rotate_password_back(field_text(step.value[1])));
    const char* name = step.action;
    enum { kNone, kDownload, kUpload, kDeleteFile, kCreateFolder, kDeleteFolder } operation = kNone;
    if (contains_ignore_case(name, "Download")) operation = kDownload;
    else if (contains_ignore_case(name, "Upload")) operation = kUpload;
    else if (contains_ignore_case(name, "Delete File")) operation = kDeleteFile;
    else if (contains_ignore_case(name, "Create Folder")) operation = kCreateFolder;
    else if (contains_ignore_case(name, "Delete Folder")) operation = kDeleteFolder;
    if (operation == kNone) return kStepFailed;

    std::unique_ptr<FtpSession> session = network_of(context)->ftp_connect(target.server, user, password, &error);
    if (!session) return context.fail("%s", error.c_str());
    bool done = false;
    switch (operation) {
        case kDownload: return ftp_download(context, step, *session, target.path);
        case kUpload: return ftp_upload(context, step, *session, target.path);
        case kDeleteFile: done = session->delete_file(target.path, &error); break;
        case kCreateFolder: done = session->create_folder(target.path, &error); break;
        case kDeleteFolder: done = session->remove_folder(target.path, &error); break;
        case kNone: break;
    }
    return done ? kStepSucceeded : context.fail("%s", error.c_str());
}

}  // namespace zorbel
