#pragma once

#include "session/session_file.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

namespace traxilo {

// The automatic copies of the measurements: one session file per clip and
// day in a folder of the user's data, the last ten kept, and a marker per
// running program that tells, at the next start, whether it ended normally.
class RecoveryStore {
public:
    explicit RecoveryStore(QString folder);
    // <the user's data location>/recovery
    static QString defaultFolder();
    const QString& folder() const { return m_folder; }

    struct Entry {
        QString path;
        QString clipName;
        QDateTime written;
        int points = 0;
    };

    // Writes the session as the copy of its clip for `day` (replacing the
    // day's earlier copy) and drops the oldest beyond ten. The error text
    // is empty on success.
    QString save(const SessionData& session, const QDate& day = QDate::currentDate());
    QList<Entry> entries() const; // newest first
    static std::optional<Entry> describe(const QString& path);

    // This program runs: until markEnded(), a later start that finds the
    // marker with this process gone knows it ended abnormally.
    bool markRunning();
    void markEnded();
    // The copy the last abnormally ended program wrote, if it left one with
    // points; its marker is removed, so it is offered once.
    std::optional<Entry> takeAbnormalEnd();

    static constexpr int kKept = 10;

private:
    QString markerPath(qint64 pid) const;
    void noteLastWritten(const QString& path);

    QString m_folder;
    QString m_lastWritten;
    bool m_running = false;
};

} // namespace traxilo
