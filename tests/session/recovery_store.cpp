// The automatic copies' folder: one copy per clip and day, the last ten
// kept, and an abnormal end told by the marker of a process that is gone,
// even when that process has not been reaped yet.
#include "session/recovery_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/wait.h>
#include <unistd.h>

using namespace traxilo;

namespace {

SessionData sessionOf(const QString& clip, int points) {
    SessionData s;
    s.clipPath = clip;
    s.frameCount = 20;
    s.pictureSize = QSize(64, 48);
    s.styleColumns = {{"0", "1", "1"}, {"0", "1", "0"}};
    for (int i = 0; i < points; ++i)
        s.positions.append({i, 1, i, i});
    return s;
}

} // namespace

class RecoveryStoreTest : public QObject {
    Q_OBJECT
private slots:
    void onePerClipAndDayTenKept();
    void abnormalEndOfAnUnreapedProcess();
};

void RecoveryStoreTest::onePerClipAndDayTenKept() {
    QTemporaryDir dir;
    RecoveryStore store(dir.path() + QStringLiteral("/recovery"));
    QVERIFY(store.save(sessionOf(QStringLiteral("/c/chute.avi"), 3), QDate(2026, 1, 1)).isEmpty());
    QVERIFY(store.save(sessionOf(QStringLiteral("/c/chute.avi"), 5), QDate(2026, 1, 1)).isEmpty());
    QCOMPARE(store.entries().size(), 1); // the same clip and day: replaced
    QCOMPARE(store.entries().first().points, 5);
    for (int day = 2; day <= 14; ++day)
        QVERIFY(store.save(sessionOf(QStringLiteral("/c/chute.avi"), day), QDate(2026, 1, day))
                    .isEmpty());
    QCOMPARE(store.entries().size(), RecoveryStore::kKept);
}

void RecoveryStoreTest::abnormalEndOfAnUnreapedProcess() {
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/recovery");
    RecoveryStore store(folder);
    QVERIFY(store.save(sessionOf(QStringLiteral("/c/lancer.avi"), 7)).isEmpty());
    const QString copy = store.entries().first().path;
    const pid_t child = fork();
    if (child == 0)
        _exit(0); // ends at once, and stays a zombie until waited for
    QVERIFY(child > 0);
    QTest::qWait(100);
    QFile marker(folder + QStringLiteral("/running-") + QString::number(child));
    QVERIFY(marker.open(QIODevice::WriteOnly));
    marker.write(copy.toUtf8());
    marker.close();

    const std::optional<RecoveryStore::Entry> left = store.takeAbnormalEnd();
    waitpid(child, nullptr, 0);
    QVERIFY(left.has_value());
    QCOMPARE(left->points, 7);
    QCOMPARE(left->clipName, QStringLiteral("lancer.avi"));
    QVERIFY(!store.takeAbnormalEnd()); // offered once
    // A running program's marker is not an abnormal end.
    QVERIFY(store.markRunning());
    QVERIFY(!store.takeAbnormalEnd());
    store.markEnded();
}

QTEST_GUILESS_MAIN(RecoveryStoreTest)
#include "recovery_store.moc"
