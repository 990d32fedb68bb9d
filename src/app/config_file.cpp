#include "app/config_file.h"

#include "app/config_line_reader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace traxilo {

const ConfigLinesArray DefaultConfigLines = {
    QStringLiteral("[version]"), QStringLiteral("2"), QStringLiteral("[clips]"),
    QStringLiteral("0"),         QString(),           QStringLiteral("[regressi]"),
    QStringLiteral("?"),         QStringLiteral("?"),
};

namespace {

const QString kVersionLabel = QStringLiteral("[version]");

// A line break inside a value would shift every later line of the file.
QByteArray encodeLine(const QString& line) {
    QString text = line;
    text.remove(u'\r');
    text.remove(u'\n');
    return text.toUtf8() + "\r\n";
}

} // namespace

ConfigFile::ConfigFile(QString folder, QString defaultClipsFolder)
    : m_folder(folder.isEmpty() ? QDir::currentPath() : std::move(folder)),
      m_defaultClipsFolder(defaultClipsFolder.isEmpty() ? m_folder
                                                        : std::move(defaultClipsFolder)) {}

QString ConfigFile::path() const {
    if (m_folder.endsWith(u'/'))
        return m_folder + QStringLiteral("txconfig.txt");
    return m_folder + QStringLiteral("/txconfig.txt");
}

bool ConfigFile::exists() const {
    return QFileInfo(path()).isFile();
}

void ConfigFile::loadAtStartup() {
    m_lastReadFailed = false;
    if (!exists()) {
        ConfigLines = DefaultConfigLines;
        ConfigLines[4] = m_defaultClipsFolder;
        save();
        return;
    }

    QFile file(path());
    ConfigLineReader reader(file);
    const QString first = reader.readLine();
    if (first == kVersionLabel) {
        ConfigLines[0] = first;
        for (size_t i = 1; i < ConfigLines.size(); ++i)
            ConfigLines[i] = reader.readLine();
    } else {
        // The earlier two-line layout: the executable path, then the version.
        const QString version = reader.readLine();
        ConfigLines = DefaultConfigLines;
        ConfigLines[4] = m_defaultClipsFolder;
        ConfigLines[6] = version;
        ConfigLines[7] = first;
    }
    m_lastReadFailed = reader.failed();
    // Rewriting after a failed read would replace content that was never read.
    if (!m_lastReadFailed)
        save();
}

bool ConfigFile::save() const {
    QSaveFile file(path());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString& line : ConfigLines) {
        const QByteArray bytes = encodeLine(line);
        if (file.write(bytes) != bytes.size()) {
            file.cancelWriting();
            break;
        }
    }
    return file.commit();
}

bool ConfigFile::reread() {
    if (!exists())
        return false;
    for (QString& line : ConfigLines)
        line.clear();
    QFile file(path());
    ConfigLineReader reader(file);
    for (QString& line : ConfigLines) {
        line = reader.readLine();
        if (reader.failed())
            break;
    }
    return !reader.failed();
}

ConfigFile::RegressiEntry ConfigFile::readRegressiDirect() const {
    RegressiEntry entry;
    QFile file(path());
    ConfigLineReader reader(file);
    for (int i = 0; i < 6; ++i)
        reader.readLine();
    entry.version = reader.readLine();
    entry.path = reader.readLine();
    entry.ok = !reader.failed();
    if (!entry.ok) {
        entry.version.clear();
        entry.path.clear();
    }
    return entry;
}

} // namespace traxilo
