#include "fuzz_targets.h"

#include "app/config_file.h"
#include "app/config_line_reader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

namespace traxilo::fuzz {

namespace {

// One folder for the whole run, in memory when the system has one.
const QString& folder() {
    static const std::unique_ptr<QTemporaryDir> dir = [] {
        const QString base = QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm")
                                 : QDir::tempPath();
        return std::make_unique<QTemporaryDir>(base + QStringLiteral("/traxilo-fuzz-XXXXXX"));
    }();
    static const QString path = dir->path();
    return path;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray expected(const ConfigLinesArray& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

} // namespace

int configFile(const std::uint8_t* data, std::size_t size) {
    silenceQtMessages();
    const QString clips = QStringLiteral("/clips");
    ConfigFile config(folder(), clips);
    {
        QFile file(config.path());
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the input is written");
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }

    config.loadAtStartup();
    check(!config.lastReadFailed(), "a regular file reads");
    const ConfigLinesArray first = config.ConfigLines;
    check(first[0] == QLatin1String("[version]"), "the file is in the current layout after start");
    for (const QString& line : first)
        check(!line.contains(u'\r') && !line.contains(u'\n'), "no line break inside a line");
    check(fileBytes(config.path()) == expected(first), "the file is rewritten as read");

    // Another start reads what the first one wrote, unless a line grew past
    // the reader's limit when written back as UTF-8 (a Latin-1 line).
    ConfigFile second(folder(), clips);
    second.loadAtStartup();
    bool fits = true;
    for (const QString& line : first)
        fits = fits && line.toUtf8().size() <= ConfigLineReader::kMaxLineBytes;
    if (fits)
        check(second.ConfigLines == first, "a second start reads the same lines");

    // The clips folder dialog and the Regressi launch read the file itself.
    ConfigFile reread(folder(), clips);
    check(reread.reread(), "the rewritten file reads again");
    check(reread.ConfigLines == second.ConfigLines, "re-reading gives the lines of a start");
    const ConfigFile::RegressiEntry regressi = second.readRegressiDirect();
    check(regressi.ok && regressi.version == second.ConfigLines[6] &&
              regressi.path == second.ConfigLines[7],
          "the Regressi lines read directly");
    return 0;
}

} // namespace traxilo::fuzz
