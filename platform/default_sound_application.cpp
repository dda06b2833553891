#include "platform/default_sound_application.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

#include <fstream>

namespace {

// Resolves the escapes of a desktop entry's string values.
std::string Unescape(const std::string& value)
{
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        switch (value[++i]) {
        case 's': out += ' '; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case '\\': out += '\\'; break;
        default: out += '\\'; out += value[i]; break;
        }
    }
    return out;
}

// One word of an Exec line and whether it stood in quotes.
struct ExecWord {
    std::string text;
    bool quoted = false;
};

std::vector<ExecWord> SplitExec(const std::string& exec)
{
    std::vector<ExecWord> words;
    std::size_t i = 0;
    while (i < exec.size()) {
        if (exec[i] == ' ' || exec[i] == '\t') {
            ++i;
            continue;
        }
        ExecWord word;
        if (exec[i] == '"') {
            word.quoted = true;
            for (++i; i < exec.size() && exec[i] != '"'; ++i) {
                const char next = i + 1 < exec.size() ? exec[i + 1] : '\0';
                if (exec[i] == '\\' && (next == '"' || next == '`' || next == '$' || next == '\\'))
                    ++i;
                word.text += exec[i];
            }
            ++i; // the closing quote
        } else {
            for (; i < exec.size() && exec[i] != ' ' && exec[i] != '\t'; ++i)
                word.text += exec[i];
        }
        words.push_back(word);
    }
    return words;
}

std::string FileUrl(const std::string& file)
{
    const QString absolute = QFileInfo(QString::fromStdString(file)).absoluteFilePath();
    return QUrl::fromLocalFile(absolute).toString(QUrl::FullyEncoded).toStdString();
}

// The default application's desktop file name for `type`, or empty.
std::string QueryDefault(const QString& type)
{
    QProcess query;
    query.start("xdg-mime", {"query", "default", type});
    if (!query.waitForStarted(5000) || !query.waitForFinished(10000))
        return {};
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return {};
    return QString::fromUtf8(query.readAllStandardOutput()).section('\n', 0, 0).trimmed().toStdString();
}

// Where the desktop file `id` lies: "a-b.desktop" may also stand as a/b.desktop.
std::string LocateDesktopFile(const std::string& id)
{
    std::vector<std::string> names{id};
    for (std::size_t dash = id.find('-'); dash != std::string::npos; dash = id.find('-', dash + 1))
        names.push_back(id.substr(0, dash) + "/" + id.substr(dash + 1));
    const QStringList folders = QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
    for (const QString& folder : folders) {
        for (const std::string& name : names) {
            const QString path = folder + "/" + QString::fromStdString(name);
            if (QFileInfo(path).isFile())
                return path.toStdString();
        }
    }
    return {};
}

} // namespace

bool ReadDesktopEntry(const std::string& path, DesktopEntry& entry)
{
    std::ifstream file(path);
    if (!file)
        return false;
    entry = {};
    entry.path = path;
    bool inEntry = false, hasExec = false;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[') {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inEntry || equals == std::string::npos)
            continue;
        std::string key = line.substr(0, equals);
        while (!key.empty() && key.back() == ' ')
            key.pop_back();
        std::size_t start = equals + 1;
        while (start < line.size() && line[start] == ' ')
            ++start;
        const std::string value = Unescape(line.substr(start));
        if (key == "Exec") {
            entry.exec = value;
            hasExec = true;
        } else if (key == "Name") {
            entry.name = value;
        } else if (key == "Icon") {
            entry.icon = value;
        }
    }
    return hasExec && !entry.exec.empty();
}

std::vector<std::string> ExpandDesktopExec(const DesktopEntry& entry, const std::string& file)
{
    std::vector<std::string> arguments;
    bool fileGiven = false;
    for (const ExecWord& word : SplitExec(entry.exec)) {
        if (!word.quoted && word.text == "%i") {
            if (!entry.icon.empty())
                arguments.insert(arguments.end(), {"--icon", entry.icon});
            continue;
        }
        std::string text;
        bool onlyCode = word.text.size() == 2 && word.text[0] == '%';
        for (std::size_t i = 0; i < word.text.size(); ++i) {
            if (word.text[i] != '%' || i + 1 == word.text.size()) {
                text += word.text[i];
                continue;
            }
            switch (word.text[++i]) {
            case '%': text += '%'; onlyCode = false; break;
            case 'f': case 'F': text += file; fileGiven = true; break;
            case 'u': case 'U': text += FileUrl(file); fileGiven = true; break;
            case 'c': text += entry.name; break;
            case 'k': text += entry.path; break;
            default: break; // deprecated and unknown codes stand for nothing
            }
        }
        // A word that was only a code for nothing is no argument at all.
        if (onlyCode && text.empty())
            continue;
        arguments.push_back(text);
    }
    if (!fileGiven && !arguments.empty())
        arguments.push_back(file);
    return arguments;
}

bool FindDefaultSoundApplication(DesktopEntry& entry)
{
    for (const char* type : {"audio/x-wav", "audio/wav"}) {
        const std::string id = QueryDefault(type);
        if (id.empty())
            continue;
        const std::string path = LocateDesktopFile(id);
        if (!path.empty() && ReadDesktopEntry(path, entry))
            return true;
    }
    return false;
}

LaunchResult RunDefaultSoundApplication(const std::string& file)
{
    DesktopEntry entry;
    if (!FindDefaultSoundApplication(entry))
        return LaunchResult::NotFound;
    const std::vector<std::string> command = ExpandDesktopExec(entry, file);
    if (command.empty())
        return LaunchResult::NotFound;
    QStringList arguments;
    for (std::size_t i = 1; i < command.size(); ++i)
        arguments << QString::fromStdString(command[i]);
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QString::fromStdString(command[0]), arguments);
    if (!process.waitForStarted(30000))
        return LaunchResult::NotStarted;
    process.waitForFinished(-1);
    return LaunchResult::Finished;
}
