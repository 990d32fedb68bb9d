#include "session/recovery_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <csignal>

namespace traxilo {

namespace {

const QString kMarkerPrefix = QStringLiteral("running-");

// A process that has ended but not yet been reaped (a zombie) is gone too.
bool processAlive(qint64 pid) {
    if (pid <= 0 || (::kill(pid_t(pid), 0) != 0 && errno != EPERM))
        return false;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    const qsizetype end = line.lastIndexOf(')'); // the name may hold blanks
    const char state = end >= 0 && end + 2 < line.size() ? line[end + 2] : 'R';
    return state != 'Z' && state != 'X';
}

// A clip name fit for a file name, whatever the clip was called.
QString safeName(const QString& clipPath) {
    QString name = QFileInfo(clipPath).completeBaseName();
    for (QChar& c : name) {
        if (!c.isLetterOrNumber() && c != u'-' && c != u'_')
            c = u'_';
    }
    return name.left(60);
}

} // namespace

RecoveryStore::RecoveryStore(QString folder) : m_folder(std::move(folder)) {}

QString RecoveryStore::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/recovery");
}

QString RecoveryStore::save(const SessionData& session, const QDate& day) {
    if (!QDir().mkpath(m_folder))
        return QStringLiteral("le dossier %1 ne peut pas être créé").arg(m_folder);
    const QString path = m_folder + QLatin1Char('/') + safeName(session.clipPath) +
                         QLatin1Char('_') + day.toString(QStringLiteral("yyyy-MM-dd")) +
                         QStringLiteral(".trx");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(writeSession(session, path)) < 0 ||
        !file.commit()) {
        return file.errorString();
    }
    noteLastWritten(path);
    const QList<Entry> all = entries();
    for (qsizetype i = kKept; i < all.size(); ++i)
        QFile::remove(all[i].path);
    return {};
}

std::optional<RecoveryStore::Entry> RecoveryStore::describe(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const SessionReadResult read = readSession(file.readAll());
    if (!read.session)
        return std::nullopt;
    Entry entry;
    entry.path = path;
    entry.clipName = QFileInfo(read.session->clipPath).fileName();
    entry.written = QFileInfo(path).lastModified();
    entry.points = read.session->pointCount();
    return entry;
}

QList<RecoveryStore::Entry> RecoveryStore::entries() const {
    QList<Entry> list;
    const QFileInfoList files =
        QDir(m_folder).entryInfoList({QStringLiteral("*.trx")}, QDir::Files, QDir::Time);
    for (const QFileInfo& info : files) {
        if (std::optional<Entry> entry = describe(info.absoluteFilePath()))
            list.append(*entry);
    }
    return list;
}

QString RecoveryStore::markerPath(qint64 pid) const {
    return m_folder + QLatin1Char('/') + kMarkerPrefix + QString::number(pid);
}

bool RecoveryStore::markRunning() {
    if (!QDir().mkpath(m_folder))
        return false;
    QFile marker(markerPath(QCoreApplication::applicationPid()));
    m_running = marker.open(QIODevice::WriteOnly | QIODevice::Truncate);
    return m_running;
}

void RecoveryStore::noteLastWritten(const QString& path) {
    m_lastWritten = path;
    if (!m_running)
        return;
    // The marker names the copy to offer should this run never end normally.
    QSaveFile marker(markerPath(QCoreApplication::applicationPid()));
    if (marker.open(QIODevice::WriteOnly)) {
        marker.write(path.toUtf8());
        marker.commit();
    }
}

void RecoveryStore::markEnded() {
    QFile::remove(markerPath(QCoreApplication::applicationPid()));
    m_running = false;
}

std::optional<RecoveryStore::Entry> RecoveryStore::takeAbnormalEnd() {
    std::optional<Entry> found;
    const QFileInfoList markers = QDir(m_folder).entryInfoList(
        {kMarkerPrefix + QLatin1Char('*')}, QDir::Files, QDir::Time | QDir::Reversed);
    for (const QFileInfo& info : markers) {
        bool ok = false;
        const qint64 pid = info.fileName().mid(kMarkerPrefix.size()).toLongLong(&ok);
        if (!ok || pid == QCoreApplication::applicationPid() || processAlive(pid))
            continue;
        QFile marker(info.absoluteFilePath());
        QString written;
        if (marker.open(QIODevice::ReadOnly))
            written = QString::fromUtf8(marker.readAll());
        marker.close();
        QFile::remove(info.absoluteFilePath());
        if (written.isEmpty())
            continue;
        if (std::optional<Entry> entry = describe(written); entry && entry->points > 0)
            found = entry; // the latest abnormal end wins
    }
    return found;
}

} // namespace traxilo
