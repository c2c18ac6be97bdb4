#include "tests/support/fake_monitor.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "foundation/files/windows_paths.h"
#include "foundation/text/text_utils.h"
#include "tests/support/fake_monitor/detail/monitor_files.h"

namespace fs = std::filesystem;

namespace testsupport {

namespace {

constexpr const char *kSmallPdf = "%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n"
                                  "2 0 obj<</Type/Pages/Kids[3 0 R]/Count 1>>endobj\n"
                                  "3 0 obj<</Type/Page/Parent 2 0 R/MediaBox[0 0 200 200]>>endobj\n"
                                  "trailer<</Root 1 0 R>>\n%%EOF\n";

bool isWindowsPath(const std::string &folder)
{
    return driveLetterOf(folder) != '\0';
}

// The local path of a sub-folder of an exchange folder: the client appends the
// sub-folder text to the folder text, so a stored Windows path is mapped whole.
fs::path subFolder(const std::string &stored, const std::string &name)
{
    if (!isWindowsPath(stored))
        return fs::path(stored) / name;
    std::string folder = stored;
    if (folder.back() != '\\')
        folder += '\\';
    return fs::path(localPath(folder + name));
}

std::string readBytes(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const fs::path &file, const std::string &bytes, std::ios::openmode mode)
{
    std::ofstream out(file, std::ios::binary | mode);
    out << bytes;
    out.close();
    if (!out)
        throw FakeMonitorError("falha gravando " + file.string());
}

// Writes under a temporary name in the same folder, then renames, so the
// answer appears complete under its final name.
void writeThenRename(const fs::path &target, const std::string &bytes)
{
    const fs::path temporary = target.parent_path() / ("~" + target.filename().string() + ".part");
    writeBytes(temporary, bytes, std::ios::trunc);
    fs::rename(temporary, target);
}

std::string *findLine(monitor::AnswerLines &lines, const std::string &key)
{
    for (auto &line : lines)
        if (line.first == key)
            return &line.second;
    return nullptr;
}

// The value of a key line, added at the end when the answer has none.
std::string &lineOf(monitor::AnswerLines &lines, const std::string &key)
{
    if (std::string *value = findLine(lines, key))
        return *value;
    return lines.emplace_back(key, std::string{}).second;
}

std::string otherCnpjName(const std::string &answerName)
{
    const auto hash = answerName.find('#');
    const auto dot = answerName.rfind('.');
    if (hash == std::string::npos || dot == std::string::npos || dot < hash)
        return {};
    const std::string own = answerName.substr(hash + 1, dot - hash - 1);
    const std::string other = own == "99999999000191" ? "11111111000191" : "99999999000191";
    return answerName.substr(0, hash + 1) + other + answerName.substr(dot);
}

} // namespace

std::optional<std::string> MonitorRequest::value(const std::string &key, const std::string &section) const
{
    for (const auto &line : lines)
        if (monitor::lowerAscii(line.key) == monitor::lowerAscii(key) &&
            (section.empty() || monitor::lowerAscii(line.section) == monitor::lowerAscii(section)))
            return line.value;
    return std::nullopt;
}

FakeMonitor::FakeMonitor(Options options) : options_(std::move(options))
{
    for (const auto &stored : options_.folders)
        watch(stored);
}

bool FakeMonitor::watch(const std::string &stored)
{
    if (std::find(stored_.begin(), stored_.end(), stored) != stored_.end())
        return false;
    const fs::path base = isWindowsPath(stored) ? fs::path(localPath(stored)) : fs::path(stored);
    std::error_code error;
    if (stored.empty() || !fs::is_directory(base, error))
        throw FakeMonitorError("pasta de comunicacao inexistente: " + stored);
    for (const auto &name : {"-fil", "-resp"})
        fs::create_directories(subFolder(stored, name), error);
    fs::create_directories(subFolder(stored, "-fil") / "done", error);
    if (error)
        throw FakeMonitorError("nao foi possivel criar as subpastas de " + stored + ": " + error.message());
    folders_.push_back(base);
    stored_.push_back(stored);
    return true;
}

bool FakeMonitor::unwatch(const std::string &stored)
{
    const auto found = std::find(stored_.begin(), stored_.end(), stored);
    if (found == stored_.end())
        return false;
    folders_.erase(folders_.begin() + (found - stored_.begin()));
    stored_.erase(found);
    return true;
}

std::vector<MonitorReply> FakeMonitor::processPending()
{
    std::vector<MonitorReply> replies;
    const auto now = std::chrono::steady_clock::now();
    for (auto it = pending_.begin(); it != pending_.end();) {
        if (it->callsLeft > 0)
            --it->callsLeft;
        if (it->callsLeft > 0 || it->due > now) {
            ++it;
            continue;
        }
        Pending due = std::move(*it);
        it = pending_.erase(it);
        if (deliver(due))
            replies.push_back(due.reply);
        if (!due.bytes.empty()) {
            // The rest of a partial answer comes on the next call.
            due.callsLeft = 1;
            it = std::next(pending_.insert(it, std::move(due)));
        }
    }
    for (size_t i = 0; i < folders_.size(); ++i) {
        std::vector<std::pair<fs::path, bool>> found;
        std::error_code error;
        for (const auto &entry : fs::directory_iterator(subFolder(stored_[i], "-fil"), error))
            if (entry.is_regular_file() && !monitor::requestKind(entry.path().filename().string()).empty())
                found.emplace_back(entry.path(), false);
        for (const auto &entry : fs::directory_iterator(folders_[i], error))
            if (entry.is_regular_file() && monitor::isExportName(entry.path().filename().string()))
                found.emplace_back(entry.path(), true);
        std::sort(found.begin(), found.end());
        for (const auto &[file, exportFile] : found)
            handle(fs::path(stored_[i]), file, exportFile, replies);
    }
    return replies;
}

bool FakeMonitor::deliver(Pending &pending)
{
    if (pending.appendOnly) {
        writeBytes(pending.target, pending.bytes, std::ios::app);
        pending.bytes.clear();
        return false;
    }
    if (pending.partial) { // the first half under the final name, the rest on a later call
        const std::string first = pending.bytes.substr(0, pending.bytes.size() / 2);
        writeBytes(pending.target, first, std::ios::trunc);
        pending.bytes.erase(0, first.size());
        pending.appendOnly = true;
        pending.partial = false;
        return true;
    }
    writeThenRename(pending.target, pending.bytes);
    pending.bytes.clear();
    return true;
}

void FakeMonitor::handle(const fs::path &folder, const fs::path &file, bool exportFile,
                         std::vector<MonitorReply> &replies)
{
    MonitorRequest request;
    request.folder = folder;
    request.name = file.filename().string();
    request.kind = exportFile ? "export" : monitor::requestKind(request.name);
    const std::string raw = readBytes(file);
    request.text = AnsiParaUTF8(raw);
    monitor::readRequestLines(request);
    if (exportFile)
        request.verdict = monitor::exportVerdict(raw);

    std::error_code error;
    const fs::path done = file.parent_path() / "done";
    fs::create_directories(done, error);
    fs::rename(file, done / file.filename(), error);
    if (error)
        fs::remove(file, error);

    const std::string stored = folder.string();
    const fs::path answerFolder = subFolder(stored, "-resp");
    std::string pdfPath;
    if (options_.pdf && request.kind == "danfe") {
        const std::string pdfName = file.stem().string() + ".pdf";
        const fs::path local = isWindowsPath(stored) ? fs::path(localPath(stored)) : fs::path(stored);
        writeBytes(local / pdfName, kSmallPdf, std::ios::trunc);
        pdfPath = isWindowsPath(stored) ? stored + (stored.back() == '\\' ? "" : "\\") + pdfName
                                        : (local / pdfName).string();
    }
    monitor::AnswerContext context{nextNumber_, cancelledKeys_, pdfPath};
    monitor::AnswerLines lines;
    const std::string fault = options_.check && !exportFile ? monitor::firstFault(raw) : std::string{};
    try {
        if (!fault.empty() && request.kind != "contingencia")
            lines = {{"RESULTADO", "999"}, {"MENSAGEM", "Rejeicao: " + fault}};
        else
            lines = monitor::defaultAnswer(request, context);
    } catch (const FakeMonitorError &fault) {
        lines = {{"RESULTADO", "999"}, {"MENSAGEM", std::string("Rejeicao: ") + fault.what()}};
    }
    requests_.push_back(request);
    if (lines.empty()) {
        replies.push_back({request.name, {}, {}, request.verdict});
        return;
    }

    Pending pending{answerFolder / ("resp-" + request.name), {}, false, false, 0, {}, {}};
    bool never = false, partial = false, finalBreak = true, utf8 = false, stray = false;
    for (const auto &rule : options_.script) {
        if (!monitor::matchesPattern(rule.pattern, request.name))
            continue;
        switch (rule.action) {
        case MonitorAction::Accept:
            break;
        case MonitorAction::Reject:
            lineOf(lines, "RESULTADO") = rule.args[0];
            lineOf(lines, "MENSAGEM") =
                rule.args.size() > 1 ? rule.args[1] : "Rejeicao: Rejeitado pelo monitor de teste";
            break;
        case MonitorAction::Deny:
            lineOf(lines, "RESULTADO") = rule.args.empty() ? "110" : rule.args[0];
            lineOf(lines, "MENSAGEM") = "Uso Denegado: Irregularidade fiscal do emitente";
            break;
        case MonitorAction::Delay:
            if (rule.args[0].back() == 's')
                pending.due =
                    std::chrono::steady_clock::now() +
                    std::chrono::seconds(std::stoi(rule.args[0].substr(0, rule.args[0].size() - 1)));
            else
                pending.callsLeft = std::stoi(rule.args[0]);
            break;
        case MonitorAction::Never:
            never = true;
            break;
        case MonitorAction::Partial:
            partial = true;
            break;
        case MonitorAction::NoFinalBreak:
            finalBreak = false;
            break;
        case MonitorAction::NotNumber:
            lineOf(lines, "RESULTADO") = "ERRO";
            break;
        case MonitorAction::NoResultado:
            lines.erase(lines.begin());
            break;
        case MonitorAction::MensagemFirst: {
            const auto mensagem = std::find_if(lines.begin(), lines.end(),
                                               [](const auto &line) { return line.first == "MENSAGEM"; });
            if (mensagem != lines.end())
                std::rotate(lines.begin(), mensagem, mensagem + 1);
            break;
        }
        case MonitorAction::EqualsInMensagem:
            lineOf(lines, "MENSAGEM") += "=texto depois do sinal";
            break;
        case MonitorAction::AlternateName:
            pending.target =
                answerFolder / monitor::alternateAnswerName(request.kind, "resp-" + request.name);
            break;
        case MonitorAction::Utf8:
            utf8 = true;
            lineOf(lines, "MENSAGEM") += " (situação válida, emissão concluída)";
            break;
        case MonitorAction::StrayOtherCnpj:
            stray = true;
            break;
        }
    }
    const std::string *resultado = findLine(lines, "RESULTADO");
    if (request.kind == "cancel" && resultado && *resultado == "101")
        cancelledKeys_.push_back(request.value("ChaveNFE").value_or(""));
    if (never) {
        replies.push_back({request.name, {}, {}, {}});
        return;
    }
    pending.bytes = monitor::answerBytes(lines, utf8, finalBreak);
    pending.reply = {
        request.name, pending.target.filename().string(), resultado ? *resultado : std::string{}, {}};
    if (stray) {
        const std::string strayName = otherCnpjName("resp-nota" + request.name.substr(request.kind.size()));
        if (!strayName.empty())
            writeThenRename(answerFolder / strayName, pending.bytes);
    }
    pending.partial = partial;
    if (pending.callsLeft > 0 || pending.due > std::chrono::steady_clock::now()) {
        pending_.push_back(std::move(pending));
        return;
    }
    if (deliver(pending))
        replies.push_back(pending.reply);
    if (!pending.bytes.empty()) {
        pending.callsLeft = 1;
        pending_.push_back(std::move(pending));
    }
}

} // namespace testsupport
